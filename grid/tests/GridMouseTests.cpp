// Mouse buttons on cells: check boxes, the disjunct selection, anchors,
// border double clicks, moved columns carrying the sort column, and the
// electrode table sorted by a header click and edited afterwards.

#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridMouseTests {

class GridMouseTest : public UiTest {
 protected:
  GridMouseTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 700, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 680, 380);
    grid->SetColCount(6);
    grid->SetRowCount(6);
    grid->SetOptions(grid->GetOptions() + goEditing);
  }
  TPoint At(int C, int R, int DX = 5, int DY = 5) {
    const TRect r = grid->TBaseGrid::CellRect(C, R);
    return TPoint{r.Left + DX, r.Top + DY};
  }
  void Click(TPoint P, TShiftState S = {}) {
    grid->MouseDown(TMouseButton::mbLeft, S, P.X, P.Y);
    grid->MouseUp(TMouseButton::mbLeft, S, P.X, P.Y);
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridMouseTest, CheckBoxPressWholeCellOrPrecise) {
  grid->SetColWidths(2, 80);
  grid->SetRowHeights(2, 40);
  grid->AddCellCheckBox(2, 2, false, false);
  grid->CellProperties(2, 2)->Alignment = TAlignment::taCenter;
  grid->CellGraphicOf(2, 2)->CellVAlign = vaCenter;
  int clicks = 0;
  grid->OnCheckBoxClick = [&](TObject*, int ACol, int ARow, bool) {
    ++clicks;
    EXPECT_EQ(std::make_pair(ACol, ARow), std::make_pair(2, 2));
  };
  bool state = false;
  Click(At(2, 2, 3, 3));  // the corner of the cell
  grid->GetCheckBoxState(2, 2, state);
  EXPECT_TRUE(state);
  grid->MouseActions()->PreciseCheckBoxCheck = true;
  Click(At(2, 2, 3, 3));
  grid->GetCheckBoxState(2, 2, state);
  EXPECT_TRUE(state);
  const TRect cell = grid->TBaseGrid::CellRect(2, 2);
  Click(TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
  grid->GetCheckBoxState(2, 2, state);
  EXPECT_FALSE(state);
  EXPECT_EQ(clicks, 2);
}

TEST_F(GridMouseTest, CtrlPressOnASelectedRowRemovesItOnRelease) {
  grid->MouseActions()->SetDisjunctRowSelect(true);
  grid->SetRowSelected(3, true);
  const TPoint p = At(2, 3);
  const TShiftState ctrl{TShiftStateItem::ssCtrl};
  grid->MouseDown(TMouseButton::mbLeft, ctrl, p.X, p.Y);
  EXPECT_TRUE(grid->RowSelected(3));
  grid->MouseUp(TMouseButton::mbLeft, ctrl, p.X, p.Y);
  EXPECT_FALSE(grid->RowSelected(3));
}

TEST_F(GridMouseTest, MovedColumnsCarryTheSortColumn) {
  struct TCase {
    int SortColumn, After;
  } cases[] = {{2, 5}, {5, 4}, {3, 2}, {1, 1}};
  for (const TCase& c : cases) {
    grid->SortSettings()->Column = c.SortColumn;
    grid->MoveColumnTo(2, 5);
    EXPECT_EQ(grid->SortSettings()->Column, c.After) << c.SortColumn;
  }
  grid->SortIndexes()->Clear();
  grid->SortIndexes()->AddIndex(2, false);
  grid->MoveColumnTo(2, 5);
  EXPECT_EQ(TSortIndexList::ColumnOf(grid->SortIndexes()->Get(0)), 5);
  EXPECT_FALSE(TSortIndexList::IsAscending(grid->SortIndexes()->Get(0)));
}

TEST_F(GridMouseTest, DoubleClickNearALeftBorderSizesThePreviousColumn) {
  grid->SetOptions(grid->GetOptions() + goColSizing);
  grid->SetCells(2, 3, "a rather long text for column two");
  int ended = -1;
  grid->OnEndColumnSize = [&](TObject*, int ACol) { ended = ACol; };
  const int before = grid->GetColWidths(2);
  const TRect header = grid->TBaseGrid::CellRect(3, 0);
  grid->DoubleClickAt(header.Left + 2, header.Top + 5);
  EXPECT_EQ(ended, 2);
  EXPECT_GT(grid->GetColWidths(2), before);
}

TEST_F(GridMouseTest, HeaderPressAndReleaseOnDifferentRowsDoNotSort) {
  grid->SortSettings()->Show = true;
  for (int r = 1; r < 6; ++r) grid->SetCells(1, r, std::to_string(6 - r));
  const TPoint down = At(1, 0), up = At(1, 2);
  grid->MouseDown(TMouseButton::mbLeft, {}, down.X, down.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, up.X, up.Y);
  EXPECT_EQ(grid->GetCells(1, 1), "5");
  Click(At(1, 0));
  EXPECT_EQ(grid->GetCells(1, 1), "1");
}

TEST_F(GridMouseTest, AnchorsMoveToCellsOrOpenOnlyWebAndMail) {
  grid->SetURLShow(true);
  grid->SetCells(2, 1, "CELL://r3c1");
  Click(At(2, 1));
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(1, 3));
  grid->SetCells(2, 2, "file:///usr/bin/xterm");
  Click(At(2, 2));
  EXPECT_TRUE(seam.Prompts().empty());
  seam.AnswerShell(true);
  grid->SetCells(2, 4, "https://example.org/data");
  Click(At(2, 4));
  ASSERT_EQ(seam.Prompts().size(), 1u);
  EXPECT_EQ(seam.Prompts()[0].Kind, TPromptKind::Shell);
  EXPECT_EQ(seam.Prompts()[0].Text, "https://example.org/data");
}

