// Mouse editing: the region and cell under the mouse, painting values, the four
// selection tools, moving and copying selections, and the border edits of the mesh
// modes.
#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/series/PlotTools.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Menus.h"
#include "views/Section2D.h"

using Section2D::TApplyKind;
using Section2D::TRegionKind;
using enum TShiftStateItem;

namespace {
const TShiftState kLeft{ssLeft}, kRight{ssRight}, kShiftLeft{ssShift, ssLeft}, kShiftRight{ssShift, ssRight},
    kCtrlLeft{ssCtrl, ssLeft}, kCtrlRight{ssCtrl, ssRight};
}  // namespace

void TTModelSection2d::ClassifyPoint(int32_t X, int32_t Y) {
  const TRect& r = ChartRect;
  const bool rows = r.Top <= Y && Y <= r.Bottom;
  if (r.Left < X && X <= r.Right && rows)
    Region = 1;
  else if (X < r.Left && rows)
    Region = 2;
  else if (r.Left <= X && X <= r.Right && Y > r.Bottom)
    Region = 3;
  else if (ShowColorBar && r.Right + ColorBarGap <= X && X <= r.Right + ColorBarGap + ColorBarWidth && rows)
    Region = 4;
  else
    Region = 0;
}

bool TTModelSection2d::LocateCell(double X, double Depth, int32_t& Column, int32_t& Row) const {
  if (Region != 1 || LastColumn < 1 || ColumnBorders.size() < 2) return false;
  int32_t i = -1;
  for (size_t k = 0; k + 1 < ColumnBorders.size() && i < 0; ++k)
    if (ColumnBorders[k] <= X && X <= ColumnBorders[k + 1]) i = static_cast<int32_t>(k);
  if (i < 0) return false;
  const double t = SurfaceShiftAt(X, i);
  int32_t j = -1;
  for (size_t k = 0; k + 1 < RowBorders.size() && j < 0; ++k)
    if (t + RowBorders[k] <= Depth && Depth <= t + RowBorders[k + 1]) j = static_cast<int32_t>(k);
  if (j < 0) return false;
  Column = i;
  Row = j;
  return true;
}

void TTModelSection2d::UpdateCursor() {
  if (ViewOnly) return;
  TCursor cursor = GetChartCursor();
  if (Region == 1) {
    if (EditMode == 1)
      cursor = crCross;
    else if (EditMode >= 2 && EditMode <= 5)
      cursor = crHandPoint;
    else if (EditMode == 6)
      cursor = crSizeAll;
  } else {
    cursor = crArrow;
  }
  if (cursor != GetChartCursor()) SetChartCursor(cursor);
}

int32_t TTModelSection2d::NearestColumnBorder(double X, int32_t& PixelDistance) const {
  int32_t best = -1;
  for (size_t k = 0; k < ColumnBorders.size(); ++k)
    if (best < 0 || std::fabs(ColumnBorders[k] - X) < std::fabs(ColumnBorders[best] - X)) best = static_cast<int32_t>(k);
  if (best < 0) return -1;
  const bool fixed = static_cast<size_t>(best) < FixedBorders.size() && FixedBorders[best];
  if (fixed && (EditMode == 8 || EditMode == 9)) return -1;
  PixelDistance = std::abs(XToPixel(ColumnBorders[best]) - XToPixel(X));
  return best;
}

int32_t TTModelSection2d::NearestRowBorder(double Depth, int32_t& PixelDistance) const {
  const double t = SurfaceShiftAt(MouseX, CurrentCell.X);
  int32_t best = -1;
  for (size_t k = 0; k < RowBorders.size(); ++k)
    if (best < 0 || std::fabs(t + RowBorders[k] - Depth) < std::fabs(t + RowBorders[best] - Depth))
      best = static_cast<int32_t>(k);
  if (best < 0) return -1;
  PixelDistance = std::abs(ZToPixel(t + RowBorders[best]) - ZToPixel(Depth));
  return best;
}

int32_t TTModelSection2d::HoverBorder() {
  int32_t dc = INT_MAX, dr = INT_MAX;
  const int32_t c = NearestColumnBorder(MouseX, dc);
  const int32_t r = NearestRowBorder(MouseZ, dr);
  if (c < 0) dc = INT_MAX;
  if (r < 0) dr = INT_MAX;
  int32_t result = -1;
  TCursor cursor = crArrow;
  if (c >= 0 && dc < dr && dc <= 2) {
    HoverKind = 0;
    result = c;
    cursor = EditMode == 9 ? crHSplit : EditMode == 7 ? crSizeWE : crCross;
  } else if (r >= 0 && dr < dc && dr <= 2) {
    HoverKind = 1;
    result = r;
    cursor = EditMode == 9 ? crVSplit : EditMode == 7 ? crSizeNS : crCross;
  } else {
    HoverKind = -1;
  }
  if (cursor != GetChartCursor()) SetChartCursor(cursor);
  return result;
}

