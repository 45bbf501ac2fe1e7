#include <gtest/gtest.h>

#include "chart/engine/PlotProcs.h"
#include "chart/engine/PlotTranslate.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

namespace PlotTranslateTests {

namespace {

class TranslateTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Label = new TLabel(Form);
    Label->SetParent(Form);
    Label->SetCaption("Title");
    Label->SetHint("Options");
    Combo = new TComboBox(Form);
    Combo->SetParent(Form);
    Combo->Items()->Add("Title");
    Combo->Items()->Add("?");
    Item = new TMenuItem(Form);
    Item->SetCaption("Options");
    Skipped = new TLabel(Form);
    Skipped->SetParent(Form);
    Skipped->SetCaption("Title");
    Words.Add("Title=Titel");
    Words.Add("Options=Optionen");
    Words.Add("?=Frage");
  }
  void TearDown() override {
    PlotTranslate::WordList = nullptr;
    Form->Free();
  }
  TForm* Form = nullptr;
  TLabel* Label = nullptr;
  TLabel* Skipped = nullptr;
  TComboBox* Combo = nullptr;
  TMenuItem* Item = nullptr;
  TStringList Words;
};

TEST_F(TranslateTest, WithoutAWordListNothingChanges) {
  ASSERT_TRUE(PlotProcs::TranslateHook);  // installed at start-up
  PlotProcs::TranslateControl(Form);
  EXPECT_EQ(Label->GetCaption(), "Title");
  EXPECT_EQ(Combo->Items()->Get(0), "Title");
  EXPECT_EQ(Item->GetCaption(), "Options");
}

TEST_F(TranslateTest, WordListTranslatesEveryKindOfTextButTheExcluded) {
  PlotTranslate::WordList = &Words;
  PlotProcs::CallTranslateHook(Form, {Skipped});
  EXPECT_EQ(Label->GetCaption(), "Titel");
  EXPECT_EQ(Label->GetHint(), "Optionen");
  EXPECT_EQ(Combo->Items()->Get(0), "Titel");
  EXPECT_EQ(Combo->Items()->Get(1), "?");  // never translated
  EXPECT_EQ(Item->GetCaption(), "Optionen");
  EXPECT_EQ(Skipped->GetCaption(), "Title");
  EXPECT_EQ(PlotTranslate::TranslateText("titel"), "titel");  // exact comparison
}

TEST_F(TranslateTest, RadioGroupItemsAndPageCaptionsAreTranslatedOnce) {
  auto* group = new TRadioGroup(Form);
  group->SetParent(Form);
  group->SetCaption("Options");
  group->Items()->Add("Title");
  group->Items()->Add("Options");
  group->Items()->Add("0");
  group->SetItemIndex(1);
  auto* pages = new TPageControl(Form);
  pages->SetParent(Form);
  auto* first = new TTabSheet(Form);
  first->SetPageControl(pages);
  first->SetCaption("Title");
  auto* hidden = new TTabSheet(Form);
  hidden->SetPageControl(pages);
  hidden->SetCaption("Options");
  hidden->SetTabVisible(false);
  auto* kept = new TTabSheet(Form);
  kept->SetPageControl(pages);
  kept->SetCaption("Title");
  // A translation that is itself an English word of the list: a text walked
  // twice would come out as "Wrong".
  Words.Add("Titel=Wrong");
  PlotTranslate::WordList = &Words;
  PlotProcs::CallTranslateHook(Form, {kept});

  EXPECT_EQ(group->GetCaption(), "Optionen");
  ASSERT_EQ(group->Items()->GetCount(), 3);
  EXPECT_EQ(group->Items()->Get(0), "Titel");
  EXPECT_EQ(group->Items()->Get(1), "Optionen");
  EXPECT_EQ(group->Items()->Get(2), "0");
  EXPECT_EQ(group->Buttons(0)->GetCaption(), "Titel");
  EXPECT_EQ(group->Buttons(1)->GetCaption(), "Optionen");
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->GetChecked());

  ASSERT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(first->GetCaption(), "Titel");
  EXPECT_EQ(hidden->GetCaption(), "Optionen");
  EXPECT_EQ(kept->GetCaption(), "Title");
}

}  // namespace

}  // namespace PlotTranslateTests
