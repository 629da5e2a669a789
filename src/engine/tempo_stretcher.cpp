#include "engine/tempo_stretcher.h"

#include <SoundTouch.h>
#include <algorithm>

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

void TempoStretcher::process(const float* samples, std::size_t frames, std::vector<float>& out) {
    if (!engaged_) {
        out.insert(out.end(), samples, samples + frames * channels_);
        return;
    }
    touch_->putSamples(samples, static_cast<unsigned>(frames));
    receive(out);
}

void TempoStretcher::finish(std::vector<float>& out) {
    if (!engaged_) return;
    touch_->flush();
    receive(out);
}

void TempoStretcher::clear() {
    touch_->clear();
    engaged_ = speed_ != 1.0;
}

void TempoStretcher::receive(std::vector<float>& out) {
    constexpr unsigned kChunk = 4096;
    for (;;) {
        std::size_t at = out.size();
        out.resize(at + kChunk * channels_);
        unsigned got = touch_->receiveSamples(out.data() + at, kChunk);
        out.resize(at + got * channels_);
        if (got == 0) return;
    }
}

} // namespace vantrel
