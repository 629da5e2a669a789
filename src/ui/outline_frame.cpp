#include "ui/outline_frame.h"

#include <QPainter>

namespace vantrel {

OutlineFrame::OutlineFrame(const QString& name, QRect where, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setGeometry(where);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineFrame::setColour(QColor colour) {
    colour_ = colour;
    update();
}

void OutlineFrame::setRadius(double radius) {
    radius_ = radius;
    update();
}

void OutlineFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    painter.setBrush(Qt::NoBrush);
    // Through the middle of the outermost pixels, so a square outline is crisp.
    const QRectF line = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius_ <= 0) {
        painter.drawRect(line);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(line, radius_, radius_);
}

OutlineFrame* addFrame(QWidget& window, const QString& array, int index, QRect where) {
    auto* frame = new OutlineFrame(array + QString::number(index), where, &window);
    frame->lower();
    return frame;
}

OutlineFrame* addEdge(QWidget& window) {
    auto* edge = new OutlineFrame("ShapeBorder", window.rect(), &window);
    edge->lower();
    // Over the frames, which may meet it, but under every control.
    for (OutlineFrame* frame : window.findChildren<OutlineFrame*>(Qt::FindDirectChildrenOnly))
        if (frame != edge) frame->stackUnder(edge);
    return edge;
}

QLabel* addImageBack(QWidget& window) {
    auto* back = new QLabel(&window);
    back->setObjectName("ImageBack");
    back->setScaledContents(true);
    back->setGeometry(window.rect());
    back->hide();
    back->lower();
    return back;
}

} // namespace vantrel
