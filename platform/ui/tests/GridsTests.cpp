#include "platform/ui/Grids.h"
#include "platform/ui/Themes.h"
#include "platform/ui/tests/UiFixture.h"

#include <QColor>
#include <QImage>

#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace GridsTests {

namespace {

// Records every DrawCell call of a paint.
class TCountingGrid : public TCustomGrid {
 public:
  using TCustomGrid::TCustomGrid;
  std::vector<std::pair<int, int>> Drawn;
  std::map<std::pair<int, int>, TRect> Rects;
  std::vector<std::tuple<int, int, int>> SizeVetoAsked;
  bool AllowSizing = true;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override {
    Drawn.emplace_back(ACol, ARow);
    Rects[{ACol, ARow}] = Rect;
    TCustomGrid::DrawCell(ACol, ARow, Rect, State);
  }
  bool CanSizeBorder(int X, int Y, bool IsColumn, int Index) override {
    SizeVetoAsked.emplace_back(X, Y, IsColumn ? Index : -Index - 1);
    return AllowSizing;
  }
};

class TMark : public TObject {};

}  // namespace

class GridsTest : public UiTest {
 protected:
  GridsTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 400, 300);
  }
  template <class T>
  T* MakeGrid(int W = 200, int H = 100) {
    T* g = Create<T>(form);
    g->SetParent(form);
    g->SetScrollBars(TScrollStyle::ssNone);
    g->SetBounds(0, 0, W, H);
    g->SetDefaultColWidth(40);
    g->SetDefaultRowHeight(20);
    return g;
  }
  TForm* form;
};

TEST_F(GridsTest, CellsBeyondAShrunkColCountSurviveWhileShrunkRowsAreCleared) {
  auto* g = MakeGrid<TStringGrid>();
  g->SetColCount(6);
  g->SetRowCount(4);
  TMark mark;
  g->SetCells(5, 2, "hidden");
  g->SetObjects(5, 2, &mark);
  g->SetCells(1, 3, "last row");
  g->SetColCount(3);
  g->SetRowCount(3);
  EXPECT_EQ(g->GetCells(5, 2), "hidden");
  EXPECT_EQ(g->GetObjects(5, 2), &mark);
  EXPECT_EQ(g->StoredColCount(2), 6);
  g->SetRowCount(4);
  EXPECT_EQ(g->GetCells(1, 3), "");
  g->SetColCount(6);
  EXPECT_EQ(g->GetCells(5, 2), "hidden");
}

TEST_F(GridsTest, MovesAndRowListsCarryObjectsWithoutFreeingThem) {
  auto* g = MakeGrid<TStringGrid>();
  g->SetColCount(4);
  g->SetRowCount(4);
  TMark a, b;
  g->SetCells(1, 1, "a");
  g->SetObjects(1, 1, &a);
  g->SetCells(2, 2, "b");
  g->SetObjects(2, 2, &b);
  g->SetRowHeights(1, 33);
  g->MoveRow(1, 3);
  EXPECT_EQ(g->GetCells(1, 3), "a");
  EXPECT_EQ(g->GetObjects(1, 3), &a);
  EXPECT_EQ(g->GetRowHeights(3), 33);
  EXPECT_EQ(g->GetCells(2, 1), "b");  // row 2 moved up by one
  g->MoveColumn(2, 0);
  EXPECT_EQ(g->GetObjects(0, 1), &b);
  EXPECT_EQ(g->Rows(1)->Objects(0), &b);
  EXPECT_EQ(g->Cols(0)->Get(1), "b");
  g->Cols(3)->Put(0, "via column");
  EXPECT_EQ(g->GetCells(3, 0), "via column");
}

