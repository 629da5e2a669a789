// The settings file with many lines: the reads of a start, and one read of a running program.

#include "app/start_up.h"
#include "app/tagger_core.h"
#include "settings/ini_store.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_random.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vantrel {
namespace {

struct NoShell : Shell {
    bool open(const std::string&) override { return true; }
};

// A program folder whose vantrel.ini holds the shipped settings and then `lines` more.
std::filesystem::path settingsFolder(long lines) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("vantrel-settings-bench-" + std::to_string(lines));
    const auto file = folder / "vantrel.ini";
    if (std::filesystem::exists(file)) return folder;
    std::filesystem::create_directories(folder);
    std::ofstream out(file, std::ios::binary);
    out << "[options]\r\nvol=80\r\nround=0\r\ngrid=1\r\n\r\n[notes]\r\n";
    for (long i = 0; i < lines; ++i)
        out << "note_" << i << "=a value of some length, " << i << "\r\n";
    return folder;
}

// What a start reads before its window shows: the two window flags, then every feature's
// settings as the main window loads.
void BM_StartUpSettings(benchmark::State& state) {
    const auto folder = settingsFolder(state.range(0));
    const std::string appFolder = folder.string() + "/";
    for (auto _ : state) {
        const auto plan = StartUp(appFolder, "0").Main({}, [] { return false; });
        IniStore ini(folder / "vantrel.ini");
        test::ScriptedDialogs dialogs;
        NoShell shell;
        test::FakePlayer player1, player2;
        test::ManualTimerFactory timers;
        test::ScriptedRandom random;
        TaggerCore core(TaggerPorts{ini, dialogs, shell, player1, player2, timers, random,
                                    appFolder, plan.useRound, plan.useGrid, appFolder, nullptr,
                                    nullptr});
        core.load();
        benchmark::DoNotOptimize(core);
    }
    state.SetLabel(std::to_string(state.range(0)) + " lines");
}
BENCHMARK(BM_StartUpSettings)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One read from a store that has read the file before (the running program's case).
void BM_GetIni(benchmark::State& state) {
    const IniStore ini(settingsFolder(state.range(0)) / "vantrel.ini");
    ini.getIni("options", "vol");
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.getIni("options", "vol"));
}
BENCHMARK(BM_GetIni)->Arg(100'000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrel

BENCHMARK_MAIN();
