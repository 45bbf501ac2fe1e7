// The survey analysis: turns the measurement table into electrodes, sources with
// their receivers, spacing and pseudo-depth levels, plot-point groups and the lists
// the solver uses. Look-ups that would scan the whole survey for every measurement
// go through sorted indexes, so the analysis stays near n log n in the measurements.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <map>
#include <set>

#include "survey/Survey.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace {

constexpr double ElectrodeTolerance = 1e-5;
constexpr double MissingDistance = 1e300;

// FindElectrode over an index of the electrodes by X and by Chainage: the same
// first-index answer without scanning every electrode.
class TElectrodeIndex {
 public:
  explicit TElectrodeIndex(const elecarray& electrodes) : FElectrodes(electrodes) {
    for (size_t i = 0; i < electrodes.size(); ++i) Add(static_cast<int32_t>(i));
  }
  void Add(int32_t i) {
    // A position that is no number matches nothing, and would break the order of the maps.
    const TElectrode& e = FElectrodes[static_cast<size_t>(i)];
    if (std::isfinite(e.X)) FByX.emplace(e.X, i);
    if (std::isfinite(e.Chainage)) FByChainage.emplace(e.Chainage, i);
  }
  int32_t Find(double x, double depth) const {
    const int32_t i = Search(FByX, x, depth);
    return i >= 0 ? i : Search(FByChainage, x, depth);
  }

 private:
  int32_t Search(const std::multimap<double, int32_t>& index, double x, double depth) const {
    int32_t best = -1;
    // The window is wider than the tolerance; the test below decides.
    for (auto it = index.lower_bound(x - 2 * ElectrodeTolerance);
         it != index.end() && it->first <= x + 2 * ElectrodeTolerance; ++it) {
      const TElectrode& e = FElectrodes[static_cast<size_t>(it->second)];
      if (std::abs(it->first - x) < ElectrodeTolerance && std::abs(e.Depth - depth) < ElectrodeTolerance &&
          (best < 0 || it->second < best))
        best = it->second;
    }
    return best;
  }
  const elecarray& FElectrodes;
  std::multimap<double, int32_t> FByX, FByChainage;
};

// A list filled as by AddUniqueValue, with an ordered index of its finite entries
// so that each addition looks only at its neighbours. A value that is not finite
// never passes the tolerance test, so it is always appended.
class TUniqueValues {
 public:
  TUniqueValues(arofdoubleM& values, double tol) : FValues(values), FTol(tol) {
    for (double v : values)
      if (std::isfinite(v)) FIndex.insert(v);
  }
  void Add(double value) {
    if (value == NoValue) return;
    if (std::isfinite(value)) {
      // The window is wider than the tolerance; the test below decides.
      for (auto it = FIndex.lower_bound(value - 2 * FTol); it != FIndex.end() && *it <= value + 2 * FTol; ++it)
        if (std::abs(*it - value) < FTol) return;
      FIndex.insert(value);
    }
    FValues.push_back(value);
  }

 private:
  arofdoubleM& FValues;
  double FTol;
  std::multiset<double> FIndex;
};

// For a positive value and 0 < tol < 1 the entries that pass the relative test lie
// in the interval (v (1 - tol), v / (1 - tol)). Entries well inside it pass for
// certain; those near its ends are given to the test itself.
constexpr double WindowMargin = 1e-9;
bool IndexableRelative(double value, double tol) {
  return std::isfinite(value) && value > 0 && tol > 0 && tol < 1;
}

// A list filled as by AddUniqueRelative. Its entries differ from each other by the
// tolerance, so only a few lie in the window of a value.
class TUniqueRelative {
 public:
  TUniqueRelative(arofdoubleM& values, double tol) : FValues(values), FTol(tol) {
    for (double v : values)
      if (std::isfinite(v)) FIndex.insert(v);
  }
  void Add(double value) {
    if (value == NoValue || Contains(value)) return;
    FValues.push_back(value);
    if (std::isfinite(value)) FIndex.insert(value);
  }

