// The axis panel: axes, series list, tools, series events, free colours,
// paging, axis extremes, legend queries and the refill of series from their
// sources.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "platform/gdi/Printer.h"
#include "platform/gdi/Pixels.h"
#include "platform/rtl/Restore.h"

using namespace SysUtils;

// ============================================================================
// Depth and custom axes
// ============================================================================

KV_CLASS_IMPL(TChartDepthAxis, TChartAxis) {}

TChartDepthAxis::TChartDepthAxis(TCollection* Collection, TAxisChart* Chart) : TChartAxis(Collection, Chart) {
  DepthAxisFlag = true;
}

TAxisLabelStyle TChartDepthAxis::CalcLabelStyle() const {
  if (GetLabelStyle() != talAuto) return GetLabelStyle();
  auto* chart = dynamic_cast<TSeriesChart*>(ParentChart());
  if (!chart) return talText;
  TChartSeriesList& list = chart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s->GetActive() && (s->HasZValues || s->LargestZ() != s->SmallestZ())) return talValue;
  }
  return talText;
}

void TChartDepthAxis::SetInverted(bool Value) {
  TChartAxis::SetInverted(Value);
  auto* chart = dynamic_cast<TCustomAxisPanel*>(ParentChart());
  if (!chart) return;
  TChartDepthAxis* other = this == chart->DepthAxis()      ? chart->DepthTopAxis()
                           : this == chart->DepthTopAxis() ? chart->DepthAxis()
                                                           : nullptr;
  if (other) other->SetInvertedField(Value);
}

// ---- the chart's view of its axes list -------------------------------------

TCustomAxisPanel& TChartAxes::RequireChart() const {
  if (!FChart) throw ChartException("The axes list belongs to no chart");
  return *FChart;
}

TChartAxis* TChartAxes::Left() const { return RequireChart().LeftAxis(); }
TChartAxis* TChartAxes::Top() const { return RequireChart().TopAxis(); }
TChartAxis* TChartAxes::Right() const { return RequireChart().RightAxis(); }
TChartAxis* TChartAxes::Bottom() const { return RequireChart().BottomAxis(); }
TChartDepthAxis* TChartAxes::Depth() const { return RequireChart().DepthAxis(); }
TChartDepthAxis* TChartAxes::DepthTop() const { return RequireChart().DepthTopAxis(); }
bool TChartAxes::GetBehind() const { return RequireChart().GetAxisBehind(); }
void TChartAxes::SetBehind(bool Value) { RequireChart().SetAxisBehind(Value); }
bool TChartAxes::GetVisible() const { return RequireChart().GetAxisVisible(); }
void TChartAxes::SetVisible(bool Value) { RequireChart().SetAxisVisible(Value); }

KV_CLASS_IMPL(TChartCustomAxes, TCollection) {}

TChartCustomAxes::TChartCustomAxes(TCustomAxisPanel* Chart)
    : TCollection(
          TChartAxis::StaticClass(),
          [Chart](TCollection* c) -> TCollectionItem* { return Create<TChartAxis>(c, static_cast<TAxisChart*>(Chart)); },
          Chart) {}

// ============================================================================
// Construction
// ============================================================================

KV_CLASS_IMPL(TCustomAxisPanel, TCustomPlotPanelExtended) {
  c.Property("AxisBehind", &TCustomAxisPanel::GetAxisBehind, &TCustomAxisPanel::SetAxisBehind).Default(true);
  c.Property("AxisVisible", &TCustomAxisPanel::GetAxisVisible, &TCustomAxisPanel::SetAxisVisible).Default(true);
  c.Property("Chart3DPercent", &TCustomAxisPanel::GetChart3DPercent, &TCustomAxisPanel::SetChart3DPercent)
      .Default(15);
  c.Property("ClipPoints", &TCustomAxisPanel::GetClipPoints, &TCustomAxisPanel::SetClipPoints).Default(true);
  c.Property("MaxPointsPerPage", &TCustomAxisPanel::GetMaxPointsPerPage, &TCustomAxisPanel::SetMaxPointsPerPage)
      .Default(0);
  c.Property("Page", &TCustomAxisPanel::GetPage, &TCustomAxisPanel::SetPage).Default(1);
  c.Property("ScaleLastPage", &TCustomAxisPanel::GetScaleLastPage, &TCustomAxisPanel::SetScaleLastPage)
      .Default(true);
  c.Property("View3DWalls", &TCustomAxisPanel::GetView3DWalls, &TCustomAxisPanel::SetView3DWalls).Default(true);
}

