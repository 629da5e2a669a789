#pragma once

#include <optional>

namespace vantrel {

// The three windows that share the looks.
enum class WindowKind { MainLarge, MainSmall, TagEditor, FolderBrowser };

// A window's rounded or square shape, in pixels (twips converted at 15 a pixel).
struct WindowShape {
    int height = 0;        // the window's height; 0 keeps the design height
    bool edgeShown = true; // the edge outline (before the user's "No Edge")
    bool edgeRounded = false;
    std::optional<int> edgeTop;         // unset: the design top
    std::optional<int> edgeHeightExtra; // the outline's height = inner height + this; unset: design
    int ellipse = 0;                    // the corner ellipse's width and height; 0 for square
};

// The shape of a window for the rounded or the square look.
WindowShape windowShape(WindowKind kind, bool rounded);

// The region a rounded window keeps: a rectangle from (left, top) to (right, bottom) with
// corners of `ellipse` pixels, inside the window's own rectangle.
struct RoundedRegion {
    int left, top, right, bottom, ellipse;
    bool operator==(const RoundedRegion&) const = default;
};
// W and H are the window's outer width and height in pixels.
RoundedRegion roundedRegion(int width, int height, int ellipse);

} // namespace vantrel
