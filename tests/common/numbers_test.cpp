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

// Plain decimal for magnitudes from 1e-15 up to 1e15 (after rounding to the
// type's significant digits), mantissa and exponent beyond them.
TEST(Numbers, NumbersAreWrittenInPlainDecimalUpToTheSwitchToExponents) {
  const std::pair<float, const char*> kSingles[] = {
      {static_cast<float>(2.9 / 300), "0.009666666"},  // 7 significant digits
      {1.5f, "1.5"}, {1.5f * 30.0f, "45"}, {58.33334f, "58.33334"}, {0.1f, "0.1"}, {-0.0f, "0"},
      {-12.25f, "-12.25"}, {700.0f, "700"},
      {std::nextafter(1e15f, 0.0f), "999999919882240"}, {1e15f, "1E+15"}, {-1e15f, "-1E+15"},
      {1.5e15f, "1.5E+15"}, {1e-15f, "0.000000000000001"}, {-1e-15f, "-0.000000000000001"},
      {9.9999999e-16f, "0.000000000000001"},  // rounds up to 1e-15
      {9.5e-16f, "9.5E-16"}, {1e-16f, "1E-16"}};
  for (auto [v, text] : kSingles) EXPECT_EQ(FormatSingle(v), text) << text;
  const std::pair<double, const char*> kDoubles[] = {
      {1.0 / 3.0, "0.333333333333333"},  // 15 significant digits
      {0.6, "0.6"}, {2.0, "2"}, {-0.05, "-0.05"},
      {999999999999999.0, "999999999999999"}, {1e15, "1E+15"}, {-1e15, "-1E+15"},
      {999999999999999.9, "1E+15"},  // rounds up across the switch
      {123456789012345.6, "123456789012346"}, {1.25e20, "1.25E+20"},
      {1e-15, "0.000000000000001"}, {9.999999999999999e-16, "0.000000000000001"},
      {9.5e-16, "9.5E-16"}, {-1e-16, "-1E-16"}};
  for (auto [v, text] : kDoubles) EXPECT_EQ(FormatDouble(v), text) << text;
  EXPECT_EQ(FormatInt(-2147483648LL), "-2147483648");
  EXPECT_EQ(FormatInt(9223372036854775807LL), "9223372036854775807");
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
