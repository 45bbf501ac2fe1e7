// Workbook import through the spreadsheet server, and the server binding
// that converts a workbook's sheets to text with a headless office suite.
#include "grid/GridView.h"
#include "grid/GridWorkbook.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

// ================================================================ addresses and text

namespace {

// "$AB$12" or "AB12" or "$12" (row only): letters and digits of one part.
bool ParseCellPart(std::string P, int& Col, int& Row, bool& HasCol) {
  P.erase(std::remove(P.begin(), P.end(), '$'), P.end());
  size_t i = 0;
  int64_t col = 0;
  while (i < P.size() && std::isalpha(static_cast<unsigned char>(P[i]))) {
    col = col * 26 + (std::toupper(static_cast<unsigned char>(P[i])) - 'A' + 1);
    if (col > 1 << 20) return false;
    ++i;
  }
  if (i == P.size() || i + 10 < P.size()) return false;
  int64_t row = 0;
  for (; i < P.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(P[i]))) return false;
    row = row * 10 + (P[i] - '0');
  }
  if (row < 1 || row > 1 << 24) return false;
  HasCol = col > 0;
  Col = static_cast<int>(col);
  Row = static_cast<int>(row);
  return true;
}

std::string ColumnLetters(int Col) {
  std::string s;
  while (Col > 0) {
    s.insert(s.begin(), static_cast<char>('A' + (Col - 1) % 26));
    Col = (Col - 1) / 26;
  }
  return s;
}

}  // namespace

bool GridWorkbook::ParseRangeAddress(const std::string& Address, TRangeAddress& Range) {
  const size_t colon = Address.find(':');
  const std::string a = Address.substr(0, colon), b = colon == std::string::npos ? a : Address.substr(colon + 1);
  bool colA = false, colB = false;
  TRangeAddress r;
  if (!ParseCellPart(a, r.Col1, r.Row1, colA) || !ParseCellPart(b, r.Col2, r.Row2, colB)) return false;
  if (colA != colB) return false;
  if (!colA) r.Col1 = 1, r.Col2 = 256;  // whole rows
  if (r.Col2 < r.Col1 || r.Row2 < r.Row1) return false;
  Range = r;
  return true;
}

