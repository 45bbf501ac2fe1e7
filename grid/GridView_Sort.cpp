// Sorting: the header click, the comparison of two cells by sort style, the
// quick sorts inside one frame (scratch rows, hidden columns, update lock)
// and the unsorted positions that map displayed rows back to their rows
// before sorting.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>

namespace {

int Sign(int V) { return V > 0 ? 1 : V < 0 ? -1 : 0; }

int ByteCompare(const std::string& A, const std::string& B) { return Sign(A.compare(B)); }

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool IsCheckType(TCellType T) {
  return T == TCellType::ctCheckBox || T == TCellType::ctDataCheckBox || T == TCellType::ctVirtCheckBox;
}

bool ReadsAsNumber(const std::string& T) { return GridUtil::NumberKind(SysUtils::Trim(T)) != GridUtil::nkNone; }

// A day and month written with a slash: the first "/" at position 2 or 3,
// not at the end, with a digit before and after it.
bool LooksLikeDate(const std::string& T) {
  const size_t p = T.find('/');
  if (p == std::string::npos || (p != 1 && p != 2) || p + 1 >= T.size()) return false;
  return std::isdigit(static_cast<unsigned char>(T[p - 1])) && std::isdigit(static_cast<unsigned char>(T[p + 1]));
}

// A number text with prefix and suffix removed (first occurrences), thousand
// separators removed for financial texts and the decimal separator made ".".
bool NumberOf(std::string T, const std::string& Prefix, const std::string& Suffix, bool Financial, double& V) {
  if (!Prefix.empty())
    if (size_t p = T.find(Prefix); p != std::string::npos) T.erase(p, Prefix.size());
  if (!Suffix.empty())
    if (size_t p = T.find(Suffix); p != std::string::npos) T.erase(p, Suffix.size());
  const char th = ::FormatSettings.ThousandSeparator, dec = ::FormatSettings.DecimalSeparator;
  if (Financial) T.erase(std::remove(T.begin(), T.end(), th), T.end());
  if (dec != '.')
    if (size_t p = T.find(dec); p != std::string::npos) T[p] = '.';
  T = SysUtils::Trim(T);
  if (T.empty()) {
    V = 0;
    return true;
  }
  // The whole text must read as a real with "." as its decimal separator.
  const char* first = T.data();
  if (*first == '+') ++first;
  const auto [end, error] = std::from_chars(first, T.data() + T.size(), V);
  return error == std::errc() && end == T.data() + T.size() && std::isfinite(V);
}

// Day, month and year (EU) or month, day and year (US) split by the first of
// "/", "." or "-"; two-digit years up to 25 are 20xx. 0 when it does not read.
double ShortDate(const std::string& T, bool US) {
  const size_t p = T.find_first_of("/.-");
  if (p == std::string::npos) return 0;
  const char sep = T[p];
  const size_t q = T.find(sep, p + 1);
  if (q == std::string::npos) return 0;
  int32_t a = 0, b = 0, y = 0;
  if (!SysUtils::TryStrToInt(T.substr(0, p), a) || !SysUtils::TryStrToInt(T.substr(p + 1, q - p - 1), b) ||
      !SysUtils::TryStrToInt(SysUtils::Trim(T.substr(q + 1)), y))
    return 0;
  if (y <= 25) y += 2000;
  else if (y < 100) y += 1900;
  const int day = US ? b : a, month = US ? a : b;
  TDateTime d = 0;
  if (!SysUtils::TryEncodeDate(static_cast<uint16_t>(y), static_cast<uint16_t>(month), static_cast<uint16_t>(day), d))
    return 0;
  return d;
}

// The user's collation; a process in the plain C locale collates as English
// does rather than by code units, so that accented letters sit by their base letter.
int LocaleCompare(const std::string& A, const std::string& B, bool CaseSensitive) {
  const QLocale system = QLocale::system();
  QCollator collator(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
  collator.setCaseSensitivity(CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
  return Sign(collator.compare(QString::fromUtf8(A), QString::fromUtf8(B)));
}

}  // namespace

// ================================================================ unsorted positions

void TGridView::ResetUnsortedOrder() {
  FSortOrder->Clear();
  for (int r = 0; r < GetRowCount(); ++r) FSortOrder->Add(r);
}

void TGridView::ForgetSortOrder() {
  ResetUnsortedOrder();
  FSortSettings->Column = -1;
  FSortIndexes->Clear();
  Invalidate();
}

void TGridView::QuickSortByKeyList(std::vector<int>& Keys, int Lo, int Hi) {
  const int pivot = Keys[static_cast<size_t>((Lo + Hi) / 2)];
  int i = Lo, j = Hi;
  do {
    while (Keys[size_t(i)] < pivot && i < Hi) ++i;
    while (Keys[size_t(j)] > pivot && j > Lo) --j;
    if (i <= j) {
      if (i != j && Keys[size_t(i)] != Keys[size_t(j)]) {
        SwapRows(i, j);
        std::swap(Keys[size_t(i)], Keys[size_t(j)]);
      }
      ++i;
      --j;
    }
  } while (i <= j);
  if (Lo < j) QuickSortByKeyList(Keys, Lo, j);
  if (i < Hi) QuickSortByKeyList(Keys, i, Hi);
}

void TGridView::RestoreUnsortedOrder() {
  if (FSortOrder->Count() != GetRowCount()) ResetUnsortedOrder();
  if (GetRowCount() < 3) return;
  std::vector<int> keys;
  for (int r = 0; r < FSortOrder->Count(); ++r) keys.push_back(FSortOrder->Get(r));
  TRestore<int> locked(FUpdateCount, FUpdateCount + 1);
  QuickSortByKeyList(keys, 1, GetRowCount() - 1);
  ResetUnsortedOrder();
  Invalidate();
}

// ================================================================ comparisons

TSortStyle TGridView::ResolveAutomatic(int ACol) {
  if (ACol >= static_cast<int>(FAutoStyles.size())) FAutoStyles.resize(static_cast<size_t>(ACol) + 1, -1);
  int& known = FAutoStyles[static_cast<size_t>(ACol)];
  if (known >= 0) return static_cast<TSortStyle>(known);
  // Decided once per sort from the column's non-empty cells: a per-pair
  // decision orders a mixed column inconsistently.
  const int last = FSorting ? GetRowCount() - FFixedFooters - 4 : GetRowCount() - FFixedFooters - 1;
  bool checks = true, numbers = true, dates = true, any = false;
  for (int r = GetFixedRows(); r <= last; ++r) {
    const bool check = IsCheckType(CellTypeOf(ACol, r));
    const std::string t = CellText(ACol, r);
    if (!check && t.empty()) continue;
    any = true;
    checks = checks && check;
    numbers = numbers && !check && ReadsAsNumber(t);
    dates = dates && !check && LooksLikeDate(t);
  }
  TSortStyle style = TSortStyle::ssAlphabetic;
  if (any && checks) style = TSortStyle::ssCheckBox;
  else if (any && numbers) style = TSortStyle::ssNumeric;
  else if (any && dates) style = TSortStyle::ssDate;
  if (FSorting) known = static_cast<int>(style);
  return style;
}

int TGridView::CompareCells(int ACol, int Row1, int Row2) {
  ++FCompareCount;
  TSortStyle style = FSortSettings->AutoFormat ? TSortStyle::ssAutomatic : TSortStyle::ssAlphabetic;
  std::string prefix, suffix;
  DoGetFormat(ACol, style, prefix, suffix);
  if (style == TSortStyle::ssAutomatic) style = ResolveAutomatic(ACol);
  const std::string t1 = RichTextToPlain(CellText(ACol, Row1)), t2 = RichTextToPlain(CellText(ACol, Row2));
  int r = 0;
  switch (style) {
    case TSortStyle::ssAutomatic:
    case TSortStyle::ssAlphabetic:
    case TSortStyle::ssAlphaCase: r = ByteCompare(t1, t2); break;
    case TSortStyle::ssAlphaNoCase: r = ByteCompare(SysUtils::UpperCase(t1), SysUtils::UpperCase(t2)); break;
    case TSortStyle::ssAnsiAlphaCase: r = LocaleCompare(t1, t2, true); break;
    case TSortStyle::ssAnsiAlphaNoCase:
    case TSortStyle::ssUnicode:
      r = LocaleCompare(GridUtil::ShownText(t1), GridUtil::ShownText(t2), false);
      break;
    case TSortStyle::ssNumeric:
    case TSortStyle::ssFinancial: {
      const bool fin = style == TSortStyle::ssFinancial;
      double a = 0, b = 0;
      const bool okA = NumberOf(t1, prefix, suffix, fin, a), okB = NumberOf(t2, prefix, suffix, fin, b);
      // A text that is no number sorts after every number.
      if (!okA && !okB) r = 0;
      else if (!okA) r = 1;
      else if (!okB) r = -1;
      else r = a > b ? 1 : a < b ? -1 : 0;
      break;
    }
    case TSortStyle::ssDate: {
      TDateTime a = 0, b = 0;
      if (t1.empty() || !SysUtils::TryStrToDateTime(t1, a, ::FormatSettings)) a = 0;
      if (t2.empty() || !SysUtils::TryStrToDateTime(t2, b, ::FormatSettings)) b = 0;
      r = a > b ? 1 : a < b ? -1 : 0;
      break;
    }
    case TSortStyle::ssShortDateEU:
    case TSortStyle::ssShortDateUS: {
      const bool us = style == TSortStyle::ssShortDateUS;
      const double a = ShortDate(t1, us), b = ShortDate(t2, us);
      r = a > b ? 1 : a < b ? -1 : 0;
      break;
    }
    case TSortStyle::ssCustom:
      if (OnCustomCompare) OnCustomCompare(this, t1, t2, r);
      break;
    case TSortStyle::ssRaw:
      if (OnRawCompare) OnRawCompare(this, ACol, Row1, Row2, r);
      break;
    case TSortStyle::ssHTML: r = ByteCompare(StripTags(t1), StripTags(t2)); break;
    case TSortStyle::ssImages: {
      auto index = [&](int Row) {
        const TCellGraphic* g = CellGraphicOf(ACol, Row);
        if (!g) return -1;
        const TCellType t = g->CellType;
        return t == TCellType::ctBitmap || t == TCellType::ctIcon || t == TCellType::ctImageList ? g->CellIndex : -1;
      };
      const int a = index(Row1), b = index(Row2);
      r = b < a ? 1 : a == b ? 0 : -1;
      break;
    }
    case TSortStyle::ssCheckBox: {
      bool a = false, b = false;
      GetCheckBoxState(ACol, Row1, a);
      GetCheckBoxState(ACol, Row2, b);
      r = a && !b ? 1 : b && !a ? -1 : 0;
      break;
    }
  }
  if (FSortSettings->IgnoreBlanks && t1.empty() != t2.empty()) {
    const bool last = FSortSettings->BlankPos == blLast;
    r = t1.empty() ? (last ? 1 : -1) : (last ? -1 : 1);
    if (FSortSettings->Direction == sdDescending) r = -r;
  }
  return r;
}

int TGridView::CompareRows(int ACol, int Row1, int Row2) {
  for (int c = ACol;; ++c) {
    const int r = CompareCells(c, Row1, Row2);
    if (r != 0 || !FSortSettings->Full || c >= GetColCount() - 1) return r;
  }
}

int TGridView::CompareRowsIndexed(int Depth, int Row1, int Row2) {
  const int32_t entry = FSortIndexes->Get(Depth);
  const int c = CompareCells(TSortIndexList::ColumnOf(entry), Row1, Row2);
  if (c != 0 || !FSortSettings->Full) return TSortIndexList::IsAscending(entry) ? c : -c;
  if (Depth >= FSortIndexes->Count() - 1) return c;
  return CompareRowsIndexed(Depth + 1, Row1, Row2);
}

// ================================================================ quick sorts

void TGridView::CopyPivot(int From) {
  const int pivot = GetRowCount() - 2;
  if (OnGetDisplText) {
    for (int c = 0; c < GetColCount(); ++c) {
      SetCells(c, pivot, CellText(c, From));
      SetObjects(c, pivot, GetObjects(c, From));
    }
  } else {
    Rows(pivot)->Assign(Rows(From));
  }
}

void TGridView::QuickSortRows(int ACol, int Lo, int Hi) {
  const int s = FSortSettings->Direction == sdDescending ? -1 : 1;
  const int pivot = GetRowCount() - 2;
  CopyPivot((Lo + Hi) / 2);
  int i = Lo, j = Hi;
  do {
    while (CompareRows(ACol, pivot, i) == s && i < Hi) ++i;
    while (CompareRows(ACol, j, pivot) == s && j > Lo) --j;
    if (i <= j) {
      if (i != j && CompareRows(ACol, i, j) != 0) SwapRows(i, j);
      ++i;
      --j;
    }
  } while (i <= j);
  if (Lo < j) QuickSortRows(ACol, Lo, j);
  if (i < Hi) QuickSortRows(ACol, i, Hi);
}

void TGridView::QuickSortRowsIndexed(int Lo, int Hi) {
  const int pivot = GetRowCount() - 2;
  CopyPivot((Lo + Hi) / 2);
  int i = Lo, j = Hi;
  do {
    while (CompareRowsIndexed(0, pivot, i) == 1 && i < Hi) ++i;
    while (CompareRowsIndexed(0, j, pivot) == 1 && j > Lo) --j;
    if (i <= j) {
      if (i != j) SwapRows(i, j);
      ++i;
      --j;
    }
  } while (i <= j);
  if (Lo < j) QuickSortRowsIndexed(Lo, j);
  if (i < Hi) QuickSortRowsIndexed(i, Hi);
}

template <class Sorter>
void TGridView::SortFrame(bool ClearIndex, bool Nodes, Sorter&& Sort) {
  if (FSortOrder->Count() != GetRowCount()) ResetUnsortedOrder();
  if (ClearIndex) FSortIndexes->Clear();
  const bool keepColumn0 = FSortSettings->NormalCellsOnly && GetFixedCols() > 0;
  std::vector<std::string> column0;
  if (keepColumn0)
    for (int r = 0; r < GetRowCount(); ++r) column0.push_back(GetCells(0, r));
  const int oldRows = GetRowCount(), oldNormal = NormalRowCount, oldCols = GetColCount();
  const int hidden = FHiddenColCount;
  const int lastWidth = GetColWidths(oldCols - 1);
  const int oldRow = GetRow();
  const bool editorShown = FEditorShown;
  FAutoStyles.clear();
  // Everything the sort switches on is switched back on every exit.
  struct TCleanUp {
    TGridView& G;
    int OldRows, OldNormal, OldCols, LastWidth;
    bool KeepColumn0;
    std::vector<std::string>& Column0;
    bool Widened = false, Lengthened = false;
    ~TCleanUp() {
      G.FSorting = false;
      G.FAutoStyles.clear();
      if (Lengthened) {
        TRestore<bool> detach(G.ClearDetachesObjects, true);
        G.ClearRect(0, OldRows, G.GetColCount() - 1, G.GetRowCount() - 1);
      }
      if (Widened) {
        G.TBaseGrid::SetColCount(OldCols);
        G.SetColWidths(OldCols - 1, LastWidth);
      }
      if (Lengthened) {
        G.TBaseGrid::SetRowCount(OldRows);
        G.NormalRowCount = OldNormal;
      }
      if (KeepColumn0)
        for (int r = 0; r < static_cast<int>(Column0.size()) && r < G.GetRowCount(); ++r) G.SetCells(0, r, Column0[size_t(r)]);
      // The lock is released whether or not the grid is visible.
      if (G.FUpdateCount > 0 && --G.FUpdateCount == 0) G.Invalidate();
    }
  } cleanUp{*this, oldRows, oldNormal, oldCols, lastWidth, keepColumn0, column0};
  BeginUpdateQuiet();
  FSorting = true;
  TBaseGrid::SetRowCount(oldRows + 3);
  NormalRowCount = oldRows;
  cleanUp.Lengthened = true;
  if (hidden > 0) {
    TBaseGrid::SetColCount(oldCols + hidden);
    cleanUp.Widened = true;
  }
  TrackedRow = oldRow;
  if (FNavigation->MoveRowOnSort) TBaseGrid::MoveColRow(GetCol(), GetRowCount() - 3, true, false);
  Sort();
  const int target = FNavigation->MoveRowOnSort || Nodes ? TrackedRow : oldRow;
  TrackedRow = -1;
  if (target >= 0 && target < oldRows) {
    if (Nodes) {
      TBaseGrid::MoveColRow(GetCol(), target, true, false);
    } else {
      TRestore<bool> shown(FEditorShown, false);
      TBaseGrid::MoveColRow(GetCol(), target, true, false);
      FEditorShown = editorShown;
    }
  }
}

void TGridView::SortByColumn() {
  if (GetRowCount() <= GetFixedRows()) return;
  SortFrame(true, false, [this] {
    const int lo = GetFixedRows(), hi = GetRowCount() - FFixedFooters - 4;
    if (lo < hi) QuickSortRows(FSortSettings->Column, lo, hi);
  });
}

void TGridView::SortByIndexes() {
  if (FSortIndexes->Count() == 0) throw EGridViewError("No indexes specified for indexed sort");
  SortFrame(false, false, [this] {
    const int lo = GetFixedRows(), hi = GetRowCount() - FFixedFooters - 4;
    if (lo < hi) QuickSortRowsIndexed(lo, hi);
  });
}

void TGridView::SortNodes() {
  SortFrame(false, true, [this] {
    const int last = GetRowCount() - FFixedFooters - 4;
    for (int r = GetFixedRows(); r <= last; ++r) {
      if (!RowIsNode(r) || NodeIsContracted(r)) continue;
      const int n = RowNodeSpan(r);
      if (n - 1 > 1) QuickSortRows(FSortSettings->Column, r + 1, std::min(last, r + n - 1));
    }
  });
}

// ================================================================ the header click

void TGridView::HeaderClickSort(int DownRow, int UpRow, int ACol, TShiftState Shift, bool MoveEnded) {
  TSortSettings& ss = *FSortSettings;
  if (!(DownRow == ss.GetRow() && UpRow == ss.GetRow() && GetFixedRows() > 0 && ss.Show && GetRowCount() > 2 &&
        !MoveEnded))
    return;
  const int col = RealColIndex(ACol);
  bool doSort = true;
  if (OnCanSort) OnCanSort(this, col, doSort);
  if (!doSort) {
    RepaintCell(ACol, UpRow);
    return;
  }
  HideCellEditor(GetCol(), GetRow());
  // A refused value keeps its editor open: the rows do not move under it.
  if (TGridInplaceEdit* e = InplaceEditor(); EditPending && e && e->GetVisible()) return;
  if (FSortOrder->Count() != GetRowCount()) ResetUnsortedOrder();
  if (ss.AutoColumnMerge)
    for (int c = 0; c < GetColCount(); ++c) SplitColumnCells(c);
  if (ss.IndexShow) {
    const int k = FSortIndexes->IndexOfColumn(col);
    if (Shift.Contains(TShiftStateItem::ssShift)) {
      if (k < 0) FSortIndexes->AddIndex(col, true);
      else FSortIndexes->FlipDirection(col);
    } else if (FSortIndexes->Count() == 1 && k == 0) {
      FSortIndexes->FlipDirection(col);
    } else {
      FSortIndexes->Clear();
      FSortIndexes->AddIndex(col, true);
    }
    const int64_t start = NowMs();
    SortByIndexes();
    FSortTime = NowMs() - start;
  } else {
    bool undo = false;
    if (col == ss.Column) {
      const TSortDirection before = ss.Direction;
      ss.Direction = before == sdAscending ? sdDescending : sdAscending;
      undo = ss.UndoSort && before != ss.InitSortDirection;
    } else {
      ss.Direction = ss.InitSortDirection;
      ss.Column = col;
    }
    const int64_t start = NowMs();
    const bool keepScroll = FNavigation->KeepHorizScroll && GetOptions().Contains(goRowSelect);
    const int left = GetLeftCol();
    if (keepScroll) BeginUpdate();
    struct TUnlock {
      TGridView& G;
      bool On;
      int Left;
      ~TUnlock() {
        if (!On) return;
        G.SetLeftCol(Left);
        G.EndUpdate();
      }
    } unlock{*this, keepScroll, left};
    if (HasNodes()) {
      SortNodes();
    } else if (undo) {
      RestoreUnsortedOrder();
      ss.Column = -1;
    } else {
      SortByColumn();
    }
    FSortTime = NowMs() - start;
  }
  if (ss.AutoColumnMerge && FMergeColumns->Count() > 0)
    for (int i = 0; i < FMergeColumns->Count(); ++i) MergeColumnCells(FMergeColumns->Get(i), i == 0);
  Invalidate();
  if (OnClickSort) OnClickSort(this, ss.Column);
}
