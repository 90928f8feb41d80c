#include "vorlix/search/internal_levels.h"
#include "vorlix/ui/windowsize.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(WindowSize, KeepOnScreenMovesUpAndLeftOnlyAsFarAsNeeded) {
    // Fits: unchanged.
    TWindowRect r = KeepOnScreen({100, 50, 637, 537}, 1024, 768);
    EXPECT_EQ(r.Left, 100);
    EXPECT_EQ(r.Top, 50);
    // Too far right and down on a small screen: moved to the right edge and 23 pixels
    // above the bottom.
    r = KeepOnScreen({500, 300, 637, 537}, 800, 600);
    EXPECT_EQ(r.Left, 800 - 637);
    EXPECT_EQ(r.Top, 600 - 537 - 23);
    EXPECT_EQ(r.Width, 637);
    EXPECT_EQ(r.Height, 537);
}

TEST(WindowSize, TheThreeSizes) {
    EXPECT_STREQ(kWindowSizes[0].Caption, "Small");
    EXPECT_EQ(kWindowSizes[0].Width, 492);
    EXPECT_EQ(kWindowSizes[0].Height, 400);
    EXPECT_FALSE(kWindowSizes[0].KeepOnScreen);
    EXPECT_EQ(kWindowSizes[2].Width, 637);
    EXPECT_TRUE(kWindowSizes[2].KeepOnScreen);
}

TEST(InternalPlayers, StrengthTexts) {
    EXPECT_EQ(InternalStrengthText(890), " 890.0");
    EXPECT_EQ(InternalStrengthText(1875), "1875.0");
    EXPECT_EQ(LibraryStrengthText("Random"), "-2500");
    EXPECT_EQ(LibraryStrengthText("Neighbour"), "-2300");
    EXPECT_EQ(LibraryStrengthText("Eager"), "100");
    EXPECT_EQ(LibraryStrengthText("eager"), "Unknow");
    EXPECT_STREQ(kInternalItems[kStartItem].Identifier, "QwilN4AVK");
    EXPECT_STREQ(kInternalItems[3].Caption, "Level 3");
}
