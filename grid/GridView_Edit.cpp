// Editing: the grid's in-place edit (filters by editor type, paste, lookup
// completion, validation before the cell is left) and the grid side of the
// editing cycle (which cells open, which editor, validation, Escape, Enter).

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Clipbrd.h"

#include <algorithm>

KV_CLASS_IMPL(TGridInplaceEdit, TInplaceEdit) {}

namespace {

bool IsInplaceType(TEditorType T) { return T <= edUpperCase; }

// The other types have editor controls of their own (the data check box none).
bool OpensInplaceEdit(TEditorType T) { return IsInplaceType(T); }

bool Has(TShiftState S, TShiftStateItem I) { return S.Contains(I); }

int WideLength(const std::string& S) { return static_cast<int>(GridUtil::Utf8ToWide(S).size()); }

}  // namespace

// ================================================================ TGridInplaceEdit

TGridInplaceEdit::TGridInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
  FGridView = dynamic_cast<TGridView*>(AOwner);
  if (FGridView) FWordWrap = FGridView->GetWordWrap();
}

void TGridInplaceEdit::SetVAlign(bool Value) {
  FVAlign = Value;
  CreateParams();
}

void TGridInplaceEdit::SetWordWrap(bool Value) {
  FWordWrap = Value;
  CreateParams();
}

void TGridInplaceEdit::CreateParams() {
  if (!FGridView) return;
  FWordWrap = FGridView->GetWordWrap();
  Alignment = FVAlign ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
  const bool password = FGridView->EditorType() == edPassword;
  MultiLine = !password && (FWordWrap || FGridView->Multilinecells);
  WantReturns = FGridView->Navigation()->LineFeedOnEnter;
  PasswordChar = password ? FGridView->PasswordChar : '\0';
  if (LengthLimit == 0) LengthLimit = static_cast<int16_t>(FGridView->GetMaxEditLength());
  SetMaxLength(0);  // the limit is kept by the character filter, which lets selections be replaced
  FLookupDone = false;
  FCompletionAllowed = true;
}

void TGridInplaceEdit::UpdateContents() {
  if (!FGridView) return;
  TCanvas& c = *FGridView->GetCanvas();
  TAlignment ha;
  TVAlignment va;
  bool wrap = false;
  TColor to = clNone;
  TGridDrawState st;
  FGridView->CellVisuals(FGridView->GetCol(), FGridView->GetRow(), ha, va, wrap, *c.Font, to, *c.Brush, true, false,
                         false, st);
  SetColor(c.Brush->GetColor());
  SetFont(c.Font.get());
}

