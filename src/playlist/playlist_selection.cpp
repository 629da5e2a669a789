#include "playlist/playlist_selection.h"

#include "playlist/playlist_rows.h"

#include <algorithm>

namespace vantrel {

PlaylistSelection::PlaylistSelection(PlaylistRows& rows) : rows_(rows) {
    leaving_ = rows_.leaving.connect([this](const PlaylistRow& row) {
        if (selectedItem_ == &row) selectedItem_ = nullptr;
        if (anchor_ == &row) anchor_ = nullptr;
    });
}

int PlaylistSelection::selectedItem() const {
    return rows_.indexOf(selectedItem_);
}

int PlaylistSelection::selectedCount() const {
    return rows_.markedCount();
}

void PlaylistSelection::setSelected(int index, bool selected) {
    if (index < 1 || index > rows_.count()) return;
    rows_.setMark(index, selected);
    if (selected) selectedItem_ = &rows_.row(index);
    changed(index, index);
}

void PlaylistSelection::setSelectedItem(int index) {
    if (index < 1 || index > rows_.count()) return;
    selectedItem_ = anchor_ = &rows_.row(index);
    changed(index, index);
}

void PlaylistSelection::clickRow(int index, Click how) {
    if (index < 1 || index > rows_.count()) return;
    const PlaylistRow* clicked = &rows_.row(index);
    if (how == Click::Ctrl) {
        rows_.setMark(index, !clicked->selected);
        anchor_ = clicked;
    } else {
        int from = index, to = index;
        if (how == Click::Shift && anchor_) {
            from = std::min(index, rows_.indexOf(anchor_));
            to = std::max(index, rows_.indexOf(anchor_));
        } else {
            anchor_ = clicked;
        }
        for (int i = 1; i <= rows_.count(); ++i)
            rows_.setMark(i, i >= from && i <= to);
    }
    selectedItem_ = clicked;
    changed(1, rows_.count());
}

void PlaylistSelection::invert() {
    for (int i = 1; i <= rows_.count(); ++i)
        rows_.setMark(i, !rows_.row(i).selected);
    if (rows_.count() > 0) changed(1, rows_.count());
}

} // namespace vantrel
