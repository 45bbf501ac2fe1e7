// Hidden columns and rows, the mappings between displayed, all-rows and
// pre-sort indices, node rows, the row filter, footer calculations, merged
// columns and the operations that insert, remove and clear rows and columns.
//
// Cells are stored by real column: a hidden column keeps its cells where they
// are, and the displayed columns map onto the visible real ones.

#include "grid/GridView.h"

#include "grid/GridUtil.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsDestroying(const TComponent& C) { return C.ComponentState.Contains(TComponentStateItem::csDestroying); }

}  // namespace

// ================================================================ hidden columns

bool TGridView::IsColumnHidden(int ARealCol) const {
  return ARealCol >= 0 && ARealCol < MaxHideableCols && !FHiddenCols[static_cast<size_t>(ARealCol)];
}

void TGridView::HideColumn(int ARealCol) {
  if (ARealCol < 0 || ARealCol >= MaxHideableCols || ARealCol >= AllColCount() || IsColumnHidden(ARealCol)) return;
  if (GetColCount() <= 1) return;  // one column always shows
  FHiddenCols[static_cast<size_t>(ARealCol)] = false;
  ++FHiddenColCount;
  TBaseGrid::SetColCount(GetColCount() - 1);
  Invalidate();
}

void TGridView::UnHideColumn(int ARealCol) {
  if (!IsColumnHidden(ARealCol)) return;
  FHiddenCols[static_cast<size_t>(ARealCol)] = true;
  --FHiddenColCount;
  TBaseGrid::SetColCount(GetColCount() + 1);
  Invalidate();
}

int TGridView::RealColIndex(int ADisplayedCol) const {
  if (FHiddenColCount == 0 || ADisplayedCol >= MaxHideableCols) return ADisplayedCol;
  int n = -1;
  for (int r = 0; r < MaxHideableCols; ++r) {
    if (FHiddenCols[static_cast<size_t>(r)]) ++n;
    if (n == ADisplayedCol) return r;
  }
  return 0;
}

int TGridView::DisplayedColIndex(int ARealCol) const {
  if (FHiddenColCount == 0) return ARealCol;
  int hidden = 0;
  for (int r = 0; r < std::min(ARealCol, MaxHideableCols); ++r)
    if (!FHiddenCols[static_cast<size_t>(r)]) ++hidden;
  return ARealCol - hidden;
}

// ================================================================ row mappings

int TGridView::AllRowsIndex(int ADisplayedRow) const {
  int a = ADisplayedRow;
  for (int i = 0; i < FHiddenRows->Count(); ++i) {
    if (FHiddenRows->Item(i)->Idx <= a)
      ++a;
    else
      break;
  }
  return a;
}

int TGridView::DisplayedRowOf(int AAllRowsIndex) const {
  int below = 0;
  for (int i = 0; i < FHiddenRows->Count(); ++i)
    if (FHiddenRows->Item(i)->Idx < AAllRowsIndex) ++below;
  return AAllRowsIndex - below;
}

bool TGridView::IsRowHidden(int AAllRowsIndex) const {
  for (int i = 0; i < FHiddenRows->Count(); ++i)
    if (FHiddenRows->Item(i)->Idx == AAllRowsIndex) return true;
  return false;
}

int TGridView::UnsortedRowIndex(int ARow) const {
  int r = ARow;
  if (r >= 0 && r < FSortOrder->Count()) r = FSortOrder->Get(r);
  return AllRowsIndex(r);
}

int TGridView::DisplayedRowIndex(int APreSortRow) const {
  if (FSortOrder->Count() == 0) return APreSortRow;
  return FSortOrder->IndexOf(APreSortRow);
}

TStrings* TGridView::HiddenRowStrings(int AAllRowsIndex) const {
  TStrings* found = nullptr;
  for (int i = 0; i < FHiddenRows->Count(); ++i)
    if (FHiddenRows->Item(i)->Idx == AAllRowsIndex) found = FHiddenRows->Item(i)->GetItems();
  return found;
}

void TGridView::SetCellAllRows(int ARealCol, int AAllRowsIndex, const std::string& Value) {
  if (ARealCol < 0) return;
  if (TStrings* s = HiddenRowStrings(AAllRowsIndex)) {
    while (s->Count() <= ARealCol) s->Add("");
    s->Put(ARealCol, Value);
    return;
  }
  const int d = DisplayedRowOf(AAllRowsIndex);
  if (d < 0 || d >= GetRowCount()) throw EGridViewError("Invalid row accessed");
  SetCells(ARealCol, d, Value);
  if (DisplayedColIndex(ARealCol) != ARealCol) RepaintDisplayed(ARealCol, d);
}

