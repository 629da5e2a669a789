#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/mp3_play.h"

namespace vantrel::test {

// A player that plays nothing: it records every call, answers from what the test set, and
// raises events when the test says so (on the test's thread, as the UI thread would see them).
class FakePlayer : public Mp3Play {
public:
    struct Stream {
        float frameMs = 26.122449f;
        std::int32_t totalTime = 0;
        std::int32_t totalFrames = 0;
        std::int32_t sampleRate = 44100;
        std::int32_t bitRate = 128000;
    };
    struct Device {
        std::string name;
        std::int32_t formats = 4095;
    };

    // Files OpenStream accepts, by path; every other path fails.
    std::map<std::string, Stream> files;
    std::vector<Device> devices;
    // Every call in order, e.g. "OpenStream a.mp3|", "SetTempo 100", "SeekFrame 0".
    std::vector<std::string> calls;

    // State a test may look at.
    std::string openPath;
    std::string openWave;
    bool open = false;
    bool playing = false;
    bool paused = false;
    std::int16_t tempo = 100;
    std::int16_t left = 100;
    std::int16_t right = 100;
    std::int32_t selectedDevice = -1;

    void raiseActFrame(std::int32_t frame);
    void raiseThreadEnded();
    void raiseFailure(std::int32_t code, const std::string& text);
    // Calls to one operation, e.g. callsTo("SetVolume") -> {"SetVolume 50 50"}.
    std::vector<std::string> callsTo(const std::string& operation) const;

    void setListener(Mp3PlayListener* listener) override { listener_ = listener; }
    std::int32_t DeviceCount() override;
    std::int32_t DeviceFormats(std::int32_t device) override;
    std::string DeviceName(std::int32_t device) override;
    std::int16_t SelectDevice(std::int16_t position) override;
    std::int32_t OpenStream(const std::string& path, const std::string& wavePath) override;
    void DecodeOption(std::int16_t option) override;
    float FrameTime() override { return current().frameMs; }
    std::int32_t TotalTime() override { return current().totalTime; }
    std::int32_t TotalFrames() override { return current().totalFrames; }
    std::int32_t SampleRate() override { return current().sampleRate; }
    std::int32_t BitRate() override { return current().bitRate; }
    void SetTempo(std::int16_t tempo) override;
    void StartPlay() override;
    void PauseToggle() override;
    void SeekFrame(std::int32_t frame) override;
    void SetVolume(std::int16_t left, std::int16_t right) override;
    void StopPlay() override;
    void CloseStream() override;

private:
    Stream current() const;
    void record(std::string call) { calls.push_back(std::move(call)); }
    Mp3PlayListener* listener_ = nullptr;
};

} // namespace vantrel::test
