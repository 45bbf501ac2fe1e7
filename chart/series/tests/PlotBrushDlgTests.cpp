// The brush dialog and the pattern tiles.
#include "chart/series/PlotBrushDlg.h"

#include <set>

#include "chart/series/PlotPenDlg.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotBrushDlgTests {

namespace {

class BrushDialog : public StyleDialogTest {};

TEST_F(BrushDialog, PatternItemStoresItsStyleAndTileAndClearingKeepsTheStyle) {
  TChartBrush Brush;
  Brush.SetColor(clBlue);
  Modal<TBrushDialog>([](TBrushDialog& D) {
    EXPECT_EQ(D.GetCaption(), "Pattern Color Editor");
    EXPECT_EQ(D.LStyle->Items()->Count(), 8 + 35);
    EXPECT_EQ(D.LStyle->GetItemIndex(), 0);
    EXPECT_EQ(D.Button1->GetCaption(), "B&rowse...");
    D.LStyle->SetItemIndex(8);
    D.LStyleClick(D.LStyle);
    EXPECT_EQ(D.EditedBrush->GetStyleOrdinal(), 8);
    EXPECT_EQ(D.Button1->GetCaption(), "Clea&r");
    EXPECT_EQ(D.Button1->Tag, 1);
    TBitmap* Image = D.EditedBrush->GetImage()->GetBitmap();
    TBitmap Tile(8, 8);
    PlotBrushDlg::LoadPatternBitmap(0, Tile);
    for (int Y = 0; Y < 8; ++Y)
      for (int X = 0; X < 8; ++X) EXPECT_EQ(Image->GetPixelColor(X, Y), Tile.GetPixelColor(X, Y));
    D.Button1->Click();
    EXPECT_TRUE(D.EditedBrush->GetImage()->Empty());
    EXPECT_EQ(D.EditedBrush->GetStyleOrdinal(), 8);
    EXPECT_EQ(D.Button1->GetCaption(), "B&rowse...");
    return mrOk;
  });
  EXPECT_TRUE(PlotBrushDlg::EditBrushModal(nullptr, &Brush));
  EXPECT_EQ(Brush.GetStyleOrdinal(), 8);
}

TEST_F(BrushDialog, CancelRestoresTheBrushAndClearDisablesTheColour) {
  TChartBrush Brush;
  Brush.SetColor(clRed);
  Brush.SetStyle(bsCross);
  const auto Before = PlotPenDlg::Snapshot(&Brush);
  Modal<TBrushDialog>([](TBrushDialog& D) {
    D.LStyle->SetItemIndex(1);
    D.LStyleClick(D.LStyle);
    EXPECT_FALSE(D.BColor->GetEnabled());
    D.LStyle->SetItemIndex(12);
    D.LStyleClick(D.LStyle);
    EXPECT_TRUE(D.BColor->GetEnabled());
    D.Button3->Click();
    return D.GetModalResult();
  });
  EXPECT_FALSE(PlotBrushDlg::EditBrushModal(nullptr, &Brush));
  EXPECT_EQ(PlotPenDlg::Snapshot(&Brush), Before);
  EXPECT_TRUE(Brush.PeekImage() == nullptr || Brush.PeekImage()->Empty());
}

TEST(BrushPatterns, FortyNineDistinctTilesOnWhite) {
  std::set<uint64_t> Seen;
  for (int32_t N = 0; N < PlotBrushDlg::PatternCount; ++N) {
    const uint64_t Bits = PlotBrushDlg::PatternBits(N);
    EXPECT_NE(Bits, 0u) << N;
    EXPECT_NE(Bits, ~uint64_t(0)) << N;
    Seen.insert(Bits);
    TBitmap B;
    PlotBrushDlg::LoadPatternBitmap(N, B);
    ASSERT_EQ(B.GetWidth(), 8);
    EXPECT_EQ(B.GetTransparentColor(), clWhite);
    for (int Y = 0; Y < 8; ++Y)
      for (int X = 0; X < 8; ++X)
        EXPECT_EQ(B.GetPixelColor(X, Y) & 0xFFFFFF, (Bits >> (Y * 8 + X)) & 1 ? clBlack : clWhite);
  }
  EXPECT_EQ(Seen.size(), 49u);
  EXPECT_EQ(PlotBrushDlg::PatternBits(49), 0u);
  EXPECT_EQ(PlotBrushDlg::PatternBits(-1), 0u);
}

TEST(BrushPatterns, AChartBrushWithAPatternStyleFillsWithTheTile) {
  PlotBrushDlg::Initialization();
  TBitmap B(32, 32);
  TPlotCanvas3D Canvas;
  Canvas.SetBuffered(false);
  Canvas.AttachCanvas(B.GetCanvas());
  Canvas.ResetState();
  TChartBrush Brush;
  Brush.SetStyleOrdinal(8 + 3);
  Brush.SetColor(clRed);
  Canvas.UseBrushColor(Brush, clRed, clWhite);
  Canvas.Pen->SetStyle(psClear);
  Canvas.Rectangle(0, 0, 33, 33);
  const uint64_t Bits = PlotBrushDlg::PatternBits(3);
  int Match = 0;
  for (int Y = 8; Y < 16; ++Y)
    for (int X = 8; X < 16; ++X) {
      const bool Ink = (Bits >> ((Y % 8) * 8 + X % 8)) & 1;
      Match += ((B.GetPixelColor(X, Y) & 0xFFFFFF) == (Ink ? clRed : clWhite)) ? 1 : 0;
    }
  EXPECT_EQ(Match, 64);
  PlotCanvas::LoadPatternBitmap = nullptr;
}

}  // namespace

}  // namespace PlotBrushDlgTests
