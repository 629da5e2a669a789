#include "playlist/recent_lists.h"

#include "base/ascii_text.h"
#include "base/number_text.h"
#include "settings/ini_store.h"

#include <algorithm>

namespace vantrel {

namespace {

// The count is written at exit, the slots at every change.
constexpr SettingKey kMruMax{kMruSection, "mru_max"};
constexpr NumberedKey kMruSlots{kMruSection, "itm_"};
constexpr int kPresetMax = 7;

} // namespace

void RecentLists::load(const IniStore& ini) {
    // A whole number, else the preset; a caption carries one digit, so the count stays 1..9.
    std::optional<int> n = wholeNumber(trimmed(kMruMax.text(ini), kBlankOrTab));
    const int count = n ? std::clamp(*n, 1, 9) : kPresetMax;
    slots_.assign(static_cast<std::size_t>(count), {});
    for (int k = 1; k <= count; ++k)
        slots_[static_cast<std::size_t>(k - 1)] =
            std::string(trimmed(kMruSlots.text(ini, k), kBlankOrTab));
    changed();
}

void RecentLists::save(const IniStore& ini) const {
    kMruMax.putNumber(ini, mruMax());
}

std::string RecentLists::caption(int k) const {
    return "&" + std::to_string(k) + " " + slot(k);
}

void RecentLists::store(int k) const {
    // Not reported: a lost entry only means a shorter list at the next start.
    kMruSlots.put(ini_, k, slot(k));
}

void RecentLists::mruAdd(const std::string& path) {
    // The moved slots go to the file together.
    IniStore::Batch batch = ini_.beginBatch();
    const std::vector<std::string> old = slots_;
    slots_[0] = path;
    store(1);
    int n = 2;
    // Slots past the last one moved keep what they held, written or not.
    for (int i = 0; i + 1 < mruMax(); ++i) {
        if (old[static_cast<std::size_t>(i)].empty() || old[static_cast<std::size_t>(i)] == path)
            continue;
        slots_[static_cast<std::size_t>(n - 1)] = old[static_cast<std::size_t>(i)];
        store(n++);
    }
    changed();
}

void RecentLists::mruRemove(const std::string& path) {
    IniStore::Batch batch = ini_.beginBatch();
    const std::vector<std::string> old = slots_;
    int n = 1;
    for (const std::string& entry : old) {
        if (entry.empty() || entry == path) continue;
        slots_[static_cast<std::size_t>(n - 1)] = entry;
        store(n++);
    }
    for (; n <= mruMax(); ++n) {
        slots_[static_cast<std::size_t>(n - 1)].clear();
        store(n);
    }
    changed();
}

void RecentLists::clear() {
    IniStore::Batch batch = ini_.beginBatch();
    for (int k = 1; k <= mruMax(); ++k)
        kMruSlots.put(ini_, k, "");
}

} // namespace vantrel
