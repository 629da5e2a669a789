#include "engine/audio_sink.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <out123.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_descriptor.h"

namespace vantrel {

namespace {

// Short enough that tempo and volume changes are heard within about 100 ms.
constexpr double kDeviceBufferSeconds = 0.06;

// Creates the file when it is missing, never truncates it: nothing is lost when it turns out
// to be the source. `out` tells which file it is.
Result checkWaveTarget(const std::string& path, const std::string& source, struct stat& out) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.isOpen()) return Result::fail("cannot write " + path + ": " + std::strerror(errno));
    struct stat in {};
    if (::fstat(fd.get(), &out) != 0) out = {};
    if (::stat(source.c_str(), &in) == 0 && out.st_dev == in.st_dev && out.st_ino == in.st_ino)
        return Result::fail("cannot write " + path + ": it is the file being decoded");
    return Result::ok();
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
    return Result::fail(doing + " " + target_ + ": " + why);
}

Result AudioSink::openDevice(const std::string& device) {
    close();
    target_ = device.empty() ? "the sound device" : "the sound device " + device;
    if (!handle_) return failure("cannot open");
    out123_param_float(handle_, OUT123_DEVICEBUFFER, kDeviceBufferSeconds);
    // Never openal: it spins without a device.
    const char* name = device.empty() ? nullptr : device.c_str();
    if (out123_open(handle_, "pulse,alsa", name) != OUT123_OK) return failure("cannot open");
    opened_ = true;
    live_ = true;
    return Result::ok();
}

Result AudioSink::openWave(const std::string& path, const std::string& source) {
    close();
    target_ = path;
    waveDevice_ = waveInode_ = 0;
    struct stat out {};
    if (Result writable = checkWaveTarget(path, source, out); !writable) return writable;
    if (S_ISREG(out.st_mode)) { // a device such as /dev/null is never removed
        waveDevice_ = out.st_dev;
        waveInode_ = out.st_ino;
    }
    if (!handle_) return failure("cannot write");
    if (out123_open(handle_, "wav", path.c_str()) != OUT123_OK) return failure("cannot write");
    opened_ = true;
    live_ = false;
    return Result::ok();
}

Result AudioSink::start(long rate, int channels) {
    if (!opened_) return Result::fail("no output is open");
    if (out123_start(handle_, rate, channels, MPG123_ENC_SIGNED_16) != OUT123_OK)
        return failure("cannot start");
    return Result::ok();
}

Result AudioSink::write(std::span<const std::int16_t> samples) {
    std::size_t bytes = samples.size_bytes();
    if (bytes == 0) return Result::ok();
    void* data = const_cast<std::int16_t*>(samples.data()); // out123_play does not write to it
    errno = 0;
    if (out123_play(handle_, data, bytes) == bytes) return Result::ok();
    // The library's own text for a wave file that cannot be written is a device's; the
    // system's reason ("No space left on device") tells the user what to do.
    if (!live_ && errno != 0)
        return Result::fail("cannot write to " + target_ + ": " + std::strerror(errno));
    return failure("cannot write to");
}

void AudioSink::discardWave() {
    close();
    struct stat st {};
    if (waveInode_ != 0 && ::lstat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        st.st_dev == waveDevice_ && st.st_ino == waveInode_)
        ::unlink(target_.c_str());
    waveDevice_ = waveInode_ = 0;
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
