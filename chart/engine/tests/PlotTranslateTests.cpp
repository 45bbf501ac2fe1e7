#include <gtest/gtest.h>

#include "chart/engine/PlotProcs.h"
#include "chart/engine/PlotTranslate.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

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

}  // namespace
