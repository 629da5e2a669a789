// Tags from ID3v2 tags and from file names, in the tag editor and vantrel-cli.
#include "app/core_rig.h"
#include "base/file_url.h"
#include "metadata/cover_art.h"
#include "metadata/track_tag.h"
#include "support/cli_runner.h"
#include "support/id3v2_bytes.h"
#include "tagedit/tag_editor.h"
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct TagSourcesTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    TagEditor& editor = core->tagEditor();

    TagValues id3v2Of(const std::string& path) {
        TagValues v;
        bool found = false;
        EXPECT_TRUE(id3v2::readFields(path, v, found));
        return v;
    }
};

TEST_F(TagSourcesTest, EditorSaveKeepsTheLongId3v2TextsOfFieldsLeftAsTheyWere) {
    // Both tags, as taggers write them: ID3v1 holds what fits of the title.
    const std::string longTitle = "A title of more than thirty letters, \xC3\xBC too";
    const std::string path = trackWith("a.mp3", TagValues{longTitle, "Band", "", "1999", "", 17});
    test::writeFile(
        path, test::id3v2Tag(4, {test::text("TIT2", longTitle, 3), test::text("TPE1", "Band")}) +
                  test::readFile(path));
    ASSERT_TRUE(editor.GetIDTag(path));
    EXPECT_EQ(editor.fields()[TagEditor::Title], longTitle.substr(0, 30));
    editor.setField(TagEditor::Year, "2020");
    editor.setField(TagEditor::Artist, "Other");
    editor.cmdSave();
    EXPECT_EQ(id3v2Of(path), (TagValues{longTitle, "Other", "", "2020", "", 255}));
}

// The Use boxes checked (artist, title, album), the file name, and the title, artist and
// album it gives (none: a box tells, and the fields stay).
using NameCase = std::tuple<std::array<bool, 3>, std::string, std::array<std::string, 3>>;
const NameCase kNames[] = {
    {{false, false, false}, "Just - a title.mp3", {"Just - a title", "", ""}},
    {{true, true, false}, "Song - Band.mp3", {"Song", "Band", ""}},
    {{true, true, true}, " Song  - Band - Disc.MP3", {"Song", "Band", "Disc"}},
    {{true, true, false}, "Song-Band.mp3", {}},
    {{true, true, true}, "Song - Band.mp3", {}},
    {{true, true, true}, "A - B - C - D.mp3", {}},
    {{true, true, false}, "Song - .mp3", {}},
};

TEST_F(TagSourcesTest, EditorFillsFieldsFromTheFileNameAsTheTemplateSplitsIt) {
    for (const auto& [use, name, expected] : kNames) {
        ASSERT_TRUE(editor.GetIDTag(trackWith(name, std::nullopt)));
        for (int k = 0; k < 3; ++k)
            if (editor.checked(k) != use[k]) editor.chkFileAsClick(k, use[k]);
        editor.setField(TagEditor::Title, "kept");
        const std::size_t boxes = dialogs.shown.size();
        editor.cmdFromName();
        const bool splits = !expected[0].empty();
        EXPECT_EQ(dialogs.shown.size(), boxes + (splits ? 0 : 1)) << name;
        const auto& f = editor.fields();
        const std::array<std::string, 3> shown{f[TagEditor::Title], f[TagEditor::Artist],
                                               f[TagEditor::Album]};
        EXPECT_EQ(shown, (splits ? expected : std::array<std::string, 3>{"kept", "", ""})) << name;
    }
    // vantrel-cli splits the same way, file by file.
    const std::string good = trackWith("Song - Band - Disc.mp3", std::nullopt);
    const std::string bad = trackWith("Song - Band.mp3", std::nullopt),
                      before = test::readFile(bad);
    EXPECT_EQ(test::runProgram(dir.path(), VANTREL_CLI,
                               {"tag", "--from-name", "title-artist-album", good, bad})
                  .status,
              1);
    TagRead tag;
    ASSERT_TRUE(readTrackTag(good, tag));
    EXPECT_EQ(tag.values, (TagValues{"Song", "Band", "Disc", "", "", 255}));
    EXPECT_EQ(test::readFile(bad), before);
}

TEST_F(TagSourcesTest, MediaControlsShowTheFrontCoverFromTheCache) {
    const std::string cover = "front", other = "back";
    const std::string withCover = trackWith("c.mp3", std::nullopt);
    const std::string plain = track("p.mp3", "Plain");
    test::writeFile(withCover,
                    test::id3v2Tag(3, {test::picture(other, 4), test::picture(cover, 3)}) +
                        test::readFile(withCover));
    ::setenv("XDG_CACHE_HOME", dir.path().c_str(), 1);
    MediaControls media(test::mediaParts(*core));
    for (const std::string& path : {withCover, plain, withCover}) {
        core->GetListTag(path);
        core->selectRow(static_cast<std::size_t>(core->playlist().indexOf(path)));
        core->setFileIn(path);
        const std::string url = media.state().track.artUrl;
        EXPECT_EQ(url.empty(), path == plain);
        if (!url.empty()) {
            EXPECT_EQ(test::readFile(pathFromFileUrl(url)), cover);
            EXPECT_EQ(pathFromFileUrl(url).rfind(coverCacheFolder().string(), 0), 0u);
        }
    }
    ::unsetenv("XDG_CACHE_HOME");
}

} // namespace
} // namespace vantrel
