#include "playlist/cell_collation.h"

#include <algorithm>

namespace vantrel {

// Byte i of a UTF-8 text with capitals folded. Folding keeps the length of every sequence,
// so two texts can be walked in step and their folded bytes still order by code point.
unsigned char foldedCellByte(std::string_view text, std::size_t i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
    // U+00C0..U+00DE are C3 80..C3 9E; U+00D7 (the multiplication sign) has no small form.
    if (i > 0 && static_cast<unsigned char>(text[i - 1]) == 0xC3 && c >= 0x80 && c <= 0x9E &&
        c != 0x97)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

int compareCells(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = foldedCellByte(a, i), y = foldedCellByte(b, i);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace vantrel
