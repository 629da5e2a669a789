#pragma once

#include "metadata/track_fields.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace vantrel {

// The cell texts of one playlist row, by field number, kept in one block: the end of each
// text, then the texts themselves. A row with no text holds no block. A million rows cost a
// block each instead of eleven strings each.
class RowCells {
public:
    static constexpr std::size_t kCount = kTrackFieldCount;

    // One cell, for writing: `row.fields[f] = text`.
    class Cell {
    public:
        Cell& operator=(std::string_view text) {
            cells_.set(field_, text);
            return *this;
        }
        operator std::string_view() const { return cells_.get(field_); }

    private:
        friend class RowCells;
        Cell(RowCells& cells, std::size_t field) : cells_(cells), field_(field) {}
        RowCells& cells_;
        std::size_t field_;
    };

    RowCells() = default;
    RowCells(const RowCells& other);
    RowCells& operator=(const RowCells& other);
    RowCells(RowCells&&) noexcept = default;
    RowCells& operator=(RowCells&&) noexcept = default;

    std::string_view operator[](std::size_t field) const { return get(field); }
    Cell operator[](std::size_t field) { return Cell(*this, field); }
    // Throws std::out_of_range for a field past the last.
    std::string_view at(std::size_t field) const;
    std::string_view get(std::size_t field) const;
    // A cell's text; the texts of a row together stop at 65,535 bytes (a listed file's path
    // and tag texts come to a few kilobytes at most).
    void set(std::size_t field, std::string_view text);
    static constexpr std::size_t size() { return kCount; }

private:
    using End = std::uint16_t;
    static constexpr std::size_t kHead = kCount * sizeof(End);
    End end(std::size_t field) const;
    std::size_t textBytes() const { return block_ ? end(kCount - 1) : 0; }

    std::unique_ptr<char[]> block_;
};

} // namespace vantrel
