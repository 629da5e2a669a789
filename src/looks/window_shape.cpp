#include "looks/window_shape.h"

#include "base/twips.h"

#include <algorithm>

namespace vantrel {

WindowShape windowShape(WindowKind kind, bool rounded) {
    const auto px = [](int twips) { return pixelsFromTwips(twips); };
    switch (kind) {
    case WindowKind::MainLarge:
        return rounded ? WindowShape{px(4740), true, true, 80}
                       : WindowShape{px(4570), true, false, 0};
    case WindowKind::MainSmall:
        return rounded ? WindowShape{px(1490), false, false, 90}
                       : WindowShape{px(1340), false, false, 0};
    case WindowKind::TagEditor:
        return rounded ? WindowShape{px(4800), true, true, 80}
                       : WindowShape{px(4600), true, false, 0};
    case WindowKind::FolderBrowser:
        return rounded ? WindowShape{px(3690), true, true, 55} : WindowShape{0, true, false, 0};
    }
    return {};
}

RoundedRegion roundedRegion(int width, int height, int ellipse) {
    // Intersected with the window's rectangle (0, 0)-(W, H), which it never leaves except on
    // a window too small to keep anything.
    return {3, 3, std::max(3, width - 2), std::max(3, height - 12), ellipse};
}

} // namespace vantrel
