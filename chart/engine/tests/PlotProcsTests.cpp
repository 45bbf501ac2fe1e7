#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace PlotProcsTests {

using namespace PlotProcs;

namespace {

TDateTime Day(int y, int m, int d) { return SysUtils::EncodeDate(y, m, d); }
TDateTime At(int y, int m, int d, int h, int n) { return Day(y, m, d) + SysUtils::EncodeTime(h, n, 0, 0); }

TEST(PlotProcsDates, StepLookUps) {
  EXPECT_EQ(NearestDateTimeStep(1.0), 16);
  EXPECT_EQ(NearestDateTimeStep(1.5), 27);
  EXPECT_EQ(NearestDateTimeStep(365.0), 26);
  EXPECT_EQ(NearestDateTimeStep(1.0 / 86400.0), 2);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1.0), 2.0);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1e-12), 365.0);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(40.0), 60.0);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1000.0), 365.0);
}

TEST(PlotProcsDates, TruncDateToStep) {
  struct Case {
    int Step;
    TDateTime Value, Expected;
  } cases[] = {
      {21, At(2005, 3, 15, 14, 30), Day(2005, 3, 1)},
      {20, At(2005, 3, 15, 14, 30), Day(2005, 3, 15)},
      {20, At(2005, 3, 14, 9, 0), Day(2005, 3, 1)},
      {26, At(2005, 8, 23, 1, 0), Day(2005, 1, 1)},
      {16, At(2005, 8, 23, 1, 0), Day(2005, 8, 23)},
      {26, At(1899, 6, 3, 12, 0), At(1899, 6, 3, 12, 0)},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(TruncDateToStep(c.Step, c.Value), c.Expected) << c.Step;
}

TEST(PlotProcsDates, CalendarStepping) {
  struct Case {
    bool Calendar, Increase;
    TDateTime Value;
    int Step;
    TDateTime Expected;
  } cases[] = {
      {true, false, Day(2005, 1, 10), 21, Day(2004, 12, 1)},
      {true, false, Day(2005, 1, 10), 26, Day(2004, 1, 10)},
      {true, true, Day(2005, 11, 10), 23, Day(2006, 2, 1)},
      {true, false, Day(2005, 5, 10), 25, Day(2004, 11, 1)},
      {true, false, Day(2005, 5, 20), 20, Day(2005, 5, 15)},
      {true, false, Day(2005, 5, 15), 20, Day(2005, 5, 1)},
      {true, false, Day(2005, 5, 1), 20, Day(2005, 4, 15)},
      {true, true, Day(2005, 5, 3), 20, Day(2005, 5, 15)},
      {true, true, Day(2005, 12, 15), 20, Day(2006, 1, 1)},
      // 29 February stepped by a year lands on the last day of February.
      {true, true, Day(2004, 2, 29), 26, Day(2005, 2, 28)},
      {false, true, Day(2005, 1, 10), 21, Day(2005, 1, 10) + 30},
      {true, true, Day(2005, 1, 10), 16, Day(2005, 1, 11)},
  };
  for (const Case& c : cases) {
    TDateTime v = c.Value;
    IncDecDateTime(c.Calendar, c.Increase, v, c.Step, DateTimeStep[c.Step]);
    EXPECT_DOUBLE_EQ(v, c.Expected) << "step " << c.Step;
  }
}

TEST(PlotProcsDates, DaysOfMonthRejectsABadMonth) {
  EXPECT_EQ(DaysOfMonth(2004, 2), 29);
  EXPECT_EQ(DaysOfMonth(1900, 2), 28);
  EXPECT_THROW(DaysOfMonth(2004, 13), ERangeError);
}

TEST(PlotProcsText, ItemsInOneString) {
  EXPECT_EQ(CountItems(""), 0);
  EXPECT_EQ(CountItems("a;b;"), 3);
  EXPECT_EQ(ItemAt("a;b;c", 5), "c");
  EXPECT_EQ(ItemAt("a;b;c", 2), "b");
  EXPECT_EQ(ItemAt("abc", 1), "abc");
  EXPECT_EQ(ItemAt("a;b", 0), "");
  EXPECT_EQ(ItemAtSep("x~y~z", 2, "~"), "y");
  EXPECT_EQ(CountItemsSep("x~y", "~"), 2);
  EXPECT_EQ(ItemSeparator, ";");
  EXPECT_EQ(ReplaceChar("a,b,c", ',', '\0'), "abc");
  EXPECT_EQ(ReplaceChar("a,b", ',', '.'), "a.b");
}

TEST(PlotProcsText, NumberTextLocalisation) {
  TFormatSettings german = TFormatSettings::Invariant();
  german.ThousandSeparator = '.';
  german.DecimalSeparator = ',';
  {
    TFormatSettingsScope scope(german);
    EXPECT_EQ(LocalizeNumberText("1,234.5"), "1.234,5");
    EXPECT_EQ(DelocalizeNumberText("1.234,5"), "1,234.5");
  }
  TFormatSettings same = TFormatSettings::Invariant();
  same.ThousandSeparator = same.DecimalSeparator = '.';
  TFormatSettingsScope scope(same);
  EXPECT_EQ(LocalizeNumberText("1,234.5"), "1,234.5");
}

TEST(PlotProcsText, UniqueNameSkipsTakenNames) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName("Series1");
  auto* b = new TComponent(&owner);
  b->SetName("Series2");
  EXPECT_EQ(UniqueName(&owner, "Series"), "Series3");
  EXPECT_EQ(UniqueName(nullptr, "Series"), "Series1");
}

