// The pie series: one slice per point with an angle in proportion to its
// absolute value, small values gathered into an "Other" slice, exploded and
// deepened slices, several pies in a grid, marks around the circle, 3-D
// drawing back to front and hit testing by slice outline.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Changes a gradient's end colour without asking for another paint.
void QuietEndColor(TCustomPlotGradient& Gradient, TColor Colour) {
  const TPlotChangeEvent handler = std::move(Gradient.OnChange);
  Gradient.OnChange = nullptr;
  Gradient.SetEndColor(Colour);
  Gradient.OnChange = handler;
}

}  // namespace

// ============================================================================
// TSliceValueList
// ============================================================================

int32_t TSliceValueList::ValueAt(int32_t Index) const {
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)] : 0;
}

void TSliceValueList::StoreSliceValue(int32_t Index, int32_t Value) {
  if (Index < 0) return;
  Grow(Index + 1);
  int32_t& v = FItems[static_cast<size_t>(Index)];
  if (v == Value) return;
  v = Value;
  if (FOwner) FOwner->Repaint();
}

void TSliceValueList::Grow(int32_t N) {
  if (Count() < N) FItems.resize(static_cast<size_t>(N), 0);
}

void TSliceValueList::Delete(int32_t Index) {
  if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

void TSliceValueList::Exchange(int32_t A, int32_t B) { std::swap(FItems[size_t(A)], FItems[size_t(B)]); }

// ============================================================================
// TPieOtherSlice, TPieShadow
// ============================================================================

KV_CLASS_IMPL(TPieOtherSlice, TPersistent) {
  c.Property("Color", &TPieOtherSlice::GetColor, &TPieOtherSlice::SetColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("Style", &TPieOtherSlice::GetStyle, &TPieOtherSlice::SetStyle)
      .Names({"poNone", "poBelowPercent", "poBelowValue"})
      .Default(poNone);
  c.Property("Text", &TPieOtherSlice::GetText, &TPieOtherSlice::SetText).Stored(&TPieOtherSlice::IsTextStored);
  c.Property("Value", &TPieOtherSlice::GetValue, &TPieOtherSlice::SetValue).Default(0.0);
}

TPieOtherSlice::TPieOtherSlice(TPieSeries* Owner) : FOwner(Owner) {}

TPieOtherSlice::~TPieOtherSlice() = default;

void TPieOtherSlice::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TPieOtherSlice*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = s->FColor;
  SetLegend(s->FLegend.get());
  FStyle = s->FStyle;
  FText = s->FText;
  FValue = s->FValue;
}

void TPieOtherSlice::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (FOwner) FOwner->Repaint();
}

void TPieOtherSlice::SetStyle(TPieOtherStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (FOwner) FOwner->Repaint();
}

std::string TPieOtherSlice::GetText() const { return FText.empty() ? std::string("Other") : FText; }

void TPieOtherSlice::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  if (FOwner) FOwner->Repaint();
}

void TPieOtherSlice::SetValue(double Value) {
  if (FValue == Value) return;
  FValue = Value;
  if (FOwner) FOwner->Repaint();
}

TChartLegend* TPieOtherSlice::GetLegend() {
  if (!FLegend) {
    auto* panel = FOwner ? dynamic_cast<TCustomAxisPanel*>(FOwner->GetParentChart()) : nullptr;
    FLegend = std::make_unique<TChartLegend>(panel);
    FLegend->SetVisible(false);
    FLegend->RestrictToSeries(FOwner);
  }
  return FLegend.get();
}

void TPieOtherSlice::SetLegend(const TChartLegend* Value) {
  if (!Value) {
    FLegend.reset();
    return;
  }
  GetLegend()->Assign(Value);
  FLegend->RestrictToSeries(FOwner);
}

void TPieOtherSlice::MoveLegend() {
  if (!FLegend) return;
  std::unique_ptr<TChartLegend> old = std::move(FLegend);
  GetLegend()->Assign(old.get());
  FLegend->RestrictToSeries(FOwner);
}

