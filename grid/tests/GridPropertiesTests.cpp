// The grid's published properties: a grid configured as the electrode table
// is written as text and read back into a new grid with every setting, and
// values at their defaults are not written.

#include "grid/GridView.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridPropertiesTests {

class GridPropertiesTest : public UiTest {
 protected:
  GridPropertiesTest() { form = Application->CreateForm<TForm>(); }
  TGridView* NewGrid(const std::string& Name) {
    TGridView* g = Create<TGridView>(form);
    g->SetName(Name);
    g->SetParent(form);
    return g;
  }
  TForm* form = nullptr;
};

TEST_F(GridPropertiesTest, ElectrodeTableSettingsSurviveTextRoundTrip) {
  TGridView* g = NewGrid("GridView1");
  g->SetColCount(9);
  g->SetRowCount(20);
  g->SetDefaultColWidth(50);
  g->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goEditing});
  g->SetLook(glXP);
  g->SetScrollType(TScrollType::ssFlat);
  g->SetScrollProportional(true);
  g->IntelliPan = ipVertical;
  g->SetWordWrap(false);
  g->SetVAlignment(vtaCenter);
  g->SetSelectionColor(0x90FFFF);
  g->SetSelectionTextColor(clNavy);
  g->SetSelectionRectangle(true);
  g->HintColor = clYellow;
  g->FixedColAlways = true;
  g->EnhRowColMove = false;
  g->ScrollHintsType = shVertical;
  g->SortSettings()->Show = true;
  g->SortSettings()->Direction = sdDescending;
  g->ControlLook()->SetControlStyle(csWinXP);
  g->Navigation()->AdvanceOnEnter = true;
  g->Navigation()->TabAdvanceDirection = adTopBottom;
  g->MouseActions()->FixedRowsEdit = fceLeftClick;
  g->MouseActions()->SizeFixedCol = true;
  g->PrintSettings()->Borders = pbDouble;
  g->PrintSettings()->GetTitleLines()->Add("Survey");
  g->Bands()->SetPrimaryLength(3);
  g->FloatingFooter()->SetColumn(2);
  g->GetFixedFont()->SetName("MS Sans Serif");
  TBitmap indicator(6, 5);
  indicator.GetCanvas()->Brush->SetColor(clRed);
  indicator.GetCanvas()->FillRect(TRect(0, 0, 6, 5));
  g->SetRowIndicator(&indicator);

  const std::string text = Streaming::ComponentToText(g);
  EXPECT_EQ(text.find("EnableWheel"), std::string::npos) << "a default is not written";
  EXPECT_NE(text.find("SortSettings.Show = True"), std::string::npos) << text;

  g->SetName("Original");
  TGridView* h = NewGrid("GridView2");
  Streaming::TextToComponent(text, h);
  EXPECT_EQ(h->GetColCount(), 9);
  EXPECT_EQ(h->GetRowCount(), 20);
  EXPECT_EQ(h->GetDefaultColWidth(), 50);
  EXPECT_EQ(h->ScrollType, TScrollType::ssFlat);
  EXPECT_TRUE(h->ScrollProportional);
  EXPECT_FALSE(h->GetWordWrap());
  EXPECT_EQ(h->GetVAlignment(), vtaCenter);
  EXPECT_EQ(h->GetSelectionColor(), TColor(0x90FFFF));
  EXPECT_EQ(h->GetSelectionTextColor(), clNavy);
  EXPECT_TRUE(h->GetSelectionRectangle());
  EXPECT_EQ(h->HintColor, clYellow);
  EXPECT_TRUE(h->FixedColAlways);
  EXPECT_FALSE(h->EnhRowColMove);
  EXPECT_EQ(h->ScrollHintsType, shVertical);
  EXPECT_TRUE(h->SortSettings()->Show);
  EXPECT_EQ(h->SortSettings()->Direction, sdDescending);
  EXPECT_TRUE(h->Navigation()->AdvanceOnEnter);
  EXPECT_EQ(h->Navigation()->TabAdvanceDirection, adTopBottom);
  EXPECT_EQ(h->MouseActions()->FixedRowsEdit, fceLeftClick);
  EXPECT_TRUE(h->MouseActions()->SizeFixedCol);
  EXPECT_EQ(h->PrintSettings()->Borders, pbDouble);
  EXPECT_EQ(h->PrintSettings()->GetTitleLines()->GetText(), g->PrintSettings()->GetTitleLines()->GetText());
  EXPECT_EQ(h->Bands()->GetPrimaryLength(), 3);
  EXPECT_EQ(h->FloatingFooter()->GetColumn(), 2);
  EXPECT_EQ(h->GetFixedFont()->GetName(), "MS Sans Serif");
  ASSERT_EQ(h->GetRowIndicator()->GetWidth(), 6);
  EXPECT_EQ(h->GetRowIndicator()->GetPixelColor(3, 2), clRed);
  // Without a picture nothing is written.
  EXPECT_EQ(Streaming::ComponentToText(NewGrid("Plain")).find("RowIndicator"), std::string::npos);
}

TEST_F(GridPropertiesTest, CellPropertiesPublishTheirTenFields) {
  const std::vector<std::string> names{"BrushColor", "BrushColorTo", "FontColor", "FontStyle", "FontSize",
                                       "FontName",   "Alignment",    "VAlignment", "NodeLevel", "ReadOnly"};
  for (const std::string& n : names) EXPECT_NE(TCellProperties::StaticClass()->FindProperty(n), nullptr) << n;
}

TEST_F(GridPropertiesTest, EachGridOwnsAPictureCacheOfItsOwn) {
  TGridView* a = NewGrid("A");
  TGridView* b = NewGrid("B");
  ASSERT_NE(a->PictureCache(), nullptr);
  EXPECT_NE(a->PictureCache(), b->PictureCache());
}

}  // namespace GridPropertiesTests
