// Mouse buttons on cells: check boxes, radio groups, cell buttons, nodes and
// anchors, the disjunct selection, the start of a drag, the header click
// that sorts, the double click on a column border, and the columns and rows
// moved by the base grid carrying their sort state along.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Hints.h"
#include "platform/ui/UserSeam.h"

#include <algorithm>

namespace {


// An index that follows a column moved from From to To.
int FollowMove(int Index, int From, int To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (To < From && Index >= To && Index < From) return Index + 1;
  return Index;
}

// The select cursors: 8010 a row (an arrow pointing right), 8011 a column
// (pointing down), 8012 all cells (pointing to the lower right).
void RegisterSelectCursors() {
  const std::vector<std::string> right{"...........", "......X....", "......XX...", "......XoX..",
                                       "XXXXXXXooX.", "XoooooooooX", "XXXXXXXooX.", "......XoX..",
                                       "......XX...", "......X....", "..........."};
  std::vector<std::string> down(right.size(), std::string(right.size(), '.'));
  // Drawn pointing up-left, then turned half round.
  std::vector<std::string> diagonal{"XXXXXX.....", "XooooX.....", "XoooX......", "XoooX......",
                                    "XooooX.....", "XX.XooX....", "....XooX...", ".....XooX..",
                                    "......XooX.", ".......XooX", "........XX."};
  std::reverse(diagonal.begin(), diagonal.end());
  for (std::string& row : diagonal) std::reverse(row.begin(), row.end());
  for (size_t y = 0; y < right.size(); ++y)
    for (size_t x = 0; x < right.size(); ++x) down[x][y] = right[y][x];
  Controls::SetCursorImage(8010, Controls::CursorFromRows(right, TPoint{10, 5}));
  Controls::SetCursorImage(8011, Controls::CursorFromRows(down, TPoint{5, 10}));
  Controls::SetCursorImage(8012, Controls::CursorFromRows(diagonal, TPoint{10, 10}));
}

[[maybe_unused]] const bool kSelectCursors = [] {
  RegisterSelectCursors();
  return true;
}();

}  // namespace

// ================================================================ anchors

void TGridView::OpenAnchor(const std::string& Anchor) {
  const std::string upper = SysUtils::UpperCase(Anchor);
  const size_t cell = upper.find("CELL://");
  if (cell != std::string::npos) {
    TPoint target;
    const std::string ref = Anchor.substr(cell + 7);
    if (ref.size() >= 4 && GridUtil::ParseCellRef(SysUtils::UpperCase(ref), target) && target.X >= 0 &&
        target.X < GetColCount() && target.Y >= 0 && target.Y < GetRowCount()) {
      MoveColRow(target.X, target.Y, true, true);
    }
    return;
  }
  // Cell texts come from files, the clipboard and drops: only web and mail
  // addresses go to the desktop, never a file or a program.
  const std::string lower = SysUtils::LowerCase(SysUtils::Trim(Anchor));
  if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 || lower.rfind("mailto:", 0) == 0)
    UserSeam::Current().ShellOpen(SysUtils::Trim(Anchor));
}

// ================================================================ radio groups

void TGridView::ClickRadioAt(int ACol, int ARow, int Y, int X) {
  const int real = RealColIndex(ACol);
  TCellGraphic* g = CellGraphicOf(real, ARow);
  if (!g || g->CellType != TCellType::ctRadio) return;
  auto* items = dynamic_cast<TStrings*>(g->CellObject);
  if (!items) return;
  TCanvas& c = *GetCanvas();
  TBrush brush;
  c.Font->Assign(*GetFont());
  DoGetCellColor(ARow, real, TGridDrawState{}, brush, *c.Font);
  const TPoint o = BaseCell(ACol, ARow);
  MoveColRow(o.X, o.Y, true, true);
  const int s = FControlLook->GetControlStyle() > csFlat ? 16 : FControlLook->GetRadioSize();
  const int h = std::max(s, c.TextHeight("gh"));
  int start = 0;
  for (int i = 0; i < items->Count(); ++i) {
    const int end = g->CellBoolean ? start + c.TextWidth(items->Get(i)) + s : (i + 1) * h;
    const int pos = g->CellBoolean ? X : Y;
    if (pos > start && pos < end) {
      if (g->CellIndex == -1) SetCells(real, ARow, items->Get(i));
      else {
        g->CellIndex = i;
        SetCells(real, ARow, items->Get(i));
      }
      RepaintCell(ACol, ARow);
      if (OnRadioClick) OnRadioClick(this, ACol, ARow, i);
      return;
    }
    start = end;
  }
}

KV_CLASS_IMPL(TGridTransEdit, TEdit) {}

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TEdit(AOwner) {
  FGrid = dynamic_cast<TGridView*>(AOwner);
  SetVisible(false);
}

void TGridTransEdit::Finish() {
  if (!GetVisible()) return;
  if (FGrid && Col >= 0 && Row >= 0 && Row < FGrid->GetRowCount() && Col < FGrid->GetColCount()) {
    FGrid->SetCellText(FGrid->RealColIndex(Col), Row, GetText());
    FGrid->RepaintCell(Col, Row);
  }
  SetVisible(false);
}

void TGridTransEdit::DoExit() {
  TEdit::DoExit();
  Finish();
}

void TGridView::EditFixedCell(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return;
  if (!FTransEdit) {
    FTransEdit = Create<TGridTransEdit>(this);
    FTransEdit->SetParent(this);
  }
  FTransEdit->Finish();
  const TRect r = TBaseGrid::CellRect(ACol, ARow);
  if (r.IsEmpty()) return;
  FTransEdit->SetBounds(r.Left + 1, r.Top + 1, std::max(1, r.Width() - 2), std::max(1, r.Height() - 2));
  FTransEdit->SetText(CellText(RealColIndex(ACol), ARow));
  FTransEdit->Col = ACol;
  FTransEdit->Row = ARow;
  FTransEdit->SetVisible(true);
  if (FTransEdit->CanFocus()) FTransEdit->SetFocus();
}

