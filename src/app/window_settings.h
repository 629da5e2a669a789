#pragma once

#include "desktop/ticker_settings.h"
#include "looks/looks_settings.h"
#include "settings/ini_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// The keys of the windows still to come, each with its feature's load and exit steps. Values
// stay as read; each window applies its own rules to them.

// The recent playlists: the slot count (1..9) and the slots.
struct RecentListSettings {
    int mruMax = 7;
    std::array<std::string, 9> mruItems;
    void load(const IniStore& ini);
    void save(const IniStore& ini) const;
};

} // namespace vantrel
