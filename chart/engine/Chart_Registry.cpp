// Program-wide registries of series, function and tool types; the routines
// that create, clone, convert and replace series; the built-in colour
// palettes; and drawing a series' legend symbol on any canvas.
#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "platform/rtl/ClassInfo.h"

// ============================================================================
// Registries
// ============================================================================

KV_CLASS_IMPL(TPlotSeriesType, TObject) {}

TPlotSeriesType* TPlotSeriesTypes::TypeAt(int32_t Index) const {
  if (Index < 0 || Index >= Count())
    throw ChartException("Series type index " + std::to_string(Index) + " out of range 0.." +
                         std::to_string(Count() - 1));
  return FItems[static_cast<size_t>(Index)].get();
}

TPlotSeriesType* TPlotSeriesTypes::TypeOfSeriesClass(TClass SeriesClass) const {
  for (const auto& t : FItems)
    if (t->SeriesClassRef == SeriesClass && !t->FunctionClassRef) return t.get();
  return nullptr;
}

void TPlotSeriesTypes::Clear() { FItems.clear(); }

TClass TPlotToolTypes::ToolClassAt(int32_t Index) const {
  if (Index < 0 || Index >= Count())
    throw ChartException("Tool type index " + std::to_string(Index) + " out of range 0.." +
                         std::to_string(Count() - 1));
  return FItems[static_cast<size_t>(Index)];
}

