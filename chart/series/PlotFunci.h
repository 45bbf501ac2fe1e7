#pragma once
// The basic series functions: add, subtract, multiply, divide, high, low,
// average, median and mode of one or several source series, and a function
// that takes its values y = f(x) from an event.
#include <cstdint>
#include <functional>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"

class TAddPlotFunction : public TPlotFunction {
  KV_CLASS(TAddPlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

class TManySeriesPlotFunction : public TPlotFunction {
  KV_CLASS(TManySeriesPlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
  virtual double CombineValues(double Accumulated, double /*Value*/) const { return Accumulated * 0; }
};

class TSubtractPlotFunction : public TManySeriesPlotFunction {
  KV_CLASS(TSubtractPlotFunction, TManySeriesPlotFunction)
public:
  using TManySeriesPlotFunction::TManySeriesPlotFunction;
  double CombineValues(double Accumulated, double Value) const override { return Accumulated - Value; }
};

class TMultiplyPlotFunction : public TManySeriesPlotFunction {
  KV_CLASS(TMultiplyPlotFunction, TManySeriesPlotFunction)
public:
  using TManySeriesPlotFunction::TManySeriesPlotFunction;
  double CombineValues(double Accumulated, double Value) const override { return Accumulated * Value; }
};

class TDividePlotFunction : public TManySeriesPlotFunction {
  KV_CLASS(TDividePlotFunction, TManySeriesPlotFunction)
public:
  using TManySeriesPlotFunction::TManySeriesPlotFunction;
  // A zero divisor leaves the value as it was.
  double CombineValues(double Accumulated, double Value) const override {
    return Value == 0 ? Accumulated : Accumulated / Value;
  }
};

class THighPlotFunction : public TPlotFunction {
  KV_CLASS(THighPlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

class TLowPlotFunction : public TPlotFunction {
  KV_CLASS(TLowPlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

class TAveragePlotFunction : public TPlotFunction {
  KV_CLASS(TAveragePlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  std::string EditorFormName() const override { return "TAverageFuncEditor"; }
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
  bool GetIncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);

private:
  bool FIncludeNulls = true;
};

using TCalculateEvent = std::function<void(TObject* Sender, double X, double& Y)>;

class TCustomPlotFunction : public TPlotFunction {
  KV_CLASS(TCustomPlotFunction, TPlotFunction)
public:
  explicit TCustomPlotFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TCustomFunctionEditor"; }
  void CalculateWithoutSource() override;
  int32_t GetNumPoints() const { return FNumPoints; }
  void SetNumPoints(int32_t Value);
  double GetStartX() const { return FStartX; }
  void SetStartX(double Value);
  void SetOnCalculate(TCalculateEvent Value);
  const TCalculateEvent& GetOnCalculate() const { return FOnCalculate; }
  // The x of the point being calculated, while the handler runs.
  double X() const { return FX; }

private:
  TCalculateEvent FOnCalculate;
  int32_t FNumPoints = 100;
  double FStartX = 0;
  double FX = 0;
};

// Median and mode: the kept values of a range sorted once, then read.
class TCustomSortedFunction : public TPlotFunction {
  KV_CLASS(TCustomSortedFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
  bool GetIncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);
  // The result from the sorted, non-empty buffer.
  virtual double SortedResult(const std::vector<double>& Sorted) const;

private:
  double Result(std::vector<double>& Values) const;
  bool FIncludeNulls = true;
};

class TMedianPlotFunction : public TCustomSortedFunction {
  KV_CLASS(TMedianPlotFunction, TCustomSortedFunction)
public:
  using TCustomSortedFunction::TCustomSortedFunction;
  double SortedResult(const std::vector<double>& Sorted) const override;
};

class TModePlotFunction : public TCustomSortedFunction {
  KV_CLASS(TModePlotFunction, TCustomSortedFunction)
public:
  using TCustomSortedFunction::TCustomSortedFunction;
  double SortedResult(const std::vector<double>& Sorted) const override;
};

namespace PlotFunci {
// Registers the ten function types on the "Standard" gallery page (once).
void Initialization();
}  // namespace PlotFunci
