#pragma once
// The edit-mode tests run once per driver: the drawing-free view here and the
// rendered chart in PolygonChartTests.cpp instantiate the same suites.
#include "views/tests/PolygonChartFixture.h"

namespace PolygonChartTest {

class PolygonEditModes : public ::testing::TestWithParam<TDriverFactory> {
 protected:
  void SetUp() override;
  TPolygonModelEditor& Ed() { return Driver->Ed(); }
  void SetMode(int32_t Mode);
  // Draws a body in mode 0: left clicks, the last point with the right button.
  void DrawBody(const arofcomplexM& Points);
  int32_t NodeAt(double X, double Z) const;
  int32_t LiveSnapshots() const;

  static const arofcomplexM Square;       // (300..500) x (20..60)
  static const arofcomplexM RightSquare;  // (560..700) x (20..60)
  std::unique_ptr<TEditorDriver> Driver;
};

class PolygonEditNodeModes : public PolygonEditModes {
 protected:
  // The square divided at x = 400: nodes (400, 20) and (400, 60) are shared.
  void Divided();
};

}  // namespace PolygonChartTest
