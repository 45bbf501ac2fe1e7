// Chart elements, the point store of a series, its value and series events,
// colours, labels, axis binding and chart membership.
#include <algorithm>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotEngine_Marks.h"

using namespace SysUtils;
#include "chart/engine/PlotProcs.h"

namespace {

[[noreturn]] void BadIndex(const char* Operation, int32_t Index, int32_t Count) {
  throw ChartException(Format("%s: index %d out of bounds (0 to %d).", {Operation, Index, Count - 1}));
}

}  // namespace

// ============================================================================
// TChartTools
// ============================================================================

TPlotCustomTool* TChartTools::ToolAt(int32_t Index) const {
  if (Index < 0 || Index >= Count()) BadIndex("Tools", Index, Count());
  return FItems[Index];
}

int32_t TChartTools::IndexOf(const TPlotCustomTool* Tool) const {
  auto it = std::find(FItems.begin(), FItems.end(), Tool);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

TPlotCustomTool* TChartTools::Attach(TPlotCustomTool* Tool) {
  if (!FChart) throw ChartException(PlotConst::MsgNoParentChart);
  Tool->SetParentChart(FChart);
  return Tool;
}

void TChartTools::Add(TPlotCustomTool* Tool) {
  if (!FChart) FChart = Tool->GetParentChart();
  if (IndexOf(Tool) < 0) FItems.push_back(Tool);
}

void TChartTools::Remove(TPlotCustomTool* Tool) { std::erase(FItems, Tool); }

void TChartTools::Clear() {
  // Taken out first: a tool being freed must not find itself in the list.
  std::vector<TPlotCustomTool*> tools;
  tools.swap(FItems);
  for (TPlotCustomTool* t : tools) {
    t->ForgetChart();
    t->Free();
  }
}

// ============================================================================
// TCustomChartElement
// ============================================================================

KV_CLASS_IMPL(TCustomChartElement, TComponent) {
  c.Property("Active", &TCustomChartElement::GetActive, &TCustomChartElement::SetActive).Default(true);
  c.Property("ShowInEditor", &TCustomChartElement::ShowInEditor).Default(true);
}

TCustomChartElement::TCustomChartElement(TComponent* Owner) : TComponent(Owner) {
  FBrush = std::make_unique<TChartBrush>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

void TCustomChartElement::Init() {
  TComponent::Init();
  FPen = CreateChartPen();
}

TCustomChartElement::~TCustomChartElement() = default;

void TCustomChartElement::BeforeDestruction() {
  SetParentChart(nullptr);
  TComponent::BeforeDestruction();
}

std::unique_ptr<TChartPen> TCustomChartElement::CreateChartPen() {
  return std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

void TCustomChartElement::Assign(const TPersistent* Source) {
  if (auto* e = dynamic_cast<const TCustomChartElement*>(Source)) {
    SetActive(e->FActive);
    FBrush->Assign(e->FBrush.get());
    SetPen(e->FPen.get());
    Tag = e->Tag;
  } else {
    TComponent::Assign(Source);
  }
}

void TCustomChartElement::RepaintOnChange(TObject*) { Repaint(); }

void TCustomChartElement::Repaint() {
  if (FParentChart) FParentChart->Invalidate();
}

void TCustomChartElement::SetActive(bool Value) { SetBooleanField(FActive, Value); }

void TCustomChartElement::SetParentChart(TSeriesChart* Value) { FParentChart = Value; }

void TCustomChartElement::SetPen(const TChartPen* Value) {
  if (Value && FPen) FPen->Assign(Value);
}

void TCustomChartElement::SetBrush(const TChartBrush* Value) {
  if (Value) FBrush->Assign(Value);
}

void TCustomChartElement::SetBooleanField(bool& Field, bool Value) {
  if (Field != Value) {
    Field = Value;
    Repaint();
  }
}

void TCustomChartElement::SetColorProperty(TColor& Field, TColor Value) {
  if (Field != Value) {
    Field = Value;
    Repaint();
  }
}

void TCustomChartElement::SetDoubleProperty(double& Field, double Value) {
  if (Field != Value) {
    Field = Value;
    Repaint();
  }
}

void TCustomChartElement::SetIntegerProperty(int32_t& Field, int32_t Value) {
  if (Field != Value) {
    Field = Value;
    Repaint();
  }
}

void TCustomChartElement::SetStringProperty(std::string& Field, const std::string& Value) {
  if (Field != Value) {
    Field = Value;
    Repaint();
  }
}

// ============================================================================
// TCustomChartSeries
// ============================================================================

KV_CLASS_IMPL(TCustomChartSeries, TCustomChartElement) {
  c.Property("ShowInLegend", &TCustomChartSeries::GetShowInLegend, &TCustomChartSeries::SetShowInLegend)
      .Default(true);
  c.Property("Title", &TCustomChartSeries::GetTitle, &TCustomChartSeries::SetTitle).Default("");
  c.Property("Identifier", &TCustomChartSeries::Identifier).Default("");
  c.Property("Style", &TCustomChartSeries::GetStyle, &TCustomChartSeries::SetStyle).Default(0);
}

TCustomChartSeries::TCustomChartSeries(TComponent* Owner) : TCustomChartElement(Owner) {}

void TCustomChartSeries::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TCustomChartSeries*>(Source)) {
    SetShowInLegend(s->FShowInLegend);
    SetTitle(s->FTitle);
    FStyle = s->FStyle;
    Identifier = s->Identifier;
  }
  TCustomChartElement::Assign(Source);
}

void TCustomChartSeries::SetActive(bool Value) {
  TCustomChartElement::SetActive(Value);
  if (FParentChart) FParentChart->BroadcastSeriesEvent(dynamic_cast<TChartSeries*>(this), 5);
}

void TCustomChartSeries::SetTitle(const std::string& Value) { SetStringProperty(FTitle, Value); }

void TCustomChartSeries::ChangeView3D(bool Value) {
  if (FParentChart) FParentChart->SetView3D(Value);
}

bool TCustomChartSeries::SameClass(const TCustomChartSeries& Other) const {
  return InheritsFrom(Other.ClassType()) || Other.InheritsFrom(ClassType());
}

// ============================================================================
// Marks storage
// ============================================================================

const TSeriesMarkPosition* TSeriesMarksBase::Position(int32_t Index) const {
  if (Index < 0 || Index >= PositionCount()) return nullptr;
  return FPositions[Index].get();
}

void TSeriesMarksBase::SetPosition(int32_t Index, const TSeriesMarkPosition& Position) {
  TSeriesMarkPosition* p = EnsurePosition(Index);
  p->IsCustom = true;
  p->Assign(Position);
}

void TSeriesMarksBase::AppendPosition(const TSeriesMarkPosition& Position) {
  FPositions.push_back(std::make_unique<TSeriesMarkPosition>(Position));
}

bool TSeriesMarksBase::HasCustomPosition() const {
  return std::any_of(FPositions.begin(), FPositions.end(), [](const auto& p) { return p && p->IsCustom; });
}

TSeriesMarkPosition* TSeriesMarksBase::PositionAt(int32_t Index) {
  if (Index < 0 || Index >= PositionCount()) return nullptr;
  return FPositions[Index].get();
}

TSeriesMarkPosition* TSeriesMarksBase::EnsurePosition(int32_t Index) {
  if (Index < 0) BadIndex("Marks Positions", Index, PositionCount());
  if (Index >= PositionCount()) FPositions.resize(Index + 1);
  if (!FPositions[Index]) FPositions[Index] = std::make_unique<TSeriesMarkPosition>();
  return FPositions[Index].get();
}

void TSeriesMarksBase::DeletePoint(int32_t Index) {
  if (Index >= 0 && Index < PositionCount()) FPositions.erase(FPositions.begin() + Index);
}

void TSeriesMarksBase::DeletePoints(int32_t Start, int32_t Quantity) {
  if (Start < 0 || Start >= PositionCount() || Quantity <= 0) return;
  const int32_t end = std::min(PositionCount(), Start + Quantity);
  FPositions.erase(FPositions.begin() + Start, FPositions.begin() + end);
}

void TSeriesMarksBase::ClearPoints() { FPositions.clear(); }

// ============================================================================
// Lists
// ============================================================================

TChartValueList* TChartValueLists::Get(int32_t Index) const {
  if (Index < 0 || Index >= Count()) BadIndex("ValueLists", Index, Count());
  return FItems[Index];
}

void TChartValueLists::Clear() {
  auto items = std::move(FItems);
  FItems.clear();
  for (auto* l : items) l->Free();
}

std::string TLabelsList::GetLabel(int32_t Index) const {
  if (Index < 0 || Index >= Count()) return {};
  return FItems[Index];
}

void TLabelsList::SetLabel(int32_t Index, const std::string& Text) {
  if (Index < 0) BadIndex("Labels", Index, Count());
  if (!Text.empty()) {
    if (Index >= Count()) FItems.resize(Index + 1);
    FItems[Index] = Text;
  } else if (Index < Count()) {
    FItems[Index].clear();
  }
  if (FOwner) FOwner->Repaint();
}

void TLabelsList::InsertLabel(int32_t Index, const std::string& Text) {
  if (Index < 0) BadIndex("Labels", Index, Count());
  if (Text.empty() && FItems.empty()) return;
  if (Index > Count()) FItems.resize(Index);
  FItems.insert(FItems.begin() + Index, Text);
}

void TLabelsList::DeleteLabel(int32_t Index) {
  if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

void TLabelsList::DeleteRange(int32_t Start, int32_t Quantity) {
  if (Start < 0 || Start >= Count() || Quantity <= 0) return;
  FItems.erase(FItems.begin() + Start, FItems.begin() + std::min(Count(), Start + Quantity));
}

void TLabelsList::Exchange(int32_t A, int32_t B) {
  const int32_t hi = std::max(A, B);
  if (hi >= Count()) FItems.resize(hi + 1);
  std::swap(FItems[A], FItems[B]);
}

void TLabelsList::Assign(const TLabelsList& Other) {
  Clear();
  for (int32_t i = 0; i < Other.Count(); ++i) InsertLabel(i, Other.FItems[i]);
}

namespace {

// Drops a list entry when its series is freed.
class TSeriesListWatcher final : public TComponent {
public:
  explicit TSeriesListWatcher(std::vector<TChartSeries*>& Items) : TComponent(nullptr), FItems(Items) {}
  void Notification(TComponent* Component, TOperation Operation) override {
    TComponent::Notification(Component, Operation);
    if (Operation == TOperation::opRemove) std::erase(FItems, static_cast<TChartSeries*>(Component));
  }

private:
  std::vector<TChartSeries*>& FItems;
};

}  // namespace

TCustomSeriesList::TCustomSeriesList(TComponent* Owner) : FOwner(Owner), FWatcher(new TSeriesListWatcher(FItems)) {}

TCustomSeriesList::~TCustomSeriesList() { FWatcher->Free(); }

TChartSeries* TCustomSeriesList::GetSeries(int32_t Index) const {
  if (Index < 0 || Index >= Count()) BadIndex("Series", Index, Count());
  return FItems[Index];
}

int32_t TCustomSeriesList::IndexOf(const TChartSeries* Series) const {
  auto it = std::find(FItems.begin(), FItems.end(), Series);
  return it == FItems.end() ? -1 : static_cast<int32_t>(it - FItems.begin());
}

void TCustomSeriesList::Watch(TChartSeries* Series) {
  if (Series) FWatcher->FreeNotification(Series);
}

int32_t TCustomSeriesList::Add(TChartSeries* Series) {
  Watch(Series);
  FItems.push_back(Series);
  return Count() - 1;
}

void TCustomSeriesList::Insert(int32_t Index, TChartSeries* Series) {
  if (Index < 0 || Index > Count()) BadIndex("Series", Index, Count() + 1);
  Watch(Series);
  FItems.insert(FItems.begin() + Index, Series);
}

void TCustomSeriesList::Remove(TChartSeries* Series) {
  const int32_t i = IndexOf(Series);
  if (i >= 0) Delete(i);
}

void TCustomSeriesList::Delete(int32_t Index) {
  TChartSeries* s = GetSeries(Index);
  FItems.erase(FItems.begin() + Index);
  if (s && IndexOf(s) < 0) FWatcher->RemoveFreeNotification(s);
}

void TCustomSeriesList::Exchange(int32_t A, int32_t B) {
  GetSeries(A);
  GetSeries(B);
  std::swap(FItems[A], FItems[B]);
}

void TCustomSeriesList::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

void TCustomSeriesList::Assign(const TCustomSeriesList& Other) {
  if (&Other == this) return;
  Clear();
  for (auto* s : Other.FItems) Add(s);
}

bool TCustomSeriesList::AllActive() const {
  return std::all_of(FItems.begin(), FItems.end(), [](const TChartSeries* s) { return s->GetActive(); });
}

void TCustomSeriesList::SetAllActive(bool Value) {
  const auto items = FItems;
  for (auto* s : items) s->SetActive(Value);
}

TChartSeriesList::TChartSeriesList(TComponent* Chart)
    : TCustomSeriesList(Chart), FGroups(std::make_unique<TSeriesGroups>(Chart)) {}

void TChartSeriesList::PutSeries(int32_t Index, TChartSeries* Series) {
  GetSeries(Index);
  Delete(Index);
  Insert(Index, Series);
}

void TChartSeriesList::ClearValues() {
  for (int32_t i = 0; i < Count(); ++i) GetSeries(i)->Clear();
}

TSeriesGroup* TChartSeriesList::AddGroup(const std::string& Name) {
  auto* g = static_cast<TSeriesGroup*>(FGroups->Add());
  g->Name = Name;
  return g;
}

// ============================================================================
// TChartSeries: construction
// ============================================================================

KV_CLASS_IMPL(TChartSeries, TCustomChartSeries) {
  c.Property("ColorEachPoint", &TChartSeries::GetColorEachPoint, &TChartSeries::SetColorEachPoint).Default(false);
  c.Property("ColorSource", &TChartSeries::GetColorSource, &TChartSeries::SetColorSource).Default("");
  c.Property("Cursor", &TChartSeries::Cursor).Default(0);
  c.Property("Depth", &TChartSeries::GetDepth, &TChartSeries::SetDepth).Default(-1);
  c.Property("Marks", [](const TChartSeries& S) { return dynamic_cast<TSeriesMarks*>(S.Marks()); });
  c.Property("HorizAxis", &TChartSeries::GetHorizAxis, &TChartSeries::SetHorizAxis)
      .Names({"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"})
      .Default(aBottomAxis);
  c.Property("PercentFormat", &TChartSeries::GetPercentFormat, &TChartSeries::SetPercentFormat)
      .Stored(&TChartSeries::IsPercentFormatStored);
  c.Property("SeriesColor", &TChartSeries::GetRawSeriesColor, &TChartSeries::SetSeriesColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TChartSeries::IsSeriesColorStored);
  c.Property("ValueFormat", &TChartSeries::GetValueFormat, &TChartSeries::SetValueFormat)
      .Stored(&TChartSeries::IsValueFormatStored);
  c.Property("VertAxis", &TChartSeries::GetVertAxis, &TChartSeries::SetVertAxis)
      .Names({"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"})
      .Default(aLeftAxis);
  c.Property("XLabelsSource", &TChartSeries::GetXLabelsSource, &TChartSeries::SetXLabelsSource).Default("");
  // A single source is stored by reference (several go by name in "DataSources"), and
  // only one that is stored beside the series, so that a file never names a component
  // it does not hold.
  c.Property(
      "DataSource",
      [](const TChartSeries& S) -> TComponent* {
        TComponent* source = S.DataSources().Count() == 1 ? S.GetDataSource() : nullptr;
        return source && source->Owner() == S.Owner() ? source : nullptr;
      },
      &TChartSeries::SetDataSource);
  c.Property("CustomHorizAxis", &TChartSeries::GetCustomHorizAxisIndex, &TChartSeries::SetCustomHorizAxisIndex)
      .Default(-1);
  c.Property("CustomVertAxis", &TChartSeries::GetCustomVertAxisIndex, &TChartSeries::SetCustomVertAxisIndex)
      .Default(-1);
}

namespace {
// An emptied engine text (after PlotConst::Finalize) still gives a usable default.
std::string TextOr(const ResStrings::TResString& Text, const char* Fallback) {
  std::string text = Text;
  return text.empty() ? Fallback : text;
}
}  // namespace

TChartSeries::TChartSeries(TComponent* Owner)
    : TCustomChartSeries(Owner), FDataSources(this), FLabels(this) {
  FLinkedSeries = std::make_unique<TCustomSeriesList>();
  FX = new TChartValueList(this, TextOr(PlotConst::MsgValuesX, "X"));
  FX->SetOrder(loAscending);
  FY = new TChartValueList(this, TextOr(PlotConst::MsgValuesY, "Y"));
  FNotMandatory = FX;
  FMandatory = FY;
  FValueFormat = TextOr(PlotConst::MsgDefValueFormat, "#,##0.###");
  FPercentFormat = TextOr(PlotConst::MsgDefPercentFormat, "##0.## %");
}

void TChartSeries::Init() {
  TCustomChartSeries::Init();
  FMarks = PlotEngine::CreateSeriesMarks ? PlotEngine::CreateSeriesMarks(this) : new TSeriesMarksBase(this);
}

void TChartSeries::BeforeDestruction() {
  Destroying();
  if (FFunction) {
    TPlotFunction* f = FFunction;
    FFunction = nullptr;
    f->FParent = nullptr;
    f->Free();
  }
  UnlinkFromSources();
  // A data-source component owned by this series goes with it.
  if (TComponent* ds = GetDataSource(); ds && ds->Owner() == this) {
    FDataSources.FItems.clear();
    ds->Free();
  }
  for (auto* c : FDataSources.FItems) RemoveFreeNotification(c);
  FDataSources.FItems.clear();
  // Dependants lose this series as a source.
  while (FLinkedSeries->Count() > 0) {
    TChartSeries* d = FLinkedSeries->GetSeries(FLinkedSeries->Count() - 1);
    FLinkedSeries->Delete(FLinkedSeries->Count() - 1);
    d->RemoveSourceSeries(this);
  }
  Clear();
  TCustomChartSeries::BeforeDestruction();
}

TChartSeries::~TChartSeries() {
  if (FMarks) FMarks->FreeMarks();
}

// ============================================================================
// Points
// ============================================================================

void TChartSeries::CheckPointIndex(int32_t Index, const char* Operation) const {
  if (Index < 0 || Index >= Count()) BadIndex(Operation, Index, Count());
}

int32_t TChartSeries::AppendPoint(double X, double Y, const std::string& Label, TColor Colour) {
  FX->TempValue = X;
  FY->TempValue = Y;
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int32_t index = FX->AddTempValue();
  for (int32_t i = 0; i < FValueLists.Count(); ++i) {
    TChartValueList* l = FValueLists.Get(i);
    if (l != FX) l->InsertChartValue(index, l->TempValue);
  }
  if (FHasColors) {
    FColors.insert(FColors.begin() + index, Colour);
  } else if (Colour != clDefault) {
    FColors.assign(Count(), clDefault);
    FColors[index] = Colour;
    FHasColors = true;
  }
  if (!Label.empty() || FLabels.Count() > 0) FLabels.InsertLabel(index, Label);
  if (FUpdateCount == 0) AddedValue(this, index);
  return index;
}

int32_t TChartSeries::Add(double Value, const std::string& Label, TColor Colour) {
  if (FYMandatory) return AppendPoint(FX->Count(), Value, Label, Colour);
  return AppendPoint(Value, FY->Count(), Label, Colour);
}

int32_t TChartSeries::AddNull(const std::string& Label) { return Add(0, Label, clNone); }

int32_t TChartSeries::AddNullXY(double X, double Y, const std::string& Label) {
  return AppendPoint(X, Y, Label, clNone);
}

void TChartSeries::AddedValue(TChartSeries* Sender, int32_t Index) {
  if (OnAfterAdd) OnAfterAdd(Sender, Index);
  NotifyValue(1, Index);
  if (FActive) Repaint();
}

void TChartSeries::Delete(int32_t Index) {
  if (Index < 0 || Index >= Count())
    throw ChartException(Format(PlotConst::MsgSeriesDelete, {Index, Count() - 1}));
  for (int32_t i = 0; i < FValueLists.Count(); ++i) FValueLists.Get(i)->Delete(Index);
  if (FHasColors) FColors.erase(FColors.begin() + Index);
  FLabels.DeleteLabel(Index);
  if (FMarks) FMarks->DeletePoint(Index);
  NotifyValue(2, Index);
  if (FActive) Repaint();
}

void TChartSeries::DeleteRange(int32_t Start, int32_t Quantity, bool RemoveGap) {
  // Checked before anything changes: a bad range leaves the series as it was.
  if (Quantity <= 0) throw ChartException("Quantity of data points to delete must be greater than zero.");
  if (Start < 0) BadIndex("Series DeleteRange", Start, Count());
  if (static_cast<int64_t>(Start) + Quantity - 1 >= Count())
    throw ChartException("Quantity of data to delete must be less than Count.");
  for (int32_t i = 0; i < FValueLists.Count(); ++i) FValueLists.Get(i)->DeleteRange(Start, Quantity);
  if (FHasColors && Start < static_cast<int32_t>(FColors.size())) {
    FColors.erase(FColors.begin() + Start,
                  FColors.begin() + std::min<size_t>(FColors.size(), static_cast<size_t>(Start) + Quantity));
    if (FColors.empty()) ClearPointColors();
  }
  FLabels.DeleteRange(Start, Quantity);
  if (FMarks) FMarks->DeletePoints(Start, Quantity);
  NotifyValue(2, -1);
  if (FActive) Repaint();
  if (RemoveGap) FNotMandatory->FillSequence();
}

void TChartSeries::ClearValueLists() {
  for (int32_t i = 0; i < FValueLists.Count(); ++i) FValueLists.Get(i)->ClearValues();
  ClearPointColors();
  FLabels.Clear();
  if (FMarks) FMarks->ClearPoints();
}

void TChartSeries::Clear() {
  FirstValueIndex = -1;
  LastValueIndex = -1;
  ClearValueLists();
  if (OnClearValues) OnClearValues(this);
  NotifyValue(0, 0);
  if (FFunction) FFunction->Clear();
  if (FActive && FParentChart && !FParentChart->IsChartDestroying()) Repaint();
}

void TChartSeries::SetXValue(int32_t Index, double Value) {
  CheckPointIndex(Index, "Series SetXValue");
  // Direct store: no value event (the contour view and drag tools rely on it).
  FX->StoreValue(Index, Value);
  FX->RecalcStats();
  Repaint();
}

void TChartSeries::SetYValue(int32_t Index, double Value) {
  CheckPointIndex(Index, "Series SetYValue");
  // Direct store: no value event, as for X.
  FY->StoreValue(Index, Value);
  FY->RecalcStats();
  Repaint();
}

void TChartSeries::SwapValueIndex(int32_t A, int32_t B) {
  CheckPointIndex(A, "Series SwapValueIndex");
  CheckPointIndex(B, "Series SwapValueIndex");
  for (int32_t i = 0; i < FValueLists.Count(); ++i) FValueLists.Get(i)->Exchange(A, B);
  if (FHasColors) std::swap(FColors[A], FColors[B]);
  if (FLabels.Count() > 0) FLabels.Exchange(A, B);
}

void TChartSeries::SortByMandatory() {
  if (FMandatory->GetOrder() != loNone) FMandatory->Sort();
  if (FNotMandatory->GetValueSource().empty()) FNotMandatory->FillSequence();
  Repaint();
}

TChartValueList* TChartSeries::ValueListByName(const std::string& Name) const {
  for (int32_t i = 2; i < FValueLists.Count(); ++i)
    if (SameText(FValueLists.Get(i)->GetName(), Name)) return FValueLists.Get(i);
  return FY;
}

void TChartSeries::SetXValues(const TChartValueList* List) {
  FX->Assign(List);
  Repaint();
}

void TChartSeries::SetYValues(const TChartValueList* List) {
  FY->Assign(List);
  Repaint();
}

void TChartSeries::MakeMandatory(TChartValueList* List) {
  bool own = false;
  for (int32_t i = 0; i < FValueLists.Count(); ++i) own = own || FValueLists.Get(i) == List;
  if (!own)
    throw ChartException(Format("%s: the mandatory value list must be one of the series' own lists.",
                                {GetName()}));
  FMandatory = List;
  FNotMandatory = List == FX ? FY : FX;
  FYMandatory = List == FY;
}

// ============================================================================
// Labels and colours
// ============================================================================

std::string TChartSeries::GetLabel(int32_t Index) const {
  CheckPointIndex(Index, "Series Labels");
  return FLabels.GetLabel(Index);
}

void TChartSeries::SetLabel(int32_t Index, const std::string& Text) {
  CheckPointIndex(Index, "Series Labels");
  FLabels.SetLabel(Index, Text);
}

void TChartSeries::SetSeriesColor(TColor Value) {
  if (FSeriesColor == clDefault && Value == FRememberedColor) return;
  SetColorProperty(FSeriesColor, Value);
  FRememberedColor = FSeriesColor;
  ColorChanged();
}

void TChartSeries::SetDefaultColor(TColor Value) {
  FRememberedColor = Value;
  SetSeriesColor(Value);
}

void TChartSeries::ColorChanged() {
  if (FParentChart) FParentChart->BroadcastSeriesEvent(this, 3);
}

TColor TChartSeries::GetStoredColor(int32_t Index) const {
  if (!FHasColors || Index < 0 || Index >= static_cast<int32_t>(FColors.size())) return clDefault;
  return FColors[Index];
}

TColor TChartSeries::ValueColor(int32_t Index) const {
  const TColor c = GetStoredColor(Index);
  if (c != clDefault) return c;
  if (FColorEachPoint)
    return FParentChart ? FParentChart->GetDefaultColor(Index) : PlotProcs::GetDefaultColor(Index);
  return GetSeriesColor();
}

void TChartSeries::SetPointColor(int32_t Index, TColor Colour) {
  CheckPointIndex(Index, "Series SetPointColor");
  if (!FHasColors) {
    if (Colour == clDefault) return;
    FColors.assign(Count(), clDefault);
    FHasColors = true;
  }
  FColors[Index] = Colour;
  Repaint();
}

bool TChartSeries::IsValueFormatStored() const { return FValueFormat != PlotConst::MsgDefValueFormat; }

bool TChartSeries::IsPercentFormatStored() const { return FPercentFormat != PlotConst::MsgDefPercentFormat; }

void TChartSeries::SetMarks(const TSeriesMarksBase* Value) {
  if (Value && FMarks && Value != FMarks) FMarks->AssignMarks(*Value);
}

void TChartSeries::SetColorSource(const std::string& Value) {
  if (FColorSource != Value) {
    FColorSource = Value;
    CheckDataSource();
  }
}

void TChartSeries::SetXLabelsSource(const std::string& Value) {
  if (FXLabelsSource != Value) {
    FXLabelsSource = Value;
    CheckDataSource();
  }
}

void TChartSeries::SetTitle(const std::string& Value) {
  TCustomChartSeries::SetTitle(Value);
  if (FParentChart) FParentChart->BroadcastSeriesEvent(this, 2);
}

// ============================================================================
// Notifications
// ============================================================================

void TChartSeries::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) RefreshSeries();
}

