#include "app/window_settings.h"

#include "base/ascii_text.h"
#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr const char* kMru = "mru_list";
constexpr const char* kMruMax = "mru_max";

// The recent-list size is a whole number; anything else keeps the preset. Entries carry a
// one-digit accelerator, so the count stays within 1..9.
int readMruMax(const std::string& text, int preset) {
    std::optional<int> n = wholeNumber(trimmed(text, kBlankOrTab));
    return n ? std::clamp(*n, 1, 9) : preset;
}

} // namespace

void RecentListSettings::load(const IniStore& ini) {
    mruMax = readMruMax(ini.getIni(kMru, kMruMax), mruMax);
    for (int k = 0; k < mruMax; ++k)
        mruItems[k] = trimmed(ini.getIni(kMru, "itm_" + std::to_string(k + 1)), kBlankOrTab);
}

void RecentListSettings::save(const IniStore& ini) const {
    ini.putIniQuietly(kMru, kMruMax, writeNumber(mruMax));
}

} // namespace vantrel
