#pragma once
// A chart for series tests: a plain axis panel drawn into a bitmap, white,
// without grids, with fixed axis ranges so that pixels can be predicted
// through the axes' own value-to-pixel maps.
#include <gtest/gtest.h>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Graphics.h"

class SeriesChartTest : public ::testing::Test {
protected:
  static constexpr int32_t W = 300, H = 220;
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
    for (TChartAxis* a : {Chart->BottomAxis(), Chart->LeftAxis(), Chart->TopAxis(), Chart->RightAxis()})
      a->Grid()->SetVisible(false);
    Fix(0, 10, 0, 10);
  }
  void TearDown() override { Owner->Free(); }
  void Fix(double XMin, double XMax, double YMin, double YMax) {
    Chart->BottomAxis()->SetMinMax(XMin, XMax);
    Chart->TopAxis()->SetMinMax(XMin, XMax);
    Chart->LeftAxis()->SetMinMax(YMin, YMax);
    Chart->RightAxis()->SetMinMax(YMin, YMax);
  }
  template <class T>
  T* Add() {
    auto* s = Create<T>(Owner);
    Chart->AddSeries(s);
    return s;
  }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, W, H)); }
  TColor Px(int32_t X, int32_t Y) const { return Bitmap.GetPixelColor(X, Y) & 0xFFFFFF; }
  int32_t XPix(double V) const { return Chart->BottomAxis()->ValueToPixel(V); }
  int32_t YPix(double V) const { return Chart->LeftAxis()->ValueToPixel(V); }
  // The colour at the pixel of a data point.
  TColor At(double X, double Y) const { return Px(XPix(X), YPix(Y)); }
  // Whether a one-pixel line passes the pixel of a data point: that pixel or
  // one of its eight neighbours has the colour.
  bool Near(double X, double Y, TColor Colour) const {
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx)
        if (Px(XPix(X) + dx, YPix(Y) + dy) == Colour) return true;
    return false;
  }

  TComponent* Owner = nullptr;
  TCustomAxisPanel* Chart = nullptr;
  TBitmap Bitmap{W, H};
};