bool TTModelSection2d::ApplyToCell(int32_t Column, int32_t Row, TApplyKind Kind, double Percent) {
  if (!CellInGrid(Column, Row)) return false;
  bool changed = false;
  if (Kind == TApplyKind::Set) {
    changed = StoreCellValue(Column, Row, CursorValue);
  } else {
    const double v = CellValue(Column, Row);
    double nv = Kind == TApplyKind::Raise ? v + Percent * v / 100 : v - Percent * v / 100;
    changed = StoreCellValue(Column, Row, nv);
  }
  if (changed) RedrawCell(Column, Row);
  return changed;
}

void TTModelSection2d::ApplyToSelection(TApplyKind Kind, double Percent, double SkipValue) {
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j)
      if (CellInGrid(i, j) && Selected[i][j] && CellValue(i, j) != SkipValue) ApplyToCell(i, j, Kind, Percent);
}

void TTModelSection2d::ClearFreeForm() { FreeFormPoints.clear(); }

void TTModelSection2d::ClearSelection() {
  ClearFreeForm();
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j)
      if (CellInGrid(i, j) && Selected[i][j]) {
        Selected[i][j] = 0;
        RedrawCell(i, j);
      }
}

bool TTModelSection2d::AppendFreeFormPoint(TPoint P) {
  if (!FreeFormPoints.empty() && FreeFormPoints.back() == P) return false;
  FreeFormPoints.push_back(P);
  return true;
}

void TTModelSection2d::CollectSelection(bool Cut, bool AddNewLayer) {
  AnchorCell = EndCell = CurrentCell;
  MovedCells.clear();
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j) {
      if (!CellInGrid(i, j) || !Selected[i][j]) continue;
      MovedCells.push_back({i, j, Layers[CurrentLayer][i][j]});
      if (Cut) {
        Layers[CurrentLayer][i][j] = HalfSpaceValue;
        RedrawCell(i, j);
      }
    }
  if (AddNewLayer) AddLayer();
}

void TTModelSection2d::MoveSelection(TPoint Anchor, TPoint End) {
  const int32_t dx = End.X - Anchor.X, dy = End.Y - Anchor.Y;
  ararofboolM destination(static_cast<size_t>(LastColumn + 1), arofboolM(static_cast<size_t>(LastRow + 1), 0));
  const auto inside = [&](int32_t i, int32_t j) { return i >= 0 && j >= 0 && i <= LastColumn && j <= LastRow; };
  for (const TMovedCell& m : MovedCells)
    if (inside(m.Column + dx, m.Row + dy)) destination[m.Column + dx][m.Row + dy] = 1;
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j)
      if (CellInGrid(i, j) && Selected[i][j] && !destination[i][j]) {
        Layers[CurrentLayer][i][j] = HalfSpaceValue;
        Selected[i][j] = 0;
        RedrawCell(i, j);
      }
  for (const TMovedCell& m : MovedCells) {
    const int32_t i = m.Column + dx, j = m.Row + dy;
    if (!inside(i, j) || !CellInGrid(i, j)) continue;
    if (Layers[CurrentLayer][i][j] != m.Value) {
      Selected[i][j] = 1;
      Layers[CurrentLayer][i][j] = m.Value;
      RedrawCell(i, j);
    } else if (!Selected[i][j]) {
      Selected[i][j] = 1;
      RedrawCell(i, j);
    }
  }
}

