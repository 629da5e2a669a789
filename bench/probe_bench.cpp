// Probe cost: what adding one file to the playlist costs (OpenStream, TotalTime, CloseStream),
// beside TagLib's audio properties in Accurate mode, on four kinds of 4-minute files.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <taglib/mpegfile.h>

#include "engine/mp3_engine.h"
#include "engine/mpg123_decoder.h"
#include "support/lame_fixture.h"

namespace {

using vantrel::test::SineMp3;

enum Kind { kInfoCbr, kBareCbr, kXingVbr, kBareVbr };
const char* const kNames[] = {"lame_info_cbr", "cbr_without_header", "vbr_with_xing",
                              "vbr_without_header"};

struct Fixture {
    std::string path;
    double trueMs = 0; // every frame counted by a full walk, times the frame time
};

const Fixture& fixture(Kind kind) {
    static std::map<Kind, Fixture> made;
    if (auto found = made.find(kind); found != made.end()) return found->second;
    auto folder = std::filesystem::temp_directory_path() / "vantrel-probe-bench";
    std::filesystem::create_directories(folder);
    SineMp3 shape;
    shape.seconds = 240;
    shape.variable = kind == kXingVbr || kind == kBareVbr;
    shape.infoHeader = kind == kInfoCbr || kind == kXingVbr;
    Fixture f;
    f.path = (folder / (std::string(kNames[kind]) + ".mp3")).string();
    if (!std::filesystem::exists(f.path)) vantrel::test::writeSineMp3(f.path, shape);
    vantrel::Mpg123Decoder walk;
    if (walk.open(f.path) && walk.scan())
        f.trueMs = static_cast<double>(walk.frameCount()) * 1152 * 1000.0 / 44100;
    return made.emplace(kind, f).first->second;
}

void BM_EngineProbe(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<Kind>(state.range(0)));
    vantrel::Mp3Engine engine;
    std::int32_t length = 0;
    for (auto _ : state) {
        if (engine.OpenStream(f.path, "") != 0) state.SkipWithError("cannot open");
        length = engine.TotalTime();
        engine.CloseStream();
        benchmark::DoNotOptimize(length);
    }
    state.SetLabel(kNames[state.range(0)]);
    state.counters["length_ms"] = length;
    state.counters["error_ms"] = length - f.trueMs;
}

void BM_TagLibProbe(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<Kind>(state.range(0)));
    int length = 0;
    for (auto _ : state) {
        TagLib::MPEG::File file(f.path.c_str(), true, TagLib::AudioProperties::Accurate);
        length = file.audioProperties() ? file.audioProperties()->lengthInMilliseconds() : 0;
        benchmark::DoNotOptimize(length);
    }
    state.SetLabel(kNames[state.range(0)]);
    state.counters["length_ms"] = length;
    state.counters["error_ms"] = length - f.trueMs;
}

BENCHMARK(BM_EngineProbe)->DenseRange(kInfoCbr, kBareVbr)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TagLibProbe)->DenseRange(kInfoCbr, kBareVbr)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
