#pragma once
// Curve fitting (a least-squares polynomial through the source), straight
// and exponential trends, and the correlation coefficient of a series.
#include <cstdint>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/extras/PlotPoly.h"

enum class TTypeFitting : uint8_t { cfPolynomial };
using enum TTypeFitting;

class TCustomFittingFunction : public TPlotFunction {
  KV_CLASS(TCustomFittingFunction, TPlotFunction)
public:
  explicit TCustomFittingFunction(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void AddPoints(TChartSeries* Source) override;
  // Adds the curve over FirstPoint..LastPoint, Factor points per interval.
  virtual void AddFittedPoints(TChartSeries* Source);
  // The fitted polynomial at X (in source units).
  double GetCurveYValue(double X) const;

  // Number of terms 1..20 (degree PolyDegree - 1); ChartException outside.
  int32_t GetPolyDegree() const { return FPolyDegree; }
  void SetPolyDegree(int32_t Value);
  TTypeFitting GetTypeFitting() const { return FTypeFitting; }
  void SetTypeFitting(TTypeFitting Value);
  int32_t GetFirstCalcPoint() const { return FFirstCalcPoint; }
  void SetFirstCalcPoint(int32_t Value) { Change(FFirstCalcPoint, Value); }
  int32_t GetLastCalcPoint() const { return FLastCalcPoint; }
  void SetLastCalcPoint(int32_t Value) { Change(FLastCalcPoint, Value); }
  int32_t GetFirstPoint() const { return FFirstPoint; }
  void SetFirstPoint(int32_t Value) { Change(FFirstPoint, Value); }
  int32_t GetLastPoint() const { return FLastPoint; }
  void SetLastPoint(int32_t Value) { Change(FLastPoint, Value); }
  int32_t GetFactor() const { return FFactor; }
  void SetFactor(int32_t Value);

protected:
  void Change(int32_t& Field, int32_t Value);
  PlotPoly::TCoefficients FCoefficients{};
  double FMinX = 0, FMinY = 0;  // offsets of the last fit

private:
  int32_t FPolyDegree = 5;
  TTypeFitting FTypeFitting = cfPolynomial;
  int32_t FFirstCalcPoint = -1, FLastCalcPoint = -1;
  int32_t FFirstPoint = -1, FLastPoint = -1;
  int32_t FFactor = 1;
};

class TCurveFittingFunction : public TCustomFittingFunction {
  KV_CLASS(TCurveFittingFunction, TCustomFittingFunction)
public:
  using TCustomFittingFunction::TCustomFittingFunction;
};

enum class TTrendStyle : uint8_t { tsNormal, tsExponential };
using enum TTrendStyle;

// A least-squares line y = m x + b, or curve y = a e^(r x), per range.
class TCustomTrendFunction : public TPlotFunction {
  KV_CLASS(TCustomTrendFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  void CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double Position) override;
  void CalculateAllPoints(TChartSeries* Source, TChartValueList* ValueList) override;
  double Calculate(TChartSeries*, int32_t, int32_t) override { return 0; }
  double CalculateMany(const TDataSourcesList&, int32_t) override { return 0; }
  // The trend of a range: false when it has none (under two usable points,
  // or a straight trend over equal X values).
  bool CalculateTrend(TChartSeries* Source, int32_t First, int32_t Last, double& Slope, double& Intercept);

protected:
  // N and the sums of the range; an exponential trend leaves out y <= 0.
  void Accumulate(TChartSeries* Source, int32_t First, int32_t Last);
  TTrendStyle FStyle = tsNormal;
  int32_t FN = 0;
  double FSx = 0, FSy = 0, FSxy = 0, FSxx = 0, FSyy = 0;
};

class TTrendFunction : public TCustomTrendFunction {
  KV_CLASS(TTrendFunction, TCustomTrendFunction)
public:
  using TCustomTrendFunction::TCustomTrendFunction;
};

class TExpTrendFunction : public TCustomTrendFunction {
  KV_CLASS(TExpTrendFunction, TCustomTrendFunction)
public:
  explicit TExpTrendFunction(TComponent* Owner);
};

// Pearson's r of X and value; a range where r is undefined (under two
// points, no spread) adds no point.
class TCorrelationFunction : public TCustomTrendFunction {
  KV_CLASS(TCorrelationFunction, TCustomTrendFunction)
public:
  using TCustomTrendFunction::TCustomTrendFunction;
  void CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double Position) override;
  // r of the range; 0 where undefined.
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList&, int32_t) override { return 0; }
  bool Correlation(TChartSeries* Source, int32_t First, int32_t Last, double& R);
};

namespace CurvFitt {
// Registers the four functions on the gallery page "Extended"; Finalize
// removes them again.
void Initialize();
void Finalize();
}  // namespace CurvFitt
