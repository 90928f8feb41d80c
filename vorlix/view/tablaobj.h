#pragma once
// TTablaComponent: the board view. It draws a square go-style board of N x N line
// intersections with coordinate labels and, on each intersection, optionally a stone, a
// mark, a short text and a coloured value disc; it turns mouse presses into
// intersections and, in edit mode, places stones itself.
//
// The view keeps its own copy of what it shows and never reads the game model: the
// window and the game controller write into it. Columns X are lettered A.. from the
// left, rows Y numbered 1.. from the top.
//
// Drawing goes to a retained canvas. A full paint happens on size, colour, board-size,
// shadow and font changes and whenever Qt asks for the whole control; a change of one
// intersection redraws only that intersection on the canvas and updates its box.

#include "vorlix/game/board.h"
#include "vorlix/view/tcolor.h"
#include "vorlix/view/tfont.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace vorlix {

class TCanvas;

// The number of lines in each direction.
using TTablaMeret = int;
constexpr TTablaMeret kMinTablaMeret = 5;
constexpr TTablaMeret kMaxTablaMeret = 19;

// A stone was placed by a left press in edit mode.
using TMoveEvent = std::function<void(TPont XY)>;
// Any mouse press on the control. XY.Y is the nearest row (0 or above N outside the grid);
// XY.X is the nearest column when both lie on the grid and 0 otherwise.
using TClickEvent = std::function<void(Qt::MouseButton Button, TPont XY)>;
// The mouse moved over the control (pixel coordinates).
using TMouseMoveEvent =
    std::function<void(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y)>;

// Pixel geometry of the board, from the control's size, N and the label sizes.
// Intersection (X, Y) lies at (OriginX + (X - 1) * CellW, OriginY + (Y - 1) * CellH).
struct TTablaGeometry {
    int LabelW = 0; // width of "15" in Font
    int LabelH = 0; // height of "A" in Font
    int CellW = 0;
    int CellH = 0;
    int OriginX = 0;
    int OriginY = 0;
};

class TTablaComponent : public QWidget {
  public:
    static constexpr int Margin = 2;     // pixels around the labels, each direction
    static constexpr int StoneInset = 2; // stone box inside the intersection box
    static constexpr int JelInset = 7;   // mark inside the intersection box
    static constexpr int kDefaultSize = 260;

    // 260 x 260 pixels, default colours and fonts, every intersection empty.
    explicit TTablaComponent(QWidget* parent = nullptr);
    ~TTablaComponent() override;

    // Colours. Setting BackColor, BlackColor, WhiteColor or LineColor repaints the
    // whole control; JelColor and ShadowColor take effect at the next drawing.
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);
    TColor BlackColor() const { return blackColor_; }
    void SetBlackColor(TColor color);
    TColor WhiteColor() const { return whiteColor_; }
    void SetWhiteColor(TColor color);
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor color);
    TColor JelColor() const { return jelColor_; }
    void SetJelColor(TColor color) { jelColor_ = color; }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color) { shadowColor_ = color; }

    // Font of the coordinate labels. A change repaints; the label sizes stay as
    // measured at the first paint.
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    // Font of the intersection texts. On a black stone they are written in WhiteColor,
    // on a white stone in BlackColor, elsewhere in the font's own colour.
    const TFont& MezoFont() const { return mezoFont_; }
    void SetMezoFont(const TFont& font);

    // N, 5..19; other values are refused and leave N unchanged. Setting repaints.
    TTablaMeret TablaMeret() const { return tablaMeret_; }
    void SetTablaMeret(TTablaMeret n);

    // Shadows under the stones; a change repaints.
    bool ShowShadow() const { return showShadow_; }
    void SetShowShadow(bool show);

    // The control's hint, shown as a tool tip while ShowHint is true.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint);

    TMouseMoveEvent OnMouseMove;
    TMoveEvent OnMove;
    TClickEvent OnClick;

    // Per-intersection state for X and Y in 1..19, kept for all 19 x 19 whatever N is.
    // Writing a different value redraws that intersection when it lies on the N x N
    // grid. Reads outside 1..19 give the empty value and writes there are ignored.
    std::uint8_t Mezo(int x, int y) const; // 0 empty, 1 BlackColor stone, 2 WhiteColor stone
    void SetMezo(int x, int y, std::uint8_t value);
    std::uint8_t Jel(int x, int y) const; // 0 none, 1 triangle, 2 square, 3 circle
    void SetJel(int x, int y, std::uint8_t value);
    QString Szoveg(int x, int y) const; // at most 3 characters; longer texts are cut
    void SetSzoveg(int x, int y, const QString& text);
    TColor ErtekSzin(int x, int y) const; // value disc colour, kNoColor for none
    void SetErtekSzin(int x, int y, TColor color);

    // Empties every intersection of the N x N grid and repaints.
    void Clear();
    // Empty one layer on the N x N grid, redrawing each intersection that changes.
    void ClearJel();
    void ClearSzoveg();
    void ClearErtekSzin();

    // Edit state. In edit mode a left press on the grid clears the intersection's mark
    // and text, puts EditColour on it and raises OnMove, except on a stone while
    // ProtectStones is true. With ColourCycling a right press steps EditColour
    // 0, 1, 2, 0, ...
    bool EditMode = false;
    std::uint8_t EditColour = 0;
    bool ColourCycling = false;
    bool ProtectStones = true;

    // The geometry for the current size; measures the label sizes if no paint did yet.
    TTablaGeometry Geometry();
    // The largest size within `room` at which the cells are square (CellW = CellH);
    // `room` itself when it holds no cell at all.
    QSize SquareCellSize(QSize room);

    // What the control shows, as last drawn.
    const QImage& Canvas() const { return canvas_; }

    QSize sizeHint() const override { return QSize(kDefaultSize, kDefaultSize); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    static bool InRange(int x, int y);
    bool OnGrid(int x, int y) const;
    void MeasureLabels();
    void FullPaint();
    void RepaintAll();
    void Redraw(int x, int y);
    QRect DrawIntersection(TCanvas& canvas, int x, int y) const;
    void DrawMark(TCanvas& canvas, int kind, int cx, int cy, int hw, int hh) const;
    void ApplyHint();

    TColor backColor_;
    TColor blackColor_;
    TColor whiteColor_;
    TColor lineColor_;
    TColor jelColor_;
    TColor shadowColor_;
    TFont font_;
    TFont mezoFont_;
    TTablaMeret tablaMeret_ = 15;
    bool showShadow_ = true;
    bool showHint_ = false;
    QString hint_;

    static constexpr int kStates = kMaxTablaMeret + 1; // index 0 unused
    std::uint8_t mezo_[kStates][kStates] = {};
    std::uint8_t jel_[kStates][kStates] = {};
    QString szoveg_[kStates][kStates];
    TColor ertekSzin_[kStates][kStates] = {};

    bool labelsMeasured_ = false;
    int labelW_ = 0;
    int labelH_ = 0;

    QImage canvas_;
    bool canvasCurrent_ = false;   // canvas_ holds a full paint of the current state
    TTablaGeometry paintGeometry_; // geometry of the last full paint
};

} // namespace vorlix
