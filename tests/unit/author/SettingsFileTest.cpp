#include "author/SettingsFile.h"

#include "SampleDisc.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

namespace quorix::author {
namespace {

using platform::testing_support::TempDir;
using testing_support::ReadBytes;

TEST(SettingsFileTest, SavesInWindows1252WhenItCanAndWarnsWhenItCannot) {
    TempDir folder;
    const auto path = folder.write("quorix.ini", "[cliplist]\r\nclip00=B\xE4r\r\n");
    const QString name = QString::fromStdString(path.string());
    LoadedSettingsFile loaded = LoadSettingsFile(name);
    ASSERT_TRUE(loaded.document);
    EXPECT_TRUE(loaded.existed);
    IniDocument& document = *loaded.document;

    document.setValue("cliplist", "clip01", QString::fromUtf8("Caf\xC3\xA9"));
    SavedSettingsFile saved = SaveSettingsFile(name, document);
    EXPECT_TRUE(saved.saved);
    EXPECT_EQ(saved.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(saved.warning.isEmpty());
    EXPECT_EQ(ReadBytes(path), "[cliplist]\r\nclip00=B\xE4r\r\nclip01=Caf\xE9\r\n");

    document.setValue("cliplist", "clip01", QString::fromUtf8("\xE6\x9D\xB1\xE4\xBA\xAC"));
    saved = SaveSettingsFile(name, document);
    EXPECT_TRUE(saved.saved);
    EXPECT_EQ(saved.encoding, TextEncoding::Utf8);
    EXPECT_FALSE(saved.warning.isEmpty());
    EXPECT_EQ(ReadBytes(path),
              "[cliplist]\r\nclip00=B\xC3\xA4r\r\nclip01=\xE6\x9D\xB1\xE4\xBA\xAC\r\n");
}

// A disc that fills up stops the write half way; the old file must still be there, whole.
TEST(SettingsFileTest, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    TempDir folder;
    const auto path = folder.write("quorix.ini", "[settings]\r\nmenumode=1\r\n");
    IniDocument document;
    for (int i = 0; i < 200; ++i) {
        document.setValue("settings", QStringLiteral("key%1").arg(i), "a long enough value");
    }
    const SavedSettingsFile saved = testing_support::WithFileSizeLimit(
        64, [&] { return SaveSettingsFile(QString::fromStdString(path.string()), document); });

    EXPECT_FALSE(saved.saved);
    EXPECT_TRUE(saved.error.contains("cannot be written")) << saved.error.toStdString();
    EXPECT_EQ(ReadBytes(path), "[settings]\r\nmenumode=1\r\n");
    // No temporary file is left behind either.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SettingsFileTest, AMissingFileIsANewDocumentAndAFolderIsRefused) {
    TempDir folder;
    const LoadedSettingsFile missing =
        LoadSettingsFile(QString::fromStdString((folder.path() / "quorix.ini").string()));
    ASSERT_TRUE(missing.document);
    EXPECT_FALSE(missing.existed);
    std::filesystem::create_directory(folder.path() / "quorix.ini");
    const LoadedSettingsFile folderNamedLikeIt =
        LoadSettingsFile(QString::fromStdString((folder.path() / "quorix.ini").string()));
    EXPECT_FALSE(folderNamedLikeIt.document);
    EXPECT_TRUE(folderNamedLikeIt.error.contains("not a file"));
}

} // namespace
} // namespace quorix::author
