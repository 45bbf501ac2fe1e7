// Cell painting and cell graphics, checked as pixels: the electrode table,
// colour resolution, alignment, text layout, check boxes, radio groups,
// progress bars and measured sizes.

#include "grid/GridUtil.h"
#include "grid/GridView.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Themes.h"
#include "platform/ui/tests/UiFixture.h"

#include <cmath>
#include <numbers>

namespace GridPaintTests {

namespace {

// A grid whose focus the test decides.
class TFocusGrid : public TGridView {
 public:
  using TGridView::TGridView;
  bool IsGridFocused() const override { return HasFocus; }
  bool HasFocus = false;
};

bool Dark(TColor C) {
  const int r = C & 0xFF, g = (C >> 8) & 0xFF, b = (C >> 16) & 0xFF;
  return r + g + b < 3 * 110;
}

// Ink pixels (dark ones) of a rectangle, as a picture of 0 and 1.
std::vector<std::string> Ink(const TBitmap& B, const TRect& R) {
  std::vector<std::string> rows;
  for (int y = R.Top; y < R.Bottom; ++y) {
    std::string row;
    for (int x = R.Left; x < R.Right; ++x) row += Dark(B.GetPixelColor(x, y)) ? '1' : '0';
    rows.push_back(row);
  }
  return rows;
}

// Rows of a rectangle that hold ink, grouped into bands of consecutive rows.
int InkBands(const TBitmap& B, const TRect& R) {
  int bands = 0;
  bool inBand = false;
  for (int y = R.Top; y < R.Bottom; ++y) {
    bool ink = false;
    for (int x = R.Left; x < R.Right && !ink; ++x) ink = Dark(B.GetPixelColor(x, y));
    if (ink && !inBand) ++bands;
    inBand = ink;
  }
  return bands;
}

// The pixels of a registered picture drawn at (0, 0) over Background.
std::unique_ptr<TBitmap> Picture(const std::string& Name, TColor Background, int W, int H) {
  auto b = std::make_unique<TBitmap>(W, H);
  b->GetCanvas()->Brush->SetColor(Background);
  b->GetCanvas()->FillRect(TRect(0, 0, W, H));
  GridUtil::DrawResourceBitmap(*b->GetCanvas(), Background, TRect(0, 0, W, H), Name);
  return b;
}

bool SameArea(const TBitmap& A, int AX, int AY, const TBitmap& B, int W, int H) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (A.GetPixelColor(AX + x, AY + y) != B.GetPixelColor(x, y)) return false;
  return true;
}

constexpr TColor kCurrentRow = 0x90FFFF;

}  // namespace

class GridPaintTest : public UiTest {
 protected:
  GridPaintTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 700, 400);
    grid = Create<TFocusGrid>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 680, 380);
  }
  TBitmap& Paint() {
    grid->PaintTo(bmp);
    return bmp;
  }
  // The rectangle DrawCellBody receives (the cell less its grid line).
  TRect Body(int ACol, int ARow) {
    const TRect c = grid->TBaseGrid::CellRect(ACol, ARow);
    return TRect(c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1);
  }

  // The electrode editor's table: 2 sources x 3 receivers.
  void ConfigureElectrodeTable() {
    grid->SetColCount(9);
    grid->SetRowCount(7);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goEditing, goDrawFocusSelected});
    grid->SetLook(glXP);
    grid->SetFlat(false);
    grid->SetSelectionColor(kCurrentRow);
    grid->SetSelectionTextColor(clNavy);
    grid->SetSelectionRectangle(true);
    grid->EnableHTML = true;
    grid->SetURLShow(false);
    grid->SetVAlignment(vtaCenter);
    grid->SetWordWrap(false);
    grid->SetGridLineColor(clSilver);
    grid->SetColWidths(0, 34);
    grid->ControlLook()->SetControlStyle(csWinXP);
    grid->ControlLook()->SetCheckSize(15);
    grid->ControlLook()->SetRadioSize(10);
    grid->SortSettings()->Show = true;
    grid->SortSettings()->SetRow(0);
    grid->SortSettings()->Full = true;
    grid->SortSettings()->AutoFormat = true;
    grid->SortSettings()->Column = 8;
    grid->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment& V) {
      H = TAlignment::taCenter;
      V = vtaCenter;
    };
    grid->OnGetCellColor = [this](TObject*, int ARow, int ACol, TGridDrawState, TBrush& B, TFont& F) {
      if (ARow == 0 && ACol == 6) F.SetName("Symbol");
      if (ARow < 1 || ACol < 1) return;
      if (ARow == grid->GetRow()) {
        B.SetColor(kCurrentRow);
        F.SetColor(clNavy);
      } else {
        B.SetColor(clWhite);
      }
    };
    const std::vector<std::string> headers{"", "Used", "C1", "C2", "P1", "P2", "ra", "R", "weight"};
    for (int c = 0; c < 9; ++c) grid->SetCells(c, 0, headers[size_t(c)]);
    const std::vector<std::array<std::string, 4>> el{{"1", "2", "3", "4"}, {"1", "2", "4", "5"}, {"1", "2", "5", "6"},
                                                     {"2", "*", "4", "5"}, {"2", "*", "5", "6"}, {"2", "*", "6", "*"}};
    for (int r = 1; r <= 6; ++r) {
      grid->SetCells(0, r, std::to_string(r));
      grid->AddCellCheckBox(1, r, r != 3, false);
      for (int k = 0; k < 4; ++k) grid->SetCells(2 + k, r, el[size_t(r - 1)][size_t(k)]);
      grid->SetCells(6, r, std::to_string(100 + r * 7));
      grid->SetCells(7, r, std::to_string(r) + ".5");
      grid->SetCells(8, r, "1");
    }
    grid->SetRow(2);
    grid->SetCol(2);
  }

  TForm* form = nullptr;
  TFocusGrid* grid = nullptr;
  TBitmap bmp;
};