void TChartSeries::RefreshSeries() {
  NotifyValue(3, 0);
  if (FParentChart) FParentChart->BroadcastSeriesEvent(this, 6);
}

void TChartSeries::NotifyValue(int32_t Event, int32_t Index) {
  if (FUpdateCount > 0) return;
  // A dependant may leave the list while it refills, so walk a copy and skip
  // the ones that left.
  std::vector<TChartSeries*> deps;
  for (int32_t i = 0; i < FLinkedSeries->Count(); ++i) deps.push_back(FLinkedSeries->GetSeries(i));
  for (TChartSeries* s : deps) {
    if (FLinkedSeries->IndexOf(s) < 0) continue;
    switch (Event) {
      case 0:
        if (s->RecalcOptions & rOnClear) s->Clear();
        break;
      case 1:
        if ((s->RecalcOptions & rOnInsert) && !s->FFunction) s->AddSourcePoint(this, Index);
        break;
      case 2:
        if ((s->RecalcOptions & rOnDelete) && !s->FFunction) {
          // Index -1 means a range went: the dependant refills from its source.
          if (Index < 0)
            s->AddValues(this);
          else if (Index < s->Count())
            s->DeleteSourcePoint(this, Index);
        }
        break;
      case 3:
        s->AddValues(this);
        break;
      case 4:
        if (s->RecalcOptions & rOnModify) s->AddValues(this);
        break;
      default:
        break;
    }
  }
}

