// Keyboard (key-down table, typed characters, Tab, incremental search), the
// editing hooks around rows, the update lock, focus, the grid's timer and the
// size message.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"

#include <algorithm>
#include <cmath>

namespace {

bool Has(TShiftState S, TShiftStateItem I) { return S.Contains(I); }

bool IsArrow(uint16_t Key) { return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN; }

bool IsNavigationKey(uint16_t Key) {
  return IsArrow(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
}

}  // namespace

// ================================================================ hooks

void TGridView::EditorCaretMoved(const std::string& /*Text*/, TPoint /*CaretPoint*/, int /*CaretPos*/) {}

void TGridView::AutoInsertRow(int ARow) {
  InsertRows(ARow, 1);
  if (OnAutoInsertRow) OnAutoInsertRow(this, ARow);
}

void TGridView::AutoDeleteRow(int ARow) {
  if (GetRowCount() - GetFixedRows() - FFixedFooters == 1 && !FixedRowAlways) ClearRows(ARow, 1);
  else RemoveRows(ARow, 1);
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TGridView::ColumnChanged(int ACol) { RecalcFooter(ACol); }

void TGridView::AllColumnsChanged() { RecalcFooter(-1); }

void TGridView::CellsChanged(const TRect& R) {
  DoCellsChanged(R);
  AllColumnsChanged();
}

void TGridView::Click() {
  TBaseGrid::Click();
  FEditorShown = false;
  RememberCellValue(GetCol(), GetRow());
}

int TGridView::FirstNavigableCol() { return GetFixedCols() == 0 && HasNodes() ? 1 : GetFixedCols(); }

int TGridView::VisibleFixedRightCols() {
  int n = FFixedRightCols;
  for (int i = 0; i < FFixedRightCols; ++i)
    if (IsColumnHidden(AllColCount() - 1 - i)) --n;
  return std::max(0, n);
}

// ================================================================ update lock

void TGridView::BeginUpdate() {
  if (GetVisible()) ++FUpdateCount;
}

void TGridView::EndUpdate() {
  if (!GetVisible()) return;
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0) {
    Invalidate();
    DrawFlatBorder();
  }
}

// ================================================================ keys

void TGridView::SkipFixedCellsKey(uint16_t& Key) {
  if (!FNavigation->SkipFixedCells || !OnIsFixedCell || !IsArrow(Key)) return;
  const int dx = Key == VK_LEFT ? -1 : Key == VK_RIGHT ? 1 : 0;
  const int dy = Key == VK_UP ? -1 : Key == VK_DOWN ? 1 : 0;
  const int c0 = GetFixedCols(), c1 = GetColCount() - FFixedRightCols - 1;
  const int r0 = GetFixedRows(), r1 = GetRowCount() - FFixedFooters - 1;
  auto inside = [&](int c, int r) { return c >= c0 && c <= c1 && r >= r0 && r <= r1; };
  auto ownerFixed = [&](int c, int r) {
    bool f = false;
    OnIsFixedCell(this, r, c, f);
    return f;
  };
  int c = GetCol() + dx, r = GetRow() + dy;
  if (!inside(c, r) || !ownerFixed(c, r)) return;
  while (inside(c, r) && ownerFixed(c, r)) {
    c += dx;
    r += dy;
  }
  if (inside(c, r)) MoveColRow(c, r, true, true);
  Key = 0;
}

void TGridView::DisjunctKeys(uint16_t Key, TShiftState Shift) {
  const bool shift = Has(Shift, TShiftStateItem::ssShift), ctrl = Has(Shift, TShiftStateItem::ssCtrl);
  if (FMouseActions->GetDisjunctRowSelect()) {
    if (Key == VK_SPACE) {
      SetRowSelected(GetRow(), !RowSelected(GetRow()));
    } else if (IsNavigationKey(Key)) {
      if (!shift && !ctrl) ClearRowSelection();
      if (shift) {
        const TGridRect s = GetSelection();
        for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetRowSelected(r, r >= s.Top && r <= s.Bottom);
      } else {
        SetRowSelected(GetRow(), true);
      }
    }
  }
  if (FMouseActions->GetDisjunctColSelect()) {
    if (Key == VK_SPACE) {
      SetColSelected(GetCol(), !ColSelected(GetCol()));
    } else if (IsNavigationKey(Key)) {
      if (!shift && !ctrl) ClearColSelection();
      if (shift) {
        const TGridRect s = GetSelection();
        for (int c = GetFixedCols(); c < GetColCount(); ++c) SetColSelected(c, c >= s.Left && c <= s.Right);
      } else {
        SetColSelected(GetCol(), true);
      }
    }
  }
}

void TGridView::KeyDown(uint16_t& Key, TShiftState Shift) {
  PendingCaret = false;  // an editor a key opens keeps its own caret
  if (FPanning) {
    StopPanning();
    Key = 0;
    return;
  }
  const bool ctrl = Has(Shift, TShiftStateItem::ssCtrl), shift = Has(Shift, TShiftStateItem::ssShift),
             alt = Has(Shift, TShiftStateItem::ssAlt);
  const uint16_t original = Key;
  const int real = RealCurrentCol(), row = GetRow();
  if (Key == VK_SPACE && IsToggleCell(real, row)) {
    const bool editing = GetOptions().Contains(goEditing) || FEditingSuspended || FMouseActions->RangeSelectAndEdit;
    if (editing && CellCanEdit(real, row)) ToggleCellControl(GetCol(), row);
  }
  bool done = false;
  const bool rowSelect = GetOptions().Contains(goRowSelect);
  if (Key == VK_HOME && FNavigation->HomeEndKey == heFirstLastRow) {
    SetRow(GetFixedRows());
    done = true;
  } else if (Key == VK_HOME && FNavigation->HomeEndKey == heFirstLastColumn && rowSelect) {
    SetCol(FirstNavigableCol());
    SetLeftCol(FirstNavigableCol());
    done = true;
  } else if (Key == VK_END && FNavigation->HomeEndKey == heFirstLastRow) {
    SetRow(FFloatingFooter->GetVisible() && GetRowCount() > 2 ? GetRowCount() - 2 : GetRowCount() - FFixedFooters - 1);
    done = true;
  } else if (Key == VK_END && FNavigation->HomeEndKey == heFirstLastColumn && rowSelect) {
    SetCol(GetColCount() - 1);
    SetLeftCol(GetColCount() - VisibleColCount());
    done = true;
  }
  if (done) {
    SnapToBaseCell();
    Key = 0;
    return;
  }
  if (Key == VK_TAB && GetOptions().Contains(goTabs)) {
    TabToNextCell(shift);
    Key = 0;
    return;
  }
  SkipFixedCellsKey(Key);
  if (Key == 0) return;
  const bool clipboardKeys = FNavigation->AllowClipboardShortCuts;
  auto clipboard = [&](TClipboardEvent& Event, void (TGridView::*Op)()) {
    bool allow = true;
    if (Event) Event(this, allow);
    if (allow) (this->*Op)();
    Key = 0;
  };
  if (clipboardKeys && ((ctrl && Key == 'X') || (shift && Key == VK_DELETE))) {
    clipboard(OnClipboardCut, &TGridView::CutToClipboard);
    return;
  }
  if (clipboardKeys && ((ctrl && Key == 'V') || (shift && Key == VK_INSERT))) {
    clipboard(OnClipboardPaste, &TGridView::PasteFromClipboard);
    return;
  }
  if (clipboardKeys && ctrl && (Key == 'C' || Key == VK_INSERT)) {
    clipboard(OnClipboardCopy, &TGridView::CopyToClipboard);
    return;
  }
  if (ctrl && Key == 'A') {
    if (rowSelect || GetOptions().Contains(goRangeSelect))
      SetSelection(TGridRect{FirstNavigableCol(), GetFixedRows(), GetColCount() - FFixedRightCols - 1,
                             GetRowCount() - FFixedFooters - 1});
    Key = 0;
    return;
  }
  if (FSelectionRectangle && !(GetSelection() == FLastSelection)) {
    RepaintRange(FLastSelection);
    RepaintRange(GetSelection());
    FLastSelection = GetSelection();
  }
  TBaseGrid::KeyDown(Key, Shift);
  if (FSelectionRectangle && !(GetSelection() == FLastSelection)) {
    RepaintRange(FLastSelection);
    RepaintRange(GetSelection());
    FLastSelection = GetSelection();
  }
  if (original == VK_INSERT && FNavigation->AllowInsertRow && !ctrl && !shift && !alt) {
    bool can = true;
    DoCanInsertRow(GetRow(), can);
    if (can) {
      if (FNavigation->InsertPosition == pInsertBefore) {
        AutoInsertRow(GetRow());
      } else if (FixedRowAlways && GetRowCount() == GetFixedRowsRaw()) {
        AutoInsertRow(GetRow());
        SetRow(1);
      } else {
        AutoInsertRow(GetRow() + 1);
        SetRow(GetRow() + 1);
      }
      AllColumnsChanged();
    }
  }
  DisjunctKeys(original, Shift);
  if (original == VK_DELETE && FNavigation->AllowDeleteRow && !alt &&
      GetRowCount() - GetFixedRows() - FFixedFooters >= 1) {
    bool can = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, GetRow(), can);
    if (can) {
      AutoDeleteRow(GetRow());
      AllColumnsChanged();
    }
  }
}

