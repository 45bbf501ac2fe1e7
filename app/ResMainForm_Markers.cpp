// Measurement selection: the flat numbering of the electrode editor's rows, the
// markers of the selected measurement along the top of the data sections, the
// curve highlight of a press on a curve point, and the electrodes on the model
// chart.

#include "app/ResMainForm.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

using Supermath2d::NoValue;

constexpr TColor CurrentMarkerColor = 0x0000FF;    // red
constexpr TColor PotentialMarkerColor = 0xFF0000;  // blue
constexpr TColor DataPointColor = 0x00FF00;        // lime

double At(const arofdoubleM& Values, size_t Index) { return Index < Values.size() ? Values[Index] : NoValue; }

int32_t ReceiverCount(const osource& Source) { return static_cast<int32_t>(Source.RhoA.size()); }

bool ValidMeasurement(const TSurvey& Survey, int32_t Pair, int32_t Receiver) {
  return Pair >= 0 && static_cast<size_t>(Pair) < Survey.Asource.size() && Receiver >= 0 &&
         static_cast<size_t>(Receiver) < Survey.Asource[static_cast<size_t>(Pair)].P1.size();
}

bool SectionShown(TPlotPanelControl* Window) { return Window && Window->GetVisible(); }

}  // namespace

int32_t TMainForm::FlatIndex(int32_t Pair, int32_t Receiver) const {
  int32_t index = 0;
  for (int32_t r = 0; r < Pair && static_cast<size_t>(r) < Survey.Asource.size(); ++r)
    index += ReceiverCount(Survey.Asource[static_cast<size_t>(r)]);
  return index + Receiver;
}

void TMainForm::PairOfFlatIndex(int32_t K, int32_t& Pair, int32_t& Receiver) const {
  Pair = -1;
  Receiver = -1;
  if (K < 0) return;
  int32_t first = 0;
  for (size_t r = 0; r < Survey.Asource.size(); ++r) {
    const int32_t count = ReceiverCount(Survey.Asource[r]);
    if (K < first + count) {
      Pair = static_cast<int32_t>(r);
      Receiver = K - first;
      return;
    }
    first += count;
  }
}

void TMainForm::SetMarkers(TPseudoSection2d* S, int32_t Pair, int32_t Receiver) {
  TPointSeries* markers = S->MarkerSeries;
  if (!markers) return;
  // The top of the vertical axis: the depth axis of a pseudo-section is inverted.
  const double y = Survey.DataPlotType == 1 ? S->LeftAxis()->GetMaximum() : S->LeftAxis()->GetMinimum();
  const osource& source = Survey.Asource[static_cast<size_t>(Pair)];
  const size_t j = static_cast<size_t>(Receiver);
  markers->Clear();
  auto mark = [&](bool Present, double X, const char* Label, TColor Color) {
    if (Present && X != NoValue) markers->AppendPoint(X, y, Label, Color);
  };
  mark(source.C1 >= 0, source.C1x, "c1", CurrentMarkerColor);
  mark(source.C2 >= 0, source.C2x, "c2", CurrentMarkerColor);
  mark(j < source.P1.size() && source.P1[j] >= 0, At(source.P1x, j), "p1", PotentialMarkerColor);
  mark(j < source.P2.size() && source.P2[j] >= 0, At(source.P2x, j), "p2", PotentialMarkerColor);
}

void TMainForm::AddLimePoint(TPseudoSection2d* S, double X, double Y) {
  if (S->MarkerSeries && X != NoValue && Y != NoValue) S->MarkerSeries->AppendPoint(X, Y, "", DataPointColor);
}

void TMainForm::ShowMeasurementInGraphs(int32_t Pair, int32_t Receiver) {
  if (Survey.DataPlotType != 1 || !ValidMeasurement(Survey, Pair, Receiver)) return;
  const osource& source = Survey.Asource[static_cast<size_t>(Pair)];
  const size_t j = static_cast<size_t>(Receiver);
  const double x = At(source.PlotX0, j);
  const bool joint = WorksheetStyle == 1;

  TPseudoSection2d* upper = joint ? (HasIP ? PseudoSection2d1 : PseudoSection2d2) : (ObservedLoaded ? PseudoSection2d1 : nullptr);
  TPlotPanelControl* upperWindow = upper == PseudoSection2d1 ? PseudoSection2d1Window : PseudoSection2d2Window;
  if (upper && SectionShown(upperWindow)) {
    SetMarkers(upper, Pair, Receiver);
    if (!joint) {
      AddLimePoint(upper, x, GraphValue(true, Pair, Receiver));
    } else {
      // Joint style: the resistivity curves, observed and calculated together.
      if (ObservedLoaded) AddLimePoint(upper, x, At(DataType == 1 ? source.Res : source.RhoA, j));
      if (CalculatedReady) AddLimePoint(upper, x, At(DataType == 1 ? source.ResCalc : source.RhoACalc, j));
    }
  }

  TPseudoSection2d* lower = joint ? (HasIP ? PseudoSection2d2 : nullptr) : (CalculatedReady ? PseudoSection2d2 : nullptr);
  if (lower && SectionShown(PseudoSection2d2Window)) {
    SetMarkers(lower, Pair, Receiver);
    if (!joint) {
      AddLimePoint(lower, x, GraphValue(false, Pair, Receiver));
    } else {
      if (ObservedLoaded) AddLimePoint(lower, x, At(DataType == 1 ? source.ResIP : source.EtaA, j));
      if (CalculatedReady) AddLimePoint(lower, x, At(DataType == 1 ? source.ResCalcIP : source.EtaACalc, j));
    }
  }
  HighlightElectrodes(Pair, Receiver);
}

