// Columns and rows moved by the mouse (with the owner's veto and the drop
// feedback), fixed cells pressed as buttons, header drags that extend a row
// or column selection, fixed columns sized by the mouse, the select cursors
// and the cell hints the window asks for.

#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridMouseMoveTests {

class GridMoveTest : public UiTest {
 protected:
  GridMoveTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 700, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 680, 380);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    for (int c = 0; c < 6; ++c) {
      grid->SetColWidths(c, 60 + c * 5);
      grid->SetCells(c, 0, "H" + std::to_string(c));
      grid->SetCells(c, 1, "c" + std::to_string(c));
    }
    for (int r = 0; r < 6; ++r) {
      grid->SetRowHeights(r, 20 + r);
      grid->SetCells(0, r, "r" + std::to_string(r));
    }
  }
  TPoint At(int C, int R, int DX = 10, int DY = 8) {
    const TRect r = grid->TBaseGrid::CellRect(C, R);
    return TPoint{r.Left + DX, r.Top + DY};
  }
  // Press at From, move through To, release there.
  void Drag(TPoint From, TPoint To) {
    grid->MouseMove({}, From.X, From.Y);
    grid->MouseDown(TMouseButton::mbLeft, {}, From.X, From.Y);
    grid->MouseMove({}, (From.X + To.X) / 2, (From.Y + To.Y) / 2);
    grid->MouseMove({}, To.X, To.Y);
    grid->MouseUp(TMouseButton::mbLeft, {}, To.X, To.Y);
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridMoveTest, ColumnDroppedOnAnotherColumnCarriesCellsSortColumnAndCurrentColumn) {
  grid->SetOptions(grid->GetOptions() + goColMoving);
  for (bool enhanced : {true, false}) {
    SCOPED_TRACE(enhanced);
    for (int c = 0; c < 6; ++c) {
      grid->SetColWidths(c, 60 + c * 5);
      grid->SetCells(c, 1, "c" + std::to_string(c));
    }
    grid->EnhRowColMove = enhanced;
    grid->SortSettings()->Column = 2;
    grid->SetCol(2);
    grid->SetRow(3);
    bool feedbackShown = false;
    grid->OnColumnMove = [&](TObject*, int ACol, bool&) {
      EXPECT_EQ(ACol, 2);
      feedbackShown = feedbackShown || grid->PopupButton()->GetVisible();
    };
    int sorts = 0;
    grid->OnClickSort = [&](TObject*, int) { ++sorts; };
    Drag(At(2, 0), At(4, 0));
    EXPECT_EQ(grid->GetCells(4, 1), "c2");
    EXPECT_EQ(grid->GetCells(2, 1), "c3");
    EXPECT_EQ(grid->SortSettings()->Column, 4);
    EXPECT_EQ(grid->GetCol(), 4);
    EXPECT_EQ(grid->GetColWidths(4), enhanced ? 70 : 80);
    EXPECT_EQ(grid->MoveKind(), 0);
    EXPECT_FALSE(grid->PopupButton()->GetVisible());
    EXPECT_EQ(sorts, 0);  // a move is no header click
    EXPECT_EQ(feedbackShown, enhanced);  // the button follows the pointer from the second movement on
  }
}

TEST_F(GridMoveTest, OwnerVetoCancelsColumnAndRowMoves) {
  grid->SetOptions(grid->GetOptions() + goColMoving + goRowMoving);
  int asked = 0;
  grid->OnColumnMove = [&](TObject*, int, bool& Allow) {
    ++asked;
    Allow = false;
  };
  grid->OnRowMove = grid->OnColumnMove;
  Drag(At(2, 0), At(4, 0));
  EXPECT_EQ(grid->GetCells(2, 1), "c2");
  EXPECT_EQ(grid->GetCells(4, 1), "c4");
  Drag(At(0, 2), At(0, 4));
  EXPECT_EQ(grid->GetCells(0, 2), "r2");
  EXPECT_EQ(asked, 2);  // each move is refused at its first movement and ends there
  EXPECT_EQ(grid->MoveKind(), 0);
  EXPECT_FALSE(grid->PopupButton()->GetVisible());
}

TEST_F(GridMoveTest, RowDroppedOnAnotherRowCarriesItsHeightWithTheEnhancedMove) {
  grid->SetOptions(grid->GetOptions() + goRowMoving);
  struct TCase {
    bool Enhanced;
    int HeightAt4;
  } cases[] = {{true, 22}, {false, 24}};
  for (const TCase& c : cases) {
    for (int r = 0; r < 6; ++r) {
      grid->SetRowHeights(r, 20 + r);
      grid->SetCells(0, r, "r" + std::to_string(r));
    }
    grid->EnhRowColMove = c.Enhanced;
    Drag(At(0, 2), At(0, 4));
    EXPECT_EQ(grid->GetCells(0, 4), "r2") << c.Enhanced;
    EXPECT_EQ(grid->GetRowHeights(4), c.HeightAt4) << c.Enhanced;
  }
}