// The electrode table through the mouse and key handlers: every click and
// edit reaches the measurement its row shows, also after a header sort and
// after the sort is forgotten and the table filled again.
TEST_F(GridMouseTest, ElectrodeTableEditsReachTheirMeasurements) {
  struct TMeasurement {
    bool Used;
    std::string Weight;
  };
  std::vector<TMeasurement> survey{{true, "4"}, {true, "1"}, {false, "6"}, {true, "2"}, {true, "5"}, {true, "3"}};
  grid->SetColCount(9);
  grid->SetRowCount(7);
  grid->SortSettings()->Show = true;
  grid->SortSettings()->FixedCols = true;
  auto load = [&] {
    grid->ForgetSortOrder();
    for (int r = 1; r <= 6; ++r) {
      grid->AddCellCheckBox(1, r, survey[size_t(r - 1)].Used, false);
      grid->SetCells(8, r, survey[size_t(r - 1)].Weight);
    }
  };
  load();
  auto measurementOf = [&](int ARow) { return grid->UnsortedRowIndex(ARow) - 1; };
  grid->OnCheckBoxClick = [&](TObject*, int, int ARow, bool State) {
    survey[size_t(measurementOf(ARow))].Used = State;
  };
  grid->OnCellValidate = [&](TObject*, int, int ARow, std::string& Value, bool&) {
    survey[size_t(measurementOf(ARow))].Weight = Value;
  };
  Click(At(8, 0));  // sort by weight
  std::vector<std::string> weights;
  for (int r = 1; r <= 6; ++r) weights.push_back(grid->GetCells(8, r));
  EXPECT_EQ(weights, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
  // Displayed row 1 shows measurement 1 (weight "1"): its box switches it off.
  Click(At(1, 1));
  EXPECT_FALSE(survey[1].Used);
  EXPECT_TRUE(survey[0].Used);
  // "0,5" typed into the weight of displayed row 3 reaches measurement 5 (weight "3").
  grid->SetCol(8);
  grid->SetRow(3);
  for (char ch : std::string("0,5")) {
    TKeyChar c = static_cast<unsigned char>(ch);
    (grid->InplaceEditor() && grid->InplaceEditor()->GetVisible() ? static_cast<TWinControl*>(grid->InplaceEditor())
                                                                    : grid)
        ->KeyPress(c);
  }
  uint16_t down = VK_DOWN;
  grid->InplaceEditor()->KeyDown(down, {});
  EXPECT_EQ(survey[5].Weight, "0,5");
  // Filled again after forgetting the sort: rows are measurements again.
  load();
  Click(At(1, 3));
  EXPECT_TRUE(survey[2].Used);  // measurement 2 was off; its row is row 3 again
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(grid->UnsortedRowIndex(r), r);
}

// ================================================================ scroll bars

class GridScrollTest : public UiTest {
 protected:
  GridScrollTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 600);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetDefaultRowHeight(20);
    grid->SetGridLineWidth(1);
    grid->SetColCount(4);
    grid->SetRowCount(1001);
    grid->SetScrollBars(TScrollStyle::ssVertical);
    // 20 data rows and the header row show: 21 rows of 21 pixels.
    grid->SetBounds(0, 0, 300, 21 * 21 + 1);
  }
  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridScrollTest, ProportionalThumbHas127PositionsAndThePageShare) {
  grid->SetScrollProportional(true);
  TScrollBar* bar = grid->GetScrollBar(TScrollBarKind::sbVertical);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetMax() - bar->GetPageSize() + 1, 127);
  const double share = static_cast<double>(bar->GetPageSize()) / (bar->GetMax() + 1);
  const double visible = (grid->GetHeight() - 21.0) / (1000 * 21.0 + 1);
  EXPECT_NEAR(share, visible, 0.005);  // a page of whole positions
  grid->SetTopRow(grid->MaxTopRow());
  EXPECT_EQ(bar->GetPosition(), 127);
}

