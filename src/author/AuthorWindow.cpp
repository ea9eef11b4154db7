#include "author/AuthorWindow.h"

#include "author/CatalogueEditor.h"
#include "author/ClipImport.h"
#include "author/DiscPictures.h"
#include "author/DiscProblems.h"
#include "author/DocumentProfile.h"
#include "author/MenuPreview.h"
#include "author/PicturePanel.h"
#include "author/PreviewMarks.h"
#include "author/PreviewPanel.h"
#include "author/SettingsEditor.h"
#include "author/SettingsFile.h"
#include "author/ViewerNote.h"
#include "startup/CatalogueReader.h"
#include "startup/SettingsReader.h"
#include "startup/SettingsTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace quorix::author {
namespace {

// The pause after the last edit before the preview is drawn and the disc checked again: the
// check opens every clip on the media device.
constexpr int RefreshPauseMs = 400;

// The title size the factor gives, as the author sees it on the preview's screen.
QString TitleSizeNote(const MenuPicture& menu) {
    if (!menu.menuShown || menu.titles.empty()) {
        return {};
    }
    return QStringLiteral("Now: on a %1 x %2 screen the titles are %3 pixels high, the first one "
                          "%4 pixels wide.")
        .arg(menu.image.width())
        .arg(menu.image.height())
        .arg(menu.titles.front().height())
        .arg(menu.titles.front().width());
}

} // namespace

