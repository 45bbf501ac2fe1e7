#pragma once
// Down-sampling: reduces a large series to fewer points by Douglas-Peucker
// line simplification or by grouping points whose X values lie close.
#include <cstdint>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"

enum class TDownSampleMethod : uint8_t { dsDouglas, dsMax, dsMin, dsMinMax, dsAverage };
using enum TDownSampleMethod;

class TDownSamplingFunction : public TPlotFunction {
  KV_CLASS(TDownSamplingFunction, TPlotFunction)
public:
  explicit TDownSamplingFunction(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void AddPoints(TChartSeries* Source) override;

  TDownSampleMethod GetDownSampleMethod() const { return FMethod; }
  void SetDownSampleMethod(TDownSampleMethod Value);
  double GetTolerance() const { return FTolerance; }
  // Stored as at least 0.
  void SetTolerance(double Value);

private:
  TDownSampleMethod FMethod = dsDouglas;
  double FTolerance = 1.0;
};

namespace PlotDownSampling {

// The reduced points of (X[i], Y[i]), i < N, in source order.
struct TReduced {
  std::vector<double> X, Y;
};

// Douglas-Peucker: keeps the ends of every span and, recursively, the inner
// point farthest from the span's segment while that distance exceeds
// Tolerance. Answers the kept indices in ascending order.
std::vector<int32_t> DouglasPeucker(const double* X, const double* Y, int32_t N, double Tolerance);
// Reduces by Method: Douglas-Peucker, or groups of points whose X lies less
// than Tolerance after the group's first X (one point per group, two for
// dsMinMax: the smallest value at the first X, the largest at the last).
TReduced DownSample(TDownSampleMethod Method, double Tolerance, const double* X, const double* Y, int32_t N);

// Registers "Downsampling" on the page "Extended"; Finalize removes it.
void Initialize();
void Finalize();

}  // namespace PlotDownSampling