KV_CLASS_IMPL(TPieShadow, TPlotShadow) {}

TPieShadow::TPieShadow(TPlotChangeEvent ChangeHandler) : TPlotShadow(std::move(ChangeHandler)) {
  SetColor(10526880);
  UnstoredColor = 10526880;
}

// ============================================================================
// TPieSeries
// ============================================================================

KV_CLASS_IMPL(TPieSeries, TCircledSeries) {
  c.Editor("TPieSeriesEditor");
  using S = TPieSeries;
  c.Property("AngleSize", &S::GetAngleSize, &S::SetAngleSize).Default(360);
  c.Property("AutoMarkPosition", &S::GetAutoMarkPosition, &S::SetAutoMarkPosition).Default(true);
  c.Property("CircleBackColor", &S::GetCircleBackColor, &S::SetCircleBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("ColorEachPoint", &S::GetColorEachPoint, &S::SetColorEachPoint).Default(true);
  c.Property("Dark3D", &S::GetDark3D, &S::SetDark3D).Default(true);
  c.Property("DarkPen", &S::GetDarkPen, &S::SetDarkPen).Default(0);
  c.Property("ExplodeBiggest", &S::GetExplodeBiggest, &S::SetExplodeBiggest).Default(0);
  c.Property("Gradient", &S::Gradient);
  c.Property("MultiPie", &S::GetMultiPie, &S::SetMultiPie).Names({"mpAutomatic", "mpDisabled"}).Default(mpAutomatic);
  c.Property("OtherSlice", &S::OtherSlice);
  c.Property("PiePen", &S::PiePen);
  c.Property("PieValues", &S::PieValues);
  c.Property("RotationAngle", &S::GetRotationAngle, &S::SetRotationAngle).Default(0);
  c.Property("Shadow", &S::Shadow);
  c.Property("UsePatterns", &S::GetUsePatterns, &S::SetUsePatterns).Default(false);
}

TPieSeries::TPieSeries(TComponent* Owner) : TCircledSeries(Owner) {
  FOtherSlice = std::make_unique<TPieOtherSlice>(this);
  FShadow = std::make_unique<TPieShadow>([this](TObject* Sender) { RepaintOnChange(Sender); });
  XValues()->SetName("");
  YValues()->SetName("Pie");
  SetColorEachPoint(true);
  HasXValues = false;
  EditorFlag = false;
  Gradient()->SetStartColor(clWhite);
  Gradient()->SetDirection(gdRadial);
}

TPieSeries::~TPieSeries() = default;

void TPieSeries::Init() {
  TCircledSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->SetVisible(true);
    marks->GetCallout()->DefaultLength = 8;
    marks->GetCallout()->SetLength(8);
  }
}

void TPieSeries::BeforeDestruction() {
  FOtherSlice->SetLegend(nullptr);
  TCircledSeries::BeforeDestruction();
}

void TPieSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TPieSeries*>(Source)) {
    FAngleSize = s->FAngleSize;
    FAutoMarkPosition = s->FAutoMarkPosition;
    FDark3D = s->FDark3D;
    FDarkPen = s->FDarkPen;
    FExplodeBiggest = s->FExplodeBiggest;
    FSliceExplode.Items() = s->FSliceExplode.Items();
    FSliceDepth.Items() = s->FSliceDepth.Items();
    FUsePatterns = s->FUsePatterns;
    FOtherSlice->Assign(s->FOtherSlice.get());
    FShadow->Assign(s->FShadow.get());
  }
  TCircledSeries::Assign(Source);
  SetColorEachPoint(true);
}

void TPieSeries::SetParentChart(TSeriesChart* Value) {
  TCircledSeries::SetParentChart(Value);
  if (!Destroying()) FOtherSlice->MoveLegend();
}

void TPieSeries::SetExplodeBiggest(int32_t Value) {
  FExplodeBiggest = Value;
  ExplodeBiggestSlice();
}

