// Data display: the measurements of the survey drawn into the two data sections,
// as contoured pseudo-sections or as families of curves, with the value, the
// transform, the position, the titles and the unit text of each display case.

#include <cmath>
#include <functional>

#include "app/ResMainForm.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotTranslate.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotExport.h"
#include "chart/series/PlotFunci.h"
#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/PlotGally.h"
#include "chart/series/PlotLegendScrollBar.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

using Supermath2d::NoValue;

// Entry Index of an array, NoValue where the array does not reach it.
double At(const arofdoubleM& Values, int32_t Index) {
  return Index >= 0 && static_cast<size_t>(Index) < Values.size() ? Values[static_cast<size_t>(Index)] : NoValue;
}

// The stored value of a measurement for a data type and a quantity: apparent
// resistivity, apparent polarizability, resistance or polarized resistance.
double StoredValue(const osource& Source, int32_t Receiver, bool Observed, int32_t DataType, int32_t Quantity) {
  if (DataType == 0)
    return Quantity == 0 ? At(Observed ? Source.RhoA : Source.RhoACalc, Receiver)
                         : At(Observed ? Source.EtaA : Source.EtaACalc, Receiver);
  return Quantity == 0 ? At(Observed ? Source.Res : Source.ResCalc, Receiver)
                       : At(Observed ? Source.ResIP : Source.ResCalcIP, Receiver);
}

// log10 of the magnitude; NoValue where there is no value or no logarithm.
double LogOf(double Value) {
  if (Value == NoValue || !std::isfinite(Value) || Value == 0.0) return NoValue;
  return std::log10(std::abs(Value));
}

bool Flag(const arofboolM& Flags, int32_t Index) {
  return Index >= 0 && static_cast<size_t>(Index) < Flags.size() && Flags[static_cast<size_t>(Index)] != 0;
}

}  // namespace

// ---- the charts, graph managers and work series of the window ----

