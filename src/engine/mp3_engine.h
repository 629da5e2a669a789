#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "engine/command_thread.h"
#include "engine/event_queue.h"
#include "engine/playback_session.h"
#include "engine/sound_devices.h"
#include "platform/mp3_play.h"

namespace vantrel {

// The real player component: libmpg123 decoding, SoundTouch tempo and libout123 output on a
// thread of its own. Calls return at once; events wait in a queue until the UI thread drains
// it with deliverEvents() (the Qt side does so whenever the wake-up fires).
class Mp3Engine : public Mp3Play {
public:
    Mp3Engine();
    ~Mp3Engine() override;

    // Called on the engine thread when events start waiting; must only schedule a drain.
    void setWakeUp(std::function<void()> wakeUp) { events_.setWakeUp(std::move(wakeUp)); }
    void deliverEvents() { events_.deliver(listener_); }
    // For programs without an event loop.
    bool waitForEvents(std::chrono::milliseconds timeout) { return events_.waitForEvents(timeout); }

    void setListener(Mp3PlayListener* listener) override { listener_ = listener; }

    std::int32_t DeviceCount() override;
    std::int32_t DeviceFormats(std::int32_t device) override;
    std::string DeviceName(std::int32_t device) override;
    std::int16_t SelectDevice(std::int16_t position) override;

    std::int32_t OpenStream(const std::string& path, const std::string& wavePath) override;
    void DecodeOption(std::int16_t option) override;

    float FrameTime() override { return info_.frameMs; }
    std::int32_t TotalTime() override { return info_.totalMs; }
    std::int32_t TotalFrames() override;
    std::int32_t SampleRate() override { return info_.sampleRate; }
    std::int32_t BitRate() override { return info_.bitRate; }

    void SetTempo(std::int16_t tempo) override;
    void StartPlay() override;
    void PauseToggle() override;
    void SeekFrame(std::int32_t frame) override;
    void SetVolume(std::int16_t left, std::int16_t right) override;
    void StopPlay() override;
    void CloseStream() override;

    // Why the last OpenStream failed, for programs that can show it.
    const std::string& lastOpenError() const { return lastOpenError_; }

private:
    const std::vector<SoundDevices::Device>& devices();

    EventQueue events_;
    PlaybackSession session_;
    Mp3PlayListener* listener_ = nullptr;
    StreamInfo info_; // a copy for the UI thread, taken when a stream opens or closes
    std::string lastOpenError_;
    std::vector<SoundDevices::Device> devices_;
    bool devicesKnown_ = false;
    // Last member: the thread must end before the session it drives is destroyed.
    std::unique_ptr<CommandThread> thread_;
};

} // namespace vantrel