void TPieSeries::SetMultiPie(TMultiPie Value) {
  if (FMultiPie == Value) return;
  FMultiPie = Value;
  Repaint();
}

// ---- points ----

void TPieSeries::ClearValueLists() {
  TCircledSeries::ClearValueLists();
  FSliceExplode.Clear();
  FSliceDepth.Clear();
}

void TPieSeries::Clear() {
  TCircledSeries::Clear();
  FAngles.clear();
}

void TPieSeries::Delete(int32_t Index) {
  TCircledSeries::Delete(Index);
  FSliceExplode.Delete(Index);
  FSliceDepth.Delete(Index);
}

void TPieSeries::SwapValueIndex(int32_t A, int32_t B) {
  TCircledSeries::SwapValueIndex(A, B);
  for (TSliceValueList* l : {&FSliceExplode, &FSliceDepth}) {
    if (l->Count() == 0) continue;
    l->Grow(Count());
    l->Exchange(A, B);
  }
}

void TPieSeries::SortByMandatory() {
  TCircledSeries::SortByMandatory();
  XValues()->SetOrder(loAscending);
  Repaint();
}

void TPieSeries::DefineProperties(TFiler& Filer) {
  // The "Other" slice is made again at every draw; it is never stored.
  RemoveOtherSlice();
  TCircledSeries::DefineProperties(Filer);
}

void TPieSeries::RemoveOtherSlice() {
  for (int32_t i = 0; i < Count(); ++i)
    if (GetXValue(i) == OtherSliceX) {
      Delete(i);
      return;
    }
}

// ---- preparing a draw ----

void TPieSeries::PrepareDraw() {
  TCircledSeries::PrepareDraw();
  std::optional<TSeriesMarkPosition> kept;
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  for (int32_t i = 0; i < Count(); ++i) {
    if (GetXValue(i) != OtherSliceX) continue;
    if (const TSeriesMarkPosition* p = marks ? marks->Position(i) : nullptr; p && p->IsCustom) kept = *p;
    break;
  }
  if (YValues()->GetOrder() != loNone) YValues()->Sort();
  RemoveOtherSlice();
  XValues()->FillSequence();
  const double total = YValues()->TotalABS();
  if (FOtherSlice->GetStyle() == poNone || total <= 0) return;
  double sum = 0;
  bool grouped = false;
  for (int32_t i = 0; i < Count(); ++i) {
    double v = std::fabs(GetYValue(i));
    if (FOtherSlice->GetStyle() == poBelowPercent) v = v * 100 / total;
    if (v < FOtherSlice->GetValue()) {
      sum += std::fabs(GetYValue(i));
      XValues()->StoreValue(i, GroupedX);
      grouped = true;
    }
  }
  if (!grouped) return;
  // The X list holds -1 marks now: the slice is appended at the end.
  const TChartListOrder order = XValues()->GetOrder();
  XValues()->SetOrder(loNone);
  const int32_t index = AppendPoint(OtherSliceX, sum, FOtherSlice->GetText(), FOtherSlice->GetColor());
  XValues()->SetOrder(order);
  YValues()->StoreTotalABS(total);
  if (kept && marks && index >= 0) marks->SetPosition(index, *kept);
}

void TPieSeries::FindVisibleRange() {
  if (FOtherSlice->GetStyle() != poNone) {
    FirstValueIndex = Count() > 0 ? 0 : -1;
    LastValueIndex = Count() - 1;
    return;
  }
  CalcFirstLastPage(FirstValueIndex, LastValueIndex);
  if (FirstValueIndex < 0 && Count() > 0) {
    FirstValueIndex = 0;
    LastValueIndex = Count() - 1;
  }
}

void TPieSeries::ResolveDepthOrder() {
  TCircledSeries::ResolveDepthOrder();
  ComputedZOrder = -1;
}

