#pragma once

#include "settings/ini_store.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The windows' shared looks as stored: background picture, on top, edge and frame outlines.
// Colours are 0x00BBGGRR; an unset colour means the main window's text colour.
struct LooksSettings {
    std::string backImg;
    bool onTop = false;
    std::optional<std::uint32_t> edgeColour, frameColour;
    bool edgeHide = false;
    void load(const IniStore& ini);
};

} // namespace vantrel
