// Copy, cut and paste of cell ranges as text (TAB between cells, CR LF
// between rows), rich text of one cell, and the smart fill after a paste.
#include "grid/GridCellIO.h"
#include "grid/GridUtil.h"
#include "grid/GridView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/RichText.h"

#include <algorithm>
#include <cmath>

namespace {

bool Contains(const std::string& S, std::string_view Part) { return S.find(Part) != std::string::npos; }

// CR LF and lone CR become LF.
std::string ToLf(const std::string& S) {
  std::string out;
  out.reserve(S.size());
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r') {
      out += '\n';
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}

// LF (not already after CR) becomes CR LF.
std::string ToCrLf(const std::string& S) {
  std::string out;
  out.reserve(S.size() + 8);
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\n' && (i == 0 || S[i - 1] != '\r')) out += '\r';
    out += S[i];
  }
  return out;
}

// A field of the clipboard text: quoted with doubled quotes when it holds a
// TAB, a line break or a quote, so that pasting it back gives the same text.
std::string QuoteField(const std::string& S) {
  if (S.find_first_of("\t\r\n\"") == std::string::npos) return S;
  std::string out = "\"";
  for (char ch : S) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
  return out;
}

// The fields of a TAB / CR LF text, line by line. A field beginning with a
// quote whose closing quote is followed by a TAB, a line end or the end of the
// text is unquoted (doubled quotes become one, LF becomes CR LF); any other
// field runs to the next TAB or CR, and one holding LF loses an enclosing
// quote pair and gets CR LF line breaks. An empty remainder after the last
// line end or the last TAB is no field.
std::vector<std::vector<std::string>> SplitClipText(const std::string& T) {
  std::vector<std::vector<std::string>> lines;
  const size_t n = T.size();
  size_t i = 0;
  while (i < n) {
    std::vector<std::string> fields;
    for (;;) {
      std::string field;
      bool quoted = false;
      if (i < n && T[i] == '"') {
        std::string buf;
        size_t j = i + 1;
        bool closed = false;
        while (j < n) {
          if (T[j] == '"') {
            if (j + 1 < n && T[j + 1] == '"') {
              buf += '"';
              j += 2;
              continue;
            }
            closed = true;
            break;
          }
          buf += T[j++];
        }
        if (closed && (j + 1 == n || T[j + 1] == '\t' || T[j + 1] == '\r')) {
          field = ToCrLf(buf);
          i = j + 1;
          quoted = true;
        }
      }
      if (!quoted) {
        const size_t end = std::min(T.find_first_of("\t\r", i), n);
        field = T.substr(i, end - i);
        if (Contains(field, "\n")) {
          if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
          field = ToCrLf(field);
        }
        i = end;
      }
      fields.push_back(std::move(field));
      if (i < n && T[i] == '\t') {
        ++i;
        if (i == n) break;  // the empty remainder after the last TAB
        continue;
      }
      if (i < n && T[i] == '\r') {
        ++i;
        if (i < n && T[i] == '\n') ++i;
      }
      break;
    }
    lines.push_back(std::move(fields));
  }
  return lines;
}

}  // namespace

// ================================================================ copy

std::u16string TGridView::WideCells(int ACol, int ARow) const { return GetCellTextWide(ACol, ARow); }

std::string TGridView::RangeClipboardText(const TRect& R, bool Disjunct) {
  FCopyOrigin = TPoint{R.Left, R.Top};
  const bool rowFilter = Disjunct && FMouseActions->GetDisjunctRowSelect() && !FMouseActions->GetDisjunctColSelect();
  const bool colFilter = Disjunct && FMouseActions->GetDisjunctColSelect();
  std::string out;
  for (int r = R.Top; r <= R.Bottom; ++r) {
    if (rowFilter && !RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(r) : r)) continue;
    std::string line;
    bool any = false;
    for (int c = R.Left; c <= R.Right; ++c) {
      if (colFilter && !ColSelected(c)) continue;
      const int real = RealColIndex(c);
      // Wide cells travel as their text, not as the stored form.
      std::string t = GridUtil::ShownText(ExportCellText(real, r));
      if (!FNavigation->CopyHTMLTagsToClipboard && Contains(t, "</"))
        t = StripTags(t);
      else if (Contains(t, "{\\"))
        t = RichTextToPlain(t);
      if (any) line += '\t';
      line += QuoteField(ToLf(t));
      any = true;
    }
    if (R.Bottom > R.Top) line += "\r\n";
    out += line;
  }
  return out;
}

