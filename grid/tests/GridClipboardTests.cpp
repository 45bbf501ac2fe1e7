#include "grid/GridUtil.h"
#include "grid/GridView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridClipboardTests {

namespace CF = ClipboardFormats;

class GridClipboardTest : public UiTest {
 protected:
  GridClipboardTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 480, 380);
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetOptions(grid->GetOptions() + goEditing);
  }
  void Select(int L, int T, int R, int B) { grid->SetSelection(TGridRect{L, T, R, B}); }
  std::string Copied() { return CF::GetFormat(CF::PlainText); }
  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridClipboardTest, CopyWritesTabsAndLineEnds) {
  grid->SetCells(1, 1, "a");
  grid->SetCells(2, 1, "b");
  grid->SetCells(1, 2, "c");
  grid->SetCells(2, 2, "d");
  struct Case {
    TGridRect sel;
    std::string text;
  } cases[] = {
      {{1, 1, 2, 2}, "a\tb\r\nc\td\r\n"},  // every row, the last included, ends in CR LF
      {{1, 1, 2, 1}, "a\tb"},              // one row: no line end
      {{1, 1, 1, 2}, "a\r\nc\r\n"},
      {{2, 2, 2, 2}, "d"},
  };
  for (const Case& k : cases) {
    grid->SetSelection(k.sel);
    grid->CopyToClipboard();
    EXPECT_EQ(Copied(), k.text) << k.sel.Left << "," << k.sel.Top;
  }
  EXPECT_EQ(grid->CopyOrigin().X, 2);
  EXPECT_EQ(grid->CopyOrigin().Y, 2);
}

TEST_F(GridClipboardTest, SpecialCharactersRoundTrip) {
  // Each text goes out as one field and comes back unchanged.
  struct Case {
    std::string cell, field;
  } cases[] = {
      {"one\r\ntwo", "\"one\ntwo\""},
      {"a\tb", "\"a\tb\""},
      {"5\" disk", "\"5\"\" disk\""},
      {"plain", "plain"},
  };
  for (const Case& k : cases) {
    grid->SetCells(1, 1, k.cell);
    grid->SetCells(2, 1, "x");
    Select(1, 1, 2, 1);
    grid->CopyToClipboard();
    EXPECT_EQ(Copied(), k.field + "\tx");
    grid->SetCells(1, 3, "");
    grid->SetCells(2, 3, "");
    EXPECT_EQ(grid->PasteText(1, 3, Copied()), 2);
    EXPECT_EQ(grid->GetCells(1, 3), k.cell);
    EXPECT_EQ(grid->GetCells(2, 3), "x");
  }
}

TEST_F(GridClipboardTest, WideCellsReachTheClipboardAsText) {
  grid->SetCellTextWide(1, 1, u"\u0416\u00e9");
  grid->SetCells(2, 1, "b");
  Select(1, 1, 2, 1);
  grid->CopyToClipboard();
  EXPECT_EQ(Copied(), "\xD0\x96\xC3\xA9\tb");
  EXPECT_EQ(grid->WideCells(1, 1), u"\u0416\u00e9");
  EXPECT_TRUE(grid->IsWideCell(1, 1));
  EXPECT_FALSE(grid->IsWideCell(2, 1));
}

TEST_F(GridClipboardTest, PasteCountsFieldsAndStaysInsideTheGrid) {
  struct Case {
    std::string text;
    bool colGrow, rowGrow;
    int result, cols, rows;
  } cases[] = {
      {"a\r\nb\r\n", true, true, 2, 4, 6},            // the trailing line end adds no field
      {"5\r\n", true, true, 1, 4, 6},
      {"a\tb\tc\td\te", true, true, 5, 6, 6},         // grows to column + 1 before writing
      {"a\tb\tc\td\te", false, true, 3, 4, 6},        // fields past the last column are dropped
      {"1\r\n2\r\n3\r\n4\r\n5", true, true, 5, 4, 7},
      {"1\r\n2\r\n3\r\n4\r\n5", true, false, 4, 4, 6},
      {"", true, true, 0, 4, 6},
  };
  for (const Case& k : cases) {
    grid->SetColCount(8);
    grid->SetRowCount(8);
    for (int c = 0; c < 8; ++c)
      for (int r = 0; r < 8; ++r) grid->SetRawCellText(c, r, "");
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->Navigation()->AllowClipboardColGrow = k.colGrow;
    grid->Navigation()->AllowClipboardRowGrow = k.rowGrow;
    EXPECT_EQ(grid->PasteText(1, 2, k.text), k.result) << k.text;
    EXPECT_EQ(grid->GetColCount(), k.cols) << k.text;
    EXPECT_EQ(grid->GetRowCount(), k.rows) << k.text;
  }
  // Nothing was written into storage beyond the last column.
  grid->SetColCount(4);
  grid->Navigation()->AllowClipboardColGrow = false;
  grid->PasteText(2, 1, "p\tq\tr");
  EXPECT_EQ(grid->GetCells(3, 1), "q");
  grid->SetColCount(5);
  EXPECT_EQ(grid->GetCells(4, 1), "");
}

