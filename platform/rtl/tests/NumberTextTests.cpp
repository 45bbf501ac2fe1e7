#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/SysUtils.h"

namespace NumberTextTests {

using namespace SysUtils;

namespace {

TFormatSettings CommaDecimal() {
  TFormatSettings fs = TFormatSettings::Invariant();
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  return fs;
}

class NumberText : public ::testing::Test {
 protected:
  TFormatSettingsScope FInvariant{TFormatSettings::Invariant()};
};

}  // namespace

TEST_F(NumberText, FloatToStrWritesFifteenSignificantDigitsInTheShorterForm) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double Value;
    const char* Text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {-1.5, "-1.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {123.456, "123.456"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {123456789012345678.0, "1.23456789012346E17"},
      {0.0001, "0.0001"},
      {0.00001, "0.00001"},
      {0.000001, "1E-6"},
      {1.5e-7, "1.5E-7"},
      {-2.5e-10, "-2.5E-10"},
      {1e100, "1E100"},
      {9.9999999999999999e22, "1E23"},
      {std::nan(""), "NAN"},
      {inf, "INF"},
      {-inf, "-INF"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.Value), c.Text) << c.Text;
}

TEST_F(NumberText, FloatToStrUsesTheDecimalSeparatorOfTheSettings) {
  EXPECT_EQ(FloatToStr(1.5, CommaDecimal()), "1,5");
  TFormatSettingsScope comma(CommaDecimal());
  EXPECT_EQ(FloatToStr(-0.25), "-0,25");
}

