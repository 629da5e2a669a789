#include "engine/mp3_engine.h"

#include <algorithm>
#include <exception>

namespace vantrel {

namespace {

enum OpenCode : std::int32_t { kOpened = 0, kOpenFailed = 1 };

} // namespace

Mp3Engine::Mp3Engine() : session_(events_) {
    thread_ = std::make_unique<CommandThread>(
        [this] { return session_.state() == PlaybackSession::State::Playing; },
        [this] { session_.step(); });
}

Mp3Engine::~Mp3Engine() {
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

std::int32_t Mp3Engine::DeviceCount() {
    devicesKnown_ = false; // asked once at start-up: a fresh look at the server
    return static_cast<std::int32_t>(devices().size());
}

std::int32_t Mp3Engine::DeviceFormats(std::int32_t device) {
    const auto& list = devices();
    if (device < 0 || device >= static_cast<std::int32_t>(list.size())) return 0;
    return SoundDevices::formats(list[device].id);
}

std::string Mp3Engine::DeviceName(std::int32_t device) {
    const auto& list = devices();
    if (device < 0 || device >= static_cast<std::int32_t>(list.size())) return {};
    return list[device].description;
}

std::int16_t Mp3Engine::SelectDevice(std::int16_t position) {
    const auto& list = devices();
    if (position < 0 || position >= static_cast<std::int32_t>(list.size())) return 1;
    std::string id = list[position].id;
    thread_->post([this, id] { session_.selectDevice(id); });
    return 0;
}

std::int32_t Mp3Engine::OpenStream(const std::string& path, const std::string& wavePath) {
    Result opened = Result::ok();
    StreamInfo info;
    thread_->callInline([&] {
        // Whatever the last stream still had to say (a ThreadEnded after a stop, say) would now
        // be taken for news of this one.
        events_.discard();
        try {
            opened = session_.open(path, wavePath);
        } catch (const std::exception& e) {
            session_.close();
            opened = Result::fail(e.what());
        }
        info = session_.info();
    });
    info_ = info;
    lastOpenError_ = opened ? std::string() : opened.error();
    return opened ? kOpened : kOpenFailed;
}

void Mp3Engine::DecodeOption(std::int16_t) {
    // The host sets 32 after every open; the engine has no modes to choose from.
}

std::int32_t Mp3Engine::TotalFrames() {
    return static_cast<std::int32_t>(std::min<std::int64_t>(info_.frames, INT32_MAX));
}

void Mp3Engine::SetTempo(std::int16_t tempo) {
    int clamped = std::clamp<int>(tempo, 0, 200);
    thread_->post([this, clamped] { session_.setTempo(clamped); });
}

void Mp3Engine::StartPlay() {
    thread_->post([this] { session_.start(); });
}

void Mp3Engine::PauseToggle() {
    thread_->post([this] { session_.togglePause(); });
}

void Mp3Engine::SeekFrame(std::int32_t frame) {
    thread_->post([this, frame] { session_.seek(frame); });
}

void Mp3Engine::SetVolume(std::int16_t left, std::int16_t right) {
    thread_->post([this, left, right] { session_.setVolume(left, right); });
}

void Mp3Engine::StopPlay() {
    thread_->post([this] { session_.stop(); });
}

void Mp3Engine::CloseStream() {
    thread_->callInline([this] {
        session_.close();
        events_.discard();
    });
    info_ = {};
}

} // namespace vantrel
