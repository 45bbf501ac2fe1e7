// Wide string lists and the flat combo boxes: line splitting, the UTF-8
// view, objects, the button width rule, and the combo's edit-field model.

#include "grid/GvUni.h"
#include "grid/gvcombo.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridUniComboTests {

class UniComboTest : public UiTest {
 protected:
  UniComboTest() {
    form = Application->CreateForm<TForm>();
    combo = Create<TGVUniComboBox>(form);
    combo->SetParent(form);
  }
  TForm* form;
  TGVUniComboBox* combo;
};

TEST_F(UniComboTest, WideTextSplitsAtEveryKindOfLineBreak) {
  TWideStrings& w = *combo->UniItems();
  struct Case {
    std::u16string Text;
    std::vector<std::u16string> Items;
  };
  const Case cases[] = {
      {u"a\r\nb\nc", {u"a", u"b", u"c"}},
      {u"a\r\nb\nc\r\n", {u"a", u"b", u"c"}},  // a trailing break adds no empty item
      {u"x\ry\u2028z\u2029\u4e2d", {u"x", u"y", u"z", u"\u4e2d"}},
      {u"\n\n", {u"", u""}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    w.SetText(c.Text);
    std::vector<std::u16string> items;
    for (int i = 0; i < w.Count(); ++i) items.push_back(w.Get(i));
    EXPECT_EQ(items, c.Items);
  }
  w.SetText(u"\u00e9t\u00e9\nhiver");
  EXPECT_EQ(w.GetText(), u"\u00e9t\u00e9\r\nhiver\r\n");
  EXPECT_EQ(w.GetAnsiStrings()->Get(0), "\u00e9t\u00e9");  // the UTF-8 view of the same list
  w.GetAnsiStrings()->Add("printemps");
  EXPECT_EQ(w.Get(2), u"printemps");
  EXPECT_EQ(w.TWideStrings::IndexOf(u"HIVER"), 1);  // the locale comparison ignores case
  EXPECT_EQ(w.IndexOf(u"HIVER"), -1);               // the combo's list matches exactly
}

TEST_F(UniComboTest, AssignedListKeepsItsObjects) {
  TStringList source;
  TObject marker;
  source.AddObject("one", &marker);
  source.Add("two");
  combo->UniItems()->Assign(&source);
  ASSERT_EQ(combo->UniItems()->Count(), 2);
  EXPECT_EQ(combo->UniItems()->GetObject(0), &marker);
  TStringList back;
  combo->UniItems()->AssignTo(&back);
  EXPECT_EQ(back.GetText(), source.GetText());
  EXPECT_EQ(back.Objects(0), &marker);
  combo->SetTextWide(u"kept");
  combo->UniItems()->Clear();
  EXPECT_EQ(combo->UniItems()->Count(), 0);
  EXPECT_EQ(combo->GetTextWide(), u"kept");
}

TEST_F(UniComboTest, ButtonWidthTakesOnly14To32) {
  auto* flat = Create<TGVComboBox>(form);
  const int start = flat->GetButtonWidth();
  for (int v : {13, 33, 0, -5}) {
    flat->SetButtonWidth(v);
    EXPECT_EQ(flat->GetButtonWidth(), start) << v;
  }
  for (int v : {14, 32, 20}) {
    flat->SetButtonWidth(v);
    EXPECT_EQ(flat->GetButtonWidth(), v);
  }
  EXPECT_TRUE(flat->GetFlat());
}

TEST_F(UniComboTest, EditFieldTypesDeletesAndMovesTheCaret) {
  auto* c = Create<TGVComboBox>(form);
  c->SetParent(form);
  c->Items()->SetText("alpha\nbeta");
  for (TKeyChar ch : {u'a', u'b', u'c'}) c->KeyPress(ch);
  EXPECT_EQ(c->GetText(), "abc");
  uint16_t k = VK_LEFT;
  c->KeyDown(k, TShiftState{});
  TKeyChar back = 8;
  c->KeyPress(back);
  EXPECT_EQ(c->GetText(), "ac");
  EXPECT_EQ(c->GetSelStart(), 1);
  k = VK_DOWN;
  c->KeyDown(k, TShiftState{});
  EXPECT_EQ(c->GetItemIndex(), 0);
  EXPECT_EQ(c->GetText(), "alpha");
  k = VK_DOWN;
  c->KeyDown(k, TShiftState{TShiftStateItem::ssAlt});
  EXPECT_TRUE(c->GetDroppedDown());
  EXPECT_TRUE(c->ListMode());
}

}  // namespace GridUniComboTests
