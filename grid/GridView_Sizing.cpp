// Automatic column and row sizes, row swapping, rotated text and small text helpers.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/RichText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

int LimitSize(int Size, int Min, int Max) {
  if (Min == Max) return Size;
  if (Min > 0 && Size < Min) return Min;
  if (Max > 0 && Size > Max) return Max;
  return Size;
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r') {
      if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (Text[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += Text[i];
    }
  }
  return lines;
}

}  // namespace

std::string TGridView::StripTags(const std::string& Text) {
  // Rich text has no tags: its plain text stands for it.
  if (RichText::IsRtf(Text)) {
    TRichRuns runs;
    RichText::Read(Text, runs);
    return RichText::PlainTextUtf8(runs);
  }
  std::string out;
  bool tag = false;
  for (char ch : Text) {
    if (ch == '<') tag = true;
    else if (ch == '>' && tag) tag = false;
    else if (!tag) out += ch;
  }
  return out;
}

std::string TGridView::GetStrippedText(int ACol, int ARow) { return StripTags(CellText(ACol, ARow)); }

TSize TGridView::CellTextSize(TCanvas& Canvas, const std::string& Text, int WrapWidth) {
  const std::string shown = GridUtil::ShownText(Text);
  if (shown.empty()) return TSize{0, 0};
  const int lineHeight = Canvas.TextHeight("gh");
  int width = 0, lines = 0;
  for (const std::string& line : SplitLines(shown)) {
    if (WrapWidth <= 0) {
      width = std::max(width, Canvas.TextWidth(line));
      ++lines;
      continue;
    }
    // Words are placed while they fit; a word wider than the width stands alone.
    std::string current;
    size_t pos = 0;
    int lineCount = 0;
    while (pos <= line.size()) {
      size_t next = line.find(' ', pos);
      if (next == std::string::npos) next = line.size();
      const std::string word = line.substr(pos, next - pos);
      const std::string candidate = current.empty() ? word : current + " " + word;
      if (!current.empty() && Canvas.TextWidth(candidate) > WrapWidth) {
        width = std::max(width, Canvas.TextWidth(current));
        ++lineCount;
        current = word;
      } else {
        current = candidate;
      }
      pos = next + 1;
    }
    width = std::max(width, Canvas.TextWidth(current));
    lines += lineCount + 1;
  }
  return TSize{width, lines * lineHeight};
}

TSize TGridView::MeasureCell(int ACol, int ARow, bool ForRow) {
  TCanvas& canvas = *GetCanvas();
  const bool fixed = ACol < GetFixedCols() || ARow < GetFixedRows();
  TFont font;
  font.Assign(fixed ? *FFixedFont : *GetFont());
  TBrush brush;
  DoGetCellColor(ARow, ACol, fixed ? TGridDrawState{gdFixed} : TGridDrawState{}, brush, font);
  if (ZoomFactor != 0) font.SetSize(font.GetSize() + ZoomFactor);
  canvas.Font->Assign(font);
  const int real = RealColIndex(ACol);
  const TSize graphic = GraphicSize(real, ARow);
  if (const TCellGraphic* g = CellGraphicOf(real, ARow); g && g->CellVAlign == vaFull) {
    const int less = 2 * GetGridLineWidth() + 2 + (ForRow ? FCellMarginY : FCellMarginX);
    return TSize{graphic.cx - less, graphic.cy - less};
  }
  const int wrap = ForRow && FWordWrap ? GetColWidths(ACol) - FCellMarginX - 2 * GetGridLineWidth() : 0;
  const TSize text = CellTextSize(canvas, CellText(real, ARow), wrap);
  return TSize{graphic.cx + text.cx, std::max(graphic.cy, text.cy)};
}

void TGridView::AutoSizeColumn(int ACol, bool GrowOnly) {
  if (ACol < 0 || ACol >= GetColCount()) return;
  int widest = 0;
  for (int r = 0; r < GetRowCount(); ++r) {
    if (IsXMergedCell(ACol, r) && !IsBaseCell(ACol, r)) continue;
    widest = std::max(widest, MeasureCell(ACol, r, false).cx);
  }
  int width = widest + FCellMarginX + 2 * GetGridLineWidth() + 2;
  if (GrowOnly && GetColWidths(ACol) >= width) return;
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, width);
  SetColWidths(ACol, LimitSize(width, MinColWidth, MaxColWidth));
}