void TMainForm::ShowMeasurementInSections(int32_t Pair, int32_t Receiver) {
  if (Survey.DataPlotType != 0 || !ValidMeasurement(Survey, Pair, Receiver)) return;
  const double x = At(Survey.Asource[static_cast<size_t>(Pair)].PlotX, static_cast<size_t>(Receiver));
  const double depth = LevelDepth(Pair, Receiver);
  if (ObservedLoaded && SectionShown(PseudoSection2d1Window)) {
    SetMarkers(PseudoSection2d1, Pair, Receiver);
    AddLimePoint(PseudoSection2d1, x, depth);
  }
  if (CalculatedReady && SectionShown(PseudoSection2d2Window)) {
    SetMarkers(PseudoSection2d2, Pair, Receiver);
    AddLimePoint(PseudoSection2d2, x, depth);
  }
  HighlightElectrodes(Pair, Receiver);
}

void TMainForm::HighlightElectrodes(int32_t Pair, int32_t Receiver) {
  TPointSeries* electrodes = PolygonChart1->ElectrodeSeries;
  if (!electrodes || !ValidMeasurement(Survey, Pair, Receiver)) return;
  for (int32_t i = 0; i < electrodes->Count(); ++i) electrodes->SetPointColor(i, clBlack);
  const osource& source = Survey.Asource[static_cast<size_t>(Pair)];
  const size_t j = static_cast<size_t>(Receiver);
  auto colour = [electrodes](int32_t Index, TColor Color) {
    if (Index >= 0 && Index < electrodes->Count()) electrodes->SetPointColor(Index, Color);
  };
  colour(source.C1, CurrentMarkerColor);
  colour(source.C2, CurrentMarkerColor);
  colour(source.P1[j], PotentialMarkerColor);
  if (j < source.P2.size()) colour(source.P2[j], PotentialMarkerColor);
  electrodes->RefreshSeries();
}

void TMainForm::PlotElectrodes() {
  if (!SurveyShown) return;
  TPointSeries* electrodes = PolygonChart1->ElectrodeSeries;
  if (!electrodes) return;
  electrodes->XValues()->SetOrder(TChartListOrder::loNone);
  electrodes->YValues()->SetOrder(TChartListOrder::loNone);
  if (electrodes->Count() == static_cast<int32_t>(Survey.elecarray.size())) return;
  electrodes->SetActive(true);
  electrodes->Clear();
  // Each electrode at its depth below the highest point of the relief, where the
  // model chart draws the ground surface.
  for (const TElectrode& e : Survey.elecarray) electrodes->AppendPoint(e.X, e.SourceDepth, "", clBlack);
}