void TGridView::CopyTextRange(const TRect& R, bool Disjunct) {
  ClipboardFormats::SetFormats({{ClipboardFormats::PlainText, RangeClipboardText(R, Disjunct)}});
  if (FNavigation->AllowRTFClipboard) CopyRichTextCell(RealColIndex(R.Left), R.Top);
  if (FNavigation->AllowFmtClipboard) CopyCellsFormat(R);
}

void TGridView::CopyRichTextCell(int ACol, int ARow) {
  const std::string t = GetCells(ACol, ARow);
  if (Contains(t, "{\\")) ClipboardFormats::AddFormat(ClipboardFormats::RichText, t);
}

namespace {
// The normal cell area, or every cell with the fixed ones included.
TRect NormalArea(TGridView& G) {
  if (G.IncludeFixedCells) return TRect(0, 0, G.GetColCount() - 1, G.GetRowCount() - 1);
  return TRect(G.GetFixedCols(), G.GetFixedRows(), G.GetColCount() - G.GetFixedRightCols() - 1,
               G.GetRowCount() - G.GetFixedFooters() - 1);
}
}  // namespace

void TGridView::CopyToClipboard() {
  const bool disjunct = FMouseActions->GetDisjunctRowSelect() || FMouseActions->GetDisjunctColSelect();
  if (disjunct) {
    CopyTextRange(NormalArea(*this), true);
  } else {
    const TGridRect s = GetSelection();
    CopyTextRange(TRect(s.Left, s.Top, s.Right, s.Bottom), false);
  }
  FLastOpCopy = true;
}

void TGridView::CutToClipboard() {
  CopyToClipboard();
  FLastOpCopy = false;
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
      if (RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(r) : r)) ClearRows(r, 1);
    return;
  }
  if (FMouseActions->GetDisjunctColSelect()) {
    for (int c = GetFixedCols(); c < GetColCount(); ++c)
      if (ColSelected(c)) ClearCols(c, 1);
    return;
  }
  const TGridRect s = GetSelection();
  for (int r = s.Top; r <= s.Bottom; ++r)
    for (int c = s.Left; c <= s.Right; ++c) {
      const int real = RealColIndex(c);
      if (FNavigation->AllowClipboardAlways || CanEditCellAt(real, r)) SetCells(real, r, "");
    }
  if (FNavigation->AllowFmtClipboard) FreeCellObjects(s.Left, s.Top, s.Bottom, s.Right);
  Invalidate();
}

// ================================================================ paste

void TGridView::PasteNotify(TPoint Origin, const TRect& PastedRect, bool LastOpCopy) {
  if (OnPasteNotify) OnPasteNotify(this, Origin, PastedRect, LastOpCopy);
}

void TGridView::SetDisplayedCellText(int ACol, int ARow, const std::string& Value) {
  const int real = RealColIndex(ACol);
  SetCells(real, ARow, Value);
  if (real != ACol) RepaintCell(ACol, ARow);
}

bool TGridView::PasteCellAllowed(int ACol, int ARow, std::string& Value) {
  bool allow = true;
  if (Value.rfind("|\\", 0) == 0) {
    std::u16string wide = GridUtil::DecodeWideText(Value);
    if (OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, ACol, ARow, wide, allow);
    Value = GridUtil::EncodeWideText(wide);
  } else if (OnClipboardBeforePasteCell) {
    OnClipboardBeforePasteCell(this, ACol, ARow, Value, allow);
  }
  return allow;
}

