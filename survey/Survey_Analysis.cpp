// The survey analysis: turns the measurement table into electrodes, sources with
// their receivers, spacing and pseudo-depth levels, plot-point groups and the lists
// the solver uses. Look-ups that would scan the whole survey for every measurement
// go through sorted indexes and hash tables, so the analysis stays near n log n in
// the measurements.
#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numeric>
#include <set>
#include <utility>

#include "survey/Survey.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace {

constexpr double ElectrodeTolerance = 1e-5;
constexpr double MissingDistance = 1e300;

// A hash table over exact keys of N reals (open addressing, no allocation per
// entry). Keys compare as the reals do: -0 and +0 are one key. A NaN key is never
// found again, so callers keep NaN out.
template <size_t N>
class TExactTable {
 public:
  using Key = std::array<double, N>;
  // Room for the expected number of keys at most half full.
  explicit TExactTable(size_t expected = 0) {
    size_t capacity = 16;
    while (capacity < 2 * expected) capacity *= 2;
    Resize(capacity);
  }
  // The value stored under the key, or nullptr.
  int32_t* Find(const Key& key) {
    for (size_t i = Hash(key) & FMask;; i = (i + 1) & FMask) {
      TSlot& slot = FSlots[i];
      if (!slot.Used) return nullptr;
      if (slot.Stored == key) return &slot.Value;
    }
  }
  // Stores the value under a key that is not yet in the table.
  void Insert(const Key& key, int32_t value) {
    if (2 * (FCount + 1) > FSlots.size()) Resize(2 * FSlots.size());
    Place(key, value);
    ++FCount;
  }

 private:
  struct TSlot {
    Key Stored{};
    int32_t Value = 0;
    bool Used = false;
  };
  static uint64_t Hash(const Key& key) {
    uint64_t h = 0x9e3779b97f4a7c15ULL;
    for (double v : key) {
      // +0 for -0, so that equal keys hash alike.
      h ^= std::bit_cast<uint64_t>(v == 0 ? 0.0 : v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
      h ^= h >> 31;
      h *= 0xbf58476d1ce4e5b9ULL;
    }
    return h ^ (h >> 29);
  }
  void Place(const Key& key, int32_t value) {
    size_t i = Hash(key) & FMask;
    while (FSlots[i].Used) i = (i + 1) & FMask;
    FSlots[i] = {key, value, true};
  }
  void Resize(size_t capacity) {
    std::vector<TSlot> old(capacity);
    old.swap(FSlots);
    FMask = capacity - 1;
    for (const TSlot& slot : old)
      if (slot.Used) Place(slot.Stored, slot.Value);
  }
  std::vector<TSlot> FSlots;
  size_t FMask = 0;
  size_t FCount = 0;
};

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

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

// A list filled as by AddUniqueValue, with its finite entries hashed by cells of
// twice the tolerance, so that each addition looks only at the entries of a few
// cells. A value that is not finite never passes the tolerance test, so it is
// always appended.
class TUniqueValues {
 public:
  TUniqueValues(arofdoubleM& values, double tol) : FValues(values), FTol(tol) {
    for (double v : values)
      if (std::isfinite(v)) Insert(v);
  }
  void Add(double value) {
    if (value == NoValue) return;
    if (std::isfinite(value)) {
      // An entry within the tolerance lies in the value's cell or a neighbour: the
      // rounded quotients differ by less than one cell, and where they are whole
      // numbers beyond 2^53 reals closer than the tolerance are equal.
      const double cell = Cell(value);
      for (int d = -1; d <= 1; ++d)
        if (const int32_t* head = FCells.Find({cell + d}))
          for (int32_t e = *head; e >= 0; e = FNext[static_cast<size_t>(e)])
            if (std::abs(FEntries[static_cast<size_t>(e)] - value) < FTol) return;
      Insert(value);
    }
    FValues.push_back(value);
  }

