#include "platform/Logging.h"

namespace quorix::platform {

// Debug and info messages are off by default; nothing here logs at a higher level.
Q_LOGGING_CATEGORY(lcDevice, "quorix.device", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSupervisor, "quorix.supervisor", QtWarningMsg)

void EnableVerboseLogging() {
    QLoggingCategory::setFilterRules(QStringLiteral("quorix.*=true"));
}

} // namespace quorix::platform
