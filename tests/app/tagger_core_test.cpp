#include "app/tagger_core.h"

#include "app/handoff_file.h"
#include "app/handoff_line.h"
#include "metadata/id3v1_block.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_random.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::FakePlayer;
using test::ManualTimer;
using test::ScriptedDialogs;
using test::TempDir;
using test::writeFile;

struct RecordingShell : Shell {
    std::vector<std::string> opened;
    bool open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
};

struct TaggerCoreTest : ::testing::Test {
    TempDir dir;
    std::string folder = dir.path().string() + "/";
    IniStore ini{dir / "vantrel.ini"};
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FakePlayer player1, player2;
    ManualTimer tmrCollect, tmrDisp, tmrShutDelay, tmrShutl, tmrVolume;
    test::ScriptedRandom random;

    std::unique_ptr<TaggerCore> start(bool useRound = false) {
        auto core = std::make_unique<TaggerCore>(
            TaggerPorts{ini, dialogs, shell, player1, player2, tmrCollect, tmrDisp, tmrShutDelay,
                        tmrShutl, tmrVolume, random, folder, useRound, false});
        core->load();
        return core;
    }

    // A file the probe player accepts, with a tag.
    std::string track(const std::string& name, const std::string& title) {
        std::string path = folder + name;
        writeFile(path, std::string(400, '\x55') + id3v1::compose({title, "", "", "", "", 17}));
        player2.files[path] = FakePlayer::Stream{26.122449f, 180000, 6891, 44100, 128000};
        return path;
    }
};

TEST_F(TaggerCoreTest, DeviceProbeOffersOnlyDevicesTakingEveryFormat) {
    using Strings = std::vector<std::string>;
    struct Case {
        std::vector<FakePlayer::Device> devices;
        Strings offered, messages;
    } cases[] = {
        {{{"Speakers", 4095}, {"Headset", 4094}, {"HDMI", 4095}}, {"Speakers", "HDMI"}, {}},
        // Told before the window shows; then the stored output, the card, cannot be selected.
        {{{"A", 1}, {"B", 0}, {"C", 4094}},
         {"No Sound Card Available"},
         {"No 44100hz 16bit sound cards found from  3 Wave Devices tested\r\n"
          "Vantrel can be used for Decoding to Wave files Only",
          "No Sound Card Selected for Output"}},
    };
    for (const Case& c : cases) {
        dialogs.shown.clear();
        player1.devices = c.devices;
        EXPECT_EQ(start()->devices(), c.offered);
        EXPECT_EQ(dialogs.messages(), c.messages);
    }
}

TEST_F(TaggerCoreTest, LayoutFollowsTheSettingAndTheButtonCaptionRule) {
    ini.putIni("options", "long_disp", "0");
    auto core = start();
    struct Step {
        bool longDisp;
        const char* caption;
        int height;
    } expected[] = {{false, "Lge", 89}, {true, "Lge", 304}, {false, "Sml", 89}, {true, "Lge", 304}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        if (i > 0) core->cmdToglFrm(false);
        EXPECT_EQ(core->layout().longDisp(), expected[i].longDisp) << i;
        EXPECT_EQ(core->layout().toggleCaption(), expected[i].caption) << i;
        EXPECT_EQ(core->layout().heightPixels(), expected[i].height) << i;
    }
}

TEST_F(TaggerCoreTest, RoundedWindowsAreTallerAndAMinimisedOneKeepsItsFlag) {
    ini.putIni("options", "long_disp", "1");
    auto core = start(true);
    EXPECT_EQ(core->layout().heightTwips(), 4740);
    EXPECT_EQ(core->layout().shape(), MainLayout::Shape::Rounded);
    core->cmdToglFrm(true);
    EXPECT_EQ(core->layout().heightTwips(), 1490);
    EXPECT_TRUE(core->layout().longDisp()) << "the region step was skipped with the flag";
    EXPECT_EQ(core->layout().shape(), MainLayout::Shape::Unchanged);
}

