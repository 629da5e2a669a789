#include "ui/lamp.h"

#include <QPainter>

namespace vantrel {

Lamp::Lamp(const QString& name, QColor litColour, Shape shape, QWidget* parent)
    : QWidget(parent), litColour_(litColour), shape_(shape) {
    setObjectName(name);
}

void Lamp::setLit(bool lit) {
    if (lit_ == lit) return;
    lit_ = lit;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit_ ? litColour_ : dark_);
    if (shape_ == Shape::Round)
        painter.drawEllipse(rect());
    else
        painter.drawRect(rect());
}

} // namespace vantrel
