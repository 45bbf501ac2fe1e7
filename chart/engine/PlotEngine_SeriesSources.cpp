// Series functions and their period windows, data sources of a series, the
// data-source component base, series groups and the unit routines that the
// editors and the stored form use.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"

using namespace SysUtils;
#include "platform/ui/Forms.h"

namespace {

[[noreturn]] void PeriodTooSmall(double Value) {
  throw ChartException(
      Format("Function Period %s is too small: it must be 0 or count at least one point.", {FloatToStr(Value)}));
}

}  // namespace

// ============================================================================
// TPlotFunction
// ============================================================================

KV_CLASS_IMPL(TPlotFunction, TComponent) {
  c.Property("Period", &TPlotFunction::GetPeriod, &TPlotFunction::SetPeriod).Default(0.0);
  c.Property("PeriodAlign", &TPlotFunction::GetPeriodAlign, &TPlotFunction::SetPeriodAlign)
      .Names({"paFirst", "paCenter", "paLast"})
      .Default(paCenter);
  c.Property("PeriodStyle", &TPlotFunction::GetPeriodStyle, &TPlotFunction::SetPeriodStyle)
      .Names({"psNumPoints", "psRange"})
      .Default(psNumPoints);
  c.Editor("TPlotFunctionEditor");
}

TPlotFunction::TPlotFunction(TComponent* Owner) : TComponent(Owner) {}

void TPlotFunction::BeforeDestruction() {
  if (FParent) {
    TChartSeries* p = FParent;
    FParent = nullptr;
    p->DetachFunction(this);
  }
  TComponent::BeforeDestruction();
}

void TPlotFunction::Assign(const TPersistent* Source) {
  if (auto* f = dynamic_cast<const TPlotFunction*>(Source)) {
    FPeriod = f->FPeriod;
    FPeriodStyle = f->FPeriodStyle;
    FPeriodAlign = f->FPeriodAlign;
  }
}

void TPlotFunction::EndUpdate() {
  if (FUpdating) {
    FUpdating = false;
    Recalculate();
  }
}

void TPlotFunction::Recalculate() {
  if (!FUpdating && FParent) FParent->CheckDataSource();
}

void TPlotFunction::SetPeriod(double Value) {
  if (Value < 0 || std::isnan(Value)) throw ChartException(PlotConst::MsgFunctionPeriod);
  CheckPeriod(Value);
  if (FPeriod != Value) {
    FPeriod = Value;
    Recalculate();
  }
}

void TPlotFunction::SetPeriodAlign(TFunctionPeriodAlign Value) {
  if (FPeriodAlign != Value) {
    FPeriodAlign = Value;
    Recalculate();
  }
}

void TPlotFunction::SetPeriodStyle(TFunctionPeriodStyle Value) {
  if (Value == psNumPoints && FPeriod != 0 && !(std::nearbyint(FPeriod) >= 1)) PeriodTooSmall(FPeriod);
  if (FPeriodStyle != Value) {
    FPeriodStyle = Value;
    Recalculate();
  }
}

void TPlotFunction::SetParentSeries(TChartSeries* Series) {
  if (Series == FParent) return;
  if (FParent) {
    TChartSeries* old = FParent;
    FParent = nullptr;
    old->DetachFunction(this);
  }
  if (Series) Series->SetFunction(this);
}

TChartValueList* TPlotFunction::ValueList(TChartSeries* Source) const {
  if (FParent) {
    const std::string& vs = FParent->MandatoryList()->GetValueSource();
    if (!vs.empty()) return Source->ValueListByName(vs);
  }
  return Source->MandatoryList();
}

int32_t TPlotFunction::AddFunctionXY(bool SourceYMandatory, double Value, double Position) {
  if (!FParent) return -1;
  if (SourceYMandatory) return FParent->AppendPoint(Position, Value, {}, clDefault);
  return FParent->AppendPoint(Value, Position, {}, clDefault);
}

