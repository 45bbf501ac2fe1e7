#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

#include <filesystem>
#include <fstream>

#define LLVMFuzzerTestOneInput GridCsvFuzzInput
#include "fuzz/grid_csv_fuzz.cpp"
#undef LLVMFuzzerTestOneInput
#define LLVMFuzzerTestOneInput GridPasteFuzzInput
#include "fuzz/grid_paste_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

namespace GridImportTests {

namespace {
// A grid that records the row count each time a cell is stored.
class TRecordingGrid : public TGridView {
 public:
  using TGridView::TGridView;
  void StoreCellText(int ACol, int ARow, const std::string& Value) override {
    Counts.push_back(GetRowCount());
    TGridView::StoreCellText(ACol, ARow, Value);
  }
  std::vector<int> Counts;
};
}  // namespace

class GridImportTest : public UiTest {
 protected:
  GridImportTest() {
    form = Application->CreateForm<TForm>();
    grid = Create<TRecordingGrid>(form);
    grid->SetParent(form);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    path = (std::filesystem::temp_directory_path() / ("kv_csv_" + std::to_string(::getpid()) + ".csv")).string();
  }
  ~GridImportTest() override { std::filesystem::remove(path); }
  void Write(const std::string& Text) { std::ofstream(path, std::ios::binary) << Text; }
  std::vector<std::string> Row(int r) {
    std::vector<std::string> v;
    for (int c = 1; c < grid->GetColCount(); ++c) v.push_back(grid->GetCells(c, r));
    return v;
  }
  using V = std::vector<std::string>;
  TForm* form = nullptr;
  TRecordingGrid* grid = nullptr;
  std::string path;
};

TEST_F(GridImportTest, SplitsFieldsAndDetectsTheDelimiter) {
  struct Case {
    std::string file;
    V row1, row2;
  } cases[] = {
      // equal counts in both lines: the larger count wins
      {"a,b;c;d;e\r\nf,g;h;i;j\r\n", {"a,b", "c", "d", "e"}, {"f,g", "h", "i", "j"}},
      // the second line has fewer semicolons: "," is the one both agree on
      {"a,b;c;d;e\r\nf,g;h;i\r\n", {"a", "b;c;d;e"}, {"f", "g;h;i"}},
      // a run of two delimiters is an empty field
      {"1;;3\n4;;6\n", {"1", "", "3"}, {"4", "", "6"}},
      // doubled quotes, the delimiter inside quotes, a trailing delimiter
      {"\"Smith, \"\"Jo\"\"\",2,\n3,4,\n", {"Smith, \"Jo\"", "2"}, {"3", "4"}},
      // no candidate at all: one field per line
      {"alpha beta\n", {"alpha beta"}, {}},
      // quotes inside an unquoted field stay; an unterminated quote keeps the rest
      {"5\" disk,x\n\"open end,y\n", {"5\" disk", "x"}, {"open end,y"}},
      // tab-separated, a quoted field holding the delimiter
      {"a\t\"l1\tl2\"\nb\tc\n", {"a", "l1\tl2"}, {"b", "c"}},
  };
  for (const Case& k : cases) {
    grid->SetColCount(2);
    grid->SetRowCount(2);
    Write(k.file);
    grid->LoadFromCSV(path);
    V r1 = Row(1), r2 = grid->GetRowCount() > 2 ? Row(2) : V{};
    r1.resize(k.row1.size());
    if (!k.row2.empty()) r2.resize(k.row2.size());
    EXPECT_EQ(r1, k.row1) << k.file;
    EXPECT_EQ(r2, k.row2) << k.file;
    EXPECT_EQ(grid->Delimiter, 0);
  }
}

TEST_F(GridImportTest, TildeLineBreaksAndOemText) {
  grid->TildeLineBreaks = true;
  grid->OemConvert = true;
  Write("a~b,\x81\xE1\n");
  grid->LoadFromCSV(path);
  EXPECT_EQ(Row(1), (V{"a\r\nb", "\xC3\xBC\xC3\x9F"}));
}

TEST_F(GridImportTest, GrowsInStepsAndEndsWithTheExactCount) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += std::to_string(i) + ";x\n";
  Write(text);
  grid->LoadFromCSV(path);
  EXPECT_EQ(grid->GetRowCount(), 1 + 2500);
  EXPECT_EQ(grid->GetCells(1, 2500), "2499");
  std::vector<int> seen(grid->Counts);
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  // The three starting rows, then steps of 1000 rows from where the rows ran out.
  EXPECT_EQ(seen, (std::vector<int>{3, 1003, 2003, 3003}));

