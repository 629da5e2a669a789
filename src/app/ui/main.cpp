// The program: start-up, then the main window until it closes.
#include "app/instance_lock.h"
#include "app/start_up.h"
#include "app/tagger_core.h"
#include "app/ui/frm_tagger.h"
#include "app/ui/qt_event_pump.h"
#include "base/version.h"
#include "desktop/banner_options.h"
#include "desktop/ui/frm_about.h"
#include "desktop/ui/frm_banner_opt.h"
#include "desktop/ui/program_icon.h"
#include "desktop/ui/ticker_dock.h"
#include "engine/mp3_engine.h"
#include "looks/ui/frm_option.h"
#include "looks/ui/looks_stage.h"
#include "mpris/media_controls.h"
#include "mpris/qt/mpris_service.h"
#include "platform/program_folders.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_processes.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_timer.h"
#include "playback/ui/tray_menu.h"
#include "tagedit/ui/frm_folders.h"
#include "tagedit/ui/frm_qtag.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <thread>

namespace {

using namespace vantrel;

// Qt's Fusion style in the window's black and white.
void applyLooks(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    QPalette p;
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(24, 24, 24));
    p.setColor(QPalette::AlternateBase, QColor(36, 36, 36));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(48, 48, 48));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(70, 90, 160));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    app.setPalette(p);
}

int runWindow(const ProgramFolders& folders, const StartUpPlan& plan) {
    const std::string& folder = folders.settings;
    // Qt would take arguments such as "-style" for itself; ours went through the hand-off file.
    int qtArgc = 1;
    char name[] = "vantrel";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setApplicationVersion(
        QString::fromUtf8(kVersion.data(), qsizetype(kVersion.size())));
    // Matches the windows to the launcher (icon, name) on the desktop.
    QApplication::setDesktopFileName(
        QString::fromUtf8(kDesktopId.data(), qsizetype(kDesktopId.size())));
    QApplication::setWindowIcon(programIcon());
    applyLooks(app);

    Mp3Engine player1, player2;
    QtEventPump pump1(player1), pump2(player2);
    QtDialogs dialogs(nullptr, "Vantrel");
    QtShell shell;
    QtProcesses processes;
    QtTimerFactory timers;
    std::unique_ptr<RandomSource> random = makeSystemRandom();
    IniStore ini(folder + "vantrel.ini");
    TaggerCore core(TaggerPorts{ini, dialogs, shell, player1, player2, timers, *random, folder,
                                plan.useRound, plan.useGrid, folders.shared, nullptr, &processes});

    TrayMenu tray(core.transport());
    frmTagger window(plan.useGrid);
    dialogs.setParent(&window);
    core.load();
    window.bind(core, tray);
    LooksStage looks(core.looks());
    looks.attach(window, WindowKind::MainLarge);
    core.looks().apply(looks);
    AboutBox about(shell, dialogs, processes, folders.shared, "Vantrel");
    window.openAbout = [&] { (new frmAbout(about, &window))->show(); };
    window.openGenOpt = [&] {
        frmOption options(core.looks(), looks, &window);
        options.clearMruList = [&] { core.files().recentLists().clear(); };
        options.exec();
    };
    window.openBannerOpt = [&] {
        BannerOptions options(core.ticker(), core.ini(), dialogs);
        frmBannerOpt(options, &window).exec();
    };
    frmQTag tagDialog(core.tagEditor(), &window);
    frmFolders folderWindow(core.folderBrowser(), &window);
    looks.attach(tagDialog, WindowKind::TagEditor);
    looks.attach(folderWindow, WindowKind::FolderBrowser);
    window.openFileSearch = [&folderWindow] {
        folderWindow.show();
        folderWindow.raise();
        folderWindow.activateWindow();
    };
    // Added files are read and probed on one worker a core, each with a probing player of its
    // own; the list still takes them in the order given. VANTREL_READ_WORKERS sets another
    // number (0: on the window's thread alone), for measuring.
    int workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const char* set = std::getenv("VANTREL_READ_WORKERS")) workers = std::atoi(set);
    core.commands().setReadAhead(workers, [] { return std::make_unique<Mp3Engine>(); });
    core.collector().arm();
    window.show();
    MediaControls media({core.transport(), core.playlist(), core.files(), core.commands(),
                         core.timeDisplay(), core.sequencer(), core.fader()});
    // Commands wait for no one: while files are added, or once the window has closed, they are
    // refused.
    media.refuseWhile([&core] { return core.collecting() || core.unloaded(); });
    MprisService mpris(
        media, {[&] { window.tickerDock->showMain(); }, [&] { window.tickerDock->closeMain(); }});
    // The player goes on without them; only the desktop's media controls are missing.
    if (Result registered = mpris.registerOnSessionBus(); !registered)
        std::cerr << "vantrel: no media controls: " << registered.error() << '\n';
    // Once the window is up, so the box has the window to stand over.
    QTimer::singleShot(0, &window, [&] { reportHandOff(plan, dialogs); });
    const int status = app.exec();
    // Every close of the window has unloaded already; an event loop ended any other way still
    // writes the exit keys.
    core.unload();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    prepareSoundEnvironment();
    const ProgramFolders folders = programFolders();
    const std::string& folder = folders.settings;
    InstanceLock lock(folders.instanceLock);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    StartUpPlan plan =
        StartUp(folder, std::string(kVersion)).Main(arguments, [&] { return !lock.claim(); });
    switch (plan.step) {
    case StartUpPlan::Step::printAndEnd:
        std::cout << plan.text;
        return 0;
    case StartUpPlan::Step::endNow: {
        const std::string problem = handOffProblem(plan);
        if (!problem.empty()) std::cerr << problem << '\n';
        return problem.empty() ? 0 : 1;
    }
    case StartUpPlan::Step::startFully:
        break;
    }
    // Held already unless this is a new player beside another; without the lock a later start
    // opens a player of its own instead of handing over.
    if (Result held = lock.hold(); !held) std::cerr << held.error() << '\n';
    return runWindow(folders, plan);
}
