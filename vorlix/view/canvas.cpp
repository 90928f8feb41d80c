#include "vorlix/view/canvas.h"

namespace vorlix {

namespace {

// QPainter outlines QRect(x, y, w, h) on x..x+w with a one-pixel pen, so a box whose
// right and bottom edges are outside is one pixel narrower as a QRect.
QRect OutlineRect(int x1, int y1, int x2, int y2) {
    return QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

} // namespace

TCanvas::TCanvas(QPainter& painter)
    : painter_(painter), metrics_(painter.font(), painter.device()) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    SetPen(pen_);
    SetBrush(brush_);
}

void TCanvas::SetPen(TColor color) {
    pen_ = color;
    QPen pen(ToQColor(color));
    pen.setWidth(1);
    painter_.setPen(pen);
}

void TCanvas::SetBrush(TColor color) {
    brush_ = color;
    painter_.setBrush(ToQColor(color));
}

void TCanvas::SetFont(const TFont& font) {
    painter_.setFont(font.Face);
    textColor_ = font.Color;
    metrics_ = QFontMetrics(font.Face, painter_.device());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    painter_.drawRect(OutlineRect(x1, y1, x2, y2));
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2) {
    painter_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQColor(brush_));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    painter_.drawEllipse(OutlineRect(x1, y1, x2, y2));
}

void TCanvas::EllipseOutline(int x1, int y1, int x2, int y2) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(OutlineRect(x1, y1, x2, y2));
    painter_.restore();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int startDegrees, int spanDegrees) {
    // QPainter counts angles in sixteenths of a degree.
    painter_.drawArc(OutlineRect(x1, y1, x2, y2), startDegrees * 16, spanDegrees * 16);
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
    painter_.drawLine(x1, y1, x2, y2);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    painter_.save();
    painter_.setPen(ToQColor(textColor_));
    painter_.drawText(x, y + metrics_.ascent(), text);
    painter_.restore();
}

int TCanvas::TextWidth(const QString& text) const {
    return metrics_.horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const {
    // Every text of a font is as high as the font's line.
    (void)text;
    return metrics_.height();
}

} // namespace vorlix
