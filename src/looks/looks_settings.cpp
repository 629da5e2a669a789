#include "looks/looks_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

void LooksSettings::load(const IniStore& ini) {
    backImg = ini.getIni("looks", "back_img");
    onTop = readFlag(ini.getIni("options", "on_top"));
    edgeColour = readColour(ini.getIni("looks", "edg_col"));
    edgeHide = readFlag(ini.getIni("looks", "edg_hide"));
    frameColour = readColour(ini.getIni("looks", "frm_col"));
}

} // namespace vantrel