 private:
  bool Contains(double value) const {
    // Only an equal entry passes the test against 0.
    if (value == 0 && FTol < 1) return FIndex.count(0.0) > 0;
    if (!IndexableRelative(value, FTol))
      return std::any_of(FValues.begin(), FValues.end(),
                         [&](double e) { return Survey::RelativelyEqual(e, value, FTol); });
    const double lo = value * (1 - FTol) * (1 - WindowMargin);
    const double hi = value / (1 - FTol) * (1 + WindowMargin);
    for (auto it = FIndex.lower_bound(lo); it != FIndex.end() && *it <= hi; ++it)
      if (Survey::RelativelyEqual(*it, value, FTol)) return true;
    return false;
  }
  arofdoubleM& FValues;
  double FTol;
  std::multiset<double> FIndex;
};

// FindRelative over a list that may be dense (many entries in one window): the
// entries sorted by value with a table of the smallest index over every range of a
// power-of-two length.
class TRelativeFinder {
 public:
  TRelativeFinder(const arofdoubleM& values, double tol) : FValues(values), FTol(tol) {
    for (size_t i = 0; i < values.size(); ++i)
      if (std::isfinite(values[i]) && values[i] > 0) FSorted.emplace_back(values[i], static_cast<int32_t>(i));
    std::sort(FSorted.begin(), FSorted.end());
    const size_t n = FSorted.size();
    if (n == 0) return;
    FMin.emplace_back(n);
    for (size_t i = 0; i < n; ++i) FMin[0][i] = FSorted[i].second;
    for (size_t width = 1; 2 * width <= n; width *= 2) {
      const arofintM& below = FMin.back();
      arofintM level(n - 2 * width + 1);
      for (size_t i = 0; i < level.size(); ++i) level[i] = std::min(below[i], below[i + width]);
      FMin.push_back(std::move(level));
    }
  }
  // The first index below `limit` whose entry passes the relative test; -1 when none.
  int32_t Find(double value, size_t limit) const {
    if (value == NoValue) return -1;
    const auto count = static_cast<int32_t>(std::min(limit, FValues.size()));
    if (!IndexableRelative(value, FTol)) {
      for (int32_t i = 0; i < count; ++i)
        if (Survey::RelativelyEqual(FValues[static_cast<size_t>(i)], value, FTol)) return i;
      return -1;
    }
    const double wideLo = value * (1 - FTol) * (1 - WindowMargin);
    const double wideHi = value / (1 - FTol) * (1 + WindowMargin);
    const double coreLo = value * (1 - FTol) * (1 + WindowMargin);
    const double coreHi = value / (1 - FTol) * (1 - WindowMargin);
    auto at = [&](double v, bool after) {
      const auto it = after ? std::upper_bound(FSorted.begin(), FSorted.end(), std::make_pair(v, INT32_MAX))
                            : std::lower_bound(FSorted.begin(), FSorted.end(), std::make_pair(v, INT32_MIN));
      return static_cast<size_t>(it - FSorted.begin());
    };
    const size_t a = at(wideLo, false), b = at(coreLo, true), c = at(coreHi, false), d = at(wideHi, true);
    int32_t best = INT32_MAX;
    if (b < c) {
      const int32_t m = RangeMin(b, c);
      if (m < count) best = m;
    }
    auto check = [&](size_t from, size_t to) {
      for (size_t i = from; i < to; ++i) {
        const int32_t index = FSorted[i].second;
        if (index < count && index < best && Survey::RelativelyEqual(FSorted[i].first, value, FTol)) best = index;
      }
    };
    check(a, std::max(a, std::min(b, d)));
    check(std::max(a, c), d);
    return best == INT32_MAX ? -1 : best;
  }

 private:
  int32_t RangeMin(size_t from, size_t to) const {
    size_t level = 0;
    while ((size_t{2} << level) <= to - from) ++level;
    return std::min(FMin[level][from], FMin[level][to - (size_t{1} << level)]);
  }
  const arofdoubleM& FValues;
  double FTol;
  std::vector<std::pair<double, int32_t>> FSorted;
  std::vector<arofintM> FMin;
};

int32_t ElectrodeAt(const TElectrodeIndex& index, double x, double depth) {
  return x == NoValue ? -1 : index.Find(x, depth);
}

double RoundToOneDigit(double r) {
  const double p = std::pow(10.0, std::floor(std::log10(r)));
  return std::nearbyint(r / p) * p;
}

}  // namespace