void TPieSeries::CalcAngles() {
  const int32_t n = Count();
  FAngles.assign(static_cast<size_t>(n), TPieAngle{});
  const double full = FAngleSize * kPi / 180;
  double total = 0;
  if (FOtherSlice->GetStyle() != poNone || FirstValueIndex < 0) {
    total = YValues()->TotalABS();
  } else {
    for (int32_t j = FirstValueIndex; j <= LastValueIndex && j < n; ++j) total += std::fabs(GetYValue(j));
  }
  const double f = total != 0 ? full / total : 0;
  if (FirstValueIndex < 0) return;
  double running = 0, previousEnd = 0;
  for (int32_t j = FirstValueIndex; j <= LastValueIndex && j < n; ++j) {
    TPieAngle& a = FAngles[static_cast<size_t>(j)];
    a.StartAngle = j == FirstValueIndex ? 0 : previousEnd;
    if (!IsGrouped(j)) running += std::fabs(GetYValue(j));
    a.EndAngle = (running == total || total == 0) ? full : running * f;
    a.EndAngle = std::min(a.EndAngle, a.StartAngle + full);
    a.MidAngle = (a.StartAngle + a.EndAngle) / 2;
    previousEnd = a.EndAngle;
  }
}

void TPieSeries::BeforeDrawPoints() {
  TCustomAxisPanel* panel = Panel();
  if (panel) {
    FSavedChartRect = panel->ChartRect;
    FRectSaved = true;
    if (FMultiPie == mpAutomatic) {
      int32_t n = 0, k = 0;
      TChartSeriesList& list = panel->GetSeriesList();
      for (int32_t i = 0; i < list.Count(); ++i) {
        TChartSeries* s = list.GetSeries(i);
        if (s == this) k = n;
        if (s->GetActive() && dynamic_cast<TPieSeries*>(s) && SameClass(*s)) ++n;
      }
      if (n >= 2) {
        // Whole rows: nine pies make three rows of three.
        const int32_t cols = std::max(1, static_cast<int32_t>(std::nearbyint(std::sqrt(double(n)))));
        const int32_t rows = (n + cols - 1) / cols;
        const TRect r = panel->ChartRect;
        const int32_t w = (r.Right - r.Left) / cols, h = (r.Bottom - r.Top) / rows;
        const int32_t col = k % cols, row = k / cols;
        const TRect cell(r.Left + col * w, r.Top + row * h, r.Left + (col + 1) * w, r.Top + (row + 1) * h);
        panel->ChartRect = GetParentChart()->GetView3D() ? panel->Canvas()->RectTo2D(cell, 0) : cell;
      }
    }
  }
  TCircledSeries::BeforeDrawPoints();
}

void TPieSeries::AfterDrawPoints() {
  if (TCustomAxisPanel* panel = Panel(); panel && FRectSaved) panel->ChartRect = FSavedChartRect;
  FRectSaved = false;
  TCircledSeries::AfterDrawPoints();
}

// ---- explode ----

TPoint TPieSeries::ExplodeOffset(int32_t ValueIndex) const {
  if (!HasExploded || FSliceExplode.Count() == 0) return TPoint(0, 0);
  const int32_t e = FSliceExplode.ValueAt(ValueIndex);
  if (e <= 0 || ValueIndex < 0 || ValueIndex >= static_cast<int32_t>(FAngles.size())) return TPoint(0, 0);
  double a = FAngles[static_cast<size_t>(ValueIndex)].MidAngle;
  TCanvas3D* c = ChartCanvas();
  if (c && c->IsTrue3D()) a += FAngleSize * kPi / 45 + kPi;
  a += RotationRadians;
  return TPoint(PlotCanvas::RoundToPixel(std::cos(a) * RadiusX * e / 100),
                PlotCanvas::RoundToPixel(std::sin(a) * RadiusY * e / 100));
}

