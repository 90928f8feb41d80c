#include "vorlix/view/tablaobj.h"

#include "vorlix/view/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace vorlix {

namespace {

// n / d rounded to the nearest integer, halves to the even neighbour; d > 0.
// Kept in integers so that a press exactly between two lines is decided exactly.
int RoundHalfEven(int n, int d) {
    int q = n / d;
    int r = n % d;
    if (r < 0) {
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
    return q;
}

// The shadow runs over the lower right half of the rim: from half past seven,
// counter-clockwise, to half past one.
constexpr int kShadowStart = 225;
constexpr int kShadowSpan = 180;

} // namespace

TTablaComponent::TTablaComponent(QWidget* parent)
    : QWidget(parent), backColor_(RGBColor(185, 180, 170)), blackColor_(kColorBlack),
      whiteColor_(kColorWhite), lineColor_(RGBColor(128, 0, 0)), jelColor_(RGBColor(245, 90, 210)),
      shadowColor_(RGBColor(140, 130, 125)), font_{QWidget::font(), kColorBlack},
      mezoFont_{QWidget::font(), kColorBlack} {
    // Every pixel comes from the canvas, so Qt need not erase anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(kDefaultSize, kDefaultSize);
    // All 19 x 19 start empty, not only the N x N that Clear empties: a zero value disc
    // would be a black one once N grows.
    for (auto& column : ertekSzin_)
        for (TColor& disc : column) disc = kNoColor;
    Clear();
}

TTablaComponent::~TTablaComponent() = default;

void TTablaComponent::SetBackColor(TColor color) {
    backColor_ = color;
    RepaintAll();
}

void TTablaComponent::SetBlackColor(TColor color) {
    blackColor_ = color;
    RepaintAll();
}

void TTablaComponent::SetWhiteColor(TColor color) {
    whiteColor_ = color;
    RepaintAll();
}

void TTablaComponent::SetLineColor(TColor color) {
    lineColor_ = color;
    RepaintAll();
}

void TTablaComponent::SetFont(const TFont& font) {
    font_ = font;
    QWidget::setFont(font.Face);
    RepaintAll();
}

void TTablaComponent::SetMezoFont(const TFont& font) {
    mezoFont_ = font;
    RepaintAll();
}

void TTablaComponent::SetTablaMeret(TTablaMeret n) {
    if (n < kMinTablaMeret || n > kMaxTablaMeret) return;
    tablaMeret_ = n;
    RepaintAll();
}

void TTablaComponent::SetShowShadow(bool show) {
    if (show == showShadow_) return;
    showShadow_ = show;
    RepaintAll();
}

void TTablaComponent::SetShowHint(bool show) {
    showHint_ = show;
    ApplyHint();
}

void TTablaComponent::SetHint(const QString& hint) {
    hint_ = hint;
    ApplyHint();
}

void TTablaComponent::ApplyHint() {
    setToolTip(showHint_ ? hint_ : QString());
}

bool TTablaComponent::InRange(int x, int y) {
    return x >= 1 && x <= kMaxTablaMeret && y >= 1 && y <= kMaxTablaMeret;
}

bool TTablaComponent::OnGrid(int x, int y) const {
    return x >= 1 && x <= tablaMeret_ && y >= 1 && y <= tablaMeret_;
}

std::uint8_t TTablaComponent::Mezo(int x, int y) const {
    return InRange(x, y) ? mezo_[x][y] : 0;
}

void TTablaComponent::SetMezo(int x, int y, std::uint8_t value) {
    if (!InRange(x, y) || mezo_[x][y] == value) return;
    mezo_[x][y] = value;
    Redraw(x, y);
}

std::uint8_t TTablaComponent::Jel(int x, int y) const {
    return InRange(x, y) ? jel_[x][y] : 0;
}

void TTablaComponent::SetJel(int x, int y, std::uint8_t value) {
    if (!InRange(x, y) || jel_[x][y] == value) return;
    jel_[x][y] = value;
    Redraw(x, y);
}

QString TTablaComponent::Szoveg(int x, int y) const {
    return InRange(x, y) ? szoveg_[x][y] : QString();
}

void TTablaComponent::SetSzoveg(int x, int y, const QString& text) {
    if (!InRange(x, y)) return;
    const QString cut = text.left(3);
    if (szoveg_[x][y] == cut) return;
    szoveg_[x][y] = cut;
    Redraw(x, y);
}

TColor TTablaComponent::ErtekSzin(int x, int y) const {
    return InRange(x, y) ? ertekSzin_[x][y] : kNoColor;
}

void TTablaComponent::SetErtekSzin(int x, int y, TColor color) {
    if (!InRange(x, y) || ertekSzin_[x][y] == color) return;
    ertekSzin_[x][y] = color;
    Redraw(x, y);
}

void TTablaComponent::Clear() {
    for (int x = 1; x <= tablaMeret_; ++x) {
        for (int y = 1; y <= tablaMeret_; ++y) {
            mezo_[x][y] = 0;
            jel_[x][y] = 0;
            szoveg_[x][y].clear();
            ertekSzin_[x][y] = kNoColor;
        }
    }
    RepaintAll();
}

void TTablaComponent::ClearJel() {
    for (int x = 1; x <= tablaMeret_; ++x)
        for (int y = 1; y <= tablaMeret_; ++y) SetJel(x, y, 0);
}

void TTablaComponent::ClearSzoveg() {
    for (int x = 1; x <= tablaMeret_; ++x)
        for (int y = 1; y <= tablaMeret_; ++y) SetSzoveg(x, y, QString());
}

void TTablaComponent::ClearErtekSzin() {
    for (int x = 1; x <= tablaMeret_; ++x)
        for (int y = 1; y <= tablaMeret_; ++y) SetErtekSzin(x, y, kNoColor);
}

void TTablaComponent::MeasureLabels() {
    if (labelsMeasured_) return;
    const QFontMetrics metrics(font_.Face, this);
    labelW_ = metrics.horizontalAdvance(QStringLiteral("15"));
    labelH_ = metrics.height();
    labelsMeasured_ = true;
}

TTablaGeometry TTablaComponent::Geometry() {
    MeasureLabels();
    TTablaGeometry g;
    g.LabelW = labelW_;
    g.LabelH = labelH_;
    g.CellW = (width() - (labelW_ + Margin) * 2 - 1) / tablaMeret_;
    g.CellH = (height() - (labelH_ + Margin) * 2 - 1) / tablaMeret_;
    g.OriginX = Margin + labelW_ + g.CellW / 2 + 1;
    g.OriginY = Margin + labelH_ + g.CellH / 2 + 1;
    return g;
}

QSize TTablaComponent::SquareCellSize(QSize room) {
    MeasureLabels();
    const int borderW = (labelW_ + Margin) * 2 + 1;
    const int borderH = (labelH_ + Margin) * 2 + 1;
    const int cell =
        std::min((room.width() - borderW) / tablaMeret_, (room.height() - borderH) / tablaMeret_);
    if (cell <= 0) return room;
    // The cell sizes are whole pixels: only the room beyond N cells is given back.
    return QSize(borderW + cell * tablaMeret_, borderH + cell * tablaMeret_);
}

void TTablaComponent::RepaintAll() {
    canvasCurrent_ = false;
    update();
}

void TTablaComponent::paintEvent(QPaintEvent* event) {
    // Qt asking for the whole control gets a full paint; the boxes of single
    // intersections were drawn on the canvas already and are only copied.
    const bool whole = QRegion(rect()).subtracted(event->region()).isEmpty();
    if (!canvasCurrent_ || canvas_.size() != size() || whole) FullPaint();
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r, canvas_, r);
}

