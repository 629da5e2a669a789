#include "platform/qt/qt_timer.h"

namespace vantrel {

QtTimer::QtTimer(int interval) {
    timer_.setInterval(interval);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_) handler_();
    });
}

void QtTimer::setInterval(int milliseconds) {
    timer_.setInterval(milliseconds); // restarts a running timer, as a window timer does
}

void QtTimer::setEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

} // namespace vantrel
