#include "platform/ui/Grids.h"

#include "platform/ui/CustomEdit.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/EditMask.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace {

using CustomEdit::Wide;

using CustomEdit::Narrow;

int MulDivRound(int64_t A, int64_t B, int64_t C) {
  if (C == 0) return 0;
  const double v = static_cast<double>(A) * static_cast<double>(B) / static_cast<double>(C);
  return static_cast<int>(std::lround(v));
}

bool InRect(const TGridRect& R, int C, int Row) {
  return C >= R.Left && C <= R.Right && Row >= R.Top && Row <= R.Bottom;
}

constexpr int kSizingReach = 2;  // pixels either side of a border that start sizing

}  // namespace

KV_CLASS_IMPL(TInplaceEdit, TCustomControl) {}
KV_CLASS_IMPL(TCustomGrid, TCustomControl) {}
KV_CLASS_IMPL(TStringGrid, TCustomGrid) {}

// ================================================================ TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  SetColor(clWindow);
  SetTabStop(false);
  SetVisible(false);
  SetCursor(crIBeam);
}

TInplaceEdit::~TInplaceEdit() = default;

int TInplaceEdit::Length() const { return static_cast<int>(Wide(FEditText).size()); }

std::string TInplaceEdit::GetText() const { return FMask ? Narrow(FMask->Value(Wide(FEditText))) : FEditText; }

void TInplaceEdit::SetEditMask(const std::string& Value) {
  if (Value == FEditMaskText) return;
  const std::string value = GetText();
  FEditMaskText = Value;
  FMask = Value.empty() ? nullptr : std::make_unique<TEditMask>(Value);
  if (FMask && FMask->Empty()) FMask.reset();
  SetText(value);
}

bool TInplaceEdit::IsMasked() const { return FMask != nullptr; }

bool TInplaceEdit::MaskComplete() const { return !FMask || FMask->Complete(Wide(FEditText)); }

// Typing into a mask overwrites positions: each character goes to the next
// position that takes it (a typed literal steps over its own place), the
// replaced positions turn blank, and the caret lands on the next input position.
void TInplaceEdit::ReplaceMasked(int From, int Count, const std::u16string& Text) {
  std::u16string w = Wide(FEditText);
  const int len = FMask->Length();
  w.resize(static_cast<size_t>(len), FMask->Blank());
  const std::u16string before = w;
  for (int i = From; i < std::min(len, From + Count); ++i)
    if (!FMask->IsLiteral(i)) w[static_cast<size_t>(i)] = FMask->Blank();
  int pos = From;
  for (char16_t ch : Text) {
    if (pos < len && FMask->IsLiteral(pos) && FMask->LiteralAt(pos) == ch) {
      ++pos;
      continue;
    }
    const int at = FMask->NextEditable(pos);
    if (at >= len) break;
    const char16_t c = FMask->Accept(at, ch);
    if (!c) break;  // a refused character ends the input
    w[static_cast<size_t>(at)] = c;
    pos = at + 1;
  }
  if (!Text.empty() && pos < len) pos = FMask->NextEditable(pos);
  FSelStart = std::min(pos, len);
  FSelLength = 0;
  FAnchor = FSelStart;
  Invalidate();
  if (w == before) return;
  FEditText = Narrow(w);
  FModified = true;
  Change();
}

void TInplaceEdit::SetText(const std::string& Value) {
  FEditText = FMask ? Narrow(FMask->Format(Wide(Value))) : Value;
  FSelStart = Length();
  FSelLength = 0;
  FAnchor = FSelStart;
  Invalidate();
}

void TInplaceEdit::SetMaxLength(int Value) { FMaxLength = std::max(0, Value); }

void TInplaceEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, Length());
  FSelLength = 0;
  FAnchor = FSelStart;
  Invalidate();
}

void TInplaceEdit::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, Length() - FSelStart);
  FAnchor = FSelStart;
  Invalidate();
}

void TInplaceEdit::SelectAll() {
  FSelStart = 0;
  FAnchor = 0;
  FSelLength = Length();
  Invalidate();
}

std::string TInplaceEdit::GetSelText() const {
  return Narrow(Wide(FEditText).substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength)));
}

std::string TInplaceEdit::DisplayText() const {
  if (PasswordChar == '\0') return FEditText;
  return std::string(static_cast<size_t>(Length()), PasswordChar);
}

void TInplaceEdit::Replace(int From, int Count, const std::u16string& Text) {
  if (FMask) {
    ReplaceMasked(From, Count, Text);
    return;
  }
  std::u16string w = Wide(FEditText);
  std::u16string insert = Text;
  if (!MultiLine) insert.erase(std::remove_if(insert.begin(), insert.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }),
                               insert.end());
  if (FMaxLength > 0) {
    const int room = FMaxLength - (static_cast<int>(w.size()) - Count);
    if (room <= 0) insert.clear();
    else if (static_cast<int>(insert.size()) > room) insert.resize(static_cast<size_t>(room));
  }
  if (insert.empty() && Count == 0) return;
  w.replace(static_cast<size_t>(From), static_cast<size_t>(Count), insert);
  FEditText = Narrow(w);
  FSelStart = From + static_cast<int>(insert.size());
  FSelLength = 0;
  FAnchor = FSelStart;
  FModified = true;
  Invalidate();
  Change();
}

void TInplaceEdit::SetSelText(const std::string& Text) { Replace(FSelStart, FSelLength, Wide(Text)); }

void TInplaceEdit::Change() {
  if (OnChange) OnChange(this);
  if (FGrid && FGrid->FUpdatingEditor == 0) FGrid->SetEditText(FGrid->GetCol(), FGrid->GetRow(), GetText());
}

void TInplaceEdit::MoveCaret(int NewPos, bool Extend) {
  NewPos = std::clamp(NewPos, 0, Length());
  if (!Extend) {
    FAnchor = NewPos;
    FSelStart = NewPos;
    FSelLength = 0;
  } else {
    FSelStart = std::min(FAnchor, NewPos);
    FSelLength = std::abs(NewPos - FAnchor);
  }
  Invalidate();
}

