#pragma once

#include "app/main_layout.h"
#include "base/signal.h"
#include "playlist/ui/playlist_list_view.h"
#include "ui/lamp.h"
#include "ui/outline_frame.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include <array>
#include <functional>

namespace vantrel {

class TaggerCore;
class TrayMenu;
class TickerDock;

// The main window: transport, time display, playlist and the three pop-up menus. It builds
// its controls under the program's names and leaves every rule to the core it is wired to.
class frmTagger : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 640;
    static constexpr int kTrackLength = pixelsFromTwips(5760); // the progress line's length

    explicit frmTagger(bool useGrid, QWidget* parent = nullptr);
    ~frmTagger() override;

    // Connects the controls to the core and renders its state from now on; the tray menu is
    // shared with whoever else shows it.
    void bind(TaggerCore& core, TrayMenu& tray);
    // Redraws what the core's state decides outside the playlist's rows.
    void render();

    // "&Tray" and back; `tickerDock->showMain()` brings the main window to the front from the
    // ticker too.
    TickerDock* tickerDock = nullptr;
    // The About box, the two settings dialogs and the folder browser, opened by whoever builds
    // them.
    std::function<void()> openAbout, openGenOpt, openBannerOpt, openFileSearch;
    // Called for every request to close the window, whatever its way.
    std::function<void()> onUnload;
    // Sets the window's height and shows or hides the playlist part.
    void applyLayout(int heightPixels, bool showPlaylist, bool showEdge, MainLayout::Shape shape);
    // Lets pending events run while the collector adds files: paint, timers and the Close
    // button; other input is dropped, so it cannot change the list under the collector.
    void letEventsRun();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Mouse and keys the window ignores while files are added.
    bool heldBack(QObject* watched) const;

private:
    // Transport
    std::array<QPushButton*, 3> cmdPlay{};
    std::array<QPushButton*, 2> cmdShutl{};
    std::array<QPushButton*, 2> cmdTempo{};
    QLineEdit* txtTempFactor = nullptr;
    std::array<QPushButton*, 2> cmdVolume{};
    std::array<QCheckBox*, 2> chkVol{};
    QPushButton* cmdMute = nullptr;
    QLabel* lblTag10 = nullptr;
    std::array<Lamp*, 10> Shape4{};
    std::array<Lamp*, 5> Shape1{};
    QFrame* fraLine = nullptr;
    QFrame* linePlay = nullptr;
    QFrame* ShapeLinLead = nullptr;
    // Time display
    QFrame* fraCount = nullptr;
    QLabel* lblCntFmt = nullptr;
    QLabel* lblCounter = nullptr;
    // Sequencing and fader
    QCheckBox* chkAutoPlay = nullptr;
    QCheckBox* chkPLloop = nullptr;
    QCheckBox* chkPLrand = nullptr;
    QPushButton* cmdFade = nullptr;
    // Playlist
    PlaylistListView* ListView1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblLstSel = nullptr;
    QLabel* lblLstTotal = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtFind = nullptr;
    QListWidget* lstFind = nullptr;
    QListWidget* lstCols = nullptr;
    // Window buttons
    QPushButton* cmdOpenList = nullptr;
    QPushButton* cmdOpnfile = nullptr;
    QPushButton* cmdHide = nullptr;
    QPushButton* cmdListSet = nullptr;
    QPushButton* cmdToglFrm = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdShut = nullptr;
    // Looks
    QLabel* ImageBack = nullptr;
    OutlineFrame* ShapeBorder = nullptr;
    std::array<OutlineFrame*, 6> Shape2{};
    std::array<OutlineFrame*, 10> Shape3{};

    // "Options"
    QMenu* mnuList = nullptr;
    std::array<QAction*, 4> mnuEdLvItm{};
    QAction* mnuProperties = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuSaveAs = nullptr;
    std::array<QAction*, 2> mnuOpenPlay{};
    QAction* mnuFileProp = nullptr;
    std::vector<QAction*> mnuMRUitm; // element 0 is the hidden anchor
    QAction* mnuEdit = nullptr;
    QMenu* mnuGenOpts = nullptr;
    QAction* mnuGenOpt = nullptr;
    QAction* mnuBannerOpt = nullptr;
    QAction* mnuSoundOpt = nullptr;
    QAction* mnuListOpt = nullptr;
    // "Fade"
    QMenu* mnuFade = nullptr;
    QAction* mnuFadeStop = nullptr;
    QAction* mnuFadeHold = nullptr;
    std::array<QAction*, 2> mnuFadeDir{};
    QAction* mnuFadeSet = nullptr;

    void buildTransport();
    void buildSequencing();
    void buildPlaylist(bool useGrid);
    void buildButtons();
    void buildOptionsMenu();
    void buildFadeMenu();
    void buildLooks();
    QPushButton* button(const QString& name, const QString& caption, const QString& tip,
                        QRect where);
    QCheckBox* checkBox(const QString& name, const QString& caption, const QString& tip,
                        QRect where);
    QAction* entry(QMenu* menu, const QString& name, const QString& caption);
    void bindButtons(TrayMenu& tray);
    void bindPlaylist();
    void renderCounters();

    bool unloaded_ = false;
    bool pumping_ = false;
    TaggerCore* core_ = nullptr;
    Connections connections_;
};

} // namespace vantrel
