// Display modes and pane layout: pseudo-sections or curves, apparent resistivity
// or resistance, resistivity or polarizability, what the lower section shows,
// curves per pair or per level, the worksheet style, the pane heights in percent
// and the scrolling of the shown curves with the mouse wheel.

#include <algorithm>
#include <cmath>

#include "app/ResMainForm.h"
#include "controls/abcsplit.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

// ---- display switches ----

void TMainForm::PlotBothSections() {
  PlotData(true);
  PlotData(false);
}

void TMainForm::FreeAllCurves() {
  for (multigraph* graph : {ObservedRhoGraph, CalculatedRhoGraph, ObservedEtaGraph, CalculatedEtaGraph})
    if (graph) graph->FreeCurves();
}

void TMainForm::Pseudosection1Click(TObject*) {
  ChosenPlotType = 0;
  if (Survey.DataPlotType == 0) return;
  StoreAxisTexts();
  Survey.DataPlotType = 0;
  ShowImportCurve();
  ApplySectionSettings();
  RelayoutSections();
  PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::Graphicsplot1Click(TObject* Sender) {
  // "Jointly" switches to curves without making them the user's choice.
  if (Sender != jointly1) ChosenPlotType = 1;
  if (Survey.DataPlotType == 1) return;
  StoreAxisTexts();
  Survey.DataPlotType = 1;
  ShowImportCurve();
  ApplySectionSettings();
  RelayoutSections();
  PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::Apparentresistivity1Click(TObject*) {
  if (DataType == 0) return;
  StoreAxisTexts();
  DataType = 0;
  ApplySectionSettings();
  PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::Resistanse1Click(TObject*) {
  if (DataType == 1) return;
  StoreAxisTexts();
  DataType = 1;
  ApplySectionSettings();
  PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::IsoPsZ1Click(TObject*) {
  if (Survey.graphicstype == 0) return;
  Survey.graphicstype = 0;
  if (Survey.DataPlotType == 1) PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::IsoSource1Click(TObject*) {
  if (Survey.graphicstype == 1) return;
  Survey.graphicstype = 1;
  if (Survey.DataPlotType == 1) PlotBothSections();
  Data1Click(nullptr);
}

void TMainForm::Calculateddata1Click(TObject*) {
  if (AddDataType == 0) return;
  AddDataType = 0;
  if (Survey.DataPlotType == 0) PlotData(false);
  Data1Click(nullptr);
}

void TMainForm::Datamisfit1Click(TObject*) {
  if (AddDataType == 1 || !ObservedLoaded) return;
  AddDataType = 1;
  if (Survey.DataPlotType == 0) PlotData(false);
  Data1Click(nullptr);
}

void TMainForm::Dataweights1Click(TObject*) {
  if (AddDataType == 2 || !ObservedLoaded) return;
  AddDataType = 2;
  if (Survey.DataPlotType == 0) PlotData(false);
  Data1Click(nullptr);
}

void TMainForm::Ononeplot1Click(TObject*) { SetWorksheetStyle(0); }

void TMainForm::jointly1Click(TObject* Sender) {
  Graphicsplot1Click(Sender);
  SetWorksheetStyle(1);
}

void TMainForm::Data1Click(TObject*) {
  Apparentresistivity1->SetChecked(DataType == 0);
  Resistanse1->SetChecked(DataType == 1);
  PseudoSection1->SetChecked(Survey.DataPlotType == 0);
  Graphicsplot1->SetChecked(Survey.DataPlotType == 1);
  Calculateddata1->SetChecked(AddDataType == 0);
  Datamisfit1->SetChecked(AddDataType == 1);
  Dataweights1->SetChecked(AddDataType == 2);
  IsoPsZ1->SetChecked(Survey.graphicstype == 0);
  IsoSource1->SetChecked(Survey.graphicstype == 1);
  const bool graphics = Survey.DataPlotType == 1;
  IsoPsZ1->SetEnabled(graphics);
  IsoSource1->SetEnabled(graphics);
  Calculateddata1->SetEnabled(!graphics);
  Datamisfit1->SetEnabled(!graphics);
  Dataweights1->SetEnabled(!graphics);
}

void TMainForm::Options1Click(TObject*) {
  Observedgraphicsrhoa1->SetEnabled(ObservedLoaded);
  Calculatedgraphicsrhoa1->SetEnabled(CalculatedReady);
  Graphicssetup1->SetEnabled(Survey.DataPlotType == 1);
  Data1Click(nullptr);
  Style1Click(nullptr);
}

void TMainForm::Style1Click(TObject*) {
  Ononeplot1->SetChecked(WorksheetStyle == 0);
  jointly1->SetChecked(WorksheetStyle == 1);
}

bool TMainForm::UpperSectionEmpty() const {
  return (WorksheetStyle == 0 && !ObservedLoaded) || (WorksheetStyle == 1 && !HasIP);
}

void TMainForm::SetWorksheetStyle(int32_t Style) {
  if (Style == WorksheetStyle) return;
  FreeAllCurves();
  StoreAxisTexts();
  if (Style == 1) {
    Survey.DataPlotType = 1;
    WorksheetStyle = 1;
    DataQuantity = 0;
    ApplySectionSettings();
    SetPaneHeights(HasIP ? 33.0 : 0.1, HasIP ? 33.0 : 50.0);
    FormResize(this);
    PseudoSection2d2->LeftAxis()->SetAutomatic(true);
    PseudoSection1->SetEnabled(false);
    SpeedButton3->SetVisible(false);
    SpeedButton7->SetVisible(false);
  } else {
    WorksheetStyle = 0;
    SetPaneHeights(ObservedLoaded ? 33.0 : 0.1, ObservedLoaded ? 33.0 : 50.0);
    FormResize(this);
    // Back to the display the user chose, where the survey allows pseudo-sections.
    const bool pseudoPossible = !(CalculatedReady && Survey.Levels.size() == 1) &&
                                !(Survey.SpacingLevels.size() == 1 || Survey.DataXMin == Survey.DataXMax);
    if (pseudoPossible && Survey.DataPlotType != ChosenPlotType) {
      Survey.DataPlotType = ChosenPlotType;
      RelayoutSections();
    }
    ApplySectionSettings();
    PseudoSection1->SetEnabled(!(CalculatedReady && Survey.Levels.size() == 1));
    if (HasIP) {
      SpeedButton3->SetVisible(true);
      SpeedButton7->SetVisible(true);
    }
  }
  PlotBothSections();
  Data1Click(nullptr);
  Style1Click(nullptr);
  ElectrodeEditorSurveyChanged();
}

void TMainForm::SetQuantityButtonsLook(int32_t Quantity) {
  // The flat button marks the quantity shown.
  SpeedButton3->Flat = Quantity == 0;
  SpeedButton7->Flat = Quantity == 1;
  SpeedButton3->Invalidate();
  SpeedButton7->Invalidate();
}

void TMainForm::RestoreChosenPlotType() {
  const int32_t wanted = WorksheetStyle == 1 ? 1 : ChosenPlotType;
  if (Survey.DataPlotType == wanted) return;
  StoreAxisTexts();
  Survey.DataPlotType = wanted;
  RelayoutSections();
}

void TMainForm::ResetToResistivity() {
  Apparentresistivity1->SetCaption("Apparent resistivity");
  DataQuantity = 0;
  SetQuantityButtonsLook(0);
  const bool shown = HasIP && WorksheetStyle == 0;
  SpeedButton3->SetVisible(shown);
  SpeedButton7->SetVisible(shown);
  ShowBodyLabels();
}

void TMainForm::ShowBodyLabels() {
  TPolygonChart& chart = *PolygonChart1;
  if (chart.LabelQuantity == DataQuantity && chart.LabelHasIP == HasIP) return;
  chart.LabelQuantity = DataQuantity;
  chart.LabelHasIP = HasIP;
  if (chart.HasModel) chart.RedrawModel();
}

void TMainForm::SetDataQuantity(int32_t Value) {
  DataQuantity = Value;
  Apparentresistivity1->SetCaption(Value == 1 ? "Apparent polarizability" : "Apparent resistivity");
  RebuildUpper = true;
  RebuildLower = true;
  PlotData(true);
  PseudoSection2d2->LogScale = PseudoSection2d1->LogScale;
  PlotData(false);
  PlotElectrodes();
  ShowBodyLabels();
  ElectrodeEditorSurveyChanged();
}

void TMainForm::SpeedButton3Click(TObject*) {
  if (!CalculatedReady || DataQuantity != 1) return;
  StoreAxisTexts();
  FreeAllCurves();
  DataQuantity = 0;
  ApplySectionSettings();
  SetDataQuantity(0);
  SetQuantityButtonsLook(0);
  // Without observed data the lower section shows freshly calculated resistivity.
  if (!ObservedLoaded) SpeedButton6Click(this);
}

void TMainForm::SpeedButton7Click(TObject*) {
  if (!CalculatedReady || DataQuantity != 0 || !HasIP) return;
  StoreAxisTexts();
  FreeAllCurves();
  DataQuantity = 1;
  ApplySectionSettings();
  SetDataQuantity(1);
  SetQuantityButtonsLook(1);
  if (!ObservedLoaded) SpeedButton6Click(this);
}

// ---- pane layout ----

void TMainForm::SetPaneHeights(double UpperPercent, double ModelPercent) {
  percent1 = UpperPercent;
  percent2 = ModelPercent;
}

int32_t TMainForm::UsablePaneHeight() const {
  const TWinControl* pane = PseudoSection2d1Window->GetParent();
  return pane ? pane->GetClientHeight() - 2 * Splitter1->GetHeight() : 0;
}

void TMainForm::FormResize(TObject*) {
  if (FLayoutGuard) return;
  Application->ProcessMessages();
  if (Splitter1->GetTop() < PseudoSection2d1Window->GetTop()) {
    PseudoSection2d1Window->SetTop(0);
    Splitter1->SetTop(PseudoSection2d1Window->GetTop() + PseudoSection2d1Window->GetHeight());
  }
  FLayoutGuard = true;
  const double usable = UsablePaneHeight();
  PseudoSection2d1Window->SetHeight(static_cast<int>(std::nearbyint(usable * percent1 / 100.0)));
  PolygonChart1Window->SetHeight(static_cast<int>(std::nearbyint(usable * percent2 / 100.0)));
  FLayoutGuard = false;
}

bool TMainForm::Splitter1CanResize(int32_t NewSize) const {
  if (NewSize <= Splitter1->MinSize) return false;
  // The upper section has nothing to show: its pane stays closed.
  return !(CalculatedReady && UpperSectionEmpty());
}

bool TMainForm::Splitter2CanResize(int32_t NewSize) const { return NewSize > Splitter2->MinSize; }

void TMainForm::Splitter1Moved(TObject*) {
  if (FLayoutGuard) return;
  const int32_t usable = UsablePaneHeight();
  if (usable <= 0) return;
  if (!Splitter1CanResize(PseudoSection2d1Window->GetHeight())) {
    // A refused move goes back to the heights the window keeps.
    FormResize(this);
    return;
  }
  percent1 = PseudoSection2d1Window->GetHeight() * 100.0 / usable;
}

void TMainForm::Splitter2Moved(TObject*) {
  if (FLayoutGuard) return;
  const int32_t usable = UsablePaneHeight();
  if (usable <= 0) return;
  if (!Splitter2CanResize(PolygonChart1Window->GetHeight())) {
    FormResize(this);
    return;
  }
  percent2 = PolygonChart1Window->GetHeight() * 100.0 / usable;
}

void TMainForm::RelayoutSections() {
  Splitter1->SetAlign(TAlign::alNone);
  Splitter2->SetAlign(TAlign::alNone);
  struct TDock {
    TPlotPanelControl* Window;
    TAlign Align;
  };
  for (const TDock& dock : {TDock{PseudoSection2d1Window, TAlign::alTop}, TDock{PseudoSection2d2Window, TAlign::alClient}}) {
    if (!dock.Window->GetVisible() || dock.Window->GetAlign() != TAlign::alNone) continue;
    dock.Window->SetBounds(dock.Window->GetLeft(), dock.Window->GetTop(), dock.Window->GetWidth(),
                           dock.Window->GetHeight());
    dock.Window->SetAlign(dock.Align);
  }
  Splitter1->SetAlign(TAlign::alTop);
  Splitter1->SetTop(PseudoSection2d1Window->GetTop() + PseudoSection2d1Window->GetHeight());
  Splitter2->SetAlign(TAlign::alBottom);
  Splitter2->SetTop(PolygonChart1Window->GetTop() - Splitter2->GetHeight());
}

// ---- the mouse wheel over a legend ----

void TMainForm::ScrollCurves(TPoint MousePos, bool Down) {
  if (Survey.DataPlotType != 1) return;
  const bool eta = DataQuantity == 1;
  multigraph* observed = eta ? ObservedEtaGraph : ObservedRhoGraph;
  multigraph* calculated = eta ? CalculatedEtaGraph : CalculatedRhoGraph;
  struct TTarget {
    TPlotPanelControl* Window;
    TPseudoSection2d* Section;
    multigraph* Graph;
  };
  const TTarget targets[] = {{PseudoSection2d1Window, PseudoSection2d1, ObservedLoaded ? observed : nullptr},
                             {PseudoSection2d2Window, PseudoSection2d2, calculated}};
  const TTarget* hit = nullptr;
  for (const TTarget& t : targets) {
    if (!t.Window->GetVisible()) continue;
    const TPoint p = t.Window->ScreenToClient(MousePos);
    if (t.Section->ClickedPartAt(p.X, p.Y).Part == cpLegend) {
      hit = &t;
      break;
    }
  }
  if (!hit || !hit->Graph) return;
  multigraph* twin = hit->Graph == observed ? calculated : observed;
  const int32_t n = hit->Graph->CurveSlots();
  auto shown = [](multigraph* G, int32_t K) {
    TLineSeries* c = G->Curve(K);
    return c && c->GetActive();
  };
  auto setShown = [](multigraph* G, int32_t K, bool Value) {
    if (TLineSeries* c = G->Curve(K)) c->SetActive(Value);
  };
  auto shiftState = [&](multigraph* G, int32_t From, int32_t To) {
    if (G && From >= 0 && To >= 0 && From < G->CurveSlots() && To < G->CurveSlots()) setShown(G, To, shown(G, From));
  };
  int32_t first = -1, last = -1, count = 0;
  for (int32_t k = 0; k < n; ++k)
    if (shown(hit->Graph, k)) {
      if (first < 0) first = k;
      last = k;
      ++count;
    }
  if (first < 0) return;
  if (Down) {
    if (last >= n - 1) return;
    for (multigraph* g : {hit->Graph, twin}) {
      if (!g) continue;
      for (int32_t k = last; k >= 0; --k) shiftState(g, k, k + 1);
      setShown(g, 0, false);
    }
  } else {
    if (first == 0) return;
    for (multigraph* g : {hit->Graph, twin}) {
      if (!g) continue;
      for (int32_t k = first; k < g->CurveSlots(); ++k) shiftState(g, k, k - 1);
      setShown(g, g->CurveSlots() - 1, false);
    }
  }
  for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2}) {
    TChartLegend* legend = s->Legend();
    const int32_t firstItem = legend->GetFirstValue();
    legend->SetFirstValue(Down ? std::min(firstItem + count - 1, firstItem + 1) : std::max(0, firstItem - 1));
  }
}

void TMainForm::FormMouseWheelDown(TObject*, TShiftState, TPoint MousePos, bool&) { ScrollCurves(MousePos, true); }

void TMainForm::FormMouseWheelUp(TObject*, TShiftState, TPoint MousePos, bool&) { ScrollCurves(MousePos, false); }