void TPieSeries::ExplodeBiggestSlice() {
  if (Count() == 0) return;
  int32_t first = 0, last = Count() - 1;
  if (FParentChart && FParentChart->GetMaxPointsPerPage() > 0 && FirstValueIndex >= 0) {
    first = FirstValueIndex;
    last = std::min(LastValueIndex, Count() - 1);
  }
  int32_t biggest = first;
  for (int32_t i = first + 1; i <= last; ++i)
    if (GetYValue(i) > GetYValue(biggest)) biggest = i;
  FSliceExplode.StoreSliceValue(biggest, FExplodeBiggest);
}

int32_t TPieSeries::SliceDepthZ(int32_t Index) const {
  if (Index < 0 || Index >= FSliceDepth.Count()) return EndZ;
  return StartZ + PlotCanvas::RoundToPixel(FSliceDepth.ValueAt(Index) * (EndZ - StartZ) / 100.0);
}

// ---- drawing ----

void TPieSeries::DrawPoints() {
  TCanvas3D* canvas = ChartCanvas();
  if (!canvas) return;
  if (FExplodeBiggest > 0) ExplodeBiggestSlice();
  // Angles follow the values of this draw: points added or changed since
  // the last draw get their slices.
  CalcAngles();
  int32_t exploded = -1, largest = 0;
  for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i)
    if (FSliceExplode.ValueAt(i) > largest) largest = FSliceExplode.ValueAt(i), exploded = i;
  HasExploded = exploded >= 0 || FSliceDepth.Count() > 0;
  if (exploded >= 0) {
    const TPoint d = ExplodeOffset(exploded);
    CircleBounds.Left += std::abs(d.X) / 2;
    CircleBounds.Right -= std::abs(d.X) / 2;
    CircleBounds.Top += std::abs(d.Y) / 2;
    CircleBounds.Bottom -= std::abs(d.Y) / 2;
    AdjustCircleRect();
    CalcRadius();
  }
  FPrevArcEnd = PointAtAngle(0, RadiusX, RadiusY);
  FShadow->DrawEllipse(*canvas, CircleBounds, EndZ - 10);
  if (FParentChart->GetView3D() && (HasExploded || FDonutPercent > 0) && !canvas->IsTrue3D()) {
    DrawSortedSlices();
  } else {
    // Slices chain from one arc end to the next: always first to last.
    for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) DrawPoint(i);
  }
  if (OtherLegendShown()) {
    struct Painting {
      bool& Flag;
      ~Painting() { Flag = false; }
    } painting{FPaintingOtherLegend};
    FPaintingOtherLegend = true;
    FOtherSlice->GetLegend()->PaintLegend();
  }
}

bool TPieSeries::OtherLegendShown() const {
  TChartLegend* legend = FOtherSlice->PeekLegend();
  return legend && legend->GetVisible() && legend->Chart() == FParentChart;
}

void TPieSeries::DrawSortedSlices() {
  const double full = FAngleSize * kPi / 180, quarter = full / 4;
  std::vector<std::pair<double, int32_t>> order;
  for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) {
    double b = FAngles[static_cast<size_t>(i)].MidAngle + RotationRadians;
    if (b > full) b -= full;
    double distance;
    if (b <= quarter) {
      distance = quarter - b;
    } else {
      const double r = b - quarter;
      distance = r <= kPi ? r : full - r;
    }
    order.emplace_back(distance, i);
  }
  // Equal distances keep the point order: the same picture every time.
  std::stable_sort(order.begin(), order.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  bool anyExploded = false;
  for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) anyExploded |= FSliceExplode.ValueAt(i) > 0;
  const bool cutFaces = !anyExploded && FDonutPercent > 0 && FAngleSize != 360;
  for (const auto& [distance, i] : order) {
    if (cutFaces && (i == FirstValueIndex || i == LastValueIndex)) {
      const bool kept = HasExploded;
      HasExploded = true;
      DrawPoint(i);
      HasExploded = kept;
    } else {
      DrawPoint(i);
    }
  }
}

TColor TPieSeries::SliceColor(int32_t Index) const {
  TCanvas3D* c = ChartCanvas();
  if (c && c->GetMonochrome()) return clBlack;
  return ValueColor(Index);
}

