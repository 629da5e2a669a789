#include "desktop/ui/banner_font.h"

namespace vantrel {

QFont bannerFont(const BannerLooks& looks, QFont base) {
    if (!looks.font.empty()) base.setFamily(QString::fromStdString(looks.font));
    if (looks.size != 0) {
        base.setPointSize(looks.size);
        base.setBold(looks.bold);
        base.setItalic(looks.italic);
        base.setUnderline(looks.underline);
    }
    return base;
}

QColor colourFromStored(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace vantrel
