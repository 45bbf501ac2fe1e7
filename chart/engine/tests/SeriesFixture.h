#pragma once
// A small chart for series tests: four axes over a fixed rectangle, a series
// list, a tool list, recorded series events and a plain refill of series
// from their sources.
#include <gtest/gtest.h>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"

// A series type of the tests: records the points it is asked to draw.
class TTestSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void DrawPoint(int32_t Index) override { Drawn.push_back(Index); }
  std::vector<int32_t> Drawn;
};

// A series type with one extra value list, as types with more values per point have.
class TTestSeries3 : public TTestSeries {
public:
  explicit TTestSeries3(TComponent* Owner) : TTestSeries(Owner) { Z = new TChartValueList(this, "Z"); }
  TChartValueList* Z;
};

// A function that sums the points of its window.
class TSumFunction : public TPlotFunction {
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override {
    if (First < 0) First = 0, Last = Source->Count() - 1;
    double s = 0;
    for (int32_t i = First; i <= Last; ++i) s += Source->MandatoryValue(i);
    return s;
  }
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override {
    double s = 0;
    for (auto* c : Sources.Items())
      if (auto* series = dynamic_cast<TChartSeries*>(c); series && Index < series->Count())
        s += series->MandatoryValue(Index);
    return s;
  }
};

class TSumMoving : public TPlotMovingFunction {
public:
  using TPlotMovingFunction::TPlotMovingFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override {
    double s = 0;
    for (int32_t i = First; i <= Last; ++i) s += Source->MandatoryValue(i);
    return s;
  }
};

class TTestTool : public TPlotCustomToolSeries {
public:
  using TPlotCustomToolSeries::TPlotCustomToolSeries;
};

class TTestAxisTool : public TPlotCustomToolAxis {
public:
  using TPlotCustomToolAxis::TPlotCustomToolAxis;
};

class FakeSeriesChart : public TSeriesChart {
public:
  FakeSeriesChart() : Component(new TComponent(nullptr)), List(Component) {
    // Each axis joins the chart's axes list itself: bottom, top, left, right.
    for (int i = 0; i < 4; ++i) new TChartAxis(nullptr, this, i < 2, i % 2 == 1);
    Layout();
  }
  ~FakeSeriesChart() override {
    while (List.Count() > 0) List.GetSeries(List.Count() - 1)->SetParentChart(nullptr);
    while (Tools.Count() > 0) Tools.ToolAt(Tools.Count() - 1)->SetParentChart(nullptr);
    Axes.Clear();
    Component->Free();
  }
  // Fits every axis to 0..100 (or the given ranges) over the chart rectangle.
  void Layout(double XMin = 0, double XMax = 100, double YMin = 0, double YMax = 100) {
    for (int i = 0; i < Axes.Count(); ++i) {
      TChartAxis* a = Axes.Items(i);
      a->SetAutomatic(false);
      if (a->GetHorizontal())
        a->SetMinMax(XMin, XMax);
      else
        a->SetMinMax(YMin, YMax);
      a->SetAxisPositions();
      a->CalcAxisRange();
    }
  }

  // ---- TAxisChart ----
  void Invalidate() override { ++Invalidations; }
  bool IsLoading() const override { return false; }
  bool IsZoomedView() const override { return false; }
  void UndoZoom() override {}
  double AxisMinValue(const TChartAxis& Axis) override { return Extreme(Axis, false); }
  double AxisMaxValue(const TChartAxis& Axis) override { return Extreme(Axis, true); }
  bool AxisIsDateTime(const TChartAxis&) override { return false; }
  bool AxisHasSeriesWithAtMost(const TChartAxis&, int32_t) override { return false; }
  TRect GetChartRect() const override { return Rect; }
  int32_t GetChartDepth() const override { return 0; }
  int32_t GetChartHeight() const override { return Rect.Bottom - Rect.Top; }
  void AxisFreed(TChartAxis& Axis) override {
    for (int32_t i = 0; i < List.Count(); ++i) List.GetSeries(i)->AxisFreed(&Axis);
    for (int32_t i = 0; i < Tools.Count(); ++i)
      if (auto* t = dynamic_cast<TPlotCustomToolAxis*>(Tools.ToolAt(i))) t->AxisFreed(&Axis);
    Axes.Remove(&Axis);
  }
  TChartAxes& GetAxes() override { return Axes; }

