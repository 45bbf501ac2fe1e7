// The axis increment dialog and the increment texts.
#include "chart/series/PlotAxisIncr.h"

#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/SysUtils.h"

namespace PlotAxisIncrTests {

namespace {

class AxisIncrement : public StyleDialogTest {
protected:
  // Shows a date-time dialog for Increment, types Text as a custom value and
  // presses OK; answers the increment read, and whether the dialog closed.
  std::pair<double, bool> EnterCustom(double Increment, const std::string& Text, bool Refused = false) {
    auto* D = Create<TAxisIncrement>(nullptr);
    D->IsDateTime = true;
    D->Increment = Increment;
    bool Closed = false;
    Modal<TAxisIncrement>([&](TAxisIncrement& F) {
      EXPECT_EQ(F.RadioGroup1->GetItemIndex(), 1);
      F.ECustom->SetText(Text);
      if (Refused) Seam.AnswerMessage(mrOk);
      F.BOk->Click();
      Closed = F.GetModalResult() == mrOk;
      return Closed ? mrOk : mrCancel;
    });
    D->ShowModal();
    const double Result = D->Increment;
    D->Free();
    return {Result, Closed};
  }
};

TEST_F(AxisIncrement, CustomTextsOfDayCountsAndTimes) {
  TFormatSettingsScope Scope(TFormatSettings::Invariant());
  EXPECT_EQ(PlotAxisIncr::CustomText(1.5), "1 " + SysUtils::TimeToStr(0.5));
  EXPECT_EQ(PlotAxisIncr::CustomText(1), "1");
  EXPECT_EQ(PlotAxisIncr::CustomText(0), SysUtils::TimeToStr(1.0 / 86400));
  EXPECT_EQ(PlotAxisIncr::CustomText(0.25), SysUtils::TimeToStr(0.25));
  const auto [Value, Closed] = EnterCustom(1, PlotAxisIncr::CustomText(1.5));
  EXPECT_TRUE(Closed);
  EXPECT_NEAR(Value, 1.5, 1e-9);
  EXPECT_NEAR(EnterCustom(1, "2.5").first, 2.5, 1e-12) << "a plain number in point notation";
}

TEST_F(AxisIncrement, TimesOfDayWithADayHalfReadBack) {
  TFormatSettings AmPm = TFormatSettings::Invariant();
  AmPm.LongTimeFormat = "h:nn:ss AMPM";
  TFormatSettingsScope Scope(AmPm);
  const std::string Text = PlotAxisIncr::CustomText(0.75);
  ASSERT_NE(Text.find(' '), std::string::npos) << Text;
  const auto [Value, Closed] = EnterCustom(0.75, Text);
  EXPECT_TRUE(Closed) << Text;
  EXPECT_NEAR(Value, 0.75, 1e-9);
}

TEST_F(AxisIncrement, TextThatIsNoValueShowsTheReasonAndKeepsTheDialogOpen) {
  TFormatSettingsScope Scope(TFormatSettings::Invariant());
  const auto [Value, Closed] = EnterCustom(2, "abc", true);
  EXPECT_FALSE(Closed);
  EXPECT_EQ(Value, 2);
  ASSERT_EQ(Seam.Prompts().size(), 2u);
  EXPECT_EQ(Seam.Prompts()[1].Text.rfind("Incorrect value. Reason: ", 0), 0u) << Seam.Prompts()[1].Text;
  EXPECT_GT(Seam.Prompts()[1].Text.size(), std::string("Incorrect value. Reason: ").size());
}

TEST_F(AxisIncrement, NumericAxisShowsItsNumberInTheLocale) {
  for (char Decimal : {'.', ','}) {
    TFormatSettings FS = TFormatSettings::Invariant();
    FS.DecimalSeparator = Decimal;
    FS.ThousandSeparator = Decimal == '.' ? ',' : '.';
    TFormatSettingsScope Scope(FS);
    auto* D = Create<TAxisIncrement>(nullptr);
    D->Increment = 0.25;
    Modal<TAxisIncrement>([&](TAxisIncrement& F) {
      EXPECT_FALSE(F.RadioGroup1->GetVisible());
      EXPECT_FALSE(F.CBSteps->GetVisible());
      EXPECT_FALSE(F.CBExact->GetVisible());
      EXPECT_EQ(F.ECustom->GetText(), std::string("0") + Decimal + "25");
      F.ECustom->SetText(std::string("12") + Decimal + "5");
      F.BOk->Click();
      return F.GetModalResult();
    });
    EXPECT_EQ(D->ShowModal(), mrOk);
    EXPECT_DOUBLE_EQ(D->Increment, 12.5);
    D->Free();
  }
}

TEST_F(AxisIncrement, StandardStepsAndTheirNames) {
  std::string Text;
  PlotAxisIncr::AxisValueToText(true, true, Text, "", 7);
  EXPECT_EQ(Text, "One Week");
  PlotAxisIncr::AxisValueToText(true, false, Text, "", 7);
  EXPECT_EQ(Text, "7");
  PlotAxisIncr::AxisValueToText(false, false, Text, "0.0", 0.25);
  EXPECT_EQ(Text, SysUtils::FloatToStr(0.25)) << "0.3 would not read back as 0.25";
  EXPECT_EQ(PlotAxisIncr::StepName(0), "One Microsecond");
  EXPECT_EQ(PlotAxisIncr::StepName(26), "One Year");
  auto* D = Create<TAxisIncrement>(nullptr);
  D->IsDateTime = true;
  D->IsExact = true;
  D->IStep = 19;
  D->Increment = 7;
  Modal<TAxisIncrement>([](TAxisIncrement& F) {
    EXPECT_EQ(F.RadioGroup1->GetItemIndex(), 0);
    EXPECT_EQ(F.CBSteps->GetItemIndex(), 19);
    EXPECT_FALSE(F.ECustom->GetEnabled());
    EXPECT_TRUE(F.CBExact->GetChecked());
    F.CBSteps->SetItemIndex(16);
    F.CBSteps->Change();
    F.BOk->Click();
    return F.GetModalResult();
  });
  EXPECT_EQ(D->ShowModal(), mrOk);
  EXPECT_EQ(D->Increment, 1);
  EXPECT_EQ(D->IStep, 16);
  D->Free();
}

}  // namespace

}  // namespace PlotAxisIncrTests
