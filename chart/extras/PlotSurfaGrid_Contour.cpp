// The contour series: levels, cell tracing over four triangles per cell,
// joining of segments into polylines, smoothing and drawing.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSpline.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/SysUtils.h"

// ============================================================================
// TContourLevel
// ============================================================================

KV_CLASS_IMPL(TContourLevel, TCollectionItem) {
  using L = TContourLevel;
  c.Property("Color", &L::GetColor, &L::SetColor).Kind(TPropKind::pkColor);
  c.Property("Pen", &L::GetPen).Stored(&L::IsPenStored);
  c.Property("UpToValue", &L::GetUpToValue, &L::SetUpToValue);
}

TContourLevel::TContourLevel(TCollection* Collection) : TCollectionItem(Collection) {}

TContourLevel::~TContourLevel() = default;

TContourSeries* TContourLevel::ParentSeries() const {
  auto* levels = dynamic_cast<TContourLevels*>(GetCollection());
  return levels ? levels->Series() : nullptr;
}

void TContourLevel::Init() {
  TCollectionItem::Init();
  ChangedByUser(false);
}

void TContourLevel::BeforeDestruction() {
  if (TContourSeries* s = ParentSeries(); s && !s->BuildingLevels) {
    s->FAutomaticLevels = false;
    s->Repaint();
  }
  TCollectionItem::BeforeDestruction();
}

void TContourLevel::ChangedByUser(bool Repaint) {
  TContourSeries* s = ParentSeries();
  if (!s) return;
  if (!s->BuildingLevels) s->FAutomaticLevels = false;
  if (Repaint) s->Repaint();
}

void TContourLevel::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TContourLevel*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetColor(s->FColor);
  SetUpToValue(s->FUpToValue);
  if (s->FPen)
    GetPen()->Assign(s->FPen.get());
  else
    FPen.reset();
}

TChartPen* TContourLevel::GetPen() const {
  if (!FPen) {
    auto* self = const_cast<TContourLevel*>(this);
    FPen = std::make_unique<TChartPen>([self](TObject*) {
      if (TContourSeries* s = self->ParentSeries()) s->Repaint();
    });
    FPen->SetColor(FColor);
  }
  return FPen.get();
}

void TContourLevel::SetPen(const TChartPen* Value) {
  if (!Value) {
    FPen.reset();
    if (TContourSeries* s = ParentSeries()) s->Repaint();
    return;
  }
  GetPen()->Assign(Value);
}

void TContourLevel::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (FPen) FPen->SetColor(Value);
  ChangedByUser(true);
}

void TContourLevel::SetUpToValue(double Value) {
  if (FUpToValue == Value) return;
  FUpToValue = Value;
  ChangedByUser(true);
}

KV_CLASS_IMPL(TContourLevels, TCollection) {}

TContourLevels::TContourLevels(TContourSeries* Owner)
    : TCollection(TContourLevel::StaticClass(), ItemFactoryOf<TContourLevel>(), Owner), FSeries(Owner) {
  PropName = "Levels";
}

// ============================================================================
// TSmoothPoints
// ============================================================================

KV_CLASS_IMPL(TSmoothPoints, TPersistent) {
  c.Property("Active", &TSmoothPoints::GetActive, &TSmoothPoints::SetActive).Default(false);
  c.Property("Interpolate", &TSmoothPoints::GetInterpolate, &TSmoothPoints::SetInterpolate).Default(false);
}

void TSmoothPoints::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TSmoothPoints*>(Source)) {
    SetActive(s->FActive);
    return;
  }
  TPersistent::Assign(Source);
}

void TSmoothPoints::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (FSeries) FSeries->Repaint();
}

void TSmoothPoints::SetInterpolate(bool Value) {
  if (FInterpolate == Value) return;
  FInterpolate = Value;
  if (FSeries) FSeries->Repaint();
}

void TSmoothPoints::SmoothPoints(const std::vector<TPoint>& Points, int32_t High,
                                 std::vector<TPoint>& Result) const {
  const int32_t n = std::min(High + 1, static_cast<int32_t>(Points.size()));
  if (n < 2) {
    Result.assign(Points.begin(), Points.begin() + std::max(n, 0));
    return;
  }
  TBSpline spline;
  for (int32_t i = 0; i < n; ++i) spline.AddPoint(Points[size_t(i)].X, Points[size_t(i)].Y);
  spline.SetInterpolated(FInterpolate);
  spline.SetFragments(std::max(1, n * std::max(1, Factor)));
  const int32_t fragments = std::max(1, spline.GetFragments());
  Result.resize(static_cast<size_t>(fragments) + 1);
  for (int32_t j = 0; j <= fragments; ++j) {
    const TBSplinePoint p = spline.Value(double(j) / fragments);
    Result[size_t(j)] = TPoint(PlotCanvas::RoundToPixel(p.x), PlotCanvas::RoundToPixel(p.y));
  }
}