AuthorWindow::AuthorWindow(const AuthorServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
    setWindowTitle(QStringLiteral("Quorix Author"));

    catalogue_ = new CatalogueEditor(this);
    settings_ = new SettingsEditor(
        [this](const QColor& initial) { return services_.dialogs.chooseColour(initial); }, this);
    settingsPage_ = new QScrollArea(this);
    settingsPage_->setWidget(settings_);
    settingsPage_->setWidgetResizable(true);
    settingsPage_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(catalogue_, QStringLiteral("Catalogue"));
    tabs_->addTab(settingsPage_, QStringLiteral("Settings"));
    pictures_ = new PicturePanel(this);
    tabs_->addTab(pictures_, QStringLiteral("Pictures"));
    preview_ = new PreviewPanel(this);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(preview_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    setCentralWidget(splitter);

    QToolBar* tools = addToolBar(QStringLiteral("Disc"));
    tools->setObjectName(QStringLiteral("disc"));
    openAction_ =
        tools->addAction(QStringLiteral("Open folder…"), this, &AuthorWindow::chooseFolder);
    openAction_->setShortcut(QKeySequence::Open);
    saveAction_ = tools->addAction(QStringLiteral("Save"), this, [this] { save(); });
    saveAction_->setShortcut(QKeySequence::Save);
    presentAction_ = tools->addAction(QStringLiteral("Present"), this, [this] { present(); });
    presentAction_->setToolTip(QStringLiteral("Start the presenter on this disc"));

    refresh_.setSingleShot(true);
    refresh_.setInterval(RefreshPauseMs);
    connect(&refresh_, &QTimer::timeout, this, &AuthorWindow::refreshNow);

    connect(catalogue_, &CatalogueEditor::edited, this, &AuthorWindow::catalogueEdited);
    connect(catalogue_, &CatalogueEditor::selectionChanged, this, [this] { scheduleRefresh(); });
    connect(catalogue_, &CatalogueEditor::addRequested, this, [this] {
        if (disc_) {
            addClips(services_.dialogs.chooseClipFiles(disc_->hostFolder));
        }
    });
    connect(catalogue_, &CatalogueEditor::filesDropped, this, &AuthorWindow::addClips);
    connect(catalogue_, &CatalogueEditor::editRefused, this,
            [this](const QString& reason) { services_.dialogs.showError(reason); });
    connect(settings_, &SettingsEditor::valueEdited, this, &AuthorWindow::settingEdited);
    connect(pictures_, &PicturePanel::chooseRequested, this, [this](std::size_t picture) {
        if (disc_) {
            if (const QString source = services_.dialogs.choosePicture(QDir::homePath());
                !source.isEmpty()) {
                setPicture(picture, source);
            }
        }
    });
    connect(preview_, &PreviewPanel::optionsChanged, this, &AuthorWindow::refreshNow);

    showDocument();
    updateTitle();
}

bool AuthorWindow::openFolder(const QString& folder) {
    if (!settleUnsavedChanges()) {
        return false;
    }
    FoundDiscFolder found = FindDiscFolder(folder, services_.paths);
    if (!found.folder && !found.missingMediaFolder.isEmpty()) {
        if (!services_.dialogs.confirm(
                QStringLiteral("%1 holds no disc yet: the presenter looks for its clips and "
                               "quorix.ini in a folder named \"quorix\" there. Make that "
                               "folder and start a new disc in it?")
                    .arg(folder),
                QStringLiteral("Make a new disc"))) {
            return false;
        }
        if (!QDir().mkpath(found.missingMediaFolder)) {
            services_.dialogs.showError(
                QStringLiteral("The folder %1 cannot be made.").arg(found.missingMediaFolder));
            return false;
        }
        found = FindDiscFolder(folder, services_.paths);
    }
    if (!found.folder) {
        services_.dialogs.showError(found.error);
        return false;
    }
    LoadedSettingsFile loaded = LoadSettingsFile(found.folder->settingsFile);
    if (!loaded.document) {
        services_.dialogs.showError(loaded.error);
        return false;
    }
    disc_ = std::move(found.folder);
    document_ = std::move(*loaded.document);
    savedBytes_ = std::move(loaded.bytes);
    utf8Accepted_ = false;
    modified_ = document_.toBytes(SavingEncoding(document_)) != savedBytes_;
    showDocument();
    updateTitle();
    statusBar()->showMessage(
        loaded.existed
            ? QStringLiteral("Opened %1").arg(disc_->settingsFile)
            : QStringLiteral("%1 is new: it is written on saving").arg(disc_->settingsFile));
    refreshNow();
    return true;
}

bool AuthorWindow::save() {
    if (!disc_) {
        return false;
    }
    if (const QString notice = Utf8SavingNotice(document_); !notice.isEmpty() && !utf8Accepted_) {
        if (!services_.dialogs.confirm(notice, QStringLiteral("Save in UTF-8"))) {
            return false;
        }
        utf8Accepted_ = true;
    }
    const SavedSettingsFile saved = SaveSettingsFile(disc_->settingsFile, document_);
    if (!saved.saved) {
        services_.dialogs.showError(saved.error + QStringLiteral(" The changes are kept here."));
        return false;
    }
    savedBytes_ = saved.bytes;
    modified_ = false;
    updateTitle();
    statusBar()->showMessage(QStringLiteral("Saved %1 (%2)")
                                 .arg(disc_->settingsFile, saved.encoding == TextEncoding::Utf8
                                                               ? QStringLiteral("UTF-8")
                                                               : QStringLiteral("Windows-1252")));
    refreshNow();
    return true;
}

bool AuthorWindow::setPicture(std::size_t picture, const QString& source) {
    if (!disc_ || picture >= DiscPictures().size()) {
        return false;
    }
    const DiscPicture& kind = DiscPictures()[picture];
    const QString target = picturePath(picture);
    if (QFileInfo::exists(target) &&
        !services_.dialogs.confirm(
            QStringLiteral("The media folder has a %1 already (%2). Put the picture %3 in its "
                           "place?")
                .arg(QString::fromLatin1(kind.label).toLower(), target, source),
            QStringLiteral("Replace"))) {
        return false;
    }
    if (const QString error = WriteDiscPicture(kind, source, target); !error.isEmpty()) {
        services_.dialogs.showError(error);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Wrote %1").arg(target));
    refreshNow();
    return true;
}

QString AuthorWindow::picturePath(std::size_t picture) const {
    // The presenter finds the name in any case: an existing BGRD.JPG is the one replaced.
    const std::string path =
        services_.paths.resolve(disc_->mediaPath + DiscPictures()[picture].fileName);
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

bool AuthorWindow::present() {
    if (!disc_ || (modified_ && !save())) {
        return false;
    }
    const QString error = services_.launcher.start(services_.presenter, {disc_->hostFolder});
    if (!error.isEmpty()) {
        services_.dialogs.showError(error);
        return false;
    }
    return true;
}

void AuthorWindow::addClips(const QStringList& files) {
    if (!disc_ || files.isEmpty()) {
        return;
    }
    std::vector<CatalogueEntry> entries;
    QStringList errors;
    for (const QString& file : files) {
        const ImportedClip clip = ImportClip(disc_->hostFolder, file, catalogue_->placement());
        if (!clip.error.isEmpty()) {
            errors.push_back(clip.error);
            continue;
        }
        entries.push_back({clip.title, clip.file, {}, {}, {}});
    }
    if (const int refused = catalogue_->appendEntries(entries); refused > 0) {
        errors.push_back(QStringLiteral("The presenter offers %1 clips at most: %2 were not added.")
                             .arg(DiscCatalogue::MaxEntries)
                             .arg(refused));
    }
    if (!errors.isEmpty()) {
        services_.dialogs.showError(errors.join(QStringLiteral("\n\n")));
    }
}

void AuthorWindow::catalogueEdited() {
    DiscCatalogue catalogue = catalogue_->catalogue();
    WriteDiscCatalogue(document_, catalogue);
    catalogue_->setCatalogue(catalogue);
    documentChanged();
}

void AuthorWindow::settingEdited(const QString& section, const QString& key, const QString& text) {
    if (text.isEmpty()) {
        document_.removeKey(section, key);
    } else {
        document_.setValue(section, key, text);
    }
    documentChanged();
}

void AuthorWindow::documentChanged() {
    // An edit that gives back what is saved leaves nothing to save.
    modified_ = document_.toBytes(SavingEncoding(document_)) != savedBytes_;
    updateTitle();
    // The two editors share the keys intro and logomode.
    settings_->showDocument(document_);
    keepSettingsPageWhole();
    const DiscCatalogue catalogue = ReadDiscCatalogue(document_);
    DiscCatalogue shown = catalogue_->catalogue();
    if (shown.intro != catalogue.intro || shown.closingLogo != catalogue.closingLogo) {
        shown.intro = catalogue.intro;
        shown.closingLogo = catalogue.closingLogo;
        catalogue_->setCatalogue(shown);
    }
    scheduleRefresh();
}

void AuthorWindow::showDocument() {
    catalogue_->setCatalogue(ReadDiscCatalogue(document_));
    settings_->showDocument(document_);
    keepSettingsPageWhole();
    tabs_->setEnabled(disc_.has_value());
    saveAction_->setEnabled(disc_.has_value());
    presentAction_->setEnabled(disc_.has_value());
}

void AuthorWindow::keepSettingsPageWhole() {
    // The page scrolls down only: the splitter leaves it its full width, its buttons included.
    settingsPage_->setMinimumWidth(settings_->minimumSizeHint().width() +
                                   settingsPage_->verticalScrollBar()->sizeHint().width() +
                                   2 * settingsPage_->frameWidth());
}

void AuthorWindow::scheduleRefresh() {
    refresh_.start();
}

void AuthorWindow::refreshNow() {
    refresh_.stop();
    if (!disc_) {
        preview_->showPicture({});
        return;
    }
    const MenuPicture menu = DrawMenu(document_, disc_->mediaPath, services_.paths,
                                      preview_->screenSize(), catalogue_->selectedEntry());
    platform::MemoryProfileReader profile = DocumentProfile(document_, disc_->mediaPath);
    const program::SettingsRecord settings = startup::ReadSettings(profile, disc_->mediaPath);
    const QImage marked = MarkPreview(menu.image, menu.area, settings.Overscan,
                                      preview_->aspectGuides(), preview_->overscanGuide());
    preview_->showPicture(
        marked, WithoutMenuNote(settings, startup::ReadCatalogue(profile, disc_->mediaPath)));
    settings_->setNote(QLatin1String(startup::setting::FontFactor.key), TitleSizeNote(menu));
    std::vector<QString> pictures;
    for (std::size_t i = 0; i < DiscPictures().size(); ++i) {
        pictures.push_back(picturePath(i));
    }
    pictures_->showFiles(pictures);

    problems_.clear();
    for (const std::string& problem : menu.problems) {
        problems_.push_back(QString::fromStdString(problem));
    }
    for (const std::string& problem :
         DiscProblems(document_, disc_->mediaPath, services_.paths, services_.device)) {
        problems_.push_back(QString::fromStdString(problem));
    }
    preview_->showProblems(problems_);
}

void AuthorWindow::updateTitle() {
    QString title = QStringLiteral("Quorix Author");
    if (disc_) {
        title = QStringLiteral("%1%2 - Quorix Author")
                    .arg(modified_ ? QStringLiteral("*") : QString(), disc_->settingsFile);
    }
    setWindowTitle(title);
}

void AuthorWindow::chooseFolder() {
    const QString folder =
        services_.dialogs.chooseFolder(disc_ ? disc_->hostFolder : QDir::currentPath());
    if (!folder.isEmpty()) {
        openFolder(folder);
    }
}

bool AuthorWindow::settleUnsavedChanges() {
    if (!modified_) {
        return true;
    }
    switch (services_.dialogs.askAboutUnsavedChanges()) {
    case UnsavedChanges::Save:
        return save();
    case UnsavedChanges::Discard:
        return true;
    case UnsavedChanges::Cancel:
        break;
    }
    return false;
}

void AuthorWindow::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace quorix::author
