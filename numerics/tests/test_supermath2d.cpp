#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "numerics/Supermath.h"
#include "numerics/Supermath2d.h"

namespace test_supermath2d {

using namespace Supermath2d;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

// ---------------------------------------------------------------------------------
// Reading numbers

TEST(StrToFloatChecked, ReadsTextByTheDecimalRules) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"12,5", 12.5},       {"1,2,3", NoValue},   {" 7", 7.0},         {"7 ", NoValue},
      {"", NoValue},        {"   ", NoValue},     {"-", NoValue},      {"+", NoValue},
      {".", 0.0},           {"-.5", -0.5},        {"5.", 5.0},         {"1e3", 1000.0},
      {"2.5E-2", 0.025},    {"1e", NoValue},      {"1e+", NoValue},    {"\t7", NoValue},
      {"abc", NoValue},     {"1.5x", NoValue},    {"nan", NoValue},    {"inf", NoValue},
      {"1e999", NoValue},   {"1e-999", 0.0},      {"+3", 3.0},         {"1,5e1", 15.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrToFloatChecked(c.text, false, 0, 0), c.expected) << '"' << c.text << '"';
}

TEST(StrToFloatChecked, AppliesBoundsOnlyWhereNonZero) {
  struct Case {
    const char* text;
    bool inclusive;
    double lower, upper, expected;
  } cases[] = {
      {"1", false, 1, 20, NoValue},   {"20", false, 1, 20, NoValue}, {"1.5", false, 1, 20, 1.5},
      {"1", true, 1, 20, 1.0},        {"20", true, 1, 20, 20.0},     {"-5", false, 0, 100, -5.0},
      {"100", false, 0, 100, NoValue}, {"1e9", false, 5, 5, 1e9},    {"-3", false, 1, 1, -3.0},
      {"0,5", false, 1, 0, NoValue},  {"7", false, 1, 0, 7.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrToFloatChecked(c.text, c.inclusive, c.lower, c.upper), c.expected)
        << c.text << " in (" << c.lower << ", " << c.upper << ")";
  EXPECT_EQ(Supermath::StrToFloatChecked("1", false, 1, 20), NoValue);
  EXPECT_EQ(Supermath::StrToFloatChecked("3,25", true, 1, 20), 3.25);
}

// ---------------------------------------------------------------------------------
// Writing numbers

TEST(FloatToStrDec, WritesFixedPointWholeNumbersAndNoValue) {
  struct Case {
    int32_t N;
    uint8_t mode;
    double x;
    const char* expected;
  } cases[] = {
      {2, 0, 3.14159, "3.14"},
      {2, 1, 3.14159, "3.142"},
      {2, 1, 0.0314159, "0.0314"},
      {2, 1, 0.5, "0.500"},
      {2, 1, 0.05, "0.0500"},
      {2, 1, 4.0, "4"},
      {2, 0, -3.0, "-3"},
      {2, 0, 0.0, "0"},
      {2, 0, -0.0, "0"},
      {2, 1, NoValue, "*"},
      {3, 0, -2.5, "-2.500"},
      {2, 0, -0.001, "0.00"},
      {2, 7, 1.23456, "1.23"},
      {2, 0, kNaN, "*"},
      {2, 0, kInf, "*"},
      {2, 1, -kInf, "*"},
      {2, 0, 9223372036854774784.0, "9223372036854774784"},  // largest double below 2^63
      {2, 0, 9223372036854775808.0, "9223372036854776000"},
      {2, 0, 0.125, "0.13"},
      {2, 0, -0.125, "-0.13"},
      {1, 0, 0.96, "1.0"},
      {0, 0, 2.5, "3"},
      {2, 0, -1e20, "-100000000000000000000"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(FloatToStrDec(c.N, c.mode, out, c.x), c.expected) << c.x;
    EXPECT_EQ(out, c.expected);
  }
  EXPECT_EQ(FloatToStrDec(2, 0, 1e300), "1" + std::string(300, '0'));
  EXPECT_EQ(FloatToStrDec(2, 0, 1.5e300), "15" + std::string(299, '0'));
  // Tiny values in mode 1 get as many decimals as they need, bounded.
  EXPECT_EQ(FloatToStrDec(1, 1, 2e-7), "0.00000020");
  EXPECT_FALSE(FloatToStrDec(2, 1, 5e-324).empty());
  EXPECT_EQ(FloatToStrDec(-3, 0, 1.5), "2");
}

TEST(FloatToStrDec, SetupDialogCopyAlwaysWritesFixedPoint) {
  struct Case {
    int32_t N;
    uint8_t mode;
    double x;
    const char* expected;
  } cases[] = {
      {2, 1, 4.0, "4.000"},     {2, 1, 0.0, "0.000"},        {2, 0, 4.0, "4.00"},
      {2, 0, NoValue, "123456789.00"}, {2, 1, 0.05, "0.0500"}, {2, 0, kNaN, "*"},
      {1, 0, 1e19, "10000000000000000000.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Supermath::FloatToStrDec(c.N, c.mode, c.x), c.expected);
}

TEST(FloatToStrGeneral, ChoosesFixedOrScientificBySignificantDigits) {
  struct Case {
    int32_t N;
    double x;
    const char* expected;
  } cases[] = {
      {15, 0.0, "0"},           {15, 1.5, "1.5"},        {15, -2.25, "-2.25"},
      {15, 100.0, "100"},       {4, 123456.0, "1.235E5"}, {4, 1234.0, "1234"},
      {4, 12345.0, "1.235E4"},  {6, 0.00001, "0.00001"}, {6, 0.0000099, "9.9E-6"},
      {3, 0.1234, "0.123"},     {15, 1e20, "1E20"},      {15, NoValue, "*"},
      {15, kNaN, "*"},          {15, -kInf, "*"},        {3, 9.9999, "10"},
      {15, 9223372036854775808.0, "9.22337203685478E18"},
      {2, 0.125, "0.13"},       {17, 0.1, "0.1"},         {15, -1e-300, "-1E-300"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStrGeneral(c.N, c.x), c.expected) << c.x;
}

TEST(FloatToStrGeneral, UsesTheInstalledLocaleSeparator) {
  SetLocaleDecimalSeparator(',');
  EXPECT_EQ(FloatToStrGeneral(15, 2.5), "2,5");
  EXPECT_EQ(FloatToStrGeneral(3, 1.5e-9), "1,5E-9");
  EXPECT_EQ(FloatToStrDec(1, 0, 2.25), "2.3");  // the decimal writer always uses "."
  SetLocaleDecimalSeparator('.');
  EXPECT_EQ(FloatToStrGeneral(15, 2.5), "2.5");
}

TEST(ArrayToStr, JoinsEntriesAfterThePrefix) {
  std::string out;
  EXPECT_EQ(ArrayToStr({1.0, 2.5}, "a=", 1, 0, out), "a=1 2.5");
  EXPECT_EQ(ArrayToStr({}, "p", 1, 0, out), "p");
  EXPECT_EQ(ArrayToStr({NoValue, kNaN, 0.125}, "", 2, 0, out), "* * 0.13");
  EXPECT_EQ(out, "* * 0.13");
}

// ---------------------------------------------------------------------------------
// Tokeniser

TEST(ParseLine, SkipCountCountsDroppedTokens) {
  arofdoubleM values;
  ParseDoubles("  1 x 3,5\t4", 1, values);
  EXPECT_EQ(values, (arofdoubleM{3.5, 4.0}));
  ParseDoubles("1 2 3", 0, values);
  EXPECT_EQ(values, (arofdoubleM{1, 2, 3}));
  ParseDoubles("1 2 3", 5, values);
  EXPECT_TRUE(values.empty());
  ParseDoubles("", 0, values);
  EXPECT_TRUE(values.empty());
}

TEST(ParseLine, TrailingSeparatorsGiveOneEmptyToken) {
  struct Case {
    const char* line;
    int32_t skip;
    arofstrM expected;
  } cases[] = {
      {"a b  ", 0, {"a", "b", ""}}, {"a b ", 0, {"a", "b"}},  {"", 0, {}},
      {"   ", 0, {""}},             {"\t\t", 0, {""}},        {" ", 0, {""}},
      {"a", 0, {"a"}},              {"a\tb", 1, {"b"}},       {"a b  ", 2, {""}},
      {"  a  b", 0, {"a", "b"}},
  };
  for (const Case& c : cases) {
    arofstrM tokens{"stale"};
    ParseStrings(c.line, c.skip, tokens);
    EXPECT_EQ(tokens, c.expected) << '"' << c.line << '"';
  }
}

TEST(ParseLine, IntsRoundHalvesToEvenAndDropOutOfRange) {
  arofintM values;
  ParseInts("2.5 3.5 -2.5 7", 0, values);
  EXPECT_EQ(values, (arofintM{2, 4, -2, 7}));
  ParseInts("1e12 5 x", 0, values);
  EXPECT_EQ(values, (arofintM{5}));
}

// ---------------------------------------------------------------------------------
// Arrays

TEST(Arrays, DeleteAtRemovesEntryOrTheLast) {
  arofdoubleM out;
  DeleteDoubleAt({1, 2, 3}, 1, out);
  EXPECT_EQ(out, (arofdoubleM{1, 3}));
  DeleteDoubleAt({1, 2, 3}, 7, out);
  EXPECT_EQ(out, (arofdoubleM{1, 2}));
  DeleteDoubleAt({}, 0, out);
  EXPECT_TRUE(out.empty());
  DeleteDoubleAt({1, 2}, -1, out);
  EXPECT_EQ(out, (arofdoubleM{1, 2}));
  arofdoubleM same{4, 5, 6};
  DeleteDoubleAt(same, 0, same);  // source and copy may be the same array
  EXPECT_EQ(same, (arofdoubleM{5, 6}));
  arofboolM flags;
  DeleteBoolAt({1, 0, 1}, 2, flags);
  EXPECT_EQ(flags, (arofboolM{1, 0}));
}

TEST(Arrays, CopiesAreIndependentAndFillsReachEveryLevel) {
  ararofdoubleM source{{1, 2}, {3}};
  ararofdoubleM copy;
  CopyDoubleArray2D(source, copy);
  copy[1][0] = 9;
  EXPECT_EQ(source[1][0], 3);
  FillDoubleArray2D(copy, 0.5);
  EXPECT_EQ(copy, (ararofdoubleM{{0.5, 0.5}, {0.5}}));
  arararofdoubleM cube{{{1}, {2, 3}}, {}};
  FillDoubleArray3D(cube, -1);
  EXPECT_EQ(cube, (arararofdoubleM{{{-1}, {-1, -1}}, {}}));
  ararofintM ints{{1}, {2, 3}};
  FillIntArray2D(ints, 7);
  EXPECT_EQ(ints, (ararofintM{{7}, {7, 7}}));
  arofboolM flags(3, 0);
  FillBoolArray(flags, true);
  EXPECT_EQ(flags, (arofboolM{1, 1, 1}));
  arofdoubleM e;
  ExpArray({0.0, 1.0}, e);
  EXPECT_DOUBLE_EQ(e[1], std::exp(1.0));
  complexM a = MakeComplex(1, 2), b = MakeComplex(3, 4);
  SwapComplex(a, b);
  EXPECT_EQ(a, (complexM{3, 4}));
}

TEST(Arrays, LinearInterpolateAndCountValues) {
  EXPECT_DOUBLE_EQ(LinearInterpolate(5, 0, 10, 1, 3), 2.0);
  EXPECT_DOUBLE_EQ(LinearInterpolate(15, 0, 10, 1, 3), 4.0);
  EXPECT_EQ(LinearInterpolate(5, 2, 2, 7, 9), 7.0);
  EXPECT_EQ(CountValues({NoValue, 1, NoValue, 2}), 2);
  EXPECT_EQ(CountValues({}), 0);
}

TEST(RobustMean, RejectsOutliersUntilTheRejectedIndexIsBelowTwo) {
  struct Case {
    arofdoubleM values;
    double expected;
  } cases[] = {
      {{NoValue, NoValue}, NoValue},
      {{}, NoValue},
      {{5}, 5},
      {{1, 2, 3, 100}, 2},          // passes: 26.5 rejects index 3; 2 rejects index 0
      {{100, 2, 3, 4}, 27.25},      // the first pass rejects index 0 and stops
      {{3, 3, 3}, 3},               // nothing deviates: no rejection
      {{1, NoValue, 2, 3, 50}, 2},  // no-value entries never count
      {{NoValue, 4, NoValue}, 4},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(RobustMean(c.values), c.expected);
    EXPECT_DOUBLE_EQ(RobustMeanPlain(c.values), c.expected);
  }
  EXPECT_TRUE(std::isnan(RobustMean({1, kNaN, 3})));
}

TEST(RobustMean, SortedMethodAgreesWithThePlainOneOnRandomLists) {
  // Values on a coarse grid, so that ties (equal values, equal deviations on both
  // sides of the mean) are frequent and the sums are exact.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> grid(-8, 8), kind(0, 9), length(0, 50);
  for (int trial = 0; trial < 3000; ++trial) {
    arofdoubleM values(static_cast<size_t>(length(random)));
    const double scale = trial % 3 == 0 ? 100.0 : 1.0;
    for (double& v : values) {
      const int k = kind(random);
      v = k == 0 ? NoValue : k == 1 ? grid(random) * 40.0 * scale : grid(random) * 0.5 * scale;
    }
    const double plain = RobustMeanPlain(values), fast = RobustMean(values);
    EXPECT_EQ(fast, plain) << "trial " << trial << ", " << values.size() << " values";
  }
}

TEST(ColorRamp, SpreadsStopsOrCopiesThem) {
  arofintM colors;
  ColorRamp(4, {0x000000, 0xFFFFFF}, colors);
  ASSERT_EQ(colors.size(), 5u);
  const int greys[] = {0, 64, 128, 191, 255};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(colors[static_cast<size_t>(i)], greys[i] * 0x010101) << i;
  ColorRamp(1, {0x0000FF, 0x00FF00, 0xFF0000}, colors);
  EXPECT_EQ(colors, (arofintM{0x0000FF, 0x00FF00}));
  // Three stops over five colours: the middle stop lands on index 2.
  ColorRamp(4, {0x0000FF, 0x00FF00, 0xFF0000}, colors);
  EXPECT_EQ(colors[0], 0x0000FF);
  EXPECT_EQ(colors[2], 0x00FF00);
  EXPECT_EQ(colors[4], 0xFF0000);
  EXPECT_EQ(colors[1], 0x008080);  // 127.5 rounds to 128 in both components
  ColorRamp(3, {0x123456}, colors);
  EXPECT_EQ(colors, (arofintM{0x123456, 0x123456, 0x123456, 0x123456}));
  ColorRamp(2, {}, colors);
  EXPECT_EQ(colors, (arofintM{0, 0, 0}));
  ColorRamp(-5, {1, 2}, colors);
  EXPECT_TRUE(colors.empty());
}

TEST(ColorRamp, ResolvesSystemColoursThroughTheInstalledHook) {
  SetSystemColorResolver([](int32_t c) { return c == static_cast<int32_t>(0x8000000F) ? 0xFFFFFF : 0; });
  arofintM colors;
  ColorRamp(2, {0, static_cast<int32_t>(0x8000000F)}, colors);
  EXPECT_EQ(colors[2], 0xFFFFFF);
  SetSystemColorResolver(nullptr);
  ColorRamp(2, {0, static_cast<int32_t>(0x80000005)}, colors);  // window colour: white
  EXPECT_EQ(colors[2], 0xFFFFFF);
}

// ---------------------------------------------------------------------------------
// Numerical routines

TEST(Extremes, PickByClassAndSkipNoValue) {
  const arofdoubleM negatives{NoValue, -3, -7};
  EXPECT_EQ(MaxOfArray(negatives, 2), -7);
  EXPECT_EQ(MinOfArray(negatives, 2), -3);
  EXPECT_EQ(MinOfArray({0, 2, 5}, 1), 2);
  EXPECT_EQ(MaxOfArray({0, 2, 5}, 1), 5);
  EXPECT_EQ(MaxOfArray({}, 0), -1e20);
  EXPECT_EQ(MinOfArray({}, 0), 1e20);
  EXPECT_EQ(MinOfArray({1, 2}, 1), 1);
  EXPECT_EQ(MinOfArray({-1, 0}, 1), -1e20);
  EXPECT_EQ(MaxOfArray({1, 2}, 2), 1e20);
  EXPECT_EQ(MinOfArray({1, 2}, 3), 0);
  EXPECT_EQ(MaxOfArray({NoValue, 4, -9, 6}, 0), 6);
  EXPECT_EQ(MinOfArray({NoValue, 4, -9, 6}, 0), -9);
  EXPECT_EQ(MaxOfArray({kNaN, 1, 3}, 0), 3);
}

TEST(SignedLog, IsOddAndInvertible) {
  EXPECT_EQ(SignedLog(0, 3), 0.0);
  EXPECT_DOUBLE_EQ(SignedLog(-99, 1), -2.0);
  EXPECT_DOUBLE_EQ(SignedLogInverse(2, 1), 99.0);
  for (double x : {-250.0, -1.0, 0.5, 42.0})
    EXPECT_NEAR(SignedLogInverse(SignedLog(x, 2.5), 2.5), x, 1e-12 * std::fabs(x));
}

TEST(Interpolation, TablesAndPolylinesHoldEndValues) {
  const arofcomplexM line{{0, 1}, {10, 3}};
  EXPECT_DOUBLE_EQ(InterpolateComplex(line, 5), 2.0);
  EXPECT_DOUBLE_EQ(InterpolateComplex(line, -1), 1.0);
  EXPECT_DOUBLE_EQ(InterpolateComplex(line, 20), 3.0);
  EXPECT_EQ(InterpolateComplex({}, 3), 0.0);
  const arofdoubleM xs{0, 1, 3}, ys{0, 10, 30};
  EXPECT_DOUBLE_EQ(InterpolateTable(xs, ys, 2), 20.0);
  EXPECT_DOUBLE_EQ(InterpolateTable(xs, ys, -5), 0.0);
  EXPECT_DOUBLE_EQ(InterpolateTable(xs, ys, 9), 30.0);
  EXPECT_EQ(InterpolateTable({}, {}, 1), 0.0);
  arofdoubleM out;
  ResampleLinear({-1, 0.5, 2, 5}, xs, ys, out);
  EXPECT_EQ(out, (arofdoubleM{0, 5, 20, 30}));
  ResampleLinear({1, 2}, {}, {}, out);
  EXPECT_EQ(out, (arofdoubleM{0, 0}));
}

TEST(Spline, ReproducesCubicsAndLines) {
  // The end conditions match the cubic through four end points, so any cubic is exact.
  const arofdoubleM xs{-1, 0, 0.5, 2, 3.5, 4};
  auto cubic = [](double x) { return x * x * x - 2 * x * x + 0.5 * x + 1; };
  arofdoubleM ys;
  for (double x : xs) ys.push_back(cubic(x));
  arofdoubleM b, c, d;
  SplineCoeffs(xs, ys, b, c, d);
  ResetSplineState();
  for (double u : {-1.0, -0.3, 0.25, 1.7, 3.9, 4.0, 2.0})
    EXPECT_NEAR(SplineValue(xs, ys, b, c, d, u), cubic(u), 1e-10) << u;
  // Collinear points: three of them and two of them give the line.
  EXPECT_NEAR(SplineAt({0, 1, 3}, {1, 3, 7}, 2.0), 5.0, 1e-12);
  EXPECT_NEAR(SplineAt({0, 2}, {1, 5}, 1.5), 4.0, 1e-12);
  EXPECT_EQ(SplineAt({}, {}, 1.0), 0.0);
  EXPECT_EQ(SplineAt({1}, {4}, 9.0), 4.0);
  EXPECT_TRUE(std::isnan(SplineAt({0, 1, 2}, {0, 1, 4}, kNaN)));
  SplineAt({0, kNaN, 2, 3}, {0, 1, 4, 5}, 2.5);  // an unordered abscissa must not hang
}

TEST(Bessel, AgreesWithReferenceValues) {
  struct Case {
    double x, k0, k1, i0, i1;
  } cases[] = {
      {0.1, 2.4270690247, 9.8538447809, 1.0025015629, 0.0500625261},
      {1.0, 0.4210244382, 0.6019072302, 1.2660658778, 0.5651591040},
      {2.0, 0.1138938727, 0.1398658818, 2.2795853023, 1.5906368546},
      {5.0, 0.0036910983, 0.0040446134, 27.239871823, 24.335642142},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(BesselK0(c.x) / c.k0, 1.0, 1e-7) << c.x;
    EXPECT_NEAR(BesselK1(c.x) / c.k1, 1.0, 1e-7) << c.x;
    EXPECT_NEAR(BesselI0(c.x) / c.i0, 1.0, 1e-7) << c.x;
    EXPECT_NEAR(BesselI1(c.x) / c.i1, 1.0, 1e-7) << c.x;
  }
  EXPECT_DOUBLE_EQ(BesselI1(-1.0), -BesselI1(1.0));
  EXPECT_DOUBLE_EQ(BesselI0(-5.0), BesselI0(5.0));
  EXPECT_TRUE(std::isinf(BesselK0(0.0)));
}

namespace {
double Reconstruct(const ararofdoubleM& u, const arofdoubleM& w, const ararofdoubleM& v, size_t i,
                   size_t j) {
  double s = 0;
  for (size_t k = 0; k < w.size(); ++k) s += u[i][k] * w[k] * v[j][k];
  return s;
}
}  // namespace

TEST(SingularValues, DecompositionRebuildsTheMatrixWithOrthogonalFactors) {
  const ararofdoubleM a{{4, 1, -2, 2}, {1, 2, 0, 1}, {-2, 0, 3, -2}, {2, 1, -2, -1}, {1, 1, 1, 1}};
  ararofdoubleM u = a;
  arofdoubleM w;
  ararofdoubleM v;
  SVDecomp(u, w, v);
  ASSERT_EQ(w.size(), 4u);
  for (double s : w) EXPECT_GE(s, 0.0);
  for (size_t i = 0; i < a.size(); ++i)
    for (size_t j = 0; j < 4; ++j) EXPECT_NEAR(Reconstruct(u, w, v, i, j), a[i][j], 1e-12);
  for (size_t p = 0; p < 4; ++p)
    for (size_t q = 0; q < 4; ++q) {
      double vtv = 0, utu = 0;
      for (size_t k = 0; k < 4; ++k) vtv += v[k][p] * v[k][q];
      for (size_t k = 0; k < a.size(); ++k) utu += u[k][p] * u[k][q];
      EXPECT_NEAR(vtv, p == q ? 1.0 : 0.0, 1e-12);
      EXPECT_NEAR(utu, p == q ? 1.0 : 0.0, 1e-12);
    }
  // Singular values of diag(3, -2) are 3 and 2 (the sign moves into V).
  ararofdoubleM d{{3, 0}, {0, -2}};
  SVDecomp(d, w, v);
  std::sort(w.begin(), w.end());
  EXPECT_NEAR(w[0], 2.0, 1e-14);
  EXPECT_NEAR(w[1], 3.0, 1e-14);
}

TEST(SingularValues, SolveDropsDirectionsWithoutInformation) {
  arofdoubleM x;
  SVDSolve({{1, 0}, {0, 1e-10}}, {2, 5}, x);
  ASSERT_EQ(x.size(), 2u);
  EXPECT_NEAR(x[0], 2.0, 1e-14);
  EXPECT_EQ(x[1], 0.0);
  const ararofdoubleM a{{2, 1, 0}, {1, 3, 1}, {0, 1, 4}};
  SVDSolve(a, {3, 10, 14}, x);
  for (size_t i = 0; i < 3; ++i) {
    double s = 0;
    for (size_t j = 0; j < 3; ++j) s += a[i][j] * x[j];
    EXPECT_NEAR(s, (arofdoubleM{3, 10, 14})[i], 1e-12);
  }
  // Rank one: the minimum-norm solution of x + y = 2 (twice) is (1, 1).
  SVDSolve({{1, 1}, {1, 1}}, {2, 2}, x);
  EXPECT_NEAR(x[0], 1.0, 1e-12);
  EXPECT_NEAR(x[1], 1.0, 1e-12);
}

TEST(SingularValues, DegenerateInputNeitherCrashesNorHangs) {
  ararofdoubleM empty;
  arofdoubleM w, x;
  ararofdoubleM v;
  SVDecomp(empty, w, v);
  EXPECT_TRUE(w.empty());
  SVDSolve({}, {}, x);
  EXPECT_TRUE(x.empty());
  ararofdoubleM bad{{kNaN, 1}, {1, kInf}};
  SVDecomp(bad, w, v);
  EXPECT_EQ(w.size(), 2u);
  ararofdoubleM wide{{1, 2, 3}};  // fewer rows than columns
  SVDecomp(wide, w, v);
  EXPECT_EQ(wide.size(), 1u);
  EXPECT_NEAR(*std::max_element(w.begin(), w.end()), std::sqrt(14.0), 1e-12);
  ararofdoubleM zero{{0, 0}, {0, 0}};
  SVDSolve(zero, {1, 1}, x);
  EXPECT_EQ(x, (arofdoubleM{0, 0}));
}

}  // namespace test_supermath2d
