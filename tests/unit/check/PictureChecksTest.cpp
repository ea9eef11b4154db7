#include "check/PictureChecks.h"

#include "../platform/TempDir.h"

#include <QImage>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using platform::testing_support::TempDir;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PictureChecksTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.valid()); }

    std::string media() const { return folder.path().string() + "/"; }

    void picture(const std::string& name, const char* format, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        ASSERT_TRUE(image.save(QString::fromStdString((folder.path() / name).string()), format));
    }

    PictureChecks check(std::int16_t menuMode, std::int16_t logoMode) {
        SettingsRecord settings;
        settings.MenuMode = menuMode;
        settings.LogoMode = logoMode;
        return CheckPictures(paths, media(), settings);
    }

    TempDir folder;
    platform::PathResolver paths{[](const std::string&) { return std::nullopt; }};
};

TEST_F(PictureChecksTest, PicturesThatDecodeAreDescribed) {
    picture("FRAME.JPG", "JPG", 64, 48);
    picture("bgrd.jpg", "JPG", 32, 24);
    picture("logo.bmp", "BMP", 30, 25);
    const PictureChecks checks = check(1, 1);
    EXPECT_THAT(checks.problems, IsEmpty());
    EXPECT_THAT(checks.lines, ElementsAre("  frame.jpg: " + media() + "FRAME.JPG, 64x48",
                                          "  bgrd.jpg: " + media() + "bgrd.jpg, 32x24",
                                          "  logo.bmp: " + media() + "logo.bmp, 30x25"));
}

TEST_F(PictureChecksTest, APictureTheSettingsShowMustBeThere) {
    const PictureChecks checks = check(1, 1);
    EXPECT_THAT(
        checks.problems,
        ElementsAre("bgrd.jpg is missing at " + media() + "bgrd.jpg, though menumode 1 shows it",
                    "logo.bmp is missing at " + media() + "logo.bmp, though logomode 1 shows it"));
    // The frame layer keeps its designed look without a picture: no problem.
    EXPECT_EQ(checks.lines.front(), "  frame.jpg: not present (" + media() + "frame.jpg)");
}

TEST_F(PictureChecksTest, APictureThatCannotBeDecodedIsAProblemWhereShown) {
    folder.write("frame.jpg", "not a picture");
    folder.write("bgrd.jpg", "not a picture");
    folder.write("logo.bmp", "not a picture");
    EXPECT_THAT(check(1, 0).problems,
                ElementsAre("frame.jpg at " + media() + "frame.jpg cannot be decoded as a picture",
                            "bgrd.jpg at " + media() + "bgrd.jpg cannot be decoded as a picture"));
    // Settings that do not show a picture do not read it.
    const PictureChecks unused = check(2, 2);
    EXPECT_EQ(unused.problems.size(), 1U);
    EXPECT_THAT(unused.lines, ElementsAre(::testing::EndsWith("cannot be decoded"),
                                          "  bgrd.jpg: not shown with these settings",
                                          "  logo.bmp: not shown with these settings"));
}

} // namespace
} // namespace quorix::check
