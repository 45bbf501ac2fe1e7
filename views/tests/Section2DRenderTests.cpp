// Cell pixels, the highlight, the colour bar and the cursor pointer of the cell-grid
// section.
#include <cmath>
#include <filesystem>

#include <QImage>

#include "views/tests/Section2DFixture.h"

namespace Section2DRenderTests {

namespace {

TColor Mean(TColor a, TColor b) {
  TColor c = 0;
  for (int s = 0; s <= 16; s += 8) c |= TColor(std::nearbyint((((a >> s) & 255) + ((b >> s) & 255)) / 2.0)) << s;
  return c;
}

class Section2DRenderTest : public Section2DTest {
protected:
  void SetUp() override {
    Section2DTest::SetUp();
    Fill(3, 2, 5);
    Bitmap = std::make_unique<TBitmap>(64, 64);
    Bitmap->SetPixelFormat(pf24bit);
    Clear();
  }
  void Clear() {
    TCanvas& c = *Bitmap->GetCanvas();
    c.Brush->SetBitmap(nullptr);
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(0, 0, 64, 64));
  }
  // Cell (i, j) as a 16 x 16 square at (x, y).
  void Draw(int32_t i, int32_t j, int32_t x = 0, int32_t y = 0, bool full = false, int32_t w = 16) {
    View->DrawCell(x, y, Bitmap->GetCanvas(), full, j, i, y + 16, y, y + 16, x + w);
  }
  TColor At(int32_t x, int32_t y) { return Bitmap->GetPixelColor(x, y); }
  std::unique_ptr<TBitmap> Bitmap;
};

TEST_F(Section2DRenderTest, HatchesMarkSelectedFixedAndBothCells) {
  const TColor cell = View->ColorOf(5);
  struct Case {
    bool selected, fixed;
    TColor hatch;
  };
  for (const Case c : {Case{true, false, 0xFFFFFF}, {false, true, 0x000000}, {true, true, Mean(0xFFFFFF, 0)}}) {
    View->Selected[1][1] = c.selected;
    View->FixedCells[1][1] = c.fixed;
    Clear();
    Draw(1, 1);
    for (const TPoint p : {TPoint(2, 2), TPoint(4, 4), TPoint(6, 2), TPoint(10, 10), TPoint(12, 4)})
      EXPECT_EQ(At(p.X, p.Y), c.hatch) << p.X << "," << p.Y;
    for (const TPoint p : {TPoint(1, 1), TPoint(3, 2), TPoint(5, 5), TPoint(9, 10)}) EXPECT_EQ(At(p.X, p.Y), cell);
    // A plain cell drawn next is solid again.
    View->Selected[1][1] = View->FixedCells[1][1] = 0;
    Draw(1, 1, 32, 32);
    for (int y = 33; y < 48; ++y)
      for (int x = 33; x < 48; ++x) ASSERT_EQ(At(x, y), cell) << x << "," << y;
  }
  EXPECT_EQ(Mean(0xFFFFFF, 0), 0x808080);
}

TEST_F(Section2DRenderTest, OutlinesAreTheMeshOrTheCellsOwnColourWithoutOverlap) {
  View->ShowBorders = false;
  Draw(1, 1);
  EXPECT_EQ(At(0, 8), View->MeshColor);
  EXPECT_EQ(At(16, 8), View->MeshColor);
  EXPECT_EQ(At(8, 16), View->MeshColor);
  // Without the mesh, neighbours drawn in either order give the same picture.
  View->ShowMesh = false;
  View->Layers[0][2][1] = 9;
  const auto pair = [&](bool leftFirst) {
    Clear();
    if (leftFirst) Draw(1, 1), Draw(2, 1, 16);
    else Draw(2, 1, 16), Draw(1, 1);
    return Bitmap->Image().copy();
  };
  const QImage a = pair(true), b = pair(false);
  EXPECT_TRUE(a == b);
  EXPECT_EQ(At(15, 8), View->ColorOf(5));
  EXPECT_EQ(At(16, 8), View->ColorOf(9));
  EXPECT_EQ(At(32, 8), View->ColorOf(9));  // the last column keeps its right edge
  EXPECT_EQ(At(33, 8), clWhite);
  EXPECT_EQ(At(8, 16), View->ColorOf(5));  // the last row keeps its bottom edge
}

TEST_F(Section2DRenderTest, ObjectBordersFollowTheThresholdAndTheDrawKind) {
  // A cell 1 pixel wide gets none, even as the first column.
  Draw(0, 0, 0, 0, true, 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_NE(At(x, y), clBlack);
  // First column and first row always; a full redraw draws no right edge except on the
  // last column and no bottom edge.
  Clear();
  View->Layers[0][1][0] = 9;
  View->Layers[0][1][1] = 9;
  Draw(0, 0);
  EXPECT_EQ(At(0, 8), clBlack);
  EXPECT_EQ(At(8, 0), clBlack);
  EXPECT_EQ(At(16, 8), View->MeshColor);
  EXPECT_EQ(At(8, 16), View->MeshColor);
  Clear();
  Draw(1, 1, 0, 0);  // differs from (0, 1) on the left; equal to (1, 0) above
  EXPECT_EQ(At(0, 8), clBlack);
  EXPECT_EQ(At(8, 0), View->MeshColor);
  EXPECT_EQ(At(16, 8), View->MeshColor);
  // Redrawn alone: the right edge (differs from (2, 1)) and, above the last row, the bottom.
  Clear();
  Draw(1, 0, 0, 0, true);
  EXPECT_EQ(At(16, 8), clBlack);
  EXPECT_EQ(At(8, 16), View->MeshColor);  // (1, 1) holds the same value
  View->Layers[0][1][1] = 5;
  Clear();
  Draw(1, 0, 0, 0, true);
  EXPECT_EQ(At(8, 16), clBlack);
  Clear();
  Draw(1, 1, 0, 0, true);  // the last row: no bottom edge
  EXPECT_EQ(At(8, 16), View->MeshColor);
  Clear();
  Draw(2, 1, 0, 0, false);  // the last column: its right edge even in a full redraw
  EXPECT_EQ(At(16, 8), clBlack);
}

TEST_F(Section2DRenderTest, TheLastRowContinuesToThePictureBottomUnderATopography) {
  for (const bool threePoints : {false, true}) {
    if (threePoints)
      Fill(3, 2, 5, {{0, 3}, {1.5, 2}, {3, 3}});
    else
      Fill(3, 2, 5, {{0, 3}, {3, 2}});
    for (int i = 0; i < 3; ++i) View->Layers[0][i][1] = 9;
    View->RedrawAll();
    TBitmap& p = Picture();
    // Below the grid's bottom at the first border, which lies above the picture's bottom.
    const int32_t x = View->XToPixel(0.2);
    const int32_t gridBottom = View->ZToPixel(View->SurfaceShiftAt(0.2, 0) + View->RowBorders.back());
    ASSERT_LT(gridBottom + 2, p.GetHeight());
    EXPECT_EQ(p.GetPixelColor(x, p.GetHeight() - 1), threePoints ? View->ColorOf(9) : clWhite) << threePoints;
    EXPECT_EQ(p.GetPixelColor(x, gridBottom + 2), threePoints ? View->ColorOf(9) : clWhite);
  }
}

TEST_F(Section2DRenderTest, TheHighlightDrawnTwiceLeavesTheCellAsItWas) {
  TBitmap& p = Picture();
  const QImage before = p.Image().copy();
  double x0 = 0, x1 = 0, tl = 0, tr = 0, bl = 0, br = 0;
  View->HighlightHook = [&](double a, double b, double c, double d, double e, double f) {
    x0 = a, x1 = b, tl = c, tr = d, bl = e, br = f;
  };
  View->HighlightCell(1, 1);
  EXPECT_FALSE(p.Image() == before);
  EXPECT_EQ(View->HighlightValue, 5);
  EXPECT_EQ(x0, 1);
  EXPECT_EQ(x1, 2);
  EXPECT_EQ(tl, 1);
  EXPECT_EQ(br, 2);
  EXPECT_EQ(tr, 1);
  EXPECT_EQ(bl, 2);
  View->HighlightCell(1, 1);
  EXPECT_TRUE(p.Image() == before);
  View->HighlightCell(1, 1);
  View->UnhighlightCell(1, 1);
  EXPECT_TRUE(p.Image() == before);
  View->ViewOnly = true;
  View->HighlightCell(1, 1);
  EXPECT_TRUE(p.Image() == before);
}

TEST_F(Section2DRenderTest, AFullRedrawDrawsEveryCellOnceAndPlacesTheGridOnThePicture) {
  const int64_t before = View->DrawCellCount;
  View->RedrawCells(nullptr);
  EXPECT_EQ(View->DrawCellCount - before, 6);
  EXPECT_EQ(View->CurrentCell, TPoint(0, 0));
  EXPECT_EQ(View->XToPixel(View->MinX), 0);
  EXPECT_EQ(View->XToPixel(View->MaxX), Picture().GetWidth());
  EXPECT_EQ(View->ZToPixel(View->MinZ), 0);
  EXPECT_EQ(View->ZToPixel(View->MaxZ), Picture().GetHeight());
  // The picture is shown one to one over the model extent.
  const TRect r = View->PictureTool->CalcImageRect();
  EXPECT_EQ(std::abs(r.Right - r.Left), Picture().GetWidth());
  EXPECT_EQ(std::abs(r.Bottom - r.Top), Picture().GetHeight());
  EXPECT_NEAR(View->PixelToX(r.Left + View->XToPixel(1.5)), 1.5, 0.02);
  EXPECT_NEAR(View->PixelToZ(std::min(r.Top, r.Bottom) + View->ZToPixel(0.5)), 0.5, 0.02);
  const auto painted = Paint();
  const TPoint mid = CellPoint(1, 1);
  EXPECT_EQ(painted->GetPixelColor(mid.X, mid.Y), View->ColorOf(5));
}

// ---- colour bar ----

TEST_F(Section2DRenderTest, TheBarRunsFromTheTopColourDownAndThePointerFollowsTheScale) {
  const auto painted = Paint();
  const TRect r = View->ChartRect;
  const int32_t x = r.Right + View->ColorBarGap + 3;
  EXPECT_EQ(painted->GetPixelColor(x, r.Top), View->ColorTable[0]);
  EXPECT_EQ(painted->GetPixelColor(x, r.Bottom), View->ColorTable[250]);
  EXPECT_EQ(painted->GetPixelColor(x, (r.Top + r.Bottom) / 2), View->ColorTable[125]);

  struct Case {
    uint8_t kind;
    double lo, hi, value, fraction;
  };
  const int32_t xb = r.Right + View->ColorBarGap;
  for (const Case c : {Case{0, 0, 10, 2.5, 0.25}, {1, 1, 1000, 10, 1.0 / 3}, {2, -100, 100, 0, 0.5}}) {
    View->ScaleKind = c.kind;
    View->ScaleMin = c.lo;
    View->ScaleMax = c.hi;
    View->UpdateSignedLogThreshold();
    View->CursorValue = c.value;
    const auto bar = Paint();
    const int32_t p = r.Bottom - int32_t(std::nearbyint(c.fraction * (r.Bottom - r.Top)));
    EXPECT_EQ(bar->GetPixelColor(xb - 5, p - 1), clBlack) << int(c.kind);
    EXPECT_EQ(bar->GetPixelColor(xb - 4, p - 6), clWhite) << int(c.kind);
    EXPECT_EQ(bar->GetPixelColor(xb - 4, p + 4), clWhite) << int(c.kind);
  }
  // At the ends the pointer turns red.
  View->ScaleKind = 0;
  View->ScaleMin = 0;
  View->ScaleMax = 10;
  for (const double v : {10.0, 0.0, 50.0}) {
    View->CursorValue = v;
    const auto bar = Paint();
    // The pointer's row is kept inside the bar.
    const int32_t q = v > 0 ? r.Top : r.Bottom - 1;
    EXPECT_EQ(bar->GetPixelColor(xb - 5, q), TColor(0x0000FF)) << v;
  }
}

TEST(Section2DPointer, TextIsWholeFromTen) {
  EXPECT_EQ(Section2D::PointerText(12.6), "13");
  EXPECT_EQ(Section2D::PointerText(10), "10");
  EXPECT_EQ(Section2D::PointerText(2.5), "2.5");
  EXPECT_EQ(Section2D::PointerText(0.05), "0.05");
}

TEST_F(Section2DRenderTest, ALogarithmicBarWithAZeroEndSwitchesToSignedLogarithmic) {
  View->ScaleKind = 1;
  View->ScaleMin = 0;
  View->ScaleMax = 100;
  View->CursorValue = -5;
  Paint();
  EXPECT_EQ(View->ScaleKind, 2);
}

TEST_F(Section2DRenderTest, APointerFromTheBarStaysFiniteAndABarOfNoHeightDoesNothing) {
  Paint();
  const TRect r = View->ChartRect;
  int fired = 0;
  View->OnAfterChangeCB = [&](TObject*) { ++fired; };
  View->CursorFromBar((r.Top + r.Bottom) / 2);
  EXPECT_NEAR(View->CursorValue, 5, 10.0 / (r.Bottom - r.Top));
  EXPECT_EQ(fired, 1);
  View->ScaleKind = 1;
  View->ScaleMin = 0;  // logarithmic with a zero end computes as signed logarithmic
  View->UpdateSignedLogThreshold();
  View->CursorFromBar(r.Top + 3);
  EXPECT_TRUE(std::isfinite(View->CursorValue));
  View->ChartRect = TRect(r.Left, 50, r.Right, 50);
  View->CursorValue = 7;
  View->CursorFromBar(50);
  EXPECT_EQ(View->CursorValue, 7);
  EXPECT_EQ(fired, 2);
}

TEST_F(Section2DRenderTest, FixedBordersAndFlaggedPointsGetSmallMarks) {
  View->FixedBorders[1] = 1;
  View->FlaggedPoints = {{2, 1}, {2.5, -50}};
  const auto painted = Paint();
  const TRect r = View->ChartRect;
  const int32_t bx = View->BottomAxis()->ValueToPixel(1);
  EXPECT_EQ(painted->GetPixelColor(bx, r.Top), clBlack);
  EXPECT_EQ(painted->GetPixelColor(bx + 1, r.Top + 2), clBlack);
  const TPoint f = Section2DTest::At(2, 1);
  EXPECT_EQ(painted->GetPixelColor(f.X, f.Y - 1), clBlack);
  EXPECT_EQ(painted->GetPixelColor(f.X + 1, f.Y - 3), clBlack);
}

TEST_F(Section2DTest, ASectionWithTopographyIsRenderedAsAPicture) {
  std::vector<complexM> topography;
  for (int k = 0; k <= 20; ++k) topography.push_back({k * 5.0, 8 * std::sin(k / 3.0)});
  Fill(20, 10, 100, topography, 5, 3);
  for (int i = 6; i < 14; ++i)
    for (int j = 3; j < 8; ++j) View->Layers[0][i][j] = 10;
  View->ScaleMin = 5;
  View->ScaleMax = 200;
  View->ScaleKind = 1;
  View->HalfSpaceValue = 100;
  View->CursorValue = 10;
  for (int i = 8; i < 12; ++i)
    for (int j = 4; j < 6; ++j) View->Selected[i][j] = 1;
  View->FixedCells[3][2] = 1;
  View->FixedBorders[10] = 1;
  View->RedrawAll();
  const auto painted = Paint();
  const std::string file = std::filesystem::temp_directory_path() / "section2d.png";
  TPngImage png;
  png.Assign(*painted);
  png.SaveToFile(file);
  EXPECT_TRUE(std::filesystem::exists(file));
  const TPoint low = CellPoint(10, 6), high = CellPoint(2, 8);
  EXPECT_EQ(painted->GetPixelColor(low.X + 1, low.Y), View->ColorOf(10));
  EXPECT_EQ(painted->GetPixelColor(high.X + 1, high.Y), View->ColorOf(100));
  // The model's outline: the first column's left edge and the surface are object borders.
  EXPECT_EQ(Pixel(0, View->ZToPixel(View->SurfaceOffsets[0] + 1.5)), clBlack);
  EXPECT_EQ(Pixel(View->XToPixel(50), View->ZToPixel(View->SurfaceShiftAt(50, 10))), clBlack);
}

}  // namespace

namespace {

// A drawing interface that records the labels it writes.
class TLabelCanvas : public TPlotCanvas3D {
public:
  struct TLabel {
    int32_t X, Y;
    std::string Text;
  };
  void TextOut(int32_t X, int32_t Y, const std::string& Text) override {
    Labels.push_back({X, Y, Text});
    TPlotCanvas3D::TextOut(X, Y, Text);
  }
  std::vector<TLabel> Labels;
};

std::vector<std::string> Texts(const TLabelCanvas& c) {
  std::vector<std::string> t;
  for (const auto& l : c.Labels) t.push_back(l.Text);
  return t;
}

TEST(Section2DValueAxis, LabelsRunFromTheTopAndNeverOverlapExceptAtTheEnds) {
  TBitmap bitmap(200, 500);
  TLabelCanvas c;
  c.AttachCanvas(bitmap.GetCanvas());
  const int32_t h = c.TextHeight("123456789");
  // Logarithmic: powers of ten of evenly stepped exponents, the largest on top.
  Section2D::DrawValueAxis(c, 1, 0, 1, 1, 1000, 10, 10, 12 * h, 1, "", "", true);
  const std::vector<std::string> log = Texts(c);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "1000");
  EXPECT_EQ(log.back(), "1");
  for (const char* t : {"10", "100"}) EXPECT_NE(std::find(log.begin(), log.end(), t), log.end()) << t;
  // Equal ends: the axis line and no label.
  c.Labels.clear();
  Section2D::DrawValueAxis(c, 1, 0, 0, 4, 4, 10, 10, 200, 1, "", "", true);
  EXPECT_TRUE(c.Labels.empty());
  EXPECT_EQ(bitmap.GetPixelColor(10, 100), clBlack);
  // A short axis: neighbouring drawn labels keep apart, the first and the last are drawn.
  for (const int32_t length : {3 * h + 2, 4 * h, 6 * h, 20 * h}) {
    c.Labels.clear();
    Section2D::DrawValueAxis(c, 1, 0, 0, 0, 7, 10, 10, length, 1, "", "", true);
    const arofdoubleM ticks = Section2D::NiceTicksForHeight(std::abs(c.TextHeight("0123456789")), length, 0, 7);
    ASSERT_FALSE(c.Labels.empty());
    EXPECT_EQ(c.Labels.front().Text, Supermath2d::detail::FixedText(ticks.back(), Section2D::LabelDecimals(ticks).back()));
    for (size_t k = 1; k + 1 < c.Labels.size(); ++k) EXPECT_GT(c.Labels[k].Y, c.Labels[k - 1].Y + h - 2) << length;
    EXPECT_LE(c.Labels.size(), ticks.size());
  }
  // Signed logarithmic around zero.
  c.Labels.clear();
  Section2D::DrawValueAxis(c, 1, 0, 2, -100, 100, 10, 10, 20 * h, 0.1, "", "", true);
  EXPECT_EQ(c.Labels.front().Text, "100");
  EXPECT_EQ(c.Labels.back().Text, "-100");
  c.AttachCanvas(nullptr);
}

}  // namespace

}  // namespace Section2DRenderTests
