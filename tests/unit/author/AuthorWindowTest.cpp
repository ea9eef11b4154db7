#include "author/AuthorWindow.h"

#include "SampleDisc.h"
#include "author/CatalogueEditor.h"
#include "author/PreviewPanel.h"
#include "author/SettingsEditor.h"
#include "platform/FileProfileReader.h"
#include "platform/mci/ScriptedMciDevice.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::author {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing_support::ReadBytes;
using testing_support::SampleDisc;

class ScriptedDialogs final : public AuthorDialogs {
public:
    QStringList chooseClipFiles(const QString&) override { return clips; }
    QString chooseFolder(const QString&) override { return folder; }
    std::optional<QColor> chooseColour(const QColor&) override { return colour; }
    bool discardChanges() override {
        ++discardQuestions;
        return discard;
    }
    void showError(const QString& text) override { errors.push_back(text.toStdString()); }
    void showWarning(const QString& text) override { warnings.push_back(text.toStdString()); }

    QStringList clips;
    QString folder;
    std::optional<QColor> colour;
    bool discard = false;
    int discardQuestions = 0;
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
};

class RecordingLauncher final : public ProgramLauncher {
public:
    QString start(const QString& program, const QStringList& arguments) override {
        started.push_back((program + u' ' + arguments.join(u' ')).toStdString());
        return {};
    }
    std::vector<std::string> started;
};

class AuthorWindowTest : public ::testing::Test {
protected:
    AuthorWindowTest() {
        device.always("status check length", 0, "250");
        window.resize(1200, 760);
        window.show();
    }

    QString media() const { return QString::fromStdString(disc.media().string()); }
    CatalogueEditor& catalogue() { return *window.catalogueEditor(); }
    QTableWidget& table() { return *catalogue().table(); }

    // The presenter's reading of the saved file.
    std::vector<std::string> presenterCatalogue() {
        platform::FileProfileReader reader(paths);
        return testing_support::PlayableEntries(ReadCatalogue(reader, disc.mediaPath()));
    }

    std::vector<std::string> problems() const {
        std::vector<std::string> lines;
        for (const QString& problem : window.problems()) {
            lines.push_back(problem.toStdString());
        }
        return lines;
    }

    SampleDisc disc;
    const std::string sample = ReadBytes(disc.settingsFile());
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    platform::mci::ScriptedMciDevice device;
    platform::PathResolver paths;
    AuthorWindow window{{dialogs, launcher, device, paths, "quorix"}};
};

TEST_F(AuthorWindowTest, ChangingOneTitleChangesOnlyItsLines) {
    ASSERT_TRUE(window.openFolder(media()));
    EXPECT_EQ(table().rowCount(), 4);
    table().item(2, 0)->setText("Deep Sea");
    EXPECT_TRUE(window.modified());
    window.saveAction()->trigger();
    EXPECT_FALSE(window.modified());
    std::string expected = sample;
    expected.replace(expected.find("clip02=Open Sea"), 15, "clip02=Deep Sea");
    expected.replace(expected.find("Open Sea=sea.mpg"), 16, "Deep Sea=sea.mpg");
    EXPECT_EQ(ReadBytes(disc.settingsFile()), expected);
    EXPECT_THAT(dialogs.errors, IsEmpty());
    EXPECT_THAT(dialogs.warnings, IsEmpty());
}

TEST_F(AuthorWindowTest, AddsByDialogAndByDropReordersAndSaves) {
    platform::testing_support::TempDir elsewhere;
    const auto harbour = elsewhere.write("Harbour.mpg", "mpeg");
    const auto night = elsewhere.write("clips/Night.mpg", "mpeg");
    ASSERT_TRUE(window.openFolder(media()));

    // Copied in through the file dialog.
    dialogs.clips = {QString::fromStdString(harbour.string())};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    ASSERT_EQ(table().rowCount(), 5);
    EXPECT_EQ(table().item(4, 0)->text(), "Harbour");
    EXPECT_TRUE(std::filesystem::exists(disc.media() / "Harbour.mpg"));

    // Dropped from a file manager and left where it lies.
    catalogue().placementBox()->setCurrentIndex(1);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(night.string()))});
    // A file manager's drag: entering, then the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table().viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table().viewport(), &drop);
    ASSERT_EQ(table().rowCount(), 6);
    const QString reference = table().item(5, 1)->text();
    EXPECT_TRUE(reference.startsWith("..\\")) << reference.toStdString();
    EXPECT_TRUE(reference.endsWith("\\clips\\Night.mpg")) << reference.toStdString();

    // Harbour goes up above Sunrise; the intro (Welcome) moves down with its entry.
    table().selectRow(4);
    QTest::mouseClick(catalogue().upButton(), Qt::LeftButton);
    table().selectRow(0);
    QTest::mouseClick(catalogue().downButton(), Qt::LeftButton);
    EXPECT_EQ(catalogue().introBox()->currentText(), "Welcome");
    // One more, taken out again with the Delete key.
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    ASSERT_EQ(table().rowCount(), 7);
    table().setFocus();
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(table().rowCount(), 6);
    window.saveAction()->trigger();

    EXPECT_THAT(presenterCatalogue(),
                ElementsAre("B\xE4r im Wald=wald.mpg", "Welcome=welcome.mpg", "Open Sea=sea.mpg",
                            "Harbour=Harbour.mpg", "Sunrise=sunrise.mpg",
                            "Night=" + reference.toStdString()));
    const std::string saved = ReadBytes(disc.settingsFile());
    EXPECT_THAT(saved, HasSubstr("\r\nintro=1\r\n"));
    EXPECT_THAT(saved, HasSubstr("\r\nSunrise=sunrise.mpg\r\nHarbour=Harbour.mpg\r\n"));
    EXPECT_THAT(dialogs.errors, IsEmpty());
}

