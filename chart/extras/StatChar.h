#pragma once
// Statistical chart functions and series: moving averages (plain, weighted,
// exponential), momentum and its ratio, performance and the stochastic
// oscillator; standard deviation, root mean square and variance; the
// crossing points of two series and the convex perimeter of one; and the
// histogram series, whose bars touch so that their outline is a step line.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/series/Series.h"

// The moving functions of this unit: a Period that rounds below one point
// (copied from another function, say) makes no windows and so no points.
class TStatMovingFunction : public TPlotMovingFunction {
  KV_CLASS(TStatMovingFunction, TPlotMovingFunction)
public:
  using TPlotMovingFunction::TPlotMovingFunction;
  void CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList) override;
  // The values read: the list TPlotFunction::ValueList names.
  double ValueAt(TChartSeries* Source, int32_t Index) const { return ValueList(Source)->GetValue(Index); }
  // First = -1 means the whole source.
  static void WholeRange(TChartSeries* Source, int32_t& First, int32_t& Last);
};

class TMovingAverageFunction : public TStatMovingFunction {
  KV_CLASS(TMovingAverageFunction, TStatMovingFunction)
public:
  using TStatMovingFunction::TStatMovingFunction;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TMovAveFuncEditor"; }
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  // Weighted: each point weighs its X value; WeightedIndex: 1, 2, ... n.
  bool GetWeighted() const { return FWeighted; }
  void SetWeighted(bool Value);
  bool GetWeightedIndex() const { return FWeightedIndex; }
  void SetWeightedIndex(bool Value);

private:
  bool FWeighted = false;
  bool FWeightedIndex = false;
};

// E0 = y0, Ei = k yi + (1 - k) E(i-1) with k = 2 / (Period + 1): one point per
// source point.
class TExpMovAveFunction : public TPlotFunction {
  KV_CLASS(TExpMovAveFunction, TPlotFunction)
public:
  explicit TExpMovAveFunction(TComponent* Owner);
  void AddPoints(TChartSeries* Source) override;
  // The averages of Values with Period, one per value; none for fewer than
  // two values or a Period that is not above 0.
  static std::vector<double> Averages(const std::vector<double>& Values, double Period);
};

// The two-point average (1 - Weight) y(i-1) + Weight y(i) of the current and
// the previous source value (not of the previous average).
class TExpAverageFunction : public TStatMovingFunction {
  KV_CLASS(TExpAverageFunction, TStatMovingFunction)
public:
  using TStatMovingFunction::TStatMovingFunction;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TExpAveFuncEditor"; }
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double GetWeight() const { return FWeight; }
  // ChartException outside 0..1; the old weight stays.
  void SetWeight(double Value);

private:
  double FWeight = 0.2;
};

// y(Last) - y(First): 0 with the default Period 1.
class TMomentumFunction : public TStatMovingFunction {
  KV_CLASS(TMomentumFunction, TStatMovingFunction)
public:
  using TStatMovingFunction::TStatMovingFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
};

// y(Last) * 100 / y(First), 0 for y(First) = 0: 100 with the default Period 1.
class TMomentumDivFunction : public TStatMovingFunction {
  KV_CLASS(TMomentumDivFunction, TStatMovingFunction)
public:
  using TStatMovingFunction::TStatMovingFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
};

// (y(Last) - y(0)) * 100 / y(0): always against the source's first point.
class TPerformanceFunction : public TStatMovingFunction {
  KV_CLASS(TPerformanceFunction, TStatMovingFunction)
public:
  using TStatMovingFunction::TStatMovingFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
};

// %K = (C - lowest Low) / (highest High - lowest Low) * 100 over the window;
// a source without "Low" / "High" lists uses its own values.
class TStochasticFunction : public TStatMovingFunction {
  KV_CLASS(TStochasticFunction, TStatMovingFunction)
public:
  explicit TStochasticFunction(TComponent* Owner);
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
};

// ---- dispersion ----

