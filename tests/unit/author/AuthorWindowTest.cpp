#include "author/AuthorWindow.h"

#include "SampleDisc.h"
#include "author/CatalogueEditor.h"
#include "author/PicturePanel.h"
#include "author/PreviewPanel.h"
#include "author/SettingsEditor.h"
#include "author/TextContrast.h"
#include "device/ScriptedMciDevice.h"
#include "platform/FileProfileReader.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace quorix::author {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using testing_support::ReadBytes;

class ScriptedDialogs final : public AuthorDialogs {
public:
    QStringList chooseClipFiles(const QString&) override { return clips; }
    QString chooseFolder(const QString&) override { return {}; }
    QString choosePicture(const QString&) override { return picture; }
    std::optional<QColor> chooseColour(const QColor&) override { return colour; }
    UnsavedChanges askAboutUnsavedChanges() override {
        ++unsavedQuestions;
        return unsaved;
    }
    bool confirm(const QString& text, const QString&) override {
        shown.push_back("? " + text.toStdString());
        return goOn;
    }
    void showError(const QString& text) override { shown.push_back(text.toStdString()); }

    QStringList clips;
    QString picture;
    std::optional<QColor> colour;
    UnsavedChanges unsaved = UnsavedChanges::Cancel;
    int unsavedQuestions = 0;
    bool goOn = false;
    std::vector<std::string> shown; // errors, and questions after "? "
};

class RecordingLauncher final : public ProgramLauncher {
public:
    QString start(const QString& program, const QStringList& arguments) override {
        started.push_back((program + u' ' + arguments.join(u' ')).toStdString());
        return {};
    }
    std::vector<std::string> started;
};

// Runs `save` with files limited to 16 bytes, as on a disc that fills up (the limit binds root
// as well): the write stops half way.
template <typename Save> bool OnAFullDisc(Save save) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    return saved;
}

class AuthorWindowTest : public ::testing::Test {
protected:
    AuthorWindowTest() {
        device.always("status check length", 0, "250");
        window.resize(1200, 760);
        window.show();
        EXPECT_TRUE(window.openFolder(QString::fromStdString(disc.media().string())));
    }

    CatalogueEditor& catalogue() { return *window.catalogueEditor(); }
    QTableWidget& table() { return *catalogue().table(); }
    std::string problems() const { return window.problems().join(u'\n').toStdString(); }

    testing_support::SampleDisc disc;
    const std::string sample = ReadBytes(disc.settingsFile());
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    device::ScriptedMciDevice device;
    platform::PathResolver paths;
    AuthorWindow window{{dialogs, launcher, device, paths, "quorix"}};
};

