#include "playlist/playlist_model.h"

#include "playlist/cell_collation.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Click = PlaylistModel::Click;

struct PlaylistModelTest : ::testing::Test {
    PlaylistModel model;

    // Columns: file name, title, bit rate.
    void SetUp() override {
        model.setColumns(
            ListColumns({{0, true}, {2, true}, {10, true}, {1, false}}, shippedFieldCaptions()));
    }
    int add(const std::string& name, const std::string& title = "",
            const std::string& bitRate = "") {
        PlaylistRow row;
        row.key = "/m/" + name;
        row.fields[0] = name;
        row.fields[2] = title;
        row.fields[10] = bitRate;
        return model.addRow(std::move(row));
    }
    void addNames(std::initializer_list<const char*> names) {
        for (const char* name : names)
            add(name);
    }
    std::string names() const {
        std::string text;
        for (int i = 1; i <= model.count(); ++i)
            text += (i > 1 ? " " : "") + model.cell(i, 1);
        return text;
    }
    std::string headers() const {
        std::string text;
        for (int c = 1; c <= model.columnCount(); ++c)
            text += "[" + model.columns().column(c).header + "]";
        return text;
    }
    std::string marks() const {
        std::string text;
        for (int i = 1; i <= model.count(); ++i)
            text += model.row(i).selected ? 'x' : '-';
        return text;
    }
};

TEST(CellCollationTest, IgnoresLetterCaseIncludingAccentedCapitals) {
    EXPECT_EQ(compareCells("abc", "ABC"), 0);
    EXPECT_EQ(compareCells("\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89"), 0); // Été, éTÉ
    EXPECT_LT(compareCells("\xC3\x97", "\xC3\xB7"), 0); // the multiplication sign is no letter
    EXPECT_LT(compareCells("Rock", "Rock & Roll"), 0);
    EXPECT_GT(compareCells("beta", "Alpha"), 0);
}

TEST_F(PlaylistModelTest, AutomaticSortingPlacesRowsUntilADrop) {
    EXPECT_EQ(add("c"), 1);
    addNames({"a", "B", "b", "d"});
    EXPECT_EQ(add("c", "again"), 0); // a key is listed once
    EXPECT_EQ(names(), "a B b c d"); // equal texts keep the order they came in
    model.headerClick(1, 0);
    add("bb");
    EXPECT_EQ(names(), "d c bb B b a");
    model.dragMove();
    model.dragDrop(0);
    add("zz");
    EXPECT_EQ(names(), "d c bb B b a zz");
}

TEST_F(PlaylistModelTest, HeaderClicksToggleOrderAndMoveTheMark) {
    const std::string b14(14, ' '), b15(15, ' ');
    EXPECT_EQ(headers(), "[File Name" + b14 + "A>Z][Title][Bit Rate]");
    struct Step {
        int column, width;
        std::string headers, names;
    } steps[] = {
        {1, 100, "[File Name" + b15 + "A<Z][Title][Bit Rate]", "c b a"},
        {1, 6, "[File NameA>Z][Title][Bit Rate]", "a b c"},
        {3, 100, "[File Name][Title][Bit Rate" + b15 + "A<Z]", "a b c"}, // as text: 96 > 320
        {2, 7, "[File Name][Title A>Z][Bit Rate]", "c a b"},
    };
    add("a", "Yak", " 96 Kbit");
    add("b", "zebra", " 320 Kbit");
    add("c", "ant", " 128 Kbit");
    for (const Step& step : steps) {
        model.headerClick(step.column, step.width);
        EXPECT_EQ(headers(), step.headers) << "click on " << step.column;
        EXPECT_EQ(names(), step.names) << "click on " << step.column;
        EXPECT_EQ(model.sorting().lstFind().size(), 3u);
        EXPECT_EQ(model.sorting().lstFind()[0], model.cell(1, step.column));
    }
    add("d", "Bee"); // lands second, before Yak
    EXPECT_EQ(model.sorting().lstFind(), (std::vector<std::string>{"ant", "Yak", "zebra"}));
    // A search for "Y" must select Yak's row, not Bee's.
    EXPECT_EQ(model.sorting().lstFindRow(1), 3);
    model.removeRow("/m/c");
    EXPECT_EQ(model.sorting().lstFindRow(0), 0);
    EXPECT_EQ(model.sorting().lstFindRow(3), 0);
}

TEST_F(PlaylistModelTest, DraggingARowMovesItWhole) {
    struct Case {
        int source, target;
        std::string names;
    } cases[] = {{3, 1, "c a b d"}, {1, 3, "b c a d"}, {2, 4, "a c d b"},
                 {4, 2, "a d b c"}, {2, 2, "a b c d"}, {2, 0, "a b c d"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.source) + " onto " + std::to_string(c.target));
        model.clearList();
        add("a", "ta");
        add("b", "tb");
        add("c", "tc");
        add("d", "td");
        model.setSelected(4, true);
        model.clickRow(c.source, Click::Plain);
        model.dragMove();
        model.dragDrop(c.target);
        EXPECT_EQ(names(), c.names);
        for (int i = 1; i <= model.count(); ++i) { // cells and key travel with the row
            EXPECT_EQ(model.cell(i, 2), "t" + model.cell(i, 1));
            EXPECT_EQ(model.row(i).key, "/m/" + model.cell(i, 1));
        }
        EXPECT_FALSE(model.sorting().autoSort());
        EXPECT_FALSE(model.dragging());
        EXPECT_EQ(model.selectedItem(), c.target >= 1 ? c.target : c.source);
        EXPECT_EQ(marks().find('x'), std::size_t(model.selectedItem() - 1));
        EXPECT_EQ(model.selectedCount(), 1);
    }
}

