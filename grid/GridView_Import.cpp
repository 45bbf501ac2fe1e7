// Delimited text (CSV) import. The whole file is read and split before the
// grid changes, so a file that cannot be read leaves the grid as it was.
#include "grid/GridView.h"
#include "platform/rtl/CodePage437.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

constexpr char kCandidates[] = {',', ';', '#', '\t', '|'};

// Occurrences of Ch counted by runs: a run of odd length counts once, a run
// ending the text always counts, any other run not at all.
int RunCount(const std::string& S, char Ch) {
  int n = 0;
  for (size_t i = 0; i < S.size();) {
    if (S[i] != Ch) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < S.size() && S[j] == Ch) ++j;
    if ((j - i) % 2 == 1 || j == S.size()) ++n;
    i = j;
  }
  return n;
}

int PlainCount(const std::string& S, char Ch) { return static_cast<int>(std::count(S.begin(), S.end(), Ch)); }

// The delimiter of two first lines; 0 when none of the candidates fits.
char DetectDelimiter(const std::string& L1, const std::string& L2) {
  char found = 0;
  int best = 0;
  for (auto* count : {&RunCount, &PlainCount}) {
    for (char ch : kCandidates) {
      const int a = count(L1, ch), b = count(L2, ch);
      if (a == b && a > best) found = ch, best = a;
    }
    if (best > 0) return found;
  }
  for (char ch : kCandidates) {
    const int m = std::max(PlainCount(L1, ch), PlainCount(L2, ch));
    if (m > best) found = ch, best = m;
  }
  return found;
}

std::string LineBreaks(std::string S, bool Tilde) {
  std::string out;
  out.reserve(S.size());
  for (char ch : S) {
    if (Tilde ? ch == '~' : ch == '\n') {
      out += "\r\n";
      continue;
    }
    out += ch;
  }
  return out;
}

// The fields of one line. A field beginning with a quote runs to its closing
// quote (a doubled quote stands for one), and text after the closing quote up
// to the delimiter belongs to it; without a closing quote it keeps the rest
// of the line. Any other field runs to the delimiter and keeps its quotes.
void SplitLine(const std::string& L, char Delim, bool Tilde, std::vector<std::string>& Fields) {
  Fields.clear();
  const size_t n = L.size();
  size_t p = 0;
  while (p < n) {
    std::string f;
    if (L[p] == '"') {
      size_t j = p + 1;
      bool closed = false;
      while (j < n) {
        if (L[j] == '"') {
          if (j + 1 < n && L[j + 1] == '"') {
            f += '"';
            j += 2;
            continue;
          }
          closed = true;
          ++j;
          break;
        }
        f += L[j++];
      }
      p = j;
      if (closed) {
        const size_t d = Delim ? L.find(Delim, p) : std::string::npos;
        const size_t end = d == std::string::npos ? n : d;
        f.append(L, p, end - p);
        p = end;
      }
    } else {
      const size_t d = Delim ? L.find(Delim, p) : std::string::npos;
      const size_t end = d == std::string::npos ? n : d;
      f.assign(L, p, end - p);
      p = end;
    }
    Fields.push_back(LineBreaks(std::move(f), Tilde));
    if (p < n) {  // at a delimiter
      ++p;
      if (p == n) break;  // a trailing delimiter ends the line
    }
  }
}

// The lines of a text file: LF or CR LF ends a line; a last line without a
// line end counts.
std::vector<std::string> SplitLines(const std::string& Data) {
  std::vector<std::string> lines;
  size_t p = 0;
  while (p < Data.size()) {
    size_t e = Data.find('\n', p);
    if (e == std::string::npos) e = Data.size();
    size_t len = e - p;
    if (len > 0 && Data[p + len - 1] == '\r') --len;
    lines.emplace_back(Data, p, len);
    p = e + 1;
  }
  return lines;
}

}  // namespace

void TGridView::LoadCSVFile(const std::string& FileName, bool Append) {
  std::string data;
  {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw EGridViewError("Cannot open file " + FileName);
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw EGridViewError("Cannot read file " + FileName);
  }
  std::vector<std::string> lines = SplitLines(data);
  data.clear();
  if (OemConvert)
    for (std::string& l : lines) l = CodePage437::ToUtf8(l);
  const char delim = Delimiter ? Delimiter : lines.empty() ? 0 : DetectDelimiter(lines[0], lines.size() > 1 ? lines[1] : "");

  const int firstCol = IncludeFixedCells ? 0 : GetFixedCols();
  const int firstRow = IncludeFixedCells ? 0 : GetFixedRows();
  const int footers = GetFixedFooters();
  const bool footerRow = FFloatingFooter->ShowsLastRow() && GetRowCount() > 0;
  BeginUpdate();
  std::vector<std::string> footer;
  int row = firstRow;
  if (Append) {
    row = GetRowCount();
    if (footerRow) {
      TStrings* last = Rows(GetRowCount() - 1);
      for (int i = 0; i < last->Count(); ++i) footer.push_back(last->Get(i));
      for (int c = 0; c < GetColCount(); ++c) SetCells(c, GetRowCount() - 1, "");
      row = GetRowCount() - 1;
    }
  } else {
    // The data area is emptied, so that nothing of an earlier load stays.
    for (int r = firstRow; r < GetRowCount() - footers; ++r)
      for (int c = firstCol; c < GetColCount(); ++c) SetCells(c, r, "");
  }
  const int n = static_cast<int>(lines.size());
  if (OnFileProgress) SetRowCount(Append ? GetRowCount() + n : firstRow + n + footers);
  int lastProgress = -1;
  std::vector<std::string> fields;
  for (int i = 0; i < n; ++i) {
    if (row >= GetRowCount() - footers) SetRowCount(row + 1000);
    SplitLine(lines[static_cast<size_t>(i)], delim, TildeLineBreaks, fields);
    int col = firstCol;
    for (const std::string& f : fields) {
      if (col >= GetColCount()) SetColCount(col + 1);
      StoreCellText(col, row, f);
      ++col;
    }
    ++row;
    if (OnFileProgress) {
      const int progress = static_cast<int>(std::lround((i + 1) * 100.0 / n));
      if (progress != lastProgress) {
        lastProgress = progress;
        OnFileProgress(this, static_cast<int16_t>(progress));
      }
    }
  }
  SetRowCount(std::max(row + footers, GetFixedRows() + 1));
  if (footerRow && GetRowCount() > 0) {
    const int last = GetRowCount() - 1;
    for (int c = 0; c < GetColCount(); ++c)
      SetCells(c, last, static_cast<size_t>(c) < footer.size() ? footer[static_cast<size_t>(c)] : "");
  }
  EndUpdate();
  DoCellsChanged(TRect(0, 0, GetColCount(), GetRowCount()));
  AllColumnsChanged();
}