void TSurvey::AnalyseSurvey() {
  NewDataLower = true;
  NewDataUpper = true;
  if (OnFreeWellLogs) OnFreeWellLogs();
  PrepareRows();
  if (ProjectCoordinates) ProjectPositions();
  if (ReverseProfile) MirrorProfile();
  if (ModelChart) ModelChart->SetLabelOffset(0.0);
  std::stable_sort(Topography.begin(), Topography.end(),
                   [](const complexM& a, const complexM& b) { return a.x < b.x; });
  NormaliseAbsentElectrodes();
  RemoveDuplicateRows();
  SortRows();
  for (arofdoubleM& row : MeasurementRows)
    for (int c = colC1y; c <= colP2z; ++c)
      if (row[c] == NoValue) row[c] = 0.0;
  BuildElectrodes();
  if (TopoSlopeDistances && !Topography.empty()) ConvertSlopeDistances();
  if (ReferenceX != NoValue) ConvertChainages();
  DeriveHeights();
  BuildNodePositions();

  BuildSources();
  FindSourceElectrodes();
  ComputeSpacings();
  for (size_t s = 0; s < Asource.size(); ++s)
    for (size_t j = 0; j < Asource[s].P1.size(); ++j)
      GeometricFactor(static_cast<int32_t>(s), static_cast<int32_t>(j));
  BuildLevels();
  GroupReceivers(true);
  CollectElectrodeDistances();
  GroupReceivers(false);
  DataXMin = NoValue;
  DataXMax = -NoValue;
  for (const osource& src : Asource)
    for (double x : src.PlotX) {
      DataXMin = std::min(DataXMin, x);
      DataXMax = std::max(DataXMax, x);
    }
  ProposeStartValues();
  CompleteWeights();
  SetLineOffset();
  // The solver fits its wavenumbers again for the new geometry at its next run.
  DC2dBEM::GeometryChanged = true;
  if (ResetDividing) ResetMeshDividing();
  if (ModelChart) ModelChart->ClearMeshPreview();
}

// Every row gets its sixteen columns; the decimation step of the data drawing.
void TSurvey::PrepareRows() {
  for (arofdoubleM& row : MeasurementRows)
    if (row.size() < RowColumns) row.resize(RowColumns, NoValue);
  const auto highest = static_cast<int64_t>(MeasurementRows.size()) - 1;
  DecimationStep = highest < 1501 ? 1 : static_cast<int32_t>(std::nearbyint(static_cast<double>(highest) / 1000.0));
}

void TSurvey::ProjectPositions() {
  double slope = 0, intercept = 0, xmin = 0;
  LevelTopography(Topography, slope, intercept, xmin);
  if (ReferenceX != NoValue) {
    ReferenceX = ProjectToProfile(ReferenceX, slope, intercept, xmin);
  } else {
    for (arofdoubleM& row : MeasurementRows)
      for (int c = colC1; c <= colP2; ++c)
        if (row[c] != NoValue) row[c] = ProjectToProfile(row[c], slope, intercept, xmin);
  }
  ProjectCoordinates = false;
}

void TSurvey::MirrorProfile() {
  double hi = -NoValue, lo = NoValue;
  for (const arofdoubleM& row : MeasurementRows)
    for (int c = colC1; c <= colP2; ++c)
      if (row[c] != NoValue) {
        hi = std::max(hi, row[c]);
        lo = std::min(lo, row[c]);
      }
  auto mirror = [&](double& v) { v = hi - v + lo + ReverseShift; };
  if (ReferenceX != NoValue) {
    mirror(ReferenceX);
    mirror(ReferenceChainage);
  }
  for (double& x : ExtraNodes) mirror(x);
  for (arofdoubleM& row : MeasurementRows)
    for (int c = colC1; c <= colP2; ++c)
      if (row[c] != NoValue) mirror(row[c]);
  for (complexM& p : Topography) mirror(p.x);
}

