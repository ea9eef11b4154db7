#include "ui/QtEventPump.h"

#include <QCoreApplication>

namespace quorix {

void QtEventPump::processPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace quorix
