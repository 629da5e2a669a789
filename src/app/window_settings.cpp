#include "app/window_settings.h"

#include "base/ascii_text.h"
#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr const char* kOptions = "options";
constexpr const char* kLooks = "looks";
constexpr const char* kMusicTag = "music_tag";
constexpr const char* kGenreOrder = "genre";

} // namespace

void EditorSettings::load(const IniStore& ini) {
    genreStandardOrder = readFlag(ini.getIni(kOptions, kGenreOrder));
    for (int k = 0; k < 5; ++k)
        tagFields[k] = ini.getIni(kMusicTag, "tag_" + std::to_string(k + 1));
    rememberedGenre = readNumber16(ini.getIni(kMusicTag, "genre"));
}

void EditorSettings::save(const IniStore& ini) const {
    ini.putIniQuietly(kOptions, kGenreOrder, writeFlag(genreStandardOrder));
}

void LooksSettings::load(const IniStore& ini) {
    backImg = ini.getIni(kLooks, "back_img");
    onTop = readFlag(ini.getIni(kOptions, "on_top"));
    bannerFore = readColour(ini.getIni(kLooks, "bnr_fore_color"));
    bannerBack = readColour(ini.getIni(kLooks, "bnr_back_color"));
    bannerFont = ini.getIni(kLooks, "bnr_font");
    if (std::string size = ini.getIni(kLooks, "bnr_size"); !size.empty())
        bannerSize = readNumber16(size);
    bannerBold = readWordFlag(ini.getIni(kLooks, "bnr_bold"));
    bannerItalic = readWordFlag(ini.getIni(kLooks, "bnr_italic"));
    bannerUnderline = readWordFlag(ini.getIni(kLooks, "bnr_underline"));
    edgeColour = readColour(ini.getIni(kLooks, "edg_col"));
    edgeHide = readFlag(ini.getIni(kLooks, "edg_hide"));
    frameColour = readColour(ini.getIni(kLooks, "frm_col"));
}

void TickerSettings::load(const IniStore& ini) {
    trayFileName = readFlag(ini.getIni(kOptions, "tray_opt_0"));
    trayArtist = readFlag(ini.getIni(kOptions, "tray_opt_2"));
    trayAlbum = readFlag(ini.getIni(kOptions, "tray_opt_3"));
    traySpeed = readNumber16(ini.getIni(kOptions, "tray_speed"));
}

} // namespace vantrel
