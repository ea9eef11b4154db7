#include "author/QtAuthorDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>

namespace quorix::author {

QStringList QtAuthorDialogs::chooseClipFiles(const QString& startFolder) {
    return QFileDialog::getOpenFileNames(
        parent_, QStringLiteral("Add clips"), startFolder,
        QStringLiteral("Video clips (*.mpg *.mpeg *.m1v *.m2v *.dat *.mp4 *.avi *.mkv *.webm "
                       "*.MPG *.MPEG *.DAT *.MP4 *.AVI);;All files (*)"));
}

QString QtAuthorDialogs::chooseFolder(const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent_, QStringLiteral("Open a disc folder"),
                                             startFolder);
}

std::optional<QColor> QtAuthorDialogs::chooseColour(const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent_, QStringLiteral("Colour"));
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

bool QtAuthorDialogs::discardChanges() {
    return QMessageBox::question(parent_, QStringLiteral("Quorix Author"),
                                 QStringLiteral("quorix.ini has changes that are not saved. "
                                                "Leave them?"),
                                 QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Discard;
}

void QtAuthorDialogs::showError(const QString& text) {
    QMessageBox::critical(parent_, QStringLiteral("Quorix Author"), text);
}

void QtAuthorDialogs::showWarning(const QString& text) {
    QMessageBox::warning(parent_, QStringLiteral("Quorix Author"), text);
}

QString QtProgramLauncher::start(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached()) {
        return QStringLiteral("%1 cannot be started: %2.").arg(program, process.errorString());
    }
    return {};
}

} // namespace quorix::author