TEST_F(TaggerCoreTest, UnloadWritesTheExitKeys) {
    ini.putIni("options", "vol", "75");
    ini.putIni("options", "fade_in", "1");
    ini.putIni("options", "genre", "1");
    ini.putIni("mru_list", "mru_max", "12");
    ini.putIni("options", "long_disp", "1");
    auto core = start();
    core->sequencer().setLoop(true);
    core->transport().chkVol(1, true);
    core->cmdToglFrm(false);
    core->unload();
    struct Key {
        const char *section, *key, *value;
    } keys[] = {
        {"options", "genre", "1"},    {"options", "bal_l", "1"},     {"options", "bal_r", "0"},
        {"options", "vol", "75"},     {"options", "long_disp", "0"}, {"options", "loop", "1"},
        {"options", "random", "0"},   {"mru_list", "mru_max", "9"},  {"options", "fade_in", "1"},
        {"options", "fade_out", "0"}, {"options", "fade_hold", "0"},
    };
    for (const auto& k : keys)
        EXPECT_EQ(ini.getIni(k.section, k.key), k.value) << k.key;
    EXPECT_TRUE(player1.callsTo("CloseStream").empty()) << "nothing was playing";
}

TEST_F(TaggerCoreTest, CollectorAddsHandedOverFilesAndMakesTheFirstCurrent) {
    std::string a = track("a.mp3", "Alpha"), b = track("b b.mp3", "Beta");
    HandOffFile handOff(dir.path());
    handOff.appendLine(composeArguments({b, folder + "missing.mp3"}));
    handOff.appendLine(composeArguments({"/Play", a}));
    auto core = start();
    core->collector().arm();
    ASSERT_TRUE(tmrCollect.fire());
    PlaylistModel& list = core->playlist();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.indexOf(a), 1) << "sorted by title, the first column";
    EXPECT_EQ(list.indexOf(b), 2);
    EXPECT_TRUE(list.row(1).selected);
    EXPECT_EQ(list.curFile(), a);
    EXPECT_EQ(list.lblLstTotal(), "Total =  2");
    EXPECT_FALSE(std::filesystem::exists(dir / "quorv.tmp"));
}

TEST_F(TaggerCoreTest, HandedOverPlayRunsThroughTheListOnThePlayingInstance) {
    std::string a = track("a.mp3", "Alpha"), b = track("b.mp3", "Beta");
    player1.files = player2.files;
    player1.devices = {{"Speakers", 4095}};
    HandOffFile(dir.path()).appendLine(composeArguments({"/Play", a, b}));
    auto core = start();
    EXPECT_FALSE(core->transport().playEnabled()) << "no track is current yet";
    core->collector().arm();
    tmrCollect.fire();
    EXPECT_EQ(player1.openPath, a);
    EXPECT_TRUE(core->playing());
    EXPECT_EQ(core->playbackState().playStatus, "Playing");

    player1.raiseThreadEnded();
    EXPECT_EQ(player1.openPath, b);
    EXPECT_EQ(core->playlist().curFile(), b);

    player2.raiseFailure(3, "probe failed");
    EXPECT_TRUE(core->transport().autoPlay());
    player1.raiseFailure(3, "lost sync");
    EXPECT_FALSE(core->transport().autoPlay());
    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Decoder Error\r\nError probe failed",
                                                            "Decoder Error\r\nError lost sync"}));
    player1.raiseThreadEnded();
    EXPECT_EQ(core->playbackState().playStatus, "Finished");
    core->unload();
    EXPECT_EQ(player1.callsTo("CloseStream").size(), 1u) << "the track that ended stays open";
}

TEST_F(TaggerCoreTest, MakingATrackCurrentOffersPlayOnlyWhileNothingPlays) {
    std::string a = track("a.mp3", "Alpha");
    player1.files = player2.files;
    auto core = start();
    core->GetListTag(a);
    core->setFileIn(a);
    EXPECT_TRUE(core->transport().playEnabled());
    core->pressPlay();
    core->setFileIn(a);
    EXPECT_FALSE(core->transport().playEnabled());
}

TEST_F(TaggerCoreTest, LoadAppliesTheMuteBoxesVolumeAndListBoxes) {
    ini.putIni("options", "vol", "60");
    ini.putIni("options", "bal_l", "1");
    ini.putIni("options", "loop", "1");
    auto core = start();
    EXPECT_TRUE(core->transport().muted(1));
    EXPECT_FALSE(core->transport().muted(0));
    EXPECT_EQ(player1.callsTo("SetVolume"), std::vector<std::string>{"SetVolume 0 60"});
    EXPECT_TRUE(core->sequencer().loop());
    EXPECT_FALSE(core->sequencer().random());
}

TEST_F(TaggerCoreTest, HelpOpensThePageBesideTheProgram) {
    auto core = start();
    core->cmdHelp();
    EXPECT_EQ(shell.opened, std::vector<std::string>{folder + "Help/index.html"});
}

} // namespace
} // namespace vantrel
