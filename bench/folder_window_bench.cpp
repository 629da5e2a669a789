// The folder browser's window searching a tree: wall time of the search, and the longest time
// the window went without handling its events meanwhile (a 10 ms timer stands in for input).
//   folder_window_bench DIR
#include "platform/drives.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"
#include "support/fake_player.h"
#include "support/scripted_dialogs.h"
#include "tagedit/folder_browser.h"
#include "tagedit/ui/frm_folders.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

using namespace vantrel;
using Clock = std::chrono::steady_clock;

namespace {

struct NoDrives : Drives {
    std::vector<std::string> list() override { return {}; }
};

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: folder_window_bench DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    PlaylistModel model;
    test::FakePlayer probe;
    test::ScriptedDialogs dialogs;
    IniStore ini("/nonexistent/vantrel.ini");
    PlaylistCommands commands(model, probe, dialogs, ini);
    NoDrives drives;
    FolderBrowser browser(drives, dialogs, model, commands);
    browser.load(argv[1]);
    frmFolders window(browser);
    window.show();

    Clock::time_point last = Clock::now();
    Clock::duration longest{};
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
    });
    QTimer::singleShot(100, [&] {
        tick.start(10);
        last = Clock::now();
        const auto start = Clock::now();
        window.cmdSearchAll->click();
        const auto took = Clock::now() - start;
        std::printf("matches: %zu\nwindow search: %.0f ms\nlongest without events: %.1f ms\n",
                    browser.results().size(), ms(took), ms(longest));
        app.quit();
    });
    return app.exec();
}