bool TGridView::HandleTypedChar(TKeyChar& Key) {
  if (Key == 3 || Key == 22 || Key == 24) {
    if (FNavigation->AllowClipboardShortCuts) return false;
  }
  const int real = RealCurrentCol(), row = GetRow();
  const bool toggle = IsToggleCell(real, row);
  TGridInplaceEdit* editor = InplaceEditor();
  const bool shown = editor && editor->GetVisible();
  if (FMouseActions->RangeSelectAndEdit && !toggle && !shown && (Key >= 32 || Key == 8)) {
    const bool editable = GetOptions().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    const bool covered = IsMergedCell(GetCol(), row) && !IsBaseCell(GetCol(), row);
    bool ownerFixed = false;
    if (OnIsFixedCell) OnIsFixedCell(this, row, GetCol(), ownerFixed);
    if (editable && !covered && CellCanEdit(real, row) && !ownerFixed) {
      PendingChar = Key;
      SetOptions(GetOptions() + goEditing);
      const TRect r = TBaseGrid::CellRect(GetCol(), row);
      MouseDown(TMouseButton::mbLeft, TShiftState{}, r.Left + 2, r.Top + 2);
      MouseUp(TMouseButton::mbLeft, TShiftState{}, r.Left + 2, r.Top + 2);
      if (TGridInplaceEdit* e = InplaceEditor(); e && e->GetVisible()) {
        TKeyChar c = PendingChar;
        e->SelectAll();
        e->KeyPress(c);
      }
      PendingChar = 0;
      return false;
    }
  }
  if (Key == u'.' && NumPadKey && ExcelStyleDecimalSeparator) Key = static_cast<TKeyChar>(::FormatSettings.DecimalSeparator);
  NumPadKey = false;
  if (toggle && Key != u'\r') return false;
  if (GetOptions().Contains(goEditing) && (Key == 8 || Key > 31) && !shown) {
    if (toggle) return false;
    PendingChar = Key;
    ShowEditor();
    if (TGridInplaceEdit* e = InplaceEditor(); e && e->GetVisible()) {
      TKeyChar c = Key;
      e->SelectAll();
      e->KeyPress(c);
    }
    PendingChar = 0;
    return false;
  }
  return true;
}

