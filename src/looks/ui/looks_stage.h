#pragma once

#include "looks/looks.h"
#include "looks/window_shape.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace vantrel {

// The windows that wear the shared looks. A window registers itself once with attach(); from
// then on the core's looks reach it: the edge outline `ShapeBorder`, the frame outlines
// `Shape2*` and `Shape3*`, the background picture `ImageBack`, and always-on-top.
class LooksStage : public LooksTarget {
public:
    explicit LooksStage(const Looks& looks) : looks_(looks) {}

    // Registers a window and gives it the current looks; the tag editor and the folder browser
    // also take their rounded or square shape here, once.
    void attach(QWidget& window, WindowKind kind);

    // A window's shape for its current size: the edge outline along the window (square) or
    // along the rounded region's border, and the rounded region, widened by every control the
    // curve would cut so that none shows in part. A square window has no region.
    static void shapeWindow(QWidget& window, const WindowShape& shape);

    bool loadPicture(const std::string& file) override;
    void showPicture(bool shown) override;
    void setTopmost(bool on) override;
    void setEdge(std::uint32_t colour, bool hidden) override;
    void setFrames(std::uint32_t colour) override;

private:
    struct Attached {
        QPointer<QWidget> window;
        WindowKind kind;
    };
    // In the order the program has always treated them: main, folder browser, tag editor.
    std::vector<QWidget*> windows() const;
    void giveLooks(QWidget& window) const;

    const Looks& looks_;
    std::vector<Attached> attached_;
    QPixmap picture_;
    bool pictureShown_ = false;
    std::uint32_t edge_ = Looks::kTextColour, frame_ = Looks::kTextColour;
    bool edgeHidden_ = false;
    bool onTop_ = false;
};

} // namespace vantrel
