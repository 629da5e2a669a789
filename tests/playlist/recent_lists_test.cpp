#include "playlist/recent_lists.h"

#include "settings/ini_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

struct RecentListsTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    RecentLists recent{ini};

    void start(const std::string& stored) {
        test::writeFile(ini.file(), "[mru_list]\n" + stored);
        recent.load(ini);
    }
    Strings slots() const {
        Strings out;
        for (int k = 1; k <= recent.mruMax(); ++k)
            out.push_back(recent.slot(k));
        return out;
    }
    Strings stored() const {
        Strings out;
        for (int k = 1; k <= recent.mruMax(); ++k)
            out.push_back(ini.getIni("mru_list", "itm_" + std::to_string(k)));
        return out;
    }
};

TEST_F(RecentListsTest, AddAndRemoveSequences) {
    struct Step {
        char op; // 'a' add, 'r' remove
        const char* path;
    };
    struct Case {
        const char* start;
        std::vector<Step> steps;
        Strings after;
    } cases[] = {
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "D"}}, {"D", "A", "B"}},
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "B"}}, {"B", "A", "C"}},
        {"itm_1=A\nitm_2=B\nitm_3=C\n", {{'a', "A"}}, {"A", "B", "C"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}}, {"C", "A", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}, {'r', "A"}}, {"C", "B", ""}},
        {"itm_1=A\nitm_2=B\n", {{'a', "C"}, {'r', "A"}, {'a', "E"}}, {"E", "C", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'a', "a"}}, {"a", "A", "B"}},
        {"itm_1=A\nitm_2=B\n", {{'r', "Z"}}, {"A", "B", ""}},
    };
    for (const Case& c : cases) {
        start(std::string("mru_max=3\n") + c.start);
        for (const Step& s : c.steps)
            s.op == 'a' ? recent.mruAdd(s.path) : recent.mruRemove(s.path);
        EXPECT_EQ(slots(), c.after) << c.start << c.steps.back().path;
        EXPECT_EQ(stored(), c.after) << c.start << c.steps.back().path;
    }
}

TEST_F(RecentListsTest, SlotCountClampedAndPreset) {
    const std::pair<const char*, int> cases[] = {
        {"", 7}, {"mru_max=x\n", 7}, {"mru_max=0\n", 1}, {"mru_max=12\n", 9}, {"mru_max= 4\n", 4}};
    for (const auto& [text, count] : cases) {
        start(text);
        EXPECT_EQ(recent.mruMax(), count) << text;
    }
}

TEST_F(RecentListsTest, ClearEmptiesTheStoreButNotThisRun) {
    start("mru_max=3\nitm_1=A\nitm_2=B\n");
    recent.clear();
    EXPECT_EQ(stored(), (Strings{"", "", ""}));
    EXPECT_EQ(slots(), (Strings{"A", "B", ""}));
    recent.mruAdd("C"); // the still-listed paths are written back
    EXPECT_EQ(stored(), (Strings{"C", "A", "B"}));
}

} // namespace
} // namespace vantrel