void TGridView::SetEditText(int ACol, int ARow, const std::string& Value) {
  TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

std::string TGridView::GetCurrentCellText() { return GetCells(RealCurrentCol(), GetRow()); }

void TGridView::SetCurrentCellText(const std::string& Value) {
  SetCells(RealCurrentCol(), GetRow(), Value);
  RepaintCell(GetCol(), GetRow());
}

TControl* TGridView::CellControls(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return p ? p->Control : nullptr;
}

TColor TGridView::CellColors(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return p ? p->GetBrushColor() : clNone;
}

bool TGridView::CellReadOnly(int ACol, int ARow) { return CellProperties(ACol, ARow)->ReadOnly; }

TAlignment TGridView::CellAlignments(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return p ? p->Alignment : TAlignment::taLeftJustify;
}

bool TGridView::RowSelected(int ARow) {
  if (ARow < 0 || ARow >= GetRowCount() + HiddenRowCount()) throw EGridViewError("Invalid row accessed");
  if (static_cast<int>(FRowSelected.size()) <= ARow) FRowSelected.resize(static_cast<size_t>(ARow) + 1, false);
  return FRowSelected[static_cast<size_t>(ARow)];
}

void TGridView::SetRowSelected(int ARow, bool Value) {
  RowSelected(ARow);
  FRowSelected[static_cast<size_t>(ARow)] = Value;
  InvalidateRow(ARow);
}

bool TGridView::ColSelected(int ACol) {
  if (ACol < 0) return false;
  if (static_cast<int>(FColSelected.size()) <= ACol) FColSelected.resize(static_cast<size_t>(ACol) + 1, false);
  return FColSelected[static_cast<size_t>(ACol)];
}

void TGridView::SetColSelected(int ACol, bool Value) {
  ColSelected(ACol);
  if (ACol >= 0) FColSelected[static_cast<size_t>(ACol)] = Value;
  InvalidateCol(ACol);
}

void TGridView::SelectRowRange() {
  const TGridRect s = GetSelection();
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) SetRowSelected(r, r >= s.Top && r <= s.Bottom);
}

bool TGridView::IsCellSelected(int ACol, int ARow) {
  if (ARow < GetFixedRows() || ACol < GetFixedCols()) return false;
  if (FMouseActions->GetDisjunctRowSelect())
    return RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(ARow) : ARow);
  if (FMouseActions->GetDisjunctColSelect()) return ColSelected(ACol);
  const TGridRect s = GetSelection();
  return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

// ================================================================ hiding and showing rows

void TGridView::CopyRow(int From, int To) {
  Rows(To)->Assign(Rows(From));
  SetRowHeights(To, GetRowHeights(From));
}

void TGridView::HideRowRange(int AFrom, int ATo) {
  if (IsRowHidden(AFrom) || ATo < AFrom) return;
  const int d0 = DisplayedRowOf(AFrom);
  if (d0 < 0 || d0 >= GetRowCount()) return;
  int n = 0;
  for (int a = AFrom; a <= ATo; ++a) {
    if (IsRowHidden(a)) continue;
    const int d = d0 + n;
    if (d >= GetRowCount()) break;
    int pos = 0;
    while (pos < FHiddenRows->Count() && FHiddenRows->Item(pos)->Idx < a) ++pos;
    auto* item = static_cast<TGridItem*>(FHiddenRows->Insert(pos));
    item->Idx = a;
    item->Height = GetRowHeights(d);
    item->GetItems()->Assign(Rows(d));
    ++n;
  }
  if (n == 0) return;
  if (TControl* c = CellControls(1, d0)) c->SetVisible(false);
  RemoveRowsKeepObjects(d0, n);
}

