#pragma once

#include "author/AuthorServices.h"

class QWidget;

namespace quorix::author {

// The dialogs as Qt's standard dialogs and message boxes, over the given window.
class QtAuthorDialogs final : public AuthorDialogs {
public:
    explicit QtAuthorDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    QStringList chooseClipFiles(const QString& startFolder) override;
    QString chooseFolder(const QString& startFolder) override;
    QString choosePicture(const QString& startFolder) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    UnsavedChanges askAboutUnsavedChanges() override;
    bool confirm(const QString& text, const QString& goOn) override;
    void showError(const QString& text) override;

private:
    QWidget* parent_;
};

// Starts programs with QProcess, detached.
class QtProgramLauncher final : public ProgramLauncher {
public:
    QString start(const QString& program, const QStringList& arguments) override;
};

} // namespace quorix::author
