#pragma once

namespace vantrel {

// The three windows that share the looks.
enum class WindowKind { MainLarge, MainSmall, TagEditor, FolderBrowser };

// A window's rounded or square shape, in pixels (twips converted at 15 a pixel). The edge
// outline runs along the window's rectangle when square and along the rounded region's own
// border when rounded: a region here holds only the window's inside (the title bar is the
// window manager's), so an outline placed above the inside's top, as where the region took in
// the title bar, would lie outside the region and never show.
struct WindowShape {
    int height = 0;        // the window's height; 0 keeps the design height
    bool edgeShown = true; // the edge outline (before the user's "No Edge")
    bool edgeRounded = false;
    int ellipse = 0; // the corner ellipse's width and height; 0 for square
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