void TMainForm::CreateCharts(TWinControl* UpperPane, TWinControl* LowerPane) {
  // The chart library's units register their classes, texts and hooks; each
  // call is safe to repeat when a second main window is made (tests).
  PlotConst::Initialize();
  PlotTranslate::Initialize();
  PlotEngine::Initialization();
  Chart::Initialize();
  Series::Initialization();
  ErrorBar::Initialization();
  PlotTools::RegisterTools();
  PlotLegendScrollBar::Initialization();
  PlotExport::Initialize();
  // Brush styles 8 and up draw the pattern tiles in every chart.
  PlotBrushDlg::Initialization();
  PlotGalleryPanel::Initialization();
  PlotFunci::Initialization();
  PlotGally::Initialization();
  // The extra series and functions of the chart library; main() ends them at exit.
  ExtrasUnits::Initialization();
  // "Options" on a series and a right-click on a legend entry open the series style
  // editor; "Options" of the axis and legend pop-ups open the axis and legend dialogs.
  ChartEditors::Initialize();

  Chart1 = Create<TChart>(this);
  Chart1->SetName("Chart1");
  Chart1->SetView3D(false);
  Chart1->Title()->SetVisible(false);
  Chart1->Title()->ClearLines();
  Chart1->SetColor(clWhite);
  Chart1->Legend()->SetAlignment(laTop);
  Chart1->Legend()->SetCheckBoxes(true);
  Chart1->LeftAxis()->Axis()->SetColor(clRed);
  Chart1->RightAxis()->Axis()->SetColor(clBlue);
  struct TCurveDef {
    TLineSeries** Series;
    const char* Name;
    TColor Color;
    bool Dotted;
    bool RightAxis;
  };
  const TCurveDef curves[] = {{&Series1, "Series1", clRed, false, false},
                              {&Series2, "Series2", clRed, true, false},
                              {&Series3, "Series3", clBlue, false, true},
                              {&Series4, "Series4", clBlue, true, true}};
  for (const TCurveDef& def : curves) {
    TLineSeries* series = Create<TLineSeries>(this);
    series->SetName(def.Name);
    series->SetParentChart(Chart1);
    series->SetSeriesColor(def.Color);
    if (def.Dotted) series->LinePen()->SetStyle(TPenStyle::psDot);
    if (def.RightAxis) series->SetVertAxis(TVertAxis::aRightAxis);
    *def.Series = series;
  }

  PseudoSection2d1 = Create<TPseudoSection2d>(this);
  PseudoSection2d1->SetName("PseudoSection2d1");
  PseudoSection2d2 = Create<TPseudoSection2d>(this);
  PseudoSection2d2->SetName("PseudoSection2d2");
  PolygonChart1 = Create<TPolygonChart>(this);
  PolygonChart1->SetName("PolygonChart1");
  PolygonChart1->Title()->Font()->SetName("small fonts");
  PolygonChart1->Title()->Font()->SetHeight(-9);

  auto place = [this](TPlotPanelControl*& Window, TCustomPlotPanel* Chart, const char* Name, TWinControl* Parent,
                      TAlign Align, int Height) {
    Window = Create<TPlotPanelControl>(this, Chart);
    Window->SetName(Name);
    Window->SetParent(Parent);
    Window->SetHeight(Height);
    Window->SetAlign(Align);
  };
  place(Chart1Window, Chart1, "Chart1Window", UpperPane, TAlign::alClient, 150);
  // The upper data section on top, the model at the bottom, the lower data
  // section between them, with a splitter on either side.
  place(PseudoSection2d1Window, PseudoSection2d1, "PseudoSection2d1Window", LowerPane, TAlign::alTop, 180);
  Splitter1 = Create<TSplitter>(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(LowerPane);
  Splitter1->SetAlign(TAlign::alTop);
  Splitter1->SetHeight(4);
  Splitter1->MinSize = 1;
  place(PolygonChart1Window, PolygonChart1, "PolygonChart1Window", LowerPane, TAlign::alBottom, 180);
  Splitter2 = Create<TSplitter>(this);
  Splitter2->SetName("Splitter2");
  Splitter2->SetParent(LowerPane);
  Splitter2->SetAlign(TAlign::alBottom);
  Splitter2->SetHeight(4);
  Splitter2->MinSize = 3;
  place(PseudoSection2d2Window, PseudoSection2d2, "PseudoSection2d2Window", LowerPane, TAlign::alClient, 180);
}

void TMainForm::LoadViewSettings() {
  // A store that cannot be read leaves a view its defaults.
  auto guarded = [](const std::function<void()>& Load) {
    try {
      Load();
    } catch (const Exception&) {
    }
  };
  guarded([this] { PseudoSection2d1->LoadSettings("KelmVev2er_ps"); });
  guarded([this] { PseudoSection2d2->LoadSettings("KelmVev2er_ps"); });
  guarded([this] { CalculatedRhoGraph->LoadSettings("KelmVev2er_mg_t"); });
  guarded([this] { ObservedRhoGraph->LoadSettings("KelmVev2er_mg_o"); });
  guarded([this] { CalculatedEtaGraph->LoadSettings("KelmVev2er_mg_t1"); });
  guarded([this] { ObservedEtaGraph->LoadSettings("KelmVev2er_mg_o1"); });
}

void TMainForm::CreateGraphManagers() {
  // Calculated first, then observed, as the pairs are bound to their sections.
  CalculatedRhoGraph = Create<multigraph>();
  ObservedRhoGraph = Create<multigraph>();
  ObservedRhoGraph->TargetChart = PseudoSection2d1;
  CalculatedRhoGraph->TargetChart = PseudoSection2d2;
  CalculatedEtaGraph = Create<multigraph>();
  ObservedEtaGraph = Create<multigraph>();
  ObservedEtaGraph->TargetChart = PseudoSection2d1;
  CalculatedEtaGraph->TargetChart = PseudoSection2d2;
}

void TMainForm::CreateWorkSeries() {
  auto style = [](TCustomSeries& Series) {
    Series.SetSeriesColor(clBlack);
    Multigraphics::ApplyLabelMarks(Series);
    if (auto* marks = dynamic_cast<TSeriesMarks*>(Series.Marks())) {
      marks->SetStyle(TSeriesMarksStyle::smsLabel);
      marks->SetVisible(false);
    }
    Series.SetVertAxis(TVertAxis::aLeftAxis);
    Series.ExcludeFromYAuto = true;
    Series.SetShowInLegend(false);
  };
  ComparisonSeries = Create<TLineSeries>(this);
  ComparisonSeries->SetName("ComparisonSeries");
  ComparisonSeries->SetParentChart(PseudoSection2d1);
  style(*ComparisonSeries);
  ComparisonSeries->StoreDefaultText();

  CrossPointSeries = Create<TPointSeries>(this);
  CrossPointSeries->SetName("CrossPointSeries");
  CrossPointSeries->SetParentChart(PolygonChart1);
  style(*CrossPointSeries);
  CrossPointSeries->Pointer()->SetVisible(true);
  CrossPointSeries->Pointer()->SetStyle(TSeriesPointerStyle::psCross);
  CrossPointSeries->Pointer()->SetHorizSize(3);
  CrossPointSeries->Pointer()->SetVertSize(3);
  CrossPointSeries->StoreDefaultText();
}

void TMainForm::FinishChart1() {
  // The gravity and magnetic curves line up with the model chart.
  for (int side : {0, 2, 1, 3}) Chart1->SetMargin(side, PolygonChart1->GetMargin(side));
  Chart1->SetMarginUnits(PolygonChart1->GetMarginUnits());
  Series1->SetTitle("<font name=ariall>H<font name=arial size=-2>o");
  Series2->SetTitle("<font name=ariall>H<font name=arial size=-2>c");
  Series3->SetTitle("<font name=ariall>T<font name=arial size=-2>o");
  Series4->SetTitle("<font name=ariall>T<font name=arial size=-2>c");
  Series1->SetSeriesColor(clRed);
  Series2->SetSeriesColor(clRed);
  Series3->SetSeriesColor(0xFF0000);
  Series4->SetSeriesColor(0xFF0000);
  Chart1->Legend()->Symbol()->SetWidth(5);
  Chart1->Legend()->Font()->SetHeight(-9);
  Chart1->Legend()->Font()->SetName("Small Fonts");
  Chart1->RightAxis()->SetLabelsSize(-1);
}

void TMainForm::ShowCursorPosition() {
  SetStatusText(1, Supermath2d::FloatToStrDec(0, 1, PolygonChart1->CursorX) + " " +
                       Supermath2d::FloatToStrDec(0, 1, PolygonChart1->CursorZ));
}

// ---- what is drawn ----

double TMainForm::GraphValue(bool Upper, int32_t Pair, int32_t Receiver) const {
  if (DataType < 0 || DataType > 1) return 0.0;
  return StoredValue(Survey.Asource[static_cast<size_t>(Pair)], Receiver, Upper, DataType, DataQuantity);
}

double TMainForm::SectionValue(bool Upper, int32_t Pair, int32_t Receiver) const {
  const osource& source = Survey.Asource[static_cast<size_t>(Pair)];
  const int32_t d = DataType < 0 || DataType > 1 ? 0 : DataType;
  if (!Upper && AddDataType == 2) {
    const double weight = At(source.Weight, Receiver);
    return weight == NoValue ? NoValue : weight * 100.0;
  }
  if (!Upper && AddDataType == 1) {
    // The relative difference in percent of the observed magnitude; a point whose
    // observed value is zero (or missing) has no relative difference.
    const double observed = StoredValue(source, Receiver, true, d, DataQuantity);
    const double calculated = StoredValue(source, Receiver, false, d, DataQuantity);
    if (observed == NoValue || calculated == NoValue || observed == 0.0) return NoValue;
    return (calculated - observed) / std::abs(observed) * 100.0;
  }
  const double value = StoredValue(source, Receiver, Upper, d, DataQuantity);
  if (d == 0 && DataQuantity == 1) return value == NoValue || !std::isfinite(value) ? NoValue : value;
  return LogOf(value);
}

std::string TMainForm::SectionTitle(bool Upper) const {
  const bool joint = WorksheetStyle == 1;
  const bool eta = DataQuantity == 1;
  if (!Upper && AddDataType == 1) return "Relative difference data";
  if (!Upper && AddDataType == 2) return "Data weights";
  if (DataType == 1) return joint ? "Resistance data" : Upper ? "Observed resistance data" : "Calculated resistance data";
  const std::string what = eta ? "apparent polarizability data" : "apparent resistivity data";
  if (joint) return eta ? "Apparent polarizability data" : "Apparent resistivity data";
  return (Upper ? "Observed " : "Calculated ") + what;
}

std::string TMainForm::UnitText(bool Upper) const {
  if (!Upper && (AddDataType == 1 || AddDataType == 2)) return "<font name=arial>%";
  if (DataType == 1) return "<font name=arial>R";
  return DataQuantity == 1 ? "<font name=symbol>h<font name=arial size=-3>a"
                           : "<font name=symbol>r<font name=arial size=-3>a";
}

double TMainForm::LevelDepth(int32_t Pair, int32_t Receiver) const {
  const osource& source = Survey.Asource[static_cast<size_t>(Pair)];
  if (VerticalAxisType == 1) {
    const size_t level = static_cast<size_t>(Receiver) < source.GroupIndex.size()
                             ? static_cast<size_t>(source.GroupIndex[static_cast<size_t>(Receiver)])
                             : Survey.Levels.size();
    if (level < Survey.Levels.size()) return Survey.Levels[level];
  }
  return At(source.PseudoDepth, Receiver);
}

void TMainForm::ChooseSectionAndGraph(bool Upper, TPseudoSection2d*& S, multigraph*& G) const {
  const bool eta = DataQuantity == 1;
  G = Upper ? (eta ? ObservedEtaGraph : ObservedRhoGraph) : (eta ? CalculatedEtaGraph : CalculatedRhoGraph);
  if (WorksheetStyle != 1)
    S = Upper ? PseudoSection2d1 : PseudoSection2d2;
  else if (HasIP)
    S = eta ? PseudoSection2d2 : PseudoSection2d1;
  else
    S = PseudoSection2d2;
}

bool TMainForm::FilterSkips(const osource& Source, int32_t Receiver) const {
  const double c1 = Source.C1x, c2 = Source.C2x;
  const double p1 = At(Source.P1x, Receiver), p2 = At(Source.P2x, Receiver);
  const bool c2Infinite = Source.C2 < 0 || c2 == NoValue;
  const bool p2Infinite = At(Source.P2x, Receiver) == NoValue || Source.P2[static_cast<size_t>(Receiver)] < 0;
  if (p2Infinite) return false;
  if (c2Infinite) {
    if (c1 < p2 && c1 < p1) return !DisplayFilters[0];
    if (p2 < c1 && p1 < c1) return !DisplayFilters[1];
    return false;
  }
  if (std::max(c1, c2) < p2 && std::max(c1, c2) < p1) return !DisplayFilters[2];
  if (p2 < std::min(c1, c2) && p1 < std::min(c1, c2)) return !DisplayFilters[3];
  return false;
}

void TMainForm::FitBottomAxisToModel(TPseudoSection2d* S) {
  S->BottomAxis()->SetAutomatic(false);
  if (!PolygonChart1->Zoomed)
    S->BottomAxis()->SetMinMax(PolygonChart1->BottomAxis()->GetMinimum(), PolygonChart1->BottomAxis()->GetMaximum());
}

void TMainForm::PlotData(bool Upper) {
  if (!(ObservedLoaded || !Upper) || !(CalculatedReady || Upper)) return;
  VerticalAxisType = 1;
  if (!Upper) ScaleLowerLikeUpper();
  TPseudoSection2d* section = nullptr;
  multigraph* graph = nullptr;
  ChooseSectionAndGraph(Upper, section, graph);
  graph->TargetChart = section;
  if (Survey.DataPlotType == 0)
    PlotSectionNodes(Upper, section, graph);
  else
    PlotCurves(Upper, section, graph);
  // The markers of the selected measurement are drawn over everything else.
  for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2})
    if (s->SeriesCount() > 0 && s->MarkerSeries) s->MoveSeriesToLast(s->MarkerSeries);
  if (WorksheetStyle == 1 && HasIP && DataQuantity == 0) {
    // Joint style shows the polarizability in the lower section at the same time.
    DataQuantity = 1;
    PlotData(Upper);
    DataQuantity = 0;
  }
}

