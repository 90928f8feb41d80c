#pragma once
// Helpers shared by the board view tests: the main window's settings of the view,
// pixel reads, mouse presses and a recorder of paint events.

#include "vorlix/view/tablaobj.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace view_test {

using vorlix::TColor;
using vorlix::TTablaComponent;

// The view as the main window sets it up.
inline void SetUpLikeWindow(TTablaComponent& view) {
    view.SetBackColor(11187385);
    view.SetJelColor(vorlix::kColorRed);
    view.SetShadowColor(8225420);
    view.SetFont(vorlix::PixelFont("Arial", 13, vorlix::kColorMaroon));
    view.SetMezoFont(vorlix::PixelFont("Arial", 11, vorlix::kColorMaroon));
    view.SetShowShadow(true);
    view.resize(336, 339);
}

// A full paint, as Qt asks for when the control is shown.
inline QImage Render(TTablaComponent& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    return image;
}

inline TColor At(const QImage& image, int x, int y) {
    return vorlix::FromQColor(QColor(image.pixel(x, y)));
}

// Number of pixels of `color` inside `box`.
inline int Count(const QImage& image, const QRect& box, TColor color) {
    int n = 0;
    const QRect r = box.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += At(image, x, y) == color;
    return n;
}

// Whether `pixel` is at least half-way from `under` to `ink`: text drawn in `ink` on
// `under`, smoothed edges included.
inline bool IsInk(TColor pixel, TColor ink, TColor under) {
    auto distance = [](TColor a, TColor b) {
        int d = 0;
        for (int shift : {0, 8, 16})
            d = std::max(d, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
        return d;
    };
    return 2 * distance(pixel, ink) < distance(under, ink);
}

inline int CountInk(const QImage& image, const QRect& box, TColor ink, TColor under) {
    int n = 0;
    const QRect r = box.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += IsInk(At(image, x, y), ink, under);
    return n;
}

inline QRect InkExtent(const QImage& image, const QRect& box, TColor ink, TColor under) {
    QRect found;
    const QRect r = box.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (IsInk(At(image, x, y), ink, under)) found |= QRect(x, y, 1, 1);
    return found;
}

// Smallest rectangle holding every pixel of `color` inside `box` (empty if none).
inline QRect Extent(const QImage& image, const QRect& box, TColor color) {
    QRect found;
    const QRect r = box.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (At(image, x, y) == color) found |= QRect(x, y, 1, 1);
    return found;
}

// Centre of intersection (x, y) for a geometry.
inline QPoint Point(const vorlix::TTablaGeometry& g, int x, int y) {
    return QPoint(g.OriginX + (x - 1) * g.CellW, g.OriginY + (y - 1) * g.CellH);
}

// The intersection's box: its point plus or minus half a cell.
inline QRect Box(const vorlix::TTablaGeometry& g, int x, int y) {
    const QPoint p = Point(g, x, y);
    return QRect(p.x() - g.CellW / 2, p.y() - g.CellH / 2, g.CellW / 2 * 2 + 1,
                 g.CellH / 2 * 2 + 1);
}

inline void Press(TTablaComponent& view, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, y), view.mapToGlobal(QPointF(x, y)),
                      button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

// Records the regions of the paint events a widget receives.
class PaintSpy : public QObject {
  public:
    explicit PaintSpy(QWidget& widget) { widget.installEventFilter(this); }
    std::vector<QRegion> regions;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

// Lets Qt deliver pending events, paints included.
inline void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

} // namespace view_test