 private:
  double Cell(double value) const { return std::floor(value / (2 * FTol)); }
  void Insert(double value) {
    const double cell = Cell(value);
    const auto index = static_cast<int32_t>(FEntries.size());
    FEntries.push_back(value);
    int32_t* head = FCells.Find({cell});
    FNext.push_back(head ? *head : -1);
    if (head)
      *head = index;
    else
      FCells.Insert({cell}, index);
  }
  arofdoubleM& FValues;
  double FTol;
  TExactTable<1> FCells;
  arofdoubleM FEntries;
  arofintM FNext;
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
    // A value met before is in the list or close to an entry of it, and stays so.
    const bool finite = std::isfinite(value);
    if (finite && FSeen.Find({value})) return;
    if (finite) FSeen.Insert({value}, 0);
    if (value == NoValue || Contains(value)) return;
    FValues.push_back(value);
    if (finite) FIndex.insert(value);
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
  TExactTable<1> FSeen;
};

// FindRelative over a list that may be dense (many entries in one window): the
// entries sorted by value. The values asked for are taken all at once in ascending
// order, so the ends of their windows only move forward over the sorted entries,
// and the smallest index of the entries sure to pass is kept as the window slides.
class TRelativeFinder {
 public:
  TRelativeFinder(const arofdoubleM& values, double tol) : FValues(values), FTol(tol) {
    FSorted.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i)
      if (std::isfinite(values[i]) && values[i] > 0) FSorted.emplace_back(values[i], static_cast<int32_t>(i));
    std::sort(FSorted.begin(), FSorted.end());
  }
  // For every value the first index whose entry passes the relative test; -1 when none.
  arofintM FindAll(const arofdoubleM& values) const {
    arofintM first(values.size(), -1);
    // The values in ascending order, each run of equal ones answered once. NoValue
    // is never looked up, and no entry passes the test against NaN.
    std::vector<uint32_t> ascending;
    ascending.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i)
      if (values[i] != NoValue && !std::isnan(values[i])) ascending.push_back(static_cast<uint32_t>(i));
    std::sort(ascending.begin(), ascending.end(), [&](uint32_t x, uint32_t y) { return values[x] < values[y]; });
    const size_t n = FSorted.size();
    size_t a = 0, b = 0, c = 0, d = 0;
    // Sorted places in [b, c) whose indices rise from front to back, each smaller
    // than every index after it in the window: the front holds the window's smallest.
    std::vector<uint32_t> rising;
    size_t front = 0;
    for (size_t q = 0; q < ascending.size();) {
      const double value = values[ascending[q]];
      int32_t found = -1;
      if (!IndexableRelative(value, FTol)) {
        for (size_t i = 0; i < FValues.size() && found < 0; ++i)
          if (Survey::RelativelyEqual(FValues[i], value, FTol)) found = static_cast<int32_t>(i);
      } else {
        const double wideLo = value * (1 - FTol) * (1 - WindowMargin);
        const double wideHi = value / (1 - FTol) * (1 + WindowMargin);
        const double coreLo = value * (1 - FTol) * (1 + WindowMargin);
        const double coreHi = value / (1 - FTol) * (1 - WindowMargin);
        // a, c: the first entry not below wideLo, coreHi; b, d: the first entry above coreLo, wideHi.
        while (a < n && FSorted[a].first < wideLo) ++a;
        while (b < n && FSorted[b].first <= coreLo) ++b;
        for (; c < n && FSorted[c].first < coreHi; ++c) {
          while (rising.size() > front && FSorted[rising.back()].second >= FSorted[c].second) rising.pop_back();
          rising.push_back(static_cast<uint32_t>(c));
        }
        while (d < n && FSorted[d].first <= wideHi) ++d;
        while (front < rising.size() && rising[front] < b) ++front;
        int32_t best = front < rising.size() ? FSorted[rising[front]].second : INT32_MAX;
        auto check = [&](size_t from, size_t to) {
          for (size_t i = from; i < to; ++i) {
            const int32_t index = FSorted[i].second;
            if (index < best && Survey::RelativelyEqual(FSorted[i].first, value, FTol)) best = index;
          }
        };
        check(a, std::max(a, std::min(b, d)));
        check(std::max(a, c), d);
        found = best == INT32_MAX ? -1 : best;
      }
      for (; q < ascending.size() && values[ascending[q]] == value; ++q) first[ascending[q]] = found;
    }
    return first;
  }

 private:
  const arofdoubleM& FValues;
  double FTol;
  std::vector<std::pair<double, int32_t>> FSorted;
};

// FindElectrode over the index, remembering the answer for every place asked
// (electrodes are shared by many measurements).
class TElectrodeFinder {
 public:
  explicit TElectrodeFinder(const elecarray& electrodes) : FIndex(electrodes), FKnown(electrodes.size()) {}
  int32_t Find(double x, double depth) {
    if (x == NoValue) return -1;
    if (!Finite(x, depth)) return FIndex.Find(x, depth);
    if (const int32_t* known = FKnown.Find({x, depth})) return *known;
    const int32_t found = FIndex.Find(x, depth);
    FKnown.Insert({x, depth}, found);
    return found;
  }