TEST_F(GridMoveTest, MovedColumnKeepsHiddenColumnsInTheirRealPlaces) {
  grid->SetOptions(grid->GetOptions() + goColMoving);
  grid->HideColumn(1);  // shown: c0 c2 c3 c4 c5
  Drag(At(1, 0), At(3, 0));  // c2 dropped where c4 was: c0 c3 c4 c2 c5
  std::vector<std::string> shown;
  for (int c = 0; c < grid->GetColCount(); ++c) shown.push_back(grid->GetCells(grid->RealColIndex(c), 1));
  EXPECT_EQ(shown, (std::vector<std::string>{"r1", "c3", "c4", "c2", "c5"}));
  grid->UnHideColumn(1);
  shown.clear();
  for (int c = 0; c < grid->GetColCount(); ++c) shown.push_back(grid->GetCells(grid->RealColIndex(c), 1));
  EXPECT_EQ(shown, (std::vector<std::string>{"r1", "c1", "c3", "c4", "c2", "c5"}));
}

TEST_F(GridMoveTest, FixedCellPressedAsAButtonUntilRelease) {
  grid->FixedAsButtons = true;
  struct TCase {
    bool Flat;
    TGridCoord WhileDown;
  } cases[] = {{false, {3, 0}}, {true, {-1, -1}}};
  for (const TCase& c : cases) {
    grid->SetFlat(c.Flat);
    const TPoint p = At(3, 0);
    grid->MouseDown(TMouseButton::mbLeft, {}, p.X, p.Y);
    EXPECT_EQ(grid->PressedFixedCell(), c.WhileDown) << c.Flat;
    if (!c.Flat) {
      // Sunken: the inner top-left edge is grey, where the raised look has white.
      TBitmap bmp;
      grid->PaintTo(bmp);
      const TRect r = grid->TBaseGrid::CellRect(3, 0);
      EXPECT_EQ(bmp.GetPixelColor(r.Left + 5, r.Top), clGray);
      grid->MouseUp(TMouseButton::mbLeft, {}, p.X, p.Y);
      grid->PaintTo(bmp);
      EXPECT_NE(bmp.GetPixelColor(r.Left + 5, r.Top), clGray);
    } else {
      grid->MouseUp(TMouseButton::mbLeft, {}, p.X, p.Y);
    }
    EXPECT_EQ(grid->PressedFixedCell(), (TGridCoord{-1, -1}));
  }
}

TEST_F(GridMoveTest, HeaderDragExtendsRowAndColumnSelections) {
  grid->SetOptions(grid->GetOptions() + goRangeSelect);
  grid->MouseActions()->RowSelect = true;
  grid->MouseActions()->ColSelect = true;
  struct TCase {
    TGridCoord From, To;
    TGridRect Want;
  } cases[] = {{{0, 4}, {0, 2}, {1, 2, 5, 4}}, {{0, 2}, {3, 5}, {1, 2, 5, 5}}, {{2, 0}, {4, 0}, {2, 1, 4, 5}},
               {{4, 0}, {1, 3}, {1, 1, 4, 5}}};
  for (const TCase& c : cases) {
    Drag(At(c.From.X, c.From.Y), At(c.To.X, c.To.Y));
    EXPECT_EQ(grid->GetSelection(), c.Want) << c.From.X << "," << c.From.Y;
  }
}

TEST_F(GridMoveTest, FixedColumnSizedByTheMouseAtItsBorder) {
  grid->MouseActions()->SizeFixedCol = true;
  grid->SetColWidths(0, 40);
  const int border = 41;  // the width and one pixel
  grid->MouseMove({}, border, 30);
  EXPECT_EQ(grid->GetCursor(), crHSplit);
  grid->MouseDown(TMouseButton::mbLeft, {}, border, 30);
  EXPECT_EQ(grid->FixedSizingCol(), 0);
  grid->HintShowSizing = true;
  grid->MouseMove({}, 75, 30);
  EXPECT_EQ(grid->FixedSizingX(), 75);
  // The width shows in the markup hint (bold), and goes with the release.
  EXPECT_TRUE(grid->HtmlHintWindow()->GetVisible());
  EXPECT_EQ(grid->HtmlHintWindow()->GetCaption(), "cw=<b>75</b>");
  grid->MouseUp(TMouseButton::mbLeft, {}, 75, 30);
  EXPECT_FALSE(grid->HtmlHintWindow()->GetVisible());
  EXPECT_EQ(grid->GetColWidths(0), 75);
  EXPECT_EQ(grid->FixedSizingCol(), -1);
  // Away from the border nothing is armed; without the switch neither.
  grid->MouseMove({}, 20, 30);
  EXPECT_NE(grid->GetCursor(), crHSplit);
  grid->MouseActions()->SizeFixedCol = false;
  grid->MouseMove({}, 76, 30);
  EXPECT_NE(grid->GetCursor(), crHSplit);
}

