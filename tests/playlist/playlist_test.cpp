#include "playlist/cell_collation.h"
#include "playlist/find_as_you_type.h"
#include "playlist/header_set.h"
#include "playlist/list_settings.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_rig.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Click = PlaylistModel::Click;
using Strings = std::vector<std::string>;

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
    const std::tuple<int, int, std::string, std::string> steps[] = {
        {1, 100, "[File Name" + b15 + "A<Z][Title][Bit Rate]", "c b a"},
        {1, 6, "[File NameA>Z][Title][Bit Rate]", "a b c"},
        {3, 100, "[File Name][Title][Bit Rate" + b15 + "A<Z]", "a b c"}, // as text: 96 > 320
        {2, 7, "[File Name][Title A>Z][Bit Rate]", "c a b"},
    };
    add("a", "Yak", " 96 Kbit");
    add("b", "zebra", " 320 Kbit");
    add("c", "ant", " 128 Kbit");
    for (const auto& [column, width, texts, order] : steps) {
        model.headerClick(column, width);
        EXPECT_EQ(headers(), texts) << "click on " << column;
        EXPECT_EQ(names(), order) << "click on " << column;
        EXPECT_EQ(model.sorting().lstFind().size(), 3u);
        EXPECT_EQ(model.sorting().lstFind()[0], model.cell(1, column));
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
    const std::tuple<int, int, std::string> cases[] = {{3, 1, "c a b d"}, {1, 3, "b c a d"},
                                                       {2, 4, "a c d b"}, {4, 2, "a d b c"},
                                                       {2, 2, "a b c d"}, {2, 0, "a b c d"}};
    for (const auto& [source, target, order] : cases) {
        SCOPED_TRACE(std::to_string(source) + " onto " + std::to_string(target));
        model.clearList();
        add("a", "ta");
        add("b", "tb");
        add("c", "tc");
        add("d", "td");
        model.setSelected(4, true);
        model.clickRow(source, Click::Plain);
        model.dragMove();
        model.dragDrop(target);
        EXPECT_EQ(names(), order);
        for (int i = 1; i <= model.count(); ++i) { // cells and key travel with the row
            EXPECT_EQ(model.cell(i, 2), "t" + model.cell(i, 1));
            EXPECT_EQ(model.row(i).key, "/m/" + model.cell(i, 1));
        }
        EXPECT_FALSE(model.sorting().autoSort());
        EXPECT_FALSE(model.dragging());
        EXPECT_EQ(model.selectedItem(), target >= 1 ? target : source);
        EXPECT_EQ(marks().find('x'), std::size_t(model.selectedItem() - 1));
        EXPECT_EQ(model.selectedCount(), 1);
    }
}

