#include "engine/mpg123_decoder.h"

#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    mpg123_replace_reader_handle(handle_, &readBlock, &seekBlock, nullptr);
}

ssize_t Mpg123Decoder::readBlock(void* handle, void* out, std::size_t count) {
    auto& r = *static_cast<BlockReader*>(handle);
    auto* dest = static_cast<unsigned char*>(out);
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t inBlock = r.position - r.blockStart;
        if (inBlock >= 0 && inBlock < static_cast<std::int64_t>(r.blockLength)) {
            const std::size_t n =
                std::min(count - done, r.blockLength - static_cast<std::size_t>(inBlock));
            std::memcpy(dest + done, r.block.data() + inBlock, n);
            done += n;
            r.position += static_cast<std::int64_t>(n);
            continue;
        }
        ssize_t got;
        do {
            got = ::pread(r.fd, r.block.data(), r.block.size(), r.position);
        } while (got < 0 && errno == EINTR);
        if (got < 0) return done > 0 ? static_cast<ssize_t>(done) : -1;
        r.blockStart = r.position;
        r.blockLength = static_cast<std::size_t>(got);
        if (got == 0) break; // the end of the file
    }
    return static_cast<ssize_t>(done);
}

off_t Mpg123Decoder::seekBlock(void* handle, off_t offset, int whence) {
    auto& r = *static_cast<BlockReader*>(handle);
    std::int64_t base = r.position;
    if (whence == SEEK_SET) base = 0;
    if (whence == SEEK_END) {
        if (r.size < 0) {
            struct stat status;
            if (::fstat(r.fd, &status) != 0) return -1;
            r.size = status.st_size;
        }
        base = r.size;
    }
    if (base + offset < 0) {
        errno = EINVAL;
        return -1;
    }
    r.position = base + offset;
    return static_cast<off_t>(r.position);
}

Mpg123Decoder::~Mpg123Decoder() {
    if (handle_) {
        close();
        mpg123_delete(handle_);
    }
}

Result Mpg123Decoder::open(const std::string& path) {
    struct stat status;
    ResultOf<FileDescriptor> file = openRegularForReading(path, status);
    if (!file) return Result::fail(file.error());
    return open(std::move(file.value()));
}

Result Mpg123Decoder::open(FileDescriptor file) {
    close();
    if (!handle_) return Result::fail("the decoder could not be created");
    file_ = std::move(file);
    reader_.fd = file_.get();
    reader_.position = reader_.blockStart = 0;
    reader_.blockLength = 0;
    reader_.size = -1;
    // 16 bits, what the output takes, at whatever rate and channel count the file has; the
    // format must be fixed before the open to take effect from the first frame.
    mpg123_format_none(handle_);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int status = mpg123_open_handle(handle_, &reader_);
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