// ============================================================================
// TContourSeries
// ============================================================================

KV_CLASS_IMPL(TContourSeries, TCustom3DGridSeries) {
  using S = TContourSeries;
  c.Editor("TContourSeriesEditor");
  c.Property("AutomaticLevels", &S::GetAutomaticLevels, &S::SetAutomaticLevels).Default(true);
  c.Property("ColorEachPoint", &S::GetColorEachPoint, &S::SetColorEachPoint).Default(true);
  c.Property("Levels", &S::Levels).Stored(&S::IsLevelsStored);
  c.Property("NumLevels", &S::GetNumLevels, &S::SetNumLevels).Default(10);
  c.Property("Pen", &S::Pen);
  c.Property("Smoothing", &S::Smoothing);
  c.Property("YPosition", &S::GetYPosition, &S::SetYPosition).Default(0.0);
  c.Property("YPositionLevel", &S::GetYPositionLevel, &S::SetYPositionLevel).Default(false);
}

TContourSeries::TContourSeries(TComponent* Owner) : TCustom3DGridSeries(Owner) {
  FLevels = std::make_unique<TContourLevels>(this);
  FSmoothing = std::make_unique<TSmoothPoints>(this);
  FAutomaticLevels = true;
  SetColorEachPoint(true);
  FNumLevels = 10;
}

TContourSeries::~TContourSeries() {
  BuildingLevels = true;
  FSmoothing.reset();
  FLevels.reset();
}

void TContourSeries::BeforeDestruction() {
  BuildingLevels = true;
  FLevels->Clear();
  TCustom3DGridSeries::BeforeDestruction();
}

void TContourSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TContourSeries*>(Source)) {
    FLevels->Assign(s->FLevels.get());
    FAutomaticLevels = s->FAutomaticLevels;
    FNumLevels = s->FNumLevels;
    FYPosition = s->FYPosition;
    FYPositionLevel = s->FYPositionLevel;
  }
  TCustom3DGridSeries::Assign(Source);
}

bool TContourSeries::Is3D() const { return FParentChart && FParentChart->GetView3D(); }

void TContourSeries::SetAutomaticLevels(bool Value) {
  SetBooleanField(FAutomaticLevels, Value);
  if (Value) ClearLevels();
}

int32_t TContourSeries::GetNumLevels() const { return FAutomaticLevels ? FNumLevels : FLevels->Count(); }

void TContourSeries::SetNumLevels(int32_t Value) {
  SetIntegerProperty(FNumLevels, std::clamp(Value, 0, MaxLevels));
  if (FAutomaticLevels) ClearLevels();
}

void TContourSeries::ClearLevels() {
  if (!FLevels) return;
  const bool old = BuildingLevels;
  BuildingLevels = true;
  FLevels->Clear();
  BuildingLevels = old;
}

void TContourSeries::PrepareDraw() {
  TCustom3DGridSeries::PrepareDraw();
  if (!BuildingLevels && FAutomaticLevels && FNumLevels > 0) BuildAutomaticLevels();
}

void TContourSeries::BuildAutomaticLevels() {
  if (!FAutomaticLevels || FNumLevels <= 0) return;
  struct Restore {
    TContourSeries& S;
    bool Repaint;
    ~Restore() {
      S.BuildingLevels = false;
      if (S.FParentChart) S.FParentChart->SetAutoRepaint(Repaint);
    }
  } restore{*this, FParentChart ? FParentChart->GetAutoRepaint() : true};
  BuildingLevels = true;
  if (FParentChart) FParentChart->SetAutoRepaint(false);
  const int32_t n = FNumLevels;
  const bool any = Count() > 0;
  const double minY = any ? YValues()->MinValue() : 0;
  const double range = any ? YValues()->MaxValue() - minY : 0;
  FLevels->Clear();
  for (int32_t i = 0; i < n; ++i) {
    auto* level = static_cast<TContourLevel*>(FLevels->Add());
    double value = minY + i * (range / n);
    TColor colour;
    if (!GetColorEachPoint())
      colour = ColorOfValue(value);
    else
      colour = GetStoredColor(i) == clDefault ? clDefault : ValueColor(i);
    if (OnGetLevel) OnGetLevel(this, i, value, colour);
    level->SetUpToValue(value);
    level->SetColor(colour);
  }
}

