#pragma once

#include "playlist/list_columns.h"
#include "playlist/playlist_observer.h"
#include "playlist/playlist_row.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel {

// The playlist as the list view shows it: rows keyed by path in list order, the columns, the
// selection, the sort state and its header mark, the search column lstFind, the counters under
// the list and the current track. It does no I/O; PlaylistCommands fills it from files.
// Rows are addressed by 1-based index in list order, or by key.
class PlaylistModel {
public:
    using FileInHook = std::function<void(const std::string& curFile)>;
    enum class Click { Plain, Ctrl, Shift };

    PlaylistModel();
    ~PlaylistModel();
    PlaylistModel(const PlaylistModel&) = delete;
    PlaylistModel& operator=(const PlaylistModel&) = delete;

    // Observers are not owned; they must not subscribe or leave during a notification.
    void addObserver(PlaylistObserver* observer);
    void removeObserver(PlaylistObserver* observer);

    // Columns. setColumns is toglHeaders' rebuild: it empties the list, marks the first
    // header "A>Z" and sorts ascending by the first column, automatic sorting on.
    void setColumns(ListColumns columns);
    const ListColumns& columns() const { return columns_; }
    int columnCount() const { return columns_.count(); }
    bool fieldShown(int field) const { return columns_.fieldShown(field); }

    // Rows.
    int count() const { return static_cast<int>(rows_.size()); }
    const PlaylistRow& row(int index) const { return rows_.at(index - 1)->row; }
    const PlaylistRow* find(std::string_view key) const;
    bool contains(std::string_view key) const { return byKey_.count(key) != 0; }
    int indexOf(std::string_view key) const; // 0 when not listed
    // The cell of column c (1-based): column 1 is the row's Text, column c its SubItems(c - 1).
    const std::string& cell(int index, int column) const;
    // Adds a row, placed by the automatic sorting when it is on, else at the end. Returns its
    // index, or 0 when a row with that key exists (a file is never listed twice).
    int addRow(PlaylistRow row);
    // Removes the row with this key; false when there is none.
    bool removeRow(std::string_view key);
    void showRow(int index);

    // Selection: the Selected marks and the selected item (the row last clicked or last marked
    // by the program; 0 when there is none).
    int selectedItem() const;
    int selectedCount() const;
    // Marking from the program leaves the other rows' marks as they are.
    void setSelected(int index, bool selected);
    // A click as the platform's list handles it: alone, Ctrl adds or drops one row, Shift
    // selects the range from the last plain or Ctrl click.
    void clickRow(int index, Click how);

    // Sorting. sortColumn is 0 for the first column, c - 1 for column c.
    int sortColumn() const { return sortColumn_; }
    SortOrder sortOrder() const { return sortOrder_; }
    bool autoSort() const { return autoSort_; }
    // A click on header c whose width is widthPixels: the order toggles, the mark moves there
    // and the rows are sorted by that column's text.
    void headerClick(int column, int widthPixels);

    // The search column: entry i (0-based) is the sort column's cell of row i + 1 at the last
    // refill. Rows added or moved since may have shifted, so lstFindRow gives the row entry i
    // was taken from wherever it is now (0 when it is gone); a search selects that row.
    void refilLst();
    const std::vector<std::string>& lstFind() const { return lstFind_; }
    int lstFindRow(std::size_t entry) const;

    // Counters under the list.
    void calcLVItms();
    void showTotal();
    const std::string& lblLstSel() const { return lblLstSel_; }
    const std::string& lblLstTotal() const { return lblLstTotal_; }

    // The current track. setFileIn runs the hooks after recounting the selection: the hub
    // wires enabling Play when nothing plays, and the ticker text.
    const std::string& curFile() const { return curFile_; }
    void setFileIn(const std::string& fileIn);
    void onFileIn(FileInHook hook) { fileInHooks_.push_back(std::move(hook)); }
    // The list was clicked: its selected item becomes the current track.
    void listClick();

    // Dragging a row: the view reports the drag and the drop; target 0 is a drop where no row
    // lies. A drop switches automatic sorting off.
    bool dragging() const { return dragging_; }
    void dragMove() { dragging_ = true; }
    void dragDrop(int target);
    // Moves row `source` to `target`, keeping its cells and key, and marks it selected.
    bool moveRow(int target, int source);

    // The list commands, by menu element: 0 clear, 1 crop, 2 remove, 3 invert selection.
    void mnuEdLvItm(int element);
    void clearList();
    void cropSelection();
    void removeSelection();
    void invertSelection();

private:
    struct Entry {
        PlaylistRow row;
        mutable std::size_t position = 0;
    };

    template <typename Call, typename... Args> void notify(Call call, Args... args);
    template <typename Doomed> void removeWhere(Doomed doomed);
    void eraseRange(std::size_t first, std::size_t last);
    void forget(const Entry* entry);
    void removeAll();
    std::size_t insertionPoint(const PlaylistRow& row) const;
    int indexOfEntry(const Entry* entry) const;
    void sortRows();
    int sortField() const;
    void afterListCommand();

    ListColumns columns_;
    std::vector<std::unique_ptr<Entry>> rows_;
    std::unordered_map<std::string_view, Entry*> byKey_; // views into the entries' keys
    mutable bool positionsStale_ = false;
    const Entry* selectedItem_ = nullptr;
    const Entry* anchor_ = nullptr;

    int sortColumn_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    bool autoSort_ = false;
    std::vector<std::string> lstFind_;
    std::vector<std::string> lstFindKeys_;

    std::string lblLstSel_ = "Selected = 0";
    std::string lblLstTotal_ = "Total = 0";
    std::string curFile_;
    bool dragging_ = false;

    std::vector<FileInHook> fileInHooks_;
    std::vector<PlaylistObserver*> observers_;
};

} // namespace vantrel
