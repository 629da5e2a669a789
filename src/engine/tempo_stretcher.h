#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

namespace vantrel {

// Changes the speed of interleaved float audio and keeps its pitch. At speed 1 it stays out of
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

    // Takes frames of samples and appends whatever is ready to out.
    void process(const float* samples, std::size_t frames, std::vector<float>& out);
    // At the end of the stream: appends what is still held.
    void finish(std::vector<float>& out);
    // After a seek: forgets what is held.
    void clear();

private:
    void receive(std::vector<float>& out);
    std::unique_ptr<soundtouch::SoundTouch> touch_;
    int channels_ = 2;
    double speed_ = 1.0;
    bool engaged_ = false;
};

} // namespace vantrel
