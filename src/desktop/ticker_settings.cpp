#include "desktop/ticker_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

namespace {

constexpr const char* kOptions = "options";
constexpr const char* kLooks = "looks";

} // namespace

void TickerSettings::load(const IniStore& ini) {
    trayFileName = readFlag(ini.getIni(kOptions, "tray_opt_0"));
    trayArtist = readFlag(ini.getIni(kOptions, "tray_opt_2"));
    trayAlbum = readFlag(ini.getIni(kOptions, "tray_opt_3"));
    traySpeed = readNumber16(ini.getIni(kOptions, "tray_speed"));
    banner.fore = readColour(ini.getIni(kLooks, "bnr_fore_color")).value_or(BannerLooks::kFore);
    banner.back = readColour(ini.getIni(kLooks, "bnr_back_color")).value_or(BannerLooks::kBack);
    banner.font = ini.getIni(kLooks, "bnr_font");
    banner.size = readNumber16(ini.getIni(kLooks, "bnr_size"));
    banner.bold = readWordFlag(ini.getIni(kLooks, "bnr_bold"));
    banner.italic = readWordFlag(ini.getIni(kLooks, "bnr_italic"));
    banner.underline = readWordFlag(ini.getIni(kLooks, "bnr_underline"));
}

void TickerSettings::save(const IniStore& ini) const {
    // A failed write is not reported: the dialog has no message for it.
    if (!trayFileName) {
        ini.putIniQuietly(kOptions, "tray_opt_2", writeFlag(trayArtist));
        ini.putIniQuietly(kOptions, "tray_opt_3", writeFlag(trayAlbum));
    }
    ini.putIniQuietly(kOptions, "tray_opt_0", writeFlag(trayFileName));
    ini.putIniQuietly(kOptions, "tray_speed", writeNumber(traySpeed));
    ini.putIniQuietly(kLooks, "bnr_fore_color", writeColour(banner.fore));
    ini.putIniQuietly(kLooks, "bnr_back_color", writeColour(banner.back));
    ini.putIniQuietly(kLooks, "bnr_font", banner.font);
    ini.putIniQuietly(kLooks, "bnr_size", writeNumber(banner.size));
    ini.putIniQuietly(kLooks, "bnr_bold", writeWordFlag(banner.bold));
    ini.putIniQuietly(kLooks, "bnr_italic", writeWordFlag(banner.italic));
    ini.putIniQuietly(kLooks, "bnr_underline", writeWordFlag(banner.underline));
}

} // namespace vantrel