bool TInplaceEdit::KeyGoesToGrid(uint16_t Key, TShiftState Shift) const {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
      return true;
    case VK_TAB:
      return true;
    case VK_RETURN:
      return !(MultiLine && WantReturns) || Shift.Contains(TShiftStateItem::ssCtrl);
    default:
      return false;
  }
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (KeyGoesToGrid(Key, Shift)) {
    if (FGrid) FGrid->KeyDown(Key, Shift);
    return;
  }
  const bool extend = Shift.Contains(TShiftStateItem::ssShift);
  const int caret = FSelLength > 0 && FAnchor == FSelStart ? FSelStart + FSelLength : FSelStart;
  switch (Key) {
    case VK_LEFT: MoveCaret(caret - 1, extend); Key = 0; break;
    case VK_RIGHT: MoveCaret(caret + 1, extend); Key = 0; break;
    case VK_HOME: MoveCaret(0, extend); Key = 0; break;
    case VK_END: MoveCaret(Length(), extend); Key = 0; break;
    case VK_DELETE:
      if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
      else if (FSelStart < Length()) Replace(FSelStart, 1, u"");
      Key = 0;
      break;
    case 'A':
      if (Shift.Contains(TShiftStateItem::ssCtrl)) { SelectAll(); Key = 0; }
      break;
    case 'C':
      if (Shift.Contains(TShiftStateItem::ssCtrl) && PasswordChar == '\0') { Clipbrd::Clipboard().SetAsText(GetSelText()); Key = 0; }
      break;
    case 'X':
      if (Shift.Contains(TShiftStateItem::ssCtrl) && PasswordChar == '\0') {
        Clipbrd::Clipboard().SetAsText(GetSelText());
        Replace(FSelStart, FSelLength, u"");
        Key = 0;
      }
      break;
    case 'V':
      if (Shift.Contains(TShiftStateItem::ssCtrl)) { SetSelText(Clipbrd::Clipboard().GetAsText()); Key = 0; }
      break;
    default:
      break;
  }
}

void TInplaceEdit::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == u'\r' && MultiLine && WantReturns) {
    Replace(FSelStart, FSelLength, u"\r\n");
    Key = 0;
    return;
  }
  if (Key == u'\r' || Key == 27 || Key == u'\t') {
    if (FGrid) FGrid->KeyPress(Key);
    Key = 0;
    return;
  }
  if (Key == 8) {
    if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
    else if (FMask && FMask->PrevEditable(FSelStart) >= 0) Replace(FMask->PrevEditable(FSelStart), 1, u"");
    else if (!FMask && FSelStart > 0) Replace(FSelStart - 1, 1, u"");
    Key = 0;
    return;
  }
  if (Key < 32) return;
  if (FGrid && !FGrid->CanEditModify()) {
    Key = 0;
    return;
  }
  Replace(FSelStart, FSelLength, std::u16string(1, Key));
  Key = 0;
}

void TInplaceEdit::Paint() {
  TCanvas* c = GetCanvas();
  const TRect r = GetClientRect();
  c->Brush->SetColor(GetColor());
  c->FillRect(r);
  c->Font->Assign(*GetFont());
  const std::u16string shown = Wide(DisplayText());
  const int lh = c->TextHeight("Wg");
  const int selEnd = FSelStart + FSelLength;
  const int caret = FSelLength > 0 && FAnchor == FSelStart ? selEnd : FSelStart;
  const bool focused = Focused();
  // Each line with its start in the text; the selection is drawn over it in
  // the highlight colours and the caret as a line where it stands.
  size_t start = 0;
  for (int lineNo = 0;; ++lineNo) {
    const size_t br = MultiLine ? shown.find(u'\n', start) : std::u16string::npos;
    std::u16string line = shown.substr(start, br == std::u16string::npos ? std::u16string::npos : br - start);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    const int len = static_cast<int>(line.size());
    const int w = c->TextWidth(Narrow(line));
    const int x = Alignment == TAlignment::taRightJustify ? r.Right - 2 - w
                  : Alignment == TAlignment::taCenter    ? (r.Left + r.Right - w) / 2
                                                         : r.Left + 2;
    const int y = r.Top + 1 + lineNo * lh;
    auto xAt = [&](int i) { return x + c->TextWidth(Narrow(line.substr(0, static_cast<size_t>(std::clamp(i, 0, len))))); };
    c->Brush->SetStyle(bsClear);
    c->Font->SetColor(GetFont()->GetColor());
    c->TextOut(x, y, Narrow(line));
    const int ls = static_cast<int>(start);
    const int a = std::clamp(FSelStart - ls, 0, len), b = std::clamp(selEnd - ls, 0, len);
    if (a < b) {
      c->Brush->SetStyle(bsSolid);
      c->Brush->SetColor(clHighlight);
      c->FillRect(TRect(xAt(a), y, xAt(b), y + lh));
      c->Brush->SetStyle(bsClear);
      c->Font->SetColor(clHighlightText);
      c->TextOut(xAt(a), y, Narrow(line.substr(static_cast<size_t>(a), static_cast<size_t>(b - a))));
    }
    if (focused && caret >= ls && caret <= ls + len) {
      c->Pen->SetColor(GetFont()->GetColor());
      c->MoveTo(xAt(caret - ls), y);
      c->LineTo(xAt(caret - ls), y + lh);
    }
    if (br == std::u16string::npos) break;
    start = br + 1;
  }
  c->Brush->SetStyle(bsSolid);
}

// ================================================================ TCustomGrid

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  FFixedColor = clBtnFace;
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// ---- counts and sizes

