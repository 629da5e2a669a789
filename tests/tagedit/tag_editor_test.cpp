#include "tagedit/tag_editor.h"

#include <gtest/gtest.h>

#include "app/core_rig.h"
#include "metadata/genre_table.h"

#include <filesystem>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

struct TagEditorTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    TagEditor& editor = core->tagEditor();

    TagValues tagOf(const std::string& path) {
        TagRead read;
        EXPECT_TRUE(id3v1::readTag(path, read));
        return read.values;
    }
    Strings rowKeys() { return CoreRig::rowKeys(*core); }
};

TEST_F(TagEditorTest, CarriesFieldsListsAndGenreFromTrackToTrack) {
    struct Step {
        std::string name;
        std::optional<TagValues> tag;
        std::array<std::string, 5> fields; // Artist, Title, Album, Comment, Year
        int genre;
    };
    const Step steps[] = {
        {"a.mp3",
         TagValues{"One", "Band", "A", "1999", "", 17},
         {"Band", "One", "A", "", "1999"},
         17},
        // An empty album keeps the previous track's; letter case makes a new list entry.
        {"b.mp3", TagValues{"Two", "band", "", "", "c", 3}, {"band", "Two", "A", "c", "1999"}, 3},
        // Untagged: the file's name as title, the rest emptied, the genre kept.
        {"song.mp3", std::nullopt, {"", "song.mp3", "", "", ""}, 3},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(editor.GetIDTag(trackWith(s.name, s.tag)));
        EXPECT_EQ(editor.fields(), s.fields) << s.name;
        EXPECT_EQ(editor.tagGenre(), s.genre) << s.name;
    }
    EXPECT_EQ(editor.dropList(TagEditor::Artist), (Strings{"Band", "band"}));
    EXPECT_EQ(editor.dropList(TagEditor::Title), (Strings{"One", "Two"}));

    // Saving the untagged file unchanged writes its name as the title.
    editor.cmdSave();
    EXPECT_EQ(tagOf(folder + "song.mp3").title, "song.mp3");
    EXPECT_EQ(rowKeys(), Strings{folder + "song.mp3"});

    // Delete, then Cancel: the fields are emptied, the file is not touched.
    ASSERT_TRUE(editor.GetIDTag(folder + "a.mp3"));
    const std::string before = test::readFile(folder + "a.mp3");
    dialogs.answers.push_back(Dialogs::Answer::Cancel);
    editor.cmdDel();
    EXPECT_EQ(editor.fields(), (std::array<std::string, 5>{}));
    EXPECT_EQ(test::readFile(folder + "a.mp3"), before);
}

TEST_F(TagEditorTest, EditSelectedSavesEachRowInTurnAndPassesOverAFileThatHasGone) {
    const std::string a = trackWith("a.mp3", TagValues{"One", "", "Album A", "", "", 1});
    const std::string gone = trackWith("gone.mp3", TagValues{"Gone", "", "", "", "", 1});
    const std::string b = trackWith("b.mp3", TagValues{"Two", "", "", "", "", 1});
    const std::string c = trackWith("c.mp3", TagValues{"Three", "", "", "", "", 1});
    for (const std::string& f : {a, gone, b, c})
        ASSERT_TRUE(core->commands().GetListTag(f));
    for (const std::string& f : {a, gone, b})
        core->playlist().setSelected(core->playlist().indexOf(f), true);
    std::filesystem::remove(gone);
    Strings shown;
    editor.setShower([&] {
        shown.push_back(editor.tagFile());
        editor.cmdSave();
    });
    core->commands().editSelected();

    EXPECT_EQ(shown, (Strings{a, b}));
    EXPECT_EQ(tagOf(b).album, "Album A") << "the album carried over from the first track";
    EXPECT_EQ(rowKeys().size(), 4u) << "saved rows are listed again, the gone one kept";
}

TEST_F(TagEditorTest, AFailedSaveIsReportedAndLeavesTheRowAsItWas) {
    const std::string a = trackWith("a.mp3", TagValues{"One", "", "", "", "", 1});
    ASSERT_TRUE(core->commands().GetListTag(a));
    ASSERT_TRUE(editor.GetIDTag(a));
    std::filesystem::remove(a); // removed while the dialog was open
    dialogs.shown.clear();
    editor.cmdSave();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages()[0].find(a), std::string::npos) << "the message names the file";
    EXPECT_EQ(rowKeys(), Strings{a});
    EXPECT_FALSE(std::filesystem::exists(a)) << "nothing was written in its place";
}

TEST_F(TagEditorTest, ThePlayingFileIsReleasedBeforeAnyWriteOrQuestion) {
    const std::string a = trackWith("a.mp3", TagValues{"One", "", "", "", "", 1});
    player1.files[a] = player2.files[a];
    ASSERT_TRUE(core->commands().GetListTag(a));
    core->setFileIn(a);
    core->pressPlay();
    ASSERT_TRUE(core->playing());
    ASSERT_TRUE(editor.GetIDTag(a));
    player1.calls.clear();
    editor.cmdDel(); // cancelled: the stream is closed all the same
    EXPECT_EQ(player1.callsTo("CloseStream").size(), 1u);
}

TEST_F(TagEditorTest, RemembersTypedTextsForTheNextRun) {
    ASSERT_TRUE(editor.GetIDTag(trackWith("a.mp3", std::nullopt)));
    editor.setField(TagEditor::Year, "2024");
    editor.chooseSortedGenre(0);
    const int chosen = editor.tagGenre();
    ASSERT_FALSE(editor.standardGenreShown()) << "a fresh start shows the alphabetical list";
    editor.cmdSortGenre();
    editor.cmdDone();
    core->unload();
    auto next = start();
    EXPECT_EQ(next->tagEditor().dropList(TagEditor::Year), Strings{"2024"});
    EXPECT_EQ(next->tagEditor().tagGenre(), chosen);
    EXPECT_EQ(next->tagEditor().genreText(), genres::name(chosen));
    EXPECT_TRUE(next->tagEditor().standardGenreShown());
}

} // namespace
} // namespace vantrel
