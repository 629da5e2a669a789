#include "app/ui/frm_tagger.h"

#include "app/tagger_core.h"
#include "desktop/ui/ticker_dock.h"
#include "looks/ui/looks_stage.h"
#include "playback/ui/fader_binding.h"
#include "playback/ui/sound_opt_binding.h"
#include "playback/ui/transport_binding.h"
#include "playback/ui/tray_menu.h"
#include "playlist/ui/playlist_files_binding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace vantrel {

namespace {

constexpr int kSmallRowA = 6, kRowB = 34, kRowC = 62, kRowHeight = 24;

QFrame* shape(QWidget* parent, const QString& name, QRect where, const QString& style) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setGeometry(where);
    f->setStyleSheet(style);
    return f;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect where) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(where);
    return l;
}

} // namespace

frmTagger::frmTagger(bool useGrid, QWidget* parent) : QWidget(parent) {
    setObjectName("frmTagger");
    setWindowTitle("      Quorvane Vantrel");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setFixedWidth(kWidth);

    buildTransport();
    buildSequencing();
    buildButtons();
    buildPlaylist(useGrid);
    buildOptionsMenu();
    buildFadeMenu();
    buildLooks();
    cmdListSet->installEventFilter(this);
}

frmTagger::~frmTagger() {
    if (core_) core_->setEventPump(nullptr);
}

QPushButton* frmTagger::button(const QString& name, const QString& caption, const QString& tip,
                               QRect where) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setGeometry(where);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* frmTagger::checkBox(const QString& name, const QString& caption, const QString& tip,
                               QRect where) {
    auto* c = new QCheckBox(caption, this);
    c->setObjectName(name);
    c->setToolTip(tip);
    c->setGeometry(where);
    return c;
}

void frmTagger::buildTransport() {
    const int y = kSmallRowA, h = kRowHeight;
    cmdPlay[0] = button("cmdPlay0", "&Play", "", QRect(8, y, 52, h));
    cmdPlay[2] = button("cmdPlay2", "P&ause", "", QRect(62, y, 52, h));
    cmdPlay[1] = button("cmdPlay1", "&Stop", "", QRect(116, y, 52, h));
    cmdShutl[0] = button("cmdShutl0", "<", "Back", QRect(174, y, 26, h));
    cmdShutl[1] = button("cmdShutl1", ">", "Forward", QRect(202, y, 26, h));

    fraCount = shape(this, "fraCount", QRect(236, 3, 88, 55),
                     "QFrame#fraCount { border: 1px solid white; } QLabel { color: white; }");
    lblCounter = label(fraCount, "lblCounter", "00:00", QRect(2, 4, 84, 30));
    lblCounter->setAlignment(Qt::AlignCenter);
    QFont big = lblCounter->font();
    big.setPointSize(18);
    big.setBold(true);
    lblCounter->setFont(big);
    lblCntFmt = label(fraCount, "lblCntFmt", "Min : Sec", QRect(2, 36, 84, 16));
    lblCntFmt->setAlignment(Qt::AlignCenter);

    cmdTempo[0] = button("cmdTempo0", "-", "Decrease Speed", QRect(332, y, 22, h));
    txtTempFactor = new QLineEdit(this);
    txtTempFactor->setObjectName("txtTempFactor");
    txtTempFactor->setToolTip("Use \"+\" and \"-\" buttons to increase and decrease play speed");
    txtTempFactor->setGeometry(356, y, 44, h);
    txtTempFactor->setAlignment(Qt::AlignCenter);
    // A frame's margins would leave too little room for "+100%".
    txtTempFactor->setFrame(false);
    cmdTempo[1] = button("cmdTempo1", "+", "Increase Speed", QRect(402, y, 22, h));

    cmdVolume[0] = button("cmdVolume0", "&Up", "", QRect(432, y, 48, h));
    cmdVolume[1] = button("cmdVolume1", "Do&wn", "", QRect(432, kRowB, 48, h));
    for (int i = 0; i < 10; ++i) {
        int barHeight = 4 + 2 * i; // a rising bar graph, lit up to the volume
        Shape4[i] =
            new Lamp(QString("Shape4%1").arg(i), QColor(0x40, 0xff, 0x40), Lamp::Shape::Bar, this);
        Shape4[i]->setGeometry(486 + 8 * i, 30 - barHeight, 6, barHeight);
    }
    lblTag10 = label(this, "lblTag10", "Volume", QRect(572, 12, 64, 16));
    chkVol[1] = checkBox("chkVol1", "L", "Left Speaker Mute", QRect(486, kRowB, 34, h));
    chkVol[0] = checkBox("chkVol0", "R", "Right Speaker Mute", QRect(522, kRowB, 34, h));
    cmdMute = button("cmdMute", "&M", "Mute or Un-Mute Both L&R", QRect(560, kRowB, 30, h));

    fraLine = shape(this, "fraLine", QRect(8, kRowC + 4, kTrackLength + 4, 14),
                    "border: 1px solid #606060;");
    linePlay = shape(fraLine, "linePlay", QRect(2, 6, 0, 2), "background: white;");
    ShapeLinLead = shape(fraLine, "ShapeLinLead", QRect(2, 2, 4, 10), "background: white;");
    ShapeLinLead->hide();
    // Playing, Stop held, Paused, shuttling back and forward.
    const QColor lit[5] = {Qt::green, Qt::red, Qt::yellow, Qt::blue, Qt::blue};
    for (int i = 0; i < 5; ++i) {
        Shape1[i] = new Lamp(QString("Shape1%1").arg(i), lit[i], Lamp::Shape::Round, this);
        Shape1[i]->setGeometry(402 + 10 * i, kRowC + 7, 8, 8);
    }
}

