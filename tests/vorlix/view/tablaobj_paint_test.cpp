#include "view_test_support.h"
#include "vorlix/view/tablaobj.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vorlix;
using namespace view_test;

namespace {

// ---- Geometry of the grid and the labels ---------------------------------------------

struct GridCase {
    int width;
    int height;
    int n;
};

class GridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridTest, LinesOutlineAndLabelsLieWhereTheGeometrySays) {
    const GridCase c = GetParam();
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.resize(c.width, c.height);
    view.SetTablaMeret(c.n);
    view.SetFont(PixelFont("Arial", 13, RGBColor(0, 0, 255)));
    const QImage image = Render(view);

    // The geometry from the label sizes of the window's font.
    const QFontMetrics fm(view.Font().Face, &view);
    const int labelW = fm.horizontalAdvance("15");
    const int labelH = fm.height();
    const int cellW = (c.width - (labelW + 2) * 2 - 1) / c.n;
    const int cellH = (c.height - (labelH + 2) * 2 - 1) / c.n;
    const int ox = 2 + labelW + cellW / 2 + 1;
    const int oy = 2 + labelH + cellH / 2 + 1;
    const TTablaGeometry g = view.Geometry();
    ASSERT_EQ(g.CellW, cellW);
    ASSERT_EQ(g.CellH, cellH);
    ASSERT_EQ(g.OriginX, ox);
    ASSERT_EQ(g.OriginY, oy);

    const TColor back = view.BackColor();
    const TColor line = view.LineColor();
    EXPECT_EQ(At(image, 0, 0), line);
    EXPECT_EQ(At(image, c.width - 1, c.height - 1), line);
    EXPECT_EQ(At(image, c.width - 1, c.height / 2), line);
    EXPECT_EQ(At(image, 1, 1), back);

    const int lastX = ox + (c.n - 1) * cellW;
    const int lastY = oy + (c.n - 1) * cellH;
    for (int k = 0; k < c.n; ++k) {
        // Along the first and last row and column, and through every intersection.
        EXPECT_EQ(At(image, ox + k * cellW, oy), line) << k;
        EXPECT_EQ(At(image, ox + k * cellW, lastY), line) << k;
        EXPECT_EQ(At(image, ox, oy + k * cellH), line) << k;
        EXPECT_EQ(At(image, lastX, oy + k * cellH), line) << k;
        EXPECT_EQ(At(image, ox + k * cellW, oy + k * cellH), line) << k;
    }
    EXPECT_EQ(At(image, ox + cellW / 2, oy + cellH / 2), back);
    EXPECT_EQ(At(image, ox - 1, oy), back);
    EXPECT_EQ(At(image, lastX + 1, oy), back);
    EXPECT_EQ(At(image, ox, oy - 1), back);
    EXPECT_EQ(At(image, ox, lastY + 1), back);

    // Far labels: the bottom letters are the top ones moved down by
    // round((N - 0.5) * cellH) + originY + 1 - Margin, halves to even; likewise the
    // numbers on the right.
    const int bottomY = static_cast<int>(std::nearbyint((c.n - 0.5) * cellH)) + oy + 1;
    const int rightX = static_cast<int>(std::nearbyint((c.n - 0.5) * cellW)) + ox + 1;
    const TColor ink = view.Font().Color;
    const QRect topBand(1, 2, c.width - 2, labelH);
    const QRect topInk = InkExtent(image, topBand, ink, back);
    ASSERT_FALSE(topInk.isEmpty());
    EXPECT_EQ(InkExtent(image, topBand.translated(0, bottomY - 2), ink, back),
              topInk.translated(0, bottomY - 2));
    const QRect leftBand(2, oy - cellH / 2, labelW, (c.n - 1) * cellH + cellH / 2 * 2);
    const QRect leftInk = InkExtent(image, leftBand, ink, back);
    ASSERT_FALSE(leftInk.isEmpty());
    EXPECT_EQ(InkExtent(image, leftBand.translated(rightX - 2, 0), ink, back),
              leftInk.translated(rightX - 2, 0));
    // The letters span the columns: A is centred on the first line, the last letter on the last.
    EXPECT_LT(topInk.left(), ox);
    EXPECT_GT(topInk.right(), lastX - cellW / 2);
    EXPECT_LT(topInk.right(), lastX + cellW / 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridTest,
                         ::testing::Values(GridCase{336, 339, 15}, GridCase{260, 260, 15},
                                           GridCase{260, 260, 19}, GridCase{400, 300, 5},
                                           GridCase{337, 341, 9}, GridCase{301, 293, 13},
                                           GridCase{560, 460, 15}));

TEST(TablaComponent, LabelSizesStayAsMeasuredAtTheFirstPaint) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.resize(260, 260);
    view.SetTablaMeret(19);
    Render(view);
    const TTablaGeometry before = view.Geometry();
    view.SetFont(PixelFont("Arial", 40, kColorBlack));
    Render(view);
    const TTablaGeometry after = view.Geometry();
    EXPECT_EQ(after.LabelW, before.LabelW);
    EXPECT_EQ(after.LabelH, before.LabelH);
    EXPECT_EQ(after.CellW, before.CellW);
    EXPECT_GT(after.CellW, 0); // small cells on a 260 x 260 control, but cells
}