TEST_F(AuthorWindowTest, BadFoldersAndFailedSavesSayWhyAndLoseNothing) {
    EXPECT_FALSE(window.openFolder("/no/such/folder"));
    // A folder whose path does not name "quorix" and that holds no quorix/ folder.
    QTemporaryDir empty(QDir::tempPath() + "/author-XXXXXX");
    ASSERT_TRUE(empty.isValid());
    EXPECT_FALSE(window.openFolder(empty.path()));
    ASSERT_THAT(dialogs.errors,
                ElementsAre(HasSubstr("does not exist"), HasSubstr("holds no media folder")));
    EXPECT_FALSE(window.disc().has_value());

    ASSERT_TRUE(window.openFolder(media()));
    table().item(0, 0)->setText("Hello");
    // A clip added under a name the media folder already has is not copied over it.
    platform::testing_support::TempDir elsewhere;
    dialogs.clips = {QString::fromStdString(elsewhere.write("wald.mpg", "other").string())};
    QTest::mouseClick(catalogue().addButton(), Qt::LeftButton);
    EXPECT_THAT(dialogs.errors.back(), HasSubstr("already holds a file named wald.mpg"));
    EXPECT_EQ(table().rowCount(), 4);

    // Another folder is not opened over unsaved changes unless the author says so.
    EXPECT_FALSE(window.openFolder(media()));
    EXPECT_EQ(dialogs.discardQuestions, 1);

    // Presenting must save first, and cannot.
    EXPECT_FALSE(testing_support::WithFileSizeLimit(16, [&] { return window.save(); }));
    EXPECT_FALSE(testing_support::WithFileSizeLimit(16, [&] { return window.present(); }));
    EXPECT_THAT(dialogs.errors.back(), HasSubstr("cannot be written"));
    EXPECT_EQ(ReadBytes(disc.settingsFile()), sample);
    EXPECT_TRUE(window.modified());
    EXPECT_EQ(window.document().value("cliplist", "clip00"), "Hello");
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(AuthorWindowTest, SettingsAreWrittenAsTheKeysTheyStandFor) {
    ASSERT_TRUE(window.openFolder(media()));
    SettingsEditor& settings = *window.settingsEditor();
    auto* interval = qobject_cast<QSpinBox*>(settings.control("interval"));
    ASSERT_NE(interval, nullptr);
    EXPECT_EQ(interval->value(), 1000); // absent: the presenter's default
    interval->setValue(250);
    EXPECT_EQ(window.document().value("settings", "interval"), "250");

    dialogs.colour = QColor(255, 0, 0);
    QTest::mouseClick(qobject_cast<QPushButton*>(settings.control("color")), Qt::LeftButton);
    EXPECT_EQ(window.document().value("font", "color"), "&H000000FF");

    QTest::mouseClick(settings.defaultButton("factor"), Qt::LeftButton);
    EXPECT_FALSE(window.document().value("font", "factor").has_value());

    // The closing logo is one key seen from two places.
    auto* logo = qobject_cast<QComboBox*>(settings.control("logomode"));
    ASSERT_NE(logo, nullptr);
    logo->setCurrentIndex(logo->findData(0));
    emit logo->activated(logo->currentIndex());
    EXPECT_EQ(window.document().value("settings", "logomode"), "0");
    EXPECT_FALSE(catalogue().logoBox()->isChecked());

    window.saveAction()->trigger();
    const std::string saved = ReadBytes(disc.settingsFile());
    EXPECT_THAT(saved,
                HasSubstr("logomode=0\r\ninterval=250\r\n\r\n[font]\r\ncolor=&H000000FF\r\n"));
    EXPECT_THAT(saved, Not(HasSubstr("factor")));
}

TEST_F(AuthorWindowTest, ProblemsFollowWhatTheAuthorTypes) {
    ASSERT_TRUE(window.openFolder(media()));
    EXPECT_THAT(problems(), IsEmpty());
    table().item(1, 1)->setText("missing.mpg");
    window.refreshNow();
    EXPECT_THAT(problems(), Contains(HasSubstr("missing.mpg")));

    // Placed past the right edge of the screen.
    window.settingsEditor(); // the placing values are catalogue keys
    DiscCatalogue moved = catalogue().catalogue();
    for (CatalogueEntry& entry : moved.entries) {
        entry.xpos = "900";
        entry.ypos = "2000";
    }
    catalogue().setCatalogue(moved);
    emit catalogue().edited();
    window.refreshNow();
    EXPECT_THAT(problems(), Contains(HasSubstr("lies off the screen at 1024x768")));
    window.previewPanel()->sizeBox()->setCurrentIndex(2);
    EXPECT_THAT(problems(), Contains(HasSubstr("lies off the screen at 1920x1080")));
}

TEST_F(AuthorWindowTest, PresentSavesFirstAndStartsThePresenterOnTheFolder) {
    ASSERT_TRUE(window.openFolder(media()));
    catalogue().logoBox()->click();
    window.presentAction()->trigger();
    EXPECT_FALSE(window.modified());
    EXPECT_THAT(ReadBytes(disc.settingsFile()), HasSubstr("logomode=0"));
    EXPECT_THAT(launcher.started, ElementsAre("quorix " + disc.media().string()));
}

} // namespace
} // namespace quorix::author