TEST_F(GridPaintTest, ElectrodeTablePixels) {
  ConfigureElectrodeTable();
  Paint();
  {
    TPngImage png;
    png.Assign(bmp);
    png.SaveToFile("/tmp/grid_electrode.png");
  }
  // Check boxes of column 1: checked (XP picture 05) and unchecked (06), centred.
  for (int r : {1, 2, 3}) {
    const TRect b = Body(1, r);
    const int x = b.Left + (b.Width() - 15) / 2, y = b.Top + (b.Height() - 15) / 2;
    const TColor back = r == 2 ? kCurrentRow : clWhite;
    const auto want = Picture(r == 3 ? "GVCHK06" : "GVCHK05", back, 15, 15);
    EXPECT_TRUE(SameArea(bmp, x, y, *want, 15, 15)) << "row " << r;
  }
  // The header "ra" of column 6 in the Symbol face shows rho-a: the Greek
  // rho (U+03C1) in the Symbol face followed by a Latin "a" in the header font.
  {
    const TRect b = Body(6, 0);
    TBitmap ref(bmp.GetWidth(), bmp.GetHeight());
    TCanvas& c = *ref.GetCanvas();
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(0, 0, ref.GetWidth(), ref.GetHeight()));
    c.Font->Assign(*grid->GetFixedFont());
    c.Font->SetName("Symbol");
    const std::string rho = GridUtil::WideToUtf8(u"\u03C1");
    const int w1 = c.TextWidth(rho);
    c.Font->SetName(grid->GetFixedFont()->GetName());
    const int w2 = c.TextWidth("a");
    const TRect tr(b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom);
    const int x = tr.Left + (tr.Width() - w1 - w2) / 2;
    const uint32_t flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    c.Font->SetName("Symbol");
    TRect r1(x, tr.Top, x + w1, tr.Bottom);
    c.GetHandle()->SetBkMode(TRANSPARENT);
    c.GetHandle()->DrawText("r", r1, flags);
    c.Refresh();
    c.Font->SetName(grid->GetFixedFont()->GetName());
    TRect r2(x + w1, tr.Top, tr.Right, tr.Bottom);
    c.GetHandle()->SetBkMode(TRANSPARENT);
    c.GetHandle()->DrawText("a", r2, flags);
    c.Refresh();
    EXPECT_EQ(Ink(bmp, b), Ink(ref, b));
    // Not the Greek alpha: its ink differs from the Latin letter's.
    TBitmap alpha(bmp.GetWidth(), bmp.GetHeight());
    TCanvas& a = *alpha.GetCanvas();
    a.Brush->SetColor(clWhite);
    a.FillRect(TRect(0, 0, alpha.GetWidth(), alpha.GetHeight()));
    a.Font->Assign(*grid->GetFixedFont());
    a.Font->SetName("Symbol");
    TRect t2 = tr;
    a.GetHandle()->SetBkMode(TRANSPARENT);
    a.GetHandle()->DrawText("ra", t2, DT_CENTER | flags);
    a.Refresh();
    EXPECT_NE(Ink(bmp, b), Ink(alpha, b));
    std::vector<std::string> none(size_t(b.Height()), std::string(size_t(b.Width()), '0'));
    EXPECT_NE(Ink(bmp, b), none);
  }
  // The ascending sort glyph in the header of the sort column: grey left edge, white base.
  {
    const TRect b = Body(8, 0);
    const int X = b.Left + 8, Y = (b.Top + b.Bottom) / 2;
    EXPECT_EQ(bmp.GetPixelColor(X, Y - 4), TColor(0x808080));
    EXPECT_EQ(bmp.GetPixelColor(X - 2, Y + 4), clWhite);
    EXPECT_EQ(bmp.GetPixelColor(X + 4, Y + 4), clWhite);
    EXPECT_EQ(bmp.GetPixelColor(X - 2, Y), TColor(0x808080));
  }
  // Selection colours: the current row's background and navy text; other rows white.
  {
    const TRect cur = Body(4, 2), other = Body(4, 4);
    EXPECT_EQ(bmp.GetPixelColor(cur.Left + 2, cur.Top + 2), kCurrentRow);
    EXPECT_EQ(bmp.GetPixelColor(other.Left + 2, other.Top + 2), clWhite);
    int navy = 0, black = 0;
    for (int y = cur.Top; y < cur.Bottom; ++y)
      for (int x = cur.Left; x < cur.Right; ++x) {
        const TColor p = bmp.GetPixelColor(x, y);
        navy += p == clNavy;
        black += p == clBlack;
      }
    EXPECT_GT(navy, 0);
    EXPECT_EQ(black, 0);
  }
  // No horizontal lines between normal rows; vertical lines in the grid-line colour.
  {
    const TRect a = grid->TBaseGrid::CellRect(5, 3);
    EXPECT_EQ(bmp.GetPixelColor(a.Left + 3, a.Bottom - 1), clWhite);
    EXPECT_EQ(bmp.GetPixelColor(a.Right - 1, a.Top + 3), clSilver);
  }
}

