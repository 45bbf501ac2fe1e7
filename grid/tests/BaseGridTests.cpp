#include "grid/BaseGrid.h"
#include "platform/ui/tests/UiFixture.h"

#include <cmath>
#include <map>

namespace BaseGridTests {

namespace {

// A base grid that counts body drawing and can colour cells through CellVisuals.
class TProbeGrid : public TBaseGrid {
 public:
  using TBaseGrid::TBaseGrid;
  std::map<std::pair<int, int>, int> Bodies;
  std::map<std::pair<int, int>, TRect> BodyRects;
  std::map<std::pair<int, int>, TColor> Fill;
  std::map<std::pair<int, int>, TColor> GradientTo;
  void DrawCellBody(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState State) override {
    ++Bodies[{ACol, ARow}];
    BodyRects[{ACol, ARow}] = R;
    TBaseGrid::DrawCellBody(Canvas, ACol, ARow, R, State);
  }
  void CellVisuals(int ACol, int ARow, TAlignment&, TVAlignment&, bool&, TFont&, TColor& To, TBrush& Brush, bool,
                   bool, bool, TGridDrawState&) override {
    auto f = Fill.find({ACol, ARow});
    if (f != Fill.end()) Brush.SetColor(f->second);
    auto g = GradientTo.find({ACol, ARow});
    if (g != GradientTo.end()) To = g->second;
  }
};

}  // namespace

class BaseGridTest : public UiTest {
 protected:
  BaseGridTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 400, 300);
    grid = Create<TProbeGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 250, 120);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(8);
    grid->SetRowCount(8);
    grid->SetColor(clWhite);
    grid->SetFixedColor(clBtnFace);
  }
  TBitmap& Paint() {
    grid->PaintTo(bmp);
    return bmp;
  }
  TForm* form;
  TProbeGrid* grid;
  TBitmap bmp;
};

TEST_F(BaseGridTest, ConstructionDefaults) {
  EXPECT_EQ(grid->GetGridLineWidth(), 1);
  EXPECT_EQ(grid->TStringGrid::GetGridLineWidth(), 0);
  EXPECT_EQ(grid->GetGridLineColor(), clSilver);
  EXPECT_FALSE(grid->GetDefaultDrawing());
  EXPECT_FALSE(grid->TStringGrid::GetDefaultDrawing());
  EXPECT_TRUE(grid->GetOptions().Contains(goDrawFocusSelected));
  EXPECT_FALSE(grid->GetHideLastRow());
  EXPECT_FALSE(grid->HasCellProperties(2, 2));
  TCellProperties* p = grid->CellProperties(2, 2);
  EXPECT_EQ(p, grid->CellProperties(2, 2));
  EXPECT_EQ(p->OwnerCol, 2);
  EXPECT_EQ(p->GetBrushColor(), clNone);
  EXPECT_EQ(p->CellSpanX, -1);
  EXPECT_TRUE(p->IsBaseCell);
  EXPECT_EQ(p->Editor, edNormal);
}

TEST_F(BaseGridTest, MergingOneCellLeavesItUnmerged) {
  grid->MergeCells(3, 3, 1, 1);
  EXPECT_EQ(grid->CellProperties(3, 3)->CellSpanX, 0);
  EXPECT_EQ(grid->CellProperties(3, 3)->CellSpanY, 0);
  EXPECT_FALSE(grid->IsMergedCell(3, 3));
  EXPECT_EQ(grid->CellSpan(3, 3), Point(0, 0));
}