int TGridView::PasteText(int ACol, int ARow, const std::string& Text) {
  if (ACol < 0 || ARow < 0) return 0;
  if (!GetOptions().Contains(goEditing) && !FNavigation->AllowClipboardAlways && !FMouseActions->RangeSelectAndEdit)
    return 0;
  const auto lines = SplitClipText(Text);
  int k = 0, right = ACol - 1, bottom = ARow - 1;
  int r = ARow;
  for (const auto& fields : lines) {
    if (r >= GetRowCount()) {
      if (!FNavigation->AllowClipboardRowGrow) break;
      SetRowCount(r + 1);
    }
    int c = ACol;
    for (const std::string& f : fields) {
      if (c >= GetColCount()) {
        if (!FNavigation->AllowClipboardColGrow) break;  // fields beyond the last column are dropped
        SetColCount(c + 1);
      }
      const int real = RealColIndex(c);
      if (FNavigation->AllowClipboardAlways || CanEditCellAt(real, r)) {
        std::string v = f;
        if (PasteCellAllowed(c, r, v)) SetDisplayedCellText(c, r, v);
      }
      ++k;
      right = std::max(right, c);
      ++c;
    }
    bottom = r;
    ++r;
  }
  const TRect pasted(ACol, ARow, right, bottom);
  PasteNotify(FCopyOrigin, pasted, FLastOpCopy);
  DoCellsChanged(pasted);
  Invalidate();
  return k;
}

TPoint TGridView::TextBlockSize(const std::string& Text) {
  int cols = 0, tabs = 0, crs = 0;
  bool field = false;
  for (char ch : Text) {
    if (ch == '\t') {
      ++tabs;
    } else if (ch == '\r') {
      ++crs;
      cols = std::max(cols, tabs + 1);
      tabs = 0;
      field = false;
      continue;
    } else if (ch == '\n') {
      continue;
    }
    field = true;
  }
  if (field || tabs > 0) cols = std::max(cols, tabs + 1);
  const int rows = crs > 0 ? crs : (cols > 0 ? 1 : 0);
  return TPoint{cols, rows};
}

int TGridView::PasteAt(int ACol, int ARow) {
  namespace CF = ClipboardFormats;
  if (FNavigation->AllowFmtClipboard && CF::HasFormat(CF::GridCells)) {
    TMemoryStream s;
    s.WriteString(CF::GetFormat(CF::GridCells));
    s.SetPosition(0);
    LoadCellsFromStream(TPoint{ACol, ARow}, s);
    s.SetPosition(0);
    const GridCellIO::TCellStream h = GridCellIO::ReadCellStreamHeader(s);
    const TRect pasted(ACol, ARow, ACol + h.ColCount - 1, ARow + h.RowCount - 1);
    PasteNotify(h.ID == GridID() ? FCopyOrigin : TPoint{-1, -1}, pasted, FLastOpCopy);
    return static_cast<int>(std::min<int64_t>(int64_t{h.ColCount} * h.RowCount, INT32_MAX));
  }
  if (FNavigation->AllowRTFClipboard && CF::HasFormat(CF::RichText)) {
    std::string rtf = CF::GetFormat(CF::RichText);
    if (const size_t z = rtf.find('\0'); z != std::string::npos) rtf.resize(z);
    if (CanEditCellAt(RealColIndex(ACol), ARow)) SetDisplayedCellText(ACol, ARow, rtf);
    return 0;
  }
  if (CF::HasFormat(CF::PlainText)) return PasteText(ACol, ARow, CF::GetFormat(CF::PlainText));
  return 0;
}

void TGridView::PasteFromClipboard() {
  const TGridRect s = GetSelection();
  const int n = PasteAt(s.Left, s.Top);
  if (FNavigation->AllowSmartClipboard) SmartFill(n);
}

// ================================================================ smart fill

