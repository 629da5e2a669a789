#include "playlist/find_as_you_type.h"
#include "playlist/header_set.h"
#include "playlist/list_settings.h"
#include "playlist/playlist_commands.h"

#include "playlist/playlist_rig.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

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

TEST_F(PlaylistCommandsTest, CellsOfShownFieldsOnly) {
    showFields({0, 2, 10});
    EXPECT_TRUE(commands.GetListTag(file("song.mp3")));
    EXPECT_EQ(cells(1), (Strings{"song.mp3", "", " 128 Kbit"}));
    EXPECT_EQ(model.lblLstTotal(), "Total =  1");

    // The texts themselves are the stream cells' own; here only that they reach the row.
    showFields({8, 9, 10});
    const std::string path = file("timed.mp3");
    probe.files[path] = {26.1f, 205400, 7863, 8000, 131234};
    ASSERT_TRUE(commands.GetListTag(path));
    EXPECT_EQ(cells(model.indexOf(path)), (Strings{"03:25", " 8 Khz", " 131.234 Kbit"}));
}

TEST_F(PlaylistCommandsTest, TagCellsAndGenreHook) {
    showFields({2, 3, 5, 6, 7, 1});
    std::vector<int> genres;
    Connection genreCell =
        commands.genreCell.connect([&](std::uint8_t genre) { genres.push_back(genre); });
    TagValues tag{"  Title ", "Art", "Alb", "1999", std::string("Note\0\0\0", 7), 17};
    const std::string path = file("tagged.mp3", 300, &tag);
    ASSERT_TRUE(commands.GetListTag(path));
    EXPECT_EQ(cells(1), (Strings{"Title", "Art", "Rock", "1999", "Note", path}));
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
    struct Case {
        std::vector<std::int32_t> times; // 0: the probe cannot open that row
        std::vector<int> selected;
        const char *selectedTotal, *allTotal; // none: no message at all
    } cases[] = {
        {{}, {}, "00:00", "00:00"},
        {{3599000, 500}, {2}, "00:00", "01:00:00"}, // halves go to the even neighbour
        {{65000, 0, 2000}, {}, nullptr, nullptr},
    };
    showFields({0});
    for (const Case& c : cases) {
        model.clearList();
        dialogs.shown.clear();
        for (std::size_t i = 0; i < c.times.size(); ++i) {
            const std::string path = file(std::to_string(i) + ".mp3");
            probe.files[path].totalTime = c.times[i];
            commands.GetListTag(path);
            if (c.times[i] == 0) probe.files.erase(path);
        }
        for (int index : c.selected)
            model.setSelected(index, true);
        commands.listStats();
        Strings expected;
        if (c.allTotal)
            expected.push_back(std::string("Total Time of Files Selected  = ") + c.selectedTotal +
                               "\r\nTotal Time of All Files = " + c.allTotal);
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
    commands.editSelected();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(opened, 0);
}

TEST_F(PlaylistCommandsTest, RowsFollowTagSavesAndRenamesWhereTheyStand) {
    showFields({0, 2});
    TagValues tag{"Old", "", "", "", "", 0};
    const std::string path = file("x.mp3", 300, &tag), other = file("y.mp3");
    commands.GetListTag(path);
    commands.GetListTag(other);
    tag.title = "New";
    file("x.mp3", 300, &tag);
    ASSERT_TRUE(commands.refreshRow(path));
    EXPECT_EQ(cells(1), (Strings{"x.mp3", "New"}));
    const std::string renamed = (dir / "z.mp3").string();
    std::filesystem::rename(path, renamed);
    probe.files[renamed] = {};
    EXPECT_FALSE(commands.renameRow(path, other));
    ASSERT_TRUE(commands.renameRow(path, renamed));
    EXPECT_EQ(cells(1), (Strings{"z.mp3", "New"}));
    EXPECT_EQ(model.row(1).key, renamed);
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

TEST_F(FindTest, TypingSelectsAndCompletesBackspaceDoesNot) {
    struct Step {
        const char* typed;
        bool backspace;
        Field field;
        const char* track;
    } steps[] = {
        {"b", false, {"Beta", 1, 3}, "Beta"},
        {"Br", false, {"Bravo", 2, 3}, "Bravo"},
        {"B", true, {"B", 1, 0}, "Beta"},
        {"ALP", false, {"Alpha", 3, 2}, "Alpha"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(rig.files.find().keyUp(s.typed, s.backspace), s.field) << s.typed;
        EXPECT_EQ(current(), rig.folder + "/" + s.track + ".mp3") << s.typed;
        EXPECT_EQ(rig.model.selectedCount(), 1) << s.typed;
    }
}

TEST_F(FindTest, NoMatchAndStaleSearchColumnChangeNothing) {
    rig.files.find().keyUp("Al", false);
    EXPECT_FALSE(rig.files.find().keyUp("x", false));
    EXPECT_FALSE(rig.files.find().keyUp("", false));
    rig.commands.GetListTag(rig.track("Charlie.mp3", "Charlie"));
    EXPECT_FALSE(rig.files.find().keyUp("C", false)) << "not found before the next refill";
    EXPECT_EQ(current(), rig.folder + "/Alpha.mp3");
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
    struct Case {
        const char* what;
        std::vector<std::string> stored;
        std::string expected;
    } cases[] = {
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
    for (const Case& c : cases)
        EXPECT_EQ(describe(repairHeaderSet(c.stored)), c.expected) << c.what;
}

} // namespace
} // namespace vantrel