// ================================================================ left button

void TGridView::PressWrapped(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // While panning any press ends it; a middle press starts it.
  if (FPanning) {
    StopPanning();
    return;
  }
  if (Button == TMouseButton::mbMiddle) {
    if (!StartPanning(X, Y)) TBaseGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (Button == TMouseButton::mbRight) {
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c >= 0 && OnRightClickCell) OnRightClickCell(this, r, c);
    // The fixed-cell editor opens on a right press only with fceRightClick.
    if (c >= 0 && ((r < GetFixedRows() && FMouseActions->FixedRowsEdit == fceRightClick) ||
                   (c < GetFixedCols() && FMouseActions->FixedColsEdit == fceRightClick)))
      EditFixedCell(c, r);
    if (c >= 0 && FURLShow && URLEdit && GridUtil::IsLink(CellText(RealColIndex(c), r))) {
      MoveColRow(c, r, true, true);
      ShowEditor();
    }
    return;
  }
  if (Button != TMouseButton::mbLeft) {
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (Shift.Contains(TShiftStateItem::ssDouble)) {
    DoubleClickAt(X, Y);
    return;
  }
  FButtonDown = true;
  if (CursorMode == 5) {
    FOrigSelection = GetSelection();
    CopyToClipboard();
    FSelectionResizePending = true;
    const TGridRect sel = GetSelection();
    {
      TRestore<bool> noEdit(FEditingSuspended, FEditingSuspended);
      const TGridOptions o = GetOptions();
      SetOptions(o - TGridOptions{goEditing});
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      SetOptions(o);
    }
    SetSelection(sel);
    return;
  }
  SearchText.clear();
  FSelectOnRelease = false;
  FPressedButton = {-1, -1};
  FPressLeftCol = GetLeftCol();
  if (FFixedSizeArmed && FFixedSizingCol >= 0) {
    FFixedSizing = true;
    FFixedSizingX = X;
    DrawSizingLine(X);
    return;
  }
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  FDownCol = col;
  FDownRow = row;
  if (col < 0 || row < 0) {
    HideCellEditor(GetCol(), GetRow());
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  const TPoint base = BaseCell(col, row);
  col = base.X;
  row = base.Y;
  const int real = RealColIndex(col);
  const TRect cell = TBaseGrid::CellRect(col, row);
  const bool fixedClick = col < GetFixedCols() || row < GetFixedRows();
  // The editor this press opens puts its caret at the character under the pointer.
  if (FMouseActions->CaretPositioning) {
    PendingCaret = true;
    if (TGridInplaceEdit* e = InplaceEditor()) {
      e->OpenedByClick = true;
      e->ClickPoint = TPoint{X - cell.Left, Y - cell.Top};
    }
  }
  bool ownerFixed = false;
  if (OnIsFixedCell) OnIsFixedCell(this, row, col, ownerFixed);
  if (fixedClick || ownerFixed) {
    HideCellEditor(GetCol(), GetRow());
    // A refused value keeps the user in its cell: this press does nothing more.
    if (TGridInplaceEdit* e = InplaceEditor(); EditPending && e && e->GetVisible()) {
      FDownRow = FDownCol = -1;
      return;
    }
  }
  if (FixedAsButtons && fixedClick && GetOptions().Contains(goFixedVertLine) &&
      GetOptions().Contains(goFixedHorzLine) && !FFlat)
    SetPressedFixed(TGridCoord{col, row});
  const bool designing = ComponentState.Contains(TComponentStateItem::csDesigning);
  if (!designing) {
    if (col == 0 && HasNodes() && RowIsNode(row) && PointInNodeGlyph(row, X - cell.Left)) {
      if (row < GetFixedRows()) {
        if (FMouseActions->NodeAllExpandContract) {
          if (NodeIsContracted(row)) ExpandAllNodes();
          else ContractAllNodes();
          SetGraphicBoolean(0, row, !NodeIsContracted(row));
        }
      } else {
        const int all = AllRowsIndex(row);
        bool allow = true;
        if (NodeIsContracted(row)) {
          if (OnBeforeExpandNode) OnBeforeExpandNode(this, row, all, allow);
          if (allow) {
            ExpandNode(all);
            if (OnExpandNode) OnExpandNode(this, row, all);
          }
        } else {
          if (OnBeforeContractNode) OnBeforeContractNode(this, row, all, allow);
          if (allow) {
            ContractNode(all);
            if (OnContractNode) OnContractNode(this, row, all);
          }
        }
        if (FMouseActions->MoveRowOnNodeClick) SetRow(row);
      }
      return;
    }
    if (!fixedClick && IsRadioCell(real, row) && CanEditCellAt(real, row)) {
      HideCellEditor(GetCol(), GetRow());
      ClickRadioAt(col, row, Y - cell.Top, X - cell.Left);
      return;
    }
    if (col == 0 && HasNodes() && !FMouseActions->RowSelect) return;
    const TGridRect sel = GetSelection();
    const bool inSelection = col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom;
    if ((inSelection || (row < GetFixedRows() && !EnhRowColMove)) && !GetOptions().Contains(goEditing) &&
        FDragDropSettings->OleDropSource && !FMouseActions->ColSelect && !FMouseActions->AllSelect) {
      if ((X - cell.Left > 3 && cell.Right - X > 3) || !GetOptions().Contains(goColSizing)) {
        // The drag itself starts when the pointer moves away (see MouseMove).
        FSelectOnRelease = true;
        if (OnClickCell) OnClickCell(this, row, col);
        return;
      }
    }
  }
  if (IsButtonCell(real, row)) {
    HideCellEditor(GetCol(), GetRow());
    MoveColRow(col, row, true, true);
    TRect box;
    if (CellControlRect(col, row, box) && box.Contains(TPoint{X, Y})) {
      SetGraphicBoolean(col, row, true);
      FPressedButton = {col, row};
    }
    if (OnClickCell) OnClickCell(this, row, col);
    return;
  }
  if (row >= GetFixedRows() && FMouseActions->GetDisjunctRowSelect()) {
    const int r = FMouseActions->RowSelectPersistent ? AllRowsIndex(row) : row;
    if (Shift.Contains(TShiftStateItem::ssCtrl) && RowSelected(r)) {
      FToggleRowOnRelease = true;
      FToggleRow = r;
    } else if (!Shift.Contains(TShiftStateItem::ssCtrl)) {
      MouseSelecting = true;
      ClearRowSelection();
    }
  }
  if (col >= GetFixedCols() && FMouseActions->GetDisjunctColSelect()) {
    if (Shift.Contains(TShiftStateItem::ssCtrl) && ColSelected(col)) {
      FToggleColOnRelease = true;
      FToggleCol = col;
    } else if (!Shift.Contains(TShiftStateItem::ssCtrl)) {
      MouseSelecting = true;
      ClearColSelection();
    }
  }
  if (FURLShow || (EnableHTML && GridUtil::TextKind(CellText(real, row), true) == GridUtil::tkHtml)) {
    const std::string text = CellText(real, row);
    if (GridUtil::IsLink(text) && GridUtil::TextKind(text, EnableHTML) != GridUtil::tkHtml) {
      bool autoHandle = true;
      if (OnAnchorClick) OnAnchorClick(this, row, col, text, autoHandle);
      if (autoHandle) OpenAnchor(text);
      return;
    }
    if (HtmlCellClick(col, row, X, Y)) return;
  }
  // Whole selections from the fixed cells, by the hover target the pointer showed.
  if (GetOptions().Contains(goRangeSelect) && fixedClick) {
    TGridRect whole{-1, -1, -1, -1};
    if (col < GetFixedCols() && row < GetFixedRows() && FMouseActions->AllSelect && CursorMode == 3)
      whole = TGridRect{GetFixedCols(), GetFixedRows(), GetColCount() - 1, GetRowCount() - 1};
    else if (col < GetFixedCols() && row >= GetFixedRows() && FMouseActions->RowSelect && CursorMode == 2)
      whole = TGridRect{GetFixedCols(), row, GetColCount() - 1, row};
    else if (row < GetFixedRows() && col >= GetFixedCols() && FMouseActions->ColSelect && CursorMode == 1)
      whole = TGridRect{col, GetFixedRows(), col, GetRowCount() - 1};
    if (whole.Left >= 0) {
      // A drag over the headers extends a row or column selection from here.
      FHeaderDragKind = CursorMode == 3 ? 0 : CursorMode;
      FHeaderAnchor = CursorMode == 2 ? row : CursorMode == 1 ? col : -1;
      if (CanFocus()) SetFocus();
      ParkSelection();
      FSelectionSaved = false;
      SetSelection(whole);
      if (FActiveCellShow) Invalidate();
      return;
    }
  }
  const bool checkCell = IsCheckCell(real, row);
  if (checkCell && (!fixedClick || (row < GetFixedRows() && FMouseActions->CheckAllCheck))) {
    const bool editing = GetOptions().Contains(goEditing) || FEditingSuspended || FMouseActions->RangeSelectAndEdit;
    if (editing && CellCanEdit(real, row) &&
        (!FMouseActions->PreciseCheckBoxCheck || PointInCheckBox(real, row, X, Y))) {
      HideCellEditor(GetCol(), GetRow());
      if (CanFocus()) SetFocus();
      ToggleCheckBox(real, row, false);
      if (!FNavigation->AlwaysEdit && !fixedClick) MoveColRow(col, row, true, true);
      bool state = false;
      GetCheckBoxState(real, row, state);
      if (OnCheckBoxClick) OnCheckBoxClick(this, col, row, state);
      if (HideFocusRect) RepaintCell(col, row);
      if (fixedClick)
        for (int r = GetFixedRows(); r < GetRowCount() - FFixedFooters; ++r)
          if (IsCheckCell(real, r)) SetCheckBoxState(real, r, state);
      Click();
      return;
    }
  }
  const bool editableNormal = !fixedClick && CanEditCellAt(real, row) && !IsToggleCell(real, row);
  if (FMouseActions->DirectEdit && editableNormal) {
    if (CanFocus()) SetFocus();
    HideEditor();
  }
  if (ownerFixed) {
    if (OnClickCell) OnClickCell(this, row, col);
    return;
  }
  if (!FSelectionSaved) {
    TRestore<bool> noAlwaysEdit(FNavigation->AlwaysEdit, false);
    TBaseGrid::MouseDown(Button, Shift, X, Y);
  }
  if (fixedClick && GetGridState() == TGridState::gsNormal) StartMove(col, row, X, Y);
  if (FNavigation->KeepHorizScroll && GetOptions().Contains(goRowSelect)) SetLeftCol(FPressLeftCol);
  if (OnClickCell) OnClickCell(this, row, col);
  if (OnCellValidate) {
    FEditorShown = false;
    RememberCellValue(GetCol(), GetRow());
  }
  if (FMouseActions->DirectEdit && editableNormal && X - cell.Left > 3 && cell.Right - X > 3) ShowEditor();
}

void TGridView::ReleaseWrapped(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != TMouseButton::mbLeft) {
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    return;
  }
  const TGridState state = GetGridState();
  const bool sizing = state == TGridState::gsColSizing || state == TGridState::gsRowSizing;
  const bool moving = FMoveKind != 0 && FMoveDragged;
  bool moved = FMovedOrSized || sizing;
  FMovedOrSized = false;
  MouseSelecting = false;
  CursorMode = 0;
  FButtonDown = false;
  FHeaderAnchor = -1;
  FHeaderDragKind = 0;
  if (FHtmlButtonCell.X >= 0) {
    const TGridCoord b = std::exchange(FHtmlButtonCell, TGridCoord{-1, -1});
    RepaintCell(b.X, b.Y);
  }
  for (TArrowWindow* a : FArrows)
    if (a) a->SetVisible(false);
  if (FFixedSizing) {
    DrawSizingLine(FFixedSizingX);
    int before = 0;
    for (int c = 0; c < FFixedSizingCol; ++c) before += GetColWidths(c);
    FFixedSizing = false;
    FFixedSizeArmed = false;
    if (FHtmlHint && FHtmlHint->GetVisible()) FHtmlHint->ReleaseHint();
    SetColWidths(FFixedSizingCol, std::max(1, X - before));
    if (OnEndColumnSize) OnEndColumnSize(this, FFixedSizingCol);
    FFixedSizingCol = -1;
    return;
  }
  if (FPressedFixed.X >= 0) SetPressedFixed(TGridCoord{-1, -1});
  if (FPressedButton.X >= 0) {
    const TGridCoord b = FPressedButton;
    FPressedButton = {-1, -1};
    SetGraphicBoolean(b.X, b.Y, false);
    if (OnButtonClick) OnButtonClick(this, b.X, b.Y);
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    return;
  }
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col >= 0 && row >= 0 && IsButtonCell(RealColIndex(col), row)) {
    TRect box;
    if (CellControlRect(col, row, box) && box.Contains(TPoint{X, Y})) return;
  }
  if (FSelectOnRelease && col >= GetFixedCols() && row >= GetFixedRows()) {
    FSelectOnRelease = false;
    MoveColRow(col, row, true, true);
  }
  if (FToggleRowOnRelease) {
    FToggleRowOnRelease = false;
    SetRowSelected(FToggleRow, false);
  }
  if (FToggleColOnRelease) {
    FToggleColOnRelease = false;
    SetColSelected(FToggleCol, false);
  }
  const int downRow = FDownRow, downCol = FDownCol;
  if (FMoveKind != 0) {
    EndMove(true);
    moved = moved || FMovedOrSized;
    FMovedOrSized = false;
  }
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  if (FSelectionResizePending) {
    FSelectionResizePending = false;
    if (OnSelectionResize) OnSelectionResize(this, FOrigSelection, GetSelection());
    PasteFromClipboard();
  }
  if (moved || col < 0 || row < 0) return;
  if (col < GetFixedCols() && !FSortSettings->FixedCols) return;
  const int real = RealColIndex(col);
  if (IsCheckCell(real, row) && OnCheckBoxMouseUp) {
    bool st = false;
    GetCheckBoxState(real, row, st);
    OnCheckBoxMouseUp(this, col, row, st);
  }
  if (IsRadioCell(real, row) && OnRadioMouseUp) {
    int idx = -1;
    RadioSelection(real, row, idx);
    OnRadioMouseUp(this, col, row, idx);
  }
  if (FBorderDblClick) {
    FBorderDblClick = false;
    return;
  }
  const TRect cell = TBaseGrid::CellRect(col, row);
  if (row == 0 && GetOptions().Contains(goColSizing) &&
      (std::abs(X - cell.Left) < 4 || std::abs(X - cell.Right) < 4))
    return;
  if (row == 0 && HasColumnFilterButton(real) && X >= cell.Right - 16) return;
  HeaderClickSort(downRow, row, col, Shift, moving && col != downCol);
}

