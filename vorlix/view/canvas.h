#pragma once
// The drawing surface of the board view: a pen, a brush and a font over a QPainter, with
// the conventions the view's geometry is written in.
//
// A box (x1, y1)-(x2, y2) covers the pixels x1..x2-1 and y1..y2-1: the right and bottom
// edges are outside. Lines are drawn with both end points. Pens are one pixel wide and
// nothing is antialiased except text. Text is drawn from its top left corner on a
// transparent background.

#include "vorlix/view/tcolor.h"
#include "vorlix/view/tfont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace vorlix {

class TCanvas {
  public:
    // The painter must stay alive, and its device unchanged, while the canvas is used.
    explicit TCanvas(QPainter& painter);

    void SetPen(TColor color);
    void SetBrush(TColor color);
    TColor BrushColor() const { return brush_; }
    void SetFont(const TFont& font);
    // Changes only the colour text is written in.
    void SetFontColor(TColor color) { textColor_ = color; }

    // Fills the box with the brush and outlines it with the pen.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Fills the box with the brush, no outline.
    void FillRect(int x1, int y1, int x2, int y2);
    // The ellipse inscribed in the box, filled with the brush and outlined with the pen.
    void Ellipse(int x1, int y1, int x2, int y2);
    // Only the outline of that ellipse.
    void EllipseOutline(int x1, int y1, int x2, int y2);
    // Part of the outline of that ellipse: from `startDegrees` (0 = three o'clock)
    // `spanDegrees` counter-clockwise.
    void Arc(int x1, int y1, int x2, int y2, int startDegrees, int spanDegrees);
    void Line(int x1, int y1, int x2, int y2);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

  private:
    QPainter& painter_;
    TColor pen_ = kColorBlack;
    TColor brush_ = kColorWhite;
    TColor textColor_ = kColorBlack;
    QFontMetrics metrics_;
};

} // namespace vorlix