TEST_F(PlaylistModelTest, ListCommands) {
    using Command = void (PlaylistModel::*)();
    const Command clear = &PlaylistModel::clearList, crop = &PlaylistModel::cropSelection,
                  remove = &PlaylistModel::removeSelection,
                  invert = &PlaylistModel::invertSelection;
    const std::tuple<Command, std::vector<int>, std::string, std::string, std::string> cases[] = {
        {clear, {2}, "", "Total =  0", "Selected = 0"},
        {crop, {}, "", "Total =  0", "Selected = 0"},
        {crop, {2, 4}, "b d", "Total =  2", "Selected = 2"},
        {remove, {2, 4}, "a c e", "Total =  3", "Selected = 0"},
        {invert, {1, 5}, "a b c d e", "Total =  5", "Selected = 3"},
    };
    for (const auto& [command, selected, order, total, sel] : cases) {
        SCOPED_TRACE(order + " " + total);
        model.clearList();
        addNames({"a", "b", "c", "d", "e"});
        for (int i : selected)
            model.setSelected(i, true);
        (model.*command)();
        EXPECT_EQ(names(), order);
        EXPECT_EQ(model.lblLstTotal(), total);
        EXPECT_EQ(model.lblLstSel(), sel);
        EXPECT_EQ(model.sorting().lstFind().size(), command == invert ? 0u : model.count() * 1u);
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
    const std::tuple<int, Click, std::string> steps[] = {
        {2, Click::Plain, "-x---"}, {4, Click::Ctrl, "-x-x-"},  {2, Click::Ctrl, "---x-"},
        {5, Click::Shift, "-xxxx"}, {1, Click::Shift, "xx---"}, {3, Click::Plain, "--x--"}};
    std::vector<std::string> handed;
    Connection fileIn =
        model.fileIn.connect([&](const std::string& file) { handed.push_back(file); });
    model.listClick(); // an empty list: nothing
    addNames({"a", "b", "c", "d", "e"});
    for (const auto& [index, how, marked] : steps) {
        model.clickRow(index, how);
        model.listClick();
        EXPECT_EQ(marks(), marked) << "click on " << index;
        EXPECT_EQ(model.curFile(), model.row(index).key);
        EXPECT_EQ(model.lblLstSel(), "Selected = " + std::to_string(model.selectedCount()));
    }
    EXPECT_EQ(handed.size(), 6u);
    model.removeRow("/m/c");
    EXPECT_EQ(model.selectedItem(), 0); // the selected item went with its row
    EXPECT_EQ(model.lblLstTotal(), "Total =  4");
}

struct PlaylistCommandsTest : ::testing::Test, test::PlaylistRig {
    std::size_t opens() const { return probe.callsTo("OpenStream").size(); }
    std::size_t closes() const { return probe.callsTo("CloseStream").size(); }
    std::string file(const std::string& name, std::size_t audioBytes = 400,
                     const TagValues* tag = nullptr) {
        const std::string path = (dir / name).string();
        test::writeFile(path, std::string(audioBytes, '\xFF') + (tag ? id3v1::compose(*tag) : ""));
        probe.files[path] = {};
        return path;
    }
    Strings cells(int index) {
        Strings texts;
        for (int c = 1; c <= model.columnCount(); ++c)
            texts.push_back(model.cell(index, c));
        return texts;
    }
};

// Only a tagged file's genre is told, for the tag editor's list, and only while it shows.
TEST_F(PlaylistCommandsTest, CellsOfShownFieldsOnlyAndTheGenreOfATaggedFile) {
    std::vector<int> genres;
    Connection genreCell =
        commands.genreCell.connect([&](std::uint8_t genre) { genres.push_back(genre); });
    showFields({0, 2, 10});
    EXPECT_TRUE(commands.GetListTag(file("song.mp3")));
    EXPECT_EQ(cells(1), (Strings{"song.mp3", "", " 128 Kbit"}));
    EXPECT_EQ(model.lblLstTotal(), "Total =  1");

    // The texts themselves are the stream cells' own; here only that they reach the row.
    showFields({8, 9, 10});
    const std::string path = file("timed.mp3");
    probe.files[path] = {26.1f, 205400, 7863, 8000, 131234};
    ASSERT_TRUE(commands.GetListTag(path));
    EXPECT_EQ(cells(1), (Strings{"03:25", " 8 Khz", " 131.234 Kbit"}));

    showFields({2, 3, 5, 6, 7, 1});
    TagValues tag{"  Title ", "Art", "Alb", "1999", std::string("Note\0\0\0", 7), 17};
    const std::string tagged = file("tagged.mp3", 300, &tag);
    ASSERT_TRUE(commands.GetListTag(tagged));
    EXPECT_EQ(cells(1), (Strings{"Title", "Art", "Rock", "1999", "Note", tagged}));
    commands.GetListTag(file("untagged.mp3"));
    EXPECT_EQ(genres, std::vector<int>{17});
}

TEST_F(PlaylistCommandsTest, SkipsWhatCannotBeListed) {
    showFields({0});
    const std::string good = file("good.mp3"), unplayable = file("bad.mp3");
    ASSERT_TRUE(commands.GetListTag(good));
    probe.files.erase(unplayable);
    std::filesystem::create_directory(dir / "folder.mp3");
    for (const char* name : {"", "missing.mp3", "folder.mp3"}) // the probe would take them
        probe.files[name[0] ? (dir / name).string() : ""] = {};
    for (const std::string& path :
         {std::string(), (dir / "missing.mp3").string(), (dir / "folder.mp3").string(),
          file("short.mp3", 128), unplayable, good}) {
        EXPECT_FALSE(commands.GetListTag(path)) << path;
        EXPECT_EQ(model.lblLstTotal(), "Total =  1");
    }
    EXPECT_TRUE(commands.GetListTag(file("long-enough.mp3", 129)));
    EXPECT_EQ(opens(), closes());
    EXPECT_TRUE(dialogs.shown.empty());
}

// Play works without a click first; rows listed after the first leave the choice alone.
TEST_F(PlaylistCommandsTest, TheFirstRowListedBecomesCurrentAndSelected) {
    showFields({0});
    const std::string first = file("b.mp3"), second = file("a.mp3"); // sorts before the first
    ASSERT_TRUE(commands.GetListTag(first));
    ASSERT_TRUE(commands.GetListTag(second));
    EXPECT_EQ(model.curFile(), first);
    EXPECT_EQ(model.selectedItem(), model.indexOf(first));
    EXPECT_EQ(model.selectedCount(), 1);
}

TEST_F(PlaylistCommandsTest, ColumnsFromSettingsOrShippedSet) {
    commands.GetListTag(file("a.mp3"));
    model.headerClick(2, 10);
    model.setSelected(1, true);
    model.calcLVItms();
    test::writeFile(ini.file(), "[default]\nlv_header_6=Jahr\n[options]\nlv_header_0=6=1\n");
    commands.toglHeaders(); // empties the list, its search column and its counters
    EXPECT_EQ(model.count() + model.sorting().lstFind().size(), 0u);
    EXPECT_EQ(model.sorting().sortOrder(), SortOrder::Ascending);
    EXPECT_EQ(model.lblLstTotal() + model.lblLstSel(), "Total =  0Selected = 0");
    ASSERT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.columns().column(1).caption, "Jahr");
    EXPECT_EQ(model.columns().fieldCaption(2), shippedFieldCaptions()[2]); // missing: shipped
}

