#include "tagedit/ui/frm_folders.h"

#include "tagedit/folder_browser.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHideEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

#include <chrono>

namespace vantrel {

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect where) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(where);
    return l;
}

QListWidget* fileList(QWidget* parent, const QString& name, QRect where) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true); // keeps 30,000 results quick to lay out
    list->setGeometry(where);
    return list;
}

} // namespace

frmFolders::frmFolders(FolderBrowser& browser, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(browser) {
    setObjectName("frmFolders");
    setWindowTitle(QString(47, ' ') + "Quorvane MP3 Play List Manager");
    setFixedSize(520, 232); // the square browser's height; the looks may set the rounded one
    build();
    forwardEdits();
    browser_.setEventPump([] { QCoreApplication::processEvents(); });
    connections_.push_back(browser_.changed.connect([this] { render(); }));
    // The list grows a few times a second: enough to watch it grow, and each growth costs a
    // layout and a paint that a search of 50,000 matches must not pay per folder.
    connections_.push_back(browser_.resultsGrew.connect([this] {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastGrowth_ < std::chrono::milliseconds(100)) return;
        lastGrowth_ = now;
        appendResults();
    }));
    connections_.push_back(browser_.busy.connect([this](bool on) {
        if (on && !busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
        if (!on && busy_) QApplication::restoreOverrideCursor();
        busy_ = on;
    }));
    connections_.push_back(browser_.hideRequested.connect([this] { hide(); }));
    // A search still running when the program ends stops at its next match.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { browser_.stopSearch(); });
    render();
}

frmFolders::~frmFolders() {
    browser_.stopSearch();
    browser_.setEventPump({});
    if (busy_) QApplication::restoreOverrideCursor();
}

void frmFolders::build() {
    // Inside the frame outlines, which keep clear of the rounded shape's corners.
    label(this, "lblDrive", "Drive", QRect(16, 16, 40, 22));
    Drive1 = new QComboBox(this);
    Drive1->setObjectName("Drive1");
    Drive1->setGeometry(58, 15, 196, 24);
    auto* lblFind = label(this, "lblFind", "To", QRect(264, 16, 22, 22));
    cmdFinish = new QComboBox(this);
    cmdFinish->setObjectName("cmdFinish");
    cmdFinish->setGeometry(290, 15, 214, 24);
    cmdFinish->setToolTip(
        "Select the Last drive to be included in the file search if not the same as above.");
    lblFind->setToolTip(cmdFinish->toolTip());

    label(this, "lblFolders", "Folders", QRect(16, 46, 200, 16));
    label(this, "lblFiles", "Files", QRect(266, 46, 200, 16));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName("Dir1");
    Dir1->setGeometry(16, 62, 238, 96);
    Dir1->installEventFilter(this);
    filVoxList = fileList(this, "filVoxList", QRect(266, 62, 238, 96));
    lstFiles = fileList(this, "lstFiles", QRect(266, 62, 238, 96));
    lstFiles->hide();
    lblFolder = label(this, "lblFolder", "", QRect(16, 166, 488, 16));

    Option1[1] = new QRadioButton("mp3's", this);
    Option1[1]->setToolTip("Set \".mp3\" as the files to show and search for");
    Option1[0] = new QRadioButton("select >>", this);
    Option1[0]->setToolTip("Use the value keyed in as the files to show and search for.");
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        Option1[i]->setObjectName(QString("Option1%1").arg(i));
        group->addButton(Option1[i]);
    }
    Option1[1]->setGeometry(18, 194, 70, 22);
    Option1[0]->setGeometry(90, 194, 84, 22);
    txtExtSearch = new QLineEdit(this);
    txtExtSearch->setObjectName("txtExtSearch");
    txtExtSearch->setGeometry(174, 192, 78, 26);
    txtExtSearch->installEventFilter(this);

    cmdSearchAll = new QPushButton("&Search", this);
    cmdSearchAll->setObjectName("cmdSearchAll");
    cmdSearchAll->setToolTip("Search as specified by Drive or Folders selection");
    cmdSearchAll->setGeometry(262, 191, 74, 28);
    cmdSelAll = new QPushButton("Select &All", this);
    cmdSelAll->setObjectName("cmdSelAll");
    cmdSelAll->setGeometry(340, 191, 84, 28);
    cmdOK = new QPushButton("Finished", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(428, 191, 76, 28);
    buildLooks();
}

void frmFolders::buildLooks() {
    // Frames: the drive row, the two lists, the bottom row; inside them the smaller groups and
    // the folder's path.
    const QRect frames2[] = {
        {12, 12, 497, 30}, {12, 44, 246, 118}, {262, 44, 247, 118}, {12, 186, 497, 39}};
    for (int i = 0; i < 4; ++i)
        Shape2[i] = addFrame(*this, "Shape2", i, frames2[i]);
    const QRect frames3[] = {{12, 164, 497, 20},
                             {14, 14, 242, 26},
                             {260, 14, 247, 26},
                             {14, 188, 242, 35},
                             {258, 188, 249, 35}};
    for (int i = 0; i < 5; ++i)
        Shape3[i] = addFrame(*this, "Shape3", i, frames3[i]);
    ShapeBorder = addEdge(*this);
    ImageBack = addImageBack(*this);
}

void frmFolders::forwardEdits() {
    connect(Drive1, &QComboBox::activated, this, [this](int i) { browser_.chooseDrive(i); });
    connect(cmdFinish, &QComboBox::activated, this, [this](int i) { browser_.chooseLastDrive(i); });
    connect(Dir1, &QListWidget::itemDoubleClicked, this, [this] { openHighlightedFolder(); });
    for (int i = 0; i < 2; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { browser_.optionClick(i); });
    connect(txtExtSearch, &QLineEdit::textEdited, this,
            [this](const QString& text) { browser_.setExtText(text.toStdString()); });
    for (QListWidget* list : {filVoxList, lstFiles})
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
            if (rendering_) return;
            std::vector<bool> selected(static_cast<std::size_t>(list->count()));
            for (int i = 0; i < list->count(); ++i)
                selected[static_cast<std::size_t>(i)] = list->item(i)->isSelected();
            browser_.listClick(list->currentRow(), selected);
        });
    connect(cmdSearchAll, &QPushButton::clicked, this, [this] { browser_.cmdSearchAll(); });
    connect(cmdSelAll, &QPushButton::clicked, this, [this] { browser_.cmdSelAll(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { browser_.cmdOK(); });
}

void frmFolders::openHighlightedFolder() {
    const int row = Dir1->currentRow();
    if (row < 0) return;
    const std::string& folder = browser_.folder();
    if (row == 0) { // ".." goes up
        std::string up = folder.substr(0, folder.size() - 1);
        up = up.substr(0, up.find_last_of('/') + 1);
        browser_.openFolder(up.empty() ? "/" : up);
    } else {
        browser_.openFolder(folder + browser_.subfolders()[static_cast<std::size_t>(row - 1)]);
    }
}

bool frmFolders::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Dir1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        openHighlightedFolder();
        return true;
    }
    if (watched == txtExtSearch && event->type() == QEvent::FocusOut) browser_.extLeave();
    return QWidget::eventFilter(watched, event);
}

