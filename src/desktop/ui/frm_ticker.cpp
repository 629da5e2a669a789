#include "desktop/ui/frm_ticker.h"

#include "desktop/ui/banner_font.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace vantrel {

frmTicker::frmTicker(Ticker& ticker, QMenu& mnuTray, std::function<std::string()> tooltip,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      ticker_(ticker), mnuTray_(mnuTray), tooltip_(std::move(tooltip)) {
    setObjectName("frmTicker");
    // The title carries the text too, for task switchers and panels that list the strip.
    const auto title = [this] {
        setWindowTitle("Vantrel: " + QString::fromStdString(ticker_.tickerText()));
    };
    title();
    connection_ = ticker.textChanged.connect(title);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The strip takes no focus and the main window is hidden, so the program is never the
    // active one while it shows: Qt would show no tooltip for it.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    const BannerLooks& looks = ticker.settings().banner;
    setFont(bannerFont(looks, QFont("Comic Sans MS")));
    fore_ = colourFromStored(looks.fore);
    back_ = colourFromStored(looks.back);
    setFixedSize(kWidth, fontMetrics().height() + 6);

    tmrTicker = new QTimer(this);
    tmrTicker->setObjectName("tmrTicker");
    tmrTicker->setInterval(Ticker::intervalMs(ticker.settings().traySpeed));
    connect(tmrTicker, &QTimer::timeout, this, [this] { scrollTick(); });
    tmrTicker->start();
    // Panels come and go and screens change size; the strip follows the free area.
    tmrCheck = new QTimer(this);
    tmrCheck->setObjectName("tmrCheck");
    tmrCheck->setInterval(250);
    connect(tmrCheck, &QTimer::timeout, this, [this] { placeTicker(); });
    tmrCheck->start();

    placeTicker();
    // The text shows before the first tick.
    scrollTick();
}

QRect frmTicker::placeIn(const QRect& available, QSize size) {
    return QRect(available.right() + 1 - size.width(), available.bottom() + 1 - size.height(),
                 size.width(), size.height());
}

void frmTicker::placeTicker() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    if (available == placedIn_) return;
    placedIn_ = available;
    setGeometry(placeIn(available, size()));
}

void frmTicker::scrollTick() {
    line_ = QString::fromStdString(ticker_.tick());
    setToolTip(QString::fromStdString(tooltip_()));
    update();
}

void frmTicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_);
    p.setPen(fore_.darker(140));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(fore_);
    p.drawText(rect().adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, line_);
}

void frmTicker::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) mnuTray_.popup(event->globalPosition().toPoint());
}

} // namespace vantrel
