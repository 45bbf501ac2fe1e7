// The axis editor with its limit dialog, and the legend and legend symbol
// editors: what they show, what each control writes and the rules between
// controls.
#include <cmath>
#include <cstdlib>

#include "chart/editors/PlotAxMaxMin.h"
#include "chart/editors/PlotEdiAxis.h"
#include "chart/editors/PlotEdiLege.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotSymbolEditor.h"
#include "chart/series/PlotAxisIncr.h"
#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/SysUtils.h"
#include <QPixmap>
#include <QWidget>

#include "platform/ui/Menus.h"

namespace AxisLegendEditorTests {

namespace {

const double E = std::exp(1.0);

class AxisEditor : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Line = Create<TLineSeries>(Owner);
    Line->SetParentChart(Chart);
    for (int i = 0; i < 5; ++i) Line->AppendPoint(i * 10.0, 2.0 + i * i);
    Chart->LeftAxis()->CalcAxisRange();
  }
  void TearDown() override { Owner->Free(); }
  TFormPlotAxis* Open(TChartAxis* Axis) {
    auto* F = new TFormPlotAxis(Create<TComponent>(Owner), Axis);
    F->FormShow(nullptr);
    return F;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TLineSeries* Line = nullptr;
};

// ---- the stand-alone dialog ----

TEST_F(AxisEditor, PopUpDialogCaptionsEachStandardAxisAndHidesTheChartEditorControls) {
  struct TCase {
    TChartAxis* Axis;
    const char* Caption;
  };
  const TCase Cases[] = {{Chart->LeftAxis(), "Left axis edit"},   {Chart->RightAxis(), "Right axis edit"},
                         {Chart->TopAxis(), "Top axis edit"},     {Chart->BottomAxis(), "Bottom axis edit"},
                         {Chart->DepthAxis(), ""},                {TChartAxis::CreateCustom(*Chart), ""}};
  for (const TCase& C : Cases) {
    bool Shown = false;
    Modal<TFormPlotAxis>([&](TFormPlotAxis& F) {
      Shown = true;
      EXPECT_EQ(F.GetCaption(), C.Caption);
      EXPECT_EQ(F.TheAxis(), C.Axis);
      EXPECT_EQ(F.GetBorderStyle(), TFormBorderStyle::bsSizeable);
      for (TControl* Hidden : std::initializer_list<TControl*>{F.CBLabelStyle, F.Label3, F.Panel1, F.Label6, F.Edit2,
                                                               F.UDGridZ, F.LabelZ, F.Edit1, F.UDZ})
        EXPECT_FALSE(Hidden->GetVisible()) << Hidden->GetName();
      EXPECT_TRUE(F.TabLabFormat->GetTabVisible());
      EXPECT_EQ(F.PageAxis->GetActivePage(), F.TabScales);
      return mrOk;
    });
    PlotEdiAxis::ShowAxisEditor(Chart, C.Axis);
    EXPECT_TRUE(Shown) << C.Caption;
  }
}

TEST_F(AxisEditor, AxisOfAnotherChartOpensNothingAndLogLabelFormatHidesTheFormatTab) {
  auto* Other = Create<TChart>(Owner);
  PlotEdiAxis::ShowAxisEditor(Other, Chart->LeftAxis());  // no modal answer queued: a prompt would fail
  EXPECT_EQ(Seam.Prompts().size(), 0u);

  Chart->LeftAxis()->LogLabelFormat = true;
  Modal<TFormPlotAxis>([](TFormPlotAxis& F) {
    EXPECT_FALSE(F.TabLabFormat->GetTabVisible());
    return mrOk;
  });
  PlotEngine::ShowAxisEditor(Chart, Chart->LeftAxis());
}

TEST_F(AxisEditor, OpeningAndClosingWithoutAChangeKeepsTheAxisTextForm) {
  TChartAxis* Left = Chart->LeftAxis();
  Left->SetLogarithmicBase(E);
  Left->SetLogarithmic(true);
  Left->SetTickLength(2000);  // beyond its spin edit's range
  Left->SetLabelsSize(-5);
  Left->SetMinimumOffset(20000);
  Left->MinDecEnabled = true;
  Left->LabelOffset = 100;
  TChartAxis* Bottom = Chart->BottomAxis();
  Bottom->SetMinMax(3.25, 47.5);
  Bottom->SetStartPosition(12.6);
  Bottom->SetAxisValuesFormat("0.00");
  for (TChartAxis* A : {Left, Bottom}) {
    const std::string Before = PlotEngine::AxisToText(*A);
    const double Base = A->GetLogarithmicBase(), Min = A->GetMinimum(), Max = A->GetMaximum();
    Modal<TFormPlotAxis>([](TFormPlotAxis& F) {
      // Visiting every page copies the axis into it again.
      for (int i = 0; i < F.PageAxis->PageCount(); ++i) F.PageAxis->SelectPage(F.PageAxis->Pages(i));
      return mrOk;
    });
    PlotEdiAxis::ShowAxisEditor(Chart, A);
    EXPECT_EQ(PlotEngine::AxisToText(*A), Before);
    EXPECT_EQ(A->GetLogarithmicBase(), Base);
    EXPECT_EQ(A->GetMinimum(), Min);
    EXPECT_EQ(A->GetMaximum(), Max);
  }
  // A base-e axis reopens with "e" ticked.
  auto* F = Open(Left);
  EXPECT_TRUE(F->LogE->GetChecked());
  EXPECT_FALSE(F->LogE->GetEnabled());
}

// ---- scales ----

TEST_F(AxisEditor, AutomaticBoxesSwitchTheLimitsAndRecalculateTheRange) {
  TChartAxis* A = Chart->LeftAxis();
  auto* F = Open(A);
  EXPECT_TRUE(F->CBAutomatic->GetChecked());
  F->CBAutomatic->SetChecked(false);
  EXPECT_FALSE(A->GetAutomatic());
  EXPECT_FALSE(A->GetAutomaticMinimum());
  EXPECT_FALSE(A->GetAutomaticMaximum());
  EXPECT_FALSE(F->CBAutoMin->GetChecked());
  EXPECT_FALSE(F->CBAutoMax->GetChecked());

  A->StoreLimits(-50, 500);
  F->CBAutoMin->SetChecked(true);
  EXPECT_TRUE(A->GetAutomaticMinimum());
  EXPECT_EQ(A->GetMinimum(), 2);  // the data's smallest value
  EXPECT_EQ(A->GetMaximum(), 500);
  EXPECT_EQ(F->LAxisMin->GetCaption(), "2");
  F->CBAutoMax->SetChecked(true);
  EXPECT_EQ(A->GetMaximum(), 18);
  EXPECT_TRUE(A->GetAutomatic());
  EXPECT_TRUE(F->CBAutomatic->GetChecked());
}

TEST_F(AxisEditor, LogarithmicOnADateTimeAxisIsRefusedAndThePageStaysUsable) {
  Line->XValues()->SetDateTime(true);
  TChartAxis* A = Chart->BottomAxis();
  ASSERT_TRUE(A->IsDateTime());
  auto* F = Open(A);
  EXPECT_THROW(F->CBLogarithmic->SetChecked(true), Exception);
  EXPECT_FALSE(A->GetLogarithmic());
  EXPECT_FALSE(F->CBLogarithmic->GetChecked());
  EXPECT_FALSE(F->GroupBox1->GetEnabled());
  EXPECT_FALSE(F->ELogBase->GetEnabled());
  F->CBInverted->SetChecked(true);
  EXPECT_TRUE(A->GetInverted());

  // A numeric axis goes logarithmic and enables the base and LinLog controls.
  auto* G = Open(Chart->LeftAxis());
  G->CBLogarithmic->SetChecked(true);
  EXPECT_TRUE(Chart->LeftAxis()->GetLogarithmic());
  EXPECT_TRUE(G->GroupBox1->GetEnabled());
  EXPECT_TRUE(G->ELogBase->GetEnabled());
  EXPECT_TRUE(G->LogE->GetEnabled());
}

TEST_F(AxisEditor, BaseEditTakesOnlyNumbersAboveZeroOtherThanOne) {
  TChartAxis* A = Chart->LeftAxis();
  A->SetLogarithmic(true);
  auto* F = Open(A);
  EXPECT_EQ(F->ELogBase->GetText(), "10");
  const struct {
    const char* Text;
    double Base;
  } Cases[] = {{"1", 10}, {"0", 10}, {"x", 10}, {"-2", 10}, {"", 10}, {"2", 2}, {"1", 2}, {"0.5", 0.5}};
  for (const auto& C : Cases) {
    F->ELogBase->SetText(C.Text);
    EXPECT_EQ(A->GetLogarithmicBase(), C.Base) << C.Text;
    EXPECT_FALSE(F->LogE->GetChecked());
  }
  // "e" stores e itself and stays ticked; another base unticks and enables it.
  F->LogE->SetChecked(true);
  EXPECT_EQ(A->GetLogarithmicBase(), E);
  EXPECT_TRUE(F->LogE->GetChecked());
  EXPECT_FALSE(F->LogE->GetEnabled());
  EXPECT_EQ(F->ELogBase->GetText(), SysUtils::FloatToStr(E));
  F->ELogBase->SetText("3");
  EXPECT_EQ(A->GetLogarithmicBase(), 3);
  EXPECT_FALSE(F->LogE->GetChecked());
  EXPECT_TRUE(F->LogE->GetEnabled());
}

TEST_F(AxisEditor, LinLogOptionsEnableEachOtherAndRecalculateOnlyALogAxis) {
  for (bool Log : {false, true}) {
    TChartAxis* A = Chart->LeftAxis();
    A->SetLogarithmic(Log);
    A->MinDecEnabled = false;
    int Recalcs = 0;
    A->OnAxisChange = [&](TObject*) { ++Recalcs; };
    auto* F = Open(A);
    EXPECT_EQ(F->GroupBox1->GetEnabled(), Log);
    EXPECT_TRUE(F->SpinEdit1->GetEnabled());
    EXPECT_FALSE(F->Edit3->GetEnabled());
    F->CheckBox1->SetChecked(true);
    EXPECT_TRUE(A->MinDecEnabled);
    EXPECT_EQ(Recalcs, Log ? 1 : 0) << Log;
    EXPECT_FALSE(F->SpinEdit1->GetEnabled());
    EXPECT_TRUE(F->Edit3->GetEnabled());
    const int Shift = Log ? 9 : 7;
    F->UDDecShift->SetPosition(Shift);
    EXPECT_EQ(A->LinLogDecShift, Shift);
    EXPECT_EQ(Recalcs, Log ? 2 : 0) << Log;
    F->SpinEdit1->SetText("");
    EXPECT_EQ(A->LinLogDecShift, Shift);
    // Min dec: 0 < value < max(|Minimum|, |Maximum|) = 18; other texts are ignored without a message.
    for (const char* Ignored : {"abc", "0", "-1", "18", "1e9", "0.5x", "-"}) F->Edit3->SetText(Ignored);
    EXPECT_EQ(A->MinDecValue, 0.01);
    F->Edit3->SetText("0.5");
    EXPECT_EQ(A->MinDecValue, 0.5);
    F->CheckBox1->SetChecked(false);
    EXPECT_FALSE(A->MinDecEnabled);
    EXPECT_TRUE(F->SpinEdit1->GetEnabled());
    EXPECT_FALSE(F->Edit3->GetEnabled());
    EXPECT_EQ(Recalcs, Log ? 4 : 0) << Log;
    A->OnAxisChange = nullptr;
    A->MinDecValue = 0.01;
  }
}

TEST_F(AxisEditor, RoundedLimitsRecalculatesAndRedrawsAlsoOnALinearAxis) {
  TChartAxis* A = Chart->LeftAxis();
  TBitmap Target;
  Target.SetSize(300, 200);
  Chart->SetBounds(300, 200);
  Chart->WindowCanvas = Target.GetCanvas();
  int Draws = 0;
  Chart->OnAfterDraw = [&](TObject*) { ++Draws; };
  auto* F = Open(A);
  F->CheckBox2->SetChecked(true);
  EXPECT_TRUE(A->RoundedLimits);
  EXPECT_EQ(Draws, 1);
  Chart->WindowCanvas = nullptr;
}

TEST_F(AxisEditor, LimitDialogShowsAndStoresTheLabelValue) {
  struct TCase {
    bool Log;
    double Offset, Scale;
    const char* Shown;  // the minimum 2 as the dialog shows it
    const char* Entry;
    double Stored;
  };
  const TCase Cases[] = {
      {false, 100, 1, "102", "110", 10},  // linear: the label offset applies
      {false, 0, 2, "4", "3", 1.5},
      {true, 100, 1, "2", "1.5", 1.5},  // logarithmic labels show the plain value
      {false, 5, 0, "0", "7", 2},       // a zero scale leaves the limit as it was
  };
  for (const TCase& C : Cases) {
    TChartAxis* A = Chart->LeftAxis();
    A->SetLogarithmic(C.Log);
    A->SetAutomatic(true);
    A->CalcAxisRange();
    A->LabelOffset = C.Offset;
    A->LabelScale = C.Scale;
    auto* F = Open(A);
    Modal<TAxisMaxMin>([&](TAxisMaxMin& D) {
      EXPECT_EQ(D.GetCaption(), "Minimum Left Axis");
      EXPECT_FALSE(D.IsDateTime);
      EXPECT_EQ(D.EMaximum->GetText(), C.Shown);
      EXPECT_EQ(D.Label1->GetCaption(), "Value:");
      EXPECT_FALSE(D.EMinimum->GetVisible());
      D.EMaximum->SetText(C.Entry);
      D.BitBtn1->Click();
      return D.GetModalResult();
    });
    F->BAxisMin->Click();
    EXPECT_EQ(A->GetMinimum(), C.Stored) << C.Shown;
    EXPECT_FALSE(A->GetAutomaticMinimum());
    EXPECT_FALSE(F->CBAutoMin->GetChecked());
    EXPECT_TRUE(A->GetAutomaticMaximum());
    A->LabelOffset = 0;
    A->LabelScale = 1;
  }
}

TEST_F(AxisEditor, LimitDialogKeepsItselfOpenOnTextThatIsNoValueAndCancelChangesNothing) {
  TChartAxis* A = Chart->LeftAxis();
  auto* F = Open(A);
  Modal<TAxisMaxMin>([&](TAxisMaxMin& D) {
    EXPECT_EQ(D.GetCaption(), "Maximum Left Axis");
    Seam.AnswerMessage(mrOk);
    D.EMaximum->SetText("12,,5x");
    D.BitBtn1->Click();
    EXPECT_EQ(D.GetModalResult(), mrNone);
    EXPECT_EQ(Seam.Prompts().back().Text.rfind("Incorrect value. Reason: ", 0), 0u) << Seam.Prompts().back().Text;
    D.EMaximum->SetText("40");
    D.BitBtn1->Click();
    return D.GetModalResult();
  });
  F->BAxisMax->Click();
  EXPECT_EQ(A->GetMaximum(), 40);
  Modal<TAxisMaxMin>([](TAxisMaxMin& D) {
    D.EMaximum->SetText("99");
    return mrCancel;
  });
  F->BAxisMax->Click();
  EXPECT_EQ(A->GetMaximum(), 40);
}

TEST_F(AxisEditor, LimitDialogOfADateTimeValueReadsDateAndTimeOrTimeOnly) {
  const TFormatSettingsScope Invariant(TFormatSettings::Invariant());
  auto* D = Create<TAxisMaxMin>(Owner);
  D->IsDateTime = true;
  D->MaxMin = 45000.25;
  D->FormShow(nullptr);
  EXPECT_TRUE(D->EMaximum->GetVisible());
  EXPECT_EQ(D->EMaximum->GetText(), SysUtils::DateToStr(45000.25));
  EXPECT_EQ(D->EMinimum->GetText(), SysUtils::TimeToStr(45000.25));
  D->EMinimum->SetText(SysUtils::TimeToStr(0.75));
  D->BitBtn1Click(nullptr);
  EXPECT_EQ(D->GetModalResult(), mrOk);
  EXPECT_NEAR(D->MaxMin, 45000.75, 1e-6);
  D->Free();

  auto* T = Create<TAxisMaxMin>(Owner);
  T->IsDateTime = true;
  T->MaxMin = 0.5;
  T->FormShow(nullptr);
  EXPECT_FALSE(T->EMaximum->GetVisible());
  EXPECT_FALSE(T->Label1->GetVisible());
  T->EMinimum->SetText(SysUtils::TimeToStr(0.25));
  T->BitBtn1Click(nullptr);
  EXPECT_NEAR(T->MaxMin, 0.25, 1e-6);
}

TEST_F(AxisEditor, IncrementDialogIsCaptionedForTheAxisAndWritesTheUnscaledIncrement) {
  TChartAxis* A = Chart->LeftAxis();
  A->Title()->SetCaption("Depth");
  A->SetIncrement(5);
  A->LabelScale = -2;
  auto* F = Open(A);
  EXPECT_EQ(F->LAxisIncre->GetCaption(), "5");
  Modal<TAxisIncrement>([](TAxisIncrement& D) {
    EXPECT_EQ(D.GetCaption(), "Desired Depth Increment");
    EXPECT_EQ(D.Increment, 10);
    EXPECT_FALSE(D.IsDateTime);
    D.Increment = 3;
    return mrOk;
  });
  F->BIncre->Click();
  EXPECT_EQ(A->GetIncrement(), 1.5);
  EXPECT_EQ(F->LAxisIncre->GetCaption(), "1.5");
  Modal<TAxisIncrement>([](TAxisIncrement& D) {
    D.Increment = 8;
    return mrCancel;
  });
  F->BIncre->Click();
  EXPECT_EQ(A->GetIncrement(), 1.5);
}

// ---- other pages ----

TEST_F(AxisEditor, PageRowsWriteTheirAxisProperties) {
  TChartAxis* A = Chart->LeftAxis();
  auto* F = Open(A);
  EXPECT_EQ(F->BAxisPen->GetPen(), A->Axis());
  EXPECT_EQ(F->BTickPen->GetPen(), A->Ticks());
  EXPECT_EQ(F->BTickInner->GetPen(), A->TicksInner());
  EXPECT_EQ(F->BAxisGrid->GetPen(), A->Grid());
  EXPECT_EQ(F->BTickMinor->GetPen(), A->MinorTicks());
  EXPECT_EQ(F->BMinorGrid->GetPen(), A->MinorGrid());
  EXPECT_EQ(F->LabelsFontEditor()->EditedFont, A->LabelsFont());
  EXPECT_EQ(F->TitleFontEditor()->EditedFont, A->Title()->Font());
  F->UDAxisTickLength->SetPosition(9);
  F->UDInnerTicksLength->SetPosition(3);
  F->UDAxisMinorTickLen->SetPosition(5);
  F->UDMinorCount->SetPosition(7);
  F->UDTitleAngle->SetPosition(90);
  F->UDTitleSize->SetPosition(40);
  F->UDLabelsSize->SetPosition(-1);
  F->UDSepar->SetPosition(30);
  F->UDPos->SetPosition(-20);
  F->UDGridZ->SetPosition(60);
  F->UDMaxOff->SetPosition(-300);
  F->ETitle->SetText("Depth (m)");
  F->CBMultiline->SetChecked(true);
  F->CBLabelStyle->SetItemIndex(2);
  F->CBLabelStyle->OnChange(F->CBLabelStyle);
  F->CBPosUnits->SetItemIndex(1);
  F->CBPosUnits->OnChange(F->CBPosUnits);
  F->CBLabelAlign->SetChecked(false);
  F->CBOtherSide->SetChecked(true);
  F->CBFormat->SetText("0.00");
  F->CBFormat->OnChange(F->CBFormat);
  EXPECT_EQ(A->GetTickLength(), 9);
  EXPECT_EQ(A->GetTickInnerLength(), 3);
  EXPECT_EQ(A->GetMinorTickLength(), 5);
  EXPECT_EQ(A->GetMinorTickCount(), 7);
  EXPECT_EQ(A->Title()->GetAngle(), 90);
  EXPECT_EQ(A->GetTitleSize(), 40);
  EXPECT_EQ(A->GetLabelsSize(), -1);
  EXPECT_EQ(A->GetLabelsSeparation(), 30);
  EXPECT_EQ(A->GetPositionPercent(), -20);
  EXPECT_EQ(A->Grid()->GetZPosition(), 60);
  EXPECT_EQ(A->GetMaximumOffset(), -300);
  EXPECT_EQ(A->Title()->GetCaption(), "Depth (m)");
  EXPECT_TRUE(A->GetLabelsMultiLine());
  EXPECT_EQ(A->GetLabelStyle(), talValue);
  EXPECT_EQ(A->GetPositionUnits(), muPixels);
  EXPECT_EQ(A->GetLabelsAlign(), alOpposite);
  EXPECT_TRUE(A->GetOtherSide());
  EXPECT_EQ(A->GetAxisValuesFormat(), "0.00");
}

TEST_F(AxisEditor, StartAndEndPositionsRefuseToCross) {
  TChartAxis* A = Chart->LeftAxis();
  A->SetStartPosition(20);
  A->SetEndPosition(80);
  auto* F = Open(A);
  const struct {
    TUpDown* UpDown;
    int Value;
    double Start, End;
    int Shown;
  } Steps[] = {{F->UDStart, 30, 30, 80, 30},  {F->UDStart, 80, 30, 80, 30}, {F->UDStart, 95, 30, 80, 30},
               {F->UDEnd, 60, 30, 60, 60},    {F->UDEnd, 30, 30, 60, 60},   {F->UDEnd, 10, 30, 60, 60}};
  for (const auto& S : Steps) {
    S.UpDown->SetPosition(S.Value);
    EXPECT_EQ(A->GetStartPosition(), S.Start) << S.Value;
    EXPECT_EQ(A->GetEndPosition(), S.End) << S.Value;
    EXPECT_EQ(S.UpDown->GetPosition(), S.Shown) << S.Value;
  }
}

TEST_F(AxisEditor, AxesListSelectsAddsAndDeletesCustomAxes) {
  auto* F = Open(Chart->LeftAxis());
  ASSERT_EQ(F->LBAxes->Items()->Count(), 6);
  EXPECT_EQ(F->LBAxes->Items()->Strings(4), "Depth Right");
  EXPECT_EQ(F->LBAxes->GetItemIndex(), 0);
  EXPECT_FALSE(F->BDelete->GetEnabled());
  EXPECT_FALSE(F->CBHorizAxis->GetEnabled());
  F->LBAxes->SetItemIndex(3);
  F->LBAxesClick(F->LBAxes);
  EXPECT_EQ(F->TheAxis(), Chart->BottomAxis());
  // The depth axis cannot go logarithmic.
  F->LBAxes->SetItemIndex(4);
  F->LBAxesClick(F->LBAxes);
  EXPECT_FALSE(F->CBLogarithmic->GetEnabled());

  std::vector<TChartAxis*> Reported;
  F->OnHorizontalChange = [&](TChartAxis* A) { Reported.push_back(A); };
  F->BAdd->Click();
  F->BAdd->Click();
  ASSERT_EQ(Chart->GetAxes().Count(), 8);
  EXPECT_EQ(F->LBAxes->Items()->Strings(7), "Custom 1");
  EXPECT_EQ(F->LBAxes->GetItemIndex(), 7);
  TChartAxis* Second = Chart->GetAxes().Items(7);
  EXPECT_EQ(F->TheAxis(), Second);
  EXPECT_TRUE(F->BDelete->GetEnabled());
  EXPECT_TRUE(F->CBHorizAxis->GetEnabled());
  F->CBHorizAxis->SetChecked(true);
  EXPECT_TRUE(Second->GetHorizontal());
  EXPECT_EQ(Reported, std::vector<TChartAxis*>{Second});

  F->BDelete->Click();
  ASSERT_EQ(Chart->GetAxes().Count(), 7);
  EXPECT_EQ(F->LBAxes->Items()->Count(), 7);
  EXPECT_EQ(F->LBAxes->GetItemIndex(), 6);
  EXPECT_EQ(F->TheAxis(), Chart->GetAxes().Items(6));
  F->BDelete->Click();
  EXPECT_EQ(Chart->GetAxes().Count(), 6);
  EXPECT_EQ(F->LBAxes->GetItemIndex(), 5);
  EXPECT_EQ(F->TheAxis(), Chart->DepthTopAxis());
  EXPECT_FALSE(F->BDelete->GetEnabled());

  F->CBShow->SetChecked(false);
  EXPECT_FALSE(Chart->GetAxisVisible());
  F->CBAxisBeh->SetChecked(false);
  EXPECT_FALSE(Chart->GetAxisBehind());
}

// ---- legend ----

class LegendEditor : public AxisEditor {
protected:
  TFormPlotLegend* Open() {
    auto* F = TFormPlotLegend::CreateLegend(Create<TComponent>(Owner), Chart->Legend());
    F->FormShow(nullptr);
    return F;
  }
  TChartLegend* L() { return Chart->Legend(); }
};

TEST_F(LegendEditor, OpeningAndClosingWithoutAChangeKeepsTheLegend) {
  L()->SetAlignment(laTop);
  L()->SetVertMargin(5000);
  L()->SetCustomPosition(true);
  L()->SetLeftPercent(40);
  L()->SetPositionUnits(muPercent);
  L()->SetCheckBoxes(false);
  L()->SetCheckBoxesStyle(cbsRadio);
  L()->Symbol()->SetSquared(true);
  L()->Title()->Text()->Add("Apparent");
  L()->Title()->Text()->Add("resistivity");
  const auto Before = PlotPenDlg::Snapshot(L());
  bool Shown = false;
  Seam.AnswerPopupItem("Options");
  Modal<TFormPlotLegend>([&](TFormPlotLegend& F) {
    Shown = true;
    EXPECT_EQ(F.GetCaption(), "Legend options");
    EXPECT_EQ(F.MemoText->Lines()->Count(), 2);
    return mrOk;
  });
  Chart->LegendPopup();
  EXPECT_TRUE(Shown);
  // Every property keeps its value; the font editors may only have made a
  // font's default gradient, shadow or outline exist.
  const auto After = PlotPenDlg::Snapshot(L());
  for (const auto& [Key, Value] : Before) EXPECT_EQ(After.at(Key), Value) << Key;
  for (const auto& [Key, Value] : After) {
    if (Before.count(Key)) continue;
    EXPECT_TRUE(Key.find(".Gradient.") != std::string::npos || Key.find(".Shadow.") != std::string::npos ||
                Key.find(".OutLine.") != std::string::npos)
        << Key;
  }
}

TEST_F(LegendEditor, CustomPositionTakesOverFromResizeAndMarginAndBackWithoutResize) {
  auto* F = Open();
  EXPECT_TRUE(F->CBResizeChart->GetChecked());
  EXPECT_FALSE(F->ECustLeft->GetEnabled());
  F->CBCustPos->SetChecked(true);
  EXPECT_TRUE(L()->GetCustomPosition());
  EXPECT_FALSE(L()->GetResizeChart());
  EXPECT_FALSE(F->CBResizeChart->GetChecked());
  for (TControl* C : std::initializer_list<TControl*>{F->CBResizeChart, F->SEMargin, F->UDMargin, F->SETopPos})
    EXPECT_FALSE(C->GetEnabled()) << C->GetName();
  for (TControl* C : std::initializer_list<TControl*>{F->ECustLeft, F->ECustTop, F->UDLeft, F->CBPosPercent})
    EXPECT_TRUE(C->GetEnabled()) << C->GetName();
  F->CBCustPos->SetChecked(false);
  EXPECT_FALSE(L()->GetCustomPosition());
  EXPECT_FALSE(L()->GetResizeChart());
  EXPECT_FALSE(F->CBResizeChart->GetChecked());
  EXPECT_TRUE(F->CBResizeChart->GetEnabled());
  EXPECT_TRUE(F->SEMargin->GetEnabled());
}

TEST_F(LegendEditor, LeftAndTopWritePixelsOrPercentsAsTheBoxSays) {
  L()->SetCustomPosition(true);
  L()->SetPositionUnits(muPixels);
  L()->SetLeft(30);
  L()->SetTop(40);
  L()->SetLeftPercent(7);
  auto* F = Open();
  EXPECT_FALSE(F->CBPosPercent->GetChecked());
  EXPECT_EQ(F->UDLeft->GetPosition(), 30);
  EXPECT_EQ(F->UDTop->GetPosition(), 40);
  F->UDLeft->SetPosition(55);
  F->UDTop->SetPosition(65);
  EXPECT_EQ(L()->GetLeft(), 55);
  EXPECT_EQ(L()->GetTop(), 65);
  EXPECT_EQ(L()->GetLeftPercent(), 7);
  F->CBPosPercent->SetChecked(true);
  EXPECT_EQ(L()->GetPositionUnits(), muPercent);
  EXPECT_EQ(F->UDLeft->GetPosition(), 7);
  F->UDLeft->SetPosition(25);
  F->UDTop->SetPosition(35);
  EXPECT_EQ(L()->GetLeftPercent(), 25);
  EXPECT_EQ(L()->GetTopPercent(), 35);
  EXPECT_EQ(L()->GetLeft(), 55);
}

TEST_F(LegendEditor, MarginBoxEditsTheMarginOfTheLegendsSide) {
  L()->SetHorizMargin(11);
  L()->SetVertMargin(22);
  auto* F = Open();
  EXPECT_EQ(F->UDMargin->GetPosition(), 11);  // at the right
  F->UDMargin->SetPosition(13);
  EXPECT_EQ(L()->GetHorizMargin(), 13);
  F->RGPosition->SetItemIndex(2);  // top
  EXPECT_EQ(L()->GetAlignment(), laTop);
  EXPECT_EQ(F->UDMargin->GetPosition(), 22);
  F->UDMargin->SetPosition(30);
  EXPECT_EQ(L()->GetVertMargin(), 30);
  EXPECT_EQ(L()->GetHorizMargin(), 13);
}

TEST_F(LegendEditor, CheckBoxStylesAndNoCheckBoxesKeepsTheStyle) {
  auto* F = Open();
  EXPECT_EQ(F->CBCheckBoxes->GetItemIndex(), 0);
  const struct {
    int Item;
    bool Boxes;
    TCheckBoxesStyle Style;
  } Steps[] = {{2, true, cbsRadio}, {0, false, cbsRadio}, {1, true, cbsCheck}, {0, false, cbsCheck}};
  for (const auto& S : Steps) {
    F->CBCheckBoxes->SetItemIndex(S.Item);
    F->CBCheckBoxes->OnChange(F->CBCheckBoxes);
    EXPECT_EQ(L()->GetCheckBoxes(), S.Boxes) << S.Item;
    EXPECT_EQ(L()->GetCheckBoxesStyle(), S.Style) << S.Item;
  }
  L()->SetCheckBoxes(true);
  L()->SetCheckBoxesStyle(cbsRadio);
  EXPECT_EQ(Open()->CBCheckBoxes->GetItemIndex(), 2);
}

TEST_F(LegendEditor, StyleRowsAndTwoLineTitleReachTheLegend) {
  auto* F = Open();
  F->CBShow->SetChecked(false);
  F->CBInverted->SetChecked(true);
  F->CBLegendStyle->SetItemIndex(3);
  F->CBLegendStyle->OnChange(F->CBLegendStyle);
  F->CBLegStyle->SetItemIndex(9);
  F->CBLegStyle->OnChange(F->CBLegStyle);
  F->UDVertSpacing->SetPosition(-4);
  F->UDTopPos->SetPosition(50);
  F->CBTextAlign->SetItemIndex(1);
  F->CBTextAlign->OnChange(F->CBTextAlign);
  EXPECT_FALSE(L()->GetVisible());
  EXPECT_TRUE(L()->GetInverted());
  EXPECT_EQ(L()->GetLegendStyle(), lsLastValues);
  EXPECT_EQ(L()->GetTextStyle(), ltsXAndPercent);
  EXPECT_EQ(L()->GetVertSpacing(), -4);
  EXPECT_EQ(L()->GetTopPos(), 50);
  EXPECT_EQ(L()->Title()->GetTextAlignment(), TAlignment::taCenter);
  EXPECT_EQ(F->BDivLines->GetPen(), L()->DividingLines());
  EXPECT_EQ(F->LegendShapeEditor()->TheShape, L());
  EXPECT_EQ(F->TitleShapeEditor()->TheShape, L()->Title());

  F->MemoText->SetText("Apparent\nresistivity");
  ASSERT_EQ(L()->Title()->Text()->Count(), 2);
  EXPECT_EQ(L()->Title()->Text()->Strings(0), "Apparent");
  EXPECT_EQ(L()->Title()->Text()->Strings(1), "resistivity");
  // Drawn on two lines: the title is twice as high as a one-line title.
  L()->SetVisible(true);
  TBitmap B;
  B.SetSize(10, 10);
  TPlotCanvas3D Canvas;
  Canvas.AttachCanvas(B.GetCanvas());
  const int32_t Two = L()->Title()->TitleHeight(Canvas);
  F->MemoText->SetText("Apparent");
  EXPECT_EQ(Two, 2 * L()->Title()->TitleHeight(Canvas));
}

TEST_F(LegendEditor, SymbolEditorRules) {
  TLegendSymbol* S = L()->Symbol();
  S->SetSquared(true);
  auto* F = Open();
  TSymbolEditor* E = F->SymbolEditor();
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->Symbol(), S);
  // Already squared when it binds: the width controls are off at once.
  EXPECT_FALSE(E->SEColWi->GetEnabled());
  EXPECT_FALSE(E->BSymPen->GetEnabled());  // the default border
  EXPECT_EQ(E->BSymPen->GetPen(), S->Pen());
  E->CBSquared->SetChecked(false);
  EXPECT_FALSE(S->GetSquared());
  EXPECT_TRUE(E->SEColWi->GetEnabled());
  EXPECT_TRUE(E->UDColWi->GetEnabled());
  E->CBSymPen->SetChecked(false);
  EXPECT_FALSE(S->GetDefaultPen());
  EXPECT_TRUE(E->BSymPen->GetEnabled());
  E->UDColWi->SetPosition(35);
  E->CBColWUnits->SetItemIndex(1);
  E->CBColWUnits->OnChange(E->CBColWUnits);
  E->CBSymbolPos->SetItemIndex(1);
  E->CBSymbolPos->OnChange(E->CBSymbolPos);
  E->CBContinuous->SetChecked(true);
  E->CBVisible->SetChecked(false);
  EXPECT_EQ(S->GetWidth(), 35);
  EXPECT_EQ(S->GetWidthUnits(), lcsPixels);
  EXPECT_EQ(S->GetPosition(), spRight);
  EXPECT_TRUE(S->GetContinuous());
  EXPECT_FALSE(S->GetVisible());
}

}  // namespace

