#include "support/fake_player.h"

namespace vantrel::test {

void FakePlayer::raiseActFrame(std::int32_t frame) {
    if (listener_) listener_->ActFrame(frame);
}

void FakePlayer::raiseThreadEnded() {
    playing = false;
    paused = false;
    if (listener_) listener_->ThreadEnded();
}

void FakePlayer::raiseFailure(std::int32_t code, const std::string& text) {
    if (listener_) listener_->Failure(code, text);
}

std::vector<std::string> FakePlayer::callsTo(const std::string& operation) const {
    std::vector<std::string> found;
    for (const std::string& c : calls)
        if (c == operation || c.rfind(operation + " ", 0) == 0) found.push_back(c);
    return found;
}

std::int32_t FakePlayer::DeviceCount() {
    record("DeviceCount");
    return static_cast<std::int32_t>(devices.size());
}

std::int32_t FakePlayer::DeviceFormats(std::int32_t device) {
    record("DeviceFormats " + std::to_string(device));
    if (device < 0 || device >= static_cast<std::int32_t>(devices.size())) return 0;
    return devices[device].formats;
}

std::string FakePlayer::DeviceName(std::int32_t device) {
    record("DeviceName " + std::to_string(device));
    if (device < 0 || device >= static_cast<std::int32_t>(devices.size())) return {};
    return devices[device].name;
}

std::int16_t FakePlayer::SelectDevice(std::int16_t position) {
    record("SelectDevice " + std::to_string(position));
    if (position < 0 || position >= static_cast<std::int32_t>(devices.size())) return 1;
    selectedDevice = position;
    return 0;
}

std::int32_t FakePlayer::OpenStream(const std::string& path, const std::string& wavePath) {
    record("OpenStream " + path + "|" + wavePath);
    playing = paused = false;
    if (!files.count(path)) {
        open = false;
        return 1;
    }
    open = true;
    openPath = path;
    openWave = wavePath;
    return 0;
}

void FakePlayer::DecodeOption(std::int16_t option) {
    record("DecodeOption " + std::to_string(option));
}

void FakePlayer::SetTempo(std::int16_t value) {
    record("SetTempo " + std::to_string(value));
    tempo = value;
}

void FakePlayer::StartPlay() {
    record("StartPlay");
    if (open) playing = true;
}

void FakePlayer::PauseToggle() {
    record("PauseToggle");
    if (playing) paused = !paused;
}

void FakePlayer::SeekFrame(std::int32_t frame) {
    record("SeekFrame " + std::to_string(frame));
}

void FakePlayer::SetVolume(std::int16_t l, std::int16_t r) {
    record("SetVolume " + std::to_string(l) + " " + std::to_string(r));
    left = l;
    right = r;
}

void FakePlayer::StopPlay() {
    record("StopPlay");
    playing = paused = false;
}

void FakePlayer::CloseStream() {
    record("CloseStream");
    open = playing = paused = false;
    openPath.clear();
}

FakePlayer::Stream FakePlayer::current() const {
    if (!open) return {0, 0, 0, 0, 0};
    return files.at(openPath);
}

} // namespace vantrel::test
