#include "author/SettingsFile.h"

#include "SampleDisc.h"

#include <filesystem>
#include <gtest/gtest.h>

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

TEST(SettingsFileTest, AMissingFileIsANewDocumentAndAFolderIsRefused) {
    TempDir folder;
    const QString name = QString::fromStdString((folder.path() / "quorix.ini").string());
    const LoadedSettingsFile missing = LoadSettingsFile(name);
    EXPECT_TRUE(missing.document && !missing.existed);
    std::filesystem::create_directory(folder.path() / "quorix.ini");
    const LoadedSettingsFile folderNamedLikeIt = LoadSettingsFile(name);
    EXPECT_FALSE(folderNamedLikeIt.document);
    EXPECT_TRUE(folderNamedLikeIt.error.contains("not a file"));
}

} // namespace
} // namespace quorix::author