// ---- layout ----

namespace {

// Every visible control lies inside its parent's client area and no two
// input controls of one parent overlap.
void CheckLayout(TWinControl& Parent) {
  const int W = Parent.GetClientWidth(), H = Parent.GetClientHeight();
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* C = Parent.GetControl(i);
    if (!C->GetVisible() || dynamic_cast<TForm*>(C)) continue;
    const TRect R = C->GetBoundsRect();
    EXPECT_TRUE(R.Left >= 0 && R.Top >= 0 && R.Right <= W && R.Bottom <= H)
        << Parent.GetName() << " / " << C->GetName() << " \"" << C->GetText() << "\" lies outside";
    for (int j = i + 1; j < Parent.ControlCount(); ++j) {
      TControl* D = Parent.GetControl(j);
      if (!D->GetVisible() || !dynamic_cast<TWinControl*>(C) || !dynamic_cast<TWinControl*>(D)) continue;
      if (dynamic_cast<TTabSheet*>(C) || dynamic_cast<TTabSheet*>(D)) continue;
      const TRect S = D->GetBoundsRect();
      EXPECT_FALSE(R.Left < S.Right && S.Left < R.Right && R.Top < S.Bottom && S.Top < R.Bottom)
          << C->GetName() << " overlaps " << D->GetName();
    }
    if (auto* Child = dynamic_cast<TWinControl*>(C)) CheckLayout(*Child);
  }
}

