#pragma once

#include "settings/ini_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The windows' shared looks as stored: background picture, on top, edge and frame outlines.
// Colours are 0x00BBGGRR; an unset colour means the main window's text colour.
struct LooksSettings {
    // The looks' keys. "round" is read at start-up too, before any window is built.
    static constexpr SettingKey kBackImg{kLooksSection, "back_img"};
    static constexpr SettingKey kOnTop{kOptionsSection, "on_top"};
    static constexpr SettingKey kEdgeColour{kLooksSection, "edg_col"};
    static constexpr SettingKey kEdgeHide{kLooksSection, "edg_hide"};
    static constexpr SettingKey kFrameColour{kLooksSection, "frm_col"};
    static constexpr SettingKey kRound{kOptionsSection, "round"};

    std::string backImg;
    bool onTop = false;
    std::optional<std::uint32_t> edgeColour, frameColour;
    bool edgeHide = false;
    void load(const IniStore& ini);
};

} // namespace vantrel
