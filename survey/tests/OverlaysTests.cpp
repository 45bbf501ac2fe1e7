// Overlay files: where a sec file's picture is found, its corners, and the
// points of a point file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "survey/Overlays.h"

namespace OverlaysTests {

namespace {

namespace fs = std::filesystem;

class OverlaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kv_overlays_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "sub");
    fs::create_directories(Dir / "elsewhere");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  std::string Write(const fs::path& Path, const std::string& Text) {
    std::ofstream(Path, std::ios::binary) << Text;
    return Path.string();
  }
  fs::path Dir;
};

TEST_F(OverlaysTest, PictureIsFoundAtItsPathOrBesideTheSecFile) {
  const std::string inSub = Write(Dir / "sub" / "scan.png", "x");
  Write(Dir / "beside.png", "x");
  struct TCase {
    std::string FirstLine;
    std::string Found;  // empty: not found
  };
  const TCase cases[] = {
      {inSub, inSub},
      {"sub/scan.png", inSub},
      {"  sub/scan.png\t", inSub},
      // Named in a folder where it is not, but lying beside the sec file.
      {(Dir / "elsewhere" / "beside.png").string(), (Dir / "beside.png").string()},
      {"C:\\Scans\\beside.png", (Dir / "beside.png").string()},
      {"..\\scans\\beside.png", (Dir / "beside.png").string()},
      {"\xEF\xBB\xBF" "beside.png", (Dir / "beside.png").string()},
      {"missing.png", ""},
      {"D:\\scans\\scan.png", ""},  // only its file-name part is looked for, beside the sec file
      {"", ""},
      {"sub", ""},  // a folder is no picture
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.FirstLine);
    const std::string sec = Write(Dir / "a.sec", c.FirstLine + "\r\n0 0 10 5\r\nignored\n");
    Overlays::TPictureOverlay overlay;
    std::string problem;
    EXPECT_EQ(Overlays::ReadPictureOverlay(sec, overlay, problem), !c.Found.empty());
    EXPECT_EQ(problem, "");  // a missing picture is not reported
    if (!c.Found.empty()) {
      EXPECT_EQ(fs::path(overlay.PictureFile), fs::path(c.Found));
      EXPECT_DOUBLE_EQ(overlay.X2, 10.0);
      EXPECT_DOUBLE_EQ(overlay.Y2, 5.0);
    }
  }
}

TEST_F(OverlaysTest, CornersMustBeFourFiniteNumbersSpanningAnArea) {
  Write(Dir / "p.bmp", "x");
  struct TCase {
    std::string Line;
    std::string Problem;  // empty: read
  };
  const TCase cases[] = {
      {"-10 0 110,5 40", ""},
      {"0\t0\t10\t5", ""},
      {"0 0 10", "a.sec, line 2: expected four numbers x1 y1 x2 y2 of the picture's corners, found 3"},
      {"0 0 10 5 7", "a.sec, line 2: expected four numbers x1 y1 x2 y2 of the picture's corners, found 5"},
      {"", "a.sec, line 2: expected four numbers x1 y1 x2 y2 of the picture's corners, found 0"},
      {"3 0 3 5", "a.sec, line 2: the picture's corners span no area (x1 = x2 or y1 = y2)"},
      {"0 2 10 2", "a.sec, line 2: the picture's corners span no area (x1 = x2 or y1 = y2)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    const std::string sec = Write(Dir / "a.sec", "p.bmp\n" + c.Line + "\n");
    Overlays::TPictureOverlay overlay;
    std::string problem;
    EXPECT_EQ(Overlays::ReadPictureOverlay(sec, overlay, problem), c.Problem.empty());
    EXPECT_EQ(problem, c.Problem);
  }
  Overlays::TPictureOverlay overlay;
  std::string problem;
  ASSERT_TRUE(Overlays::ReadPictureOverlay(Write(Dir / "a.sec", "p.bmp\n-10 0 110,5 40\n"), overlay, problem));
  EXPECT_DOUBLE_EQ(overlay.X1, -10.0);
  EXPECT_DOUBLE_EQ(overlay.Y1, 0.0);
  EXPECT_DOUBLE_EQ(overlay.X2, 110.5);
  EXPECT_DOUBLE_EQ(overlay.Y2, 40.0);
}

TEST_F(OverlaysTest, PointFileReadsTwoNumbersPerLineAndKeepsTheOldPointsWhenTooShort) {
  struct TCase {
    std::string Text;
    arofcomplexM Points;  // empty: the file is refused
  };
  const TCase cases[] = {
      {"1 2\n3 4\n", {{1, 2}, {3, 4}}},
      {"1,5\t2,25\r\n3\t4 99 text\r\n", {{1.5, 2.25}, {3, 4}}},
      {"x y\n1 2\n7\n\n3 4\nend\n5 6", {{1, 2}, {3, 4}, {5, 6}}},
      {"1 2\n", {}},
      {"1 2\n3\nlabel\n", {}},
      {"", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const arofcomplexM before = {{9, 9}, {8, 8}};
    arofcomplexM points = before;
    const std::string file = Write(Dir / "p.dat", c.Text);
    EXPECT_EQ(Overlays::ReadPointOverlay(file, points), !c.Points.empty());
    EXPECT_EQ(points, c.Points.empty() ? before : c.Points);
  }
  arofcomplexM points = {{9, 9}};
  EXPECT_FALSE(Overlays::ReadPointOverlay((Dir / "none.dat").string(), points));
  EXPECT_EQ(points, (arofcomplexM{{9, 9}}));
}

TEST_F(OverlaysTest, DamagedFilesAreRefusedWithoutHarm) {
  Write(Dir / "p.bmp", "x");
  const std::string damaged[] = {
      std::string("p.bmp\n\0\0\0\0", 10), "p.bmp\n1e999 0 1 1\n", "p.bmp\nnan nan nan nan\n",
      "p.bmp\r\r\r", std::string(5000, '\\'), "\xff\xfe\x00p", "p.bmp\n1 2 3 4 5 6 7 8 9\n", "p.bmp",
  };
  for (const std::string& text : damaged) {
    Overlays::TPictureOverlay overlay;
    std::string problem;
    EXPECT_FALSE(Overlays::ParsePictureOverlay((Dir / "d.sec").string(), text, overlay, problem));
    arofcomplexM points;
    Overlays::ParsePointOverlay(text, points);
    for (const complexM& p : points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.z));
  }
}

}  // namespace

}  // namespace OverlaysTests