 private:
  TElectrodeIndex FIndex;
  TExactTable<2> FKnown;
};

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
// The rows are sorted by a hash of their geometry and then by the geometry itself,
// so rows with the same geometry end up next to each other.
void TSurvey::RemoveDuplicateRows() {
  static constexpr int Columns[12] = {colC1,  colC2,  colP1,  colP2,  colC1y, colC2y,
                                      colP1y, colP2y, colC1z, colC2z, colP1z, colP2z};
  const size_t n = MeasurementRows.size();
  // Equal reals give equal keys (-0 and +0 alike, every NaN alike).
  auto key = [](double v) {
    if (std::isnan(v)) return std::bit_cast<uint64_t>(std::numeric_limits<double>::quiet_NaN());
    return std::bit_cast<uint64_t>(v == 0 ? 0.0 : v);
  };
  std::vector<std::pair<uint64_t, uint32_t>> order(n);
  for (size_t i = 0; i < n; ++i) {
    uint64_t h = 0;
    for (int c : Columns) {
      h ^= key(MeasurementRows[i][c]) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
      h *= 0xbf58476d1ce4e5b9ULL;
    }
    order[i] = {h, static_cast<uint32_t>(i)};
  }
  auto sameGeometry = [&](uint32_t a, uint32_t b) {
    for (int c : Columns)
      if (key(MeasurementRows[a][c]) != key(MeasurementRows[b][c])) return false;
    return true;
  };
  auto geometryBefore = [&](uint32_t a, uint32_t b) {
    for (int c : Columns) {
      const uint64_t ka = key(MeasurementRows[a][c]), kb = key(MeasurementRows[b][c]);
      if (ka != kb) return ka < kb;
    }
    return false;
  };
  std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (geometryBefore(a.second, b.second)) return true;
    if (geometryBefore(b.second, a.second)) return false;
    return a.second < b.second;
  });
  std::vector<uint8_t> keep(n, 1);
  for (size_t i = 0; i + 1 < n; ++i)
    if (order[i].first == order[i + 1].first && sameGeometry(order[i].second, order[i + 1].second))
      keep[order[i].second] = 0;
  if (std::find(keep.begin(), keep.end(), 0) == keep.end()) return;
  ararofdoubleM kept;
  kept.reserve(n);
  for (size_t i = 0; i < n; ++i)
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
  // Places met before: each has an electrode within the tolerance by now.
  TExactTable<2> seen;
  static constexpr int depthColumn[4] = {colC1z, colC2z, colP1z, colP2z};
  for (const arofdoubleM& row : MeasurementRows)
    for (int e = 0; e < 4; ++e) {
      const double x = row[colC1 + e];
      if (x == NoValue) continue;
      const double depth = row[depthColumn[e]];
      if (Finite(x, depth)) {
        if (seen.Find({x, depth})) continue;
        seen.Insert({x, depth}, 0);
      }
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
    // The potentials (UC1P1 ...) are sized by the solver when it runs.
    for (auto* list : {&src.ResCalc, &src.RhoACalc, &src.K, &src.EffectiveSpacing, &src.PseudoDepth, &src.PlotX,
                       &src.PlotX0})
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
  TElectrodeFinder finder(elecarray);
  std::vector<uint8_t> current(elecarray.size(), 0);
  for (osource& src : Asource) {
    src.C1 = finder.Find(src.C1x, src.C1z);
    src.C2 = finder.Find(src.C2x, src.C2z);
    for (size_t j = 0; j < src.P1.size(); ++j) {
      src.P1[j] = finder.Find(src.P1x[j], src.P1z[j]);
      src.P2[j] = finder.Find(src.P2x[j], src.P2z[j]);
    }
    if (src.C1 != -1) current[static_cast<size_t>(src.C1)] = 1;
    if (src.C2 != -1) current[static_cast<size_t>(src.C2)] = 1;
  }
  CurrentElectrodes.clear();
  for (size_t i = 0; i < current.size(); ++i)
    if (current[i]) CurrentElectrodes.push_back(static_cast<int32_t>(i));
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
  size_t receivers = 0;
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
      // Until the look-up below: the length of the level list when this receiver was added.
      src.LevelIndex[j] = static_cast<int32_t>(SpacingLevels.size());
      ++receivers;
    }
  // Numbered in the order of first appearance: each receiver's level is looked up
  // among the levels listed up to its own.
  arofdoubleM spacings;
  spacings.reserve(receivers);
  for (const osource& src : Asource)
    spacings.insert(spacings.end(), src.EffectiveSpacing.begin(), src.EffectiveSpacing.end());
  const arofintM first = TRelativeFinder(SpacingLevels, 0.05).FindAll(spacings);
  size_t receiver = 0;
  for (osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j, ++receiver) {
      const int32_t level = first[receiver];
      src.LevelIndex[j] = level >= 0 && level < src.LevelIndex[j] ? level : -1;
    }
  SortValues(SpacingLevels);
}

