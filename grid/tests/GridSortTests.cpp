// Sorting: the styles as one table, the frame around the quick sorts, the
// header click and the unsorted positions that lead back to each row.

#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

#include <algorithm>

namespace GridSortTests {

class GridSortTest : public UiTest {
 protected:
  GridSortTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 480, 380);
    grid->SortSettings()->Show = true;
  }
  void Fill(const std::vector<std::string>& Texts, int Col = 1) {
    grid->SetColCount(std::max(grid->GetColCount(), Col + 2));
    grid->SetRowCount(static_cast<int>(Texts.size()) + 1);
    for (size_t i = 0; i < Texts.size(); ++i) {
      grid->SetCells(Col, static_cast<int>(i) + 1, Texts[i]);
      grid->SetCells(0, static_cast<int>(i) + 1, std::to_string(i));  // the original position
    }
  }
  std::vector<std::string> Column(int Col = 1) {
    std::vector<std::string> out;
    for (int r = 1; r < grid->GetRowCount(); ++r) out.push_back(grid->GetCells(Col, r));
    return out;
  }
  void Sort(int Col, TSortDirection Dir = sdAscending) {
    grid->SortSettings()->Column = Col;
    grid->SortSettings()->Direction = Dir;
    grid->SortByColumn();
  }
  // A left click on the header cell of a column.
  void ClickHeader(int Col, TShiftState Shift = {}) {
    const TRect r = grid->TBaseGrid::CellRect(Col, 0);
    grid->MouseDown(TMouseButton::mbLeft, Shift, r.Left + 5, r.Top + 5);
    grid->MouseUp(TMouseButton::mbLeft, Shift, r.Left + 5, r.Top + 5);
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridSortTest, StylesOrderTheirTexts) {
  struct TCase {
    const char* Name;
    TSortStyle Style;
    std::vector<std::string> In, Want;
    TSortDirection Dir = sdAscending;
  } cases[] = {
      {"automatic numbers", TSortStyle::ssAutomatic, {"10", "9", "100", "-5", "2.5"}, {"-5", "2.5", "9", "10", "100"}},
      {"alphabetic in byte order", TSortStyle::ssAlphabetic, {"b", "B", "a", "A"}, {"A", "B", "a", "b"}},
      {"without case", TSortStyle::ssAlphaNoCase, {"b", "C", "a"}, {"a", "b", "C"}},
      {"locale aware", TSortStyle::ssAnsiAlphaCase, {"f", "\xC3\xA9", "e"}, {"e", "\xC3\xA9", "f"}},
      {"numeric, empty as 0", TSortStyle::ssNumeric, {"3", "", "-1"}, {"-1", "", "3"}},
      {"numeric, words after numbers", TSortStyle::ssNumeric, {"x", "7", "-2"}, {"-2", "7", "x"}},
      {"financial", TSortStyle::ssFinancial, {"1,000", "200", "3,000.5"}, {"200", "1,000", "3,000.5"}},
      {"EU dates", TSortStyle::ssShortDateEU, {"02/01/2001", "01/02/2001", "31/12/2000"},
       {"31/12/2000", "02/01/2001", "01/02/2001"}},
      {"US dates", TSortStyle::ssShortDateUS, {"02/01/2001", "01/02/2001", "12/31/2000"},
       {"12/31/2000", "01/02/2001", "02/01/2001"}},
      {"HTML without tags", TSortStyle::ssHTML, {"<b>c</b>", "<i>a</i>", "b"}, {"<i>a</i>", "b", "<b>c</b>"}},
      {"descending numbers", TSortStyle::ssNumeric, {"1", "3", "2"}, {"3", "2", "1"}, sdDescending},
  };
  for (const TCase& c : cases) {
    TSortStyle style = c.Style;
    grid->OnGetFormat = [&](TObject*, int, TSortStyle& S, std::string&, std::string&) { S = style; };
    Fill(c.In);
    Sort(1, c.Dir);
    EXPECT_EQ(Column(), c.Want) << c.Name;
  }
}