TCustomAxisPanel::TCustomAxisPanel(TComponent* Owner) : TCustomPlotPanelExtended(Owner) {
  AutoRepaint = false;
  FSeriesList = std::make_unique<TChartSeriesList>(this);
  FCustomAxes = std::make_unique<TChartCustomAxes>(this);
  FBottomAxis = Create<TChartAxis>(nullptr, static_cast<TAxisChart*>(this), true);
  FTopAxis = Create<TChartAxis>(nullptr, static_cast<TAxisChart*>(this), true, true);
  FTopAxis->SetZPosition(100);
  FTopAxis->Grid()->SetZPosition(100);
  FTopAxis->Grid()->DefaultZPosition = 100;
  FLeftAxis = Create<TChartAxis>(nullptr, static_cast<TAxisChart*>(this), false);
  FLeftAxis->Title()->SetAngle(90);
  FRightAxis = Create<TChartAxis>(nullptr, static_cast<TAxisChart*>(this), false, true);
  FRightAxis->Title()->SetAngle(270);
  FRightAxis->SetZPosition(100);
  FRightAxis->Grid()->SetZPosition(100);
  FRightAxis->Grid()->DefaultZPosition = 100;
  FDepthAxis = Create<TChartDepthAxis>(nullptr, static_cast<TAxisChart*>(this));
  FDepthAxis->SetVisible(false);
  FDepthAxis->SetOtherSide(true);
  FDepthTopAxis = Create<TChartDepthAxis>(nullptr, static_cast<TAxisChart*>(this));
  FDepthTopAxis->SetVisible(false);
  AutoRepaint = true;
}

void TCustomAxisPanel::BeforeDestruction() {
  Destroying();
  FreeAllSeries();
  // Tools bound to an axis forget it (without leaving the chart or repainting)
  // before the axes go; the chart then frees its tools with its tool list.
  for (int32_t i = 0; i < FTools.Count(); ++i)
    if (auto* t = dynamic_cast<TPlotCustomToolAxis*>(FTools.ToolAt(i))) t->AxisFreed(t->GetAxis());
  FTools.Clear();
  TCustomPlotPanelExtended::BeforeDestruction();
}

TCustomAxisPanel::~TCustomAxisPanel() {
  FAxes.Clear();  // every axis, the custom ones too (they leave their collection)
  FCustomAxes.reset();
  FSeriesList.reset();
}

void TCustomAxisPanel::AttachEditor(TComponent* Editor, TNotifyEvent OnChange) {
  FEditor = Editor;
  FEditorChange = Editor ? std::move(OnChange) : TNotifyEvent();
}

void TCustomAxisPanel::DetachEditor(const TComponent* Editor) {
  if (!Editor || FEditor.Get() != Editor) return;
  FEditor = nullptr;
  FEditorChange = nullptr;
}

void TCustomAxisPanel::EditorChanged() {
  if (FTellingEditor || !FEditor || !FEditorChange || ComponentState.Contains(TComponentStateItem::csDestroying))
    return;
  const TRestore<bool> Telling(FTellingEditor, true);
  // A copy: the notification may attach another editor or detach this one.
  const TNotifyEvent Change = FEditorChange;
  Change(this);
}

void TCustomAxisPanel::FreeAllSeries(TClass SeriesClass) {
  for (int32_t i = SeriesCount() - 1; i >= 0; --i) {
    if (i >= SeriesCount()) continue;
    TChartSeries* s = GetSeries(i);
    if (SeriesClass && !s->InheritsFrom(SeriesClass)) continue;
    s->SetParentChart(nullptr);
    s->Free();
  }
}