void frmFolders::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) browser_.stopSearch(); // minimising is spontaneous: it goes on
    QWidget::hideEvent(event);
}

void frmFolders::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        cmdOK->click();
    else
        QWidget::keyPressEvent(event);
}

void frmFolders::appendResults() {
    const auto& results = browser_.results();
    QStringList added;
    for (auto i = static_cast<std::size_t>(lstFiles->count()); i < results.size(); ++i)
        added << qs(results[i]);
    if (added.isEmpty()) return;
    rendering_ = true;
    lstFiles->addItems(added);
    rendering_ = false;
    lstFiles->scrollToBottom();
}

void frmFolders::renderSelection(QListWidget* list) {
    const std::vector<bool>& selected = browser_.selection();
    for (int i = 0; i < list->count() && i < static_cast<int>(selected.size()); ++i)
        if (list->item(i)->isSelected() != selected[static_cast<std::size_t>(i)])
            list->item(i)->setSelected(selected[static_cast<std::size_t>(i)]);
}

void frmFolders::render() {
    rendering_ = true;
    {
        const QSignalBlocker quiet(Drive1), quietLast(cmdFinish);
        Drive1->clear();
        for (const std::string& d : browser_.drives())
            Drive1->addItem(qs(d));
        Drive1->setCurrentIndex(browser_.drive());
        cmdFinish->clear();
        for (const std::string& d : browser_.lastDrives())
            cmdFinish->addItem(qs(d));
        cmdFinish->setCurrentIndex(browser_.lastDrive());
    }
    Dir1->clear();
    Dir1->addItem("..");
    for (const std::string& s : browser_.subfolders())
        Dir1->addItem(qs(s));
    lblFolder->setText(qs(browser_.folder()));
    QStringList files;
    for (const std::string& f : browser_.files())
        files << qs(f);
    filVoxList->clear();
    filVoxList->addItems(files);
    if (browser_.results().size() < static_cast<std::size_t>(lstFiles->count())) lstFiles->clear();
    appendResults();
    rendering_ = true;
    filVoxList->setVisible(!browser_.resultsShown());
    lstFiles->setVisible(browser_.resultsShown());
    renderSelection(browser_.resultsShown() ? lstFiles : filVoxList);
    Option1[browser_.option()]->setChecked(true);
    txtExtSearch->setEnabled(browser_.option() == 0);
    rendering_ = false;
}

} // namespace vantrel
