#pragma once

#include "app/tagger_core.h"
#include "metadata/id3v1_block.h"
#include "mpris/media_controls.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_random.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::test {

struct RecordingShell : Shell {
    std::vector<std::string> opened;
    bool open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
};

// The main window's core on doubles, in a program folder of its own.
struct CoreRig {
    TempDir dir;
    std::string folder = dir.path().string() + "/";
    IniStore ini{dir / "vantrel.ini"};
    ScriptedDialogs dialogs;
    RecordingShell shell;
    FakePlayer player1, player2;
    ManualTimerFactory timers;
    ScriptedRandom random;

    std::unique_ptr<TaggerCore> make(bool useRound = false, bool useGrid = false) {
        return std::make_unique<TaggerCore>(TaggerPorts{ini, dialogs, shell, player1, player2,
                                                        timers, random, folder, useRound, useGrid,
                                                        folder});
    }
    std::unique_ptr<TaggerCore> start(bool useRound = false) {
        auto core = make(useRound);
        core->load();
        return core;
    }
    // A file both players accept, 6891 frames of 26.1 ms, with the tag given (or none); its
    // folders are made as needed.
    std::string track(const std::string& name, const std::string& title) {
        return trackWith(name, TagValues{title, "", "", "", "", 17});
    }
    std::string trackWith(const std::string& name, const std::optional<TagValues>& tag) {
        std::string path = folder + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeFile(path, std::string(400, '\x55') + (tag ? id3v1::compose(*tag) : ""));
        player1.files[path] = player2.files[path] =
            FakePlayer::Stream{26.122449f, 180000, 6891, 44100, 128000};
        return path;
    }
    // The playlist's keys, sorted.
    static std::vector<std::string> rowKeys(TaggerCore& core) {
        std::vector<std::string> keys;
        for (int i = 1; i <= core.playlist().count(); ++i)
            keys.push_back(core.playlist().row(i).key);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
};

// The parts of the core the media controls are handed, as the program hands them.
inline MediaControls::Parts mediaParts(TaggerCore& core) {
    return {core.transport(),   core.playlist(),  core.files(), core.commands(),
            core.timeDisplay(), core.sequencer(), core.fader()};
}

} // namespace vantrel::test
