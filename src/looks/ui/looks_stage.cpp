#include "looks/ui/looks_stage.h"

#include <QPainterPath>
#include <QWindow>

#include <algorithm>

namespace vantrel {

namespace {

QString colourName(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF).name();
}

void outline(QFrame* shape, std::uint32_t colour) {
    shape->setStyleSheet("border: 1px solid " + colourName(colour) + "; background: transparent;");
}

int order(WindowKind kind) {
    return kind == WindowKind::FolderBrowser ? 1 : kind == WindowKind::TagEditor ? 2 : 0;
}

} // namespace

QRegion LooksStage::roundedMask(QSize outer, int ellipse) {
    const RoundedRegion r = roundedRegion(outer.width(), outer.height(), ellipse);
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top), r.ellipse / 2.0,
                        r.ellipse / 2.0);
    return QRegion(0, 0, outer.width(), outer.height())
        .intersected(QRegion(path.toFillPolygon().toPolygon()));
}

void LooksStage::attach(QWidget& window, WindowKind kind) {
    attached_.push_back({&window, kind});
    std::stable_sort(attached_.begin(), attached_.end(), [](const Attached& a, const Attached& b) {
        return order(a.kind) < order(b.kind);
    });
    if (kind == WindowKind::TagEditor || kind == WindowKind::FolderBrowser) {
        const WindowShape shape = windowShape(kind, looks_.useRound());
        if (shape.height > 0) window.setFixedHeight(shape.height);
        if (auto* edge = window.findChild<QFrame*>("ShapeBorder"); edge && shape.edgeHeightExtra) {
            const int top = shape.edgeTop.value_or(edge->y());
            edge->setGeometry(edge->x(), top, edge->width(),
                              window.height() + *shape.edgeHeightExtra);
        }
        if (shape.ellipse > 0) window.setMask(roundedMask(window.size(), shape.ellipse));
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
    if (auto* edge = window.findChild<QFrame*>("ShapeBorder")) {
        outline(edge, edge_);
        if (edgeHidden_) edge->hide();
    }
    for (QFrame* f : window.findChildren<QFrame*>())
        if (f->objectName().startsWith("Shape2") || f->objectName().startsWith("Shape3"))
            outline(f, frame_);
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
        if (auto* edge = w->findChild<QFrame*>("ShapeBorder")) {
            outline(edge, colour);
            edge->setVisible(!hidden);
        }
}

void LooksStage::setFrames(std::uint32_t colour) {
    frame_ = colour;
    for (QWidget* w : windows())
        for (QFrame* f : w->findChildren<QFrame*>())
            if (f->objectName().startsWith("Shape2") || f->objectName().startsWith("Shape3"))
                outline(f, colour);
}

} // namespace vantrel