std::vector<std::vector<std::string>> GridWorkbook::ParseCsv(const std::string& T) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false, any = false;
  for (size_t i = 0; i < T.size(); ++i) {
    const char ch = T[i];
    any = true;
    if (quoted) {
      if (ch == '"') {
        if (i + 1 < T.size() && T[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += ch;
      }
    } else if (ch == '"') {
      quoted = true;
    } else if (ch == ',') {
      row.push_back(std::move(field));
      field.clear();
    } else if (ch == '\n' || ch == '\r') {
      if (ch == '\r' && i + 1 < T.size() && T[i + 1] == '\n') ++i;
      row.push_back(std::move(field));
      field.clear();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
    } else {
      field += ch;
    }
  }
  if (any) {
    row.push_back(std::move(field));
    rows.push_back(std::move(row));
  }
  return rows;
}

// ================================================================ the office-suite binding

namespace {

std::string ReadFile(const QString& Path) {
  std::ifstream in(Path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TOfficeSuiteServer : public TSpreadsheetServer {
 public:
  explicit TOfficeSuiteServer(QString Program) : FProgram(std::move(Program)) {}

  void OpenWorkbook(const std::string& FileName) override {
    if (!FDir.isValid()) throw EGridViewError("Cannot create a folder for the workbook " + FileName);
    const QString file = QString::fromStdString(FileName);
    // Every sheet into a file of its own ("<name>-<sheet>.csv"), and the active one.
    Convert(file, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1", "all");
    Convert(file, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false", "active");
    const QString base = QFileInfo(file).completeBaseName();
    const QStringList active = QDir(FDir.filePath("active")).entryList({"*.csv"}, QDir::Files);
    if (active.isEmpty()) throw EGridViewError("Cannot open workbook " + FileName);
    FActive = QDir(FDir.filePath("active")).filePath(active.first());
    for (const QString& f : QDir(FDir.filePath("all")).entryList({"*.csv"}, QDir::Files, QDir::Name)) {
      QString name = QFileInfo(f).completeBaseName();
      if (name.startsWith(base + "-")) name = name.mid(base.size() + 1);
      FSheets.push_back({name.toStdString(), QDir(FDir.filePath("all")).filePath(f)});
    }
    if (FSheets.empty()) FSheets.push_back({"Sheet1", FActive});
    SelectSheet(0);
  }
  int SheetCount() override { return static_cast<int>(FSheets.size()); }
  std::string SheetName(int Index) override { return FSheets.at(static_cast<size_t>(Index - 1)).first; }
  void SelectSheet(int Index) override {
    FCells = GridWorkbook::ParseCsv(ReadFile(Index == 0 ? FActive : FSheets.at(static_cast<size_t>(Index - 1)).second));
  }
  std::string UsedRangeAddress() override {
    int rows = 0, cols = 0;
    for (size_t r = 0; r < FCells.size(); ++r)
      for (size_t c = 0; c < FCells[r].size(); ++c)
        if (!FCells[r][c].empty()) rows = static_cast<int>(r) + 1, cols = std::max(cols, static_cast<int>(c) + 1);
    if (rows == 0) return "$A$1";
    return "$A$1:$" + ColumnLetters(cols) + "$" + std::to_string(rows);
  }
  std::vector<std::vector<std::optional<std::string>>> RangeValues(const std::string& Address) override {
    GridWorkbook::TRangeAddress a;
    if (!GridWorkbook::ParseRangeAddress(Address, a)) throw EGridViewError("Invalid range " + Address);
    std::vector<std::vector<std::optional<std::string>>> out;
    for (int r = a.Row1; r <= a.Row2; ++r) {
      auto& row = out.emplace_back(static_cast<size_t>(a.Col2 - a.Col1 + 1));
      if (r - 1 >= static_cast<int>(FCells.size())) continue;
      const auto& src = FCells[static_cast<size_t>(r - 1)];
      for (int c = a.Col1; c <= a.Col2 && c - 1 < static_cast<int>(src.size()); ++c)
        if (!src[static_cast<size_t>(c - 1)].empty()) row[static_cast<size_t>(c - a.Col1)] = src[static_cast<size_t>(c - 1)];
    }
    return out;
  }
  void CloseWorkbook(bool) override {
    FCells.clear();
    FSheets.clear();
  }
  void Quit() override { FDir.remove(); }

 private:
  void Convert(const QString& File, const QString& Filter, const QString& Sub) {
    QProcess p;
    p.start(FProgram, {"--headless", "--norestore", "-env:UserInstallation=file://" + FDir.filePath("profile"),
                       "--convert-to", Filter, "--outdir", FDir.filePath(Sub), File});
    if (!p.waitForFinished(180000)) {
      p.kill();
      p.waitForFinished();
      throw EGridViewError("The office suite did not answer");
    }
  }
  QString FProgram;
  QTemporaryDir FDir;
  QString FActive;
  std::vector<std::pair<std::string, QString>> FSheets;
  std::vector<std::vector<std::string>> FCells;
};

}  // namespace

std::unique_ptr<TSpreadsheetServer> GridWorkbook::CreateOfficeSuiteServer() {
  const QString program = QStandardPaths::findExecutable("soffice");
  if (program.isEmpty()) return nullptr;
  return std::make_unique<TOfficeSuiteServer>(program);
}

std::function<std::unique_ptr<TSpreadsheetServer>()> GridWorkbook::CreateServer = [] {
  return GridWorkbook::CreateOfficeSuiteServer();
};

// ================================================================ the import

void TGridView::LoadXLSFile(const std::string& FileName, const std::string& SheetName) {
  Forms::TCursorGuard cursor(crHourGlass);
  std::unique_ptr<TSpreadsheetServer> server;
  try {
    if (GridWorkbook::CreateServer) server = GridWorkbook::CreateServer();
  } catch (const std::exception&) {
    server.reset();
  }
  if (!server) throw EGridViewError("Excel OLE server not found");
  // The workbook is closed and the server quit on every way out.
  bool opened = false;
  struct TQuit {
    TSpreadsheetServer& S;
    bool& Opened;
    ~TQuit() {
      try {
        if (Opened) S.CloseWorkbook(false);
      } catch (const std::exception&) {
      }
      try {
        S.Quit();
      } catch (const std::exception&) {
      }
    }
  } quit{*server, opened};
  server->OpenWorkbook(FileName);
  opened = true;
  if (!SheetName.empty()) {
    int found = 0;
    for (int i = 1; i <= server->SheetCount(); ++i)
      if (server->SheetName(i) == SheetName) found = i;
    if (found == 0) throw EGridViewError("Excel worksheet " + SheetName + " not found");
    server->SelectSheet(found);
  } else {
    server->SelectSheet(0);
  }
  const std::string address = server->UsedRangeAddress();
  GridWorkbook::TRangeAddress a;
  if (!GridWorkbook::ParseRangeAddress(address, a)) throw EGridViewError("Excel used range " + address + " not understood");
  const auto values = server->RangeValues(address);
  const int cols = a.Col2 - a.Col1 + 1, rows = a.Row2 - a.Row1 + 1;
  const int fc = IncludeFixedCells ? 0 : GetFixedCols();
  const int fr = IncludeFixedCells ? 0 : GetFixedRows();
  // Everything is read: now the grid changes.
  BeginUpdate();
  SetColCount(std::max(cols + fc, GetFixedCols() + 1));
  SetRowCount(std::max(rows + fr, GetFixedRows() + 1));
  for (int r = fr; r < GetRowCount(); ++r)
    for (int c = fc; c < GetColCount(); ++c) SetCells(c, r, "");
  for (size_t r = 0; r < values.size() && static_cast<int>(r) < rows; ++r)
    for (size_t c = 0; c < values[r].size() && static_cast<int>(c) < cols; ++c)
      if (values[r][c] && !values[r][c]->empty())
        StoreCellText(fc + static_cast<int>(c), fr + static_cast<int>(r), *values[r][c]);
  EndUpdate();
  DoCellsChanged(TRect(0, 0, GetColCount(), GetRowCount()));
  AllColumnsChanged();
}
