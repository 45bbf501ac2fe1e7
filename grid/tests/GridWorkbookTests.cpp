#include "grid/GridView.h"
#include "grid/GridWorkbook.h"
#include "platform/ui/tests/UiFixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fstream>

#define LLVMFuzzerTestOneInput GridWorkbookFuzzInput
#include "fuzz/grid_workbook_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

namespace GridWorkbookTests {

namespace {
// A server answering from tables; it records its calls.
struct TFakeServer : TSpreadsheetServer {
  struct Sheet {
    std::string Name, Used;
    std::vector<std::vector<std::optional<std::string>>> Values;
  };
  std::vector<Sheet> Sheets;
  int Active = 1, Selected = 0;
  std::vector<std::string>* Log = nullptr;
  void OpenWorkbook(const std::string& F) override { Log->push_back("open " + F); }
  int SheetCount() override { return static_cast<int>(Sheets.size()); }
  std::string SheetName(int I) override { return Sheets.at(static_cast<size_t>(I - 1)).Name; }
  void SelectSheet(int I) override { Selected = I == 0 ? Active : I; }
  std::string UsedRangeAddress() override { return Sheets.at(static_cast<size_t>(Selected - 1)).Used; }
  std::vector<std::vector<std::optional<std::string>>> RangeValues(const std::string& A) override {
    Log->push_back("values " + A);
    return Sheets.at(static_cast<size_t>(Selected - 1)).Values;
  }
  void CloseWorkbook(bool Save) override { Log->push_back(Save ? "close save" : "close"); }
  void Quit() override { Log->push_back("quit"); }
};
}  // namespace

class GridWorkbookTest : public UiTest {
 protected:
  GridWorkbookTest() {
    form = Application->CreateForm<TForm>();
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    saved = GridWorkbook::CreateServer;
    GridWorkbook::CreateServer = [this]() -> std::unique_ptr<TSpreadsheetServer> {
      auto s = std::make_unique<TFakeServer>(fake);
      s->Log = &log;
      return s;
    };
  }
  ~GridWorkbookTest() override { GridWorkbook::CreateServer = saved; }
  TForm* form = nullptr;
  TGridView* grid = nullptr;
  TFakeServer fake;
  std::vector<std::string> log;
  std::function<std::unique_ptr<TSpreadsheetServer>()> saved;
};

TEST_F(GridWorkbookTest, RangeAddresses) {
  struct Case {
    std::string text;
    bool ok;
    int c1, r1, c2, r2;
  } cases[] = {
      {"$A$1:$D$20", true, 1, 1, 4, 20},  {"$1:$20", true, 1, 1, 256, 20},   {"$B$3:$AAC$7", true, 2, 3, 705, 7},
      {"$C$5", true, 3, 5, 3, 5},         {"$Z$1:$AA$2", true, 26, 1, 27, 2}, {"", false, 0, 0, 0, 0},
      {"$A$0:$B$2", false, 0, 0, 0, 0},   {"$A$1:$2", false, 0, 0, 0, 0},     {"$B$5:$A$1", false, 0, 0, 0, 0},
  };
  for (const Case& k : cases) {
    GridWorkbook::TRangeAddress a;
    ASSERT_EQ(GridWorkbook::ParseRangeAddress(k.text, a), k.ok) << k.text;
    if (!k.ok) continue;
    EXPECT_EQ((std::vector<int>{a.Col1, a.Row1, a.Col2, a.Row2}), (std::vector<int>{k.c1, k.r1, k.c2, k.r2}))
        << k.text;
  }
}

TEST_F(GridWorkbookTest, LoadsTheUsedRangeAfterTheFixedCells) {
  fake.Sheets = {{"Data", "$B$2:$D$3", {{"a", std::nullopt, "c"}, {"1", "2", "3"}}},
                 {"Other", "$A$1", {{"x"}}}};
  grid->SetCells(2, 1, "stale");
  TRect changed;
  grid->OnCellsChanged = [&](TObject*, const TRect& R) { changed = R; };
  grid->LoadXLSFile("book.xlsx", "Data");
  EXPECT_EQ(grid->GetColCount(), 4);
  EXPECT_EQ(grid->GetRowCount(), 3);
  EXPECT_EQ(grid->GetCells(1, 1), "a");
  EXPECT_EQ(grid->GetCells(2, 1), "");
  EXPECT_EQ(grid->GetCells(3, 2), "3");
  EXPECT_EQ(log, (std::vector<std::string>{"open book.xlsx", "values $B$2:$D$3", "close", "quit"}));
  EXPECT_EQ(changed, TRect(0, 0, 4, 3));

  // The active sheet without a name; with IncludeFixedCells from (0, 0).
  fake.Active = 2;
  grid->IncludeFixedCells = true;
  grid->LoadFromXLS("book.xlsx");
  EXPECT_EQ(grid->GetCells(0, 0), "x");
}

TEST_F(GridWorkbookTest, MissingSheetAndMissingServer) {
  fake.Sheets = {{"Data", "$A$1:$A$1", {{"a"}}}};
  grid->SetCells(1, 1, "keep");
  try {
    grid->LoadXLSFile("book.xlsx", "Nope");
    FAIL();
  } catch (const EGridViewError& e) {
    EXPECT_EQ(std::string(e.what()), "Excel worksheet Nope not found");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"open book.xlsx", "close", "quit"}));
  EXPECT_EQ(grid->GetCells(1, 1), "keep");
  GridWorkbook::CreateServer = [] { return std::unique_ptr<TSpreadsheetServer>(); };
  try {
    grid->LoadFromXLS("book.xlsx");
    FAIL();
  } catch (const EGridViewError& e) {
    EXPECT_EQ(std::string(e.what()), "Excel OLE server not found");
  }
}

TEST_F(GridWorkbookTest, OfficeSuiteReadsAWorkbook) {
  GridWorkbook::CreateServer = saved;
  const QString soffice = QStandardPaths::findExecutable("soffice");
  if (soffice.isEmpty()) GTEST_SKIP() << "no office suite installed";
  QTemporaryDir dir;
  const std::string csv = dir.filePath("book.csv").toStdString();
  std::ofstream(csv) << "name,value\n\"Smith, Jo\",12\n";
  QProcess p;
  p.start(soffice, {"--headless", "--norestore", "-env:UserInstallation=file://" + dir.filePath("profile"),
                    "--convert-to", "xlsx", "--outdir", dir.path(), QString::fromStdString(csv)});
  ASSERT_TRUE(p.waitForFinished(180000));
  const std::string xlsx = dir.filePath("book.xlsx").toStdString();
  if (!QFileInfo::exists(QString::fromStdString(xlsx))) GTEST_SKIP() << "the office suite wrote no workbook";
  grid->LoadFromXLS(xlsx);
  EXPECT_EQ(grid->GetColCount(), 3);
  EXPECT_EQ(grid->GetRowCount(), 3);
  EXPECT_EQ(grid->GetCells(1, 2), "Smith, Jo");
  EXPECT_EQ(grid->GetCells(2, 2), "12");
}

TEST(GridWorkbookFuzz, DamagedSheetTextsAndAddressesAreReadSafely) {
  const std::string cases[] = {std::string(), "\"", "\"\"\"", ",,,\n\r\n", std::string(1, '\0'), "$:$", "$$$$",
                               "$ZZZZZZZZZZZZ$1", "$A$99999999999999", "A1:", ":B2", std::string(4000, '"')};
  for (const std::string& c : cases)
    EXPECT_EQ(GridWorkbookFuzzInput(reinterpret_cast<const uint8_t*>(c.data()), c.size()), 0) << c;
}

}  // namespace GridWorkbookTests