void TGridView::AutoSizeRow(int ARow, bool GrowOnly) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  int tallest = 0;
  for (int c = 0; c < GetColCount(); ++c) {
    if (IsYMergedCell(c, ARow) && !IsBaseCell(c, ARow)) continue;
    const int h = IsMergedCell(c, ARow) ? 0 : MeasureCell(c, ARow, true).cy;
    tallest = std::max(tallest, h);
  }
  const int height = tallest + FCellMarginY + 2 * GetGridLineWidth();
  if (GrowOnly && GetRowHeights(ARow) >= height) return;
  const bool allVisibleBefore = VisibleRowCount() + GetFixedRows() >= GetRowCount();
  SetRowHeights(ARow, LimitSize(height, MinRowHeight, MaxRowHeight));
  const bool allVisibleAfter = VisibleRowCount() + GetFixedRows() >= GetRowCount();
  if (FSizeWhileTyping->Height && GetEditorMode() && allVisibleBefore && !allVisibleAfter) {
    HideEditor();
    ShowEditor();
    if (TInplaceEdit* e = GetInplaceEditor()) e->SetSelStart(static_cast<int>(GridUtil::Utf8ToWide(e->GetText()).size()));
  }
}

void TGridView::AutoSizeColumns(bool DoFixedCols, int Extra) {
  for (int c = DoFixedCols ? 0 : GetFixedCols(); c < GetColCount(); ++c) {
    AutoSizeCol(c);
    if (Extra != 0) SetColWidths(c, LimitSize(GetColWidths(c) + Extra, MinColWidth, MaxColWidth));
  }
}

void TGridView::SetRowHeightForLines(int ARow, int Lines, int Extra) {
  TCanvas& canvas = *GetCanvas();
  canvas.Font->Assign(*GetFont());
  const int h = canvas.TextHeight("gh");
  const int unit = h + h / 8;
  SetRowHeights(ARow, LimitSize(Lines * unit + Extra, MinRowHeight, MaxRowHeight));
}

int TGridView::MaxLineCount(int ARow) {
  if (!Multilinecells || GetColCount() == 0) return 1;
  int most = 1;
  for (int c = 0; c < GetColCount(); ++c)
    most = std::max(most, GridUtil::CharCount('\r', CellText(RealColIndex(c), ARow)) + 1);
  return most;
}

void TGridView::SwapRows(int ARow1, int ARow2) {
  ++FSwapCount;
  if (ARow1 < FSortOrder->Count() && ARow2 < FSortOrder->Count() && ARow1 >= 0 && ARow2 >= 0) {
    const int a = FSortOrder->Get(ARow1), b = FSortOrder->Get(ARow2);
    FSortOrder->Put(ARow1, b);
    FSortOrder->Put(ARow2, a);
  }
  if (FSortSettings->SingleColumn) {
    const int c = FSortSettings->Column;
    const std::string t = GetCells(c, ARow1);
    TObject* o = GetObjects(c, ARow1);
    SetCells(c, ARow1, GetCells(c, ARow2));
    SetObjects(c, ARow1, GetObjects(c, ARow2));
    SetCells(c, ARow2, t);
    SetObjects(c, ARow2, o);
    return;
  }
  FSwapList->Assign(Rows(ARow1));
  Rows(ARow1)->Assign(Rows(ARow2));
  Rows(ARow2)->Assign(FSwapList.get());
  FSwapList->Clear();
  const int h1 = GetRowHeights(ARow1), h2 = GetRowHeights(ARow2);
  if (h1 != h2) {
    SetRowHeights(ARow1, h2);
    SetRowHeights(ARow2, h1);
  }
  if (FMouseActions->GetDisjunctRowSelect() && FNavigation->MoveRowOnSort) {
    const bool s1 = RowSelected(ARow1), s2 = RowSelected(ARow2);
    FRowSelected[static_cast<size_t>(ARow1)] = s2;
    FRowSelected[static_cast<size_t>(ARow2)] = s1;
  }
  if (TrackedRow == ARow1)
    TrackedRow = ARow2;
  else if (TrackedRow == ARow2)
    TrackedRow = ARow1;
}