void TChartSeries::CheckDataSource() {
  if (FUpdateCount == 0 && FParentChart) FParentChart->RefreshSeriesData(this);
}

// ============================================================================
// Axis binding
// ============================================================================

void TChartSeries::ResolveAxes() {
  if (!FParentChart) {
    FHorizAxisRef = FVertAxisRef = nullptr;
    return;
  }
  if (FHorizAxis == aTopAxis)
    FHorizAxisRef = FParentChart->GetTopAxis();
  else if (FHorizAxis == aCustomHorizAxis && FCustomHorizAxis)
    FHorizAxisRef = FCustomHorizAxis;
  else
    FHorizAxisRef = FParentChart->GetBottomAxis();
  if (FVertAxis == aRightAxis)
    FVertAxisRef = FParentChart->GetRightAxis();
  else if (FVertAxis == aCustomVertAxis && FCustomVertAxis)
    FVertAxisRef = FCustomVertAxis;
  else
    FVertAxisRef = FParentChart->GetLeftAxis();
}

void TChartSeries::SetHorizAxis(THorizAxis Value) {
  if (FHorizAxis == Value) return;
  FHorizAxis = Value;
  if (!IsLoading() && Value != aCustomHorizAxis) FCustomHorizAxis = nullptr;
  ResolveAxes();
  Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis Value) {
  if (FVertAxis == Value) return;
  FVertAxis = Value;
  if (!IsLoading() && Value != aCustomVertAxis) FCustomVertAxis = nullptr;
  ResolveAxes();
  Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* Axis) {
  FCustomHorizAxis = Axis;
  FHorizAxis = Axis ? aCustomHorizAxis : aBottomAxis;
  ResolveAxes();
  Repaint();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* Axis) {
  FCustomVertAxis = Axis;
  FVertAxis = Axis ? aCustomVertAxis : aLeftAxis;
  ResolveAxes();
  Repaint();
}