void TGridView::HideRowList(const std::vector<int>& ARows) {
  if (ARows.empty()) return;
  std::vector<int> rows;
  for (int r : ARows)
    if (r >= 0 && r < GetRowCount() && (rows.empty() || r > rows.back())) rows.push_back(r);
  if (rows.empty()) return;
  std::vector<int> allIdx;
  for (int r : rows) allIdx.push_back(AllRowsIndex(r));
  for (size_t i = 0; i < rows.size(); ++i) {
    int pos = 0;
    while (pos < FHiddenRows->Count() && FHiddenRows->Item(pos)->Idx < allIdx[i]) ++pos;
    auto* item = static_cast<TGridItem*>(FHiddenRows->Insert(pos));
    item->Idx = allIdx[i];
    item->Height = GetRowHeights(rows[i]);
    item->GetItems()->Assign(Rows(rows[i]));
  }
  // The remaining rows move up over the listed ones.
  int to = rows.front();
  size_t next = 0;
  for (int from = rows.front(); from < GetRowCount(); ++from) {
    if (next < rows.size() && rows[next] == from) {
      ++next;
      continue;
    }
    if (from != to) CopyRow(from, to);
    ++to;
  }
  for (int r = to; r < GetRowCount(); ++r)
    for (int c = 0; c < StoredColCount(r); ++c) SetObjects(c, r, nullptr);
  const int current = GetRow();
  TBaseGrid::SetRowCount(std::max(1, GetRowCount() - static_cast<int>(rows.size())));
  NormalRowCount = GetRowCount();
  if (current >= GetRowCount() && GetRowCount() > GetFixedRowsRaw()) SetRow(GetRowCount() - 1);
}

void TGridView::UnhideAllRows() {
  const int hidden = FHiddenRows->Count();
  if (hidden == 0) return;
  const int n = GetRowCount() + hidden;
  TBaseGrid::SetRowCount(n);
  for (int a = n - 1; a >= 0; --a) {
    if (TStrings* s = HiddenRowStrings(a)) {
      Rows(a)->Assign(s);
      for (int i = 0; i < FHiddenRows->Count(); ++i)
        if (FHiddenRows->Item(i)->Idx == a) SetRowHeights(a, FHiddenRows->Item(i)->Height);
    } else {
      const int d = DisplayedRowOf(a);
      if (d != a) CopyRow(d, a);  // a shifted row keeps its own height
    }
  }
  FHiddenRows->Clear();
  NormalRowCount = GetRowCount();
  Invalidate();
}

void TGridView::UnhideRowRange(int AFrom, int ATo) {
  if (!IsRowHidden(AFrom)) return;
  bool first = true;
  for (int i = 0; i < FHiddenRows->Count();) {
    TGridItem* item = FHiddenRows->Item(i);
    if (item->Idx < AFrom || item->Idx > ATo) {
      ++i;
      continue;
    }
    const int idx = item->Idx, height = item->Height;
    TStringList texts;
    texts.Assign(item->GetItems());
    FHiddenRows->Delete(i);
    const int d = DisplayedRowOf(idx);
    InsertRows(d, 1);
    Rows(d)->Assign(&texts);
    SetRowHeights(d, height);
    if (first) {
      first = false;
      if (TControl* c = CellControls(1, d)) {
        const TRect r = CellRect(1, d);
        c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        c->SetVisible(true);
      }
    }
  }
}

// ================================================================ nodes

bool TGridView::RowIsNode(int ARow) { return CellTypeOf(0, ARow) == TCellType::ctNode; }
bool TGridView::RowIsSummary(int ARow) { return CellTypeOf(0, ARow) == TCellType::ctSummary; }

bool TGridView::NodeIsContracted(int ARow) {
  TCellGraphic* g = CellGraphicOf(0, ARow);
  return g && g->CellType == TCellType::ctNode && g->CellBoolean;
}

int TGridView::RowNodeLevel(int ARow) {
  if (!RowIsNode(ARow)) return -1;
  const TCellProperties* p = RawCellProperties(0, ARow);
  return p ? p->NodeLevel : 0;
}

int TGridView::RowNodeSpan(int ARow) {
  TCellGraphic* g = CellGraphicOf(0, ARow);
  return g && g->CellType == TCellType::ctNode ? g->CellIndex : -1;
}

int TGridView::RowNodeIndent(int ARow) {
  if (NodeCount <= 0) return 0;
  const TCellProperties* p = RawCellProperties(0, ARow);
  return p ? p->NodeLevel * FCellNode->GetNodeIndent() : 0;
}

bool TGridView::PointInNodeGlyph(int ARow, int X) {
  const TCellProperties* p = RawCellProperties(0, ARow);
  const int level = p ? p->NodeLevel : 0;
  return X > (level - 1) * 16 && X < level * 16;
}

int TGridView::RowTreeLineKind(int ARow) {
  if (RowIsNode(ARow)) return 0;
  if (ARow >= GetRowCount() - FFixedFooters - 1) return 1;
  if (!HasCellProperties(0, ARow + 1)) return 1;
  const TCellProperties* here = RawCellProperties(0, ARow);
  const TCellProperties* next = RawCellProperties(0, ARow + 1);
  if (next->NodeLevel < (here ? here->NodeLevel : 0)) return 1;
  return 2;
}

