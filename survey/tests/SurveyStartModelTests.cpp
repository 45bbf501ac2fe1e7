#include "survey/tests/SurveyTestUtil.h"

namespace SurveyStartModelTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

// Electrodes 0 to 7 m; the deepest pseudo-depth level is that of the 6 m Wenner spread.
const char* SmallWenner =
    "C1 C2 P1 P2 ro_a\n"
    "0 3 1 2 100\n1 4 2 3 100\n2 5 3 4 100\n3 6 4 5 100\n4 7 5 6 100\n"
    "0 6 2 4 100\n1 7 3 5 100\n";

TEST(SurveyStartModel, ExtentComesFromElectrodesLevelsAndRelief) {
  struct Case {
    const char* relief;
    TModelBounds expected;  // bottom without the deepest level
    bool reliefOn;
  } cases[] = {
      {"", {0, 7, 0, 0}, false},
      {"topo\n-5 10\n12 14\n", {0, 7, 0, 0}, false},  // two points are no relief here
      {"topo\n-5 10\n3 12\n20 9\n", {-5, 20, 0, 3}, true},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", std::string(SmallWenner) + c.relief), Survey::ReadData);
    const double deepest = t.Survey.Levels.back();
    t.Survey.ConstructStartModel(true);
    const TModelBounds& b = t.Chart->Bounds;
    EXPECT_EQ(b.Left, c.expected.Left) << c.relief;
    EXPECT_EQ(b.Right, c.expected.Right) << c.relief;
    EXPECT_EQ(b.Top, 0) << c.relief;
    EXPECT_DOUBLE_EQ(b.Bottom, deepest + c.expected.Bottom) << c.relief;
    EXPECT_EQ(t.Chart->NewModelCalls, 1);
    EXPECT_EQ(t.Chart->BoundsKeepFlags, std::vector<bool>{true});
    EXPECT_EQ(t.Chart->ReliefOn, c.reliefOn) << c.relief;
    EXPECT_EQ(t.Chart->HostResistivity, 100);
    EXPECT_EQ(t.Survey.StartResistivity, 100);
  }
}

TEST(SurveyStartModel, DialogValuesAfterALoadAndFromTheMenu) {
  TCapturedSurvey t;
  t.UseWindow();
  ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", SmallWenner), Survey::ReadData);
  t.Window->ModelConstructorAnswer = [](const TModelConstructorValues& v, bool) {
    TModelConstructorValues typed = v;
    typed.StartResistivity = 40;
    typed.StartPolarizability = 9;  // hidden edit: the stored value passes through
    typed.EndX = 10;
    typed.MaximalDepth = 5;
    return std::optional<TModelConstructorValues>(typed);
  };
  t.Survey.StartPolarizability = 1.5;
  t.Survey.ConstructStartModel(true);
  EXPECT_EQ(t.Window->PolarizabilityShown, std::vector<bool>{false});
  EXPECT_EQ(t.Window->ModelConstructorShown[0].EndX, 7);
  EXPECT_EQ(t.Survey.StartResistivity, 40);
  EXPECT_EQ(t.Survey.StartPolarizability, 1.5);
  EXPECT_EQ(t.Chart->Bounds.Right, 10);
  EXPECT_EQ(t.Chart->Bounds.Bottom, 5);
  EXPECT_EQ(t.Window->XMax, 10);

  // From the menu the dialog shows the chart's bounds; "Ok" refits the model, no new one.
  t.Window->ModelConstructorAnswer = [](const TModelConstructorValues& v, bool) {
    TModelConstructorValues typed = v;
    typed.StartX = -2;
    return std::optional<TModelConstructorValues>(typed);
  };
  t.Survey.ConstructStartModel(false);
  EXPECT_EQ(t.Window->ModelConstructorShown[1].EndX, 10);
  EXPECT_EQ(t.Window->ModelConstructorShown[1].MaximalDepth, 5);
  EXPECT_EQ(t.Chart->NewModelCalls, 1);
  EXPECT_EQ(t.Chart->BoundsKeepFlags.back(), false);
  EXPECT_EQ(t.Chart->Bounds.Left, -2);
  EXPECT_EQ(t.Chart->Nodes[0].X, -2);  // the frame followed the new bounds

  // Closed without "Ok" from the menu: only the data sections' range is set.
  t.Window->ModelConstructorAnswer = nullptr;
  const size_t boundsCalls = t.Chart->BoundsKeepFlags.size();
  t.Window->XMin = 99;
  t.Survey.ConstructStartModel(false);
  EXPECT_EQ(t.Chart->BoundsKeepFlags.size(), boundsCalls);
  EXPECT_EQ(t.Survey.StartResistivity, 40);
  EXPECT_EQ(t.Window->XMin, -2);
}