void TSurvey::NormaliseAbsentElectrodes() {
  // A row without a current or a potential electrode (possible only in an edited
  // table; the readers drop them) has no geometry and is left out.
  std::erase_if(MeasurementRows, [](const arofdoubleM& row) {
    return (row[colC1] == NoValue && row[colC2] == NoValue) || (row[colP1] == NoValue && row[colP2] == NoValue);
  });
  // Projecting or mirroring a profile with absurd coordinates can leave positions
  // that are no numbers; such a measurement cannot be placed either.
  const auto placed = MeasurementRows.size();
  std::erase_if(MeasurementRows, [](const arofdoubleM& row) {
    for (int c = colC1; c <= colP2; ++c)
      if (!std::isfinite(row[c])) return true;
    return false;
  });
  if (const auto lost = placed - MeasurementRows.size())
    Message(std::to_string(lost) + " measurement(s) have electrode positions that are no numbers after projecting "
            "or mirroring the profile; they are left out.");
  for (arofdoubleM& row : MeasurementRows) {
    if (row[colC1] == NoValue) {
      std::swap(row[colC1], row[colC2]);
      std::swap(row[colC1y], row[colC2y]);
      std::swap(row[colC1z], row[colC2z]);
    }
    if (row[colP1] == NoValue) {
      std::swap(row[colP1], row[colP2]);
      std::swap(row[colP1y], row[colP2y]);
      std::swap(row[colP1z], row[colP2z]);
    }
  }
}

// Of rows with the same twelve geometry columns the last one of the table stays.
void TSurvey::RemoveDuplicateRows() {
  using Geometry = std::array<double, 12>;
  auto geometryOf = [](const arofdoubleM& row) {
    Geometry g;
    const int columns[12] = {colC1, colC2, colP1, colP2, colC1y, colC2y, colP1y, colP2y,
                             colC1z, colC2z, colP1z, colP2z};
    for (int i = 0; i < 12; ++i) g[i] = row[columns[i]];
    return g;
  };
  std::set<Geometry> seen;
  std::vector<uint8_t> keep(MeasurementRows.size(), 0);
  for (size_t i = MeasurementRows.size(); i-- > 0;)
    keep[i] = seen.insert(geometryOf(MeasurementRows[i])).second ? 1 : 0;
  ararofdoubleM kept;
  kept.reserve(seen.size());
  for (size_t i = 0; i < MeasurementRows.size(); ++i)
    if (keep[i]) kept.push_back(std::move(MeasurementRows[i]));
  MeasurementRows = std::move(kept);
}

// By C1z, then by C1; rows of one current pair that follow each other by P1. Stable,
// as the exchange sorts of neighbours were.
void TSurvey::SortRows() {
  std::stable_sort(MeasurementRows.begin(), MeasurementRows.end(), [](const arofdoubleM& a, const arofdoubleM& b) {
    if (a[colC1z] != b[colC1z]) return a[colC1z] < b[colC1z];
    return a[colC1] < b[colC1];
  });
  auto samePair = [](const arofdoubleM& a, const arofdoubleM& b) {
    return a[colC1] == b[colC1] && a[colC2] == b[colC2] && a[colC1z] == b[colC1z] && a[colC2z] == b[colC2z];
  };
  for (auto first = MeasurementRows.begin(); first != MeasurementRows.end();) {
    auto last = first + 1;
    while (last != MeasurementRows.end() && samePair(*first, *last)) ++last;
    std::stable_sort(first, last, [](const arofdoubleM& a, const arofdoubleM& b) { return a[colP1] < b[colP1]; });
    first = last;
  }
}

void TSurvey::BuildElectrodes() {
  elecarray.clear();
  TElectrodeIndex index(elecarray);
  static constexpr int depthColumn[4] = {colC1z, colC2z, colP1z, colP2z};
  for (const arofdoubleM& row : MeasurementRows)
    for (int e = 0; e < 4; ++e) {
      const double x = row[colC1 + e];
      if (x == NoValue) continue;
      const double depth = row[depthColumn[e]];
      // Only X is searched here: every electrode still has Chainage equal to X.
      if (index.Find(x, depth) >= 0) continue;
      TElectrode electrode;
      electrode.X = x;
      electrode.Chainage = x;
      electrode.Depth = depth;
      elecarray.push_back(electrode);
      index.Add(static_cast<int32_t>(elecarray.size()) - 1);
    }
  std::stable_sort(elecarray.begin(), elecarray.end(), [](const TElectrode& a, const TElectrode& b) {
    if (a.Depth != b.Depth) return a.Depth < b.Depth;
    return a.X < b.X;
  });
}

