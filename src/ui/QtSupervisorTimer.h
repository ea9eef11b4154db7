#pragma once

#include "platform/SupervisorTimer.h"

#include <QObject>
#include <QTimer>

namespace quorix::ui {

// The supervisor's timer on a QTimer. It ticks while it is enabled and its interval is above 0
// (an interval of 0 stops it, as in the old toolkit). Changing the interval of a running timer
// starts its count again; enabling a timer that already runs changes nothing. Ticks do not pile
// up, and a tick handler that lets events run is not entered again by a later tick: this is the
// one guard against a tick running inside another.
class QtSupervisorTimer final : public QObject, public platform::SupervisorTimer {
    Q_OBJECT

public:
    explicit QtSupervisorTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

    // Delivers one tick at once, as if the interval had run out; nothing while a tick runs.
    void tickNow();

signals:
    void tick();

private:
    void apply();
    void deliver();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
};

} // namespace quorix::ui
