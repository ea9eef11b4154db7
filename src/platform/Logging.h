#pragma once

#include <QLoggingCategory>

namespace quorix::platform {

// Traces for whoever has to find out why a presentation went wrong: what failed and why, where
// the viewer only sees a short message or nothing. All are off unless switched on, with
// QT_LOGGING_RULES="quorix.*=true" or quorix --verbose.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)     // quorix.device: the media device and its engine
Q_DECLARE_LOGGING_CATEGORY(lcSupervisor) // quorix.supervisor: the playback supervisor

// Switches on every quorix.* category. Rules in QT_LOGGING_RULES still take precedence.
void EnableVerboseLogging();

} // namespace quorix::platform
