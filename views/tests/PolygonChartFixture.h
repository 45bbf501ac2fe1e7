#pragma once
// Drives a polygon model editor through its mouse handlers at pixel positions. Two
// drivers: a drawing-free view that maps a 1000 x 400 pixel plot onto the bounds, and
// the real chart rendered at a known size (PolygonChartTests.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "views/PolygonChartEditor.h"

namespace PolygonChartTest {

class TEditorDriver {
 public:
  virtual ~TEditorDriver() = default;
  virtual TPolygonModelEditor& Ed() = 0;
  // Pixel of a model point, and a mouse move there.
  virtual TPoint PixelOf(double X, double Z) = 0;
  virtual void MovePixel(int32_t PX, int32_t PY) = 0;
  virtual void Press(TMouseButton Button) = 0;
  // The answer to "Correct polygon?".
  bool ConfirmAnswer = true;
  int32_t Questions = 0;

  void MoveTo(double X, double Z) {
    const TPoint p = PixelOf(X, Z);
    MovePixel(p.X, p.Y);
  }
  void Left(double X, double Z) {
    MoveTo(X, Z);
    Press(TMouseButton::mbLeft);
  }
  void Right(double X, double Z) {
    MoveTo(X, Z);
    Press(TMouseButton::mbRight);
  }
};

// A view that keeps its shapes in plain lists.
class TFakePolygonView : public TPolygonModelEditor {
 public:
  struct TShape {
    int32_t Id = 0;
    arofcomplexM Points;
    TColor Color = 0, PenColor = 0;
    std::string Text;
  };
  std::vector<TShape> Shapes;
  int32_t NextId = 0;
  arofcomplexM ReliefLine;
  TEditorDriver* Driver = nullptr;
  static constexpr int32_t PlotLeft = 40, PlotTop = 20, PlotWidth = 1000, PlotHeight = 400;

  void ShapesClear() override { Shapes.clear(); }
  int32_t ShapesAdd(const arofcomplexM& Points) override {
    Shapes.push_back({NextId++, Points, 0, 0, {}});
    return static_cast<int32_t>(Shapes.size()) - 1;
  }
  int32_t ShapeCount() const override { return static_cast<int32_t>(Shapes.size()); }
  int32_t ShapeIdAt(int32_t S) const override { return Shapes[static_cast<size_t>(S)].Id; }
  void ShapeSetPoints(int32_t S, const arofcomplexM& Points) override { Shapes[static_cast<size_t>(S)].Points = Points; }
  void ShapeApplyStyle(int32_t S, const Polygon& P, const std::string* Text) override {
    TShape& s = Shapes[static_cast<size_t>(S)];
    s.Color = P.Props[Polygons::PropColor].AsInt();
    s.PenColor = clGray;
    if (Text) s.Text = *Text;
  }
  void ShapeReadStyle(int32_t S, TColor& Color, std::string& BrushText, std::string& PenText,
                      std::string& GradientText, std::string& Text) const override {
    const TShape& s = Shapes[static_cast<size_t>(S)];
    Color = s.Color;
    BrushText = "536870912#1";
    PenText = "8421504&0&0&1&0&4&1";
    GradientText = "50$0$0$65535$16711680$0$255$0";
    Text = s.Text;
  }
  TColor ShapePenColor(int32_t S) const override { return Shapes[static_cast<size_t>(S)].PenColor; }
  void ShapeSetPenColor(int32_t S, TColor C) override { Shapes[static_cast<size_t>(S)].PenColor = C; }
  void ShapesSwap(int32_t A, int32_t B) override { std::swap(Shapes[static_cast<size_t>(A)], Shapes[static_cast<size_t>(B)]); }
  void ShowRelief(const arofcomplexM& Points, double) override { ReliefLine = Points; }
  void ShowFeedback() override {}
  void ApplyBoundsToAxes() override { UpdateAxisScales(); }
  void UpdateAxisScales() override {
    PixelsPerX = PlotWidth / (XMax - XMin);
    PixelsPerZ = PlotHeight / (ZMax - ZMin);
  }
  bool ConfirmSubPolygon() override {
    ++Driver->Questions;
    return Driver->ConfirmAnswer;
  }
};

class TFakeDriver : public TEditorDriver {
 public:
  TFakeDriver() { View.Driver = this; }
  TPolygonModelEditor& Ed() override { return View; }
  TPoint PixelOf(double X, double Z) override {
    return {static_cast<int32_t>(std::lround(View.PlotLeft + (X - View.XMin) * View.PixelsPerX)),
            static_cast<int32_t>(std::lround(View.PlotTop + (Z - View.ZMin) * View.PixelsPerZ))};
  }
  void MovePixel(int32_t PX, int32_t PY) override {
    View.CursorMoved(PX, PY, View.XMin + (PX - View.PlotLeft) / View.PixelsPerX,
                     View.ZMin + (PY - View.PlotTop) / View.PixelsPerZ, true);
  }
  void Press(TMouseButton Button) override { View.ButtonPressed(Button); }
  TFakePolygonView View;
};

using TDriverFactory = std::function<std::unique_ptr<TEditorDriver>()>;

}  // namespace PolygonChartTest