TEST_F(BaseGridTest, BlockEncodingTextThroughTheOriginAndSplit) {
  grid->MergeCells(2, 2, 3, 2);
  struct Case { int Col, Row, SpanX, SpanY; bool Base; };
  for (const Case& c : {Case{2, 2, 2, 1, true}, Case{3, 2, 1, 0, false}, Case{4, 3, 2, 1, false}}) {
    const TCellProperties* p = grid->RawCellProperties(c.Col, c.Row);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->CellSpanX, c.SpanX) << c.Col << "," << c.Row;
    EXPECT_EQ(p->CellSpanY, c.SpanY) << c.Col << "," << c.Row;
    EXPECT_EQ(p->IsBaseCell, c.Base);
    EXPECT_EQ(grid->BaseCell(c.Col, c.Row), Point(2, 2));
    EXPECT_TRUE(grid->IsMergedCell(c.Col, c.Row));
    EXPECT_EQ(grid->CellSpan(c.Col, c.Row), Point(2, 1));
  }
  EXPECT_TRUE(grid->IsXMergedCell(3, 3));
  EXPECT_TRUE(grid->IsYMergedCell(3, 3));
  int r = 0, c = 0;
  EXPECT_FALSE(grid->BaseCellEx(4, 3, r, c));
  EXPECT_EQ(std::make_pair(c, r), std::make_pair(2, 2));
  grid->SetCellText(4, 3, "block");
  EXPECT_EQ(grid->RawCellText(2, 2), "block");
  EXPECT_EQ(grid->RawCellText(4, 3), "");
  EXPECT_EQ(grid->CellText(3, 2), "block");
  // The block's rectangle: three columns by two rows.
  const TRect plain = grid->PlainCellRect(2, 2);
  EXPECT_EQ(grid->CellRect(3, 3), Rect(plain.Left, plain.Top, plain.Left + 150, plain.Top + 40));
  EXPECT_EQ(grid->CellSize(4, 2).cx, 150);
  grid->SplitCells(3, 3);
  for (int i = 2; i <= 4; ++i)
    for (int j = 2; j <= 3; ++j) {
      EXPECT_EQ(grid->RawCellProperties(i, j)->CellSpanX, -1);
      EXPECT_EQ(grid->RawCellProperties(i, j)->CellSpanY, -1);
      EXPECT_TRUE(grid->IsBaseCell(i, j));
    }
}

TEST_F(BaseGridTest, DisplayTextHookOnlyForNormalRows) {
  grid->NormalRowCount = 5;
  grid->SetCellText(1, 2, "a");
  grid->SetCellText(1, 6, "b");
  grid->OnGetDisplText = [](TObject*, int, int, std::string& v) { v = "<" + v + ">"; };
  EXPECT_EQ(grid->CellText(1, 2), "<a>");
  EXPECT_EQ(grid->CellText(1, 6), "b");
}

TEST_F(BaseGridTest, ABlockIsDrawnOncePerPass) {
  grid->MergeCells(2, 2, 2, 2);
  Paint();
  EXPECT_EQ((grid->Bodies[{2, 2}]), 1);
  EXPECT_EQ(grid->Bodies.count({3, 3}), 0u);
  Paint();
  EXPECT_EQ((grid->Bodies[{2, 2}]), 2);
}

TEST_F(BaseGridTest, PixelsOfCellsLinesAndFixedBand) {
  grid->Fill[{1, 1}] = clRed;
  Paint();
  // Cell (1, 1) spans x 50..99, y 20..39: filled red, its right and bottom
  // pixels are the silver grid lines; fixed cells have grey lines.
  struct Px { int X, Y; TColor Want; };
  for (const Px& p : {Px{60, 30, clRed}, Px{99, 30, clSilver}, Px{60, 39, clSilver}, Px{98, 38, clRed},
                      Px{49, 10, clGray}, Px{20, 19, clGray}, Px{20, 0, clGray}, Px{0, 10, clGray},
                      Px{120, 30, clWhite}})
    EXPECT_EQ(Paint().GetPixelColor(p.X, p.Y), p.Want) << p.X << "," << p.Y;
  // The body gets the cell shrunk by the line width.
  EXPECT_EQ((grid->BodyRects[{1, 1}]), Rect(51, 21, 99, 39));
  EXPECT_EQ((grid->BodyRects[{0, 0}]), Rect(1, 1, 49, 19));
}