void TGridView::ContractNode(int AAllRowsIndex) {
  const int d = DisplayedRowOf(AAllRowsIndex);
  if (d < 0 || d >= GetRowCount() || IsRowHidden(AAllRowsIndex)) return;
  TCellGraphic* g = CellGraphicOf(0, d);
  if (!g || g->CellType != TCellType::ctNode || g->CellBoolean) return;
  if (GetEditorMode()) HideEditor();
  g->CellBoolean = true;
  const int last = GetRowCount() - FFixedFooters - 1;
  int endAll;
  if (g->CellIndex > 0) {
    endAll = AAllRowsIndex + g->CellIndex - 1;
  } else {
    int next = d + 1;
    while (next <= last && !RowIsNode(next)) ++next;
    if (next <= last) {
      endAll = AllRowsIndex(next) - 1;
    } else {
      endAll = AllRowsIndex(last);
      for (int i = 0; i < FHiddenRows->Count(); ++i) endAll = std::max(endAll, FHiddenRows->Item(i)->Idx);
    }
  }
  // Nested contracted nodes come back expanded with the outer node, so that
  // their flags and their rows agree when the outer node is expanded again.
  for (int r = d + 1; r < GetRowCount() && AllRowsIndex(r) <= endAll; ++r)
    if (TCellGraphic* inner = CellGraphicOf(0, r); inner && inner->CellType == TCellType::ctNode)
      inner->CellBoolean = false;
  if (endAll > AAllRowsIndex) HideRowRange(AAllRowsIndex + 1, endAll);
  Invalidate();
}

void TGridView::ExpandNode(int AAllRowsIndex) {
  if (FCellNode->ExpandOne)
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (RowIsNode(r) && !NodeIsContracted(r) && AllRowsIndex(r) != AAllRowsIndex) ContractNode(AllRowsIndex(r));
  const int d = DisplayedRowOf(AAllRowsIndex);
  if (d < 0 || d >= GetRowCount() || IsRowHidden(AAllRowsIndex)) return;
  TCellGraphic* g = CellGraphicOf(0, d);
  if (!g || g->CellType != TCellType::ctNode || !g->CellBoolean) return;
  g->CellBoolean = false;
  int endAll;
  int next = d + 1;
  if (g->CellIndex == 0)
    while (next < GetRowCount() && !RowIsNode(next)) ++next;
  if (next < GetRowCount()) {
    endAll = AllRowsIndex(next) - 1;
  } else {
    endAll = AAllRowsIndex;
    for (int i = 0; i < FHiddenRows->Count(); ++i) endAll = std::max(endAll, FHiddenRows->Item(i)->Idx);
  }
  if (endAll > AAllRowsIndex) UnhideRowRange(AAllRowsIndex + 1, endAll);
  Invalidate();
}

void TGridView::ExpandAllNodes() {
  UnhideAllRows();
  for (int r = 0; r < GetRowCount(); ++r)
    if (TCellGraphic* g = CellGraphicOf(0, r); g && g->CellType == TCellType::ctNode) g->CellBoolean = false;
}

void TGridView::ContractAllNodes() {
  SuspendRedraw();
  ExpandAllNodes();
  std::vector<int> list;
  const int last = GetRowCount() - FFixedFooters - 1;
  int r = GetFixedRows();
  while (r <= last) {
    TCellGraphic* g = CellGraphicOf(0, r);
    if (!g || g->CellType != TCellType::ctNode) {
      ++r;
      continue;
    }
    g->CellBoolean = true;
    int end = g->CellIndex > 0 ? r + g->CellIndex - 1 : r;
    if (g->CellIndex <= 0) {
      end = r + 1;
      while (end <= last && !RowIsNode(end)) ++end;
      --end;
    }
    end = std::min(end, last);
    for (int k = r + 1; k <= end; ++k) list.push_back(k);
    r = end + 1;
  }
  HideRowList(list);
  ResumeRedraw();
}

// ================================================================ filter

bool TGridView::RowPassesFilter(int ARow) {
  bool result = true;
  for (int i = 0; i < FFilter->Count(); ++i) {
    const TFilterData* f = FFilter->Item(i);
    std::string text = CellText(f->Column, ARow);
    if (!f->Prefix.empty() && text.compare(0, f->Prefix.size(), f->Prefix) == 0) text.erase(0, f->Prefix.size());
    if (!f->Suffix.empty()) {
      const size_t at = text.find(f->Suffix);
      if (at != std::string::npos && at + f->Suffix.size() == text.size()) text.erase(at);
    }
    const bool match = GridUtil::MatchCondition(f->Condition, text, f->CaseSensitive);
    switch (f->Operation) {
      case foNONE:
        result = match;
        if (!match) return false;
        break;
      case foAND: result = result && match; break;
      case foXOR: result = result != match; break;
      case foOR: result = result || match; break;
    }
  }
  return result;
}

