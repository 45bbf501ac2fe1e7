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

bool Has(TShiftState S, TShiftStateItem I) { return S.Contains(I); }

// An index that follows a column moved from From to To.
int FollowMove(int Index, int From, int To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (To < From && Index >= To && Index < From) return Index + 1;
  return Index;
}

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
  if (Has(Shift, TShiftStateItem::ssDouble)) {
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
    if (Has(Shift, TShiftStateItem::ssCtrl) && RowSelected(r)) {
      FToggleRowOnRelease = true;
      FToggleRow = r;
    } else if (!Has(Shift, TShiftStateItem::ssCtrl)) {
      MouseSelecting = true;
      ClearRowSelection();
    }
  }
  if (col >= GetFixedCols() && FMouseActions->GetDisjunctColSelect()) {
    if (Has(Shift, TShiftStateItem::ssCtrl) && ColSelected(col)) {
      FToggleColOnRelease = true;
      FToggleCol = col;
    } else if (!Has(Shift, TShiftStateItem::ssCtrl)) {
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
  const bool moving = state == TGridState::gsColMoving || state == TGridState::gsRowMoving;
  const bool moved = FMovedOrSized || sizing;
  FMovedOrSized = false;
  MouseSelecting = false;
  CursorMode = 0;
  FButtonDown = false;
  for (TArrowWindow* a : FArrows)
    if (a) a->SetVisible(false);
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
  TBaseGrid::ColumnMoved(FromIndex, ToIndex);
  FMovedOrSized = true;
  const int from = RealColIndex(FromIndex), to = RealColIndex(ToIndex);
  FSortSettings->Column = FollowMove(FSortSettings->Column, from, to);
  for (int i = 0; i < FSortIndexes->Count(); ++i) {
    const auto entry = static_cast<uint32_t>(FSortIndexes->Get(i));
    const int c = FollowMove(static_cast<int>(entry & 0xFFFF), from, to);
    FSortIndexes->Put(i, static_cast<int32_t>((entry & ~0xFFFFu) | static_cast<uint32_t>(c)));
  }
}

void TGridView::RowMoved(int FromIndex, int ToIndex) {
  if (FFloatingFooter->ShowsLastRow() && ToIndex == GetRowCount() - 1) return;
  TBaseGrid::RowMoved(FromIndex, ToIndex);
  FMovedOrSized = true;
}

// ================================================================ press, release and movement

bool TGridView::IsDisjunctCellSelected(int ACol, int ARow) const {
  const int32_t key = ACol | (ARow << 16);
  return std::find(FSelectedCells.begin(), FSelectedCells.end(), key) != FSelectedCells.end();
}

void TGridView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridRect before = GetSelection();
  if (Button == TMouseButton::mbLeft && !Has(Shift, TShiftStateItem::ssDouble)) {
    FPressPoint = TPoint{X, Y};
    FPendingDrag = FDragDropSettings->OleDropSource;
  }
  PressWrapped(Button, Shift, X, Y);
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
  if (col < 0 || row < 0 || Button != TMouseButton::mbLeft || Has(Shift, TShiftStateItem::ssDouble)) return;
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
        if (Has(Shift, TShiftStateItem::ssCtrl)) {
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
  if (Button == TMouseButton::mbRight && state == TGridState::gsColMoving) return;
  const TGridRect before = GetSelection();
  ReleaseWrapped(Button, Shift, X, Y);
  FPendingDrag = false;
  const TGridRect now = GetSelection();
  if (!(now == before)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
}

void TGridView::MouseMove(TShiftState Shift, int X, int Y) {
  if (FButtonDown && FMouseActions->RangeSelectAndEdit && GetOptions().Contains(goEditing))
    SetOptions(GetOptions() - TGridOptions{goEditing});
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
  CursorMode = target;
  bool claimed = target == 1 || target == 2 || target == 3;
  if (claimed) SetCursor(target == 1 ? 8011 : target == 2 ? 8010 : 8012);
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
    FHintCell = {-1, -1};
  }
  if (state == TGridState::gsSelecting && FSelectionRectangle && !(GetSelection() == FLastSelection)) {
    RepaintRange(GetSelection());
    FLastSelection = GetSelection();
  }
  const bool designing = ComponentState.Contains(TComponentStateItem::csDesigning);
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
