#include <cmath>
#include <random>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyAnalysisReferenceTests {

using Supermath2d::NoValue;

// A random survey of mixed arrays on a 0.5 m grid with some electrodes a hair off
// their grid point, buried electrodes, repeated geometries and a relief, so that
// electrodes, spacing and depth levels, plot points and distances repeat often.
ararofdoubleM RandomRows(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  auto position = [&] {
    double x = 0.5 * static_cast<double>(random() % 300);
    if (random() % 20 == 0) x += 4e-6;
    return x;
  };
  ararofdoubleM rows;
  while (rows.size() < count) {
    if (!rows.empty() && random() % 12 == 0) {
      arofdoubleM again = rows[random() % rows.size()];
      again[Survey::colRhoA] = 10.0 + static_cast<double>(random() % 1000);
      rows.push_back(again);
      continue;
    }
    const double a = position(), m = position();
    const double b = random() % 4 == 0 ? NoValue : position();
    const double n = random() % 5 == 0 ? NoValue : position();
    if (a == m || a == n || b == m || b == n || m == n || a == b) continue;
    arofdoubleM row = SurveyTest::Row(a, b, m, n, 5.0 + static_cast<double>(random() % 500));
    if (random() % 15 == 0) row[Survey::colC1z] = 2.0;
    if (random() % 25 == 0) row[Survey::colP1y] = 3.0;
    rows.push_back(row);
  }
  return rows;
}

struct TReceiverRef {
  int32_t Source = 0;
  int32_t Index = 0;
};

// Groups by the plain rule: every head receiver takes every later head receiver of
// its level within the tolerance, in survey order.
void PlainGroups(const TSurvey& s, const std::vector<TReceiverRef>& order, const arofintM& level, double tol,
                 std::vector<uint8_t>& head, std::vector<Points>& groups) {
  head.assign(order.size(), 1);
  groups.assign(order.size(), {});
  auto plotX = [&](size_t g) {
    return s.Asource[static_cast<size_t>(order[g].Source)].PlotX[static_cast<size_t>(order[g].Index)];
  };
  for (size_t k = 0; k < order.size(); ++k) {
    if (!head[k]) continue;
    for (size_t m = k + 1; m < order.size(); ++m)
      if (head[m] && std::abs(plotX(k) - plotX(m)) < tol && level[k] == level[m]) {
        head[m] = 0;
        groups[k].push_back({order[m].Source, order[m].Index});
      }
  }
}