void TPieSeries::PrepareSliceBrush(int32_t Index, TColor& Colour) {
  TCanvas3D& canvas = *ChartCanvas();
  static constexpr TBrushStyle kPatterns[6] = {bsHorizontal, bsVertical, bsFDiagonal,
                                               bsBDiagonal,  bsCross,    bsDiagCross};
  TChartBrush brush;
  brush.Assign(Brush());
  const bool patterned = (FUsePatterns || canvas.GetMonochrome()) && Index != -1;
  brush.SetStyle(patterned ? kPatterns[Index % 6] : bsSolid);
  Colour = SliceColor(Index);
  if (Colour == clNone) {
    canvas.Brush->SetStyle(bsClear);
  } else {
    FParentChart->SetBrushCanvas(Colour, &brush, EffectiveCircleColor());
    if (Gradient()->GetVisible()) QuietEndColor(*Gradient(), Colour);
  }
  if (FDarkPen > 0)
    canvas.UsePenColor(*PiePen(), DarkerColor(Colour, 255 - FDarkPen));
  else
    canvas.UsePen(*PiePen());
}

void TPieSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || !ChartCanvas()) return;
  if (CircleBounds.Right - CircleBounds.Left < 5 || CircleBounds.Bottom - CircleBounds.Top < 5) return;
  if (Index < 0 || Index >= static_cast<int32_t>(FAngles.size()) || IsGrouped(Index)) return;
  TColor colour;
  PrepareSliceBrush(Index, colour);
  DrawSlice(Index);
}

void TPieSeries::DrawSlice(int32_t ValueIndex) {
  TCanvas3D& canvas = *ChartCanvas();
  const TPoint d = ExplodeOffset(ValueIndex);
  const int32_t cx = CentreX + d.X, cy = CentreY - d.Y;
  const TPieAngle& a = FAngles[static_cast<size_t>(ValueIndex)];
  if (FParentChart->GetView3D()) {
    canvas.PieSlice3D(cx, cy, RadiusX, RadiusY, StartZ, SliceDepthZ(ValueIndex), a.StartAngle + RotationRadians,
                      a.EndAngle + RotationRadians, FDark3D, HasExploded, FDonutPercent,
                      Gradient()->GetVisible() ? Gradient() : nullptr);
  } else if (FDonutPercent > 0) {
    canvas.RingSector(cx, cy, RadiusX, RadiusY, a.StartAngle + RotationRadians, a.EndAngle + RotationRadians,
                      FDonutPercent);
  } else {
    FArcEnd = PointAtAngle(a.EndAngle, RadiusX, RadiusY);
    if (FArcEnd == FPrevArcEnd) {
      // The same arc point: an empty slice, or a whole circle.
      const bool only = FirstValueIndex == LastValueIndex;
      if (!only && a.EndAngle - a.StartAngle <= 1) return;
    }
    const TRect& r = CircleBounds;
    canvas.Pie(r.Left + d.X, r.Top - d.Y, r.Right + d.X, r.Bottom - d.Y, FPrevArcEnd.X + d.X, FPrevArcEnd.Y - d.Y,
               FArcEnd.X + d.X, FArcEnd.Y - d.Y);
    FPrevArcEnd = FArcEnd;
  }
}

// ---- marks ----

void TPieSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (IsGrouped(Index) || Index >= static_cast<int32_t>(FAngles.size())) return;
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  if (!marks) return;
  const int32_t e = FSliceExplode.ValueAt(Index);
  const int32_t rx = PlotCanvas::RoundToPixel(RadiusX * (1 + e / 100.0));
  const int32_t ry = PlotCanvas::RoundToPixel(RadiusY * (1 + e / 100.0));
  double angle = FAngles[static_cast<size_t>(Index)].MidAngle;
  int32_t z = SliceDepthZ(Index);
  if (ChartCanvas() && ChartCanvas()->IsTrue3D()) {
    angle += kPi + kPi / 2;
    z = StartZ;
  }
  marks->SetZPosition(z);
  Position.KeepArrowTip = true;
  TMarksCallout& callout = *marks->GetCallout();
  const int32_t distance = callout.GetDistance(), d = callout.GetLength() + distance;
  Position.ArrowTail = PointAtAngle(angle, rx + d, ry + d);
  Position.ArrowTip = PointAtAngle(angle, rx + distance, ry + distance);
  Position.TopLeft.X = Position.ArrowTail.X > CentreX ? Position.ArrowTail.X : Position.ArrowTail.X - Position.Width;
  Position.TopLeft.Y = Position.ArrowTail.Y > CentreY ? Position.ArrowTail.Y : Position.ArrowTail.Y - Position.Height;
  if (FAutoMarkPosition) marks->AntiOverlap(FirstValueIndex, Index, Position);
  TCircledSeries::PaintMark(Index, Text, Position);
}

// ---- hit test ----

int32_t TPieSeries::PieSliceAtPoint(int32_t X, int32_t Y, bool UseExplode) {
  if (FAngles.empty()) return -1;
  TCanvas3D* canvas = ChartCanvas();
  const bool project = canvas && FParentChart->GetView3D();
  const int32_t n = std::min(Count(), static_cast<int32_t>(FAngles.size()));
  for (int32_t i = 0; i < n; ++i) {
    const TPieAngle& a = FAngles[static_cast<size_t>(i)];
    const TPoint shift = UseExplode ? ExplodeOffset(i) : TPoint(0, 0);
    const auto place = [&](TPoint P) {
      P = TPoint(P.X + shift.X, P.Y - shift.Y);
      return project ? canvas->Project(P.X, P.Y, EndZ) : P;
    };
    std::vector<TPoint> outline;
    outline.reserve(32);
    outline.push_back(place(PointAtAngle(a.StartAngle, RadiusX, RadiusY)));
    outline.push_back(place(TPoint(CentreX, CentreY)));
    const double step = (a.EndAngle - a.StartAngle) / 30;
    for (int32_t k = 0; k < 30; ++k) outline.push_back(place(PointAtAngle(a.EndAngle - k * step, RadiusX, RadiusY)));
    if (PlotProcs::PointInPolygon(TPoint(X, Y), outline)) return i;
  }
  return -1;
}

int32_t TPieSeries::PointAtPixel(int32_t X, int32_t Y) {
  const int32_t i = TCircledSeries::PointAtPixel(X, Y);
  return i != -1 ? i : PieSliceAtPoint(X, Y, true);
}

int32_t TPieSeries::PointPixelX(int32_t Index) const {
  return GetXValue(Index) == OtherSliceX ? 0 : TCircledSeries::PointPixelX(Index);
}

// ---- legend ----

int32_t TPieSeries::LegendEntryCount() const {
  int32_t n = 0;
  for (int32_t i = 0; i < Count(); ++i) n += IsGrouped(i) == FPaintingOtherLegend;
  return n;
}

int32_t TPieSeries::LegendToValueIndex(int32_t Item) const {
  int32_t k = 0;
  for (int32_t i = 0; i < Count(); ++i) {
    if (IsGrouped(i) != FPaintingOtherLegend) continue;
    if (k == Item) return i;
    ++k;
  }
  return Item;
}

void TPieSeries::PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) {
  TCircledSeries::PrepareLegendCanvas(Item, BackColor, BrushStyle);
  TCanvas3D* canvas = ChartCanvas();
  if (!canvas) return;
  static constexpr TBrushStyle kPatterns[6] = {bsHorizontal, bsVertical, bsFDiagonal,
                                               bsBDiagonal,  bsCross,    bsDiagCross};
  BrushStyle = (FUsePatterns || canvas->GetMonochrome()) && Item != -1 ? kPatterns[Item % 6] : bsSolid;
  const TColor colour = Item == -1 ? GetSeriesColor() : SliceColor(Item);
  if (FDarkPen > 0)
    canvas->UsePenColor(*PiePen(), DarkerColor(colour, 255 - FDarkPen));
  else
    canvas->UsePen(*PiePen());
}

void TPieSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  TCanvas3D* canvas = ChartCanvas();
  const TColor colour = Item == -1 ? GetSeriesColor() : SliceColor(Item);
  if (canvas && Gradient()->GetVisible() && colour != clNone) {
    QuietEndColor(*Gradient(), colour);
    Gradient()->FillRect(*canvas, Rect);
    if (FDarkPen > 0)
      canvas->UsePenColor(*PiePen(), DarkerColor(colour, 255 - FDarkPen));
    else
      canvas->UsePen(*PiePen());
    canvas->Brush->SetStyle(bsClear);
    canvas->RectangleRect(Rect);
    return;
  }
  TCircledSeries::PaintLegendSymbol(Item, Rect);
}

// ---- axes: a pie leaves the automatic ranges alone ----

double TPieSeries::LargestX() { return GetHorizAxisRef() ? GetHorizAxisRef()->GetMaximum() : 0; }
double TPieSeries::SmallestX() { return GetHorizAxisRef() ? GetHorizAxisRef()->GetMinimum() : 0; }
double TPieSeries::LargestY() { return GetVertAxisRef() ? GetVertAxisRef()->GetMaximum() : 0; }
double TPieSeries::SmallestY() { return GetVertAxisRef() ? GetVertAxisRef()->GetMinimum() : 0; }

// ---- 3-D view ----

void TPieSeries::ApplyPreferredView() {
  TCustomAxisPanel* panel = Panel();
  if (!panel) return;
  TView3DOptions& v = *panel->View3DOptions();
  v.SetOrthogonal(false);
  v.SetRotation(360);
  v.SetElevation(315);
  v.SetPerspective(0);
  v.SetTilt(0);
}

void TPieSeries::SetGalleryView() {
  TCustomAxisPanel* panel = Panel();
  if (!panel) return;
  TView3DOptions& v = *panel->View3DOptions();
  v.SetOrthogonal(false);
  v.SetRotation(0);
  v.SetElevation(305);
}

void TPieSeries::ChangeView3D(bool Value) {
  TCircledSeries::ChangeView3D(Value);
  SetGalleryView();
  SetCircled(!(FParentChart && FParentChart->GetView3D()));
}

// ---- gallery and samples ----

void TPieSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCircledSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Patterns", "Exploded", "Shadow", "Marks", "Semi Pie", "No Border", "Dark Border"}) Callback(v);
}

void TPieSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* p = dynamic_cast<TPieSeries*>(Series);
  if (!p) return;
  switch (Index) {
    case 1: p->SetUsePatterns(true); break;
    case 2: p->SetExplodeBiggest(30); break;
    case 3:
      p->Shadow()->SetHorizSize(10);
      p->Shadow()->SetVertSize(10);
      break;
    case 4:
      if (auto* marks = dynamic_cast<TSeriesMarks*>(p->Marks())) marks->SetVisible(true);
      p->Clear();
      p->Add(30, "A");
      p->Add(70, "B");
      break;
    case 5: p->SetAngleSize(180); break;
    case 6: p->PiePen()->SetVisible(false); break;
    case 7: p->SetDarkPen(32); break;
    default: break;
  }
}

void TPieSeries::PrepareForGallery(bool Enabled) {
  TCircledSeries::PrepareForGallery(Enabled);
  FillSampleValues(8);
  if (TCustomAxisPanel* panel = Panel()) panel->SetChart3DPercent(75);
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->GetCallout()->SetLength(0);
    marks->SetDrawEvery(1);
  }
  Gradient()->SetVisible(true);
  SetGalleryView();
  SetColorEachPoint(Enabled);
}

int32_t TPieSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  static const char* const kLabels[8] = {"Cars", "Phones", "Tables", "Monitors", "Lamps", "Keyboards", "Bikes", "Chairs"};
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) last = Add(1 + RandomValue(1000), kLabels[i % 8], clDefault);
  return last;
}
