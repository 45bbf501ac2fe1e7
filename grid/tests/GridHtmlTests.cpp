// Markup in the grid: cells drawn by the markup renderer (the electrode table
// of plain numbers unchanged), links and check box controls under the mouse,
// the floating footer and the markup hint window.

#include "grid/GridView.h"
#include "grid/GvHTMLE.h"
#include "grid/PictureContainer.h"
#include "platform/gdi/tests/GifWriter.h"
#include "platform/ui/EditCombo.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridHtmlTests {

namespace {

bool SamePicture(const TBitmap& A, const TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return false;
  for (int y = 0; y < A.GetHeight(); ++y)
    for (int x = 0; x < A.GetWidth(); ++x)
      if (A.GetPixelColor(x, y) != B.GetPixelColor(x, y)) return false;
  return true;
}

}  // namespace

class GridHtmlTest : public UiTest {
 protected:
  GridHtmlTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 700, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 680, 380);
  }
  std::unique_ptr<TBitmap> Paint() {
    auto b = std::make_unique<TBitmap>();
    grid->PaintTo(*b);
    return b;
  }
  // A client point inside the text area of a cell, X pixels into its text.
  TPoint TextPoint(int ACol, int ARow, int X) {
    const TRect r = grid->TBaseGrid::CellRect(ACol, ARow);
    return TPoint{r.Left + grid->CellMarginX() + 1 + X, r.Top + grid->CellMarginY() + 1 + 5};
  }

  // The electrode editor's table: numbers, "*" for an electrode at infinity,
  // check boxes, a Symbol-face header and the sort glyph.
  void ElectrodeTable() {
    grid->SetColCount(7);
    grid->SetRowCount(5);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goEditing, goDrawFocusSelected});
    grid->SetSelectionColor(0x90FFFF);
    grid->SetSelectionTextColor(clNavy);
    grid->SetSelectionRectangle(true);
    grid->SetVAlignment(vtaCenter);
    grid->SetWordWrap(false);
    grid->SetColWidths(0, 34);
    grid->SortSettings()->Show = true;
    grid->SortSettings()->Column = 6;
    grid->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment& V) {
      H = TAlignment::taCenter;
      V = vtaCenter;
    };
    grid->OnGetCellColor = [this](TObject*, int ARow, int ACol, TGridDrawState, TBrush& B, TFont& F) {
      if (ARow == 0 && ACol == 5) F.SetName("Symbol");
      if (ARow >= 1 && ACol >= 1) B.SetColor(ARow == grid->GetRow() ? 0x90FFFF : clWhite);
    };
    const char* headers[] = {"", "Used", "C1", "C2", "P1", "ra", "weight"};
    for (int c = 0; c < 7; ++c) grid->SetCells(c, 0, headers[c]);
    for (int r = 1; r <= 4; ++r) {
      grid->SetCells(0, r, std::to_string(r));
      grid->AddCellCheckBox(1, r, r != 3, false);
      grid->SetCells(2, r, std::to_string(r));
      grid->SetCells(3, r, r == 4 ? "*" : std::to_string(r + 1));
      grid->SetCells(4, r, "12.5");
      grid->SetCells(5, r, "103.25");
      grid->SetCells(6, r, "1");
    }
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridHtmlTest, ElectrodeTableDrawsTheSameWithMarkupOnOrOff) {
  ElectrodeTable();
  grid->EnableHTML = true;
  const auto withHtml = Paint();
  grid->EnableHTML = false;
  grid->Invalidate();
  const auto without = Paint();
  EXPECT_TRUE(SamePicture(*withHtml, *without));
}