TChartAxis* TContourSeries::ContourAxis() const {
  if (Is3D())
    if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart)) return panel->DepthAxis();
  return GetVertAxisRef();
}

// ---- joining ----

namespace {

double Manhattan(const TPointFloat& A, const TPointFloat& B) { return std::fabs(A.X - B.X) + std::fabs(A.Y - B.Y); }

bool Near(const TPointFloat& A, const TPointFloat& B) {
  return std::fabs(A.X - B.X) <= TContourSeries::JoinTolerance && std::fabs(A.Y - B.Y) <= TContourSeries::JoinTolerance;
}

// Merges into Lines[A] the first other polyline with an end at the changed end
// of A (its tail when Tail).
void MergeAt(TContourLevel::TLevelSegments& Lines, size_t A, bool Tail) {
  if (Lines.size() < 2) return;
  TContourLevel::TLevelSegment& a = Lines[A];
  const TPointFloat e = Tail ? a.back() : a.front();
  for (size_t b = 0; b < Lines.size(); ++b) {
    if (b == A) continue;
    const TContourLevel::TLevelSegment& other = Lines[b];
    const size_t n = other.size();
    if (Near(other.front(), e)) {
      for (size_t i = 1; i < n; ++i) Tail ? a.push_back(other[i]) : a.push_front(other[i]);
    } else if (Near(other.back(), e)) {
      for (size_t i = n - 1; i-- > 0;) Tail ? a.push_back(other[i]) : a.push_front(other[i]);
    } else {
      continue;
    }
    Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(b));
    return;
  }
}

}  // namespace

void TContourSeries::AddSegment(TContourLevel::TLevelSegments& Lines, TPointFloat P1, TPointFloat P2) {
  for (size_t i = 0; i < Lines.size(); ++i) {
    TContourLevel::TLevelSegment& line = Lines[i];
    const double d[4] = {Manhattan(P1, line.front()), Manhattan(P2, line.front()), Manhattan(P1, line.back()),
                         Manhattan(P2, line.back())};
    int verdict = -1;
    for (int k = 0; k < 4; ++k)
      if (d[k] <= JoinTolerance && (verdict < 0 || d[k] <= d[verdict])) verdict = k;
    if (verdict < 0) continue;
    switch (verdict) {
      case 0: line.push_front(P2); break;
      case 1: line.push_front(P1); break;
      case 2: line.push_back(P2); break;
      default: line.push_back(P1); break;
    }
    MergeAt(Lines, i, verdict >= 2);
    return;
  }
  Lines.push_back(TContourLevel::TLevelSegment{P1, P2});
}

// ---- tracing ----

namespace {

// Case of a triangle by the signs (+1 above, 0 on, -1 below the level) of its
// corners A, B (the cell centre) and C, each index being sign + 1.
constexpr int8_t CaseTable[3][3][3] = {
    {{0, 0, 8}, {0, 2, 5}, {7, 6, 9}},
    {{0, 3, 4}, {1, 3, 1}, {4, 3, 0}},
    {{9, 6, 7}, {5, 2, 0}, {8, 0, 0}},
};

int Sign(double H) { return H > 0 ? 1 : H < 0 ? -1 : 0; }

}  // namespace