void frmTagger::buildLooks() {
    // Frames around the groups of controls: the transport rows, then the playlist's.
    const QRect frames2[] = {{4, 3, 228, 30},  {328, 3, 100, 30}, {428, 3, 210, 30},
                             {4, 33, 174, 28}, {4, 62, 450, 22},  {454, 60, 184, 27}};
    for (int i = 0; i < 6; ++i)
        Shape2[i] = addFrame(*this, "Shape2", i, frames2[i]);
    const QRect frames3[] = {{4, 104, 632, 164},  {6, 268, 104, 22},   {110, 268, 104, 22},
                             {216, 266, 282, 26}, {516, 264, 120, 30}, {328, 33, 104, 28},
                             {482, 33, 112, 28},  {592, 33, 44, 28},   {398, 65, 56, 16},
                             {6, 88, 204, 16}};
    for (int i = 0; i < 10; ++i)
        Shape3[i] = addFrame(*this, "Shape3", i, frames3[i]);
    ShapeBorder = addEdge(*this);
    ImageBack = addImageBack(*this);
    ImageBack->setGeometry(0, 0, kWidth, 320);
}

void frmTagger::buildSequencing() {
    chkAutoPlay = checkBox("chkAutoPlay", "&Auto", "Play List", QRect(8, kRowB, 56, kRowHeight));
    chkPLloop = checkBox("chkPLloop", "&Loop", "Loop List", QRect(66, kRowB, 56, kRowHeight));
    chkPLrand = checkBox("chkPLrand", "&Rnd", "Randomise Play Order in List",
                         QRect(124, kRowB, 50, kRowHeight));
    cmdFade = button("cmdFade", "Fa&de", "Auto Fade Controls", QRect(332, kRowB, 46, kRowHeight));
}

void frmTagger::buildButtons() {
    cmdListSet =
        button("cmdListSet", "&Menu", "Shows OPTIONS Menu", QRect(380, kRowB, 50, kRowHeight));
    cmdToglFrm = button("cmdToglFrm", "Lge", "Toggle Large or Small Display",
                        QRect(594, kRowB, 40, kRowHeight));
    const int y = kRowC, h = 22;
    cmdHide = button("cmdHide", "&Tray", "Hide in System Tray Play Feature", QRect(458, y, 42, h));
    cmdOpnfile = button("cmdOpnfile", "About", "About Vantrel, and a link to its web site",
                        QRect(502, y, 44, h));
    cmdHelp = button("cmdHelp", "Help", "", QRect(548, y, 40, h));
    cmdShut = button("cmdShut", "Close", "", QRect(590, y, 44, h));
}

void frmTagger::buildPlaylist(bool useGrid) {
    Label3 = label(this, "Label3", "Play List Viewer", QRect(8, 90, 200, 16));
    ListView1 = new PlaylistListView(useGrid, this);
    ListView1->setGeometry(8, 108, kWidth - 16, 156);

    lblLstSel = label(this, "lblLstSel", "Selected = 0", QRect(8, 270, 100, 18));
    lblLstTotal = label(this, "lblLstTotal", "Total = 0", QRect(112, 270, 100, 18));
    Label1 = label(this, "Label1", "Search>", QRect(220, 270, 52, 18));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName("txtFind");
    txtFind->setToolTip(
        "Column to Search is the Sorted Column, click on a Column Header to search from it");
    txtFind->setGeometry(274, 268, 220, 22);
    cmdOpenList =
        button("cmdOpenList", "File Searc&h",
               "Search for and select files to add to Play List View", QRect(520, 266, 112, 26));
    lstFind = new QListWidget(this);
    lstFind->setObjectName("lstFind");
    lstFind->hide();
    lstCols = new QListWidget(this);
    lstCols->setObjectName("lstCols");
    lstCols->hide();
}