// Relief x values given as distances along the slope become horizontal positions,
// and the first relief point becomes the reference point.
bool TSurvey::ConvertSlopeDistances() {
  arofdoubleM x(Topography.size());
  x[0] = Topography[0].x;
  for (size_t j = 1; j < Topography.size(); ++j) {
    const double dx = Topography[j - 1].x - Topography[j].x;
    const double dz = Topography[j - 1].z - Topography[j].z;
    if (dx * dx < dz * dz) {
      Message("Topography: the slope distance between the relief points at " + ExactText(Topography[j - 1].x) +
              " and " + ExactText(Topography[j].x) + " is shorter than their elevation difference " +
              ExactText(std::abs(dz)) + "; the relief is used as horizontal positions.");
      return false;
    }
    x[j] = x[j - 1] + std::sqrt(dx * dx - dz * dz);
    if (!std::isfinite(x[j])) {
      Message("Topography: the relief points at " + ExactText(Topography[j - 1].x) + " and " +
              ExactText(Topography[j].x) + " are too far apart for slope distances; the relief is used as "
              "horizontal positions.");
      return false;
    }
  }
  for (size_t j = 0; j < Topography.size(); ++j) Topography[j].x = x[j];
  ReferenceX = x[0];
  ReferenceChainage = x[0];
  return true;
}

void TSurvey::ConvertChainages() {
  arofdoubleM chainages;
  chainages.reserve(elecarray.size());
  for (const TElectrode& e : elecarray) chainages.push_back(e.Chainage);
  const arofdoubleM x = ChainageToX(Topography, ReferenceX, ReferenceChainage, chainages);
  for (size_t i = 0; i < elecarray.size(); ++i) elecarray[i].X = x[i];
}

void TSurvey::DeriveHeights() {
  if (Topography.size() >= 2 && !elecarray.empty()) {
    const bool unconverted = std::all_of(elecarray.begin(), elecarray.end(),
                                         [](const TElectrode& e) { return e.X == e.Chainage; });
    if (unconverted) {
      const TElectrode& first = elecarray.front();
      // Electrodes left of the first one lie before it along the ground.
      for (size_t i = 1; i < elecarray.size(); ++i) {
        TElectrode& e = elecarray[i];
        const double along = SurfaceDistance(Topography, e.X, first.X);
        e.Chainage = std::nearbyint((first.Chainage + (e.X < first.X ? -along : along)) * 100.0) / 100.0;
      }
    }
  }
  if (ModelChart && Topography.size() >= 2 && RealTopoCoordinates) {
    double top = -NoValue;
    for (const complexM& p : Topography) top = std::max(top, p.z);
    ModelChart->SetLabelOffset(-std::max(0.0, top));
  }
  double hmax = 0.0;
  if (!Topography.empty()) {
    hmax = Topography[0].z;
    for (const complexM& p : Topography) hmax = std::max(hmax, p.z);
  }
  // ModelDepth: relief elevation plus depth; SourceDepth: depth below the highest relief point.
  for (TElectrode& e : elecarray) {
    if (Topography.empty())
      e.ModelDepth = e.Depth;
    else if (Topography.size() == 1)
      e.ModelDepth = e.Depth + Topography[0].z;
    else
      e.ModelDepth = Supermath2d::InterpolateComplex(Topography, e.X) + e.Depth;
    e.SourceDepth = Topography.empty() ? e.ModelDepth : hmax - (e.ModelDepth - e.Depth) + e.Depth;
    e.AtSurface = e.Depth > 0 ? 0 : 1;
    e.ImageDepth = -e.ModelDepth;
  }
}

