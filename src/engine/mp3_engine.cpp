#include "engine/mp3_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace vantrel {

namespace {

enum OpenCode : std::int32_t { kOpened = 0, kOpenFailed = 1 };

} // namespace

void prepareSoundEnvironment() {
    // The output library's PulseAudio module ignores its device buffer setting and takes the
    // server's default (about 200 ms here); PulseAudio's client library takes the latency from
    // the environment instead. A user's own setting stays.
    ::setenv("PULSE_LATENCY_MSEC", "60", 0);
}

void OwnerThread::fail(const char* method) {
    std::fprintf(stderr,
                 "vantrel engine: %s called on another thread than the one that created the "
                 "engine\n",
                 method);
    std::abort();
}

Mp3Engine::Mp3Engine() : session_(events_) {
    thread_ = std::make_unique<CommandThread>(
        [this] { return session_.state() == PlaybackSession::State::Playing; },
        [this] { session_.step(); });
}

Mp3Engine::~Mp3Engine() {
    owner_.check("~Mp3Engine");
    events_.setWakeUp(nullptr);
    thread_->call([this] { session_.close(); });
    thread_.reset();
}

const std::vector<SoundDevices::Device>& Mp3Engine::devices() {
    if (!devicesKnown_) {
        devices_ = SoundDevices::list();
        devicesKnown_ = true;
    }
    return devices_;
}

void Mp3Engine::setListener(Mp3PlayListener* listener) {
    owner_.check("setListener");
    listener_ = listener;
}

void Mp3Engine::deliverEvents() {
    owner_.check("deliverEvents");
    events_.deliver(listener_);
}

void Mp3Engine::refreshDevices() {
    owner_.check("refreshDevices");
    devicesKnown_ = false;
}

std::int32_t Mp3Engine::DeviceCount() {
    owner_.check("DeviceCount");
    return static_cast<std::int32_t>(devices().size());
}

std::int32_t Mp3Engine::DeviceFormats(std::int32_t device) {
    owner_.check("DeviceFormats");
    const auto& list = devices();
    if (device < 0 || device >= static_cast<std::int32_t>(list.size())) return 0;
    return SoundDevices::formats(list[device].id);
}

std::string Mp3Engine::DeviceName(std::int32_t device) {
    owner_.check("DeviceName");
    const auto& list = devices();
    if (device < 0 || device >= static_cast<std::int32_t>(list.size())) return {};
    return list[device].description;
}

std::int16_t Mp3Engine::SelectDevice(std::int16_t position) {
    owner_.check("SelectDevice");
    const auto& list = devices();
    if (position < 0 || position >= static_cast<std::int32_t>(list.size())) return 1;
    std::string id = list[position].id;
    thread_->post([this, id] { session_.selectDevice(id); });
    return 0;
}

std::int32_t Mp3Engine::OpenStream(const std::string& path, const std::string& wavePath) {
    owner_.check("OpenStream");
    Result opened = Result::ok();
    StreamInfo info;
    const std::uint32_t stream = ++streamsOpened_;
    thread_->callInline([&] {
        try {
            opened = session_.open(path, wavePath, stream);
        } catch (const std::exception& e) {
            session_.close();
            opened = Result::fail(path + ": " + e.what());
        }
        info = session_.info();
        // Whatever the last stream still had to say (a ThreadEnded after a stop, say) would now
        // be taken for news of this one.
        events_.setCurrent(opened ? stream : 0);
    });
    info_ = info;
    stream_ = opened ? stream : 0;
    lastOpenError_ = opened ? std::string() : opened.error();
    return opened ? kOpened : kOpenFailed;
}

void Mp3Engine::DecodeOption(std::int16_t) {
    // The host sets 32 after every open; the engine has no modes to choose from.
}

std::int32_t Mp3Engine::TotalFrames() {
    owner_.check("TotalFrames");
    return static_cast<std::int32_t>(std::min<std::int64_t>(info_.frames, INT32_MAX));
}

void Mp3Engine::SetTempo(std::int16_t tempo) {
    owner_.check("SetTempo");
    int clamped = std::clamp<int>(tempo, 0, 200);
    thread_->post([this, clamped] { session_.setTempo(clamped); });
}

void Mp3Engine::StartPlay() {
    owner_.check("StartPlay");
    thread_->post([this] { session_.start(); });
}

void Mp3Engine::PauseToggle() {
    owner_.check("PauseToggle");
    thread_->post([this] { session_.togglePause(); });
}

void Mp3Engine::SeekFrame(std::int32_t frame) {
    owner_.check("SeekFrame");
    events_.seekAsked();
    thread_->post([this, frame] {
        events_.seekRunning();
        session_.seek(frame);
    });
}

void Mp3Engine::SetVolume(std::int16_t left, std::int16_t right) {
    owner_.check("SetVolume");
    thread_->post([this, left, right] { session_.setVolume(left, right); });
}

void Mp3Engine::StopPlay() {
    owner_.check("StopPlay");
    thread_->post([this] { session_.stop(); });
}

void Mp3Engine::CloseStream() {
    owner_.check("CloseStream");
    thread_->callInline([this] {
        session_.close();
        events_.setCurrent(0);
    });
    info_ = {};
    stream_ = 0;
}

} // namespace vantrel
