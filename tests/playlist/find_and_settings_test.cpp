#include "playlist/find_as_you_type.h"
#include "playlist/header_set.h"
#include "playlist/list_settings.h"

#include "playlist_rig.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

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