void TSurvey::BuildNodePositions() {
  NodePositions.clear();
  TUniqueValues positions(NodePositions, ElectrodeTolerance);
  for (const TElectrode& e : elecarray) positions.Add(e.X);
  SortValues(NodePositions);
  if (ExtendedNodes && ExtraNodes.empty() && NodePositions.size() >= 2) {
    const size_t n = NodePositions.size();
    ExtraNodes = {NodePositions[0] - std::abs(NodePositions[1] - NodePositions[0]),
                  NodePositions[n - 1] + std::abs(NodePositions[n - 1] - NodePositions[n - 2])};
  }
  for (double x : ExtraNodes) positions.Add(x);
  SortValues(NodePositions);
  arofdoubleM gaps;
  for (size_t i = 1; i < NodePositions.size(); ++i) gaps.push_back(NodePositions[i] - NodePositions[i - 1]);
  ElectrodeSpacing = Supermath2d::RobustMean(gaps);
  GroupingSpacing = ElectrodeSpacing;
  ElectrodePositions = NodePositions;
}

void TSurvey::BuildSources() {
  Asource.clear();
  auto samePair = [](const arofdoubleM& row, const arofdoubleM& previous) {
    return row[colC1] == previous[colC1] && row[colC2] == previous[colC2] && row[colC1z] == previous[colC1z] &&
           row[colC2z] == previous[colC2z];
  };
  // The first row of every source, and one past its last.
  std::vector<size_t> starts;
  for (size_t i = 0; i < MeasurementRows.size(); ++i)
    if (i == 0 || !samePair(MeasurementRows[i], MeasurementRows[i - 1])) starts.push_back(i);
  starts.push_back(MeasurementRows.size());
  const size_t count = starts.size() - 1;
  Asource.resize(count);
  // Every list of a source is made once at its size (a survey may hold tens of
  // thousands of sources, and the time goes into making their lists).
  auto fill = [&](size_t s) {
    osource& src = Asource[s];
    const size_t first = starts[s], m = starts[s + 1] - first;
    const arofdoubleM& head = MeasurementRows[first];
    src.C1x = head[colC1];
    src.C2x = head[colC2];
    src.C1y = head[colC1y];
    src.C2y = head[colC2y];
    src.C1z = head[colC1z];
    src.C2z = head[colC2z];
    src.P1.assign(m, -1);
    src.P2.assign(m, -1);
    src.FlagsA.assign(m, 1);
    src.FlagsB.assign(m, 1);
    src.FlagsC.assign(m, 1);
    src.LevelIndex.assign(m, 0);
    src.GroupIndex.assign(m, 0);
    src.PairsA.resize(m);
    src.PairsB.resize(m);
    for (auto* list : {&src.UC1P1, &src.UC2P1, &src.ResCalc, &src.RhoACalc, &src.K, &src.EffectiveSpacing,
                       &src.PseudoDepth, &src.PlotX, &src.PlotX0})
      list->assign(m, 0.0);
    const std::pair<arofdoubleM*, int> columns[] = {
        {&src.P1x, colP1}, {&src.P2x, colP2},   {&src.P1y, colP1y}, {&src.P2y, colP2y},    {&src.P1z, colP1z},
        {&src.P2z, colP2z}, {&src.Res, colRes}, {&src.RhoA, colRhoA}, {&src.Weight, colWeight}};
    for (const auto& [list, column] : columns) {
      list->resize(m);
      for (size_t k = 0; k < m; ++k) (*list)[k] = MeasurementRows[first + k][column];
    }
    if (HasIPData) {
      src.EtaA.resize(m);
      for (size_t k = 0; k < m; ++k) src.EtaA[k] = MeasurementRows[first + k][colEtaA];
      src.EtaACalc.assign(m, 0.0);
      src.ResIP.assign(m, NoValue);
      src.ResCalcIP.assign(m, 0.0);
    }
  };
  for (size_t s = 0; s < count; ++s) fill(s);
}

void TSurvey::FindSourceElectrodes() {
  const TElectrodeIndex index(elecarray);
  std::set<int32_t> current;
  for (osource& src : Asource) {
    src.C1 = ElectrodeAt(index, src.C1x, src.C1z);
    src.C2 = ElectrodeAt(index, src.C2x, src.C2z);
    for (size_t j = 0; j < src.P1.size(); ++j) {
      src.P1[j] = ElectrodeAt(index, src.P1x[j], src.P1z[j]);
      src.P2[j] = ElectrodeAt(index, src.P2x[j], src.P2z[j]);
    }
    if (src.C1 != -1) current.insert(src.C1);
    if (src.C2 != -1) current.insert(src.C2);
  }
  CurrentElectrodes.assign(current.begin(), current.end());
}