void TGridView::KeyPress(TKeyChar& Key) {
  if (!HandleTypedChar(Key)) {
    Key = 0;
    return;
  }
  GridKeyPress(Key);
}

void TGridView::GridKeyPress(TKeyChar& Key) {
  TGridInplaceEdit* editor = InplaceEditor();
  const bool editorHasFocus = editor && editor->GetVisible();
  if (Key == 27) {
    if (GetOptions().Contains(goEditing) && EditPending) RestoreOriginalText();
    Key = 0;
    return;
  }
  if (Key == u'\r') {
    const bool toggle = IsToggleCell(RealCurrentCol(), GetRow());
    if (editorHasFocus || toggle) AdvanceCell(GetCol(), GetRow(), true, false, false);
    if (toggle) {
      Key = 0;
      return;
    }
  }
  if (!GetOptions().Contains(goEditing) && FNavigation->AutoGotoWhenSorted && Key != u'\r' && Key != 27) {
    if (FNavigation->AutoGotoIncremental) {
      if (Key == 8) {
        if (!SearchText.empty()) SearchText.pop_back();
      } else {
        SearchText += GridUtil::WideToUtf8(std::u16string(1, Key));
      }
    } else {
      SearchText = GridUtil::WideToUtf8(std::u16string(1, Key));
    }
    const int found = FindRowByPrefix(SysUtils::UpperCase(SearchText));
    if (found >= 0) SetRow(found);
  }
  TBaseGrid::KeyPress(Key);
}

