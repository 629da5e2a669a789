#include "app/tagger_core.h"

#include <chrono>

namespace vantrel {

namespace {

// How often the collector lets the window paint while it adds files.
constexpr auto kPumpInterval = std::chrono::milliseconds(50);

} // namespace

TaggerCore::TaggerCore(TaggerPorts ports)
    : ports_(std::move(ports)), commands_(playlist_, ports_.Mp3Play2, ports_.dialogs, ports_.ini),
      collector_(HandOffFile(ports_.appFolder), *this, ports_.tmrCollect),
      layout_(ports_.useRound) {}

void TaggerCore::load() {
    // The tag editor's genre lists and the list's style come with their windows.
    DeviceProbeResult probe = probeDevices(ports_.Mp3Play1);
    if (probe.message)
        ports_.dialogs.message(*probe.message, "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    devices_ = std::move(probe.devices);

    commands_.toglHeaders();
    settings_ = readMainSettings(ports_.ini);
    // From here on a failing step is skipped without a message; the parts that apply the
    // output, sequencing, editor, looks, ticker, recent-list and fader values take them from
    // settings_ when they are built.
    setLayout(settings_.longDisp, false);
    changed();
}

void TaggerCore::unload() {
    wriIni(ports_.ini, exitKeys());
    if (playing_) ports_.Mp3Play1.CloseStream();
}

ExitKeys TaggerCore::exitKeys() const {
    ExitKeys k;
    k.genreStandardOrder = settings_.genreStandardOrder;
    k.muteLeft = settings_.muteLeft;
    k.muteRight = settings_.muteRight;
    k.volume = settings_.volume;
    k.longDisp = layout_.longDisp();
    k.loop = settings_.loop;
    k.random = settings_.random;
    k.mruMax = settings_.mruMax;
    k.fadeIn = settings_.fadeIn;
    k.fadeOut = settings_.fadeOut;
    k.fadeHold = settings_.fadeHold;
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

void TaggerCore::setMute(int left, int right) {
    settings_.muteLeft = left;
    settings_.muteRight = right;
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
    // Play comes with the transport; the first row stays selected and current.
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
