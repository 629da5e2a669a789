#pragma once

#include "base/signal.h"

namespace vantrel {

class PlaylistRows;
struct PlaylistRow;

// The rows' Selected marks and the selected item: the row last clicked or last marked by the
// program (0 when there is none). The marks live in the rows; this class sets them as the
// list's clicks and the program ask, and follows its rows through moves, sorts and renames.
class PlaylistSelection {
public:
    enum class Click { Plain, Ctrl, Shift };

    explicit PlaylistSelection(PlaylistRows& rows);

    int selectedItem() const;
    const PlaylistRow* selectedRow() const { return selectedItem_; }
    int selectedCount() const;

    // Marking from the program leaves the other rows' marks as they are; a set mark makes the
    // row the selected item.
    void setSelected(int index, bool selected);
    // A click as the platform's list handles it: alone, Ctrl adds or drops one row, Shift
    // selects the range from the last plain or Ctrl click.
    void clickRow(int index, Click how);
    // The keyboard moved the focus: the row becomes the selected item, marks stay.
    void setSelectedItem(int index);
    void invert();

    // Marks of rows first..last, or the selected item, may have changed.
    Signal<int, int> changed;

private:
    PlaylistRows& rows_;
    const PlaylistRow* selectedItem_ = nullptr;
    const PlaylistRow* anchor_ = nullptr;
    Connection leaving_;
};

} // namespace vantrel
