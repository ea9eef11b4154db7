#include "platform/BasicNumber.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace quorix::platform {
namespace {

struct ValCase {
    std::string text;
    double value;
};

class BasicValReads : public testing::TestWithParam<ValCase> {};

TEST_P(BasicValReads, TheNumberTheTextBeginsWith) {
    const BasicNumber number = BasicVal(GetParam().text);
    EXPECT_TRUE(number.ok()) << GetParam().text;
    EXPECT_DOUBLE_EQ(number.value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, BasicValReads,
    testing::Values(ValCase{"", 0}, ValCase{"   ", 0}, ValCase{"abc", 0}, ValCase{"12", 12},
                    ValCase{"  -7", -7}, ValCase{"+3.25", 3.25}, ValCase{" 2 45 7", 2457},
                    ValCase{" 1615 198th Street", 1615198}, ValCase{"24 and 57", 24},
                    ValCase{"1,5", 1}, ValCase{"1.2.3", 1.2}, ValCase{"\t\r\n 9", 9},
                    ValCase{".5", 0.5}, ValCase{"-", 0}, ValCase{"1D3", 1000},
                    ValCase{"1e-2", 0.01}, ValCase{"2E 2", 200}, ValCase{"5e", 5},
                    ValCase{"50%", 50}, ValCase{"16711680", 16711680}, ValCase{"yes", 0}));

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, BasicValReads,
    testing::Values(ValCase{"&HFF", 255}, ValCase{"&hff", 255}, ValCase{"&HFFFF", -1},
                    ValCase{"&H8000", -32768}, ValCase{"&H7FFF", 32767},
                    ValCase{"&HFF0000", 16711680}, ValCase{"&HFFFFF", 1048575},
                    ValCase{"&HFFFFFFFF", -1}, ValCase{"&HFFFF&", 65535}, ValCase{"&H00FFFF", -1},
                    ValCase{"&H F F", 255}, ValCase{"&O17", 15}, ValCase{"&O177777", -1},
                    ValCase{"&X12", 0}, ValCase{"&", 0}, ValCase{"&HG", 0}, ValCase{"  &H10", 16}));

TEST(BasicVal, ReportsWhatTheRuntimeRefused) {
    for (const char* overflow : {"1e400", "&H123456789", "&H10000%"}) {
        EXPECT_EQ(BasicVal(overflow).status, BasicNumber::Status::Overflow) << overflow;
    }
    EXPECT_EQ(BasicVal("50.5%").status, BasicNumber::Status::TypeMismatch);
    EXPECT_EQ(BasicVal("1.5&").status, BasicNumber::Status::TypeMismatch);
}

// Halves go to the even neighbour; what does not fit gives nothing.
TEST(RoundToWhole, HalvesToEvenAndNothingWhenItDoesNotFit) {
    const std::pair<double, int> cases[] = {{0.5, 0},         {1.5, 2},          {2.5, 2},
                                            {3.5, 4},         {-1.5, -2},        {-2.5, -2},
                                            {32767.4, 32767}, {-32768.5, -32768}};
    for (const auto& [value, whole] : cases) {
        EXPECT_EQ(RoundToInt16(value), whole) << value;
    }
    EXPECT_FALSE(RoundToInt16(32767.5).has_value());
    EXPECT_FALSE(RoundToInt16(70000).has_value());
    EXPECT_EQ(RoundToInt32(2.4999), 2);
    EXPECT_EQ(RoundToInt32(2147483647.0), INT32_MAX);
    EXPECT_FALSE(RoundToInt32(2147483647.5).has_value());
    EXPECT_FALSE(RoundToInt32(1e12).has_value());
    EXPECT_FALSE(ReadInt16("1e400").has_value());
    EXPECT_EQ(ReadInt16("&HFFFF"), -1);
    EXPECT_EQ(ReadInt32("&HFF0000"), 16711680);
}

} // namespace
} // namespace quorix::platform