TEST_F(GridScrollTest, WideFixedColumnsGiveNoNegativePage) {
  grid->SetRowCount(5);
  grid->SetScrollBars(TScrollStyle::ssHorizontal);
  grid->SetColCount(30);
  grid->SetColWidths(0, 400);  // the fixed column is wider than the control
  grid->SetScrollProportional(true);
  TScrollBar* bar = grid->GetScrollBar(TScrollBarKind::sbHorizontal);
  ASSERT_NE(bar, nullptr);
  EXPECT_GE(bar->GetPageSize(), 1);
  EXPECT_EQ(bar->GetMax() - bar->GetPageSize() + 1, 127);
  grid->SetLeftCol(15);
  EXPECT_GE(bar->GetPosition(), 0);
  EXPECT_LE(bar->GetPosition(), 127);
}

TEST_F(GridScrollTest, TrackingShowsTheRowHintUntilTheEnd) {
  grid->ScrollHintsType = shVertical;
  int pos = 64;
  grid->ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scTrack, pos);
  ASSERT_TRUE(grid->ScrollHintShown());
  const int rows = grid->GetRowCount() - grid->VisibleRowCount() - 1;
  EXPECT_EQ(grid->ScrollHintText(), "Row : " + std::to_string(64 * rows / 127 + 1));
  // Shown in the grid's own hint window.
  EXPECT_TRUE(grid->HtmlHintWindow()->GetVisible());
  EXPECT_EQ(grid->HtmlHintWindow()->GetCaption(), grid->ScrollHintText());
  pos = 64;
  grid->ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scEndScroll, pos);
  EXPECT_FALSE(grid->ScrollHintShown());
  EXPECT_FALSE(grid->HtmlHintWindow()->GetVisible());
  EXPECT_EQ(grid->ScrollHintText(), "");
}

// ================================================================ panning and wheel

TEST_F(GridScrollTest, PanningNeedsDataRowsAndMovesOutsideTheDeadZone) {
  grid->SetScrollBars(TScrollStyle::ssNone);
  grid->SetRowCount(1);
  grid->FixedRowAlways = true;
  EXPECT_FALSE(grid->StartPanning(50, 50));
  grid->FixedRowAlways = false;
  grid->SetRowCount(50);
  grid->SetColCount(10);
  grid->IntelliPan = ipBoth;
  grid->SetCol(3);
  grid->SetRow(5);
  grid->MouseDown(TMouseButton::mbMiddle, {}, 100, 100);
  ASSERT_TRUE(grid->Panning());
  struct TCase {
    int DX, DY, WantCol, WantRow;
  } cases[] = {{5, -5, 3, 5}, {6, 0, 4, 5}, {-6, 6, 3, 6}, {0, -6, 3, 5}};
  for (const TCase& c : cases) {
    grid->PanTick(TPoint{100 + c.DX, 100 + c.DY});
    EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(c.WantCol, c.WantRow)) << c.DX << "," << c.DY;
  }
  grid->IntelliPan = ipVertical;
  grid->PanTick(TPoint{120, 100});
  EXPECT_EQ(grid->GetCol(), 3);
  grid->MouseDown(TMouseButton::mbLeft, {}, 100, 100);  // any press ends it
  EXPECT_FALSE(grid->Panning());
}

TEST_F(GridScrollTest, WheelMovesByTheLineCountAndZoomsWithinTenSteps) {
  grid->SetScrollBars(TScrollStyle::ssNone);
  grid->SetRow(10);
  const TPoint inside = grid->ClientToScreen(TPoint{50, 50});
  const int lines = grid->WheelScrollLines();
  EXPECT_TRUE(grid->DoMouseWheel({}, -120, inside));
  EXPECT_EQ(grid->GetRow(), 10 + lines);
  EXPECT_TRUE(grid->DoMouseWheel({}, 120, inside));
  EXPECT_EQ(grid->GetRow(), 10);
  EXPECT_FALSE(grid->DoMouseWheel({}, -120, grid->ClientToScreen(TPoint{-20, 50})));
  EXPECT_EQ(grid->GetRow(), 10);
  const int width = grid->GetColWidths(1);
  const TShiftState ctrl{TShiftStateItem::ssCtrl};
  for (int i = 0; i < 15; ++i) grid->DoMouseWheel(ctrl, -120, inside);
  EXPECT_LE(grid->ZoomFactor, 10);
  EXPECT_GT(grid->ZoomFactor, 10 - lines);
  EXPECT_EQ(grid->GetColWidths(1), width + grid->ZoomFactor);
  for (int i = 0; i < 30; ++i) grid->DoMouseWheel(ctrl, 120, inside);
  EXPECT_GE(grid->ZoomFactor, -10);
  EXPECT_LT(grid->ZoomFactor, -10 + lines);
}

