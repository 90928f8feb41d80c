#include "view_test_support.h"
#include "vorlix/view/tablaobj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vorlix;
using namespace view_test;

namespace {

// A 15 x 15 board whose cells are 20 x 16 pixels, so that half cells are whole pixels.
constexpr int kCellW = 20;
constexpr int kCellH = 16;

class PressFixture {
  public:
    PressFixture() {
        SetUpLikeWindow(view);
        const TTablaGeometry m = view.Geometry();
        view.resize((m.LabelW + 2) * 2 + 1 + 15 * kCellW, (m.LabelH + 2) * 2 + 1 + 15 * kCellH);
        g = view.Geometry();
        view.OnClick = [this](Qt::MouseButton button, TPont xy) {
            log.push_back("click " + std::to_string(button) + " " + std::to_string(xy.X) + "," +
                          std::to_string(xy.Y));
            lastClick = xy;
        };
        view.OnMove = [this](TPont xy) {
            log.push_back("move " + std::to_string(xy.X) + "," + std::to_string(xy.Y));
        };
    }
    TTablaComponent view;
    TTablaGeometry g;
    std::vector<std::string> log;
    TPont lastClick{255, 255};
};

// A press at origin + halves half cells + pixels, in each direction.
struct PressCase {
    int xHalves, xPixels;
    int yHalves, yPixels;
    int expectedX, expectedY; // the event point
    bool placed;
};

class PressTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(PressTest, PressGoesToTheNearestIntersectionHalvesToEven) {
    const PressCase c = GetParam();
    PressFixture f;
    ASSERT_EQ(f.g.CellW, kCellW);
    ASSERT_EQ(f.g.CellH, kCellH);
    f.view.EditMode = true;
    f.view.EditColour = 1;
    const int x = f.g.OriginX + c.xHalves * kCellW / 2 + c.xPixels;
    const int y = f.g.OriginY + c.yHalves * kCellH / 2 + c.yPixels;
    Press(f.view, x, y);
    ASSERT_FALSE(f.log.empty());
    EXPECT_EQ(f.lastClick.X, c.expectedX);
    EXPECT_EQ(f.lastClick.Y, c.expectedY);
    int stones = 0;
    for (int i = 1; i <= 19; ++i)
        for (int j = 1; j <= 19; ++j) stones += f.view.Mezo(i, j);
    EXPECT_EQ(stones, c.placed ? 1 : 0);
    if (c.placed) {
        EXPECT_EQ(f.view.Mezo(c.expectedX, c.expectedY), 1);
    }
    EXPECT_EQ(f.log.size(), c.placed ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Points, PressTest,
    ::testing::Values(PressCase{0, 0, 0, 0, 1, 1, true},     // on A1
                      PressCase{1, 0, 1, 0, 2, 2, true},     // 1.5 goes to 2
                      PressCase{3, 0, 3, 0, 2, 2, true},     // 2.5 goes to 2
                      PressCase{5, 0, 5, 0, 4, 4, true},     // 3.5 goes to 4
                      PressCase{27, 0, 27, 0, 14, 14, true}, // 14.5 goes to 14
                      PressCase{1, -1, 1, -1, 1, 1, true},   // just before halfway
                      PressCase{3, 1, 3, 1, 3, 3, true},     // just after halfway
                      PressCase{-1, 1, -1, 1, 1, 1,
                                true}, // half a cell before A1, one pixel inside
                      PressCase{-1, 0, 0, 0, 0, 1, false},     // 0.5 goes to 0: left of the grid
                      PressCase{0, 0, -1, 0, 0, 0, false},     // above the grid: row 0
                      PressCase{29, 0, 29, 0, 0, 16, false},   // 15.5 goes to 16: beyond the grid
                      PressCase{29, -1, 29, -1, 15, 15, true}, // last pixel of O15
                      PressCase{4, 0, 29, 0, 0, 16, false}, // below the grid: row 16, column unset
                      PressCase{29, 0, 4, 0, 0, 3, false},  // right of the grid on row 3
                      PressCase{0, -30, 6, 0, 0, 4, false})); // in the left labels

TEST(TablaComponentPress, PressAboveTheLabelsGivesRowZeroNotAWrappedByte) {
    PressFixture f;
    f.view.SetTablaMeret(5);
    f.view.resize(f.view.width(), 60); // short cells: the top edge is rows above the grid
    const TTablaGeometry g = f.view.Geometry();
    ASSERT_LT(-g.OriginY / double(g.CellH) + 1, -1.5);
    Press(f.view, 50, 0);
    EXPECT_EQ(f.lastClick.Y, 0);
    EXPECT_EQ(f.lastClick.X, 0);
}

TEST(TablaComponentPress, ControlTooSmallForCellsRaisesClickWithoutAPoint) {
    PressFixture f;
    f.view.resize(20, 20);
    f.view.EditMode = true;
    f.view.EditColour = 2;
    Render(f.view); // must not fail either
    Press(f.view, 10, 10);
    EXPECT_EQ(f.log, (std::vector<std::string>{"click 1 0,0"}));
}

// Edit mode: what a press does to the intersection it hits.
struct EditCase {
    const char* name;
    bool editMode;
    bool protect;
    std::uint8_t stone;  // on the intersection before
    std::uint8_t colour; // EditColour
    Qt::MouseButton button;
    std::uint8_t after;
    bool moved;
};

class EditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditTest, EditModePlacesStonesAndRaisesEventsInOrder) {
    const EditCase c = GetParam();
    PressFixture f;
    f.view.EditMode = c.editMode;
    f.view.ProtectStones = c.protect;
    f.view.EditColour = c.colour;
    f.view.SetMezo(3, 4, c.stone);
    f.view.SetJel(3, 4, 1);
    f.view.SetSzoveg(3, 4, "12");
    f.view.SetErtekSzin(3, 4, kColorRed);
    const QPoint p = Point(f.g, 3, 4);
    Press(f.view, p.x(), p.y(), c.button);