void TGridView::RotatedTextOrigin(TCanvas& Canvas, TRect& R, int Angle, TAlignment HAlign, TVAlignment VAlign,
                                  const std::string& Text) {
  R.Left += 2;
  R.Top += 2;
  R.Right -= 2;
  R.Bottom -= 2;
  const TSize ext = Canvas.TextExtent(GridUtil::ShownText(Text));
  const double a = Angle * std::numbers::pi / 180.0;
  const int W = ext.cx, H = ext.cy;
  const int wx = static_cast<int>(std::trunc(W * std::cos(a)));
  const int hx = static_cast<int>(std::trunc(H * std::sin(a)));
  const int wy = static_cast<int>(std::trunc(W * std::sin(a)));
  const int hy = static_cast<int>(std::trunc(H * std::cos(a)));
  const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
  const int L = R.Left, Rt = R.Right, T = R.Top, B = R.Bottom;
  int left = L;
  switch (HAlign) {
    case TAlignment::taLeftJustify:
      left = quadrant == 1 ? L : quadrant == 2 ? L + wx : quadrant == 3 ? L + hx + wx : L + hx;
      break;
    case TAlignment::taRightJustify:
      left = quadrant == 1 ? Rt - wx - hx : quadrant == 2 ? Rt - hx : quadrant == 3 ? Rt : Rt - wx;
      break;
    case TAlignment::taCenter:
      left = quadrant == 1   ? L + (Rt - L - hx - wx) / 2
             : quadrant == 2 ? Rt - (Rt - L + hx - wx) / 2
             : quadrant == 3 ? Rt - (Rt - L - hx - wx) / 2
                             : L + (Rt - L + hx - wx) / 2;
      break;
  }
  const int F = (T - B + hy + wy) / 2;
  int top = T;
  switch (VAlign) {
    case vtaTop: top = quadrant == 1 ? T + wy : quadrant == 2 ? T + wy + hy : quadrant == 3 ? T + hy : T; break;
    case vtaCenter:
      top = quadrant == 1 ? T - F + wy : quadrant == 2 ? T - F + wy + hy : quadrant == 3 ? T - F + hy : T - F;
      break;
    case vtaBottom:
      top = quadrant == 1 ? B - hy : quadrant == 2 ? B : quadrant == 3 ? B - wy : B - hy - wy;
      break;
  }
  // The text starts inside the cell even when it is longer than the cell.
  R.Left = std::clamp(left, L, std::max(L, Rt));
  R.Top = std::clamp(top, T, std::max(T, B));
}

void TGridView::RepaintRange(const TGridRect& G) {
  const TRect a = TBaseGrid::CellRect(G.Left, G.Top), b = TBaseGrid::CellRect(G.Right, G.Bottom);
  if (a.Width() <= 0 && b.Width() <= 0) return;
  Invalidate();
}

// ================================================================ stretching and user resizing

void TGridView::StretchColumnToFit(int ACol) {
  if (ComponentState.Contains(TComponentStateItem::csLoading)) return;
  if (ACol == -1) ACol = GetColCount() - 1;
  if (ACol >= GetColCount()) throw Exception("Stretch column index out of range");
  if (GetColCount() == 0 || !FColumnSize->GetStretch() || ACol < 0) return;
  {
    TRestore<bool> busy(FStretchAllowed, false);
    const int client = GetClientWidth();
    if (GetColCount() == 1) {
      SetColWidths(ACol, client);
    } else {
      int others = 0;
      for (int c = 0; c < GetColCount(); ++c)
        if (c != ACol) others += GetColWidths(c);
      SetColWidths(ACol, others < client ? client - others - 1 : GetDefaultColWidth());
    }
  }
  if (FFloatingFooter->GetVisible() && FFooterPanel) FFooterPanel->SetAlign(TAlign::alBottom);
}

void TGridView::DoUpdateColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TGridView::DoAutoColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TGridView::ColWidthsChanged() {
  if (FStretchAllowed && FColumnSize && FColumnSize->GetStretch()) StretchColumnToFit(FColumnSize->StretchColumn);
  TBaseGrid::ColWidthsChanged();
  WidthsChanged = true;
  if (ColumnResizing && FMouseActions->AllColumnSize && SizedColWidth > 0 && SizedCol >= 0 &&
      SizedCol < GetColCount()) {
    const double factor = static_cast<double>(GetColWidths(SizedCol)) / SizedColWidth;
    TRestore<bool> off(ColumnResizing, false);
    for (int c = GetFixedCols(); c < GetColCount(); ++c)
      if (c != SizedCol) SetColWidths(c, static_cast<int>(std::lround(GetColWidths(c) * factor)));
  }
  if (ColumnResizing && OnEndColumnSize) OnEndColumnSize(this, SizedCol);
  if (ColumnResizing && SizedCol >= 0 && SizedCol < GetColCount()) {
    int w = GetColWidths(SizedCol);
    const int before = w;
    DoUpdateColumnSize(SizedCol, w);
    if (w != before) {
      ColumnResizing = false;
      SetColWidths(SizedCol, w);
    }
  }
  if (ColumnResizing) {
    SizedCol = -1;
    SizedRow = -1;
    ColumnResizing = false;
  }
  if (IsToggleCell(RealCurrentCol(), GetRow())) HideEditor();
  RepaintFooter();
}

void TGridView::RowHeightsChanged() {
  TBaseGrid::RowHeightsChanged();
  if (RowResizing && FMouseActions->AllRowSize && SizedRowHeight > 0 && SizedRow >= 0 && SizedRow < GetRowCount()) {
    const double factor = static_cast<double>(GetRowHeights(SizedRow)) / SizedRowHeight;
    TRestore<bool> off(RowResizing, false);
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (r != SizedRow) SetRowHeights(r, static_cast<int>(std::lround(GetRowHeights(r) * factor)));
  }
  if (RowResizing && OnEndRowSize) OnEndRowSize(this, SizedRow);
  if (RowResizing) {
    SizedCol = -1;
    SizedRow = -1;
    RowResizing = false;
  }
  if (IsToggleCell(RealCurrentCol(), GetRow())) HideEditor();
}

