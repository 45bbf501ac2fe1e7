// Measurement selection: flat numbering, the markers along the top of the data
// sections, electrode colours on the model chart, the curve highlight and the
// pseudo-section click that walks through measurements sharing a point.

#include <algorithm>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace MarkersTest {

namespace {

using AppTest::AppFixture;
using AppTest::MeasurementRow;
using Supermath2d::NoValue;

ararofdoubleM WennerRows() {
  ararofdoubleM rows;
  for (int a : {2, 4})
    for (int i = 0; i + 3 * a <= 16; i += 2) rows.push_back(MeasurementRow(i, i + 3 * a, i + a, i + 2 * a, 100.0 + i));
  return rows;
}

struct TMark {
  std::string Label;
  TColor Color;
};

std::vector<TMark> MarksOf(TChartSeries& Series) {
  std::vector<TMark> marks;
  for (int32_t i = 0; i < Series.Count(); ++i) marks.push_back({Series.GetLabel(i), Series.ValueColor(i)});
  return marks;
}

class MarkersTest : public AppFixture {
 protected:
  // The electrode editor as the markers see it: shown, with a current row.
  void InstallEditor(TMainForm& f) {
    f.ElectrodeEditorVisible = [] { return true; };
    f.ElectrodeEditorRow = [this] { return EditorRow; };
    f.ElectrodeEditorRowOf = [](int32_t Flat) { return Flat; };
    f.SelectElectrodeEditorRow = [this](int32_t Flat) { EditorRow = Flat; };
  }
  int32_t EditorRow = 0;
};

TEST_F(MarkersTest, FlatIndexAndPairMapBackAndForth) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  int32_t total = 0;
  for (const osource& s : f.Survey.Asource) total += static_cast<int32_t>(s.RhoA.size());
  for (int32_t k = 0; k < total; ++k) {
    int32_t r = -2, j = -2;
    f.PairOfFlatIndex(k, r, j);
    ASSERT_GE(r, 0);
    EXPECT_EQ(f.FlatIndex(r, j), k);
  }
  for (int32_t k : {total, total + 5, -1}) {
    int32_t r = 0, j = 0;
    f.PairOfFlatIndex(k, r, j);
    EXPECT_EQ(r, -1);
    EXPECT_EQ(j, -1);
  }
}

TEST_F(MarkersTest, ElectrodesAtInfinityHaveNoMarkerAndKeepTheirColour) {
  struct TCase {
    arofdoubleM Row;
    std::vector<std::string> Labels;  // the markers, then the unlabelled data point
  };
  const TCase cases[] = {
      {MeasurementRow(0, 6, 2, 4, 100.0), {"c1", "c2", "p1", "p2", ""}},
      {MeasurementRow(0, NoValue, 2, 4, 100.0), {"c1", "p1", "p2", ""}},
      {MeasurementRow(0, 6, 2, NoValue, 100.0), {"c1", "c2", "p1", ""}},
  };
  for (const TCase& c : cases) {
    TMainForm& f = OpenForm();
    AppTest::LoadRows(f, {c.Row, MeasurementRow(10, 16, 12, 14, 100.0), MeasurementRow(8, 20, 12, 16, 100.0)});
    f.PlotElectrodes();
    const osource& s = f.Survey.Asource[0];
    f.ShowMeasurementInSections(0, 0);
    std::vector<std::string> labels;
    for (const TMark& m : MarksOf(*f.PseudoSection2d1->MarkerSeries)) {
      labels.push_back(m.Label);
      const TColor expected = m.Label.empty() ? 0x00FF00 : m.Label[0] == 'c' ? 0x0000FF : 0xFF0000;
      EXPECT_EQ(m.Color, expected) << m.Label;
    }
    // The series keeps its points in the order of their positions.
    std::vector<std::string> expected = c.Labels;
    std::sort(labels.begin(), labels.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(labels, expected);
    // Only the electrodes of the measurement are coloured on the model chart.
    TPointSeries& electrodes = *f.PolygonChart1->ElectrodeSeries;
    ASSERT_EQ(electrodes.Count(), static_cast<int32_t>(f.Survey.elecarray.size()));
    int32_t coloured = 0;
    for (int32_t i = 0; i < electrodes.Count(); ++i) {
      const TColor colour = electrodes.ValueColor(i);
      if (colour == clBlack) continue;
      ++coloured;
      const bool current = i == s.C1 || i == s.C2;
      EXPECT_EQ(colour, current ? TColor(0x0000FF) : TColor(0xFF0000)) << i;
    }
    EXPECT_EQ(coloured, static_cast<int32_t>(c.Labels.size()) - 1);
    CloseForm();
  }
}

TEST_F(MarkersTest, ElectrodesAreRedrawnOnlyWhenTheirNumberChanged) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  f.PlotElectrodes();
  TPointSeries& electrodes = *f.PolygonChart1->ElectrodeSeries;
  electrodes.SetPointColor(0, clRed);
  f.PlotElectrodes();
  EXPECT_EQ(electrodes.ValueColor(0), clRed);
  f.Survey.elecarray.push_back({});
  f.PlotElectrodes();
  EXPECT_EQ(electrodes.Count(), static_cast<int32_t>(f.Survey.elecarray.size()));
  EXPECT_EQ(electrodes.ValueColor(0), clBlack);
}

