// The 3-D grid series base: grid index, generated values and cell corners.
#include "chart/extras/PlotSurfaGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/engine/PlotEngine.h"

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
  GridIndex.assign(static_cast<size_t>(std::max(NumX, 0)) + 1,
                   std::vector<int32_t>(static_cast<size_t>(std::max(NumZ, 0)) + 1, -1));
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
