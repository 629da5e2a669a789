#include "engine/playback_session.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace vantrel {

namespace {

// About 20 frame reports a second are all a time display needs.
constexpr auto kReportInterval = std::chrono::milliseconds(50);

enum ErrorCode : std::int32_t { kDecodeError = 1, kOutputError = 2 };

std::int16_t scaled(std::int16_t sample, float gain) {
    return static_cast<std::int16_t>(std::lrintf(sample * gain));
}

} // namespace

PlaybackSession::PlaybackSession(EventQueue& events) : events_(events) {}

Result PlaybackSession::open(const std::string& path, const std::string& wavePath,
                             std::uint32_t stream) {
    close();
    stream_ = stream;
    StreamInfo info;
    if (Result probed = StreamProbe::open(path, decoder_, info); !probed) return probed;
    info_ = info;
    path_ = path;
    wavePath_ = wavePath;
    if (!wavePath.empty()) {
        // Created now, so that a path that cannot be written fails the open.
        if (Result created = startWave(); !created) {
            sink_.discardWave();
            close();
            return created;
        }
    }
    state_ = State::Ready;
    return Result::ok();
}

Result PlaybackSession::startWave() {
    if (Result opened = sink_.openWave(wavePath_, path_); !opened) return opened;
    outChannels_ = info_.channels;
    if (Result started = sink_.start(info_.sampleRate, outChannels_); !started) return started;
    stretcher_.configure(info_.sampleRate, info_.channels);
    sinkStarted_ = true;
    return Result::ok();
}

Result PlaybackSession::startDevice() {
    if (Result opened = sink_.openDevice(deviceId_); !opened) return opened;
    // A device gets stereo always, so that either speaker can be muted on a mono file.
    outChannels_ = 2;
    if (Result started = sink_.start(info_.sampleRate, outChannels_); !started) return started;
    stretcher_.configure(info_.sampleRate, info_.channels);
    sinkStarted_ = true;
    return Result::ok();
}

void PlaybackSession::close() {
    if (state_ == State::Playing || state_ == State::Paused) sink_.drop();
    sink_.close();
    decoder_.close();
    stretcher_.clear();
    held_.clear();
    info_ = {};
    sinkStarted_ = false;
    state_ = State::Closed;
}

void PlaybackSession::setVolume(int left, int right) {
    leftGain_ = static_cast<float>(std::clamp(left, 0, 100)) / 100.0f;
    rightGain_ = static_cast<float>(std::clamp(right, 0, 100)) / 100.0f;
}

void PlaybackSession::start() {
    if (state_ != State::Ready && state_ != State::Ended) return;
    if (!sinkStarted_) {
        // After an end the wave file was completed and closed; playing again writes it anew.
        Result started = wavePath_.empty() ? startDevice() : startWave();
        if (!started) return fail(kOutputError, started.error());
    }
    state_ = State::Playing;
    reportFrame(true);
}

void PlaybackSession::togglePause() {
    if (state_ == State::Playing) {
        pauseSoftly();
    } else if (state_ == State::Paused) {
        state_ = State::Playing;
        // Picks up exactly where the pause faded out, fading in as it went.
        ramp(held_, false);
        write(held_);
        held_.clear();
        reportFrame(true);
    }
}

void PlaybackSession::pauseSoftly() {
    if (!sink_.live()) { // a wave file has nothing to click
        state_ = State::Paused;
        return;
    }
    // A sound cut off mid-wave clicks: the next few milliseconds go out fading, the rest of
    // that frame waits for the resume.
    std::span<const std::int16_t> chunk;
    switch (nextChunk(chunk)) {
    case Mpg123Decoder::Step::Done:
        return finish();
    case Mpg123Decoder::Step::Error:
        return failOrFinish();
    case Mpg123Decoder::Step::Frame:
        break;
    }
    held_.assign(chunk.begin(), chunk.end());
    std::size_t fade = std::min(held_.size(), fadeLength());
    std::vector<std::int16_t> tail(held_.begin(),
                                   held_.begin() + static_cast<std::ptrdiff_t>(fade));
    ramp(tail, true);
    write(tail);
    if (state_ != State::Playing) return; // the device failed
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(fade));
    // The device is left alone: with nothing more to play it plays silence, and takes the rest
    // at once. Pausing it through the output library closes and reopens the stream, a second
    // of stall on resume.
    state_ = State::Paused;
}

std::size_t PlaybackSession::fadeLength() const {
    return static_cast<std::size_t>(info_.sampleRate / 200) * info_.channels; // 5 ms
}

void PlaybackSession::ramp(std::vector<std::int16_t>& samples, bool down) const {
    std::size_t channels = static_cast<std::size_t>(info_.channels);
    std::size_t frames = std::min(samples.size(), fadeLength()) / channels;
    for (std::size_t i = 0; i < frames; ++i) {
        float gain = static_cast<float>(i + 1) / static_cast<float>(frames + 1);
        if (down) gain = 1.0f - gain;
        for (std::size_t c = 0; c < channels; ++c)
            samples[i * channels + c] = scaled(samples[i * channels + c], gain);
    }
}

