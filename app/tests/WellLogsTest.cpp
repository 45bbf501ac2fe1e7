// Well logs: the crt list and log data readers, level alignment, shared scales
// and the strip and row arithmetic of the drawing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/WellLogs.h"

namespace WellLogsTest {

namespace {

namespace fs = std::filesystem;
using WellLogs::carotagedata;

class WellLogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kv_well_logs_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string Write(const std::string& Name, const std::string& Text) {
    const fs::path path = Dir / Name;
    std::ofstream(path, std::ios::binary) << Text;
    return path.string();
  }
  fs::path Dir;
};

TEST_F(WellLogsTest, CrtFileOfTwoLogsAndAMissingOneReadsAlignedLogs) {
  // "," as the decimal sign; both logs in group 1 with level alignment (mode 1).
  Write("a.txt", "0 9,0\n1 10,0\n2 11,0\n");
  Write("b.txt", "0 18\n1 20 3\nnot a line\n2 22\n");
  const std::string crt = Write("logs.crt",
                                "a.txt\nWell A\n12,5 5 0 1 1 255 0\n"
                                "missing.txt\nWell M\n20 5 0 1 1 0 0\n"
                                "C:\\survey\\b.txt\nWell B\n30 5 0 1 1 65280 0\n");
  std::vector<std::string> notes;
  WellLogs::arofcarotagedata logs = WellLogs::ReadCarotageFile(crt, notes);
  ASSERT_EQ(logs.size(), 2u);
  EXPECT_EQ(logs[0].Caption, "Well A");
  EXPECT_EQ(logs[0].X, 12.5);
  EXPECT_EQ(logs[0].Width, 5.0);
  EXPECT_EQ(logs[0].Colour, 255);
  EXPECT_EQ(logs[1].FileName, (Dir / "b.txt").string());
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("missing.txt"), std::string::npos);
  // Means 10 and 20 both become the group's 15; minimum and maximum move with them.
  EXPECT_DOUBLE_EQ(logs[0].Mean, 15.0);
  EXPECT_DOUBLE_EQ(logs[1].Mean, 15.0);
  EXPECT_DOUBLE_EQ(logs[0].Minimum, 14.0);
  EXPECT_DOUBLE_EQ(logs[0].Maximum, 16.0);
  EXPECT_DOUBLE_EQ(logs[1].Minimum, 13.0);
  EXPECT_DOUBLE_EQ(logs[1].Maximum, 17.0);
  ASSERT_EQ(logs[1].Points.size(), 3u);
  EXPECT_DOUBLE_EQ(logs[1].Points[1].z, 15.0);
  // A missing code repeats the previous line's, -1 before the first.
  EXPECT_EQ(logs[1].Code1, (arofintM{-1, 3, 3}));
  EXPECT_EQ(logs[1].Code2, (arofintM{-1, -1, -1}));
}

TEST_F(WellLogsTest, LogFlagTakesLnAndDropsValuesNotAboveZero) {
  carotagedata log;
  log.LogFlag = 1;
  log.Caption = "Res";
  std::vector<std::string> notes;
  const std::string text = "0 " + std::to_string(std::exp(1.0)) + "\n1 0\n2 -4 7 8\n3 " +
                           std::to_string(std::exp(3.0)) + " 5\n";
  ASSERT_TRUE(WellLogs::ParseLogData(text, log, notes));
  ASSERT_EQ(log.Points.size(), 2u);
  EXPECT_NEAR(log.Points[0].z, 1.0, 1e-6);
  EXPECT_NEAR(log.Points[1].z, 3.0, 1e-6);
  EXPECT_NEAR(log.Minimum, 1.0, 1e-6);
  EXPECT_NEAR(log.Maximum, 3.0, 1e-6);
  EXPECT_EQ(log.Code1, (arofintM{-1, 5}));
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("2 value(s)"), std::string::npos);

  // Nothing usable: the log is skipped rather than spreading -inf through its group.
  notes.clear();
  EXPECT_FALSE(WellLogs::ParseLogData("0 0\n1 -2\n", log, notes));
  EXPECT_EQ(notes.size(), 2u);
}

TEST_F(WellLogsTest, DamagedListEntriesAreSkippedWithANote) {
  const auto exists = [](const std::string& Path) { return Path.find("gone") == std::string::npos; };
  struct TCase {
    const char* Text;
    size_t Logs;
    size_t Notes;
  };
  const TCase cases[] = {
      {"a.txt\nA\n1 2 0 0 1 0 0\n", 1, 0},
      {"a.txt\nA\n1 2 0 0 1 0\n", 0, 1},             // six numbers
      {"a.txt\nA\n", 0, 1},                          // no parameter line
      {"a.txt\n", 0, 1},
      {"gone.txt\nA\n1 2 0 0 1 0 0\nb.txt\nB\n3 4 2 0 1 0 0\n", 1, 1},
      {"a.txt\nA\n1 x 0 0 1 0 0\n", 0, 1},          // a word is not a number
      {"a.txt\nA\n1 2 1e300 -1e300 1 0 300\n", 1, 0},  // huge integers are clamped
      {"", 0, 0},
      {"\n\n\n\n", 0, 1},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> notes;
    const auto logs = WellLogs::ParseList("/data/x.crt", c.Text, exists, notes);
    EXPECT_EQ(logs.size(), c.Logs) << c.Text;
    EXPECT_EQ(notes.size(), c.Notes) << c.Text;
  }
  std::vector<std::string> notes;
  carotagedata log;
  for (const char* damaged : {"", "1\n2\n", "nan inf\n", "1e400 2\n", "\r\n\r\n", "1 2 3 4 5 6 7 8 9 1e300 -1e300\n"}) {
    notes.clear();
    if (WellLogs::ParseLogData(damaged, log, notes)) {
      for (const complexM& p : log.Points) EXPECT_TRUE(std::isfinite(p.z)) << damaged;
    }
  }
}

