#pragma once

#include "settings/ini_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The keys of the windows still to come, each with its feature's load and exit steps. Values
// stay as read; each window applies its own rules to them.

// The tag editor: the genre list's order, and the fields and genre it remembers.
struct EditorSettings {
    bool genreStandardOrder = false; // "genre" is "1"
    std::array<std::string, 5> tagFields;
    int rememberedGenre = 0;
    void load(const IniStore& ini);
    void save(const IniStore& ini) const;
};

// The window's looks and the ticker's colours and font.
struct LooksSettings {
    std::string backImg;
    bool onTop = false;
    std::optional<std::uint32_t> edgeColour, frameColour;
    bool edgeHide = false;
    std::optional<std::uint32_t> bannerFore, bannerBack;
    std::string bannerFont;
    std::optional<int> bannerSize;
    bool bannerBold = false, bannerItalic = false, bannerUnderline = false;
    void load(const IniStore& ini);
};

// What the ticker shows and how fast it scrolls.
struct TickerSettings {
    bool trayFileName = false, trayArtist = false, trayAlbum = false;
    int traySpeed = 0;
    void load(const IniStore& ini);
};

} // namespace vantrel