TEST_F(GridClipboardTest, PasteSkipsReadOnlyCellsAndNeedsEditing) {
  grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& Can) { Can = !(ARow == 1 && ACol == 2); };
  grid->SetCells(2, 1, "keep");
  EXPECT_EQ(grid->PasteText(1, 1, "a\tb\tc"), 3);
  EXPECT_EQ(grid->GetCells(1, 1), "a");
  EXPECT_EQ(grid->GetCells(2, 1), "keep");
  EXPECT_EQ(grid->GetCells(3, 1), "c");
  grid->Navigation()->AllowClipboardAlways = true;
  grid->PasteText(1, 1, "a\tb");
  EXPECT_EQ(grid->GetCells(2, 1), "b");
  grid->Navigation()->AllowClipboardAlways = false;
  grid->SetOptions(grid->GetOptions() - goEditing);
  EXPECT_EQ(grid->PasteText(1, 1, "z"), 0);
  EXPECT_EQ(grid->GetCells(1, 1), "a");
  EXPECT_EQ(grid->PasteText(-1, 1, "z"), 0);
}

TEST_F(GridClipboardTest, PasteEventsAndNotify) {
  std::vector<std::string> seen;
  grid->OnClipboardBeforePasteCell = [&](TObject*, int ACol, int, std::string& V, bool& Allow) {
    seen.push_back(V);
    if (ACol == 2) Allow = false;
    V += "!";
  };
  TRect pasted;
  TPoint origin{9, 9};
  grid->OnPasteNotify = [&](TObject*, TPoint O, const TRect& R, bool) { origin = O, pasted = R; };
  grid->SetCells(1, 1, "src");
  Select(1, 1, 1, 1);
  grid->CopyToClipboard();
  grid->PasteText(1, 3, "a\tb\r\nc\td\r\n");
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(grid->GetCells(1, 3), "a!");
  EXPECT_EQ(grid->GetCells(2, 3), "");
  EXPECT_EQ(pasted, TRect(1, 3, 2, 4));
  EXPECT_EQ(origin, (TPoint{1, 1}));
}

TEST_F(GridClipboardTest, TextBlockSize) {
  struct Case {
    std::string text;
    int cols, rows;
  } cases[] = {{"a\tb\r\nc\td\r\n", 2, 2}, {"a\tb\tc", 3, 1}, {"a\r\nb\tc\td\r\n", 3, 2}, {"", 0, 0}, {"x", 1, 1}};
  for (const Case& k : cases) {
    const TPoint p = TGridView::TextBlockSize(k.text);
    EXPECT_EQ(p.X, k.cols) << k.text;
    EXPECT_EQ(p.Y, k.rows) << k.text;
  }
}

TEST_F(GridClipboardTest, SmartFillContinuesSeries) {
  grid->Navigation()->AllowSmartClipboard = true;
  grid->SetRowCount(8);
  auto column = [&](int from, int to) {
    std::vector<std::string> v;
    for (int r = from; r <= to; ++r) v.push_back(grid->GetCells(1, r));
    return v;
  };
  CF::SetFormats({{CF::PlainText, "1\r\n3\r\n"}});
  Select(1, 1, 1, 5);
  grid->PasteFromClipboard();
  EXPECT_EQ(column(1, 5), (std::vector<std::string>{"1", "3", "5", "7", "9"}));

  // A text block repeats with its own length.
  CF::SetFormats({{CF::PlainText, "x\r\ny\r\n"}});
  grid->PasteFromClipboard();
  EXPECT_EQ(column(1, 5), (std::vector<std::string>{"x", "y", "x", "y", "x"}));

  // One value fills the selection.
  CF::SetFormats({{CF::PlainText, "7\r\n"}});
  Select(1, 1, 2, 3);
  grid->PasteFromClipboard();
  for (int c = 1; c <= 2; ++c)
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(grid->GetCells(c, r), "7");

  // Month steps keep the day; the 31st of a 30-day month ends the fill.
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::Invariant();
  const std::string d1 = SysUtils::DateToStr(SysUtils::EncodeDate(2026, 1, 31));
  const std::string d2 = SysUtils::DateToStr(SysUtils::EncodeDate(2026, 3, 31));
  for (int r = 1; r <= 7; ++r) grid->SetCells(1, r, "");
  CF::SetFormats({{CF::PlainText, d1 + "\r\n" + d2 + "\r\n"}});
  Select(1, 1, 1, 7);
  grid->PasteFromClipboard();
  EXPECT_EQ(column(1, 7), (std::vector<std::string>{d1, d2, SysUtils::DateToStr(SysUtils::EncodeDate(2026, 5, 31)),
                                                    SysUtils::DateToStr(SysUtils::EncodeDate(2026, 7, 31)), "", "",
                                                    ""}));
  FormatSettings = saved;
}

TEST_F(GridClipboardTest, CutEmptiesOnlyEditableCells) {
  grid->OnCanEditCell = [](TObject*, int ARow, int ACol, bool& Can) { Can = !(ARow == 1 && ACol == 1); };
  grid->SetCells(1, 1, "a");
  grid->SetCells(2, 1, "b");
  Select(1, 1, 2, 1);
  grid->CutToClipboard();
  EXPECT_EQ(Copied(), "a\tb");
  EXPECT_FALSE(grid->LastOpCopy());
  EXPECT_EQ(grid->GetCells(1, 1), "a");
  EXPECT_EQ(grid->GetCells(2, 1), "");
}

TEST_F(GridClipboardTest, RichTextTravelsWithTheText) {
  grid->Navigation()->AllowRTFClipboard = true;
  const std::string rtf = "{\\rtf1\\ansi hello}";
  grid->SetCells(1, 1, rtf);
  Select(1, 1, 1, 1);
  grid->CopyToClipboard();
  EXPECT_EQ(CF::GetFormat(CF::RichText), rtf);
  EXPECT_EQ(Copied(), grid->RichTextToPlain(rtf));
  EXPECT_EQ(grid->PasteAt(2, 2), 0);
  EXPECT_EQ(grid->GetCells(2, 2), rtf);
}

}  // namespace GridClipboardTests
