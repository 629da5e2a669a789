#pragma once

#include "metadata/id3v1_block.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_files.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"
#include "support/fake_player.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace vantrel::test {

// A playlist with its files and tools on doubles, in a folder of its own.
struct PlaylistRig {
    TempDir dir;
    std::string folder = dir.path().string();
    IniStore ini{dir / "vantrel.ini"};
    PlaylistModel model;
    FakePlayer probe;
    ScriptedDialogs dialogs;
    PlaylistCommands commands{model, probe, dialogs, ini};
    PlaylistFiles files{model, commands, {ini, dialogs, nullptr, false}};

    PlaylistRig() { commands.toglHeaders(); }

    // Columns by field number, in creation order, all shown.
    void showFields(std::initializer_list<int> fields) {
        std::string text = "[options]\n";
        int position = 0;
        for (int field : fields)
            text +=
                "lv_header_" + std::to_string(position++) + "=" + std::to_string(field) + "=1\n";
        writeFile(ini.file(), text);
        commands.toglHeaders();
    }
    // A track the probe accepts, under the rig's folder (subfolders made as needed).
    std::string track(const std::string& name, const std::string& title = "") {
        const std::string path = folder + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeFile(path, std::string(400, '\xFF') + id3v1::compose({title, "", "", "", "", 17}));
        probe.files[path] = FakePlayer::Stream{26.122449f, 180000, 6891, 44100, 128000};
        return path;
    }
    std::string playlist(const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        writeFile(path, text);
        return path;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (int i = 1; i <= model.count(); ++i)
            out.push_back(model.row(i).key);
        return out;
    }
};

// The lines of a text, each ended by `end`; text after the last one fails the test.
inline std::vector<std::string> lines(const std::string& text, const std::string& end = "\r\n") {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t stop = text.find(end, at);
        EXPECT_NE(stop, std::string::npos) << "an unended line: " << text.substr(at);
        if (stop == std::string::npos) break;
        out.push_back(text.substr(at, stop - at));
        at = stop + end.size();
    }
    return out;
}

} // namespace vantrel::test