// The analysis of a random survey against the plain methods: linear look-ups, the
// growing lists of the tolerance operations and the all-pairs grouping.
TEST(SurveyAnalysisReference, RandomSurveyMatchesPlainMethods) {
  const ararofdoubleM rows = RandomRows(6000, 11);
  TSurvey s;
  s.Topography = {{-10, 0}, {60, 4}, {100, -2}, {200, 6}};
  s.HasIPData = false;
  SurveyTest::Analyse(s, rows);

  // Duplicates: of each geometry the last row survives.
  const int geometry[12] = {Survey::colC1,  Survey::colC2,  Survey::colP1,  Survey::colP2,
                            Survey::colC1y, Survey::colC2y, Survey::colP1y, Survey::colP2y,
                            Survey::colC1z, Survey::colC2z, Survey::colP1z, Survey::colP2z};
  ararofdoubleM kept;
  for (size_t i = 0; i < rows.size(); ++i) {
    arofdoubleM row = rows[i];
    if (row[Survey::colP1] == NoValue) {
      std::swap(row[Survey::colP1], row[Survey::colP2]);
      std::swap(row[Survey::colP1y], row[Survey::colP2y]);
      std::swap(row[Survey::colP1z], row[Survey::colP2z]);
    }
    kept.push_back(row);
  }
  ararofdoubleM unique;
  for (size_t i = 0; i < kept.size(); ++i) {
    bool later = false;
    for (size_t j = i + 1; j < kept.size() && !later; ++j)
      later = std::all_of(std::begin(geometry), std::end(geometry), [&](int c) { return kept[i][c] == kept[j][c]; });
    if (!later) unique.push_back(kept[i]);
  }
  // Order: by C1z, then C1; rows of one current pair by P1 (insertion sorts keep ties).
  auto insertionSort = [&](auto before) {
    for (size_t i = 1; i < unique.size(); ++i)
      for (size_t j = i; j > 0 && before(unique[j], unique[j - 1]); --j) std::swap(unique[j], unique[j - 1]);
  };
  insertionSort([](const arofdoubleM& a, const arofdoubleM& b) {
    return a[Survey::colC1z] < b[Survey::colC1z] ||
           (a[Survey::colC1z] == b[Survey::colC1z] && a[Survey::colC1] < b[Survey::colC1]);
  });
  insertionSort([](const arofdoubleM& a, const arofdoubleM& b) {
    return a[Survey::colC1] == b[Survey::colC1] && a[Survey::colC2] == b[Survey::colC2] &&
           a[Survey::colC1z] == b[Survey::colC1z] && a[Survey::colC2z] == b[Survey::colC2z] &&
           a[Survey::colP1] < b[Survey::colP1];
  });
  ASSERT_EQ(s.MeasurementRows.size(), unique.size());
  for (size_t i = 0; i < unique.size(); ++i) {
    for (int c : geometry) {
      const double want = unique[i][c] == NoValue && c >= Survey::colC1y ? 0.0 : unique[i][c];
      ASSERT_EQ(s.MeasurementRows[i][c], want) << "row " << i << " column " << c;
    }
    ASSERT_EQ(s.MeasurementRows[i][Survey::colRhoA], unique[i][Survey::colRhoA]) << "row " << i;
  }

  // Electrode indices by the linear look-up; current electrodes once each, ascending.
  arofintM current;
  std::vector<TReceiverRef> order;
  for (size_t a = 0; a < s.Asource.size(); ++a) {
    const osource& src = s.Asource[a];
    auto find = [&](double x, double z) {
      return x == NoValue ? -1 : Survey::FindElectrode(s.elecarray, {x, z}, 1e-5);
    };
    ASSERT_EQ(src.C1, find(src.C1x, src.C1z));
    ASSERT_EQ(src.C2, find(src.C2x, src.C2z));
    for (int32_t c : {src.C1, src.C2})
      if (c != -1) Survey::AddUniqueIndex(current, c);
    for (size_t j = 0; j < src.P1.size(); ++j) {
      // The positive factor may have exchanged the potential electrodes.
      const int32_t p1 = find(src.P1x[j], src.P1z[j]), p2 = find(src.P2x[j], src.P2z[j]);
      ASSERT_TRUE((src.P1[j] == p1 && src.P2[j] == p2) || (src.P1[j] == p2 && src.P2[j] == p1));
      order.push_back({static_cast<int32_t>(a), static_cast<int32_t>(j)});
    }
  }
  Survey::SortIndices(current);
  EXPECT_EQ(s.CurrentElectrodes, current);

  // Distance along the ground or along x, by the growing lists of distinct gaps.
  arofdoubleM xGaps, chainageGaps;
  for (size_t i = 0; i + 1 < s.elecarray.size(); ++i) {
    Survey::AddUniqueValue(xGaps, 1e-5, s.elecarray[i + 1].X - s.elecarray[i].X);
    Survey::AddUniqueValue(chainageGaps, 1e-5, s.elecarray[i + 1].Chainage - s.elecarray[i].Chainage);
  }
  EXPECT_EQ(s.UseChainage, chainageGaps.size() < xGaps.size());

  // Spacing levels numbered in the order of first appearance; depth levels.
  arofdoubleM spacing, depth, distances;
  arofintM spacingIndex, depthIndex;
  for (const TReceiverRef& r : order) {
    const osource& src = s.Asource[static_cast<size_t>(r.Source)];
    Survey::AddUniqueValue(spacing, 1e-5, src.EffectiveSpacing[static_cast<size_t>(r.Index)]);
    spacingIndex.push_back(Survey::FindRelative(spacing, 0.05, src.EffectiveSpacing[static_cast<size_t>(r.Index)]));
    Survey::AddUniqueRelative(depth, 0.01, src.PseudoDepth[static_cast<size_t>(r.Index)]);
  }
  Survey::SortValues(spacing);
  Survey::SortValues(depth);
  EXPECT_EQ(s.SpacingLevels, spacing);
  EXPECT_EQ(s.Levels, depth);
  ASSERT_GT(spacing.size(), 500u);  // dense: many levels in each relative window
  for (size_t g = 0; g < order.size(); ++g) {
    const osource& src = s.Asource[static_cast<size_t>(order[g].Source)];
    const auto j = static_cast<size_t>(order[g].Index);
    depthIndex.push_back(Survey::FindRelative(depth, 0.05, src.PseudoDepth[j]));
    ASSERT_EQ(src.LevelIndex[j], spacingIndex[g]) << "receiver " << g;
    ASSERT_EQ(src.GroupIndex[j], depthIndex[g]) << "receiver " << g;
    auto distance = [&](int32_t a, int32_t b) {
      if (a < 0 || b < 0) return;
      const TElectrode& u = s.elecarray[static_cast<size_t>(a)];
      const TElectrode& v = s.elecarray[static_cast<size_t>(b)];
      Survey::AddUniqueRelative(distances, 0.01, std::hypot(u.X - v.X, u.ModelDepth - v.ModelDepth));
    };
    distance(src.C1, src.P1[j]);
    distance(src.C1, src.P2[j]);
    distance(src.C2, src.P1[j]);
    distance(src.C2, src.P2[j]);
  }
  Survey::SortValues(distances);
  EXPECT_EQ(s.ElectrodeDistances, distances);

  // Plot-point groups by depth level and by spacing level.
  std::vector<uint8_t> head;
  std::vector<Points> groups;
  size_t grouped = 0;
  for (const bool byDepth : {true, false}) {
    PlainGroups(s, order, byDepth ? depthIndex : spacingIndex, byDepth ? 0.1 * s.GroupingSpacing : 1e-4, head, groups);
    for (size_t g = 0; g < order.size(); ++g) {
      const osource& src = s.Asource[static_cast<size_t>(order[g].Source)];
      const auto j = static_cast<size_t>(order[g].Index);
      ASSERT_EQ((byDepth ? src.FlagsB : src.FlagsA)[j], head[g]) << "receiver " << g;
      ASSERT_EQ((byDepth ? src.PairsB : src.PairsA)[j], groups[g]) << "receiver " << g;
      grouped += groups[g].size();
    }
  }
  EXPECT_GT(grouped, 100u);

  // The line offset: the survey has offsets 0 and 3, so there is no single one.
  EXPECT_EQ(DC2dBEM::CommonOffset, 0.0);
}

}  // namespace SurveyAnalysisReferenceTests
