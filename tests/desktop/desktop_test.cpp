#include "app/core_rig.h"
#include "desktop/about_box.h"
#include "desktop/banner_options.h"
#include "desktop/ticker.h"
#include "desktop/ui/frm_banner_opt.h"
#include "desktop/ui/frm_ticker.h"
#include "desktop/ui/ticker_dock.h"
#include "looks/ui/frm_option.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include <QApplication>
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

TEST(BannerOptions, OkWritesTheKeysAndBuildsTheTextAtOnceButFileNameModeLeavesTheChecks) {
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

    // File-name mode leaves the artist and album keys as they are stored.
    ASSERT_TRUE(rig.ini.putIni("options", "tray_opt_3", "1"));
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

    test::RecordingShell shell;
    test::ScriptedDialogs dialogs;
    RecordingProcesses processes;
    AboutBox about(shell, dialogs, processes, "/opt/share/vantrel/", "Vantrel");
    // The list's order wins over the order of PATH.
    about.StartSysInfo(a + "::" + b);
    about.StartSysInfo("/nonexistent:");
    EXPECT_EQ(processes.started, std::vector<std::string>{b + "/gnome-system-monitor"});
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

// 200 bytes of audio, then a tag block with these texts (NUL-padded, as many tools write).
std::string taggedFile(const std::string& title, const std::string& artist,
                       const std::string& album) {
    auto field = [](std::string text) {
        text.resize(30, '\0');
        return text;
    };
    std::string block = "TaG" + field(title) + field(artist) + field(album);
    block.resize(128, '\0');
    return std::string(200, 'x') + block;
}

TEST(Ticker, SetTipBuildsTheTextForEachModeAndLeavesItForAFileItCannotUse) {
    const std::string none = " * < < < <";
    // The file's bytes (none: the path is a folder), the file-name, artist and album flags, and
    // the text (empty: left as it was).
    const std::tuple<const char*, std::optional<std::string>, bool, bool, bool, std::string>
        cases[] = {
            {"untagged title mode", std::string(300, 'x'), false, false, false, none},
            {"untagged, artist and album", std::string(300, 'x'), false, true, true,
             none + none + none},
            {"file-name mode ignores the flags", taggedFile("T", "A", "B"), true, true, true,
             " * song.mp3"},
            {"title, artist, album", taggedFile("Sun ", "Band", "Disc"), false, true, true,
             " * Sun * Band * Disc"},
            {"empty artist shows the placeholder", taggedFile("Sun", "  ", "Disc"), false, true,
             false, " * Sun * < < < <"},
            // Letters "TAG" that are not the last 128 bytes are audio, not a tag.
            {"a marker off the block", std::string(100, 'x') + "TAG" + std::string(100, 'y'), false,
             false, false, none},
            {"too short for a tag", std::string(128, 'x'), true, false, false, ""},
            {"a folder", std::nullopt, true, false, false, ""},
        };
    for (const auto& [name, bytes, fileName, artist, album, text] : cases) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        if (bytes) test::writeFile(dir / "song.mp3", *bytes);
        Ticker ticker;
        const std::string before = ticker.tickerText();
        ticker.settings().trayFileName = fileName;
        ticker.settings().trayArtist = artist;
        ticker.settings().trayAlbum = album;
        ticker.setTip(bytes ? (dir / "song.mp3").string() : dir.path().string());
        EXPECT_EQ(ticker.tickerText(), text.empty() ? before : text);
    }
}

TEST(Ticker, ScrollWrapsAndJoinsTheStartBehindTheEnd) {
    test::TempDir dir;
    // " * ab\u00e9": six characters, the last two bytes long in UTF-8.
    test::writeFile(dir / "a.mp3", taggedFile("ab\xE9", "", ""));
    Ticker ticker;
    ticker.setTip((dir / "a.mp3").string());
    const std::vector<std::string> lines = {" * ab\u00e9 ", "* ab\u00e9 *", " ab\u00e9 * ",
                                            "ab\u00e9 * a", "b\u00e9 * ab", "\u00e9 * ab\u00e9",
                                            " * ab\u00e9 "};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        EXPECT_EQ(ticker.tick(), lines[k]) << k;
        EXPECT_EQ(ticker.scrollPos(), static_cast<int>(k % 6) + 1);
    }
}

template <typename T> T* control(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(frmBannerOpt, ControlsReachTheOptionsAndCancelWritesNothing) {
    OptionsRig rig;
    BannerOptions options(rig.ticker, rig.ini, rig.dialogs);
    frmBannerOpt dialog(options);

    control<QRadioButton>(dialog, "optShowBan0")->setChecked(true);
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkShowBan2")->isEnabled());
    control<QRadioButton>(dialog, "optShowBan1")->setChecked(true);
    EXPECT_TRUE(control<QCheckBox>(dialog, "chkShowBan3")->isEnabled());
    const QString before = control<QLabel>(dialog, "lblScrollSpeed")->text();
    control<QScrollBar>(dialog, "HScroll1")->setValue(-4);
    EXPECT_EQ(rig.ticker.settings().traySpeed, -4);
    EXPECT_NE(control<QLabel>(dialog, "lblScrollSpeed")->text(), before);

    control<QPushButton>(dialog, "cmdCancel")->click();
    EXPECT_FALSE(std::filesystem::exists(rig.dir / "vantrel.ini"));
}

struct CountingTarget : LooksTarget {
    int edges = 0;
    bool loadPicture(const std::string&) override { return false; }
    void showPicture(bool) override {}
    void setTopmost(bool) override {}
    void setEdge(std::uint32_t, bool) override { ++edges; }
    void setFrames(std::uint32_t) override {}
};

TEST(frmOption, NoImageLocksThePictureBoxAndOkApplies) {
    test::TempDir dir;
    IniStore ini(dir / "vantrel.ini");
    test::ScriptedDialogs dialogs;
    Looks looks(ini, dialogs, dir.path().string() + "/", false);
    CountingTarget target;
    frmOption dialog(looks, target);
    bool cleared = false;
    dialog.clearMruList = [&] { cleared = true; };

    control<QCheckBox>(dialog, "chkNoImage")->setChecked(true);
    EXPECT_FALSE(control<QLineEdit>(dialog, "txtImgBack")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdImgBr")->isEnabled());
    control<QPushButton>(dialog, "cmdMRUcl")->click();
    EXPECT_TRUE(cleared);
    control<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_EQ(target.edges, 1);
    EXPECT_EQ(ini.getIni("looks", "back_img"), "na");
}

TEST(TickerDock, ADockedStripIsOneAndShowMainUndocks) {
    QWidget main;
    main.show();
    QMenu menu;
    Ticker ticker;
    TickerDock dock(main, ticker, menu, [] { return std::string("status"); });

    // Where the strip shows and what hides or shows with it, the end-to-end run checks.
    dock.dockTicker();
    dock.dockTicker(); // docking again leaves one strip
    ASSERT_TRUE(dock.docked());
    frmTicker* strip = dock.strip();
    // Each strip prints once as it opens; the position runs on across docks, so it is at 2.
    EXPECT_EQ(strip->printedLine().toStdString(), ticker.tickerText().substr(1) + " *");
    EXPECT_EQ(strip->toolTip(), "status");
    dock.showMain();
    EXPECT_FALSE(dock.docked());
}

} // namespace
} // namespace vantrel
