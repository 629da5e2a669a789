#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

namespace vantrel {

// Changes the speed of interleaved 16-bit audio and keeps its pitch. At speed 1 it stays out of
// the way (samples pass untouched) until the speed first changes.
class TempoStretcher {
public:
    TempoStretcher();
    ~TempoStretcher();
    TempoStretcher(const TempoStretcher&) = delete;
    TempoStretcher& operator=(const TempoStretcher&) = delete;

    void configure(long rate, int channels);
    // The player's tempo factor 0..200 (100 normal, larger slower).
    void setTempo(int tempo);
    static double speedOf(int tempo);
    // False while samples pass untouched.
    bool engaged() const { return engaged_; }

    // Takes samples and appends whatever is ready to out (only while engaged).
    void process(std::span<const std::int16_t> samples, std::vector<std::int16_t>& out);
    // At the end of the stream: appends what is still held.
    void finish(std::vector<std::int16_t>& out);
    // After a seek: forgets what is held.
    void clear();

private:
    void receive(std::vector<std::int16_t>& out);
    std::unique_ptr<soundtouch::SoundTouch> touch_;
    int channels_ = 2;
    double speed_ = 1.0;
    bool engaged_ = false;
    std::vector<float> floats_;
};

} // namespace vantrel
