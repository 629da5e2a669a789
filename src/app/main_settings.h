#pragma once

#include "settings/ini_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// What the main window's load step reads from the settings file, in the order it reads it,
// for the parts of the program that render it. Values stay as read; each part applies its own
// rules to them.
struct MainSettings {
    // Tag editor's genre list: standard order when "genre" is "1".
    bool genreStandardOrder = false;
    // Transport: mute boxes (check-box states) and volume.
    int muteLeft = 0, muteRight = 0;
    int volume = 0;
    // Audio output.
    int soundCard = 0;
    std::string audioDest;
    bool outAsMp = false, outToWav = false;
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
    // Fader.
    bool fadeIn = false, fadeOut = false, fadeHold = false;
    int volPause = 0;
    std::int32_t premFade = 0;
    int volIn = 0, volOut = 0;
};

// The load step's reading of every key but the columns, which the playlist builds itself.
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
