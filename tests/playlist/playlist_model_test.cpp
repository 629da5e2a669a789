#include "playlist/playlist_model.h"

#include "playlist/cell_collation.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel {
namespace {

using Click = PlaylistModel::Click;

// Keeps its own row keys from the notifications alone, as the Qt adapter does; it must
// match the model after anything.
class MirrorObserver : public PlaylistObserver {
public:
    explicit MirrorObserver(const PlaylistModel& model) : model_(model) {}
    std::vector<std::string> keys;
    int resets = 0;

    void rowsInserted(int first, int last) override {
        for (int i = first; i <= last; ++i)
            keys.insert(keys.begin() + (i - 1), model_.row(i).key);
    }
    void rowsAboutToBeRemoved(int first, int last) override {
        for (int i = first; i <= last; ++i)
            EXPECT_EQ(keys.at(i - 1), model_.row(i).key);
    }
    void rowsRemoved(int first, int last) override {
        keys.erase(keys.begin() + (first - 1), keys.begin() + last);
    }
    void rowMoved(int source, int target) override {
        std::string key = keys.at(source - 1);
        keys.erase(keys.begin() + (source - 1));
        keys.insert(keys.begin() + (target - 1), key);
    }
    void rowsReordered() override { reload(); }
    void modelReset() override {
        ++resets;
        reload();
    }
    void reload() {
        keys.clear();
        for (int i = 1; i <= model_.count(); ++i)
            keys.push_back(model_.row(i).key);
    }

private:
    const PlaylistModel& model_;
};

struct PlaylistModelTest : ::testing::Test {
    PlaylistModel model;
    MirrorObserver mirror{model};

    // Columns: file name, title, bit rate.
    void SetUp() override {
        model.addObserver(&mirror);
        model.setColumns(
            ListColumns({{0, true}, {2, true}, {10, true}, {1, false}}, shippedFieldCaptions()));
    }
    void TearDown() override {
        MirrorObserver fresh(model);
        fresh.reload();
        EXPECT_EQ(mirror.keys, fresh.keys);
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
        EXPECT_EQ(model.lstFind().size(), 3u);
        EXPECT_EQ(model.lstFind()[0], model.cell(1, step.column));
    }
    add("d", "Bee"); // lands second, before Yak
    EXPECT_EQ(model.lstFind(), (std::vector<std::string>{"ant", "Yak", "zebra"}));
    EXPECT_EQ(model.lstFindRow(1), 3); // a search for "Y" must select Yak's row, not Bee's
    model.removeRow("/m/c");
    EXPECT_EQ(model.lstFindRow(0), 0);
    EXPECT_EQ(model.lstFindRow(3), 0);
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
        EXPECT_FALSE(model.autoSort());
        EXPECT_FALSE(model.dragging());
        EXPECT_EQ(model.selectedItem(), c.target >= 1 ? c.target : c.source);
        EXPECT_EQ(marks().find('x'), std::size_t(model.selectedItem() - 1));
        EXPECT_EQ(model.selectedCount(), 1);
    }
}

TEST_F(PlaylistModelTest, ListCommands) {
    struct Case {
        int element;
        std::vector<int> selected;
        std::string names, total, sel;
    } cases[] = {
        {0, {2}, "", "Total =  0", "Selected = 0"},
        {1, {}, "", "Total =  0", "Selected = 0"},
        {1, {2, 4}, "b d", "Total =  2", "Selected = 2"},
        {2, {2, 4}, "a c e", "Total =  3", "Selected = 0"},
        {3, {1, 5}, "a b c d e", "Total =  5", "Selected = 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("element " + std::to_string(c.element));
        model.clearList();
        addNames({"a", "b", "c", "d", "e"});
        for (int i : c.selected)
            model.setSelected(i, true);
        model.mnuEdLvItm(c.element);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(model.lblLstTotal(), c.total);
        EXPECT_EQ(model.lblLstSel(), c.sel);
        EXPECT_EQ(model.lstFind().size(), c.element == 3 ? 0u : model.count() * 1u);
    }
}

TEST_F(PlaylistModelTest, CropOfManyScatteredRowsResetsTheViewOnce) {
    for (int i = 1000; i < 2000; ++i)
        add(std::to_string(i));
    for (int i = 1; i <= 1000; i += 2)
        model.setSelected(i, true);
    const int resets = mirror.resets;
    model.cropSelection();
    EXPECT_EQ(mirror.resets, resets + 1);
    EXPECT_EQ(model.indexOf("/m/1998"), 500);
    EXPECT_EQ(model.indexOf("/m/1001"), 0);
}

TEST_F(PlaylistModelTest, KeyLookupSurvivesEveryChange) {
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i)
        add(std::to_string(random() % 1000), std::to_string(random() % 50));
    model.headerClick(2, 10);
    for (int i = 0; i < 40; ++i) {
        model.clickRow(int(random() % model.count()) + 1, Click::Plain);
        model.dragMove();
        model.dragDrop(int(random() % model.count()) + 1);
        model.removeRow(model.row(int(random() % model.count()) + 1).key);
    }
    model.setSelected(3, true);
    model.removeSelection();
    for (int i = 1; i <= model.count(); ++i)
        ASSERT_EQ(model.indexOf(model.row(i).key), i);
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
    model.onFileIn([&](const std::string& file) { handed.push_back(file); });
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

} // namespace
} // namespace vantrel
