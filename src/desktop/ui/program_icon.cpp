#include "desktop/ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace vantrel {

// The program's note on its black face, drawn here so that no image plugin is needed.
QIcon programIcon() {
    QIcon themed = QIcon::fromTheme("vantrel");
    if (!themed.isNull() && !themed.pixmap(32, 32).isNull()) return themed;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(16, 16, 16));
    p.setPen(QColor(224, 224, 224));
    p.drawRoundedRect(1, 1, 30, 30, 7, 7);
    p.setBrush(QColor(240, 240, 240));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(8, 19, 8, 6));
    p.drawEllipse(QRectF(18, 17, 8, 6));
    p.drawRect(QRectF(14, 7, 2, 15));
    p.drawRect(QRectF(24, 5, 2, 15));
    p.drawPolygon(QPolygonF({QPointF(14, 7), QPointF(26, 5), QPointF(26, 9), QPointF(14, 11)}));
    return QIcon(pixmap);
}

} // namespace vantrel