void TCustomAxisPanel::Assign(const TPersistent* Source) {
  if (auto* p = dynamic_cast<const TCustomAxisPanel*>(Source)) {
    FChart3DPercent = p->FChart3DPercent;
    FAxisBehind = p->FAxisBehind;
    FAxisVisible = p->FAxisVisible;
    FBottomAxis->Assign(p->FBottomAxis);
    FClipPoints = p->FClipPoints;
    ColorPalette = p->ColorPalette;
    SetCustomAxes(p->FCustomAxes.get());
    FLeftAxis->Assign(p->FLeftAxis);
    FDepthAxis->Assign(p->FDepthAxis);
    FDepthTopAxis->Assign(p->FDepthTopAxis);
    FMaxPointsPerPage = p->FMaxPointsPerPage;
    FPage = p->FPage;
    FRightAxis->Assign(p->FRightAxis);
    FScaleLastPage = p->FScaleLastPage;
    FTopAxis->Assign(p->FTopAxis);
    FView3DWalls = p->FView3DWalls;
  }
  TCustomPlotPanelExtended::Assign(Source);
}

void TCustomAxisPanel::SetCustomAxes(const TChartCustomAxes* Value) {
  if (!Value || Value == FCustomAxes.get()) return;
  // Items are rebuilt so that each joins this chart's axes list.
  FCustomAxes->Clear();
  for (int32_t i = 0; i < Value->Count(); ++i) FCustomAxes->AddAxis()->Assign(Value->GetAxis(i));
  Invalidate();
}

// ============================================================================
// Series list
// ============================================================================

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* Series) {
  if (Series) Series->SetParentChart(this);
  return Series;
}

TChartSeries* TCustomAxisPanel::AddSeriesOfClass(TClass SeriesClass) {
  if (!SeriesClass || !SeriesClass->InheritsFrom(TChartSeries::StaticClass()))
    throw ChartException(Format("%s is not a series class.", {SeriesClass ? SeriesClass->ClassName() : "nil"}));
  auto* s = static_cast<TChartSeries*>(SeriesClass->CreateInstance(Owner()));
  return AddSeries(s);
}

void TCustomAxisPanel::InternalAddSeries(TChartSeries* Series) {
  if (!Series || FSeriesList->IndexOf(Series) >= 0) return;
  Series->AddedToChart();
  FSeriesList->Add(Series);
  BroadcastSeriesEvent(Series, 0);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) { RemoveSeriesAt(FSeriesList->IndexOf(Series)); }

void TCustomAxisPanel::RemoveSeriesAt(int32_t Index) {
  if (Index < 0) return;
  TChartSeries* s = GetSeries(Index);
  BroadcastSeriesEvent(s, 1);
  s->RemovedFromChart();
  FSeriesList->Delete(Index);
  Invalidate();
}

void TCustomAxisPanel::SwapInGroups(TChartSeries* A, TChartSeries* B) {
  TSeriesGroups& groups = FSeriesList->Groups();
  const int32_t g = groups.GroupOfSeries(A);
  if (g < 0) return;
  TCustomSeriesList& members = groups.GetGroup(g)->Series();
  const int32_t ia = members.IndexOf(A), ib = members.IndexOf(B);
  if (ib >= 0) members.Exchange(ia, ib);
}

void TCustomAxisPanel::ExchangeSeries(int32_t Index1, int32_t Index2) {
  TChartSeries* a = GetSeries(Index1);
  TChartSeries* b = GetSeries(Index2);
  FSeriesList->Exchange(Index1, Index2);
  if (a->Owner() && a->Owner() == b->Owner()) {
    const int ia = a->GetComponentIndex(), ib = b->GetComponentIndex();
    a->SetComponentIndex(ib);
    b->SetComponentIndex(ia);
  }
  SwapInGroups(a, b);
  BroadcastSeriesEvent(nullptr, 4);
  Invalidate();
}

