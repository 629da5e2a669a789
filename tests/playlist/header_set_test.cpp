#include "playlist/header_set.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

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
