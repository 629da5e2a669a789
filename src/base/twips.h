#pragma once

namespace vantrel {

// Layouts are measured in twips, at 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int pixelsFromTwips(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace vantrel
