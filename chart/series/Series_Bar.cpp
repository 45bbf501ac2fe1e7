// Bar series: where the bars of one or several bar series of a kind go (group
// counts, bar width, the bar rectangle, stack origins), their axis ranges,
// margins, marks, hit test, drawing order and gallery variants.
#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

namespace {

int32_t RoundPixel(double Value) { return PlotCanvas::RoundToPixel(Value); }

constexpr std::initializer_list<const char*> kMultiBarNames{"mbNone",    "mbSide",      "mbStacked",
                                                            "mbStacked100", "mbSideAll", "mbSelfStack"};
constexpr std::initializer_list<const char*> kBarStyleNames{
    "bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder", "bsEllipse", "bsArrow",    "bsRectGradient",
    "bsCone",      "bsBevel",   "bsSlantCube",  "bsDiamond",  "bsInvArrow", "bsInvCone"};

bool IsTriangleStyle(TBarStyle S) { return S == bsPyramid || S == bsInvPyramid || S == bsCone || S == bsInvCone; }
bool IsInvertedStyle(TBarStyle S) { return S == bsInvPyramid || S == bsInvCone; }

void SetMarksVisible(TChartSeries& Series, bool Visible) {
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Series.Marks())) marks->SetVisible(Visible);
}

}  // namespace

// ============================================================================
// TBarSeriesGradient
// ============================================================================

KV_CLASS_IMPL(TBarSeriesGradient, TPlotGradient) {
  c.Property("Relative", &TBarSeriesGradient::GetRelative, &TBarSeriesGradient::SetRelative).Default(false);
  c.Property("Visible", &TBarSeriesGradient::GetVisible, &TBarSeriesGradient::SetVisible).Default(true);
}

TBarSeriesGradient::TBarSeriesGradient(TPlotChangeEvent ChangeHandler) : TPlotGradient(std::move(ChangeHandler)) {
  SetVisible(true);
}

void TBarSeriesGradient::Assign(const TPersistent* Source) {
  if (const auto* g = dynamic_cast<const TBarSeriesGradient*>(Source)) FRelative = g->FRelative;
  TPlotGradient::Assign(Source);
}

// ============================================================================
// TCustomBarSeries
// ============================================================================

KV_CLASS_IMPL(TCustomBarSeries, TChartSeries) {
  c.Editor("TBarSeriesEditor");
  using S = TCustomBarSeries;
  c.Property("AutoBarSize", &S::GetAutoBarSize, &S::SetAutoBarSize).Default(false);
  c.Property("AutoMarkPosition", &S::GetAutoMarkPosition, &S::SetAutoMarkPosition).Default(true);
  c.Property("BarBrush", &S::BarBrush);
  c.Property("BarPen", &S::BarPen);
  c.Property("BarStyle", &S::GetBarStyle, &S::SetBarStyle).Names(kBarStyleNames).Default(bsRectangle);
  c.Property("BarWidthPercent", &S::GetBarWidthPercent, &S::SetBarWidthPercent).Default(70);
  c.Property("BevelSize", &S::GetBevelSize, &S::SetBevelSize).Default(1);
  c.Property("Dark3D", &S::GetDark3D, &S::SetDark3D).Default(true);
  c.Property("DepthPercent", &S::GetDepthPercent, &S::SetDepthPercent).Default(100);
  c.Property("Gradient", &S::Gradient);
  c.Property("MultiBar", &S::GetMultiBar, &S::SetMultiBar).Names(kMultiBarNames).Default(mbSide);
  c.Property("OffsetPercent", &S::GetOffsetPercent, &S::SetOffsetPercent).Default(0);
  c.Property("SideMargins", &S::GetSideMargins, &S::SetSideMargins).Default(true);
  c.Property("StackGroup", &S::GetStackGroup, &S::SetStackGroup).Default(0);
  c.Property("TickLines", &S::TickLines);
  c.Property("UseYOrigin", &S::GetUseYOrigin, &S::SetUseYOrigin).Default(true);
  c.Property("YOrigin", &S::GetYOrigin, &S::SetYOrigin).Default(0.0);
}

TCustomBarSeries::TCustomBarSeries(TComponent* Owner) : TChartSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FGradient = std::make_unique<TBarSeriesGradient>(repaint);
  FTickLines = std::make_unique<TChartHiddenPen>(repaint);
}

