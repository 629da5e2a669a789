#include "playback/ui/sound_opt_binding.h"

#include "app/ui/frm_tagger.h"
#include "playback/ui/frm_sound_opt.h"

namespace vantrel {

SoundOptBinding::SoundOptBinding(frmTagger& window, AudioOutput& output)
    : QObject(&window), dialog_(new frmSoundOpt(output, &window)) {
    dialog_->hide();
    connect(window.mnuSoundOpt, &QAction::triggered, this, [this] { dialog_->exec(); });
}

} // namespace vantrel