void TGridInplaceEdit::BoundsChanged() { SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

void TGridInplaceEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The editor covers the current cell's merged block, less its last pixel column and row.
  if (FGridView) {
    const TRect r = FGridView->TBaseGrid::CellRect(FGridView->GetCol(), FGridView->GetRow());
    if (!r.IsEmpty()) {
      TInplaceEdit::SetBounds(r.Left, r.Top, std::max(1, r.Width() - 1), std::max(1, r.Height() - 1));
      return;
    }
  }
  TInplaceEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TGridInplaceEdit::CopyToClipboard() {
  bool allow = true;
  if (FGridView && FGridView->OnClipboardCopy) FGridView->OnClipboardCopy(FGridView, allow);
  if (allow && PasswordChar == '\0') Clipbrd::Clipboard().SetAsText(GetSelText());
}

void TGridInplaceEdit::CutToClipboard() {
  bool allow = true;
  if (FGridView && FGridView->OnClipboardCut) FGridView->OnClipboardCut(FGridView, allow);
  if (!allow || PasswordChar != '\0') return;
  Clipbrd::Clipboard().SetAsText(GetSelText());
  SetSelText("");
}

void TGridInplaceEdit::PasteFromClipboard() {
  if (!FGridView || !Clipbrd::Clipboard().HasFormat(CF_TEXT)) return;
  std::string value = Clipbrd::Clipboard().GetAsText();
  bool allow = true;
  if (FGridView->OnClipboardBeforePasteCell)
    FGridView->OnClipboardBeforePasteCell(FGridView, FGridView->GetCol(), FGridView->GetRow(), value, allow);
  if (!allow) return;
  const int pasted = WideLength(value);
  if (LengthLimit >= 1 && pasted > LengthLimit) return;
  std::u16string w = GridUtil::Utf8ToWide(GetText());
  const int start = GetSelStart(), length = GetSelLength();
  w.replace(static_cast<size_t>(start), static_cast<size_t>(length), GridUtil::Utf8ToWide(value));
  std::string result = GridUtil::WideToUtf8(w);
  if (LengthLimit >= 1 && static_cast<int>(w.size()) > LengthLimit) return;
  if (FGridView->OnClipboardPaste) FGridView->OnClipboardPaste(FGridView, allow);
  if (!allow) return;
  const int kind = GridUtil::NumberKind(result);
  switch (FGridView->EditorType()) {
    case edNumeric:
    case edPositiveNumeric:
      if (kind != GridUtil::nkInteger) return;
      break;
    case edFloat:
      if (kind == GridUtil::nkNone) return;
      break;
    case edMixedCase: result = GridUtil::ProperCase(result); break;
    case edLowerCase: result = SysUtils::LowerCase(result); break;
    case edUpperCase: result = SysUtils::UpperCase(result); break;
    default: break;
  }
  // Typed-change semantics: the grid receives the new text.
  SelectAll();
  SetSelText(result);
  if (length > 0) {
    SetSelStart(start);
    SetSelLength(pasted);
  } else {
    SetSelStart(start + pasted);
  }
}

bool TGridInplaceEdit::FilterChar(TKeyChar& Key) {
  if (!FGridView) return true;
  const TNavigation& nav = *FGridView->Navigation();
  if (FGridView->ExcelStyleDecimalSeparator && Key == u'.' && NumPadKey)
    Key = static_cast<TKeyChar>(::FormatSettings.DecimalSeparator);
  NumPadKey = false;
  if (LengthLimit > 0 && WideLength(GetText()) >= LengthLimit && GetSelLength() == 0 && Key != 8 && Key != 27 &&
      !(nav.AdvanceOnEnter && Key == u'\r'))
    return false;
  const TEditorType type = FGridView->EditorType();
  const bool control = Key == 8 || Key == u'\t' || Key == u'\r' || Key == 27;
  const bool digit = Key >= u'0' && Key <= u'9';
  const std::u16string text = GridUtil::Utf8ToWide(GetText());
  const int selStart = GetSelStart(), selLen = GetSelLength();
  auto inSelection = [&](char16_t C) {
    const std::u16string sel = text.substr(static_cast<size_t>(selStart), static_cast<size_t>(selLen));
    return sel.find(C) != std::u16string::npos;
  };
  auto outsideSelection = [&](char16_t C) {
    std::u16string rest = text;
    rest.erase(static_cast<size_t>(selStart), static_cast<size_t>(selLen));
    return rest.find(C) != std::u16string::npos;
  };
  switch (type) {
    case edNumeric:
      if (control || digit) return true;
      if (Key == u'-' && text.find(u'-') == std::u16string::npos && selStart == 0) return true;
      GridView::Beep();
      return false;
    case edPositiveNumeric:
      if (control || digit) return true;
      GridView::Beep();
      return false;
    case edFloat: {
      if (control || digit) return true;
      const auto dec = static_cast<char16_t>(::FormatSettings.DecimalSeparator);
      const auto thou = static_cast<char16_t>(::FormatSettings.ThousandSeparator);
      if (Key == dec) return !outsideSelection(dec);
      if (Key == thou) return false;
      if (Key == u'-') {
        if ((selStart != 0 || text.find(u'-') != std::u16string::npos) && !inSelection(u'-')) {
          GridView::Beep();
          return false;
        }
        return true;
      }
      if (Key == u',' || Key == u'.') return false;
      return false;
    }
    case edCapital:
    case edUpperCase:
      if (Key < 128) Key = static_cast<TKeyChar>(std::toupper(static_cast<int>(Key)));
      return true;
    case edLowerCase:
      if (Key < 128) Key = static_cast<TKeyChar>(std::tolower(static_cast<int>(Key)));
      return true;
    default: return true;
  }
}

bool TGridInplaceEdit::ValidateOrKeep() {
  if (!FGridView) return true;
  if (FGridView->ValidateEdit(GetText())) return true;
  SetText(FGridView->RawCellText(FGridView->RealCurrentCol(), FGridView->GetRow()));
  if (FGridView->Navigation()->EditSelectAll) SelectAll();
  Invalidate();
  return false;
}

void TGridInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (!FGridView) {
    TInplaceEdit::KeyDown(Key, Shift);
    return;
  }
  const bool ctrl = Has(Shift, TShiftStateItem::ssCtrl), shift = Has(Shift, TShiftStateItem::ssShift);
  const TNavigation& nav = *FGridView->Navigation();
  // Message-level handling.
  switch (Key) {
    case VK_ESCAPE: SetText(FGridView->TextBeforeEditing()); break;
    case VK_TAB:
      if (FGridView->GetOptions().Contains(goTabs)) {
        if (!FGridView->ValidateEdit(GetText())) {
          SetText(FGridView->RawCellText(FGridView->RealCurrentCol(), FGridView->GetRow()));
          if (nav.EditSelectAll) SelectAll();
        }
        FGridView->HideEditorControl();
        FGridView->TabToNextCell(shift);
        Key = 0;
        return;
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (!ctrl && !shift) {
        if (!ValidateOrKeep()) {
          Key = 0;
          return;
        }
        SetText(FGridView->RawCellText(FGridView->RealCurrentCol(), FGridView->GetRow()));
      }
      break;
    case VK_RETURN:
      if (!nav.LineFeedOnEnter && !ctrl) {
        if (!ValidateOrKeep()) {
          FDropReturn = true;
          Key = 0;
          return;
        }
        SetText(FGridView->RawCellText(FGridView->RealCurrentCol(), FGridView->GetRow()));
      } else if (ctrl && nav.LineFeedOnEnter) {
        SetSelText("\r\n");
        Key = 0;
        return;
      }
      break;
    case 'V':
      if (ctrl) {
        PasteFromClipboard();
        Key = 0;
        return;
      }
      break;
    case VK_INSERT:
      if (shift) {
        PasteFromClipboard();
        Key = 0;
        return;
      }
      if (ctrl) {
        CopyToClipboard();
        Key = 0;
        return;
      }
      break;
    case 'C':
      if (ctrl) {
        CopyToClipboard();
        Key = 0;
        return;
      }
      break;
    case 'X':
      if (ctrl) {
        CutToClipboard();
        Key = 0;
        return;
      }
      break;
    default: break;
  }
  // Key-down level.
  FCompletionAllowed = !(Key == VK_BACK || Key == VK_DELETE);
  if (Key == VK_RETURN && ctrl && FGridView->SizeWhileTyping()->Height && FGridView->Multilinecells) {
    const int row = FGridView->GetRow();
    const int lines = GridUtil::LineCount(GetText() + "\r\n", true);
    if (lines < FGridView->MaxLineCount(row)) FGridView->AutoSizeRow(row, false);
    else FGridView->SetRowHeightForLines(row, lines, 2 * FGridView->CellMarginY());
    if (FGridView->OnEndRowSize) FGridView->OnEndRowSize(FGridView, row);
  }
  const int len = WideLength(GetText());
  if (Key == VK_LEFT && GetSelLength() == 0 && GetSelStart() == 0 && !shift && nav.CursorWalkEditor) {
    const int col = FGridView->GetCol(), row = FGridView->GetRow();
    if (col > FGridView->GetFixedCols() && FGridView->IsToggleCell(FGridView->RealColIndex(col - 1), row)) {
      if (FGridView->ValidateEdit(GetText())) {
        FGridView->HideEditorControl();
        FGridView->SetCol(col - 1);
      }
    } else {
      TRestore<TAdvanceDirection> dir(FGridView->Navigation()->AdvanceDirection, adLeftRight);
      FGridView->AdvanceCell(col, row, false, true, true);
    }
    Key = 0;
    return;
  }
  if (Key == VK_RIGHT && GetSelLength() == 0 && GetSelStart() == len && !shift && nav.CursorWalkEditor) {
    const int col = FGridView->GetCol(), row = FGridView->GetRow();
    const int last = FGridView->GetColCount() - FGridView->GetFixedRightCols() - 1;
    if (col < last && FGridView->IsToggleCell(FGridView->RealColIndex(col + 1), row)) {
      if (FGridView->ValidateEdit(GetText())) {
        FGridView->HideEditorControl();
        FGridView->SetCol(col + 1);
      }
    } else if (col < last || row < FGridView->GetRowCount() - FGridView->GetFixedFooters() - 1) {
      TRestore<TAdvanceDirection> dir(FGridView->Navigation()->AdvanceDirection, adLeftRight);
      FGridView->AdvanceCell(col, row, true, true, true);
    }
    Key = 0;
    return;
  }
  if (Key == VK_UP && MultiLine) {
    const std::string before = GridUtil::WideToUtf8(GridUtil::Utf8ToWide(GetText()).substr(0, static_cast<size_t>(GetCaretPos())));
    if (before.find('\n') != std::string::npos) {
      TInplaceEdit::KeyDown(Key, Shift);  // moves the caret, the grid does not see it
      Key = 0;
      return;
    }
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TGridInplaceEdit::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_LEFT || Key == VK_RIGHT) return;
  TInplaceEdit::KeyUp(Key, Shift);
  if (!FGridView) return;
  CompleteFromLookup();
  if (FGridView->SizeWhileTyping()->Width) FGridView->AutoSizeColumn(FGridView->GetCol(), true);
  if (FGridView->SizeWhileTyping()->Height && FGridView->GetWordWrap()) {
    FGridView->AutoSizeRow(FGridView->GetRow(), false);
    if (FGridView->OnEndRowSize) FGridView->OnEndRowSize(FGridView, FGridView->GetRow());
  }
  ReportCaret();
}

void TGridInplaceEdit::ReportCaret() {
  if (!FGridView) return;
  const std::string before =
      GridUtil::WideToUtf8(GridUtil::Utf8ToWide(GetText()).substr(0, static_cast<size_t>(GetCaretPos())));
  TCanvas& c = *FGridView->GetCanvas();
  c.Font->Assign(*GetFont());
  FGridView->EditorCaretMoved(GetText(), TPoint{2 + c.TextWidth(before), 2}, GetCaretPos());
}

void TGridInplaceEdit::KeyPress(TKeyChar& Key) {
  if (!FGridView) {
    TInplaceEdit::KeyPress(Key);
    return;
  }
  const TNavigation& nav = *FGridView->Navigation();
  if (Key == u'\r' && FDropReturn) {
    FDropReturn = false;
    Key = 0;
    return;
  }
  FDropReturn = false;
  if (!FilterChar(Key)) {
    Key = 0;
    return;
  }
  if (Key == u'\r' && !nav.LineFeedOnEnter) {
    if (!ValidateOrKeep()) {
      Key = 0;
      return;
    }
  }
  const TEditorType type = FGridView->EditorType();
  if (type == edMixedCase && Key >= 32) {
    const int caret = GetSelStart();
    TInplaceEdit::KeyPress(Key);
    const std::string proper = GridUtil::ProperCase(GetText());
    if (proper != GetText()) {
      SelectAll();
      SetSelText(proper);
    }
    SetSelStart(caret + 1);
    return;
  }
  const TKeyChar typed = Key;
  TInplaceEdit::KeyPress(Key);
  // A filled mask advances to the next cell.
  if (nav.AdvanceAuto && typed >= 32 && IsMasked() && GetText().find(' ') == std::string::npos &&
      GetCaretPos() >= WideLength(EditText())) {
    TKeyChar enter = u'\r';
    FGridView->KeyPress(enter);
  }
}

void TGridInplaceEdit::CompleteFromLookup() {
  if (!FGridView || !FCompletionAllowed || GetSelLength() > 0) return;
  const TStringList& items = *FGridView->GetLookupItems();
  if (!FGridView->Lookup || items.Count() == 0) return;
  const bool cs = FGridView->LookupCaseSensitive;
  const std::u16string text = GridUtil::Utf8ToWide(GetText());
  const size_t caret = static_cast<size_t>(GetCaretPos());
  const std::string typed = GridUtil::WideToUtf8(text.substr(0, caret));
  if (typed.empty()) return;
  const std::string prefix = cs ? typed : SysUtils::UpperCase(typed);
  for (int i = 0; i < items.Count(); ++i) {
    const std::string item = items.Get(i);
    const std::string cmp = cs ? item : SysUtils::UpperCase(item);
    if (cmp.rfind(prefix, 0) != 0) continue;
    std::u16string rest = GridUtil::Utf8ToWide(item).substr(GridUtil::Utf8ToWide(typed).size());
    if (rest.size() > 255) rest.resize(255);
    if (rest.empty()) return;
    SelectAll();
    SetSelText(typed + GridUtil::WideToUtf8(rest));
    SetSelStart(static_cast<int>(caret));
    SetSelLength(static_cast<int>(rest.size()));
    FLookupDone = false;
    return;
  }
}

void TGridInplaceEdit::DoEnter() {
  TInplaceEdit::DoEnter();
  if (!FGridView) return;
  const TNavigation& nav = *FGridView->Navigation();
  if (FGridView->PendingCaret && !OpenedByClick) {
    // Opened by a caret-positioning press before this editor existed: the pointer tells where.
    const TPoint p = ScreenToClient(Controls::MouseCursorPos());
    if (GetClientRect().Contains(p)) {
      OpenedByClick = true;
      ClickPoint = p;
    }
  }
  if (OpenedByClick) FGridView->PendingCaret = false;
  if (IsMasked() && nav.ImproveMaskSel && !(OpenedByClick && ClickPoint.X >= 0)) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (OpenedByClick && ClickPoint.X >= 0) {
    // The character under the mouse receives the caret.
    TCanvas& c = *FGridView->GetCanvas();
    c.Font->Assign(*GetFont());
    const std::u16string w = GridUtil::Utf8ToWide(GetText());
    int pos = 0;
    while (pos < static_cast<int>(w.size()) &&
           2 + c.TextWidth(GridUtil::WideToUtf8(w.substr(0, static_cast<size_t>(pos) + 1))) <= ClickPoint.X)
      ++pos;
    SetSelStart(pos);
    OpenedByClick = false;
    return;
  }
  if (!nav.EditSelectAll) SetSelStart(WideLength(GetText()));
}

void TGridInplaceEdit::FocusLeftGrid() {
  if (!FGridView) return;
  FGridView->ValidateEdit(GetText());
  FGridView->HideEditorControl();
  FGridView->EditPending = false;
  FGridView->FEditorInUse = false;
  FGridView->SelectCell(FGridView->GetCol(), FGridView->GetRow());
}

void TGridInplaceEdit::DoExit() {
  if (FGridView) {
    FGridView->PendingChar = 0;
    if (FGridView->LookupHistory && !GetText().empty() && FGridView->GetLookupItems()->IndexOf(GetText()) < 0)
      FGridView->GetLookupItems()->Add(GetText());
  }
  TInplaceEdit::DoExit();
  if (!FGridView) return;
  // The grid hides the editor before it takes the focus back; a visible
  // editor losing the focus lost it to another window.
  if (GetVisible() && !FGridView->Focused()) FocusLeftGrid();
  SetText(FGridView->RawCellText(FGridView->RealCurrentCol(), FGridView->GetRow()));
  FGridView->EditorCaretMoved(GetText(), TPoint{-1, -1}, -1);
  if (FGridView->OnEditingDone) FGridView->OnEditingDone(FGridView);
}

void TGridInplaceEdit::DblClick() {
  TInplaceEdit::DblClick();
  if (FGridView && FGridView->OnDblClickCell) FGridView->OnDblClickCell(FGridView, FGridView->GetRow(), FGridView->GetCol());
}

// ================================================================ grid side of the cycle

TInplaceEdit* TGridView::CreateEditor() { return Create<TGridInplaceEdit>(this); }

TGridInplaceEdit* TGridView::InplaceEditor() const { return dynamic_cast<TGridInplaceEdit*>(GetInplaceEditor()); }

bool TGridView::IsPasswordCell(int ACol, int ARow) {
  bool pw = false;
  DoIsPasswordCell(ARow, ACol, pw);
  return pw;
}

void TGridView::RememberCellValue(int ACol, int ARow) {
  FRememberedCol = ACol;
  FRememberedRow = ARow;
  const int real = RealColIndex(ACol);
  FRememberedText = RawCellText(real, ARow);
  FRememberedWide = GridUtil::DecodeWideText(FRememberedText);
}

bool TGridView::CanEditShow() {
  if (FValidating) return false;
  bool answer = TBaseGrid::CanEditShow();
  const TPoint o = BaseCell(GetCol(), GetRow());
  const int real = RealColIndex(o.X);
  if (answer && !FEditorInUse && IsToggleCell(real, o.Y)) answer = false;
  if (answer && !FEditorInUse) {
    FTextBeforeEditing = RawCellText(real, o.Y);
    FEditorType = edNormal;
    DoGetEditorType(real, o.Y, FEditorType);
    FEditorInUse = true;
    if (!OpensInplaceEdit(FEditorType)) {
      ShowCellEditor(o.X, o.Y);
      answer = false;
    }
  }
  if (answer) {
    if (!EditPending) RememberCellValue(GetCol(), GetRow());
    EditPending = true;
    FEditorShown = true;
  }
  return answer;
}

std::string TGridView::GetEditText(int ACol, int ARow) {
  // The platform asks for the text while it shows the editor: the editor
  // takes its style, colours and limits from the cell first.
  if (TGridInplaceEdit* e = InplaceEditor(); e && !e->GetVisible() && ACol == GetCol() && ARow == GetRow()) {
    e->CreateParams();
    e->UpdateContents();
  }
  const int k = RealColIndex(ACol);
  const std::string s = TBaseGrid::GetEditText(k, ARow);
  return EditWithTags ? s : StripTags(s);
}

void TGridView::ShowCellEditor(int ACol, int ARow) {
  EditPending = true;
  FEditorOpen = true;
  if (OpensInplaceEdit(FEditorType)) {
    ShowEditor();
  } else {
    RememberCellValue(GetCol(), GetRow());
    ShowEditorControl(ACol, ARow);
  }
  PendingChar = 0;
}

void TGridView::HideCellEditor(int ACol, int ARow) {
  (void)ACol;
  (void)ARow;
  // An open in-place edit ends with its value validated into its own cell.
  if (EditPending && !FValidating)
    if (TGridInplaceEdit* e = InplaceEditor(); e && e->GetVisible()) {
      if (!ValidateCell(e->GetText())) return;
      HideEditor();
    }
  if (!FEditorOpen) return;
  if (!IsInplaceType(FEditorType)) {
    // Exit handlers that run while the control hides find the edit closed.
    FEditorOpen = false;
    HideEditorControlValue(ACol, ARow);
  }
  FEditorInUse = false;
  if (OnEditingDone) OnEditingDone(this);
  FEditorOpen = false;
}

void TGridView::HideEditorControl() {
  if (FEditorOpen && FEditorInUse && !IsInplaceType(FEditorType)) {
    HideCellEditor(GetCol(), GetRow());
    SelectCell(GetCol(), GetRow());
  }
}

void TGridView::RestoreOriginalText() {
  const int real = RealCurrentCol();
  SetCells(real, GetRow(), FTextBeforeEditing);
  const TPoint o = BaseCell(GetCol(), GetRow());
  const std::string s = GetCells(RealColIndex(o.X), o.Y);
  SetCells(real, GetRow(), s);
  RepaintCell(GetCol(), GetRow());
}

void TGridView::StoreEditedText(int ARealCol, int ARow, const std::string& Text) {
  SetEditText(DisplayedColIndex(ARealCol), ARow, Text);
  SetCellText(ARealCol, ARow, Text);
}

bool TGridView::CanEditCellAt(int ACol, int ARow) {
  if (!GetOptions().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit && !FEditingSuspended) return false;
  if (IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow)) return false;
  bool can = true;
  DoCanEditCell(ARow, ACol, can);
  bool fixed = false;
  DoIsFixedCell(ARow, ACol, fixed);
  return can && !fixed;
}

