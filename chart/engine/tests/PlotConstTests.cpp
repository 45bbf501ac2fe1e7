#include <gtest/gtest.h>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProCo.h"

namespace PlotConstTests {

namespace {

class PlotConstTest : public ::testing::Test {
protected:
  void TearDown() override {
    PlotConst::Initialize();
    PlotProCo::Initialize();
  }
};

TEST_F(PlotConstTest, EngineTextsHoldTheirEnglishWording) {
  const std::pair<const ResStrings::TResString*, const char*> cases[] = {
      {&PlotConst::MsgLegendFirstValue, "First Legend Value must be > 0"},
      {&PlotConst::MsgAxisIncrementPositive, "Axis increment must be >= 0"},
      {&PlotConst::MsgAxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0"},
      {&PlotConst::Msg3DPercent, "3D effect percent must be between %d and %d"},
      {&PlotConst::MsgCircularSeries, "Circular Series dependences are not allowed"},
      {&PlotConst::MsgOfTotalMultiLine, "%s\rof %s"},
      {&PlotConst::MsgLeftAxis, "Left Axis"},
      {&PlotConst::MsgDepthTopAxis, "Depth Top"},
      {&PlotConst::MsgDefaultFontName, "Arial"},
      {&PlotConst::MsgDefaultFontSize, "8"},
      {&PlotConst::MsgSeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."},
      {&PlotConst::MsgHorizontalBar, "Horizontal\rBar"},
      {&PlotConst::MsgChartFileFilter, "Chart files (*.chf)|*.chf"},
      {&PlotConst::MsgWrongChartFileFormat, "Wrong *.chf file format"},
      {&PlotProCo::MsgLegendScrollbar, "Legend Scrollbar"},
      {&PlotProCo::MsgPointFigure, "Point & Figure"},
      {&PlotProCo::MsgPolynomialDegreeMustBeBetween1And20, "Polynomial degree must be between 1 and 20"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(text->Text(), expected);
}

TEST_F(PlotConstTest, ChartFileTextsFollowTheExtension) {
  PlotConst::MsgChartFileExtension = "tee";
  PlotConst::ComposeChartFileTexts();
  EXPECT_EQ(PlotConst::MsgInvalidChartFile, "Invalid Chart in *.tee file");
  EXPECT_EQ(PlotConst::MsgWrongChartFileFormat, "Wrong *.tee file format");
  EXPECT_EQ(PlotConst::MsgEmptyChartFile, "Empty *.tee file");
  EXPECT_EQ(PlotConst::MsgChartFileFilter, "Chart files (*.tee)|*.tee");
}

TEST_F(PlotConstTest, ReplacedTextIsWhatARaiseCarries) {
  PlotConst::MsgAxisIncrementPositive = "Schrittweite muss >= 0 sein";
  try {
    throw AxisException(PlotConst::MsgAxisIncrementPositive);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Schrittweite muss >= 0 sein");
  }
  PlotConst::Finalize();
  EXPECT_TRUE(PlotConst::MsgLeftAxis.empty());
}

}  // namespace

}  // namespace PlotConstTests
