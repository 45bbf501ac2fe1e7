#pragma once
// Uniform cubic B-splines through 2-D control points, optionally passing
// through them, and the chart function that smooths a series with one.
#include <cstdint>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"

struct TBSplinePoint {
  double x = 0, y = 0;
};

// Control points are numbered 1..NoPoints. The vertices (0..NoVertices+1,
// with a phantom vertex at each end) are rebuilt only after a change.
class TBSpline {
public:
  TBSpline() { Reset(); }
  void Reset();
  void AddPoint(double X, double Y);
  TBSplinePoint GetPoint(int32_t Index) const;  // ChartException for a bad index
  void SetPoint(int32_t Index, TBSplinePoint Value);
  void SetKnuckle(int32_t Index, bool Value);
  // The first and the last point are never knuckles.
  bool IsKnuckle(int32_t Index) const;
  bool GetInterpolated() const { return FInterpolated; }
  void SetInterpolated(bool Value);
  int32_t GetFragments() const { return FFragments; }
  // At most 600 pieces.
  void SetFragments(int32_t Value);
  int32_t NoPoints() const { return FNoPoints; }
  int32_t Capacity() const { return static_cast<int32_t>(FPointList.size()); }
  bool Built() const { return FBuild; }
  int32_t NumVertices();
  // The curve point at parameter T in 0..1; (0, 0) with fewer than 2 points.
  TBSplinePoint Value(double T);

  static constexpr int32_t MaxFragments = 600;

private:
  void CheckIndex(int32_t Index) const;
  void Invalidate();
  void BuildVertices();
  void Interpolate();

  int32_t FNoPoints = 0;
  std::vector<TBSplinePoint> FPointList;  // index 0 unused
  std::vector<bool> FKnuckleList;
  int32_t FNoVertices = 0;
  std::vector<TBSplinePoint> FVertexList;
  bool FInterpolated = false;
  int32_t FFragments = 100;
  bool FBuild = false;
};

// Fills its series with a smooth curve through the source's points:
// (source count * Factor) pieces, at most 600.
class TSmoothingFunction : public TPlotFunction {
  KV_CLASS(TSmoothingFunction, TPlotFunction)
public:
  explicit TSmoothingFunction(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TSmoothFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;

  int32_t GetFactor() const { return FFactor; }
  void SetFactor(int32_t Value);
  bool GetInterpolate() const { return FInterpolate; }
  void SetInterpolate(bool Value);

private:
  int32_t FFactor = 4;
  bool FInterpolate = true;
};

namespace PlotSpline {
// Registers the smoothing function on the gallery page "Extended"; Finalize
// removes it again.
void Initialize();
void Finalize();
}  // namespace PlotSpline