bool TGridView::CellIsFixed(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  const int real = RealColIndex(o.X);
  if (o.Y >= GetRowCount() - FFixedFooters) return true;
  if (real >= GetColCount() - FFixedRightCols + FHiddenColCount) return true;
  bool fixed = false;
  if (OnIsFixedCell) OnIsFixedCell(this, o.Y, o.X, fixed);
  return fixed;
}

bool TGridView::SelectCell(int ACol, int ARow) {
  const int oldCol = GetCol(), oldRow = GetRow();
  // An open edit is validated before another cell becomes current.
  if (EditPending && !FValidating && (ACol != oldCol || ARow != oldRow))
    if (TGridInplaceEdit* e = InplaceEditor(); e && e->GetVisible())
      if (!ValidateCell(e->GetText())) return false;
  if (FFloatingFooter->GetVisible() && ARow >= 0 && ARow < GetRowCount()) {
    const TRect r = TBaseGrid::CellRect(ACol, ARow);
    const bool last = ARow == GetRowCount() - 1;
    if (FFloatingFooter->GetFooterStyle() == fsFixedLastRow) {
      if (last) return false;
      if (!r.IsEmpty() && r.Bottom > GetClientHeight() - FFloatingFooter->Height + 2) SetTopRow(GetTopRow() + 1);
    } else {
      RepaintFooter();
      if (!r.IsEmpty() && r.Bottom > GetClientHeight() - FFloatingFooter->Height + 2) SetTopRow(GetTopRow() + 1);
    }
  }
  bool allow = true;
  if (ACol >= 0 && ARow >= 0) {
    if (ARow != oldRow && OnRowChanging) OnRowChanging(this, oldRow, ARow, allow);
    if (allow && ACol != oldCol && OnColChanging) OnColChanging(this, oldCol, ACol, allow);
    if (allow && (ACol != oldCol || ARow != oldRow) && !FInAdvance && OnCellChanging)
      OnCellChanging(this, oldRow, oldCol, ARow, ACol, allow);
  }
  if (!allow) return false;
  if (HasNodes() && ACol == 0 && !GetOptions().Contains(goRowSelect)) return false;
  const int real = RealColIndex(ACol);
  if (!IsToggleCell(real, ARow)) {
    bool can = GetOptions().Contains(goEditing) || FEditingSuspended;
    DoCanEditCell(ARow, real, can);
    if (can) {
      FEditingSuspended = false;
      if (!GetOptions().Contains(goEditing)) {
        SkipNextInvalidate();
        SetOptions(GetOptions() + goEditing);
      }
      if (EditPending) HideEditorControl();
    } else {
      if (EditPending) HideEditorControl();
      if (GetOptions().Contains(goEditing)) {
        SetOptions(GetOptions() - TGridOptions{goEditing});
        FEditingSuspended = true;
        SkipNextInvalidate();
      }
    }
  }
  // The value an editor control stored is validated before another cell becomes current.
  if (EditPending && !FValidating && !IsInplaceType(FEditorType) && (ACol != oldCol || ARow != oldRow)) {
    const int cur = RealColIndex(oldCol);
    if (!(HasWideTextPrefix(cur, oldRow) ? ValidateCellWide(GetCellTextWide(cur, oldRow))
                                         : ValidateCell(RawCellText(cur, oldRow))))
      return false;
  }
  if (CellIsFixed(ACol, ARow)) return false;
  if (!TBaseGrid::SelectCell(ACol, ARow)) return false;
  if (!FRowIndicator->GetEmpty() && GetFixedCols() > 0) {
    RepaintCell(0, oldRow);
    RepaintCell(0, ARow);
  }
  if (FActiveCellShow) RepaintActiveHeaders(oldCol, oldRow, ARow, ACol);
  if (ACol != oldCol || ARow != oldRow) {
    FEditorInUse = false;
    EditPending = false;
  }
  FTextBeforeEditing = ARow >= 0 && real >= 0 ? RawCellText(real, ARow) : std::string();
  return true;
}

