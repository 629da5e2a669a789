#include "engine/tempo_stretcher.h"

#include <SoundTouch.h>
#include <algorithm>
#include <cmath>

namespace vantrel {

TempoStretcher::TempoStretcher() : touch_(std::make_unique<soundtouch::SoundTouch>()) {}

TempoStretcher::~TempoStretcher() = default;

void TempoStretcher::configure(long rate, int channels) {
    channels_ = channels;
    touch_->clear();
    touch_->setSampleRate(static_cast<unsigned>(rate));
    touch_->setChannels(static_cast<unsigned>(channels));
    touch_->setTempo(speed_);
    engaged_ = speed_ != 1.0;
}

double TempoStretcher::speedOf(int tempo) {
    // Tempo 200 would be speed 0, which never ends.
    return std::max(0.05, (200 - tempo) / 100.0);
}

void TempoStretcher::setTempo(int tempo) {
    speed_ = speedOf(tempo);
    touch_->setTempo(speed_);
    // Once engaged it stays so: leaving mid-stream would drop what it holds.
    if (speed_ != 1.0) engaged_ = true;
}

void TempoStretcher::process(std::span<const std::int16_t> samples,
                             std::vector<std::int16_t>& out) {
    if (!engaged_ || samples.empty()) return;
    floats_.resize(samples.size());
    std::transform(samples.begin(), samples.end(), floats_.begin(),
                   [](std::int16_t s) { return static_cast<float>(s) / 32768.0f; });
    touch_->putSamples(floats_.data(), static_cast<unsigned>(samples.size() / channels_));
    receive(out);
}

void TempoStretcher::finish(std::vector<std::int16_t>& out) {
    if (!engaged_) return;
    touch_->flush();
    receive(out);
}

void TempoStretcher::clear() {
    touch_->clear();
    engaged_ = speed_ != 1.0;
}

void TempoStretcher::receive(std::vector<std::int16_t>& out) {
    constexpr unsigned kChunk = 4096;
    floats_.resize(kChunk * channels_);
    for (;;) {
        unsigned got = touch_->receiveSamples(floats_.data(), kChunk);
        if (got == 0) return;
        for (std::size_t i = 0; i < got * static_cast<std::size_t>(channels_); ++i) {
            float scaled = std::clamp(floats_[i] * 32768.0f, -32768.0f, 32767.0f);
            out.push_back(static_cast<std::int16_t>(std::lrintf(scaled)));
        }
    }
}

} // namespace vantrel