TEST(SurveyStartModel, CancelledAfterALoadBuildsTheProposedModel) {
  TCapturedSurvey t;
  t.UseWindow();
  ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", std::string(SmallWenner)), Survey::ReadData);
  t.Survey.ConstructStartModel(true);
  EXPECT_EQ(t.Window->ModelConstructorShown.size(), 1u);
  EXPECT_EQ(t.Chart->NewModelCalls, 1);
  EXPECT_EQ(t.Chart->Bounds.Right, 7);
  EXPECT_EQ(t.Survey.StartResistivity, 100);
}

TEST(SurveyStartModel, ValuesThatDoNotParseAreRefused) {
  struct Case {
    const char* name;
    void (*edit)(TModelConstructorValues&);
    const char* field;
  } cases[] = {
      {"depth", [](TModelConstructorValues& v) { v.MaximalDepth = NoValue; }, "\"Maximal depth\""},
      {"resistivity", [](TModelConstructorValues& v) { v.StartResistivity = NoValue; }, "\"Start resistivity\""},
      {"zero resistivity", [](TModelConstructorValues& v) { v.StartResistivity = 0; }, "\"Start resistivity\""},
      {"polarizability", [](TModelConstructorValues& v) { v.StartPolarizability = NoValue; }, "\"Start polarizability\""},
      {"edges", [](TModelConstructorValues& v) { v.EndX = v.StartX - 1; }, "\"End X\""},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    t.UseWindow();
    ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", "C1 C2 P1 P2 ro_a eta_a\n0 3 1 2 100 2\n1 4 2 3 100 2\n"), Survey::ReadData);
    const double rho = t.Survey.StartResistivity, eta = t.Survey.StartPolarizability;
    t.Window->ModelConstructorAnswer = [&](const TModelConstructorValues& v, bool shown) {
      EXPECT_TRUE(shown);
      TModelConstructorValues typed = v;
      c.edit(typed);
      return std::optional<TModelConstructorValues>(typed);
    };
    t.Survey.ConstructStartModel(true);
    ASSERT_EQ(t.Messages.size(), 1u) << c.name;
    EXPECT_NE(t.Messages[0].find(c.field), std::string::npos) << t.Messages[0];
    EXPECT_NE(t.Messages[0].find("The proposed values are used."), std::string::npos) << t.Messages[0];
    EXPECT_EQ(t.Survey.StartResistivity, rho) << c.name;
    EXPECT_EQ(t.Survey.StartPolarizability, eta) << c.name;
    EXPECT_EQ(t.Chart->Bounds.Right, 4) << c.name;
    EXPECT_EQ(t.Chart->Bounds.Bottom, t.Survey.Levels.back()) << c.name;

    // From the menu a refused entry changes nothing.
    t.Messages.clear();
    t.Survey.ConstructStartModel(false);
    ASSERT_EQ(t.Messages.size(), 1u) << c.name;
    EXPECT_NE(t.Messages[0].find("The model is left as it was."), std::string::npos);
    EXPECT_EQ(t.Chart->BoundsKeepFlags.size(), 1u) << c.name;
    EXPECT_EQ(t.Survey.StartResistivity, rho) << c.name;
  }
}

}  // namespace

}  // namespace SurveyStartModelTests