// With KV_PICTURE_DIR set, the form is also written there as a PNG picture.
void SavePicture(TForm& Form, const std::string& Name) {
  if (const char* Dir = std::getenv("KV_PICTURE_DIR")) {
    // The window's own picture, with the children native widgets keep to themselves.
    Form.Handle()->grab().save(QString::fromStdString(std::string(Dir) + "/" + Name + ".png"));
  }
}

void CheckPages(TForm& Form, TPageControl* Pages, const std::string& Name) {
  for (int i = 0; i < Pages->PageCount(); ++i) {
    if (!Pages->Pages(i)->GetTabVisible()) continue;
    Pages->SetActivePage(Pages->Pages(i));
    CheckLayout(*Pages->Pages(i));
    SavePicture(Form, Name + "-" + std::to_string(i));
  }
  Pages->SetActivePage(Pages->Pages(0));
}

}  // namespace

TEST_F(LegendEditor, DialogsAreLaidOutInsideTheirWindows) {
  auto* A = new TFormPlotAxis(Create<TComponent>(Owner), Chart->LeftAxis());
  A->Show();
  CheckLayout(*A);
  CheckPages(*A, A->PageAxis, "axis");
  A->PageAxis->SetActivePage(A->TabLabels);
  CheckPages(*A, A->PageLabels, "axis-labels");
  A->PageAxis->SetActivePage(A->TabTitle);
  CheckPages(*A, A->PageTitle, "axis-title");
  A->Hide();

  auto* G = TFormPlotLegend::CreateLegend(Create<TComponent>(Owner), Chart->Legend());
  G->Show();
  CheckLayout(*G);
  CheckPages(*G, G->PageControl1, "legend");
  G->PageControl1->SetActivePage(G->TabTitle);
  CheckPages(*G, G->PageControl2, "legend-title");
  G->Hide();

  // The pop-up's dialog: the axes panel and the 3-D controls hidden.
  Modal<TFormPlotAxis>([](TFormPlotAxis& F) {
    F.Show();
    CheckLayout(F);
    SavePicture(F, "axis-dialog");
    return mrOk;
  });
  PlotEdiAxis::ShowAxisEditor(Chart, Chart->LeftAxis());

  auto* M = Create<TAxisMaxMin>(Owner);
  M->MaxMin = 12.5;
  M->Show();
  CheckLayout(*M);
  SavePicture(*M, "axis-limit");
  M->Hide();
}