TCustomBarSeries::~TCustomBarSeries() = default;

void TCustomBarSeries::Init() {
  TChartSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->SetVisible(true);
    marks->GetCallout()->DefaultLength = 20;
    marks->GetCallout()->SetLength(20);
  }
}

void TCustomBarSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomBarSeries*>(Source)) {
    FAutoMarkPosition = s->FAutoMarkPosition;
    FBarWidthPercent = s->FBarWidthPercent;
    FBarStyle = s->FBarStyle;
    FBevelSize = s->FBevelSize;
    FCustomBarWidth = s->FCustomBarWidth;
    FDark3D = s->FDark3D;
    FDepthPercent = s->FDepthPercent;
    FGradient->Assign(s->FGradient.get());
    FMultiBar = s->FMultiBar;
    FOffsetPercent = s->FOffsetPercent;
    FYOrigin = s->FYOrigin;
    FSideMargins = s->FSideMargins;
    FStackGroup = s->FStackGroup;
    FTickLines->Assign(s->FTickLines.get());
    BarTransparency = s->BarTransparency;
    FUseYOrigin = s->FUseYOrigin;
  }
  TChartSeries::Assign(Source);
}

TCanvas3D& TCustomBarSeries::ChartCanvas() const {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) throw ChartException(PlotConst::MsgNoParentChart);
  return *c;
}

bool TCustomBarSeries::OrthogonalView() const {
  const auto* panel = dynamic_cast<const TCustomPlotPanel*>(FParentChart);
  return panel && panel->View3DOptions()->GetOrthogonal();
}

// ---- settings ----

void TCustomBarSeries::SetBarStyle(TBarStyle Value) {
  if (FBarStyle == Value) return;
  FBarStyle = Value;
  Repaint();
}

void TCustomBarSeries::SetMultiBar(TMultiBar Value) {
  FMultiBar = Value;
  SyncMultiBar(true);
  Repaint();
}

void TCustomBarSeries::SetSideMargins(bool Value) {
  const bool changed = FSideMargins != Value;
  FSideMargins = Value;
  SyncMultiBar(true);
  if (changed) Repaint();
}

void TCustomBarSeries::SyncMultiBar(bool Apply) {
  if (!FParentChart) return;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* b = dynamic_cast<TCustomBarSeries*>(list.GetSeries(i));
    if (!b || !SameClass(*b)) continue;
    if (Apply) {
      b->FMultiBar = FMultiBar;
      b->FSideMargins = FSideMargins;
      b->CalcVisiblePoints = FMultiBar != mbSelfStack;
    } else {
      FMultiBar = b->FMultiBar;
      FSideMargins = b->FSideMargins;
      return;
    }
  }
}

void TCustomBarSeries::SetParentChart(TSeriesChart* Value) {
  TChartSeries::SetParentChart(Value);
  SyncMultiBar(false);
}

TBarStyle TCustomBarSeries::BarStyleOf(int32_t ValueIndex) {
  TBarStyle style = FBarStyle;
  if (OnGetBarStyle) OnGetBarStyle(this, ValueIndex, style);
  return style;
}

int32_t TCustomBarSeries::SeriesIndex() const {
  return FParentChart ? FParentChart->GetSeriesList().IndexOf(this) : 0;
}

// ---- layout ----

void TCustomBarSeries::PrepareDraw() {
  TChartSeries::PrepareDraw();
  GroupIndex = 1;
  PointsBefore = 0;
  GroupCount = 0;
  SlotCount = -1;
  if (!FParentChart) return;
  std::vector<int32_t> groups;
  bool met = false;
  int32_t largest = -1;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* b = dynamic_cast<TCustomBarSeries*>(list.GetSeries(i));
    if (!b || !b->GetActive() || !SameClass(*b)) continue;
    if (b == this) met = true;
    const int32_t c = b->Count();
    largest = std::max(largest, c);
    switch (FMultiBar) {
      case mbNone:
      case mbSelfStack: GroupCount = 1; break;
      case mbSide:
      case mbSideAll:
        ++GroupCount;
        if (!met) ++GroupIndex;
        break;
      case mbStacked:
      case mbStacked100:
        if (std::find(groups.begin(), groups.end(), b->FStackGroup) == groups.end()) {
          groups.push_back(b->FStackGroup);
          ++GroupCount;
          if (!met) ++GroupIndex;
        }
        break;
    }
    if (!met) PointsBefore += c;
  }
  // One slot per point of the longest series, and one more for the side
  // margins: the widths do not depend on the order of the series.
  SlotCount = largest;
  if (FSideMargins && largest > 0) ++SlotCount;
  if (auto it = std::find(groups.begin(), groups.end(), FStackGroup); it != groups.end())
    GroupIndex = static_cast<int32_t>(it - groups.begin()) + 1;
  const int32_t perPage = FParentChart->GetMaxPointsPerPage();
  if (FMultiBar == mbSelfStack)
    SlotCount = perPage != 0 ? perPage : GroupCount;
  else if (perPage > 0)
    SlotCount = perPage;
}

