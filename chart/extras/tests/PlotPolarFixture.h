#pragma once
// A chart for the circled series of this folder: a full chart drawn into a
// bitmap that is also its window, white, 2-D, without legend, title or frame.
// Pixel checks look at the colours of single pixels; Picture() compares whole
// drawings.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/ImageFiles.h"

class CircledChartTest : public ::testing::Test {
protected:
  static constexpr int32_t W = 320, H = 260;
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
    Chart->WindowCanvas = Bitmap.GetCanvas();
  }
  void TearDown() override { Owner->Free(); }
  template <class T>
  T* Add() {
    auto* s = Create<T>(Owner);
    Chart->AddSeries(s);
    return s;
  }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, W, H)); }
  TColor Px(int32_t X, int32_t Y) const { return Bitmap.GetPixelColor(X, Y) & 0xFFFFFF; }
  std::vector<TColor> Picture() const {
    std::vector<TColor> p;
    p.reserve(W * H);
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) p.push_back(Px(x, y));
    return p;
  }
  int32_t CountColour(TColor Colour) const {
    int32_t n = 0;
    for (TColor c : Picture()) n += c == Colour;
    return n;
  }
  // Whether Colour lies on the pixel (X, Y) or within Distance pixels of it.
  bool Near(int32_t X, int32_t Y, TColor Colour, int32_t Distance = 1) const {
    for (int32_t dy = -Distance; dy <= Distance; ++dy)
      for (int32_t dx = -Distance; dx <= Distance; ++dx)
        if (Px(X + dx, Y + dy) == Colour) return true;
    return false;
  }
  // Writes the chart as a chart file (text or binary form) and reads it into
  // a new chart; the series of the new chart are returned in order.
  std::vector<TChartSeries*> Reloaded(bool AsText) {
    Chart->SetName("Source");
    for (int32_t i = 0; i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i)->GetName().empty()) Chart->GetSeries(i)->SetName("Series" + std::to_string(i + 1));
    TMemoryStream s;
    PlotStore::WritePlotStream(Chart, s, true, AsText);
    s.SetPosition(0);
    TCustomChart* copy = Create<TChart>(Owner);
    copy->SetName("Copy" + std::to_string(++Copies));
    PlotStore::ReadPlotStream(copy, s, true, nullptr);
    std::vector<TChartSeries*> series;
    for (int32_t i = 0; i < copy->SeriesCount(); ++i) series.push_back(copy->GetSeries(i));
    return series;
  }
  // Writes the drawing as a PNG picture (for looking at by eye).
  void SavePng(const std::string& FileName) const {
    ImageFiles::TRawImage raw;
    raw.Width = W;
    raw.Height = H;
    for (TColor c : Picture())
      raw.Pixels.push_back(0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    ImageFiles::WriteFileBytes(FileName, ImageFiles::WritePng(raw));
  }

  TComponent* Owner = nullptr;
  int32_t Copies = 0;
  TChart* Chart = nullptr;
  TBitmap Bitmap{W, H};
};
