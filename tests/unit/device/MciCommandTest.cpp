#include "device/MciCommand.h"

#include <gtest/gtest.h>

namespace quorix::device {
namespace {

std::vector<MciWord> words(std::string_view text) {
    auto line = splitCommand(std::string("status x ") + std::string(text));
    EXPECT_TRUE(line.ok()) << text;
    return line.ok() ? line.value().options : std::vector<MciWord>{};
}

TEST(MciCommandTest, SplitsVerbNameAndOptionsAcrossRunsOfBlanksAndTabs) {
    auto line = splitCommand("  SEEK\tMySound   to  250 wait ");
    ASSERT_TRUE(line.ok());
    EXPECT_EQ(line.value().verb, MciVerb::Seek);
    EXPECT_EQ(line.value().name.text, "MySound");
    ASSERT_EQ(line.value().options.size(), 3U);
    EXPECT_EQ(line.value().options[1].text, "250");

    // A quoted name keeps its blanks; an unquoted one ends at the first blank.
    auto quoted = splitCommand("open \"d:\\my clips\\clip01.mpg\" alias video");
    ASSERT_TRUE(quoted.ok());
    EXPECT_EQ(quoted.value().name.text, "d:\\my clips\\clip01.mpg");
    EXPECT_TRUE(quoted.value().name.quoted);
    EXPECT_EQ(quoted.value().options.size(), 2U);
    auto bare = splitCommand("open d:\\my clips\\clip01.mpg alias video");
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(bare.value().name.text, "d:\\my");
    EXPECT_EQ(bare.value().options.front().text, "clips\\clip01.mpg");
}

TEST(MciCommandTest, MalformedCommandStringsGiveTheirCodes) {
    EXPECT_EQ(splitCommand("").code(), 267);
    EXPECT_EQ(splitCommand("   ").code(), 267);
    EXPECT_EQ(splitCommand("jump video").code(), 261);
    EXPECT_EQ(splitCommand("open").code(), 292);
    EXPECT_EQ(splitCommand("close   ").code(), 292);
    EXPECT_EQ(splitCommand("open \"a b.mpg").code(), 294);
    EXPECT_EQ(splitCommand("open \"a b.mpg\"x").code(), 305);
    // A verb of the command set that this device lacks is not an unknown verb.
    auto step = splitCommand("Step video");
    ASSERT_TRUE(step.ok());
    EXPECT_EQ(step.value().verb, MciVerb::Unsupported);
}

TEST(MciCommandTest, IntegersAreDecimalWithSignOrColonPacked) {
    EXPECT_EQ(parseInteger(":1").value(), 256);
    EXPECT_EQ(parseInteger("1:2").value(), 0x0201);
    EXPECT_EQ(parseInteger("1:2:3:4").value(), 0x04030201);
    EXPECT_EQ(parseInteger("2147483647").value(), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648").value(), -2147483647 - 1);
    for (const char* bad :
         {"", "-", "0xfa", "12a", "2147483648", "1:256", "1:0255", "1:2:3:4:5", "+5"}) {
        EXPECT_EQ(parseInteger(bad).code(), 270) << bad;
    }
}

TEST(MciCommandTest, StatusTakesExactlyOneItem) {
    EXPECT_EQ(parseStatusOptions(words("start   position")).value(), StatusItem::StartPosition);
    EXPECT_EQ(parseStatusOptions(words("time format wait")).value(), StatusItem::TimeFormat);
    EXPECT_EQ(parseStatusOptions(words("")).code(), 274);
    EXPECT_EQ(parseStatusOptions(words("mode wait wait")).code(), 295);
}

TEST(MciCommandTest, SeekAndPlayRefusals) {
    EXPECT_EQ(parseSeekOptions(words("")).code(), 273);
    EXPECT_EQ(parseSeekOptions(words("to start to 0")).code(), 284);
    EXPECT_EQ(parseSeekOptions(words("from 1")).code(), 259);
    EXPECT_EQ(parsePlayOptions(words("from")).code(), 270);
    EXPECT_EQ(parsePlayOptions(words("from 1 from 2")).code(), 295);
    EXPECT_EQ(parsePlayOptions(words("fullscreen")).code(), 259);
}

TEST(MciCommandTest, TimeFormatsAndTheirRefusals) {
    EXPECT_EQ(parseSetOptions(words("Time Format MS")).value(), TimeFormat::Milliseconds);
    EXPECT_EQ(parseSetOptions(words("milliseconds")).code(), 259);
    EXPECT_EQ(parseSetOptions(words("time format")).code(), 273);
    EXPECT_EQ(parseSetOptions(words("")).code(), 273);
    EXPECT_EQ(parseSetOptions(words("time format hms")).code(), 293);
    EXPECT_EQ(parseSetOptions(words("time format fortnights")).code(), 290);
}

TEST(MciCommandTest, WindowPutWhereAndOpen) {
    EXPECT_EQ(parseWindowOptions(words("handle")).code(), 270);
    EXPECT_EQ(parseWindowOptions(words("")).code(), 273);
    EXPECT_EQ(parseWindowOptions(words("state hide")).code(), 274);
    EXPECT_EQ(parsePutOptions(words("destination at 0 0 -1 5")).code(), 270);
    EXPECT_EQ(parsePutOptions(words("")).code(), 273);
    EXPECT_EQ(parsePutOptions(words("at 0 0 1 1")).code(), 273);
    EXPECT_EQ(parseWhereOptions(words("")).code(), 273);
    EXPECT_EQ(parseWhereOptions(words("source destination")).code(), 284);

    auto open = parseOpenOptions(words("type MPEGVideo alias \"my video\" shareable wait"));
    ASSERT_TRUE(open.ok());
    EXPECT_EQ(open.value().type, "MPEGVideo");
    EXPECT_EQ(open.value().alias, "my video");
    EXPECT_EQ(parseOpenOptions(words("alias a alias b")).code(), 295);
}

} // namespace
} // namespace quorix::device