TEST_F(GridsTest, CellRectAndMouseToCellAgreeAndOffScreenCellsAreEmpty) {
  auto* g = MakeGrid<TCustomGrid>(200, 100);  // 40 + 1 per column, 20 + 1 per row
  g->SetColCount(10);
  g->SetRowCount(10);
  EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 40, 20));
  EXPECT_EQ(g->CellRect(2, 1), Rect(82, 21, 122, 41));
  EXPECT_TRUE(g->CellRect(9, 1).IsEmpty());
  g->SetLeftCol(3);
  EXPECT_EQ(g->CellRect(3, 1), Rect(41, 21, 81, 41));
  EXPECT_TRUE(g->CellRect(2, 1).IsEmpty());
  struct Case { int X, Y, Col, Row; };
  for (const Case& c : {Case{0, 0, 0, 0}, Case{40, 20, 0, 0}, Case{41, 21, 3, 1}, Case{85, 45, 4, 2},
                        Case{-1, 5, -1, -1}, Case{199, 99, 6, 4}}) {
    int col = 0, row = 0;
    g->MouseToCell(c.X, c.Y, col, row);
    EXPECT_EQ(col, c.Col) << c.X << "," << c.Y;
    EXPECT_EQ(row, c.Row) << c.X << "," << c.Y;
  }
}

TEST_F(GridsTest, ScrollPositionsRunOverZeroTo127Proportionally) {
  auto* g = MakeGrid<TCustomGrid>(200, 100);
  g->SetRowCount(1001);  // 1 fixed + 1000 rows; 3 rows of 21 fit below the fixed row of 21
  const int maxTop = g->MaxTopRow();
  EXPECT_EQ(maxTop, 1001 - 3);
  struct Case { int Pos; };
  for (int pos : {0, 1, 64, 100, 127}) {
    g->ScrollToPosition(TScrollBarKind::sbVertical, pos);
    const int expected = 1 + static_cast<int>(std::lround(pos * double(maxTop - 1) / 127.0));
    EXPECT_EQ(g->GetTopRow(), expected) << pos;
    EXPECT_EQ(g->ScrollPosition(TScrollBarKind::sbVertical), pos) << pos;
  }
  g->ScrollToPosition(TScrollBarKind::sbVertical, 500);
  EXPECT_EQ(g->GetTopRow(), maxTop);
}

TEST_F(GridsTest, SelectCellVetoKeepsTheCurrentCell) {
  auto* g = MakeGrid<TCustomGrid>();
  std::vector<std::pair<int, int>> asked;
  g->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
    asked.emplace_back(c, r);
    can = r != 3;
  };
  g->SetRow(2);
  EXPECT_EQ(g->GetRow(), 2);
  g->SetRow(3);
  EXPECT_EQ(g->GetRow(), 2);
  uint16_t key = VK_DOWN;
  g->KeyDown(key, {});
  EXPECT_EQ(g->GetRow(), 2);
  EXPECT_EQ(asked.back(), std::make_pair(1, 3));
}