void TCustomGrid::SetColCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FColCount) return;
  const int oldCols = FColCount;
  FColCount = Value;
  if (FFixedCols >= FColCount) FFixedCols = FColCount - 1;
  if (!FColWidths.empty()) FColWidths.resize(static_cast<size_t>(FColCount), FDefaultColWidth);
  ClampView();
  SizeChanged(oldCols, FRowCount);
  SyncScrollBars();
  Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value < 1) Value = 1;
  if (Value == FRowCount) return;
  const int oldRows = FRowCount;
  FRowCount = Value;
  if (FFixedRows >= FRowCount) FFixedRows = FRowCount - 1;
  if (!FRowHeights.empty()) FRowHeights.resize(static_cast<size_t>(FRowCount), FDefaultRowHeight);
  ClampView();
  SizeChanged(FColCount, oldRows);
  SyncScrollBars();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EArgumentException("Fixed column count must be 0 or more");
  if (Value >= FColCount) throw EArgumentException("Fixed column count must be less than column count");
  FFixedCols = Value;
  ClampView();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EArgumentException("Fixed row count must be 0 or more");
  if (Value >= FRowCount) throw EArgumentException("Fixed row count must be less than row count");
  FFixedRows = Value;
  ClampView();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = std::max(0, Value);
  FColWidths.clear();
  ClampView();
  SyncScrollBars();
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = std::max(0, Value);
  FRowHeights.clear();
  ClampView();
  SyncScrollBars();
  RowHeightsChanged();
  Invalidate();
}

int TCustomGrid::GetColWidths(int ACol) const {
  if (ACol < 0 || ACol >= FColCount) return FDefaultColWidth;
  return FColWidths.empty() ? FDefaultColWidth : FColWidths[static_cast<size_t>(ACol)];
}

void TCustomGrid::SetColWidths(int ACol, int Value) {
  if (ACol < 0 || ACol >= FColCount) return;
  Value = std::max(0, Value);
  if (FColWidths.empty()) FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
  if (FColWidths[static_cast<size_t>(ACol)] == Value) return;
  FColWidths[static_cast<size_t>(ACol)] = Value;
  ClampView();
  SyncScrollBars();
  ColWidthsChanged();
  Invalidate();
}

int TCustomGrid::GetRowHeights(int ARow) const {
  if (ARow < 0 || ARow >= FRowCount) return FDefaultRowHeight;
  return FRowHeights.empty() ? FDefaultRowHeight : FRowHeights[static_cast<size_t>(ARow)];
}

void TCustomGrid::SetRowHeights(int ARow, int Value) {
  if (ARow < 0 || ARow >= FRowCount) return;
  Value = std::max(0, Value);
  if (FRowHeights.empty()) FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
  if (FRowHeights[static_cast<size_t>(ARow)] == Value) return;
  FRowHeights[static_cast<size_t>(ARow)] = Value;
  ClampView();
  SyncScrollBars();
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = std::max(0, Value);
  ClampView();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing)) HideEditor();
  if (FOptions.Contains(goRowSelect)) {
    HideEditor();
    FAnchor = FCurrent;
  }
  if (FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing)) ShowEditor();
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  FScrollBars = Value;
  SyncScrollBars();
  Invalidate();
}

TScrollBar* TCustomGrid::GetScrollBar(TScrollBarKind Kind) const {
  const int i = Kind == TScrollBarKind::sbVertical ? 1 : 0;
  return FShowBar[i] ? FBars[i] : nullptr;
}

TRect TCustomGrid::GetClientRect() const {
  return Rect(0, 0, std::max(0, GetWidth() - (FShowBar[1] ? ScrollBarSize : 0)),
              std::max(0, GetHeight() - (FShowBar[0] ? ScrollBarSize : 0)));
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  SyncScrollBars();
}

void TCustomGrid::SyncScrollBars() {
  if (FSyncingBars) return;
  FSyncingBars = true;
  struct TDone {
    bool& F;
    ~TDone() { F = false; }
  } done{FSyncingBars};
  const bool allowH = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
  const bool allowV = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
  bool needH = allowH && GridWidth() > GetWidth();
  bool needV = allowV && GridHeight() > GetHeight();
  if (needV && !needH) needH = allowH && GridWidth() > GetWidth() - ScrollBarSize;
  if (needH && !needV) needV = allowV && GridHeight() > GetHeight() - ScrollBarSize;
  const bool changed = needH != FShowBar[0] || needV != FShowBar[1];
  FShowBar[0] = needH;
  FShowBar[1] = needV;
  if (changed) ClampView();
  for (int i = 0; i < 2; ++i) {
    const auto kind = i == 1 ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal;
    if (!FShowBar[i]) {
      if (FBars[i]) FBars[i]->SetVisible(false);
      continue;
    }
    if (!FBars[i]) {
      FBars[i] = Create<TScrollBar>(this);
      FBars[i]->SetKind(kind);
      FBars[i]->SetParams(0, 0, 127);
      FBars[i]->OnScroll = [this, kind](TObject*, TScrollCode Code, int& Pos) { BarScrolled(kind, Code, Pos); };
      FBars[i]->SetParent(this);
    }
    const TRect client = GetClientRect();
    if (i == 1) FBars[i]->SetBounds(client.Right, 0, ScrollBarSize, client.Bottom);
    else FBars[i]->SetBounds(0, client.Bottom, client.Right, ScrollBarSize);
    const int visible = i == 1 ? std::max(1, VisibleRowCount()) : std::max(1, VisibleColCount());
    const int count = i == 1 ? FRowCount - FFixedRows : FColCount - FFixedCols;
    FBars[i]->SetPageSize(std::clamp(count > 0 ? 128 * visible / count : 128, 1, 128));
    FBars[i]->SetPosition(ScrollPosition(kind));
    FBars[i]->SetVisible(true);
  }
}

void TCustomGrid::BarScrolled(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
  const bool vert = Kind == TScrollBarKind::sbVertical;
  const int page = std::max(1, vert ? VisibleRowCount() : VisibleColCount());
  auto step = [&](int Delta) {
    if (vert) SetTopRow(FTopLeft.Y + Delta);
    else SetLeftCol(FTopLeft.X + Delta);
  };
  switch (Code) {
    case TScrollCode::scLineUp: step(-1); break;
    case TScrollCode::scLineDown: step(1); break;
    case TScrollCode::scPageUp: step(-page); break;
    case TScrollCode::scPageDown: step(page); break;
    case TScrollCode::scTop: ScrollToPosition(Kind, 0); break;
    case TScrollCode::scBottom: ScrollToPosition(Kind, 127); break;
    case TScrollCode::scTrack:
    case TScrollCode::scPosition: ScrollToPosition(Kind, Pos); break;
    case TScrollCode::scEndScroll: break;
  }
  Pos = ScrollPosition(Kind);
}