TEST_F(GridMouseTest, FixedCellEditorWritesBackWhenItCloses) {
  grid->SetCells(2, 0, "Head");
  grid->MouseActions()->FixedRowsEdit = fceDblClick;
  const TRect r = grid->TBaseGrid::CellRect(2, 0);
  grid->DoubleClickAt(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  TGridTransEdit* e = grid->FixedCellEditor();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->GetVisible());
  EXPECT_EQ(e->GetText(), "Head");
  EXPECT_EQ(e->GetLeft(), r.Left + 1);
  EXPECT_EQ(e->GetWidth(), r.Width() - 2);
  e->SetText("Weight");
  e->Finish();
  EXPECT_FALSE(e->GetVisible());
  EXPECT_EQ(grid->GetCells(2, 0), "Weight");
  // A right press opens it only with fceRightClick.
  grid->MouseDown(TMouseButton::mbRight, {}, r.Left + 5, r.Top + 5);
  EXPECT_FALSE(e->GetVisible());
  grid->MouseActions()->FixedRowsEdit = fceRightClick;
  grid->MouseDown(TMouseButton::mbRight, {}, r.Left + 5, r.Top + 5);
  EXPECT_TRUE(e->GetVisible());
}

TEST_F(GridMouseTest, HeaderClickEndsAnOpenEditInItsOwnRowFirst) {
  grid->SortSettings()->Show = true;
  for (int r = 1; r < 6; ++r) grid->SetCells(1, r, std::to_string(10 * r));
  std::vector<std::pair<int, std::string>> validated;
  bool refuse = true;
  grid->OnCellValidate = [&](TObject*, int, int ARow, std::string& V, bool& Valid) {
    validated.emplace_back(ARow, V);
    Valid = !refuse;
  };
  grid->SetCol(1);
  grid->SetRow(2);
  TKeyChar c = u'5';
  grid->KeyPress(c);  // opens the editor with "5"
  ASSERT_TRUE(grid->InplaceEditor()->GetVisible());
  Click(At(1, 0));  // refused: nothing moves
  EXPECT_EQ(grid->GetCells(1, 1), "10");
  EXPECT_TRUE(grid->InplaceEditor()->GetVisible());
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "20");  // the text before editing is back
  refuse = false;
  grid->InplaceEditor()->SelectAll();
  TKeyChar again = u'5';
  grid->InplaceEditor()->KeyPress(again);
  Click(At(1, 0));
  EXPECT_FALSE(grid->InplaceEditor()->GetVisible());
  ASSERT_EQ(validated.size(), 2u);
  EXPECT_EQ(validated[1], std::make_pair(2, std::string("5")));
  std::vector<std::string> col;
  for (int r = 1; r < 6; ++r) col.push_back(grid->GetCells(1, r));
  EXPECT_EQ(col, (std::vector<std::string>{"5", "10", "30", "40", "50"}));
}

// ================================================================ press, release and movement

TEST_F(GridMouseTest, DragStartsBeyondThreePixels) {
  grid->SetOptions(grid->GetOptions() - TGridOptions{goEditing});
  grid->DragDropSettings()->OleDropSource = true;
  int drags = 0;
  grid->DragStartHook = [&](TGridView*) { ++drags; };
  grid->SetCol(2);
  grid->SetRow(2);
  const TPoint p = At(2, 2, 20, 8);
  grid->MouseDown(TMouseButton::mbLeft, {}, p.X, p.Y);
  grid->MouseMove(TShiftState{TShiftStateItem::ssLeft}, p.X + 3, p.Y - 3);
  EXPECT_EQ(drags, 0);
  grid->MouseMove(TShiftState{TShiftStateItem::ssLeft}, p.X + 4, p.Y);
  EXPECT_EQ(drags, 1);
  grid->MouseUp(TMouseButton::mbLeft, {}, p.X + 4, p.Y);
}

