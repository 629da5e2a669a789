// The compact row store: its cells, and sorting and searching through shortcuts (first bytes
// compared as numbers) that must give what comparing the whole texts gives.
#include "playlist/cell_collation.h"
#include "playlist/find_as_you_type.h"
#include "playlist/playlist_model.h"
#include "support/scripted_dialogs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace vantrel {
namespace {

TEST(RowCellsTest, EachCellKeepsItsTextWhateverIsWrittenAroundIt) {
    RowCells cells;
    const RowCells& read = cells;
    const std::string longText(300, 'x');
    const std::pair<std::size_t, std::string> writes[] = {
        {5, "genre"}, {0, "name"}, {10, longText}, {5, ""}, {0, "n"}, {5, "Rock"}, {10, "1"}};
    std::array<std::string, RowCells::kCount> expected;
    for (const auto& [field, text] : writes) {
        cells[field] = text;
        expected[field] = text;
        for (std::size_t f = 0; f < RowCells::kCount; ++f)
            EXPECT_EQ(read[f], expected[f]) << field << " " << f;
    }
    const RowCells copy = cells;
    cells[0] = "changed";
    EXPECT_EQ(copy[0], "n");
    EXPECT_THROW((void)copy.at(RowCells::kCount), std::out_of_range);
}

// Short random texts that tie often, differ in case, accents, length and NULs.
std::string tricky(std::mt19937& random) {
    static const char* const pieces[] = {"a",        "A",        "b",        "\xC3\x80", "\xC3\xA0",
                                         "\xC3\x97", "\xC3\xB7", "abcdefgh", " "};
    std::string text;
    for (int n = int(random() % 12); n > 0; --n)
        text += random() % 9 == 0 ? std::string(1, '\0') : pieces[random() % 9];
    return text;
}

TEST(RowStoreTest, SortAndSearchAgreeWithWholeTextComparisons) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        PlaylistModel model;
        model.setColumns(ListColumns({{2, true}, {0, true}}, shippedFieldCaptions()));
        model.sorting().stopAutoSort();
        std::vector<std::pair<std::string, std::string>> rows; // title, key
        for (int i = 0; i < 400; ++i) {
            PlaylistRow row;
            row.key = "/m/" + std::to_string(i);
            row.fields[2] = tricky(random);
            rows.emplace_back(std::string(row.fields[2]), row.key);
            model.addRow(std::move(row));
        }
        for (const bool ascending : {false, true}) {
            std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
                const int order = compareCells(a.first, b.first);
                return ascending ? order < 0 : order > 0;
            });
            model.headerClick(1, 100);
            ASSERT_EQ(model.sorting().sortOrder() == SortOrder::Ascending, ascending);
            for (int i = 1; i <= model.count(); ++i)
                ASSERT_EQ(model.row(i).key, rows[i - 1].second) << seed << " " << i;
        }
        test::ScriptedDialogs dialogs;
        FindAsYouType find(model, dialogs);
        for (int k = 0; k < 50; ++k) {
            const std::string wanted = rows[random() % rows.size()].first.substr(0, random() % 10);
            const auto match = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
                return row.first.size() >= wanted.size() &&
                       std::equal(wanted.begin(), wanted.end(), row.first.begin(),
                                  [](char a, char b) {
                                      return std::tolower(static_cast<unsigned char>(a)) ==
                                             std::tolower(static_cast<unsigned char>(b));
                                  });
            });
            const auto field = find.keyUp(wanted, false);
            ASSERT_EQ(field.has_value(), !wanted.empty()) << wanted;
            if (field) {
                EXPECT_EQ(model.curFile(), match->second) << seed << " " << wanted;
            }
        }
    }
}

} // namespace
} // namespace vantrel