namespace Chart {

namespace {

std::unique_ptr<TPlotSeriesTypes> GSeriesTypes;
std::unique_ptr<TPlotToolTypes> GToolTypes;

const std::vector<std::string>& PaletteNames() {
  static const std::vector<std::string> names{"Standard", "Excel", "Victorian",
                                              "Pastels",  "Solid", "Classic",
                                              "Web",      "Modern", "Rainbow",
                                              "Win. XP"};
  return names;
}

const std::vector<std::vector<TColor>>& Palettes() {
  static const std::vector<std::vector<TColor>> palettes{
      {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
       0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0},
      {0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC, 0x800000, 0xFF00FF, 0x00FFFF,
       0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000, 0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x00FFFF, 0xFFCC99, 0xCC99FF},
      {0xA1A55D, 0x3153C4, 0x0996E7, 0x4AE8F6, 0xA7A2B1, 0x84A7C9, 0x51798C, 0xB7CDD8, 0x536508, 0x7BD8F7,
       0x846401},
      {0xFFFFCC, 0xCCFFFF, 0xFFCCCC, 0xCCCC00, 0xCCCCCC, 0x999900, 0x999999, 0xCCCCFF, 0x66CCFF, 0xFFCCCC, 0x9999FF,
       0x99FFFF, 0xFFCC99, 0xCCFFCC},
      {0xFF0000, 0x0000FF, 0x00FF00, 0x00CCFF, 0x404040, 0x00FFFF, 0xC000FF, 0xFFFFFF},
      {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
       0x008080},
      {0x00A5FF, 0xCE0000, 0x00CE00, 0x40FFFF, 0xFFFF40, 0xFF40FF, 0x0040FF, 0xA58080, 0x408080},
      {0x6699FF, 0x6666FF, 0xFFCC99, 0x669966, 0x99CCCC, 0xCC6699, 0x6666CC, 0x99CCFF, 0xFF6699, 0xCCCCCC, 0xCCFF66,
       0xFF9966, 0x996699, 0xFFCCCC},
      {0x000099, 0x0000C3, 0x0000EE, 0x001AFF, 0x0046FF, 0x0073FF, 0x009FFF, 0x00CBFF, 0x00F7FF, 0x08F4E3,
       0x11E7C3, 0x1BDAA3, 0x25CD83, 0x2EC063, 0x38B342, 0x42A622, 0x4B9A02, 0x6A870C, 0x8A751A, 0xAA6328,
       0xCB5036, 0xEB3E44, 0xFF2A61, 0xFF1596, 0xFF00CC},
      {0xFE9B82, 0x24D1FC, 0x0DBC7C, 0x2F85FD, 0xFCFEFD, 0x214EE2, 0xD63829, 0x0094B7, 0x00865A, 0x0046D2,
       0xFAE5D3, 0xD8D8D8, 0x7B715F}};
  return palettes;
}

}  // namespace

TPlotSeriesTypes& SeriesTypes() {
  if (!GSeriesTypes) GSeriesTypes = std::make_unique<TPlotSeriesTypes>();
  return *GSeriesTypes;
}

void RegisterType(TClass SeriesClass, TClass FuncClass, TTextRef Description, TTextRef Page, int32_t SampleCount) {
  TPlotSeriesTypes& types = SeriesTypes();
  if (SeriesClass) ClassInfo::RegisterClass(SeriesClass);
  if (FuncClass) ClassInfo::RegisterClass(FuncClass);
  for (const auto& t : types.Items())
    if (t->SeriesClassRef == SeriesClass && t->FunctionClassRef == FuncClass) return;
  auto entry = std::make_unique<TPlotSeriesType>();
  entry->SeriesClassRef = SeriesClass;
  entry->FunctionClassRef = FuncClass;
  entry->DescriptionText = Description;
  entry->PageName = Page;
  entry->SampleSeriesCount = SampleCount;
  types.Items().push_back(std::move(entry));
}

void AddSeriesType(TClass SeriesClass, TTextRef Description, TTextRef Page, int32_t SampleCount) {
  RegisterType(SeriesClass, nullptr, Description, Page, SampleCount);
}

void AddStandardSeriesType(TClass SeriesClass, TTextRef Description) {
  AddSeriesType(SeriesClass, Description, &PlotConst::MsgGalleryStandard, 2);
}

void AddFunctionType(TClass FuncClass, TTextRef Description, TTextRef Page, int32_t SampleCount) {
  RegisterType(nullptr, FuncClass, Description, Page, SampleCount);
}

void AddStandardFunctionType(TClass FuncClass, TTextRef Description) {
  AddFunctionType(FuncClass, Description, &PlotConst::MsgGalleryStandard, 2);
}

void RemoveSeriesTypes(const std::vector<TClass>& Classes) {
  if (!GSeriesTypes) return;
  for (TClass c : Classes)
    std::erase_if(GSeriesTypes->Items(), [c](const auto& t) { return t->SeriesClassRef == c; });
}

void RemoveFunctionTypes(const std::vector<TClass>& Classes) {
  if (!GSeriesTypes) return;
  for (TClass c : Classes)
    std::erase_if(GSeriesTypes->Items(), [c](const auto& t) { return t->FunctionClassRef == c; });
}

std::string SeriesTypeText(const TChartSeries* Series) {
  if (!Series) return {};
  if (GSeriesTypes)
    if (const TPlotSeriesType* t = GSeriesTypes->TypeOfSeriesClass(Series->ClassType()); t && t->DescriptionText)
      return *t->DescriptionText;
  return Series->ClassName();
}

TPlotToolTypes& ToolTypes() {
  if (!GToolTypes) GToolTypes = std::make_unique<TPlotToolTypes>();
  return *GToolTypes;
}

void AddToolClasses(const std::vector<TClass>& Classes) {
  auto& items = ToolTypes().Items();
  for (TClass c : Classes) {
    if (!c || std::find(items.begin(), items.end(), c) != items.end()) continue;
    ClassInfo::RegisterClass(c);
    items.push_back(c);
  }
}

void RemoveToolClasses(const std::vector<TClass>& Classes) {
  auto& items = ToolTypes().Items();
  for (TClass c : Classes) std::erase(items, c);
}

TClass ToolClassAt(int32_t Index) { return ToolTypes().ToolClassAt(Index); }

// ============================================================================
// Series routines
// ============================================================================

std::string UniqueSeriesName(TComponent* Owner) { return PlotProcs::UniqueName(Owner, "Series"); }

TPlotFunction* MakeSeriesFunction(TChartSeries* Series, TClass FuncClass) {
  if (!Series || !FuncClass || !FuncClass->InheritsFrom(TPlotFunction::StaticClass()))
    throw ChartException(std::string(FuncClass ? FuncClass->ClassName() : "nil") + " is not a function class.");
  TComponent* owner = Series->Owner();
  auto* f = static_cast<TPlotFunction*>(FuncClass->CreateInstance(owner));
  f->SetName(PlotProcs::UniqueName(owner, "PlotFunction"));
  f->SetParentSeries(Series);
  return f;
}

TChartSeries* MakeSeries(TComponent* Owner, TCustomAxisPanel* Chart, TClass SeriesClass, TClass FuncClass) {
  if (!SeriesClass || !SeriesClass->InheritsFrom(TChartSeries::StaticClass()))
    throw ChartException(std::string(SeriesClass ? SeriesClass->ClassName() : "nil") + " is not a series class.");
  TComponent* owner = Owner ? Owner : Chart;
  if (Chart)
    for (int32_t i = 0; i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i)->Owner() == Chart) {
        owner = Chart;
        break;
      }
  auto* s = static_cast<TChartSeries*>(SeriesClass->CreateInstance(owner));
  s->SetName(UniqueSeriesName(owner));
  if (Chart) s->SetParentChart(Chart);
  if (FuncClass) MakeSeriesFunction(s, FuncClass);
  return s;
}

