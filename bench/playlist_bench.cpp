// The playlist with 100,000 rows (adding them from files on disk) and with 100,000 and
// 1,000,000 rows in memory (sorting, finding, cropping, removing the selection, selecting
// all, and the next track in random order).

#include "metadata/id3v1_block.h"
#include "no_dialogs.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "platform/random_source.h"
#include "platform/timer.h"
#include "playback/fader_control.h"
#include "playback/playback_state.h"
#include "playback/time_display.h"
#include "playback/track_sequencer.h"
#include "playback/transport.h"
#include "playlist/find_as_you_type.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <unistd.h>

namespace vantrel {
namespace {

constexpr int kRows = 100000;

// The probe instance without a decoder: every file opens and reports fixed values, so the
// figures are the playlist's own cost plus the file system's.
class FixedProbe : public Mp3Play {
public:
    std::int32_t OpenStream(const std::string&, const std::string&) override { return 0; }
    std::uint32_t currentStream() override { return 1; }
    void CloseStream() override {}
    std::int32_t TotalTime() override { return 205400; }
    std::int32_t SampleRate() override { return 44100; }
    std::int32_t BitRate() override { return 128000; }
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
};

std::string word(std::mt19937& random) {
    std::string text;
    for (int n = 4 + int(random() % 12); n > 0; --n)
        text += char((random() % 2 ? 'a' : 'A') + random() % 26);
    return text;
}

// An ID3v2.3 tag as taggers write it: five text frames and 1 KB of padding.
std::string id3v2Tag(const TagValues& tag) {
    std::string body;
    auto frame = [&body](const char* id, const std::string& text) {
        const std::size_t n = text.size() + 1;
        body += id + std::string{0, 0, char(n >> 8), char(n & 0xFF), 0, 0, 0} + text;
    };
    frame("TIT2", tag.title);
    frame("TPE1", tag.artist);
    frame("TALB", tag.album);
    frame("TYER", tag.year);
    frame("TCON", "(17)");
    body.append(1024, '\0');
    return std::string("ID3\3\0\0\0\0", 8) + char(body.size() >> 7) + char(body.size() & 0x7F) +
           body;
}

// 100,000 small files with random titles and artists, made once per run, tagged with ID3v1
// or with ID3v2 alone.
class TrackFolder {
public:
    explicit TrackFolder(bool id3v2) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vantrel-bench-" + std::to_string(::getpid()) + (id3v2 ? "-v2" : ""));
        std::filesystem::create_directories(folder_);
        std::mt19937 random(1);
        const std::string audio(300, '\xFF');
        for (int i = 0; i < kRows; ++i) {
            TagValues tag{word(random), word(random), "Album", "1999", "", 17};
            paths_.push_back((folder_ / (std::to_string(i) + ".mp3")).string());
            std::ofstream out(paths_.back(), std::ios::binary);
            if (id3v2)
                out << id3v2Tag(tag) << audio;
            else
                out << audio << id3v1::compose(tag);
        }
    }
    ~TrackFolder() { std::filesystem::remove_all(folder_); }
    const std::vector<std::string>& paths() const { return paths_; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::vector<std::string> paths_;
};

const TrackFolder& tracks(bool id3v2 = false) {
    static TrackFolder v1(false);
    if (!id3v2) return v1;
    static TrackFolder v2(true);
    return v2;
}

double residentMegabytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The shipped column set (no settings file): sorted by title as rows come in. Argument 1: the
// files carry ID3v2 tags only.
void BM_GetListTag(benchmark::State& state) {
    const TrackFolder& folder = tracks(state.range(0) == 1);
    IniStore ini(folder.folder() / "absent.ini");
    FixedProbe probe;
    NoDialogs dialogs;
    for (auto _ : state) {
        PlaylistModel model;
        PlaylistCommands commands(model, probe, dialogs, ini);
        commands.toglHeaders();
        for (const std::string& path : folder.paths())
            commands.GetListTag(path);
        if (model.count() != kRows) state.SkipWithError("rows missing");
        state.counters["rss_MB"] = residentMegabytes();
        state.PauseTiming();
        model.clearList(); // freeing is not part of adding
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_GetListTag)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void fill(PlaylistModel& model, int rows) {
    model.setColumns(ListColumns({{2, true}, {3, true}, {0, true}}, shippedFieldCaptions()));
    // Appended: placing a million random titles one by one moves half the list each time.
    model.sorting().stopAutoSort();
    std::mt19937 random(2);
    for (int i = 0; i < rows; ++i) {
        PlaylistRow row;
        row.key = "/music/" + std::to_string(i) + ".mp3";
        row.fields[2] = word(random);
        row.fields[3] = word(random);
        row.fields[0] = std::to_string(i) + ".mp3";
        row.selected = i % 2 == 0;
        model.addRow(std::move(row));
    }
}

// Each click sorts by the other column, so every sort starts from an unrelated order.
void BM_SortByText(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    PlaylistModel model;
    fill(model, rows);
    state.counters["rss_MB"] = residentMegabytes();
    int column = 2;
    for (auto _ : state) {
        model.headerClick(column, 120);
        column = 3 - column;
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_SortByText)->Unit(benchmark::kMillisecond)->Arg(100000)->Arg(1000000);

// The worst key of find as you type: the only match is the last entry of the search column.
void BM_FindKey(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    PlaylistModel model;
    fill(model, rows);
    model.headerClick(1, 120);
    const std::string last = model.sorting().lstFind().back();
    NoDialogs dialogs;
    FindAsYouType find(model, dialogs);
    for (auto _ : state)
        benchmark::DoNotOptimize(find.keyUp(last, false));
}
BENCHMARK(BM_FindKey)->Unit(benchmark::kMicrosecond)->Arg(100000)->Arg(1000000);

// "Crop Selection" keeping every second row, and "Remove Selection" taking it.
void BM_CropHalf(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    const bool crop = state.range(1) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        PlaylistModel model;
        fill(model, rows);
        state.ResumeTiming();
        if (crop)
            model.cropSelection();
        else
            model.removeSelection();
        state.PauseTiming();
        model.clearList();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_CropHalf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->ArgNames({"rows", "crop"})
    ->Args({100000, 1})
    ->Args({1000000, 1})
    ->Args({1000000, 0});

// Select All in the list view: Qt hands the whole range over once, and the view marks every
// row in the core; its listener of the marks returns at once while it does so.
void BM_SelectAll(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    PlaylistModel model;
    fill(model, rows);
    bool mirroring = false;
    int heard = 0;
    Connection view = model.selection().changed.connect([&](int, int) {
        if (!mirroring) ++heard;
    });
    for (auto _ : state) {
        state.PauseTiming();
        model.selection().clickRow(1, PlaylistModel::Click::Plain); // one row marked
        state.ResumeTiming();
        mirroring = true;
        for (int i = 1; i <= rows; ++i)
            model.selection().setSelected(i, true);
        model.selection().setSelectedItem(1);
        model.calcLVItms();
        mirroring = false;
        if (model.selectedCount() != rows) state.SkipWithError("rows left unmarked");
    }
    benchmark::DoNotOptimize(heard);
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond)->Arg(100000)->Arg(1000000);

class IdleTimer : public Timer {
public:
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void onTick(std::function<void()>) override {}

private:
    int interval_ = 0;
    bool enabled_ = false;
};

class NoFader : public FaderControl {
public:
    int volume() const override { return 100; }
    bool autoFadeIn() const override { return false; }
    bool autoFadeOut() const override { return false; }
    std::int32_t fadeLead() const override { return 0; }
    void startAutoFadeIn() override {}
    void startAutoFadeOut() override {}
    bool stopMarked() const override { return false; }
    void clearStopMark() override {}
};

// The system's numbers, counted.
class CountedRandom : public RandomSource {
public:
    double draw() override {
        ++draws;
        return system_->draw();
    }
    double draws = 0;

private:
    std::unique_ptr<RandomSource> system_ = makeSystemRandom();
};

// The end of a track with random order on, as the player reports it, over a list whose marks
// say which rows were played: all but `unplayed` of them (0: the pass is over; looping then
// starts the next one). Each end marks one more row, which is unmarked again untimed, and the
// same played row is current again.
void BM_RandomNext(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    const auto unplayed = static_cast<int>(state.range(1));
    PlaylistModel model;
    fill(model, rows);
    FixedProbe player;
    NoDialogs dialogs;
    PlaybackState playback;
    NoFader fader;
    IdleTimer tmrDisp, tmrShutDelay, tmrShutl;
    TimeDisplay display(player, tmrDisp, fader);
    Transport transport(player, dialogs, playback, fader, display, tmrShutDelay, tmrShutl,
                        [&model] { return model.curFile(); });
    CountedRandom random;
    TrackSequencer sequencer(model, transport, random, dialogs);
    sequencer.setRandom(true);
    sequencer.setLoop(unplayed == 0);

    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), std::mt19937(3));
    for (int i = 0; i < rows; ++i)
        model.setSelected(order[std::size_t(i)], i >= unplayed);
    model.setSelected(order.back(), true); // the track playing now
    transport.play();
    if (unplayed == rows) {
        // A run of nexts from an unplayed list: the first of a pass, one draw each or nearly.
        for (auto _ : state)
            sequencer.ThreadEnded();
        if (transport.status() != PlayStatus::Playing) state.SkipWithError("nothing played");
        state.counters["draws"] =
            benchmark::Counter(random.draws, benchmark::Counter::kAvgIterations);
        return;
    }
    // 2n - 1 draws may all miss the last unplayed rows (for one row left, about one time in
    // seven): the marks are then cleared and, without looping, nothing plays.
    int endedPass = 0;
    for (auto _ : state) {
        sequencer.ThreadEnded();
        state.PauseTiming();
        if (transport.status() == PlayStatus::Playing) {
            if (unplayed == 0)
                for (int i = 1; i <= rows; ++i)
                    model.setSelected(i, true);
            else
                model.setSelected(model.selectedItem(), false);
        } else {
            ++endedPass;
            for (int i = 0; i < rows; ++i)
                model.setSelected(order[std::size_t(i)], i >= unplayed);
            transport.play();
        }
        model.selection().setSelectedItem(order.back());
        state.ResumeTiming();
    }
    state.counters["ended_pass"] = endedPass;
    state.counters["draws"] = benchmark::Counter(random.draws, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RandomNext)
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"rows", "unplayed"})
    ->Args({1000000, 1000000})
    ->Iterations(10000);

// A whole pass from an unplayed list, but for the last few rows: the mean next of a pass.
void BM_RandomNextPass(benchmark::State& state) {
    BM_RandomNext(state);
}
BENCHMARK(BM_RandomNextPass)
    ->Unit(benchmark::kMicrosecond)
    ->ArgNames({"rows", "unplayed"})
    ->Args({1000000, 1000000})
    ->Iterations(1000000 - 10);

// Late in the pass, few rows left unplayed: each next draws about rows / unplayed times.
void BM_RandomNextLate(benchmark::State& state) {
    BM_RandomNext(state);
}
BENCHMARK(BM_RandomNextLate)
    ->Unit(benchmark::kMillisecond)
    ->ArgNames({"rows", "unplayed"})
    ->Args({1000000, 1000})
    ->Args({1000000, 100})
    ->Args({1000000, 10})
    ->Args({1000000, 1})
    ->Args({1000000, 0})
    ->Iterations(50);

} // namespace
} // namespace vantrel
