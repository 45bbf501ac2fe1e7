// The bar family's format pages on the series page: their tabs, the rules
// between their controls and what each control writes.
#include <filesystem>

#include "chart/editors/PlotBarJoinEditor.h"
#include "chart/editors/PlotBarSeriesEdit.h"
#include "chart/editors/PlotErrorSeriesEdit.h"
#include "chart/editors/PlotImageBarEdit.h"
#include "chart/editors/PlotLinePointEditor.h"
#include "chart/editors/PlotStackBarEdit.h"
#include "chart/editors/PlotVolumePipeEdit.h"
#include "chart/editors/tests/SeriesFormFixture.h"
#include "chart/extras/ImageBar.h"
#include "chart/extras/MyPoint.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/PlotEdiGrad.h"

namespace BarFamilyFormTests {

using SeriesFormFixture::SeriesFormTest;

class BarForms : public SeriesFormTest {};

TEST_F(BarForms, BevelSizeFollowsTheBevelStyleAndGradientTheRectangularOnes) {
  auto* S = Add<TBarSeries>();
  auto* F = OpenAs<TBarSeriesEditor>(S);
  ASSERT_TRUE(F);
  const auto& Names = PlotBarSeriesEdit::BarStyleNames();
  ASSERT_EQ(F->CBBarStyle->Items()->Count(), static_cast<int>(Names.size()));
  for (int i = 0; i < static_cast<int>(Names.size()); ++i) {
    SCOPED_TRACE(Names[static_cast<size_t>(i)]);
    F->CBBarStyle->SetItemIndex(i);
    F->CBBarStyle->OnChange(F->CBBarStyle);
    EXPECT_EQ(static_cast<int>(S->GetBarStyle()), i);
    const bool Bevel = Names[static_cast<size_t>(i)] == "Bevel";
    for (TControl* C : std::initializer_list<TControl*>{F->LBevel, F->EBevel, F->UDBevel})
      EXPECT_EQ(C->GetEnabled(), Bevel) << C->GetName();
    EXPECT_EQ(F->BGradient->GetEnabled(), i == 0 || Names[static_cast<size_t>(i)] == "Rect. Gradient");
  }
  // The rules hold on show as well.
  S->SetBarStyle(bsBevel);
  Open(Add<TBarSeries>());
  F = OpenAs<TBarSeriesEditor>(S);
  EXPECT_TRUE(F->EBevel->GetEnabled());
  EXPECT_FALSE(F->BGradient->GetEnabled());
  EXPECT_EQ(F->CBBarStyle->GetText(), "Bevel");
}

TEST_F(BarForms, StackGroupIsOnlyForStackedBars) {
  auto* S = Add<TBarSeries>();
  OpenAs<TBarSeriesEditor>(S);
  auto* Stack = TabForm<TStackBarSeriesEditor>("Stack");
  ASSERT_TRUE(Stack);
  struct TCase {
    const char* Item;
    TMultiBar Stored;
    bool Group;
  };
  for (const TCase& C : {TCase{"Stacked 100%", mbStacked100, true}, TCase{"Side", mbSide, false},
                         TCase{"Stacked", mbStacked, true}, TCase{"None", mbNone, false},
                         TCase{"Self Stack", mbSelfStack, false}, TCase{"Side All", mbSideAll, false}}) {
    SCOPED_TRACE(C.Item);
    Stack->RGMultiBar->SetItemIndex(Stack->RGMultiBar->Items()->IndexOf(C.Item));
    EXPECT_EQ(S->GetMultiBar(), C.Stored);
    for (TControl* Ctl : std::initializer_list<TControl*>{Stack->Label1, Stack->EGroup, Stack->UDGroup})
      EXPECT_EQ(Ctl->GetEnabled(), C.Group) << Ctl->GetName();
  }
  Stack->RGMultiBar->SetItemIndex(2);
  Stack->EGroup->SetText("7");
  EXPECT_EQ(S->GetStackGroup(), 7);
  Stack->EGroup->SetText("700");
  EXPECT_EQ(S->GetStackGroup(), 100);
}

TEST_F(BarForms, OriginTextThatIsNoNumberKeepsTheOrigin) {
  auto* S = Add<TBarSeries>();
  S->SetUseYOrigin(false);
  S->SetYOrigin(2.5);
  OpenAs<TBarSeriesEditor>(S);
  auto* Stack = TabForm<TStackBarSeriesEditor>("Stack");
  ASSERT_TRUE(Stack);
  EXPECT_FALSE(Stack->EYOrigin->GetEnabled());
  EXPECT_EQ(Stack->EYOrigin->GetText(), "2.5");
  Stack->CBYOrigin->SetChecked(true);
  EXPECT_TRUE(S->GetUseYOrigin());
  EXPECT_TRUE(Stack->EYOrigin->GetEnabled());
  struct TCase {
    const char* Text;
    double Origin;
  };
  for (const TCase& C : {TCase{"-", 2.5}, TCase{"-4", -4}, TCase{"abc", -4}, TCase{"", -4}, TCase{"1e3", 1000}})
  {
    Stack->EYOrigin->SetText(C.Text);
    EXPECT_EQ(S->GetYOrigin(), C.Origin) << C.Text;
  }
  EXPECT_EQ(Seam.Prompts().size(), 0u);
}

TEST_F(BarForms, GradientButtonSwitchesToRectGradientAndEditsTheBarGradient) {
  auto* S = Add<TBarSeries>();
  auto* F = OpenAs<TBarSeriesEditor>(S);
  ASSERT_TRUE(F);
  bool Shown = false;
  Modal<TPlotGradientEditor>([&](TPlotGradientEditor& G) {
    Shown = true;
    EXPECT_EQ(G.EditedGradient, S->Gradient());
    EXPECT_FALSE(G.BEnd->GetVisible());
    EXPECT_FALSE(G.BSwap->GetVisible());
    EXPECT_FALSE(G.CBVisible->GetVisible());
    return mrCancel;
  });
  F->BGradient->Click();
  EXPECT_TRUE(Shown);
  EXPECT_EQ(S->GetBarStyle(), bsRectGradient);
  EXPECT_EQ(F->CBBarStyle->GetText(), "Rect. Gradient");
  EXPECT_TRUE(F->BGradient->GetEnabled());
}

TEST_F(BarForms, ColorEachDisablesTheColourButton) {
  auto* S = Add<TBarSeries>();
  auto* F = OpenAs<TBarSeriesEditor>(S);
  ASSERT_TRUE(F);
  EXPECT_TRUE(F->BBarColor->GetEnabled());
  F->CBColorEach->SetChecked(true);
  EXPECT_TRUE(S->GetColorEachPoint());
  EXPECT_FALSE(F->BBarColor->GetEnabled());
  F->SEBarwidth->SetText("55");
  EXPECT_EQ(S->GetBarWidthPercent(), 55);
  F->SEBarOffset->SetText("-30");
  EXPECT_EQ(S->GetOffsetPercent(), -30);
}

TEST_F(BarForms, ErrorStyleShowsOnlyForErrorSeriesAndErrorBarsGetABarTab) {
  struct TCase {
    TCustomErrorSeries* Series;
    bool Style;
    bool BarTab;
  };
  for (const TCase& C : {TCase{Add<TErrorSeries>(), true, false}, TCase{Add<TErrorBarSeries>(), false, true}}) {
    SCOPED_TRACE(C.Series->ClassName());
    auto* F = OpenAs<TErrorSeriesEditor>(C.Series);
    ASSERT_TRUE(F);
    EXPECT_EQ(F->RGStyle->GetVisible(), C.Style);
    EXPECT_EQ(TabForm<TBarSeriesEditor>("Bar") != nullptr, C.BarTab);
    EXPECT_EQ(F->BarForm() != nullptr, C.BarTab);
  }
}

TEST_F(BarForms, ErrorPenColourBecomesTheColourOfErrorMarksAlone) {
  struct TCase {
    TCustomErrorSeries* Series;
    bool Follows;
  };
  for (const TCase& C : {TCase{Add<TErrorSeries>(), true}, TCase{Add<TErrorBarSeries>(), false}}) {
    SCOPED_TRACE(C.Series->ClassName());
    C.Series->SetSeriesColor(clBlue);
    auto* F = OpenAs<TErrorSeriesEditor>(C.Series);
    ASSERT_TRUE(F);
    Modal<TPenDialog>([](TPenDialog& D) {
      D.EditedPen->SetColor(clLime);
      return mrOk;
    });
    F->BPen->Click();
    EXPECT_EQ(C.Series->ErrorPen()->GetColor(), clLime);
    EXPECT_EQ(C.Series->GetSeriesColor(), C.Follows ? clLime : clBlue);
  }
}

TEST_F(BarForms, VolumePipeDirectionOffersTopBottomAndLeftRight) {
  auto* S = Add<TVolumePipeSeries>();
  struct TCase {
    TGradientDirection Shown;
    const char* Item;
  };
  for (const TCase& C : {TCase{TGradientDirection::gdTopBottom, "Top Bottom"},
                         TCase{TGradientDirection::gdLeftRight, "Left Right"},
                         TCase{TGradientDirection::gdBottomTop, "Left Right"}}) {
    S->Gradient()->SetDirection(C.Shown);
    Open(Add<TBarSeries>());
    auto* F = OpenAs<TVolumePipeSeriesEditor>(S);
    ASSERT_TRUE(F);
    EXPECT_EQ(F->CBDirection->GetText(), C.Item);
    EXPECT_EQ(S->Gradient()->GetDirection(), C.Shown);
  }
  auto* F = dynamic_cast<TVolumePipeSeriesEditor*>(Page->FormatForm());
  F->CBDirection->SetItemIndex(0);
  F->CBDirection->OnChange(F->CBDirection);
  EXPECT_EQ(S->Gradient()->GetDirection(), TGradientDirection::gdTopBottom);
  F->CBDirection->SetItemIndex(1);
  F->CBDirection->OnChange(F->CBDirection);
  EXPECT_EQ(S->Gradient()->GetDirection(), TGradientDirection::gdRightLeft);
  // Turning "Brush Back Clear" on clears the brush colour at once.
  S->Brush()->SetColor(clRed);
  F->CheckBox1->SetChecked(true);
  EXPECT_EQ(S->Brush()->GetColor(), clNone);
}

TEST_F(BarForms, ImageBarBrowseClearsAndLoadsThePicture) {
  ImageBar::Initialization();
  auto* S = Add<TImageBarSeries>();
  ASSERT_FALSE(S->Image()->Empty());
  auto* F = OpenAs<TImageBarSeriesEditor>(S);
  ASSERT_TRUE(F);
  auto* Bar = TabForm<TBarSeriesEditor>("Bar");
  ASSERT_TRUE(Bar);
  EXPECT_FALSE(Bar->CBBarStyle->GetVisible());
  EXPECT_FALSE(Bar->LStyle->GetVisible());
  EXPECT_EQ(F->BBrowse->GetCaption(), "Clea&r");
  EXPECT_TRUE(F->CBTiled->GetEnabled());
  F->BBrowse->Click();
  EXPECT_TRUE(S->Image()->Empty());
  EXPECT_EQ(F->BBrowse->GetCaption(), "B&rowse...");
  EXPECT_FALSE(F->CBTiled->GetEnabled());

  const std::string File = (std::filesystem::temp_directory_path() / "kv-imagebar.bmp").string();
  TBitmap B;
  B.SetSize(6, 4);
  B.SaveToFile(File);
  Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
  F->BBrowse->Click();
  EXPECT_FALSE(S->Image()->Empty());
  EXPECT_EQ(S->Image()->GetWidth(), 6);
  EXPECT_EQ(F->BBrowse->GetCaption(), "Clea&r");
  EXPECT_TRUE(F->CBTiled->GetEnabled());
  F->CBTiled->SetChecked(true);
  EXPECT_TRUE(S->GetImageTiled());
  std::filesystem::remove(File);
}

TEST_F(BarForms, DerivedFormsBindTheirExtraPens) {
  auto* Join = Add<TBarJoinSeries>();
  auto* J = OpenAs<TBarJoinEditor>(Join);
  ASSERT_TRUE(J);
  EXPECT_EQ(J->BJoin->GetPen(), Join->JoinPen());
  EXPECT_EQ(J->BJoin->GetParent(), J->TabFormat);
  EXPECT_EQ(J->BJoin->GetCaption(), "&Join...");
  auto* Line = Add<TMyPointSeries>();
  auto* L = OpenAs<TLinePointEditor>(Line);
  ASSERT_TRUE(L);
  EXPECT_EQ(L->BLines->GetPen(), Line->LinesPen());
  EXPECT_EQ(L->BLines->GetParent(), L->GPPoint);
  EXPECT_EQ(L->Pointer(), Line->Pointer());
}

}  // namespace BarFamilyFormTests