void TMainForm::Chart1ClickSeries(TCustomChart*, TChartSeries* Series, int32_t ValueIndex, TMouseButton Button) {
  struct TPairing {
    multigraph* Graph;
    multigraph* Twin;
    bool Observed;
  };
  const TPairing pairings[] = {{ObservedRhoGraph, CalculatedRhoGraph, true},
                               {CalculatedRhoGraph, ObservedRhoGraph, false},
                               {ObservedEtaGraph, CalculatedEtaGraph, true},
                               {CalculatedEtaGraph, ObservedEtaGraph, false}};
  int32_t k = -1;
  const TPairing* found = nullptr;
  for (const TPairing& p : pairings) {
    for (int32_t i = 0; i < p.Graph->CurveSlots() && k < 0; ++i)
      if (p.Graph->Curve(i) == Series) k = i;
    if (k >= 0) {
      found = &p;
      break;
    }
  }
  if (!found || ValueIndex < 0 || ValueIndex >= Series->Count()) return;
  multigraph* observed = found->Observed ? found->Graph : found->Twin;
  multigraph* calculated = found->Observed ? found->Twin : found->Graph;
  FNarrowed = {ObservedLoaded ? observed : nullptr, CalculatedReady ? calculated : nullptr};

  PseudoSection2d1->LeftAxis()->RangeFrozen = true;
  PseudoSection2d2->LeftAxis()->RangeFrozen = true;

  const double x = Series->GetXValue(ValueIndex);
  int32_t pair = -1, receiver = -1;
  for (size_t r = 0; r < Survey.Asource.size(); ++r) {
    const osource& source = Survey.Asource[r];
    for (size_t j = 0; j < source.P1.size(); ++j) {
      const int32_t curve = Survey.graphicstype == 0 ? static_cast<int32_t>(r)
                                                     : (j < source.GroupIndex.size() ? source.GroupIndex[j] : -1);
      if (curve == k && At(source.PlotX0, j) == x) {
        pair = static_cast<int32_t>(r);
        receiver = static_cast<int32_t>(j);
        break;
      }
    }
  }
  const bool measured = pair >= 0;
  if (measured && ElectrodeEditorVisible && ElectrodeEditorVisible() && SelectElectrodeEditorRow)
    SelectElectrodeEditorRow(FlatIndex(pair, receiver) + 1);

  if (Button == TMouseButton::mbLeft) {
    FHighlightActive = true;
    if (measured) ShowMeasurementInGraphs(pair, receiver);
    for (size_t m = 0; m < FNarrowed.size(); ++m) {
      FShownBefore[m].clear();
      multigraph* graph = FNarrowed[m];
      if (!graph) continue;
      for (int32_t i = 0; i < graph->CurveSlots(); ++i) {
        TLineSeries* curve = graph->Curve(i);
        FShownBefore[m].push_back(curve && curve->GetActive());
        if (curve) curve->SetActive(i == k);
      }
    }
  }

  if (WorksheetStyle == 0 && ObservedLoaded && ComparisonSeries) {
    ComparisonSeries->Clear();
    TLineSeries* observedCurve = k < observed->CurveSlots() ? observed->Curve(k) : nullptr;
    TLineSeries* calculatedCurve = k < calculated->CurveSlots() ? calculated->Curve(k) : nullptr;
    if (observedCurve && calculatedCurve) {
      const int32_t n = std::min(observedCurve->Count(), calculatedCurve->Count());
      for (int32_t i = 0; i < n; ++i)
        ComparisonSeries->AppendPoint(calculatedCurve->GetXValue(i), calculatedCurve->GetYValue(i));
    }
  }
}

void TMainForm::Chart1MouseUp(TCustomChart*, TMouseButton) {
  if (!FHighlightActive) return;
  FHighlightActive = false;
  PseudoSection2d1->LeftAxis()->RangeFrozen = false;
  PseudoSection2d2->LeftAxis()->RangeFrozen = false;
  for (size_t m = 0; m < FNarrowed.size(); ++m) {
    multigraph* graph = FNarrowed[m];
    if (!graph) continue;
    for (int32_t i = 0; i < graph->CurveSlots() && static_cast<size_t>(i) < FShownBefore[m].size(); ++i)
      if (TLineSeries* curve = graph->Curve(i)) curve->SetActive(FShownBefore[m][static_cast<size_t>(i)]);
  }
  FNarrowed = {};
  if (ComparisonSeries) ComparisonSeries->Clear();
  if (!(ElectrodeEditorVisible && ElectrodeEditorVisible()))
    for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2})
      if (s->MarkerSeries) s->MarkerSeries->Clear();
}

void TMainForm::PseudoSection2d1ClickSeries(TCustomChart*, TChartSeries* Series, int32_t ValueIndex) {
  if (!(ElectrodeEditorVisible && ElectrodeEditorVisible()) || !SelectElectrodeEditorRow) return;
  if (Series != PseudoSection2d1->MarkerSeries && Series != PseudoSection2d1->GridSeries) return;
  if (ValueIndex < 0 || ValueIndex >= Series->Count()) return;
  const double x = Series->GetXValue(ValueIndex), y = Series->GetYValue(ValueIndex);
  const int32_t current = ElectrodeEditorRow ? ElectrodeEditorRow() : -1;
  int32_t chosen = -1;
  for (size_t r = 0; r < Survey.Asource.size() && chosen < 0; ++r) {
    const osource& source = Survey.Asource[r];
    for (size_t j = 0; j < source.P1.size(); ++j) {
      const int32_t pair = static_cast<int32_t>(r), receiver = static_cast<int32_t>(j);
      if (At(source.PlotX, j) != x || LevelDepth(pair, receiver) != y) continue;
      const int32_t flat = FlatIndex(pair, receiver) + 1;
      const int32_t row = ElectrodeEditorRowOf ? ElectrodeEditorRowOf(flat) : flat;
      // A point shared by several measurements moves on to the next one.
      if (row != current) {
        chosen = flat;
        break;
      }
      if (chosen == -1) chosen = -flat - 1;
    }
  }
  if (chosen == -1) return;
  SelectElectrodeEditorRow(chosen >= 0 ? chosen : -chosen - 1);
}