void TCustomAxisPanel::ExchangeSeriesPair(TChartSeries* Series1, TChartSeries* Series2) {
  ExchangeSeries(FSeriesList->IndexOf(Series1), FSeriesList->IndexOf(Series2));
}

void TCustomAxisPanel::MoveSeriesToLast(TChartSeries* Series) { MoveSeriesToLastAt(FSeriesList->IndexOf(Series)); }

void TCustomAxisPanel::MoveSeriesToLastAt(int32_t Index) {
  GetSeries(Index);
  for (int32_t i = Index; i < SeriesCount() - 1; ++i) {
    TChartSeries* a = GetSeries(i);
    TChartSeries* b = GetSeries(i + 1);
    FSeriesList->Exchange(i, i + 1);
    if (a->Owner() && a->Owner() == b->Owner()) {
      const int ia = a->GetComponentIndex(), ib = b->GetComponentIndex();
      a->SetComponentIndex(ib);
      b->SetComponentIndex(ia);
    }
    SwapInGroups(a, b);
  }
  BroadcastSeriesEvent(nullptr, 4);
  Invalidate();
}

int32_t TCustomAxisPanel::CountActiveSeries() const {
  int32_t n = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) ++n;
  return n;
}

int32_t TCustomAxisPanel::MaxPointCount() const {
  int32_t n = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) n = std::max(n, GetSeries(i)->Count());
  return n;
}

bool TCustomAxisPanel::CheckMouseOverSeries(int32_t X, int32_t Y) {
  bool any = false;
  for (int32_t i = SeriesCount() - 1; i >= 0; --i)
    if (GetSeries(i)->GetActive() && GetSeries(i)->CheckMouse(X, Y)) any = true;
  return any;
}

// ============================================================================
// Events
// ============================================================================

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeries* Series, int32_t Code) {
  TPlotSeriesEvent e;
  e.Sender = this;
  e.Event = Code;
  e.Series = Series;
  BroadcastEvent(e);
}

void TCustomAxisPanel::BroadcastToolEvent(int32_t Code) {
  // A tool may leave the chart while it handles the event.
  std::vector<TPlotCustomTool*> tools;
  for (int32_t i = 0; i < FTools.Count(); ++i) tools.push_back(FTools.ToolAt(i));
  for (TPlotCustomTool* t : tools)
    if (FTools.IndexOf(t) >= 0 && t->GetActive()) t->HandleChartEvent(Code);
}

void TCustomAxisPanel::MouseLeave() {
  TCustomPlotPanelExtended::MouseLeave();
  BroadcastToolEvent(5);
}

// ============================================================================
// Colours
// ============================================================================

TColor TCustomAxisPanel::GetDefaultColor(int32_t Index) {
  const int32_t i = std::abs(Index);
  if (!ColorPalette.empty()) return ColorPalette[i % ColorPalette.size()];
  if (PlotProcs::ColorPalette.empty()) PlotProcs::SetDefaultPalette();
  return PlotProcs::ColorPalette[i % PlotProcs::ColorPalette.size()];
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor Color, bool CheckBackground, TChartSeries* Series) {
  // A colour is free when no other series shows it, its remembered palette
  // colour included, and it differs from the background.
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (s != Series && s->GetSeriesColor() == Color) return false;
  }
  return !(CheckBackground && Color == GetColor());
}

TColor TCustomAxisPanel::FreeSeriesColor(bool CheckBackground, TChartSeries* Series) {
  const int32_t n = ColorPalette.empty() ? static_cast<int32_t>(PlotProcs::ColorPalette.size())
                                         : static_cast<int32_t>(ColorPalette.size());
  for (int32_t i = 0; i < n; ++i) {
    const TColor c = GetDefaultColor(i);
    if (IsFreeSeriesColor(c, CheckBackground, Series)) return c;
  }
  return GetDefaultColor(std::max(0, n - 1));
}

