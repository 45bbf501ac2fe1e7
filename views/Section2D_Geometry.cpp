// Column and row borders, the surface shift of the column borders, and the
// operations that set, redistribute, insert, remove and move borders.
#include <algorithm>

#include "views/Section2D.h"

namespace {

template <class Grid, class Value>
void InsertColumnCopy(Grid& grid, size_t at) {
  if (at == 0 || at > grid.size()) return;
  grid.insert(grid.begin() + static_cast<std::ptrdiff_t>(at), Value(grid[at - 1]));
}

template <class Grid>
void InsertRowCopy(Grid& grid, size_t at) {
  for (auto& column : grid)
    if (at > 0 && at <= column.size())
      column.insert(column.begin() + static_cast<std::ptrdiff_t>(at), column[at - 1]);
}

template <class Grid>
void EraseColumn(Grid& grid, size_t at) {
  if (at < grid.size()) grid.erase(grid.begin() + static_cast<std::ptrdiff_t>(at));
}

template <class Grid>
void EraseRow(Grid& grid, size_t at) {
  for (auto& column : grid)
    if (at < column.size()) column.erase(column.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

void TTModelSection2d::UpdateSurfaceOffsets() {
  SurfaceOffsets.assign(ColumnBorders.size(), 0.0);
  if (TopographyZ.empty()) {
    HasTopography = false;
  } else {
    HasTopography = true;
    Supermath2d::ResampleLinear(ColumnBorders, TopographyX, TopographyZ, SurfaceOffsets);
    const double m = Supermath2d::MaxOfArray(SurfaceOffsets, 0);
    for (double& s : SurfaceOffsets) s = m - s;
  }
  MaxSurfaceOffset = SurfaceOffsets.empty() ? 0.0 : *std::max_element(SurfaceOffsets.begin(), SurfaceOffsets.end());
}

void TTModelSection2d::SetColumnBorders(int32_t Count, const arofdoubleM* Source) {
  if (Source) {
    ColumnBorders = *Source;
  } else {
    ColumnBorders.resize(static_cast<size_t>(std::max(Count, 0)), 0.0);
    const int32_t last = static_cast<int32_t>(FixedBorders.size()) - 1;
    int32_t p = 0;
    for (int32_t k = 0; k <= last && k < static_cast<int32_t>(ColumnBorders.size()); ++k) {
      if (!(FixedBorders[k] || k == last)) continue;
      for (int32_t m = p + 1; m < k; ++m)
        ColumnBorders[m] = ColumnBorders[p] + (ColumnBorders[k] - ColumnBorders[p]) * (m - p) / (k - p);
      p = k;
    }
  }
  WidthX = MaxX - MinX;
  LastColumn = static_cast<int32_t>(ColumnBorders.size()) - 2;
  Fire(OnChangingGrid);
  CellCount = (LastColumn + 1) * (LastRow + 1);
}

void TTModelSection2d::SetRowBorders(int32_t Count, const arofdoubleM* Source) {
  if (Source) {
    RowBorders = *Source;
  } else {
    RowBorders.resize(static_cast<size_t>(std::max(Count, 0)), 0.0);
    for (int32_t g = 0; g < Count; ++g)
      RowBorders[g] = Count > 1 ? MinZ + g * (MaxZ - MinZ - MaxSurfaceOffset) / (Count - 1) : MinZ;
  }
  DepthZ = MaxZ - MinZ;
  LastRow = static_cast<int32_t>(RowBorders.size()) - 2;
  Fire(OnChangingGrid);
  CellCount = (LastColumn + 1) * (LastRow + 1);
}

bool TTModelSection2d::MoveColumnBorder(int32_t Index, double X) {
  const int32_t last = LastColumn + 1;
  if (Index < 0 || Index > last || Index >= static_cast<int32_t>(ColumnBorders.size())) return false;
  if (Index > 0 && X <= ColumnBorders[Index - 1]) return false;
  if (Index < last && X >= ColumnBorders[Index + 1]) return false;
  ColumnBorders[Index] = X;
  if (HasTopography) UpdateSurfaceOffsets();
  if (Index == 0 || Index == last) {
    const arofdoubleM borders = ColumnBorders;
    SetColumnBorders(static_cast<int32_t>(borders.size()), &borders);
    RedrawCells(nullptr);
  } else {
    RedrawAdjacentColumns(Index);
  }
  Fire(OnChangingGrid);
  CellCount = (LastColumn + 1) * (LastRow + 1);
  return true;
}

bool TTModelSection2d::MoveRowBorder(int32_t Index, double Depth) {
  const double t = SurfaceShiftAt(MouseX, CurrentCell.X);
  if (Index < 0 || Index > LastRow || Index + 1 >= static_cast<int32_t>(RowBorders.size())) return false;
  if (Index > 0 && Depth <= t + RowBorders[Index - 1]) return false;
  if (Depth >= t + RowBorders[Index + 1]) return false;
  RowBorders[Index] = Depth - t;
  if (Index == 0) {
    const arofdoubleM borders = RowBorders;
    SetRowBorders(static_cast<int32_t>(borders.size()), &borders);
    RedrawCells(nullptr);
  } else {
    RedrawAdjacentRows(Index);
  }
  Fire(OnChangingGrid);
  CellCount = (LastColumn + 1) * (LastRow + 1);
  return true;
}

void TTModelSection2d::InsertColumnBorder(bool Redraw, double X) {
  if (ColumnBorders.size() < 2 || Layers.empty()) return;
  int32_t i = -1;
  for (size_t k = 0; k + 1 < ColumnBorders.size() && i < 0; ++k)
    if (ColumnBorders[k] < X && X <= ColumnBorders[k + 1]) i = static_cast<int32_t>(k);
  if (i < 0) return;
  const size_t at = static_cast<size_t>(i) + 1;
  FixedBorders.resize(ColumnBorders.size(), 0);
  ColumnBorders.insert(ColumnBorders.begin() + static_cast<std::ptrdiff_t>(at), X);
  FixedBorders.insert(FixedBorders.begin() + static_cast<std::ptrdiff_t>(at), 0);
  for (ararofdoubleM& layer : Layers) InsertColumnCopy<ararofdoubleM, arofdoubleM>(layer, at);
  InsertColumnCopy<ararofboolM, arofboolM>(Selected, at);
  InsertColumnCopy<ararofboolM, arofboolM>(FixedCells, at);
  InsertColumnCopy<ararofcomplexM, arofcomplexM>(CellBounds, at);
  SurfaceOffsets.resize(ColumnBorders.size(), 0.0);
  const arofdoubleM borders = ColumnBorders;
  SetColumnBorders(static_cast<int32_t>(borders.size()), &borders);
  UpdateSurfaceOffsets();
  if (Redraw) RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::InsertRowBorderAt(bool Redraw, double Depth) {
  InsertRowBorder(Redraw, Depth - SurfaceShiftAt(MouseX, CurrentCell.X));
}

void TTModelSection2d::InsertRowBorder(bool Redraw, double GridDepth) {
  if (RowBorders.size() < 2 || Layers.empty()) return;
  int32_t j = -1;
  for (size_t k = 0; k + 1 < RowBorders.size() && j < 0; ++k)
    if (RowBorders[k] < GridDepth && GridDepth <= RowBorders[k + 1]) j = static_cast<int32_t>(k);
  if (j < 0) return;
  const size_t at = static_cast<size_t>(j) + 1;
  RowBorders.insert(RowBorders.begin() + static_cast<std::ptrdiff_t>(at), GridDepth);
  for (ararofdoubleM& layer : Layers) InsertRowCopy(layer, at);
  InsertRowCopy(Selected, at);
  InsertRowCopy(FixedCells, at);
  InsertRowCopy(CellBounds, at);
  const arofdoubleM borders = RowBorders;
  SetRowBorders(static_cast<int32_t>(borders.size()), &borders);
  if (Redraw) RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::RemoveColumnBorder(int32_t Index, bool Redraw) {
  if (Index <= 0 || Index > LastColumn || LastColumn + 1 < 3 || Layers.empty()) return;
  arofdoubleM borders;
  Supermath2d::DeleteDoubleAt(ColumnBorders, Index, borders);
  arofboolM fixed;
  Supermath2d::DeleteBoolAt(FixedBorders, Index, fixed);
  FixedBorders = fixed;
  for (ararofdoubleM& layer : Layers) {
    for (int32_t j = 0; j <= LastRow; ++j) layer[Index - 1][j] = (layer[Index - 1][j] + layer[Index][j]) / 2;
    EraseColumn(layer, static_cast<size_t>(Index));
  }
  EraseColumn(Selected, static_cast<size_t>(Index));
  EraseColumn(FixedCells, static_cast<size_t>(Index));
  EraseColumn(CellBounds, static_cast<size_t>(Index));
  SetColumnBorders(static_cast<int32_t>(borders.size()), &borders);
  UpdateSurfaceOffsets();
  if (Redraw) RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::RemoveRowBorder(int32_t Index, bool Redraw) {
  if (Index <= 0 || Index > LastRow || LastRow + 1 < 3 || Layers.empty()) return;
  arofdoubleM borders;
  Supermath2d::DeleteDoubleAt(RowBorders, Index, borders);
  for (ararofdoubleM& layer : Layers) {
    for (int32_t i = 0; i <= LastColumn; ++i) layer[i][Index - 1] = (layer[i][Index - 1] + layer[i][Index]) / 2;
    EraseRow(layer, static_cast<size_t>(Index));
  }
  EraseRow(Selected, static_cast<size_t>(Index));
  EraseRow(FixedCells, static_cast<size_t>(Index));
  EraseRow(CellBounds, static_cast<size_t>(Index));
  SetRowBorders(static_cast<int32_t>(borders.size()), &borders);
  if (Redraw) RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::ThinColumns() {
  const arofdoubleM borders = ColumnBorders;
  for (size_t k = 0; k + 1 < borders.size(); ++k) InsertColumnBorder(false, (borders[k] + borders[k + 1]) / 2);
  UpdateSurfaceOffsets();
  RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::ThinRows() {
  const arofdoubleM borders = RowBorders;
  for (size_t k = 0; k + 1 < borders.size(); ++k) InsertRowBorder(false, (borders[k] + borders[k + 1]) / 2);
  if (HasTopography) UpdateSurfaceOffsets();
  RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::ThickColumns() {
  for (int32_t i = 0; i < static_cast<int32_t>(ColumnBorders.size()) - 1; ++i)
    if (static_cast<size_t>(i) >= FixedBorders.size() || !FixedBorders[i]) RemoveColumnBorder(i, false);
  UpdateSurfaceOffsets();
  RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::ThickRows() {
  int32_t i = 0;
  do {
    ++i;
    RemoveRowBorder(i, false);
  } while (i < static_cast<int32_t>(RowBorders.size()) - 1);
  UpdateSurfaceOffsets();
  RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}
