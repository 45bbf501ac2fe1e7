// The 3-D grid series base: grid index, generated values and cell corners.
#include "chart/extras/PlotSurfaGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Graphics.h"

namespace {

// Nearest integer, ties to the even one (the default rounding mode).
double RoundEven(double V) { return std::nearbyint(V); }

// Keeps the value lists' growth step for the duration of a generation.
class GrowStepScope {
public:
  explicit GrowStepScope(int64_t Points) : FOld(PlotEngine::PlotValuesGrowStep) {
    PlotEngine::PlotValuesGrowStep =
        static_cast<int32_t>(std::clamp<int64_t>(Points, 1, std::numeric_limits<int32_t>::max()));
  }
  ~GrowStepScope() { PlotEngine::PlotValuesGrowStep = FOld; }
  GrowStepScope(const GrowStepScope&) = delete;
  GrowStepScope& operator=(const GrowStepScope&) = delete;

private:
  int32_t FOld;
};

// Appends V to a list of distinct values unless it holds V already or is full.
void AddDistinct(double* List, int32_t& Count, double V) {
  for (int32_t i = 0; i < Count; ++i)
    if (List[i] == V) return;
  if (Count < TCustom3DGridSeries::MaxIrregularValues) List[Count++] = V;
}

// Sorts a distinct-value list ascending by selection.
void SortRest(double* List, int32_t Count) {
  for (int32_t i = 0; i < Count - 1; ++i) {
    int32_t m = i;
    for (int32_t j = i + 1; j < Count; ++j)
      if (List[j] < List[m]) m = j;
    std::swap(List[i], List[m]);
  }
}

int32_t PositionOf(const double* List, int32_t Count, double V) {
  for (int32_t i = 0; i < Count; ++i)
    if (List[i] == V) return i;
  return -1;
}

}  // namespace

KV_CLASS_IMPL(TCustom3DGridSeries, TCustom3DPaletteSeries) {
  c.Property("NumXValues", &TCustom3DGridSeries::GetNumXValues, &TCustom3DGridSeries::SetNumXValues).Default(10);
  c.Property("NumZValues", &TCustom3DGridSeries::GetNumZValues, &TCustom3DGridSeries::SetNumZValues).Default(10);
}

TCustom3DGridSeries::TCustom3DGridSeries(TComponent* Owner) : TCustom3DPaletteSeries(Owner) {
  FNumXValues = 10;
  FNumZValues = 10;
  TCustom3DGridSeries::Clear();
}

void TCustom3DGridSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustom3DGridSeries*>(Source)) {
    FNumXValues = s->FNumXValues;
    FNumZValues = s->FNumZValues;
    FIrregularGrid = s->FIrregularGrid;
  }
  TCustom3DPaletteSeries::Assign(Source);
}

void TCustom3DGridSeries::PrepareDraw() {
  TCustom3DPaletteSeries::PrepareDraw();
  if (Count() > 0) FillGridIndex(0);
}

void TCustom3DGridSeries::AddValues(TChartSeries* Source) {
  if (const auto* s = dynamic_cast<const TCustom3DGridSeries*>(Source)) {
    FNumXValues = s->FNumXValues;
    FNumZValues = s->FNumZValues;
  }
  TCustom3DPaletteSeries::AddValues(Source);
  FillGridIndex(0);
  Repaint();
}

void TCustom3DGridSeries::Clear() {
  TCustom3DPaletteSeries::Clear();
  XValues()->SetOrder(loNone);
  InitGridIndex(FNumXValues, FNumZValues);
}

int32_t TCustom3DGridSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  if (N <= 0) return Count() - 1;
  const bool old = SampleMode;
  SampleMode = true;
  try {
    CreateValues(N, N);
  } catch (...) {
    SampleMode = old;
    throw;
  }
  SampleMode = old;
  return Count() - 1;
}

bool TCustom3DGridSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TCustom3DGridSeries*>(Component) != nullptr &&
         TCustom3DPaletteSeries::AcceptsDataSource(Component);
}

bool TCustom3DGridSeries::CanCreateValues() const {
  return static_cast<bool>(OnGetYValue) || UsesSampleValues() || SampleMode;
}

