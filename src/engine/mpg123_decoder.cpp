#include "engine/mpg123_decoder.h"

#include <mpg123.h>
#include <mutex>

namespace vantrel {

namespace {

void initLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

} // namespace

Mpg123Decoder::Mpg123Decoder() {
    initLibraryOnce();
    handle_ = mpg123_new(nullptr, nullptr);
    if (!handle_) return;
    // Quiet: a damaged file is reported through our own events, not on stderr.
    mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    mpg123_param(handle_, MPG123_REMOVE_FLAGS, MPG123_AUTO_RESAMPLE, 0);
}

Mpg123Decoder::~Mpg123Decoder() {
    if (handle_) {
        close();
        mpg123_delete(handle_);
    }
}

Result Mpg123Decoder::open(const std::string& path) {
    close();
    return openStream(-1, path.c_str());
}

Result Mpg123Decoder::open(FileDescriptor file) {
    close();
    file_ = std::move(file);
    return openStream(file_.get(), nullptr);
}

Result Mpg123Decoder::openStream(int fd, const char* path) {
    if (!handle_) return Result::fail("the decoder could not be created");
    // 16 bits, what the output takes, at whatever rate and channel count the file has; the
    // format must be fixed before the open to take effect from the first frame.
    mpg123_format_none(handle_);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int status = path ? mpg123_open(handle_, path) : mpg123_open_fd(handle_, fd);
    if (status != MPG123_OK) {
        Result failed = Result::fail(lastError());
        file_.close();
        return failed;
    }
    open_ = true;
    int encoding = 0;
    if (mpg123_getformat(handle_, &rate_, &channels_, &encoding) != MPG123_OK ||
        encoding != MPG123_ENC_SIGNED_16) {
        Result failed = Result::fail(lastError());
        close();
        return failed;
    }
    return Result::ok();
}

void Mpg123Decoder::close() {
    if (open_) mpg123_close(handle_);
    open_ = false;
    file_.close(); // the library leaves a descriptor it was handed open
    samples_ = {};
}

double Mpg123Decoder::secondsPerFrame() const {
    return open_ ? mpg123_tpf(handle_) : 0.0;
}

Result Mpg123Decoder::scan() {
    if (!open_ || mpg123_scan(handle_) != MPG123_OK) return Result::fail(lastError());
    return Result::ok();
}

std::int64_t Mpg123Decoder::frameCount() const {
    if (!open_) return 0;
    off_t frames = mpg123_framelength(handle_);
    return frames < 0 ? 0 : frames;
}

Mpg123Decoder::Step Mpg123Decoder::next() {
    if (!open_) return Step::Error;
    for (;;) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        int err = mpg123_decode_frame(handle_, &number, &audio, &bytes);
        if (err == MPG123_NEW_FORMAT) continue; // the same format we asked for
        if (err == MPG123_DONE) return Step::Done;
        if (err != MPG123_OK) return Step::Error;
        samples_ = {reinterpret_cast<const std::int16_t*>(audio), bytes / sizeof(std::int16_t)};
        return Step::Frame;
    }
}

std::int64_t Mpg123Decoder::currentFrame() const {
    return open_ ? mpg123_tellframe(handle_) : 0;
}

Result Mpg123Decoder::seekFrame(std::int64_t frame) {
    if (!open_ || mpg123_seek_frame(handle_, static_cast<off_t>(frame), SEEK_SET) < 0)
        return Result::fail(lastError());
    return Result::ok();
}

std::string Mpg123Decoder::lastError() const {
    if (!handle_) return "the decoder could not be created";
    const char* text = mpg123_strerror(handle_);
    return text ? text : "unknown decoder error";
}

} // namespace vantrel