Mpg123Decoder::Step PlaybackSession::nextChunk(std::span<const std::int16_t>& chunk) {
    Mpg123Decoder::Step step = decoder_.next();
    if (step != Mpg123Decoder::Step::Frame) return step;
    if (!stretcher_.engaged()) {
        chunk = decoder_.samples();
    } else {
        stretched_.clear();
        stretcher_.process(decoder_.samples(), stretched_);
        chunk = stretched_;
    }
    return step;
}

void PlaybackSession::seek(std::int64_t frame) {
    if (state_ == State::Closed) return;
    frame = std::clamp<std::int64_t>(frame, 0, std::max<std::int64_t>(info_.frames - 1, 0));
    // A failed seek leaves the position where it was; the track plays on from there.
    if (!decoder_.seekFrame(frame)) return;
    stretcher_.clear();
    held_.clear();
    if (state_ != State::Playing && state_ != State::Paused) return;
    sink_.drop();
    // Where the seek landed, at once: the UI waits for it to announce the jump.
    auto landed = std::clamp<std::int64_t>(decoder_.currentFrame(), 0, INT32_MAX);
    events_.push(
        {EventQueue::Kind::ActFrame, static_cast<std::int32_t>(landed), {}, stream_, true});
}

void PlaybackSession::stop() {
    if (state_ != State::Playing && state_ != State::Paused) return;
    if (sink_.live()) sink_.drop(); // stop means now, not after the device has played out
    end();
}

void PlaybackSession::step() {
    try {
        playNextChunk();
    } catch (const std::exception& e) { // out of memory, in practice
        fail(kDecodeError, e.what());
    }
}

void PlaybackSession::playNextChunk() {
    std::span<const std::int16_t> chunk;
    switch (nextChunk(chunk)) {
    case Mpg123Decoder::Step::Frame:
        write(chunk);
        if (state_ == State::Playing) reportFrame(false);
        return;
    case Mpg123Decoder::Step::Done:
        return finish();
    case Mpg123Decoder::Step::Error:
        return failOrFinish();
    }
}

void PlaybackSession::failOrFinish() {
    // Zeros or junk after the last frame make the decoder give up looking for more; a track
    // that played every frame it has has ended, it has not failed.
    if (decoder_.currentFrame() >= info_.frames - 1) return finish();
    fail(kDecodeError, decoder_.lastError());
}

void PlaybackSession::write(std::span<const std::int16_t> samples) {
    if (samples.empty() || state_ != State::Playing) return;
    bool unchanged = leftGain_ == 1.0f && rightGain_ == 1.0f && outChannels_ == info_.channels;
    if (!unchanged) samples = adjusted(samples);
    if (Result written = sink_.write(samples); !written) fail(kOutputError, written.error());
}

std::span<const std::int16_t> PlaybackSession::adjusted(std::span<const std::int16_t> samples) {
    std::size_t frames = samples.size() / info_.channels;
    pcm_.resize(frames * outChannels_);
    if (info_.channels == 2) {
        for (std::size_t i = 0; i < frames; ++i) {
            pcm_[2 * i] = scaled(samples[2 * i], leftGain_);
            pcm_[2 * i + 1] = scaled(samples[2 * i + 1], rightGain_);
        }
    } else if (outChannels_ == 2) {
        // Mono to a device: each speaker gets its own gain.
        for (std::size_t i = 0; i < frames; ++i) {
            pcm_[2 * i] = scaled(samples[i], leftGain_);
            pcm_[2 * i + 1] = scaled(samples[i], rightGain_);
        }
    } else {
        // Mono into a mono wave file: the mean of the two gains.
        float mean = (leftGain_ + rightGain_) / 2;
        for (std::size_t i = 0; i < frames; ++i)
            pcm_[i] = scaled(samples[i], mean);
    }
    return pcm_;
}

void PlaybackSession::reportFrame(bool force) {
    auto now = std::chrono::steady_clock::now();
    if (!force && now - lastReport_ < kReportInterval) return;
    lastReport_ = now;
    auto frame = std::clamp<std::int64_t>(decoder_.currentFrame(), 0, INT32_MAX);
    push(EventQueue::Kind::ActFrame, static_cast<std::int32_t>(frame));
}

void PlaybackSession::finish() {
    stretched_.clear();
    stretcher_.finish(stretched_);
    write(stretched_);
    if (state_ == State::Playing) end();
}

void PlaybackSession::fail(std::int32_t code, const std::string& text) {
    push(EventQueue::Kind::Failure, code, text);
    if (sink_.live())
        sink_.drop();
    else if (!wavePath_.empty())
        sink_.discardWave();
    end();
}

void PlaybackSession::end() {
    held_.clear();
    sink_.close(); // a wave file is complete once ThreadEnded is seen
    sinkStarted_ = false;
    state_ = State::Ended;
    push(EventQueue::Kind::ThreadEnded, 0);
}

void PlaybackSession::push(EventQueue::Kind kind, std::int32_t number, std::string text) {
    events_.push({kind, number, std::move(text), stream_});
}

} // namespace vantrel