void TGridView::ApplyFilter() {
  std::vector<int> failing;
  const int first = GetFixedRows(), last = GetRowCount() - FFixedFooters - 1;
  const int total = std::max(1, last - first + 1);
  for (int r = first; r <= last; ++r) {
    if (!RowPassesFilter(r)) failing.push_back(r);
    if (OnFilterProgress)
      OnFilterProgress(this, static_cast<int16_t>(std::lround(100.0 * (r - first + 1) / total)));
  }
  HideRowList(failing);
  if (OnFilterProgress) OnFilterProgress(this, 100);
}

void TGridView::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      FFilterFixedRows = GetFixedRowsRaw();
      SuspendRedraw();
      ApplyFilter();
      ResumeRedraw();
      FSelectionSaved = false;
      if (GetRowCount() <= FFixedFooters + FFilterFixedRows && !FixedRowAlways) {
        // One empty row keeps the fixed rows fixed.
        TBaseGrid::SetRowCount(FFixedFooters + FFilterFixedRows + 1);
        NormalRowCount = GetRowCount();
        for (int c = 0; c < AllColCount(); ++c) {
          SetCells(c, GetRowCount() - 1, "");
          SetObjects(c, GetRowCount() - 1, nullptr);
        }
        SetFixedRows(FFilterFixedRows);
      } else {
        FFilterFixedRows = 0;
      }
    } else {
      if (GetRowCount() == GetFixedRowsRaw() + FFixedFooters + 1 && FFilterFixedRows > 0) {
        FFilterFixedRows = GetFixedRowsRaw();
        TBaseGrid::SetRowCount(GetRowCount() - 1);
      } else {
        FFilterFixedRows = GetFixedRowsRaw();
      }
      UnhideAllRows();
      if (FFilterFixedRows < GetRowCount()) SetFixedRows(FFilterFixedRows);
      RestoreSelection();
    }
  }
  RecalcFooter(-1);
}

// ================================================================ footer and statistics

bool TGridView::RowTakesPart(int ARow) {
  if (GroupColumn < 0) return true;
  const TCellType t = CellTypeOf(0, ARow);
  return t != TCellType::ctNode && t != TCellType::ctSummary;
}

void TGridView::CalcFooterColumns(int ACol) {
  if (!FFloatingFooter->ShowsLastRow()) return;
  const int last = GetRowCount() - 1;
  const int from = GetFixedRows(), to = GetRowCount() - 2;
  const int c0 = ACol < 0 ? 0 : ACol, c1 = ACol < 0 ? AllColCount() - 1 : ACol;
  for (int c = c0; c <= c1; ++c) {
    const TCellProperties* p = RawCellProperties(c, last);
    if (!p) continue;
    int n = 0;
    double sum = 0, lo = 0, hi = 0;
    for (int r = from; r <= to; ++r) {
      if (!RowTakesPart(r)) continue;
      const bool needsValue = p->CalcType != TCalcType::ctNone && p->CalcType != TCalcType::ctCount;
      const double v = needsValue ? CellFloat(c, r) : 0;
      if (n == 0) lo = hi = v;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
      sum += v;
      ++n;
    }
    switch (p->CalcType) {
      case TCalcType::ctNone: SetCells(c, last, ""); break;
      case TCalcType::ctSum: SetCellFloat(c, last, sum); break;
      case TCalcType::ctAverage:
        if (n > 0) SetCellFloat(c, last, sum / n); else SetCells(c, last, "");
        break;
      case TCalcType::ctCount: SetCells(c, last, std::to_string(n)); break;
      case TCalcType::ctMin:
        if (n > 0) SetCellFloat(c, last, lo); else SetCells(c, last, "");
        break;
      case TCalcType::ctMax:
        if (n > 0) SetCellFloat(c, last, hi); else SetCells(c, last, "");
        break;
    }
  }
  RepaintFooter();
}

void TGridView::LastRowChanged() {
  TBaseGrid::LastRowChanged();
  RepaintFooter();
}

double TGridView::ColumnSum(int ACol, int FromRow, int ToRow) {
  double sum = 0;
  for (int r = FromRow; r <= ToRow; ++r)
    if (RowTakesPart(r)) sum += CellFloat(ACol, r);
  return sum;
}