void TTablaComponent::FullPaint() {
    if (canvas_.size() != size()) {
        canvas_ = QImage(size(), QImage::Format_RGB32);
        // Point-sized fonts must come out as large on the canvas as on the control.
        canvas_.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        canvas_.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    }
    if (canvas_.isNull()) return;
    QPainter painter(&canvas_);
    TCanvas c(painter);
    c.SetFont(font_);
    const TTablaGeometry g = Geometry();
    paintGeometry_ = g;
    const int n = tablaMeret_;

    c.SetBrush(backColor_);
    c.SetPen(lineColor_);
    c.Rectangle(0, 0, width(), height());

    const int lastX = g.OriginX + (n - 1) * g.CellW;
    const int lastY = g.OriginY + (n - 1) * g.CellH;
    for (int r = 0; r < n; ++r)
        c.Line(g.OriginX, g.OriginY + r * g.CellH, lastX, g.OriginY + r * g.CellH);
    for (int k = 0; k < n; ++k)
        c.Line(g.OriginX + k * g.CellW, g.OriginY, g.OriginX + k * g.CellW, lastY);

    // The far labels sit half a cell beyond the last line: round((N - 0.5) * cell).
    const int bottomY = RoundHalfEven((2 * n - 1) * g.CellH, 2) + g.OriginY + 1;
    const int rightX = RoundHalfEven((2 * n - 1) * g.CellW, 2) + g.OriginX + 1;
    for (int k = 0; k < n; ++k) {
        const QString letter(QChar('A' + k));
        const int x = g.OriginX + k * g.CellW - c.TextWidth(letter) / 2;
        c.TextOut(x, Margin, letter);
        c.TextOut(x, bottomY, letter);
    }
    const QString one = QStringLiteral("1");
    for (int r = 0; r < n; ++r) {
        const QString number = QString::number(r + 1);
        // One-digit numbers move right by a digit so they end where two-digit ones do.
        const int pad = r + 1 < 10 ? c.TextWidth(one) : 0;
        const int y = g.OriginY + r * g.CellH - c.TextHeight(one) / 2;
        c.TextOut(Margin + pad, y, number);
        c.TextOut(rightX + pad, y, number);
    }

    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) DrawIntersection(c, x, y);
    canvasCurrent_ = true;
}