void TCustom3DGridSeries::CreateValues(int32_t NumX, int32_t NumZ) {
  if (!CanCreateValues()) return;
  FNumXValues = NumX;
  FNumZValues = NumZ;
  {
    GrowStepScope step(static_cast<int64_t>(std::max(NumX, 0)) * std::max(NumZ, 0));
    Clear();
    BeginUpdate();
    try {
      for (int32_t z = 1; z <= NumZ; ++z)
        for (int32_t x = 1; x <= NumX; ++x) AddPointXYZ(x, CalcYValue(x, z), z);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  BuildPalette(GetPaletteSteps());
}

double TCustom3DGridSeries::CalcYValue(int32_t X, int32_t Z) {
  if (OnGetYValue) return OnGetYValue(this, X, Z);
  if (!UsesSampleValues() && !SampleMode) return 0;
  const double a = std::cos(X / (0.2 * FNumXValues));
  const double b = std::cos(Z / (0.2 * FNumZValues));
  return 0.5 * a * a + b * b - std::cos(Z / (0.5 * FNumZValues));
}

void TCustom3DGridSeries::SetIrregularGrid(bool Value) { SetBooleanField(FIrregularGrid, Value); }

void TCustom3DGridSeries::SetNumXValues(int32_t Value) {
  if (Value == FNumXValues) return;
  FNumXValues = Value;
  Clear();
  CreateValues(FNumXValues, FNumZValues);
}

void TCustom3DGridSeries::SetNumZValues(int32_t Value) {
  if (Value == FNumZValues) return;
  FNumZValues = Value;
  Clear();
  CreateValues(FNumXValues, FNumZValues);
}

void TCustom3DGridSeries::InitGridIndex(int32_t NumX, int32_t NumZ) {
  NumX = std::max(NumX, 0);
  NumZ = std::max(NumZ, 0);
  // A size beyond the bound (a stored grid size, say) gets a table of no
  // positions; the next fill sizes it from the points.
  if ((NumX + 1.0) * (NumZ + 1.0) > MaxGridEntries) NumX = NumZ = 0;
  GridIndex.assign(static_cast<size_t>(NumX) + 1, std::vector<int32_t>(static_cast<size_t>(NumZ) + 1, -1));
}

void TCustom3DGridSeries::FillGridIndex(int32_t StartIndex) {
  if (FIrregularGrid)
    FillIrregular(StartIndex);
  else
    FillRegular(StartIndex);
  FNumXValues = static_cast<int32_t>(GridIndex.size()) - 1;
  FNumZValues = GridIndex.empty() ? 0 : static_cast<int32_t>(GridIndex[0].size()) - 1;
}

void TCustom3DGridSeries::FillRegular(int32_t StartIndex) {
  TChartValueList* xs = XValues();
  TChartValueList* zs = ZValues();
  const int32_t n = Count();
  bool finite = true;
  for (int32_t i = 0; i < n && finite; ++i) finite = std::isfinite(xs->GetValue(i)) && std::isfinite(zs->GetValue(i));
  const double minX = n > 0 ? RoundEven(xs->MinValue()) : 0, maxX = n > 0 ? RoundEven(xs->MaxValue()) : -1;
  const double minZ = n > 0 ? RoundEven(zs->MinValue()) : 0, maxZ = n > 0 ? RoundEven(zs->MaxValue()) : -1;
  const double numX = maxX - minX + 1, numZ = maxZ - minZ + 1;
  // A spread that would ask for a huge table (dates, far-apart values) or a
  // value that is not finite indexes nothing rather than exhaust memory.
  if (!finite || (numX + 1) * (numZ + 1) > MaxGridEntries) {
    InitGridIndex(0, 0);
    return;
  }
  InitGridIndex(static_cast<int32_t>(numX), static_cast<int32_t>(numZ));
  for (int32_t i = std::max(StartIndex, 0); i < n; ++i) {
    const auto x = static_cast<size_t>(RoundEven(xs->GetValue(i)) - minX + 1);
    const auto z = static_cast<size_t>(RoundEven(zs->GetValue(i)) - minZ + 1);
    GridIndex[x][z] = i;
  }
}

void TCustom3DGridSeries::FillIrregular(int32_t StartIndex) {
  // Fixed storage: the fill allocates nothing but the grid index.
  static thread_local double xList[MaxIrregularValues], zList[MaxIrregularValues];
  TChartValueList* xs = XValues();
  TChartValueList* zs = ZValues();
  const int32_t n = Count();
  const int32_t first = std::max(StartIndex, 0);
  int32_t nx = 0, nz = 0;
  if (n > 0) {
    // Values that are not finite take no grid position.
    if (std::isfinite(xs->MinValue())) xList[nx++] = xs->MinValue();
    if (std::isfinite(zs->MinValue())) zList[nz++] = zs->MinValue();
  }
  for (int32_t i = first; i < n; ++i) {
    const double x = xs->GetValue(i), z = zs->GetValue(i);
    if (std::isfinite(x)) AddDistinct(xList, nx, x);
    if (std::isfinite(z)) AddDistinct(zList, nz, z);
  }
  SortRest(xList, nx);
  SortRest(zList, nz);
  InitGridIndex(nx, nz);
  for (int32_t i = first; i < n; ++i) {
    const int32_t p = PositionOf(xList, nx, xs->GetValue(i));
    const int32_t q = PositionOf(zList, nz, zs->GetValue(i));
    if (p >= 0 && q >= 0) GridIndex[static_cast<size_t>(p) + 1][static_cast<size_t>(q) + 1] = i;
  }
}

int32_t TCustom3DGridSeries::GridPoint(int32_t X, int32_t Z) const {
  if (X < 0 || Z < 0 || static_cast<size_t>(X) >= GridIndex.size()) return -1;
  const std::vector<int32_t>& column = GridIndex[static_cast<size_t>(X)];
  return static_cast<size_t>(Z) < column.size() ? column[static_cast<size_t>(Z)] : -1;
}

bool TCustom3DGridSeries::GetCellCorners(int32_t X, int32_t Z) {
  Corner0 = GridPoint(X, Z);
  if (Corner0 == -1) return false;
  Corner1 = GridPoint(X + XStep, Z);
  if (Corner1 == -1) return false;
  Corner2 = GridPoint(X + XStep, Z + ZStep);
  if (Corner2 == -1) return false;
  Corner3 = GridPoint(X, Z + ZStep);
  return Corner3 != -1;
}

// ============================================================================
// TColorGridSeries
// ============================================================================

KV_CLASS_IMPL(TColorGridSeries, TCustom3DGridSeries) {
  c.Editor("TColorGridEditor");
  c.Property("Brush", &TColorGridSeries::Brush);
  c.Property("CenteredPoints", &TColorGridSeries::GetCenteredPoints, &TColorGridSeries::SetCenteredPoints)
      .Default(false);
  c.Property("Frame", &TColorGridSeries::Frame);
  c.Property("IrregularGrid", &TColorGridSeries::GetIrregularGrid, &TColorGridSeries::SetIrregularGrid)
      .Default(false);
  c.Property("Pen", &TColorGridSeries::Pen);
  c.Property("SmoothBitmap", &TColorGridSeries::GetSmoothBitmap, &TColorGridSeries::SetSmoothBitmap).Default(false);
  c.Property("XGridEvery", &TColorGridSeries::GetXGridEvery, &TColorGridSeries::SetXGridEvery).Default(1);
  c.Property("ZGridEvery", &TColorGridSeries::GetZGridEvery, &TColorGridSeries::SetZGridEvery).Default(1);
}

TColorGridSeries::TColorGridSeries(TComponent* Owner) : TCustom3DGridSeries(Owner) {
  FBitmap = std::make_unique<TBitmap>();
  FBitmap->SetPixelFormat(pf24bit);
  FBitmap->SetTransparentMode(tmFixed);
  FBitmap->SetTransparentColor(clWhite);
  FBitmap->SetTransparent(true);
  FFrame = std::make_unique<TChartHiddenPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

TColorGridSeries::~TColorGridSeries() = default;

void TColorGridSeries::Init() {
  TCustom3DGridSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) marks->SetArrowLength(0);
}

void TColorGridSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TColorGridSeries*>(Source)) {
    FCenteredPoints = s->FCenteredPoints;
    FSmoothBitmap = s->FSmoothBitmap;
    FFrame->Assign(s->FFrame.get());
  }
  TCustom3DGridSeries::Assign(Source);
}