double TGridView::ColumnAvg(int ACol, int FromRow, int ToRow) {
  double sum = 0;
  int n = 0;
  for (int r = FromRow; r <= ToRow; ++r)
    if (RowTakesPart(r)) {
      sum += CellFloat(ACol, r);
      ++n;
    }
  return n > 0 ? sum / n : 0.0;
}

double TGridView::ColumnMin(int ACol, int FromRow, int ToRow) {
  bool any = false;
  double m = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    if (!RowTakesPart(r)) continue;
    const double v = CellFloat(ACol, r);
    if (!any || v < m) m = v;
    any = true;
  }
  return m;
}

double TGridView::ColumnMax(int ACol, int FromRow, int ToRow) {
  bool any = false;
  double m = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    if (!RowTakesPart(r)) continue;
    const double v = CellFloat(ACol, r);
    if (!any || v > m) m = v;
    any = true;
  }
  return m;
}

// ================================================================ merged columns

void TGridView::SplitColumnCells(int ACol) {
  int r = 0;
  while (r < GetRowCount() - FFixedFooters - 1) {
    if (IsMergedCell(ACol, r) && IsBaseCell(ACol, r)) {
      const int span = CellSpan(ACol, r).Y;
      SplitCells(ACol, r);
      r += std::max(span, 0) + 1;
    } else {
      ++r;
    }
  }
}

void TGridView::MergeColumnCells(int ACol, bool MainMerge) {
  const int first = GetFixedRows();
  const int end = GetRowCount() - FFixedFooters;  // rows first .. end-1
  if (first >= end) return;
  int start = first, length = 1;
  for (int j = first + 1; j < end; ++j) {
    const bool equal = RawCellText(ACol, j) == RawCellText(ACol, j - 1);
    if (equal && (MainMerge || RowsShareMergeGroup(j - 1, j))) {
      ++length;
      continue;
    }
    MergeCells(ACol, start, 1, length);
    start = j;
    length = 1;
  }
  if (length > 1) MergeCells(ACol, start, 1, length);
}

void TGridView::SplitAllColumns() {
  for (int c = 0; c < GetColCount(); ++c) SplitColumnCells(c);
}

void TGridView::MergeListedColumns() {
  for (int i = 0; i < FMergeColumns->Count(); ++i) MergeColumnCells(FMergeColumns->Get(i), i == 0);
}

void TGridView::MergeColumnsChanged() {
  if (FMerging) return;
  FMerging = true;
  SplitAllColumns();
  MergeListedColumns();
  FMerging = false;
}

// ================================================================ inserting and removing

void TGridView::DoCellsChanged(const TRect& R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
}

void TGridView::InsertRows(int ARow, int ACount) {
  if (ACount <= 0 || ARow < 0 || ARow > GetRowCount()) return;
  const int oldCount = GetRowCount();
  TBaseGrid::SetRowCount(oldCount + ACount);
  NormalRowCount = GetRowCount();
  for (int r = GetRowCount() - 1; r >= ARow + ACount; --r) CopyRow(r - ACount, r);
  for (int r = ARow; r < ARow + ACount; ++r) {
    SetRowHeights(r, GetDefaultRowHeight());
    const int stored = std::max(StoredColCount(r), AllColCount());
    for (int c = 0; c < stored; ++c) {
      SetCells(c, r, "");
      SetObjects(c, r, nullptr);
    }
  }
}

void TGridView::RemoveRows(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount() || ACount <= 0) return;
  const int last = std::min(GetRowCount() - FFixedFooters, ARow + ACount) - 1;
  ClearKeepsProperties = false;
  for (int r = ARow; r <= last; ++r)
    for (int c = 0; c < std::max(StoredColCount(r), AllColCount()); ++c)
      if (TCellProperties* p = RawCellProperties(c, r)) {
        if (auto* g = dynamic_cast<TCellGraphic*>(p->GraphicObject); g && g->CellType != TCellType::ctVirtCheckBox)
          delete g;
        p->GraphicObject = nullptr;
        SetObjects(c, r, nullptr);
        p->Free();
      }
  RemoveRowsKeepObjects(ARow, ACount);
}