void TTModelSection2d::SelectRegion(int32_t Column, int32_t Row, TRegionKind Kind, double Tolerance,
                                    const pointarray& Points, TPoint Anchor, TPoint End) {
  if (!CellInGrid(Column, Row)) return;
  MovedCells.clear();
  const double seed = Layers[CurrentLayer][Column][Row];
  TBitmap& mask = *SelectionMask;
  mask.SetPixelFormat(pf24bit);
  mask.SetSize(LastColumn + 1, LastRow + 1);
  TCanvas& c = *mask.GetCanvas();
  c.Pen->SetMode(pmCopy);
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clWhite);
  c.FillRect(TRect(0, 0, LastColumn + 1, LastRow + 1));
  constexpr TColor red = 0x0000FF;
  c.Brush->SetColor(red);
  c.Pen->SetColor(red);
  const TRect box(std::min(Anchor.X, End.X), std::min(Anchor.Y, End.Y), std::max(Anchor.X, End.X) + 1,
                  std::max(Anchor.Y, End.Y) + 1);
  switch (Kind) {
    case TRegionKind::MagicWand:
      for (int32_t i = 0; i <= LastColumn; ++i)
        for (int32_t j = 0; j <= LastRow; ++j) {
          const double v = Layers[CurrentLayer][i][j];
          const bool apart = v != seed && ScaleDifference(v, seed) >= Tolerance;
          c.SetPixel(i, j, apart ? clBlack : TColor(0xFF0000));
        }
      c.FloodFill(Column, Row, 0xFF0000, fsSurface);
      break;
    case TRegionKind::Polygon:
      if (!Points.empty()) c.Polygon(std::vector<TPoint>(Points.begin(), Points.end()));
      break;
    case TRegionKind::Rectangle: c.FillRect(box); break;
    case TRegionKind::Ellipse: c.Ellipse(box); break;
  }
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j) {
      const uint8_t now = mask.GetPixelColor(i, j) == red ? 1 : 0;
      if (Selected[i][j] != now) {
        Selected[i][j] = now;
        RedrawCell(i, j);
      }
    }
}

// ---- handlers ----

void TTModelSection2d::HandleMouseMove(TObject*, TShiftState Shift, int32_t X, int32_t Y) {
  if (!HasGrid()) return;
  MouseX = std::clamp(PixelToX(X), MinX, MaxX);
  MouseZ = std::clamp(PixelToZ(Y), MinZ, MaxZ);
  ClassifyPoint(X, Y);
  UpdateStatusTexts();
  Fire(OnStatus);
  if (GetAllowZoom() || ViewOnly) return;
  UpdateCursor();
  int32_t column = -1, row = -1;
  if (LocateCell(MouseX, MouseZ, column, row) && TPoint(column, row) != CurrentCell) {
    UnhighlightCell(CurrentCell.X, CurrentCell.Y);
    CurrentCell = TPoint(column, row);
    HighlightCell(column, row);
  }
  if (Region != 1) return;
  if ((EditMode == 7 || EditMode == 8) && !Dragging) HoverIndex = HoverBorder();
  if (EditMode == 9) {
    if (!Dragging) {
      HoverIndex = HoverBorder();
    } else if (HoverIndex != -1) {
      if (HoverKind == 0) MoveColumnBorder(HoverIndex, MouseX);
      if (HoverKind == 1) MoveRowBorder(HoverIndex, MouseZ);
    }
  }
  if (EditMode == 6 && Dragging && CurrentCell != EndCell) {
    EndCell = CurrentCell;
    MoveSelection(AnchorCell, EndCell);
  }
  if (Dragging) {
    if (EditMode == 2) {
      AppendFreeFormPoint(CurrentCell);
      EndCell = CurrentCell;
      SelectRegion(CurrentCell.X, CurrentCell.Y, TRegionKind::Polygon, 0, FreeFormPoints, AnchorCell, EndCell);
    } else if (EditMode == 5 || EditMode == 4) {
      EndCell = CurrentCell;
      SelectRegion(CurrentCell.X, CurrentCell.Y, EditMode == 5 ? TRegionKind::Rectangle : TRegionKind::Ellipse, 0,
                   FreeFormPoints, AnchorCell, EndCell);
    }
  }
  if (EditMode == 1 && CellInGrid(CurrentCell.X, CurrentCell.Y)) {
    const int32_t i = CurrentCell.X, j = CurrentCell.Y;
    if (PressedButton == TMouseButton::mbLeft) {
      if (Shift == kLeft)
        ApplyToCell(i, j, TApplyKind::Set, IncrementPercent);
      else if (Shift == kShiftLeft && !Selected[i][j])
        ApplyToCell(i, j, TApplyKind::Raise, IncrementPercent);
    } else if (PressedButton == TMouseButton::mbRight) {
      if (Shift == kShiftRight && !Selected[i][j]) {
        ApplyToCell(i, j, TApplyKind::Lower, IncrementPercent);
      } else if (Shift == kRight) {
        const double v = CellValue(i, j);
        if (v != CursorValue) {
          CursorValue = v;
          DrawCursorPointer(v);
        }
      }
    }
  }
}

