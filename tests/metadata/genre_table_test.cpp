#include "metadata/genre_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

std::string folded(std::string_view name) {
    std::string s(name);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

TEST(GenreTable, AlphabeticalListHoldsEveryNamedGenreOnceInOrder) {
    const auto& sorted = genres::alphabetical();
    std::set<int> numbers;
    for (const auto& g : sorted) {
        EXPECT_FALSE(g.name.empty());
        EXPECT_EQ(genres::name(g.number), g.name);
        numbers.insert(g.number);
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(genres::kCount));
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return folded(a.name) < folded(b.name);
    }));
    for (int n : {-1, genres::kCount, 255})
        EXPECT_EQ(genres::name(n), "") << n;
}

} // namespace
} // namespace vantrel