int TGridView::FindRowByPrefix(const std::string& UpperPrefix) {
  if (GetRowCount() < 2) return -1;
  const int col = FSortSettings->Show ? FSortSettings->Column : 1;
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
    std::string t = GetStrippedText(col, r);
    t = SysUtils::UpperCase(t.substr(0, UpperPrefix.size()));
    if (t == UpperPrefix) return r;
  }
  return -1;
}

void TGridView::TabToNextCell(bool Backwards) {
  if (OnKeyDown) {
    uint16_t key = VK_TAB;
    OnKeyDown(this, key, Backwards ? TShiftState{TShiftStateItem::ssShift} : TShiftState{});
    if (key != VK_TAB) return;
  }
  const int first = FirstNavigableCol();
  const int lastCol = GetColCount() - FFixedRightCols - 1;
  const int lastRow = GetRowCount() - FFixedFooters - 1;
  const int col = GetCol(), row = GetRow();
  const TPoint span = CellSpan(col, row);
  const int spanX = std::max(0, span.X), spanY = std::max(0, span.Y);
  int c = col, r = row;
  bool leave = false;
  if (!Backwards && FNavigation->TabAdvanceDirection == adLeftRight) {
    if (col + spanX + 1 <= lastCol) c = col + spanX + 1;
    else if (row < lastRow) c = first, r = row + 1;
    else c = first, r = GetFixedRows(), leave = FNavigation->TabToNextAtEnd;
  } else if (!Backwards) {
    if (row + spanY + 1 <= lastRow) r = row + spanY + 1;
    else if (col < lastCol) r = GetFixedRows(), c = col + 1;
    else r = GetFixedRows(), c = first, leave = FNavigation->TabToNextAtEnd;
  } else if (FNavigation->TabAdvanceDirection == adLeftRight) {
    if (col > first) c = col - 1;
    else if (row > GetFixedRows()) c = lastCol, r = row - 1;
    else c = lastCol, r = lastRow;
  } else {
    if (row > GetFixedRows()) r = row - 1;
    else if (col > first) r = lastRow, c = col - 1;
    else r = lastRow, c = lastCol;
  }
  MoveColRow(c, r, true, true);
  if (leave)
    if (TWinControl* parent = GetParent()) {
      // The focus moves on: the parent gets a Tab key-down.
      uint16_t key = VK_TAB;
      parent->KeyDown(key, TShiftState{});
    }
  if (FNavigation->AlwaysEdit && CanFocus()) SetFocus();
}

// ================================================================ focus