int32_t TChartSeries::GetCustomHorizAxisIndex() const {
  return FCustomHorizAxis && FParentChart ? FParentChart->CustomAxisIndex(FCustomHorizAxis) : -1;
}

int32_t TChartSeries::GetCustomVertAxisIndex() const {
  return FCustomVertAxis && FParentChart ? FParentChart->CustomAxisIndex(FCustomVertAxis) : -1;
}

void TChartSeries::SetCustomHorizAxisIndex(int32_t Index) {
  if (Index >= 0 && !FParentChart) throw ChartException(PlotConst::MsgNoParentChart);
  SetCustomHorizAxis(Index < 0 ? nullptr : FParentChart->CustomAxisAt(Index));
}

void TChartSeries::SetCustomVertAxisIndex(int32_t Index) {
  if (Index >= 0 && !FParentChart) throw ChartException(PlotConst::MsgNoParentChart);
  SetCustomVertAxis(Index < 0 ? nullptr : FParentChart->CustomAxisAt(Index));
}

void TChartSeries::AxisFreed(const TChartAxis* Axis) {
  if (!Axis) return;
  if (FCustomHorizAxis == Axis) SetCustomHorizAxis(nullptr);
  if (FCustomVertAxis == Axis) SetCustomVertAxis(nullptr);
  if (FHorizAxisRef == Axis) FHorizAxisRef = nullptr;
  if (FVertAxisRef == Axis) FVertAxisRef = nullptr;
}

