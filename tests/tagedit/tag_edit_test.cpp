#include "tagedit/tag_edit.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vantrel {
namespace {

TEST(TagEdit, ParsesFieldOptionsAndRefusesWhatWouldWriteNothingOrGuess) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
    };
    const Case cases[] = {
        {{"--title", "T", "--album=A", "--genre", "rock", "--", "--a.mp3", "b.mp3"}, true},
        {{"--genre", "255", "a.mp3"}, true},
        {{"--genre", "256", "a.mp3"}, false},
        {{"--genre", "Polkadot", "a.mp3"}, false},
        {{"--colour", "red", "a.mp3"}, false},
        {{"--title"}, false},
        {{"--title", "x"}, false}, // no file
        {{"a.mp3"}, false},        // no field: nothing to write
    };
    for (const Case& c : cases) {
        TagChanges changes;
        std::vector<std::string> files;
        Result r = tagedit::parseFieldArgs(c.args, changes, files);
        EXPECT_EQ(r.isOk(), c.ok) << c.args[0] << ": " << r.error();
    }
    TagChanges changes;
    std::vector<std::string> files;
    ASSERT_TRUE(tagedit::parseFieldArgs(cases[0].args, changes, files));
    EXPECT_EQ(files, (std::vector<std::string>{"--a.mp3", "b.mp3"}));
    TagValues values{"old", "keep", "old", "1999", "keep", 3};
    changes.applyTo(values);
    EXPECT_EQ(values, (TagValues{"T", "keep", "A", "1999", "keep", 17}));
}

TEST(TagEdit, AnUntaggedFileStartsFromNothing) {
    TagRead untagged;
    untagged.state = TagState::Untagged;
    untagged.values.title = "ignored";
    TagChanges changes;
    changes.artist = "A";
    EXPECT_EQ(id3v1::takeFields(tagedit::composeEdited(untagged, changes)),
              (TagValues{"", "A", "", "", "", 255}));
}

} // namespace
} // namespace vantrel
