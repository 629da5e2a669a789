#pragma once

#include "settings/ini_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// What the main window's load step reads from the settings file, in the order it reads it,
// for the parts that have no settings of their own yet. Values stay as read; each part applies
// its own rules to them. The transport, fader and audio output read their own keys.
struct MainSettings {
    // Tag editor's genre list: standard order when "genre" is "1".
    bool genreStandardOrder = false;
    // Transport: mute boxes (check-box states).
    int muteLeft = 0, muteRight = 0;
    // Layout.
    bool longDisp = false;
    // Sequencing boxes (check-box states).
    int loop = 0, random = 0;
    // Tag editor's remembered fields and genre.
    std::array<std::string, 5> tagFields;
    int rememberedGenre = 0;
    // Looks.
    std::string backImg;
    bool onTop = false;
    std::optional<std::uint32_t> edgeColour, frameColour;
    bool edgeHide = false;
    // Ticker.
    bool trayFileName = false, trayArtist = false, trayAlbum = false;
    int traySpeed = 0;
    std::optional<std::uint32_t> bannerFore, bannerBack;
    std::string bannerFont;
    std::optional<int> bannerSize;
    bool bannerBold = false, bannerItalic = false, bannerUnderline = false;
    // Recent playlists: the slot count (1..9) and the slots.
    int mruMax = 7;
    std::array<std::string, 9> mruItems;
};

// The load step's reading of those keys.
MainSettings readMainSettings(const IniStore& ini);

// The exit keys, written when the main window closes.
struct ExitKeys {
    bool genreStandardOrder = false;
    int muteLeft = 0, muteRight = 0, volume = 0;
    bool longDisp = false;
    int loop = 0, random = 0;
    int mruMax = 7;
    bool fadeIn = false, fadeOut = false, fadeHold = false;
};
void wriIni(const IniStore& ini, const ExitKeys& keys);

} // namespace vantrel