// ---- One intersection -----------------------------------------------------------------

struct StoneCase {
    std::uint8_t mezo;
    bool shadow;
};

class StoneTest : public ::testing::TestWithParam<StoneCase> {};

TEST_P(StoneTest, StoneFillsItsBoxAndCastsShadowOnlyDownRight) {
    const StoneCase c = GetParam();
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetShowShadow(c.shadow);
    view.SetMezo(8, 8, c.mezo);
    const QImage image = Render(view);
    const TTablaGeometry g = view.Geometry();
    const QPoint p = Point(g, 8, 8);
    const int hw = g.CellW / 2, hh = g.CellH / 2;
    const TColor stone = c.mezo == 1 ? view.BlackColor() : view.WhiteColor();

    // The stone box runs from the point minus (half cell - 2) to plus (half cell - 2),
    // the right and bottom edges outside it.
    EXPECT_EQ(Extent(image, Box(g, 8, 8), stone), QRect(QPoint(p.x() - hw + 2, p.y() - hh + 2),
                                                        QPoint(p.x() + hw - 3, p.y() + hh - 3)));
    const QRect lowerRight(p, QSize(hw + 1, hh + 1));
    const QRect upperLeft(p.x() - hw, p.y() - hh, hw, hh);
    EXPECT_EQ(Count(image, lowerRight, view.ShadowColor()) > 0, c.shadow);
    EXPECT_EQ(Count(image, upperLeft, view.ShadowColor()), 0);
    // The shadow stays inside the intersection's box.
    EXPECT_EQ(Count(image, Box(g, 8, 8).adjusted(-3, -3, 3, 3), view.ShadowColor()),
              Count(image, Box(g, 8, 8), view.ShadowColor()));
}

INSTANTIATE_TEST_SUITE_P(Stones, StoneTest,
                         ::testing::Values(StoneCase{1, true}, StoneCase{2, true},
                                           StoneCase{1, false}, StoneCase{2, false}));

struct MarkCase {
    std::uint8_t jel;
    std::uint8_t mezo;
};

class MarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkTest, MarksAreOutlinesAtTheirCorners) {
    const MarkCase c = GetParam();
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetMezo(5, 6, c.mezo);
    view.SetJel(5, 6, c.jel);
    const QImage image = Render(view);
    const TTablaGeometry g = view.Geometry();
    const int cx = Point(g, 5, 6).x(), cy = Point(g, 5, 6).y();
    const int hw = g.CellW / 2, hh = g.CellH / 2, d = TTablaComponent::JelInset;
    const int a = hw - d, b = hh - d;
    const TColor jel = view.JelColor();
    switch (c.jel) {
    case 1:
        EXPECT_EQ(At(image, cx, cy - hh + d - 1), jel);
        EXPECT_EQ(At(image, cx - a, cy + hh - d), jel);
        EXPECT_EQ(At(image, cx + a, cy + hh - d), jel);
        EXPECT_EQ(At(image, cx, cy + hh - d), jel);
        EXPECT_EQ(Extent(image, Box(g, 5, 6), jel),
                  QRect(QPoint(cx - a, cy - hh + d - 1), QPoint(cx + a, cy + hh - d)));
        break;
    case 2:
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) EXPECT_EQ(At(image, cx + sx * a, cy + sy * b), jel);
        EXPECT_EQ(Extent(image, Box(g, 5, 6), jel),
                  QRect(QPoint(cx - a, cy - b), QPoint(cx + a, cy + b)));
        break;
    case 3:
        EXPECT_EQ(At(image, cx, cy - b), jel);
        EXPECT_EQ(At(image, cx, cy + b), jel);
        EXPECT_EQ(At(image, cx - a, cy), jel);
        EXPECT_EQ(At(image, cx + a, cy), jel);
        EXPECT_NE(At(image, cx - a, cy - b), jel);
        EXPECT_EQ(Extent(image, Box(g, 5, 6), jel),
                  QRect(QPoint(cx - a, cy - b), QPoint(cx + a, cy + b)));
        break;
    default:
        EXPECT_EQ(Count(image, Box(g, 5, 6), jel), 0);
    }
    // Only the outline: what lies beneath shows through the middle.
    EXPECT_NE(At(image, cx + 1, cy + 1), jel);
}

