#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace antraid {
namespace {

TEST(Numbers, RoundingGoesHalfToEvenAndIntegersRefuseWhatDoesNotFit) {
  for (auto [v, r] : {std::pair{0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {3.5, 4.0}, {-0.5, 0.0}, {-1.5, -2.0},
                      {-2.5, -2.0}, {2.4999999, 2.0}, {2.5000001, 3.0}, {-7.75, -8.0}, {1e20, 1e20},
                      // halves still exist just above 2^51
                      {2251799813685248.5, 2251799813685248.0}, {2251799813685249.5, 2251799813685250.0}})
    EXPECT_EQ(RoundHalfEven(v), r) << v;

  EXPECT_EQ(ToInt16(32767.49), 32767);
  EXPECT_EQ(ToInt16(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(ToInt16(-32768.5), -32768);       // rounds to the even -32768
  EXPECT_EQ(ToInt16(-32768.51), std::nullopt);
  EXPECT_EQ(ToInt16(6.5), 6);
  EXPECT_EQ(ToInt32(2147483647.49), 2147483647);
  EXPECT_EQ(ToInt32(2147483647.5), std::nullopt);
  EXPECT_EQ(ToInt32(-2147483648.5), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ToInt32(-2147483649.0), std::nullopt);
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300}) {
    EXPECT_EQ(ToInt16(bad), std::nullopt);
    EXPECT_EQ(ToInt32(bad), std::nullopt);
  }
}

TEST(Numbers, NumbersAreWrittenInPlainDecimal) {
  EXPECT_EQ(FormatSingle(static_cast<float>(2.9 / 300)), "0.009666666");  // 7 significant digits
  EXPECT_EQ(FormatSingle(1.5f), "1.5");
  EXPECT_EQ(FormatSingle(1.5f * 30.0f), "45");
  EXPECT_EQ(FormatSingle(58.33334f), "58.33334");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(-12.25f), "-12.25");
  EXPECT_EQ(FormatSingle(700.0f), "700");
  EXPECT_EQ(FormatDouble(1.0 / 3.0), "0.333333333333333");  // 15 significant digits
  EXPECT_EQ(FormatDouble(0.6), "0.6");
  EXPECT_EQ(FormatDouble(2.0), "2");
  EXPECT_EQ(FormatDouble(-0.05), "-0.05");
  EXPECT_EQ(FormatInt(-2147483648LL), "-2147483648");
  EXPECT_EQ(FormatInt(0), "0");
  EXPECT_STREQ(FormatBool(true), "True");
  EXPECT_STREQ(FormatBool(false), "False");
  EXPECT_EQ(RGB(238, 236, 162), 238u + 256u * 236u + 65536u * 162u);
}

TEST(Numbers, ATextIsReadAsANumberOrRefusedWithItsReason) {
  for (auto [text, v] : {std::pair{"12", 12.0}, {"  12\t", 12.0}, {"+3.5", 3.5}, {"-0", 0.0}, {"1e3", 1000.0},
                         {"2.5E-1", 0.25}, {".5", 0.5}, {"5.", 5.0}, {"-7", -7.0}, {"32768", 32768.0},
                         {"1e-999", 0.0}}) {
    ParsedNumber n = ParseNumber(text);
    ASSERT_TRUE(n.ok()) << text;
    EXPECT_EQ(n.value, v) << text;
    EXPECT_FALSE(std::signbit(n.value) && n.value == 0) << text;  // "-0" is plain 0
  }
  for (const char* text : {"", " ", "\t \t"}) EXPECT_EQ(ParseNumber(text).status, ParseStatus::Empty) << text;
  for (const char* text : {"abc", "1.2.3", "1e", "--1", "1 2", "0x10", "1,5", "e5", ".", "-", "12abc", "1e+"})
    EXPECT_EQ(ParseNumber(text).status, ParseStatus::NotANumber) << text;
  for (const char* text : {"1e999", "-1e999"}) EXPECT_EQ(ParseNumber(text).status, ParseStatus::OutOfRange) << text;
  EXPECT_EQ(ParseNumber(std::string(10000, '9')).status, ParseStatus::OutOfRange);
  EXPECT_EQ(ParseNumber(std::string(10000, 'x')).status, ParseStatus::NotANumber);
  EXPECT_EQ(ParseNumber("0." + std::string(9990, '0') + "1").value, 0.0);
}

}  // namespace
}  // namespace antraid