  // With a progress handler the count is set once, beforehand.
  std::vector<int> progress;
  grid->OnFileProgress = [&](TObject*, int16_t P) { progress.push_back(P); };
  grid->Counts.clear();
  grid->LoadFromCSV(path);
  seen = grid->Counts;
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(seen, (std::vector<int>{2501}));
  EXPECT_EQ(progress.size(), 101u);  // 0 .. 100, each once
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(grid->GetRowCount(), 2501);
}

TEST_F(GridImportTest, ReplacesTheDataOrAppends) {
  grid->SetColCount(5);
  grid->SetRowCount(5);
  for (int r = 1; r < 5; ++r)
    for (int c = 1; c < 5; ++c) grid->SetCells(c, r, "old");
  Write("a,b\n");
  grid->LoadFromCSV(path);
  EXPECT_EQ(grid->GetRowCount(), 2);
  EXPECT_EQ(Row(1), (V{"a", "b", "", ""}));  // no cell of the earlier data stays
  grid->SetRowCount(5);
  EXPECT_EQ(Row(3), (V{"", "", "", ""}));
  grid->SetRowCount(2);
  Write("c,d,e,f,g,h\n");
  grid->LoadCSVFile(path, true);
  EXPECT_EQ(grid->GetRowCount(), 3);
  EXPECT_EQ(grid->GetColCount(), 7);  // grown before the fields past the last column
  EXPECT_EQ(Row(2), (V{"c", "d", "e", "f", "g", "h"}));
}

TEST_F(GridImportTest, FooterRowStaysLast) {
  grid->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
  grid->FloatingFooter()->SetVisible(true);
  grid->SetRowCount(3);
  grid->SetCells(1, 1, "data");
  grid->SetCells(1, 2, "total");
  Write("x\ny\n");
  grid->LoadCSVFile(path, true);
  ASSERT_EQ(grid->GetRowCount(), 5);
  EXPECT_EQ(grid->GetCells(1, 1), "data");
  EXPECT_EQ(grid->GetCells(1, 2), "x");
  EXPECT_EQ(grid->GetCells(1, 3), "y");
  EXPECT_EQ(grid->GetCells(1, 4), "total");
}

TEST_F(GridImportTest, MissingFileRaisesAndChangesNothing) {
  grid->SetCells(1, 1, "keep");
  const std::string missing = path + ".none";
  try {
    grid->LoadFromCSV(missing);
    FAIL() << "no error";
  } catch (const EGridViewError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
  }
  EXPECT_EQ(grid->GetCells(1, 1), "keep");
  EXPECT_EQ(grid->GetRowCount(), 3);
}

TEST(GridImportFuzz, DamagedFilesAndClipboardTextsAreReadSafely) {
  const std::string cases[] = {
      std::string(),
      std::string("\""),
      std::string("\"\"\""),
      std::string("\"a\"b\"c,\"\n"),
      std::string(1, '\0'),
      std::string("\r\r\n\n\r"),
      std::string(",,,,\n;;;;\n"),
      std::string("\xff\xfe\x80\x81", 4),
      std::string(5000, ','),
      std::string(3000, '\n'),
      std::string("\t\t\"\r\n\"\t"),
      std::string("|\\\x01"),
      std::string("~~~|||###"),
  };
  for (const std::string& c : cases) {
    const auto* d = reinterpret_cast<const uint8_t*>(c.data());
    EXPECT_EQ(GridCsvFuzzInput(d, c.size()), 0) << c.size();
    EXPECT_EQ(GridPasteFuzzInput(d, c.size()), 0) << c.size();
  }
}

}  // namespace GridImportTests