void TCustomBarSeries::CalcBarWidth() {
  if (FCustomBarWidth != 0) {
    BarWidth = FCustomBarWidth;
    return;
  }
  TChartAxis* axis = CategoryAxis();
  if (SlotCount < 1 || !axis) {
    BarWidth = 0;
    return;
  }
  const int32_t length = axis->EndPixel - axis->StartPixel;
  int32_t w;
  if (FAutoBarSize) {
    const double span = 2 + axis->GetMaximum() - axis->GetMinimum();
    w = span != 0 ? RoundPixel(length / span) : 0;
  } else {
    w = length / SlotCount;
  }
  BarWidth = RoundPixel(FBarWidthPercent * 0.01 * w) / std::max(1, GroupCount);
  if (BarWidth > 0 && BarWidth % 2 == 1) ++BarWidth;
}

int32_t TCustomBarSeries::GroupMargin() const {
  int32_t m = FMultiBar == mbSideAll ? BarWidth : BarWidth * GroupCount;
  if (!FSideMargins) m /= 2;
  return m;
}

void TCustomBarSeries::AddBarMargins(int32_t& Low, int32_t& High) {
  CalcBarWidth();
  const int32_t m = GroupMargin();
  Low += m;
  High += m;
}

int32_t TCustomBarSeries::CategoryPixel(int32_t ValueIndex) const {
  TChartAxis* axis = CategoryAxis();
  if (!axis) throw ChartException(PlotConst::MsgNoParentChart);
  int32_t p;
  switch (FMultiBar) {
    case mbSideAll: p = axis->ValueToPixel(ValueIndex + PointsBefore) - BarWidth / 2; break;
    case mbSelfStack: p = axis->ValueToPixel(SeriesIndex()) - BarWidth / 2; break;
    default:
      p = axis->ValueToPixel(NotMandatoryList()->GetValue(ValueIndex));
      if (FMultiBar == mbNone)
        p -= BarWidth / 2;
      else
        p += RoundPixel((GroupIndex - GroupCount * 0.5 - 1) * BarWidth);
      break;
  }
  if (FOffsetPercent != 0) p += RoundPixel(FOffsetPercent * BarWidth * 0.01);
  return p;
}

double TCustomBarSeries::PointOrigin(int32_t ValueIndex, bool SumAll) const {
  if (FMultiBar == mbSelfStack) {
    double sum = 0;
    for (int32_t i = 0; i < ValueIndex && i < Count(); ++i) sum += MandatoryValue(i);
    return sum;
  }
  if (!StackedMode()) return FYOrigin;
  if (!FParentChart) return 0;
  const bool positive = MandatoryValue(ValueIndex) >= 0;
  double sum = 0;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* b = dynamic_cast<TCustomBarSeries*>(list.GetSeries(i));
    if (!SumAll && b == this) break;
    if (!b || !b->GetActive() || !SameClass(*b) || b->Count() <= ValueIndex || b->FStackGroup != FStackGroup)
      continue;
    const double v = b->GetOriginValue(ValueIndex);
    if (positive ? v > 0 : v < 0) sum += v;
  }
  return sum;
}

int32_t TCustomBarSeries::StackedValuePixel(int32_t ValueIndex, double Value, bool& Valid) const {
  double v = PointOrigin(ValueIndex, false) + Value;
  Valid = true;
  if (FMultiBar == mbStacked100) {
    const double total = PointOrigin(ValueIndex, true);
    // An empty stack stands on the value axis' zero, not at the control's edge.
    if (total == 0) {
      Valid = false;
      return MandatoryValueToPixel(0);
    }
    v = v * 100 / total;
  }
  return MandatoryValueToPixel(v);
}