double TColorGridSeries::CellEnd(double V) const {
  if (FCenteredPoints) return V + 0.5;
  return GetIrregularGrid() ? V : V + 1;
}

double TColorGridSeries::LargestX() { return Count() > 0 ? CellEnd(XValues()->MaxValue()) : 0; }
double TColorGridSeries::SmallestX() { return Count() > 0 ? CellStart(XValues()->MinValue()) : 0; }
double TColorGridSeries::LargestY() { return ZValues()->MaxValue(); }
double TColorGridSeries::SmallestY() { return ZValues()->MinValue(); }
double TColorGridSeries::LargestZ() { return Count() > 0 ? CellEnd(ZValues()->MaxValue()) : 0; }
double TColorGridSeries::SmallestZ() { return Count() > 0 ? CellStart(ZValues()->MinValue()) : 0; }

TChartValueList* TColorGridSeries::ValueListForAxis(const TChartAxis* Axis) const {
  if (Axis && Axis == GetVertAxisRef()) return ZValues();
  return TCustom3DGridSeries::ValueListForAxis(Axis);
}

// ---- gallery ----

void TColorGridSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DGridSeries::ListGalleryVariants(Callback);
  Callback("No Grid");
}

void TColorGridSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  if (Index == 2) {
    Series->Pen()->SetVisible(false);
    return;
  }
  TCustom3DGridSeries::ApplyGalleryVariant(Series, Index);
}

