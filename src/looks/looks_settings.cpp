#include "looks/looks_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

void LooksSettings::load(const IniStore& ini) {
    backImg = kBackImg.text(ini);
    onTop = kOnTop.flag(ini);
    edgeColour = readColour(kEdgeColour.text(ini));
    edgeHide = kEdgeHide.flag(ini);
    frameColour = readColour(kFrameColour.text(ini));
}

} // namespace vantrel
