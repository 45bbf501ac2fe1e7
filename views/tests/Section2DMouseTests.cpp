// Mouse editing, selection tools, pop-up menus and commands of the cell-grid section,
// driven through the chart's own mouse handlers on a rendered section.
#include <QImage>

#include "views/tests/Section2DFixture.h"

namespace Section2DMouseTests {

namespace {

using enum TShiftStateItem;
using TB = TMouseButton;

class Section2DMouseTest : public Section2DTest {
protected:
  void SetUp() override {
    Section2DTest::SetUp();
    Seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
    Fill(20, 10, 50);
    View->OnAfterChangingParameter = [this](TObject*) { Events.push_back("parameter"); };
    View->OnChangingGrid = [this](TObject*) { Events.push_back("grid"); };
    View->OnAfterChangeCB = [this](TObject*) { Events.push_back("cb"); };
  }
  void TearDown() override {
    EXPECT_EQ(Seam.Pending(), 0u);
    Section2DTest::TearDown();
  }
  double& Cell(int i, int j) { return View->Layers[0][i][j]; }
  // The selected cells as (column, row) points, columns outer.
  std::vector<TPoint> SelectedCells() const {
    std::vector<TPoint> cells;
    for (int i = 0; i <= View->LastColumn; ++i)
      for (int j = 0; j <= View->LastRow; ++j)
        if (View->Selected[i][j]) cells.emplace_back(i, j);
    return cells;
  }
  void Drag(TB button, TShiftState shift, const std::vector<TPoint>& cells) {
    Press(CellPoint(cells[0].X, cells[0].Y), button, shift);
    for (size_t k = 1; k < cells.size(); ++k) Move(CellPoint(cells[k].X, cells[k].Y), shift);
    Release(CellPoint(cells.back().X, cells.back().Y), button, shift);
  }
  void NoPopupItem() {
    Seam.AnswerPopup([](TPopupMenu&) -> TMenuItem* { return nullptr; });
  }
  void Command(const std::string& menuItem) { Seam.AnswerPopupItem(menuItem); }
  // Opens the menu of the region under P by a double click.
  bool DoubleClick(TPoint p) {
    Move(p);
    return View->DblClick();
  }
  int Count(const std::string& event) const { return static_cast<int>(std::count(Events.begin(), Events.end(), event)); }