void TColorGridSeries::PrepareForGallery(bool Enabled) {
  TCustom3DGridSeries::PrepareForGallery(Enabled);
  SampleMode = true;
  CreateValues(8, 4);
}

void TColorGridSeries::PrepareGallery3D(bool Is3D) {
  TCustom3DGridSeries::PrepareGallery3D(Is3D);
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (!panel) return;
  panel->SetView3D(Is3D);
  panel->SetClipPoints(true);
}

// ---- drawing ----

bool TColorGridSeries::RowZ(int32_t Row, double& Z) const {
  if (Row < 1 || static_cast<size_t>(Row) >= GridIndex.front().size()) return false;
  for (size_t x = 1; x < GridIndex.size(); ++x)
    if (const int32_t p = GridIndex[x][static_cast<size_t>(Row)]; p >= 0) {
      Z = GetZValue(p);
      return true;
    }
  return false;
}

bool TColorGridSeries::ColumnX(int32_t Column, double& X) const {
  if (Column < 1 || static_cast<size_t>(Column) >= GridIndex.size()) return false;
  for (const int32_t p : GridIndex[static_cast<size_t>(Column)])
    if (p >= 0) {
      X = XValues()->GetValue(p);
      return true;
    }
  return false;
}

void TColorGridSeries::VisibleRange(int32_t& Left, int32_t& Right, int32_t& Top, int32_t& Bottom) {
  const TChartAxis& h = *GetHorizAxisRef();
  const TChartAxis& v = *GetVertAxisRef();
  // Worked out in 64 bits and brought into the coordinate range at the end: axis
  // ends and grid origins of a damaged chart may lie anywhere (or be no number).
  auto whole = [](double V) -> int64_t {
    return std::isnan(V) ? 0 : static_cast<int64_t>(std::clamp(std::trunc(V), -1e15, 1e15));
  };
  int64_t L = whole(h.CalcPosPoint(h.StartPixel)), R = whole(h.CalcPosPoint(h.EndPixel));
  (h.GetInverted() ? L : R) += 1;
  int64_t T = whole(v.CalcPosPoint(v.StartPixel)), B = whole(v.CalcPosPoint(v.EndPixel));
  (v.GetInverted() ? B : T) += 1;
  if (L > R) std::swap(L, R);
  if (T > B) std::swap(T, B);
  const int64_t sx = whole(std::nearbyint(SmallestX())), sz = whole(std::nearbyint(SmallestZ()));
  auto fit = [](int64_t V) {
    constexpr int64_t Limit = int64_t(1) << 30;
    return static_cast<int32_t>(std::clamp<int64_t>(V, -Limit, Limit));
  };
  Left = fit(L - sx), Right = fit(R - sx);
  Top = fit(T - sz), Bottom = fit(B - sz);
}

