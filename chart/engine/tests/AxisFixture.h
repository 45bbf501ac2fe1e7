#pragma once
// A chart stand-in for axis tests: fixed series extremes and chart rectangle.
#include "chart/engine/PlotEngine.h"

class FakeAxisChart : public TAxisChart {
public:
  void Invalidate() override { ++Invalidations; }
  bool IsLoading() const override { return Loading; }
  bool IsZoomedView() const override { return Zoomed; }
  void UndoZoom() override { Zoomed = false; }
  double AxisMinValue(const TChartAxis&) override { return DataMin; }
  double AxisMaxValue(const TChartAxis&) override { return DataMax; }
  bool AxisIsDateTime(const TChartAxis&) override { return DateTime; }
  bool AxisHasSeriesWithAtMost(const TChartAxis&, int32_t Count) override { return SeriesPoints <= Count; }
  TRect GetChartRect() const override { return Rect; }
  int32_t GetChartDepth() const override { return Depth; }
  int32_t GetChartHeight() const override { return Rect.Bottom - Rect.Top; }
  void AxisFreed(TChartAxis& Axis) override { Freed.push_back(&Axis); }
  TChartAxes& GetAxes() override { return Axes; }

  int Invalidations = 0;
  bool Loading = false, Zoomed = false, DateTime = false;
  double DataMin = 0, DataMax = 100;
  int32_t SeriesPoints = 1000000;
  TRect Rect{0, 0, 1000, 1000};
  int32_t Depth = 100;
  std::vector<TChartAxis*> Freed;
  TChartAxes Axes;
};

// An axis owned by a fake chart, its ends set from the chart rectangle.
struct AxisOnChart {
  explicit AxisOnChart(bool Horizontal) : Axis(new TChartAxis(nullptr, &Chart, Horizontal)) {}
  ~AxisOnChart() { Chart.Axes.Clear(); }
  // Fits the range to data Min..Max and lays the axis out.
  void Fit(double Min, double Max) {
    Chart.DataMin = Min;
    Chart.DataMax = Max;
    Axis->SetAxisPositions();
    Axis->CalcAxisRange();
  }
  FakeAxisChart Chart;
  TChartAxis* Axis;
};