TEST_F(MarkersTest, PressingACurvePointShowsOnlyThatCurveUntilRelease) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  for (osource& s : f.Survey.Asource)
    for (size_t j = 0; j < s.RhoA.size(); ++j) s.RhoACalc[j] = 1.1 * s.RhoA[j];
  f.CalculatedReady = true;
  f.Survey.DataPlotType = 1;
  f.Survey.graphicstype = 1;
  f.ApplySectionSettings();
  f.PlotData(true);
  f.PlotData(false);
  multigraph& observed = *f.ObservedRhoGraph;
  multigraph& calculated = *f.CalculatedRhoGraph;
  ASSERT_EQ(observed.CurveSlots(), 2);
  observed.Curve(1)->SetActive(false);  // hidden by the user before the press

  TLineSeries* pressed = observed.Curve(0);
  f.Chart1ClickSeries(f.PseudoSection2d1, pressed, 0, TMouseButton::mbLeft);
  EXPECT_TRUE(observed.Curve(0)->GetActive());
  EXPECT_FALSE(observed.Curve(1)->GetActive());
  EXPECT_TRUE(calculated.Curve(0)->GetActive());
  EXPECT_FALSE(calculated.Curve(1)->GetActive());
  // The calculated twin over the observed curves, and the markers of the point.
  ASSERT_EQ(f.ComparisonSeries->Count(), pressed->Count());
  EXPECT_DOUBLE_EQ(f.ComparisonSeries->GetYValue(0), calculated.Curve(0)->GetYValue(0));
  EXPECT_GT(f.PseudoSection2d1->MarkerSeries->Count(), 0);

  f.Chart1MouseUp(f.PseudoSection2d1, TMouseButton::mbLeft);
  EXPECT_FALSE(observed.Curve(1)->GetActive());
  EXPECT_TRUE(calculated.Curve(1)->GetActive());
  EXPECT_EQ(f.ComparisonSeries->Count(), 0);
  EXPECT_EQ(f.PseudoSection2d1->MarkerSeries->Count(), 0);
  EXPECT_FALSE(f.PseudoSection2d1->LeftAxis()->RangeFrozen);
}

TEST_F(MarkersTest, ClickOnASharedPointAlternatesBetweenItsMeasurements) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  InstallEditor(f);
  // The first measurements of the first two pairs share one plot point.
  osource& a = f.Survey.Asource[0];
  osource& b = f.Survey.Asource[1];
  b.PlotX[0] = a.PlotX[0];
  b.GroupIndex[0] = a.GroupIndex[0];
  const int32_t first = f.FlatIndex(0, 0) + 1, second = f.FlatIndex(1, 0) + 1;
  TPointSeries& markers = *f.PseudoSection2d1->MarkerSeries;
  markers.Clear();
  markers.AppendPoint(a.PlotX[0], f.LevelDepth(0, 0));
  std::vector<int32_t> rows;
  for (int click = 0; click < 3; ++click) {
    f.PseudoSection2d1ClickSeries(f.PseudoSection2d1, &markers, 0);
    rows.push_back(EditorRow);
  }
  EXPECT_EQ(rows, (std::vector<int32_t>{first, second, first}));
  // Another series, or a hidden editor, selects nothing.
  EditorRow = 0;
  f.PseudoSection2d1ClickSeries(f.PseudoSection2d1, f.ComparisonSeries, 0);
  f.ElectrodeEditorVisible = [] { return false; };
  f.PseudoSection2d1ClickSeries(f.PseudoSection2d1, &markers, 0);
  EXPECT_EQ(EditorRow, 0);
}

}  // namespace

}  // namespace MarkersTest
