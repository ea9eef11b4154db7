#pragma once

#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorix::author {

// The questions the authoring window puts to its user, and its messages.
class AuthorDialogs {
public:
    virtual ~AuthorDialogs() = default;
    virtual QStringList chooseClipFiles(const QString& startFolder) = 0;
    virtual QString chooseFolder(const QString& startFolder) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    // True: go on and lose the unsaved changes.
    virtual bool discardChanges() = 0;
    virtual void showError(const QString& text) = 0;
    virtual void showWarning(const QString& text) = 0;
};

// Starts another program and leaves it running.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Empty when it started, else why not.
    virtual QString start(const QString& program, const QStringList& arguments) = 0;
};

// What the authoring window works with. Whoever builds the window owns them.
struct AuthorServices {
    AuthorDialogs& dialogs;
    ProgramLauncher& launcher;
    platform::MciDevice& device; // the disc check opens each clip on it
    const platform::PathResolver& paths;
    QString presenter; // the presenter program that "Present" starts
};

} // namespace quorix::author
