#include "author/AuthorWindow.h"

#include "SampleDisc.h"
#include "author/CatalogueEditor.h"
#include "author/PreviewPanel.h"
#include "author/SettingsEditor.h"
#include "device/ScriptedMciDevice.h"
#include "platform/FileProfileReader.h"

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
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace quorix::author {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing_support::ReadBytes;

class ScriptedDialogs final : public AuthorDialogs {
public:
    QStringList chooseClipFiles(const QString&) override { return clips; }
    QString chooseFolder(const QString&) override { return {}; }
    std::optional<QColor> chooseColour(const QColor&) override { return colour; }
    bool discardChanges() override {
        ++discardQuestions;
        return false;
    }
    void showError(const QString& text) override { shown.push_back(text.toStdString()); }
    void showWarning(const QString& text) override { shown.push_back(text.toStdString()); }

    QStringList clips;
    std::optional<QColor> colour;
    int discardQuestions = 0;
    std::vector<std::string> shown; // errors and warnings
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

TEST_F(AuthorWindowTest, PresentingSavesOnlyTheChangedLinesAndStartsThePresenter) {
    EXPECT_EQ(table().rowCount(), 4);
    table().item(2, 0)->setText("Deep Sea");
    catalogue().logoBox()->click();
    EXPECT_TRUE(window.modified());
    window.presentAction()->trigger();
    EXPECT_FALSE(window.modified());
    std::string expected = sample;
    expected.replace(expected.find("logomode=1"), 10, "logomode=0");
    expected.replace(expected.find("clip02=Open Sea"), 15, "clip02=Deep Sea");
    expected.replace(expected.find("Open Sea=sea.mpg"), 16, "Deep Sea=sea.mpg");
    EXPECT_EQ(ReadBytes(disc.settingsFile()), expected);
    EXPECT_THAT(launcher.started, ElementsAre("quorix " + disc.media().string()));
    EXPECT_THAT(dialogs.shown, IsEmpty());
}

TEST_F(AuthorWindowTest, AddsByDialogAndByDropReordersAndSaves) {
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
    window.saveAction()->trigger();

    platform::FileProfileReader reader(paths);
    EXPECT_THAT(testing_support::PlayableEntries(ReadCatalogue(reader, disc.mediaPath())),
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
    EXPECT_EQ(dialogs.discardQuestions, 1);
    EXPECT_TRUE(window.save());
    EXPECT_FALSE(window.openFolder("/no/such/folder"));
    // Neither named "quorix" nor holding a quorix/ folder.
    QTemporaryDir empty(QDir::tempPath() + "/author-XXXXXX");
    EXPECT_FALSE(window.openFolder(empty.path()));
    EXPECT_THAT(std::vector(dialogs.shown.end() - 2, dialogs.shown.end()),
                ElementsAre(HasSubstr("does not exist"), HasSubstr("holds no media folder")));
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

    window.saveAction()->trigger();
    const std::string saved = ReadBytes(disc.settingsFile());
    EXPECT_THAT(saved,
                HasSubstr("logomode=0\r\ninterval=250\r\n\r\n[font]\r\ncolor=&H000000FF\r\n"));
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

} // namespace
} // namespace quorix::author
