#include "desktop/ticker_settings.h"

#include "settings/ini_values.h"

namespace vantrel {

namespace {

// What the ticker shows, in the options section; its looks, in the looks section.
constexpr SettingKey kTrayFileName{kOptionsSection, "tray_opt_0"};
constexpr SettingKey kTrayArtist{kOptionsSection, "tray_opt_2"};
constexpr SettingKey kTrayAlbum{kOptionsSection, "tray_opt_3"};
constexpr SettingKey kTraySpeed{kOptionsSection, "tray_speed"};
constexpr SettingKey kBannerFore{kLooksSection, "bnr_fore_color"};
constexpr SettingKey kBannerBack{kLooksSection, "bnr_back_color"};
constexpr SettingKey kBannerFont{kLooksSection, "bnr_font"};
constexpr SettingKey kBannerSize{kLooksSection, "bnr_size"};
constexpr SettingKey kBannerBold{kLooksSection, "bnr_bold"};
constexpr SettingKey kBannerItalic{kLooksSection, "bnr_italic"};
constexpr SettingKey kBannerUnderline{kLooksSection, "bnr_underline"};

} // namespace

void TickerSettings::load(const IniStore& ini) {
    loadShown(ini);
    banner.fore = readColour(kBannerFore.text(ini)).value_or(BannerLooks::kFore);
    banner.back = readColour(kBannerBack.text(ini)).value_or(BannerLooks::kBack);
    banner.font = kBannerFont.text(ini);
    banner.size = kBannerSize.number(ini);
    banner.bold = readWordFlag(kBannerBold.text(ini));
    banner.italic = readWordFlag(kBannerItalic.text(ini));
    banner.underline = readWordFlag(kBannerUnderline.text(ini));
}

void TickerSettings::loadShown(const IniStore& ini) {
    trayFileName = kTrayFileName.flag(ini);
    trayArtist = kTrayArtist.flag(ini);
    trayAlbum = kTrayAlbum.flag(ini);
    traySpeed = kTraySpeed.number(ini);
}

void TickerSettings::save(const IniStore& ini) const {
    // A failed write is not reported: the dialog has no message for it.
    IniStore::Batch batch = ini.beginBatch();
    if (!trayFileName) {
        kTrayArtist.putFlag(ini, trayArtist);
        kTrayAlbum.putFlag(ini, trayAlbum);
    }
    kTrayFileName.putFlag(ini, trayFileName);
    kTraySpeed.putNumber(ini, traySpeed);
    kBannerFore.put(ini, writeColour(banner.fore));
    kBannerBack.put(ini, writeColour(banner.back));
    kBannerFont.put(ini, banner.font);
    kBannerSize.putNumber(ini, banner.size);
    kBannerBold.put(ini, writeWordFlag(banner.bold));
    kBannerItalic.put(ini, writeWordFlag(banner.italic));
    kBannerUnderline.put(ini, writeWordFlag(banner.underline));
}

} // namespace vantrel
