#pragma once
// A recording 3-D canvas for the grid series' pictures: it logs the quads,
// planes, lines, pixels and solids a series draws, with the pen and brush
// colours of the moment, draws nothing and projects a 3-D point onto its own
// (x, y). A chart whose series can be handed that canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/series/tests/SeriesChartFixture.h"

struct TCanvasCall {
  std::string Kind;           // "Quad3D", "QuadAtDepth", "Polygon", "Line", "VertLine", "Pixel", "MoveTo",
                              // "LineTo", "Polyline", "Box", "Rect", "HorizPlane", "RoundSolid", "Cone",
                              // "Pyramid", "Arrow"
  std::vector<TPoint> P;      // the 2-D points in the order given
  std::vector<int32_t> Z;     // depths (and further integers: sides, widths)
  TColor Brush = 0, Pen = 0;  // canvas colours at the call
  TBrushStyle BrushStyle = bsSolid;
  TPenStyle PenStyle = psSolid;
};

class TLogCanvas : public TPlotCanvas3D {
public:
  TLogCanvas() {
    AttachCanvas(Bitmap.GetCanvas());
    ResetState();
  }
  std::vector<TCanvasCall> Calls;
  bool True3D = false;
  std::vector<std::string> Cells;  // the surface cells a true-3D canvas was given

  std::vector<TCanvasCall> Of(const std::string& Kind) const {
    std::vector<TCanvasCall> r;
    for (const TCanvasCall& c : Calls)
      if (c.Kind == Kind) r.push_back(c);
    return r;
  }
  void Log(const std::string& Kind, std::vector<TPoint> P, std::vector<int32_t> Z) {
    Calls.push_back({Kind, std::move(P), std::move(Z), Brush->GetColor(), Pen->GetColor(), Brush->GetStyle(),
                     Pen->GetStyle()});
  }

  bool IsTrue3D() override { return True3D; }
  TPoint Project(int32_t X, int32_t Y, int32_t) override { return TPoint(X, Y); }
  void Quad3D(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z0, int32_t Z1) override {
    Log("Quad3D", {P0, P1, P2, P3}, {Z0, Z1});
  }
  void QuadAtDepth(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z) override {
    Log("QuadAtDepth", {P0, P1, P2, P3}, {Z});
  }
  void Polygon(std::span<const TPoint> P) override { Log("Polygon", {P.begin(), P.end()}, {}); }
  void Polyline(std::span<const TPoint> P) override { Log("Polyline", {P.begin(), P.end()}, {}); }
  void LineAtDepth(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z) override {
    Log("Line", {TPoint(X0, Y0), TPoint(X1, Y1)}, {Z});
  }
  void VertLine3D(int32_t X, int32_t Y0, int32_t Y1, int32_t Z) override {
    Log("VertLine", {TPoint(X, Y0), TPoint(X, Y1)}, {Z});
  }
  void SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Color) override {
    Log("Pixel", {TPoint(X, Y)}, {Z, Color});
  }
  void MoveTo3D(int32_t X, int32_t Y, int32_t Z) override { Log("MoveTo", {TPoint(X, Y)}, {Z}); }
  void LineTo3D(int32_t X, int32_t Y, int32_t Z) override { Log("LineTo", {TPoint(X, Y)}, {Z}); }
  void Box(int32_t L, int32_t R, int32_t T, int32_t B, int32_t Z0, int32_t Z1, bool Dark) override {
    Log("Box", {TPoint(L, T), TPoint(R, B)}, {Z0, Z1, Dark});
  }
  void RectAtDepth(const TRect& R, int32_t Z) override {
    Log("Rect", {TPoint(R.Left, R.Top), TPoint(R.Right, R.Bottom)}, {Z});
  }
  void HorizPlane(int32_t X0, int32_t Y, int32_t X1, int32_t Z0, int32_t Z1) override {
    Log("HorizPlane", {TPoint(X0, Y), TPoint(X1, Y)}, {Z0, Z1});
  }
  void RoundSolid(bool, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool Dark) override {
    Log("RoundSolid", {TPoint(L, T), TPoint(R, B)}, {Z0, Z1, Dark, PlotCanvas::SolidSides});
  }
  void RoundSolidTop(bool, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool Dark,
                     int32_t Top) override {
    Log("Cone", {TPoint(L, T), TPoint(R, B)}, {Z0, Z1, Dark, Top});
  }
  void Pyramid(bool, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool Dark) override {
    Log("Pyramid", {TPoint(L, T), TPoint(R, B)}, {Z0, Z1, Dark});
  }
  void Arrow(bool, TPoint F, TPoint T, int32_t W, int32_t L, int32_t Z, double) override {
    Log("Arrow", {F, T}, {W, L, Z});
  }
  void SurfaceCells(int32_t Style, bool SameBrush, int32_t NumX, int32_t NumZ,
                    const TCellPointsEvent& CellPoints) override {
    Cells.push_back("style " + std::to_string(Style) + (SameBrush ? " single" : " colours"));
    for (int32_t z = 1; z <= NumZ; ++z)
      for (int32_t x = 1; x <= NumX; ++x) {
        TPoint3D p0, p1, p2, p3;
        TColor c0 = clNone, c1 = clNone;
        if (CellPoints(x, z, p0, p1, p2, p3, c0, c1))
          Cells.push_back(std::to_string(x) + "," + std::to_string(z) + ": " + std::to_string(p0.X) + " " +
                          std::to_string(p1.X) + " " + std::to_string(c0) + " " + std::to_string(c1));
      }
  }

private:
  TBitmap Bitmap{8, 8};
};

// A chart (with walls) whose series draw on a log canvas when one is set.
class TLogChart : public TChart {
public:
  using TChart::TChart;
  TCanvas3D* GetCanvas() override { return Override ? Override : Canvas(); }
  TCanvas3D* Override = nullptr;
};

// A 3-D chart drawn once into the bitmap (axes, depth axis and projection
// set up), after which a series can draw again onto the log canvas.
class LogChartTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    Owner->Free();
    Owner = new TComponent(nullptr);
    LogChart = Create<TLogChart>(Owner);
    Chart = LogChart;
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(true);
    for (TChartAxis* a : {Chart->BottomAxis(), Chart->LeftAxis(), Chart->TopAxis(), Chart->RightAxis()})
      a->Grid()->SetVisible(false);
    Fix(0, 10, 0, 10);
  }
  // Draws the chart, then the series' points again onto a fresh log.
  void Record(TChartSeries* S) {
    LogChart->Override = nullptr;
    Draw();
    Log.Calls.clear();
    Log.Cells.clear();
    LogChart->Override = &Log;
    S->DrawPoints();
    LogChart->Override = nullptr;
  }
  int32_t Depth(double Z) const { return Chart->DepthAxis()->ValueToPixel(Z); }
  TLogChart* LogChart = nullptr;
  TLogCanvas Log;
};