void TGridView::DoubleClickAt(int X, int Y) {
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0 && X >= 0) {
    col = GetColCount() - 1;
    row = 0;
  }
  if (col < 0 || row < 0) return;
  const TRect cell = TBaseGrid::CellRect(col, row);
  if (row < GetFixedRows() && GetOptions().Contains(goColSizing)) {
    int sized = -1;
    if (std::abs(X - cell.Left) < 4 && col - 1 >= GetFixedCols()) sized = col - 1;
    else if (std::abs(X - cell.Right) < 4 && col >= GetFixedCols()) sized = col;
    if (sized >= 0) {
      bool allow = true;
      if (OnColumnSize) OnColumnSize(this, sized, allow);
      if (allow) {
        AutoSizeColumn(sized, false);
        if (OnEndColumnSize) OnEndColumnSize(this, sized);
      }
      FBorderDblClick = true;
      return;
    }
  }
  TBaseGrid::MouseDown(TMouseButton::mbLeft, TShiftState{TShiftStateItem::ssDouble}, X, Y);
  if (OnDblClickCell) OnDblClickCell(this, row, col);
  const int real = RealColIndex(col);
  if (FMouseActions->RangeSelectAndEdit && CanEditCellAt(real, row) && row >= GetFixedRows()) {
    SetOptions(GetOptions() + goEditing);
    TBaseGrid::MouseDown(TMouseButton::mbLeft, TShiftState{}, X, Y);
  }
  if ((row < GetFixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
      (col < GetFixedCols() && FMouseActions->FixedColsEdit == fceDblClick))
    EditFixedCell(col, row);
}

