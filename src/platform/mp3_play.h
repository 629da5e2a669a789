#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Receives the player's events, always on the UI thread.
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
// Every call is made on the UI thread and returns at once; results that are codes follow the
// component's convention, 0 = success.
class Mp3Play {
public:
    virtual ~Mp3Play() = default;

    // Not owned; nullptr stops event delivery.
    virtual void setListener(Mp3PlayListener* listener) = 0;

    virtual std::int32_t DeviceCount() = 0;
    // Bit set of the twelve standard wave formats (11.025/22.05/44.1 kHz, mono/stereo,
    // 8/16 bit); 4095 when the device takes them all.
    virtual std::int32_t DeviceFormats(std::int32_t device) = 0;
    virtual std::string DeviceName(std::int32_t device) = 0;
    // 0 when a device exists at that position of the device list.
    virtual std::int16_t SelectDevice(std::int16_t position) = 0;

    // wavePath "" plays to the selected device; otherwise decodes into that wave file.
    // 0 = opened; anything else = failure with nothing left open. Events of the stream open
    // before that were not delivered yet are dropped, as they are by CloseStream.
    virtual std::int32_t OpenStream(const std::string& path, const std::string& wavePath) = 0;
    virtual void DecodeOption(std::int16_t option) = 0;

    virtual float FrameTime() = 0;        // milliseconds per frame
    virtual std::int32_t TotalTime() = 0; // milliseconds
    virtual std::int32_t TotalFrames() = 0;
    virtual std::int32_t SampleRate() = 0; // Hz
    virtual std::int32_t BitRate() = 0;    // bits per second

    // 0..200, 100 = normal, larger = slower; the pitch is kept.
    virtual void SetTempo(std::int16_t tempo) = 0;
    virtual void StartPlay() = 0;
    virtual void PauseToggle() = 0;
    virtual void SeekFrame(std::int32_t frame) = 0;
    // 0..100 for each channel.
    virtual void SetVolume(std::int16_t left, std::int16_t right) = 0;
    virtual void StopPlay() = 0;
    // Releases the file at once; raises no ThreadEnded.
    virtual void CloseStream() = 0;
};

} // namespace vantrel
