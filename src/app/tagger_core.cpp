#include "app/tagger_core.h"

#include "playlist/playlist_reader.h"
#include "tagedit/folder_walk.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace vantrel {

namespace {

// How often the collector lets the window paint while it adds files.
constexpr auto kPumpInterval = std::chrono::milliseconds(50);

} // namespace

TaggerCore::TaggerCore(TaggerPorts ports)
    : ports_(std::move(ports)), tmrCollect_(ports_.timers.create("tmrCollect")),
      tmrDisp_(ports_.timers.create("tmrDisp")),
      tmrShutDelay_(ports_.timers.create("tmrShutDelay")),
      tmrShutl_(ports_.timers.create("tmrShutl")), tmrVolume_(ports_.timers.create("tmrVolume")),
      commands_(playlist_, ports_.Mp3Play2, ports_.dialogs, ports_.ini),
      collector_(HandOffFile(ports_.appFolder), *this, *tmrCollect_), layout_(ports_.useRound),
      looks_(ports_.ini, ports_.dialogs,
             ports_.shareFolder.empty() ? ports_.appFolder : ports_.shareFolder, ports_.useRound),
      files_(playlist_, commands_, {ports_.ini, ports_.dialogs, ports_.processes, ports_.useGrid}),
      fader_(ports_.Mp3Play1, *tmrVolume_, state_),
      audioOutput_(ports_.Mp3Play1, ports_.dialogs, ports_.ini, state_),
      timeDisplay_(ports_.Mp3Play1, *tmrDisp_, fader_),
      transport_(ports_.Mp3Play1, ports_.dialogs, state_, fader_, timeDisplay_, *tmrShutDelay_,
                 *tmrShutl_, [this] { return playlist_.curFile(); }),
      sequencer_(playlist_, transport_, ports_.random, ports_.dialogs),
      tagEditor_(ports_.dialogs, playlist_, commands_, ports_.ini,
                 {[this] { transport_.releaseFile(); }, [this] { transport_.reopenFile(); }}),
      folderBrowser_(ports_.drives ? *ports_.drives : mountedDrives_, ports_.dialogs, playlist_,
                     commands_) {
    commands_.setEditorOpener([this](const std::string& key) { tagEditor_.editRow(key); });
    // The save dialog starts where the folder browser last was.
    files_.saver().setStartFolder([this] { return folderBrowser_.folder(); });
    // A folder dropped on the list adds its files in the order the folder search finds them.
    folderDropped = [this](const std::string& folder) {
        tagedit::walkFolder(folder, "*.mp3", [this](const std::string& path) {
            GetListTag(path);
            afterArgument();
            return !unloaded_;
        });
    };
    connections_.push_back(
        playlist_.fileIn.connect([this](const std::string&) { transport_.fileIn(); }));
    // The ticker follows the current file and the track that starts playing.
    connections_.push_back(
        playlist_.fileIn.connect([this](const std::string& path) { ticker_.setTip(path); }));
    connections_.push_back(
        transport_.trackStarted.connect([this](const std::string& path) { ticker_.setTip(path); }));
    connections_.push_back(
        looks_.useRoundChanged.connect([this](bool on) { layout_.setUseRound(on); }));
    connections_.push_back(fader_.stopRequested.connect([this] { transport_.stop(); }));
    ports_.Mp3Play1.setListener(&player1Events_);
    ports_.Mp3Play2.setListener(&player2Events_);
    files_.opener().setEntryPump([this] {
        afterArgument();
        return !unloaded_;
    });
}

TaggerCore::~TaggerCore() {
    // The players outlive the core; events still queued must not reach it.
    ports_.Mp3Play1.setListener(nullptr);
    ports_.Mp3Play2.setListener(nullptr);
}

void TaggerCore::PlayerEvents::ActFrame(std::int32_t frame) {
    if (playingInstance) core.timeDisplay_.ActFrame(frame);
}

void TaggerCore::PlayerEvents::ThreadEnded() {
    if (playingInstance) core.sequencer_.ThreadEnded();
}

void TaggerCore::PlayerEvents::Failure(std::int32_t, const std::string& errStr) {
    core.sequencer_.decoderError(playingInstance, errStr);
}