// ================================================================ moves

void TGridView::ColumnMoved(int FromIndex, int ToIndex) {
  const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
  // The cells live at their real columns: with hidden columns they move by
  // real index, and the visible flags of the real columns move with them.
  TBaseGrid::ColumnMoved(from, to);
  if (FHiddenColCount > 0 && from < MaxHideableCols && to < MaxHideableCols) {
    auto first = FHiddenCols.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
  }
  for (int i = 0; i < FHiddenRows->Count(); ++i) {
    TStrings* cells = FHiddenRows->Item(i)->GetItems();
    if (!cells) continue;
    while (cells->GetCount() <= std::max(from, to)) cells->Add("");
    cells->Move(from, to);
  }
  if (!EnhRowColMove) {
    // Without the enhanced move the widths stay where they were.
    const int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    std::vector<int> widths;
    for (int c = lo; c <= hi; ++c) widths.push_back(GetColWidths(FollowMove(c, FromIndex, ToIndex)));
    for (int c = lo; c <= hi; ++c) SetColWidths(c, widths[size_t(c - lo)]);
  }
  FMovedOrSized = true;
  FSortSettings->Column = FollowMove(FSortSettings->Column, from, to);
  for (int i = 0; i < FSortIndexes->Count(); ++i) {
    const auto entry = static_cast<uint32_t>(FSortIndexes->Get(i));
    const int c = FollowMove(static_cast<int>(entry & 0xFFFF), from, to);
    FSortIndexes->Put(i, static_cast<int32_t>((entry & ~0xFFFFu) | static_cast<uint32_t>(c)));
  }
  const int col = FollowMove(GetCol(), FromIndex, ToIndex);
  if (col != GetCol()) MoveColRow(col, GetRow(), true, false);
}

