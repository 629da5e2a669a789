#pragma once

#include "playback/audio_output.h"

#include <QObject>

namespace vantrel {

class frmTagger;
class frmSoundOpt;

// Makes the "Audio Output Settings" dialog, hidden, and shows it modally from the main
// window's "Sound Output Settings" entry. Lives as a child of the window.
class SoundOptBinding : public QObject {
    Q_OBJECT

public:
    SoundOptBinding(frmTagger& window, AudioOutput& output);

    frmSoundOpt& dialog() { return *dialog_; }

private:
    frmSoundOpt* dialog_;
};

} // namespace vantrel