void TaggerCore::load() {
    // The tag editor's genre lists and the list's style come with their windows.
    DeviceProbeResult probe = probeDevices(ports_.Mp3Play1);
    if (probe.message)
        ports_.dialogs.message(*probe.message, "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    devices_ = std::move(probe.devices);

    commands_.toglHeaders();
    for (const SettingsStep& step : loadSteps())
        step(ports_.ini);
    const char* home = std::getenv("HOME");
    folderBrowser_.load(home ? home : "/");
    changed();
}

std::vector<TaggerCore::SettingsStep> TaggerCore::loadSteps() {
    // From the audio output on, a failing step is skipped without a message.
    return {
        [this](const IniStore&) { tagEditor_.load(); },
        [this](const IniStore& ini) { ticker_.load(ini); },
        [this](const IniStore& ini) { files_.recentLists().load(ini); },
        [this](const IniStore& ini) { looks_.load(ini); },
        [this](const IniStore& ini) { fader_.loadVolume(ini); },
        [this](const IniStore& ini) { transport_.loadMutes(ini); },
        [this](const IniStore&) { audioOutput_.load(devices_); },
        [this](const IniStore& ini) { layout_.load(ini); },
        [this](const IniStore& ini) { sequencer_.load(ini); },
        [this](const IniStore& ini) { fader_.loadFadeSettings(ini); },
    };
}

std::vector<TaggerCore::SettingsStep> TaggerCore::exitSteps() const {
    return {
        [this](const IniStore&) { tagEditor_.saveOnExit(); },
        [this](const IniStore& ini) { transport_.saveMutes(ini); },
        [this](const IniStore& ini) { fader_.saveVolume(ini); },
        [this](const IniStore& ini) { layout_.save(ini); },
        [this](const IniStore& ini) { sequencer_.save(ini); },
        [this](const IniStore& ini) { files_.recentLists().save(ini); },
        [this](const IniStore& ini) { fader_.saveFadeMenu(ini); },
    };
}

void TaggerCore::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    // A failed write is not reported: the setting is simply lost at the next start. Every exit
    // key goes to the file in one replace.
    {
        IniStore::Batch batch = ports_.ini.beginBatch();
        for (const SettingsStep& step : exitSteps())
            step(ports_.ini);
    }
    if (state_.playing) ports_.Mp3Play1.CloseStream();
}

void TaggerCore::cmdToglFrm(bool minimised) {
    layout_.toggle(minimised);
    changed();
}

void TaggerCore::setLayout(bool large, bool minimised) {
    layout_.setLayout(large, minimised);
    changed();
}

void TaggerCore::cmdHelp() {
    const std::string& folder = ports_.shareFolder.empty() ? ports_.appFolder : ports_.shareFolder;
    ports_.shell.open(folder + "Help/index.html");
}

void TaggerCore::openPList(const std::string& path) {
    if (!unloaded_) files_.openPList(path);
}

// Once the window has closed, the collector's remaining arguments and requests are passed over:
// the program is ending.
void TaggerCore::GetListTag(const std::string& path) {
    if (!unloaded_) commands_.GetListTag(path);
}

std::size_t TaggerCore::rowCount() const {
    return unloaded_ ? 0 : static_cast<std::size_t>(playlist_.count());
}

bool TaggerCore::fileExists(const std::string& path) const {
    return !unloaded_ && CollectTarget::fileExists(path);
}

std::string TaggerCore::rowKey(std::size_t row) const {
    return playlist_.row(static_cast<int>(row)).key;
}

void TaggerCore::selectRow(std::size_t row) {
    playlist_.setSelected(static_cast<int>(row), true);
}

void TaggerCore::selectAllRows() {
    for (int i = 1; i <= playlist_.count(); ++i)
        playlist_.setSelected(i, true);
}

void TaggerCore::setFileIn(const std::string& path) {
    playlist_.setFileIn(path);
}

void TaggerCore::pressPlay() {
    transport_.play();
}

void TaggerCore::editSelected() {
    commands_.editSelected();
}

void TaggerCore::dropPaths(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            // Without a walker connected a folder adds nothing.
            if (folderDropped) folderDropped(path);
        } else if (namesPlaylist(path)) {
            openPList(path);
        } else {
            GetListTag(path);
        }
        afterArgument();
    }
}

void TaggerCore::readAhead(std::vector<std::string> paths) {
    if (!unloaded_) commands_.readAhead(std::move(paths));
}

void TaggerCore::afterArgument() {
    auto now = std::chrono::steady_clock::now();
    if (eventPump_ && !unloaded_ && now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        // The player's events and the timers go on: a track's end may start the next track,
        // which only moves the current row, while the adding holds no row numbers across the
        // pump. Commands from outside (the desktop's media controls) are refused meanwhile.
        const bool outer = std::exchange(collecting_, true);
        eventPump_();
        collecting_ = outer;
    }
}

} // namespace vantrel