void TPlotFunction::PrepareForGallery(TSeriesChart* Chart) {
  if (!Chart) return;
  TChartSeriesList& list = Chart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) list.GetSeries(i)->PrepareForGallery(true);
}

void TPlotFunction::CheckPeriod(double Value) const {
  // A window of no points never advances.
  if (FPeriodStyle == psNumPoints && Value != 0 && !(std::nearbyint(Value) >= 1)) PeriodTooSmall(Value);
}

int32_t TPlotFunction::PointPeriod() const {
  const double k = std::nearbyint(FPeriod);
  if (!(k >= 1)) PeriodTooSmall(FPeriod);
  return k > 2147483647.0 ? 2147483647 : static_cast<int32_t>(k);
}

void TPlotFunction::AddPoints(TChartSeries* Source) {
  if (FUpdating || !Source || !FParent) return;
  const TDataSourcesList& sources = FParent->DataSources();
  if (sources.Count() > 1) {
    TChartSeries* driver = Source;
    for (auto* c : sources.Items())
      if (auto* s = dynamic_cast<TChartSeries*>(c); s && s->Count() > driver->Count()) driver = s;
    for (int32_t j = 0; j < driver->Count(); ++j) {
      double position = driver->NotMandatoryList()->GetValue(j);
      double value = CalculateMany(sources, j);
      if (!driver->GetYMandatory()) std::swap(position, value);
      FParent->AppendPoint(position, value, driver->Labels().GetLabel(j), clDefault);
    }
  } else if (Source->Count() > 0) {
    CalculateFromSource(Source, Source->NotMandatoryList());
  }
}

void TPlotFunction::CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList) {
  if (FPeriod != 0)
    CalculateByPeriod(Source, ValueList);
  else
    CalculateAllPoints(Source, ValueList);
}

void TPlotFunction::CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double Position) {
  AddFunctionXY(Source->GetYMandatory(), Calculate(Source, First, Last), Position);
}

void TPlotFunction::CalculateAllPoints(TChartSeries* Source, TChartValueList* ValueList) {
  const double value = Calculate(Source, -1, -1);
  if (FParent->FunctionAsOnePoint) {
    const double centre = ValueList->MinValue() + ValueList->Range() / 2;
    if (FParent->GetYMandatory())
      FParent->AppendPoint(centre, value, {}, clDefault);
    else
      FParent->AppendPoint(value, centre, {}, clDefault);
  } else {
    AddFunctionXY(Source->GetYMandatory(), value, ValueList->MinValue());
    AddFunctionXY(Source->GetYMandatory(), value, ValueList->MaxValue());
  }
}

void TPlotFunction::CalculateByPeriod(TChartSeries* Source, TChartValueList* ValueList) {
  const int32_t n = Source->Count();
  if (n == 0) return;
  const bool numPoints = FPeriodStyle == psNumPoints;
  const int32_t k = numPoints ? PointPeriod() : 0;
  TChartAxis* axis = FParent->GetHorizAxisRef();
  int32_t i = 0;
  double t = ValueList->GetValue(0);
  while (i <= n - 1) {
    int32_t last;
    double firstPos, lastPos;
    if (numPoints) {
      last = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(k) + i - 1, n));
      firstPos = ValueList->GetValue(i);
      lastPos = last < n ? ValueList->GetValue(last) : 0;
    } else {
      firstPos = t;
      double next = t + FPeriod;
      if (axis && axis->IsDateTime() && axis->GetExactDateTime()) {
        const int step = PlotProcs::NearestDateTimeStep(FPeriod);
        if (step >= PlotProcs::dtHalfMonth && step < PlotProcs::dtNone) {
          next = t;
          PlotProcs::IncDecDateTime(true, true, next, step, FPeriod);
        }
      }
      // A period too small to move the range end would never finish.
      if (!(next > t)) return;
      t = next;
      lastPos = t - FPeriod * 0.001;
      last = i;
      while (last < n - 1 && ValueList->GetValue(last + 1) < t) ++last;
    }
    const bool holdsPoints = numPoints || ValueList->GetValue(i) < t;
    if (last < n) {
      double position = FPeriodAlign == paFirst ? firstPos
                        : FPeriodAlign == paLast ? lastPos
                                                 : (firstPos + lastPos) / 2;
      if (holdsPoints)
        CalculatePeriod(Source, i, last, position);
      else
        AddFunctionXY(Source->GetYMandatory(), 0, position);
    }
    if (holdsPoints) i = last + 1;
  }
}