void TGridView::RowMoved(int FromIndex, int ToIndex) {
  if (FFloatingFooter->ShowsLastRow() && ToIndex == GetRowCount() - 1) return;
  TBaseGrid::RowMoved(FromIndex, ToIndex);
  if (!EnhRowColMove) {
    const int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    std::vector<int> heights;
    for (int r = lo; r <= hi; ++r) heights.push_back(GetRowHeights(FollowMove(r, FromIndex, ToIndex)));
    for (int r = lo; r <= hi; ++r) SetRowHeights(r, heights[size_t(r - lo)]);
  }
  FMovedOrSized = true;
}

// ================================================================ moves by the mouse

bool TGridView::StartMove(int ACol, int ARow, int X, int Y) {
  FMoveKind = 0;
  if (ARow < GetFixedRows() && ACol >= GetFixedCols() && ACol < GetColCount() - FFixedRightCols &&
      GetOptions().Contains(goColMoving)) {
    FMoveKind = 1;
    FMoveFrom = FMoveTo = ACol;
  } else if (ACol < GetFixedCols() && ARow >= GetFixedRows() && ARow < GetRowCount() - FFixedFooters &&
             GetOptions().Contains(goRowMoving)) {
    FMoveKind = 2;
    FMoveFrom = FMoveTo = ARow;
  }
  if (FMoveKind == 0) return false;
  const TRect cell = TBaseGrid::CellRect(ACol, ARow);
  FMoveOffset = TPoint{X - cell.Left, Y - cell.Top};
  FMoveDragged = false;
  return true;
}

void TGridView::TrackMove(int X, int Y) {
  bool allow = true;
  if (FMoveKind == 1 && OnColumnMove) OnColumnMove(this, FMoveFrom, allow);
  if (FMoveKind == 2 && OnRowMove) OnRowMove(this, FMoveFrom, allow);
  if (!allow) {
    EndMove(false);
    return;
  }
  FMoveDragged = true;
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (FMoveKind == 1 && col >= GetFixedCols() && col < GetColCount() - FFixedRightCols) FMoveTo = col;
  if (FMoveKind == 2 && row >= GetFixedRows() && row < GetRowCount() - FFixedFooters) FMoveTo = row;
  if (!EnhRowColMove) return;
  // The view follows the pointer over the fixed cells and beyond the edges.
  if (FMoveKind == 1) {
    if (X < FixedColsWidth() && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
    else if (X > GetClientWidth() && GetLeftCol() < MaxLeftCol()) SetLeftCol(GetLeftCol() + 1);
  } else {
    if (Y < FixedRowsHeight() && GetTopRow() > GetFixedRows()) SetTopRow(GetTopRow() - 1);
    else if (Y > GetClientHeight() && GetTopRow() < MaxTopRow()) SetTopRow(GetTopRow() + 1);
  }
  ShowMoveFeedback(X, Y);
  Invalidate();
}

void TGridView::ShowMoveFeedback(int X, int Y) {
  const bool cols = FMoveKind == 1;
  if (FPopupButton) {
    const int w = cols ? GetColWidths(FMoveFrom) : GetColWidths(0);
    const int h = cols ? GetRowHeights(0) : GetRowHeights(FMoveFrom);
    FPopupButton->SetText(cols ? CellText(RealColIndex(FMoveFrom), 0) : CellText(0, FMoveFrom));
    if (FLook == glLumo) {
      FPopupButton->SetGradFrom(0xC0C0C0);
      FPopupButton->SetGradTo(clWhite);
    } else if (FLook == glXP) {
      FPopupButton->SetGradFrom(clWhite);
      FPopupButton->SetGradTo(clBtnFace);
    } else {
      FPopupButton->SetGradFrom(clBtnFace);
      FPopupButton->SetGradTo(clBtnFace);
    }
    const TPoint p = ClientToScreen(TPoint{X - FMoveOffset.X, Y - FMoveOffset.Y});
    FPopupButton->SetBounds(p.X, p.Y, w, h);
    FPopupButton->SetVisible(true);
  }
  const TRect target = cols ? TBaseGrid::CellRect(FMoveTo, 0) : TBaseGrid::CellRect(0, FMoveTo);
  const bool visible = !target.IsEmpty();
  const bool footer = !cols && FFloatingFooter->ShowsLastRow() && FMoveTo == GetRowCount() - 1;
  auto place = [&](int Index, int Left, int Top) {
    TArrowWindow* a = FArrows[size_t(Index)];
    if (!a) return;
    const TPoint p = ClientToScreen(TPoint{Left, Top});
    a->SetBounds(p.X, p.Y, a->GetWidth(), a->GetHeight());
    a->SetVisible(visible && !footer);
  };
  if (cols) {
    // Arrows pointing down above the target header and up below it.
    const int x = (FMoveTo > FMoveFrom ? target.Right : target.Left) - 5;
    place(1, x, target.Top - 8);
    place(0, x, target.Bottom);
    for (int d : {2, 3})
      if (FArrows[size_t(d)]) FArrows[size_t(d)]->SetVisible(false);
  } else {
    const int y = (FMoveTo > FMoveFrom ? target.Bottom : target.Top) - 5;
    const TRect rowRect(target.Left, target.Top, GetClientWidth(), target.Bottom);
    place(2, rowRect.Left - 10, y);
    place(3, std::min(GridWidth(), rowRect.Right), y);
    for (int d : {0, 1})
      if (FArrows[size_t(d)]) FArrows[size_t(d)]->SetVisible(false);
  }
  SetCursor(crDrag);
}

void TGridView::HideMoveFeedback() {
  if (FPopupButton) FPopupButton->SetVisible(false);
  for (TArrowWindow* a : FArrows)
    if (a) a->SetVisible(false);
}

void TGridView::EndMove(bool Drop) {
  const int kind = FMoveKind, from = FMoveFrom, to = FMoveTo;
  const bool dragged = FMoveDragged;
  FMoveKind = 0;
  FMoveFrom = FMoveTo = -1;
  FMoveDragged = false;
  HideMoveFeedback();
  SetCursor(Cursor);
  if (!Drop || !dragged || to < 0 || to == from) return;
  if (kind == 1) MoveColumn(from, to);
  else MoveRow(from, to);
}

void TGridView::SetPressedFixed(TGridCoord Cell) {
  const TGridCoord old = FPressedFixed;
  FPressedFixed = Cell;
  if (old.X >= 0) RepaintCell(old.X, old.Y);
  if (Cell.X >= 0) RepaintCell(Cell.X, Cell.Y);
}

bool TGridView::TrackFixedColSizing(int X, int Y) {
  if (FFixedSizing) {
    if (X != FFixedSizingX) {
      DrawSizingLine(FFixedSizingX);
      FFixedSizingX = X;
      DrawSizingLine(X);
    }
    return true;
  }
  FFixedSizeArmed = false;
  FFixedSizingCol = -1;
  if (!FMouseActions->SizeFixedCol || ComponentState.Contains(TComponentStateItem::csDesigning)) return false;
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0 || row < 0) return false;
  // The border of each fixed column: its width and one pixel per column so far.
  int edge = 0;
  for (int c = 0; c < GetFixedCols(); ++c) {
    edge += GetColWidths(c) + 1;
    if (std::abs(X - edge) < 3) {
      FFixedSizingCol = c;
      FFixedSizeArmed = true;
      return true;
    }
  }
  return false;
}

