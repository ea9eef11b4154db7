#include "startup/SettingsReader.h"

#include "platform/MemoryProfileReader.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::startup {
namespace {

const std::string Media = "d:\\quorix\\";

program::SettingsRecord Read(const std::string& ini) {
    platform::MemoryProfileReader reader;
    reader.setFile(Media + "quorix.ini", ini);
    return ReadSettings(reader, Media);
}

// Edges of the numbers in the settings file that no replayed disc shows.
TEST(ReadSettings, NumbersAreRoundedAndValuesThatCannotBeStoredKeepTheStartUpValue) {
    const auto s = Read("[settings]\nmenumode=1e400\noverscan=-40000\nintro=32767\n"
                        "lineoffset=1e308\nhilitecolor=3000000000\n");
    EXPECT_EQ(s.MenuMode, 0);
    EXPECT_EQ(s.Overscan, 0);
    EXPECT_EQ(s.IntroClip, 1); // 32767 + 1 does not fit 16 bits
    EXPECT_FLOAT_EQ(s.LineOffset, 1.5F);
    EXPECT_EQ(s.HiliteColor, 15);
    // A text without a number reads as 0: that is a value, not an absent key.
    EXPECT_EQ(Read("[settings]\nhilitecolor=red\n").HiliteColor, 0);
    EXPECT_EQ(Read("[font]\nfactor=big\n").FontFactor, 0);
    EXPECT_EQ(Read("[font]\nmenumode=1\n").MenuMode, 0);
    // The intro adds one before rounding.
    EXPECT_EQ(Read("[settings]\nintro=-1\n").IntroClip, 0);
    EXPECT_EQ(Read("[settings]\nintro=1.5\n").IntroClip, 2);
    EXPECT_FLOAT_EQ(Read("[settings]\nlineoffset=\n").LineOffset, 0.0F);
}

TEST(ReadSettings, IntervalOutsideItsRangeOrWithoutANumberReadsAsAbsent) {
    auto tick = [](const std::string& value) {
        return Read("[settings]\ninterval=" + value + "\n").TickInterval;
    };
    EXPECT_EQ(tick("50"), 50);
    EXPECT_EQ(tick("1000"), 1000);
    EXPECT_EQ(tick(" 120 ms"), 120);
    EXPECT_EQ(tick("49.5"), 50); // rounds to the even 50 before the range is tested
    for (const char* absent : {"49", "1001", "0", "-100", "fast", "", "1e9"}) {
        EXPECT_EQ(tick(absent), 1000) << absent;
    }
}

TEST(TitleStyle, ColourDerivesTheHighlightOnlyWhenItIsZeroAndFlagsAreAnyNonZeroNumber) {
    auto style = [](const std::string& ini) {
        platform::MemoryProfileReader reader;
        reader.setFile(Media + "quorix.ini", ini);
        program::SettingsRecord settings = ReadSettings(reader, Media);
        ReadTitleStyle(settings, reader, Media);
        return settings;
    };
    program::SettingsRecord s = style("[settings]\nhilitecolor=0\n[font]\ncolor=255\n");
    EXPECT_EQ(s.FontColor, 0x0000FF);
    EXPECT_EQ(s.HiliteColor, 0xFFFF80);
    EXPECT_EQ(style("[font]\ncolor=&HFFFFFF\n").HiliteColor, 15);
    EXPECT_EQ(style("[settings]\nhilitecolor=0\n").HiliteColor, 0);
    EXPECT_FALSE(style("[settings]\nhilitecolor=0\n[font]\ncolor=\n").FontColor.has_value());
    EXPECT_FALSE(style("[font]\ncolor=&H123456789\n").FontColor.has_value());
    EXPECT_EQ(style("[font]\ncolor=16711680\n").FontColor, 16711680);
    for (const char* off : {"yes", "0", "", "1e400"}) {
        EXPECT_FALSE(style(std::string("[font]\nbold=") + off + "\n").Bold) << off;
    }
    EXPECT_TRUE(style("[font]\nbold=0.25\n").Bold);
    EXPECT_TRUE(style("[font]\nitalic=-1\n").Italic);
}

} // namespace
} // namespace quorix::startup
