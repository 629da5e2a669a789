#include "app/core_rig.h"
#include "app/handoff_file.h"
#include "app/handoff_line.h"
#include "base/file_descriptor.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::FakePlayer;

// How often `work` replaces `file`: each replace moves a temporary file of its own, named after
// it, onto it (moves onto one name merge into one event, moves of distinct names do not).
template <typename Work> int replacesOf(const std::filesystem::path& file, Work work) {
    FileDescriptor watch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    EXPECT_GE(::inotify_add_watch(watch.get(), file.parent_path().c_str(), IN_MOVED_FROM), 0);
    work();
    const std::string temporary = "." + file.filename().string() + ".";
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(watch.get(), buffer, sizeof buffer)) > 0;)
        for (char* at = buffer; at < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            count += event->len && std::string_view(event->name).starts_with(temporary);
            at += sizeof(inotify_event) + event->len;
        }
    return count;
}

struct TaggerCoreTest : ::testing::Test, test::CoreRig {};

TEST_F(TaggerCoreTest, DeviceProbeOffersOnlyDevicesTakingEveryFormat) {
    using Strings = std::vector<std::string>;
    const std::tuple<std::vector<FakePlayer::Device>, Strings, std::size_t> cases[] = {
        {{{"Speakers", 4095}, {"Headset", 4094}, {"HDMI", 4095}}, {"Speakers", "HDMI"}, 0},
        // Told before the window shows, with the count tested; then the stored output, the card,
        // cannot be selected.
        {{{"A", 1}, {"B", 0}, {"C", 4094}}, {"No Sound Card Available"}, 2},
    };
    for (const auto& [devices, offered, messages] : cases) {
        dialogs.shown.clear();
        player1.devices = devices;
        EXPECT_EQ(start()->devices(), offered);
        ASSERT_EQ(dialogs.messages().size(), messages);
        if (messages) {
            EXPECT_NE(dialogs.messages()[0].find(" 3 "), std::string::npos);
        }
    }
}

TEST_F(TaggerCoreTest, LayoutTogglesAndOnlyTheButtonRenamesItself) {
    auto core = start();
    const std::string atStart = core->layout().toggleCaption();
    const int small = core->layout().heightPixels();
    core->cmdToglFrm(false);
    EXPECT_TRUE(core->layout().longDisp());
    EXPECT_GT(core->layout().heightPixels(), small);
    EXPECT_EQ(core->layout().toggleCaption(), atStart);
    core->cmdToglFrm(false);
    EXPECT_FALSE(core->layout().longDisp());
    EXPECT_EQ(core->layout().heightPixels(), small);
    EXPECT_NE(core->layout().toggleCaption(), atStart);
}

TEST_F(TaggerCoreTest, AMinimisedRoundedWindowKeepsItsShapeAndItsFlag) {
    EXPECT_TRUE(ini.putIni("options", "long_disp", "1"));
    auto core = start(true);
    EXPECT_EQ(core->layout().shape(), MainLayout::Shape::Rounded);
    const int large = core->layout().heightPixels();
    core->cmdToglFrm(true);
    EXPECT_LT(core->layout().heightPixels(), large);
    EXPECT_TRUE(core->layout().longDisp()) << "the region step was skipped with the flag";
    EXPECT_EQ(core->layout().shape(), MainLayout::Shape::Unchanged);
}

// The exit keys reach the file in one replace, holding what one write per key always left: on
// a file that has few of them (the first close) and on one that has them all (the second). The
// next start finds each choice again.
TEST_F(TaggerCoreTest, ClosingWritesTheExitKeysInOneReplaceAndTheNextStartReadsThem) {
    test::CoreRig oneByOne;
    for (const IniStore* store : {&ini, &oneByOne.ini})
        test::writeFile(store->file(), "; notes\r\n[elsewhere]\r\nx=1\r\n[options]\r\nvol=75");
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first);
        auto use = [first](test::CoreRig& rig) {
            auto core = rig.start();
            core->sequencer().setLoop(first);
            core->transport().chkVol(1, true);
            core->cmdToglFrm(false);
            core->fader().mnuFadeHold_Click();
            core->tagEditor().setField(0, first ? "one" : "two");
            core->tagEditor().wriTagIni();
            return core;
        };
        auto batched = use(*this), single = use(oneByOne);
        EXPECT_EQ(replacesOf(ini.file(), [&] { batched->unload(); }), 1);
        EXPECT_TRUE(player1.callsTo("CloseStream").empty()) << "nothing was playing";
        const IniStore& other = oneByOne.ini;
        EXPECT_GT(replacesOf(other.file(),
                             [&] {
                                 single->tagEditor().saveOnExit();
                                 single->transport().saveMutes(other);
                                 single->fader().saveVolume(other);
                                 single->layout().save(other);
                                 single->sequencer().save(other);
                                 single->recentLists().save(other);
                                 single->fader().saveFadeMenu(other);
                             }),
                  1);
        EXPECT_EQ(test::readFile(ini.file()), test::readFile(other.file()));
        player1.calls.clear();
        auto next = start();
        EXPECT_EQ(player1.callsTo("SetVolume"), std::vector<std::string>{"SetVolume 0 75"})
            << "the volume is loaded before the mute box applies it";
        EXPECT_EQ(next->sequencer().loop(), first);
        EXPECT_EQ(next->layout().longDisp(), first);
        EXPECT_EQ(next->fader().oneTouch(), first);
        EXPECT_TRUE(next->transport().muted(1));
    }
}

