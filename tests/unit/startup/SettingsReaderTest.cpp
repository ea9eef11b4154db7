#include "startup/SettingsReader.h"

#include "platform/MemoryProfileReader.h"
#include "startup/FirstPlayState.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix {
namespace {

const std::string Media = "d:\\quorix\\";

SettingsRecord Read(const std::string& ini) {
    platform::MemoryProfileReader reader;
    reader.setFile(Media + "quorix.ini", ini);
    return ReadSettings(reader, Media);
}

TEST(ReadSettings, EmptyOrMissingFileGivesTheStartUpValues) {
    platform::MemoryProfileReader noFile;
    for (const SettingsRecord& s : {Read(""), ReadSettings(noFile, Media)}) {
        EXPECT_EQ(s.WideMode, 0);
        EXPECT_EQ(s.MenuMode, 0);
        EXPECT_EQ(s.LoopMode, 0);
        EXPECT_EQ(s.HideMode, 0);
        EXPECT_EQ(s.ShadowMode, 0);
        EXPECT_EQ(s.Overscan, 0);
        EXPECT_EQ(s.IntroClip, 1);
        EXPECT_FLOAT_EQ(s.LineOffset, 1.5F);
        EXPECT_EQ(s.HiliteColor, 15);
        EXPECT_EQ(s.LogoMode, 0);
        EXPECT_EQ(s.FontFactor, 3495);
        EXPECT_EQ(s.FontColor, 0);
    }
}

TEST(ReadSettings, ReadsEveryKeyOfItsSection) {
    const SettingsRecord s = Read("[settings]\r\nwidemode=1\r\nmenumode=1\r\nloopmode=2\r\n"
                                  "hidemode=1\r\nshadowmode=1\r\noverscan=-8\r\n"
                                  "hilitecolor=&HFF00&\r\nlogomode=1\r\n"
                                  "[font]\r\nfactor=5000\r\n");
    EXPECT_EQ(s.WideMode, 1);
    EXPECT_EQ(s.MenuMode, 1);
    EXPECT_EQ(s.LoopMode, 2);
    EXPECT_EQ(s.HideMode, 1);
    EXPECT_EQ(s.ShadowMode, 1);
    EXPECT_EQ(s.Overscan, -8);
    EXPECT_EQ(s.HiliteColor, 0xFF00);
    EXPECT_EQ(s.LogoMode, 1);
    EXPECT_EQ(s.FontFactor, 5000);
    // Keys in the wrong section are not seen.
    EXPECT_EQ(Read("[font]\r\nmenumode=1\r\n").MenuMode, 0);
}

TEST(ReadSettings, IntroAddsOneBeforeRounding) {
    EXPECT_EQ(Read("[settings]\nintro=0\n").IntroClip, 1);
    EXPECT_EQ(Read("[settings]\nintro=2\n").IntroClip, 3);
    EXPECT_EQ(Read("[settings]\nintro=-1\n").IntroClip, 0);
    EXPECT_EQ(Read("[settings]\nintro=0.5\n").IntroClip, 2);
    EXPECT_EQ(Read("[settings]\nintro=1.5\n").IntroClip, 2);
    EXPECT_EQ(Read("[settings]\nintro=none\n").IntroClip, 1);
}

TEST(ReadSettings, LineOffsetIsInTenths) {
    EXPECT_FLOAT_EQ(Read("[settings]\nlineoffset=12\n").LineOffset, 1.2F);
    EXPECT_FLOAT_EQ(Read("[settings]\nlineoffset=0\n").LineOffset, 0.0F);
    EXPECT_FLOAT_EQ(Read("[settings]\nlineoffset=\n").LineOffset, 0.0F);
}

TEST(ReadSettings, ValuesThatCannotBeStoredKeepTheStartUpValue) {
    const SettingsRecord s = Read("[settings]\nwidemode=70000\nmenumode=1e400\n"
                                  "overscan=-40000\nintro=32767\nlineoffset=1e308\n"
                                  "hilitecolor=3000000000\n[font]\nfactor=1e12\n");
    EXPECT_EQ(s.WideMode, 0);
    EXPECT_EQ(s.MenuMode, 0);
    EXPECT_EQ(s.Overscan, 0);
    EXPECT_EQ(s.IntroClip, 1); // 32767 + 1 does not fit 16 bits
    EXPECT_FLOAT_EQ(s.LineOffset, 1.5F);
    EXPECT_EQ(s.HiliteColor, 15);
    EXPECT_EQ(s.FontFactor, 3495);
    // A text without a number reads as 0: that is a value, not an absent key.
    EXPECT_EQ(Read("[settings]\nhilitecolor=red\n").HiliteColor, 0);
    EXPECT_EQ(Read("[font]\nfactor=big\n").FontFactor, 0);
}

TEST(ReadSettings, IntervalOutsideItsRangeOrWithoutANumberReadsAsAbsent) {
    auto tick = [](const std::string& value) {
        return Read("[settings]\ninterval=" + value + "\n").TickInterval;
    };
    EXPECT_EQ(Read("").TickInterval, 1000);
    EXPECT_EQ(tick("50"), 50);
    EXPECT_EQ(tick("1000"), 1000);
    EXPECT_EQ(tick(" 120 ms"), 120);
    EXPECT_EQ(tick("49.5"), 50); // rounds to the even 50 before the range is tested
    for (const char* absent : {"49", "1001", "0", "-100", "fast", "", "1e9"}) {
        EXPECT_EQ(tick(absent), 1000) << absent;
    }
}

TEST(FontKeys, ColourDerivesTheHighlightOnlyWhenItIsZero) {
    SettingsRecord s = Read("[settings]\nhilitecolor=0\n");
    ApplyFontColor(s, *FontColorFromText("&HFFFFFF"));
    EXPECT_EQ(s.FontColor, 16777215);
    EXPECT_EQ(s.HiliteColor, 0x808080);

    s = Read("[settings]\nhilitecolor=0\n");
    ApplyFontColor(s, 0x0000FF);
    EXPECT_EQ(s.HiliteColor, 0xFFFF80);

    s = Read("");
    ApplyFontColor(s, 0xFFFFFF);
    EXPECT_EQ(s.HiliteColor, 15);

    EXPECT_FALSE(FontColorFromText("").has_value());
    EXPECT_FALSE(FontColorFromText("&H123456789").has_value());
    EXPECT_EQ(FontColorFromText("16711680"), 16711680);
}

TEST(FontKeys, FlagsAreOnForAnyNonZeroNumber) {
    EXPECT_FALSE(FontFlagFromText("yes"));
    EXPECT_FALSE(FontFlagFromText("0"));
    EXPECT_FALSE(FontFlagFromText(""));
    EXPECT_TRUE(FontFlagFromText("1"));
    EXPECT_TRUE(FontFlagFromText("-1"));
}

TEST(FirstPlayState, MenuModeChoosesIntroOrMenuOtherwiseClipOne) {
    auto first = [](const std::string& ini) {
        ProgramState state;
        state.Settings = Read(ini);
        ChooseFirstPlayState(state);
        return std::to_string(StateNumber(state.PlayState)) + "," +
               std::to_string(state.CurrentClip);
    };
    EXPECT_EQ(first("[settings]\nmenumode=1\n"), "-3,0");
    EXPECT_EQ(first("[settings]\nmenumode=1\nintro=-1\n"), "-2,0");
    EXPECT_EQ(first("[settings]\nmenumode=1\nintro=-5\n"), "-2,0");
    EXPECT_EQ(first(""), "0,1");
    EXPECT_EQ(first("[settings]\nmenumode=2\n"), "0,1");
}

} // namespace
} // namespace quorix
