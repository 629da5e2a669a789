#include "playback/audio_output.h"

#include "base/ascii_text.h"

#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

// The output choice, written by the dialog's OK and read again by its Cancel.
constexpr SettingKey kSoundCard{kOptionsSection, "sound_card"};
constexpr SettingKey kAudioDest{kOptionsSection, "audio_dest"};
constexpr SettingKey kOutAsMp3{kOptionsSection, "out_as_mp"};
constexpr SettingKey kOutToWave{kOptionsSection, "out_to_wav"};

// A name Browse need not be offered for: an absolute path that mentions ".wav".
bool usableWavePath(const std::string& text) {
    return !text.empty() && text.front() == '/' &&
           asciiLowered(text).find(".wav") != std::string::npos;
}

} // namespace

AudioOutput::AudioOutput(Mp3Play& Mp3Play1, Dialogs& dialogs, const IniStore& ini,
                         PlaybackState& state)
    : player_(Mp3Play1), dialogs_(dialogs), ini_(ini), state_(state) {}

void AudioOutput::load(std::vector<std::string> devices) {
    devices_ = std::move(devices);
    state_.waveDest.clear();
    // From here a failing step is skipped without a message; only a refused device is told.
    restoreFromSettings();
    if (toWave_) {
        applyDestination();
    } else {
        if (player_.SelectDevice(componentDevice()) != 0)
            dialogs_.message("No Sound Card Selected for Output", "Output Selection",
                             Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    }
    changed();
}

void AudioOutput::chooseDevice(int position) {
    chosenDevice_ = position >= 0 && position < static_cast<int>(devices_.size()) ? position : -1;
    changed();
}

void AudioOutput::editDestWave(std::string text) {
    destWave_ = std::move(text);
    changed();
}

void AudioOutput::Option2_Click(int index) {
    useMp3Name_ = index == 1;
    changed();
}

void AudioOutput::Option1_Click(int index) {
    const bool sameChoice = toWave_ == (index == 0);
    setOutput(index == 0);
    // A user's click on the option already chosen checks the wave name all the same.
    if (sameChoice && !usableWavePath(destWave_)) cmdGet_Click();
    changed();
}

void AudioOutput::cmdGet_Click() {
    Dialogs::FileRequest request;
    request.title = "Name a Wave File to Decode to";
    request.filter = "Wave Audio (*.wav)|*.wav";
    request.filterIndex = 1;
    if (std::optional<std::string> chosen = dialogs_.saveFile(request)) {
        destWave_ = *chosen;
        changed();
    }
}

void AudioOutput::cmdOK_Click() {
    // A failed write is not reported: the setting is simply lost at the next start. The keys go
    // to the file together.
    IniStore::Batch batch = ini_.beginBatch();
    kSoundCard.putNumber(ini_, chosenDevice_);
    kAudioDest.put(ini_, destWave_);
    kOutAsMp3.putFlag(ini_, useMp3Name_);
    if (toWave_) {
        kOutToWave.putFlag(ini_, true);
        applyDestination();
    } else {
        state_.waveDest.clear();
        // A refused device was told at start-up; here it is not examined.
        player_.SelectDevice(componentDevice());
        kOutToWave.putFlag(ini_, false);
    }
    changed();
}

void AudioOutput::cmdCancel_Click() {
    // The device in use stays as it is; only the dialog and the destination go back.
    restoreFromSettings();
    applyDestination();
    changed();
}

void AudioOutput::restoreFromSettings() {
    int stored = kSoundCard.number(ini_);
    chosenDevice_ = stored >= 0 && stored < static_cast<int>(devices_.size()) ? stored : -1;
    destWave_ = kAudioDest.text(ini_);
    // Option1 before Option2, so a changed choice checks the name just restored.
    setOutput(kOutToWave.flag(ini_));
    useMp3Name_ = kOutAsMp3.flag(ini_);
}

void AudioOutput::setOutput(bool toWave) {
    if (toWave_ == toWave) return;
    toWave_ = toWave;
    if (!usableWavePath(destWave_)) cmdGet_Click();
}

void AudioOutput::applyDestination() {
    if (!toWave_)
        state_.waveDest.clear();
    else
        state_.waveDest = useMp3Name_ ? ".wav" : destWave_;
}

// The list holds only the devices that passed the probe, so its positions need not be the
// player's device numbers: the entry is found again among the player's devices by name.
std::int16_t AudioOutput::componentDevice() const {
    if (chosenDevice_ < 0) return -1;
    const std::string& name = devices_[chosenDevice_];
    auto sameBefore = std::count(devices_.begin(), devices_.begin() + chosenDevice_, name);
    std::int32_t count = player_.DeviceCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (player_.DeviceName(i) == name && sameBefore-- == 0) return static_cast<std::int16_t>(i);
    return -1;
}

} // namespace vantrel