QAction* frmTagger::entry(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void frmTagger::buildOptionsMenu() {
    mnuList = new QMenu("Options", this);
    mnuList->setObjectName("mnuList");
    const char* edits[] = {"&Clear List", "C&rop Selection", "Re&move Selection",
                           "&Invert Selection"};
    for (int i = 0; i < 4; ++i)
        mnuEdLvItm[i] = entry(mnuList, QString("mnuEdLvItm%1").arg(i), edits[i]);
    mnuProperties = entry(mnuList, "mnuProperties", "List Stats");
    mnuList->addSeparator();
    mnuFile = mnuList->addMenu("&Files");
    mnuFile->setObjectName("mnuFile");
    mnuSaveAs = entry(mnuFile, "mnuSaveAs", "&Save Playlist AS");
    mnuOpenPlay[0] = entry(mnuFile, "mnuOpenPlay0", "&Open PlayList");
    mnuOpenPlay[1] = entry(mnuFile, "mnuOpenPlay1", "Open in &New Player");
    mnuFileProp = entry(mnuFile, "mnuFileProp", "File Properties");
    mnuFileProp->setVisible(false);
    mnuFile->addSeparator();
    mnuMRUitm.push_back(entry(mnuFile, "mnuMRUitm0", ""));
    mnuMRUitm[0]->setVisible(false);
    mnuList->addSeparator();
    mnuEdit = entry(mnuList, "mnuEdit", "Edit ID &Tags");
    mnuList->addSeparator();
    mnuGenOpts = mnuList->addMenu("&Preferences");
    mnuGenOpts->setObjectName("mnuGenOpts");
    mnuGenOpt = entry(mnuGenOpts, "mnuGenOpt", "General Settings");
    mnuBannerOpt = entry(mnuGenOpts, "mnuBannerOpt", "Tray Banner Settings");
    mnuSoundOpt = entry(mnuGenOpts, "mnuSoundOpt", "Sound Output Settings");
    mnuListOpt = entry(mnuGenOpts, "mnuListOpt", "List Viewer Settings");
}

void frmTagger::buildFadeMenu() {
    mnuFade = new QMenu("Fade", this);
    mnuFade->setObjectName("mnuFade");
    mnuFadeStop = entry(mnuFade, "mnuFadeStop", "Manual Fade OUT and Stop");
    mnuFadeStop->setEnabled(false);
    mnuFade->addSeparator();
    mnuFadeHold = entry(mnuFade, "mnuFadeHold", "One Touch Up/Down");
    mnuFadeDir[0] = entry(mnuFade, "mnuFadeDir0", "Auto Fade IN");
    mnuFadeDir[1] = entry(mnuFade, "mnuFadeDir1", "Auto Fade OUT");
    mnuFadeDir[1]->setEnabled(false);
    for (QAction* a : {mnuFadeHold, mnuFadeDir[0], mnuFadeDir[1]})
        a->setCheckable(true);
    mnuFade->addSeparator();
    mnuFadeSet = entry(mnuFade, "mnuFadeSet", "Fade Settings");
}

void frmTagger::applyLayout(int heightPixels, bool showPlaylist, bool showEdge,
                            MainLayout::Shape shape) {
    setFixedHeight(heightPixels);
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, ListView1, lblLstSel, lblLstTotal,
                                                      Label1, txtFind, cmdOpenList})
        w->setVisible(showPlaylist);
    ShapeBorder->setVisible(showEdge);
    // A minimised rounded window keeps its region until it is shown again.
    if (shape == MainLayout::Shape::Unchanged) return;
    LooksStage::shapeWindow(
        *this,
        shape == MainLayout::Shape::Square
            ? WindowShape{}
            : windowShape(showPlaylist ? WindowKind::MainLarge : WindowKind::MainSmall, true));
}

void frmTagger::closeEvent(QCloseEvent* event) {
    if (!unloaded_ && onUnload) {
        unloaded_ = true;
        onUnload();
    }
    event->accept();
}

void frmTagger::letEventsRun() {
    pumping_ = true;
    qApp->installEventFilter(this);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(this);
    pumping_ = false;
}