TChartSeries* CloneSeriesTo(TChartSeries* Series, TComponent* Owner, TCustomAxisPanel* Chart) {
  if (!Series) return nullptr;
  TClass func = Series->GetFunction() ? Series->GetFunction()->ClassType() : nullptr;
  TChartSeries* s = MakeSeries(Owner, Chart, Series->ClassType(), func);
  s->Assign(Series);
  return s;
}

TChartSeries* CloneSeries(TChartSeries* Series, TCustomAxisPanel* Chart) {
  return Series ? CloneSeriesTo(Series, Series->Owner(), Chart) : nullptr;
}

TChartSeries* DuplicateSeries(TChartSeries* Series) {
  if (!Series) return nullptr;
  return CloneSeries(Series, dynamic_cast<TCustomAxisPanel*>(Series->GetParentComponent()));
}

void SwapInSeries(TChartSeries*& Old, TChartSeries* New) {
  if (!Old || !New || New == Old) return;
  New->Assign(Old);
  New->AfterDrawValues = Old->AfterDrawValues;
  New->BeforeDrawValues = Old->BeforeDrawValues;
  New->OnAfterAdd = Old->OnAfterAdd;
  New->OnBeforeAdd = Old->OnBeforeAdd;
  New->OnClearValues = Old->OnClearValues;
  New->OnClick = Old->OnClick;
  New->OnDblClick = Old->OnDblClick;
  New->OnGetMarkText = Old->OnGetMarkText;
  const std::string name = Old->GetName();
  std::vector<TChartSeries*> dependents;
  for (int32_t i = 0; i < Old->LinkedSeries().Count(); ++i) dependents.push_back(Old->LinkedSeries().GetSeries(i));
  for (TChartSeries* d : dependents) {
    // Removing a series' first source drops them all, so the list is rebuilt
    // with New in Old's place.
    std::vector<TComponent*> sources;
    for (TComponent* c : d->DataSources().Items()) {
      TComponent* k = c == Old ? New : c;
      if (std::find(sources.begin(), sources.end(), k) == sources.end()) sources.push_back(k);
    }
    const bool first = d->GetDataSource() == Old;
    d->RemoveDataSource(Old);
    if (first) {
      for (TComponent* c : sources) d->InternalAddDataSource(c);
    } else if (d->DataSources().IndexOf(New) < 0) {
      d->InternalAddDataSource(New);
    }
    d->CheckDataSource();
  }
  auto* chart = dynamic_cast<TCustomAxisPanel*>(Old->GetParentComponent());
  if (chart) {
    TChartTools& tools = chart->GetTools();
    for (int32_t i = 0; i < tools.Count(); ++i)
      if (auto* t = dynamic_cast<TPlotCustomToolSeries*>(tools.ToolAt(i)); t && t->GetSeries() == Old)
        t->SetSeries(New);
    chart->ExchangeSeriesPair(Old, New);
  }
  Old->Free();
  Old = nullptr;
  New->SetName(name);
  if (chart) {
    chart->BroadcastSeriesEvent(New, 2);
    chart->RefreshSeriesData(New);
  }
  if (New->ManualData) New->RefreshSeries();
}

