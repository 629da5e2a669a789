#pragma once

#include "desktop/ticker.h"

#include <QMenu>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vantrel {

// The ticker: a frameless strip that stays on top at the bottom-right corner of the screen's
// free area, where a panel's clock usually sits. It prints the ticker's scrolling line in the
// banner's font and colours, shows the transport's status as its tooltip, and offers the tray
// menu on a right click.
class frmTicker : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 180;

    // `tooltip` gives the tooltip's text at each tick.
    frmTicker(Ticker& ticker, QMenu& mnuTray, std::function<std::string()> tooltip,
              QWidget* parent = nullptr);

    // The strip's place in a free screen area.
    static QRect placeIn(const QRect& available, QSize size);
    const QString& printedLine() const { return line_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void scrollTick();
    void placeTicker();

    Ticker& ticker_;
    QMenu& mnuTray_;
    std::function<std::string()> tooltip_;
    QTimer* tmrTicker = nullptr;
    QTimer* tmrCheck = nullptr;
    QRect placedIn_;
    QString line_;
    QColor fore_, back_;
    Connection connection_;
};

} // namespace vantrel