// ================================================================ validation

bool TGridView::ValidateCell(const std::string& NewText) {
  if (!EditPending || FValidating) return true;
  EditPending = false;
  bool valid = true;
  {
    // Whatever the owner's handler or the footer does, validation ends here.
    TRestore<bool> running(FValidating, true);
    const int col = RealColIndex(FRememberedCol), row = FRememberedRow;
    if (NewText != FRememberedText || ForceValidation) {
      ColumnChanged(col);
      std::string value = NewText;
      if (FCellChecker && FCellChecker->AutoCorrect) value = FCellChecker->CorrectText(FRememberedCol, row, value);
      DoCellValidate(FRememberedCol, row, value, valid);
      if (FCellChecker && FCellChecker->AutoMarkError) value = FCellChecker->ShowErrors(FRememberedCol, row, value);
      if (TGridViewUndoRedo* u = GetUndoRedo()) u->RecordChange(col, row, value, FRememberedText);
      CellsChanged(TRect{FRememberedCol, row, FRememberedCol, row});
      if (valid) {
        SetCellText(col, row, value);
      } else {
        HideEditor();
        SetCells(col, row, value != NewText ? value : FRememberedText);
        MoveColRow(FRememberedCol, row, true, true);
        FValidating = false;
        EditPending = true;
        if (IsInplaceType(FEditorType)) {
          FEditorInUse = false;
          if (!IsToggleCell(col, row)) ShowEditor();
        } else if (!EditorControlShowing()) {
          // An editor control that was already hidden opens again on the refused value.
          FEditorInUse = true;
          ShowCellEditor(GetCol(), GetRow());
        }
        if (value == NewText && FRememberedCol != GetCol()) RepaintCell(FRememberedCol, row);
      }
      FRememberedText = RawCellText(col, row);
    }
  }
  const bool reopened = !valid && EditPending;
  RememberCellValue(GetCol(), GetRow());
  if (reopened) EditPending = true;
  return valid;
}