TEST_F(BaseGridTest, LineWidthZeroLeavesLinesOnlyOnFixedCells) {
  grid->SetGridLineWidth(0);
  grid->Fill[{1, 1}] = clRed;
  Paint();
  EXPECT_EQ(bmp.GetPixelColor(99, 30), clRed);
  EXPECT_EQ(bmp.GetPixelColor(60, 39), clRed);
  EXPECT_EQ(bmp.GetPixelColor(49, 10), clGray);
  EXPECT_EQ((grid->BodyRects[{1, 1}]), Rect(50, 20, 100, 40));
  grid->SetOptions(grid->GetOptions() - goFixedVertLine - goFixedHorzLine);
  Paint();
  EXPECT_EQ(bmp.GetPixelColor(49, 10), ColorToRGB(clBtnFace));
}

TEST_F(BaseGridTest, GradientFillsSixtyFourBands) {
  grid->SetGridLineWidth(0);
  grid->Fill[{1, 1}] = clBlack;
  grid->GradientTo[{1, 1}] = 0x0000FF;
  Paint();
  // Cell x 50..99: band i (width 50/64) has red round(i * 255 / 64).
  for (int x : {50, 60, 75, 99}) {
    const double sw = 50.0 / 64;
    int band = 0;
    for (int i = 0; i < 64; ++i)
      if (std::nearbyint(i * sw) <= x - 50) band = i;
    EXPECT_EQ(bmp.GetPixelColor(x, 30), static_cast<TColor>(std::nearbyint(band * 255.0 / 64))) << x;
  }
}

TEST_F(BaseGridTest, ABlockScrolledUnderTheFixedColumnIsClippedThere) {
  grid->MergeCells(1, 2, 3, 1);
  grid->Fill[{1, 2}] = clRed;
  grid->SetLeftCol(2);
  Paint();
  EXPECT_NE(bmp.GetPixelColor(25, 50), clRed);  // fixed column 0 stays
  EXPECT_EQ(bmp.GetPixelColor(60, 50), clRed);  // the block's visible part
  EXPECT_EQ((grid->Bodies[{1, 2}]), 1);
}

TEST_F(BaseGridTest, KeysAndWheelKeepTheCurrentCellOnOrigins) {
  grid->MergeCells(2, 2, 2, 2);
  grid->MoveColRow(2, 2, true, true);
  uint16_t key = VK_RIGHT;
  grid->KeyDown(key, {});
  EXPECT_EQ(grid->GetCol(), 4);
  grid->MoveColRow(2, 2, true, true);
  key = VK_DOWN;
  grid->KeyDown(key, {});
  EXPECT_EQ(grid->GetRow(), 4);
  // Entering the block from below snaps onto its origin.
  grid->MoveColRow(3, 4, true, true);
  key = VK_UP;
  grid->KeyDown(key, {});
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(2, 2));
  // A current cell set inside the block by code: Left snaps, then leaves.
  grid->MoveColRow(3, 3, true, true);
  key = VK_LEFT;
  grid->KeyDown(key, {});
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(1, 2));
  grid->MoveColRow(3, 3, true, true);
  key = VK_UP;
  grid->KeyDown(key, {});
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(2, 1));
  grid->MoveColRow(2, 1, true, true);
  grid->DoMouseWheelDown({}, Point(5, 5));
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(2, 2));
}

TEST_F(BaseGridTest, HiddenLastRowIsBlankAndAvoided) {
  grid->SetHideLastRow(true);
  grid->SetCellText(1, 7, "x");
  grid->Fill[{1, 7}] = clRed;
  grid->SetTopRow(5);
  Paint();
  const TRect r = grid->PlainCellRect(1, 7);
  EXPECT_EQ(bmp.GetPixelColor(r.Left + 5, r.Top + 5), clWhite);
  grid->MoveColRow(1, 6, true, true);
  uint16_t key = VK_DOWN;
  grid->KeyDown(key, {});
  EXPECT_EQ(grid->GetRow(), 6);
  int changed = 0;
  struct TLast : TProbeGrid {
    using TProbeGrid::TProbeGrid;
    int* N = nullptr;
    void LastRowChanged() override { ++*N; }
  };
  auto* g = Create<TLast>(form);
  g->N = &changed;
  g->SetRowCount(4);
  g->SetHideLastRow(true);
  g->SetCellText(1, 3, "x");
  g->SetCellText(1, 2, "y");
  EXPECT_EQ(changed, 1);
}

