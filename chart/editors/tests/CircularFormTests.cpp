// The circular series' format pages: the circle page's radii and
// background, the pie's grouped slice, the polar family's angle controls
// and labels, the gauge's limits and hand, the donut and the Smith chart.
#include "chart/editors/PlotCircledEdit.h"
#include "chart/editors/PlotClockEdit.h"
#include "chart/editors/PlotDonutEdit.h"
#include "chart/editors/PlotEdiLege.h"
#include "chart/editors/PlotGaugeEdit.h"
#include "chart/editors/PlotPieEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotPolarEdit.h"
#include "chart/editors/PlotSmithEdit.h"
#include "chart/editors/PlotWindRoseEdit.h"
#include "chart/editors/tests/SeriesFormFixture.h"
#include "chart/extras/PlotDonut.h"
#include "chart/extras/PlotGauges.h"
#include "chart/extras/PlotPolar.h"
#include "chart/extras/PlotRose.h"
#include "chart/extras/PlotSmith.h"

namespace CircularFormTests {

using SeriesFormFixture::SeriesFormTest;

class CircularForms : public SeriesFormTest {};

TEST_F(CircularForms, RadiusZeroIsAutomatic) {
  auto* S = Add<TPieSeries>();
  S->SetCustomXRadius(40);
  OpenAs<TPieSeriesEditor>(S);
  auto* C = TabForm<TCircledSeriesEditor>("Circled");
  ASSERT_TRUE(C);
  EXPECT_FALSE(C->CBAutoXR->GetChecked());
  EXPECT_TRUE(C->CBAutoYR->GetChecked());
  struct TCase {
    const char* Text;
    int Radius;
    bool Auto;
  };
  for (const TCase& T : {TCase{"0", 0, true}, TCase{"55", 55, false}, TCase{"2500", 2000, false},
                         TCase{"0", 0, true}, TCase{"5", 5, false}}) {
    SCOPED_TRACE(T.Text);
    C->Edit2->SetText(T.Text);
    EXPECT_EQ(S->GetCustomXRadius(), T.Radius);
    EXPECT_EQ(C->CBAutoXR->GetChecked(), T.Auto);
    EXPECT_EQ(C->CBAutoYR->GetChecked(), true);
  }
  C->CBAutoXR->SetChecked(true);
  EXPECT_EQ(S->GetCustomXRadius(), 0);
  EXPECT_EQ(C->Edit2->GetText(), "0");
  C->Edit3->SetText("70");
  EXPECT_EQ(S->GetCustomYRadius(), 70);
  EXPECT_FALSE(C->CBAutoYR->GetChecked());
  C->Edit1->SetText("45");
  EXPECT_EQ(S->GetRotationAngle(), 45);
}

TEST_F(CircularForms, TransparentCircleFollowsTheBackColourAndGradient) {
  auto* S = Add<TPolarSeries>();
  OpenAs<TPolarSeriesEditor>(S);
  auto* C = TabForm<TCircledSeriesEditor>("Circled");
  ASSERT_TRUE(C);
  EXPECT_TRUE(C->CBTransp->GetChecked());
  EXPECT_FALSE(C->CBTransp->GetEnabled());
  Seam.AnswerColor(clYellow);
  C->BBack->Click();
  EXPECT_EQ(S->GetCircleBackColor(), clYellow);
  EXPECT_FALSE(C->CBTransp->GetChecked());
  EXPECT_TRUE(C->CBTransp->GetEnabled());
  S->Gradient()->SetVisible(true);
  C->CBTransp->SetChecked(true);
  EXPECT_EQ(S->GetCircleBackColor(), clDefault);
  EXPECT_FALSE(S->Gradient()->GetVisible());
  EXPECT_FALSE(C->CBTransp->GetEnabled());
  // A series with a circle colour of its own shows the box off and enabled.
  S->SetCircleBackColor(clRed);
  Open(Add<TBarSeries>());
  OpenAs<TPolarSeriesEditor>(S);
  C = TabForm<TCircledSeriesEditor>("Circled");
  EXPECT_FALSE(C->CBTransp->GetChecked());
  EXPECT_TRUE(C->CBTransp->GetEnabled());
  C->CB3D->SetChecked(true);
  EXPECT_TRUE(Chart->GetView3D());
}

TEST_F(CircularForms, OtherSliceStyleNoneDisablesValueAndLabel) {
  auto* S = Add<TPieSeries>();
  auto* F = OpenAs<TPieSeriesEditor>(S);
  ASSERT_TRUE(F);
  struct TCase {
    int Item;
    TPieOtherStyle Stored;
    bool Enabled;
  };
  for (const TCase& C : {TCase{0, poNone, false}, TCase{1, poBelowPercent, true}, TCase{2, poBelowValue, true},
                         TCase{0, poNone, false}}) {
    F->CBOther->SetItemIndex(C.Item);
    F->CBOther->OnChange(F->CBOther);
    EXPECT_EQ(S->OtherSlice()->GetStyle(), C.Stored);
    for (TControl* Ctl : std::initializer_list<TControl*>{F->EOtherValue, F->EOtherLabel})
      EXPECT_EQ(Ctl->GetEnabled(), C.Enabled) << Ctl->GetName() << " " << C.Item;
  }
}

TEST_F(CircularForms, OtherSliceValueIgnoresTextThatIsNoNumberWhileTyping) {
  auto* S = Add<TPieSeries>();
  S->OtherSlice()->SetStyle(poBelowValue);
  S->OtherSlice()->SetValue(3);
  auto* F = OpenAs<TPieSeriesEditor>(S);
  ASSERT_TRUE(F);
  EXPECT_TRUE(F->EOtherValue->GetEnabled());
  EXPECT_EQ(F->EOtherValue->GetText(), "3");
  struct TCase {
    const char* Text;
    double Value;
  };
  for (const TCase& C : {TCase{"", 3}, TCase{"-", 3}, TCase{"-2", -2}, TCase{"-2.", -2}, TCase{"-2.5", -2.5},
                         TCase{"x", -2.5}, TCase{"1e", -2.5}, TCase{"1e2", 100}}) {
    F->EOtherValue->SetText(C.Text);
    EXPECT_EQ(S->OtherSlice()->GetValue(), C.Value) << C.Text;
  }
  // No message box for any keystroke (the seam fails the test on one).
  EXPECT_EQ(Seam.Prompts().size(), 0u);
  F->EOtherLabel->SetText("Rest");
  EXPECT_EQ(S->OtherSlice()->GetText(), "Rest");
}

TEST_F(CircularForms, PieHidesTheCircleBackgroundAndEditsTheOtherSliceLegend) {
  auto* S = Add<TPieSeries>();
  auto* F = OpenAs<TPieSeriesEditor>(S);
  ASSERT_TRUE(F);
  EXPECT_FALSE(F->CBDark3d->GetEnabled());
  auto* C = TabForm<TCircledSeriesEditor>("Circled");
  ASSERT_TRUE(C);
  for (TControl* Hidden : std::initializer_list<TControl*>{C->BBack, C->CBTransp, C->BGradient})
    EXPECT_FALSE(Hidden->GetVisible()) << Hidden->GetName();
  EXPECT_TRUE(F->BGradient->HideEndColor);
  bool Shown = false;
  Modal<TFormPlotLegend>([&](TFormPlotLegend&) {
    Shown = true;
    return mrOk;
  });
  F->Button2->Click();
  EXPECT_TRUE(Shown);
  EXPECT_NE(S->OtherSlice()->PeekLegend(), nullptr);
  // In 3-D the dark sides can be chosen.
  Chart->SetView3D(true);
  Open(Add<TBarSeries>());
  F = OpenAs<TPieSeriesEditor>(S);
  EXPECT_TRUE(F->CBDark3d->GetEnabled());
}

TEST_F(CircularForms, DonutShowsThePiePageAsTabDonut) {
  auto* S = Add<TDonutSeries>();
  auto* F = OpenAs<TDonutSeriesEditor>(S);
  ASSERT_TRUE(F);
  auto* Pie = TabForm<TPieSeriesEditor>("Donut");
  ASSERT_TRUE(Pie);
  EXPECT_EQ(F->PieForm(), Pie);
  EXPECT_EQ(Pie->Pie(), S);
  EXPECT_EQ(F->EDonut->GetText(), "50");
  F->EDonut->SetText("35");
  EXPECT_EQ(S->GetDonutPercent(), 35);
  EXPECT_TRUE(F->UDDonut->Wrap);
}

TEST_F(CircularForms, AngleIncrementShowsForPolarAndWindRoseOnly) {
  struct TCase {
    TChartSeries* Series;
    bool Angle;
  };
  for (const TCase& C : {TCase{Add<TRadarSeries>(), false}, TCase{Add<TPolarSeries>(), true},
                         TCase{Add<TPolarBarSeries>(), true}, TCase{Add<TWindRoseSeries>(), true},
                         TCase{Add<TClockSeries>(1), false}}) {
    SCOPED_TRACE(C.Series->ClassName());
    auto* F = OpenAs<TPolarSeriesEditor>(C.Series);
    ASSERT_TRUE(F);
    for (TControl* Ctl : std::initializer_list<TControl*>{F->Label1, F->SEAngleInc, F->UDAngleInc})
      EXPECT_EQ(Ctl->GetVisible(), C.Angle) << Ctl->GetName();
    EXPECT_EQ(F->CBClockWise->GetVisible(), !dynamic_cast<TCustom2DPolarSeries*>(C.Series));
    EXPECT_NE(TabForm<TSeriesPointerEditor>("Point"), nullptr);
  }
}

TEST_F(CircularForms, PolarLabelsAndIncrementsWriteTheSeries) {
  auto* S = Add<TPolarSeries>();
  auto* F = OpenAs<TPolarSeriesEditor>(S);
  ASSERT_TRUE(F);
  EXPECT_FALSE(F->CBLabelsRot->GetEnabled());
  F->CBAngleLabels->SetChecked(true);
  EXPECT_TRUE(S->GetCircleLabels());
  for (TControl* C : std::initializer_list<TControl*>{F->CBLabelsRot, F->CBClockWise, F->BFont})
    EXPECT_TRUE(C->GetEnabled()) << C->GetName();
  F->SEAngleInc->SetText("30");
  EXPECT_EQ(S->GetAngleIncrement(), 30);
  F->EMargin->SetText("-250");
  EXPECT_EQ(S->GetLabelsMargin(), -200);
  F->Edit1->SetText("40");
  EXPECT_EQ(S->GetTransparency(), 40);
  F->CBClose->SetChecked(false);
  EXPECT_FALSE(S->GetCloseCircle());
  // The radar's table publishes none of these; the page still edits them.
  auto* R = Add<TRadarSeries>();
  F = OpenAs<TPolarSeriesEditor>(R);
  F->CBInside->SetChecked(true);
  EXPECT_TRUE(R->GetCircleLabelsInside());
}

TEST_F(CircularForms, ClockAndWindRoseControls) {
  auto* Clock = Add<TClockSeries>(1);
  auto* C = OpenAs<TClockEditor>(Clock);
  ASSERT_TRUE(C);
  EXPECT_TRUE(C->CBRoman->GetChecked());
  for (TControl* Hidden : std::initializer_list<TControl*>{C->CBClose, C->BPen, C->CBColorEach, C->SERadiusInc})
    EXPECT_FALSE(Hidden->GetVisible()) << Hidden->GetName();
  C->CBRoman->SetChecked(false);
  EXPECT_EQ(Clock->GetStyle(), cssDecimal);
  EXPECT_EQ(C->BHour->GetPen(), Clock->PenHours());
  ASSERT_TRUE(Clock->GetHorizAxisRef());
  EXPECT_EQ(C->BRadius->GetPen(), Clock->GetHorizAxisRef()->Grid());
  auto* Rose = Add<TWindRoseSeries>();
  auto* W = OpenAs<TWindRoseEditor>(Rose);
  ASSERT_TRUE(W);
  W->CBMirror->SetChecked(true);
  EXPECT_TRUE(Rose->GetMirrorLabels());
}

TEST_F(CircularForms, GaugeMinimumBoundsTheMaximum) {
  auto* S = Add<TGaugeSeries>(1);
  auto* F = OpenAs<TGaugeSeriesEditor>(S);
  ASSERT_TRUE(F);
  EXPECT_EQ(F->UDMax->GetMin(), 0);
  EXPECT_EQ(F->UDMin->GetMax(), 100);
  F->Edit9->SetText("40");
  EXPECT_EQ(S->GetMinimum(), 40);
  EXPECT_EQ(F->UDMax->GetMin(), 40);
  F->Edit10->SetText("30");
  EXPECT_EQ(S->GetMaximum(), 40);
  EXPECT_EQ(F->Edit10->GetText(), "40");
  F->Edit10->SetText("80");
  EXPECT_EQ(S->GetMaximum(), 80);
  EXPECT_EQ(F->UDMin->GetMax(), 80);
  F->Edit9->SetText("90");
  EXPECT_EQ(S->GetMinimum(), 80);
  // Raising the minimum past the value moves the value; the page shows it.
  EXPECT_EQ(S->GetValue(), 80);
  EXPECT_EQ(F->Edit8->GetText(), "80");
}

TEST_F(CircularForms, GaugeValuesBeyondTheUpDownsShowClampedAndStayStored) {
  auto* S = Add<TGaugeSeries>(1);
  S->SetMaximum(1e6);
  S->SetMinimum(-40000);
  S->SetValue(50000);
  S->SetHandDistance(900);
  auto* F = OpenAs<TGaugeSeriesEditor>(S);
  ASSERT_TRUE(F);
  struct TCase {
    TEdit* Edit;
    const char* Shown;
  };
  for (const TCase& C : {TCase{F->Edit8, "32767"}, TCase{F->Edit9, "-32767"}, TCase{F->Edit10, "32767"},
                         TCase{F->Edit7, "500"}})
    EXPECT_EQ(C.Edit->GetText(), C.Shown) << C.Edit->GetName();
  EXPECT_EQ(S->GetValue(), 50000);
  EXPECT_EQ(S->GetMinimum(), -40000);
  EXPECT_EQ(S->GetMaximum(), 1e6);
  EXPECT_EQ(S->GetHandDistance(), 900);
  // A change by the person writes the value typed.
  F->Edit8->SetText("12");
  EXPECT_EQ(S->GetValue(), 12);
}

TEST_F(CircularForms, GaugeShowsItsOwnHandStyle) {
  struct TCase {
    THandStyle Style;
    const char* Item;
  };
  for (const TCase& C : {TCase{hsTriangle, "Triangle"}, TCase{hsLine, "Line"}}) {
    auto* S = Add<TGaugeSeries>(1);
    S->SetHandStyle(C.Style);
    auto* F = OpenAs<TGaugeSeriesEditor>(S);
    ASSERT_TRUE(F);
    EXPECT_EQ(F->ComboBox1->GetText(), C.Item);
    EXPECT_EQ(S->GetHandStyle(), C.Style);
  }
  auto* F = dynamic_cast<TGaugeSeriesEditor*>(Page->FormatForm());
  F->ComboBox1->SetItemIndex(1);
  F->ComboBox1->OnChange(F->ComboBox1);
  EXPECT_EQ(F->Gauge()->GetHandStyle(), hsTriangle);
}

TEST_F(CircularForms, GaugeAxisRowsEditTheScaleAxis) {
  auto* S = Add<TGaugeSeries>(1);
  auto* F = OpenAs<TGaugeSeriesEditor>(S);
  ASSERT_TRUE(F);
  TChartAxis* Axis = S->GetVertAxisRef();
  ASSERT_TRUE(Axis);
  EXPECT_EQ(F->BAxis->GetPen(), Axis->Axis());
  EXPECT_EQ(F->BTicks->GetPen(), Axis->Ticks());
  EXPECT_EQ(F->BMinor->GetPen(), Axis->MinorTicks());
  EXPECT_EQ(F->Edit4->GetText(), std::to_string(Axis->GetTickLength()));
  F->Edit11->SetText("25");
  EXPECT_EQ(Axis->GetIncrement(), 25);
  F->Edit2->SetText("3");
  EXPECT_EQ(Axis->GetMinorTickCount(), 3);
  F->CheckBox1->SetChecked(!Axis->GetLabels());
  EXPECT_EQ(Axis->GetLabels(), F->CheckBox1->GetChecked());
  F->Edit1->SetText("0.0");
  EXPECT_EQ(S->GetValueFormat(), "0.0");
  // The circle page keeps its gradient but not its background colour.
  auto* C = TabForm<TCircledSeriesEditor>("Circled");
  ASSERT_TRUE(C);
  EXPECT_FALSE(C->BBack->GetVisible());
  EXPECT_FALSE(C->CBTransp->GetVisible());
  EXPECT_TRUE(C->BGradient->GetVisible());
  bool Shown = false;
  Modal<TSeriesPointerEditor>([&](TSeriesPointerEditor& P) {
    Shown = true;
    EXPECT_EQ(P.Pointer(), S->Center());
    return mrOk;
  });
  F->Button1->Click();
  EXPECT_TRUE(Shown);
}

TEST_F(CircularForms, SmithControlsWriteTheSeries) {
  auto* S = Add<TSmithSeries>();
  auto* F = OpenAs<TSmithSeriesEdit>(S);
  ASSERT_TRUE(F);
  EXPECT_EQ(F->EImag->GetText(), "i");
  F->EImag->SetText("j");
  EXPECT_EQ(S->GetImagSymbol(), "j");
  F->CBC->SetChecked(!S->GetCLabels());
  EXPECT_EQ(S->GetCLabels(), F->CBC->GetChecked());
  EXPECT_EQ(F->BCPen->GetPen(), S->CCirclePen());
  EXPECT_EQ(F->BBorder->GetPen(), S->Pen());
  EXPECT_NE(TabForm<TCircledSeriesEditor>("Circled"), nullptr);
}

}  // namespace CircularFormTests
