#pragma once

#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorix::author {

// What the author wants done with unsaved changes before the window goes on.
enum class UnsavedChanges { Save, Discard, Cancel };

// The questions the authoring window puts to its user, and its messages.
class AuthorDialogs {
public:
    virtual ~AuthorDialogs() = default;
    virtual QStringList chooseClipFiles(const QString& startFolder) = 0;
    virtual QString chooseFolder(const QString& startFolder) = 0;
    // A picture file of any kind the toolkit reads; empty when none was chosen.
    virtual QString choosePicture(const QString& startFolder) = 0;
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    virtual UnsavedChanges askAboutUnsavedChanges() = 0;
    // True: the author chose to go on, with the button named `goOn`, rather than cancel.
    virtual bool confirm(const QString& text, const QString& goOn) = 0;
    virtual void showError(const QString& text) = 0;
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