TEST_F(GridsTest, KeysMoveTheCurrentCellAsTabled) {
  auto* g = MakeGrid<TCustomGrid>(200, 100);
  g->SetColCount(6);
  g->SetRowCount(20);
  g->SetOptions(g->GetOptions() + goTabs);
  const int page = g->VisibleRowCount();
  struct Case { uint16_t Key; TShiftState Shift; int StartCol, StartRow, Col, Row; };
  const TShiftState none, shift{TShiftStateItem::ssShift}, ctrl{TShiftStateItem::ssCtrl};
  for (const Case& c : {Case{VK_DOWN, none, 2, 2, 2, 3}, Case{VK_UP, none, 2, 2, 2, 1}, Case{VK_UP, none, 2, 1, 2, 1},
                        Case{VK_RIGHT, none, 2, 2, 3, 2}, Case{VK_LEFT, none, 1, 2, 1, 2},
                        Case{VK_HOME, none, 4, 5, 1, 5}, Case{VK_END, none, 2, 5, 5, 5},
                        Case{VK_HOME, ctrl, 4, 5, 1, 1}, Case{VK_END, ctrl, 2, 5, 5, 19},
                        Case{VK_NEXT, none, 2, 2, 2, 2 + page}, Case{VK_PRIOR, none, 2, 10, 2, 10 - page},
                        Case{VK_TAB, none, 5, 2, 1, 3}, Case{VK_TAB, shift, 1, 3, 5, 2},
                        Case{VK_TAB, none, 5, 19, 1, 1}}) {
    g->MoveColRow(c.StartCol, c.StartRow, true, true);
    uint16_t key = c.Key;
    g->KeyDown(key, c.Shift);
    EXPECT_EQ(g->GetCol(), c.Col) << c.Key << " from " << c.StartCol << "," << c.StartRow;
    EXPECT_EQ(g->GetRow(), c.Row) << c.Key << " from " << c.StartCol << "," << c.StartRow;
    EXPECT_EQ(key, 0);
  }
  // Shift+arrow extends the selection from the anchor.
  g->MoveColRow(2, 2, true, true);
  uint16_t key = VK_DOWN;
  g->KeyDown(key, shift);
  key = VK_RIGHT;
  g->KeyDown(key, shift);
  EXPECT_EQ(g->GetSelection(), (TGridRect{2, 2, 3, 3}));
  // Without goTabs Tab stays with the form.
  g->SetOptions(g->GetOptions() - goTabs);
  key = VK_TAB;
  g->KeyDown(key, none);
  EXPECT_EQ(key, VK_TAB);
}

TEST_F(GridsTest, MouseSelectsExtendsSizesWithVetoAndMovesColumns) {
  auto* g = MakeGrid<TCountingGrid>(300, 150);
  g->SetColCount(6);
  g->SetRowCount(6);
  g->SetOptions(g->GetOptions() + goColSizing + goColMoving);
  g->MouseDown(TMouseButton::mbLeft, {}, 90, 50);  // column 2, row 2
  g->MouseMove({}, 140, 75);                         // column 3, row 3
  g->MouseUp(TMouseButton::mbLeft, {}, 140, 75);
  EXPECT_EQ(g->GetSelection(), (TGridRect{2, 2, 3, 3}));
  g->MouseDown(TMouseButton::mbLeft, {TShiftStateItem::ssShift}, 180, 95);  // column 4, row 4
  g->MouseUp(TMouseButton::mbLeft, {}, 180, 95);
  EXPECT_EQ(g->GetSelection(), (TGridRect{2, 2, 4, 4}));
  // Border of column 1 in the fixed row: right edge at 81.
  g->MouseDown(TMouseButton::mbLeft, {}, 82, 5);
  ASSERT_EQ(g->GetGridState(), TGridState::gsColSizing);
  // The sizing line is XOR-drawn on the shown picture, outside Paint, and
  // taken away again when it moves on.
  TBitmap shown;
  g->PaintTo(shown);
  const TColor before = g->GetCanvas()->GetPixel(111, 100);
  g->MouseMove({}, 111, 5);
  EXPECT_NE(g->GetCanvas()->GetPixel(111, 100), before);
  g->MouseMove({}, 112, 5);
  EXPECT_EQ(g->GetCanvas()->GetPixel(111, 100), before);
  g->MouseMove({}, 111, 5);
  g->MouseUp(TMouseButton::mbLeft, {}, 111, 5);
  EXPECT_EQ(g->GetColWidths(1), 70);
  ASSERT_FALSE(g->SizeVetoAsked.empty());
  EXPECT_EQ(std::get<2>(g->SizeVetoAsked.back()), 1);
  g->AllowSizing = false;
  g->MouseDown(TMouseButton::mbLeft, {}, 112, 5);
  EXPECT_NE(g->GetGridState(), TGridState::gsColSizing);
  g->MouseUp(TMouseButton::mbLeft, {}, 112, 5);
  EXPECT_EQ(g->GetColWidths(1), 70);
  // Dragging fixed-row cell of column 2 onto column 4 moves the column.
  std::pair<int, int> moved{-1, -1};
  g->OnColumnMoved = [&](TObject*, int from, int to) { moved = {from, to}; };
  const TRect c2 = g->CellRect(2, 0), c4 = g->CellRect(4, 0);
  g->MouseDown(TMouseButton::mbLeft, {}, c2.Left + 10, 5);
  g->MouseMove({}, c4.Left + 10, 5);
  g->MouseUp(TMouseButton::mbLeft, {}, c4.Left + 10, 5);
  EXPECT_EQ(moved, std::make_pair(2, 4));
}