TEST_F(PlaylistCommandsTest, ListStats) {
    // Each row's play time (0: the probe cannot open it), the rows selected, and the totals of
    // those and of all (none: no message at all).
    const std::tuple<std::vector<std::int32_t>, std::vector<int>, const char*, const char*>
        cases[] = {
            {{}, {}, "00:00", "00:00"},
            {{3599000, 500}, {2}, "00:00", "01:00:00"}, // halves go to the even neighbour
            {{65000, 0, 2000}, {}, nullptr, nullptr},
        };
    showFields({0});
    for (const auto& [times, selected, selectedTotal, allTotal] : cases) {
        model.clearList();
        dialogs.shown.clear();
        for (std::size_t i = 0; i < times.size(); ++i) {
            const std::string path = file(std::to_string(i) + ".mp3");
            probe.files[path].totalTime = times[i];
            commands.GetListTag(path);
            if (times[i] == 0) probe.files.erase(path);
        }
        for (int index = 1; index <= model.count(); ++index)
            model.setSelected(index, std::ranges::count(selected, index) > 0);
        commands.listStats();
        Strings expected;
        if (allTotal)
            expected.push_back(std::string("Total Time of Files Selected  = ") + selectedTotal +
                               "\r\nTotal Time of All Files = " + allTotal);
        EXPECT_EQ(dialogs.messages(), expected);
        EXPECT_EQ(opens(), closes());
    }
}

// Each selected row's turn in the editor, the tag editor's test runs.
TEST_F(PlaylistCommandsTest, EditSelectedWarnsOnAnEmptyListAndOpensNothingWithoutASelection) {
    int opened = 0;
    commands.setEditorOpener([&](const std::string&) { ++opened; });
    commands.editSelected();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Warning);
    commands.GetListTag(file("a"));
    model.setSelected(1, false);
    commands.editSelected();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(opened, 0);
}

using Field = FindAsYouType::Field;

struct FindTest : ::testing::Test {
    test::PlaylistRig rig;
    FindTest() {
        rig.showFields({2, 0}); // sorted by title
        for (const char* title : {"Bravo", "Alpha", "Beta"})
            rig.commands.GetListTag(rig.track(std::string(title) + ".mp3", title));
        rig.model.refilLst();
    }
    std::string current() const { return rig.model.curFile(); }
};

// No match, no text and a track listed after the search column was filled change nothing.
TEST_F(FindTest, TypingSelectsAndCompletesBackspaceDoesNotAndNoMatchChangesNothing) {
    const std::tuple<const char*, bool, std::optional<Field>, const char*> steps[] = {
        {"b", false, Field{"Beta", 1, 3}, "Beta"}, {"Br", false, Field{"Bravo", 2, 3}, "Bravo"},
        {"B", true, Field{"B", 1, 0}, "Beta"},     {"ALP", false, Field{"Alpha", 3, 2}, "Alpha"},
        {"x", false, std::nullopt, "Alpha"},       {"", false, std::nullopt, "Alpha"},
        {"C", false, std::nullopt, "Alpha"},
    };
    rig.commands.GetListTag(rig.track("Charlie.mp3", "Charlie"));
    for (const auto& [typed, backspace, field, title] : steps) {
        EXPECT_EQ(rig.files.find().keyUp(typed, backspace), field) << typed;
        EXPECT_EQ(current(), rig.folder + "/" + title + ".mp3") << typed;
        EXPECT_EQ(rig.model.selectedCount(), 1) << typed;
    }
}

