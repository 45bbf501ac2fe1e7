// The rules every translator follows when it writes texts into controls.
#include <functional>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TranslateRules.h"
#include "platform/ui/tests/UiFixture.h"

namespace TranslateRulesTests {

namespace {

class TranslateRulesTest : public UiTest {
protected:
  void SetUp() override { Form = new TForm(nullptr); }
  void TearDown() override { Form->Free(); }
  template <class T>
  T* Make() {
    auto* c = new T(Form);
    c->SetParent(Form);
    return c;
  }
  TForm* Form = nullptr;
};

std::string German(const std::string& Text) {
  if (Text == "one") return "eins";
  if (Text == "two") return "zwei";
  if (Text == "three") return "drei";
  return Text;
}

TEST_F(TranslateRulesTest, ItemsAreTranslatedInOneUpdateKeepingTheSelection) {
  auto* sortedList = Make<TListBox>();
  sortedList->Items()->SetSorted(true);
  auto* combo = Make<TComboBox>();
  auto* group = Make<TRadioGroup>();
  const struct {
    const char* What;
    TComponent* Control;
    std::function<int()> ItemIndex;
  } Cases[] = {
      {"sorted list box", sortedList, [=] { return sortedList->GetItemIndex(); }},
      {"combo box", combo, [=] { return combo->GetItemIndex(); }},
      {"radio group", group, [=] { return group->GetItemIndex(); }},
  };
  for (const auto& c : Cases) {
    TStrings* items = TranslateRules::ControlItems(c.Control);
    ASSERT_NE(items, nullptr) << c.What;
    for (const char* s : {"one", "three", "two"}) items->Add(s);
    if (c.Control == sortedList) sortedList->SetItemIndex(1);
    if (c.Control == combo) combo->SetItemIndex(1);
    if (c.Control == group) group->SetItemIndex(1);
    int changes = 0;
    auto* list = dynamic_cast<TStringList*>(items);
    TNotifyEvent inner = list->OnChange;
    list->OnChange = [&](TObject* Sender) {
      ++changes;
      if (inner) inner(Sender);
    };
    TranslateRules::TranslateControlItems(c.Control, German);
    // A sorted list keeps its place for each item while it is rewritten, then sorts again.
    const std::string second = items->Get(1);
    EXPECT_EQ(changes, c.Control == sortedList ? 2 : 1) << c.What;  // the update, then the sorting
    EXPECT_EQ(items->Count(), 3) << c.What;
    EXPECT_EQ(c.ItemIndex(), 1) << c.What;
    EXPECT_EQ(second, c.Control == sortedList ? "eins" : "drei") << c.What;
    changes = 0;
    TranslateRules::TranslateControlItems(c.Control, German);
    EXPECT_EQ(changes, 0) << c.What << ": nothing to translate, no notification";
    list->OnChange = inner;
  }
  // The group's buttons follow its items and are reported as mirrors.
  ASSERT_EQ(TranslateRules::MirroredControls(group).size(), 3u);
  EXPECT_EQ(TranslateRules::MirroredControls(group)[0], group->Buttons(0));
  EXPECT_EQ(group->Buttons(1)->GetCaption(), "drei");
  EXPECT_TRUE(group->Buttons(1)->GetChecked());
  EXPECT_TRUE(TranslateRules::MirroredControls(combo).empty());
}

TEST_F(TranslateRulesTest, AMemoKeepsItsWordWrapAndOtherListsAreReplacedWhole) {
  auto* memo = Make<TMemo>();
  memo->WordWrap = true;
  memo->Lines()->Add("a");
  memo->Lines()->Add("b");
  memo->Lines()->Add("c");
  TStringList lines;
  lines.Add("x");
  lines.Add("b");
  TranslateRules::ReplaceControlItems(memo, memo->Lines(), &lines);
  EXPECT_EQ(memo->Lines()->GetText(), lines.GetText());
  EXPECT_TRUE(memo->WordWrap);
  EXPECT_EQ(TranslateRules::ControlItems(memo), nullptr);

  TStringList plain;
  plain.AddObject("keep", &plain);
  lines.Clear();
  lines.Add("keep");
  lines.Add("new");
  TranslateRules::ReplaceLines(&plain, &lines);
  EXPECT_EQ(plain.GetText(), lines.GetText());
  EXPECT_EQ(plain.GetObject(0), &plain);  // an unchanged line keeps its object
}

TEST_F(TranslateRulesTest, APageControlsPagesAreVisitedOnceEvenWithHiddenTabs) {
  auto* pages = Make<TPageControl>();
  auto* shown = new TTabSheet(Form);
  shown->SetPageControl(pages);
  auto* hidden = new TTabSheet(Form);
  hidden->SetPageControl(pages);
  hidden->SetTabVisible(false);
  const std::vector<TControl*> visited = TranslateRules::ContainedControls(pages);
  EXPECT_EQ(visited, (std::vector<TControl*>{shown, hidden}));
  EXPECT_EQ(TranslateRules::ContainedControls(Form).size(), 1u);
}

}  // namespace

}  // namespace TranslateRulesTests