void TTablaComponent::Redraw(int x, int y) {
    // Without a current canvas a full paint is on its way and will show the change;
    // intersections beyond N are kept but not shown.
    if (!canvasCurrent_ || !OnGrid(x, y)) return;
    QRect touched;
    {
        QPainter painter(&canvas_);
        TCanvas c(painter);
        touched = DrawIntersection(c, x, y);
    }
    update(touched);
}

QRect TTablaComponent::DrawIntersection(TCanvas& c, int x, int y) const {
    const TTablaGeometry& g = paintGeometry_;
    const int n = tablaMeret_;
    const int cx = g.OriginX + (x - 1) * g.CellW;
    const int cy = g.OriginY + (y - 1) * g.CellH;
    const int hw = g.CellW / 2;
    const int hh = g.CellH / 2;
    // The stone box; a shadow reaches 2 pixels further right and down.
    const int x1 = cx - hw + StoneInset, y1 = cy - hh + StoneInset;
    const int x2 = cx + hw - StoneInset, y2 = cy + hh - StoneInset;
    QRect touched(cx - hw, cy - hh, 2 * hw + 1, 2 * hh + 1);

    const std::uint8_t mezo = mezo_[x][y];
    if (mezo == 1 || mezo == 2) {
        if (showShadow_) {
            c.SetPen(shadowColor_);
            for (int shift = 0; shift <= 2; ++shift)
                c.Arc(x1 + shift, y1 + shift, x2 + shift, y2 + shift, kShadowStart, kShadowSpan);
        }
        const TColor stone = mezo == 1 ? blackColor_ : whiteColor_;
        c.SetBrush(stone);
        c.SetPen(stone);
        c.Ellipse(x1, y1, x2, y2);
    } else if (mezo == 0) {
        // Erase the stone box, and with shadows on the 2 pixels a shadow may cover.
        const int grow = showShadow_ ? 2 : 0;
        c.SetBrush(backColor_);
        c.SetPen(backColor_);
        c.FillRect(x1 - grow, y1 - grow, x2 + grow, y2 + grow);
        c.SetPen(lineColor_);
        c.Line(x == 1 ? cx : cx - hw, cy, x == n ? cx : cx + hw, cy);
        c.Line(cx, y == 1 ? cy : cy - hh, cx, y == n ? cy : cy + hh);
    }

    const TColor disc = ertekSzin_[x][y];
    if (disc != kNoColor) {
        c.SetBrush(disc);
        c.SetPen(disc);
        c.Ellipse(x1, y1, x2, y2);
    }

    if (jel_[x][y] != 0) DrawMark(c, jel_[x][y], cx, cy, hw, hh);

    const QString& text = szoveg_[x][y];
    if (!text.isEmpty()) {
        c.SetFont(mezoFont_);
        // Readable on a stone: the colour of the other stone. This changes only this
        // text, never MezoFont itself.
        if (c.BrushColor() == blackColor_)
            c.SetFontColor(whiteColor_);
        else if (c.BrushColor() == whiteColor_)
            c.SetFontColor(blackColor_);
        const int w = c.TextWidth(text);
        const int h = c.TextHeight(text);
        c.TextOut(cx - w / 2, cy - h / 2, text);
        touched |= QRect(cx - w / 2, cy - h / 2, w, h);
    }
    return touched;
}

