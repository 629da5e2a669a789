#pragma once

#include <array>
#include <string_view>

namespace vantrel {

// The genre names of the ID3v1 genre numbers 0..125; 126..255 have no name.
namespace genres {

constexpr int kCount = 126;

// Entry n is the name of genre number n.
const std::array<std::string_view, kCount>& byNumber();

struct SortedGenre {
    std::string_view name;
    int number;
};

// The same names in alphabetical order: bytes compared after folding A-Z to a-z, so blanks,
// punctuation and digits sort before letters ("R&B" before "Rap") and a name comes before its
// longer forms ("Rock" before "Rock & Roll").
const std::array<SortedGenre, kCount>& alphabetical();

// The name of genre number n; empty for numbers without a name.
std::string_view name(int number);

} // namespace genres
} // namespace vantrel