TChartSeries* ConvertSeriesClass(TChartSeries*& Series, TClass NewClass) {
  if (!Series || !NewClass || Series->ClassType() == NewClass) return Series;
  auto* chart = dynamic_cast<TCustomAxisPanel*>(Series->GetParentComponent());
  TChartSeries* s = MakeSeries(Series->Owner(), chart, NewClass, nullptr);
  SwapInSeries(Series, s);
  Series = s;
  return s;
}

void DrawSeriesSymbolOn(TChartSeries* Series, TCanvas& Canvas, const TRect& Rect, TCustomChart* Chart) {
  if (!Series) return;
  // Puts back the series' chart and the chart canvas' target on every exit.
  struct Restore {
    TChartSeries* Series;
    bool Attached = false;
    TCustomChart* Temporary = nullptr;
    TPlotCanvas3D* Canvas = nullptr;
    TCanvas* SavedTarget = nullptr;
    ~Restore() {
      if (Canvas) Canvas->AttachCanvas(SavedTarget);
      if (Attached) Series->SetParentChart(nullptr);
      if (Temporary) Temporary->Free();
    }
  } restore{Series};
  auto* chart = dynamic_cast<TCustomChart*>(Series->GetParentComponent());
  if (!chart) {
    chart = Chart ? Chart : (restore.Temporary = Create<TChart>(nullptr));
    Series->SetParentChart(chart);
    restore.Attached = true;
  }
  TPlotCanvas3D& c = *chart->Canvas();
  Canvas.Brush->SetStyle(TBrushStyle::bsSolid);
  Canvas.Brush->SetColor(chart->Legend()->GetColor());
  TLegendSymbol& symbol = *chart->Legend()->Symbol();
  chart->LegendSymbolPen = symbol.GetDefaultPen() ? nullptr : symbol.Pen();
  if (c.IsTrue3D()) return;
  restore.Canvas = &c;
  restore.SavedTarget = c.Target;
  c.AttachCanvas(&Canvas);
  Series->DrawLegend(-1, Rect);
}

// ============================================================================
// Palettes
// ============================================================================

const std::vector<std::string>& ColorPalettes() { return PaletteNames(); }

const std::vector<TColor>& PaletteColors(int32_t Index) {
  const auto& all = Palettes();
  if (Index < 0 || Index >= static_cast<int32_t>(all.size()))
    throw ChartException("Colour palette " + std::to_string(Index) + " out of range 0.." +
                         std::to_string(all.size() - 1));
  return all[static_cast<size_t>(Index)];
}

void ApplyPalette(TCustomAxisPanel* Chart, int32_t Index) {
  if (!Chart) return;
  if (Index >= 1 && Index <= 9)
    Chart->ColorPalette = PaletteColors(Index);
  else
    Chart->ColorPalette.clear();
  Chart->AssignFreeSeriesColors();
  if (auto* c = dynamic_cast<TCustomChart*>(Chart)) c->ColorPaletteIndex = Index;
  Chart->Invalidate();
}

// ============================================================================
// Start-up and shut-down
// ============================================================================

void Initialize() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  ToolTypes();
  FormatLoadingSuspended = false;
}

void Finalize() {
  GSeriesTypes.reset();
  GToolTypes.reset();
}

}  // namespace Chart
