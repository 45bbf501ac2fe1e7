// Gravity and magnetic data: the pgm reader and the level conversion, the forward
// kernels against closed-form anomalies (slab, cylinder), and the damped inversion.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "survey/GravMag.h"
#include "survey/SurveyText.h"
#include "survey/tests/SurveyTestUtil.h"

namespace GravMagTests {

namespace {

using Supermath2d::NoValue;
using SurveyTest::TFakeModelChart;

// A model chart that also takes written properties.
class TGravMagChart : public TFakeModelChart {
 public:
  int Redraws = 0;
  bool SetPolygonProperty(int32_t body, int32_t polygon, int32_t property, double value) override {
    if (body < 0 || polygon < 0 || static_cast<size_t>(body) >= Model.size() ||
        static_cast<size_t>(polygon) >= Model[body].size())
      return false;
    Model[body][polygon].Props[property] = PropValue(value);
    return true;
  }
  void RedrawModel() override { ++Redraws; }
};

struct TFixture {
  TSurvey Survey;
  TGravMag GravMag{Survey};
  std::shared_ptr<TGravMagChart> Chart = std::make_shared<TGravMagChart>();
  std::vector<std::string> Messages;
  TFixture(double left = -3e5, double right = 3e5, double bottom = 1e4) {
    Survey.ModelChart = Chart;
    GravMag.OnMessage = [this](const std::string& m) { Messages.push_back(m); };
    Chart->NewModel({}, false, {left, right, 0.0, bottom});
  }
  // Adds a body with one polygon through the points (x, depth), in that order.
  void AddBody(const arofcomplexM& points, double density, double susceptibility = 0.0) {
    Polygon polygon;
    for (const complexM& p : points) {
      Tnode n;
      n.X = p.x;
      n.Depth = p.z;
      polygon.Nodes.push_back(static_cast<int32_t>(Chart->Nodes.size()));
      Chart->Nodes.push_back(n);
    }
    polygon.Props[Polygons::PropDensity] = PropValue(density);
    polygon.Props[Polygons::PropSusceptibility] = PropValue(susceptibility);
    Chart->Model.push_back({polygon});
  }
  void Stations(bool magnetic, const std::vector<complexM>& xz) {
    ttdata& list = magnetic ? GravMag.MagData : GravMag.GravData;
    (magnetic ? GravMag.HasMagData : GravMag.HasGravData) = true;
    list.clear();
    for (const complexM& p : xz) list.push_back({p.x, 0.0, 0.0, p.z, p.z});
  }
};

arofcomplexM Rectangle(double x1, double x2, double top, double bottom) {
  // Clockwise as drawn (x to the right, depth downward).
  return {{x1, top}, {x2, top}, {x2, bottom}, {x1, bottom}};
}

arofcomplexM Circle(double cx, double cz, double r, int n, bool clockwise) {
  arofcomplexM points;
  for (int k = 0; k < n; ++k) {
    const double a = 2 * std::numbers::pi * k / n * (clockwise ? 1 : -1);
    points.push_back({cx + r * std::cos(a), cz + r * std::sin(a)});
  }
  return points;
}

const double SlabAnomaly = 2 * std::numbers::pi * GravMag::GravityConstant;  // 2 pi G rho t, t = 1 m

// ---- forward modelling ----

TEST(GravMagForward, SlabGivesTwoPiGRhoTWhateverTheNodeOrder) {
  for (bool reversed : {false, true}) {
    TFixture f;
    arofcomplexM slab = Rectangle(-1e5, 1e5, 1.0, 2.0);
    if (reversed) std::reverse(slab.begin(), slab.end());
    f.AddBody(slab, 1.0);
    f.Stations(false, {{0.0, 0.0}});
    f.GravMag.ComputeGravMag();
    EXPECT_NEAR(f.GravMag.GravData[0].Calculated, 0.04193, 2e-5) << reversed;
    EXPECT_NEAR(f.GravMag.GravData[0].Calculated, SlabAnomaly, SlabAnomaly * 1e-4);
  }
}

TEST(GravMagForward, RawKernelFollowsTheNodeOrder) {
  TFixture f;
  arofcomplexM slab = Rectangle(-1e5, 1e5, 1.0, 2.0);
  f.AddBody(slab, 1.0);
  const Polygon forward = f.Chart->Model[1][0];
  Polygon reversed = forward;
  std::reverse(reversed.Nodes.begin(), reversed.Nodes.end());
  double g1 = 0, g2 = 0;
  ASSERT_TRUE(GravMag::PolygonGravity(forward, f.Chart->Nodes, 0, 0, g1));
  ASSERT_TRUE(GravMag::PolygonGravity(reversed, f.Chart->Nodes, 0, 0, g2));
  EXPECT_NEAR(g1, SlabAnomaly, SlabAnomaly * 1e-4);
  EXPECT_NEAR(g2, -SlabAnomaly, SlabAnomaly * 1e-4);
  // A repeated node (zero-length edge) changes nothing.
  Polygon repeated = forward;
  repeated.Nodes.insert(repeated.Nodes.begin() + 2, repeated.Nodes[1]);
  repeated.Nodes.push_back(repeated.Nodes[0]);
  double g3 = 0;
  ASSERT_TRUE(GravMag::PolygonGravity(repeated, f.Chart->Nodes, 0, 0, g3));
  EXPECT_DOUBLE_EQ(g3, g1);
}

TEST(GravMagForward, CylinderMatchesTheLineMassWhateverTheNodeOrder) {
  for (bool clockwise : {true, false}) {
    TFixture f;
    f.AddBody(Circle(0, 50, 10, 256, clockwise), 1.0);
    f.Stations(false, {{0, 0}, {25, 0}, {50, 0}});
    f.GravMag.ComputeGravMag();
    const double expected[] = {0.083858, 0.067086, 0.041929};
    for (int k = 0; k < 3; ++k) {
      const double x = f.GravMag.GravData[k].Position;
      // 2 pi G rho R^2 z / (x^2 + z^2)
      const double exact = 2 * std::numbers::pi * GravMag::GravityConstant * 100 * 50 / (x * x + 2500);
      EXPECT_NEAR(exact, expected[k], 1e-6);
      EXPECT_NEAR(f.GravMag.GravData[k].Calculated, exact, exact * 5e-4) << k << " " << clockwise;
    }
  }
}

TEST(GravMagForward, MagneticCylinderInVerticalFieldForAnyAzimuth) {
  for (auto [a1, a2] : {std::pair{0, 0}, std::pair{30, 100}, std::pair{-45, 200}}) {
    TFixture f;
    f.AddBody(Circle(0, 50, 10, 256, a1 == 30), 0.0, 1000.0);
    f.Stations(true, {{0, 0}, {50, 0}, {100, 0}});
    f.GravMag.MagInclination = 90;
    f.GravMag.MagAzimuth1 = a1;
    f.GravMag.MagAzimuth2 = a2;
    f.GravMag.MagFieldIntensity = 50000;
    f.GravMag.ComputeGravMag();
    // Line dipole: 2 J pi R^2 (z^2 - x^2) / (x^2 + z^2)^2 with J = chi 1e-5 T.
    const double J = 1000 * 1e-5 * 50000;
    for (int k = 0; k < 3; ++k) {
      const double x = f.GravMag.MagData[k].Position;
      const double exact = 2 * J * std::numbers::pi * 100 * (2500 - x * x) / ((x * x + 2500) * (x * x + 2500));
      EXPECT_NEAR(f.GravMag.MagData[k].Calculated, exact, 0.02) << k << " azimuths " << a1 << " " << a2;
    }
    EXPECT_NEAR(f.GravMag.MagData[0].Calculated, 125.66, 0.02);
    EXPECT_NEAR(f.GravMag.MagData[2].Calculated, -15.08, 0.01);
  }
}

TEST(GravMagForward, OutlineAloneGivesZeroAndDensityScalesTheAnomaly) {
  TFixture f(-100, 100, 100);
  f.Stations(false, {{-20, 0}, {0, 0}, {30, -1}});
  f.GravMag.ComputeGravMag();
  for (const tdata& s : f.GravMag.GravData) EXPECT_EQ(s.Calculated, 0.0);
  f.AddBody(Rectangle(-10, 10, 5, 15), 1.0);
  f.GravMag.ComputeGravMag();
  const ttdata one = f.GravMag.GravData;
  f.Chart->Model[1][0].Props[Polygons::PropDensity] = PropValue(2.0);
  f.GravMag.ComputeGravMag();
  for (size_t k = 0; k < one.size(); ++k) {
    EXPECT_GT(one[k].Calculated, 0.0);
    EXPECT_NEAR(f.GravMag.GravData[k].Calculated, 2 * one[k].Calculated, 1e-15);
  }
}

TEST(GravMagForward, StationOnACornerIsNamedAndLeavesNoPartialSums) {
  TFixture f(-100, 100, 100);
  f.AddBody(Rectangle(-10, 10, 0, 15), 1.0);  // its top corners lie on the ground
  f.Stations(false, {{-50, 0}, {-10, 0}, {50, 0}});
  f.Stations(true, {{-50, 0}, {10, 0}});
  f.GravMag.MagFieldIntensity = 50000;
  f.GravMag.MagInclination = 60;
  f.GravMag.ComputeGravMag();
  ASSERT_EQ(f.Messages.size(), 2u);
  EXPECT_EQ(f.Messages[0], std::string(GravMag::GravityOnNode) + "2");
  EXPECT_EQ(f.Messages[1], std::string(GravMag::MagneticOnNode) + "2");
  for (const ttdata* list : {&f.GravMag.GravData, &f.GravMag.MagData})
    for (const tdata& s : *list) EXPECT_EQ(s.Calculated, NoValue);
  // The inversion of such data does not run: the density stays.
  f.Messages.clear();
  f.GravMag.InvertGravMag(false, 10);
  EXPECT_EQ(f.Messages.size(), 1u);
  EXPECT_EQ(f.Chart->Model[1][0].Props[Polygons::PropDensity].AsDouble(), 1.0);
  EXPECT_EQ(f.Chart->Redraws, 0);
}

TEST(GravMagForward, BodyTouchingASideContinuesOutToTheMovedFrame) {
  // A body from the left bound to x = 0 in a survey of spacing 10 reaches
  // 3^7 * 5 m beyond the bound, like a body drawn that wide.
  TFixture touching(-100, 100, 100);
  touching.Survey.ElectrodeSpacing = 10;
  const double offset = 2187 * 5.0;
  EXPECT_DOUBLE_EQ(touching.GravMag.FrameOffset(), offset);
  // Nodes on the left side carry the side's border code.
  touching.AddBody(Rectangle(-100, 0, 10, 20), 1.0);
  for (int32_t i : touching.Chart->Model[1][0].Nodes)
    if (touching.Chart->Nodes[i].X == -100) touching.Chart->Nodes[i].Border = Polygons::BorderLeft;
  touching.Stations(false, {{-50, 0}, {0, 0}, {40, 0}});
  touching.GravMag.ComputeGravMag();

  TFixture wide(-1e5, 1e5, 100);
  wide.AddBody(Rectangle(-100 - offset, 0, 10, 20), 1.0);
  wide.Stations(false, {{-50, 0}, {0, 0}, {40, 0}});
  wide.GravMag.ComputeGravMag();
  for (size_t k = 0; k < 3; ++k)
    EXPECT_NEAR(touching.GravMag.GravData[k].Calculated, wide.GravMag.GravData[k].Calculated, 1e-9) << k;
}

// ---- reading ----

TEST(GravMagFile, OnlyAMagneticBlockLoadsMagneticDataAndSortsStations) {
  TFixture f;
  ASSERT_TRUE(f.GravMag.ReadGravMagLines({"Start_D MAG", "30 5 -1", "text only", "10 7 -1", "20 6 -1",
                                          "END_D mag", "40 99 -1", "start_config", "60 10 30 48000",
                                          "end_config"}));
  EXPECT_FALSE(f.GravMag.HasGravData);
  EXPECT_TRUE(f.GravMag.HasMagData);
  ASSERT_EQ(f.GravMag.MagData.size(), 3u);
  f.GravMag.SortGravMagData();
  EXPECT_EQ(f.GravMag.MagData[0].Position, 10);
  EXPECT_EQ(f.GravMag.MagData[1].Observed, 6);
  EXPECT_EQ(f.GravMag.MagData[2].FileLevel, -1);
  EXPECT_EQ(f.GravMag.MagInclination, 60);
  EXPECT_EQ(f.GravMag.MagAzimuth2, 30);
  EXPECT_EQ(f.GravMag.MagFieldIntensity, 48000);
  EXPECT_TRUE(f.Messages.empty());
}

TEST(GravMagFile, SortKeepsEqualPositionsInFileOrder) {
  TFixture f;
  ASSERT_TRUE(f.GravMag.ReadGravMagLines({"start_d grav", "5 1 0", "3 2 0", "5 3 0", "1 4 0", "5 5 0"}));
  f.GravMag.SortGravMagData();
  std::vector<double> observed;
  for (const tdata& s : f.GravMag.GravData) observed.push_back(s.Observed);
  EXPECT_EQ(observed, (std::vector<double>{4, 2, 1, 3, 5}));
}

struct TLevelCase {
  const char* Name;
  arofcomplexM SurveyTopography;
  arofstrM Lines;
  double Level;          // of the first gravity station after reading
  size_t Messages;
};

TEST(GravMagFile, LevelsAreConvertedAgainstTheGround) {
  const arofcomplexM ground = {{0, 100}, {100, 90}};  // 95 at x = 50
  const TLevelCase cases[] = {
      {"below ground, #", ground, {"start_topo #", "0 100", "100 90", "end_topo", "start_d grav", "50 1 -2"}, 3, 0},
      {"elevation", ground, {"start_d grav", "50 1 101"}, -1, 0},
      {"elevation, file topography decides", {}, {"start_topo", "0 100", "100 90", "end_topo", "start_d grav",
                                                 "50 1 101"}, -1, 0},
      {"station below the ground", ground, {"start_d grav", "50 1 101", "start_d mag", "50 1 94"}, 101, 1},
      {"no relief", {}, {"start_d grav", "50 1 101"}, 101, 0},
      {"unclosed topography", {}, {"start_topo", "0 100", "100 90", "start_d grav", "50 1 101"}, 101, 1},
  };
  for (const TLevelCase& c : cases) {
    TFixture f;
    f.Survey.Topography = c.SurveyTopography;
    ASSERT_TRUE(f.GravMag.ReadGravMagLines(c.Lines)) << c.Name;
    EXPECT_DOUBLE_EQ(f.GravMag.GravData[0].Level, c.Level) << c.Name;
    const auto block = std::find(c.Lines.begin(), c.Lines.end(), std::string("start_d grav"));
    ASSERT_NE(block + 1, c.Lines.end());
    EXPECT_EQ(f.GravMag.GravData[0].FileLevel, std::stod(SurveyText::Tokens(*(block + 1))[2])) << c.Name;
    ASSERT_EQ(f.Messages.size(), c.Messages) << c.Name;
    // The survey's topography is never replaced by the file's.
    EXPECT_EQ(f.Survey.Topography, c.SurveyTopography) << c.Name;
  }
}

TEST(GravMagFile, StationBelowTheGroundIsNamedInOneMessage) {
  TFixture f;
  f.Survey.Topography = {{0, 100}, {100, 90}};
  ASSERT_TRUE(f.GravMag.ReadGravMagLines({"start_d grav", "10 1 120", "50 1 94", "60 1 93"}));
  ASSERT_EQ(f.Messages.size(), 1u);
  EXPECT_NE(f.Messages[0].find("gravity station 2 at x = 50"), std::string::npos) << f.Messages[0];
}

TEST(GravMagFile, DuplicateTopographyXIsRefusedOnceForTheSecondLine) {
  TFixture f;
  ASSERT_TRUE(f.GravMag.ReadGravMagLines(
      {"start_topo", "0 100", "50 95", "50 97", "100 90", "end_topo", "start_d grav", "50 1 101"}));
  ASSERT_EQ(f.Messages.size(), 1u);
  EXPECT_EQ(f.Messages[0], std::string(GravMag::TwoElevations) + "50");
  // The first elevation at 50 holds: the level is 100 - 101.
  EXPECT_DOUBLE_EQ(f.GravMag.GravData[0].Level, -1);
}

TEST(GravMagFile, MissingOrBadConfigurationKeepsTheLastValues) {
  TFixture f;
  f.GravMag.MagInclination = 70;
  f.GravMag.MagAzimuth1 = 5;
  f.GravMag.MagAzimuth2 = 15;
  f.GravMag.MagFieldIntensity = 51000;
  const arofstrM files[] = {{"start_d mag", "1 2 3"},
                            {"start_d mag", "1 2 3", "start_config", "60 0 0 40000"},
                            {"start_d mag", "1 2 3", "start_config", "1 2 3", "end_config"},
                            {"start_d mag", "1 2 3", "start_config", "400 0 0 40000", "end_config"}};
  for (const arofstrM& lines : files) {
    ASSERT_TRUE(f.GravMag.ReadGravMagLines(lines));
    EXPECT_EQ(f.GravMag.MagInclination, 70);
    EXPECT_EQ(f.GravMag.MagAzimuth1, 5);
    EXPECT_EQ(f.GravMag.MagAzimuth2, 15);
    EXPECT_EQ(f.GravMag.MagFieldIntensity, 51000);
  }
  // The last line with four numbers counts; the angles are rounded.
  ASSERT_TRUE(f.GravMag.ReadGravMagLines(
      {"start_d mag", "1 2 3", "START_CONFIG", "10 1 2 3", "59.6 -10.4 20.5 45000", "note 1 2", "end_config"}));
  EXPECT_EQ(f.GravMag.MagInclination, 60);
  EXPECT_EQ(f.GravMag.MagAzimuth1, -10);
  EXPECT_EQ(f.GravMag.MagAzimuth2, 20);
  EXPECT_EQ(f.GravMag.MagFieldIntensity, 45000);
}

TEST(GravMagFile, FileWithoutDataBlockChangesNothingAndSaysNothing) {
  TFixture f;
  f.GravMag.GravData = {{1, 2, 3, 4, 5}};
  f.GravMag.HasGravData = true;
  const arofstrM files[] = {{}, {"start_topo #", "0 1", "end_topo", "start_config", "1 2 3 4", "end_config"},
                            {"start_d grav", "no numbers here", "end_d grav"}};
  for (const arofstrM& lines : files) {
    EXPECT_FALSE(f.GravMag.ReadGravMagLines(lines));
    EXPECT_TRUE(f.GravMag.HasGravData);
    EXPECT_EQ(f.GravMag.GravData.size(), 1u);
    EXPECT_FALSE(f.GravMag.LevelsBelowGround);
    EXPECT_EQ(f.GravMag.MagInclination, 0);
  }
  EXPECT_TRUE(f.Messages.empty());
  EXPECT_FALSE(f.GravMag.ReadGravMagFile((SurveyTest::ScratchDir() / "missing.pgm").string()));
  EXPECT_EQ(f.Messages.size(), 1u);
}

TEST(GravMagFile, DamagedInputsNeverCrash) {
  const std::string longLine(1 << 20, '7');
  const arofstrM damaged[] = {
      {"start_d grav", "nan 1 2", "1 inf 2", "1e400 2 3", "123456789 1 1", "-nan -inf +inf"},
      {"start_d grav", longLine, "1 2 3 " + longLine},
      {"start_d mag", "1 2 3", "start_config", "nan nan nan nan", "1e300 1e300 1e300 1e300", "end_config"},
      {"start_topo", "nan 1", "1 nan", "end_topo", "start_d grav", "1 2 3"},
      {"start_d grav", "1 2 3", "start_topo", "end_topo"},
      {"start_d grav start_d mag end_d grav end_d mag", "1 2 3"},
      {"start_d grav", std::string("1\0 2 3", 6), "\xff\xfe 1 2 3"},
  };
  for (const arofstrM& lines : damaged) {
    TFixture f;
    f.Survey.Topography = {{0, 1}, {10, 2}};
    f.GravMag.ReadGravMagLines(lines);
    f.GravMag.SortGravMagData();
    for (const ttdata* list : {&f.GravMag.GravData, &f.GravMag.MagData})
      for (const tdata& s : *list) {
        EXPECT_TRUE(std::isfinite(s.Position) && std::isfinite(s.Level) && std::isfinite(s.Observed));
        EXPECT_NE(s.Position, NoValue);
      }
    EXPECT_TRUE(std::isfinite(f.GravMag.MagFieldIntensity));
  }
}

// ---- inversion ----

TEST(GravMagInversion, SolveCGSolvesAKnownSystem) {
  const ararofdoubleM A = {{4, 1, 0}, {1, 3, 1}, {0, 1, 2}};
  const arofdoubleM expected = {1, -2, 3};
  arofdoubleM b(3, 0.0);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) b[i] += A[i][j] * expected[j];
  arofdoubleM x = {7};  // wrong length: starts from zeros
  GravMag::SolveCG(A, b, x, 30, 1e-30);
  ASSERT_EQ(x.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(x[i], expected[i], 1e-12);
  // A singular system stops early and keeps a finite step.
  arofdoubleM y;
  GravMag::SolveCG({{0, 0}, {0, 0}}, {1, 1}, y, 30, 1e-8);
  EXPECT_EQ(y, (arofdoubleM{0, 0}));
}

TEST(GravMagInversion, OneBlockRecoversItsDensityAndTheDampingRangeFollowsTheChoice) {
  TFixture f(-200, 200, 200);
  f.AddBody(Rectangle(-20, 20, 10, 30), 0.5);
  std::vector<complexM> stations;
  for (int k = -10; k <= 10; ++k) stations.push_back({k * 10.0, 0.0});
  f.Stations(false, stations);
  f.GravMag.ComputeGravMag();
  for (tdata& s : f.GravMag.GravData) s.Observed = s.Calculated;
  f.Chart->Model[1][0].Props[Polygons::PropDensity] = PropValue(0.0);
  f.GravMag.ComputeGravMag();
  int samples = 0;
  f.GravMag.OnProcessMessages = [&] { ++samples; };
  f.GravMag.InvertGravMag(false, 10);
  EXPECT_NEAR(f.Chart->Model[1][0].Props[Polygons::PropDensity].AsDouble(), 0.5, 1e-3);
  EXPECT_GT(samples, 10);
  EXPECT_EQ(f.Chart->Redraws, 1);
  // The responses were recomputed with the new density.
  EXPECT_NEAR(f.GravMag.GravData[10].Calculated, f.GravMag.GravData[10].Observed, 1e-3 * f.GravMag.GravData[10].Observed);

  // The same problem through the linear inversion shows the damping ranges.
  ararofdoubleM S;
  arofdoubleM x, z, d;
  for (const tdata& s : f.GravMag.GravData) {
    x.push_back(s.Position);
    z.push_back(s.Level);
    d.push_back(s.Observed);
  }
  ASSERT_EQ(f.GravMag.GravitySensitivity(x, z, S), -1);
  arofdoubleM m = {0.0};
  std::vector<GravMag::TDampingStep> steps;
  GravMag::InvertLinear(S, d, m, 10, nullptr, &steps);
  ASSERT_EQ(steps.size(), 10u);
  double diag = 0;
  for (double v : S[0]) diag += v * v;
  EXPECT_DOUBLE_EQ(steps[0].Low, std::max(diag * 1e-4, diag * 0.1));
  EXPECT_DOUBLE_EQ(steps[0].High, diag * 20);
  for (size_t i = 1; i < steps.size(); ++i) {
    if (steps[i].Skipped) continue;
    EXPECT_DOUBLE_EQ(steps[i].Low, 0.1 * steps[i - 1].Lambda) << i;
    EXPECT_DOUBLE_EQ(steps[i].High, 10 * steps[i - 1].Lambda) << i;
    EXPECT_GE(steps[i].Lambda, steps[i].Low * (1 - 1e-12));
    EXPECT_LE(steps[i].Lambda, steps[i].High * (1 + 1e-12));
  }
}

TEST(GravMagInversion, ObservedEqualToPredictedLeavesThePropertiesUnchanged) {
  const ararofdoubleM S = {{1, 2, 3}, {0.5, 0.1, 2}};
  const arofdoubleM start = {0.3, -0.7};
  arofdoubleM d(3, 0.0);
  for (size_t k = 0; k < 3; ++k) d[k] = start[0] * S[0][k] + start[1] * S[1][k];
  arofdoubleM m = start;
  std::vector<GravMag::TDampingStep> steps;
  GravMag::InvertLinear(S, d, m, 10, nullptr, &steps);
  for (size_t j = 0; j < 2; ++j) EXPECT_NEAR(m[j], start[j], 1e-12);
}

TEST(GravMagInversion, OneParameterOneStationAndNegativeDensities) {
  arofdoubleM m = {0.0};
  GravMag::InvertLinear({{2.0}}, {-3.0}, m, 10, nullptr);
  EXPECT_NEAR(m[0], -1.5, 1e-3);
  // Zero sensitivities give a zero gradient: nothing changes, nothing becomes NaN.
  arofdoubleM z = {0.25};
  std::vector<GravMag::TDampingStep> steps;
  GravMag::InvertLinear({{0.0, 0.0}}, {1.0, 2.0}, z, 3, nullptr, &steps);
  EXPECT_EQ(z[0], 0.25);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_TRUE(steps[0].Skipped);
}

TEST(GravMagInversion, HugeOrNonFiniteDataNeverReachTheModel) {
  for (double observed : {1e300, -1e300, NoValue * 1e10}) {
    arofdoubleM m = {1.0, 2.0};
    GravMag::InvertLinear({{1e-300, 1.0}, {1.0, 1e200}}, {observed, 1.0}, m, 10, nullptr);
    for (double v : m) EXPECT_TRUE(std::isfinite(v)) << observed;
  }
  arofdoubleM m = {1.0};
  GravMag::InvertLinear({{1.0}}, {std::nan("")}, m, 10, nullptr);
  EXPECT_EQ(m[0], 1.0);
}

}  // namespace

}  // namespace GravMagTests