// ============================================================================
// TPlotMovingFunction
// ============================================================================

KV_CLASS_IMPL(TPlotMovingFunction, TPlotFunction) {}

TPlotMovingFunction::TPlotMovingFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(1);
  SingleSource = true;
}

void TPlotMovingFunction::CheckPeriod(double Value) const {
  // The moving window needs at least one point, whatever the period style.
  if (!(std::nearbyint(Value) >= 1)) PeriodTooSmall(Value);
}

void TPlotMovingFunction::CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList) {
  const int32_t p = PointPeriod();
  for (int64_t i = p - 1; i < Source->Count(); ++i) {
    const auto ii = static_cast<int32_t>(i);
    const double value = Calculate(Source, ii - p + 1, ii);
    AddFunctionXY(Source->GetYMandatory(), value, ValueList->GetValue(ii));
  }
}

// ============================================================================
// Data sources of a series
// ============================================================================

TComponent* TDataSourcesList::Get(int32_t Index) const {
  if (Index < 0 || Index >= Count())
    throw ChartException(Format("DataSources: index %d out of bounds (0 to %d).", {Index, Count() - 1}));
  return FItems[Index];
}

int32_t TDataSourcesList::IndexOf(const TComponent* Component) const {
  auto it = std::find(FItems.begin(), FItems.end(), Component);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

int32_t TDataSourcesList::Add(TComponent* Component) { return FOwner->AddDataSource(Component, false); }

void TDataSourcesList::Delete(int32_t Index) {
  TComponent* c = Get(Index);
  FOwner->RemoveFreeNotification(c);
  if (auto* s = dynamic_cast<TChartSeries*>(c)) s->RemoveLinkedSeries(FOwner);
  FItems.erase(FItems.begin() + Index);
  FOwner->RemoveDataSource(c);
}

void TDataSourcesList::Clear() {
  FOwner->UnlinkFromSources();
  for (auto* c : FItems) FOwner->RemoveFreeNotification(c);
  FItems.clear();
  if (!FOwner->ManualData) FOwner->Clear();
}

TComponent* TChartSeries::GetDataSource() const {
  return FDataSources.Count() > 0 ? FDataSources.FItems[0] : nullptr;
}

void TChartSeries::SetDataSource(TComponent* Value) {
  if (Value)
    AddDataSource(Value, true);
  else
    FDataSources.Clear();
}

int32_t TChartSeries::AddDataSource(TComponent* Component, bool ClearFirst) {
  if (!Component) return -1;
  if (FParentChart) {
    if (!FParentChart->IsValidDataSource(this, Component))
      throw ChartException(Format(PlotConst::MsgInvalidDataSource,
                                  {Component->GetName().empty() ? Component->ClassName() : Component->GetName()}));
  } else if (!AcceptsDataSource(Component)) {
    throw ChartException(PlotConst::MsgNoParentChart);
  }
  if (FDataSources.IndexOf(Component) >= 0) return -1;
  if (dynamic_cast<TChartSeries*>(Component)) {
    if (FParentChart)
      FParentChart->CheckCircularSource(Component, this);
    else
      PlotEngine::CheckCircularSource(Component, this);
  }
  if (ClearFirst && !IsLoading()) FDataSources.Clear();
  const int32_t index = InternalAddDataSource(Component);
  CheckDataSource();
  return index;
}

int32_t TChartSeries::InternalAddDataSource(TComponent* Component) {
  if (!Component) return -1;
  FDataSources.FItems.push_back(Component);
  ManualData = false;
  FreeNotification(Component);
  if (auto* s = dynamic_cast<TChartSeries*>(Component)) {
    s->AddLinkedSeries(this);
  } else if (auto* src = dynamic_cast<TPlotSeriesSource*>(Component)) {
    TChartSeries* old = src->GetSeries();
    if (old != this) {
      const bool wasActive = src->GetActive();
      src->Close();
      if (old && src->Owner() == old) InsertComponent(src);
      if (old) std::erase(old->FDataSources.FItems, static_cast<TComponent*>(src));
      src->SetSeries(this);
      if (wasActive) src->Open();
    }
  }
  return FDataSources.Count() - 1;
}

void TChartSeries::RemoveDataSource(TComponent* Component) {
  if (IsDestroying()) return;
  if (FParentChart && GetDataSource()) FParentChart->DataSourceRemoved(this, Component);
  if (Component == GetDataSource()) {
    FDataSources.Clear();
  } else if (FDataSources.IndexOf(Component) >= 0) {
    RemoveFreeNotification(Component);
    if (auto* s = dynamic_cast<TChartSeries*>(Component)) s->RemoveLinkedSeries(this);
    std::erase(FDataSources.FItems, Component);
  }
  CheckDataSource();
}

bool TChartSeries::AcceptsDataSource(TComponent* Component) const {
  auto* s = dynamic_cast<TChartSeries*>(Component);
  return s && s != this && FunctionAcceptsSource(s);
}

bool TChartSeries::FunctionAcceptsSource(TChartSeries* Series) const {
  return !FFunction || FFunction->AcceptsSource(Series);
}

void TChartSeries::AddLinkedSeries(TChartSeries* Series) {
  if (Series && FLinkedSeries->IndexOf(Series) < 0) FLinkedSeries->Add(Series);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* Series) { FLinkedSeries->Remove(Series); }

void TChartSeries::UnlinkFromSources() {
  for (auto* c : FDataSources.FItems)
    if (auto* s = dynamic_cast<TChartSeries*>(c)) s->RemoveLinkedSeries(this);
}

void TChartSeries::RemoveSourceSeries(TChartSeries* Series) {
  if (FDataSources.IndexOf(Series) < 0) return;
  RemoveFreeNotification(Series);
  std::erase(FDataSources.FItems, static_cast<TComponent*>(Series));
}

void TChartSeries::AddValues(TChartSeries* Source) {
  BeginUpdate();
  Clear();
  if (FFunction) {
    FX->SetDateTime(Source->XValues()->GetDateTime());
    FY->SetDateTime(Source->YValues()->GetDateTime());
    FFunction->AddPoints(Source);
  } else if (CanCopyFrom(Source)) {
    for (int32_t i = 0; i < Source->Count(); ++i) AddSourcePoint(Source, i);
  }
  EndUpdate();
}

int32_t TChartSeries::AddSourceValues(TChartSeries* Source, int32_t Index) {
  Source->CheckPointIndex(Index, "Series AddSourceValues");
  double x = Source->XValues()->GetValue(Index);
  double y = Source->YValues()->GetValue(Index);
  if (Source->GetYMandatory() != FYMandatory) std::swap(x, y);
  const int32_t index = FX->AddChartValue(x);
  FY->InsertChartValue(index, y);
  for (int32_t i = 2; i < FValueLists.Count(); ++i) {
    const TChartValueLists& theirs = Source->ValueLists();
    FValueLists.Get(i)->InsertChartValue(index, i < theirs.Count() ? theirs.Get(i)->GetValue(Index) : 0);
  }
  if (FHasColors) FColors.insert(FColors.begin() + index, clDefault);
  if (FLabels.Count() > 0) FLabels.InsertLabel(index, {});
  return index;
}

void TChartSeries::AddSourcePoint(TChartSeries* Source, int32_t Index) {
  const int32_t index = AddSourceValues(Source, Index);
  const TColor c = Source->GetStoredColor(Index);
  if (c != clDefault) {
    if (!FHasColors) {
      FColors.assign(Count(), clDefault);
      FHasColors = true;
    }
    FColors[index] = c;
  }
  const std::string label = Source->Labels().GetLabel(Index);
  if (!label.empty()) FLabels.SetLabel(index, label);
  if (FUpdateCount == 0) AddedValue(this, index);
}

// ============================================================================
// TPlotSeriesSource
// ============================================================================

KV_CLASS_IMPL(TPlotSeriesSource, TComponent) {
  c.Property("Active", &TPlotSeriesSource::GetActive, &TPlotSeriesSource::SetActive).Default(false);
}

TPlotSeriesSource::TPlotSeriesSource(TComponent* Owner) : TComponent(Owner) {}

void TPlotSeriesSource::BeforeDestruction() {
  Destroying();
  Close();
  TComponent::BeforeDestruction();
}

bool TPlotSeriesSource::IsBusy() const {
  return ComponentState.Contains(TComponentStateItem::csLoading) ||
         ComponentState.Contains(TComponentStateItem::csDestroying);
}

void TPlotSeriesSource::SetActive(bool Value) {
  if (Value != FActive && FSeries) {
    if (Value) {
      if (!ComponentState.Contains(TComponentStateItem::csLoading)) Load();
    } else if (!ComponentState.Contains(TComponentStateItem::csDestroying) &&
               !FSeries->ComponentState.Contains(TComponentStateItem::csDestroying) && !KeepData) {
      FSeries->Clear();
    }
  }
  FActive = Value;
}

void TPlotSeriesSource::Close() {
  if (!IsBusy()) SetActive(false);
}

void TPlotSeriesSource::RefreshIfActive() {
  if (FActive && !ComponentState.Contains(TComponentStateItem::csLoading)) Load();
}

void TPlotSeriesSource::Loaded() {
  TComponent::Loaded();
  RefreshIfActive();
}

bool TPlotSeriesSource::IsSourceOf(const TChartSeries* Series) const {
  return Series && Series->GetDataSource() && Series->GetDataSource()->ClassType() == ClassType();
}

void TPlotSeriesSource::SetSeries(TChartSeries* Series) {
  TChartSeries* old = FSeries;
  if (old == Series) return;
  Close();
  FSeries = Series;
  if (Series) {
    if (Series->GetDataSource() != this) Series->SetDataSource(this);
  } else if (old && old->GetDataSource() == this) {
    old->SetDataSource(nullptr);
  }
}

void TPlotSeriesSource::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FSeries.Get()) FSeries = nullptr;
}

