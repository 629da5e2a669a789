#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Receives the player's events. Every event is delivered on the player's UI thread, never on
// the thread that decodes, so a handler may call the player back (open the next file, say).
// Each event belongs to the stream open when it was raised, and is delivered only while that
// stream is still the current one: events are handed over one at a time, so an OpenStream or
// CloseStream made meanwhile (by a handler, or in a box's event loop) drops the rest.
class Mp3PlayListener {
public:
    virtual ~Mp3PlayListener() = default;
    // The number of the frame being played; raised about 20 times a second while playing.
    virtual void ActFrame(std::int32_t frame) = 0;
    // Decoding of the open file has ended: at its natural end, after StopPlay, or after Failure.
    virtual void ThreadEnded() = 0;
    virtual void Failure(std::int32_t errorCode, const std::string& errStr) = 0;
};

// The player component: decodes one MP3 file to a sound device or into a wave file.
//
// Threads. The thread that creates a player is its UI thread: every method below is called on
// it, and only on it (a debug build stops with a message otherwise). Decoding, tempo, volume
// and output run on the player's own thread, which never calls out; what it has to say comes
// back as listener events on the UI thread.
//
// Blocking. "Returns at once" means the call only queues a command for the player's thread.
// "Blocks" names what the call waits for. Results that are codes follow the component's
// convention, 0 = success.
class Mp3Play {
public:
    virtual ~Mp3Play() = default;

    // Returns at once. Not owned; nullptr stops event delivery.
    virtual void setListener(Mp3PlayListener* listener) = 0;

    // The device list is read from the sound server once, at the first of these calls, and
    // kept. Blocks on the sound server for that first read (a few milliseconds, longer when the
    // server is slow); later calls return at once.
    virtual std::int32_t DeviceCount() = 0;
    // Blocks: opens the device to ask it. Bit set of the twelve standard wave formats
    // (11.025/22.05/44.1 kHz, mono/stereo, 8/16 bit); 4095 when the device takes them all.
    virtual std::int32_t DeviceFormats(std::int32_t device) = 0;
    // Returns at once (from the kept list).
    virtual std::string DeviceName(std::int32_t device) = 0;
    // Returns at once. 0 when a device exists at that position of the device list; takes
    // effect at the next StartPlay.
    virtual std::int16_t SelectDevice(std::int16_t position) = 0;
    // Returns at once: the next device call reads the list from the sound server again.
    virtual void refreshDevices() {}

    // Blocks while the file is measured (a full frame walk for a variable bit rate file without
    // a header: about 9 ms for a 4-minute song) and, for a wave file, while it is created.
    // wavePath "" plays to the selected device; otherwise decodes into that wave file, which
    // must not be the file itself. 0 = opened; anything else = failure with nothing left open.
    // Events of the stream open before that were not delivered yet are dropped, as they are
    // by CloseStream.
    virtual std::int32_t OpenStream(const std::string& path, const std::string& wavePath) = 0;
    // Returns at once. The number of the open stream: each OpenStream hands out a new one,
    // and the player delivers only that stream's events. 0 while nothing is open.
    virtual std::uint32_t currentStream() = 0;
    // Returns at once.
    virtual void DecodeOption(std::int16_t option) = 0;

    // These return at once: values measured by the last OpenStream, 0 when nothing is open.
    virtual float FrameTime() = 0;        // milliseconds per frame
    virtual std::int32_t TotalTime() = 0; // milliseconds
    virtual std::int32_t TotalFrames() = 0;
    virtual std::int32_t SampleRate() = 0; // Hz
    virtual std::int32_t BitRate() = 0;    // bits per second

    // These return at once; the player's thread carries them out in the order given.
    // 0..200, 100 = normal, larger = slower; the pitch is kept.
    virtual void SetTempo(std::int16_t tempo) = 0;
    virtual void StartPlay() = 0;
    virtual void PauseToggle() = 0;
    // The first ActFrame after it, while playing or paused, is where the seek left the stream:
    // the frame asked for when it landed (clamped to the track), the old position when it failed.
    virtual void SeekFrame(std::int32_t frame) = 0;
    // 0..100 for each channel.
    virtual void SetVolume(std::int16_t left, std::int16_t right) = 0;
    // ThreadEnded follows once the player's thread has stopped.
    virtual void StopPlay() = 0;
    // Blocks until the player's thread has let go of the file and the output (a wave file is
    // complete when it returns). Raises no ThreadEnded.
    virtual void CloseStream() = 0;
};

} // namespace vantrel