void TGridView::RemoveRowsKeepObjects(int ARow, int ACount) {
  // Only existing rows before the footer rows are removed.
  if (ARow < 0 || ARow >= GetRowCount()) return;
  const int footers = FFixedFooters;
  ACount = std::min(ACount, GetRowCount() - footers - ARow);
  if (ACount <= 0) return;
  const bool footerShown = FFloatingFooter->GetVisible();
  if (footerShown) SuspendRedraw();
  const bool pending = EditPending;
  EditPending = false;
  SuspendRedraw();
  const int current = GetRow(), top = GetTopRow(), col = GetCol();
  const int fixedRows = GetFixedRowsRaw();
  std::vector<int> heights;
  for (int r = 0; r < GetRowCount(); ++r) heights.push_back(GetRowHeights(r));
  // The rows after the removed ones move up with their cells (hidden columns too).
  for (int r = ARow; r + ACount < GetRowCount(); ++r) Rows(r)->Assign(Rows(r + ACount));
  for (int r = GetRowCount() - ACount; r < GetRowCount(); ++r)
    for (int c = 0; c < StoredColCount(r); ++c) SetObjects(c, r, nullptr);
  heights.erase(heights.begin() + ARow, heights.begin() + ARow + ACount);
  if (FMouseActions->GetDisjunctRowSelect() && ARow < static_cast<int>(FRowSelected.size()))
    FRowSelected.erase(FRowSelected.begin() + ARow,
                       FRowSelected.begin() + std::min<int>(ARow + ACount, static_cast<int>(FRowSelected.size())));
  TBaseGrid::SetRowCount(std::max(1, GetRowCount() - ACount));
  NormalRowCount = GetRowCount();
  const int lastData = GetRowCount() - footers;  // rows before the footers
  if (current < lastData && current >= fixedRows) {
    MoveColRow(std::min(col, GetColCount() - 1), current, true, false);
    SetTopRow(std::min(top, MaxTopRow()));
  } else if (fixedRows < lastData) {
    MoveColRow(std::min(col, GetColCount() - 1), lastData - 1, true, true);
  } else {
    ParkSelection();
  }
  for (int r = 0; r < GetRowCount() && r < static_cast<int>(heights.size()); ++r) SetRowHeights(r, heights[r]);
  ResumeRedraw();
  EditPending = pending;
  DoCellsChanged(TRect{0, ARow, GetColCount() - 1, ARow + ACount});
  if (GetTopRow() >= GetRowCount() - 1) SetTopRow(GetRowCount() - 1);
  if (footerShown) {
    RepaintFooter();
    ResumeRedraw();
  }
}

void TGridView::RemoveRowsWithHidden(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  ACount = std::min(ACount, GetRowCount() - FFixedFooters - ARow);
  if (ACount <= 0) return;
  for (int i = 0; i < FHiddenRows->Count(); ++i)
    if (FHiddenRows->Item(i)->Idx > ARow) FHiddenRows->Item(i)->Idx -= ACount;
  RemoveRows(ARow, ACount);
}

void TGridView::RemoveRowsShifted(int ARow, int ACount) {
  if (ARow < 0 || ARow >= GetRowCount()) return;
  ACount = std::min(ACount, GetRowCount() - FFixedFooters - ARow);
  if (ACount <= 0) return;
  // Shifting the later rows up is the removal: nothing else is deleted.
  RemoveRows(ARow, ACount);
  for (int i = 0; i < FHiddenRows->Count(); ++i)
    if (FHiddenRows->Item(i)->Idx > ARow + ACount - 1) FHiddenRows->Item(i)->Idx -= ACount;
}

void TGridView::RemoveSelectedRows() {
  SuspendRedraw();
  if (!FMouseActions->GetDisjunctRowSelect()) SelectRowRange();
  int r = GetFixedRows();
  while (r < GetRowCount() - FFixedFooters) {
    const int flagRow = FMouseActions->RowSelectPersistent ? AllRowsIndex(r) : r;
    if (RowSelected(flagRow)) {
      const int before = GetRowCount();
      RemoveRows(r, 1);
      if (GetRowCount() == before) break;  // the last row cannot go
      if (!FMouseActions->RowSelectPersistent && r < static_cast<int>(FRowSelected.size()) &&
          !FMouseActions->GetDisjunctRowSelect())
        FRowSelected.erase(FRowSelected.begin() + r);
    } else {
      ++r;
    }
  }
  ResumeRedraw();
}

void TGridView::AddRow() {
  if (FFloatingFooter->GetVisible())
    InsertRows(GetRowCount() - 1, 1);
  else
    InsertRows(GetRowCount(), 1);
}