// ============================================================================
// Tools
// ============================================================================

KV_CLASS_IMPL(TPlotCustomTool, TCustomChartElement) {}
KV_CLASS_IMPL(TPlotCustomToolSeries, TPlotCustomTool) {
  c.Property("Series", &TPlotCustomToolSeries::GetSeries, &TPlotCustomToolSeries::SetSeries);
}
KV_CLASS_IMPL(TPlotCustomToolAxis, TPlotCustomTool) {
  c.Property("AxisID", &TPlotCustomToolAxis::GetAxisID, &TPlotCustomToolAxis::SetAxisID).Default(-1);
}

void TPlotCustomTool::SetParentChart(TSeriesChart* Value) {
  if (FParentChart == Value) return;
  TSeriesChart* old = FParentChart;
  if (old) {
    old->GetTools().Remove(this);
    if (!Value && !old->IsChartDestroying()) old->Invalidate();
  }
  TCustomChartElement::SetParentChart(Value);
  if (Value) Value->GetTools().Add(this);
}

void TPlotCustomToolSeries::BeforeDestruction() {
  SetSeries(nullptr);
  TPlotCustomTool::BeforeDestruction();
}

void TPlotCustomToolSeries::SetSeries(TChartSeries* Value) {
  if (FSeries == Value) return;
  if (FSeries) FSeries->RemoveFreeNotification(this);
  FSeries = Value;
  if (Value) Value->FreeNotification(this);
}

