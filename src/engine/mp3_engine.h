#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "engine/command_thread.h"
#include "engine/event_queue.h"
#include "engine/owner_thread.h"
#include "engine/playback_session.h"
#include "engine/sound_devices.h"
#include "platform/mp3_play.h"

namespace vantrel {

// Sets what the sound libraries read from the environment. Call it at the top of main, before
// any thread starts: the environment may not change while another thread reads it.
void prepareSoundEnvironment();

// The real player component: libmpg123 decoding, SoundTouch tempo and libout123 output on a
// thread of its own. The thread that creates it is its UI thread (see Mp3Play); events wait
// in a queue until that thread drains it with deliverEvents() (the Qt side does so whenever
// the wake-up fires). Debug builds stop with a message when a UI-side method is called on
// another thread.
class Mp3Engine : public Mp3Play {
public:
    Mp3Engine();
    // UI thread; blocks until the engine thread has closed the stream and ended.
    ~Mp3Engine() override;

    // UI thread. The wake-up is called on the engine thread when events start waiting (with
    // the queue locked): it must only schedule a drain.
    void setWakeUp(std::function<void()> wakeUp) { events_.setWakeUp(std::move(wakeUp)); }
    // UI thread: hands the waiting events to the listener, in order.
    void deliverEvents();
    // Any thread; blocks up to the timeout. For programs without an event loop.
    bool waitForEvents(std::chrono::milliseconds timeout) { return events_.waitForEvents(timeout); }

    void setListener(Mp3PlayListener* listener) override;
    void refreshDevices() override;

    std::int32_t DeviceCount() override;
    std::int32_t DeviceFormats(std::int32_t device) override;
    std::string DeviceName(std::int32_t device) override;
    std::int16_t SelectDevice(std::int16_t position) override;

    std::int32_t OpenStream(const std::string& path, const std::string& wavePath) override;
    std::uint32_t currentStream() override { return owner_.check("currentStream"), stream_; }
    void DecodeOption(std::int16_t option) override;

    float FrameTime() override { return owner_.check("FrameTime"), info_.frameMs; }
    std::int32_t TotalTime() override { return owner_.check("TotalTime"), info_.totalMs; }
    std::int32_t TotalFrames() override;
    std::int32_t SampleRate() override { return owner_.check("SampleRate"), info_.sampleRate; }
    std::int32_t BitRate() override { return owner_.check("BitRate"), info_.bitRate; }

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
    OwnerThread owner_;
    StreamInfo info_; // a copy for the UI thread, taken when a stream opens or closes
    std::uint32_t streamsOpened_ = 0;
    std::uint32_t stream_ = 0; // the open stream's number, 0 when none is open
    std::string lastOpenError_;
    std::vector<SoundDevices::Device> devices_;
    bool devicesKnown_ = false;
    // Last member: the thread must end before the session it drives is destroyed.
    std::unique_ptr<CommandThread> thread_;
};

} // namespace vantrel