void TSurvey::BuildLevels() {
  Levels.clear();
  TUniqueRelative levels(Levels, 0.01);
  for (const osource& src : Asource)
    for (double d : src.PseudoDepth) levels.Add(d);
  SortValues(SpacingLevels);
  SortValues(Levels);
  arofdoubleM depths;
  size_t receivers = 0;
  for (const osource& src : Asource) receivers += src.PseudoDepth.size();
  depths.reserve(receivers);
  for (const osource& src : Asource) depths.insert(depths.end(), src.PseudoDepth.begin(), src.PseudoDepth.end());
  const arofintM first = TRelativeFinder(Levels, 0.05).FindAll(depths);
  size_t receiver = 0;
  for (osource& src : Asource)
    for (size_t j = 0; j < src.PseudoDepth.size(); ++j) src.GroupIndex[j] = first[receiver++];
}

// Receivers on one plot point: each head receiver takes every later head receiver
// of the same level closer than the tolerance into its group. The receivers are
// sorted by level and plot position; those taken or done are skipped by links to
// the next one left, so each receiver is looked at a few times instead of against
// every other receiver.
void TSurvey::GroupReceivers(bool byDepth) {
  const double tol = byDepth ? 0.1 * GroupingSpacing : 1e-4;
  struct TReceiver {
    int32_t Source, Index;
  };
  struct TPlace {
    int32_t Level;
    double X;
    uint32_t Order;  // number of the receiver in survey order
  };
  size_t receivers = 0;
  for (const osource& src : Asource) receivers += src.P1.size();
  std::vector<TReceiver> order;
  std::vector<TPlace> places;
  order.reserve(receivers);
  places.reserve(receivers);
  for (size_t s = 0; s < Asource.size(); ++s) {
    const osource& src = Asource[s];
    for (size_t j = 0; j < src.P1.size(); ++j) {
      // A plot position that is no number is closer to none.
      if (std::isfinite(src.PlotX[j]))
        places.push_back({byDepth ? src.GroupIndex[j] : src.LevelIndex[j], src.PlotX[j],
                          static_cast<uint32_t>(order.size())});
      order.push_back({static_cast<int32_t>(s), static_cast<int32_t>(j)});
    }
  }
  auto before = [](const TPlace& a, const TPlace& b) {
    if (a.Level != b.Level) return a.Level < b.Level;
    if (a.X != b.X) return a.X < b.X;
    return a.Order < b.Order;
  };
  std::sort(places.begin(), places.end(), before);
  const auto n = static_cast<uint32_t>(places.size());
  constexpr uint32_t Unplaced = UINT32_MAX;
  std::vector<uint32_t> placeOf(order.size(), Unplaced);
  for (uint32_t i = 0; i < n; ++i) placeOf[places[i].Order] = i;
  // next[i]: the first place at or after i still in play (n: none).
  std::vector<uint32_t> next(n + 1);
  std::iota(next.begin(), next.end(), 0u);
  auto live = [&](uint32_t i) {
    uint32_t root = i;
    while (next[root] != root) root = next[root];
    while (next[i] != root) i = std::exchange(next[i], root);
    return root;
  };
  auto remove = [&](uint32_t i) { next[i] = i + 1; };

  auto headFlag = [&](const TReceiver& r) -> uint8_t& {
    osource& src = Asource[static_cast<size_t>(r.Source)];
    return byDepth ? src.FlagsB[static_cast<size_t>(r.Index)] : src.FlagsA[static_cast<size_t>(r.Index)];
  };
  std::vector<uint32_t> members;
  for (size_t g = 0; g < order.size(); ++g) {
    const TReceiver r = order[g];
    const uint32_t own = placeOf[g];
    if (!headFlag(r) || own == Unplaced) continue;
    // Every place still in play comes later in the survey than r.
    remove(own);
    const TPlace& p = places[own];
    const double x = p.X;
    members.clear();
    const auto from = std::lower_bound(places.begin(), places.end(), TPlace{p.Level, x - 2 * tol, 0}, before);
    for (uint32_t i = live(static_cast<uint32_t>(from - places.begin()));
         i < n && places[i].Level == p.Level && places[i].X - x < tol; i = live(i + 1))
      if (std::abs(x - places[i].X) < tol) {
        members.push_back(places[i].Order);
        remove(i);
      }
    std::sort(members.begin(), members.end());
    osource& src = Asource[static_cast<size_t>(r.Source)];
    Points& group = byDepth ? src.PairsB[static_cast<size_t>(r.Index)] : src.PairsA[static_cast<size_t>(r.Index)];
    for (uint32_t m : members) {
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
  size_t receivers = 0;
  for (const osource& src : Asource) receivers += src.RhoA.size();
  logs.reserve(receivers);
  if (HasIPData) etas.reserve(receivers);
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