TEST_F(GridsTest, WheelMovesTheRowByOne) {
  auto* g = MakeGrid<TCustomGrid>();
  g->SetRowCount(10);
  g->SetRow(4);
  g->DoMouseWheelDown({}, Point(5, 5));
  EXPECT_EQ(g->GetRow(), 5);
  g->DoMouseWheelUp({}, Point(5, 5));
  g->DoMouseWheelUp({}, Point(5, 5));
  EXPECT_EQ(g->GetRow(), 3);
}

TEST_F(GridsTest, TypedTextReachesTheCellOnEveryChange) {
  auto* g = MakeGrid<TStringGrid>();
  g->SetOptions(g->GetOptions() + goEditing);
  g->SetCells(1, 1, "old");
  std::vector<std::string> seen;
  g->OnSetEditText = [&](TObject*, int, int, const std::string& v) { seen.push_back(v); };
  TKeyChar ch = u'4';
  g->KeyPress(ch);  // a typed character opens the editor with that character
  ASSERT_TRUE(g->GetEditorMode());
  TInplaceEdit* e = g->GetInplaceEditor();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(g->GetCells(1, 1), "4");
  ch = u'2';
  e->KeyPress(ch);
  EXPECT_EQ(g->GetCells(1, 1), "42");
  ch = 8;
  e->KeyPress(ch);
  EXPECT_EQ(g->GetCells(1, 1), "4");
  EXPECT_EQ(seen, (std::vector<std::string>{"4", "42", "4"}));
  // Down goes to the grid: the editor closes and the row moves.
  uint16_t key = VK_DOWN;
  e->KeyDown(key, {});
  EXPECT_EQ(g->GetRow(), 2);
  EXPECT_FALSE(g->GetEditorMode());
  // F2 opens the editor on the cell's text with all selected; Escape closes it.
  g->SetCells(1, 2, "abc");
  key = VK_F2;
  g->KeyDown(key, {});
  ASSERT_TRUE(g->GetEditorMode());
  EXPECT_EQ(e->GetText(), "abc");
  EXPECT_EQ(e->GetSelLength(), 3);
  ch = 27;
  e->KeyPress(ch);
  EXPECT_FALSE(g->GetEditorMode());
}

TEST_F(GridsTest, InplaceEditKeepsLimitPasswordSelectionAndLines) {
  auto* g = MakeGrid<TStringGrid>();
  g->SetOptions(g->GetOptions() + goEditing);
  g->ShowEditor();
  TInplaceEdit* e = g->GetInplaceEditor();
  ASSERT_NE(e, nullptr);
  e->SetMaxLength(5);
  e->SetSelText("1234567");
  EXPECT_EQ(e->GetText(), "12345");
  e->SetSelStart(1);
  e->SetSelLength(2);
  EXPECT_EQ(e->GetSelText(), "23");
  TKeyChar ch = u'x';
  e->KeyPress(ch);
  EXPECT_EQ(e->GetText(), "1x45");
  EXPECT_EQ(e->GetCaretPos(), 2);
  uint16_t key = VK_HOME;
  e->KeyDown(key, {TShiftStateItem::ssShift});
  EXPECT_EQ(e->GetSelText(), "1x");
  e->PasswordChar = '*';
  EXPECT_EQ(e->DisplayText(), "****");
  e->SetMaxLength(0);
  e->SetText("a");
  ch = u'\r';
  e->KeyPress(ch);  // single line: Enter goes to the grid and closes the editor
  EXPECT_FALSE(g->GetEditorMode());
  g->ShowEditor();
  e->MultiLine = true;
  e->WantReturns = true;
  e->SetText("a");
  ch = u'\r';
  e->KeyPress(ch);
  ch = u'b';
  e->KeyPress(ch);
  EXPECT_EQ(e->GetText(), "a\r\nb");
  e->SetText("é€");
  EXPECT_EQ(e->GetSelStart(), 2);
}

