// The format pages of the financial and statistical series: candle style
// rules and colours, the volume page built on the pen dialog, the high-low
// and histogram colour rules, and the box page's real edits and symbol tabs.
#include "chart/editors/PlotBoxEdit.h"
#include "chart/editors/PlotCandleEdit.h"
#include "chart/editors/PlotHighLowEdit.h"
#include "chart/editors/PlotHistogramEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotVolumeEdit.h"
#include "chart/editors/tests/GridFinancialFormFixture.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/StatChar.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/ErrorBar.h"

namespace FinancialFormTests {

using FinancialForms = GridFinancialFormFixture::FormTest;

TEST_F(FinancialForms, CandleStyleEnablesTicksWidthAnd3DBoxes) {
  struct TCase {
    TCandleStyle Style;
    bool Ticks, Draw3D, Width, HideBorderColour;
  } const Cases[] = {
      {csCandleStick, false, true, true, false},
      {csCandleBar, true, false, true, true},
      {csOpenClose, false, true, true, false},
      {csLine, false, false, false, true},
  };
  auto* S = Add<TCandleSeries>(6);
  auto* Other = Add<TLineSeries>(2);
  auto Check = [](TCandleEditor& E, const TCase& C, const char* When) {
    const int Style = static_cast<int>(C.Style);
    EXPECT_EQ(E.CBShowOpen->GetEnabled(), C.Ticks) << Style << When;
    EXPECT_EQ(E.CBShowClose->GetEnabled(), C.Ticks) << Style << When;
    EXPECT_EQ(E.CBDraw3D->GetEnabled(), C.Draw3D) << Style << When;
    EXPECT_EQ(E.CBDark3D->GetEnabled(), C.Draw3D) << Style << When;
    EXPECT_EQ(E.SEWidth->GetEnabled(), C.Width) << Style << When;
    EXPECT_EQ(E.UDWidth->GetEnabled(), C.Width) << Style << When;
    EXPECT_EQ(E.Button1->HideColorButton, C.HideBorderColour) << Style << When;
  };
  for (const TCase& C : Cases) {
    // Chosen on the page ...
    auto* E = Open<TCandleEditor>(S);
    ASSERT_TRUE(E);
    E->RGStyle->SetItemIndex(static_cast<int>(C.Style));
    EXPECT_EQ(S->GetCandleStyle(), C.Style);
    Check(*E, C, " chosen");
    // ... and found on show.
    Page->SelectSeries(Other);
    E = Open<TCandleEditor>(S);
    ASSERT_TRUE(E);
    EXPECT_EQ(E->RGStyle->GetItemIndex(), static_cast<int>(C.Style));
    Check(*E, C, " shown");
    Page->SelectSeries(Other);
  }
  // The border pen dialog of a line candle has no colour button.
  S->SetCandleStyle(csLine);
  auto* E = Open<TCandleEditor>(S);
  ASSERT_TRUE(E);
  bool ColourShown = true;
  Modal<TPenDialog>([&](TPenDialog& D) {
    ColourShown = D.BColor->GetVisible();
    return mrCancel;
  });
  E->Button1->Click();
  EXPECT_FALSE(ColourShown);
}

TEST_F(FinancialForms, CandleColoursAndWidthWriteTheirProperties) {
  auto* S = Add<TCandleSeries>(6);
  auto* E = Open<TCandleEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_EQ(E->PageControl1->PageCount(), 2);
  Seam.AnswerColor(clGreen);
  E->BUpColor->Click();
  EXPECT_EQ(S->GetUpCloseColor(), clGreen);
  Seam.AnswerColor(clMaroon);
  E->BDownColor->Click();
  EXPECT_EQ(S->GetDownCloseColor(), clMaroon);
  EXPECT_EQ(E->BUpGradient->GetGradient(), S->UpCloseGradient());
  EXPECT_EQ(E->BHighLow->GetPen(), S->HighLowPen());
  E->CBColorStyle->SetItemIndex(1);
  E->CBColorStyle->OnChange(E->CBColorStyle);
  EXPECT_EQ(S->GetColorStyle(), cssRelativeToClose);
  E->SEWidth->SetText("11");
  EXPECT_EQ(S->GetCandleWidth(), 11);
}

TEST_F(FinancialForms, VolumePageEditsTheLinePenColourEachAndOrigin) {
  auto* S = Add<TVolumeSeries>(6);
  S->SetYOrigin(4);
  auto* E = Open<TVolumeSeriesEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_FALSE(E->BOk->GetVisible());
  EXPECT_FALSE(E->BCancel->GetVisible());
  EXPECT_EQ(E->EditedPen, S->LinePen());
  EXPECT_EQ(E->EOrigin->GetText(), "4");
  EXPECT_FALSE(E->EOrigin->GetEnabled());

  E->SEWidth->SetText("3");
  EXPECT_EQ(S->LinePen()->GetWidth(), 3);
  // The pen colour becomes the series colour.
  Seam.AnswerColor(clNavy);
  E->BColor->Click();
  EXPECT_EQ(S->LinePen()->GetColor(), clNavy);
  EXPECT_EQ(S->GetSeriesColor(), clNavy);

  E->CBColorEach->SetChecked(true);
  EXPECT_TRUE(S->GetColorEachPoint());
  EXPECT_FALSE(E->BColor->GetEnabled());

  E->CBUseOrigin->SetChecked(true);
  EXPECT_TRUE(S->GetUseYOrigin());
  EXPECT_TRUE(E->EOrigin->GetEnabled());
  for (const char* Text : {"abc", "", "-", "1e"}) {
    E->EOrigin->SetText(Text);
    EXPECT_EQ(S->GetYOrigin(), 4) << Text;
  }
  E->EOrigin->SetText("-2.5");
  EXPECT_EQ(S->GetYOrigin(), -2.5);
}

TEST_F(FinancialForms, ColourEachDisablesTheHistogramColourButNotTheHighLowColour) {
  auto* Histogram = Add<THistogramSeries>(6);
  auto* H = Open<THistogramSeriesEditor>(Histogram);
  ASSERT_TRUE(H);
  EXPECT_TRUE(H->BAreaColor->GetEnabled());
  EXPECT_EQ(H->BAreaLinePen->GetPen(), Histogram->Pen());
  EXPECT_EQ(H->BAreaLinesPen->GetPen(), Histogram->LinesPen());
  H->CBColorEach->SetChecked(true);
  EXPECT_TRUE(Histogram->GetColorEachPoint());
  EXPECT_FALSE(H->BAreaColor->GetEnabled());
  H->Edit1->SetText("40");
  EXPECT_EQ(Histogram->GetTransparency(), 40);

  auto* HighLow = Add<THighLowSeries>(6);
  auto* L = Open<THighLowEditor>(HighLow);
  ASSERT_TRUE(L);
  EXPECT_EQ(L->BHighPen->GetPen(), HighLow->HighPen());
  EXPECT_EQ(L->BLowPen->GetPen(), HighLow->LowPen());
  L->CBColorEach->SetChecked(true);
  EXPECT_TRUE(HighLow->GetColorEachPoint());
  EXPECT_TRUE(L->BColor->GetEnabled());
  L->UDTransp->ButtonClick(TUDBtnType::btNext);
  EXPECT_EQ(HighLow->GetTransparency(), 5);
}

TEST_F(FinancialForms, BoxPageAddsThreeSymbolTabsForItsPointers) {
  auto* S = Add<TBoxSeries>(8);
  auto* E = Open<TBoxSeriesEditor>(S);
  ASSERT_TRUE(E);
  struct TCase {
    const char* Tab;
    TSeriesPointer* Pointer;
  } const Cases[] = {{"Box", S->Pointer()}, {"ExtrOut", S->ExtrOut()}, {"MildOut", S->MildOut()}};
  for (const TCase& C : Cases) {
    auto* P = TabForm<TSeriesPointerEditor>(C.Tab);
    ASSERT_TRUE(P) << C.Tab;
    EXPECT_EQ(P->Edited(), static_cast<TObject*>(C.Pointer)) << C.Tab;
    EXPECT_EQ(E->EmbeddedForm(C.Tab), P) << C.Tab;
  }
  // Without a parent the page is a free form and adds no tabs.
  auto* Free = Create<TBoxSeriesEditor>(Owner);
  Free->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(S));
  Free->FormShow(Free);
  EXPECT_EQ(Free->EmbeddedForm("Box"), nullptr);
  EXPECT_EQ(TabCount("Box"), 1);
}

TEST_F(FinancialForms, BoxLengthAndPositionIgnoreTextThatIsNoNumber) {
  auto* S = Add<TBoxSeries>(8);
  S->SetPosition(2);
  auto* E = Open<TBoxSeriesEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_EQ(E->ELength->GetText(), "1.5");
  EXPECT_EQ(E->EPos->GetText(), "2");
  EXPECT_EQ(E->BMedian->GetPen(), S->MedianPen());
  EXPECT_EQ(E->BWhisker->GetPen(), S->WhiskerPen());
  struct TCase {
    const char* Text;
    double Length, Position;
  } const Cases[] = {
      {"", 1.5, 2}, {"-", 1.5, 2}, {"abc", 1.5, 2}, {"2.", 2, 2}, {"2.25", 2.25, 2.25}, {"1e", 2.25, 2.25},
  };
  // A message box on any keystroke would be an unexpected prompt of the seam.
  for (const TCase& C : Cases) {
    E->ELength->SetText(C.Text);
    E->EPos->SetText(C.Text);
    EXPECT_EQ(S->GetWhiskerLength(), C.Length) << C.Text;
    EXPECT_EQ(S->GetPosition(), C.Position) << C.Text;
  }
}

}  // namespace FinancialFormTests