TEST(PlotProcsGeometry, HitTests) {
  EXPECT_TRUE(PointNearSegment(TPoint(5, 1), 0, 0, 10, 0, 0));
  EXPECT_FALSE(PointNearSegment(TPoint(5, 2), 0, 0, 10, 0, 0));
  EXPECT_TRUE(PointNearSegment(TPoint(12, 0), 0, 0, 10, 0, 1));
  EXPECT_TRUE(PointOnLine(TPoint(3, 3), 3, 3, 3, 3));
  const std::vector<TPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon(TPoint(0, 5), square));
  EXPECT_FALSE(PointInPolygon(TPoint(10, 5), square));
  EXPECT_FALSE(PointInPolygon(TPoint(5, 10), square));
  EXPECT_FALSE(PointInPolygon(TPoint(5, 5), std::vector<TPoint>{}));
  // Coordinates near the pixel limit: the edge product needs 64 bits.
  const std::vector<TPoint> huge = {{-60000000, -60000000}, {60000000, -60000000}, {60000000, 60000000}};
  EXPECT_TRUE(PointInPolygon(TPoint(50000000, 0), huge));
  EXPECT_FALSE(PointInPolygon(TPoint(-50000000, 0), huge));
  EXPECT_TRUE(PointInTriangleUp(TPoint(5, 8), 0, 10, 10, 0));
  EXPECT_FALSE(PointInTriangleUp(TPoint(1, 1), 0, 10, 10, 0));
  EXPECT_TRUE(PointInTriangleSide(TPoint(2, 5), 0, 10, 0, 10));
  EXPECT_TRUE(PointInEllipse(TPoint(5, 5), 0, 0, 10, 10));
  EXPECT_TRUE(PointInEllipse(TPoint(10, 5), 0, 0, 10, 10));
  EXPECT_FALSE(PointInEllipse(TPoint(9, 9), 0, 0, 10, 10));
  EXPECT_FALSE(PointInEllipse(TPoint(0, 0), 0, 0, 0, 10));
}

TEST(PlotProcsGeometry, LinesCrossIncludingVerticalSegments) {
  struct Case {
    double X1, Y1, X2, Y2, X3, Y3, X4, Y4;
    bool Cross;
    double X, Y;
  } cases[] = {
      {0, 0, 10, 10, 0, 10, 10, 0, true, 5, 5},
      {5, 0, 5, 10, 0, 4, 10, 4, true, 5, 4},    // first segment vertical
      {0, 4, 10, 4, 5, 0, 5, 10, true, 5, 4},    // second segment vertical
      {0, 0, 4, 4, 0, 10, 10, 0, false, 5, 5},   // lines cross beyond the segment
      {0, 0, 10, 0, 0, 1, 10, 1, false, 10, 0},  // parallel: end point 2
      {0, 0, 10, 0, 5, 0, 5, 5, true, 5, 0},     // an end on the line counts with the lower side
      {0, 0, 10, 0, 5, 0, 5, -5, false, 5, 0},
  };
  for (const Case& c : cases) {
    double x = -1, y = -1;
    EXPECT_EQ(LinesCross(x, y, c.X1, c.Y1, c.X2, c.Y2, c.X3, c.Y3, c.X4, c.Y4), c.Cross);
    EXPECT_NEAR(x, c.X, 1e-9);
    EXPECT_NEAR(y, c.Y, 1e-9);
  }
}

TEST(PlotProcsSort, SortIndexRangeOrdersThroughCallbacks) {
  std::mt19937 random(7);
  for (int n : {0, 1, 2, 3, 10, 257}) {
    std::vector<int> values(n);
    for (int& v : values) v = static_cast<int>(random() % 20);
    SortIndexRange(
        0, n - 1, [&](int32_t a, int32_t b) { return values[a] - values[b]; },
        [&](int32_t a, int32_t b) { std::swap(values[a], values[b]); });
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << n;
  }
}

TEST(PlotProcsPalette, DefaultPaletteAndWrapAround) {
  SetDefaultPalette();
  ASSERT_EQ(ColorPalette.size(), 20u);
  EXPECT_EQ(GetDefaultColor(0), clRed);
  EXPECT_EQ(GetDefaultColor(3), clBlue);
  EXPECT_EQ(GetDefaultColor(15), clBlack);
  EXPECT_EQ(GetDefaultColor(19), clMedGray);
  EXPECT_EQ(GetDefaultColor(20), clRed);
  const TColor two[] = {clLime, clNavy};
  SetColorPalette(two, 1);
  EXPECT_EQ(GetDefaultColor(3), clNavy);
  SetDefaultPalette();
}

TEST(PlotProcsRegistry, EditorOptionsRoundTrip) {
  EXPECT_TRUE(ReadEditorBool("NoSuchValue", true));
  EXPECT_EQ(ReadEditorInteger("NoSuchValue", 42), 42);
  WriteEditorBool("TreeMode", true);
  EXPECT_TRUE(ReadEditorBool("TreeMode", false));
  WriteEditorBool("TreeMode", false);
  EXPECT_FALSE(ReadEditorBool("TreeMode", true));
}

class TextExport : public TPlotExportData {
public:
  std::string ExportedText() override { return "X\tY\r\n1\t2\r\n"; }
};

TEST(PlotProcsExport, WriteToFileReplacesTheFile) {
  const std::string name = testing::TempDir() + "plotprocs_export.txt";
  TextExport exporter;
  exporter.WriteToFile(name);
  exporter.WriteToFile(name);
  TMemoryStream stream;
  stream.LoadFromFile(name);
  EXPECT_EQ(stream.GetSize(), 10);
}

}  // namespace

}  // namespace PlotProcsTests
