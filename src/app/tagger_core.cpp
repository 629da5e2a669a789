#include "app/tagger_core.h"

#include <chrono>

namespace vantrel {

namespace {

// How often the collector lets the window paint while it adds files.
constexpr auto kPumpInterval = std::chrono::milliseconds(50);

} // namespace

TaggerCore::TaggerCore(TaggerPorts ports)
    : ports_(std::move(ports)), commands_(playlist_, ports_.Mp3Play2, ports_.dialogs, ports_.ini),
      collector_(HandOffFile(ports_.appFolder), *this, ports_.tmrCollect), layout_(ports_.useRound),
      fader_(ports_.Mp3Play1, ports_.tmrVolume, state_),
      audioOutput_(ports_.Mp3Play1, ports_.dialogs, ports_.ini, state_),
      timeDisplay_(ports_.Mp3Play1, ports_.tmrDisp, fader_),
      transport_(ports_.Mp3Play1, ports_.dialogs, state_, fader_, timeDisplay_, ports_.tmrShutDelay,
                 ports_.tmrShutl, [this] { return playlist_.curFile(); }),
      sequencer_(playlist_, transport_, ports_.random, ports_.dialogs) {
    fileIn_ = playlist_.fileIn.connect([this](const std::string&) { transport_.fileIn(); });
    fader_.onPressStop([this] { transport_.cmdPlay(1); });
    ports_.Mp3Play1.setListener(&player1Events_);
    ports_.Mp3Play2.setListener(&player2Events_);
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
    settings_ = readMainSettings(ports_.ini);
    fader_.loadVolume(ports_.ini);
    // Setting a box runs its click step; unticked boxes change nothing.
    if (settings_.muteLeft == 1) transport_.chkVol(1, true);
    if (settings_.muteRight == 1) transport_.chkVol(0, true);
    audioOutput_.load(devices_);
    // From here on a failing step is skipped without a message; the parts that apply the
    // editor, looks, ticker and recent-list values take them from settings_ when they are
    // built.
    setLayout(settings_.longDisp, false);
    sequencer_.setLoop(settings_.loop == 1);
    sequencer_.setRandom(settings_.random == 1);
    fader_.loadFadeSettings(ports_.ini);
    changed();
}

void TaggerCore::unload() {
    wriIni(ports_.ini, exitKeys());
    if (state_.playing) ports_.Mp3Play1.CloseStream();
}

ExitKeys TaggerCore::exitKeys() const {
    ExitKeys k;
    k.genreStandardOrder = settings_.genreStandardOrder;
    k.muteLeft = transport_.muted(1) ? 1 : 0;
    k.muteRight = transport_.muted(0) ? 1 : 0;
    k.volume = fader_.volume();
    k.longDisp = layout_.longDisp();
    k.loop = sequencer_.loop() ? 1 : 0;
    k.random = sequencer_.random() ? 1 : 0;
    k.mruMax = settings_.mruMax;
    k.fadeIn = fader_.autoFadeIn();
    k.fadeOut = fader_.autoFadeOut();
    k.fadeHold = fader_.oneTouch();
    return k;
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
    ports_.shell.open(ports_.appFolder + "Help/index.html");
}

void TaggerCore::changed() {
    for (auto& listener : listeners_)
        listener();
}

void TaggerCore::openPList(const std::string&) {
    // Opening playlists arrives with the playlist reader; until then a playlist argument adds
    // nothing.
}

void TaggerCore::GetListTag(const std::string& path) {
    commands_.GetListTag(path);
}

std::size_t TaggerCore::rowCount() const {
    return static_cast<std::size_t>(playlist_.count());
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
    transport_.cmdPlay(0);
}

void TaggerCore::editSelected() {
    commands_.editSelected();
}

void TaggerCore::afterArgument() {
    auto now = std::chrono::steady_clock::now();
    if (eventPump_ && now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        eventPump_();
    }
}

} // namespace vantrel
