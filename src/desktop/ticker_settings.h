#pragma once

#include "settings/ini_store.h"

#include <cstdint>
#include <string>

namespace vantrel {

// The ticker's font and colours; colours are 0x00BBGGRR, as the settings store them.
struct BannerLooks {
    // Unset colours: light text on black, as the main window.
    static constexpr std::uint32_t kFore = 0xFFFFFF, kBack = 0x000000;
    std::uint32_t fore = kFore, back = kBack;
    std::string font; // empty: the window's own font
    int size = 0;     // 0: the font's own size
    bool bold = false, italic = false, underline = false;
};

// What the ticker shows, how fast it scrolls and how it looks.
struct TickerSettings {
    bool trayFileName = false, trayArtist = false, trayAlbum = false;
    int traySpeed = 0; // -10..10
    BannerLooks banner;
    void load(const IniStore& ini);
    // Only what the ticker shows and its speed, as the ticker options dialog reads them when it
    // opens.
    void loadShown(const IniStore& ini);
    // The ticker options' OK: the keys in their order, flags of the banner as "True"/"False".
    // The artist and album flags are written only when the title is shown.
    void save(const IniStore& ini) const;
};

} // namespace vantrel