int TCustomGrid::SumWidths(int From, int To) const {
  if (FColWidths.empty()) return std::max(0, To - From) * (FDefaultColWidth + FGridLineWidth);
  int64_t s = 0;
  for (int i = From; i < To; ++i) s += GetColWidths(i) + FGridLineWidth;
  return static_cast<int>(std::min<int64_t>(s, INT32_MAX / 2));
}

int TCustomGrid::SumHeights(int From, int To) const {
  if (FRowHeights.empty()) {
    const int64_t s = static_cast<int64_t>(std::max(0, To - From)) * (FDefaultRowHeight + FGridLineWidth);
    return static_cast<int>(std::min<int64_t>(s, INT32_MAX / 2));
  }
  int64_t s = 0;
  for (int i = From; i < To; ++i) s += GetRowHeights(i) + FGridLineWidth;
  return static_cast<int>(std::min<int64_t>(s, INT32_MAX / 2));
}

int TCustomGrid::GridWidth() const { return SumWidths(0, FColCount); }
int TCustomGrid::GridHeight() const { return SumHeights(0, FRowCount); }

// ---- view

int TCustomGrid::ColLeft(int ACol) const {
  if (ACol < FFixedCols) return SumWidths(0, ACol);
  return SumWidths(0, FFixedCols) + (ACol >= FTopLeft.X ? SumWidths(FTopLeft.X, ACol) : -SumWidths(ACol, FTopLeft.X));
}

int TCustomGrid::RowTop(int ARow) const {
  if (ARow < FFixedRows) return SumHeights(0, ARow);
  return SumHeights(0, FFixedRows) + (ARow >= FTopLeft.Y ? SumHeights(FTopLeft.Y, ARow) : -SumHeights(ARow, FTopLeft.Y));
}

bool TCustomGrid::ColOnScreen(int ACol) const {
  if (ACol < 0 || ACol >= FColCount) return false;
  if (ACol < FFixedCols) return ColLeft(ACol) < GetClientWidth();
  return ACol >= FTopLeft.X && ColLeft(ACol) < GetClientWidth();
}

bool TCustomGrid::RowOnScreen(int ARow) const {
  if (ARow < 0 || ARow >= FRowCount) return false;
  if (ARow < FFixedRows) return RowTop(ARow) < GetClientHeight();
  return ARow >= FTopLeft.Y && RowTop(ARow) < GetClientHeight();
}

int TCustomGrid::VisibleColCount() const {
  const int limit = GetClientWidth();
  int x = SumWidths(0, FFixedCols);
  int n = 0;
  for (int c = FTopLeft.X; c < FColCount; ++c) {
    x += GetColWidths(c);
    if (x > limit) break;
    x += FGridLineWidth;
    ++n;
  }
  return n;
}

int TCustomGrid::VisibleRowCount() const {
  const int limit = GetClientHeight();
  int y = SumHeights(0, FFixedRows);
  int n = 0;
  for (int r = FTopLeft.Y; r < FRowCount; ++r) {
    y += GetRowHeights(r);
    if (y > limit) break;
    y += FGridLineWidth;
    ++n;
  }
  return n;
}

int TCustomGrid::MaxLeftCol() const {
  const int room = GetClientWidth() - SumWidths(0, FFixedCols);
  int used = 0;
  int c = FColCount - 1;
  for (; c > FFixedCols; --c) {
    const int w = GetColWidths(c) + FGridLineWidth;
    if (used + GetColWidths(c) > room) break;
    used += w;
  }
  if (c < FColCount - 1 && used > 0 && c >= FFixedCols && used + GetColWidths(c) > room) ++c;
  return std::clamp(c, FFixedCols, std::max(FFixedCols, FColCount - 1));
}

int TCustomGrid::MaxTopRow() const {
  const int room = GetClientHeight() - SumHeights(0, FFixedRows);
  int used = 0;
  int r = FRowCount - 1;
  for (; r > FFixedRows; --r) {
    if (used + GetRowHeights(r) > room) break;
    used += GetRowHeights(r) + FGridLineWidth;
  }
  if (r < FRowCount - 1 && used > 0 && r >= FFixedRows && used + GetRowHeights(r) > room) ++r;
  return std::clamp(r, FFixedRows, std::max(FFixedRows, FRowCount - 1));
}

