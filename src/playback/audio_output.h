#pragma once

#include "base/signal.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "playback/playback_state.h"
#include "settings/ini_store.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// Where decoded audio goes: a sound device, or a wave file named after the track or typed in.
// Holds the state of the "Audio Output Settings" dialog, decides waveDest for the transport,
// and selects the device on the playing instance.
class AudioOutput {
public:
    AudioOutput(Mp3Play& Mp3Play1, Dialogs& dialogs, const IniStore& ini, PlaybackState& state);
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // The load step, once the device probe has filled the list.
    void load(std::vector<std::string> devices);

    // What the dialog shows.
    const std::vector<std::string>& devices() const { return devices_; }
    int cmbAudio() const { return chosenDevice_; } // list position, -1 when none
    const std::string& txtDestWave() const { return destWave_; }
    bool useMp3Name() const { return useMp3Name_; } // Option2(1), else Option2(0) "Use >>"
    bool toWaveFile() const { return toWave_; }     // Option1(0), else Option1(1) "Sound Card >"

    // The user's edits in the dialog.
    void chooseDevice(int position);
    void editDestWave(std::string text);
    void Option2_Click(int index);
    // A change of Option1 may open Browse when the typed name is no usable wave path.
    void Option1_Click(int index);
    void cmdGet_Click();

    // OK and Cancel; the dialog hides itself afterwards.
    void cmdOK_Click();
    void cmdCancel_Click();

    // Any change of what the window shows.
    Signal<> changed;

private:
    void restoreFromSettings();
    void setOutput(bool toWave);
    void applyDestination();
    std::int16_t componentDevice() const;

    Mp3Play& player_;
    Dialogs& dialogs_;
    const IniStore& ini_;
    PlaybackState& state_;

    std::vector<std::string> devices_;
    int chosenDevice_ = -1;
    std::string destWave_;
    bool useMp3Name_ = true;
    bool toWave_ = false;
};

} // namespace vantrel
