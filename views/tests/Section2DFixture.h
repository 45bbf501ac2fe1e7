#pragma once
// A cell-grid section of the program's default size with a grid an owner would fill.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotConst.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScriptedUserSeam.h"
#include "views/Section2D.h"

class Section2DTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    Owner = new TComponent(nullptr);
    View = Create<TTModelSection2d>(Owner);
  }
  void TearDown() override { Owner->Free(); }

  // Columns of width dx from 0 and rows of height dz from 0, every cell Value; the
  // topography (x, elevation) pairs when given. The extent reaches the grid's bottom
  // under the lowest surface point.
  void Fill(int32_t columns, int32_t rows, double value, const std::vector<complexM>& topography = {},
            double dx = 1, double dz = 1) {
    TTModelSection2d& v = *View;
    v.TopographyX.clear();
    v.TopographyZ.clear();
    for (const complexM& p : topography) {
      v.TopographyX.push_back(p.x);
      v.TopographyZ.push_back(p.z);
    }
    arofdoubleM xs, zs;
    for (int32_t i = 0; i <= columns; ++i) xs.push_back(i * dx);
    for (int32_t j = 0; j <= rows; ++j) zs.push_back(j * dz);
    v.FixedBorders.assign(xs.size(), 0);
    v.SetColumnBorders(static_cast<int32_t>(xs.size()), &xs);
    v.UpdateSurfaceOffsets();
    v.SetRowBorders(static_cast<int32_t>(zs.size()), &zs);
    v.MinX = 0;
    v.MaxX = columns * dx;
    v.MinZ = 0;
    v.MaxZ = rows * dz + v.MaxSurfaceOffset;
    v.Layers.assign(1, ararofdoubleM(columns, arofdoubleM(rows, value)));
    v.LayerOrder = {0};
    v.CurrentLayer = 0;
    v.Selected.assign(columns, arofboolM(rows, 0));
    v.FixedCells.assign(columns, arofboolM(rows, 0));
    v.CellBounds.assign(columns, arofcomplexM(rows, complexM{}));
    v.ExtentSeries->Clear();
    v.ExtentSeries->AppendPoint(v.MinX, v.MinZ);
    v.ExtentSeries->AppendPoint(v.MaxX, v.MaxZ);
    v.RedrawAll();
  }

  TBitmap& Picture() { return *View->PictureBitmap(); }
  TColor Pixel(int32_t x, int32_t y) { return Picture().GetPixelColor(x, y); }

  // The chart pixel of a model point.
  TPoint At(double x, double z) const { return {View->BottomAxis()->ValueToPixel(x), View->LeftAxis()->ValueToPixel(z)}; }
  // The chart pixel in the middle of cell (i, j) of a flat grid.
  TPoint CellPoint(int32_t i, int32_t j) const {
    const double x = (View->ColumnBorders[i] + View->ColumnBorders[i + 1]) / 2;
    const double s = (View->SurfaceOffsets[i] + View->SurfaceOffsets[i + 1]) / 2;
    return At(x, s + (View->RowBorders[j] + View->RowBorders[j + 1]) / 2);
  }

  void Move(TPoint p, TShiftState shift = {}) { View->MouseMove(shift, p.X, p.Y); }
  void Press(TPoint p, TMouseButton button, TShiftState shift) {
    Move(p, shift);
    View->MouseDown(button, shift, p.X, p.Y);
  }
  void Release(TPoint p, TMouseButton button, TShiftState shift = {}) { View->MouseUp(button, shift, p.X, p.Y); }

  std::unique_ptr<TBitmap> Paint() {
    auto bitmap = std::make_unique<TBitmap>(View->GetWidth(), View->GetHeight());
    View->DrawTo(*bitmap->GetCanvas(), TRect(0, 0, View->GetWidth(), View->GetHeight()));
    return bitmap;
  }

  // The invariants every operation keeps.
  void ExpectInvariants(const std::string& where) {
    const TTModelSection2d& v = *View;
    const size_t columns = static_cast<size_t>(v.LastColumn + 1), rows = static_cast<size_t>(v.LastRow + 1);
    EXPECT_EQ(v.ColumnBorders.size(), columns + 1) << where;
    EXPECT_EQ(v.FixedBorders.size(), columns + 1) << where;
    EXPECT_EQ(v.SurfaceOffsets.size(), columns + 1) << where;
    EXPECT_EQ(v.RowBorders.size(), rows + 1) << where;
    EXPECT_EQ(v.CellCount, static_cast<int32_t>(columns * rows)) << where;
    for (size_t k = 0; k + 1 < v.ColumnBorders.size(); ++k) EXPECT_LE(v.ColumnBorders[k], v.ColumnBorders[k + 1]) << where;
    for (size_t k = 0; k + 1 < v.RowBorders.size(); ++k) EXPECT_LE(v.RowBorders[k], v.RowBorders[k + 1]) << where;
    const auto grid = [&](const auto& g, const char* name) {
      ASSERT_EQ(g.size(), columns) << where << " " << name;
      for (const auto& c : g) ASSERT_EQ(c.size(), rows) << where << " " << name;
    };
    for (const ararofdoubleM& layer : v.Layers) grid(layer, "layer");
    grid(v.Selected, "Selected");
    grid(v.FixedCells, "FixedCells");
    grid(v.CellBounds, "CellBounds");
  }

  TComponent* Owner = nullptr;
  TTModelSection2d* View = nullptr;
};