void TCustomGrid::ClampView() {
  const TGridCoord oldTopLeft = FTopLeft;
  FCurrent.X = std::clamp(FCurrent.X, FFixedCols, FColCount - 1);
  FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, FRowCount - 1);
  FAnchor.X = std::clamp(FAnchor.X, FFixedCols, FColCount - 1);
  FAnchor.Y = std::clamp(FAnchor.Y, FFixedRows, FRowCount - 1);
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, MaxLeftCol());
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, MaxTopRow());
  if (!(oldTopLeft == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int Value) {
  Value = std::clamp(Value, FFixedCols, MaxLeftCol());
  if (Value == FTopLeft.X) return;
  FTopLeft.X = Value;
  TopLeftChanged();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, FFixedRows, MaxTopRow());
  if (Value == FTopLeft.Y) return;
  FTopLeft.Y = Value;
  TopLeftChanged();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::ScrollInView(int ACol, int ARow) {
  if (ACol >= FFixedCols && ACol < FColCount) {
    if (ACol < FTopLeft.X) {
      SetLeftCol(ACol);
    } else {
      int left = FTopLeft.X;
      const int room = GetClientWidth();
      while (left < ACol && SumWidths(0, FFixedCols) + SumWidths(left, ACol) + GetColWidths(ACol) > room) ++left;
      SetLeftCol(left);
    }
  }
  if (ARow >= FFixedRows && ARow < FRowCount) {
    if (ARow < FTopLeft.Y) {
      SetTopRow(ARow);
    } else {
      int top = FTopLeft.Y;
      const int room = GetClientHeight();
      // Jumps far ahead go straight to a top row near the target.
      if (ARow - top > 4 * std::max(1, VisibleRowCount()) + 8) top = std::max(FFixedRows, ARow - 2 * std::max(1, VisibleRowCount()));
      while (top < ARow && SumHeights(0, FFixedRows) + SumHeights(top, ARow) + GetRowHeights(ARow) > room) ++top;
      SetTopRow(top);
    }
  }
}

int TCustomGrid::ScrollPosition(TScrollBarKind Kind) const {
  if (Kind == TScrollBarKind::sbVertical) {
    const int range = MaxTopRow() - FFixedRows;
    return range <= 0 ? 0 : std::clamp(MulDivRound(FTopLeft.Y - FFixedRows, 127, range), 0, 127);
  }
  const int range = MaxLeftCol() - FFixedCols;
  return range <= 0 ? 0 : std::clamp(MulDivRound(FTopLeft.X - FFixedCols, 127, range), 0, 127);
}

void TCustomGrid::ScrollToPosition(TScrollBarKind Kind, int Pos) {
  Pos = std::clamp(Pos, 0, 127);
  if (Kind == TScrollBarKind::sbVertical) SetTopRow(MulDivRound(Pos, MaxTopRow() - FFixedRows, 127) + FFixedRows);
  else SetLeftCol(MulDivRound(Pos, MaxLeftCol() - FFixedCols, 127) + FFixedCols);
}

// ---- geometry

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (!ColOnScreen(ACol) || !RowOnScreen(ARow)) return TRect();
  const int l = ColLeft(ACol);
  const int t = RowTop(ARow);
  return TRect(l, t, l + GetColWidths(ACol), t + GetRowHeights(ARow));
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  ACol = -1;
  ARow = -1;
  if (X < 0 || Y < 0 || X >= GetClientWidth() || Y >= GetClientHeight()) return;
  auto find = [](int P, int Fixed, int First, int Count, auto Size, int Line) {
    int x = 0;
    for (int i = 0; i < Fixed; ++i) {
      const int w = Size(i) + Line;
      if (P < x + w) return i;
      x += w;
    }
    for (int i = First; i < Count; ++i) {
      const int w = Size(i) + Line;
      if (P < x + w) return i;
      x += w;
    }
    return -1;
  };
  ACol = find(X, FFixedCols, FTopLeft.X, FColCount, [this](int i) { return GetColWidths(i); }, FGridLineWidth);
  ARow = find(Y, FFixedRows, FTopLeft.Y, FRowCount, [this](int i) { return GetRowHeights(i); }, FGridLineWidth);
  if (ACol < 0 || ARow < 0) {
    ACol = -1;
    ARow = -1;
  }
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  TGridCoord c;
  MouseToCell(X, Y, c.X, c.Y);
  return c;
}

// ---- current cell and selection

TGridRect TCustomGrid::GetSelection() const {
  TGridRect r{std::min(FCurrent.X, FAnchor.X), std::min(FCurrent.Y, FAnchor.Y), std::max(FCurrent.X, FAnchor.X),
              std::max(FCurrent.Y, FAnchor.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SelectionChanged(const TGridRect& Old) {
  const TGridRect now = GetSelection();
  if (!(Old == now)) Invalidate();
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  const TGridRect old = GetSelection();
  FAnchor = {Value.Left, Value.Top};
  FCurrent = {Value.Right, Value.Bottom};
  // Selections beyond the cells (a parked selection) are kept as given.
  SelectionChanged(old);
}

bool TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  ACol = std::clamp(ACol, FFixedCols, FColCount - 1);
  ARow = std::clamp(ARow, FFixedRows, FRowCount - 1);
  if ((ACol != FCurrent.X || ARow != FCurrent.Y) && !SelectCell(ACol, ARow)) return false;
  const TGridRect old = GetSelection();
  const bool moved = ACol != FCurrent.X || ARow != FCurrent.Y;
  const bool editorWasShown = FInplaceEdit && FInplaceEdit->GetVisible();
  if (moved && editorWasShown) HideEditor();
  InvalidateCell(FCurrent.X, FCurrent.Y);
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  if (Show) ScrollInView(ACol, ARow);
  SelectionChanged(old);
  InvalidateCell(ACol, ARow);
  if (moved && FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing)) ShowEditor();
  return true;
}

void TCustomGrid::SetCol(int Value) { MoveColRow(Value, FCurrent.Y, true, true); }
void TCustomGrid::SetRow(int Value) { MoveColRow(FCurrent.X, Value, true, true); }

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

// ---- editing

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FCurrent.X >= FFixedCols &&
         FCurrent.Y >= FFixedRows;
}

TInplaceEdit* TCustomGrid::CreateEditor() { return Create<TInplaceEdit>(this); }

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
  std::string s;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

std::string TCustomGrid::GetEditMask(int ACol, int ARow) {
  std::string s;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, s);
  return s;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::UpdateEditorBounds() {
  if (!FInplaceEdit || !FInplaceEdit->GetVisible()) return;
  const TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.IsEmpty()) FInplaceEdit->SetBounds(-r.Width() - 10, 0, std::max(1, r.Width()), std::max(1, r.Height()));
  else FInplaceEdit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  ScrollInView(FCurrent.X, FCurrent.Y);
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  FEditorMode = true;
  {
    ++FUpdatingEditor;
    struct TDone {
      int& N;
      ~TDone() { --N; }
    } done{FUpdatingEditor};
    FInplaceEdit->SetMaxLength(GetEditLimit());
    FInplaceEdit->SetFont(GetFont());
    FInplaceEdit->SetEditMask(GetEditMask(FCurrent.X, FCurrent.Y));
    FInplaceEdit->SetText(GetEditText(FCurrent.X, FCurrent.Y));
    FInplaceEdit->SelectAll();
    FInplaceEdit->SetModified(false);
  }
  FInplaceEdit->SetVisible(true);
  UpdateEditorBounds();
  if (Focused()) FInplaceEdit->SetFocus();
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  if (!FInplaceEdit || !FInplaceEdit->GetVisible()) return;
  const bool hadFocus = FInplaceEdit->Focused();
  FInplaceEdit->SetVisible(false);
  if (hadFocus && CanFocus()) SetFocus();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

// ---- notifications