    std::vector<std::string> expected{"click " + std::to_string(c.button) + " 3,4"};
    if (c.moved) expected.push_back("move 3,4");
    EXPECT_EQ(f.log, expected);
    EXPECT_EQ(f.view.Mezo(3, 4), c.after);
    // A placement clears the mark and the text but keeps the value disc.
    EXPECT_EQ(f.view.Jel(3, 4), c.moved ? 0 : 1);
    EXPECT_EQ(f.view.Szoveg(3, 4), c.moved ? "" : "12");
    EXPECT_EQ(f.view.ErtekSzin(3, 4), kColorRed);
    EXPECT_EQ(f.view.EditColour, c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, EditTest,
    ::testing::Values(EditCase{"PlacesOnEmpty", true, true, 0, 2, Qt::LeftButton, 2, true},
                      EditCase{"ProtectedStone", true, true, 1, 2, Qt::LeftButton, 1, false},
                      EditCase{"UnprotectedStone", true, false, 1, 2, Qt::LeftButton, 2, true},
                      EditCase{"RemovesWithColourZero", true, false, 2, 0, Qt::LeftButton, 0, true},
                      EditCase{"ColourZeroOnEmpty", true, true, 0, 0, Qt::LeftButton, 0, true},
                      EditCase{"NotInEditMode", false, true, 0, 1, Qt::LeftButton, 0, false},
                      EditCase{"RightButton", true, false, 0, 1, Qt::RightButton, 0, false},
                      EditCase{"MiddleButton", true, false, 0, 1, Qt::MiddleButton, 0, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TablaComponentPress, RemovingAStoneRestoresTheEmptyIntersection) {
    PressFixture f;
    f.view.SetMezo(1, 1, 1);
    f.view.SetMezo(8, 8, 2);
    const QImage empty = [] {
        PressFixture e;
        return Render(e.view);
    }();
    Render(f.view);
    f.view.EditMode = true;
    f.view.ProtectStones = false;
    f.view.EditColour = 0;
    for (QPoint p : {Point(f.g, 1, 1), Point(f.g, 8, 8)}) Press(f.view, p.x(), p.y());
    EXPECT_EQ(f.view.Canvas(), empty);
    EXPECT_EQ(f.log.size(), 4u);
}

TEST(TablaComponentPress, RightPressCyclesTheEditColourWhenAsked) {
    PressFixture f;
    const QPoint p = Point(f.g, 2, 2);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        Press(f.view, p.x(), p.y(), Qt::RightButton);
        seen.push_back(f.view.EditColour);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 0}));
    f.view.ColourCycling = true;
    seen.clear();
    for (int i = 0; i < 4; ++i) {
        Press(f.view, p.x(), p.y(), Qt::RightButton);
        seen.push_back(f.view.EditColour);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
    // Outside the grid too, and without placing anything.
    Press(f.view, 0, 0, Qt::RightButton);
    EXPECT_EQ(f.view.EditColour, 2);
    EXPECT_EQ(f.view.Mezo(2, 2), 0);
}

TEST(TablaComponentPress, MouseMovesAreReported) {
    PressFixture f;
    std::vector<QPoint> moves;
    f.view.OnMouseMove = [&](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
        moves.push_back(QPoint(x, y));
    };
    QMouseEvent event(QEvent::MouseMove, QPointF(30, 40), f.view.mapToGlobal(QPointF(30, 40)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f.view, &event);
    EXPECT_EQ(moves, (std::vector<QPoint>{QPoint(30, 40)}));
}

// ---- Properties -----------------------------------------------------------------------

TEST(TablaComponentProperties, ANewComponentHasTheDefaults) {
    TTablaComponent view;
    EXPECT_EQ(view.size(), QSize(260, 260));
    EXPECT_EQ(view.BackColor(), RGBColor(185, 180, 170));
    EXPECT_EQ(view.BlackColor(), 0u);
    EXPECT_EQ(view.WhiteColor(), RGBColor(255, 255, 255));
    EXPECT_EQ(view.LineColor(), RGBColor(128, 0, 0));
    EXPECT_EQ(view.JelColor(), RGBColor(245, 90, 210));
    EXPECT_EQ(view.ShadowColor(), RGBColor(140, 130, 125));
    EXPECT_EQ(view.TablaMeret(), 15);
    EXPECT_TRUE(view.ShowShadow());
    EXPECT_FALSE(view.EditMode);
    EXPECT_EQ(view.EditColour, 0);
    EXPECT_FALSE(view.ColourCycling);
    EXPECT_TRUE(view.ProtectStones);
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
            EXPECT_EQ(view.Mezo(x, y) + view.Jel(x, y), 0);
            EXPECT_TRUE(view.Szoveg(x, y).isEmpty());
            EXPECT_EQ(view.ErtekSzin(x, y), kNoColor);
        }
    }
}

TEST(TablaComponentProperties, WindowColourNumbersAreRedGreenBlueBytes) {
    EXPECT_EQ(ToQColor(11187385), QColor(185, 180, 170));
    EXPECT_EQ(ToQColor(8225420), QColor(140, 130, 125));
    EXPECT_EQ(FromQColor(QColor(245, 90, 210)), RGBColor(245, 90, 210));
}

TEST(TablaComponentProperties, BoardSizeOutsideFiveToNineteenIsRefused) {
    TTablaComponent view;
    for (int n : {4, 0, -1, 20, 255}) {
        view.SetTablaMeret(n);
        EXPECT_EQ(view.TablaMeret(), 15) << n;
    }
    view.SetTablaMeret(5);
    EXPECT_EQ(view.TablaMeret(), 5);
    view.SetTablaMeret(19);
    EXPECT_EQ(view.TablaMeret(), 19);
}

TEST(TablaComponentProperties, IndexesOutsideOneToNineteenAreIgnored) {
    TTablaComponent view;
    Render(view);
    for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {20, 5}, {5, 20}, {-1, -1}, {1000, 1000}}) {
        view.SetMezo(x, y, 1);
        view.SetJel(x, y, 1);
        view.SetSzoveg(x, y, "x");
        view.SetErtekSzin(x, y, kColorRed);
        EXPECT_EQ(view.Mezo(x, y), 0);
        EXPECT_EQ(view.Jel(x, y), 0);
        EXPECT_TRUE(view.Szoveg(x, y).isEmpty());
        EXPECT_EQ(view.ErtekSzin(x, y), kNoColor);
    }
    for (int x = 1; x <= 19; ++x)
        for (int y = 1; y <= 19; ++y) EXPECT_EQ(view.Mezo(x, y), 0);
}

TEST(TablaComponentProperties, ClearEmptiesTheGrid) {
    TTablaComponent view;
    view.SetMezo(15, 15, 2);
    view.SetJel(1, 1, 3);
    view.SetSzoveg(2, 2, "5");
    view.SetErtekSzin(3, 3, kColorRed);
    view.Clear();
    EXPECT_EQ(view.Mezo(15, 15), 0);
    EXPECT_EQ(view.Jel(1, 1), 0);
    EXPECT_TRUE(view.Szoveg(2, 2).isEmpty());
    EXPECT_EQ(view.ErtekSzin(3, 3), kNoColor);
}

TEST(TablaComponentProperties, HintShowsOnlyWithShowHint) {
    TTablaComponent view;
    view.SetHint("board");
    EXPECT_TRUE(view.toolTip().isEmpty());
    view.SetShowHint(true);
    EXPECT_EQ(view.toolTip(), "board");
    view.SetShowHint(false);
    EXPECT_TRUE(view.toolTip().isEmpty());
}

} // namespace
