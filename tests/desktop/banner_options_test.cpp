#include "desktop/about_box.h"
#include "desktop/banner_options.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vantrel {
namespace {

struct OptionsRig {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::ScriptedDialogs dialogs;
    Ticker ticker;
};

TEST(BannerOptions, OkWritesTheKeysAndBuildsTheTextAtOnce) {
    OptionsRig rig;
    test::writeFile(rig.dir / "vantrel.ini", "[options]\r\ntray_speed=4\r\n");
    BannerOptions options(rig.ticker, rig.ini, rig.dialogs);
    EXPECT_EQ(rig.ticker.settings().traySpeed, 4);
    options.artist = true;
    options.setSpeed(-2);
    rig.dialogs.fonts = {Dialogs::Font{"Serif", 11, true, false, false}};
    rig.dialogs.colours = {255u, std::nullopt};
    options.pickFont();
    options.pickTextColour();
    options.pickBackColour(); // cancelled: the preview keeps its background
    options.ok();
    // No track since start: the start fields.
    EXPECT_EQ(rig.ticker.tickerText(), " * Title * Artist");
    std::string stored;
    for (const char* key : {"tray_opt_0", "tray_opt_2", "tray_opt_3", "tray_speed"})
        stored += rig.ini.getIni("options", key) + " ";
    for (const char* key : {"bnr_font", "bnr_size", "bnr_bold", "bnr_italic", "bnr_underline",
                            "bnr_fore_color", "bnr_back_color"})
        stored += rig.ini.getIni("looks", key) + " ";
    EXPECT_EQ(stored,
              "0 1 0 -2 Serif 11 True False False 255 " + std::to_string(BannerLooks::kBack) + " ");
}

TEST(BannerOptions, FileNameModeLeavesTheArtistAndAlbumKeys) {
    OptionsRig rig;
    test::writeFile(rig.dir / "vantrel.ini", "[options]\r\ntray_opt_2=1\r\ntray_opt_3=1\r\n");
    BannerOptions options(rig.ticker, rig.ini, rig.dialogs);
    options.setFileName(true);
    options.artist = options.album = false;
    EXPECT_FALSE(options.checksEnabled());
    options.ok();
    EXPECT_EQ(rig.ticker.tickerText(), " * FileName");
    for (const char* key : {"tray_opt_0", "tray_opt_2", "tray_opt_3"})
        EXPECT_EQ(rig.ini.getIni("options", key), "1") << key;
}

struct RecordingProcesses : Processes {
    std::vector<std::string> started;
    bool startDetached(const std::string& program, const std::vector<std::string>&) override {
        started.push_back(program);
        return true;
    }
};
struct NullShell : Shell {
    std::string opened;
    bool open(const std::string& what) override {
        opened = what;
        return true;
    }
};

TEST(AboutBox, StartsTheFirstToolOnThePathOrSaysThereIsNone) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    const auto tool = [&](const char* path, mode_t mode) {
        test::writeFile(dir / path, "#!/bin/sh\n");
        ::chmod((dir / path).c_str(), mode);
    };
    tool("a/kinfocenter", 0755);
    tool("a/hardinfo", 0644); // not executable: passed over
    tool("b/gnome-system-monitor", 0755);
    const std::string a = (dir / "a").string(), b = (dir / "b").string();

    NullShell shell;
    test::ScriptedDialogs dialogs;
    RecordingProcesses processes;
    AboutBox about(shell, dialogs, processes, "/opt/share/vantrel/", "Vantrel");
    // The list's order wins over the order of PATH.
    about.StartSysInfo(a + "::" + b);
    about.StartSysInfo("/nonexistent:");
    EXPECT_EQ(processes.started, std::vector<std::string>{b + "/gnome-system-monitor"});
    EXPECT_EQ(dialogs.messages().size(), 1u);

    about.openSite();
    EXPECT_EQ(shell.opened, "/opt/share/vantrel/Help/index.html");
}

} // namespace
} // namespace vantrel
