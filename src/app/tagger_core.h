#pragma once

#include "app/collect_target.h"
#include "app/device_probe.h"
#include "app/handoff_collector.h"
#include "app/main_layout.h"
#include "base/signal.h"
#include "desktop/ticker.h"
#include "looks/looks.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/mp3_play.h"
#include "platform/random_source.h"
#include "platform/shell.h"
#include "platform/timer_factory.h"
#include "playback/audio_output.h"
#include "playback/fader.h"
#include "playback/playback_state.h"
#include "playback/time_display.h"
#include "playback/track_sequencer.h"
#include "playback/transport.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_files.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"
#include "tagedit/folder_browser.h"
#include "tagedit/tag_editor.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

// What the main window's core is built from: the settings file, the ports, and the two
// settings read before any window exists.
struct TaggerPorts {
    const IniStore& ini;
    Dialogs& dialogs;
    Shell& shell;
    Mp3Play& Mp3Play1; // plays
    Mp3Play& Mp3Play2; // only probes files
    TimerFactory& timers;
    RandomSource& random;
    std::string appFolder; // ends in "/"
    bool useRound = false;
    bool useGrid = false;
    // The help page and the pictures, when they are not in appFolder (an installed program).
    std::string shareFolder;
    Drives* drives = nullptr;       // the mounted file systems when not given
    Processes* processes = nullptr; // starts a second player; none in tests
};

// The core of the main window: builds the parts of the program, connects them, runs the load
// and unload steps in their order, and answers the hand-off collector. Its rules live in the
// parts; this class only orders and connects them.
class TaggerCore : public CollectTarget {
public:
    explicit TaggerCore(TaggerPorts ports);
    ~TaggerCore() override;
    TaggerCore(const TaggerCore&) = delete;
    TaggerCore& operator=(const TaggerCore&) = delete;

    // The load step, before the window is shown; the window renders the state afterwards.
    void load();
    // Every way of closing ends here: the exit keys, then the playing file is released. After
    // it the core takes no more work from the collector.
    void unload();
    bool unloaded() const { return unloaded_; }

    // cmdToglFrm and setLayout; the window reports whether it is minimised.
    void cmdToglFrm(bool minimised);
    void setLayout(bool large, bool minimised);
    // cmdHelp: the help page beside the program; a missing page is not reported.
    void cmdHelp();

    bool playing() const { return state_.playing; }
    Transport& transport() { return transport_; }
    TimeDisplay& timeDisplay() { return timeDisplay_; }
    TrackSequencer& sequencer() { return sequencer_; }
    Fader& fader() { return fader_; }
    AudioOutput& audioOutput() { return audioOutput_; }
    const IniStore& ini() const { return ports_.ini; }

    PlaylistModel& playlist() { return playlist_; }
    PlaylistCommands& commands() { return commands_; }
    HandOffCollector& collector() { return collector_; }
    const MainLayout& layout() const { return layout_; }
    TagEditor& tagEditor() { return tagEditor_; }
    FolderBrowser& folderBrowser() { return folderBrowser_; }
    const Looks& looks() const { return looks_; }
    Looks& looks() { return looks_; }
    const TickerSettings& tickerSettings() const { return ticker_.settings(); }
    Ticker& ticker() { return ticker_; }
    const RecentLists& recentLists() const { return files_.recentLists(); }
    PlaylistFiles& files() { return files_; }
    const std::vector<std::string>& devices() const { return devices_; }

    // Any change of the state the window renders outside the playlist.
    Signal<> changed;

    // CollectTarget
    void openPList(const std::string& path) override;
    void GetListTag(const std::string& path) override;
    std::size_t rowCount() const override;
    bool fileExists(const std::string& path) const override;
    std::string rowKey(std::size_t row) const override;
    void selectRow(std::size_t row) override;
    void selectAllRows() override;
    void setFileIn(const std::string& path) override;
    void pressPlay() override;
    void editSelected() override;
    void afterArgument() override;
    void readAhead(std::vector<std::string> paths) override;

    // Paths dropped on the list from a file manager, in the order dropped: a folder goes to
    // folderDropped, a playlist is opened, anything else is offered to the list.
    void dropPaths(const std::vector<std::string>& paths);
    // Adds a dropped folder's matching files; the folder search's walker is connected here.
    std::function<void(const std::string& folder)> folderDropped;

    // Lets pending paint and timer events run while thousands of files are added.
    void setEventPump(std::function<void()> pump) { eventPump_ = std::move(pump); }
    // True while that pump runs, in the middle of adding files. What can run then (the
    // desktop's media controls, timers, the player's events) asks this instead of assuming it
    // cannot be reached.
    bool collecting() const { return collecting_; }

private:
    // Mp3Play1's events go to the display, the sequencer and the error box; Mp3Play2 only
    // reports decoder errors.
    struct PlayerEvents : Mp3PlayListener {
        TaggerCore& core;
        bool playingInstance;
        PlayerEvents(TaggerCore& c, bool playing) : core(c), playingInstance(playing) {}
        void ActFrame(std::int32_t frame) override;
        void ThreadEnded() override;
        void Failure(std::int32_t errorCode, const std::string& errStr) override;
    };

    using SettingsStep = std::function<void(const IniStore&)>;
    // The features' settings steps, in the order the program has always read and written them.
    std::vector<SettingsStep> loadSteps();
    std::vector<SettingsStep> exitSteps() const;

    TaggerPorts ports_;
    std::unique_ptr<Timer> tmrCollect_, tmrDisp_, tmrShutDelay_, tmrShutl_, tmrVolume_;
    PlaylistModel playlist_;
    PlaylistCommands commands_;
    HandOffCollector collector_;
    MainLayout layout_;
    Looks looks_;
    Ticker ticker_;
    PlaylistFiles files_;
    std::vector<std::string> devices_;
    PlaybackState state_;
    Fader fader_;
    AudioOutput audioOutput_;
    TimeDisplay timeDisplay_;
    Transport transport_;
    TrackSequencer sequencer_;
    TagEditor tagEditor_;
    MountedDrives mountedDrives_;
    FolderBrowser folderBrowser_;
    PlayerEvents player1Events_{*this, true};
    PlayerEvents player2Events_{*this, false};
    std::function<void()> eventPump_;
    std::chrono::steady_clock::time_point lastPump_{};
    bool collecting_ = false;
    bool unloaded_ = false;
    Connections connections_;
};

} // namespace vantrel
