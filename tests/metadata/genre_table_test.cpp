#include "metadata/genre_table.h"

#include <gtest/gtest.h>
#include <set>

namespace vantrel {
namespace {

TEST(GenreTable, NamesKeepTheirOwnSpellings) {
    struct Case {
        int number;
        const char* name;
    } cases[] = {
        {0, "Blues"},
        {9, "Heavy Metal"},
        {14, "R&B"},
        {17, "Rock"},
        {32, "Classical"},
        {40, "Alternate Rock"},
        {51, "Techno Industrial"},
        {53, "Pop Folk"},
        {62, "Pop Funk"},
        {67, "Psychadelic"},
        {71, "Lo Fi"},
        {78, "Rock & Roll"},
        {79, "Hard Rock"},
        {80, "Folk"},
        {93, "Psychedelic Rock"},
        {123, "Acapella"},
        {125, "Dance Hall"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(genres::name(c.number), c.name) << c.number;
    for (int n : {-1, 126, 200, 255})
        EXPECT_EQ(genres::name(n), "") << n;
}

TEST(GenreTable, AlphabeticalListHoldsEveryGenreOnceInOrder) {
    const auto& sorted = genres::alphabetical();
    std::set<int> numbers;
    for (const auto& g : sorted) {
        EXPECT_EQ(genres::name(g.number), g.name);
        numbers.insert(g.number);
    }
    EXPECT_EQ(numbers.size(), 126u);
    EXPECT_EQ(sorted.front().name, "Acapella");
    EXPECT_EQ(sorted.back().name, "Vocal");
    auto position = [&](std::string_view name) {
        for (std::size_t i = 0; i < sorted.size(); ++i)
            if (sorted[i].name == name) return i;
        return sorted.size();
    };
    EXPECT_LT(position("R&B"), position("Rap"));
    EXPECT_LT(position("Rock"), position("Rock & Roll"));
    EXPECT_LT(position("Top 40"), position("Trailer"));
    EXPECT_LT(position("Euro-House"), position("Euro-Techno"));
    EXPECT_LT(position("Euro-Techno"), position("Eurodance")); // '-' sorts before letters
}

} // namespace
} // namespace vantrel