TRect TColorGridSeries::RegularRect(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom) {
  // Grid column k holds X = R(smallest X) + k - 1 (and the same for rows),
  // whatever the sign of the smallest value.
  const double x0 = std::nearbyint(XValues()->MinValue()) - 1, z0 = std::nearbyint(ZValues()->MinValue()) - 1;
  return TRect(XValueToPixel(std::max(CellStart(x0 + Left), SmallestX())),
               YValueToPixel(std::max(CellStart(z0 + Top), SmallestZ())),
               XValueToPixel(std::min(CellEnd(x0 + Right), LargestX())),
               YValueToPixel(std::min(CellEnd(z0 + Bottom), LargestZ())));
}

TRect TColorGridSeries::IrregularRect() {
  const TChartAxis& h = *GetHorizAxisRef();
  const TChartAxis& v = *GetVertAxisRef();
  const double hx0 = h.CalcPosPoint(h.StartPixel), hx1 = h.CalcPosPoint(h.EndPixel);
  const double vz0 = v.CalcPosPoint(v.StartPixel), vz1 = v.CalcPosPoint(v.EndPixel);
  return TRect(XValueToPixel(std::max(std::min(hx0, hx1), SmallestX())),
               YValueToPixel(std::max(std::min(vz0, vz1), SmallestZ())),
               XValueToPixel(std::min(std::max(hx0, hx1), LargestX())),
               YValueToPixel(std::min(std::max(vz0, vz1), LargestZ())));
}

void TColorGridSeries::DrawIrregularCells() {
  TCanvas3D& c = *FParentChart->GetCanvas();
  c.Pen->SetStyle(psClear);
  c.Brush->SetStyle(bsSolid);
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  for (int32_t x = 1; x < nx; ++x)
    for (int32_t z = 1; z < nz; ++z) {
      const int32_t p = GridPoint(x, z), right = GridPoint(x + 1, z), up = GridPoint(x, z + 1);
      // A cell reaches to its neighbours' positions; without them it has no extent.
      if (p < 0 || right < 0 || up < 0) continue;
      const TColor colour = ValueColor(p);
      if (colour == clNone) continue;
      c.Brush->SetColor(colour);
      c.RectAtDepth(TRect(XValueToPixel(XValues()->GetValue(p)), YValueToPixel(GetZValue(p)),
                          XValueToPixel(XValues()->GetValue(right)), YValueToPixel(GetZValue(up))),
                    MiddleZ);
    }
}