void TPlotCustomToolSeries::Notification(TComponent* Component, TOperation Operation) {
  TPlotCustomTool::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FSeries) SetSeries(nullptr);
}

namespace {

// Whether an Active series of the chart uses Axis.
bool AxisInUse(TSeriesChart& Chart, const TChartAxis* Axis) {
  TChartSeriesList& list = Chart.GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (list.GetSeries(i)->GetActive() && list.GetSeries(i)->AssociatedToAxis(Axis)) return true;
  return false;
}

// The usual axis, or the other one when only that one has series.
TChartAxis* UsedAxis(TSeriesChart& Chart, TChartAxis* Usual, TChartAxis* Other) {
  return !AxisInUse(Chart, Usual) && AxisInUse(Chart, Other) ? Other : Usual;
}

}  // namespace

TChartAxis* TPlotCustomToolSeries::GetHorizAxis() const {
  if (FSeries) return FSeries->GetHorizAxisRef();
  if (!FParentChart) return nullptr;
  return UsedAxis(*FParentChart, FParentChart->GetBottomAxis(), FParentChart->GetTopAxis());
}

TChartAxis* TPlotCustomToolSeries::GetVertAxis() const {
  if (FSeries) return FSeries->GetVertAxisRef();
  if (!FParentChart) return nullptr;
  return UsedAxis(*FParentChart, FParentChart->GetLeftAxis(), FParentChart->GetRightAxis());
}