int32_t TCustomBarSeries::ValuePixel(int32_t ValueIndex) const {
  if (FMultiBar == mbNone || FMultiBar == mbSide || FMultiBar == mbSideAll)
    return MandatoryValueToPixel(MandatoryValue(ValueIndex));
  bool valid;
  return StackedValuePixel(ValueIndex, MandatoryValue(ValueIndex), valid);
}

int32_t TCustomBarSeries::OriginPixel(int32_t ValueIndex, int32_t DefaultPixel) const {
  const bool stacked = StackedMode() || FMultiBar == mbSelfStack;
  if (!stacked && !FUseYOrigin) return DefaultPixel;
  if (FMultiBar == mbStacked100) {
    bool valid;
    return StackedValuePixel(ValueIndex, 0, valid);
  }
  return MandatoryValueToPixel(PointOrigin(ValueIndex, false));
}

bool TCustomBarSeries::BarsTouch() const {
  return FBarWidthPercent == 100 && FCustomBarWidth == 0 && FMultiBar != mbSelfStack;
}

// ---- drawing one point ----

void TCustomBarSeries::DrawPoint(int32_t Index) {
  TChartSeries::DrawPoint(Index);
  BarColor = ValueColor(Index);
  if (BarColor == clNone || !FParentChart) return;
  CalcBarBounds(Index);
  TCanvas3D& canvas = ChartCanvas();
  const TBlendScope blend(canvas, BlendRect(), BarTransparency);
  if (Vertical())
    PaintBar(Index, std::min(BarBounds.Top, BarBounds.Bottom), std::max(BarBounds.Top, BarBounds.Bottom));
  else
    PaintBar(Index, std::min(BarBounds.Left, BarBounds.Right), std::max(BarBounds.Left, BarBounds.Right));
}

TRect TCustomBarSeries::BlendRect() const {
  if (!Chart3D()) return BarBounds;
  TCanvas3D& c = ChartCanvas();
  const TRect a = NormalizeRect(c.RectTo2D(BarBounds, StartZ));
  const TRect b = NormalizeRect(c.RectTo2D(BarBounds, EndZ));
  return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom));
}

// ---- ranges, margins, marks ----

double TCustomBarSeries::MaxStackedValue(double Value) {
  if (FMultiBar == mbStacked100) return 100;
  double r = Value;
  if (FMultiBar == mbSelfStack) {
    r = MandatoryList()->Total();
  } else if (FMultiBar == mbStacked) {
    for (int32_t i = 0; i < Count(); ++i) r = std::max(r, PointOrigin(i, false) + MandatoryValue(i));
  }
  if (FUseYOrigin) r = std::max(r, FYOrigin);
  return r;
}

double TCustomBarSeries::MinStackedValue(double Value) {
  if (FMultiBar == mbStacked100) return 0;
  double r = Value;
  if (FMultiBar == mbStacked || FMultiBar == mbSelfStack)
    for (int32_t i = 0; i < Count(); ++i) r = std::min(r, PointOrigin(i, false) + MandatoryValue(i));
  if (FUseYOrigin) r = std::min(r, FYOrigin);
  return r;
}

int32_t TCustomBarSeries::MarksSpace(int32_t ValueIndex) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (Count() == 0 || !marks || !marks->GetVisible() || !FParentChart || !FParentChart->GetCanvas()) return 0;
  ChartCanvas().UseFont(*marks->Font());
  int32_t a = MarkExtent(ValueIndex) + marks->GetCallout()->GetLength();
  if (marks->Pen()->GetVisible()) a += 2 * marks->Pen()->GetWidth();
  return a;
}

void TCustomBarSeries::FindVisibleRange() {
  if (FMultiBar == mbSelfStack) {
    FirstValueIndex = Count() > 0 ? 0 : -1;
    LastValueIndex = Count() - 1;
    return;
  }
  if (FParentChart && FParentChart->GetMaxPointsPerPage() == 1) {
    const int32_t i = FParentChart->GetPage() - 1;
    FirstValueIndex = LastValueIndex = (i >= 0 && i < Count()) ? i : -1;
    return;
  }
  TChartSeries::FindVisibleRange();
}

int32_t TCustomBarSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FirstValueIndex < 0) return -1;
  for (int32_t i = FirstValueIndex; i <= LastValueIndex && i < Count(); ++i)
    if (BarClicked(i, TPoint(X, Y))) return i;
  return -1;
}

