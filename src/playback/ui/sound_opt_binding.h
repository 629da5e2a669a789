#pragma once

#include "playback/audio_output.h"

#include <QAction>
#include <QObject>
#include <QWidget>

namespace vantrel {

class frmSoundOpt;

// Makes the "Audio Output Settings" dialog, hidden, as a child of the window, and shows it
// modally from the window's "Sound Output Settings" entry.
class SoundOptBinding : public QObject {
    Q_OBJECT

public:
    SoundOptBinding(QWidget& window, QAction& mnuSoundOpt, AudioOutput& output);

    frmSoundOpt& dialog() { return *dialog_; }

private:
    frmSoundOpt* dialog_;
};

} // namespace vantrel
