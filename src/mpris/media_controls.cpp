#include "mpris/media_controls.h"

#include "base/file_url.h"
#include "metadata/cover_art.h"
#include "metadata/track_fields.h"
#include "metadata/track_tag.h"
#include "playback/fader.h"
#include "playback/time_display.h"
#include "playback/track_sequencer.h"
#include "playback/transport.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_files.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_reader.h"

#include <algorithm>
#include <filesystem>

namespace vantrel {

namespace {

constexpr std::int64_t kMicrosPerTick = 10; // Millis keeps ten thousandths of a millisecond

} // namespace

MediaControls::MediaControls(Parts parts) : parts_(parts) {
    Transport& transport = parts_.transport;
    auto refreshOn = [this](auto& signal) {
        connections_.push_back(signal.connect([this](auto&&...) { refresh(); }));
    };
    refreshOn(transport.changed);
    refreshOn(transport.statusChanged);
    refreshOn(parts_.fader.changed);
    refreshOn(parts_.sequencer.changed);
    refreshOn(parts_.timeDisplay.changed);
    refreshOn(parts_.playlist.countersChanged);
    connections_.push_back(transport.trackStarted.connect([this](const std::string& file) {
        startedFile_ = file;
        newTrack();
        refresh();
    }));
    connections_.push_back(parts_.playlist.fileIn.connect([this](const std::string&) {
        newTrack();
        refresh();
    }));
    // A jump is announced once the player is there (from here or the window's shuttle); one
    // that failed announces nothing.
    connections_.push_back(parts_.timeDisplay.landed.connect([this](std::int32_t frame) {
        seeked(frame * parts_.timeDisplay.frameTime().raw() / kMicrosPerTick);
    }));
    if (!parts_.playlist.curFile().empty()) newTrack();
    state_ = snapshot();
}

void MediaControls::newTrack() {
    const std::string& file = parts_.playlist.curFile();
    // The same file made current or started again is the same track to the desktop.
    if (file == trackFile_) return;
    trackFile_ = file;
    if (file.empty()) {
        track_ = Track{};
        return;
    }
    // A row stands for its file by the full path; the tag's texts may be hidden columns, so
    // they are read from the file itself.
    track_ = Track{};
    track_.id = "/net/vantrel/track/" + std::to_string(++trackNumber_);
    track_.url = fileUrlFromPath(file);
    TagRead tag;
    // An unreadable file shows as its name alone.
    if (readTrackTag(file, tag) && tag.state == TagState::Tagged) {
        track_.title = std::string(shownText(tag.values.title));
        track_.artist = std::string(shownText(tag.values.artist));
        track_.album = std::string(shownText(tag.values.album));
    }
    if (track_.title.empty()) track_.title = std::filesystem::path(file).filename().string();
    track_.artUrl = cachedCoverUrl(file, coverCacheFolder());
}

MediaControls::State MediaControls::snapshot() const {
    const Transport& transport = parts_.transport;
    State s;
    switch (transport.status()) {
    case PlayStatus::Playing:
        s.status = Status::Playing;
        break;
    case PlayStatus::Paused:
        s.status = Status::Paused;
        break;
    default:
        s.status = Status::Stopped;
    }
    s.track = track_;
    if (s.track.id.empty()) s.track.id = kNoTrack;
    // Only the track the player opened has a measured length.
    const TimeDisplay& display = parts_.timeDisplay;
    if (!startedFile_.empty() && startedFile_ == parts_.playlist.curFile() &&
        display.totalTime() > Millis())
        s.track.length = display.totalTime().raw() / kMicrosPerTick;
    s.volume = parts_.fader.volume() / 100.0;
    const int rows = parts_.playlist.count();
    const int current = currentRow();
    const bool loop = parts_.sequencer.loop();
    s.canGoNext = rows > 0 && (current < rows || loop);
    s.canGoPrevious = rows > 0 && (current > 1 || loop);
    s.canPause = transport.pauseEnabled();
    // Play starts a row of its own when none is current (see play()).
    s.canPlay = transport.playEnabled() || s.canPause || rows > 0;
    s.loop = loop;
    s.shuffle = parts_.sequencer.random();
    s.canSeek = transport.shuttleEnabled();
    return s;
}

void MediaControls::refresh() {
    State next = snapshot();
    if (next == state_) return;
    std::vector<std::string> names;
    auto note = [&names](bool differs, const char* name) {
        if (differs) names.push_back(name);
    };
    note(next.status != state_.status, "PlaybackStatus");
    note(next.track != state_.track, "Metadata");
    note(next.volume != state_.volume, "Volume");
    note(next.canGoNext != state_.canGoNext, "CanGoNext");
    note(next.canGoPrevious != state_.canGoPrevious, "CanGoPrevious");
    note(next.canPlay != state_.canPlay, "CanPlay");
    note(next.canPause != state_.canPause, "CanPause");
    note(next.canSeek != state_.canSeek, "CanSeek");
    note(next.loop != state_.loop, "LoopStatus");
    note(next.shuffle != state_.shuffle, "Shuffle");
    state_ = std::move(next);
    propertiesChanged(names);
}

std::int64_t MediaControls::position() const {
    // A track that ended by itself is left open to the player, but nothing plays.
    if (!parts_.transport.trackOpen() || parts_.transport.status() == PlayStatus::Finished)
        return 0;
    const TimeDisplay& display = parts_.timeDisplay;
    return display.curFrame() * display.frameTime().raw() / kMicrosPerTick;
}

int MediaControls::currentRow() const {
    const PlaylistModel& list = parts_.playlist;
    const int row = list.indexOf(list.curFile());
    return row > 0 ? row : list.selectedItem();
}

void MediaControls::play() {
    if (busy()) return;
    Transport& transport = parts_.transport;
    const PlaylistModel& list = parts_.playlist;
    // A Play key starts something, as in every other player: with nothing to play or resume,
    // the selected row, else the first, is made current as a click on it makes it.
    if (!transport.playEnabled() && !transport.pauseEnabled() && list.count() > 0)
        goTo(list.selectedItem() > 0 ? list.selectedItem() : 1);
    if (transport.playEnabled()) transport.play();
}

void MediaControls::pause() {
    if (busy()) return;
    // A disabled Pause button does nothing; the transport itself checks.
    parts_.transport.pause();
}

void MediaControls::playPause() {
    if (busy()) return;
    if (parts_.transport.pauseEnabled())
        pause();
    else
        play();
}

void MediaControls::stop() {
    if (busy()) return;
    if (parts_.transport.stopEnabled()) leaveTrack();
}

void MediaControls::leaveTrack() {
    Transport& transport = parts_.transport;
    // As a click on Stop: holding it clears "Manual Fade OUT and Stop", so auto play ends
    // and the stop is not taken for a track's end.
    transport.stopHeld(true);
    transport.stop();
    transport.stopHeld(false);
}

void MediaControls::goTo(int row) {
    Transport& transport = parts_.transport;
    const bool wasPlaying = transport.pauseEnabled();
    // Play would resume the paused track instead of opening the new one; Stop is disabled
    // while paused, so the paused track is left by the stop step itself.
    if (transport.status() == PlayStatus::Paused) leaveTrack();
    PlaylistModel& list = parts_.playlist;
    list.clickRow(row, PlaylistModel::Click::Plain);
    list.showRow(row);
    list.listClick();
    // As the track-end step moves on: Play opens whatever is current now.
    if (wasPlaying) transport.play();
}

void MediaControls::next() {
    if (busy()) return;
    if (!snapshot().canGoNext) return;
    const int rows = parts_.playlist.count();
    const int row = currentRow() + 1;
    goTo(row <= rows ? row : 1);
}

void MediaControls::previous() {
    if (busy()) return;
    if (!snapshot().canGoPrevious) return;
    const int row = currentRow() - 1;
    goTo(row >= 1 ? row : parts_.playlist.count());
}

void MediaControls::seek(std::int64_t offset) {
    if (busy()) return;
    const State now = snapshot();
    if (!now.canSeek) return;
    std::int64_t target = std::max<std::int64_t>(position() + offset, 0);
    if (now.track.length && target > *now.track.length) return next();
    setPosition(now.track.id, target);
}

void MediaControls::setPosition(const std::string& trackId, std::int64_t position) {
    if (busy()) return;
    const Millis frameTime = parts_.timeDisplay.frameTime();
    // A stale track id means the user aimed at a track that is no longer current.
    const State now = snapshot();
    if (trackId != now.track.id || position < 0 || frameTime <= Millis()) return;
    if (now.track.length && position > *now.track.length) return;
    const auto frame = static_cast<std::int32_t>(position * kMicrosPerTick / frameTime.raw());
    parts_.transport.landAt(frame);
}

void MediaControls::openUri(const std::string& uri) {
    if (busy()) return;
    const std::string path = pathFromFileUrl(uri);
    if (path.empty()) return;
    if (namesPlaylist(path)) return parts_.files.openPList(path);
    parts_.commands.GetListTag(path);
    const int row = parts_.playlist.indexOf(path);
    // A file the list refused is not played.
    if (row < 1) return;
    goTo(row);
    play();
}

void MediaControls::setLoop(bool on) {
    if (busy()) return;
    parts_.sequencer.setLoop(on);
}

void MediaControls::setShuffle(bool on) {
    if (busy()) return;
    parts_.sequencer.setRandom(on);
}

void MediaControls::setVolume(double volume) {
    if (busy()) return;
    parts_.fader.setLevel(static_cast<int>(std::clamp(volume, 0.0, 1.0) * 100.0 + 0.5));
}

} // namespace vantrel
