// Reading added files on worker threads: whatever the workers' timing, rows enter in the order
// the files were given, each with its own file's values.
#include "playlist/read_ahead.h"
#include "playlist_rig.h"

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

namespace vantrel::test {
namespace {

void randomPause(std::mt19937& random) {
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 400));
}

ReadAhead::Reader slowReader(unsigned seed) {
    return [random = std::mt19937(seed)](const std::string& path, TrackRead& out) mutable {
        randomPause(random);
        out.listable = true;
        out.stream.totalTime = std::stoi(path);
    };
}

TEST(ReadAhead, HandsEachPathItsOwnReadInTheOrderAskedForAnyTiming) {
    for (int workers : {1, 2, 5}) {
        std::atomic<unsigned> seeds{unsigned(workers)};
        ReadAhead ahead(workers, [&] { return slowReader(seeds++); });
        std::vector<std::string> paths;
        for (int i = 0; i < 300; ++i)
            paths.push_back(std::to_string(i));
        ahead.submit(paths);
        for (int i = 0; i < 300; ++i) {
            if (i % 7 == 3) continue; // passed over: the next take drops it
            const auto read = ahead.take(paths[i]);
            ASSERT_TRUE(read) << workers << " " << i;
            EXPECT_EQ(read->stream.totalTime, i) << workers;
        }
        EXPECT_EQ(ahead.queued(), 0u);
        EXPECT_FALSE(ahead.take("5")) << "taken once only";
        ahead.submit({"7", "8"});
        ahead.cancel();
        EXPECT_FALSE(ahead.take("8"));
    }
}

// A probe that takes a random while to open each file, on a thread of its own.
struct SlowProbe : FakePlayer {
    std::mt19937 random;
    std::int32_t OpenStream(const std::string& path, const std::string& wave) override {
        randomPause(random);
        return FakePlayer::OpenStream(path, wave);
    }
};

TEST(ReadAhead, APlaylistListsItsEntriesInOrderWhateverTheWorkersTiming) {
    PlaylistRig rig;
    rig.showFields({0, 8});
    std::vector<std::string> names, text;
    for (int i = 0; i < 60; ++i) {
        names.push_back("t" + std::to_string((i * 37) % 60) + ".mp3");
        rig.track(names.back());
        rig.probe.files[rig.folder + "/" + names.back()].totalTime = 1000 * (i + 1);
    }
    std::atomic<unsigned> seeds{1};
    rig.commands.setReadAhead(3, [&] {
        auto probe = std::make_unique<SlowProbe>();
        probe->files = rig.probe.files;
        probe->random.seed(seeds++);
        return probe;
    });
    std::string listed;
    for (const std::string& name : names)
        listed += name + "\r\n" + (name == names[5] ? "gone.mp3\r\n" + name + "\r\n" : "");
    const std::string playlist = rig.playlist("list.m3u", listed);
    rig.files.opener().setMissingReport([](const std::string&) {});
    for (int run = 0; run < 4; ++run) {
        rig.model.clearList();
        rig.model.sorting().stopAutoSort();
        rig.files.openPList(playlist);
        ASSERT_EQ(rig.model.count(), 60) << run;
        for (int i = 1; i <= 60; ++i) {
            EXPECT_EQ(rig.model.row(i).key, rig.folder + "/" + names[i - 1]) << run;
            EXPECT_EQ(rig.model.cell(i, 2), playTimeCell(1000 * i)) << run;
        }
    }
}

} // namespace
} // namespace vantrel::test
