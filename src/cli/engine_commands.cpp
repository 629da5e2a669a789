#include "cli/engine_commands.h"

#include <chrono>
#include <optional>
#include <ostream>

#include "base/number_text.h"
#include "engine/mp3_engine.h"
#include "metadata/stream_cells.h"

namespace vantrel::cli {

namespace {

// Waits for the end of the track, reporting failures as they come.
class TrackWatcher : public Mp3PlayListener {
public:
    explicit TrackWatcher(Streams io) : io_(io) {}
    bool ended = false;
    bool failed = false;

    void ActFrame(std::int32_t) override {}
    void ThreadEnded() override { ended = true; }
    void Failure(std::int32_t, const std::string& text) override {
        failed = true;
        reportFailure(io_, text);
    }

    void runUntilEnded(Mp3Engine& engine) {
        engine.setListener(this);
        while (!ended) {
            engine.waitForEvents(std::chrono::milliseconds(200));
            engine.deliverEvents();
        }
        engine.setListener(nullptr);
    }

private:
    Streams io_;
};

bool parseNumber(const std::string& text, int low, int high, int& value) {
    std::optional<int> n = wholeNumber(text);
    if (!n || *n < low || *n > high) return false;
    value = *n;
    return true;
}

struct PlayOptions {
    std::string file;
    int tempo = 100;
    int left = 100;
    int right = 100;
    int device = -1;
};

bool parsePlayArgs(const Args& args, PlayOptions& o, Streams io) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](int low, int high, int& out) {
            if (i + 1 < args.size() && parseNumber(args[i + 1], low, high, out)) return ++i, true;
            reportFailure(io, a + " wants a number from " + std::to_string(low) + " to " +
                                  std::to_string(high));
            return false;
        };
        bool ok = true;
        if (a == "--tempo")
            ok = value(0, 200, o.tempo);
        else if (a == "--volume")
            ok = value(0, 100, o.left) && value(0, 100, o.right);
        else if (a == "--device")
            ok = value(0, 32767, o.device);
        else if (o.file.empty())
            o.file = a;
        else
            ok = false, reportFailure(io, "one file only: " + a);
        if (!ok) return false;
    }
    if (o.file.empty()) reportFailure(io, "no file given");
    return !o.file.empty();
}

int openFailed(Mp3Engine& engine, Streams io) {
    reportFailure(io, engine.lastOpenError()); // names the file that failed, in or out
    engine.CloseStream();
    return kFileFailed;
}

// Plays the open stream (to the device or the wave file) until the engine says it ended.
int playToEnd(Mp3Engine& engine, Streams io) {
    TrackWatcher watcher(io);
    engine.StartPlay();
    watcher.runUntilEnded(engine);
    engine.CloseStream();
    return watcher.failed ? kFileFailed : kOk;
}

} // namespace

int runDecode(const Args& args, Streams io) {
    if (args.size() != 2) {
        reportFailure(io, "decode wants FILE OUT.wav");
        return kUsage;
    }
    Mp3Engine engine;
    if (engine.OpenStream(args[0], args[1]) != 0) return openFailed(engine, io);
    return playToEnd(engine, io);
}

int runPlay(const Args& args, Streams io) {
    PlayOptions o;
    if (!parsePlayArgs(args, o, io)) return kUsage;
    Mp3Engine engine;
    if (o.device >= 0) {
        engine.DeviceCount();
        if (engine.SelectDevice(static_cast<std::int16_t>(o.device)) != 0) {
            reportFailure(io, "no sound device at position " + std::to_string(o.device));
            return kUsage;
        }
    }
    if (engine.OpenStream(o.file, "") != 0) return openFailed(engine, io);
    engine.SetTempo(static_cast<std::int16_t>(o.tempo));
    engine.SetVolume(static_cast<std::int16_t>(o.left), static_cast<std::int16_t>(o.right));
    return playToEnd(engine, io);
}

int runDevices(const Args& args, Streams io) {
    if (!args.empty()) {
        reportFailure(io, "devices takes no arguments");
        return kUsage;
    }
    Mp3Engine engine;
    std::int32_t count = engine.DeviceCount();
    for (std::int32_t i = 0; i < count; ++i)
        io.out << i << '\t' << engine.DeviceFormats(i) << '\t' << rowField(engine.DeviceName(i))
               << '\n';
    if (count == 0) reportFailure(io, "no sound server answers; only wave output is possible");
    return kOk;
}

std::array<std::string, 3> streamFields(Mp3Play& prober, const std::string& path) {
    StreamValues values;
    if (!probeStream(prober, path, values)) return {};
    return streamCells(values);
}

} // namespace vantrel::cli