// ---- the panel's published settings ----

TEST_F(AxisEditor, PanelBevelsBorderGradientAndShadowTravelThroughAChartFile) {
  auto Saved = [](TCustomChart* C) {
    TMemoryStream S;
    PlotStore::WritePlotStream(C, S, false, true);
    return S.DataString();
  };
  // Default settings add nothing to the file.
  auto* Plain = Create<TChart>(Owner);
  const std::string PlainText = Saved(Plain);
  for (const char* Name : {"Bevel", "BorderWidth", "Gradient.", "Shadow.", "BackImage", "Border."})
    EXPECT_EQ(PlainText.find(Name), std::string::npos) << Name << "\n" << PlainText;

  Chart->SetBevelInner(bvLowered);
  Chart->SetBevelOuter(bvNone);
  Chart->SetBevelWidth(4);
  Chart->SetBorderWidth(6);
  Chart->Border()->SetVisible(true);
  Chart->Border()->SetWidth(3);
  Chart->GetGradient()->SetVisible(true);
  Chart->GetGradient()->SetStartColor(clRed);
  Chart->Shadow()->SetHorizSize(7);
  Chart->GetBackImage()->SetMode(pbmTile);
  TMemoryStream S;
  PlotStore::WritePlotStream(Chart, S, false, false);
  S.SetPosition(0);
  TCustomChart* Copy = Create<TChart>(Owner);
  PlotStore::ReadPlotStream(Copy, S, false, nullptr);
  EXPECT_EQ(Copy->GetBevelInner(), bvLowered);
  EXPECT_EQ(Copy->GetBevelOuter(), bvNone);
  EXPECT_EQ(Copy->GetBevelWidth(), 4);
  EXPECT_EQ(Copy->GetBorderWidth(), 6);
  EXPECT_TRUE(Copy->Border()->GetVisible());
  EXPECT_EQ(Copy->Border()->GetWidth(), 3);
  auto* Panel = dynamic_cast<TCustomPlotPanelExtended*>(Copy);
  ASSERT_NE(Panel, nullptr);
  EXPECT_TRUE(Panel->GetGradient()->GetVisible());
  EXPECT_EQ(Panel->GetGradient()->GetStartColor(), clRed);
  EXPECT_EQ(Copy->Shadow()->GetHorizSize(), 7);
  EXPECT_EQ(Panel->GetBackImage()->GetMode(), pbmTile);
}

}  // namespace AxisLegendEditorTests
