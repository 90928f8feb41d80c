#include "kelvor/ui/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kelvor {

QIcon AppIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(222, 184, 135));
    QPainter p(&pixmap);
    p.setPen(QColor(60, 40, 20));
    for (int i = 4; i < 32; i += 8) {
        p.drawLine(i, 0, i, 31);
        p.drawLine(0, i, 31, i);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(12, 12), 3, 3);
    p.drawEllipse(QPoint(20, 20), 3, 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(20, 12), 3, 3);
    return QIcon(pixmap);
}

} // namespace kelvor
