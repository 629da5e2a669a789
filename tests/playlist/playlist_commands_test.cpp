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
    ASSERT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.columns().column(4).key, " 8@");
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

TEST_F(PlaylistCommandsTest, EditSelectedReachesEverySelectedRowOnce) {
    showFields({0});
    Strings edited;
    commands.setEditorOpener([&](const std::string& key) {
        edited.push_back(key);
        model.removeRow(key); // as "Add Changes" does: the row leaves and comes back
        commands.GetListTag(key);
    });
    commands.editSelected();
    EXPECT_EQ(dialogs.messages(), Strings{"No Tracks Selected to Edit"});
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Warning);
    Strings paths;
    for (const char* name : {"a", "b", "c", "d"})
        commands.GetListTag(paths.emplace_back(file(name)));
    commands.editSelected(); // rows, none selected: nothing at all
    for (int index : {1, 2, 4})
        model.setSelected(index, true);
    commands.editSelected();
    EXPECT_EQ(edited, (Strings{paths[0], paths[1], paths[3]}));
    EXPECT_EQ(dialogs.shown.size(), 1u);
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

} // namespace
} // namespace vantrel