TEST_F(GridsTest, PaintDrawsEveryVisibleCellOnceAndTheFixedBandStays) {
  auto* g = MakeGrid<TCountingGrid>(200, 100);
  g->SetColCount(20);
  g->SetRowCount(30);
  TBitmap bmp;
  g->PaintTo(bmp);
  // Columns: 0 fixed at 0..40, then 1.. at 41, 82, 123, 164 (partly); rows likewise at 0, 21, 42, 63, 84.
  std::set<std::pair<int, int>> expected;
  for (int c : {0, 1, 2, 3, 4})
    for (int r : {0, 1, 2, 3, 4}) expected.insert({c, r});
  EXPECT_EQ((std::set<std::pair<int, int>>(g->Drawn.begin(), g->Drawn.end())), expected);
  EXPECT_EQ(g->Drawn.size(), expected.size());
  g->Drawn.clear();
  g->SetLeftCol(10);
  g->SetTopRow(12);
  g->PaintTo(bmp);
  std::set<std::pair<int, int>> scrolled;
  for (int c : {0, 10, 11, 12, 13})
    for (int r : {0, 12, 13, 14, 15}) scrolled.insert({c, r});
  EXPECT_EQ((std::set<std::pair<int, int>>(g->Drawn.begin(), g->Drawn.end())), scrolled);
  EXPECT_EQ((g->Rects[{0, 0}]), Rect(0, 0, 40, 20));
  EXPECT_EQ((g->Rects[{10, 0}]), Rect(41, 0, 81, 20));
  EXPECT_EQ((g->Rects[{0, 12}]), Rect(0, 21, 40, 41));
  // Fixed cells in the fixed colour, the area beyond the cells in Color.
  g->SetColCount(3);
  g->SetRowCount(3);
  g->SetColor(clWhite);
  g->SetFixedColor(clRed);
  g->PaintTo(bmp);
  EXPECT_EQ(bmp.GetPixelColor(10, 10), clRed);
  EXPECT_EQ(bmp.GetPixelColor(190, 90), clWhite);
}

TEST_F(GridsTest, AHundredThousandRowsCostOnlyTheirCount) {
  auto* g = MakeGrid<TCountingGrid>(200, 100);
  g->SetRowCount(100001);
  g->SetRow(100000);
  EXPECT_EQ(g->GetTopRow(), g->MaxTopRow());
  TBitmap bmp;
  g->PaintTo(bmp);
  EXPECT_LE(g->Drawn.size(), 30u);
  EXPECT_EQ(g->ScrollPosition(TScrollBarKind::sbVertical), 127);
}

TEST_F(GridsTest, ThemedAndClassicCheckBoxesPaintTheirStates) {
  auto paint = [](bool themed, bool checked) {
    TBitmap b(20, 20);
    b.GetCanvas()->Brush->SetColor(clWhite);
    b.GetCanvas()->FillRect(Rect(0, 0, 20, 20));
    const Themes::TThemedState st = checked ? Themes::TThemedState{Themes::tsChecked} : Themes::TThemedState{};
    if (themed) Themes::DrawThemedPart(*b.GetCanvas(), Themes::tpCheckBox, st, Rect(2, 2, 15, 15));
    else Themes::DrawClassicPart(*b.GetCanvas(), Themes::tpCheckBox, st, Rect(2, 2, 15, 15));
    return b.Image().copy();
  };
  for (bool themed : {false, true}) {
    const QImage on = paint(themed, true), off = paint(themed, false);
    EXPECT_NE(on, off) << themed;
    // Nothing outside the part's rectangle.
    EXPECT_EQ(QColor(on.pixel(18, 18)), QColor(Qt::white)) << themed;
    EXPECT_EQ(QColor(on.pixel(0, 0)), QColor(Qt::white)) << themed;
  }
  // The classic box: window-coloured face, a dark mark in the middle when checked.
  const QImage classicOn = paint(false, true), classicOff = paint(false, false);
  EXPECT_LT(QColor(classicOn.pixel(8, 8)).lightness(), 100);
  EXPECT_GT(QColor(classicOff.pixel(8, 8)).lightness(), 200);
  Themes::SetThemesActive(false);
  EXPECT_FALSE(Themes::ThemesActive());
  Themes::SetThemesActive(true);
}