  // ---- TSeriesChart ----
  TComponent* ChartComponent() override { return Component; }
  bool GetAutoRepaint() const override { return AutoRepaint; }
  void SetAutoRepaint(bool Value) override { AutoRepaint = Value; }
  bool IsChartDestroying() const override { return false; }
  bool IsDesigning() const override { return false; }
  TChartSeriesList& GetSeriesList() override { return List; }
  void InternalAddSeries(TChartSeries* Series) override {
    if (List.IndexOf(Series) >= 0) return;
    Series->AddedToChart();
    List.Add(Series);
    BroadcastSeriesEvent(Series, 0);
  }
  void RemoveSeries(TChartSeries* Series) override {
    const int32_t i = List.IndexOf(Series);
    if (i < 0) return;
    BroadcastSeriesEvent(Series, 1);
    Series->RemovedFromChart();
    List.Delete(i);
  }
  void BroadcastSeriesEvent(TChartSeries* Series, int32_t Code) override { Events.push_back({Series, Code}); }
  TChartTools& GetTools() override { return Tools; }
  TColor GetDefaultColor(int32_t Index) override { return PlotProcs::GetDefaultColor(Index); }
  TColor FreeSeriesColor(bool, TChartSeries* Series) override {
    for (int32_t i = 0; i < 20; ++i) {
      const TColor c = GetDefaultColor(i);
      bool used = false;
      for (int32_t k = 0; k < List.Count(); ++k)
        if (List.GetSeries(k) != Series && List.GetSeries(k)->GetSeriesColor() == c) used = true;
      if (!used) return c;
    }
    return GetDefaultColor(19);
  }
  TColor GetPanelColor() const override { return clWhite; }
  void RefreshSeriesData(TChartSeries* Series) override {
    ++Refills;
    if (auto* src = dynamic_cast<TChartSeries*>(Series->GetDataSource())) {
      Series->AddValues(src);
    } else if (Series->GetFunction()) {
      Series->BeginUpdate();
      Series->Clear();
      Series->EndUpdate();
    }
  }
  bool IsValidDataSource(TChartSeries* Series, TComponent* Source) override {
    return Series->AcceptsDataSource(Source) || dynamic_cast<TPlotSeriesSource*>(Source);
  }
  void DataSourceRemoved(TChartSeries*, TComponent*) override {}
  void CheckCircularSource(TComponent* Component, TChartSeries* Series) override {
    PlotEngine::CheckCircularSource(Component, Series);
  }
  TChartAxis* GetTopAxis() const override { return Axes.Items(1); }
  TChartAxis* GetBottomAxis() const override { return Axes.Items(0); }
  TChartAxis* GetLeftAxis() const override { return Axes.Items(2); }
  TChartAxis* GetRightAxis() const override { return Axes.Items(3); }
  int32_t CustomAxisIndex(const TChartAxis*) const override { return -1; }
  TChartAxis* CustomAxisAt(int32_t) const override { return nullptr; }
  int32_t GetMaxZOrder() const override { return MaxZOrder; }
  void SetMaxZOrder(int32_t Value) override { MaxZOrder = Value; }
  int32_t GetSeriesWidth3D() const override { return SeriesWidth3D; }
  bool GetUseZOrder() const override { return UseZOrder; }
  bool GetView3D() const override { return View3D; }
  void SetView3D(bool Value) override { View3D = Value; }
  bool GetSeenFromBehind() const override { return SeenFromBehind; }
  int32_t GetPage() const override { return Page; }
  int32_t GetMaxPointsPerPage() const override { return MaxPointsPerPage; }
  TColor GetLegendBackColor() const override { return clWhite; }
  TChartPen* GetLegendSymbolPen() const override { return nullptr; }
  TCanvas3D* GetCanvas() override { return nullptr; }
  void SetBrushCanvas(TColor, TChartBrush*, TColor) override {}
  void DrawLegendSymbolRect(const TRect&) override {}
  TCursor GetChartCursor() const override { return Cursor; }
  void SetChartCursor(TCursor Value) override { Cursor = Value; }
  TCursor GetOriginalCursor() const override { return crDefault; }

  // The series' extremes on an axis, as the axis panel answers them.
  double Extreme(const TChartAxis& Axis, bool Max) {
    bool any = false;
    double r = 0;
    for (int32_t i = 0; i < List.Count(); ++i) {
      TChartSeries* s = List.GetSeries(i);
      if (!s->AssociatedToAxis(&Axis) || s->Count() == 0) continue;
      const double v = Axis.GetHorizontal() ? (Max ? s->LargestX() : s->SmallestX())
                                            : (Max ? s->LargestY() : s->SmallestY());
      if (!any || (Max ? v > r : v < r)) r = v;
      any = true;
    }
    return r;
  }

  struct Event {
    TChartSeries* Series;
    int32_t Code;
  };
  TComponent* Component;
  TChartSeriesList List;
  TChartTools Tools;
  TChartAxes Axes;
  std::vector<Event> Events;
  TRect Rect{0, 0, 1000, 500};
  int Invalidations = 0, Refills = 0;
  bool AutoRepaint = true, View3D = false, UseZOrder = false, SeenFromBehind = false;
  int32_t MaxZOrder = 0, SeriesWidth3D = 10, Page = 1, MaxPointsPerPage = 0;
  TCursor Cursor = crDefault;
};

class SeriesTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
  }
  void TearDown() override {
    Chart.reset();
    Owner->Free();
  }
  template <class T = TTestSeries>
  T* NewSeries(bool OnChart = true) {
    T* s = Create<T>(Owner);
    if (OnChart) s->SetParentChart(Chart.get());
    return s;
  }
  static std::vector<double> Xs(const TChartSeries& S) {
    std::vector<double> v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetXValue(i));
    return v;
  }
  static std::vector<double> Ys(const TChartSeries& S) {
    std::vector<double> v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetYValue(i));
    return v;
  }
  std::unique_ptr<FakeSeriesChart> Chart = std::make_unique<FakeSeriesChart>();
  TComponent* Owner = nullptr;
};

// A real axis panel of 400 x 300 pixels owned by a component that frees it.
class AxisPanelChartTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
    Chart->SetBounds(400, 300);
  }
  void TearDown() override { Owner->Free(); }
  TComponent* Owner = nullptr;
  TCustomAxisPanel* Chart = nullptr;
};