// ---- depth ----

void TCustomBarSeries::ResolveDepthOrder() {
  if (FMultiBar != mbNone && FParentChart) {
    TChartSeriesList& list = FParentChart->GetSeriesList();
    for (int32_t i = 0; i < list.Count(); ++i) {
      TChartSeries* s = list.GetSeries(i);
      if (s == this) break;
      if (s->GetActive() && dynamic_cast<TCustomBarSeries*>(s) && SameClass(*s)) {
        ComputedZOrder = s->GetZOrder();
        return;
      }
    }
  }
  TChartSeries::ResolveDepthOrder();
}

void TCustomBarSeries::CalcDepthPositions() {
  TChartSeries::CalcDepthPositions();
  if (FDepthPercent == 0) return;
  const int32_t d = RoundPixel((100 - FDepthPercent) * (EndZ - StartZ) * 0.005);
  StartZ += d;
  EndZ -= d;
}

// ---- legend ----

void TCustomBarSeries::PrepareLegendCanvas(int32_t /*Item*/, TColor& BackColor, TBrushStyle& BrushStyle) {
  if (TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr) c->UsePen(*BarPen());
  BrushStyle = BarBrush()->GetStyle();
  BackColor = BarBrush()->GetColor();
  if (BackColor == clDefault && FParentChart) BackColor = FParentChart->GetPanelColor();
}

void TCustomBarSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  // A brush image is already the canvas brush (the legend selects BarBrush).
  TChartSeries::PaintLegendSymbol(Item, Rect);
}

void TCustomBarSeries::UseBarBrush(TColor Colour) {
  if (!FParentChart) return;
  ChartCanvas().UsePen(*BarPen());
  TColor back = BarBrush()->GetColor();
  if (back == clDefault) back = FParentChart->GetPanelColor();
  FParentChart->SetBrushCanvas(Colour, BarBrush(), back);
}

// ---- gallery and samples ----

void TCustomBarSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TChartSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Colors", "Pyramid", "Ellipse", "Inv. Pyramid", "Gradient"}) Callback(v);
  if (CanStack())
    for (const char* v : {"Stack", "Stack 100%", "Self Stacked"}) Callback(v);
  for (const char* v : {"Sides", "Side All"}) Callback(v);
}

void TCustomBarSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* b = dynamic_cast<TCustomBarSeries*>(Series);
  if (!b) return;
  switch (Index) {
    case 1: b->SetColorEachPoint(true); return;
    case 2: b->SetBarStyle(bsPyramid); return;
    case 3: b->SetBarStyle(bsEllipse); return;
    case 4: b->SetBarStyle(bsInvPyramid); return;
    case 5: b->SetBarStyle(bsRectGradient); return;
    default: break;
  }
  if (Index < 6) return;
  TCustomBarSeries* second = nullptr;
  auto* panel = dynamic_cast<TCustomAxisPanel*>(b->GetParentChart());
  if (panel && panel->SeriesCount() == 1) {
    b->FillSampleValues(2);
    second = dynamic_cast<TCustomBarSeries*>(
        Chart::MakeSeries(b->Owner() ? b->Owner() : panel, panel, b->ClassType(), nullptr));
    if (second) {
      second->SetTitle("");
      second->FillSampleValues(2);
      SetMarksVisible(*second, false);
      second->SetBarWidthPercent(b->GetBarWidthPercent());
    }
    SetMarksVisible(*b, false);
  }
  if (!CanStack()) Index += 3;
  TMultiBar mode;
  switch (Index) {
    case 6: mode = mbStacked; break;
    case 7: mode = mbStacked100; break;
    case 8: mode = mbSelfStack; break;
    case 9: mode = mbSide; break;
    case 10: mode = mbSideAll; break;
    default: return;
  }
  b->SetMultiBar(mode);
  if (second) second->SetMultiBar(mode);
}

void TCustomBarSeries::PrepareForGallery(bool Enabled) {
  TChartSeries::PrepareForGallery(Enabled);
  SetBarWidthPercent(85);
  SetBarStyle(bsRectGradient);
  FGradient->SetVisible(true);
  SetMultiBar(mbNone);
}