INSTANTIATE_TEST_SUITE_P(Marks, MarkTest,
                         ::testing::Values(MarkCase{1, 0}, MarkCase{2, 0}, MarkCase{3, 0},
                                           MarkCase{1, 1}, MarkCase{2, 2}, MarkCase{3, 1},
                                           MarkCase{4, 0}, MarkCase{255, 2}));

TEST(TablaComponent, ValueDiscCoversTheStoneBox) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    const TColor green = RGBColor(0, 200, 0);
    view.SetMezo(3, 3, 2);
    view.SetErtekSzin(3, 3, green);
    view.SetErtekSzin(4, 4, green);
    const QImage image = Render(view);
    const TTablaGeometry g = view.Geometry();
    for (int k : {3, 4}) {
        const QPoint p = Point(g, k, k);
        const int hw = g.CellW / 2, hh = g.CellH / 2;
        EXPECT_EQ(
            Extent(image, Box(g, k, k), green),
            QRect(QPoint(p.x() - hw + 2, p.y() - hh + 2), QPoint(p.x() + hw - 3, p.y() + hh - 3)));
    }
    EXPECT_EQ(Count(image, Box(g, 3, 3), view.WhiteColor()), 0);
}

// ---- Texts on intersections -----------------------------------------------------------

struct TextCase {
    const char* name;
    std::uint8_t mezo;
    TColor disc;
    enum { White, Black, Own } expected;
};

class TextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextTest, TextIsWrittenInTheContrastingColour) {
    const TextCase c = GetParam();
    TTablaComponent view;
    SetUpLikeWindow(view);
    const TColor own = RGBColor(0, 0, 255);
    view.SetMezoFont(PixelFont("Arial", 11, own));
    // A text on a black stone drawn first must not change the colour of later texts.
    view.SetMezo(2, 2, 1);
    view.SetSzoveg(2, 2, "11");
    view.SetMezo(9, 9, c.mezo);
    view.SetErtekSzin(9, 9, c.disc);
    view.SetSzoveg(9, 9, "11");
    const QImage image = Render(view);
    const TColor expected = c.expected == TextCase::White   ? view.WhiteColor()
                            : c.expected == TextCase::Black ? view.BlackColor()
                                                            : own;
    const TColor under = c.disc != kNoColor ? c.disc
                         : c.mezo == 1      ? view.BlackColor()
                         : c.mezo == 2      ? view.WhiteColor()
                                            : view.BackColor();
    // The middle of the stone box, where the text is.
    const QPoint p = Point(view.Geometry(), 9, 9);
    const QRect text(p.x() - 6, p.y() - 5, 13, 10);
    EXPECT_GT(CountInk(image, text, expected, under), 4);
    for (TColor other : {view.WhiteColor(), view.BlackColor(), own}) {
        if (other == expected || other == under) continue;
        EXPECT_EQ(CountInk(image, text, other, under), 0) << std::hex << other;
    }
    EXPECT_EQ(view.MezoFont().Color, own);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextTest,
    ::testing::Values(TextCase{"OnBlack", 1, kNoColor, TextCase::White},
                      TextCase{"OnWhite", 2, kNoColor, TextCase::Black},
                      TextCase{"OnEmpty", 0, kNoColor, TextCase::Own},
                      TextCase{"OnGreenDisc", 1, RGBColor(0, 200, 0), TextCase::Own},
                      TextCase{"OnBlackDisc", 0, kColorBlack, TextCase::White},
                      TextCase{"OnWhiteDisc", 1, kColorWhite, TextCase::Black}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TablaComponent, TextsAreCutToThreeCharacters) {
    TTablaComponent view;
    view.SetSzoveg(1, 1, "12345");
    EXPECT_EQ(view.Szoveg(1, 1), "123");
}

// ---- Redrawing single intersections --------------------------------------------------

// A change drawn on the shown board must look exactly like the same state painted
// from scratch: removed stones take their shadows with them, grid lines come back.
struct ScriptCase {
    const char* name;
    bool shadow;
    std::function<void(TTablaComponent&)> before; // state of the first paint
    std::function<void(TTablaComponent&)> change; // applied to the shown board
};

class RedrawTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(RedrawTest, ChangedIntersectionsLookLikeAFullPaint) {
    const ScriptCase& c = GetParam();
    TTablaComponent shown, fresh;
    for (TTablaComponent* v : {&shown, &fresh}) {
        SetUpLikeWindow(*v);
        v->SetShowShadow(c.shadow);
        c.before(*v);
    }
    Render(shown);
    c.change(shown);
    c.change(fresh);
    const QImage full = Render(fresh);
    EXPECT_EQ(shown.Canvas(), full);
}

void Stones(TTablaComponent& v) {
    v.SetMezo(1, 1, 1);
    v.SetMezo(15, 15, 2);
    v.SetMezo(8, 8, 1);
    v.SetMezo(9, 8, 2);
    v.SetMezo(8, 9, 2);
    v.SetMezo(7, 7, 1);
    v.SetMezo(1, 15, 2);
    v.SetMezo(15, 1, 1);
}

void RemoveAll(TTablaComponent& v) {
    for (int x = 1; x <= 15; ++x)
        for (int y = 1; y <= 15; ++y) v.SetMezo(x, y, 0);
}

void Decorate(TTablaComponent& v) {
    v.SetJel(8, 8, 1);
    v.SetJel(9, 8, 2);
    v.SetJel(4, 4, 3);
    v.SetSzoveg(8, 9, "12");
    v.SetSzoveg(5, 5, "7");
    v.SetErtekSzin(6, 6, RGBColor(0, 200, 0));
    v.SetErtekSzin(7, 7, RGBColor(200, 200, 0));
}

void Nothing(TTablaComponent&) {}

const ScriptCase kScripts[] = {
    {"PutStones", true, Nothing, Stones},
    {"RemoveStonesWithShadows", true, Stones, RemoveAll},
    {"RemoveStonesWithoutShadows", false, Stones, RemoveAll},
    {"RemoveOneOfANeighbourhood", true, Stones,
     [](TTablaComponent& v) {
         v.SetMezo(8, 8, 0);
         v.SetMezo(1, 1, 0);
     }},
    {"ChangeColour", true, Stones, [](TTablaComponent& v) { v.SetMezo(8, 8, 2); }},
    {"Decorate", true, Stones, Decorate},
    {"ClearLayers", true,
     [](TTablaComponent& v) {
         Stones(v);
         Decorate(v);
     },
     [](TTablaComponent& v) {
         v.ClearJel();
         v.ClearSzoveg();
         v.ClearErtekSzin();
     }},
    {"ClearLayersWithoutShadows", false,
     [](TTablaComponent& v) {
         Stones(v);
         Decorate(v);
     },
     [](TTablaComponent& v) {
         v.ClearJel();
         v.ClearSzoveg();
         v.ClearErtekSzin();
     }},
    {"EraseEverything", true,
     [](TTablaComponent& v) {
         Stones(v);
         Decorate(v);
     },
     [](TTablaComponent& v) {
         v.ClearJel();
         v.ClearSzoveg();
         v.ClearErtekSzin();
         RemoveAll(v);
     }},
};

INSTANTIATE_TEST_SUITE_P(Scripts, RedrawTest, ::testing::ValuesIn(kScripts),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TablaComponent, EraseWithShadowsOffCoversTheStoneExactly) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetShowShadow(false);
    view.SetMezo(8, 8, 1);
    const QImage before = Render(view);
    view.SetMezo(8, 8, 0);
    const QImage after = view.Canvas();
    EXPECT_EQ(Count(after, Box(view.Geometry(), 8, 8), view.BlackColor()), 0);
    EXPECT_GT(Count(before, Box(view.Geometry(), 8, 8), view.BlackColor()), 0);
}

