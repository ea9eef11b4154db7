#include "author/QtAuthorDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

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

QString QtAuthorDialogs::choosePicture(const QString& startFolder) {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.push_back(QStringLiteral("*.") + QString::fromLatin1(format));
    }
    return QFileDialog::getOpenFileName(
        parent_, QStringLiteral("Choose a picture"), startFolder,
        QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(u' ')));
}

UnsavedChanges QtAuthorDialogs::askAboutUnsavedChanges() {
    switch (QMessageBox::question(parent_, QStringLiteral("Quorix Author"),
                                  QStringLiteral("quorix.ini has changes that are not saved. "
                                                 "Save them?"),
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return UnsavedChanges::Save;
    case QMessageBox::Discard:
        return UnsavedChanges::Discard;
    default:
        return UnsavedChanges::Cancel;
    }
}

bool QtAuthorDialogs::confirm(const QString& text, const QString& goOn) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quorix Author"), text,
                    QMessageBox::Cancel, parent_);
    QPushButton* go = box.addButton(goOn, QMessageBox::AcceptRole);
    box.setDefaultButton(go);
    box.exec();
    return box.clickedButton() == go;
}

void QtAuthorDialogs::showError(const QString& text) {
    QMessageBox::critical(parent_, QStringLiteral("Quorix Author"), text);
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
