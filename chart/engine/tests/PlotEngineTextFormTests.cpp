#include <gtest/gtest.h>

#include <cmath>

#include "chart/engine/PlotConst.h"
#include "chart/engine/tests/AxisFixture.h"

namespace PlotEngineTextFormTests {

using namespace PlotEngine;

namespace {

std::vector<std::string> Fields(const std::string& Text, char Sep) {
  std::vector<std::string> F;
  size_t Start = 0;
  for (;;) {
    const size_t Pos = Text.find(Sep, Start);
    F.push_back(Text.substr(Start, Pos == std::string::npos ? std::string::npos : Pos - Start));
    if (Pos == std::string::npos) return F;
    Start = Pos + 1;
  }
}

std::string Joined(const std::vector<std::string>& F, char Sep) {
  std::string T;
  for (size_t i = 0; i < F.size(); ++i) T += (i ? std::string(1, Sep) : "") + F[i];
  return T;
}

// An axis text with one field replaced.
std::string WithField(const TChartAxis& Axis, size_t Index, const std::string& Value) {
  auto F = Fields(AxisToText(Axis), '~');
  F.at(Index) = Value;
  return Joined(F, '~');
}

TFormatSettings CommaLocale() {
  TFormatSettings S = TFormatSettings::Invariant();
  S.DecimalSeparator = ',';
  S.ThousandSeparator = '.';
  return S;
}

TEST(TextForm, ExactElementTexts) {
  TChartPen Pen;
  EXPECT_EQ(PenToText(Pen), "0&0&0&1&0&4&1");
  TChartBrush Brush;
  Brush.SetColor(clRed);
  Brush.SetStyle(TBrushStyle::bsCross);
  EXPECT_EQ(BrushToText(Brush), "255#6");
  TPlotShadow Shadow;
  Shadow.SetHorizSize(3);
  Shadow.SetVertSize(5);
  Shadow.SetColor(clBtnFace);  // a system colour is written negative
  EXPECT_EQ(ShadowToText(Shadow), "5@" + std::to_string(static_cast<int32_t>(clBtnFace)) + "@3@0@5");
  auto B = BrushFromText("255#1");
  EXPECT_EQ(B->GetColor(), 255);
  EXPECT_EQ(B->GetStyle(), TBrushStyle::bsClear);
}

TEST(TextForm, ElementsRoundTrip) {
  TChartPen Pen;
  Pen.SetColor(0x123456);
  Pen.SetSmallDots(true);
  Pen.SetEndStyle(esFlat);
  Pen.SetVisible(false);
  Pen.SetStyle(TPenStyle::psDashDot);
  Pen.SetMode(TPenMode::pmXor);
  Pen.SetWidth(3);
  EXPECT_EQ(PenToText(*PenFromText(PenToText(Pen))), PenToText(Pen));
  auto P = PenFromText(PenToText(Pen));
  EXPECT_EQ(P->GetEndStyle(), esFlat);
  EXPECT_EQ(P->GetMode(), TPenMode::pmXor);

  TPlotGradient G;
  G.SetBalance(30);
  G.SetDirection(gdRadial);
  G.SetRadialX(-4);
  G.SetMidColor(clGreen);
  G.SetEndColor(clNavy);
  G.SetRadialY(7);
  G.SetStartColor(clAqua);
  G.SetVisible(true);
  const std::string GT = GradientToText(G);
  EXPECT_EQ(Fields(GT, '$').size(), 8u);
  EXPECT_EQ(GradientToText(*GradientFromText(GT)), GT);

  TPlotShadow S;
  S.SetSize(4);
  S.SetVertSize(2);
  S.SetColor(clMaroon);
  S.SetTransparency(40);
  EXPECT_EQ(ShadowToText(*ShadowFromText(ShadowToText(S))), ShadowToText(S));

  TPlotFont F;
  F.SetName("Courier New");
  F.SetSize(13);
  F.SetColor(clBlue);
  F.SetStyle({TFontStyle::fsBold, TFontStyle::fsStrikeOut});
  F.SetPitch(TFontPitch::fpFixed);
  F.SetInterCharSize(2);
  F.GetGradient()->SetVisible(true);
  F.GetGradient()->SetStartColor(clRed);
  const std::string FT = FontToText(F);
  const auto FF = Fields(FT, '^');
  ASSERT_EQ(FF.size(), 11u);
  EXPECT_EQ(FF[9], "1001");
  EXPECT_EQ(FF[10], "Courier*New");
  auto Back = FontFromText(FT);
  EXPECT_EQ(Back->GetName(), "Courier New");
  EXPECT_EQ(Back->GetSize(), 13);
  EXPECT_EQ(Back->GetStyle(), F.GetStyle());
  EXPECT_EQ(Back->GetGradient()->GetStartColor(), clRed);
  EXPECT_EQ(FontToText(*Back), FT);

  std::unique_ptr<TPlotFont> Target;
  CopyFontByText(F, Target);
  ASSERT_TRUE(Target);
  EXPECT_EQ(FontToText(*Target), FT);
}

TEST(TextForm, FieldsAreReadByPosition) {
  // An empty or unreadable field keeps the element's value; the fields behind
  // it stay in place.
  const struct {
    const char* Text;
    const char* Expected;
  } Cases[] = {
      {"255&&0&1&2&4&3", "255&0&0&1&2&4&3"},
      {"255&x&2&1&2&4&3", "255&0&2&1&2&4&3"},
      {"255&1&0&1&2&4", "255&1&0&1&2&4&1"},
      {"255&1&9&1&99&4&3", "255&1&0&1&0&4&3"},  // ordinals out of range are ignored
      {"", "0&0&0&1&0&4&1"},
  };
  for (const auto& C : Cases) EXPECT_EQ(PenToText(*PenFromText(C.Text)), C.Expected) << C.Text;
}

TEST(TextForm, ReadNumberTable) {
  const struct {
    const char* Text;
    bool Inclusive;
    double Low, High, Expected;
  } Cases[] = {
      {"3,5", true, 0, 0, 3.5},          {"3.5", true, 0, 0, 3.5},    {"3,5,6", true, 0, 0, NoValue},
      {"abc", true, 0, 0, NoValue},      {"", true, 0, 0, NoValue},   {"5", false, 0, 10, 5},
      {"10", false, 0, 10, NoValue},     {"10", true, 0, 10, 10},     {"-1e3", true, 0, 0, -1000},
      {"-5", false, -5, 10, NoValue},    {"-5", true, -5, 10, -5},    {"1e9", false, 0, 10, NoValue},
      {" 5", true, 0, 0, NoValue},
  };
  for (const auto& C : Cases) EXPECT_EQ(ReadNumber(C.Text, C.Inclusive, C.Low, C.High), C.Expected) << C.Text;
}

TEST(TextForm, Splitters) {
  PLOTarofint Ints;
  SplitToInts("  4\tx 2,5 7.6 -3 ", 1, Ints);
  EXPECT_EQ(Ints, (PLOTarofint{2, 8, -3}));  // 2,5 -> 2 (halves to even); x skipped but numbered
  PLOTarofstr Parts;
  SplitToStrings("a  b\t\tc", 1, Parts);
  EXPECT_EQ(Parts, (PLOTarofstr{"b", "c"}));
  EXPECT_EQ(SeparatorToBlank("1&2&&3", '&'), "1 2  3");
}

class AxisTextTest : public ::testing::Test {
protected:
  void SetUp() override { PlotConst::Initialize(); }
  AxisOnChart Source{true};
  AxisOnChart Target{false};
};

TEST_F(AxisTextTest, WritesFiftyFourFields) {
  const auto F = Fields(AxisToText(*Source.Axis), '~');
  ASSERT_EQ(F.size(), 54u);
  EXPECT_EQ(F[1], "0&0&0&1&0&4&2");  // the axis pen is two pixels wide
  EXPECT_EQ(F[53], "");
  EXPECT_EQ(F[45], "10");
  Source.Axis->Title()->SetCaption("Depth in m");
  EXPECT_EQ(Fields(AxisToText(*Source.Axis), '~')[53], "Depth*in*m");
}

TEST_F(AxisTextTest, RoundTripUnderAnotherLocale) {
  TChartAxis& A = *Source.Axis;
  A.SetMinMax(-2.5, 1234.125);
  A.SetIncrement(0.25);
  A.SetLabelsAngle(90);
  A.SetTickLength(7);
  A.Grid()->SetColor(clRed);
  A.Ticks()->SetWidth(3);
  A.LabelsFont()->SetName("Times New Roman");
  A.Title()->SetAngle(270);
  A.Title()->Font()->SetSize(14);
  A.SetStartPosition(10);
  A.SetEndPosition(90);
  A.SetLogarithmicBase(2.5);
  A.RoundedLimits = true;
  A.LinLogDecShift = 2;
  A.MinDecEnabled = true;
  A.MinDecValue = 0.125;
  A.LogLabelFormat = true;
  // With the automatic label format, reading Logarithmic off sets one minor tick.
  A.SetMinorTickCount(1);
  A.UseFixedLimits = true;
  std::string Text;
  {
    TFormatSettingsScope Comma(CommaLocale());
    Text = AxisToText(A);
  }
  EXPECT_NE(Text.find("1234.125"), std::string::npos);
  EXPECT_EQ(Text.find("1234,125"), std::string::npos);

  TFormatSettingsScope Dot(TFormatSettings::Invariant());
  AxisFromText(*Target.Axis, Text, false);
  TChartAxis& B = *Target.Axis;
  EXPECT_EQ(B.GetMinimum(), -2.5);
  EXPECT_EQ(B.GetMaximum(), 1234.125);
  EXPECT_EQ(B.GetIncrement(), 0.25);
  EXPECT_EQ(B.GetLabelsAngle(), 90);
  EXPECT_EQ(B.Grid()->GetColor(), clRed);
  EXPECT_EQ(B.Ticks()->GetWidth(), 3);
  EXPECT_EQ(B.LabelsFont()->GetName(), "Times New Roman");
  EXPECT_EQ(B.Title()->GetAngle(), 270);
  EXPECT_EQ(B.Title()->Font()->GetSize(), 14);
  EXPECT_EQ(B.GetLogarithmicBase(), 2.5);
  EXPECT_EQ(B.LinLogDecShift, 2);
  EXPECT_TRUE(B.RoundedLimits && B.MinDecEnabled && B.LogLabelFormat && B.UseFixedLimits);
  EXPECT_EQ(B.MinDecValue, 0.125);
  EXPECT_FALSE(B.GetHorizontal());  // placement not read
  // Everything written except placement, visibility, fixed limits and caption
  // comes back: the two texts agree once those fields are aligned.
  B.SetHorizontal(true);
  EXPECT_EQ(AxisToText(B), AxisToText(A));
  // A comma text reads as well.
  AxisFromText(B, WithField(B, 46, "0,5"), true);
  EXPECT_EQ(B.GetIncrement(), 0.5);
}

TEST_F(AxisTextTest, FieldsThatAreNeverApplied) {
  TChartAxis& A = *Source.Axis;
  A.FixedMinimum = 3;
  A.Title()->SetCaption("Depth");
  auto F = Fields(AxisToText(A), '~');
  F[38] = "0";
  F[5] = "0";
  AxisFromText(*Target.Axis, Joined(F, '~'), false);
  EXPECT_TRUE(Target.Axis->GetVisible());
  EXPECT_EQ(Target.Axis->FixedMinimum, 0);
  EXPECT_EQ(Target.Axis->Title()->GetCaption(), "");
  AxisFromText(*Source.Axis, Joined(F, '~'), true);
  EXPECT_FALSE(Source.Axis->GetHorizontal());
}

TEST_F(AxisTextTest, BadFieldsKeepTheCurrentValues) {
  TChartAxis& A = *Target.Axis;
  A.SetMinMax(1, 9);
  A.SetTickLength(6);
  A.SetIncrement(2);
  const std::string Base = AxisToText(A);
  AxisFromText(A, WithField(A, 49, "oops"), true);
  EXPECT_EQ(A.GetMinimum(), 1);
  AxisFromText(A, WithField(A, 30, ""), true);
  EXPECT_EQ(A.GetTickLength(), 6);
  AxisFromText(A, WithField(A, 46, "x"), true);
  EXPECT_EQ(A.GetIncrement(), 2);
  EXPECT_EQ(AxisToText(A), Base);
  AxisFromText(A, "", true);
  AxisFromText(A, "1~2", true);  // a short text: only the fields present
  EXPECT_EQ(A.GetTickLength(), 6);
}

TEST_F(AxisTextTest, RuleBreakingTextRaisesBeforeApplyingAnything) {
  TChartAxis& A = *Target.Axis;
  const std::string Before = AxisToText(A);
  const struct {
    size_t Field;
    const char* Value;
    const char* Message;
  } Cases[] = {
      {46, "-1", "Axis increment must be >= 0"},
      {45, "1", "Axis Logarithmic Base should be <> 1 and > 0"},
      {14, "-5", "Labels Separation % must be greater than 0"},
  };
  for (const auto& C : Cases) {
    auto F = Fields(Before, '~');
    F[30] = "12";  // applied before the failing field if it were applied one by one
    F[C.Field] = C.Value;
    try {
      AxisFromText(A, Joined(F, '~'), true);
      ADD_FAILURE() << C.Message;
    } catch (const AxisException& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
    EXPECT_EQ(AxisToText(A), Before);
  }
  Target.Chart.DateTime = true;
  EXPECT_THROW(AxisFromText(A, WithField(A, 17, "1"), true), AxisException);
  EXPECT_FALSE(A.GetLogarithmic());
}

TEST_F(AxisTextTest, FieldsOutOfRangeRefuseTheWholeText) {
  TChartAxis& A = *Target.Axis;
  const std::string Before = AxisToText(A);
  const struct {
    size_t Field;
    const char* Value;
  } Cases[] = {
      {21, "44623874"}, {21, "-1"},      {15, "-1"},       {15, "2000000000"}, {18, "2147483647"}, {19, "-99999"},
      {22, "100000"},   {29, "-100000"}, {30, "99999"},    {24, "-2.1e19"},    {25, "1e300"},      {26, "-1e6"},
      {37, "123456"},   {39, "100000"},
  };
  for (const auto& C : Cases) {
    auto F = Fields(Before, '~');
    F[30] = "12";  // a good field before the bad one is not applied either
    F[C.Field] = C.Value;
    EXPECT_THROW(AxisFromText(A, Joined(F, '~'), true), AxisException) << C.Field << " = " << C.Value;
    EXPECT_EQ(AxisToText(A), Before) << C.Field;
  }
  // The limits themselves are accepted.
  auto F = Fields(Before, '~');
  F[21] = "1000";
  F[24] = "-10000";
  AxisFromText(A, Joined(F, '~'), true);
  EXPECT_EQ(A.GetMinorTickCount(), 1000);
  EXPECT_EQ(A.GetStartPosition(), -10000);
}

TEST_F(AxisTextTest, HugePositionsAreWrittenClampedAndReadBackRefused) {
  TChartAxis& A = *Source.Axis;
  A.SetStartPosition(-2.1e19);
  A.SetEndPosition(std::nan(""));
  const auto F = Fields(AxisToText(A), '~');
  EXPECT_EQ(F[24], "-1073741824");
  EXPECT_EQ(F[25], "0");
  EXPECT_THROW(AxisFromText(*Target.Axis, AxisToText(A), true), AxisException);
}

TEST_F(AxisTextTest, LogarithmicIsAppliedAfterTheLimits) {
  TChartAxis& A = *Source.Axis;
  A.SetMinMax(3, 700);
  A.RoundedLimits = true;
  A.SetLogarithmic(true);
  const std::string Text = AxisToText(A);
  Target.Chart.DataMin = 3;
  Target.Chart.DataMax = 700;
  AxisFromText(*Target.Axis, Text, true);
  EXPECT_TRUE(Target.Axis->GetLogarithmic());
  EXPECT_EQ(Target.Axis->GetMinimum(), 1);
  EXPECT_EQ(Target.Axis->GetMaximum(), 1000);
}

TEST_F(AxisTextTest, StoreDefaultTextKeepsTheAxisText) {
  Source.Axis->SetTickLength(11);
  Source.Axis->StoreDefaultText();
  EXPECT_EQ(Source.Axis->AxisDefaultText, AxisToText(*Source.Axis));
}

}  // namespace

}  // namespace PlotEngineTextFormTests