bool frmTagger::heldBack(QObject* watched) const {
    if (!pumping_ || !watched->isWidgetType() || watched == cmdShut) return false;
    // A box opened meanwhile (a decoder error of the playing track, say) runs its own loop
    // inside the pump, and must be answerable.
    const QWidget* box = QApplication::activeModalWidget();
    auto* widget = static_cast<QWidget*>(watched);
    return !box || box == this || (widget != box && !box->isAncestorOf(widget));
}

bool frmTagger::eventFilter(QObject* watched, QEvent* event) {
    if (heldBack(watched)) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return true;
        default:
            break;
        }
    }
    // "&Menu" opens the Options menu on any key or mouse button press.
    if (watched == cmdListSet &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        mnuList->popup(QCursor::pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmTagger::bind(TaggerCore& core, TrayMenu& tray) {
    core_ = &core;
    bindButtons(tray);
    bindPlaylist();
    new TransportBinding({cmdPlay, cmdShutl, cmdTempo, txtTempFactor, chkVol, cmdMute, Shape1,
                          linePlay, ShapeLinLead, kTrackLength, lblCounter, chkAutoPlay, chkPLloop,
                          chkPLrand, ListView1},
                         core.transport(), core.sequencer(), core.timeDisplay(), this);
    new FaderBinding({this, cmdVolume, cmdFade, mnuFade, mnuFadeStop, mnuFadeHold, mnuFadeDir,
                      mnuFadeSet, Shape4},
                     core.fader(), core.ini(), this);
    new SoundOptBinding(*this, *mnuSoundOpt, core.audioOutput());
    new PlaylistFilesBinding(
        {this, mnuFile, mnuSaveAs, mnuOpenPlay, mnuMRUitm, mnuListOpt, txtFind, ListView1},
        core.files(), this);
    onUnload = [this] {
        core_->unload();
        QCoreApplication::exit(0);
    };
    core.setEventPump([this] { letEventsRun(); });
    connections_.push_back(core.changed.connect([this] { render(); }));
    render();
}

void frmTagger::bindButtons(TrayMenu& tray) {
    connect(cmdToglFrm, &QPushButton::clicked, this, [this] { core_->cmdToglFrm(isMinimized()); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { core_->cmdHelp(); });
    connect(cmdShut, &QPushButton::clicked, this, [this] {
        hide();
        close();
    });
    tickerDock = new TickerDock(
        *this, core_->ticker(), tray,
        [this] {
            return Ticker::tooltip(playStatusText(core_->transport().status()),
                                   core_->timeDisplay().elapsedText(),
                                   core_->timeDisplay().totalText());
        },
        this);
    connect(cmdHide, &QPushButton::clicked, tickerDock, &TickerDock::dockTicker);
    connect(cmdOpnfile, &QPushButton::clicked, this, [this] {
        if (openAbout) openAbout();
    });
    connect(mnuGenOpt, &QAction::triggered, this, [this] {
        if (openGenOpt) openGenOpt();
    });
    connect(mnuBannerOpt, &QAction::triggered, this, [this] {
        if (openBannerOpt) openBannerOpt();
    });
    connect(cmdOpenList, &QPushButton::clicked, this, [this] {
        if (openFileSearch) openFileSearch();
    });
    connect(&tray, &TrayMenu::showMainRequested, tickerDock, &TickerDock::showMain);
    connect(&tray, &TrayMenu::closeRequested, tickerDock, &TickerDock::closeMain);
}

void frmTagger::bindPlaylist() {
    ListView1->bind(core_->playlist());
    ListView1->pathsDropped = [this](const std::vector<std::string>& paths) {
        core_->dropPaths(paths);
    };
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this] { mnuList->popup(QCursor::pos()); });
    connect(ListView1, &PlaylistListView::countersChanged, this, [this] { renderCounters(); });
    for (int i = 0; i < 4; ++i)
        connect(mnuEdLvItm[i], &QAction::triggered, this,
                [this, i] { core_->commands().mnuEdLvItm(i); });
    connect(mnuProperties, &QAction::triggered, this, [this] { core_->commands().listStats(); });
    connect(mnuEdit, &QAction::triggered, this, [this] { core_->commands().editSelected(); });
}

void frmTagger::renderCounters() {
    lblLstSel->setText(QString::fromStdString(core_->playlist().lblLstSel()));
    lblLstTotal->setText(QString::fromStdString(core_->playlist().lblLstTotal()));
}

void frmTagger::render() {
    if (!core_) return;
    const MainLayout& layout = core_->layout();
    cmdToglFrm->setText(QString::fromStdString(layout.toggleCaption()));
    applyLayout(layout.heightPixels(), layout.showsPlaylist(),
                layout.showsEdge(core_->looks().settings().edgeHide), layout.shape());
    renderCounters();
}

} // namespace vantrel