TEST_F(BaseGridTest, PropertiesMoveWithRowsAndClearingDoesNotFree) {
  TCellProperties* p = grid->CellProperties(2, 3);
  p->NodeLevel = 4;
  grid->MoveRow(3, 5);
  EXPECT_EQ(grid->RawCellProperties(2, 5), p);
  grid->ClearRowData(5);
  EXPECT_EQ(grid->RawCellProperties(2, 5), nullptr);
  grid->PutRawCellProperties(2, 5, p);  // still alive: put back for the grid to free
  grid->FreeCellObjects(0, 0, 7, 7);
  EXPECT_FALSE(grid->HasCellProperties(2, 5));
  // Assign copies the look and the merge state, not the colour-to or the object.
  TCellProperties a(grid, 1, 1), b(grid, 2, 2);
  a.SetBrushColor(clRed);
  a.SetBrushColorTo(clBlue);
  a.FontName = "Arial";
  a.CellSpanX = 3;
  a.ReadOnly = true;
  TObject o;
  a.CellObject = &o;
  b.Assign(&a);
  EXPECT_EQ(b.GetBrushColor(), clRed);
  EXPECT_EQ(b.GetBrushColorTo(), clNone);
  EXPECT_EQ(b.FontName, "Arial");
  EXPECT_EQ(b.CellSpanX, 3);
  EXPECT_TRUE(b.ReadOnly);
  EXPECT_EQ(b.CellObject, nullptr);
}

TEST_F(BaseGridTest, GraphicSlotKeepsAnEmptyCellEmpty) {
  TObject g;
  grid->SetCellGraphicObject(3, 3, &g);
  EXPECT_EQ(grid->GetCellGraphicObject(3, 3), &g);
  EXPECT_EQ(grid->RawCellText(3, 3), "");
  EXPECT_EQ(grid->GetCellGraphicObject(4, 4), nullptr);
  grid->CellProperties(3, 3)->GraphicObject = nullptr;
}

TEST_F(BaseGridTest, RowsShareAMergeGroupOnlyWithTheSameOrigin) {
  grid->MergeCells(1, 1, 1, 3);
  grid->MergeCells(2, 1, 1, 2);
  EXPECT_TRUE(grid->RowsShareMergeGroup(1, 2));
  EXPECT_TRUE(grid->RowsShareMergeGroup(2, 3));  // column 2 does not count: row 3 is in no block there
  grid->MergeCells(2, 3, 1, 2);
  EXPECT_FALSE(grid->RowsShareMergeGroup(2, 3));  // column 2: blocks with different origins
  EXPECT_FALSE(grid->RowsShareMergeGroup(1, 3));
  EXPECT_FALSE(grid->RowsShareMergeGroup(5, 6));
}

TEST_F(BaseGridTest, UndoKeepsAtMostMaxLevelItems) {
  auto* undo = Create<TGridViewUndoRedo>(form);
  grid->SetUndoRedo(undo);
  EXPECT_EQ(undo->GetGrid(), grid);
  undo->MaxLevel = 2;
  undo->RecordChange(1, 1, "a", "");
  undo->RecordChange(1, 2, "b", "x");
  undo->RecordChange(1, 3, "c", "y");
  ASSERT_EQ(undo->Items()->Count(), 2);
  EXPECT_EQ(undo->Level, 2);
  EXPECT_EQ(undo->Items()->ItemAs<TUndoRedoItem>(0)->Value, "b");
  EXPECT_EQ(undo->Items()->ItemAs<TUndoRedoItem>(1)->OrigValue, "y");
  undo->Free();
  EXPECT_EQ(grid->GetUndoRedo(), nullptr);
}

}  // namespace BaseGridTests