bool TGridView::ValidateCellWide(const std::u16string& NewText) {
  if (!EditPending || FValidating) return true;
  EditPending = false;
  bool valid = true;
  {
    TRestore<bool> running(FValidating, true);
    const int col = RealColIndex(FRememberedCol), row = FRememberedRow;
    if (NewText != FRememberedWide || ForceValidation) {
      ColumnChanged(col);
      std::u16string value = NewText;
      if (OnCellValidateWide) OnCellValidateWide(this, FRememberedCol, row, value, valid);
      CellsChanged(TRect{FRememberedCol, row, FRememberedCol, row});
      if (valid) {
        SetCellText(col, row, GridUtil::EncodeWideText(value));
      } else {
        HideEditor();
        SetCells(col, row, value != NewText ? GridUtil::EncodeWideText(value) : FRememberedText);
        MoveColRow(FRememberedCol, row, true, true);
        FValidating = false;
        EditPending = true;
        if (IsInplaceType(FEditorType)) {
          FEditorInUse = false;
          if (!IsToggleCell(col, row)) ShowEditor();
        } else if (!EditorControlShowing()) {
          // An editor control that was already hidden opens again on the refused value.
          FEditorInUse = true;
          ShowCellEditor(GetCol(), GetRow());
        }
      }
      FRememberedText = RawCellText(col, row);
    }
  }
  const bool reopened = !valid && EditPending;
  RememberCellValue(GetCol(), GetRow());
  if (reopened) EditPending = true;
  return valid;
}

