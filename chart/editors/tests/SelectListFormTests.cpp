// The two-list selector: which buttons can act, and moves that carry each
// item's object with it.
#include <string>
#include <vector>

#include "chart/editors/PlotSelectList.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace SelectListFormTests {

class SelectListTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Form = Create<TSelectListForm>(nullptr);
    Form->OnChange = [this](TObject*) { ++Changes; };
    for (int i = 0; i < 4; ++i) Objects.push_back(Create<TComponent>(Form));
  }
  void TearDown() override { Form->Free(); }
  void Fill(TListBox* List, const std::string& Names) {
    List->Items()->Clear();
    for (char C : Names) List->Items()->AddObject(std::string(1, C), Objects.at(C - 'a'));
  }
  // The items as letters, each checked against its object.
  std::string Items(TListBox* List) {
    std::string S;
    for (int i = 0; i < List->Items()->Count(); ++i) {
      const std::string Name = List->Items()->Strings(i);
      EXPECT_EQ(List->Items()->Objects(i), Objects.at(Name[0] - 'a')) << Name;
      S += Name;
    }
    return S;
  }
  std::string Enabled() {
    std::string S;
    for (TControl* C : std::vector<TControl*>{Form->BRightOne, Form->BRightAll, Form->BLeftOne, Form->BLeftAll,
                                              Form->BMoveUP, Form->BMoveDown})
      S += C->GetEnabled() ? '1' : '0';
    return S;
  }
  TSelectListForm* Form = nullptr;
  std::vector<TComponent*> Objects;
  int Changes = 0;
};

TEST_F(SelectListTest, ButtonsFollowTheListsAndTheSelectedIndex) {
  struct TCase {
    const char* From;
    const char* To;
    int ToIndex;
    const char* Enabled;  // > >> < << up down
  } Cases[] = {
      {"ab", "", -1, "110000"},   // nothing selected: nothing to move to the left or reorder
      {"", "abc", -1, "001100"},  // ">" disabled on an empty available list
      {"", "abc", 0, "001101"},
      {"a", "bcd", 1, "111111"},
      {"a", "bcd", 2, "111110"},  // down disabled on the last item
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(std::string(C.From) + "|" + C.To + "|" + std::to_string(C.ToIndex));
    Fill(Form->FromList, C.From);
    Fill(Form->ToList, C.To);
    Form->ToList->SetItemIndex(C.ToIndex);
    Form->ToListClick(Form->ToList);
    EXPECT_EQ(Enabled(), C.Enabled);
  }
}

TEST_F(SelectListTest, MovesCarryObjectsAndFireOnChange) {
  Fill(Form->FromList, "abcd");
  Form->FromList->SetSelected(1, true);
  Form->FromList->SetSelected(3, true);
  Form->BRightOne->Click();
  EXPECT_EQ(Items(Form->FromList), "ac");
  EXPECT_EQ(Items(Form->ToList), "bd");
  Form->BRightAll->Click();
  EXPECT_EQ(Items(Form->FromList), "");
  EXPECT_EQ(Items(Form->ToList), "bdac");
  EXPECT_EQ(Enabled().substr(0, 4), "0011");
  // Reordering: the moved item stays selected at its new place.
  Form->ToList->SetItemIndex(2);
  Form->BMoveUP->Click();
  EXPECT_EQ(Items(Form->ToList), "badc");
  EXPECT_EQ(Form->ToList->GetItemIndex(), 1);
  EXPECT_TRUE(Form->ToList->GetSelected(1));
  Form->BMoveDown->Click();
  Form->BMoveDown->Click();
  EXPECT_EQ(Items(Form->ToList), "bdca");
  EXPECT_EQ(Form->ToList->GetItemIndex(), 3);
  EXPECT_FALSE(Form->BMoveDown->GetEnabled());
  for (int i = 0; i < 4; ++i) Form->ToList->SetSelected(i, i == 0 || i == 2);
  Form->BLeftOne->Click();
  EXPECT_EQ(Items(Form->FromList), "bc");
  EXPECT_EQ(Items(Form->ToList), "da");
  Form->BLeftAll->Click();
  EXPECT_EQ(Items(Form->FromList), "bcda");
  EXPECT_EQ(Items(Form->ToList), "");
  EXPECT_EQ(Changes, 7);
}

TEST_F(SelectListTest, DoubleClicksMoveTheSelectedItems) {
  Fill(Form->FromList, "abc");
  Form->FromList->SetSelected(1, true);
  Form->FromListDblClick(Form->FromList);
  EXPECT_EQ(Items(Form->FromList), "ac");
  EXPECT_EQ(Items(Form->ToList), "b");
  EXPECT_EQ(Form->ToList->GetItemIndex(), 0);
  Form->ToListDblClick(Form->ToList);
  EXPECT_EQ(Items(Form->FromList), "acb");
  EXPECT_EQ(Items(Form->ToList), "");
  EXPECT_EQ(Enabled(), "110000");
}

}  // namespace SelectListFormTests
