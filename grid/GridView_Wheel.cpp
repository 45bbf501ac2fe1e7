// Middle-button panning, wheel scrolling and zoom, the key release, the
// hand-back of the focus from cell editors, and what follows a scroll of the
// view (cell controls, a fixed background picture).

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Hints.h"

#include <algorithm>

namespace {

// The panning cursors 8000..8008: a ring for no direction, arrows for the others.
void RegisterPanCursors() {
  const std::vector<std::string> ring{"....XXXX....", "..XXooooXX..", ".XooXXXXooX.", ".XoX....XoX.",
                                      "XoX......XoX", "XoX..XX..XoX", "XoX..XX..XoX", "XoX......XoX",
                                      ".XoX....XoX.", ".XooXXXXooX.", "..XXooooXX..", "....XXXX...."};
  Controls::SetCursorImage(8000, Controls::CursorFromRows(ring, TPoint{6, 6}));
  // Direction (dx, dy) of 8001..8008: down, left, right, up, up-right, up-left, down-right, down-left.
  const int dirs[8][2] = {{0, 1}, {-1, 0}, {1, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < 8; ++i) {
    std::vector<std::string> rows = ring;
    const int cx = 6 + dirs[i][0] * 5, cy = 6 + dirs[i][1] * 5;
    for (int y = -1; y <= 1; ++y)
      for (int x = -1; x <= 1; ++x) {
        const int px = std::clamp(cx + x, 0, 11), py = std::clamp(cy + y, 0, 11);
        rows[size_t(py)][size_t(px)] = 'X';
      }
    Controls::SetCursorImage(8001 + i, Controls::CursorFromRows(rows, TPoint{6, 6}));
  }
}

// The origin glyphs INTLI1 (both ways), INTLI2 (horizontal), INTLI3 (vertical).
std::unique_ptr<TBitmap> PanGlyph(bool Horizontal, bool Vertical) {
  auto b = std::make_unique<TBitmap>(26, 26);
  b->SetPixelFormat(pf24bit);
  TCanvas& c = *b->GetCanvas();
  c.Brush->SetColor(0xFF00FF);
  c.FillRect(TRect(0, 0, 26, 26));
  c.Pen->SetColor(clBlack);
  c.Brush->SetColor(clWhite);
  c.Ellipse(TRect(1, 1, 25, 25));
  c.Brush->SetColor(clBlack);
  if (Vertical) {
    c.Polygon({{13, 4}, {9, 9}, {17, 9}});
    c.Polygon({{13, 22}, {9, 17}, {17, 17}});
  }
  if (Horizontal) {
    c.Polygon({{4, 13}, {9, 9}, {9, 17}});
    c.Polygon({{22, 13}, {17, 9}, {17, 17}});
  }
  c.Ellipse(TRect(11, 11, 15, 15));
  return b;
}

[[maybe_unused]] const bool kPanResources = [] {
  RegisterPanCursors();
  GridUtil::RegisterResourceBitmap("INTLI1", [] { return PanGlyph(true, true); });
  GridUtil::RegisterResourceBitmap("INTLI2", [] { return PanGlyph(true, false); });
  GridUtil::RegisterResourceBitmap("INTLI3", [] { return PanGlyph(false, true); });
  return true;
}();

}  // namespace

// ================================================================ panning

bool TGridView::StartPanning(int X, int Y) {
  if (FPanning || IntelliPan == ipNone || FWheelMessage == 0 || GetRowCount() <= GetFixedRows()) return false;
  FPanning = true;
  FCursorBeforePan = Cursor;
  Cursor = 8000;
  SetCursor(8000);
  FPanOrigin = TPoint{X, Y};
  // No hints while panning.
  FHintBeforePan = GetShowHint();
  SetShowHint(false);
  Hints::CancelHint();
  if (!FPanTimer) {
    FPanTimer = Create<TTimer>(this);
    FPanTimer->SetInterval(10);
    FPanTimer->SetOnTimer([this](TObject*) { PanTick(ScreenToClient(Controls::MouseCursorPos())); });
  }
  FPanTimer->SetEnabled(true);
  Invalidate();  // the origin glyph
  return true;
}

void TGridView::StopPanning() {
  if (!FPanning) return;
  FPanning = false;
  if (FPanTimer) FPanTimer->SetEnabled(false);
  Cursor = FCursorBeforePan;
  SetCursor(FCursorBeforePan);
  SetShowHint(FHintBeforePan);
  Invalidate();
}

void TGridView::PanTick(TPoint P) {
  if (!FPanning || IntelliPan == ipNone) return;
  int dx = P.X < FPanOrigin.X - 5 ? -1 : P.X > FPanOrigin.X + 5 ? 1 : 0;
  int dy = P.Y < FPanOrigin.Y - 5 ? -1 : P.Y > FPanOrigin.Y + 5 ? 1 : 0;
  if (IntelliPan == ipHorizontal) dy = 0;
  if (IntelliPan == ipVertical) dx = 0;
  static const TCursor kCursors[3][3] = {{8006, 8004, 8005}, {8002, 8000, 8003}, {8008, 8001, 8007}};
  const TCursor cursor = kCursors[dy + 1][dx + 1];
  const int lastRow = GetRowCount() - FFixedFooters - 1, lastCol = GetColCount() - FFixedRightCols - 1;
  int col = std::clamp(GetCol(), GetFixedCols(), std::max(GetFixedCols(), lastCol));
  int row = std::clamp(GetRow(), GetFixedRows(), std::max(GetFixedRows(), lastRow));
  if (dx < 0 && col > GetFixedCols()) --col;
  if (dx > 0 && col < lastCol) ++col;
  if (dy < 0 && row > GetFixedRows()) --row;
  if (dy > 0 && row < lastRow) ++row;
  if (col != GetCol() || row != GetRow()) MoveColRow(col, row, true, true);
  Cursor = cursor;
  SetCursor(cursor);
}

// ================================================================ wheel and zoom

void TGridView::Zoom(int Z) {
  if (ZoomFactor + Z < -10 || ZoomFactor + Z > 10) return;
  ZoomFactor += Z;
  for (int c = 0; c < GetColCount(); ++c)
    if (GetColWidths(c) + Z > 0) SetColWidths(c, GetColWidths(c) + Z);
  for (int r = 0; r < GetRowCount(); ++r)
    if (GetRowHeights(r) + Z > 0) SetRowHeights(r, GetRowHeights(r) + Z);
  Invalidate();
}

bool TGridView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (FPanning) return true;
  const TPoint p = ScreenToClient(MousePos);
  // A turn over another window does not scroll the grid.
  if (p.X < 0 || p.Y < 0 || p.X >= GetClientWidth() || p.Y >= GetClientHeight()) return false;
  const int lines = std::max(1, FWheelScrollLines);
  const bool towardUser = WheelDelta < 0;
  if (Shift.Contains(TShiftStateItem::ssCtrl) && IntelliZoom) {
    Zoom(towardUser ? lines : -lines);
    return true;
  }
  if (!EnableWheel || (FixedRowAlways && GetRowCount() == 1)) return true;
  const int last = GetRowCount() - FFixedFooters - 1;
  const int target = std::clamp(GetRow() + (towardUser ? lines : -lines), GetFixedRows(), std::max(GetFixedRows(), last));
  const int col = std::clamp(GetCol(), GetFixedCols(), GetColCount() - 1);
  const int left = GetLeftCol();
  BeginUpdateQuiet();
  struct TReset {
    TGridView& G;
    ~TReset() { G.ResetUpdate(); }
  } reset{*this};
  if (target >= 0 && target < GetRowCount()) MoveColRow(col, target, true, true);
  if (GetOptions().Contains(goRowSelect) && FNavigation->KeepHorizScroll) SetLeftCol(left);
  Invalidate();
  return true;
}