void TCustomGrid::SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}
void TCustomGrid::ColWidthsChanged() { UpdateEditorBounds(); }
void TCustomGrid::RowHeightsChanged() { UpdateEditorBounds(); }

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::TopLeftChanged() {
  for (int i = 0; i < 2; ++i)
    if (FShowBar[i] && FBars[i])
      FBars[i]->SetPosition(ScrollPosition(i == 1 ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal));
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

bool TCustomGrid::CanSizeBorder(int /*X*/, int /*Y*/, bool /*IsColumn*/, int /*Index*/) { return true; }

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount) return;
  if (!FColWidths.empty()) {
    const int w = FColWidths[static_cast<size_t>(FromIndex)];
    FColWidths.erase(FColWidths.begin() + FromIndex);
    FColWidths.insert(FColWidths.begin() + ToIndex, w);
  }
  ColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount) return;
  if (!FRowHeights.empty()) {
    const int h = FRowHeights[static_cast<size_t>(FromIndex)];
    FRowHeights.erase(FRowHeights.begin() + FromIndex);
    FRowHeights.insert(FRowHeights.begin() + ToIndex, h);
  }
  RowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::InvalidateCell(int /*ACol*/, int /*ARow*/) { Invalidate(); }
void TCustomGrid::InvalidateCol(int /*ACol*/) { Invalidate(); }
void TCustomGrid::InvalidateRow(int /*ARow*/) { Invalidate(); }

// ---- painting

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, Rect, State);
}

void TCustomGrid::Paint() {
  TCanvas* c = GetCanvas();
  const int cw = GetClientWidth(), ch = GetClientHeight();
  c->Brush->SetColor(GetColor());
  c->Brush->SetStyle(bsSolid);
  c->FillRect(Rect(0, 0, cw, ch));
  const TGridRect sel = GetSelection();
  const bool focused = Focused();
  auto paintRows = [&](int FirstRow, int LastRow) {
    for (int r = FirstRow; r < LastRow; ++r) {
      const int top = RowTop(r);
      if (top >= ch) break;
      const int h = GetRowHeights(r);
      auto paintCol = [&](int col) {
        const int left = ColLeft(col);
        const TRect rect(left, top, left + GetColWidths(col), top + h);
        const bool fixed = col < FFixedCols || r < FFixedRows;
        TGridDrawState st;
        if (fixed) st.Include(gdFixed);
        else {
          const bool current = col == FCurrent.X && r == FCurrent.Y;
          if (current && focused) st.Include(gdFocused);
          if (InRect(sel, col, r) && (!current || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect)))
            st.Include(gdSelected);
        }
        TDeviceContext* dc = c->GetHandle();
        const int saved = dc->SaveDC();
        if (ClipCells) dc->IntersectClipRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
        c->Refresh();
        if (FDefaultDrawing) {
          c->Brush->SetColor(fixed ? FFixedColor : st.Contains(gdSelected) ? clHighlight : GetColor());
          c->FillRect(rect);
        }
        DrawCell(col, r, rect, st);
        c->GetHandle()->RestoreDC(saved);
        c->Refresh();
        // Grid lines right of and below the cell.
        if (FGridLineWidth > 0) {
          const bool vert = fixed ? FOptions.Contains(goFixedVertLine) : FOptions.Contains(goVertLine);
          const bool horz = fixed ? FOptions.Contains(goFixedHorzLine) : FOptions.Contains(goHorzLine);
          c->Brush->SetColor(fixed ? clBlack : clSilver);
          if (vert) c->FillRect(Rect(rect.Right, rect.Top, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth));
          if (horz) c->FillRect(Rect(rect.Left, rect.Bottom, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth));
        }
        return left + GetColWidths(col) < cw;
      };
      for (int col = 0; col < FFixedCols; ++col)
        if (!paintCol(col)) break;
      for (int col = FTopLeft.X; col < FColCount; ++col)
        if (!paintCol(col)) break;
    }
  };
  paintRows(0, FFixedRows);
  paintRows(FTopLeft.Y, FRowCount);
}

void TCustomGrid::DrawSizingLine(int Pos) {
  if (Pos < 0) return;
  TCanvas* c = GetCanvas();
  c->Pen->SetMode(pmXor);
  c->Pen->SetColor(clWhite);
  c->Pen->SetWidth(1);
  if (FGridState == TGridState::gsColSizing) {
    c->MoveTo(Pos, 0);
    c->LineTo(Pos, GetClientHeight());
  } else {
    c->MoveTo(0, Pos);
    c->LineTo(GetClientWidth(), Pos);
  }
  c->Pen->SetMode(pmCopy);
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  ClampView();
  UpdateEditorBounds();
}

// ---- keys

void TCustomGrid::StepCell(int DCol, int DRow, TShiftState Shift) {
  const bool extend = Shift.Contains(TShiftStateItem::ssShift) && FOptions.Contains(goRangeSelect) &&
                      !FOptions.Contains(goRowSelect);
  MoveColRow(FCurrent.X + DCol, FCurrent.Y + DRow, !extend, true);
}

void TCustomGrid::TabStep(bool Backwards) {
  int c = FCurrent.X, r = FCurrent.Y;
  if (Backwards) {
    if (--c < FFixedCols) {
      c = FColCount - 1;
      if (--r < FFixedRows) r = FRowCount - 1;
    }
  } else if (++c >= FColCount) {
    c = FFixedCols;
    if (++r >= FRowCount) r = FFixedRows;
  }
  MoveColRow(c, r, true, true);
}

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool ctrl = Shift.Contains(TShiftStateItem::ssCtrl);
  const int page = std::max(1, VisibleRowCount());
  const int pageCols = std::max(1, VisibleColCount());
  const bool rowSelect = FOptions.Contains(goRowSelect);
  switch (Key) {
    case VK_UP: StepCell(0, -1, Shift); break;
    case VK_DOWN: StepCell(0, 1, Shift); break;
    case VK_LEFT:
      if (rowSelect) SetLeftCol(FTopLeft.X - 1);
      else if (ctrl) StepCell(-pageCols, 0, Shift);
      else StepCell(-1, 0, Shift);
      break;
    case VK_RIGHT:
      if (rowSelect) SetLeftCol(FTopLeft.X + 1);
      else if (ctrl) StepCell(pageCols, 0, Shift);
      else StepCell(1, 0, Shift);
      break;
    case VK_PRIOR:
      SetTopRow(FTopLeft.Y - page);
      StepCell(0, -page, Shift);
      break;
    case VK_NEXT:
      SetTopRow(FTopLeft.Y + page);
      StepCell(0, page, Shift);
      break;
    case VK_HOME:
      if (ctrl || rowSelect) MoveColRow(rowSelect ? FCurrent.X : FFixedCols, FFixedRows, true, true);
      else MoveColRow(FFixedCols, FCurrent.Y, true, true);
      break;
    case VK_END:
      if (ctrl || rowSelect) MoveColRow(rowSelect ? FCurrent.X : FColCount - 1, FRowCount - 1, true, true);
      else MoveColRow(FColCount - 1, FCurrent.Y, true, true);
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs) || ctrl) return;
      TabStep(Shift.Contains(TShiftStateItem::ssShift));
      break;
    case VK_F2:
      ShowEditor();
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomGrid::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  const bool shown = FInplaceEdit && FInplaceEdit->GetVisible();
  if (Key == u'\r') {
    if (FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor)) {
      if (shown) HideEditor();
      else ShowEditor();
    }
    Key = 0;
    return;
  }
  if (Key == 27) {
    if (shown && !FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    Key = 0;
    return;
  }
  if (Key == u'\t') return;
  if (!shown && Key >= 32 && CanEditShow() && CanEditModify()) {
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->GetVisible()) {
      FInplaceEdit->SelectAll();
      FInplaceEdit->KeyPress(Key);
    }
    Key = 0;
  }
}

