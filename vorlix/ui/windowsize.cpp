#include "vorlix/ui/windowsize.h"

namespace vorlix {

TWindowRect KeepOnScreen(TWindowRect w, int screenWidth, int screenHeight) {
    if (screenWidth - w.Width < w.Left) w.Left = screenWidth - w.Width;
    if (screenHeight - w.Height - 23 < w.Top) w.Top = screenHeight - w.Height - 23;
    return w;
}

} // namespace vorlix