void TMainForm::PlotSectionNodes(bool Upper, TPseudoSection2d* S, multigraph* G) {
  auto deactivateCurves = [G] {
    for (int32_t k = 0; k < G->CurveSlots(); ++k)
      if (TLineSeries* curve = G->Curve(k)) curve->SetActive(false);
  };
  deactivateCurves();
  S->LeftAxis()->Title()->SetCaption("Sp");
  S->LeftAxis()->RangeFrozen = true;
  deactivateCurves();
  G->ClearCurves();
  for (TChartSeries* series : {static_cast<TChartSeries*>(S->FrameSeries), static_cast<TChartSeries*>(S->StationSeries),
                               static_cast<TChartSeries*>(S->MarkerSeries)})
    if (series) series->SetActive(true);
  if (S->ImageTool) S->ImageTool->SetActive(true);
  S->LeftAxis()->RangeFrozen = false;
  S->NextNode = 1;

  const bool logValues = !(DataQuantity == 1 && DataType == 0) && (Upper || AddDataType == 0);
  int32_t counter = 1;
  for (size_t r = 0; r < Survey.Asource.size(); ++r) {
    const osource& source = Survey.Asource[r];
    for (size_t j = 0; j < source.P1.size(); ++j) {
      ++counter;
      const int32_t pair = static_cast<int32_t>(r), receiver = static_cast<int32_t>(j);
      if (!Flag(source.FlagsB, receiver) || VerticalAxisType != 1 || counter % std::max(DisplayEvery, 1) != 0)
        continue;
      if (FilterSkips(source, receiver)) continue;
      double v = 0.0;
      int32_t n = 0;
      if (Flag(source.FlagsC, receiver)) {
        v = SectionValue(Upper, pair, receiver);
        n = 1;
        if (v == NoValue) {
          v = 0.0;
          n = 0;
        }
      }
      if (j < source.PairsB.size())
        for (const auto& twin : source.PairsB[j]) {
          const int32_t r2 = twin.A, j2 = twin.B;
          if (r2 < 0 || static_cast<size_t>(r2) >= Survey.Asource.size()) continue;
          if (!Flag(Survey.Asource[static_cast<size_t>(r2)].FlagsC, j2)) continue;
          const double w = SectionValue(Upper, r2, j2);
          if (w == NoValue) continue;
          v += w;
          ++n;
        }
      if (n == 0) continue;
      v /= n;
      // Values averaged in log space come back to linear units.
      if (logValues) v = std::pow(10.0, v);
      S->AddNode(At(source.PlotX, receiver), LevelDepth(pair, receiver), v, false);
    }
  }
  if (AddDataType == 0 || Upper) S->LogScale = DataQuantity == 0;
  S->ColorBarCaption = UnitText(Upper);
  S->Title()->SetTextLine(SectionTitle(Upper));
  bool& rebuild = Upper ? RebuildUpper : RebuildLower;
  S->Triangulate(rebuild);
  rebuild = false;
  FitBottomAxisToModel(S);
  S->BuildLevels();
  S->UpdatePicture(S);
}

