// The value format dialog under both separator conventions.
#include "chart/series/PlotFormatting.h"

#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtils.h"

namespace PlotFormattingTests {

namespace {

class ValueFormat : public StyleDialogTest, public ::testing::WithParamInterface<char> {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    FS = TFormatSettings::Invariant();
    FS.DecimalSeparator = GetParam();
    FS.ThousandSeparator = GetParam() == '.' ? ',' : '.';
    Scope = std::make_unique<TFormatSettingsScope>(FS);
  }
  // "#,##0.00" written with the locale's separators.
  std::string L(const std::string& Format) const {
    std::string S = Format;
    for (char& C : S) C = C == ',' ? FS.ThousandSeparator : C == '.' ? FS.DecimalSeparator : C;
    return S;
  }
  std::string Run(const std::string& Format, const std::function<void(TFormatEditor&)>& Script) {
    Modal<TFormatEditor>([Script](TFormatEditor& F) {
      Script(F);
      return mrOk;
    });
    return PlotFormatting::EditValueFormat(nullptr, Format, true);
  }
  TFormatSettings FS;
  std::unique_ptr<TFormatSettingsScope> Scope;
};

TEST_P(ValueFormat, ANumberFormatIsTakenApartAndRebuilt) {
  const std::string Result = Run(L("#,##0.00"), [](TFormatEditor& F) {
    EXPECT_TRUE(F.RBInteger->GetChecked());
    EXPECT_TRUE(F.CBThousands->GetChecked());
    EXPECT_EQ(F.UpDown1->GetPosition(), 2);
    EXPECT_TRUE(F.CBFixedDecimals->GetChecked());
    EXPECT_EQ(F.UpDown2->GetPosition(), 1);
    EXPECT_FALSE(F.CBPercent->GetChecked());
  });
  EXPECT_EQ(Result, L("#,##0.00"));
}

TEST_P(ValueFormat, BuiltNumberFormats) {
  struct TCase {
    bool Thousands;
    int Fixed, Decimals;
    bool FixedDecimals;
    std::string Expected;
  };
  for (const TCase& C : {TCase{true, 2, 0, false, "#,#00"}, TCase{true, 5, 0, false, "00,000"},
                         TCase{true, 0, 0, false, "#,###"}, TCase{false, 3, 2, false, "000.##"},
                         TCase{false, 0, 1, true, "#.0"}}) {
    const std::string Result = Run("0", [&](TFormatEditor& F) {
      F.CBThousands->SetChecked(C.Thousands);
      F.UpDown2->SetPosition(C.Fixed);
      F.UpDown1->SetPosition(C.Decimals);
      F.CBFixedDecimals->SetChecked(C.FixedDecimals);
    });
    EXPECT_EQ(Result, L(C.Expected)) << C.Expected;
  }
}

TEST_P(ValueFormat, PercentClearsThousandsAndCurrency) {
  const std::string Result = Run(FormatSettings.CurrencyString + L("#,##0"), [](TFormatEditor& F) {
    EXPECT_TRUE(F.CBCurrency->GetChecked());
    EXPECT_TRUE(F.CBThousands->GetChecked());
    F.CBPercent->SetChecked(true);
    EXPECT_FALSE(F.CBThousands->GetChecked());
    EXPECT_FALSE(F.CBCurrency->GetChecked());
    EXPECT_FALSE(F.CBThousands->GetEnabled());
    EXPECT_FALSE(F.CBCurrency->GetEnabled());
  });
  EXPECT_EQ(Result, "0%");
}

TEST_P(ValueFormat, DateGeographicAndCustomTexts) {
  EXPECT_EQ(Run("dd-mm-yyyy", [](TFormatEditor& F) {
              EXPECT_TRUE(F.RBDate->GetChecked());
              EXPECT_TRUE(F.CBDate->GetEnabled());
              EXPECT_FALSE(F.RBInteger->GetChecked());
            }),
            "dd-mm-yyyy");
  EXPECT_EQ(Run("ddd mm ss", [](TFormatEditor& F) { EXPECT_TRUE(F.RBGeo->GetChecked()); }), "ddd mm ss");
  const std::string Custom = L("0.00") + " kg";
  EXPECT_EQ(Run(Custom, [&](TFormatEditor& F) {
              EXPECT_TRUE(F.RBCustom->GetChecked());
              EXPECT_EQ(F.CBCustom->GetText(), Custom);
            }),
            Custom);
  Modal<TFormatEditor>([](TFormatEditor& F) {
    F.UpDown1->SetPosition(3);
    return mrCancel;
  });
  EXPECT_EQ(PlotFormatting::EditValueFormat(nullptr, "0.0", false), "0.0") << "cancel keeps the format";
}

INSTANTIATE_TEST_SUITE_P(Separators, ValueFormat, ::testing::Values('.', ','));

}  // namespace

}  // namespace PlotFormattingTests
