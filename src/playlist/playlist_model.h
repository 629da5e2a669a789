#pragma once

#include "base/signal.h"
#include "playlist/list_columns.h"
#include "playlist/playlist_row.h"
#include "playlist/playlist_rows.h"
#include "playlist/playlist_selection.h"
#include "playlist/playlist_sort.h"

#include <string>
#include <string_view>

namespace vantrel {

// The playlist as the main window shows it: the row store, the selection and the sort state
// under one set of columns, with the steps that involve more than one of them (adding a row
// where the sort puts it, the list commands, dragging a row), the counters under the list and
// the current track. It does no I/O; PlaylistCommands fills it from files.
class PlaylistModel {
public:
    using Click = PlaylistSelection::Click;

    PlaylistModel() = default;
    PlaylistModel(const PlaylistModel&) = delete;
    PlaylistModel& operator=(const PlaylistModel&) = delete;

    PlaylistRows& rows() { return rows_; }
    const PlaylistRows& rows() const { return rows_; }
    PlaylistSelection& selection() { return selection_; }
    const PlaylistSelection& selection() const { return selection_; }
    PlaylistSort& sorting() { return sort_; }
    const PlaylistSort& sorting() const { return sort_; }

    // Columns. setColumns is toglHeaders' rebuild: it empties the list, marks the first
    // header "A>Z" and sorts ascending by the first column, automatic sorting on.
    void setColumns(ListColumns columns);
    const ListColumns& columns() const { return columns_; }
    int columnCount() const { return columns_.count(); }
    bool fieldShown(int field) const { return columns_.fieldShown(field); }

    // The row access most callers need.
    int count() const { return rows_.count(); }
    const PlaylistRow& row(int index) const { return rows_.row(index); }
    bool contains(std::string_view key) const { return rows_.contains(key); }
    int indexOf(std::string_view key) const { return rows_.indexOf(key); }
    int selectedItem() const { return selection_.selectedItem(); }
    int selectedCount() const { return selection_.selectedCount(); }
    void setSelected(int index, bool selected) { selection_.setSelected(index, selected); }
    void clickRow(int index, Click how) { selection_.clickRow(index, how); }
    // The cell of column c (1-based): column 1 is the row's Text, column c its SubItems(c - 1).
    std::string_view cellText(int index, int column) const;
    std::string cell(int index, int column) const { return std::string(cellText(index, column)); }

    // Adds a row, placed by the automatic sorting when it is on, else at the end. Returns its
    // index, or 0 when a row with that key exists (a file is never listed twice).
    int addRow(PlaylistRow row);
    // Removes the row with this key and recounts the total; false when there is none.
    bool removeRow(std::string_view key);
    void showRow(int index);

    // A click on header c whose width is widthPixels: the order toggles, the mark moves there
    // and the rows are sorted by that column's text.
    void headerClick(int column, int widthPixels);
    void refilLst() { sort_.refilLst(); }

    // Counters under the list.
    void calcLVItms();
    void showTotal();
    const std::string& lblLstSel() const { return lblLstSel_; }
    const std::string& lblLstTotal() const { return lblLstTotal_; }

    // The current track. setFileIn raises fileIn after recounting the selection. A rename of
    // its row carries it along without raising fileIn.
    const std::string& curFile() const { return curFile_; }
    void setFileIn(const std::string& fileIn);
    // The list was clicked: its selected item becomes the current track.
    void listClick();

    // Dragging a row: the view reports the drag and the drop; target 0 is a drop where no row
    // lies. A drop switches automatic sorting off.
    bool dragging() const { return dragging_; }
    void dragMove() { dragging_ = true; }
    void dragDrop(int target);
    // Moves row `source` to `target`, keeping its cells and key, and marks it selected.
    bool moveRow(int target, int source);

    // The list commands of the Options menu.
    void clearList();
    void cropSelection();
    void removeSelection();
    void invertSelection();

    // Around a rebuild of the columns, which also empties the list.
    Signal<> columnsAboutToBeRebuilt, columnsRebuilt;
    Signal<> headersChanged;     // the sort mark moved
    Signal<> countersChanged;    // lblLstSel / lblLstTotal
    Signal<int> scrollRequested; // index of a row to bring into view
    // The current track was set; the hub enables Play when nothing plays and rebuilds the
    // ticker text.
    Signal<const std::string&> fileIn;

private:
    void afterListCommand();

    ListColumns columns_;
    PlaylistRows rows_;
    PlaylistSelection selection_{rows_};
    PlaylistSort sort_{rows_, columns_};
    std::string lblLstSel_ = "Selected = 0";
    std::string lblLstTotal_ = "Total = 0";
    std::string curFile_;
    bool dragging_ = false;
};

} // namespace vantrel