TEST_F(GridsTest, InplaceEditShowsItsSelectionHighlighted) {
  auto* g = MakeGrid<TStringGrid>(300, 100);
  g->SetDefaultColWidth(120);
  g->SetOptions(g->GetOptions() + goEditing);
  g->SetCells(1, 1, "abcdef");
  g->ShowEditor();
  TInplaceEdit* e = g->GetInplaceEditor();
  ASSERT_NE(e, nullptr);
  auto highlighted = [&] {
    TBitmap b;
    e->PaintTo(b);
    int n = 0;
    for (int y = 0; y < b.GetHeight(); ++y)
      for (int x = 0; x < b.GetWidth(); ++x) n += b.GetPixelColor(x, y) == ColorToRGB(clHighlight);
    return n;
  };
  const int all = highlighted();  // the editor opens with everything selected
  e->SetSelStart(0);
  e->SetSelLength(2);
  const int two = highlighted();
  e->SetSelLength(0);
  EXPECT_GT(all, two);
  EXPECT_GT(two, 0);
  EXPECT_EQ(highlighted(), 0);
}

TEST_F(GridsTest, ScrollBarsAppearWhenNeededAndScrollTheView) {
  auto* g = MakeGrid<TCustomGrid>(200, 100);
  g->SetColCount(4);  // 4 columns of 41 fit beside a vertical bar
  g->SetRowCount(3);
  g->SetScrollBars(TScrollStyle::ssBoth);
  EXPECT_EQ(g->GetScrollBar(TScrollBarKind::sbVertical), nullptr);
  EXPECT_EQ(g->GetClientWidth(), 200);
  g->SetRowCount(200);
  TScrollBar* v = g->GetScrollBar(TScrollBarKind::sbVertical);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(g->GetScrollBar(TScrollBarKind::sbHorizontal), nullptr);
  EXPECT_EQ(g->GetClientWidth(), 200 - TCustomGrid::ScrollBarSize);
  EXPECT_EQ(v->GetMax(), 127);
  int pos = 64;
  v->OnScroll(v, TScrollCode::scTrack, pos);
  EXPECT_EQ(g->GetTopRow(), static_cast<int>(std::lround(64 * double(g->MaxTopRow() - 1) / 127.0)) + 1);
  EXPECT_EQ(pos, 64);
  pos = 0;
  const int top = g->GetTopRow();
  v->OnScroll(v, TScrollCode::scLineDown, pos);
  EXPECT_EQ(g->GetTopRow(), top + 1);
  g->SetRow(199);
  EXPECT_EQ(v->GetPosition(), 127);
  g->SetColCount(5);  // 205 pixels no longer fit beside the vertical bar
  ASSERT_NE(g->GetScrollBar(TScrollBarKind::sbHorizontal), nullptr);
  EXPECT_EQ(g->GetClientHeight(), 100 - TCustomGrid::ScrollBarSize);
  g->SetScrollBars(TScrollStyle::ssNone);
  EXPECT_EQ(g->GetScrollBar(TScrollBarKind::sbVertical), nullptr);
  EXPECT_EQ(g->GetClientWidth(), 200);
}

}  // namespace GridsTests