// ---- mouse

bool TCustomGrid::SizingAt(int X, int Y, bool& IsColumn, int& Index, int& Edge) const {
  const int fixedH = SumHeights(0, FFixedRows);
  const int fixedW = SumWidths(0, FFixedCols);
  if (FOptions.Contains(goColSizing) && Y < fixedH) {
    auto test = [&](int col) {
      const int right = ColLeft(col) + GetColWidths(col);
      if (std::abs(X - right) <= kSizingReach) {
        IsColumn = true;
        Index = col;
        Edge = ColLeft(col);
        return true;
      }
      return false;
    };
    for (int col = 0; col < FFixedCols; ++col)
      if (test(col)) return true;
    for (int col = FTopLeft.X; col < FColCount && ColLeft(col) < GetClientWidth(); ++col)
      if (test(col)) return true;
  }
  if (FOptions.Contains(goRowSizing) && X < fixedW) {
    auto test = [&](int row) {
      const int bottom = RowTop(row) + GetRowHeights(row);
      if (std::abs(Y - bottom) <= kSizingReach) {
        IsColumn = false;
        Index = row;
        Edge = RowTop(row);
        return true;
      }
      return false;
    };
    for (int row = 0; row < FFixedRows; ++row)
      if (test(row)) return true;
    for (int row = FTopLeft.Y; row < FRowCount && RowTop(row) < GetClientHeight(); ++row)
      if (test(row)) return true;
  }
  return false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (CanFocus() && !Focused()) SetFocus();
  bool isColumn = false;
  int index = -1, edge = 0;
  if (SizingAt(X, Y, isColumn, index, edge) && CanSizeBorder(X, Y, isColumn, index)) {
    FGridState = isColumn ? TGridState::gsColSizing : TGridState::gsRowSizing;
    FSizingIndex = index;
    FSizingEdge = edge;
    FSizingPos = isColumn ? X : Y;
    DrawSizingLine(FSizingPos);
    return;
  }
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0) return;
  if (row < FFixedRows && col >= FFixedCols && FOptions.Contains(goColMoving) && BeginColumnDrag(col)) {
    FGridState = TGridState::gsColMoving;
    FMoveFrom = FMoveTo = col;
    return;
  }
  if (col < FFixedCols && row >= FFixedRows && FOptions.Contains(goRowMoving) && BeginRowDrag(row)) {
    FGridState = TGridState::gsRowMoving;
    FMoveFrom = FMoveTo = row;
    return;
  }
  if (col < FFixedCols || row < FFixedRows) return;
  const bool wasCurrent = col == FCurrent.X && row == FCurrent.Y;
  const bool extend = Shift.Contains(TShiftStateItem::ssShift) && FOptions.Contains(goRangeSelect);
  if (MoveColRow(col, row, !extend, true)) {
    FGridState = TGridState::gsSelecting;
    if (wasCurrent && !extend && FOptions.Contains(goEditing)) ShowEditor();
  }
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  switch (FGridState) {
    case TGridState::gsColSizing:
    case TGridState::gsRowSizing: {
      const int pos = std::max(FSizingEdge, FGridState == TGridState::gsColSizing ? X : Y);
      if (pos != FSizingPos) {
        DrawSizingLine(FSizingPos);
        FSizingPos = pos;
        DrawSizingLine(FSizingPos);
      }
      break;
    }
    case TGridState::gsSelecting: {
      int col = -1, row = -1;
      MouseToCell(X, Y, col, row);
      if (col >= FFixedCols && row >= FFixedRows && FOptions.Contains(goRangeSelect) &&
          (col != FCurrent.X || row != FCurrent.Y))
        MoveColRow(col, row, false, true);
      break;
    }
    case TGridState::gsColMoving:
    case TGridState::gsRowMoving: {
      int col = -1, row = -1;
      MouseToCell(X, Y, col, row);
      const int to = FGridState == TGridState::gsColMoving ? col : row;
      const int fixed = FGridState == TGridState::gsColMoving ? FFixedCols : FFixedRows;
      if (to >= fixed) FMoveTo = to;
      break;
    }
    case TGridState::gsNormal: {
      bool isColumn = false;
      int index = -1, edge = 0;
      const bool sizing = SizingAt(X, Y, isColumn, index, edge);
      SetCursor(sizing ? (isColumn ? crHSplit : crVSplit) : crDefault);
      break;
    }
  }
}