bool TGridView::HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const {
  if (FPanning) return false;
  auto& self = const_cast<TGridView&>(*this);
  std::string text;
  TPoint screen;
  if (!self.CellHint(P.X, P.Y, text, screen) || text.empty()) return TBaseGrid::HintAt(P, HintText, CursorRect);
  int col = -1, row = -1;
  MouseToCell(P.X, P.Y, col, row);
  // The grid shows cell hints itself, in its markup hint window at the
  // cell's place and in HintColor; the window system shows none.
  self.ShowHtmlHint(screen, HTMLHint ? text : GridUtil::EscapeMarkup(text));
  self.FCellHintShown = true;
  HintText.clear();
  CursorRect = self.TBaseGrid::CellRect(col, row);
  return true;
}

void TGridView::MouseLeave() {
  TBaseGrid::MouseLeave();
  if (FCellHintShown) ShowHtmlHint(TPoint{0, 0}, "");
  FCellHintShown = false;
  FHintCell = {-1, -1};
}

// ================================================================ press, release and movement

bool TGridView::IsDisjunctCellSelected(int ACol, int ARow) const {
  const int32_t key = ACol | (ARow << 16);
  return std::find(FSelectedCells.begin(), FSelectedCells.end(), key) != FSelectedCells.end();
}

void TGridView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridRect before = GetSelection();
  if (Button == TMouseButton::mbLeft && !Shift.Contains(TShiftStateItem::ssDouble)) {
    FPressPoint = TPoint{X, Y};
    FPendingDrag = FDragDropSettings->OleDropSource;
  }
  PressWrapped(Button, Shift, X, Y);
  if (FFixedSizing) return;
  const TGridRect now = GetSelection();
  if (!(now == before)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
  // A press that starts sizing a column notes the column and its width (user resize).
  if (GetGridState() == TGridState::gsColSizing) {
    for (int c = 0; c < GetColCount(); ++c) {
      const TRect r = TBaseGrid::PlainCellRect(c, 0);
      if (!r.IsEmpty() && std::abs(X - r.Right) <= 3) {
        ColumnResizing = true;
        SizedCol = c;
        SizedColWidth = GetColWidths(c);
        break;
      }
    }
  } else if (GetGridState() == TGridState::gsRowSizing) {
    for (int r = 0; r < GetRowCount(); ++r) {
      const TRect cell = TBaseGrid::PlainCellRect(0, r);
      if (!cell.IsEmpty() && std::abs(Y - cell.Bottom) <= 3) {
        RowResizing = true;
        SizedRow = r;
        SizedRowHeight = GetRowHeights(r);
        break;
      }
    }
  }
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0 || row < 0 || Button != TMouseButton::mbLeft || Shift.Contains(TShiftStateItem::ssDouble)) return;
  if ((row < GetFixedRows() && FMouseActions->FixedRowsEdit == fceLeftClick) ||
      (col < GetFixedCols() && FMouseActions->FixedColsEdit == fceLeftClick))
    EditFixedCell(col, row);
}