void TContourSeries::TraceCells(const std::vector<TLevelDraw>& Table) {
  if (Table.empty()) return;
  double low = Table.front().Value, high = low;
  for (const TLevelDraw& l : Table) low = std::min(low, l.Value), high = std::max(high, l.Value);
  XStep = ZStep = 1;
  const TChartValueList &xs = *XValues(), &ys = *YValues(), &zs = *ZValues();
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  std::vector<TContourLevel*> levels(Table.size());
  for (size_t k = 0; k < Table.size(); ++k) levels[k] = FLevels->GetItem(static_cast<int32_t>(k));
  double x[5], y[5], v[5], h[5];
  for (int32_t z = 1; z < nz; ++z)
    for (int32_t cx = 1; cx < nx; ++cx) {
      if (!GetCellCorners(cx, z)) continue;
      v[1] = ys.GetValue(Corner0), v[2] = ys.GetValue(Corner1), v[3] = ys.GetValue(Corner2),
      v[4] = ys.GetValue(Corner3);
      const double dmin = std::min(std::min(v[1], v[2]), std::min(v[3], v[4]));
      const double dmax = std::max(std::max(v[1], v[2]), std::max(v[3], v[4]));
      // Comparisons with NaN fail: such cells are left out.
      if (!(dmin <= high && dmax >= low)) continue;
      const double x0 = xs.GetValue(Corner0), x1 = xs.GetValue(Corner1);
      const double z0 = zs.GetValue(Corner0), z3 = zs.GetValue(Corner3);
      x[1] = x0, y[1] = z0;
      x[2] = x1, y[2] = z0;
      x[3] = x1, y[3] = z3;
      x[4] = x0, y[4] = z3;
      x[0] = (x0 + x1) / 2, y[0] = (z0 + z3) / 2;
      v[0] = (v[1] + v[2] + v[3] + v[4]) / 4;
      for (size_t k = 0; k < Table.size(); ++k) {
        const double level = Table[k].Value;
        if (level < dmin || level > dmax) continue;
        for (int m = 0; m < 5; ++m) h[m] = v[m] - level;
        auto crossing = [&](int p, int q) {
          return TPointFloat{(h[q] * x[p] - h[p] * x[q]) / (h[q] - h[p]), (h[q] * y[p] - h[p] * y[q]) / (h[q] - h[p])};
        };
        for (int m = 1; m <= 4; ++m) {
          const int a = m, b = 0, c = m == 4 ? 1 : m + 1;
          const int kase = CaseTable[Sign(h[a]) + 1][Sign(h[b]) + 1][Sign(h[c]) + 1];
          if (kase == 0) continue;
          TPointFloat p1, p2;
          const TPointFloat pa{x[a], y[a]}, pb{x[b], y[b]}, pc{x[c], y[c]};
          switch (kase) {
            case 1: p1 = pa, p2 = pb; break;
            case 2: p1 = pb, p2 = pc; break;
            case 3: p1 = pc, p2 = pa; break;
            case 4: p1 = pa, p2 = crossing(b, c); break;
            case 5: p1 = pb, p2 = crossing(c, a); break;
            case 6: p1 = pc, p2 = crossing(a, b); break;
            case 7: p1 = crossing(a, b), p2 = crossing(b, c); break;
            case 8: p1 = crossing(b, c), p2 = crossing(c, a); break;
            default: p1 = crossing(c, a), p2 = crossing(a, b); break;
          }
          AddSegment(levels[k]->Segments, p1, p2);
        }
      }
    }
}

void TContourSeries::DrawLevels(const std::vector<TLevelDraw>& Table) {
  TCanvas3D& c = *FParentChart->GetCanvas();
  c.SetBackMode(TRANSPARENT);
  const bool is3D = Is3D();
  TChartAxis* depth = ContourAxis();
  int32_t height = YValueToPixel(FYPosition);
  std::vector<TPoint> pixels, smooth;
  for (size_t k = 0; k < Table.size(); ++k) {
    c.UsePenColor(*Table[k].Pen, Table[k].Color);
    if (is3D && FYPositionLevel) height = YValueToPixel(Table[k].Value);
    if (OnBeforeDrawLevel) OnBeforeDrawLevel(this, static_cast<int32_t>(k));
    // The event may have changed the levels.
    if (static_cast<int32_t>(k) >= FLevels->Count()) break;
    for (const TContourLevel::TLevelSegment& line : FLevels->GetItem(static_cast<int32_t>(k))->Segments) {
      if (line.empty()) continue;
      if (is3D) {
        c.MoveTo3D(XValueToPixel(line.front().X), height, depth->ValueToPixel(line.front().Y));
        for (size_t i = 1; i < line.size(); ++i)
          c.LineTo3D(XValueToPixel(line[i].X), height, depth->ValueToPixel(line[i].Y));
        continue;
      }
      pixels.clear();
      for (const TPointFloat& p : line) pixels.emplace_back(XValueToPixel(p.X), depth->ValueToPixel(p.Y));
      if (FSmoothing->GetActive()) {
        FSmoothing->SmoothPoints(pixels, static_cast<int32_t>(pixels.size()) - 1, smooth);
        c.Polyline(smooth);
      } else {
        c.Polyline(pixels);
      }
    }
  }
}