void TCustomAxisPanel::AssignFreeSeriesColors() {
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (s->GetRawSeriesColor() == clDefault) s->SetDefaultColor(FreeSeriesColor(true, s));
  }
}

// ============================================================================
// Paging
// ============================================================================

int32_t TCustomAxisPanel::AxisPageCount(const TChartAxis* Axis) const {
  int32_t n = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (s->GetActive() && s->AssociatedToAxis(Axis)) n = std::max(n, s->Count());
  }
  if (n == 0) return 1;
  return static_cast<int32_t>((static_cast<int64_t>(n) + FMaxPointsPerPage - 1) / FMaxPointsPerPage);
}

int32_t TCustomAxisPanel::NumPages() {
  if (FMaxPointsPerPage < 1 || SeriesCount() == 0) return 1;
  const bool yMandatory = GetSeries(0)->GetYMandatory();
  const TChartAxis* a = yMandatory ? FTopAxis : FLeftAxis;
  const TChartAxis* b = yMandatory ? FBottomAxis : FRightAxis;
  return std::max(AxisPageCount(a), AxisPageCount(b));
}

void TCustomAxisPanel::SetPage(int32_t Value) {
  Value = std::max(1, std::min(Value, NumPages()));
  if (Value == FPage) return;
  FPage = Value;
  Invalidate();
  BroadcastEventOfClass<TChartChangePage>();
  if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int32_t Value) {
  if (Value < 0) throw ChartException(PlotConst::MsgMaxPointsPerPage);
  FMaxPointsPerPage = Value;
  Invalidate();
  if (NumPages() < FPage) FPage = NumPages();
  BroadcastEventOfClass<TChartChangePage>();
}

void TCustomAxisPanel::PrintPages(int32_t FromPage, int32_t ToPage) {
  TPrinter& printer = Printer();
  if (!GetName().empty()) printer.Title = GetName();
  if (FromPage == 0) FromPage = 1;
  if (ToPage == 0) ToPage = NumPages();
  const int32_t remembered = FPage;
  printer.BeginDoc();
  try {
    TRect r;
    for (int32_t p = FromPage; p <= ToPage; ++p) {
      SetPage(p);
      PrintPageRect(r);
      PrintOnPrinter(r);
      if (p < ToPage) printer.NewPage();
    }
  } catch (...) {
    SetPage(remembered);
    printer.Abort();
    if (printer.Printing()) printer.EndDoc();
    throw;
  }
  SetPage(remembered);
  printer.EndDoc();
}

// ============================================================================
// Axis queries
// ============================================================================

bool TCustomAxisPanel::NoActiveSeriesOnAxis(const TChartAxis& Axis) const {
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive() && GetSeries(i)->AssociatedToAxis(&Axis)) return false;
  return true;
}

TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(const TChartAxis& Axis) const {
  const bool all = NoActiveSeriesOnAxis(Axis);
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if ((all || s->GetActive()) && s->AssociatedToAxis(&Axis)) return s;
  }
  return nullptr;
}

TChartSeries* TCustomAxisPanel::SeriesWithMostPointsOnAxis(const TChartAxis& Axis) const {
  const bool all = NoActiveSeriesOnAxis(Axis);
  TChartSeries* best = nullptr;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if ((all || s->GetActive()) && s->AssociatedToAxis(&Axis) && (!best || s->Count() > best->Count())) best = s;
  }
  return best;
}

bool TCustomAxisPanel::IsPagedAxis(const TChartAxis& Axis, const TChartSeries* First) const {
  if (FMaxPointsPerPage <= 0) return false;
  const bool alongX = !First || First->GetYMandatory();
  return Axis.GetHorizontal() == alongX;
}