void TPlotCustomToolAxis::SetAxis(TChartAxis* Value) {
  if (FAxis == Value) return;
  FAxis = Value;
  // While its chart is being destroyed the tool only forgets the axis.
  if (FParentChart && FParentChart->IsChartDestroying()) return;
  SetParentChart(Value ? dynamic_cast<TSeriesChart*>(Value->ParentChart()) : nullptr);
  Repaint();
}

int32_t TPlotCustomToolAxis::GetAxisID() const {
  if (!FAxis || !FParentChart) return -1;
  TChartAxes& axes = FParentChart->GetAxes();
  for (int32_t i = 0; i < axes.Count(); ++i)
    if (axes.Items(i) == FAxis) return i;
  return -1;
}

void TPlotCustomToolAxis::SetAxisID(int32_t Value) {
  if (Value < 0) {
    SetAxis(nullptr);
    return;
  }
  if (!FParentChart) throw ChartException(PlotConst::MsgNoParentChart);
  SetAxis(FParentChart->GetAxes().Items(Value));
}

// ============================================================================
// Groups
// ============================================================================

KV_CLASS_IMPL(TSeriesGroup, TCollectionItem) {
  c.Property("Name", &TSeriesGroup::Name).Default("");
  c.Property("Active", &TSeriesGroup::GetActive, &TSeriesGroup::SetActive)
      .Names({"gaYes", "gaNo", "gaSome"})
      .Default(gaYes);
}

TSeriesGroup::TSeriesGroup(TCollection* Collection) : TCollectionItem(Collection) {
  auto* groups = dynamic_cast<TSeriesGroups*>(Collection);
  FSeries = std::make_unique<TCustomSeriesList>(groups ? groups->Chart() : nullptr);
}

TSeriesGroupActive TSeriesGroup::GetActive() const {
  int32_t active = 0;
  for (int32_t i = 0; i < FSeries->Count(); ++i)
    if (FSeries->GetSeries(i)->GetActive()) ++active;
  if (active == FSeries->Count()) return gaYes;
  return active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive Value) {
  if (Value == gaSome || Value == GetActive()) return;
  FSeries->SetAllActive(Value == gaYes);
}

KV_CLASS_IMPL(TSeriesGroups, TCollection) {}

TSeriesGroups::TSeriesGroups(TComponent* ChartOwner)
    : TCollection(TSeriesGroup::StaticClass(), ItemFactoryOf<TSeriesGroup>(), ChartOwner), FChart(ChartOwner) {}

