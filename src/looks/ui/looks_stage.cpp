#include "looks/ui/looks_stage.h"

#include "ui/outline_frame.h"

#include <QPainterPath>
#include <QWindow>

#include <algorithm>

namespace vantrel {

namespace {

QColor colourOf(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool isFrame(const QObject* o) {
    return o->objectName().startsWith("Shape2") || o->objectName().startsWith("Shape3");
}

int order(WindowKind kind) {
    return kind == WindowKind::FolderBrowser ? 1 : kind == WindowKind::TagEditor ? 2 : 0;
}

} // namespace

void LooksStage::shapeWindow(QWidget& window, const WindowShape& shape) {
    auto* edge = window.findChild<OutlineFrame*>("ShapeBorder", Qt::FindDirectChildrenOnly);
    if (auto* back = window.findChild<QLabel*>("ImageBack", Qt::FindDirectChildrenOnly))
        back->setGeometry(window.rect());
    if (shape.ellipse == 0) {
        window.clearMask();
        if (edge) {
            edge->setGeometry(window.rect());
            edge->setRadius(0);
        }
        return;
    }
    const RoundedRegion r = roundedRegion(window.width(), window.height(), shape.ellipse);
    const QRect inside(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
    if (edge) {
        edge->setGeometry(inside);
        edge->setRadius(shape.edgeRounded ? r.ellipse / 2.0 : 0);
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(inside.x(), inside.y(), inside.width(), inside.height()),
                        r.ellipse / 2.0, r.ellipse / 2.0);
    QRegion region = QRegion(window.rect()).intersected(QRegion(path.toFillPolygon().toPolygon()));
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!control->isHidden() && !control->isWindow() && !qobject_cast<OutlineFrame*>(control) &&
            control->objectName() != "ImageBack" && region.intersects(control->geometry()))
            region += control->geometry().intersected(inside); // the corners only
    window.setMask(region);
}

void LooksStage::attach(QWidget& window, WindowKind kind) {
    attached_.push_back({&window, kind});
    std::stable_sort(attached_.begin(), attached_.end(), [](const Attached& a, const Attached& b) {
        return order(a.kind) < order(b.kind);
    });
    if (kind == WindowKind::TagEditor || kind == WindowKind::FolderBrowser) {
        const WindowShape shape = windowShape(kind, looks_.useRound());
        if (shape.height > 0) window.setFixedHeight(shape.height);
        shapeWindow(window, shape);
    }
    giveLooks(window);
}

std::vector<QWidget*> LooksStage::windows() const {
    std::vector<QWidget*> out;
    for (const Attached& a : attached_)
        if (a.window) out.push_back(a.window.data());
    return out;
}

void LooksStage::giveLooks(QWidget& window) const {
    if (auto* edge = window.findChild<OutlineFrame*>("ShapeBorder")) {
        edge->setColour(colourOf(edge_));
        if (edgeHidden_) edge->hide();
    }
    for (OutlineFrame* f : window.findChildren<OutlineFrame*>())
        if (isFrame(f)) f->setColour(colourOf(frame_));
    if (auto* back = window.findChild<QLabel*>("ImageBack"); back && !picture_.isNull()) {
        back->setPixmap(picture_);
        back->setVisible(pictureShown_);
    }
    if (onTop_) {
        if (QWindow* handle = window.windowHandle())
            handle->setFlag(Qt::WindowStaysOnTopHint, true);
        else
            window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
}

bool LooksStage::loadPicture(const std::string& file) {
    QPixmap loaded(QString::fromStdString(file));
    if (loaded.isNull()) return false;
    picture_ = loaded;
    for (QWidget* w : windows())
        if (auto* back = w->findChild<QLabel*>("ImageBack")) back->setPixmap(picture_);
    return true;
}

void LooksStage::showPicture(bool shown) {
    pictureShown_ = shown;
    for (QWidget* w : windows())
        if (auto* back = w->findChild<QLabel*>("ImageBack")) {
            back->setVisible(shown && !back->pixmap().isNull());
            back->lower();
        }
}

void LooksStage::setTopmost(bool on) {
    onTop_ = on;
    // Through the native window, so the window is neither hidden nor moved nor activated;
    // one not shown yet takes the hint when it is.
    for (QWidget* w : windows()) {
        if (QWindow* handle = w->windowHandle())
            handle->setFlag(Qt::WindowStaysOnTopHint, on);
        else
            w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    }
}

void LooksStage::setEdge(std::uint32_t colour, bool hidden) {
    edge_ = colour;
    edgeHidden_ = hidden;
    for (QWidget* w : windows())
        if (auto* edge = w->findChild<OutlineFrame*>("ShapeBorder")) {
            edge->setColour(colourOf(colour));
            edge->setVisible(!hidden);
        }
}

void LooksStage::setFrames(std::uint32_t colour) {
    frame_ = colour;
    for (QWidget* w : windows())
        for (OutlineFrame* f : w->findChildren<OutlineFrame*>())
            if (isFrame(f)) f->setColour(colourOf(colour));
}

} // namespace vantrel