void TGridView::DoCellValidate(int ACol, int ARow, std::string& Value, bool& Valid) {
  if (OnCellValidate) OnCellValidate(this, ACol, ARow, Value, Valid);
}

// ================================================================ Enter and advancing

void TGridView::ToggleCellControl(int ACol, int ARow) {
  const int real = RealColIndex(ACol);
  const TPoint o = BaseCell(ACol, ARow);
  const int oreal = RealColIndex(o.X);
  if (IsCheckCell(real, ARow) || IsCheckCell(oreal, o.Y)) {
    if (!ToggleCheckBox(oreal, o.Y, false)) return;
    bool state = false;
    GetCheckBoxState(oreal, o.Y, state);
    if (OnCheckBoxClick) OnCheckBoxClick(this, o.X, o.Y, state);
  } else if (IsRadioCell(oreal, o.Y)) {
    if (!StepRadio(oreal, o.Y, false)) return;
    int idx = -1;
    RadioSelection(oreal, o.Y, idx);
    if (idx < 0)
      if (TStrings* items = RadioItems(oreal, o.Y)) idx = items->IndexOf(RawCellText(oreal, o.Y));
    if (OnRadioClick) OnRadioClick(this, o.X, o.Y, idx);
  }
  RepaintCell(ACol, ARow);
}

