#pragma once

#include "author/AuthorServices.h"
#include "author/DiscCatalogue.h"
#include "author/DiscFolder.h"
#include "author/IniDocument.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <string>

class QAction;
class QScrollArea;
class QTabWidget;

namespace quorix::author {

class CatalogueEditor;
class PicturePanel;
class PreviewPanel;
class SettingsEditor;

// The authoring window: the catalogue and the settings of one disc's quorix.ini on the left, the
// menu as the presenter draws it and the disc check's problems on the right. Edits go into the
// document at once; the preview and the check follow shortly after the last one.
class AuthorWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit AuthorWindow(const AuthorServices& services, QWidget* parent = nullptr);

    // Opens the disc in a folder (the media folder, or a folder holding it). A folder without
    // one is offered a new, empty media folder. On failure says why and keeps the disc that was
    // open. Asks first when there are unsaved changes.
    bool openFolder(const QString& folder);
    // Saves quorix.ini; says why when it cannot, and keeps the changes. The first save in UTF-8
    // says what that means and may be cancelled.
    bool save();
    // Writes a picture file, converted, as the disc's picture at this index of DiscPictures().
    bool setPicture(std::size_t picture, const QString& source);
    // Saves unsaved changes, then starts the presenter on the disc.
    bool present();

    // Draws the preview and runs the check now rather than after the pause.
    void refreshNow();

    bool modified() const { return modified_; }
    const IniDocument& document() const { return document_; }
    const std::optional<DiscFolder>& disc() const { return disc_; }
    CatalogueEditor* catalogueEditor() const { return catalogue_; }
    SettingsEditor* settingsEditor() const { return settings_; }
    PreviewPanel* previewPanel() const { return preview_; }
    PicturePanel* picturePanel() const { return pictures_; }
    QTabWidget* tabs() const { return tabs_; }
    QAction* saveAction() const { return saveAction_; }
    QAction* presentAction() const { return presentAction_; }
    QStringList problems() const { return problems_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addClips(const QStringList& files);
    void catalogueEdited();
    void settingEdited(const QString& section, const QString& key, const QString& text);
    void documentChanged();
    void showDocument();
    void scheduleRefresh();
    void updateTitle();
    void chooseFolder();
    // Saves, drops or keeps unsaved changes as the author says; false: keep them and stay.
    bool settleUnsavedChanges();
    QString picturePath(std::size_t picture) const;
    void keepSettingsPageWhole();

    AuthorServices services_;
    std::optional<DiscFolder> disc_;
    IniDocument document_;
    bool modified_ = false;
    std::string savedBytes_; // the file as it is on disc, empty for a new one
    bool utf8Accepted_ = false;
    QStringList problems_;
    QTimer refresh_;

    QTabWidget* tabs_ = nullptr;
    QScrollArea* settingsPage_ = nullptr;
    CatalogueEditor* catalogue_ = nullptr;
    SettingsEditor* settings_ = nullptr;
    PreviewPanel* preview_ = nullptr;
    PicturePanel* pictures_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* presentAction_ = nullptr;
};

} // namespace quorix::author