TEST_F(GridMouseTest, CtrlClickingACellTwiceLeavesItUnselected) {
  grid->MouseActions()->SetDisjunctCellSelect(true);
  const TShiftState ctrl{TShiftStateItem::ssCtrl};
  Click(At(3, 3), ctrl);
  EXPECT_TRUE(grid->IsDisjunctCellSelected(3, 3));
  Click(At(3, 3), ctrl);
  EXPECT_FALSE(grid->IsDisjunctCellSelected(3, 3));
  Click(At(2, 2));
  Click(At(4, 4), ctrl);
  EXPECT_EQ(grid->SelectedCells().size(), 2u);
}

TEST_F(GridMouseTest, SelectionChangedOnlyWhenTheSelectionChanges) {
  std::vector<TGridRect> changes;
  grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) { changes.push_back(TGridRect{L, T, R, B}); };
  grid->SetCol(2);
  grid->SetRow(2);
  Click(At(2, 2));
  EXPECT_TRUE(changes.empty());
  Click(At(3, 4));
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (TGridRect{3, 4, 3, 4}));
}

TEST_F(GridMouseTest, HoverFromAnchorToAnchorEntersWithoutExit) {
  grid->SetURLShow(true);
  grid->SetCells(2, 1, "http://a.example");
  grid->SetCells(3, 1, "mailto:b@example.org");
  std::vector<std::string> events;
  grid->OnAnchorEnter = [&](TObject*, int, int, const std::string& A) { events.push_back("enter " + A); };
  grid->OnAnchorExit = [&](TObject*, int, int, const std::string& A) { events.push_back("exit " + A); };
  for (int c : {2, 3, 1}) {
    const TPoint p = At(c, 1, 10, 5);
    grid->MouseMove({}, p.X, p.Y);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"enter http://a.example", "enter mailto:b@example.org",
                                              "exit mailto:b@example.org"}));
}

TEST_F(GridMouseTest, SizingReleasedBeyondTheGridChangesNothing) {
  grid->SetOptions(grid->GetOptions() + goColSizing);
  grid->SetColCount(3);
  const int before = grid->GetColWidths(2);
  const TRect h = grid->TBaseGrid::CellRect(2, 0);
  grid->MouseDown(TMouseButton::mbLeft, {}, h.Right, h.Top + 5);
  ASSERT_EQ(grid->GetGridState(), TGridState::gsColSizing);
  grid->MouseMove(TShiftState{TShiftStateItem::ssLeft}, grid->GridWidth() + 40, h.Top + 5);
  grid->MouseUp(TMouseButton::mbLeft, {}, grid->GridWidth() + 40, h.Top + 5);
  EXPECT_EQ(grid->GetColWidths(2), before);
  EXPECT_EQ(grid->GetGridState(), TGridState::gsNormal);
  // Within the grid the size is taken.
  grid->MouseDown(TMouseButton::mbLeft, {}, h.Right, h.Top + 5);
  grid->MouseUp(TMouseButton::mbLeft, {}, h.Right - 10, h.Top + 5);
  EXPECT_EQ(grid->GetColWidths(2), before - 10);
}

TEST_F(GridMouseTest, LeftClickEditsFixedColumnCellsInAnyRow) {
  grid->MouseActions()->FixedColsEdit = fceLeftClick;
  for (int r : {1, 4}) {
    grid->SetCells(0, r, "row" + std::to_string(r));
    Click(At(0, r));
    ASSERT_NE(grid->FixedCellEditor(), nullptr);
    EXPECT_TRUE(grid->FixedCellEditor()->GetVisible()) << r;
    EXPECT_EQ(grid->FixedCellEditor()->GetText(), "row" + std::to_string(r));
    grid->FixedCellEditor()->Finish();
  }
  Click(At(2, 0));  // a header cell of a normal column is no fixed column
  EXPECT_FALSE(grid->FixedCellEditor()->GetVisible());
}

TEST_F(GridMouseTest, FixedCellsSelectWholeRowsColumnsAndAll) {
  grid->SetOptions(grid->GetOptions() + goRangeSelect);
  grid->MouseActions()->RowSelect = true;
  grid->MouseActions()->ColSelect = true;
  grid->MouseActions()->AllSelect = true;
  struct TCase {
    int Col, Row;
    TGridRect Want;
  } cases[] = {{0, 3, {1, 3, 5, 3}}, {2, 0, {2, 1, 2, 5}}, {0, 0, {1, 1, 5, 5}}};
  for (const TCase& c : cases) {
    const TPoint p = At(c.Col, c.Row, 10, 8);
    grid->MouseMove({}, p.X, p.Y);  // the pointer shows the select cursor first
    Click(p);
    EXPECT_EQ(grid->GetSelection(), c.Want) << c.Col << "," << c.Row;
  }
}

}  // namespace GridMouseTests
