#include "ui/QtSupervisorTimer.h"

#include <algorithm>

namespace quorix::ui {

QtSupervisorTimer::QtSupervisorTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &QtSupervisorTimer::deliver);
}

void QtSupervisorTimer::setInterval(int milliseconds) {
    interval_ = std::max(0, milliseconds);
    if (interval_ > 0) {
        timer_.setInterval(interval_); // restarts a running timer
    }
    apply();
}

void QtSupervisorTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

void QtSupervisorTimer::tickNow() {
    deliver();
}

void QtSupervisorTimer::deliver() {
    // The tick handler lets pending events run; a tick among them would open the clip being
    // opened a second time.
    if (ticking_) {
        return;
    }
    ticking_ = true;
    emit tick();
    ticking_ = false;
}

void QtSupervisorTimer::apply() {
    const bool shouldRun = enabled_ && interval_ > 0;
    if (shouldRun && !timer_.isActive()) {
        timer_.start(interval_);
    } else if (!shouldRun && timer_.isActive()) {
        timer_.stop();
    }
}

} // namespace quorix::ui