double TCustomAxisPanel::AxisExtreme(const TChartAxis& Axis, bool Max) {
  if (Axis.IsDepthAxis()) {
    if (Axis.GetLabelStyle() == talValue) {
      if (SeriesCount() == 0) return 0;
      bool any = false;
      double r = 0;
      for (int32_t i = 0; i < SeriesCount(); ++i) {
        TChartSeries* s = GetSeries(i);
        if (!s->GetActive()) continue;
        const double v = Max ? s->LargestZ() : s->SmallestZ();
        if (!any || (Max ? v > r : v < r)) r = v;
        any = true;
      }
      return r;
    }
    return Max ? MaxZOrder + 0.5 : -0.5;
  }
  const bool horizontal = Axis.GetHorizontal();
  TChartSeries* first = FirstSeriesOnAxis(Axis);
  if (IsPagedAxis(Axis, first)) {
    TChartSeries* p = SeriesWithMostPointsOnAxis(Axis);
    if (!p || p->Count() == 0) return 0;
    int32_t f = 0, l = 0;
    p->CalcFirstLastPage(f, l);
    const TChartValueList& v = horizontal ? *p->XValues() : *p->YValues();
    if (!Max) return v[f];
    double mx = v[l];
    const int32_t d = l - f + 1;
    if (!FScaleLastPage && d < FMaxPointsPerPage) {
      if (v[l] == v[f])
        mx = v[f] + static_cast<double>(FMaxPointsPerPage) / d;
      else
        mx = v[f] + (v[l] - v[f]) * FMaxPointsPerPage / d;
    }
    return mx;
  }
  const bool all = NoActiveSeriesOnAxis(Axis);
  bool any = false;
  double r = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!(all || s->GetActive()) || s->Count() == 0) continue;
    if (horizontal ? s->ExcludeFromXAuto : s->ExcludeFromYAuto) continue;
    const bool bound = horizontal ? (s->GetHorizAxis() == aBothHorizAxis || s->GetHorizAxisRef() == &Axis)
                                  : (s->GetVertAxis() == aBothVertAxis || s->GetVertAxisRef() == &Axis);
    if (!bound) continue;
    const double v = horizontal ? (Max ? s->LargestX() : s->SmallestX()) : (Max ? s->LargestY() : s->SmallestY());
    if (!any || (Max ? v > r : v < r)) r = v;
    any = true;
  }
  return r;
}

bool TCustomAxisPanel::IsAxisVisible(const TChartAxis& Axis) {
  if (!FAxisVisible || !Axis.GetVisible()) return false;
  if (Axis.IsDepthAxis()) return GetView3D();
  return AxisHasSeries(Axis, true);
}

bool TCustomAxisPanel::AxisHasSeries(const TChartAxis& Axis, bool Default) {
  // The default holds only when no active series decides.
  bool decided = false;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetActive()) continue;
    if (!s->UseAxis()) return false;
    if (s->AssociatedToAxis(&Axis)) return true;
    decided = true;
  }
  return decided ? false : Default;
}

bool TCustomAxisPanel::IsAxisDrawn(const TChartAxis& Axis) const {
  return std::find(FDrawnAxes.begin(), FDrawnAxes.end(), &Axis) != FDrawnAxes.end();
}

void TCustomAxisPanel::SetAxisDrawn(const TChartAxis& Axis, bool Drawn) {
  std::erase(FDrawnAxes, &Axis);
  if (Drawn) FDrawnAxes.push_back(&Axis);
}

int32_t TCustomAxisPanel::MaxMarkWidth() const {
  int32_t w = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->GetActive()) w = std::max(w, GetSeries(i)->MaxMarkWidth());
  return w;
}

int32_t TCustomAxisPanel::MultiLineTextWidth(const std::string& Text, int32_t& Lines) {
  Lines = 0;
  if (Text.empty()) return 0;
  int32_t widest = 0;
  size_t start = 0;
  while (true) {
    const size_t end = Text.find('\r', start);
    const std::string piece = Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    widest = std::max(widest, Canvas()->TextWidth(piece));
    ++Lines;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return widest;
}

int32_t TCustomAxisPanel::MaxLabelsWidth() {
  int32_t w = 0, lines = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    for (int32_t k = 0; k < s->Labels().Count(); ++k) w = std::max(w, MultiLineTextWidth(s->Labels().GetLabel(k), lines));
  }
  return w;
}

