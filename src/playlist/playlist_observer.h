#pragma once

namespace vantrel {

// Told about every change of a PlaylistModel, in the begin/end pairs a Qt item model needs.
// Row numbers are 1-based list indices, as everywhere in the playlist; "about to" calls number
// rows as they are before the change, the others as they are after it. Every call has an
// empty default, so a subscriber overrides only what it shows.
class PlaylistObserver {
public:
    virtual ~PlaylistObserver() = default;

    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    // One row leaves `source` and ends at `target` (the row dropped on moves aside). In Qt's
    // 0-based terms: beginMoveRows({}, source - 1, source - 1, {}, target > source ? target
    // : target - 1).
    virtual void rowAboutToBeMoved(int /*source*/, int /*target*/) {}
    virtual void rowMoved(int /*source*/, int /*target*/) {}
    // The same rows in a new order (a sort); keys stay, indices change.
    virtual void rowsAboutToBeReordered() {}
    virtual void rowsReordered() {}
    // Anything may have changed: all rows, and with columnsRebuilt also the columns.
    virtual void modelAboutToBeReset() {}
    virtual void modelReset() {}
    virtual void columnsRebuilt() {}
    // Header texts (the sort mark moved).
    virtual void headersChanged() {}
    // Selected marks of rows first..last, or the selected item, may have changed.
    virtual void selectionChanged(int /*first*/, int /*last*/) {}
    // lblLstSel / lblLstTotal texts.
    virtual void countersChanged() {}
    // The list should scroll this row into view.
    virtual void scrollIntoView(int /*index*/) {}
};

} // namespace vantrel
