// The player engine: any bytes opened as an MP3 and decoded into a wave file, at any tempo and
// volume, come to an end (libFuzzer's -timeout catches a decode that never does) and leave a
// whole wave file when no failure was raised.
#include "fuzz_check.h"

#include "engine/mp3_engine.h"

#include <chrono>
#include <cstdint>

using namespace vantrel;

namespace {

class EndWatcher : public Mp3PlayListener {
public:
    bool ended = false;
    bool failed = false;
    void ActFrame(std::int32_t frame) override { FUZZ_CHECK(frame >= 0); }
    void ThreadEnded() override { ended = true; }
    void Failure(std::int32_t, const std::string&) override { failed = true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One engine for the whole run, as the playlist keeps one: its thread outlives each input.
    static Mp3Engine engine;
    const auto folder = fuzz::scratchFolder();
    const auto input = folder / "input.mp3";
    const auto wave = folder / "output.wav";
    fuzz::writeFile(input, std::string_view(reinterpret_cast<const char*>(data), size));
    std::filesystem::remove(wave);

    if (engine.OpenStream(input.string(), wave.string()) != 0) return 0;
    FUZZ_CHECK(engine.TotalTime() >= 0 && engine.TotalFrames() >= 0);
    FUZZ_CHECK(engine.SampleRate() > 0 && engine.FrameTime() > 0);

    // The last bytes choose tempo and volume; they stay part of the file too.
    auto last = [&](std::size_t back) { return size > back ? data[size - 1 - back] : 0; };
    engine.SetTempo(static_cast<std::int16_t>(last(0) % 201));
    engine.SetVolume(static_cast<std::int16_t>(last(1) % 101),
                     static_cast<std::int16_t>(last(2) % 101));

    EndWatcher watcher;
    engine.setListener(&watcher);
    engine.StartPlay();
    while (!watcher.ended) {
        engine.waitForEvents(std::chrono::milliseconds(100));
        engine.deliverEvents();
    }
    engine.setListener(nullptr);
    engine.CloseStream();

    if (!watcher.failed) {
        const std::string written = fuzz::readFile(wave);
        FUZZ_CHECK(written.size() >= 44 && written.compare(0, 4, "RIFF") == 0);
    }
    return 0;
}
