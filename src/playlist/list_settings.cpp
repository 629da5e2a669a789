#include "playlist/list_settings.h"

#include "platform/dialogs.h"
#include "playlist/header_set.h"
#include "settings/ini_store.h"
#include "settings/next_start_notice.h"

#include <algorithm>
#include <utility>

namespace vantrel {

ListSettings::ListSettings(const IniStore& ini, Dialogs& dialogs, std::function<void()> toglHeaders,
                           bool useGrid)
    : ini_(ini), dialogs_(dialogs), toglHeaders_(std::move(toglHeaders)), useGrid_(useGrid) {}

void ListSettings::open() {
    const FieldCaptions captions = readFieldCaptions(ini_);
    entries_.clear();
    // The repaired set: a hand-edited file still gives each field once.
    for (const HeaderEntry& header : readHeaderSet(ini_))
        entries_.push_back(
            {captions[static_cast<std::size_t>(header.field)], header.field, header.shown});
    current_ = -1;
    grid_ = false;
    const std::string grid = kGrid.text(ini_);
    if (grid == "1" || grid == "0") useGrid_ = grid_ = grid == "1";
    changed();
}

void ListSettings::setChecked(int index, bool checked) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    entries_[static_cast<std::size_t>(index)].checked = checked;
}

void ListSettings::cmdMove(int index) {
    const int target = index == 0 ? current_ - 1 : current_ + 1;
    if (current_ < 0 || target < 0 || target >= static_cast<int>(entries_.size())) return;
    std::swap(entries_[static_cast<std::size_t>(current_)],
              entries_[static_cast<std::size_t>(target)]);
    current_ = target;
    changed();
}

bool ListSettings::cmdOK() {
    if (std::none_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.checked; })) {
        dialogs_.message("Check at least one column: the list needs a column to show its rows.", "",
                         Dialogs::Buttons::Ok, Dialogs::Icon::Information);
        return false;
    }
    // The columns and the grid go to the file together; the columns are rebuilt from the keys
    // already written in the batch.
    IniStore::Batch batch = ini_.beginBatch();
    HeaderSet headers;
    for (const Entry& entry : entries_)
        headers.push_back({entry.field, entry.checked});
    writeHeaderSet(ini_, headers);
    toglHeaders_();
    kGrid.putFlag(ini_, grid_);
    // Written before the box: a close while it shows must not wait on it.
    static_cast<void>(batch.commit());
    if (grid_ != useGrid_)
        tellNextStart(dialogs_, grid_ ? "Show Gridlines" : "Do Not Show Gridlines");
    return true;
}

} // namespace vantrel
