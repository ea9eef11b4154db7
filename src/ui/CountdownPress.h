#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>

namespace quorix::ui {

// Presses a button by itself when a number of seconds has gone by, and shows on the button how
// many are left ("OK (20)", "OK (19)" ...): a modal window on a screen that nobody attends then
// goes away as if its button had been pressed. The countdown runs on the event loop the window
// runs, and stops when the button goes away first.
class CountdownPress : public QObject {
    Q_OBJECT

public:
    CountdownPress(QAbstractButton& button, std::chrono::seconds after);

private:
    void showLeft();
    void step();

    QPointer<QAbstractButton> button_;
    QString caption_;
    std::chrono::seconds left_;
    QTimer timer_;
};

} // namespace quorix::ui
