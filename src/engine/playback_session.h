#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/audio_sink.h"
#include "engine/event_queue.h"
#include "engine/mpg123_decoder.h"
#include "engine/stream_probe.h"
#include "engine/tempo_stretcher.h"

namespace vantrel {

// One opened file on its way to a device or a wave file: decode -> tempo -> volume -> sink.
// Lives on the engine thread; reports through the event queue.
class PlaybackSession {
public:
    enum class State { Closed, Ready, Playing, Paused, Ended };

    explicit PlaybackSession(EventQueue& events);

    // Events of this file carry the stream number given.
    Result open(const std::string& path, const std::string& wavePath, std::uint32_t stream);
    void close();
    const StreamInfo& info() const { return info_; }
    State state() const { return state_; }

    void selectDevice(std::string id) { deviceId_ = std::move(id); }
    void setTempo(int tempo) { stretcher_.setTempo(tempo); }
    void setVolume(int left, int right);
    void start();
    void togglePause();
    void seek(std::int64_t frame);
    void stop();
    // Decodes one frame and hands it on; the engine thread calls it while playing.
    void step();

private:
    void playNextChunk();
    Result startWave();
    void pauseSoftly();
    std::size_t fadeLength() const;
    void ramp(std::vector<std::int16_t>& samples, bool down) const;
    Mpg123Decoder::Step nextChunk(std::span<const std::int16_t>& chunk);
    Result startDevice();
    void write(std::span<const std::int16_t> samples);
    std::span<const std::int16_t> adjusted(std::span<const std::int16_t> samples);
    void reportFrame(bool force);
    void push(EventQueue::Kind kind, std::int32_t number, std::string text = {});
    void finish();
    void failOrFinish();
    void fail(std::int32_t code, const std::string& text);
    void end();

    EventQueue& events_;
    Mpg123Decoder decoder_;
    AudioSink sink_;
    TempoStretcher stretcher_;
    StreamInfo info_;
    State state_ = State::Closed;
    std::uint32_t stream_ = 0;
    std::string path_;
    std::string wavePath_;
    std::string deviceId_;
    bool sinkStarted_ = false;
    int outChannels_ = 0;
    float leftGain_ = 1.0f;
    float rightGain_ = 1.0f;
    std::vector<std::int16_t> stretched_;
    std::vector<std::int16_t> pcm_;
    std::vector<std::int16_t> held_; // what follows a pause's fade-out
    std::chrono::steady_clock::time_point lastReport_;
};

} // namespace vantrel