void TGridView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState state = GetGridState();
  if (FHtmlHint) FHtmlHint->ReleaseHint();
  // Sizing released beyond the grid's edge changes nothing.
  if ((state == TGridState::gsColSizing && X > GridWidth()) || (state == TGridState::gsRowSizing && Y > GridHeight())) {
    std::vector<int> sizes;
    const bool cols = state == TGridState::gsColSizing;
    for (int i = 0; i < (cols ? GetColCount() : GetRowCount()); ++i)
      sizes.push_back(cols ? GetColWidths(i) : GetRowHeights(i));
    ColumnResizing = RowResizing = false;
    ReleaseWrapped(Button, Shift, X, Y);
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
      if (cols && GetColWidths(i) != sizes[size_t(i)]) SetColWidths(i, sizes[size_t(i)]);
      if (!cols && GetRowHeights(i) != sizes[size_t(i)]) SetRowHeights(i, sizes[size_t(i)]);
    }
    return;
  }
  if (Button == TMouseButton::mbLeft && FMouseActions->GetDisjunctCellSelect()) {
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col >= 0 && row >= 0) {
      const TPoint b = BaseCell(col, row);
      if (b.X >= GetFixedCols() && b.Y >= GetFixedRows() && !CellIsFixed(b.X, b.Y)) {
        const int32_t key = b.X | (b.Y << 16);
        if (Shift.Contains(TShiftStateItem::ssCtrl)) {
          const auto it = std::find(FSelectedCells.begin(), FSelectedCells.end(), key);
          if (it != FSelectedCells.end()) FSelectedCells.erase(it);
          else FSelectedCells.push_back(key);
        } else {
          for (int32_t k : FSelectedCells) RepaintCell(k & 0xFFFF, k >> 16);
          FSelectedCells.assign(1, key);
        }
        const TGridRect sel = GetSelection();
        if (sel.Right > sel.Left || sel.Bottom > sel.Top)
          for (int r = sel.Top; r <= sel.Bottom; ++r)
            for (int c = sel.Left; c <= sel.Right; ++c)
              if ((c != b.X || r != b.Y) && !IsDisjunctCellSelected(c, r)) FSelectedCells.push_back(c | (r << 16));
        for (int32_t k : FSelectedCells) RepaintCell(k & 0xFFFF, k >> 16);
        RepaintCell(col, row);
      }
    }
  }
  if (Button == TMouseButton::mbRight && FMoveKind != 0 && EnhRowColMove) return;
  const TGridRect before = GetSelection();
  ReleaseWrapped(Button, Shift, X, Y);
  FPendingDrag = false;
  const TGridRect now = GetSelection();
  if (!(now == before)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TGridView::MouseMove(TShiftState Shift, int X, int Y) {
  const bool designing = ComponentState.Contains(TComponentStateItem::csDesigning);
  if (FFixedSizing) {
    TrackFixedColSizing(X, Y);
    if (HintShowSizing || designing) {
      const TRect cell = TBaseGrid::PlainCellRect(FFixedSizingCol, 0);
      const std::string text = "cw=<b>" + std::to_string(std::max(0, FFixedSizingX - cell.Left)) + "</b>";
      ShowHtmlHint(ClientToScreen(TPoint{cell.Left, cell.Top}), text);
    }
    return;
  }
  if (FMoveKind != 0 && FButtonDown) {
    const TGridRect before = GetSelection();
    TrackMove(X, Y);
    if (FMoveKind != 0) {
      const TGridRect now = GetSelection();
      if (!(now == before)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
      return;
    }
  }
  if (FButtonDown && FMouseActions->RangeSelectAndEdit && GetOptions().Contains(goEditing))
    SetOptions(GetOptions() - TGridOptions{goEditing});
  // A drag over the headers extends the row or column selection from its anchor.
  if (FButtonDown && FHeaderAnchor >= 0) {
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (FHeaderDragKind == 2 && FMouseActions->RowSelect && r >= 0) {
      r = std::max(r, GetFixedRows());
      SetSelection(
          TGridRect{GetFixedCols(), std::min(FHeaderAnchor, r), GetColCount() - 1, std::max(FHeaderAnchor, r)});
    } else if (FHeaderDragKind == 1 && FMouseActions->ColSelect && c >= 0) {
      c = std::max(c, GetFixedCols());
      SetSelection(
          TGridRect{std::min(FHeaderAnchor, c), GetFixedRows(), std::max(FHeaderAnchor, c), GetRowCount() - 1});
    }
  }
  const bool fixedSizeHover = !FButtonDown && TrackFixedColSizing(X, Y);
  int target = 0;
  if (FSelectionResizer && FSelectionRectangle) {
    const TGridRect sel = GetSelection();
    const TRect r = TBaseGrid::CellRect(sel.Right, sel.Bottom);
    if (!r.IsEmpty() && X >= r.Right - 4 && X < r.Right && Y >= r.Bottom - 4 && Y < r.Bottom) target = 5;
  }
  // A drag starts only beyond 3 pixels from the press point.
  if (FPendingDrag && FButtonDown && (std::abs(X - FPressPoint.X) > 3 || std::abs(Y - FPressPoint.Y) > 3) &&
      FDragDropSettings->OleDropSource && GetGridState() != TGridState::gsColSizing && target != 5) {
    FPendingDrag = false;
    if (DragStartHook) DragStartHook(this);
    else StartOleDrag(X, Y);
  }
  const TGridState state = GetGridState();
  if (state == TGridState::gsColSizing || state == TGridState::gsRowSizing) FMovedOrSized = true;
  TBaseGrid::MouseMove(Shift, X, Y);
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (target == 0 && col >= 0 && row >= 0) {
    const TRect cell = TBaseGrid::PlainCellRect(col, row);
    const bool nearCol = GetOptions().Contains(goColSizing) && (std::abs(X - cell.Left) < 4 || std::abs(X - cell.Right) < 4);
    const bool nearRow = GetOptions().Contains(goRowSizing) && (std::abs(Y - cell.Top) < 4 || std::abs(Y - cell.Bottom) < 4);
    if (col < GetFixedCols() && row < GetFixedRows() && FMouseActions->AllSelect) target = 3;
    else if (row < GetFixedRows() && col >= GetFixedCols() && FMouseActions->ColSelect && !nearCol) target = 1;
    else if (col < GetFixedCols() && row >= GetFixedRows() && FMouseActions->RowSelect && !nearRow &&
             !(HasNodes() && PointInNodeGlyph(row, X - cell.Left)))
      target = 2;
  }
  if (FHeaderAnchor >= 0 && FButtonDown) target = FHeaderDragKind;
  CursorMode = target;
  bool claimed = target == 1 || target == 2 || target == 3;
  if (claimed) SetCursor(target == 1 ? 8011 : target == 2 ? 8010 : 8012);
  if (fixedSizeHover && !claimed) {
    SetCursor(crHSplit);
    claimed = true;
  }
  // Hyperlinks: plain-text links and the anchors of markup cells.
  std::string anchor;
  if (FURLShow && col >= 0 && row >= 0) {
    const std::string text = CellText(RealColIndex(col), row);
    if (GridUtil::TextKind(text, EnableHTML) != GridUtil::tkHtml && GridUtil::IsLink(text)) anchor = text;
  }
  if (anchor.empty() && col >= 0 && row >= 0) anchor = HtmlAnchorAt(col, row, X, Y);
  if (!anchor.empty()) {
    SetCursor(crHandPoint);
    claimed = true;
    if (anchor != FHoverAnchor) {
      FHoverAnchor = anchor;
      if (OnAnchorEnter) OnAnchorEnter(this, row, col, anchor);
    }
  } else if (!FHoverAnchor.empty()) {
    if (OnAnchorExit) OnAnchorExit(this, row, col, FHoverAnchor);
    FHoverAnchor.clear();
  }
  if (!claimed && state == TGridState::gsNormal && GetCursor() != Cursor && GetCursor() != crHSplit &&
      GetCursor() != crVSplit)
    SetCursor(Cursor);
  if (FHintCell.X >= 0 && (col != FHintCell.X || row != FHintCell.Y)) {
    Hints::CancelHint();
    if (FCellHintShown) ShowHtmlHint(TPoint{0, 0}, "");
    FCellHintShown = false;
    FHintCell = {-1, -1};
  }
  if (state == TGridState::gsSelecting && FSelectionRectangle && !(GetSelection() == FLastSelection)) {
    RepaintRange(GetSelection());
    FLastSelection = GetSelection();
  }
  if ((HintShowSizing || designing) && (state == TGridState::gsColSizing || state == TGridState::gsRowSizing)) {
    const bool cols = state == TGridState::gsColSizing;
    const int index = cols ? (SizedCol >= 0 ? SizedCol : GetColCount() - 1) : (SizedRow >= 0 ? SizedRow : GetRowCount() - 1);
    const TRect cell = cols ? TBaseGrid::PlainCellRect(index, 0) : TBaseGrid::PlainCellRect(0, index);
    const int size = cols ? X - cell.Left : Y - cell.Top;
    const std::string text = (cols ? "cw=<b>" : "rh=<b>") + std::to_string(std::max(0, size)) + "</b>";
    ShowHtmlHint(ClientToScreen(TPoint{cell.Left, cell.Top}), text);
  } else if (FHtmlHint && FHtmlHint->GetVisible()) {
    FHtmlHint->ReleaseHint();
  }
}

bool TGridView::CanSizeBorder(int X, int Y, bool IsColumn, int Index) {
  if (!TBaseGrid::CanSizeBorder(X, Y, IsColumn, Index)) return false;
  int col = -1, row = -1;
  bool allow = true;
  if (IsColumn) {
    MouseToCell(X - 6, Y, col, row);
    if (row >= 0 && row < GetFixedRows() && col >= 0 && OnColumnSize) OnColumnSize(this, col, allow);
  } else {
    MouseToCell(X, Y - 6, col, row);
    if (col >= 0 && col < GetFixedCols() && row >= 0 && OnRowSize) OnRowSize(this, row, allow);
  }
  return allow;
}

bool TGridView::CellHint(int X, int Y, std::string& Text, TPoint& ScreenPos) {
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0 || row < 0) return false;
  const int real = RealColIndex(col);
  const TRect cell = TBaseGrid::CellRect(col, row);
  FHintCell = {col, row};
  TPoint pos{cell.Left, cell.Bottom + 6};
  std::string comment;
  if (CellComment(real, row, comment)) {
    Text = comment;
    pos = TPoint{cell.Right, cell.Top};
  }
  const bool normal = col >= GetFixedCols() && row >= GetFixedRows() && !CellIsFixed(col, row);
  const std::string text = CellText(real, row);
  if (HintShowCells && normal) {
    Text = HTMLHint ? text : StripTags(text);
    pos = TPoint{cell.Left, cell.Top};
  }
  if (HintShowLargeText && !text.empty()) {
    TCanvas& c = *GetCanvas();
    c.Font->Assign(*GetFont());
    if (c.TextWidth(StripTags(text)) + 2 * FCellMarginX > GetColWidths(col)) {
      Text = HTMLHint ? text : StripTags(text);
      pos = TPoint{cell.Left, cell.Top};
    }
  }
  DoGridHint(row, col, Text);
  ScreenPos = ClientToScreen(pos);
  return true;
}