void TGridView::DoEnter() {
  struct TAfter {
    TGridView* G;
    ~TAfter() { G->RememberCellValue(G->GetCol(), G->GetRow()); }
  } after{this};
  TBaseGrid::DoEnter();
  SelectCell(GetCol(), GetRow());
  FocusGained(nullptr);
}

void TGridView::FocusGained(TWinControl* FromWindow) {
  if (IsToggleCell(RealCurrentCol(), GetRow())) return;
  if (FEditorOpen && FEditorType > edUpperCase) HideCellEditor(GetCol(), GetRow());
  TGridInplaceEdit* editor = InplaceEditor();
  const bool moving = GetGridState() == TGridState::gsColMoving || GetGridState() == TGridState::gsRowMoving;
  if (editor) {
    if (FromWindow != editor && !moving && FNavigation->AlwaysEdit && FEditorType == edNormal) ShowEditor();
  } else if (FNavigation->AlwaysEdit) {
    ShowEditor();
  }
  if ((GetRowCount() == 1 && FixedRowAlways) || (GetColCount() == 1 && FixedColAlways)) ParkSelection();
}

void TGridView::DoExit() { TBaseGrid::DoExit(); }

void TGridView::FocusLost() { RepaintCell(GetCol(), GetRow()); }

// ================================================================ timer and size

void TGridView::TimerTick() {
  if (FHovering && !ComponentState.Contains(TComponentStateItem::csDesigning) && GetParent()) {
    const TPoint p = ScreenToClient(Controls::MouseCursorPos());
    if (p.X >= 0 && p.Y >= 0 && p.X < GetClientWidth() && p.Y < GetClientHeight()) {
      int c = -1, r = -1;
      MouseToCell(p.X, p.Y, c, r);
      if (c >= GetFixedCols() && r >= GetFixedRows()) {
        if (CanFocus()) SetFocus();
        MoveColRow(c, r, true, true);
      }
    }
  }
  if (EnableBlink) {
    BlinkPhase = !BlinkPhase;
    auto blinkCheck = [&](int c, int r) {
      if (GridUtil::PosUpper("<BLI", CellText(RealColIndex(c), r)) > 0) RepaintCell(c, r);
    };
    const int lastRow = std::min(GetRowCount() - 1, GetTopRow() + VisibleRowCount());
    const int lastCol = std::min(GetColCount() - 1, GetLeftCol() + VisibleColCount());
    for (int r = GetTopRow(); r <= lastRow; ++r)
      for (int c = GetLeftCol(); c <= lastCol; ++c) blinkCheck(c, r);
    for (int r = 0; r < GetFixedRows(); ++r)
      for (int c = GetLeftCol(); c <= lastCol; ++c) blinkCheck(c, r);
    for (int c = 0; c < GetFixedCols(); ++c)
      for (int r = GetTopRow(); r <= lastRow; ++r) blinkCheck(c, r);
  }
}

void TGridView::Resize() {
  if (!FColumnSize) {
    TBaseGrid::Resize();
    return;
  }
  SizeMessage();
}

void TGridView::SizeMessage() {
  const int width = GetClientWidth();
  if (FColumnSize->GetStretch() && GetColCount() > 0) {
    const int sc = FColumnSize->StretchColumn < 0 ? GetColCount() - 1 : FColumnSize->StretchColumn;
    int others = 0;
    for (int c = 0; c < GetColCount(); ++c)
      if (c != sc) others += GetColWidths(c);
    if (others < width && sc < GetColCount()) {
      TBaseGrid::Resize();
      StretchColumnToFit(sc);
      FPreviousWidth = width;
      return;
    }
  }
  TBaseGrid::Resize();
  if (FColumnSize->SynchWithGrid && FPreviousWidth > 0 && width != FPreviousWidth) {
    HideCellEditor(GetCol(), GetRow());
    for (int c = 0; c < GetColCount(); ++c)
      SetColWidths(c, static_cast<int>(std::lround(GetColWidths(c) * static_cast<double>(width) / FPreviousWidth)));
  }
  FPreviousWidth = width;
  UpdateScrollBars();
}