TEST_F(GridHtmlTest, MarkupCellsDrawThroughTheRenderer) {
  grid->SetColCount(3);
  grid->SetRowCount(6);
  grid->SetColWidths(1, 220);
  grid->SetColWidths(2, 160);
  for (int r = 1; r < 6; ++r) grid->SetRowHeights(r, 48);
  TPictureContainer* pictures = Create<TPictureContainer>(form);
  TPictureItem* item = pictures->GetItems()->AddItem();
  item->Name = "dot";
  item->GetPicture()->LoadFromBytes(GifWriter::Gif(
      12, 12, {0x0000FF, 0xFFFFFF},
      {GifWriter::Frame(0, 0, 12, 12, std::vector<uint8_t>(144, 0))}));
  grid->SetPictureContainer(pictures);
  const std::string cell = "<B>bold</B> and <FONT color=\"clRed\">red</FONT>";
  grid->SetCells(1, 1, cell);
  grid->SetCells(1, 2, "see <A href=\"cell://r5c2\">the link</A>");
  grid->SetCells(1, 3, "<UL><LI>first</LI><LI><I>second</I></LI></UL>");
  grid->SetCells(1, 4, "<IMG src=\"dot\"> picture");
  grid->SetCells(1, 5, "<CONTROL type=\"check\" id=\"c\" value=\"TRUE\"> <B>checked</B>");
  grid->SetCells(2, 1, "plain text");
  grid->SetCol(2);  // the markup cell is not the selected one: its colours apply
  grid->SetRow(5);
  const auto b = Paint();
  TPngImage png;
  png.Assign(*b);
  png.SaveToFile("/tmp/grid_html.png");
  // The bold and red cell: the same picture as the renderer draws in the cell's text area.
  const TRect body = grid->TBaseGrid::CellRect(1, 1);
  TBitmap alone(b->GetWidth(), b->GetHeight());
  alone.GetCanvas()->CopyRect(TRect(0, 0, b->GetWidth(), b->GetHeight()), *b->GetCanvas(),
                              TRect(0, 0, b->GetWidth(), b->GetHeight()));
  // The cell less its grid lines, less the text margins.
  const TRect text(body.Left + 1 + grid->CellMarginX(), body.Top + 1 + grid->CellMarginY(),
                   body.Right - 1 - grid->CellMarginX(), body.Bottom - 1);
  TCanvas& c = *alone.GetCanvas();
  c.Brush->SetColor(clWhite);
  c.FillRect(text);
  c.Font->Assign(*grid->GetFont());
  GvHTMLE::THtmlRenderOptions o;
  o.LinkColor = grid->GetURLColor();
  o.ShadowColor = 0x808080;
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(c, cell, text, o, r);
  EXPECT_TRUE(SamePicture(*b, alone));
  // Red ink from the FONT tag.
  bool red = false;
  for (int y = text.Top; y < text.Bottom && !red; ++y)
    for (int x = text.Left; x < text.Right && !red; ++x) red = b->GetPixelColor(x, y) == clRed;
  EXPECT_TRUE(red);
}

TEST_F(GridHtmlTest, LinksFireTheirEventsAndMoveToTheirCell) {
  grid->SetColCount(3);
  grid->SetRowCount(8);
  grid->SetColWidths(1, 200);
  grid->SetCells(1, 1, "<A href=\"cell://r5c2\">go there</A>");
  std::vector<std::string> entered, exited, clicked;
  grid->OnAnchorEnter = [&](TObject*, int, int, const std::string& A) { entered.push_back(A); };
  grid->OnAnchorExit = [&](TObject*, int, int, const std::string& A) { exited.push_back(A); };
  grid->OnAnchorClick = [&](TObject*, int ARow, int ACol, const std::string& A, bool&) {
    clicked.push_back(A + "@" + std::to_string(ACol) + "," + std::to_string(ARow));
  };
  const TPoint over = TextPoint(1, 1, 6);
  grid->MouseMove({}, over.X, over.Y);
  grid->MouseMove({}, over.X + 1, over.Y);  // still the same anchor
  EXPECT_EQ(entered, std::vector<std::string>{"cell://r5c2"});
  EXPECT_EQ(grid->HoveredAnchor(), "cell://r5c2");
  const TPoint beside = TextPoint(1, 1, 180);
  grid->MouseMove({}, beside.X, beside.Y);
  EXPECT_EQ(exited, std::vector<std::string>{"cell://r5c2"});
  grid->MouseDown(TMouseButton::mbLeft, {}, over.X, over.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, over.X, over.Y);
  EXPECT_EQ(clicked, std::vector<std::string>{"cell://r5c2@1,1"});
  EXPECT_EQ(grid->GetRow(), 5);
  EXPECT_EQ(grid->GetCol(), 2);
}

TEST_F(GridHtmlTest, ACheckBoxControlTogglesItsValueInTheCellText) {
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetRowHeights(1, 30);
  grid->SetCells(1, 1, "<CONTROL type=\"check\" id=\"c\" value=\"FALSE\"> <B>on</B>");
  const TPoint box = TextPoint(1, 1, 8);
  grid->MouseDown(TMouseButton::mbLeft, {}, box.X, box.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, box.X, box.Y);
  EXPECT_EQ(grid->GetCells(1, 1), "<CONTROL ID=\"c\" VALUE=\"TRUE\" WIDTH=\"\" TYPE=\"CHECK\"> <B>on</B>");
  grid->MouseDown(TMouseButton::mbLeft, {}, box.X, box.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, box.X, box.Y);
  EXPECT_NE(grid->GetCells(1, 1).find("VALUE=\"FALSE\""), std::string::npos);
}