void TGridView::InsertCols(int ACol, int ACount) {
  if (ACount <= 0 || ACol < 0 || ACol > GetColCount()) return;
  TBaseGrid::SetColCount(GetColCount() + ACount);
  const int total = GetColCount() + FHiddenColCount;
  for (int c = total - 1; c >= ACol + ACount; --c) {
    for (int r = 0; r < GetRowCount(); ++r) {
      SetCells(c, r, GetCells(c - ACount, r));
      SetObjects(c, r, GetObjects(c - ACount, r));
    }
    if (c <= MaxHideableCols) FHiddenCols[static_cast<size_t>(c)] = FHiddenCols[static_cast<size_t>(c - ACount)];
    if (c < GetColCount()) SetColWidths(c, GetColWidths(c - ACount));
  }
  for (int c = ACol; c < ACol + ACount; ++c) {
    SetColWidths(c, GetDefaultColWidth());
    if (c <= MaxHideableCols) FHiddenCols[static_cast<size_t>(c)] = true;
    for (int r = 0; r < GetRowCount(); ++r) {
      SetCells(c, r, "");
      SetObjects(c, r, nullptr);
    }
  }
}

void TGridView::RemoveCols(int ACol, int ACount) {
  if (ACol < 0 || ACount <= 0 || ACol + ACount > GetColCount() || GetColCount() - ACount < 1) return;
  ClearCols(ACol, ACount);
  const int total = GetColCount() + FHiddenColCount;
  for (int c = ACol; c + ACount < total; ++c) {
    for (int r = 0; r < GetRowCount(); ++r) {
      SetCells(c, r, GetCells(c + ACount, r));
      SetObjects(c, r, GetObjects(c + ACount, r));
    }
    if (c + ACount < GetColCount()) SetColWidths(c, GetColWidths(c + ACount));
    if (c + ACount <= MaxHideableCols)
      FHiddenCols[static_cast<size_t>(c)] = FHiddenCols[static_cast<size_t>(c + ACount)];
  }
  for (int c = std::max(ACol, total - ACount); c < total; ++c) {
    for (int r = 0; r < GetRowCount(); ++r) {
      SetCells(c, r, "");
      SetObjects(c, r, nullptr);
    }
    if (c <= MaxHideableCols) FHiddenCols[static_cast<size_t>(c)] = true;
  }
  TBaseGrid::SetColCount(GetColCount() - ACount);
  DoCellsChanged(TRect{ACol, 0, ACol + ACount, GetRowCount() - 1});
}

void TGridView::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  const bool destroying = IsDestroying(*this);
  for (int r = std::max(0, ARow1); r <= ARow2 && r < GetRowCount(); ++r)
    for (int c = std::max(0, ACol1); c <= ACol2; ++c) {
      const int real = ClearMapsHiddenColumns ? RealColIndex(c) : c;
      TCellProperties* p = RawCellProperties(real, r);
      if (p && !ClearKeepsProperties) {
        if (ClearDetachesObjects) {
          SetObjects(real, r, nullptr);
          if (!destroying) SetCells(real, r, "");
        } else {
          if (auto* g = dynamic_cast<TCellGraphic*>(p->GraphicObject); g && g->CellType != TCellType::ctVirtCheckBox)
            delete g;
          p->GraphicObject = nullptr;
          SetObjects(real, r, nullptr);
          p->Free();
        }
      }
      if (!destroying && !GetCells(real, r).empty()) {
        SetCells(real, r, "");
        if (real != c) RepaintCell(c, r);
      }
    }
  if (!destroying) DoCellsChanged(TRect{ACol1, ARow1, ACol2, ARow2});
}

void TGridView::ClearRows(int ARow, int ACount) {
  if (GetRowCount() <= 0 || GetColCount() <= 0 || ACount <= 0) return;
  ClearRect(0, ARow, AllColCount() - 1, ARow + ACount - 1);
}

void TGridView::ClearCols(int ACol, int ACount) {
  if (GetRowCount() <= 0 || GetColCount() <= 0 || ACount <= 0) return;
  ClearRect(ACol, 0, ACol + ACount - 1, GetRowCount() - 1);
}

void TGridView::ClearAll() {
  int right = AllColCount() - 1;
  for (int r = 0; r < GetRowCount(); ++r) right = std::max(right, StoredColCount(r) - 1);
  const bool maps = ClearMapsHiddenColumns, keeps = ClearKeepsProperties, detaches = ClearDetachesObjects;
  ClearMapsHiddenColumns = ClearKeepsProperties = ClearDetachesObjects = false;
  ClearRect(0, 0, right, GetRowCount() - 1);
  ClearMapsHiddenColumns = maps;
  ClearKeepsProperties = keeps;
  ClearDetachesObjects = detaches;
}
