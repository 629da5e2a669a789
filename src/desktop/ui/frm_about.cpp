#include "desktop/ui/frm_about.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QMouseEvent>

namespace vantrel {

namespace {

// Colours 12 and 9 of the early personal computers' 16-colour palette.
const QColor kLightRed(255, 85, 85);
const QColor kLightBlue(85, 85, 255);

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

} // namespace

frmAbout::frmAbout(AboutBox& about, QWidget* parent) : QDialog(parent), about_(about) {
    setObjectName("frmAbout");
    setWindowTitle(QString::fromStdString(about.caption()));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);

    picIcon = label(this, "picIcon", "");
    picIcon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    picIcon->setFixedSize(52, 52);
    lblTitle = label(this, "lblTitle", QApplication::applicationName());
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = label(this, "lblVersion", QString::fromStdString(AboutBox::lblVersion()));
    lblDescription = label(this, "lblDescription", QString::fromStdString(about.lblDescription()));
    Label1 = label(this, "Label1",
                   "Quorvane MP3 Tools are for Creation, Archiving and Playback of MP3 files. "
                   "Simplistic by Design.");
    lblSite = label(this, "lblSite", QString::fromStdString(about.siteAddress()));
    lblSite->setCursor(Qt::PointingHandCursor);
    lblSite->installEventFilter(this);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdOK->installEventFilter(this);
    cmdSysInfo = new QPushButton("&System Info...", this);
    cmdSysInfo->setObjectName("cmdSysInfo");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(14);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    grid->addWidget(Label1, 3, 1, 1, 2);
    grid->addWidget(lblSite, 4, 1, 1, 2);
    grid->setRowMinimumHeight(5, 10);
    grid->addWidget(cmdOK, 6, 2);
    grid->addWidget(cmdSysInfo, 7, 2);
    grid->setColumnStretch(1, 1);
    setFixedWidth(440);
    setSiteColour(false);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this] { about_.StartSysInfo(qgetenv("PATH").toStdString()); });
}

void frmAbout::setSiteColour(bool hot) {
    QPalette p = lblSite->palette();
    p.setColor(QPalette::WindowText, hot ? kLightRed : kLightBlue);
    lblSite->setPalette(p);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) setSiteColour(true);
    if (watched == lblSite && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        about_.openSite();
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the labels and buttons come here too, as they do not track the pointer.
    QWidget* under = childAt(event->position().toPoint());
    setSiteColour(under == lblSite || under == cmdOK);
    QDialog::mouseMoveEvent(event);
}

} // namespace vantrel