bool TChartSeries::AssociatedToAxis(const TChartAxis* Axis) const {
  if (!UseAxis() || !Axis) return false;
  if (Axis->GetHorizontal()) return FHorizAxis == aBothHorizAxis || Axis == FHorizAxisRef;
  return FVertAxis == aBothVertAxis || Axis == FVertAxisRef;
}

TChartValueList* TChartSeries::ValueListForAxis(const TChartAxis* Axis) const {
  if (!AssociatedToAxis(Axis)) return nullptr;
  return Axis->GetHorizontal() ? FX : FY;
}

// ============================================================================
// Chart membership
// ============================================================================

void TChartSeries::SetParentChart(TSeriesChart* Value) {
  if (FParentChart == Value) return;
  if (FParentChart) FParentChart->RemoveSeries(this);
  FParentChart = Value;
  if (FMarks) FMarks->SetParentChart(Value);
  if (Value) Value->InternalAddSeries(this);
}

void TChartSeries::AddedToChart() {
  if (FSeriesColor == clDefault && FParentChart) {
    SetDefaultColor(FParentChart->FreeSeriesColor(true, this));
    ColorChanged();
  }
  ResolveAxes();
  CheckDataSource();
}

void TChartSeries::RemovedFromChart() {
  if (FParentChart) {
    if (Cursor != crDefault && FParentChart->GetChartCursor() == Cursor)
      FParentChart->SetChartCursor(FParentChart->GetOriginalCursor());
  }
  UnlinkFromSources();
  FHorizAxisRef = FVertAxisRef = nullptr;
  TCustomChartSeries::RemovedFromChart();
}