TEST_F(GridSortTest, NumbersWithAPrefixSortByValue) {
  grid->OnGetFormat = [](TObject*, int, TSortStyle& S, std::string& P, std::string&) {
    S = TSortStyle::ssNumeric;
    P = "$";
  };
  Fill({"$100", "$20", "$3"});
  Sort(1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"$3", "$20", "$100"}));
}

TEST_F(GridSortTest, CheckBoxesCustomRawAndImages) {
  Fill({"", "", ""});
  grid->AddCellCheckBox(1, 1, true, false);
  grid->AddCellCheckBox(1, 2, false, false);
  grid->AddCellCheckBox(1, 3, true, false);
  Sort(1);  // automatic: a column of check boxes
  bool a = false, b = false, c = false;
  grid->GetCheckBoxState(1, 1, a);
  grid->GetCheckBoxState(1, 2, b);
  grid->GetCheckBoxState(1, 3, c);
  EXPECT_EQ(std::vector<bool>({a, b, c}), std::vector<bool>({false, true, true}));

  // Custom: by length; raw: by the original position in column 0, backwards.
  grid->OnGetFormat = [](TObject*, int, TSortStyle& S, std::string&, std::string&) { S = TSortStyle::ssCustom; };
  grid->OnCustomCompare = [](TObject*, const std::string& A, const std::string& B, int& R) {
    R = A.size() < B.size() ? -1 : A.size() > B.size() ? 1 : 0;
  };
  Fill({"ccc", "a", "bb"}, 2);
  Sort(2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"a", "bb", "ccc"}));
  grid->OnGetFormat = [](TObject*, int, TSortStyle& S, std::string&, std::string&) { S = TSortStyle::ssRaw; };
  grid->OnRawCompare = [&](TObject*, int, int R1, int R2, int& R) {
    const int a1 = std::stoi(grid->CellText(0, R1)), a2 = std::stoi(grid->CellText(0, R2));
    R = a1 > a2 ? -1 : a1 < a2 ? 1 : 0;
  };
  Sort(2);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"2", "1", "0"}));
}

TEST_F(GridSortTest, BlanksStayFirstOrLastInBothDirections) {
  grid->SortSettings()->IgnoreBlanks = true;
  for (TSortBlankPosition pos : {blFirst, blLast})
    for (TSortDirection dir : {sdAscending, sdDescending}) {
      grid->SortSettings()->BlankPos = pos;
      Fill({"b", "", "a", "", "c"});
      Sort(1, dir);
      const std::vector<std::string> got = Column();
      const std::vector<std::string> letters = dir == sdAscending ? std::vector<std::string>{"a", "b", "c"}
                                                                  : std::vector<std::string>{"c", "b", "a"};
      std::vector<std::string> want = pos == blFirst ? std::vector<std::string>{"", ""} : letters;
      const auto& rest = pos == blFirst ? letters : std::vector<std::string>{"", ""};
      want.insert(want.end(), rest.begin(), rest.end());
      EXPECT_EQ(got, want) << int(pos) << int(dir);
    }
}

TEST_F(GridSortTest, FullSortBreaksTiesWithTheNextColumns) {
  Fill({"1", "1", "0"});
  grid->SetCells(2, 1, "z");
  grid->SetCells(2, 2, "y");
  grid->SetCells(2, 3, "x");
  grid->SortSettings()->Full = true;
  Sort(1);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(GridSortTest, IndexSortUsesEachColumnsDirection) {
  Fill({"1", "2", "1", "2"});
  grid->SetColCount(4);
  const std::vector<std::string> second{"a", "b", "c", "d"};
  for (int r = 1; r <= 4; ++r) grid->SetCells(2, r, second[size_t(r - 1)]);
  grid->SortIndexes()->AddIndex(1, false);
  grid->SortIndexes()->AddIndex(2, true);
  grid->SortByIndexes();
  EXPECT_EQ(Column(1), (std::vector<std::string>{"2", "2", "1", "1"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"b", "d", "a", "c"}));
}

TEST_F(GridSortTest, MixedColumnIsOrderedConsistently) {
  // Numbers, a word and dates: the column is alphabetic as a whole.
  Fill({"10", "apple", "9", "1/2", "100", "Zoo"});
  Sort(1);
  std::vector<std::string> got = Column(), want = got;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);
}