void TCustomGrid::FinishMouseAction(int X, int Y) {
  const TGridState state = FGridState;
  FGridState = TGridState::gsNormal;
  if (state == TGridState::gsColSizing || state == TGridState::gsRowSizing) {
    FGridState = state;
    DrawSizingLine(FSizingPos);
    FGridState = TGridState::gsNormal;
    const int pos = std::max(FSizingEdge, state == TGridState::gsColSizing ? X : Y);
    if (state == TGridState::gsColSizing) SetColWidths(FSizingIndex, pos - FSizingEdge);
    else SetRowHeights(FSizingIndex, pos - FSizingEdge);
    FSizingIndex = -1;
    FSizingPos = -1;
  } else if (state == TGridState::gsColMoving) {
    if (FMoveTo != FMoveFrom) MoveColumn(FMoveFrom, FMoveTo);
  } else if (state == TGridState::gsRowMoving) {
    if (FMoveTo != FMoveFrom) MoveRow(FMoveFrom, FMoveTo);
  }
  FMoveFrom = FMoveTo = -1;
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) FinishMouseAction(X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (FCurrent.Y < FRowCount - 1) MoveColRow(FCurrent.X, FCurrent.Y + 1, true, true);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (FCurrent.Y > FFixedRows) MoveColRow(FCurrent.X, FCurrent.Y - 1, true, true);
  return true;
}

// ================================================================ TStringGrid

// A row: one string with an object per column, hidden columns too.
class TStringGrid::TRowStrings : public TStringList {
 public:
  TRowStrings() : TStringList(false) {}
  void Pad(int Count) {
    while (GetCount() < Count) AddObject("", nullptr);
  }
};

// A column seen as a list of its cells, one per row.
class TStringGrid::TColStrings : public TStrings {
 public:
  TColStrings(TStringGrid* Grid, int Col) : FGrid(Grid), FCol(Col) {}
  std::string Get(int Index) const override { return FGrid->GetCells(FCol, Index); }
  void Put(int Index, const std::string& S) override { FGrid->SetCells(FCol, Index, S); }
  TObject* GetObject(int Index) const override { return FGrid->GetObjects(FCol, Index); }
  void PutObject(int Index, TObject* AObject) override { FGrid->SetObjects(FCol, Index, AObject); }
  int GetCount() const override { return FGrid->GetRowCount(); }
  void Insert(int /*Index*/, const std::string& /*S*/) override {
    throw EArgumentException("A grid column takes no new rows");
  }
  void Delete(int /*Index*/) override { throw EArgumentException("A grid column deletes no rows"); }
  void Clear() override {
    for (int r = 0; r < GetCount(); ++r) {
      FGrid->SetCells(FCol, r, "");
      FGrid->SetObjects(FCol, r, nullptr);
    }
  }

 private:
  TStringGrid* FGrid;
  int FCol;
};

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
TStringGrid::~TStringGrid() = default;

TStringGrid::TRowStrings& TStringGrid::EnsureRow(int ARow) {
  if (ARow < 0 || ARow >= std::max(GetRowCount(), 1)) throw EArgumentException("Grid index out of range");
  if (static_cast<int>(FRows.size()) <= ARow) FRows.resize(static_cast<size_t>(ARow) + 1);
  auto& row = FRows[static_cast<size_t>(ARow)];
  if (!row) row = std::make_unique<TRowStrings>();
  row->Pad(GetColCount());
  return *row;
}

int TStringGrid::StoredColCount(int ARow) const {
  if (ARow < 0 || ARow >= static_cast<int>(FRows.size()) || !FRows[static_cast<size_t>(ARow)]) return GetColCount();
  return std::max(GetColCount(), FRows[static_cast<size_t>(ARow)]->GetCount());
}

std::string TStringGrid::GetCells(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ARow >= static_cast<int>(FRows.size()) || !FRows[static_cast<size_t>(ARow)]) return "";
  const auto& row = *FRows[static_cast<size_t>(ARow)];
  return ACol < row.GetCount() ? row.Get(ACol) : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0) throw EArgumentException("Grid index out of range");
  auto& row = EnsureRow(ARow);
  row.Pad(ACol + 1);
  row.Put(ACol, Value);
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::GetObjects(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ARow >= static_cast<int>(FRows.size()) || !FRows[static_cast<size_t>(ARow)]) return nullptr;
  const auto& row = *FRows[static_cast<size_t>(ARow)];
  return ACol < row.GetCount() ? row.GetObject(ACol) : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  if (ACol < 0) throw EArgumentException("Grid index out of range");
  auto& row = EnsureRow(ARow);
  row.Pad(ACol + 1);
  row.PutObject(ACol, Value);
}

TStrings* TStringGrid::Rows(int ARow) { return &EnsureRow(ARow); }

TStrings* TStringGrid::Cols(int ACol) {
  if (ACol < 0) throw EArgumentException("Grid index out of range");
  if (static_cast<int>(FColViews.size()) <= ACol) FColViews.resize(static_cast<size_t>(ACol) + 1);
  auto& view = FColViews[static_cast<size_t>(ACol)];
  if (!view) view = std::make_unique<TColStrings>(this, ACol);
  return view.get();
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  TCustomGrid::SizeChanged(OldColCount, OldRowCount);
  // Rows beyond the count are gone; columns beyond it stay in the rows.
  if (static_cast<int>(FRows.size()) > GetRowCount()) FRows.resize(static_cast<size_t>(GetRowCount()));
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& row : FRows) {
    if (!row) continue;
    row->Pad(std::max(FromIndex, ToIndex) + 1);
    row->Move(FromIndex, ToIndex);
  }
  TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  const int need = std::max(FromIndex, ToIndex) + 1;
  if (static_cast<int>(FRows.size()) < need) FRows.resize(static_cast<size_t>(need));
  auto moving = std::move(FRows[static_cast<size_t>(FromIndex)]);
  FRows.erase(FRows.begin() + FromIndex);
  FRows.insert(FRows.begin() + ToIndex, std::move(moving));
  TCustomGrid::RowMoved(FromIndex, ToIndex);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string s = GetCells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
  return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TCustomGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  if (GetDefaultDrawing()) {
    TCanvas* c = GetCanvas();
    c->Font->Assign(*GetFont());
    if (State.Contains(gdSelected) && !State.Contains(gdFixed)) c->Font->SetColor(clHighlightText);
    c->Brush->SetStyle(bsClear);
    c->TextOut(Rect.Left + 2, Rect.Top + 2, GetCells(ACol, ARow));
    c->Brush->SetStyle(bsSolid);
  }
  TCustomGrid::DrawCell(ACol, ARow, Rect, State);
}
