#pragma once
// Helpers for pixel tests: a white bitmap with its canvas and ways to look at it.

#include "platform/gdi/Graphics.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class PictureTest : public ::testing::Test {
protected:
  void SetUp() override { Reset(40, 40); }

  void Reset(int w, int h) {
    bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    c = bmp->GetCanvas();
    c->Brush->SetColor(clWhite);
    c->FillRect(Rect(0, 0, w, h));
  }
  TDeviceContext* dc() { return c->GetHandle(); }

  TColor At(int x, int y) const { return bmp->GetPixelColor(x, y); }

  // The box around every pixel that differs from Background (empty when none).
  TRect Bounds(TColor Background = clWhite) const { return BoundsWhere([&](TColor v) { return v != Background; }); }
  TRect BoundsOf(TColor Colour) const { return BoundsWhere([&](TColor v) { return v == Colour; }); }
  TRect BoundsWhere(const std::function<bool(TColor)>& pred) const {
    TRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    bool any = false;
    for (int y = 0; y < bmp->GetHeight(); ++y)
      for (int x = 0; x < bmp->GetWidth(); ++x)
        if (pred(At(x, y))) {
          any = true;
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return any ? r : TRect();
  }
  int Count(TColor Colour) const {
    int n = 0;
    for (int y = 0; y < bmp->GetHeight(); ++y)
      for (int x = 0; x < bmp->GetWidth(); ++x) n += At(x, y) == Colour;
    return n;
  }
  std::vector<TColor> Snapshot() const {
    std::vector<TColor> v;
    for (int y = 0; y < bmp->GetHeight(); ++y)
      for (int x = 0; x < bmp->GetWidth(); ++x) v.push_back(At(x, y));
    return v;
  }

  std::unique_ptr<TBitmap> bmp;
  TCanvas* c = nullptr;
};

inline std::ostream& operator<<(std::ostream& os, const TRect& r) {
  return os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}
