#include "metadata/genre_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

TEST(GenreTable, AlphabeticalListHoldsEveryNamedGenreOnceInOrder) {
    const auto& sorted = genres::alphabetical();
    std::set<int> numbers;
    for (const auto& g : sorted) {
        EXPECT_FALSE(g.name.empty());
        EXPECT_EQ(genres::name(g.number), g.name);
        numbers.insert(g.number);
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(genres::kCount));
    auto lower = [](unsigned char c) { return std::tolower(c); };
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
        return std::ranges::lexicographical_compare(a.name, b.name, std::less{}, lower, lower);
    }));
    for (int n : {-1, genres::kCount, 255})
        EXPECT_EQ(genres::name(n), "") << n;
}

} // namespace
} // namespace vantrel