// The window closes while its events run, during a playlist's load that still has missing
// entries to ask about, with many more files and a /Play request queued behind it.
TEST_F(TaggerCoreTest, ClosingWhileFilesAreAddedEndsTheCollectionWithoutQuestions) {
    const std::string a = track("a.mp3", "Alpha");
    test::writeFile(dir / "l.m3u", "a.mp3\r\ngone1.mp3\r\ngone2.mp3\r\n");
    HandOffFile handOff(dir.path());
    ASSERT_TRUE(handOff.appendLine(composeArguments({folder + "l.m3u"})));
    std::vector<std::string> many;
    for (int i = 0; i < 500; ++i)
        many.push_back(track("m" + std::to_string(i) + ".mp3", "More"));
    ASSERT_TRUE(handOff.appendLine(composeArguments(many)));
    ASSERT_TRUE(handOff.appendLine(composeArguments({"/Play", a})));
    auto core = start();
    int pumps = 0;
    core->setEventPump([&] {
        ++pumps;
        core->unload();
    });
    const std::size_t before = dialogs.shown.size();
    core->collector().arm();
    timers["tmrCollect"].fire();
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(core->playlist().count(), 1);
    EXPECT_EQ(dialogs.shown.size(), before) << "no question once the window has closed";
    EXPECT_TRUE(player1.openPath.empty()) << "the /Play request is dropped too";
}

// Handed-over playlists open, with or without a switch, and stay out of the recent lists.
TEST_F(TaggerCoreTest, CollectorAddsHandedOverFilesAndMakesTheFirstCurrent) {
    const std::string a = track("a.mp3", "Alpha"), b = track("b b.mp3", "Beta"),
                      c = track("c.mp3", "Gamma");
    test::writeFile(dir / "a.m3u", "a.mp3\r\n");
    test::writeFile(dir / "c.m3u", "c.mp3\r\n");
    HandOffFile handOff(dir.path());
    ASSERT_TRUE(handOff.appendLine(composeArguments({b, folder + "missing.mp3"})));
    ASSERT_TRUE(handOff.appendLine(composeArguments({folder + "a.m3u"})));
    ASSERT_TRUE(handOff.appendLine(composeArguments({"/new", folder + "c.m3u"})));
    ASSERT_TRUE(handOff.appendLine(composeArguments({"/Play", a})));
    auto core = start();
    core->collector().arm();
    ASSERT_TRUE(timers["tmrCollect"].fire());
    PlaylistModel& list = core->playlist();
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.indexOf(a), 1) << "sorted by title, the first column";
    EXPECT_EQ(list.indexOf(b), 2);
    EXPECT_EQ(list.indexOf(c), 3);
    EXPECT_TRUE(list.row(1).selected);
    EXPECT_EQ(list.curFile(), a);
    EXPECT_EQ(list.lblLstTotal(), "Total =  3");
    EXPECT_FALSE(std::filesystem::exists(dir / "quorv.tmp"));
    EXPECT_EQ(core->recentLists().slot(1), "");
}

// Decoder errors are shown; only those of the playing instance stop auto play, so the end
// after one starts nothing.
TEST_F(TaggerCoreTest, HandedOverPlayRunsThroughTheListOnThePlayingInstance) {
    std::string a = track("a.mp3", "Alpha"), b = track("b.mp3", "Beta"),
                c = track("c.mp3", "Gamma");
    player1.devices = {{"Speakers", 4095}};
    ASSERT_TRUE(HandOffFile(dir.path()).appendLine(composeArguments({"/Play", a, b, c})));
    auto core = start();
    EXPECT_FALSE(core->transport().playEnabled()) << "no track is current yet";
    core->collector().arm();
    timers["tmrCollect"].fire();
    EXPECT_EQ(player1.openPath, a);
    EXPECT_TRUE(core->playing());
    EXPECT_EQ(core->transport().status(), PlayStatus::Playing);

    player1.raiseThreadEnded();
    EXPECT_EQ(player1.openPath, b);
    EXPECT_EQ(core->playlist().curFile(), b);

    player2.raiseFailure(3, "probe failed");
    EXPECT_TRUE(core->transport().autoPlay());
    player1.raiseFailure(3, "lost sync");
    EXPECT_FALSE(core->transport().autoPlay());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_NE(dialogs.messages()[1].find("lost sync"), std::string::npos) << "the reason shows";
    EXPECT_EQ(dialogs.shown.back().icon, Dialogs::Icon::Critical);
    player1.raiseThreadEnded();
    EXPECT_EQ(core->transport().status(), PlayStatus::Finished);
    EXPECT_EQ(player1.openPath, b);
    core->unload();
    EXPECT_EQ(player1.callsTo("CloseStream").size(), 1u) << "the track that ended stays open";
}

} // namespace
} // namespace vantrel
