#include "ui/QtEventPump.h"

#include <QCoreApplication>

namespace quorix::ui {

void QtEventPump::processPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace quorix::ui