TEST_F(NumberText, FloatToStrFFormats) {
  struct Case {
    double Value;
    TFloatFormat Format;
    int Precision, Digits;
    const char* Text;
  } cases[] = {
      {1234.5678, TFloatFormat::ffFixed, 15, 2, "1234.57"},
      {0.125, TFloatFormat::ffFixed, 15, 2, "0.13"},  // halves away from zero
      {-0.125, TFloatFormat::ffFixed, 15, 2, "-0.13"},
      {1.005, TFloatFormat::ffFixed, 15, 2, "1.01"},  // as written, not as stored in binary
      {2.5, TFloatFormat::ffFixed, 15, 0, "3"},
      {-0.001, TFloatFormat::ffFixed, 15, 2, "0.00"},  // no "-0.00"
      {9.995, TFloatFormat::ffFixed, 15, 2, "10.00"},
      {1e20, TFloatFormat::ffFixed, 15, 2, "1E20"},
      {1234567.891, TFloatFormat::ffNumber, 15, 2, "1,234,567.89"},
      {-999.5, TFloatFormat::ffNumber, 15, 0, "-1,000"},
      {1234.5, TFloatFormat::ffExponent, 4, 2, "1.235E+03"},
      {0.000123, TFloatFormat::ffExponent, 3, 1, "1.23E-4"},
      {0.0, TFloatFormat::ffExponent, 3, 2, "0.00E+00"},
      {123.456, TFloatFormat::ffGeneral, 4, 0, "123.5"},
      {123456.0, TFloatFormat::ffGeneral, 4, 0, "1.235E5"},
      {99.96, TFloatFormat::ffGeneral, 3, 0, "100"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStrF(c.Value, c.Format, c.Precision, c.Digits), c.Text) << c.Text;
}

TEST_F(NumberText, FormatFloatFormatStrings) {
  struct Case {
    const char* Format;
    double Value;
    const char* Text;
  } cases[] = {
      {"0.00", 3.14159, "3.14"},
      {"0.00", -3.14159, "-3.14"},
      {"0.00", -0.001, "0.00"},
      {"0.00", 1e20, "100000000000000000000.00"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0.00", 12.5, "12.50"},
      {"#,##0", -1234, "-1,234"},
      {"#.###", 0.5, ".5"},
      {"0.###", 2, "2"},
      {"0.0#", 1.0, "1.0"},
      {"0.0#", 1.234, "1.23"},
      {"00.0", 1.25, "01.3"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0", 123456, "123456"},
      {"#", 0, ""},
      {"00-00", 1234, "12-34"},
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.0E-0", 0.00012, "1.2E-4"},
      {"0.0E-0", 12000, "1.2E4"},
      {"0.0e+000", 12345, "1.2e+004"},
      {"00.0E+0", 12345, "12.3E+3"},
      {"0.00E+00", 0, "0.00E+00"},
      {"#,##0;(#,##0)", -1234, "(1,234)"},
      {"#,##0;(#,##0)", 1234, "1,234"},
      {"0.0;-0.0;zero", 0, "zero"},
      {"0.0;-0.0;zero", 0.01, "zero"},  // shows as zero in the first section
      {"0.0;;zero", -2, "-2.0"},         // an empty section falls back to the first
      {"\"Value: \"0.0", 2, "Value: 2.0"},
      {"'x'#", 5, "x5"},
      {"0.0 'm'", 1.25, "1.3 m"},
      {"", 1.5, "1.5"},
      {"0.0", std::nan(""), "NAN"},
      // Placeholders after the exponent sign are the exponent's, never integer digits.
      {"E+0 ####################", 12345, "1E+4 "},
      {"0E+##", 12345, "1E+4"},
      {"0.0E+0# 'm'", 12345, "1.2E+4 m"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.Format, c.Value), c.Text) << c.Format;
}

TEST_F(NumberText, FormatFloatPlacesTheSeparatorsOfTheSettings) {
  EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, CommaDecimal()), "1.234,50");
  EXPECT_EQ(FormatFloat("0.0", 0.25, CommaDecimal()), "0,3");
}

TEST_F(NumberText, FormatDirectives) {
  struct Case {
    const char* Format;
    std::vector<TVarRec> Args;
    const char* Text;
  } cases[] = {
      {"%d", {42}, "42"},
      {"%5d|", {42}, "   42|"},
      {"%-5d|", {42}, "42   |"},
      {"%.3d", {7}, "007"},
      {"%.3d", {-7}, "-007"},
      {"%d", {int64_t(-9000000000)}, "-9000000000"},
      {"%u", {-1}, "4294967295"},
      {"%x", {255}, "FF"},
      {"%.4x", {255}, "00FF"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%s and %s", {"a", std::string("b")}, "a and b"},
      {"%1:s %0:s", {"a", "b"}, "b a"},
      {"%1:s %s", {"a", "b", "c"}, "b c"},
      {"%.2s|%3s|%-3s|", {"abcdef", "x", "y"}, "ab|  x|y  |"},
      {"%s", {'c'}, "c"},
      {"%*d", {5, 42}, "   42"},
      {"%.*f", {1, 2.25}, "2.3"},
      {"%f", {1.5}, "1.50"},
      {"%.2f", {3.14159}, "3.14"},
      {"%8.3f|", {-1.5}, "  -1.500|"},
      {"%.1f", {2}, "2.0"},
      {"%g", {0.1}, "0.1"},
      {"%g", {1e20}, "1E20"},
      {"%.3g", {1234.5}, "1.23E3"},
      {"%e", {1234.5}, "1.23450000000000E+003"},
      {"%.3e", {-1234.5}, "-1.23E+003"},
      {"%n", {1234567.5}, "1,234,567.50"},
      {"%.0n", {1234567.5}, "1,234,568"},
      {"100%% done", {}, "100% done"},
      {"%D %S", {3, "x"}, "3 x"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.Format, c.Args), c.Text) << c.Format;
}

TEST_F(NumberText, FormatUsesTheDecimalSeparatorOfTheSettings) {
  EXPECT_EQ(Format("%.1f", std::vector<TVarRec>{2.5}, CommaDecimal()), "2,5");
}

TEST_F(NumberText, FormatRejectsMismatchedOrMissingArguments) {
  struct Case {
    const char* Format;
    std::vector<TVarRec> Args;
    const char* Message;
  } cases[] = {
      {"%d", {"x"}, "Format '%d' invalid or incompatible with argument"},
      {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
      {"%f", {"x"}, "Format '%f' invalid or incompatible with argument"},
      {"%s", {3}, "Format '%s' invalid or incompatible with argument"},
      {"%q", {1}, "Format '%q' invalid or incompatible with argument"},
      {"abc %", {1}, "Format 'abc %' invalid or incompatible with argument"},
      {"%d %d", {1}, "No argument for format '%d %d'"},
      // A width or precision taken from an argument is bounded like a written one.
      {"%*d", {2000000000, 1}, "Format '%*d' invalid or incompatible with argument"},
      {"%.*f", {2000000000, 1.5}, "Format '%.*f' invalid or incompatible with argument"},
      {"%.*s", {int64_t(1) << 40, "x"}, "Format '%.*s' invalid or incompatible with argument"},
  };
  for (const Case& c : cases) {
    try {
      Format(c.Format, c.Args);
      ADD_FAILURE() << c.Format << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST_F(NumberText, StrToFloatReadsDecimalTextOfTheSettings) {
  struct Case {
    const char* Text;
    bool Ok;
    double Value;
  } cases[] = {
      {"1.5", true, 1.5},
      {"  -2e3 ", true, -2000},
      {"+.5", true, 0.5},
      {"5.", true, 5},
      {"1E-3", true, 0.001},
      {"1e-400", true, 0},
      {"1e400", false, 0},
      {"1e99999999999999999999", false, 0},
      {"-1e99999999999999999999", false, 0},
      {"1e-99999999999999999999", true, 0},
      {"1,5", false, 0},
      {"1.5.2", false, 0},
      {"1e", false, 0},
      {".", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"abc", false, 0},
      {"1 000", false, 0},
      {"0x10", false, 0},
  };
  for (const Case& c : cases) {
    double v = -99;
    EXPECT_EQ(TryStrToFloat(c.Text, v), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_DOUBLE_EQ(v, c.Value) << c.Text;
    }
  }
  double v = 0;
  EXPECT_TRUE(TryStrToFloat("1,5", v, CommaDecimal()));
  EXPECT_DOUBLE_EQ(v, 1.5);
  EXPECT_TRUE(std::isinf(StrToFloat("-INF")));
  EXPECT_TRUE(std::isnan(StrToFloat("nan")));
  EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7.5), 7.5);
}

TEST_F(NumberText, FloatTextRoundTripsThroughStrToFloat) {
  for (double x : {0.1, 1.0 / 3.0, 6.02214076e23, -1.602e-19, 123456.789}) {
    EXPECT_DOUBLE_EQ(StrToFloat(FormatFloat("0.00000000000000000E+000", x)), x);
    EXPECT_NEAR(StrToFloat(FloatToStr(x)), x, std::fabs(x) * 1e-14);
  }
}

TEST_F(NumberText, ConversionErrorsNameTheText) {
  try {
    StrToFloat("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid floating point value");
  }
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
}

TEST_F(NumberText, IntegerText) {
  struct Case {
    const char* Text;
    bool Ok;
    int32_t Value;
  } cases[] = {
      {"42", true, 42},        {" -7", true, -7},         {"+3", true, 3},
      {"$FF", true, 255},      {"0x10", true, 16},        {"$FFFFFFFF", true, -1},
      {"-2147483648", true, INT32_MIN},                   {"2147483648", false, 0},
      {"12a", false, 0},       {"", false, 0},            {"7 ", false, 0},
      {"1.0", false, 0},
  };
  for (const Case& c : cases) {
    int32_t v = -99;
    EXPECT_EQ(TryStrToInt(c.Text, v), c.Ok) << c.Text;
    if (c.Ok) {
      EXPECT_EQ(v, c.Value) << c.Text;
    }
  }
  EXPECT_EQ(StrToIntDef("x", 5), 5);
  EXPECT_EQ(StrToInt64("9000000000"), 9000000000LL);
  EXPECT_EQ(IntToStr(-9000000000LL), "-9000000000");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t(-1), 1), "FFFFFFFFFFFFFFFF");
}

}  // namespace NumberTextTests
