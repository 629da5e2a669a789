#pragma once

#include "base/signal.h"

#include <string>
#include <vector>

namespace vantrel {

class IniStore;

// The recently used playlists of the Files menu: a fixed number of slots (1..9, one digit of
// accelerator each), newest first, kept in the settings file and written at every change.
class RecentLists {
public:
    explicit RecentLists(const IniStore& ini) : ini_(ini) {}

    // The slot count and the slots, read once at start-up; the count is written back at exit.
    void load(const IniStore& ini);
    void save(const IniStore& ini) const;

    int mruMax() const { return static_cast<int>(slots_.size()); }
    // Slot k (1-based): a path, or empty when the slot is unused.
    const std::string& slot(int k) const { return slots_.at(static_cast<std::size_t>(k - 1)); }
    // The menu caption of slot k: "&k " and the path.
    std::string caption(int k) const;

    // The path moves or enters at the top; the others keep their order and the oldest falls
    // off a full list. Comparison is exact, letter case included.
    void mruAdd(const std::string& path);
    // The path leaves and the gap closes; the emptied slots at the end are stored empty.
    void mruRemove(const std::string& path);
    // "Clear MRU list": the stored slots are emptied; this run's menu keeps its entries.
    void clear();

    // A slot changed; the menu re-renders its entries.
    Signal<> changed;

private:
    void store(int k) const;

    const IniStore& ini_;
    std::vector<std::string> slots_ = std::vector<std::string>(7);
};

} // namespace vantrel