bool TGridView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!(GetOptions().Contains(goRowSelect) && FNavigation->KeepHorizScroll))
    return TBaseGrid::DoMouseWheelDown(Shift, MousePos);
  const int left = GetLeftCol();
  BeginUpdateQuiet();
  const bool handled = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
  SetLeftCol(left);
  ResetUpdate();
  return handled;
}

bool TGridView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!(GetOptions().Contains(goRowSelect) && FNavigation->KeepHorizScroll))
    return TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  const int left = GetLeftCol();
  BeginUpdateQuiet();
  const bool handled = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  SetLeftCol(left);
  ResetUpdate();
  return handled;
}

// ================================================================ keys and editors

void TGridView::KeyUp(uint16_t& Key, TShiftState Shift) {
  const uint16_t k = Key;
  if (k == VK_PRIOR || k == VK_NEXT || k == VK_END || k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN ||
      k == VK_INSERT || k == VK_DELETE)
    SearchText.clear();
  TBaseGrid::KeyUp(Key, Shift);
  const bool arrow = k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN;
  if (FNavigation->AlwaysEdit && (arrow || (k == VK_TAB && GetOptions().Contains(goTabs)))) ShowEditorUnlessControl();
}

void TGridView::ShowEditorUnlessControl() {
  const TPoint o = BaseCell(GetCol(), GetRow());
  if (!IsToggleCell(RealColIndex(o.X), o.Y)) ShowEditor();
}

void TGridView::EditingDone() {
  if (OnEditingDone) OnEditingDone(this);
}

void TGridView::EditorReturnKey(uint16_t Key, TShiftState Shift) {
  TRestore<bool> returning(FReturning, true);
  HideCellEditor(GetCol(), GetRow());
  TRestore<bool> noAlwaysEdit(FNavigation->AlwaysEdit, false);
  if (CanFocus()) SetFocus();
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
    uint16_t k = Key;
    KeyDown(k, Shift);
  } else if (Key == VK_RETURN) {
    AdvanceCell(GetCol(), GetRow(), true, false, false);
  }
}

std::string TGridView::EllipsClick(const std::string& Text) {
  std::string s = Text;
  if (OnEllipsClick) OnEllipsClick(this, RealCurrentCol(), GetRow(), s);
  return s;
}