void TChartSeries::Notification(TComponent* Component, TOperation Operation) {
  TCustomChartSeries::Notification(Component, Operation);
  if (Operation != TOperation::opRemove || Component == this) return;
  if (FFunction && Component == FFunction) FFunction = nullptr;
  if (FDataSources.IndexOf(Component) >= 0) {
    // While this series goes too, the entry is only dropped.
    if (Component == GetDataSource() && !IsDestroying())
      RemoveDataSource(Component);
    else
      std::erase(FDataSources.FItems, Component);
  }
}

void TChartSeries::SetFunction(TPlotFunction* Value) {
  if (FFunction == Value) return;
  if (FFunction) {
    TPlotFunction* old = FFunction;
    FFunction = nullptr;
    old->FParent = nullptr;
    old->Free();
  }
  FFunction = Value;
  if (Value) {
    if (Value->FParent && Value->FParent != this) Value->FParent->DetachFunction(Value);
    Value->FParent = this;
    FreeNotification(Value);
  }
  ManualData = false;
  CheckDataSource();
}

void TChartSeries::DetachFunction(TPlotFunction* Value) {
  if (FFunction == Value) {
    FFunction = nullptr;
    if (Value) RemoveFreeNotification(Value);
  }
}

std::vector<TComponent*> TChartSeries::GetChildren() const {
  std::vector<TComponent*> children;
  if (FFunction) children.push_back(FFunction);
  return children;
}