void TGridView::AdvanceCell(int ACol, int ARow, bool Forward, bool ShowEd, bool Forced) {
  if (!FNavigation->AdvanceOnEnter && !Forced) return;
  if (FMouseActions->RangeSelectAndEdit && !GetOptions().Contains(goEditing)) SetOptions(GetOptions() + goEditing);
  const int startCol = GetCol(), startRow = GetRow();
  PendingChar = 0;
  const bool lr = FNavigation->AdvanceDirection == adLeftRight;
  const int firstCol = FirstNavigableCol();
  int col = ACol, row = ARow;
  // One step from (col, row); false when nothing lies ahead.
  auto step = [&]() {
    const int lastRow = GetRowCount() - FFixedFooters - 1;
    const int span = CellSpan(col, row).X > 0 ? CellSpan(col, row).X : 0;
    const int lastCol = GetColCount() - VisibleFixedRightCols() - 1;
    if (Forward && lr) {
      if (col + span + 1 > lastCol) {
        if (row < lastRow) {
          col = firstCol;
          ++row;
        } else if (FNavigation->AdvanceInsert) {
          bool can = true;
          DoCanAddRow(can);
          if (can) {
            AddRow();
            const int newLast = GetRowCount() - FFixedFooters - 1;
            if (OnAutoAddRow) OnAutoAddRow(this, newLast);
            col = firstCol;
            ++row;
          } else {
            col = firstCol;
          }
        } else {
          col = firstCol;
          row = GetFixedRows();
        }
      } else {
        col = col + span + 1;
      }
    } else if (Forward) {
      const int spanY = CellSpan(col, row).Y > 0 ? CellSpan(col, row).Y : 0;
      if (row + spanY >= lastRow) {
        if (col < lastCol) {
          col = col + span + 1 > lastCol ? firstCol : col + span + 1;
          row = GetFixedRows();
        } else if (FNavigation->AdvanceInsert) {
          SetColCount(GetColCount() + 1);
          if (OnAutoInsertCol) OnAutoInsertCol(this, GetColCount() - 1);
          col = GetColCount() - 1;
          row = GetFixedRows();
        } else {
          col = firstCol;
          row = GetFixedRows();
        }
        Invalidate();
      } else {
        row = row + spanY + 1;
      }
    } else if (lr) {
      if (col > firstCol) {
        --col;
      } else if (row > GetFixedRows()) {
        col = lastCol;
        --row;
      } else {
        col = lastCol;
        row = lastRow;
      }
    } else {
      if (row > GetFixedRows()) {
        --row;
      } else if (col > firstCol) {
        row = lastRow;
        --col;
      } else {
        row = lastRow;
        col = lastCol;
      }
    }
  };
  // Every cell is visited at most once: a grid without an editable cell ends
  // the search on the start cell.
  const int cells = std::max(1, GetColCount() * GetRowCount());
  bool found = false;
  for (int visited = 0; visited < cells && !found; ++visited) {
    step();
    if (col == startCol && row == startRow && visited > 0) break;
    found = CanEditCellAt(RealColIndex(col), row);
  }
  if (!found) {
    MoveColRow(startCol, startRow, true, true);
    return;
  }
  bool allow = true;
  if (OnCellChanging) OnCellChanging(this, startRow, startCol, row, col, allow);
  {
    TRestore<bool> advancing(FInAdvance, true);
    if (allow) MoveColRow(col, row, true, true);
    else MoveColRow(startCol, startRow, true, true);
  }
  if (!allow) return;
  const bool toggle = IsToggleCell(RealColIndex(col), row);
  if ((ShowEd || toggle) && CanEditCellAt(RealColIndex(col), row)) {
    if (!toggle) ShowEditor();
    else if (!IsToggleCell(RealColIndex(startCol), startRow)) {
      // The press and release of a click 2 pixels inside the cell switch it.
      ToggleCellControl(col, row);
      if (!lr) HideEditor();
    }
    bool again = true;
    if (OnCellChanging) OnCellChanging(this, startRow, startCol, GetRow(), GetCol(), again);
  }
}
