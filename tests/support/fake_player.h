#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/mp3_play.h"

namespace vantrel::test {

// A player that plays nothing: it records every call, answers from what the test set, and
// raises events when the test says so (on the test's thread, as the UI thread would see them).
class FakePlayer : public Mp3Play {
public:
    struct Stream {
        float frameMs = 26.122449f;
        std::int32_t totalTime = 0, totalFrames = 0, sampleRate = 44100, bitRate = 128000;
    };
    struct Device {
        std::string name;
        std::int32_t formats = 4095;
    };

    std::map<std::string, Stream> files; // what OpenStream accepts; every other path fails
    std::vector<Device> devices;
    // Every call in order, e.g. "OpenStream a.mp3|", "SetTempo 100", "SeekFrame 0".
    std::vector<std::string> calls;
    std::string openPath;
    bool open = false;

    // Events raised while this is set wait until releaseEvents(), as the engine's wait in its
    // queue until the UI thread drains it.
    bool deferEvents = false;

    // Events of the stream open now.
    void raiseActFrame(std::int32_t frame) {
        raise([frame](Mp3PlayListener& l) { l.ActFrame(frame); });
    }
    void raiseThreadEnded() {
        raise([](Mp3PlayListener& l) { l.ThreadEnded(); });
    }
    void raiseFailure(std::int32_t code, const std::string& text) {
        raise([code, text](Mp3PlayListener& l) { l.Failure(code, text); });
    }
    // Delivers the waiting events one at a time, as the engine's drain does: those of a stream
    // closed or replaced meanwhile are dropped.
    void releaseEvents() {
        while (!waiting_.empty()) {
            auto [stream, event] = std::move(waiting_.front());
            waiting_.pop_front();
            if (stream == stream_ && listener_) event(*listener_);
        }
    }
    // Calls to one operation, e.g. callsTo("SetVolume") -> {"SetVolume 50 50"}.
    std::vector<std::string> callsTo(const std::string& operation) const {
        std::vector<std::string> found;
        for (const std::string& c : calls)
            if (c == operation || c.rfind(operation + " ", 0) == 0) found.push_back(c);
        return found;
    }

    void setListener(Mp3PlayListener* listener) override { listener_ = listener; }
    std::int32_t DeviceCount() override {
        return record("DeviceCount"), std::int32_t(devices.size());
    }
    std::int32_t DeviceFormats(std::int32_t d) override {
        return record("DeviceFormats", d), known(d) ? devices[d].formats : 0;
    }
    std::string DeviceName(std::int32_t d) override {
        return record("DeviceName", d), known(d) ? devices[d].name : "";
    }
    std::int16_t SelectDevice(std::int16_t d) override {
        return record("SelectDevice", d), known(d) ? 0 : 1;
    }
    std::int32_t OpenStream(const std::string& path, const std::string& wavePath) override {
        calls.push_back("OpenStream " + path + "|" + wavePath);
        open = files.count(path) > 0;
        if (open) openPath = path;
        stream_ = open ? ++streamsOpened_ : 0;
        return open ? 0 : 1;
    }
    std::uint32_t currentStream() override { return stream_; }
    void DecodeOption(std::int16_t option) override { record("DecodeOption", option); }
    float FrameTime() override { return current().frameMs; }
    std::int32_t TotalTime() override { return current().totalTime; }
    std::int32_t TotalFrames() override { return current().totalFrames; }
    std::int32_t SampleRate() override { return current().sampleRate; }
    std::int32_t BitRate() override { return current().bitRate; }
    void SetTempo(std::int16_t tempo) override { record("SetTempo", tempo); }
    void StartPlay() override { record("StartPlay"); }
    void PauseToggle() override { record("PauseToggle"); }
    void SeekFrame(std::int32_t frame) override { record("SeekFrame", frame); }
    void SetVolume(std::int16_t l, std::int16_t r) override {
        calls.push_back("SetVolume " + std::to_string(l) + " " + std::to_string(r));
    }
    void StopPlay() override { record("StopPlay"); }
    void CloseStream() override {
        record("CloseStream");
        open = false;
        openPath.clear();
        stream_ = 0;
    }

private:
    using Event = std::function<void(Mp3PlayListener&)>;
    void raise(Event event) {
        if (deferEvents)
            waiting_.emplace_back(stream_, std::move(event));
        else if (listener_)
            event(*listener_);
    }

    Stream current() const { return open ? files.at(openPath) : Stream{0, 0, 0, 0, 0}; }
    bool known(std::int32_t d) const { return d >= 0 && d < std::int32_t(devices.size()); }
    void record(const char* call) { calls.push_back(call); }
    void record(const char* call, std::int32_t n) {
        calls.push_back(std::string(call) + " " + std::to_string(n));
    }
    Mp3PlayListener* listener_ = nullptr;
    std::deque<std::pair<std::uint32_t, Event>> waiting_;
    std::uint32_t streamsOpened_ = 0, stream_ = 0;
};

} // namespace vantrel::test