void TMainForm::PlotCurves(bool Upper, TPseudoSection2d* S, multigraph* G) {
  S->LeftAxis()->RangeFrozen = true;
  if (S->ImageTool) S->ImageTool->SetActive(false);
  if (S->FrameSeries) S->FrameSeries->SetActive(false);
  if (PseudoSection2d1->MarkerSeries) PseudoSection2d1->MarkerSeries->Clear();
  S->LeftAxis()->Title()->SetCaption(" ");
  S->Title()->SetTextLine(SectionTitle(Upper));
  if (S->StationSeries) S->StationSeries->SetActive(false);
  if (S->MarkerSeries) S->MarkerSeries->SetActive(true);
  if (S->GridSeries) S->GridSeries->Clear();
  FitBottomAxisToModel(S);

  G->CurveCount = static_cast<int32_t>(Survey.graphicstype == 0 ? Survey.Asource.size() : Survey.Levels.size());
  G->BuildColors();
  G->CreateCurves();
  const bool joint = WorksheetStyle == 1;
  const bool hideFromLegend = !Upper && ObservedLoaded && joint;
  G->ClearCurves();
  S->LeftAxis()->RangeFrozen = false;
  for (int32_t k = 0; k < G->CurveSlots(); ++k) {
    TLineSeries* curve = G->Curve(k);
    if (!curve) continue;
    if (hideFromLegend) curve->SetShowInLegend(false);
    curve->SetActive(true);
    // In joint style the observed curves set the vertical range, the calculated
    // ones drawn over them do not.
    curve->ExcludeFromYAuto = joint && !Upper && ObservedLoaded;
  }

  for (size_t r = 0; r < Survey.Asource.size(); ++r) {
    const osource& source = Survey.Asource[r];
    for (size_t j = 0; j < source.P1.size(); ++j) {
      const int32_t receiver = static_cast<int32_t>(j);
      if (!Flag(source.FlagsC, receiver)) continue;
      const int32_t k = Survey.graphicstype == 0
                            ? static_cast<int32_t>(r)
                            : (j < source.GroupIndex.size() ? source.GroupIndex[j] : -1);
      TLineSeries* curve = k >= 0 && k < G->CurveSlots() ? G->Curve(k) : nullptr;
      if (!curve) continue;
      const double y = GraphValue(Upper, static_cast<int32_t>(r), receiver);
      if (y == NoValue || !std::isfinite(y)) continue;
      const double weight = At(source.Weight, receiver);
      const std::string label = weight != NoValue && weight <= 0.9 ? Supermath2d::FloatToStrDec(0, 1, weight) : "";
      curve->AppendPoint(At(source.PlotX0, receiver), y, label);
    }
  }
  // Each curve ends with its number.
  for (int32_t k = 0; k < G->CurveSlots(); ++k) {
    TLineSeries* curve = G->Curve(k);
    if (curve && curve->Count() > 0)
      curve->SetLabel(curve->Count() - 1, curve->GetLabel(curve->Count() - 1) + std::to_string(k + 1));
  }
}
