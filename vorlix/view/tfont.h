#pragma once
// A font together with the colour its text is written in, as the board view keeps it
// for its coordinate labels and its intersection texts.

#include "vorlix/view/tcolor.h"

#include <QFont>
#include <QString>

namespace vorlix {

struct TFont {
    QFont Face;
    TColor Color = kColorBlack;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// A font of `family` whose characters are `pixels` high (the em height, without the
// internal leading), e.g. PixelFont("Arial", 13, kColorMaroon).
inline TFont PixelFont(const QString& family, int pixels, TColor color) {
    QFont face(family);
    face.setPixelSize(pixels);
    return TFont{face, color};
}

} // namespace vorlix
