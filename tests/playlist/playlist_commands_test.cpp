#include "playlist/playlist_commands.h"

#include "metadata/id3v1_block.h"
#include "platform/mp3_play.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;

// The probe instance: reports the values set for each path and counts what it is asked.
class StubProbe : public Mp3Play {
public:
    struct Values {
        std::int32_t openResult = 0, totalTime = 0, sampleRate = 44100, bitRate = 128000;
    };
    std::map<std::string, Values> files;
    int opens = 0, closes = 0, valueReads = 0;

    std::int32_t OpenStream(const std::string& path, const std::string&) override {
        ++opens;
        now_ = files[path];
        return now_.openResult;
    }
    void CloseStream() override { ++closes; }
    std::int32_t TotalTime() override { return ++valueReads, now_.totalTime; }
    std::int32_t SampleRate() override { return ++valueReads, now_.sampleRate; }
    std::int32_t BitRate() override { return ++valueReads, now_.bitRate; }

    void setListener(Mp3PlayListener*) override {}
    std::int32_t DeviceCount() override { return 0; }
    std::int32_t DeviceFormats(std::int32_t) override { return 0; }
    std::string DeviceName(std::int32_t) override { return {}; }
    std::int16_t SelectDevice(std::int16_t) override { return 0; }
    void DecodeOption(std::int16_t) override {}
    float FrameTime() override { return 0; }
    std::int32_t TotalFrames() override { return 0; }
    void SetTempo(std::int16_t) override {}
    void StartPlay() override {}
    void PauseToggle() override {}
    void SeekFrame(std::int32_t) override {}
    void SetVolume(std::int16_t, std::int16_t) override {}
    void StopPlay() override {}

private:
    Values now_;
};

struct PlaylistCommandsTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    PlaylistModel model;
    StubProbe probe;
    test::ScriptedDialogs dialogs;
    PlaylistCommands commands{model, probe, dialogs, ini};

    void showFields(std::initializer_list<int> fields) {
        std::string text = "[options]\n";
        int position = 0;
        for (int field : fields)
            text +=
                "lv_header_" + std::to_string(position++) + "=" + std::to_string(field) + "=1\n";
        test::writeFile(ini.file(), text);
        commands.toglHeaders();
    }
    std::string file(const std::string& name, std::size_t audioBytes = 400,
                     const TagValues* tag = nullptr) {
        const std::string path = (dir / name).string();
        test::writeFile(path, std::string(audioBytes, '\xFF') + (tag ? id3v1::compose(*tag) : ""));
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
    EXPECT_EQ(probe.valueReads, 1); // play time and sample rate not asked for
    EXPECT_EQ(model.lblLstTotal(), "Total =  1");

    showFields({8, 9, 10});
    struct Case {
        StubProbe::Values values;
        Strings cells;
    } cases[] = {
        {{0, 205400, 44100, 128000}, {"03:25", " 44.1 Khz", " 128 Kbit"}},
        {{0, 1500, 8000, 131234}, {"00:02", " 8 Khz", " 131.234 Kbit"}},
        {{0, 6000000, 11025, 0}, {"100:00", " 11.025 Khz", " 0 Kbit"}},
    };
    for (const Case& c : cases) {
        const std::string path = file(std::to_string(c.values.totalTime));
        probe.files[path] = c.values;
        ASSERT_TRUE(commands.GetListTag(path));
        EXPECT_EQ(cells(model.indexOf(path)), c.cells);
    }
}

TEST_F(PlaylistCommandsTest, TagCellsAndGenreHook) {
    showFields({2, 3, 5, 6, 7, 1});
    std::vector<int> genres;
    commands.onGenreCell([&](std::uint8_t genre) { genres.push_back(genre); });
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
    probe.files[unplayable].openResult = 5;
    std::filesystem::create_directory(dir / "folder.mp3");
    for (const std::string& path :
         {std::string(), (dir / "missing.mp3").string(), (dir / "folder.mp3").string(),
          file("short.mp3", 128), unplayable, good}) {
        EXPECT_FALSE(commands.GetListTag(path)) << path;
        EXPECT_EQ(model.lblLstTotal(), "Total =  1");
    }
    EXPECT_TRUE(commands.GetListTag(file("long-enough.mp3", 129)));
    EXPECT_EQ(probe.opens, probe.closes);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PlaylistCommandsTest, ColumnsFromSettingsOrShippedSet) {
    commands.toglHeaders(); // no settings file at all
    ASSERT_EQ(model.columnCount(), 8);
    EXPECT_EQ(model.columns().column(1).header, "Title" + std::string(14, ' ') + "A>Z");
    EXPECT_EQ(model.columns().column(4).key, " 8@");
    commands.GetListTag(file("a.mp3"));
    model.headerClick(2, 10);
    model.setSelected(1, true);
    model.calcLVItms();
    test::writeFile(ini.file(), "[default]\nlv_header_6=Jahr\n[options]\nlv_header_0=6=1\n");
    commands.toglHeaders(); // empties the list, its search column and its counters
    EXPECT_EQ(model.count() + model.lstFind().size(), 0u);
    EXPECT_EQ(model.sortOrder(), SortOrder::Ascending);
    EXPECT_EQ(model.lblLstTotal() + model.lblLstSel(), "Total =  0Selected = 0");
    ASSERT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.columns().column(1).caption, "Jahr");
    EXPECT_EQ(model.columns().fieldCaption(2), "Title"); // missing captions: the shipped ones
}

TEST_F(PlaylistCommandsTest, ListStats) {
    struct Case {
        std::vector<std::int32_t> times; // 0: the probe cannot open that row
        std::vector<int> selected;
        const char *selectedTotal, *allTotal; // none: no message at all
    } cases[] = {
        {{}, {}, "00:00", "00:00"},
        {{3599400}, {1}, "59:59", "59:59"},
        {{3599000, 500}, {2}, "00:00", "01:00:00"}, // halves go to the even neighbour
        {{3000000, 723000}, {1, 2}, "01:02:03", "01:02:03"},
        {{65000, 0, 2000}, {}, nullptr, nullptr},
    };
    showFields({0});
    for (const Case& c : cases) {
        model.clearList();
        dialogs.shown.clear();
        for (std::size_t i = 0; i < c.times.size(); ++i) {
            const std::string path = file(std::to_string(i) + ".mp3");
            probe.files[path] = {0, c.times[i]};
            commands.GetListTag(path);
            probe.files[path].openResult = c.times[i] == 0;
        }
        for (int index : c.selected)
            model.setSelected(index, true);
        commands.listStats();
        Strings expected;
        if (c.allTotal)
            expected.push_back(std::string("Total Time of Files Selected  = ") + c.selectedTotal +
                               "\r\nTotal Time of All Files = " + c.allTotal);
        EXPECT_EQ(dialogs.messages(), expected);
        for (const auto& box : dialogs.shown)
            EXPECT_EQ(box.title, "List Viewer Stats");
        EXPECT_EQ(probe.opens, probe.closes);
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

} // namespace
} // namespace vantrel
