#pragma once
// A chart for tool tests: a full chart (so that mouse events run through its
// own handlers) without legend and title, white, 2-D, grids hidden and the
// axes fixed to 0..10. Its window is a bitmap: between paints the tools draw
// their inverted lines into it.
#include <gtest/gtest.h>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

class ToolChartTest : public ::testing::Test {
protected:
  static constexpr int32_t W = 400, H = 250;
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
    Chart->Legend()->SetVisible(false);
    Chart->Title()->SetVisible(false);
    Chart->SetAllowZoom(false);
    Chart->AllowPanning = TPanningMode::pmNone;
    for (TChartAxis* a : {Chart->BottomAxis(), Chart->LeftAxis(), Chart->TopAxis(), Chart->RightAxis()})
      a->Grid()->SetVisible(false);
    Fix(0, 10, 0, 10);
    Chart->WindowCanvas = Window.GetCanvas();
    Draw();
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
  template <class T>
  T* AddTool() {
    auto* t = Create<T>(Owner);
    t->SetParentChart(Chart);
    return t;
  }
  // Paints the chart into its window bitmap.
  void Draw() { Chart->DrawTo(*Window.GetCanvas(), TRect(0, 0, W, H)); }
  void Down(int32_t X, int32_t Y, TMouseButton B = TMouseButton::mbLeft, TShiftState S = {}) {
    Chart->MouseDown(B, S, X, Y);
  }
  void Move(int32_t X, int32_t Y, TShiftState S = {}) { Chart->MouseMove(S, X, Y); }
  void Up(int32_t X, int32_t Y, TMouseButton B = TMouseButton::mbLeft, TShiftState S = {}) {
    Chart->MouseUp(B, S, X, Y);
  }
  TColor Px(int32_t X, int32_t Y) const { return Window.GetPixelColor(X, Y) & 0xFFFFFF; }
  int32_t XPix(double V) const { return Chart->BottomAxis()->ValueToPixel(V); }
  int32_t YPix(double V) const { return Chart->LeftAxis()->ValueToPixel(V); }
  double XVal(int32_t P) const { return Chart->BottomAxis()->CalcPosPoint(P); }
  double YVal(int32_t P) const { return Chart->LeftAxis()->CalcPosPoint(P); }
  // A copy of the window picture.
  std::vector<TColor> Picture() const {
    std::vector<TColor> p;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) p.push_back(Px(x, y));
    return p;
  }
  // Number of pixels of a colour in a column or a row of the window.
  int32_t CountInColumn(int32_t X, TColor C, int32_t Y0 = 0, int32_t Y1 = H) const {
    int32_t n = 0;
    for (int32_t y = Y0; y < Y1; ++y) n += Px(X, y) == C;
    return n;
  }
  int32_t CountInRow(int32_t Y, TColor C, int32_t X0 = 0, int32_t X1 = W) const {
    int32_t n = 0;
    for (int32_t x = X0; x < X1; ++x) n += Px(x, Y) == C;
    return n;
  }

  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TBitmap Window{W, H};
};
