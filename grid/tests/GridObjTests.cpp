#include "grid/GridObj.h"
#include "grid/GridView.h"
#include "grid/GridXPVS.h"
#include "grid/gvcheck.h"
#include "platform/gdi/Region.h"
#include "platform/ui/Themes.h"
#include "platform/ui/tests/UiFixture.h"

#include <QImage>
#include <QWidget>

#include <algorithm>

namespace GridObjTests {

class GridObjTest : public UiTest {
 protected:
  GridObjTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 200);
  }
  TForm* form;
};

TEST_F(GridObjTest, IntListNotifiesPutAddDeleteButNotInsert) {
  TIntList list(3, 7);
  std::vector<std::pair<int, int>> calls;
  list.OnChange = [&](TObject*, int c, int r) { calls.emplace_back(c, r); };
  list.Add(3);
  list.Add(1);
  list.Insert(2, 2);
  EXPECT_EQ(list.GetCommaText(), "3,1,2");
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], std::make_pair(3, 7));
  calls.clear();
  list.SetCommaText("5,6");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_THROW(list.SetCommaText("5,x"), EConvertError);
  EXPECT_EQ(list.GetCommaText(), "5,6");
  list.Put(0, 9);
  list.Delete(1);
  EXPECT_EQ(list.GetCommaText(), "9");
  EXPECT_THROW(list.Get(4), EListError);
}

TEST_F(GridObjTest, SortIndexListKeepsDirectionInTheSignBit) {
  TSortIndexList list;
  list.AddIndex(5, true);
  list.AddIndex(2, false);
  EXPECT_EQ(static_cast<uint32_t>(list.Get(1)), 0x80000002u);
  EXPECT_EQ(list.IndexOfColumn(2), 1);
  EXPECT_EQ(list.IndexOfColumn(3), -1);
  int changes = 0;
  list.OnChange = [&](TObject*, int, int) { ++changes; };
  list.FlipDirection(2);
  EXPECT_EQ(list.Get(1), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(TSortIndexList::IsAscending(list.Get(1)));
}

TEST_F(GridObjTest, ArrowWindowsAreShapedToTheirArrow) {
  auto* down = Create<TArrowWindow>(form, 1);
  down->SetParent(form);
  EXPECT_EQ(down->GetColor(), 0x00FF00);
  EXPECT_FALSE(down->GetVisible());
  const std::vector<TPoint> pts = down->GetArrow();
  ASSERT_EQ(pts.size(), 7u);
  const auto tip = std::max_element(pts.begin(), pts.end(), [](TPoint a, TPoint b) { return a.Y < b.Y; });
  EXPECT_EQ(*tip, Point(5, 8));
  TRegion region;
  ASSERT_TRUE(down->GetWindowRegion(region));
  EXPECT_TRUE(region.PtInRegion(5, 6));   // the point of the arrow
  EXPECT_TRUE(region.PtInRegion(4, 1));   // its shaft
  EXPECT_FALSE(region.PtInRegion(1, 1));  // beside the shaft
  EXPECT_FALSE(region.PtInRegion(9, 7));  // beside the point
  struct Case { int Direction; TPoint Tip; };
  for (const Case& c : {Case{0, {5, 0}}, Case{2, {8, 5}}, Case{3, {0, 5}}})
    EXPECT_NE(std::find(TArrowWindow::ArrowPoints(c.Direction).begin(), TArrowWindow::ArrowPoints(c.Direction).end(),
                        c.Tip),
              TArrowWindow::ArrowPoints(c.Direction).end());
  EXPECT_TRUE(down->IsTopMostWindow());
  down->SetLeft(30);
  down->Show();
  EXPECT_TRUE(down->Handle()->isVisible());
  EXPECT_EQ(down->Handle()->geometry().topLeft(), QPoint(form->ClientToScreen(Point(30, 0)).X, form->ClientToScreen(Point(30, 0)).Y));
  TBitmap b;
  down->PaintTo(b);
  EXPECT_EQ(b.GetPixelColor(5, 5), 0x00FF00);
}

TEST_F(GridObjTest, PopupButtonPaintsItsGradientAndFrame) {
  auto* p = Create<TPopupButton>(form);
  p->SetParent(form);
  p->SetBounds(0, 0, 60, 64);
  p->SetGradFrom(clBlack);
  p->SetGradTo(clWhite);
  p->Show();
  TBitmap b;
  p->PaintTo(b);
  EXPECT_EQ(b.GetPixelColor(0, 10), clWhite);   // raised frame, light side
  EXPECT_EQ(b.GetPixelColor(59, 10), clGray);   // dark side
  EXPECT_EQ(b.GetPixelColor(3, 0), clWhite);    // top frame
  EXPECT_EQ(b.GetPixelColor(3, 2) & 0xFF, 8);   // gradient band 2 of 64 over 64 pixels: 2 * 255 / 64 rounded
  EXPECT_FALSE(p->GetEnabled());
}

TEST_F(GridObjTest, ThemeTableDrawsButtonPartsAndRefusesUnknownOnes) {
  ASSERT_TRUE(GridXPVS::Loaded());
  EXPECT_EQ(GridXPVS::OpenThemeData(nullptr, "treeview"), nullptr);
  GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(nullptr, "treeview;button");
  ASSERT_NE(theme, nullptr);
  auto draw = [&](int part, int state) {
    TBitmap b(20, 20);
    b.GetCanvas()->Brush->SetColor(clWhite);
    b.GetCanvas()->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(GridXPVS::DrawThemeBackground(theme, *b.GetCanvas(), part, state, Rect(2, 2, 15, 15), nullptr), 0);
    return b.Image().copy();
  };
  const QImage checked = draw(3, 5), unchecked = draw(3, 1);
  TBitmap direct(20, 20);
  direct.GetCanvas()->Brush->SetColor(clWhite);
  direct.GetCanvas()->FillRect(Rect(0, 0, 20, 20));
  Themes::DrawThemedPart(*direct.GetCanvas(), Themes::tpCheckBox, {Themes::tsChecked}, Rect(2, 2, 15, 15));
  EXPECT_EQ(checked, direct.Image());  // the table and the themed part: same picture
  EXPECT_NE(checked, unchecked);
  TBitmap b(4, 4);
  EXPECT_NE(GridXPVS::DrawThemeBackground(theme, *b.GetCanvas(), 9, 1, Rect(0, 0, 4, 4), nullptr), 0);
  EXPECT_EQ(GridXPVS::CloseThemeData(theme), 0);
  Themes::SetThemesActive(false);
  EXPECT_FALSE(GridXPVS::UseThemes());
  Themes::SetThemesActive(true);
}

TEST_F(GridObjTest, CheckerBaseReturnsTheTextUnchanged) {
  auto* check = Create<TGridViewCheck>(form);
  EXPECT_EQ(check->CorrectText(1, 2, "abc"), "abc");
  EXPECT_EQ(check->ShowErrors(1, 2, "abc"), "abc");
  EXPECT_FALSE(check->AutoCorrect);
}

TEST_F(GridObjTest, TransparentWindowsLetTheMouseThrough) {
  auto* panel = Create<TArrowWindow>(form, 0);
  panel->SetParent(form);
  EXPECT_FALSE(Themes::IsMouseTransparent(*panel));
  GridView::MakeWindowTransparent(*panel);
  EXPECT_TRUE(Themes::IsMouseTransparent(*panel));
}

}  // namespace GridObjTests