TEST_F(GridMoveTest, SelectCursorsHavePictures) {
  const TCursorImage* row = Controls::GetCursorImage(8010);
  const TCursorImage* col = Controls::GetCursorImage(8011);
  const TCursorImage* all = Controls::GetCursorImage(8012);
  ASSERT_TRUE(row && col && all);
  EXPECT_NE(row->Pixels, col->Pixels);
  EXPECT_NE(row->Pixels, all->Pixels);
  // The column cursor is the row cursor turned to point down.
  for (int y = 0; y < row->Height; ++y)
    for (int x = 0; x < row->Width; ++x)
      EXPECT_EQ(row->Pixels[size_t(y * row->Width + x)], col->Pixels[size_t(x * col->Width + y)]);
  grid->SetOptions(grid->GetOptions() + goRangeSelect);
  grid->MouseActions()->RowSelect = true;
  const TPoint p = At(0, 3);
  grid->MouseMove({}, p.X, p.Y);
  EXPECT_EQ(grid->GetCursor(), 8010);
}

TEST_F(GridMoveTest, CellHintsReachTheWindowsHintRequestExceptWhilePanning) {
  grid->HintShowCells = true;
  grid->SetCells(2, 3, "<b>weight</b> 0.5");
  grid->SetShowHint(true);
  grid->HintColor = clAqua;
  std::string text;
  TRect area;
  const TPoint p = At(2, 3);
  // The grid shows the hint in its own window, at the cell's top, in HintColor.
  THTMLHintWindow* w = grid->HtmlHintWindow();
  const TRect cell = grid->TBaseGrid::CellRect(2, 3);
  ASSERT_TRUE(grid->HintAt(p, text, area));
  EXPECT_EQ(text, "");
  EXPECT_EQ(area, cell);
  EXPECT_TRUE(grid->CellHintShown());
  EXPECT_TRUE(w->GetVisible());
  EXPECT_EQ(w->GetCaption(), "weight 0.5");
  EXPECT_EQ(w->GetColor(), clAqua);
  const TPoint top = grid->ClientToScreen(TPoint{cell.Left, cell.Top});
  EXPECT_EQ(w->GetLeft(), top.X);
  EXPECT_EQ(w->GetTop(), top.Y);
  // A hint of the owner's alone shows 6 pixels below the cell; plain text stays plain.
  grid->HintShowCells = false;
  grid->OnGridHint = [](TObject*, int ARow, int ACol, std::string& S) {
    S += "a<b & c @" + std::to_string(ACol) + "," + std::to_string(ARow);
  };
  ASSERT_TRUE(grid->HintAt(p, text, area));
  EXPECT_EQ(w->GetCaption(), "a&lt;b &amp; c @2,3");
  const TPoint below = grid->ClientToScreen(TPoint{cell.Left, cell.Bottom + 6});
  EXPECT_EQ(w->GetLeft(), below.X);
  EXPECT_EQ(w->GetTop(), below.Y);
  // Leaving the cell takes the hint away.
  const TPoint other = At(1, 1);
  grid->MouseMove({}, other.X, other.Y);
  EXPECT_FALSE(w->GetVisible());
  EXPECT_FALSE(grid->CellHintShown());
  grid->HintShowCells = true;
  ASSERT_TRUE(grid->StartPanning(p.X, p.Y));
  EXPECT_FALSE(grid->GetShowHint());
  EXPECT_FALSE(grid->HintAt(p, text, area));
  grid->StopPanning();
  EXPECT_TRUE(grid->GetShowHint());
  EXPECT_TRUE(grid->HintAt(p, text, area));
}

TEST_F(GridMoveTest, EnhancedMoveScrollsTowardsThePointerAndMarksTheTarget) {
  grid->SetOptions(grid->GetOptions() + goColMoving);
  grid->SetColCount(30);
  grid->SetLeftCol(10);
  grid->SetCells(12, 1, "moved");
  const TPoint from = At(12, 0);
  grid->MouseDown(TMouseButton::mbLeft, {}, from.X, from.Y);
  const TPoint over = At(11, 0);
  grid->MouseMove({}, over.X, over.Y);
  EXPECT_EQ(grid->MoveTarget(), 11);
  EXPECT_TRUE(grid->ArrowWindow(0)->GetVisible() && grid->ArrowWindow(1)->GetVisible());
  EXPECT_FALSE(grid->ArrowWindow(2)->GetVisible() || grid->ArrowWindow(3)->GetVisible());
  EXPECT_EQ(grid->GetCursor(), crDrag);
  grid->MouseMove({}, 5, from.Y);  // over the fixed column: one column left per movement
  EXPECT_EQ(grid->GetLeftCol(), 9);
  grid->MouseMove({}, 6, from.Y);
  EXPECT_EQ(grid->GetLeftCol(), 8);
  grid->MouseUp(TMouseButton::mbLeft, {}, 6, from.Y);
  EXPECT_EQ(grid->GetCells(11, 1), "moved");  // dropped on the last target column
  EXPECT_FALSE(grid->ArrowWindow(0)->GetVisible());
  EXPECT_NE(grid->GetCursor(), crDrag);
}

}  // namespace GridMouseMoveTests
