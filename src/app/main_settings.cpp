#include "app/main_settings.h"

#include "base/ascii_text.h"

#include "settings/ini_values.h"

#include <algorithm>
#include <charconv>

namespace vantrel {

namespace {

constexpr const char* kOptions = "options";
constexpr const char* kLooks = "looks";
constexpr const char* kMusicTag = "music_tag";
constexpr const char* kMru = "mru_list";

// The recent-list size is a whole number; anything else keeps the preset. Entries carry a
// one-digit accelerator, so the count stays within 1..9.
int readMruMax(const std::string& text, int preset) {
    std::string t(trimmed(text, kBlankOrTab));
    int n = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return preset;
    return std::clamp(n, 1, 9);
}

void readLooks(const IniStore& ini, MainSettings& s) {
    s.backImg = ini.getIni(kLooks, "back_img");
    s.onTop = readFlag(ini.getIni(kOptions, "on_top"));
    s.bannerFore = readColour(ini.getIni(kLooks, "bnr_fore_color"));
    s.bannerBack = readColour(ini.getIni(kLooks, "bnr_back_color"));
    s.bannerFont = ini.getIni(kLooks, "bnr_font");
    if (std::string size = ini.getIni(kLooks, "bnr_size"); !size.empty())
        s.bannerSize = readNumber16(size);
    s.bannerBold = readWordFlag(ini.getIni(kLooks, "bnr_bold"));
    s.bannerItalic = readWordFlag(ini.getIni(kLooks, "bnr_italic"));
    s.bannerUnderline = readWordFlag(ini.getIni(kLooks, "bnr_underline"));
    s.edgeColour = readColour(ini.getIni(kLooks, "edg_col"));
    s.edgeHide = readFlag(ini.getIni(kLooks, "edg_hide"));
    s.frameColour = readColour(ini.getIni(kLooks, "frm_col"));
}

} // namespace

MainSettings readMainSettings(const IniStore& ini) {
    MainSettings s;
    s.genreStandardOrder = readFlag(ini.getIni(kOptions, "genre"));
    s.muteLeft = readCheckState(ini.getIni(kOptions, "bal_l"));
    s.muteRight = readCheckState(ini.getIni(kOptions, "bal_r"));
    s.longDisp = readFlag(ini.getIni(kOptions, "long_disp"));
    s.loop = readCheckState(ini.getIni(kOptions, "loop"));
    s.random = readCheckState(ini.getIni(kOptions, "random"));
    for (int k = 0; k < 5; ++k)
        s.tagFields[k] = ini.getIni(kMusicTag, "tag_" + std::to_string(k + 1));
    s.rememberedGenre = readNumber16(ini.getIni(kMusicTag, "genre"));
    s.trayFileName = readFlag(ini.getIni(kOptions, "tray_opt_0"));
    s.trayArtist = readFlag(ini.getIni(kOptions, "tray_opt_2"));
    s.trayAlbum = readFlag(ini.getIni(kOptions, "tray_opt_3"));
    s.traySpeed = readNumber16(ini.getIni(kOptions, "tray_speed"));
    s.mruMax = readMruMax(ini.getIni(kMru, "mru_max"), s.mruMax);
    for (int k = 0; k < s.mruMax; ++k)
        s.mruItems[k] = trimmed(ini.getIni(kMru, "itm_" + std::to_string(k + 1)), kBlankOrTab);
    readLooks(ini, s);
    return s;
}

void wriIni(const IniStore& ini, const ExitKeys& k) {
    // A failed write is not reported: the setting is simply lost at the next start.
    ini.putIni(kOptions, "genre", writeFlag(k.genreStandardOrder));
    ini.putIni(kOptions, "bal_l", writeCheckState(k.muteLeft));
    ini.putIni(kOptions, "bal_r", writeCheckState(k.muteRight));
    ini.putIni(kOptions, "vol", writeNumber(k.volume));
    ini.putIni(kOptions, "long_disp", writeFlag(k.longDisp));
    ini.putIni(kOptions, "loop", writeCheckState(k.loop));
    ini.putIni(kOptions, "random", writeCheckState(k.random));
    ini.putIni(kMru, "mru_max", writeNumber(k.mruMax));
    ini.putIni(kOptions, "fade_in", writeFlag(k.fadeIn));
    ini.putIni(kOptions, "fade_out", writeFlag(k.fadeOut));
    ini.putIni(kOptions, "fade_hold", writeFlag(k.fadeHold));
}

} // namespace vantrel
