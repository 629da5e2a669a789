#include "playback/ui/sound_opt_binding.h"

#include "playback/ui/frm_sound_opt.h"

namespace vantrel {

SoundOptBinding::SoundOptBinding(QWidget& window, QAction& mnuSoundOpt, AudioOutput& output)
    : QObject(&window), dialog_(new frmSoundOpt(output, &window)) {
    dialog_->hide();
    connect(&mnuSoundOpt, &QAction::triggered, this, [this] { dialog_->exec(); });
}

} // namespace vantrel