TEST_F(GridHtmlTest, EditComboAndButtonControlsWork) {
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetColWidths(1, 200);
  grid->SetRowHeights(1, 30);
  grid->SetRowHeights(2, 30);
  grid->SetCells(1, 1, "<B></B><CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"old\" WIDTH=\"90\">");
  grid->SetCells(1, 2, "<B></B><CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"beta\" WIDTH=\"90\">");
  grid->SetCells(1, 3, "<B></B><CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">");
  std::vector<std::string> clicks, done;
  auto note = [](std::vector<std::string>& To) {
    return [&To](TObject*, int R, int C, const std::string& Id, const std::string& Type, const std::string& V) {
      To.push_back(Id + "/" + Type + "/" + V + "@" + std::to_string(C) + "," + std::to_string(R));
    };
  };
  grid->OnControlClick = note(clicks);
  grid->OnControlEditDone = note(done);
  grid->OnControlComboList = [](TObject*, int, int, const std::string&, const std::string&, const std::string&,
                                TStringList* Values, bool& Edit, int& DropCount) {
    Values->Add("alpha");
    Values->Add("beta");
    Values->Add("gamma");
    Edit = false;
    DropCount = 3;
  };

  // EDIT: an edit over the control holding its value; leaving it stores the new value.
  const TPoint edit = TextPoint(1, 1, 10);
  grid->MouseDown(TMouseButton::mbLeft, {}, edit.X, edit.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, edit.X, edit.Y);
  ASSERT_EQ(grid->ControlEditType(), "EDIT");
  TEdit* e = grid->ControlEdit();
  EXPECT_TRUE(e->GetVisible());
  EXPECT_EQ(e->GetText(), "old");
  const TRect cell = grid->TBaseGrid::CellRect(1, 1);
  EXPECT_GE(e->GetLeft(), cell.Left + 3);
  EXPECT_LE(e->GetLeft() + e->GetWidth(), cell.Left + 3 + 90);
  e->SetText("new & <ok>");
  grid->CellControlEditDone();
  EXPECT_FALSE(e->GetVisible());
  EXPECT_EQ(grid->ControlEditType(), "");
  GvHTMLE::THtmlRenderResult hit;
  ASSERT_TRUE(grid->HtmlHitTest(1, 1, edit.X, edit.Y, hit));
  EXPECT_EQ(hit.HitControlValue, "new & <ok>");

  // COMBO: a pick list of the owner's items with the value selected, dropped down.
  const TPoint combo = TextPoint(1, 2, 10);
  grid->MouseDown(TMouseButton::mbLeft, {}, combo.X, combo.Y);
  grid->MouseUp(TMouseButton::mbLeft, {}, combo.X, combo.Y);
  ASSERT_EQ(grid->ControlEditType(), "COMBO");
  TEditComboBox* k = grid->ControlCombo();
  EXPECT_TRUE(k->GetVisible());
  EXPECT_EQ(k->Style, TComboBoxStyle::csDropDownList);
  EXPECT_EQ(k->GetItemIndex(), 1);
  EXPECT_TRUE(k->GetDroppedDown());
  EXPECT_EQ(k->GetHeight(), k->GetItemHeight() * 5);
  k->SetItemIndex(2);
  // A press on another control finishes the open editor first.
  const TPoint button = TextPoint(1, 3, 10);
  grid->MouseDown(TMouseButton::mbLeft, {}, button.X, button.Y);
  EXPECT_FALSE(k->GetVisible());
  ASSERT_TRUE(grid->HtmlHitTest(1, 2, combo.X, combo.Y, hit));
  EXPECT_EQ(hit.HitControlValue, "gamma");

  // BUTTON: held down until the release, drawn pressed meanwhile.
  EXPECT_EQ(grid->PressedHtmlButton().X, 1);
  EXPECT_EQ(grid->PressedHtmlButton().Y, 3);
  auto down = Paint();
  grid->MouseUp(TMouseButton::mbLeft, {}, button.X, button.Y);
  EXPECT_EQ(grid->PressedHtmlButton().X, -1);
  auto up = Paint();
  EXPECT_FALSE(SamePicture(*down, *up));

  EXPECT_EQ(clicks, (std::vector<std::string>{"e/EDIT/old@1,1", "k/COMBO/beta@1,2", "b/BUTTON/Go@1,3"}));
  EXPECT_EQ(done, (std::vector<std::string>{"e/EDIT/new & <ok>@1,1", "k/COMBO/gamma@1,2"}));
}

TEST_F(GridHtmlTest, FooterStylesAndFixedFooters) {
  grid->SetRowCount(6);
  TFloatingFooter& f = *grid->FloatingFooter();
  f.SetVisible(true);
  EXPECT_EQ(grid->GetFixedFooters(), 1);
  EXPECT_TRUE(grid->FooterPanel()->GetVisible());
  EXPECT_EQ(grid->FooterPanel()->GetHeight(), f.Height - 1);
  f.SetFooterStyle(fsColumnPreview);
  EXPECT_EQ(grid->GetFixedFooters(), 1);  // until the next Visible change
  f.SetVisible(true);
  EXPECT_EQ(grid->GetFixedFooters(), 0);
  f.SetVisible(false);
  EXPECT_FALSE(grid->FooterPanel()->GetVisible());
  EXPECT_EQ(grid->FooterPanel()->GetHeight(), 0);
  // The height follows the default row height.
  grid->SetDefaultRowHeight(30);
  f.SetVisible(true);
  EXPECT_EQ(grid->FooterPanel()->GetHeight(), 29);
}

TEST_F(GridHtmlTest, TemplateFooterFollowsTheCurrentRow) {
  grid->SetColCount(5);
  grid->SetRowCount(5);
  for (int r = 1; r < 5; ++r) {
    grid->SetCells(1, r, "a" + std::to_string(r));
    grid->SetCells(3, r, "c" + std::to_string(r));
  }
  TFloatingFooter& f = *grid->FloatingFooter();
  f.SetFooterStyle(fsCustomPreview);
  f.SetCustomTemplate("row <#1> / <B><#3></B> <#x>end");
  f.SetVisible(true);
  grid->SetRow(2);
  EXPECT_EQ(grid->ExpandFooterTemplate(f.GetCustomTemplate()), "row a2 / <B>c2</B> end");
  TBitmap before;
  grid->FooterPanel()->PaintTo(before);
  const int repaints = grid->FooterRepaints();
  grid->SetRow(3);
  EXPECT_GT(grid->FooterRepaints(), repaints);
  EXPECT_EQ(grid->ExpandFooterTemplate(f.GetCustomTemplate()), "row a3 / <B>c3</B> end");
  TBitmap after;
  grid->FooterPanel()->PaintTo(after);
  EXPECT_FALSE(SamePicture(before, after));
  EXPECT_EQ(grid->ExpandFooterTemplate("<#1"), "<#1");
  EXPECT_EQ(grid->ExpandFooterTemplate("<#9>|<#-1>|<#>"), "||");
}

TEST_F(GridHtmlTest, LastRowFooterDrawsTheLastRowInTheFooterColour) {
  grid->SetColCount(3);
  grid->SetRowCount(5);
  grid->SetCells(1, 4, "total");
  TFloatingFooter& f = *grid->FloatingFooter();
  f.SetColor(clYellow);
  f.SetVisible(true);
  TBitmap panel;
  grid->FooterPanel()->PaintTo(panel);
  ASSERT_GT(panel.GetHeight(), 4);
  const int right = grid->GetColWidths(0) + grid->GetColWidths(1) + grid->GetColWidths(2);
  bool ink = false;
  const int c1 = grid->GetColWidths(0);
  for (int y = 0; y < panel.GetHeight(); ++y)
    for (int x = c1 + 1; x < c1 + grid->GetColWidths(1) - 1; ++x)
      ink = ink || (panel.GetPixelColor(x, y) != clYellow && panel.GetPixelColor(x, y) != clGray &&
                    panel.GetPixelColor(x, y) != clWhite);
  EXPECT_TRUE(ink);
  // Right of the columns the grid's colour shows.
  if (right + 1 < panel.GetWidth()) {
    EXPECT_EQ(panel.GetPixelColor(right + 1, 2), ColorToRGB(grid->GetColor()));
  }
  // The grid itself leaves its last row blank: only the footer shows it.
  TBitmap own(680, 380);
  grid->PaintInto(*own.GetCanvas());
  const TRect last = grid->TBaseGrid::CellRect(1, 4);
  ASSERT_FALSE(last.IsEmpty());
  for (int y = last.Top; y < last.Bottom; ++y)
    for (int x = last.Left; x < last.Right; ++x)
      ASSERT_EQ(own.GetPixelColor(x, y), ColorToRGB(grid->GetColor())) << x << "," << y;
  // Without the footer the grid paints the row again.
  f.SetVisible(false);
  grid->PaintInto(*own.GetCanvas());
  bool text = false;
  for (int y = last.Top; y < last.Bottom; ++y)
    for (int x = last.Left; x < last.Right; ++x) text = text || own.GetPixelColor(x, y) != ColorToRGB(grid->GetColor());
  EXPECT_TRUE(text);
}

TEST_F(GridHtmlTest, HintWindowSizePlaceAndFrame) {
  THTMLHintWindow* w = grid->HtmlHintWindow();
  const std::string text = "cw=<b>120</b>";
  const TRect calc = w->CalcHintRect(200, text);
  TBitmap probe(10, 10);
  probe.GetCanvas()->Font->Assign(*w->GetFont());
  GvHTMLE::THtmlRenderOptions o;
  o.MeasureOnly = true;
  o.WordWrap = false;
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(*probe.GetCanvas(), text, TRect(0, 0, 200, 0), o, r);
  EXPECT_EQ(calc, TRect(0, 0, r.ContentWidth, r.ContentHeight));
  // Shown: the measured text + 16 wide and + 4 high.
  w->ActivateHint(TRect(10, 20, 11, 21), text);
  EXPECT_EQ(w->GetLeft(), 10);
  EXPECT_EQ(w->GetTop(), 20);
  EXPECT_EQ(w->GetWidth(), r.ContentWidth + 16);
  EXPECT_EQ(w->GetHeight(), r.ContentHeight + 4);
  EXPECT_TRUE(w->GetVisible());
  EXPECT_TRUE(w->IsTopMostWindow());
  // Near the screen's edges it ends 2 pixels before them.
  const TRect screen(0, 0, 800, 600);
  struct TCase {
    TRect In, Out;
  };
  const TCase cases[] = {
      {TRect(100, 100, 150, 120), TRect(100, 100, 150, 120)},
      {TRect(780, 100, 830, 120), TRect(748, 100, 798, 120)},
      {TRect(100, 590, 150, 610), TRect(100, 578, 150, 598)},
      {TRect(790, 595, 840, 615), TRect(748, 578, 798, 598)},
  };
  for (const TCase& c : cases) EXPECT_EQ(THTMLHintWindow::KeepOnScreen(c.In, screen), c.Out);
  const TRect real = THintWindow::ScreenRect();
  w->ActivateHint(TRect(real.Right - 5, real.Bottom - 3, real.Right, real.Bottom), text);
  EXPECT_EQ(w->GetLeft() + w->GetWidth(), real.Right - 2);
  EXPECT_EQ(w->GetTop() + w->GetHeight(), real.Bottom - 2);
  // The 3-D frame: light top and left (to 2 pixels above the bottom), dark bottom and right.
  w->SetColor(clInfoBk);
  TBitmap pic;
  w->PaintTo(pic);
  const int W = pic.GetWidth(), H = pic.GetHeight();
  const TColor light = ColorToRGB(cl3DLight), dark = ColorToRGB(cl3DDkShadow), back = ColorToRGB(clInfoBk);
  struct TPixel {
    int X, Y;
    TColor Color;
  };
  const TPixel pixels[] = {{0, 0, light},     {0, H - 2, light},     {W - 2, 0, light}, {0, H - 1, dark},
                           {W - 1, H - 1, dark}, {W - 1, 1, dark},   {W - 1, 0, back},  {1, 1, back}};
  for (const TPixel& p : pixels) EXPECT_EQ(pic.GetPixelColor(p.X, p.Y), p.Color) << p.X << "," << p.Y;
  grid->ShowHtmlHint(TPoint{0, 0}, "");
  EXPECT_FALSE(w->GetVisible());
}

TEST_F(GridHtmlTest, SizingAColumnShowsItsWidthInTheMarkupHint) {
  grid->SetOptions(grid->GetOptions() + goColSizing);
  grid->HintShowSizing = true;
  const TRect header = grid->TBaseGrid::CellRect(1, 0);
  grid->MouseMove({}, header.Right - 1, header.Top + 5);
  grid->MouseDown(TMouseButton::mbLeft, {}, header.Right - 1, header.Top + 5);
  grid->MouseMove({TShiftStateItem::ssLeft}, header.Left + 40, header.Top + 5);
  THTMLHintWindow* hint = grid->HtmlHintWindow();
  EXPECT_TRUE(hint->GetVisible());
  EXPECT_EQ(hint->GetCaption(), "cw=<b>40</b>");
  grid->MouseUp(TMouseButton::mbLeft, {}, header.Left + 40, header.Top + 5);
  EXPECT_FALSE(hint->GetVisible());
}

}  // namespace GridHtmlTests