TEST_F(GridPaintTest, ColourResolution) {
  grid->SetColCount(4);
  grid->SetRowCount(6);
  grid->SetFixedFooters(1);
  grid->Bands()->SetPrimaryColor(clYellow);
  grid->Bands()->SetSecondaryColor(clAqua);
  grid->Bands()->SetActive(true);
  grid->CellProperties(2, 2)->SetBrushColor(clRed);
  grid->SetShowSelection(false);
  auto brushOf = [&](int c, int r) {
    TFont f;
    TBrush b;
    TColor to = clNone;
    TGridDrawState st;
    TAlignment ha;
    TVAlignment va;
    grid->ResolveCellStyle(c, r, f, b, to, st, true, true, false, ha, va);
    return b.GetColor();
  };
  struct TCase {
    int Col, Row;
    TColor Want;
  } cases[] = {
      {1, 1, clYellow}, {1, 2, clAqua}, {1, 3, clYellow},  // bands by row
      {2, 2, clRed},                                       // own colour under bands
      {0, 2, grid->GetFixedColor()},                       // fixed column
      {1, 5, grid->GetFixedColor()},                       // footer row
  };
  for (const TCase& c : cases) EXPECT_EQ(brushOf(c.Col, c.Row), c.Want) << c.Col << "," << c.Row;

  // A fixed cell carries FixedColor when the owner's handler runs; the handler has the last word.
  TColor seen = clNone;
  grid->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState S, TBrush& B, TFont&) {
    if (ARow == 0 && ACol == 1) {
      seen = B.GetColor();
      EXPECT_TRUE(S.Contains(gdFixed));
      B.SetColor(clLime);
    }
  };
  EXPECT_EQ(brushOf(1, 0), clLime);
  EXPECT_EQ(seen, grid->GetFixedColor());
}

TEST_F(GridPaintTest, SelectionColorNoneKeepsOwnColourOnlyWithFocus) {
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetSelectionColor(clNone);
  grid->CellProperties(1, 1)->SetBrushColor(clYellow);
  grid->SetRow(1);
  grid->SetCol(1);
  for (bool focused : {true, false}) {
    grid->HasFocus = focused;
    Paint();
    const TRect b = Body(1, 1);
    EXPECT_EQ(bmp.GetPixelColor(b.Right - 3, b.Bottom - 3), focused ? clYellow : ColorToRGB(clHighlight))
        << focused;
  }
}