int32_t TSeriesGroups::GroupOfSeries(const TChartSeries* Series) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (GetGroup(i)->Series().IndexOf(Series) >= 0) return i;
  return -1;
}

// ============================================================================
// Unit routines
// ============================================================================

namespace PlotEngine {

std::function<TSeriesMarksBase*(TChartSeries* Series)> CreateSeriesMarks = [](TChartSeries* Series) {
  return new TSeriesMarks(Series);
};
std::function<std::string(TChartSeries* Series)> SeriesToText;
std::function<bool(TChartSeries* Series, const std::string& Text)> SeriesFromText;
std::function<void(TChartSeries* Series)> ShowSeriesStyleEditor;
std::function<void(TSeriesChart* Chart, TChartAxis* Axis)> ShowAxisEditor;

std::string ElementEditorClassName(TClass ElementClass) { return ElementClass ? ElementClass->EditorName() : ""; }

bool SeriesHasOwnXValues(const TChartSeries& Series) {
  const int32_t n = Series.Count();
  if (!Series.HasXValues || n == 0) return false;
  const TChartValueList* x = Series.NotMandatoryList();
  if (x->GetValue(0) != 0 || x->GetValue(n - 1) != n - 1) return true;
  const int32_t m = std::min(n, 10001);
  for (int32_t i = 0; i < m; ++i)
    if (x->GetValue(i) != i) return true;
  return false;
}

bool SeriesHasOwnColors(const TChartSeries& Series) {
  const int32_t m = std::min(Series.Count(), 10001);
  for (int32_t i = 0; i < m; ++i) {
    const TColor c = Series.GetStoredColor(i);
    if (c != clDefault && c != Series.GetSeriesColor()) return true;
  }
  return false;
}

bool SeriesHasLabels(const TChartSeries& Series) {
  if (Series.Labels().Count() == 0) return false;
  const int32_t m = std::min(Series.Count(), 101);
  for (int32_t i = 0; i < m; ++i)
    if (!Series.Labels().GetLabel(i).empty()) return true;
  return false;
}

void FillSeriesItems(TStrings& Items, const TCustomSeriesList& SeriesList, bool UseTitles) {
  Items.BeginUpdate();
  try {
    for (int32_t i = 0; i < SeriesList.Count(); ++i) {
      TChartSeries* s = SeriesList.GetSeries(i);
      const bool designing = s->ComponentState.Contains(TComponentStateItem::csDesigning);
      if (s->ShowInEditor || (designing && !s->Hidden))
        Items.AddObject(UseTitles ? SeriesTitleOrName(s) : s->GetName(), s);
    }
  } catch (...) {
    Items.EndUpdate();
    throw;
  }
  Items.EndUpdate();
}

std::vector<TClass>& DataSourceKinds() {
  static std::vector<TClass> kinds;
  return kinds;
}

void ShowErrorMessage(const std::string& Text) {
  Application->MessageBox(Text, "", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void CheckCircularSource(TComponent* Component, TChartSeries* Series) {
  if (!Series || !Component) return;
  if (Component == Series) throw ChartException(PlotConst::MsgCircularSeries);
  // Walk every series that Component draws from; reaching Series closes a cycle.
  std::vector<TChartSeries*> pending;
  std::vector<TChartSeries*> seen;
  if (auto* s = dynamic_cast<TChartSeries*>(Component)) pending.push_back(s);
  while (!pending.empty()) {
    TChartSeries* s = pending.back();
    pending.pop_back();
    if (std::find(seen.begin(), seen.end(), s) != seen.end()) continue;
    seen.push_back(s);
    for (auto* c : s->DataSources().Items()) {
      if (c == Series) throw ChartException(PlotConst::MsgCircularSeries);
      if (auto* d = dynamic_cast<TChartSeries*>(c)) pending.push_back(d);
    }
  }
}

}  // namespace PlotEngine