TEST_F(AuthorWindowTest, AddsByDialogAndByDropReordersSavesAndPresents) {
    platform::testing_support::TempDir elsewhere;
    const auto harbour = elsewhere.write("Harbour.mpg", "mpeg");
    const auto night = elsewhere.write("clips/Night.mpg", "mpeg");

    dialogs.clips = {QString::fromStdString(harbour.string())};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    ASSERT_EQ(table().rowCount(), 5);
    EXPECT_EQ(table().item(4, 0)->text(), "Harbour");
    EXPECT_TRUE(std::filesystem::exists(disc.media() / "Harbour.mpg"));

    catalogue().placementBox()->setCurrentIndex(1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(night.string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table().viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table().viewport(), &drop);
    ASSERT_EQ(table().rowCount(), 6);
    const std::string reference = table().item(5, 1)->text().toStdString();
    EXPECT_THAT(reference, ::testing::MatchesRegex(R"(\.\.\\.*\\clips\\Night\.mpg)"));

    // Harbour goes up above Sunrise; the intro (Welcome) moves down with its entry.
    table().selectRow(4);
    QTest::mouseClick(catalogue().upButton(), Qt::LeftButton);
    table().selectRow(0);
    QTest::mouseClick(catalogue().downButton(), Qt::LeftButton);
    EXPECT_EQ(catalogue().introBox()->currentText(), "Welcome");
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    ASSERT_EQ(table().rowCount(), 7);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(table().rowCount(), 6);
    window.presentAction()->trigger();
    EXPECT_FALSE(window.modified());
    EXPECT_THAT(launcher.started, ElementsAre("quorix " + disc.media().string()));

    platform::FileProfileReader reader(paths);
    EXPECT_THAT(testing_support::PlayableEntries(startup::ReadCatalogue(reader, disc.mediaPath())),
                ElementsAre("B\xE4r im Wald=wald.mpg", "Welcome=welcome.mpg", "Open Sea=sea.mpg",
                            "Harbour=Harbour.mpg", "Sunrise=sunrise.mpg", "Night=" + reference));
    const std::string saved = ReadBytes(disc.settingsFile());
    EXPECT_THAT(saved, HasSubstr("\r\nintro=1\r\n"));
    EXPECT_THAT(saved, HasSubstr("\r\nSunrise=sunrise.mpg\r\nHarbour=Harbour.mpg\r\n"));
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(AuthorWindowTest, BadFoldersAndFailedSavesSayWhyAndLoseNothing) {
    table().item(0, 0)->setText("Hello");
    // A clip is not copied over a file of the same name.
    platform::testing_support::TempDir elsewhere;
    dialogs.clips = {QString::fromStdString(elsewhere.write("wald.mpg", "other").string())};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    EXPECT_THAT(dialogs.shown.back(), HasSubstr("already holds a file named wald.mpg"));
    EXPECT_EQ(table().rowCount(), 4);

    const auto files = [&] {
        return std::distance(std::filesystem::directory_iterator(disc.media()), {});
    };
    const auto filesBefore = files();
    EXPECT_FALSE(OnAFullDisc([&] { return window.save(); }));
    EXPECT_FALSE(OnAFullDisc([&] { return window.present(); }));
    EXPECT_THAT(dialogs.shown.back(), HasSubstr("cannot be written"));
    EXPECT_EQ(ReadBytes(disc.settingsFile()), sample);
    EXPECT_EQ(files(), filesBefore); // no temporary file left behind
    EXPECT_TRUE(window.modified());
    EXPECT_EQ(window.document().value("cliplist", "clip00"), "Hello");
    EXPECT_TRUE(launcher.started.empty());

    // No other folder is opened over unsaved changes unless the author says so.
    EXPECT_FALSE(window.openFolder(QString::fromStdString(disc.media().string())));
    EXPECT_EQ(dialogs.unsavedQuestions, 1);
    EXPECT_TRUE(window.save());
    EXPECT_FALSE(window.openFolder("/no/such/folder"));
    EXPECT_THAT(dialogs.shown.back(), HasSubstr("does not exist"));
}

TEST_F(AuthorWindowTest, SettingsAreWrittenAsTheKeysTheyStandFor) {
    SettingsEditor& settings = *window.settingsEditor();
    auto* interval = qobject_cast<QSpinBox*>(settings.control("interval"));
    ASSERT_NE(interval, nullptr);
    EXPECT_EQ(interval->value(), 1000); // absent: the presenter's default
    interval->setValue(250);
    EXPECT_EQ(window.document().value("settings", "interval"), "250");

    dialogs.colour = QColor(255, 0, 0);
    QTest::mouseClick(qobject_cast<QPushButton*>(settings.control("color")), Qt::LeftButton);
    QTest::mouseClick(settings.defaultButton("factor"), Qt::LeftButton);

    // The closing logo is one key seen from two places.
    auto* logo = qobject_cast<QComboBox*>(settings.control("logomode"));
    ASSERT_NE(logo, nullptr);
    logo->setCurrentIndex(logo->findData(0));
    emit logo->activated(logo->currentIndex());
    EXPECT_FALSE(catalogue().logoBox()->isChecked());
    auto* hold = qobject_cast<QComboBox*>(settings.control("holdframe"));
    ASSERT_NE(hold, nullptr);
    hold->setCurrentIndex(hold->findData(1));
    emit hold->activated(hold->currentIndex());

    window.saveAction()->trigger();
    const std::string saved = ReadBytes(disc.settingsFile());
    EXPECT_THAT(
        saved,
        HasSubstr(
            "logomode=0\r\ninterval=250\r\nholdframe=1\r\n\r\n[font]\r\ncolor=&H000000FF\r\n"));
    EXPECT_THAT(saved, Not(HasSubstr("factor")));
}

TEST_F(AuthorWindowTest, ProblemsFollowWhatTheAuthorTypes) {
    EXPECT_EQ(problems(), "");
    table().item(1, 1)->setText("missing.mpg");
    window.refreshNow();
    EXPECT_THAT(problems(), HasSubstr("missing.mpg"));

    DiscCatalogue moved = catalogue().catalogue();
    for (CatalogueEntry& entry : moved.entries) {
        entry.xpos = "900";
        entry.ypos = "2000";
    }
    moved.entries[0].xpos = "1100";
    catalogue().setCatalogue(moved);
    emit catalogue().edited();
    window.refreshNow();
    EXPECT_THAT(problems(), HasSubstr("title 1 \"Welcome\" lies partly off the screen at 1024x768"
                                      "\ntitle 2 \"B\xC3\xA4r im Wald\" lies off the screen"));
    window.previewPanel()->sizeBox()->setCurrentIndex(2);
    EXPECT_THAT(problems(), HasSubstr("lies off the screen at 1920x1080"));
}

TEST_F(AuthorWindowTest, TheWheelScrollsThePageAndChangesOnlyAFieldGivenTheFocus) {
    window.tabs()->setCurrentIndex(1);
    auto* page = window.findChild<QScrollArea*>();
    ASSERT_NE(page, nullptr);
    QWidget* menu = window.settingsEditor()->control("menumode");
    auto* intro = qobject_cast<QSpinBox*>(window.settingsEditor()->control("intro"));
    const auto turn = [](QWidget* field) {
        QWheelEvent wheel(QPointF(5, 5), field->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(field, &wheel);
    };
    for (QWidget* field : {menu, static_cast<QWidget*>(intro)}) {
        const int scrolled = page->verticalScrollBar()->value();
        turn(field);
        EXPECT_GT(page->verticalScrollBar()->value(), scrolled);
    }
    EXPECT_FALSE(window.modified());
    EXPECT_EQ(ReadBytes(disc.settingsFile()), sample);

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    intro->setFocus();
    turn(intro);
    EXPECT_EQ(window.document().value("settings", "intro"), "-1");
}

TEST_F(AuthorWindowTest, NamesThePresenterCannotUseAreRefusedBeforeAnythingIsCopied) {
    platform::testing_support::TempDir elsewhere;
    dialogs.clips = {QString::fromStdString(elsewhere.write("Line\nBreak.mpg", "m").string()),
                     QString::fromStdString(elsewhere.write("Cue\tOne.mpg", "m").string()),
                     QString::fromStdString(elsewhere.write("a=b.mpg", "m").string()),
                     QString::fromStdString(elsewhere.write("Welcome.mpg", "m").string())};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    EXPECT_THAT(dialogs.shown, ElementsAre(AllOf(HasSubstr("line break"), HasSubstr("a tab"))));
    EXPECT_FALSE(std::filesystem::exists(disc.media() / "Line\nBreak.mpg"));
    EXPECT_FALSE(std::filesystem::exists(disc.media() / "Cue\tOne.mpg"));
    // A title that could not be a key, or that names another entry's clip, is made one that can.
    EXPECT_EQ(window.document().value("filelist", "a-b"), "a=b.mpg");
    EXPECT_EQ(window.document().value("filelist", "Welcome 2"), "Welcome.mpg");

    // Dropped and referenced where it lies, the same.
    catalogue().placementBox()->setCurrentIndex(1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(
        QString::fromStdString(elsewhere.write("Cue\tTwo.mpg", "m").string()))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table().viewport(), &drop);
    EXPECT_THAT(dialogs.shown.back(), HasSubstr("a tab"));
    EXPECT_EQ(table().rowCount(), 6);

    // Typed: a file name, a title, and a title another entry has (in any case).
    const std::string before = window.document().toBytes(TextEncoding::Windows1252);
    table().item(1, 1)->setText("sea\tside.mpg");
    table().item(1, 0)->setText("Open\tSea");
    table().item(2, 0)->setText("welcome");
    EXPECT_THAT(std::vector(dialogs.shown.end() - 3, dialogs.shown.end()),
                ElementsAre(HasSubstr("a tab"), HasSubstr("a tab"),
                            HasSubstr("entry 1 has this title already")));
    EXPECT_EQ(table().item(2, 0)->text(), "Open Sea");
    EXPECT_EQ(window.document().toBytes(TextEncoding::Windows1252), before);
}

TEST_F(AuthorWindowTest, AUtf8FileStaysUtf8AndIsMarkedChangedOnlyWhenItIs) {
    for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
        const std::string utf8 = mark + "[cliplist]\r\nclip00=B\xC3\xA4r\r\n[filelist]\r\n"
                                        "B\xC3\xA4r=wald.mpg\r\n";
        disc.write(utf8);
        ASSERT_TRUE(window.openFolder(QString::fromStdString(disc.media().string())));
        EXPECT_FALSE(window.modified());
        EXPECT_FALSE(window.windowTitle().startsWith('*'));
        // Before a save in UTF-8 the author is told what it means, and may cancel it.
        EXPECT_FALSE(window.save());
        EXPECT_THAT(dialogs.shown.back(), HasSubstr("Windows presenter"));
        dialogs.goOn = true;
        EXPECT_TRUE(window.save());
        EXPECT_EQ(ReadBytes(disc.settingsFile()), utf8);
        table().item(0, 1)->setText("sea.mpg");
        table().item(0, 1)->setText("wald.mpg");
        EXPECT_FALSE(window.modified());
        table().item(0, 1)->setText("sea.mpg");
        EXPECT_TRUE(window.save());
        std::string edited = utf8;
        edited.replace(edited.find("wald"), 4, "sea");
        EXPECT_EQ(ReadBytes(disc.settingsFile()), edited);
        dialogs.goOn = false;
    }
}

TEST_F(AuthorWindowTest, ADiscFromNothingWithPicturesChosenFromAnyFile) {
    // A path without "quorix" in it, which would make the folder itself the media folder.
    QTemporaryDir made(QDir::tempPath() + "/author-XXXXXX");
    const QString path = made.path();
    const std::filesystem::path media = made.filePath("quorix").toStdString();
    EXPECT_FALSE(window.openFolder(path)); // the author says no
    EXPECT_FALSE(std::filesystem::exists(media));
    dialogs.goOn = true;
    ASSERT_TRUE(window.openFolder(path));
    EXPECT_TRUE(std::filesystem::is_directory(media));
    EXPECT_THAT(window.previewPanel()->note().toStdString(), HasSubstr("No clip to play"));

    dialogs.clips = {QString::fromStdString(disc.media().string() + "/sea.mpg")};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    window.refreshNow();
    EXPECT_THAT(window.previewPanel()->note().toStdString(),
                HasSubstr("No menu: the viewer sees the clips one after another, from entry 1"));
    const auto noteWith = [&](const char* key, const char* value) {
        emit window.settingsEditor()->valueEdited("settings", key, value);
        window.refreshNow();
        return window.previewPanel()->note().toStdString();
    };
    EXPECT_THAT(noteWith("loopmode", "1"), HasSubstr("then from the start again"));
    EXPECT_THAT(noteWith("menumode", "2"), HasSubstr("plays first, then again and again"));
    EXPECT_THAT(noteWith("loopmode", "0"), HasSubstr("plays first, then the menu comes up"));
    EXPECT_EQ(noteWith("menumode", "1"), "");

    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    const QString png = made.filePath("drawn.png");
    ASSERT_TRUE(picture.save(png));
    dialogs.picture = png;
    for (std::size_t i = 0; i < 3; ++i) {
        window.picturePanel()->chooseButton(i)->click();
    }
    for (const auto& [name, format] :
         {std::pair("bgrd.jpg", "jpeg"), std::pair("frame.jpg", "jpeg"),
          std::pair("logo.bmp", "bmp")}) {
        QImageReader written(QString::fromStdString((media / name).string()));
        EXPECT_EQ(written.format(), format) << name;
        EXPECT_EQ(written.size(), QSize(40, 30)) << name;
    }
    EXPECT_EQ(window.picturePanel()->stateLabel(0)->text(), "40 x 30 pixels");
}

TEST_F(AuthorWindowTest, FitsASmallScreenExplainsItselfAndOffersToSave) {
    EXPECT_LE(window.minimumSizeHint().width(), 1000);
    EXPECT_LE(window.minimumSizeHint().height(), 700);
    // Nothing of the settings page is cut off at the right.
    window.resize(1024, 740);
    window.tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    auto* page = window.findChild<QScrollArea*>();
    EXPECT_GE(page->viewport()->width(), window.settingsEditor()->minimumSizeHint().width());
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(200, 200, 200));
    for (const QPalette& palette : {window.palette(), dark}) {
        EXPECT_GE(ContrastRatio(HelpTextColour(palette), palette.color(QPalette::Window)), 4.5);
    }
    EXPECT_THAT(window.settingsEditor()->note("factor").toStdString(),
                MatchesRegex("Now: on a 1024 x 768 screen the titles are [0-9]+ pixels high.*"));
    EXPECT_FALSE(window.previewPanel()->legend()->isVisibleTo(&window));
    window.previewPanel()->findChild<QCheckBox*>()->click();
    EXPECT_THAT(window.previewPanel()->legend()->text().toStdString(), HasSubstr("16:9"));

    table().item(0, 0)->setText("Hello");
    dialogs.unsaved = UnsavedChanges::Save;
    EXPECT_TRUE(window.close());
    EXPECT_THAT(ReadBytes(disc.settingsFile()), HasSubstr("clip00=Hello"));
}

} // namespace
} // namespace quorix::author