bool TColorGridSeries::FillBitmap(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, bool FlipX,
                                  bool FlipY) {
  const int32_t w = std::abs(Right - Left + 1), h = std::abs(Bottom - Top + 1);
  FBitmap = std::make_unique<TBitmap>(std::max(w, 0), std::max(h, 0));
  FBitmap->SetPixelFormat(pf24bit);
  FBitmap->SetTransparentMode(tmFixed);
  FBitmap->SetTransparentColor(clWhite);
  FBitmap->SetTransparent(true);
  if (w < 1 || h < 1) return false;
  const bool clear = Brush()->GetStyle() == bsClear;
  for (int32_t r = 0; r < h; ++r) {
    uint8_t* line = FBitmap->ScanLine(FlipY ? h - 1 - r : r);
    for (int32_t col = 0; col < w; ++col) {
      TColor colour = clWhite;
      if (!clear) {
        const int32_t p = GridPoint(Left + col, Top + r);
        if (p >= 0) colour = ValueColor(p);
        if (colour == clNone || colour == clDefault) colour = clWhite;
      }
      uint8_t* px = line + 3 * (FlipX ? w - 1 - col : col);
      px[0] = static_cast<uint8_t>((colour >> 16) & 0xFF);
      px[1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
      px[2] = static_cast<uint8_t>(colour & 0xFF);
    }
  }
  return true;
}

void TColorGridSeries::DrawBitmap(const TRect& Rect) {
  TCanvas3D& c = *FParentChart->GetCanvas();
  const TBitmap* picture = FBitmap.get();
  std::unique_ptr<TBitmap> smooth;
  const int32_t w = std::abs(Rect.Right - Rect.Left), h = std::abs(Rect.Bottom - Rect.Top);
  if (FSmoothBitmap) {
    if (w <= 1 || h <= 1) return;
    smooth = std::make_unique<TBitmap>(w, h);
    smooth->SetPixelFormat(pf24bit);
    if (FBitmap->GetWidth() > 1 && FBitmap->GetHeight() > 1) {
      PlotCanvas::SmoothStretch(FBitmap.get(), smooth.get());
    } else {
      smooth->GetCanvas()->StretchDraw(TRect(0, 0, w, h), FBitmap.get());
    }
    smooth->SetTransparentMode(tmFixed);
    smooth->SetTransparentColor(clWhite);
    smooth->SetTransparent(true);
    picture = smooth.get();
  }
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (panel && panel->GetView3D() && !panel->View3DOptions()->GetOrthogonal()) {
    // A plane at the middle depth, one quad per bitmap pixel; the transparent
    // colour lets the background through.
    const int32_t pw = picture->GetWidth(), ph = picture->GetHeight();
    const double kx = double(Rect.Right - Rect.Left) / pw, ky = double(Rect.Bottom - Rect.Top) / ph;
    c.Pen->SetStyle(psClear);
    c.Brush->SetStyle(bsSolid);
    for (int32_t r = 0; r < ph; ++r) {
      const int32_t y0 = Rect.Top + static_cast<int32_t>(std::lround(r * ky));
      const int32_t y1 = Rect.Top + static_cast<int32_t>(std::lround((r + 1) * ky));
      for (int32_t col = 0; col < pw; ++col) {
        const TColor colour = picture->GetPixelColor(col, r) & 0xFFFFFF;
        if (colour == clWhite) continue;
        const int32_t x0 = Rect.Left + static_cast<int32_t>(std::lround(col * kx));
        const int32_t x1 = Rect.Left + static_cast<int32_t>(std::lround((col + 1) * kx));
        c.Brush->SetColor(colour);
        c.QuadAtDepth(TPoint(x0, y0), TPoint(x1, y0), TPoint(x1, y1), TPoint(x0, y1), MiddleZ);
      }
    }
    return;
  }
  c.StretchGraphic(NormalizeRect(c.RectTo2D(Rect, MiddleZ)), picture);
}

void TColorGridSeries::DrawGridLines(const TRect& Rect) {
  TCanvas3D& c = *FParentChart->GetCanvas();
  const int32_t o = GetIrregularGrid() && !FCenteredPoints ? 1 : 0;
  const double h = FCenteredPoints ? 0.5 : 0;
  // A step below 1 draws a line after every row (or column).
  const int32_t zEvery = std::max(1, FZGridEvery), xEvery = std::max(1, FXGridEvery);
  c.SetBackMode(TRANSPARENT);
  c.UsePen(*Pen());
  double v = 0;
  for (int32_t i = 1; i <= (GetNumZValues() - o - 1) / zEvery; ++i)
    if (RowZ(i * zEvery + 1, v)) c.HorizLine3D(Rect.Left, Rect.Right, YValueToPixel(v - h), MiddleZ);
  for (int32_t j = 1; j <= (GetNumXValues() - o - 1) / xEvery; ++j)
    if (ColumnX(j * xEvery + 1, v)) c.VertLine3D(XValueToPixel(v - h), Rect.Top, Rect.Bottom, MiddleZ);
}

void TColorGridSeries::DrawPoints() {
  if (Count() == 0 || !FParentChart || !FParentChart->GetCanvas() || !GetHorizAxisRef() || !GetVertAxisRef()) return;
  // A grid whose positions could not be indexed shows nothing.
  if (GetNumXValues() < 1 || GetNumZValues() < 1) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  int32_t left, right, top, bottom;
  VisibleRange(left, right, top, bottom);
  TRect rect;
  if (GetIrregularGrid()) {
    DrawIrregularCells();
    rect = IrregularRect();
  } else {
    left = std::max(left, 1), top = std::max(top, 1);
    right = std::min(right, GetNumXValues()), bottom = std::min(bottom, GetNumZValues());
    rect = RegularRect(left, right, top, bottom);
    // The bitmap's first row and column go where the rectangle starts.
    const bool flipX = rect.Left > rect.Right, flipY = rect.Top > rect.Bottom;
    if (!FillBitmap(left, right, top, bottom, flipX, flipY)) return;
    DrawBitmap(NormalizeRect(rect));
  }
  const TRect frame = NormalizeRect(rect);
  if (Pen()->GetVisible()) DrawGridLines(frame);
  if (FFrame->GetVisible()) {
    c.SetBackMode(TRANSPARENT);
    c.UsePen(*FFrame);
    c.Brush->SetStyle(bsClear);
    c.RectAtDepth(frame, MiddleZ);
  }
}

void TColorGridSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  const double d = !GetIrregularGrid() && !FCenteredPoints ? 0.5 : 0;
  const int32_t x = XValueToPixel(XValues()->GetValue(Index) + d), y = YValueToPixel(GetZValue(Index) + d);
  Position.TopLeft = TPoint(x - Position.Width / 2, y - Position.Height / 2);
  Position.ArrowTip = Position.ArrowTail = TPoint(x, y);
  TCustom3DGridSeries::PaintMark(Index, Text, Position);
}

