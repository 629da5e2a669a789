// "Add Changes" through the tag editor's core for 1,000 files: time per file, and every byte
// outside the tag block compared with a copy made before.
//   tag_save_bench [FILES]
#include "metadata/id3v1_block.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"
#include "support/fake_player.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "tagedit/tag_editor.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

using namespace vantrel;

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::stoi(argv[1]) : 1000;
    test::TempDir dir;
    std::mt19937 random(7);
    std::vector<std::string> paths, copies;
    for (int i = 0; i < files; ++i) {
        std::string audio(64 * 1024, '\0');
        for (char& c : audio)
            c = static_cast<char>(random());
        // Half the files carry a tag already, half get one appended.
        if (i % 2 == 0) audio += id3v1::compose({"Old", "Artist", "Album", "1999", "", 17});
        paths.push_back((dir / ("t" + std::to_string(i) + ".mp3")).string());
        copies.push_back(audio);
        test::writeFile(paths.back(), audio);
    }
    PlaylistModel model;
    test::FakePlayer probe;
    test::ScriptedDialogs dialogs;
    IniStore ini(dir / "vantrel.ini");
    PlaylistCommands commands(model, probe, dialogs, ini);
    TagEditor editor(dialogs, model, commands, ini, {});

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < files; ++i) {
        if (!editor.GetIDTag(paths[i])) return 1;
        editor.setField(TagEditor::Title, "Saved " + std::to_string(i));
        editor.cmdSave();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    long changed = 0;
    for (int i = 0; i < files; ++i) {
        const std::string now = test::readFile(paths[i]);
        const std::size_t audio = copies[i].size() - (i % 2 == 0 ? id3v1::kBlockSize : 0);
        if (now.size() != audio + id3v1::kBlockSize) ++changed;
        for (std::size_t b = 0; b < audio && b < now.size(); ++b)
            changed += now[b] != copies[i][b];
    }
    std::printf("files: %d\nper file: %.3f ms\nbytes changed outside the tag: %ld\n", files,
                ms / files, changed);
    return changed == 0 ? 0 : 1;
}