void TGridView::SmartFill(int N) {
  const TGridRect s = GetSelection();
  const bool oneCell = s.Left == s.Right && s.Top == s.Bottom;
  auto editable = [&](int c, int r) { return CanEditCellAt(RealColIndex(c), r); };
  // Writes V into (c, r) unless the cell refuses; the top-left cell is written as is.
  auto put = [&](int c, int r, std::string V) {
    if (!(c == s.Left && r == s.Top) && !PasteCellAllowed(c, r, V)) return;
    SetDisplayedCellText(c, r, V);
  };
  if (N == 1 && !oneCell) {
    const std::string t = GetCells(RealColIndex(s.Left), s.Top);
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r)
        if (editable(c, r)) put(c, r, t);
    Invalidate();
    return;
  }
  const bool oneCol = s.Left == s.Right, oneRow = s.Top == s.Bottom;
  if (N <= 1 || !(oneCol || oneRow)) return;
  const bool down = oneCol && !oneRow;
  const std::string t1 = GetCells(RealColIndex(s.Left), s.Top);
  const std::string t2 = down ? GetCells(RealColIndex(s.Left), s.Top + 1)
                              : (s.Left + 1 < GetColCount() ? GetCells(RealColIndex(s.Left + 1), s.Top) : "");
  // Visits the selection column by column, row by row; Step gives the text of
  // the next cell or false to end the fill.
  auto series = [&](const std::function<bool(std::string&)>& Next) {
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r) {
        std::string v;
        if (!Next(v)) return;
        if (editable(c, r)) put(c, r, v);
      }
  };
  const TFormatSettings& fs = FormatSettings;
  auto hasDateOrTime = [&](const std::string& t) {
    return t.find(fs.DateSeparator) != std::string::npos || t.find(fs.TimeSeparator) != std::string::npos;
  };
  if (hasDateOrTime(t1) && hasDateOrTime(t2)) {
    TDateTime d1 = 0, d2 = 0;
    if (!SysUtils::TryStrToDateTime(t1, d1, fs) || !SysUtils::TryStrToDateTime(t2, d2, fs)) return;
    int y1, m1, dd1, y2, m2, dd2;
    SysUtils::DecodeDate(d1, y1, m1, dd1);
    SysUtils::DecodeDate(d2, y2, m2, dd2);
    const bool asDate = t1.find(fs.DateSeparator) != std::string::npos;
    TDateTime d = d1;
    bool valid = true;
    series([&](std::string& v) {
      if (!valid) return false;
      v = asDate ? SysUtils::DateToStr(d) : SysUtils::TimeToStr(d);
      int y, m, day;
      SysUtils::DecodeDate(d, y, m, day);
      const double time = d - std::floor(d);
      TDateTime next = 0;
      if (y1 == y2 && m1 == m2) {
        next = d + (dd2 - dd1);
      } else if (m1 == m2 && dd1 == dd2) {
        valid = SysUtils::TryEncodeDate(y + (y2 - y1), m, day, next);
        next += time;
      } else if (y1 == y2 && dd1 == dd2) {
        int month = m + (m2 - m1), year = y;
        while (month > 12) month -= 12, ++year;
        while (month < 1) month += 12, --year;
        valid = SysUtils::TryEncodeDate(year, month, day, next);
        next += time;
      } else {
        next = d + (d2 - d1);
      }
      d = next;
      return true;
    });
    Invalidate();
    return;
  }
  if (t1.find(fs.DecimalSeparator) == std::string::npos && t2.find(fs.DecimalSeparator) == std::string::npos) {
    int32_t v1 = 0, v2 = 0;
    if (SysUtils::TryStrToInt(SysUtils::Trim(t1), v1) && SysUtils::TryStrToInt(SysUtils::Trim(t2), v2)) {
      int64_t v = v1;
      const int64_t step = int64_t{v2} - v1;
      series([&](std::string& out) {
        if (v < INT32_MIN || v > INT32_MAX) return false;
        out = std::to_string(v);
        v += step;
        return true;
      });
    } else if (down) {
      // The pasted block repeats with its own length as the period.
      for (int r = s.Top + N; r <= s.Bottom; ++r)
        if (editable(s.Left, r)) put(s.Left, r, GetCells(RealColIndex(s.Left), r - N));
    } else {
      for (int c = s.Left + N; c <= s.Right; ++c)
        if (editable(c, s.Top)) put(c, s.Top, GetCells(RealColIndex(c - N), s.Top));
    }
    Invalidate();
    return;
  }
  double f1 = 0, f2 = 0;
  if (!SysUtils::TryStrToFloat(t1, f1, fs) || !SysUtils::TryStrToFloat(t2, f2, fs)) return;
  int i = 0;
  series([&](std::string& out) {
    try {
      out = SysUtils::Format(FloatFormat, {f1 + i * (f2 - f1)});
    } catch (const Exception&) {
      return false;
    }
    ++i;
    return true;
  });
  Invalidate();
}
