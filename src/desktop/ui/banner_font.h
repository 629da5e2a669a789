#pragma once

#include "desktop/ticker_settings.h"

#include <QColor>
#include <QFont>

namespace vantrel {

// The banner's font on top of a window's own: name and size only when set, the styles with
// the size, as the ticker has always applied them.
QFont bannerFont(const BannerLooks& looks, QFont base);
QColor colourFromStored(std::uint32_t bgr);

} // namespace vantrel
