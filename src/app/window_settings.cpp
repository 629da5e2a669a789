#include "app/window_settings.h"

#include "base/ascii_text.h"
#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr const char* kLooks = "looks";
constexpr const char* kMusicTag = "music_tag";
constexpr const char* kMru = "mru_list";
constexpr const char* kGenreOrder = "genre";
constexpr const char* kMruMax = "mru_max";

// The recent-list size is a whole number; anything else keeps the preset. Entries carry a
// one-digit accelerator, so the count stays within 1..9.
int readMruMax(const std::string& text, int preset) {
    std::optional<int> n = wholeNumber(trimmed(text, kBlankOrTab));
    return n ? std::clamp(*n, 1, 9) : preset;
}

} // namespace

void EditorSettings::load(const IniStore& ini) {
    genreStandardOrder = readFlag(ini.getIni(kOptionsSection, kGenreOrder));
    for (int k = 0; k < 5; ++k)
        tagFields[k] = ini.getIni(kMusicTag, "tag_" + std::to_string(k + 1));
    rememberedGenre = readNumber16(ini.getIni(kMusicTag, "genre"));
}

void EditorSettings::save(const IniStore& ini) const {
    ini.putIniQuietly(kOptionsSection, kGenreOrder, writeFlag(genreStandardOrder));
}

void LooksSettings::load(const IniStore& ini) {
    backImg = ini.getIni(kLooks, "back_img");
    onTop = readFlag(ini.getIni(kOptionsSection, "on_top"));
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
    trayFileName = readFlag(ini.getIni(kOptionsSection, "tray_opt_0"));
    trayArtist = readFlag(ini.getIni(kOptionsSection, "tray_opt_2"));
    trayAlbum = readFlag(ini.getIni(kOptionsSection, "tray_opt_3"));
    traySpeed = readNumber16(ini.getIni(kOptionsSection, "tray_speed"));
}

void RecentListSettings::load(const IniStore& ini) {
    mruMax = readMruMax(ini.getIni(kMru, kMruMax), mruMax);
    for (int k = 0; k < mruMax; ++k)
        mruItems[k] = trimmed(ini.getIni(kMru, "itm_" + std::to_string(k + 1)), kBlankOrTab);
}

void RecentListSettings::save(const IniStore& ini) const {
    ini.putIniQuietly(kMru, kMruMax, writeNumber(mruMax));
}

} // namespace vantrel