TEST_F(FindTest, FocusExplainsWhatIsMissing) {
    rig.files.find().gotFocus();
    rig.model.clearList();
    rig.files.find().gotFocus();
    rig.commands.GetListTag(rig.folder + "/Beta.mp3");
    rig.files.find().gotFocus();
    EXPECT_EQ(rig.dialogs.messages().size(), 2u) << "no rows; then rows without a search column";
    EXPECT_NE(rig.dialogs.messages()[0], rig.dialogs.messages()[1]);
}

struct ListSettingsTest : ::testing::Test {
    test::PlaylistRig rig;
    ListSettings& settings = rig.files.listSettings();
    std::vector<int> fields() const {
        std::vector<int> out;
        for (const auto& e : settings.entries())
            out.push_back(e.field);
        return out;
    }
};

TEST_F(ListSettingsTest, MovesStopAtTheEnds) {
    rig.showFields({2, 3, 4});
    settings.open();
    const std::vector<int> start = fields();
    ASSERT_EQ(start.size(), 11u);
    settings.setCurrent(0);
    settings.cmdMove(0);
    settings.setCurrent(10);
    settings.cmdMove(1);
    settings.setCurrent(-1);
    settings.cmdMove(1);
    EXPECT_EQ(fields(), start);
    settings.setCurrent(1);
    settings.cmdMove(0);
    EXPECT_EQ(settings.current(), 0);
    EXPECT_EQ(fields()[0], start[1]);
    EXPECT_TRUE(settings.entries()[0].checked) << "the check mark moves with its entry";
}

TEST_F(ListSettingsTest, OkStoresRebuildsAndRefusesNoColumn) {
    rig.showFields({2, 3});
    rig.commands.GetListTag(rig.track("a.mp3"));
    settings.open();
    for (int i = 0; i < 11; ++i)
        settings.setChecked(i, false);
    EXPECT_FALSE(settings.cmdOK());
    EXPECT_EQ(rig.model.count(), 1) << "nothing stored or rebuilt";
    EXPECT_EQ(rig.ini.getIni("options", "lv_header_0"), "2=1");

    settings.setChecked(1, true);
    settings.setGrid(true);
    EXPECT_TRUE(settings.cmdOK());
    EXPECT_EQ(rig.ini.getIni("options", "lv_header_0"), "2=0");
    EXPECT_EQ(rig.ini.getIni("options", "lv_header_1"), "3=1");
    EXPECT_EQ(rig.ini.getIni("options", "grid"), "1");
    EXPECT_EQ(rig.model.columnCount(), 1);
    EXPECT_EQ(rig.model.count(), 0);
    EXPECT_EQ(rig.dialogs.messages().size(), 2u) << "the refusal and the grid's next-time note";

    settings.open();
    EXPECT_TRUE(settings.grid());
    EXPECT_TRUE(settings.cmdOK());
    EXPECT_EQ(rig.dialogs.messages().size(), 2u) << "an unchanged grid says nothing";
}

std::string describe(const HeaderSet& set) {
    std::string text;
    for (const HeaderEntry& e : set)
        text += std::to_string(e.field) + (e.shown ? "+ " : "- ");
    return text;
}

TEST(HeaderSetTest, RepairsDamagedSets) {
    const std::string shipped = "2+ 3+ 4+ 8+ 5+ 6+ 10+ 0+ 7- 9- 1- ";
    const std::tuple<const char*, Strings, std::string> cases[] = {
        {"intact set kept",
         {"1=1", "0=0", "2=1", "3=1", "4=0", "5=0", "6=1", "7=0", "8=1", "9=0", "10=1"},
         "1+ 0- 2+ 3+ 4- 5- 6+ 7- 8+ 9- 10+ "},
        {"flag is the last character",
         {" 7 =1", "0=2", "4=", "5=1=0"},
         "7+ 0- 4- 5- 1- 2- 3- 6- 8- 9- 10- "},
        {"no keys: the shipped set", {}, shipped},
        {"only rubbish: the shipped set", {"a", "", "31", "11=1", "-1=1", "=1", "100=1"}, shipped},
        {"bad and repeated skipped, the rest follow hidden",
         {"3=1", "x=1", "3=0", "0=1"},
         "3+ 0+ 1- 2- 4- 5- 6- 7- 8- 9- 10- "},
        {"nothing shown: first entry shown", {"5=0", "2=0"}, "5+ 2- 0- 1- 3- 4- 6- 7- 8- 9- 10- "},
    };
    for (const auto& [what, stored, expected] : cases)
        EXPECT_EQ(describe(repairHeaderSet(stored)), expected) << what;
}

} // namespace
} // namespace vantrel
