#include "playback/track_sequencer.h"

#include "settings/ini_values.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

// The boxes' keys in the options section.
constexpr SettingKey kLoop{kOptionsSection, "loop"};
constexpr SettingKey kRandom{kOptionsSection, "random"};

} // namespace

TrackSequencer::TrackSequencer(PlaylistModel& list, Transport& transport, RandomSource& random,
                               Dialogs& dialogs)
    : list_(list), transport_(transport), randomSource_(random), dialogs_(dialogs) {}

void TrackSequencer::ThreadEnded() {
    transport_.trackEnded();
    const int current = list_.selectedItem();
    const int rows = list_.count();
    if (!transport_.autoPlay()) return;
    // No current row, or no rows at all (the list was emptied while playing): nothing can be
    // next, and the track that ended is not played again.
    if (current == 0) {
        transport_.disablePlay();
        return;
    }
    if (current < rows) {
        if (random_) {
            if (!pickRandom()) return;
        } else {
            list_.setSelected(current + 1, true);
        }
    } else if (loop_) {
        list_.setSelected(1, true);
    } else if (!random_ || !pickRandom()) {
        return;
    }
    playCurrent();
}

bool TrackSequencer::pickRandom() {
    const int rows = list_.count();
    int drawn = 0;
    for (int k = 1; k < 2 * rows; ++k) {
        drawn = draw(rows);
        if (!list_.row(drawn).selected) {
            list_.setSelected(drawn, true);
            return true;
        }
    }
    for (int i = 1; i <= rows; ++i)
        list_.setSelected(i, false);
    if (!loop_ || drawn == 0) return false;
    list_.setSelected(drawn, true);
    return true;
}

int TrackSequencer::draw(int rows) {
    const double r = randomSource_.draw();
    // A draw of almost 1 may round up to rows + 1.
    return std::clamp(static_cast<int>(std::floor(r * rows + 1)), 1, rows);
}

void TrackSequencer::playCurrent() {
    const int current = list_.selectedItem();
    list_.showRow(current);
    list_.setFileIn(list_.row(current).key);
    transport_.play();
}

void TrackSequencer::decoderError(bool playingInstance, const std::string& errStr) {
    dialogs_.message("Decoder Error\r\nError " + errStr, "Decoder Error", Dialogs::Buttons::Ok,
                     Dialogs::Icon::Critical);
    if (playingInstance) transport_.setAutoPlay(false);
}

void TrackSequencer::setLoop(bool on) {
    loop_ = on;
    changed();
}

void TrackSequencer::setRandom(bool on) {
    random_ = on;
    changed();
}

void TrackSequencer::load(const IniStore& ini) {
    setLoop(readCheckState(kLoop.text(ini)) == 1);
    setRandom(readCheckState(kRandom.text(ini)) == 1);
}

void TrackSequencer::save(const IniStore& ini) const {
    kLoop.put(ini, writeCheckState(loop_ ? 1 : 0));
    kRandom.put(ini, writeCheckState(random_ ? 1 : 0));
}

} // namespace vantrel