  TScriptedUserSeam Seam;
  std::vector<std::string> Events;
};

TEST_F(Section2DMouseTest, RegionsAreTestedAgainstThePlotRectangleIncludingItsEdges) {
  const TRect r = View->ChartRect;
  const int32_t bar = r.Right + View->ColorBarGap;
  const int32_t midY = (r.Top + r.Bottom) / 2, midX = (r.Left + r.Right) / 2;
  struct Case {
    int32_t x, y;
    uint8_t region;
  };
  for (const Case c : {Case{midX, midY, 1}, {r.Right, r.Bottom, 1}, {r.Left + 1, r.Top, 1}, {r.Left, midY, 0},
                       {r.Left - 1, midY, 2}, {r.Left - 1, r.Bottom + 1, 0}, {r.Left, r.Bottom + 1, 3},
                       {r.Right, r.Bottom + 10, 3}, {bar, midY, 4}, {bar + View->ColorBarWidth, r.Top, 4},
                       {bar + View->ColorBarWidth + 1, midY, 0}, {bar - 1, midY, 0}, {midX, r.Top - 1, 0}}) {
    Move({c.x, c.y});
    EXPECT_EQ(View->Region, c.region) << c.x << "," << c.y;
  }
  View->ShowColorBar = false;
  Move({bar, midY});
  EXPECT_EQ(View->Region, 0);
}

TEST_F(Section2DMouseTest, TheHighlightFollowsTheCellUnderTheMouse) {
  Fill(20, 10, 50, {{0, 5}, {50, 9}, {100, 5}}, 5, 1);
  Cell(4, 2) = 20;
  View->RedrawAll();
  const QImage clean = Picture().Image().copy();
  Move(CellPoint(3, 2));
  EXPECT_EQ(View->CurrentCell, TPoint(3, 2));
  EXPECT_EQ(View->HighlightValue, 50);
  Move(CellPoint(4, 2));
  EXPECT_EQ(View->CurrentCell, TPoint(4, 2));
  EXPECT_EQ(View->HighlightValue, 20);
  const QImage highlighted = Picture().Image().copy();
  EXPECT_FALSE(highlighted == clean);
  // Above the surface no cell is found: the highlight stays where it was.
  const double x = 2.5;
  Move(At(x, View->SurfaceShiftAt(x, 0) - 2));
  EXPECT_EQ(View->Region, 1);
  EXPECT_EQ(View->CurrentCell, TPoint(4, 2));
  EXPECT_TRUE(Picture().Image() == highlighted);
  // Cells are found under the topography.
  for (const TPoint c : {TPoint(0, 0), TPoint(10, 0), TPoint(19, 9), TPoint(7, 5)}) {
    Move(CellPoint(c.X, c.Y));
    EXPECT_EQ(View->CurrentCell, c);
  }
  Move(CellPoint(7, 5));
  View->UnhighlightCell(7, 5);
  View->RedrawAll();
  EXPECT_TRUE(Picture().Image() == clean);
}

TEST_F(Section2DMouseTest, ALeftDragPaintsEveryCellPassedAndEndsWithOneEventAndSnapshot) {
  View->CursorValue = 7;
  Drag(TB::mbLeft, ssLeft, {{2, 2}, {3, 2}, {4, 3}});
  EXPECT_EQ(Cell(2, 2), 7);
  EXPECT_EQ(Cell(3, 2), 7);
  EXPECT_EQ(Cell(4, 3), 7);
  EXPECT_EQ(Cell(4, 2), 50);
  EXPECT_EQ(Events, (std::vector<std::string>{"parameter"}));
  EXPECT_EQ(View->History.Stamps[0], 1);
  EXPECT_FALSE(View->Dragging);
  ExpectInvariants("paint");
}

TEST_F(Section2DMouseTest, ShiftRaisesAndLowersAtEachMoveAndSparesSelectedCells) {
  View->Selected[6][5] = 1;
  const TShiftState up{ssShift, ssLeft}, down{ssShift, ssRight};
  Press(CellPoint(5, 5), TB::mbLeft, up);
  const double afterPress = Cell(5, 5);
  EXPECT_GT(afterPress, 50);
  Move(CellPoint(5, 5), up);
  EXPECT_DOUBLE_EQ(Cell(5, 5), afterPress * 1.1);
  Move(CellPoint(6, 5), up);
  EXPECT_EQ(Cell(6, 5), 50);
  Release(CellPoint(6, 5), TB::mbLeft, up);
  Press(CellPoint(8, 5), TB::mbRight, down);
  const double lowered = Cell(8, 5);
  EXPECT_LT(lowered, 50);
  Move(CellPoint(8, 5), down);
  EXPECT_DOUBLE_EQ(Cell(8, 5), lowered * 0.9);
  Release(CellPoint(8, 5), TB::mbRight, down);
  ExpectInvariants("raise");
}

TEST_F(Section2DMouseTest, ARightClickOpensTheCellMenuWithItsTicksAndChangesNoCell) {
  View->EditMode = 5;
  const ararofdoubleM before = View->Layers[0];
  Seam.AnswerPopup([](TPopupMenu& menu) -> TMenuItem* {
    EXPECT_EQ(menu.GetName(), "CellMenu");
    EXPECT_FALSE(menu.Items()->GetItem(2)->GetChecked());
    EXPECT_TRUE(menu.Items()->GetItem(4)->GetItem(1)->GetChecked());
    EXPECT_FALSE(menu.Items()->GetItem(4)->GetItem(0)->GetChecked());
    EXPECT_FALSE(menu.Items()->GetItem(5)->GetItem(0)->GetChecked());
    return nullptr;
  });
  Press(CellPoint(3, 3), TB::mbRight, ssRight);
  Release(CellPoint(3, 3), TB::mbRight);
  EXPECT_EQ(View->Layers[0], before);
  EXPECT_EQ(View->Dragging, false);
}

TEST_F(Section2DMouseTest, ARightDragPicksTheCursorValueAndAPressOnTheSelectionPaintsIt) {
  Cell(9, 4) = 20;
  NoPopupItem();
  Press(CellPoint(8, 4), TB::mbRight, ssRight);
  Move(CellPoint(9, 4), ssRight);
  EXPECT_EQ(View->CursorValue, 20);
  EXPECT_EQ(Count("cb"), 1);
  Release(CellPoint(9, 4), TB::mbRight);
  // The selection takes the cursor value; a fixed cell already holding it is skipped,
  // so its bounds stay unset.
  for (int i = 1; i <= 3; ++i) View->Selected[i][1] = 1;
  Cell(2, 1) = 20;
  View->FixedCells[2][1] = 1;
  View->FixedCells[3][1] = 1;
  Press(CellPoint(1, 1), TB::mbLeft, ssLeft);
  Release(CellPoint(1, 1), TB::mbLeft);
  EXPECT_EQ(Cell(1, 1), 20);
  EXPECT_EQ(Cell(3, 1), 20);
  EXPECT_EQ(View->CellBounds[2][1], (complexM{0, 0}));
  EXPECT_EQ(View->CellBounds[3][1], (complexM{0, 20}));
}

TEST_F(Section2DMouseTest, SelectionToolsSelectTheirShapesAndANewSelectionReplacesTheOld) {
  View->EditMode = 5;
  Drag(TB::mbLeft, ssLeft, {{2, 2}, {3, 3}, {4, 3}});
  EXPECT_EQ(SelectedCells(), (std::vector<TPoint>{{2, 2}, {2, 3}, {3, 2}, {3, 3}, {4, 2}, {4, 3}}));
  View->EditMode = 4;
  Drag(TB::mbLeft, ssLeft, {{2, 2}, {6, 6}});
  for (const TPoint p : {TPoint(4, 2), TPoint(2, 4), TPoint(4, 4), TPoint(6, 4), TPoint(4, 6)})
    EXPECT_TRUE(View->Selected[p.X][p.Y]) << p.X << "," << p.Y;
  for (const TPoint p : {TPoint(2, 2), TPoint(6, 6), TPoint(2, 6), TPoint(6, 2), TPoint(3, 7)})
    EXPECT_FALSE(View->Selected[p.X][p.Y]) << p.X << "," << p.Y;
  View->EditMode = 2;
  Drag(TB::mbLeft, ssLeft, {{10, 1}, {16, 1}, {16, 7}, {10, 7}});
  EXPECT_EQ(View->FreeFormPoints.size(), 4u);
  for (const TPoint p : {TPoint(10, 1), TPoint(13, 4), TPoint(16, 7), TPoint(15, 2)})
    EXPECT_TRUE(View->Selected[p.X][p.Y]) << p.X << "," << p.Y;
  for (const TPoint p : {TPoint(9, 4), TPoint(17, 4), TPoint(4, 4), TPoint(13, 8)})
    EXPECT_FALSE(View->Selected[p.X][p.Y]) << p.X << "," << p.Y;
  ExpectInvariants("selections");
}

TEST_F(Section2DMouseTest, TheMagicWandJoinsSimilarCellsThatShareAnEdge) {
  // Scale 0 .. 100: tolerance 10 joins values less than 10 apart.
  View->ScaleMax = 100;
  Cell(2, 2) = 10;
  Cell(3, 2) = 15;
  Cell(3, 3) = 19.9;
  Cell(4, 4) = 10;  // touches (3, 3) only at a corner
  Cell(2, 3) = 20;  // 10 apart from the seed
  View->EditMode = 3;
  Drag(TB::mbLeft, ssLeft, {{2, 2}});
  EXPECT_EQ(SelectedCells(), (std::vector<TPoint>{{2, 2}, {3, 2}, {3, 3}}));
  EXPECT_EQ(View->WandTolerance, 10);
  // A wand on the background selects everything else that is connected.
  Drag(TB::mbLeft, ssLeft, {{0, 0}});
  EXPECT_FALSE(View->Selected[2][2]);
  EXPECT_FALSE(View->Selected[4][4]);
  EXPECT_TRUE(View->Selected[19][9]);
  EXPECT_EQ(SelectedCells().size(), 200u - 5u);
  // "Remove selection".
  Seam.AnswerPopup([](TPopupMenu& m) { return m.Items()->GetItem(4)->GetItem(5); });
  Press(CellPoint(1, 1), TB::mbRight, ssRight);
  Release(CellPoint(1, 1), TB::mbRight);
  EXPECT_TRUE(SelectedCells().empty());
}

TEST_F(Section2DMouseTest, CtrlDragMovesOrCopiesTheSelectionAndEndsWithOneLayer) {
  Cell(2, 2) = 10;
  Cell(3, 2) = 12;
  View->Selected[2][2] = View->Selected[3][2] = 1;
  Drag(TB::mbLeft, {ssCtrl, ssLeft}, {{2, 2}, {3, 2}});
  EXPECT_EQ(Cell(2, 2), View->HalfSpaceValue);
  EXPECT_EQ(Cell(3, 2), 10);
  EXPECT_EQ(Cell(4, 2), 12);
  EXPECT_EQ(SelectedCells(), (std::vector<TPoint>{{3, 2}, {4, 2}}));
  EXPECT_EQ(View->Layers.size(), 1u);
  EXPECT_EQ(View->EditMode, 1);
  EXPECT_EQ(View->History.Stamps[0], 1);
  ExpectInvariants("move");
  // Copy down by one row.
  Drag(TB::mbRight, {ssCtrl, ssRight}, {{3, 2}, {3, 3}});
  EXPECT_EQ(Cell(3, 2), 10);
  EXPECT_EQ(Cell(3, 3), 10);
  EXPECT_EQ(Cell(4, 3), 12);
  EXPECT_EQ(SelectedCells(), (std::vector<TPoint>{{3, 3}, {4, 3}}));
  EXPECT_EQ(View->Layers.size(), 1u);
}

TEST_F(Section2DMouseTest, CellsMovedBeyondTheEdgeAreDroppedAndUnselectedPressesDoNothing) {
  Cell(19, 0) = 10;
  View->Selected[19][0] = 1;
  View->EditMode = 5;
  Press(CellPoint(5, 5), TB::mbLeft, {ssCtrl, ssLeft});
  EXPECT_FALSE(View->Dragging);
  EXPECT_EQ(View->Layers.size(), 1u);
  Release(CellPoint(5, 5), TB::mbLeft);
  EXPECT_EQ(View->EditMode, 5);
  EXPECT_TRUE(Events.empty());
  Drag(TB::mbLeft, {ssCtrl, ssLeft}, {{19, 0}, {18, 0}});  // back and forth is no move
  EXPECT_EQ(Cell(18, 0), 10);
  Drag(TB::mbLeft, {ssCtrl, ssLeft}, {{18, 0}, {19, 0}});
  Drag(TB::mbLeft, {ssCtrl, ssLeft}, {{19, 0}, {19, 1}});
  EXPECT_EQ(Cell(19, 1), 10);
  View->Selected[19][1] = 1;
  // Moving the selection right of the last column drops it.
  Press(CellPoint(19, 1), TB::mbLeft, {ssCtrl, ssLeft});
  Move(CellPoint(18, 1), {ssCtrl, ssLeft});
  Move(CellPoint(19, 1), {ssCtrl, ssLeft});
  EXPECT_EQ(View->Layers.size(), 2u);
  Release(CellPoint(19, 1), TB::mbLeft);
  EXPECT_EQ(View->Layers.size(), 1u);
  ExpectInvariants("edge");
}

TEST_F(Section2DMouseTest, AMoveReleasedOutsideThePlotStillEnds) {
  Cell(2, 2) = 10;
  View->Selected[2][2] = 1;
  View->EditMode = 4;
  Press(CellPoint(2, 2), TB::mbLeft, {ssCtrl, ssLeft});
  Move(CellPoint(3, 2), {ssCtrl, ssLeft});
  const TRect r = View->ChartRect;
  const TPoint outside(r.Left + 40, r.Bottom + 10);
  Move(outside, {ssCtrl, ssLeft});
  EXPECT_EQ(View->Region, 3);
  Release(outside, TB::mbLeft);
  EXPECT_EQ(View->Layers.size(), 1u);
  EXPECT_EQ(Cell(3, 2), 10);
  EXPECT_EQ(Cell(2, 2), View->HalfSpaceValue);
  EXPECT_EQ(View->EditMode, 4);
  EXPECT_FALSE(View->TemporaryMode);
  EXPECT_EQ(View->History.Stamps[0], 1);
  EXPECT_EQ(Events.back(), "parameter");
  // A later edit works on the one layer.
  View->EditMode = 1;
  View->CursorValue = 33;
  Drag(TB::mbLeft, ssLeft, {{3, 2}});
  EXPECT_EQ(Cell(3, 2), 33);
}

TEST_F(Section2DMouseTest, BorderModesHoverInsertRemoveAndDrag) {
  const int32_t midY = CellPoint(0, 4).Y;
  const TPoint onColumn(View->BottomAxis()->ValueToPixel(5) + 1, midY);
  const TPoint onRow(CellPoint(7, 0).X, View->LeftAxis()->ValueToPixel(4) + 2);
  struct Case {
    uint8_t mode;
    TCursor column, row;
  };
  for (const Case c : {Case{7, crSizeWE, crSizeNS}, {8, crCross, crCross}, {9, crHSplit, crVSplit}}) {
    View->EditMode = c.mode;
    Move(onColumn);
    EXPECT_EQ(View->GetChartCursor(), c.column) << int(c.mode);
    EXPECT_EQ(View->HoverKind, 0);
    EXPECT_EQ(View->HoverIndex, 5);
    Move(onRow);
    EXPECT_EQ(View->GetChartCursor(), c.row) << int(c.mode);
    EXPECT_EQ(View->HoverIndex, 4);
    Move(CellPoint(7, 6));
    EXPECT_EQ(View->HoverIndex, -1);
  }
  // Mode 7: on a row border a column border goes in at the mouse, and the other way round.
  View->EditMode = 7;
  Press(onRow, TB::mbLeft, ssLeft);
  Release(onRow, TB::mbLeft);
  EXPECT_EQ(View->LastColumn, 20);
  EXPECT_EQ(View->History.Stamps[0], 1);
  Press(onColumn, TB::mbLeft, ssLeft);
  Release(onColumn, TB::mbLeft);
  EXPECT_EQ(View->LastRow, 10);
  ExpectInvariants("insert");
  // Mode 8 removes; a fixed border is never picked in modes 8 and 9.
  View->EditMode = 8;
  View->FixedBorders[5] = 1;
  Press(onColumn, TB::mbLeft, ssLeft);
  Release(onColumn, TB::mbLeft);
  EXPECT_EQ(View->LastColumn, 20);
  View->FixedBorders[5] = 0;
  Press(onColumn, TB::mbLeft, ssLeft);
  Release(onColumn, TB::mbLeft);
  EXPECT_EQ(View->LastColumn, 19);
  ExpectInvariants("remove");
  // Mode 9 drags a border; the grid event and the snapshot come at the release.
  View->EditMode = 9;
  const TPoint border(View->BottomAxis()->ValueToPixel(8), midY);
  Press(border, TB::mbLeft, ssLeft);
  EXPECT_TRUE(View->Dragging);
  Events.clear();
  const TPoint to(View->BottomAxis()->ValueToPixel(8.4), midY);
  Move(to, ssLeft);
  EXPECT_NEAR(View->ColumnBorders[View->HoverIndex], 8.4, 0.05);
  Release(to, TB::mbLeft);
  EXPECT_EQ(Events.back(), "grid");
  EXPECT_FALSE(View->Dragging);
  ExpectInvariants("drag");
}

TEST_F(Section2DMouseTest, StatusTextsDescribeTheCellAndTheMode) {
  View->MouseX = 12;
  View->MouseZ = 3.5;
  View->CurrentCell = {1, 0};
  View->HighlightValue = 50;
  View->Selected[1][0] = View->FixedCells[1][0] = 1;
  View->CellBounds[1][0] = {5, 50};
  View->UpdateStatusTexts();
  EXPECT_EQ(View->PositionText, "X:12 Z:3.5 cellX:2 cellZ:1");
  EXPECT_EQ(View->ValueText, "Value:50, selected, fixed (Min:5, Max:50)");
  const char* const modes[] = {"Editing",        "Free-form selection", "MagicWand",
                               "Elleptic selection", "Rect selection", "Moving selection",
                               "Add col/row",    "Remove col/row",      "Resize col/row"};
  for (int m = 1; m <= 9; ++m) {
    View->EditMode = static_cast<uint8_t>(m);
    View->UpdateStatusTexts();
    EXPECT_EQ(View->ModeText, modes[m - 1]);
  }
  int status = 0;
  View->OnStatus = [&](TObject*) { ++status; };
  for (int k = 0; k < 3; ++k) Move(CellPoint(k, k));
  EXPECT_EQ(status, 3);
  // ViewOnly: no edit, no highlight, no mode text.
  View->ViewOnly = true;
  View->EditMode = 1;
  View->UpdateStatusTexts();
  EXPECT_EQ(View->ModeText, "Resize col/row");
  const QImage before = Picture().Image().copy();
  View->CursorValue = 9;
  Drag(TB::mbLeft, ssLeft, {{5, 5}, {6, 5}});
  EXPECT_EQ(Cell(5, 5), 50);
  EXPECT_TRUE(Picture().Image() == before);
  EXPECT_EQ(status, 5);  // the press itself does nothing
}

// ---- menus and commands ----

TEST_F(Section2DMouseTest, MenusHoldTheirCaptionsInOrder) {
  const auto captions = [](TMenuItem* item) {
    std::vector<std::string> c;
    for (int k = 0; k < item->Count(); ++k) c.push_back(item->GetItem(k)->GetCaption());
    return c;
  };
  EXPECT_EQ(captions(View->CellMenu->Items()),
            (std::vector<std::string>{"Display cell setup", "Cell to cursor value", "Edit mode", "-", "Selection",
                                      "Mesh options", "-", "Clear model"}));
  EXPECT_EQ(captions(View->CellMenu->Items()->GetItem(4)),
            (std::vector<std::string>{"Free-form selection", "Rectangular selection", "Elleptical selection",
                                      "MagicWand", "-", "Remove selection"}));
  EXPECT_EQ(captions(View->CellMenu->Items()->GetItem(5)),
            (std::vector<std::string>{"Add column/row", "Remove column/row", "Resize column/row"}));
  EXPECT_EQ(captions(View->ChartMenu->Items()),
            (std::vector<std::string>{"Display model mesh", "Display objects border", "Setup", "Display color bar",
                                      "Zoom&&Scroll", "Print preview"}));
  EXPECT_EQ(Menus::StripHotkey("Zoom&&Scroll"), "Zoom&Scroll");
  EXPECT_EQ(captions(View->ColorBarMenu->Items()),
            (std::vector<std::string>{"Set minimum", "Set maximum", "Set incremental factor", "Automatic", "-",
                                      "Log scale", "-", "Set half-space value", "Set cursor value"}));
  EXPECT_EQ(captions(View->DepthMenu->Items()),
            (std::vector<std::string>{"Set maximum", "-", "Redivide", "-", "Thick mesh", "Thin mesh"}));
  EXPECT_EQ(captions(View->DistanceMenu->Items()),
            (std::vector<std::string>{"Redivide", "-", "Thick mesh", "Thin mesh"}));
}

TEST_F(Section2DMouseTest, ADoubleClickOpensTheMenuOfTheRegion) {
  const TRect r = View->ChartRect;
  const int32_t midY = (r.Top + r.Bottom) / 2, midX = (r.Left + r.Right) / 2;
  struct Case {
    TPoint at;
    std::string menu;
  };
  View->ScaleKind = 1;
  View->ScaleMin = 1;
  const TPoint beside(r.Right + View->ColorBarGap + View->ColorBarWidth + 20, midY);
  for (const Case& c : {Case{beside, "ChartMenu"}, Case{{r.Left - 5, midY}, "DepthMenu"},
                        Case{{midX, r.Bottom + 5}, "DistanceMenu"},
                        Case{{r.Right + View->ColorBarGap + 5, midY}, "ColorBarMenu"}}) {
    Seam.AnswerPopup([&](TPopupMenu& m) -> TMenuItem* {
      EXPECT_EQ(m.GetName(), c.menu);
      if (c.menu == "ChartMenu") {
        EXPECT_TRUE(m.Items()->GetItem(0)->GetChecked());
        EXPECT_FALSE(m.Items()->GetItem(4)->GetChecked());
      }
      if (c.menu == "ColorBarMenu") {
        EXPECT_TRUE(m.Items()->GetItem(5)->GetChecked());
      }
      return nullptr;
    });
    EXPECT_FALSE(DoubleClick(c.at)) << c.menu;
  }
  EXPECT_FALSE(DoubleClick(CellPoint(3, 3)));  // the plot opens nothing
  EXPECT_EQ(Seam.Prompts().size(), 4u);
}

TEST_F(Section2DMouseTest, ColourBarCommandsAskUntilValidAndFireAfterApplying) {
  const TPoint bar(View->ChartRect.Right + View->ColorBarGap + 5, (View->ChartRect.Top + View->ChartRect.Bottom) / 2);
  const auto run = [&](const std::string& item, std::vector<std::optional<std::string>> answers) {
    Events.clear();
    Command(item);
    for (auto& a : answers) Seam.AnswerInput(a);
    DoubleClick(bar);
  };
  run("Set minimum", {"0"});
  EXPECT_EQ(View->ScaleMin, 0);
  EXPECT_EQ(Count("cb"), 0);
  run("Set minimum", {"10", "abc", "3"});
  EXPECT_EQ(View->ScaleMin, 3);
  EXPECT_EQ(Seam.Prompts().back().Caption, "Set minimal value");
  EXPECT_EQ(Seam.Prompts().back().Text, "Enter value <10");
  EXPECT_EQ(Events.back(), "cb");
  run("Set maximum", {"5000000000"});
  EXPECT_EQ(View->ScaleMax, 1e9);
  run("Set minimum", {std::nullopt});  // cancelled
  EXPECT_EQ(View->ScaleMin, 3);
  View->HalfSpaceValue = 100;
  run("Set incremental factor", {"1000", "10"});
  EXPECT_EQ(View->ScaleMin, 10);
  EXPECT_EQ(View->ScaleMax, 1000);
  run("Set incremental factor", {"1"});  // the default text leaves
  EXPECT_EQ(View->ScaleMin, 10);
  EXPECT_EQ(Count("cb"), 0);
  View->HalfSpaceValue = 1;
  run("Automatic", {});
  EXPECT_EQ(View->ScaleMin, 5);
  EXPECT_EQ(View->ScaleMax, 500);
  EXPECT_EQ(Count("cb"), 1);
  run("Log scale", {});
  EXPECT_EQ(View->ScaleKind, 1);
  run("Log scale", {});
  EXPECT_EQ(View->ScaleKind, 0);
  run("Set half-space value", {"0", "200"});
  EXPECT_EQ(View->HalfSpaceValue, 200);
  EXPECT_EQ(View->ScaleMax, 500);
  EXPECT_EQ(Seam.Prompts().back().Text, "Enter value 0.000001..1000000000");
  EXPECT_EQ(Events.back(), "cb");
  EXPECT_EQ(View->History.Stamps[0], 1);
  run("Set cursor value", {"600", "70"});
  EXPECT_EQ(View->CursorValue, 70);
  EXPECT_EQ(Events.back(), "cb");
  ExpectInvariants("colour bar");
}

TEST_F(Section2DMouseTest, AxisCommandsChangeTheMesh) {
  const TRect r = View->ChartRect;
  const TPoint depth(r.Left - 5, (r.Top + r.Bottom) / 2), distance((r.Left + r.Right) / 2, r.Bottom + 5);
  // "Set max depth" takes the second-last border itself.
  Command("Set maximum");
  Seam.AnswerInput("8");
  Seam.AnswerInput("9");
  DoubleClick(depth);
  EXPECT_EQ(Seam.Prompts()[1].Caption, "Set max depth");
  EXPECT_EQ(Seam.Prompts()[1].Text, "Enter value >9");
  EXPECT_EQ(View->RowBorders.back(), 9);
  EXPECT_EQ(View->MaxZ, 9);
  EXPECT_EQ(View->ExtentSeries->LargestY(), 9);
  EXPECT_EQ(View->LastRow, 9);
  // Cancelling keeps the depth.
  Command("Set maximum");
  Seam.AnswerInput(std::nullopt);
  DoubleClick(depth);
  EXPECT_EQ(View->RowBorders.back(), 9);
  ExpectInvariants("depth");
  Command("Redivide");
  DoubleClick(depth);
  EXPECT_DOUBLE_EQ(View->RowBorders[1], 0.9);
  Command("Thin mesh");
  DoubleClick(depth);
  EXPECT_EQ(View->LastRow, 19);
  Command("Thick mesh");
  DoubleClick(depth);
  EXPECT_EQ(View->LastRow, 9);
  Command("Thin mesh");
  DoubleClick(distance);
  EXPECT_EQ(View->LastColumn, 39);
  Command("Thick mesh");
  DoubleClick(distance);
  EXPECT_EQ(View->LastColumn, 19);
  arofdoubleM uneven = View->ColumnBorders;
  uneven[3] = 3.7;
  View->SetColumnBorders(static_cast<int32_t>(uneven.size()), &uneven);
  Command("Redivide");
  DoubleClick(distance);
  EXPECT_DOUBLE_EQ(View->ColumnBorders[3], 3);
  ExpectInvariants("axes");
}

TEST_F(Section2DMouseTest, ChartAndCellCommands) {
  // "Clear model".
  Cell(3, 3) = 9;
  View->FixedCells[3][3] = View->Selected[4][4] = 1;
  View->CellBounds[3][3] = {1, 9};
  Command("Clear model");
  Press(CellPoint(2, 2), TB::mbRight, ssRight);
  Release(CellPoint(2, 2), TB::mbRight);
  EXPECT_EQ(Cell(3, 3), View->HalfSpaceValue);
  EXPECT_FALSE(View->FixedCells[3][3]);
  EXPECT_FALSE(View->Selected[4][4]);
  EXPECT_EQ(View->CellBounds[3][3], (complexM{0, 0}));
  // Mode commands through the submenus.
  Seam.AnswerPopup([](TPopupMenu& m) { return m.Items()->GetItem(5)->GetItem(2); });
  Press(CellPoint(2, 2), TB::mbRight, ssRight);
  EXPECT_EQ(View->EditMode, 9);
  Seam.AnswerPopup([](TPopupMenu& m) { return m.Items()->GetItem(4)->GetItem(3); });
  Press(CellPoint(2, 2), TB::mbRight, ssRight);
  EXPECT_EQ(View->EditMode, 3);
  Command("Edit mode");
  Press(CellPoint(2, 2), TB::mbRight, ssRight);
  EXPECT_EQ(View->EditMode, 1);
  // "Cell to cursor value".
  Cell(6, 6) = 4;
  Move(CellPoint(6, 6));
  Command("Cell to cursor value");
  Press(CellPoint(6, 6), TB::mbRight, ssRight);
  EXPECT_EQ(View->CursorValue, 4);
  // The chart menu: mesh, borders, bar and zoom switch over.
  const TPoint outside(View->ChartRect.Right + View->ColorBarGap + View->ColorBarWidth + 20, 100);
  Command("Display model mesh");
  DoubleClick(outside);
  EXPECT_FALSE(View->ShowMesh);
  Command("Display color bar");
  DoubleClick(outside);
  EXPECT_FALSE(View->ShowColorBar);
  Command("Zoom&&Scroll");
  DoubleClick(outside);
  EXPECT_TRUE(View->GetAllowZoom());
  EXPECT_EQ(View->AllowPanning, TPanningMode::pmBoth);
  // With zoom on, presses do nothing.
  View->CursorValue = 8;
  Press(CellPoint(1, 1), TB::mbLeft, ssLeft);
  Release(CellPoint(1, 1), TB::mbLeft);
  EXPECT_EQ(Cell(1, 1), View->HalfSpaceValue);
  Command("Zoom&&Scroll");
  DoubleClick(outside);
  EXPECT_FALSE(View->GetAllowZoom());
  EXPECT_EQ(View->AllowPanning, TPanningMode::pmNone);
  Command("Print preview");
  Seam.AnswerModal([](TForm&) { return mrCancel; });
  DoubleClick(outside);
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Modal);
  ExpectInvariants("commands");
}

}  // namespace

}  // namespace Section2DMouseTests
