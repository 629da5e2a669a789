#pragma once

#include "base/signal.h"
#include "settings/setting_key.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class IniStore;

// The list settings dialog's core (frmSearch): which of the eleven fields are columns, in
// which order, and whether grid lines are drawn.
class ListSettings {
public:
    // Grid lines in the list; read at start-up too, before the list is built.
    static constexpr SettingKey kGrid{kOptionsSection, "grid"};

    struct Entry {
        std::string caption;
        int field = 0;
        bool checked = false;
        bool operator==(const Entry&) const = default;
    };

    // toglHeaders rebuilds the list's columns from the stored keys.
    ListSettings(const IniStore& ini, Dialogs& dialogs, std::function<void()> toglHeaders,
                 bool useGrid);

    // mnuListOpt_Click: the entries and the grid box from the settings.
    void open();
    const std::vector<Entry>& entries() const { return entries_; }
    // The highlighted entry (0-based), -1 for none.
    int current() const { return current_; }
    void setCurrent(int index) { current_ = index; }
    void setChecked(int index, bool checked);
    bool grid() const { return grid_; }
    void setGrid(bool grid) { grid_ = grid; }

    // cmdMove_Click: 0 moves the highlighted entry up, 1 down; nothing at the ends.
    void cmdMove(int index);
    // cmdOK_Click: stores the choice and rebuilds the columns. False, with a message, when no
    // column is checked: a list without columns could show nothing.
    bool cmdOK();

    // Entries, the highlight or the grid box changed.
    Signal<> changed;

private:
    const IniStore& ini_;
    Dialogs& dialogs_;
    std::function<void()> toglHeaders_;
    bool useGrid_;
    std::vector<Entry> entries_;
    int current_ = -1;
    bool grid_ = false;
};

} // namespace vantrel