bool TCustomAxisPanel::AxisIsDateTime(const TChartAxis& Axis) {
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetActive()) continue;
    if (TChartValueList* l = s->ValueListForAxis(&Axis)) return l->GetDateTime();
  }
  return false;
}

bool TCustomAxisPanel::AxisHasSeriesWithAtMost(const TChartAxis& Axis, int32_t Count) {
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetActive() || !s->AssociatedToAxis(&Axis)) continue;
    // Only series whose positions run along this axis count.
    if (Axis.GetHorizontal() == s->GetYMandatory() && s->Count() <= Count) return true;
  }
  return false;
}

void TCustomAxisPanel::AxisFreed(TChartAxis& Axis) {
  for (int32_t i = 0; i < SeriesCount(); ++i) GetSeries(i)->AxisFreed(&Axis);
  for (int32_t i = 0; i < FTools.Count(); ++i)
    if (auto* t = dynamic_cast<TPlotCustomToolAxis*>(FTools.ToolAt(i))) t->AxisFreed(&Axis);
  std::erase(FDrawnAxes, &Axis);
  if (&Axis == FBottomAxis) FBottomAxis = nullptr;
  if (&Axis == FTopAxis) FTopAxis = nullptr;
  if (&Axis == FLeftAxis) FLeftAxis = nullptr;
  if (&Axis == FRightAxis) FRightAxis = nullptr;
  if (&Axis == FDepthAxis) FDepthAxis = nullptr;
  if (&Axis == FDepthTopAxis) FDepthTopAxis = nullptr;
}

int32_t TCustomAxisPanel::CustomAxisIndex(const TChartAxis* Axis) const {
  for (int32_t i = 0; i < FCustomAxes->Count(); ++i)
    if (FCustomAxes->GetAxis(i) == Axis) return i;
  return -1;
}

TChartAxis* TCustomAxisPanel::CustomAxisAt(int32_t Index) const {
  if (Index < 0 || Index >= FCustomAxes->Count())
    throw ChartException(Format("CustomAxes: index %d out of bounds (0 to %d).", {Index, FCustomAxes->Count() - 1}));
  return FCustomAxes->GetAxis(Index);
}

// ============================================================================
// Legend queries
// ============================================================================

TChartSeries* TCustomAxisPanel::LegendSeries(int32_t Index, bool OnlyShown) const {
  int32_t n = 0;
  for (int32_t i = 0; i < SeriesCount(); ++i) {
    TChartSeries* s = GetSeries(i);
    if (!s->GetShowInLegend()) continue;
    if (OnlyShown) {
      const bool shown = LegendMode == 1   ? !s->ExcludeFromXAuto
                         : LegendMode == 2 ? !s->ExcludeFromYAuto
                                           : s->GetActive();
      if (!shown) continue;
    }
    if (n == Index) return s;
    ++n;
  }
  return nullptr;
}

void TCustomAxisPanel::LegendSeriesText(int32_t Index, bool OnlyShown, std::string& Text) const {
  TChartSeries* s = LegendSeries(Index, OnlyShown);
  Text = s ? PlotEngine::SeriesTitleOrName(s) : std::string();
}

void TCustomAxisPanel::GetLegendText(TChartSeries*, int32_t, std::string& Text) { Text.clear(); }

void TCustomAxisPanel::DrawLegendSymbolRect(const TRect& Rect) {
  TPlotCanvas3D* c = Canvas();
  c->RectangleRect(Rect);
  if (c->Brush->GetColor() == LegendBackColor) {
    // A symbol in the legend's own colour is outlined so that it stays visible.
    const TColor oldPen = c->Pen->GetColor();
    if (c->Brush->GetColor() == clBlack) c->Pen->SetColor(clWhite);
    c->Brush->SetStyle(bsClear);
    c->RectangleRect(Rect);
    c->Pen->SetColor(oldPen);
  }
}