int32_t TColorGridSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (Count() == 0 || !GetHorizAxisRef() || !GetVertAxisRef()) return -1;
  const double x = GetHorizAxisRef()->CalcPosPoint(X), z = GetVertAxisRef()->CalcPosPoint(Y);
  const int32_t nx = GetNumXValues(), nz = GetNumZValues();
  if (!GetIrregularGrid()) {
    const double h = FCenteredPoints ? 0.5 : 0;
    const double fz = z + h - ZValues()->MinValue(), fx = x + h - XValues()->MinValue();
    if (!(fz >= 0 && fx >= 0 && fz < nz && fx < nx)) return -1;
    return GridPoint(static_cast<int32_t>(fx) + 1, static_cast<int32_t>(fz) + 1);
  }
  // Points stored column by column, nz per X value; only stored points are
  // read, so nothing lies beyond the last row and column.
  if (nz < 1) return -1;
  int32_t i = -1, j = -1;
  for (int32_t k = 0; k + 1 < nz && k + 1 < Count(); ++k)
    if (GetZValue(k) <= z && z < GetZValue(k + 1)) {
      i = k;
      break;
    }
  for (int32_t k = 0; (k + 1) * static_cast<int64_t>(nz) < Count(); ++k)
    if (XValues()->GetValue(k * nz) <= x && x < XValues()->GetValue((k + 1) * nz)) {
      j = k;
      break;
    }
  if (i < 0 || j < 0) return -1;
  const int64_t r = i + static_cast<int64_t>(j) * nz;
  return r < Count() ? static_cast<int32_t>(r) : -1;
}

void TColorGridSeries::LoadFromGraphic(const TGraphic& Graphic) {
  const int32_t w = Graphic.GetWidth(), h = Graphic.GetHeight();
  auto picture = std::make_unique<TBitmap>(std::max(w, 0), std::max(h, 0));
  picture->SetPixelFormat(pf24bit);
  if (w > 0 && h > 0) Graphic.Draw(*picture->GetCanvas(), TRect(0, 0, w, h));
  BeginUpdate();
  Clear();
  FCenteredPoints = true;
  // The grid takes the picture's size without generating values for it.
  SetNumValuesFields(std::max(w, 0), std::max(h, 0));
  for (int32_t col = 0; col < w; ++col)
    for (int32_t row = 0; row < h; ++row) {
      const TColor p = picture->GetPixelColor(col, row) & 0xFFFFFF;
      AddXYZ(col + 1, p, row + 1, {}, p);
    }
  EndUpdate();
  picture->SetTransparentMode(tmFixed);
  picture->SetTransparentColor(clWhite);
  picture->SetTransparent(true);
  FBitmap = std::move(picture);
}

// ============================================================================
// Registration
// ============================================================================

namespace PlotSurfa {

namespace {

struct TRegistration {
  TClass (*Class)();
  std::string Description;
};

const std::string k3D = "3D";
const TRegistration kTypes[] = {
    {&TSurfaceSeries::StaticClass, "Surface"},     {&TContourSeries::StaticClass, "Contour"},
    {&TWaterFallSeries::StaticClass, "Water Fall"}, {&TColorGridSeries::StaticClass, "Color Grid"},
    {&TVector3DSeries::StaticClass, "Vector 3D"},   {&TTowerSeries::StaticClass, "Tower"},
};

}  // namespace

void Initialization() {
  for (const TRegistration& t : kTypes)
    if (!Chart::SeriesTypes().TypeOfSeriesClass(t.Class()))
      Chart::AddSeriesType(t.Class(), &t.Description, &k3D, 1);
}

void Finalization() {
  std::vector<TClass> classes;
  for (const TRegistration& t : kTypes) classes.push_back(t.Class());
  Chart::RemoveSeriesTypes(classes);
}

}  // namespace PlotSurfa
