// Data display: a k2d file named on the command line drawn in both sections after
// the forward run, the values and transforms of each display case, the thinning of
// pseudo-sections, and the curves of the graphics plot.

#include <cmath>
#include <map>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace DisplayTest {

namespace {

using AppTest::AppFixture;
using AppTest::MeasurementRow;
using Supermath2d::NoValue;

std::vector<dVertex3d> NodesOf(const TPseudoSection2d& S) {
  return {S.Nodes.begin() + 1, S.Nodes.begin() + std::max<int32_t>(S.NextNode, 1)};
}

// A Wenner line of two levels, a = 2 and a = 4, electrodes every 2 m.
ararofdoubleM WennerRows(int Count = 8) {
  ararofdoubleM rows;
  for (int a : {2, 4})
    for (int i = 0; i + 3 * a <= 2 * Count; i += 2)
      rows.push_back(MeasurementRow(i, i + 3 * a, i + a, i + 2 * a, 100.0 + i + a));
  return rows;
}

class DisplayTest : public AppFixture {};

TEST_F(DisplayTest, CommandLineFileIsDrawnObservedAboveAndCalculatedBelow) {
  Application->SetParams({"kelmvev2er", "-ns", AppTest::ExampleFile("wenner.k2d")});
  TMainForm& f = OpenForm();
  AppTest::AcceptModelConstructor(Seam);
  std::vector<int> gauge;
  auto installed = DC2dBEM::OnProgressStep;
  DC2dBEM::OnProgressStep = [&] {
    installed();
    gauge.push_back(f.GaugePosition());
  };
  ASSERT_TRUE(AppTest::RunUntil([&] { return !f.Timer1->GetEnabled(); }, 60000));

  EXPECT_EQ(f.GetCaption(), "KelmVev2Er [wenner.k2d]");
  ASSERT_TRUE(f.ObservedLoaded);
  ASSERT_TRUE(f.CalculatedReady);
  ASSERT_FALSE(gauge.empty());
  EXPECT_EQ(gauge.back(), 100);
  EXPECT_NE(f.GetStatusText(3).find('/'), std::string::npos) << f.GetStatusText(3);

  // The upper section holds one node per plot point with the observed value; the
  // lower one the calculated value of the same point, at the same place.
  const std::vector<dVertex3d> upper = NodesOf(*f.PseudoSection2d1);
  const std::vector<dVertex3d> lower = NodesOf(*f.PseudoSection2d2);
  ASSERT_GE(upper.size(), 20u);
  ASSERT_EQ(lower.size(), upper.size());
  const osource& first = f.Survey.Asource[0];
  EXPECT_DOUBLE_EQ(upper[0].x0, first.PlotX[0]);
  EXPECT_DOUBLE_EQ(upper[0].y0, f.Survey.Levels[static_cast<size_t>(first.GroupIndex[0])]);
  EXPECT_NEAR(upper[0].value, first.RhoA[0], 1e-9 * first.RhoA[0]);
  EXPECT_NEAR(lower[0].value, first.RhoACalc[0], 1e-9 * first.RhoACalc[0]);
  EXPECT_DOUBLE_EQ(lower[0].x0, upper[0].x0);
  EXPECT_GT(f.PseudoSection2d1->TriangleCount, 0);
  EXPECT_GT(f.PseudoSection2d2->TriangleCount, 0);
  EXPECT_EQ(f.PseudoSection2d1->Title()->Text()->Get(0), "Observed apparent resistivity data");
  EXPECT_EQ(f.PseudoSection2d2->Title()->Text()->Get(0), "Calculated apparent resistivity data");
  EXPECT_EQ(f.PseudoSection2d1->ColorBarCaption, "<font name=symbol>r<font name=arial size=-3>a");
  EXPECT_TRUE(f.PseudoSection2d1->LogScale);
  // Electrodes on the model chart, one black point each.
  EXPECT_EQ(f.PolygonChart1->ElectrodeSeries->Count(), static_cast<int32_t>(f.Survey.elecarray.size()));
  EXPECT_TRUE(f.GetEnabled());
  // The opened file gives the upper section its share of the pane again.
  EXPECT_DOUBLE_EQ(f.percent1, 33.0);
}

TEST_F(DisplayTest, SectionValuesOfEachDisplayCase) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, {MeasurementRow(0, 6, 2, 4, 100.0, 0.5, 4.0)}, true);
  osource& s = f.Survey.Asource[0];
  s.RhoACalc[0] = 110.0;
  s.EtaACalc[0] = 5.0;
  f.CalculatedReady = true;
  struct TCase {
    int DataType, Quantity, AddDataType;
    bool Upper;
    double Expected;
  };
  const TCase cases[] = {
      {0, 0, 0, true, 2.0},                       // log10 of the apparent resistivity
      {0, 1, 0, true, 4.0},                       // apparent polarizability as stored
      {0, 0, 0, false, std::log10(110.0)},        // calculated
      {0, 0, 1, false, 10.0},                     // relative difference in percent
      {0, 1, 1, false, 25.0},                     // of the polarizability
      {0, 0, 2, false, 50.0},                     // weight in percent
  };
  for (const TCase& c : cases) {
    f.DataType = c.DataType;
    f.DataQuantity = c.Quantity;
    f.AddDataType = c.AddDataType;
    EXPECT_NEAR(f.SectionValue(c.Upper, 0, 0), c.Expected, 1e-12)
        << c.DataType << c.Quantity << c.AddDataType << c.Upper;
  }
  // A zero observed value has no relative difference, and a missing one no logarithm.
  f.DataType = 0;
  f.DataQuantity = 0;
  f.AddDataType = 1;
  s.RhoA[0] = 0.0;
  EXPECT_EQ(f.SectionValue(false, 0, 0), NoValue);
  s.RhoA[0] = NoValue;
  EXPECT_EQ(f.SectionValue(true, 0, 0), NoValue);
  EXPECT_EQ(f.GraphValue(true, 0, 0), NoValue);
  f.AddDataType = 0;
  f.DataType = 1;
  EXPECT_EQ(f.UnitText(true), "<font name=arial>R");
  EXPECT_EQ(f.SectionTitle(false), "Calculated resistance data");
  f.AddDataType = 2;
  EXPECT_EQ(f.SectionTitle(false), "Data weights");
  EXPECT_EQ(f.UnitText(false), "<font name=arial>%");
}

