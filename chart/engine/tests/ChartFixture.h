#pragma once
// A chart of the tests: a TChart laid out on an off-screen bitmap, with a
// series type of the tests' own that draws its points as squares joined by
// lines and answers clicks within 3 pixels of a point.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "platform/gdi/Graphics.h"

class TChartTestSeries : public TChartSeries {
  KV_CLASS(TChartTestSeries, TChartSeries)
public:
  explicit TChartTestSeries(TComponent* Owner) : TChartSeries(Owner) { DrawBetweenPoints = true; }
  void DrawPoint(int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
};

// A second type for class conversion; draws no lines.
class TChartTestPointSeries : public TChartTestSeries {
  KV_CLASS(TChartTestPointSeries, TChartTestSeries)
public:
  explicit TChartTestPointSeries(TComponent* Owner) : TChartTestSeries(Owner) { DrawBetweenPoints = false; }
};

// A series that draws without axes (as a pie does).
class TChartNoAxisSeries : public TChartTestSeries {
  KV_CLASS(TChartNoAxisSeries, TChartTestSeries)
public:
  using TChartTestSeries::TChartTestSeries;
  bool UseAxis() const override { return false; }
};

class ChartTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(400, 300);
    Chart->SetView3D(false);
  }
  void TearDown() override { Owner->Free(); }

  template <class T = TChartTestSeries>
  T* AddSeries(const std::string& Title, std::initializer_list<double> Ys) {
    auto* s = Create<T>(Owner);
    s->SetTitle(Title);
    Chart->AddSeries(s);
    double x = 0;
    for (double y : Ys) s->AppendPoint(x++, y);
    return s;
  }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 300)); }
  TColor Pixel(int32_t X, int32_t Y) { return Bitmap.GetCanvas()->GetPixel(X, Y); }
  // Text metrics of Font as the chart's canvas measures them while it paints.
  int32_t TextWidthIn(TPlotFont& Font, const std::string& Text) {
    int32_t w = 0;
    Chart->OnAfterDraw = [&](TObject*) {
      Chart->Canvas()->UseFont(Font);
      w = Chart->Canvas()->TextWidth(Text);
    };
    Draw();
    Chart->OnAfterDraw = nullptr;
    return w;
  }
  int32_t FontHeightOf(TPlotFont& Font) {
    int32_t h = 0;
    Chart->OnAfterDraw = [&](TObject*) {
      Chart->Canvas()->UseFont(Font);
      h = Chart->Canvas()->FontHeight();
    };
    Draw();
    Chart->OnAfterDraw = nullptr;
    return h;
  }
  // A scratch folder under /tmp for files the tests write.
  static std::string TempDir() {
    const std::filesystem::path p = std::filesystem::temp_directory_path() / "e2chart";
    std::filesystem::create_directories(p);
    return p.string();
  }

  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TBitmap Bitmap{400, 300};
};