TEST_F(PlaylistModelTest, ListCommands) {
    using Command = void (PlaylistModel::*)();
    const Command clear = &PlaylistModel::clearList, crop = &PlaylistModel::cropSelection,
                  remove = &PlaylistModel::removeSelection,
                  invert = &PlaylistModel::invertSelection;
    struct Case {
        Command command;
        std::vector<int> selected;
        std::string names, total, sel;
    } cases[] = {
        {clear, {2}, "", "Total =  0", "Selected = 0"},
        {crop, {}, "", "Total =  0", "Selected = 0"},
        {crop, {2, 4}, "b d", "Total =  2", "Selected = 2"},
        {remove, {2, 4}, "a c e", "Total =  3", "Selected = 0"},
        {invert, {1, 5}, "a b c d e", "Total =  5", "Selected = 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names + " " + c.total);
        model.clearList();
        addNames({"a", "b", "c", "d", "e"});
        for (int i : c.selected)
            model.setSelected(i, true);
        (model.*c.command)();
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(model.lblLstTotal(), c.total);
        EXPECT_EQ(model.lblLstSel(), c.sel);
        EXPECT_EQ(model.sorting().lstFind().size(), c.command == invert ? 0u : model.count() * 1u);
    }
}

TEST_F(PlaylistModelTest, CropOfManyScatteredRowsResetsTheViewOnce) {
    for (int i = 1000; i < 2000; ++i)
        add(std::to_string(i));
    for (int i = 1; i <= 1000; i += 2)
        model.setSelected(i, true);
    int resets = 0;
    Connection reset = model.rows().wasReset.connect([&] { ++resets; });
    model.cropSelection();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.indexOf("/m/1998"), 500);
    EXPECT_EQ(model.indexOf("/m/1001"), 0);
}

TEST_F(PlaylistModelTest, ClicksSelectAndHandTheSelectedItemOver) {
    struct Step {
        int index;
        Click how;
        std::string marks;
    } steps[] = {{2, Click::Plain, "-x---"}, {4, Click::Ctrl, "-x-x-"},
                 {2, Click::Ctrl, "---x-"},  {5, Click::Shift, "-xxxx"},
                 {1, Click::Shift, "xx---"}, {3, Click::Plain, "--x--"}};
    std::vector<std::string> handed;
    Connection fileIn =
        model.fileIn.connect([&](const std::string& file) { handed.push_back(file); });
    model.listClick(); // an empty list: nothing
    addNames({"a", "b", "c", "d", "e"});
    for (const Step& step : steps) {
        model.clickRow(step.index, step.how);
        model.listClick();
        EXPECT_EQ(marks(), step.marks) << "click on " << step.index;
        EXPECT_EQ(model.curFile(), model.row(step.index).key);
        EXPECT_EQ(model.lblLstSel(), "Selected = " + std::to_string(model.selectedCount()));
    }
    EXPECT_EQ(handed.size(), 6u);
    model.removeRow("/m/c");
    EXPECT_EQ(model.selectedItem(), 0); // the selected item went with its row
    EXPECT_EQ(model.lblLstTotal(), "Total =  4");
}

TEST_F(PlaylistModelTest, ARenamedOrUpdatedRowKeepsItsPlaceMarkCurrencyAndSearchEntry) {
    add("a", "ta");
    add("b", "tb");
    add("c", "tc");
    model.clickRow(2, Click::Plain);
    model.listClick();
    model.refilLst();
    std::vector<int> told;
    Connection cells = model.rows().cellsChanged.connect([&](int index) { told.push_back(index); });
    EXPECT_FALSE(model.rows().rename("/m/b", "/m/c")); // onto a listed row
    EXPECT_FALSE(model.rows().rename("/m/x", "/m/y"));
    EXPECT_EQ(model.row(3).key, "/m/c");
    ASSERT_TRUE(model.rows().rename("/m/b", "/m/renamed"));
    EXPECT_EQ(model.indexOf("/m/b"), 0);
    EXPECT_EQ(model.curFile(), "/m/renamed");
    EXPECT_EQ(model.sorting().lstFindRow(1), 2);
    auto fields = model.row(2).fields;
    fields[0] = "zz"; // would sort last, but an update does not move the row
    EXPECT_FALSE(model.rows().updateCells("/m/x", fields));
    ASSERT_TRUE(model.rows().updateCells("/m/renamed", fields));
    EXPECT_EQ(names(), "a zz c");
    EXPECT_EQ(model.cell(2, 2), "tb");
    EXPECT_EQ(marks(), "-x-");
    EXPECT_EQ(told, std::vector<int>{2});
    model.headerClick(2, 0); // descending by title: the renamed row sorts by its cells
    EXPECT_EQ(model.indexOf("/m/renamed"), 2);
    EXPECT_EQ(model.selectedItem(), 2);
    EXPECT_EQ(add("b", "tz"), 1); // the old key is free again
}

} // namespace
} // namespace vantrel