// Which part of the shown control a change asks Qt to repaint.
struct RegionCase {
    const char* name;
    std::function<void(TTablaComponent&)> change;
    enum { None, Intersection, Whole } expected;
};

class RegionTest : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionTest, OnlyTheChangedIntersectionIsRepainted) {
    const RegionCase& c = GetParam();
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetMezo(4, 5, 1);
    view.SetJel(4, 5, 1);
    view.SetSzoveg(4, 5, "129");
    view.show();
    Settle();
    PaintSpy spy(view);
    c.change(view);
    Settle();
    QRegion painted;
    for (const QRegion& r : spy.regions) painted += r;
    const QRect box = Box(view.Geometry(), 4, 5);
    switch (c.expected) {
    case RegionCase::None:
        EXPECT_TRUE(spy.regions.empty());
        break;
    case RegionCase::Intersection:
        ASSERT_FALSE(spy.regions.empty());
        EXPECT_TRUE(QRegion(box).contains(painted.boundingRect())) << painted.boundingRect().x();
        break;
    case RegionCase::Whole:
        ASSERT_FALSE(spy.regions.empty());
        EXPECT_TRUE(painted.contains(view.rect()));
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RegionTest,
    ::testing::Values(
        RegionCase{"SameMezo", [](TTablaComponent& v) { v.SetMezo(4, 5, 1); }, RegionCase::None},
        RegionCase{"SameJel", [](TTablaComponent& v) { v.SetJel(4, 5, 1); }, RegionCase::None},
        RegionCase{"SameText", [](TTablaComponent& v) { v.SetSzoveg(4, 5, "129"); },
                   RegionCase::None},
        RegionCase{"SameCutText", [](TTablaComponent& v) { v.SetSzoveg(4, 5, "1290"); },
                   RegionCase::None},
        RegionCase{"SameDisc", [](TTablaComponent& v) { v.SetErtekSzin(4, 5, kNoColor); },
                   RegionCase::None},
        RegionCase{"SameShadow", [](TTablaComponent& v) { v.SetShowShadow(true); },
                   RegionCase::None},
        RegionCase{"ClearAbsentLayer", [](TTablaComponent& v) { v.ClearErtekSzin(); },
                   RegionCase::None},
        RegionCase{"BeyondN", [](TTablaComponent& v) { v.SetMezo(17, 17, 1); }, RegionCase::None},
        RegionCase{"JelColor", [](TTablaComponent& v) { v.SetJelColor(kColorBlack); },
                   RegionCase::None},
        RegionCase{"Mezo", [](TTablaComponent& v) { v.SetMezo(4, 5, 2); },
                   RegionCase::Intersection},
        RegionCase{"Remove", [](TTablaComponent& v) { v.SetMezo(4, 5, 0); },
                   RegionCase::Intersection},
        RegionCase{"Jel", [](TTablaComponent& v) { v.SetJel(4, 5, 2); }, RegionCase::Intersection},
        RegionCase{"Text", [](TTablaComponent& v) { v.SetSzoveg(4, 5, "10"); },
                   RegionCase::Intersection},
        RegionCase{"Disc", [](TTablaComponent& v) { v.SetErtekSzin(4, 5, kColorRed); },
                   RegionCase::Intersection},
        RegionCase{"ClearJel", [](TTablaComponent& v) { v.ClearJel(); }, RegionCase::Intersection},
        RegionCase{"BackColor", [](TTablaComponent& v) { v.SetBackColor(kColorWhite); },
                   RegionCase::Whole},
        RegionCase{"BlackColor", [](TTablaComponent& v) { v.SetBlackColor(kColorRed); },
                   RegionCase::Whole},
        RegionCase{"WhiteColor", [](TTablaComponent& v) { v.SetWhiteColor(kColorRed); },
                   RegionCase::Whole},
        RegionCase{"LineColor", [](TTablaComponent& v) { v.SetLineColor(kColorBlack); },
                   RegionCase::Whole},
        RegionCase{"TablaMeret", [](TTablaComponent& v) { v.SetTablaMeret(19); },
                   RegionCase::Whole},
        RegionCase{"Shadow", [](TTablaComponent& v) { v.SetShowShadow(false); }, RegionCase::Whole},
        RegionCase{"Font", [](TTablaComponent& v) { v.SetFont(v.Font()); }, RegionCase::Whole},
        RegionCase{"Clear", [](TTablaComponent& v) { v.Clear(); }, RegionCase::Whole},
        RegionCase{"Size", [](TTablaComponent& v) { v.resize(400, 400); }, RegionCase::Whole}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TablaComponent, ChangingOneIntersectionLeavesTheOthersAsDrawn) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetJel(2, 2, 2);
    view.show();
    Settle();
    const TTablaGeometry g = view.Geometry();
    const QPoint corner = Point(g, 2, 2) - QPoint(g.CellW / 2 - TTablaComponent::JelInset,
                                                  g.CellH / 2 - TTablaComponent::JelInset);
    ASSERT_EQ(At(view.Canvas(), corner.x(), corner.y()), view.JelColor());
    // A new mark colour shows only where something is drawn again.
    view.SetJelColor(kColorBlack);
    view.SetMezo(9, 9, 2);
    Settle();
    EXPECT_EQ(At(view.Canvas(), corner.x(), corner.y()), kColorRed);
    view.SetJel(2, 2, 0);
    view.SetJel(2, 2, 2);
    Settle();
    EXPECT_EQ(At(view.Canvas(), corner.x(), corner.y()), kColorBlack);
}

TEST(TablaComponent, IntersectionsBeyondNAreKeptAndShownWhenNGrows) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    view.SetMezo(17, 17, 1);
    EXPECT_EQ(view.Mezo(17, 17), 1);
    view.SetTablaMeret(19);
    const QImage image = Render(view);
    const QPoint p = Point(view.Geometry(), 17, 17);
    EXPECT_EQ(At(image, p.x(), p.y()), view.BlackColor());
    // The other new intersections are empty: no value discs, the grid shows.
    const QPoint q = Point(view.Geometry(), 19, 18);
    EXPECT_EQ(At(image, q.x(), q.y()), view.LineColor());
    EXPECT_EQ(Count(image, Box(view.Geometry(), 18, 19), view.BlackColor()), 0);
}

