#pragma once
// The main window's three sizes and the rule that keeps a window on the screen.

#include <array>

namespace vorlix {

struct TWindowSize {
    const char* Caption;
    int Width;
    int Height; // without the message panel
    bool KeepOnScreen;
};

constexpr std::array<TWindowSize, 3> kWindowSizes = {{
    {"Small", 492, 400, false},
    {"Middle", 560, 460, true},
    {"Large", 637, 537, true},
}};

struct TWindowRect {
    int Left, Top, Width, Height;
};

// Moves the window left and up just enough that it fits on a screen of the given size,
// keeping 23 pixels free at the bottom for the task bar. Never moves it right or down.
TWindowRect KeepOnScreen(TWindowRect window, int screenWidth, int screenHeight);

} // namespace vorlix