TEST_F(DisplayTest, DisplayEveryCountsEveryMeasurementInSurveyOrder) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  std::vector<std::pair<double, double>> all;
  for (size_t r = 0; r < f.Survey.Asource.size(); ++r)
    for (size_t j = 0; j < f.Survey.Asource[r].P1.size(); ++j)
      all.push_back({f.Survey.Asource[r].PlotX[j], f.LevelDepth(static_cast<int32_t>(r), static_cast<int32_t>(j))});
  for (int every : {1, 2, 3}) {
    f.DisplayEvery = every;
    f.RebuildUpper = true;
    f.PlotData(true);
    // The running count starts at 2: every 2nd draws the first, third, ...; every
    // 3rd the second, fifth, ...
    std::vector<std::pair<double, double>> expected;
    for (size_t i = 0; i < all.size(); ++i)
      if ((i + 2) % static_cast<size_t>(every) == 0) expected.push_back(all[i]);
    std::vector<std::pair<double, double>> drawn;
    for (const dVertex3d& v : NodesOf(*f.PseudoSection2d1)) drawn.push_back({v.x0, v.y0});
    EXPECT_EQ(drawn, expected) << every;
  }
}

TEST_F(DisplayTest, DuplicatesAverageGeometricallyAndStandInForAnUnusedMeasurement) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, {MeasurementRow(0, 6, 2, 4, 10.0), MeasurementRow(2, 8, 4, 6, 50.0),
                        MeasurementRow(4, 10, 6, 8, 60.0), MeasurementRow(0, 12, 4, 8, 70.0)});
  ASSERT_GE(f.Survey.Asource.size(), 2u);
  // The first pair's measurement takes the second one as its twin on one plot point.
  osource& a = f.Survey.Asource[0];
  osource& b = f.Survey.Asource[1];
  a.RhoA[0] = 10.0;
  b.RhoA[0] = 1000.0;
  b.FlagsB[0] = 0;
  a.PairsB[0] = {{1, 0}};
  f.PlotData(true);
  ASSERT_FALSE(NodesOf(*f.PseudoSection2d1).empty());
  EXPECT_NEAR(NodesOf(*f.PseudoSection2d1)[0].value, 100.0, 1e-9);
  a.FlagsC[0] = 0;
  f.RebuildUpper = true;
  f.PlotData(true);
  EXPECT_NEAR(NodesOf(*f.PseudoSection2d1)[0].value, 1000.0, 1e-9);
}

TEST_F(DisplayTest, ArrayFilterLeavesOutPoleDipolesLeftOfTheirPotentialElectrodes) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, {MeasurementRow(0, NoValue, 2, 4, 100.0), MeasurementRow(10, NoValue, 8, 6, 100.0),
                        MeasurementRow(0, 6, 2, 4, 100.0), MeasurementRow(2, 8, 4, 6, 100.0)});
  f.PlotData(true);
  const size_t all = NodesOf(*f.PseudoSection2d1).size();
  f.DisplayFilters[0] = false;
  f.RebuildUpper = true;
  f.PlotData(true);
  EXPECT_EQ(NodesOf(*f.PseudoSection2d1).size(), all - 1);
}

TEST_F(DisplayTest, CurvesCarryWeightLabelsAndEndWithTheirNumber) {
  TMainForm& f = OpenForm();
  ararofdoubleM rows = WennerRows(6);
  rows[1][Survey::colWeight] = 0.5;
  AppTest::LoadRows(f, rows);
  f.Survey.DataPlotType = 1;
  f.Survey.graphicstype = 1;  // one curve per level
  f.ApplySectionSettings();
  f.PlotData(true);
  multigraph& g = *f.ObservedRhoGraph;
  ASSERT_EQ(g.CurveSlots(), static_cast<int32_t>(f.Survey.Levels.size()));
  int32_t points = 0;
  bool weightLabel = false;
  for (int32_t k = 0; k < g.CurveSlots(); ++k) {
    TLineSeries* curve = g.Curve(k);
    ASSERT_NE(curve, nullptr);
    points += curve->Count();
    ASSERT_GT(curve->Count(), 0);
    const std::string last = curve->GetLabel(curve->Count() - 1);
    EXPECT_EQ(last.substr(last.size() - std::to_string(k + 1).size()), std::to_string(k + 1));
    for (int32_t i = 0; i + 1 < curve->Count(); ++i) weightLabel = weightLabel || curve->GetLabel(i) == "0.5";
  }
  EXPECT_EQ(points, static_cast<int32_t>(rows.size()));
  EXPECT_TRUE(weightLabel);
  EXPECT_EQ(f.PseudoSection2d1->LeftAxis()->Title()->GetCaption(), " ");
  EXPECT_FALSE(f.PseudoSection2d1->ImageTool->GetActive());
}

TEST_F(DisplayTest, NothingIsDrawnAboveWithoutObservedData) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  f.ObservedLoaded = false;
  f.PlotData(true);
  EXPECT_TRUE(NodesOf(*f.PseudoSection2d1).empty());
}

}  // namespace

}  // namespace DisplayTest