// ---- A sample board for the eye -------------------------------------------------------

TEST(TablaComponent, SampleBoardImages) {
    TTablaComponent view;
    SetUpLikeWindow(view);
    const int moves[][2] = {{8, 8},  {9, 9}, {9, 7},  {7, 9}, {10, 6},
                            {11, 5}, {8, 6}, {10, 8}, {7, 5}};
    int number = 0;
    for (const auto& m : moves) {
        ++number;
        view.SetMezo(m[0], m[1], number % 2 == 1 ? 1 : 2);
        view.SetSzoveg(m[0], m[1], QString::number(number));
    }
    view.SetJel(7, 5, 1);
    view.SetJel(6, 4, 2);
    view.SetJel(12, 10, 3);
    view.SetErtekSzin(6, 4, RGBColor(255, 200, 0));
    view.SetErtekSzin(11, 11, RGBColor(0, 200, 0));
    view.SetErtekSzin(12, 11, RGBColor(120, 220, 120));
    view.SetSzoveg(11, 11, "99");
    view.SetSzoveg(3, 12, "123");
    const QImage sample = Render(view);
    EXPECT_TRUE(sample.save("board_sample.png"));
    // Four times larger, around the marks and the centre, to check single pixels.
    const QPoint from = Point(view.Geometry(), 5, 3);
    EXPECT_TRUE(sample.copy(QRect(from, Point(view.Geometry(), 13, 12)))
                    .scaled(QSize(8 * 4 * view.Geometry().CellW, 9 * 4 * view.Geometry().CellH))
                    .save("board_sample_zoom.png"));

    view.resize(260, 260);
    view.SetTablaMeret(19);
    view.SetMezo(19, 19, 2);
    view.SetMezo(1, 1, 1);
    EXPECT_TRUE(Render(view).save("board_sample_19.png"));
}

} // namespace