int32_t TCustomBarSeries::NumSampleValues() const {
  if (FParentChart) {
    TChartSeriesList& list = FParentChart->GetSeriesList();
    for (int32_t i = 0; i < list.Count(); ++i) {
      TChartSeries* s = list.GetSeries(i);
      if (s != this && dynamic_cast<TCustomBarSeries*>(s) && s->Count() > 0) return s->Count();
    }
  }
  return 6;
}

int32_t TCustomBarSeries::AddSampleValues(int32_t N, bool OnlyMandatory) {
  if (FParentChart) {
    TChartSeriesList& list = FParentChart->GetSeriesList();
    for (int32_t i = 0; i < list.Count(); ++i) {
      TChartSeries* s = list.GetSeries(i);
      if (s != this && SameClass(*s) && PlotEngine::SeriesHasOwnXValues(*s))
        return TChartSeries::AddSampleValues(N, OnlyMandatory);
    }
  }
  return TChartSeries::AddSampleValues(N, true);
}

// ============================================================================
// TBarSeries
// ============================================================================

KV_CLASS_IMPL(TBarSeries, TCustomBarSeries) {
  c.Property("CustomBarWidth", &TBarSeries::GetCustomBarWidth, &TBarSeries::SetCustomBarWidth).Default(0);
}

TBarSeries::TBarSeries(TComponent* Owner) : TCustomBarSeries(Owner) {
  Gradient()->SetDirection(gdTopBottom);
  YValues()->SetName("Bar");
}

void TBarSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustomBarSeries::CalcHorizMargins(Left, Right);
  AddBarMargins(Left, Right);
}

void TBarSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustomBarSeries::CalcVerticalMargins(Top, Bottom);
  int32_t a = MarksSpace(0);
  if (a <= 0) return;
  ++a;
  TChartAxis* v = GetVertAxisRef();
  const bool inverted = v && v->GetInverted();
  if (FUseYOrigin && TChartSeries::SmallestY() < FYOrigin) (inverted ? Top : Bottom) += a;
  if (!(FUseYOrigin && TChartSeries::LargestY() <= FYOrigin)) (inverted ? Bottom : Top) += a;
}

int32_t TBarSeries::MarkExtent(int32_t /*ValueIndex*/) { return ChartCanvas().FontHeight(); }

void TBarSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (marks && GetVertAxisRef()) {
    TMarksCallout& callout = *marks->GetCallout();
    const int32_t distance = callout.GetDistance();
    int32_t d = callout.GetLength() + distance;
    const int32_t h = BarWidth / 2;
    if (OriginPixel(Index, GetVertAxisRef()->EndPixel) < Position.ArrowTip.Y) {
      // The bar extends downwards: the mark goes below it.
      d = -d - Position.Height;
      Position.ArrowTip.Y += distance;
    } else {
      Position.ArrowTip.Y -= distance;
    }
    Position.TopLeft.X += h;
    Position.ArrowTail.X += h;
    Position.ArrowTip.X += h;
    Position.TopLeft.Y -= d;
    Position.ArrowTail.Y -= d;
    if (FAutoMarkPosition) marks->AntiOverlap(FirstValueIndex, Index, Position);
  }
  TCustomBarSeries::PaintMark(Index, Text, Position);
}

bool TBarSeries::MoreSameZOrder() const { return FMultiBar != mbSideAll && TCustomBarSeries::MoreSameZOrder(); }

double TBarSeries::LargestX() {
  if (FMultiBar == mbSideAll) return Count() + PointsBefore - 1;
  if (FMultiBar == mbSelfStack) return SeriesIndex();
  return TCustomBarSeries::LargestX();
}

double TBarSeries::SmallestX() {
  if (FMultiBar == mbSelfStack) return SeriesIndex();
  return TCustomBarSeries::SmallestX();
}

double TBarSeries::LargestY() { return MaxStackedValue(TCustomBarSeries::LargestY()); }

double TBarSeries::SmallestY() { return MinStackedValue(TCustomBarSeries::SmallestY()); }

bool TBarSeries::DrawSeriesForwardAt(int32_t ValueIndex) const {
  TChartAxis* v = GetVertAxisRef();
  const bool notInverted = !(v && v->GetInverted());
  switch (FMultiBar) {
    case mbStacked:
    case mbSelfStack: return notInverted == (GetYValue(ValueIndex) >= FYOrigin);
    case mbStacked100: return notInverted;
    default: return DrawSeriesForward();
  }
}