TEST_F(GridPaintTest, AutoNumAlignRightAlignsOnlyNumbers) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->AutoNumAlign = true;
  const char dec = ::FormatSettings.DecimalSeparator, th = ::FormatSettings.ThousandSeparator;
  auto num = [&](std::string S) {
    for (char& c : S) c = c == '.' ? dec : c == ',' ? th : c;
    return S;
  };
  struct TCase {
    std::string Text;
    TAlignment Want;
  } cases[] = {{num("1,234,567.5"), TAlignment::taRightJustify}, {"42", TAlignment::taRightJustify},
               {num("-3.25"), TAlignment::taRightJustify},      {num("1.2.3"), TAlignment::taLeftJustify},
               {"--5", TAlignment::taLeftJustify},              {"abc", TAlignment::taLeftJustify}};
  for (const TCase& c : cases) {
    grid->SetCells(1, 1, c.Text);
    TAlignment ha;
    TVAlignment va;
    grid->CellAlignment(1, 1, ha, va);
    EXPECT_EQ(ha, c.Want) << c.Text;
  }
}

TEST_F(GridPaintTest, LineBreaksNeedMultilineCells) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetWordWrap(false);
  grid->SetRowHeights(1, 60);
  grid->SetColWidths(1, 120);
  grid->SetCells(1, 1, "AAAA\rBBBB");
  for (bool multi : {false, true}) {
    grid->Multilinecells = multi;
    Paint();
    EXPECT_EQ(InkBands(bmp, Body(1, 1)), multi ? 2 : 1) << multi;
  }
}

TEST_F(GridPaintTest, HeaderWithEscapedBreakShowsTwoLines) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetRowHeights(0, 44);
  grid->SetColWidths(1, 120);
  grid->GetColumnHeaders()->Add("");
  grid->GetColumnHeaders()->Add("Upper\\nLower");
  EXPECT_EQ(grid->GetCells(1, 0), "Upper\rLower");
  Paint();
  EXPECT_EQ(InkBands(bmp, Body(1, 0)), 2);
}

TEST_F(GridPaintTest, RotatedCellMeasuresByTheAngle) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetCells(1, 1, "Rotated text");
  const TSize flat = grid->CellTextSize(1, 1, false);
  TCellGraphic* g = grid->NewCellGraphic(1, 1);
  g->CellType = TCellType::ctRotated;
  g->CellAngle = 45;
  const TSize turned = grid->CellTextSize(1, 1, false);
  const double s = std::sin(std::numbers::pi / 4), c = std::cos(std::numbers::pi / 4);
  EXPECT_EQ(turned.cx, std::labs(std::lround(s * flat.cy) - std::lround(c * flat.cx)) + 12);
  EXPECT_EQ(turned.cy, std::labs(std::lround(c * flat.cy) - std::lround(s * flat.cx)) + 12);
}

TEST_F(GridPaintTest, CheckBoxLooksAndPlaces) {
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetColWidths(1, 100);
  grid->SetColWidths(2, 100);
  grid->SetRowHeights(1, 30);
  grid->SetRowHeights(2, 30);
  grid->SetRow(3);
  grid->SetOptions(grid->GetOptions() + goEditing);
  // A data check box whose text is neither "Y" nor "N" is drawn unchecked.
  grid->AddCellCheckBox(1, 1, false, true);
  grid->SetCells(1, 1, "maybe");
  // A check box before right-aligned text sits just left of the text.
  grid->AddCellCheckBox(2, 1, true, false);
  grid->SetCells(2, 1, "abc");
  grid->CellProperties(2, 1)->Alignment = TAlignment::taRightJustify;
  Paint();
  {
    const TRect b = Body(1, 1);
    const TCellGraphic& g = *grid->CellGraphicOf(1, 1);
    const TPoint at = grid->PlaceGraphic(b, g, 15, 15, TAlignment::taLeftJustify, 0);
    EXPECT_EQ(at.X, b.Left + 1);
    const auto want = Picture("GVCHK06", clWhite, 15, 15);
    EXPECT_TRUE(SameArea(bmp, at.X, at.Y, *want, 15, 15));
  }
  {
    const TRect b = Body(2, 1);
    grid->GetCanvas()->Font->Assign(*grid->GetFont());
    const int textWidth = grid->GetCanvas()->TextWidth("abc");
    const int boxLeft = b.Right - (textWidth + 2 + 2) - 1 - 15;
    const auto want = Picture("GVCHK05", clWhite, 15, 15);
    EXPECT_TRUE(SameArea(bmp, boxLeft, b.Top + 1, *want, 15, 15));
    // The text ends at the right margin; the box ends before it starts.
    EXPECT_LT(boxLeft + 15, b.Right - 2 - textWidth);
  }
}