// Standard deviation: the sample formula (divide by N - 1) unless Complete.
class TStdDeviationFunction : public TPlotFunction {
  KV_CLASS(TStdDeviationFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TRMSFuncEditor"; }
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
  bool GetComplete() const { return FComplete; }
  void SetComplete(bool Value);

protected:
  // The statistic from the count, the sum and the sum of squares.
  virtual double Result(int32_t N, double Sum, double SumSquares) const;
  bool FComplete = false;
};

// Root mean square sqrt(sum y^2 / N) of one point or more. Complete is kept
// (the parameter form shows it) but only the deviation reads it.
class TRMSFunction : public TStdDeviationFunction {
  KV_CLASS(TRMSFunction, TStdDeviationFunction)
public:
  using TStdDeviationFunction::TStdDeviationFunction;

protected:
  double Result(int32_t N, double Sum, double SumSquares) const override;
};

// Population variance: the mean square deviation dividing by N, beside the
// deviation's sample default. Reads each source's mandatory list.
class TVarianceFunction : public TPlotFunction {
  KV_CLASS(TVarianceFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  // Sources too short for Index are skipped.
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

// The points where the polylines of the first two data sources cross.
class TCrossPointsFunction : public TPlotFunction {
  KV_CLASS(TCrossPointsFunction, TPlotFunction)
public:
  explicit TCrossPointsFunction(TComponent* Owner);
  std::string EditorFormName() const override { return {}; }
  void AddPoints(TChartSeries* Source) override;
};

// The convex outline of the source's points, closed by its first point.
class TPerimeterFunction : public TPlotFunction {
  KV_CLASS(TPerimeterFunction, TPlotFunction)
public:
  explicit TPerimeterFunction(TComponent* Owner);
  void AddPoints(TChartSeries* Source) override;
};

// ---- histogram series ----

// Touching bars, one per point: each bar starts where the previous one ended.
class THistogramSeries : public TCustomLineSeries {
  KV_CLASS(THistogramSeries, TCustomLineSeries)
public:
  explicit THistogramSeries(TComponent* Owner);
  ~THistogramSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "THistogramSeriesEditor"; }
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void FindVisibleRange() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoint(int32_t Index) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  // The bar of point Index. Call it for consecutive points in drawing order:
  // each bar's leading edge is the previous bar's trailing edge.
  virtual void CalcBarBounds(int32_t Index, TRect& Rect);
  // Half the width of a bar: (axis length div points per page) div 2.
  int32_t HalfWidth() const;

  TChartPen* LinesPen() const { return FLinesPen.get(); }
  void SetLinesPen(const TChartPen* Value) { FLinesPen->Assign(Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value);

protected:
  // The axis the bars stand along and the one their heights are measured on.
  virtual bool Vertical() const { return true; }
  TChartAxis* AlongAxis() const { return Vertical() ? GetHorizAxisRef() : GetVertAxisRef(); }
  bool IsLastDisplayed(int32_t Index) const;
  int32_t PreviousDisplayed(int32_t Index) const;
  TCanvas3D& ChartCanvas() const;
  bool Chart3D() const { return FParentChart && FParentChart->GetView3D(); }
  int32_t FEdge = 0;  // the trailing edge of the last bar laid out

private:
  void DrawOutline(TCanvas3D& C, int32_t Index, const TRect& R);
  void DrawDivider(TCanvas3D& C, int32_t Index, const TRect& R);
  std::unique_ptr<TChartHiddenPen> FLinesPen;
  TPlotTransparency FTransparency = 0;
};

class THorizHistogramSeries : public THistogramSeries {
  KV_CLASS(THorizHistogramSeries, THistogramSeries)
public:
  explicit THorizHistogramSeries(TComponent* Owner);
  void CalcBarBounds(int32_t Index, TRect& Rect) override;

protected:
  bool Vertical() const override { return false; }
};

// ---- financial indicators drawing more than one line ----

class TVolumeSeries;

// Moving average convergence / divergence: the short minus the long
// exponential average in the result series, its exponential average (the
// signal line) and the gap between the two (a histogram) in series the
// function owns.
class TMACDFunction : public TPlotMovingFunction {
  KV_CLASS(TMACDFunction, TPlotMovingFunction)
public:
  explicit TMACDFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TMACDFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  void Clear() override;

  double GetPeriod2() const { return FPeriod2; }
  // Raised to 1 when below.
  void SetPeriod2(double Value);
  int32_t GetPeriod3() const;
  // Refills the signal line at once.
  void SetPeriod3(int32_t Value);
  // The result series' pen; null without a result series.
  TChartPen* MACDPen() const;
  TChartPen* MACDExpPen() const;
  TChartPen* HistogramPen() const;
  TFastLineSeries* SignalLine() const { return FSignal; }
  TVolumeSeries* Histogram() const { return FHistogram; }

private:
  double FPeriod2 = 12;
  TFastLineSeries* FSignal = nullptr;  // owned by the function
  TVolumeSeries* FHistogram = nullptr;
};

// Bollinger bands: the moving average plus and minus Deviation standard
// deviations of the window, the upper band in the result series and the
// lower band in a line the function owns.
class TBollingerFunction : public TPlotFunction {
  KV_CLASS(TBollingerFunction, TPlotFunction)
public:
  explicit TBollingerFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TBollingerFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  void Clear() override;

  double GetDeviation() const { return FDeviation; }
  void SetDeviation(double Value);
  bool GetExponential() const { return FExponential; }
  void SetExponential(bool Value);
  TChartPen* UpperBandPen() const;
  TChartPen* LowBandPen() const;
  TFastLineSeries* LowBand() const { return FLowBand; }

private:
  void AddBand(TChartSeries* Source, TChartSeries* Target, double Factor);
  double FDeviation = 2;
  bool FExponential = true;
  TFastLineSeries* FLowBand = nullptr;  // owned by the function
};

namespace StatChar {
// Registers the unit's functions (pages "Financial" and "Extended") and the
// two histogram series (page "Stats"); Finalize removes them again.
void Initialize();
void Finalize();
}  // namespace StatChar