void TBarSeries::CalcBarBounds(int32_t ValueIndex) {
  TChartPen& pen = *BarPen();
  const int32_t left = PointPixelX(ValueIndex);
  int32_t right;
  if (!BarsTouch()) {
    right = left + BarWidth + 1;
  } else {
    const int32_t p = std::max(1, pen.GetVisible() ? pen.GetWidth() : 0);
    TChartAxis* h = GetHorizAxisRef();
    if (h && h->GetInverted())
      right = ValueIndex > 0 ? PointPixelX(ValueIndex - 1) : left + BarWidth + p;
    else
      right = ValueIndex < Count() - 1 ? PointPixelX(ValueIndex + 1) + 1 - p / 2 : left + BarWidth + 1 - p / 2;
  }
  int32_t top = PointPixelY(ValueIndex);
  int32_t bottom = OriginPixel(ValueIndex, GetVertAxisRef()->EndPixel);
  if (!pen.GetVisible()) {
    if (top >= bottom)
      ++top;
    else
      ++bottom;
    ++right;
  }
  BarBounds = TRect(left, top, right, bottom);
}

bool TBarSeries::BarClicked(int32_t ValueIndex, TPoint P) {
  const int32_t x0 = PointPixelX(ValueIndex);
  const bool is3D = Chart3D();
  if (!is3D && (P.X < x0 || P.X > x0 + BarWidth)) return false;
  int32_t top = PointPixelY(ValueIndex);
  int32_t bottom = OriginPixel(ValueIndex, GetVertAxisRef()->EndPixel);
  if (top > bottom) std::swap(top, bottom);
  const TBarStyle style = BarStyleOf(ValueIndex);
  if (IsTriangleStyle(style)) {
    const bool inv = IsInvertedStyle(style);
    const int32_t base = inv ? top : bottom, apex = inv ? bottom : top;
    if (!is3D) return PlotProcs::PointInTriangleUp(P, x0, x0 + BarWidth, base, apex);
    TCanvas3D& c = ChartCanvas();
    const std::vector<TPoint> tri{c.Project(x0, base, StartZ), c.Project(x0 + BarWidth, base, StartZ),
                                  c.Project(x0 + BarWidth / 2, apex, MiddleZ)};
    return PlotProcs::PointInPolygon(P, tri);
  }
  if (is3D) {
    ChartCanvas().ScreenTo3D(P.X, P.Y, StartZ);
    if (P.X < x0 || P.X > x0 + BarWidth) return false;
  }
  if (style == bsEllipse) return PlotProcs::PointInEllipse(P, x0, top, x0 + BarWidth, bottom);
  return P.Y >= top && P.Y <= bottom;
}

// ============================================================================
// THorizBarSeries
// ============================================================================

KV_CLASS_IMPL(THorizBarSeries, TCustomBarSeries) {
  c.Property("CustomBarHeight", &THorizBarSeries::GetCustomBarWidth, &THorizBarSeries::SetCustomBarWidth)
      .Default(0);
}

THorizBarSeries::THorizBarSeries(TComponent* Owner) : TCustomBarSeries(Owner) {
  SetHorizontal();
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
  Gradient()->SetDirection(gdLeftRight);
  XValues()->SetName("Bar");
}

void THorizBarSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TCustomBarSeries::CalcVerticalMargins(Top, Bottom);
  AddBarMargins(Top, Bottom);
}

void THorizBarSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TCustomBarSeries::CalcHorizMargins(Left, Right);
  int32_t a = MarksSpace(-1);
  if (a <= 0) return;
  ++a;
  TChartAxis* h = GetHorizAxisRef();
  const bool inverted = h && h->GetInverted();
  if (FUseYOrigin && TChartSeries::SmallestX() < FYOrigin) (inverted ? Right : Left) += a;
  if (!(FUseYOrigin && TChartSeries::LargestX() <= FYOrigin)) (inverted ? Left : Right) += a;
}

int32_t THorizBarSeries::MarkExtent(int32_t ValueIndex) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (!marks) return 0;
  return ValueIndex == -1 ? marks->MaxMarkWidth() : marks->TextWidth(ValueIndex);
}

void THorizBarSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (marks && GetHorizAxisRef()) {
    TMarksCallout& callout = *marks->GetCallout();
    const int32_t distance = callout.GetDistance();
    int32_t d = callout.GetLength() + distance;
    const int32_t h = BarWidth / 2;
    const bool toLeft = OriginPixel(Index, GetHorizAxisRef()->StartPixel) > Position.ArrowTip.X;
    if (toLeft) d = -d - Position.Width;
    Position.TopLeft.X += d + Position.Width / 2;
    Position.TopLeft.Y += Position.Height / 2 + h;
    Position.ArrowTail.X += d;
    Position.ArrowTail.Y += h;
    Position.ArrowTip.Y += h;
    Position.ArrowTip.X += toLeft ? -distance : distance;
  }
  TCustomBarSeries::PaintMark(Index, Text, Position);
}

double THorizBarSeries::LargestY() {
  if (FMultiBar == mbSideAll) return Count() + PointsBefore - 1;
  if (FMultiBar == mbSelfStack) return SeriesIndex();
  return TCustomBarSeries::LargestY();
}

double THorizBarSeries::SmallestY() {
  if (FMultiBar == mbSelfStack) return SeriesIndex();
  return TCustomBarSeries::SmallestY();
}

double THorizBarSeries::LargestX() { return MaxStackedValue(TCustomBarSeries::LargestX()); }

double THorizBarSeries::SmallestX() { return MinStackedValue(TCustomBarSeries::SmallestX()); }

bool THorizBarSeries::DrawSeriesForwardAt(int32_t ValueIndex) const {
  TChartAxis* h = GetHorizAxisRef();
  const bool notInverted = !(h && h->GetInverted());
  switch (FMultiBar) {
    case mbNone: return DrawSeriesForward();
    case mbSide:
    case mbSideAll: return false;
    case mbStacked:
    case mbSelfStack: return notInverted == (GetXValue(ValueIndex) >= 0);
    case mbStacked100: return notInverted;
  }
  return DrawSeriesForward();
}

void THorizBarSeries::CalcBarBounds(int32_t ValueIndex) {
  TChartPen& pen = *BarPen();
  const int32_t top = PointPixelY(ValueIndex);
  int32_t bottom;
  if (!BarsTouch()) {
    bottom = top + BarWidth - 1;
  } else {
    const int32_t p = pen.GetVisible() ? pen.GetWidth() : 0;
    TChartAxis* v = GetVertAxisRef();
    if (v && v->GetInverted())
      bottom = ValueIndex < Count() - 1 ? PointPixelY(ValueIndex + 1) : top + BarWidth - p;
    else
      bottom = ValueIndex > 0 ? PointPixelY(ValueIndex - 1) : top + BarWidth - p;
  }
  int32_t right = PointPixelX(ValueIndex);
  int32_t left = OriginPixel(ValueIndex, GetHorizAxisRef()->StartPixel);
  if (!pen.GetVisible()) {
    if (right > left) {
      ++right;
    } else {
      ++left;
      --right;
    }
    ++bottom;
  }
  BarBounds = TRect(left, top, right, bottom);
}

bool THorizBarSeries::BarClicked(int32_t ValueIndex, TPoint P) {
  const int32_t y0 = PointPixelY(ValueIndex);
  const bool is3D = Chart3D();
  if (!is3D && (P.Y < y0 || P.Y > y0 + BarWidth)) return false;
  int32_t left = OriginPixel(ValueIndex, GetHorizAxisRef()->StartPixel);
  int32_t right = PointPixelX(ValueIndex);
  if (left > right) std::swap(left, right);
  const TBarStyle style = BarStyleOf(ValueIndex);
  if (IsTriangleStyle(style)) {
    const bool inv = IsInvertedStyle(style);
    const int32_t base = inv ? right : left, apex = inv ? left : right;
    if (!is3D) return PlotProcs::PointInTriangleSide(P, y0, y0 + BarWidth, base, apex);
    TCanvas3D& c = ChartCanvas();
    const std::vector<TPoint> tri{c.Project(base, y0, StartZ), c.Project(base, y0 + BarWidth, StartZ),
                                  c.Project(apex, y0 + BarWidth / 2, MiddleZ)};
    return PlotProcs::PointInPolygon(P, tri);
  }
  if (is3D) {
    ChartCanvas().ScreenTo3D(P.X, P.Y, StartZ);
    if (P.Y < y0 || P.Y > y0 + BarWidth) return false;
  }
  if (style == bsEllipse) return PlotProcs::PointInEllipse(P, left, y0, right, y0 + BarWidth);
  return P.X >= left && P.X <= right;
}