TEST_F(GridPaintTest, ThemedBoxesNeedActiveThemes) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetRowHeights(1, 30);
  grid->ControlLook()->SetControlStyle(csTheme);
  grid->AddCellCheckBox(1, 1, true, false);
  grid->AddRadio(2, 1, true, {"a"}, 0);
  grid->SetRow(2);
  const bool was = Themes::ThemesActive();
  Themes::SetThemesActive(false);
  Paint();
  Themes::SetThemesActive(was);
  for (int c : {1, 2}) {
    const TRect b = Body(c, 1);
    int foreign = 0;
    for (int y = b.Top; y < b.Bottom; ++y)
      for (int x = b.Left; x < b.Left + 18; ++x) foreign += bmp.GetPixelColor(x, y) != clWhite;
    EXPECT_EQ(foreign, 0) << c;
  }
}

TEST_F(GridPaintTest, RadioWithoutMatchingTextShowsEveryItemOff) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetColWidths(1, 200);
  grid->SetRowHeights(1, 30);
  grid->SetRow(2);
  grid->AddRadio(1, 1, true, {"a", "b", "c"}, -1);
  grid->SetCells(1, 1, "none of them");
  Paint();
  const TRect b = Body(1, 1);
  grid->GetCanvas()->Font->Assign(*grid->GetFont());
  const auto off = Picture("GVRAD06", clWhite, 16, 16);
  int x = b.Left + 2;
  for (const char* item : {"a", "b", "c"}) {
    EXPECT_TRUE(SameArea(bmp, x, b.Top + (b.Height() - 16) / 2, *off, 16, 16)) << item;
    x += 16 + grid->GetCanvas()->TextWidth(item);
  }
}

TEST_F(GridPaintTest, ProgressBarFillsItsShare) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetColWidths(1, 104);
  grid->SetRow(2);
  TCellGraphic* g = grid->NewCellGraphic(1, 1);
  g->CellType = TCellType::ctProgress;
  g->CellColor = clRed;
  g->CellColorTo = clWhite;
  const TRect b = Body(1, 1);
  const int left = b.Left + 2, width = b.Width() - 4;
  for (int v : {0, 50, 100}) {
    grid->SetCells(1, 1, std::to_string(v));
    Paint();
    int red = 0;
    for (int x = left; x < left + width; ++x) red += bmp.GetPixelColor(x, b.Top + 3) == clRed;
    EXPECT_NEAR(red, std::lround(v * width / 100.0), 1) << v;
  }
}

TEST_F(GridPaintTest, GraphicSizesByType) {
  grid->SetColCount(3);
  grid->SetRowCount(3);
  TCellGraphic* g = grid->NewCellGraphic(1, 1);
  struct TCase {
    TCellType Type;
    int Index;
    int W, H;
    bool Beside;
  } cases[] = {{TCellType::ctButton, (20 << 16) | 80, 80, 20, true},
               {TCellType::ctCheckBox, 0, 15, 15, true},
               {TCellType::ctDataCheckBox, 0, 15, 15, false},
               {TCellType::ctRadio, 0, 0, 0, false},
               {TCellType::ctProgressPie, 0, 20, 20, true},
               {TCellType::ctComment, 0, 0, 0, true}};
  for (const TCase& c : cases) {
    g->CellType = c.Type;
    g->CellIndex = c.Index;
    const TGridView::TGraphicLayout l = grid->CellGraphicSize(1, 1);
    EXPECT_EQ(l.Width, c.W) << int(c.Type);
    EXPECT_EQ(l.Height, c.H) << int(c.Type);
    EXPECT_EQ(l.TextBeside, c.Beside) << int(c.Type);
  }
  g->CellObject = nullptr;
}

}  // namespace GridPaintTests
