// Playlist files with 100,000 rows (VANTREL_BENCH_ROWS=1000000 for a million): reading a
// playlist's text, the three exports, and one key of find as you type.

#include "no_dialogs.h"
#include "platform/dialogs.h"
#include "playlist/find_as_you_type.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_reader.h"
#include "playlist/playlist_writers.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vantrel {
namespace {

const int kRows = [] {
    const char* rows = std::getenv("VANTREL_BENCH_ROWS");
    return rows ? std::atoi(rows) : 100000;
}();

// Hard links to a few small files (a file takes at most 65,000 links), made once: the
// exports ask whether each track exists.
std::string trackFolder() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp ? tmp : "/tmp") + "/vantrel-files-bench";
    const std::string last = folder + "/t" + std::to_string(kRows - 1) + ".mp3";
    if (std::filesystem::exists(last)) return folder;
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kRows; ++i) {
        const std::string source = folder + "/source" + std::to_string(i / 50000);
        if (i % 50000 == 0) std::ofstream(source) << std::string(428, 'x');
        ::link(source.c_str(), (folder + "/t" + std::to_string(i) + ".mp3").c_str());
    }
    return folder;
}

// Rows with the shipped eight columns, filled as GetListTag fills them, sorted by the first.
PlaylistModel& bigList() {
    static PlaylistModel list;
    if (list.count() > 0) return list;
    list.setColumns(ListColumns(defaultHeaderSet(), shippedFieldCaptions()));
    // Appended, then sorted once: placing a million rows one by one moves half the list each.
    list.sorting().stopAutoSort();
    const std::string folder = trackFolder();
    for (int i = 0; i < kRows; ++i) {
        PlaylistRow row;
        row.key = folder + "/t" + std::to_string(i) + ".mp3";
        for (int c = 1; c <= list.columnCount(); ++c)
            row.fields[static_cast<std::size_t>(list.columns().column(c).field)] =
                "Cell " + std::to_string((i * 7919) % kRows) + " of a track";
        list.addRow(std::move(row));
    }
    list.headerClick(1, 100);
    return list;
}

void BM_ReadPlaylist(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < kRows; ++i)
        text += "/home/someone/music/Some Artist/Album " + std::to_string(i) + "/track.mp3\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(playlistEntries(text));
}
BENCHMARK(BM_ReadPlaylist)->Unit(benchmark::kMillisecond);

void BM_ExportM3u(benchmark::State& state) {
    const PlaylistModel& list = bigList();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeM3u(list, trackFolder() + "/list.m3u"));
}
BENCHMARK(BM_ExportM3u)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state) {
    const PlaylistModel& list = bigList();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeCsv(list, creationOrder(list)));
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportHtml(benchmark::State& state) {
    const PlaylistModel& list = bigList();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            writeHtml(list, creationOrder(list), "/elsewhere/page.html", "Bench", "today"));
}
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond);

// The worst key: the only match is the last entry of the search column.
void BM_FindKey(benchmark::State& state) {
    PlaylistModel& list = bigList();
    NoDialogs dialogs;
    FindAsYouType find(list, dialogs);
    const std::string last = list.sorting().lstFind().back();
    for (auto _ : state)
        benchmark::DoNotOptimize(find.keyUp(last, false));
}
BENCHMARK(BM_FindKey)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel
