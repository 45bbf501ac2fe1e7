// The "Display" submenu (every N-th measurement, array-configuration filters) and
// the "Advanced" switches of the main window.

#include <algorithm>
#include <set>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/PlotEngine.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace DisplayOptionsTest {

namespace {

using AppTest::AppFixture;
using AppTest::MeasurementRow;
using Supermath2d::NoValue;

class DisplayOptionsTest : public AppFixture {};

size_t NodeCount(const TPseudoSection2d& S) { return static_cast<size_t>(std::max<int32_t>(S.NextNode - 1, 0)); }

TEST_F(DisplayOptionsTest, DisplayEveryTakesWholeAnswersInRangeAndRedrawsBothSections) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, {MeasurementRow(0, 6, 2, 4, 100.0), MeasurementRow(2, 8, 4, 6, 110.0),
                        MeasurementRow(4, 10, 6, 8, 120.0), MeasurementRow(6, 12, 8, 10, 130.0)});
  struct TCase {
    const char* Answer;
    int32_t Expected;
  };
  const TCase cases[] = {{"3", 3}, {"0", 3}, {"21", 3}, {"abc", 3}, {"2,5", 2}, {"3.5", 4}, {"20", 20}, {"1", 1}};
  for (const TCase& c : cases) {
    f.RebuildUpper = false;
    Seam.AnswerInput(std::string(c.Answer));
    f.Displayevery1->Click();
    EXPECT_EQ(f.DisplayEvery, c.Expected) << c.Answer;
    // The upper section is drawn anew (its rebuild flag is used up); the lower
    // one waits for calculated data.
    EXPECT_FALSE(f.RebuildUpper) << c.Answer;
    EXPECT_TRUE(f.RebuildLower) << c.Answer;
  }
  ASSERT_FALSE(Seam.Prompts().empty());
  EXPECT_EQ(Seam.Prompts().back().Caption, "Display every");
  EXPECT_EQ(Seam.Prompts().back().Text, "");
  f.DisplayEvery = 2;
  f.Display1->Click();
  EXPECT_EQ(f.Displayevery1->GetCaption(), "Display every 2 point");
}

TEST_F(DisplayOptionsTest, UncheckedConfigurationsVanishFromPseudoSectionsOnly) {
  TMainForm& f = OpenForm();
  // One measurement per configuration: CPP, PPC, CCPP, PPCC, then a pole-pole (P2
  // at infinity) and a Schlumberger (current electrodes outside, between none).
  const ararofdoubleM rows = {MeasurementRow(0, NoValue, 2, 4, 100.0),  MeasurementRow(20, NoValue, 18, 16, 100.0),
                              MeasurementRow(0, 2, 6, 8, 100.0),        MeasurementRow(20, 18, 14, 12, 100.0),
                              MeasurementRow(4, NoValue, 6, NoValue, 100.0), MeasurementRow(2, 18, 8, 12, 100.0)};
  AppTest::LoadRows(f, rows);
  f.PlotData(true);
  const size_t all = NodeCount(*f.PseudoSection2d1);
  ASSERT_EQ(all, rows.size());
  f.Display1->Click();
  TMenuItem* items[] = {f.CPP1, f.PPC1, f.CCPP1, f.PPCC1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(items[k]->GetChecked()) << k;
    items[k]->Click();
    EXPECT_FALSE(items[k]->GetChecked()) << k;
    EXPECT_FALSE(f.DisplayFilters[static_cast<size_t>(k)]) << k;
    // Each unchecked configuration takes away its one measurement.
    EXPECT_EQ(NodeCount(*f.PseudoSection2d1), all - static_cast<size_t>(k) - 1) << k;
  }
  // Pole-pole and Schlumberger stay; the curves of the graphics plot keep every one.
  f.Survey.DataPlotType = 1;
  f.ApplySectionSettings();
  f.PlotData(true);
  int32_t points = 0;
  for (int32_t k = 0; k < f.ObservedRhoGraph->CurveSlots(); ++k)
    if (TLineSeries* curve = f.ObservedRhoGraph->Curve(k)) points += curve->Count();
  EXPECT_EQ(points, static_cast<int32_t>(rows.size()));
  f.Survey.DataPlotType = 0;
  f.ApplySectionSettings();
  f.PlotData(true);
  EXPECT_EQ(NodeCount(*f.PseudoSection2d1), 2u);
  f.CPP1->Click();
  EXPECT_TRUE(f.DisplayFilters[0]);
  EXPECT_EQ(NodeCount(*f.PseudoSection2d1), 3u);
}

TEST_F(DisplayOptionsTest, ReversePseudosectionSetsTheSurveysMirrorAndShift) {
  TMainForm& f = OpenForm();
  const ararofdoubleM rows = {MeasurementRow(0, 6, 2, 4, 100.0), MeasurementRow(4, 10, 6, 8, 100.0)};
  AppTest::LoadRows(f, rows);
  Seam.AnswerInput(std::string("5"));
  f.Reversepseudosection1->Click();
  EXPECT_TRUE(f.Reversepseudosection1->GetChecked());
  EXPECT_TRUE(f.Survey.ReverseProfile);
  EXPECT_EQ(f.Survey.ReverseShift, 5.0);
  EXPECT_EQ(Seam.Prompts().back().Caption, "Pseudosection shift");
  f.Advanced1->Click();
  EXPECT_EQ(f.Reversepseudosection1->GetCaption(), "Reverse pseudosection   5");

  // At the next analysis every position x becomes max + min - x + shift (0 and 10 here).
  f.Survey.MeasurementRows = rows;
  f.Survey.AnalyseSurvey();
  std::multiset<double> c1;
  for (const arofdoubleM& row : f.Survey.MeasurementRows) c1.insert(row[Survey::colC1]);
  EXPECT_EQ(c1, (std::multiset<double>{10.0 - 0.0 + 0.0 + 5.0, 10.0 - 4.0 + 0.0 + 5.0}));

  // Unticking asks nothing; ticking again with an answer that is not a number
  // keeps the shift and says so.
  f.Reversepseudosection1->Click();
  EXPECT_FALSE(f.Survey.ReverseProfile);
  Seam.AnswerInput(std::string("five"));
  Seam.AnswerMessage(mrOk);
  f.Reversepseudosection1->Click();
  EXPECT_TRUE(f.Survey.ReverseProfile);
  EXPECT_EQ(f.Survey.ReverseShift, 5.0);
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Message);
  EXPECT_NE(Seam.Prompts().back().Text.find("five"), std::string::npos);

  // Cancelling keeps a shift whose text is rounded.
  f.Survey.ReverseShift = 2.25;
  f.Reversepseudosection1->Click();
  Seam.AnswerInput(std::nullopt);
  f.Reversepseudosection1->Click();
  EXPECT_EQ(f.Survey.ReverseShift, 2.25);
}

TEST_F(DisplayOptionsTest, RealTopoCoordinatesOffsetsDepthLabelsByTheHighestReliefPoint) {
  TMainForm& f = OpenForm();
  TChartAxis* axis = f.PolygonChart1->LeftAxis();
  // Without topography the item does nothing.
  f.Realtopocoordinates1->Click();
  EXPECT_FALSE(f.Realtopocoordinates1->GetChecked());
  EXPECT_EQ(axis->LabelOffset, 0.0);

  f.Survey.Topography = {{0.0, 80.0}, {10.0, 120.0}, {20.0, 95.0}};
  f.Realtopocoordinates1->Click();
  EXPECT_TRUE(f.Survey.RealTopoCoordinates);
  EXPECT_EQ(axis->LabelOffset, -120.0);
  f.Realtopocoordinates1->Click();
  EXPECT_FALSE(f.Survey.RealTopoCoordinates);
  EXPECT_EQ(axis->LabelOffset, 0.0);
}

TEST_F(DisplayOptionsTest, ExtendedNodesAndModelingModeAreReadByTheAnalysisAndTheOpenCommand) {
  TMainForm& f = OpenForm();
  f.Extendednodes1->Click();
  EXPECT_TRUE(f.Survey.ExtendedNodes);
  f.Advanced1->Click();
  EXPECT_TRUE(f.Extendednodes1->GetChecked());
  // The analysis adds a node one spacing beyond each end of the line (0..10 here).
  AppTest::LoadRows(f, {MeasurementRow(0, 6, 2, 4, 100.0), MeasurementRow(4, 10, 6, 8, 100.0)});
  EXPECT_EQ(f.Survey.ExtraNodes, (arofdoubleM{-2.0, 12.0}));

  // In modelling mode an opened file only lays out the survey.
  f.Openinmodelingmode1->Click();
  EXPECT_TRUE(f.Openinmodelingmode1->GetChecked());
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.SpeedButton1->Click();
  EXPECT_FALSE(f.ObservedLoaded);
  EXPECT_TRUE(f.SurveyShown);
  f.Openinmodelingmode1->Click();
  EXPECT_FALSE(f.Openinmodelingmode1->GetChecked());
}

}  // namespace

}  // namespace DisplayOptionsTest