TEST(WellLogPaths, DataPathsFollowTheOverlayRule) {
  struct TCase {
    const char* Named;
    const char* Expected;
  };
  const TCase cases[] = {{"a.txt", "/data/logs/a.txt"},
                         {"sub/a.txt", "/data/logs/sub/a.txt"},
                         {"C:\\wells\\a.txt", "/data/logs/a.txt"},
                         {"..\\a.txt", "/data/logs/a.txt"},
                         {"d:a.txt", "/data/logs/a.txt"},
                         {"/abs/a.txt", "/abs/a.txt"}};
  for (const TCase& c : cases) EXPECT_EQ(WellLogs::ResolveDataPath("/data/logs/x.crt", c.Named), c.Expected) << c.Named;
}

carotagedata Log(double X, double Lo, double Hi, int32_t Mode, int32_t Group) {
  carotagedata log;
  log.X = X;
  log.Minimum = Lo;
  log.Maximum = Hi;
  log.AlignmentMode = Mode;
  log.Group = Group;
  return log;
}

TEST(WellLogScale, ScalesAreSharedByGroupAndModeAmongVisibleLogs) {
  const WellLogs::arofcarotagedata logs = {Log(10, 14, 16, 1, 1), Log(20, 13, 17, 0, 1), Log(30, 0, 100, 2, 1),
                                           Log(40, -5, 50, 1, 2), Log(500, 0, 1000, 0, 1)};
  struct TCase {
    size_t I;
    double Lo, Hi;
  };
  // Visible range 0..100: the log at 500 is outside; mode 2 keeps its own scale
  // and gives none to the others; group 2 stays apart.
  const TCase cases[] = {{0, 13, 17}, {1, 13, 17}, {2, 0, 100}, {3, -5, 50}};
  for (const TCase& c : cases) {
    double lo = 0, hi = 0;
    WellLogs::ValueScale(logs, c.I, 100, 0, lo, hi);
    EXPECT_EQ(lo, c.Lo) << c.I;
    EXPECT_EQ(hi, c.Hi) << c.I;
  }
  EXPECT_FALSE(WellLogs::IsVisible(logs[4], 100, 0));
  EXPECT_TRUE(WellLogs::IsVisible(logs[0], 100, 0));
  EXPECT_DOUBLE_EQ(WellLogs::HalfWidth(100, 0, 5), 5.0);
  EXPECT_DOUBLE_EQ(WellLogs::HalfWidth(-20, 60, 10), 8.0);
  // The curve spans the strip from lo to hi; an unchanging log sits at the centre.
  EXPECT_DOUBLE_EQ(WellLogs::CurveX(50, 5, 13, 13, 17), 45.0);
  EXPECT_DOUBLE_EQ(WellLogs::CurveX(50, 5, 17, 13, 17), 55.0);
  EXPECT_DOUBLE_EQ(WellLogs::CurveX(50, 5, 15, 13, 17), 50.0);
  EXPECT_DOUBLE_EQ(WellLogs::CurveX(50, 5, 7, 7, 7), 50.0);
}

TEST(WellLogRows, ColumnRowsCarryInterpolatedCodesForKindTwoOnly) {
  carotagedata log;
  log.Kind = 2;
  log.Points = {{0, 1}, {10, 1}, {20, 1}};
  log.Code1 = {0, 10, 10};
  log.Code2 = {9, 19, 3};
  const int32_t rows = 20;
  for (int32_t r = 0; r < rows; ++r) {
    const double depth = (r + 0.5) * 20.0 / rows;
    int32_t colour = 0, pattern = 0;
    WellLogs::RowCodes(log, r, rows, colour, pattern);
    const double expectedColour = depth <= 10 ? depth : 10.0;
    const double expectedPattern = depth <= 10 ? 9 + depth : 19 - 1.6 * (depth - 10);
    EXPECT_EQ(colour, std::nearbyint(expectedColour)) << r;
    EXPECT_EQ(pattern, std::nearbyint(expectedPattern)) << r;
  }
  for (int32_t kind : {1, 3}) {
    log.Kind = kind;
    int32_t colour = 0, pattern = 0;
    WellLogs::RowCodes(log, 3, rows, colour, pattern);
    EXPECT_EQ(pattern, -1) << kind;
  }
}

}  // namespace

}  // namespace WellLogsTest