void TCustomAxisPanel::SetBrushCanvas(TColor Color, TChartBrush* Brush, TColor BackColor) {
  if (Brush) UseBrushOnBack(Color, *Brush, BackColor);
}

// ============================================================================
// Data refresh and sources
// ============================================================================

void TCustomAxisPanel::RefreshSeriesData(TChartSeries* Series) {
  if (!Series || Series->ComponentState.Contains(TComponentStateItem::csLoading)) return;
  TComponent* ds = Series->GetDataSource();
  if (auto* src = dynamic_cast<TChartSeries*>(ds)) {
    Series->AddValues(src);
  } else if (auto* comp = dynamic_cast<TPlotSeriesSource*>(ds)) {
    comp->RefreshIfActive();
  } else if (TPlotFunction* f = Series->GetFunction(); f && Series->GetActive()) {
    Series->BeginUpdate();
    try {
      Series->Clear();
      if (f->NoSourceRequired)
        f->CalculateWithoutSource();
      else
        f->Recalculate();
    } catch (...) {
      Series->EndUpdate();
      throw;
    }
    Series->EndUpdate();
  } else if (!Series->ManualData && Series->UsesSampleValues()) {
    Series->FillSampleValues(Series->NumSampleValues());
  }
}

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* Series, TComponent* Source) {
  if (Series && Series->AcceptsDataSource(Source)) return true;
  return dynamic_cast<TPlotSeriesSource*>(Source) && TPlotSeriesSource::Available(this);
}

void TCustomAxisPanel::DataSourceRemoved(TChartSeries* Series, TComponent* Source) {
  auto* src = dynamic_cast<TPlotSeriesSource*>(Source);
  if (src && Series && Series->GetDataSource() == Source && src->GetSeries() == Series) src->SetSeries(nullptr);
}

void TCustomAxisPanel::CheckCircularSource(TComponent* Component, TChartSeries* Series) {
  PlotEngine::CheckCircularSource(Component, Series);
}

// ============================================================================
// Settings, 3-D size and draw hooks
// ============================================================================

void TCustomAxisPanel::SetChart3DPercent(int32_t Value) {
  if (Value < 1 || Value > 100) throw Exception(Format(PlotConst::Msg3DPercent, {1, 100}));
  SetIntegerField(FChart3DPercent, Value);
}

void TCustomAxisPanel::CalcSize3D() {
  if (!GetView3D()) {
    SeriesWidth3D = SeriesHeight3D = Width3D = Height3D = 0;
    return;
  }
  const TView3DOptions& o = *View3DOptions();
  double a = FChart3DPercent * 0.001;
  if (!o.GetOrthogonal()) a *= 2;
  SeriesWidth3D = Pixels::Round(ChartWidth * a);
  double r = 1;
  if (o.GetOrthogonal()) {
    double angle = o.GetOrthoAngle();
    if (angle > 90) angle = 180 - angle;
    r = std::tan(angle * M_PI / 180);
  }
  if (r > 1) SeriesWidth3D = Pixels::Round(SeriesWidth3D / r);
  SeriesHeight3D = Pixels::Round(SeriesWidth3D * r);
  const int32_t k = UseZOrder ? std::max(1, MaxZOrder + 1) : 1;
  Height3D = k * SeriesHeight3D;
  Width3D = k * SeriesWidth3D;
}

void TCustomAxisPanel::CalcSeenFromBehind() {
  const TView3DOptions& o = *View3DOptions();
  SeenFromBehind = GetView3D() && (o.GetOrthogonal() ? o.GetOrthoAngle() > 90 : o.GetRotation() < 180);
}

void TCustomAxisPanel::FireAfterDraw() {
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::FireBeforeDrawAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
}

void TCustomAxisPanel::FireBeforeDrawChart() {
  if (OnBeforeDrawChart) OnBeforeDrawChart(this);
}

void TCustomAxisPanel::FireBeforeDrawSeries() {
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
}