void TSurvey::ComputeSpacings() {
  // Distances are measured along the ground when that gives the more regular layout.
  arofdoubleM xGaps, chainageGaps;
  TUniqueValues xGapList(xGaps, ElectrodeTolerance), chainageGapList(chainageGaps, ElectrodeTolerance);
  for (size_t i = 0; i + 1 < elecarray.size(); ++i) {
    xGapList.Add(elecarray[i + 1].X - elecarray[i].X);
    chainageGapList.Add(elecarray[i + 1].Chainage - elecarray[i].Chainage);
  }
  UseChainage = chainageGaps.size() < xGaps.size();

  auto distance = [&](int32_t a, int32_t b) {
    if (a < 0 || b < 0) return MissingDistance;
    const TElectrode& u = elecarray[static_cast<size_t>(a)];
    const TElectrode& v = elecarray[static_cast<size_t>(b)];
    return UseChainage ? std::abs(u.Chainage - v.Chainage) : std::abs(u.X - v.X);
  };
  SpacingLevels.clear();
  TUniqueValues levels(SpacingLevels, ElectrodeTolerance);
  // The length of the level list when each receiver was added to it.
  std::vector<size_t> listed;
  for (osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j) {
      const double am = distance(src.C1, src.P1[j]);
      const double an = distance(src.C1, src.P2[j]);
      const double bm = distance(src.C2, src.P1[j]);
      const double bn = src.C2 < 0 ? MissingDistance : distance(src.C2, src.P2[j]);
      double spacing = DegenerateFactor;
      if (am != 0 && an != 0 && bm != 0 && bn != 0) {
        const double s = std::abs(1 / am - 1 / an - 1 / bm + 1 / bn);
        if (s != 0) spacing = 1 / s;
      }
      levels.Add(spacing);
      src.EffectiveSpacing[j] = spacing;
      listed.push_back(SpacingLevels.size());
    }
  // Numbered in the order of first appearance: each receiver's level is looked up
  // among the levels listed up to its own.
  const TRelativeFinder finder(SpacingLevels, 0.05);
  size_t receiver = 0;
  for (osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j)
      src.LevelIndex[j] = finder.Find(src.EffectiveSpacing[j], listed[receiver++]);
  SortValues(SpacingLevels);
}

void TSurvey::BuildLevels() {
  Levels.clear();
  TUniqueRelative levels(Levels, 0.01);
  for (const osource& src : Asource)
    for (double d : src.PseudoDepth) levels.Add(d);
  SortValues(SpacingLevels);
  SortValues(Levels);
  const TRelativeFinder finder(Levels, 0.05);
  for (osource& src : Asource)
    for (size_t j = 0; j < src.PseudoDepth.size(); ++j)
      src.GroupIndex[j] = finder.Find(src.PseudoDepth[j], Levels.size());
}

