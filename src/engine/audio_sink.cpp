#include "engine/audio_sink.h"

#include <cstdlib>
#include <mutex>
#include <out123.h>

namespace vantrel {

namespace {

// Short enough that tempo and volume changes are heard within about 100 ms.
constexpr double kDeviceBufferSeconds = 0.06;

// The output library's PulseAudio module ignores its device buffer setting and takes the
// server's default (about 200 ms here); PulseAudio's client library takes the latency from
// the environment instead. A user's own setting stays.
void askForShortLatency() {
    static std::once_flag once;
    std::call_once(once, [] { setenv("PULSE_LATENCY_MSEC", "60", 0); });
}

} // namespace

AudioSink::AudioSink() : handle_(out123_new()) {
    if (handle_) out123_param_int(handle_, OUT123_ADD_FLAGS, OUT123_QUIET);
}

AudioSink::~AudioSink() {
    if (!handle_) return;
    close();
    out123_del(handle_);
}

Result AudioSink::failure(const std::string& doing) {
    std::string why = handle_ ? out123_strerror(handle_) : "no output handle";
    return Result::fail(doing + ": " + why);
}

Result AudioSink::openDevice(const std::string& device) {
    close();
    if (!handle_) return failure("cannot open the sound device");
    askForShortLatency();
    out123_param_float(handle_, OUT123_DEVICEBUFFER, kDeviceBufferSeconds);
    // Never openal: it spins without a device.
    const char* name = device.empty() ? nullptr : device.c_str();
    if (out123_open(handle_, "pulse,alsa", name) != OUT123_OK)
        return failure("cannot open the sound device");
    opened_ = true;
    live_ = true;
    return Result::ok();
}

Result AudioSink::openWave(const std::string& path) {
    close();
    if (!handle_) return failure("cannot create " + path);
    if (out123_open(handle_, "wav", path.c_str()) != OUT123_OK)
        return failure("cannot create " + path);
    opened_ = true;
    live_ = false;
    return Result::ok();
}

Result AudioSink::start(long rate, int channels) {
    if (!opened_) return Result::fail("no output is open");
    if (out123_start(handle_, rate, channels, MPG123_ENC_SIGNED_16) != OUT123_OK)
        return failure("cannot start the output");
    return Result::ok();
}

Result AudioSink::write(std::span<const std::int16_t> samples) {
    std::size_t bytes = samples.size_bytes();
    if (bytes == 0) return Result::ok();
    void* data = const_cast<std::int16_t*>(samples.data()); // out123_play does not write to it
    if (out123_play(handle_, data, bytes) != bytes) return failure("cannot write the output");
    return Result::ok();
}

void AudioSink::pause() {
    if (opened_) out123_pause(handle_);
}

void AudioSink::resume() {
    if (opened_) out123_continue(handle_);
}

void AudioSink::drop() {
    if (opened_) out123_drop(handle_);
}

void AudioSink::close() {
    if (!opened_) return;
    out123_close(handle_); // drains first, and completes a wave file's header
    opened_ = false;
}

} // namespace vantrel