void TTablaComponent::DrawMark(TCanvas& c, int kind, int cx, int cy, int hw, int hh) const {
    const int d = JelInset;
    c.SetPen(jelColor_);
    const int a = hw - d;
    const int b = hh - d;
    switch (kind) {
    case 1: { // triangle, apex up
        const int apexY = cy - hh + d - 1;
        const int baseY = cy + hh - d;
        c.Line(cx, apexY, cx + a, baseY);
        c.Line(cx + a, baseY, cx - a, baseY);
        c.Line(cx - a, baseY, cx, apexY);
        break;
    }
    case 2: // square
        c.Line(cx - a, cy - b, cx + a, cy - b);
        c.Line(cx + a, cy - b, cx + a, cy + b);
        c.Line(cx + a, cy + b, cx - a, cy + b);
        c.Line(cx - a, cy + b, cx - a, cy - b);
        break;
    case 3: // circle inscribed in the square, outline only
        c.EllipseOutline(cx - a, cy - b, cx + a + 1, cy + b + 1);
        break;
    default:
        break;
    }
}

void TTablaComponent::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    const TTablaGeometry g = Geometry();
    // The nearest intersection: round((p - origin) / cell + 1), halves to even. A
    // control too small for cells has no intersections at all.
    int col = 0;
    int row = 0;
    if (g.CellW > 0 && g.CellH > 0) {
        col = RoundHalfEven(pos.x() - g.OriginX + g.CellW, g.CellW);
        row = RoundHalfEven(pos.y() - g.OriginY + g.CellH, g.CellH);
    }
    const bool onGrid = OnGrid(col, row);
    TPont xy;
    xy.Y = static_cast<std::uint8_t>(std::clamp(row, 0, 255));
    xy.X = onGrid ? static_cast<std::uint8_t>(col) : 0;

    if (OnClick) OnClick(event->button(), xy);

    if (event->button() == Qt::LeftButton) {
        if (!EditMode || !onGrid) return;
        if (Mezo(col, row) != 0 && ProtectStones) return;
        SetJel(col, row, 0);
        SetSzoveg(col, row, QString());
        SetMezo(col, row, EditColour);
        if (OnMove) OnMove(xy);
    } else if (event->button() == Qt::RightButton) {
        if (ColourCycling) EditColour = static_cast<std::uint8_t>((EditColour + 1) % 3);
    }
}

void TTablaComponent::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (OnMouseMove) {
        const QPoint pos = event->position().toPoint();
        OnMouseMove(event->buttons(), event->modifiers(), pos.x(), pos.y());
    }
}

} // namespace vorlix