// Receivers on one plot point: each head receiver takes every later head receiver
// of the same level closer than the tolerance into its group. The later heads of a
// level are kept sorted by plot position, so each receiver is looked at a few times
// instead of against every other receiver.
void TSurvey::GroupReceivers(bool byDepth) {
  const double tol = byDepth ? 0.1 * GroupingSpacing : 1e-4;
  struct TReceiver {
    int32_t Source, Index;
  };
  std::vector<TReceiver> order;
  std::map<int32_t, std::set<std::pair<double, size_t>>> heads;  // level -> (PlotX, order number)
  for (size_t s = 0; s < Asource.size(); ++s)
    for (size_t j = 0; j < Asource[s].P1.size(); ++j) {
      const osource& src = Asource[s];
      const int32_t level = byDepth ? src.GroupIndex[j] : src.LevelIndex[j];
      heads[level].emplace(src.PlotX[j], order.size());
      order.push_back({static_cast<int32_t>(s), static_cast<int32_t>(j)});
    }
  auto headFlag = [&](const TReceiver& r) -> uint8_t& {
    osource& src = Asource[static_cast<size_t>(r.Source)];
    return byDepth ? src.FlagsB[static_cast<size_t>(r.Index)] : src.FlagsA[static_cast<size_t>(r.Index)];
  };
  for (size_t g = 0; g < order.size(); ++g) {
    const TReceiver r = order[g];
    if (!headFlag(r)) continue;
    osource& src = Asource[static_cast<size_t>(r.Source)];
    const double x = src.PlotX[static_cast<size_t>(r.Index)];
    auto& level = heads[byDepth ? src.GroupIndex[static_cast<size_t>(r.Index)] : src.LevelIndex[static_cast<size_t>(r.Index)]];
    level.erase({x, g});
    // Every receiver still in the level's set comes later in the survey than r.
    std::vector<size_t> members;
    auto it = level.lower_bound({x - 2 * tol, 0});
    while (it != level.end() && it->first - x < tol) {
      if (std::abs(x - it->first) < tol) {
        members.push_back(it->second);
        it = level.erase(it);
      } else {
        ++it;
      }
    }
    std::sort(members.begin(), members.end());
    Points& group = byDepth ? src.PairsB[static_cast<size_t>(r.Index)] : src.PairsA[static_cast<size_t>(r.Index)];
    for (size_t m : members) {
      headFlag(order[m]) = 0;
      group.push_back({order[m].Source, order[m].Index});
    }
  }
}

void TSurvey::CollectElectrodeDistances() {
  ElectrodeDistances.clear();
  TUniqueRelative distances(ElectrodeDistances, 0.01);
  auto add = [&](int32_t a, int32_t b) {
    if (a < 0 || b < 0) return;
    const TElectrode& u = elecarray[static_cast<size_t>(a)];
    const TElectrode& v = elecarray[static_cast<size_t>(b)];
    distances.Add(std::hypot(u.X - v.X, u.ModelDepth - v.ModelDepth));
  };
  for (const osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j) {
      add(src.C1, src.P1[j]);
      add(src.C1, src.P2[j]);
      add(src.C2, src.P1[j]);
      add(src.C2, src.P2[j]);
    }
  SortValues(ElectrodeDistances);
}

void TSurvey::ProposeStartValues() {
  if (!HasObservedData) {
    StartResistivity = 10.0;
    StartPolarizability = 0.0;
    return;
  }
  if (StartResistivity != 0.0) return;
  arofdoubleM logs, etas;
  for (const osource& src : Asource) {
    for (double r : src.RhoA) logs.push_back(r == NoValue ? 0.0 : std::log(r));
    for (double e : src.EtaA) etas.push_back(e == NoValue ? 0.0 : e);
  }
  if (logs.empty()) {
    StartResistivity = 10.0;
    return;
  }
  StartResistivity = RoundToOneDigit(std::exp(logs.size() < 3 ? logs[0] : Supermath2d::RobustMean(logs)));
  if (HasIPData && !etas.empty()) {
    double q = etas.size() < 3 ? std::max(0.0, etas[0]) : std::max(0.0, 0.5 * Supermath2d::RobustMean(etas));
    if (q != 0.0) q = RoundToOneDigit(q);
    StartPolarizability = q;
  }
}

void TSurvey::CompleteWeights() {
  for (osource& src : Asource)
    for (double& w : src.Weight)
      if (w == NoValue) w = 1.0;
}

// The lateral distance between the current and the potential electrodes' lines,
// when the survey has exactly one.
void TSurvey::SetLineOffset() {
  arofdoubleM offsets;
  TUniqueValues list(offsets, ElectrodeTolerance);
  auto add = [&](double d) { list.Add(d); };
  for (const osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j) {
      add(std::abs(src.C1y - src.P1y[j]));
      if (src.P2[j] != -1) add(std::abs(src.C1y - src.P2y[j]));
      if (src.C2 != -1) add(std::abs(src.C2y - src.P1y[j]));
      if (src.C2 != -1 && src.P2[j] != -1) add(std::abs(src.C2y - src.P2y[j]));
    }
  DC2dBEM::CommonOffset = offsets.size() == 1 ? offsets[0] : 0.0;
}

void TSurvey::ResetMeshDividing() {
  FactorX = 0.1;
  FactorZ = 0.1;
  StartX = 2.0;
  StartZ = 1.0;
  Exponent = false;
}