bool TGridView::OnSizingBorder(int X, int Y) {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return false;
  const TRect cell = TBaseGrid::PlainCellRect(c, r);
  bool answer = false;
  if (r <= GetFixedRows() && GetOptions().Contains(goColSizing))
    answer = std::abs(X - cell.Left) < 4 || std::abs(X - cell.Right) < 4;
  // Near a column border of a header cell the answer stays "column sizing".
  if (!answer && c <= GetFixedCols() && GetOptions().Contains(goRowSizing))
    answer = std::abs(Y - cell.Top) < 4 || std::abs(Y - cell.Bottom) < 4;
  return answer;
}

// ================================================================ view and navigation

void TGridView::GotoCellCentred(int ACol, int ARow) {
  if (ACol >= GetColCount() || ARow >= GetRowCount() || ACol < 0 || ARow < 0) return;
  int left = GetLeftCol(), top = GetTopRow();
  const int vc = VisibleColCount(), vr = VisibleRowCount();
  const bool colVisible = ACol < GetFixedCols() || (ACol >= left && ACol < left + vc);
  const bool rowVisible = ARow < GetFixedRows() || (ARow >= top && ARow < top + vr);
  if (colVisible && rowVisible) return;
  if (!colVisible) {
    SetCol(ACol);
    left = std::max(GetFixedCols(), ACol - vc / 2);
  }
  if (!rowVisible) {
    SetRow(ARow);
    top = std::max(GetFixedRows(), ARow - vr / 2);
  }
  if (GetColCount() - vc > GetFixedCols()) left = std::min(left, GetColCount() - vc);
  top = std::min(top, std::max(GetFixedRows(), GetRowCount() - vr));
  SetLeftCol(left);
  SetTopRow(top);
}

void TGridView::CellAtScreenPoint(TPoint P, int& ACol, int& ARow) {
  const TPoint c = ScreenToClient(P);
  MouseToCell(c.X, c.Y, ACol, ARow);
}

// ================================================================ disjunct selection

void TGridView::ClearRowSelection() {
  for (size_t i = 0; i < FRowSelected.size(); ++i)
    if (FRowSelected[i]) {
      FRowSelected[i] = false;
      InvalidateRow(DisplayedRowOf(static_cast<int>(i)));
    }
}

void TGridView::ClearColSelection() {
  for (size_t i = 0; i < FColSelected.size(); ++i)
    if (FColSelected[i]) {
      FColSelected[i] = false;
      InvalidateCol(static_cast<int>(i));
    }
}

void TGridView::SelectRowsFromRange(bool AllRows) {
  const TGridRect s = GetSelection();
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
    const int index = FMouseActions->RowSelectPersistent ? AllRowsIndex(r) : r;
    SetRowSelected(index, AllRows || (r >= s.Top && r <= s.Bottom));
  }
}

void TGridView::SelectColsFromRange(bool AllCols) {
  const TGridRect s = GetSelection();
  for (int c = GetFixedCols(); c < GetColCount(); ++c) SetColSelected(c, AllCols || (c >= s.Left && c <= s.Right));
}

// ================================================================ repaint helpers and headers

void TGridView::InvalidateCellRange(const TGridRect& R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  RepaintCell(R.Left, R.Top);
  RepaintCell(R.Right, R.Bottom);
}

void TGridView::RepaintActiveHeaders(int OldCol, int OldRow, int NewRow, int NewCol) {
  RepaintCell(OldCol, 0);
  RepaintCell(0, OldRow);
  RepaintCell(NewCol, 0);
  RepaintCell(0, NewRow);
}

void TGridView::ApplyColumnHeaders() {
  if (GetFixedRowsRaw() == 0) return;
  for (int i = 0; i < GetColumnHeaders()->Count() && i < GetColCount(); ++i)
    SetCells(i, 0, GridUtil::EscapesToBreaks(GetColumnHeaders()->Get(i)));
  Invalidate();
}

void TGridView::ClearHeaderRow() {
  for (int c = 0; c < GetColCount(); ++c) SetCells(c, 0, "");
}

void TGridView::ApplyRowHeaders() {
  if (GetFixedColsRaw() == 0) return;
  for (int i = 0; i < GetRowHeaders()->Count() && i < GetRowCount(); ++i)
    SetCells(0, i, GridUtil::EscapesToBreaks(GetRowHeaders()->Get(i)));
  Invalidate();
}

void TGridView::ClearHeaderColumn() {
  for (int r = 0; r < GetRowCount(); ++r) SetCells(0, r, "");
}
