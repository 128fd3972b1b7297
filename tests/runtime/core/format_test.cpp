#include "runtime/core/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace bg {
namespace {

TEST(StrS, IntegersCarryABlankUnlessNegative) {
  EXPECT_EQ(strS(5), " 5");
  EXPECT_EQ(strS(0), " 0");
  EXPECT_EQ(strS(-1), "-1");
  EXPECT_EQ(strS(std::int16_t{-32768}), "-32768");
  EXPECT_EQ(strS(std::uint8_t{255}), " 255");
  EXPECT_EQ(strS(std::int64_t{4294967296}), " 4294967296");
  EXPECT_EQ(intText(12), " 12");
  EXPECT_EQ(intText(-7), "-7");
}

TEST(StrS, SingleKeepsSevenSignificantDigits) {
  EXPECT_EQ(strS(12.3456f), " 12.3456");
  EXPECT_EQ(strS(0.5f), " 0.5");
  EXPECT_EQ(strS(-0.25f), "-0.25");
  EXPECT_EQ(strS(0.1f), " 0.1");         // not 0.100000001
  EXPECT_EQ(strS(47.14f), " 47.14");
  EXPECT_EQ(strS(1.0f / 3.0f), " 0.3333333");
  EXPECT_EQ(strS(2.0f), " 2");           // no trailing point
  EXPECT_EQ(strS(1234567.0f), " 1234567");
  EXPECT_EQ(strS(9999999.0f), " 9999999");
  EXPECT_EQ(strS(-0.0f), " 0");
}

TEST(StrS, SingleSwitchesToExponentFormOutsideItsRange) {
  EXPECT_EQ(strS(1.0e7f), " 1E+07");
  EXPECT_EQ(strS(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(strS(0.00001f), " 0.00001");
  EXPECT_EQ(strS(0.0000099f), " 9.9E-06");
  EXPECT_EQ(strS(-3.0e20f), "-3E+20");
}

TEST(StrS, DoubleKeepsFifteenSignificantDigits) {
  EXPECT_EQ(strS(0.1), " 0.1");
  EXPECT_EQ(strS(1.0 / 3.0), " 0.333333333333333");
  EXPECT_EQ(strS(123456789012345.0), " 123456789012345");
  EXPECT_EQ(strS(1.0e15), " 1E+15");
  EXPECT_EQ(strS(12345678.0), " 12345678");  // a single would need the exponent
  EXPECT_EQ(strS(-66.666666666666671), "-66.6666666666667");
}

TEST(StrS, NotANumberAndInfinity) {
  EXPECT_EQ(strS(std::numeric_limits<double>::quiet_NaN()), " NaN");
  EXPECT_EQ(strS(std::numeric_limits<float>::infinity()), " Inf");
  EXPECT_EQ(strS(-std::numeric_limits<double>::infinity()), "-Inf");
}

TEST(StrS, StatisticsPanelTextsComeOutAsTheGameShowsThem) {
  // The statistics panel keeps the first five characters and adds ".0" to short texts.
  EXPECT_EQ(strS(12.3456f).substr(0, 5), " 12.3");
  EXPECT_EQ(strS(5.0f), " 5");
}

TEST(Val, ReadsDecimalNumbers) {
  EXPECT_DOUBLE_EQ(val("12.9"), 12.9);
  EXPECT_DOUBLE_EQ(val("  \t-5"), -5);
  EXPECT_DOUBLE_EQ(val("+7"), 7);
  EXPECT_DOUBLE_EQ(val(".5"), 0.5);
  EXPECT_DOUBLE_EQ(val("5."), 5);
  EXPECT_DOUBLE_EQ(val("150.9"), 150.9);
  EXPECT_FALSE(val("2.84") > 2.84);
  EXPECT_DOUBLE_EQ(val(" 1E+07"), 1e7);  // reads STR$ back
  EXPECT_DOUBLE_EQ(val("2.5e-3"), 0.0025);
}

TEST(Val, StopsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_DOUBLE_EQ(val("12abc"), 12);
  EXPECT_DOUBLE_EQ(val("3 4"), 3);
  EXPECT_DOUBLE_EQ(val("1,5"), 1);
  EXPECT_DOUBLE_EQ(val("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(val("7e"), 7);      // no digit after the e: not an exponent
  EXPECT_DOUBLE_EQ(val("7e+"), 7);
  EXPECT_DOUBLE_EQ(val("7E2x"), 700);
}

TEST(Val, TextWithoutANumberGivesZero) {
  EXPECT_EQ(val(""), 0);
  EXPECT_EQ(val("   "), 0);
  EXPECT_EQ(val("abc"), 0);
  EXPECT_EQ(val("-"), 0);
  EXPECT_EQ(val("."), 0);
  EXPECT_EQ(val("e5"), 0);
}

TEST(Val, ReadsOtherBasesWhateverTheCase) {
  EXPECT_DOUBLE_EQ(val("&H1F"), 31);
  EXPECT_DOUBLE_EQ(val("&h1f"), 31);
  EXPECT_DOUBLE_EQ(val("0x1F"), 31);
  EXPECT_DOUBLE_EQ(val("0X10g"), 16);
  EXPECT_DOUBLE_EQ(val("&O17"), 15);
  EXPECT_DOUBLE_EQ(val("&o78"), 7);
  EXPECT_DOUBLE_EQ(val("&X101"), 5);
  EXPECT_DOUBLE_EQ(val("&x1012"), 5);
  EXPECT_DOUBLE_EQ(val("-&H10"), -16);
  EXPECT_DOUBLE_EQ(val("&H"), 0);
  EXPECT_DOUBLE_EQ(val("&HFFFF"), 65535);
}

TEST(Val, OutOfRangeNumbersDoNotBreakTheCallers) {
  EXPECT_TRUE(std::isinf(val("1e999")));
  EXPECT_EQ(val("1e-999"), 0);
  EXPECT_EQ(int16Of(val("1e999")), 0);
}

TEST(LowBits, TruncateTowardZeroAndKeepTheLowBits) {
  EXPECT_EQ(int16Of(12.9), 12);
  EXPECT_EQ(int16Of(-12.9), -12);
  EXPECT_EQ(int16Of(65535), -1);
  EXPECT_EQ(int16Of(32768), -32768);
  EXPECT_EQ(int16Of(65536 + 5), 5);
  EXPECT_EQ(int16Of(-65537), -1);
  EXPECT_EQ(int16Of(std::nan("")), 0);
  EXPECT_EQ(int32Of(4294967295.0), -1);
  EXPECT_EQ(int32Of(-2.5), -2);
  EXPECT_EQ(byteOf(-1), 255);
  EXPECT_EQ(byteOf(256 + 7.9), 7);
  EXPECT_EQ(signedByte(255), -1);
  EXPECT_EQ(signedByte(0), 0);
  // A colour component typed as 12.9 is stored as 12.
  EXPECT_EQ(int16Of(val("12.9")), 12);
}

TEST(Using, PinnedExamples) {
  EXPECT_EQ(usingS("+##.###", 0.123), " +0.123");
  EXPECT_EQ(usingS("-##.####", -0.25), " -0.2500");
  EXPECT_EQ(usingS("###.#", 47.14), " 47.1");
  EXPECT_EQ(usingS("##", 5), " 5");
}

TEST(Using, SignPositions) {
  EXPECT_EQ(usingS("+##.###", -0.123), " -0.123");
  EXPECT_EQ(usingS("+##.###", 12.5), "+12.500");
  EXPECT_EQ(usingS("-##.####", 0.25), "  0.2500");
  EXPECT_EQ(usingS("###.#", -47.14), "-47.1");
  EXPECT_EQ(usingS("###.#", -4.0), " -4.0");
  EXPECT_EQ(usingS("##", -5), "-5");
}

TEST(Using, RoundsHalfAwayFromZero) {
  EXPECT_EQ(usingS("##", 2.5), " 3");
  EXPECT_EQ(usingS("##", -2.5), "-3");
  EXPECT_EQ(usingS("#.##", 0.125), "0.13");
  EXPECT_EQ(usingS("#.##", 2.675), "2.68");  // as the number reads, not its binary value
  EXPECT_EQ(usingS("###.#", 99.95), "100.0");
  EXPECT_EQ(usingS("##.#", 9.96), "10.0");
  EXPECT_EQ(usingS("+##.###", 0.0004), " +0.000");
  EXPECT_EQ(usingS("+##.###", -0.0004), " +0.000");  // a zero result carries no minus
}

TEST(Using, KeepsAZeroBeforeThePoint) {
  EXPECT_EQ(usingS("###.#", 0.5), "  0.5");
  EXPECT_EQ(usingS("###.#", 0), "  0.0");
  EXPECT_EQ(usingS("##", 0), " 0");
  EXPECT_EQ(usingS(".##", 0.5), ".50");  // no integer position: no zero
}

TEST(Using, LiteralCharactersFollowTheNumber) {
  EXPECT_EQ(usingS("+##.# ", 3.14), " +3.1 ");
  EXPECT_EQ(usingS("+##.# ", -12.34), "-12.3 ");
  EXPECT_EQ(usingS("##%", 7), " 7%");
}

TEST(Using, ATooWideValueIsPrintedWhole) {
  EXPECT_EQ(usingS("##", 123), "123");
  EXPECT_EQ(usingS("+#.#", 12.34), "+12.3");
  EXPECT_EQ(usingS("###.#", 123456.78), "123456.8");
  EXPECT_EQ(usingS("#", 1e20), "100000000000000000000");
}

TEST(Using, RolloutClockFields) {
  // H:M:S of the time left: the hour keeps the blank of its mask.
  EXPECT_EQ(usingS("##", 3) + ":" + usingS("##", 7) + ":" + usingS("##", 59), " 3: 7:59");
  EXPECT_EQ(usingS("##", 12), "12");
}

TEST(Using, NotANumber) {
  EXPECT_EQ(usingS("###.#", std::nan("")), "  NaN");
  EXPECT_EQ(usingS("+##.#", -std::numeric_limits<double>::infinity()), " -Inf");
}

}  // namespace
}  // namespace bg
