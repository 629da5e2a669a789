#include "mpris/media_controls.h"

#include "app/tagger_core.h"
#include "metadata/id3v1_block.h"
#include "metadata/track_fields.h"

#include <algorithm>
#include <filesystem>

namespace vantrel {

namespace {

constexpr std::int64_t kMicrosPerTick = 10; // Millis keeps ten thousandths of a millisecond

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string pathFromFileUri(const std::string& uri) {
    constexpr std::string_view scheme = "file://";
    if (uri.size() <= scheme.size() || uri.compare(0, scheme.size(), scheme) != 0) return {};
    std::string_view rest = std::string_view(uri).substr(scheme.size());
    // Only this machine's files: an empty host or "localhost".
    if (rest.starts_with("localhost/")) rest.remove_prefix(9);
    if (!rest.starts_with("/")) return {};
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const int high = rest[i] == '%' && i + 2 < rest.size() ? hexValue(rest[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(rest[i + 2]) : -1;
        if (low >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

std::string fileUriFromPath(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

MediaControls::MediaControls(TaggerCore& core) : core_(core) {
    Transport& transport = core_.transport();
    auto refreshOn = [this](auto& signal) {
        connections_.push_back(signal.connect([this](auto&&...) { refresh(); }));
    };
    refreshOn(transport.changed);
    refreshOn(transport.statusChanged);
    refreshOn(core_.fader().changed);
    refreshOn(core_.sequencer().changed);
    refreshOn(core_.timeDisplay().changed);
    refreshOn(core_.playlist().countersChanged);
    connections_.push_back(transport.trackStarted.connect([this](const std::string& file) {
        startedFile_ = file;
        newTrack();
        refresh();
    }));
    connections_.push_back(core_.playlist().fileIn.connect([this](const std::string&) {
        newTrack();
        refresh();
    }));
    // A jump is announced once the player is there (from here or the window's shuttle); one
    // that failed announces nothing.
    connections_.push_back(core_.timeDisplay().landed.connect([this](std::int32_t frame) {
        seeked(frame * core_.timeDisplay().frameTime().raw() / kMicrosPerTick);
    }));
    if (!core_.playlist().curFile().empty()) newTrack();
    state_ = snapshot();
}

void MediaControls::newTrack() {
    const std::string& file = core_.playlist().curFile();
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
    track_.url = fileUriFromPath(file);
    TagRead tag;
    // An unreadable file shows as its name alone.
    if (id3v1::readTag(file, tag) && tag.state == TagState::Tagged) {
        track_.title = std::string(shownText(tag.values.title));
        track_.artist = std::string(shownText(tag.values.artist));
        track_.album = std::string(shownText(tag.values.album));
    }
    if (track_.title.empty()) track_.title = std::filesystem::path(file).filename().string();
}

MediaControls::State MediaControls::snapshot() const {
    const Transport& transport = core_.transport();
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
    const TimeDisplay& display = core_.timeDisplay();
    if (!startedFile_.empty() && startedFile_ == core_.playlist().curFile() &&
        display.totalTime() > Millis())
        s.track.length = display.totalTime().raw() / kMicrosPerTick;
    s.volume = core_.fader().volume() / 100.0;
    const int rows = core_.playlist().count();
    const int current = currentRow();
    const bool loop = core_.sequencer().loop();
    s.canGoNext = rows > 0 && (current < rows || loop);
    s.canGoPrevious = rows > 0 && (current > 1 || loop);
    s.canPause = transport.pauseEnabled();
    s.canPlay = transport.playEnabled() || s.canPause;
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
    state_ = std::move(next);
    propertiesChanged(names);
}

std::int64_t MediaControls::position() const {
    if (!core_.playing()) return 0;
    const TimeDisplay& display = core_.timeDisplay();
    return display.curFrame() * display.frameTime().raw() / kMicrosPerTick;
}

int MediaControls::currentRow() const {
    const PlaylistModel& list = core_.playlist();
    const int row = list.indexOf(list.curFile());
    return row > 0 ? row : list.selectedItem();
}

void MediaControls::play() {
    if (busy()) return;
    if (core_.transport().playEnabled()) core_.transport().cmdPlay(0);
}

void MediaControls::pause() {
    if (busy()) return;
    // A disabled Pause button does nothing; the transport itself checks.
    core_.transport().cmdPlay(2);
}

void MediaControls::playPause() {
    if (busy()) return;
    if (core_.transport().pauseEnabled())
        pause();
    else
        play();
}

void MediaControls::stop() {
    if (busy()) return;
    if (core_.transport().stopEnabled()) leaveTrack();
}

void MediaControls::leaveTrack() {
    Transport& transport = core_.transport();
    // As a click on Stop: holding it clears "Manual Fade OUT and Stop", so auto play ends
    // and the stop is not taken for a track's end.
    transport.stopHeld(true);
    transport.stop();
    transport.stopHeld(false);
}

void MediaControls::goTo(int row) {
    Transport& transport = core_.transport();
    const bool wasPlaying = transport.pauseEnabled();
    // Play would resume the paused track instead of opening the new one; Stop is disabled
    // while paused, so the paused track is left by the stop step itself.
    if (transport.status() == PlayStatus::Paused) leaveTrack();
    PlaylistModel& list = core_.playlist();
    list.clickRow(row, PlaylistModel::Click::Plain);
    list.showRow(row);
    list.listClick();
    // As the track-end step moves on: Play opens whatever is current now.
    if (wasPlaying) transport.play();
}

void MediaControls::next() {
    if (busy()) return;
    if (!snapshot().canGoNext) return;
    const int rows = core_.playlist().count();
    const int row = currentRow() + 1;
    goTo(row <= rows ? row : 1);
}

void MediaControls::previous() {
    if (busy()) return;
    if (!snapshot().canGoPrevious) return;
    const int row = currentRow() - 1;
    goTo(row >= 1 ? row : core_.playlist().count());
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
    const Millis frameTime = core_.timeDisplay().frameTime();
    // A stale track id means the user aimed at a track that is no longer current.
    const State now = snapshot();
    if (trackId != now.track.id || position < 0 || frameTime <= Millis()) return;
    if (now.track.length && position > *now.track.length) return;
    const auto frame = static_cast<std::int32_t>(position * kMicrosPerTick / frameTime.raw());
    core_.transport().landAt(frame);
}

void MediaControls::openUri(const std::string& uri) {
    if (busy()) return;
    const std::string path = pathFromFileUri(uri);
    if (path.empty()) return;
    if (namesPlaylist(path)) return core_.openPList(path);
    core_.GetListTag(path);
    const int row = core_.playlist().indexOf(path);
    // A file the list refused is not played.
    if (row < 1) return;
    goTo(row);
    play();
}

void MediaControls::setVolume(double volume) {
    if (busy()) return;
    core_.fader().setLevel(static_cast<int>(std::clamp(volume, 0.0, 1.0) * 100.0 + 0.5));
}

} // namespace vantrel