void TContourSeries::DrawContourCells() {
  for (int32_t i = 0; i < FLevels->Count(); ++i) FLevels->GetItem(i)->ClearSegments();
  if (Count() == 0 || GetNumLevels() == 0 || FLevels->Count() == 0) return;
  std::vector<TLevelDraw> table;
  table.reserve(static_cast<size_t>(FLevels->Count()));
  for (int32_t i = 0; i < FLevels->Count(); ++i) {
    TContourLevel* l = FLevels->GetItem(i);
    TColor colour = l->GetColor();
    if (colour == clDefault && FParentChart) colour = FParentChart->GetDefaultColor(i);
    table.push_back({l->GetUpToValue(), colour, l->PeekPen() ? l->PeekPen() : Pen()});
  }
  TraceCells(table);
  if (FParentChart && FParentChart->GetCanvas() && GetHorizAxisRef() && ContourAxis()) DrawLevels(table);
}

void TContourSeries::DrawPoints() {
  if (!FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef()) return;
  DrawContourCells();
}

// ---- axes, legend, hit test ----

double TContourSeries::LargestY() { return Is3D() ? YValues()->MaxValue() : ZValues()->MaxValue(); }
double TContourSeries::SmallestY() { return Is3D() ? YValues()->MinValue() : ZValues()->MinValue(); }

TChartValueList* TContourSeries::ValueListForAxis(const TChartAxis* Axis) const {
  if (Axis && Axis == GetVertAxisRef() && !Is3D()) return ZValues();
  return TCustom3DGridSeries::ValueListForAxis(Axis);
}

int32_t TContourSeries::LegendEntryCount() const { return FLevels ? FLevels->Count() : 0; }

TColor TContourSeries::LegendEntryColor(int32_t Item) const {
  const int32_t i = LegendEntryCount() - Item - 1;
  if (i < 0 || i >= LegendEntryCount()) return GetSeriesColor();
  const TColor c = FLevels->GetItem(i)->GetColor();
  return c == clDefault ? ValueColor(i) : c;
}

std::string TContourSeries::GetLegendString(int32_t Item, TLegendTextStyle /*Style*/) const {
  const int32_t i = LegendEntryCount() - Item - 1;
  if (i < 0 || i >= LegendEntryCount()) return {};
  return SysUtils::FormatFloat(GetValueFormat(), FLevels->GetItem(i)->GetUpToValue());
}

int32_t TContourSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !ContourAxis()) return -1;
  int32_t px = X, py = Y;
  FParentChart->GetCanvas()->ScreenTo3D(px, py, MiddleZ);
  const TPoint p(px, py);
  TChartAxis* depth = ContourAxis();
  for (int32_t k = 0; k < FLevels->Count(); ++k)
    for (const TContourLevel::TLevelSegment& line : FLevels->GetItem(k)->Segments)
      for (size_t i = 1; i < line.size(); ++i) {
        const TPoint a(XValueToPixel(line[i - 1].X), depth->ValueToPixel(line[i - 1].Y));
        const TPoint b(XValueToPixel(line[i].X), depth->ValueToPixel(line[i].Y));
        if (PlotProcs::PointNearLineTol(p, a, b, HitTolerance)) return k;
      }
  return -1;
}

int32_t TContourSeries::AddSampleValues(int32_t N, bool OnlyMandatory) {
  const int32_t r = TCustom3DGridSeries::AddSampleValues(N, OnlyMandatory);
  if (Count() > 0) SetYPosition((YValues()->MinValue() + YValues()->MaxValue()) / 2);
  return r;
}

// ---- gallery ----

void TContourSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DGridSeries::ListGalleryVariants(Callback);
  Callback("Colors");
  Callback("Positions");
}

void TContourSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TContourSeries*>(Series);
  if (s && Index == 2) {
    s->SetColorEachPoint(true);
    return;
  }
  if (s && Index == 3) {
    s->SetYPositionLevel(true);
    return;
  }
  TCustom3DGridSeries::ApplyGalleryVariant(Series, Index);
}

void TContourSeries::PrepareForGallery(bool Enabled) {
  TCustom3DGridSeries::PrepareForGallery(Enabled);
  if (!Enabled) SetSeriesColor(0x808080);
}
