#pragma once
// A white bitmap with a GDI drawing interface attached to it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/engine/PlotCanvas.h"

// Records every polygon with the brush colour it was filled with.
class RecordingCanvas : public TPlotCanvas3D {
public:
  void Polygon(std::span<const TPoint> Points) override {
    Polys.emplace_back(Points.begin(), Points.end());
    Colors.push_back(Brush->GetColor());
    TPlotCanvas3D::Polygon(Points);
  }
  struct TextRecord {
    int32_t X, Y;
    std::string Text;
    int32_t Size;
    TFontStyles Style;
    TColor Color;
    std::string Name;
  };
  void TextOut(int32_t X, int32_t Y, const std::string& Text) override {
    Texts.push_back({X, Y, Text, Font->GetSize(), Font->GetStyle(), Font->GetColor(), Font->GetName()});
    TPlotCanvas3D::TextOut(X, Y, Text);
  }
  void ClearRecord() {
    Polys.clear();
    Colors.clear();
    Texts.clear();
  }
  std::vector<TextRecord> Texts;
  std::vector<std::vector<TPoint>> Polys;
  std::vector<TColor> Colors;
};

class CanvasFixture : public ::testing::Test {
protected:
  void SetUp() override { Reset(); }
  void TearDown() override { ResetClipStack(); }

  void Reset(int32_t W = 100, int32_t H = 100) {
    Bitmap = std::make_unique<TBitmap>(W, H);
    Canvas = std::make_unique<RecordingCanvas>();
    Canvas->SetBuffered(false);
    Canvas->AttachCanvas(Bitmap->GetCanvas());
    Canvas->ViewBounds = TRect(0, 0, W, H);
    Canvas->ResetState();
    Clear(clWhite);
  }

  void Clear(TColor Color) {
    Canvas->Brush->SetColor(Color);
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->FillRect(TRect(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()));
  }

  TColor Px(int32_t X, int32_t Y) const { return Bitmap->GetPixelColor(X, Y) & 0xFFFFFF; }

  // Number of pixels differing from Color.
  int CountNot(TColor Color) const {
    int n = 0;
    for (int y = 0; y < Bitmap->GetHeight(); ++y)
      for (int x = 0; x < Bitmap->GetWidth(); ++x) n += Px(x, y) != Color;
    return n;
  }

  // Bounding box of the pixels differing from Color (empty when none).
  TRect InkBounds(TColor Color = clWhite) const {
    TRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int y = 0; y < Bitmap->GetHeight(); ++y)
      for (int x = 0; x < Bitmap->GetWidth(); ++x)
        if (Px(x, y) != Color) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r.Left == INT32_MAX ? TRect() : r;
  }

  // Starts a 3-D picture on the bitmap with the given options (not buffered).
  void View3D(TView3DOptions& Options, int32_t Depth = 0) {
    const TRect r(0, 0, Bitmap->GetWidth(), Bitmap->GetHeight());
    Canvas->BeginView(Bitmap->GetCanvas(), &Options, clWhite, true, r);
    Canvas->SetViewCenter(Depth, r);
  }

  static bool SamePixels(const TBitmap& A, const TBitmap& B) {
    if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return false;
    for (int y = 0; y < A.GetHeight(); ++y)
      for (int x = 0; x < A.GetWidth(); ++x)
        if ((A.GetPixelColor(x, y) & 0xFFFFFF) != (B.GetPixelColor(x, y) & 0xFFFFFF)) return false;
    return true;
  }

  std::unique_ptr<TBitmap> Bitmap;
  std::unique_ptr<RecordingCanvas> Canvas;
};