void TTModelSection2d::HandleMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X,
                                       int32_t Y) {
  if (!HasGrid() || GetAllowZoom() || ViewOnly) return;
  PressedButton = Button;
  ClassifyPoint(X, Y);
  if (Region == 1) {
    const bool inGrid = CellInGrid(CurrentCell.X, CurrentCell.Y);
    const bool onSelected = inGrid && Selected[CurrentCell.X][CurrentCell.Y];
    if (Shift.Contains(ssCtrl)) {
      SavedMode = EditMode;
      EditMode = 6;
      TemporaryMode = true;
    }
    if (EditMode == 6) {
      if (!onSelected) return;
      Dragging = true;
      if (Shift == kCtrlRight)
        CollectSelection(false, true);
      else if (Shift == kCtrlLeft)
        CollectSelection(true, true);
      else
        Dragging = false;
    }
    if (Shift == kRight) {
      CellMenu->Items()->GetItem(2)->SetChecked(EditMode == 1);
      TMenuItem* selection = CellMenu->Items()->GetItem(4);
      selection->GetItem(0)->SetChecked(EditMode == 2);
      selection->GetItem(1)->SetChecked(EditMode == 5);
      selection->GetItem(2)->SetChecked(EditMode == 4);
      selection->GetItem(3)->SetChecked(EditMode == 3);
      TMenuItem* mesh = CellMenu->Items()->GetItem(5);
      mesh->GetItem(0)->SetChecked(EditMode == 7);
      mesh->GetItem(1)->SetChecked(EditMode == 8);
      mesh->GetItem(2)->SetChecked(EditMode == 9);
      PopupAtMouse(*CellMenu);
      return;
    }
    if (EditMode == 9) {
      HoverIndex = HoverBorder();
      if (HoverIndex != -1) Dragging = true;
    }
    if (EditMode == 7 && Shift == kLeft) {
      HoverIndex = HoverBorder();
      if (HoverIndex != -1) {
        Dragging = true;
        // A row border under the mouse splits the column there, a column border the row.
        if (HoverKind == 1)
          InsertColumnBorder(true, MouseX);
        else
          InsertRowBorderAt(true, MouseZ);
        PushSnapshot();
      }
    }
    if (EditMode == 8 && Shift == kLeft) {
      HoverIndex = HoverBorder();
      if (HoverIndex != -1) {
        Dragging = true;
        if (HoverKind == 0)
          RemoveColumnBorder(HoverIndex, true);
        else
          RemoveRowBorder(HoverIndex, true);
        PushSnapshot();
      }
    }
    if (EditMode != 3) WandTolerance = -1;
    if (EditMode == 2 && Shift == kLeft) {
      Dragging = true;
      ClearFreeForm();
      AnchorCell = CurrentCell;
      AppendFreeFormPoint(CurrentCell);
      EndCell = AnchorCell;
    } else if ((EditMode == 5 || EditMode == 4) && Shift == kLeft) {
      Dragging = true;
      ClearFreeForm();
      AnchorCell = EndCell = CurrentCell;
    }
    if (EditMode == 3 && Shift == kLeft) {
      Dragging = true;
      if (WandTolerance == -1 || !onSelected) WandTolerance = DefaultWandTolerance;
      ClearFreeForm();
      SelectRegion(CurrentCell.X, CurrentCell.Y, TRegionKind::MagicWand, WandTolerance, FreeFormPoints, AnchorCell,
                   EndCell);
    }
    if (EditMode == 1) {
      if (!inGrid) return;
      Dragging = true;
      const auto apply = [&](TApplyKind kind, double skip) {
        if (onSelected)
          ApplyToSelection(kind, IncrementPercent, skip);
        else
          ApplyToCell(CurrentCell.X, CurrentCell.Y, kind, IncrementPercent);
      };
      if (Shift == kLeft)
        apply(TApplyKind::Set, CursorValue);
      else if (Shift == kShiftLeft)
        apply(TApplyKind::Raise, 0);
      else if (Shift == kShiftRight)
        apply(TApplyKind::Lower, 0);
    }
  } else if (Region == 4 && Button == TMouseButton::mbRight) {
    CursorFromBar(Y);
    EditMode = 1;
  }
  HandleMouseMove(Sender, Shift, X, Y);
}

void TTModelSection2d::HandleMouseUp(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
  if (ViewOnly) return;
  if (EditMode == 6 && Dragging) {
    // A move released outside the plot ends with the move as last shown.
    if (Region == 1) {
      EndCell = CurrentCell;
      MoveSelection(AnchorCell, EndCell);
    }
    MergeLayers();
    RedrawCells(nullptr);
    PushSnapshot();
    Fire(OnAfterChangingParameter);
  } else if (EditMode == 1 && Region == 1 && Dragging) {
    Fire(OnAfterChangingParameter);
    PushSnapshot();
  } else if (EditMode == 9 && Region == 1 && Dragging) {
    Fire(OnChangingGrid);
    PushSnapshot();
  }
  if (TemporaryMode) {
    EditMode = SavedMode;
    TemporaryMode = false;
  }
  Dragging = false;
}