TEST_F(GridSortTest, HeaderClicksFlipAndUndo) {
  grid->SortSettings()->UndoSort = true;
  Fill({"2", "3", "1"});
  ClickHeader(1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"1", "2", "3"}));
  ClickHeader(1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"3", "2", "1"}));
  ClickHeader(1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"2", "3", "1"}));
  EXPECT_EQ(grid->SortSettings()->Column, -1);
  ClickHeader(1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"1", "2", "3"}));
  // One data row: nothing happens.
  Fill({"x"});
  grid->SortSettings()->Column = 0;
  int clicks = 0;
  grid->OnClickSort = [&](TObject*, int) { ++clicks; };
  ClickHeader(1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(grid->SortSettings()->Column, 0);
}

TEST_F(GridSortTest, EmptyIndexRaisesAndChangesNothing) {
  Fill({"b", "a"});
  try {
    grid->SortByIndexes();
    ADD_FAILURE();
  } catch (const EGridViewError& e) {
    EXPECT_EQ(e.Message(), "No indexes specified for indexed sort");
  }
  EXPECT_EQ(Column(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(grid->GetRowCount(), 3);
}

TEST_F(GridSortTest, RaisingCompareLeavesNoScratchRowAndNoLock) {
  Fill({"b", "a", "c"});
  grid->SetColCount(6);
  grid->HideColumn(4);
  const int cols = grid->GetColCount();
  grid->OnGetFormat = [](TObject*, int, TSortStyle& S, std::string&, std::string&) { S = TSortStyle::ssCustom; };
  grid->OnCustomCompare = [](TObject*, const std::string&, const std::string&, int&) { throw Exception("no"); };
  EXPECT_THROW(Sort(1), Exception);
  EXPECT_EQ(grid->GetRowCount(), 4);
  EXPECT_EQ(grid->GetColCount(), cols);
  EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(GridSortTest, NoPaintDuringASortAndHiddenColumnsTravel) {
  Fill({"b", "c", "a"});
  grid->SetColCount(5);
  for (int r = 1; r <= 3; ++r) grid->SetCells(4, r, "h" + grid->GetCells(1, r));
  grid->HideColumn(4);
  int paintsDuring = -1;
  TBitmap b;
  grid->OnGetFormat = [&](TObject*, int, TSortStyle& S, std::string&, std::string&) {
    S = TSortStyle::ssAlphabetic;
    const int before = grid->PaintCount();
    grid->PaintTo(b);
    paintsDuring = grid->PaintCount() - before;
  };
  Sort(1);
  EXPECT_EQ(paintsDuring, 0);
  grid->UnHideColumn(4);
  EXPECT_EQ(Column(4), (std::vector<std::string>{"ha", "hb", "hc"}));
}

TEST_F(GridSortTest, UnsortedPositionsLeadBackAndForgetting) {
  Fill({"c", "a", "b"});
  Sort(1);
  // Column 0 holds each row's original position (0-based data index).
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(grid->UnsortedRowIndex(r), std::stoi(grid->GetCells(0, r)) + 1) << r;
  for (int before = 1; before <= 3; ++before)
    EXPECT_EQ(std::stoi(grid->GetCells(0, grid->DisplayedRowIndex(before))), before - 1);
  grid->RestoreUnsortedOrder();
  EXPECT_EQ(Column(), (std::vector<std::string>{"c", "a", "b"}));
  // After a sort, forgetting it makes the rows as they are the unsorted order.
  Sort(1);
  grid->ForgetSortOrder();
  EXPECT_EQ(grid->SortSettings()->Column, -1);
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(grid->UnsortedRowIndex(r), r);
    EXPECT_EQ(grid->DisplayedRowIndex(r), r);
  }
}

}  // namespace GridSortTests
