#pragma once

#include <cstddef>
#include <string_view>

namespace vantrel {

// The order the playlist sorts its cells in: as text, never as numbers (" 128 Kbit" comes
// before " 96 Kbit"), letter case ignored. Case folding covers A-Z and the accented capitals
// À-Þ that single-byte tags can hold; everything else compares by code point. Texts equal
// under this order keep their list order, so a sort never shuffles them.
int compareCells(std::string_view a, std::string_view b);

// Byte i of a text as compareCells sees it: letter case folded.
unsigned char foldedCellByte(std::string_view text, std::size_t i);

inline bool cellLess(std::string_view a, std::string_view b) {
    return compareCells(a, b) < 0;
}

} // namespace vantrel
