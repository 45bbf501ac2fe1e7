#include <gtest/gtest.h>

#include "platform/rtl/ResStrings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/UserSeam.h"
#include "translation/LocLang.h"
#include "translation/tests/TestForms.h"

namespace LocLangTest {

using namespace SysUtils;
using LocLang::EntryField;

namespace {

std::vector<std::string> Entries(const TStrings* L) {
  std::vector<std::string> v;
  for (int i = 0; i < L->Count(); ++i) v.push_back(L->Get(i));
  return v;
}

std::string Find(const TStrings* L, const std::string& Prefix) {
  for (int i = 0; i < L->Count(); ++i)
    if (L->Get(i).rfind(Prefix, 0) == 0) return L->Get(i);
  return "<none>";
}

// ---------------------------------------------------------------- entries
TEST(LocLangEntriesTest, EntryOperationsAsTable) {
  TTestFormFixture f(false, 3);
  TLocLang& L = *f.Lang;
  TStringList list;
  struct Case {
    const char* name;
    std::vector<std::string> before;
    std::function<void()> op;
    std::vector<std::string> after;
  };
  const std::vector<Case> cases = {
      {"SetEntryText inside", {E("k|a|b|c|")}, [&] { L.SetEntryText(&list, "X", 2, "K"); }, {E("k|a|X|c|")}},
      {"SetEntryText appended", {E("k|a|b")}, [&] { L.SetEntryText(&list, "X", 2, "k"); }, {E("k|a|X")}},
      {"SetEntryText no place", {E("k|a|")}, [&] { L.SetEntryText(&list, "X", 3, "k"); }, {E("k|a|")}},
      {"SetEntryText other key", {E("kk|a|")}, [&] { L.SetEntryText(&list, "X", 1, "k"); }, {E("kk|a|")}},
      {"delete column", {E("k|a|b|c|")}, [&] { L.DeleteLanguageColumn(&list, 2); }, {E("k|a|c||")}},
      {"move column", {E("k|a|b|c|")}, [&] { L.MoveLanguageColumn(&list, 3, 1); }, {E("k|c|a|b|")}},
      {"move same", {E("k|a|b|c|")}, [&] { L.MoveLanguageColumn(&list, 2, 2); }, {E("k|a|b|c|")}},
  };
  for (const Case& c : cases) {
    list.Clear();
    for (const auto& s : c.before) list.Add(s);
    c.op();
    EXPECT_EQ(Entries(&list), c.after) << c.name;
  }
  EXPECT_EQ(L.GetEntryField(&list, "K", 1), "a");
  EXPECT_EQ(EntryField("key", '\x01', 2), "");
  EXPECT_EQ(EntryField("key", '\x01', 0), "key");
}

TEST(LocLangEntriesTest, PadEntriesAndShrinkingLanguages) {
  TTestFormFixture f(false, 3);
  TLocLang& L = *f.Lang;
  L.GetStrings()->Clear();
  L.GetStrings()->Add(E("s|a|"));
  L.GetStrings()->Add(E("t|a|b|c|d|e|"));
  L.PadEntries();
  EXPECT_EQ(L.GetStrings()->Get(0), E("s|a|||"));
  EXPECT_EQ(L.GetStrings()->Get(1), E("t|a|b|c|d|e|"));
  L.GetCaptions()->Add(E("Button1|OK|Ja|Oui|"));
  L.SetNumOfLanguages(2);
  EXPECT_EQ(Find(L.GetCaptions(), "Button1"), E("Button1|OK|Ja|"));
  EXPECT_EQ(L.GetLangNames()->Count(), 2);
  TStringList four;
  for (const char* n : {"a", "b", "c", "d"}) four.Add(n);
  L.SetLangNames(&four);
  EXPECT_EQ(L.GetNumOfLanguages(), 4);
  EXPECT_EQ(Find(L.GetCaptions(), "Button1"), E("Button1|OK|Ja|"));
}

TEST(LocLangEntriesTest, GetKeyTextFindsWholeKeysAndRaises) {
  TTestFormFixture f(true, 2);
  TLocLang& L = *f.Lang;
  L.GetStrings()->Add(E("XKEY|long|lang|"));
  L.GetStrings()->Add(E("key|short|kurz|"));
  L.SetActiveLanguage(2);
  EXPECT_EQ(L.GetKeyText(L.GetStrings(), "KEY", false), "kurz");
  EXPECT_EQ(L.GetKeyText(L.GetStrings(), "missing", true), "");
  L.DoRaiseExceptions = true;
  try {
    L.GetKeyText(L.GetStrings(), "missing", true);
    FAIL();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "String identifier \"missing\" not found!");
  }
}

TEST(LocLangEntriesTest, DialogCaptionsFollowNeedAllDlgs) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  ASSERT_EQ(L.GetDlgsCaptions()->Count(), 15);
  EXPECT_EQ(L.GetDlgsCaptions()->Get(4), E("Yes|&Yes|"));
  EXPECT_EQ(LocLang::DialogTexts().size(), 83u);
  L.SetNeedAllDlgs(true);
  EXPECT_EQ(L.GetDlgsCaptions()->Count(), 83);
  EXPECT_EQ(L.GetDlgsCaptions()->Get(82), E("Close|Close|"));
  L.SetNeedAllDlgs(true);
  EXPECT_EQ(L.GetDlgsCaptions()->Count(), 83);
  L.SetNeedAllDlgs(false);
  EXPECT_EQ(L.GetDlgsCaptions()->Count(), 15);
  L.SetNeedAllDlgs(true);
  L.GetDlgsCaptions()->Add(E("extra|x|"));
  L.SetNeedAllDlgs(false);
  EXPECT_EQ(L.GetDlgsCaptions()->Count(), 84);
}

// ---------------------------------------------------------------- the component
TEST(LocLangComponentTest, OneComponentPerOwnerAndDefaults) {
  TTestFormFixture f(false, 1);
  try {
    Create<TLocLang>(f.Form);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Only one TLocCustomLang component per Form/DataModule allowed!");
  }
  TLocLang& L = *f.Lang;
  EXPECT_EQ(L.GetLangDelim(), 1);
  EXPECT_EQ(L.GetVersion(), "6.1.0.1");
  EXPECT_EQ(L.GetLanguage(), "Language N1");
  EXPECT_EQ(L.GetExcludedProperties()->Count(), 20);
  EXPECT_EQ(L.GetStringsTypes()->Count(), 2);
  EXPECT_FALSE(L.NoOwnerFont);
  EXPECT_EQ(L.ChangingCursor, -1);
  EXPECT_EQ(L.GetResourceLanguageIndex(), 1);
}

TEST(LocLangComponentTest, SetterErrorsKeepTheOldValue) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  struct Case {
    std::function<void()> op;
    const char* text;
  };
  for (const Case& c : {Case{[&] { L.SetActiveLanguage(3); }, "3 - is not a valid property value!\rValue must be within [1..2]!"},
                        Case{[&] { L.SetNumOfLanguages(0); }, "0 - is not a valid property value !\rValue must be more than ZERO !"},
                        Case{[&] { L.SetResourceLanguageIndex(5); }, "5 - is not a valid property value!\rValue must be within [1..2]!"},
                        Case{[&] { L.SetLanguage("Klingon"); }, "Language name shall be included in LangNames property!"}}) {
    try {
      c.op();
      ADD_FAILURE() << c.text;
    } catch (const ELanguageError& e) {
      EXPECT_STREQ(e.what(), c.text);
    }
  }
  EXPECT_EQ(L.GetActiveLanguage(), 1);
  EXPECT_EQ(L.GetNumOfLanguages(), 2);
  EXPECT_EQ(L.GetLanguage(), "English");
  L.SetLanguage("Lang2");
  EXPECT_EQ(L.GetActiveLanguage(), 2);
  // While loading, an unknown name is added.
  L.ComponentState.Include(TComponentStateItem::csLoading);
  L.SetLanguage("Klingon");
  L.SetActiveLanguage(9);
  L.ComponentState.Exclude(TComponentStateItem::csLoading);
  EXPECT_EQ(L.GetLangNames()->IndexOf("Klingon"), 2);
  EXPECT_EQ(L.GetActiveLanguage(), 2);
}

TEST(LocLangComponentTest, LoadedConvertsTabDataAndCompletesLocales) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  L.GetCaptions()->Add("Button1\tOK\tJa\t");
  L.GetLocales()->Clear();
  for (int i = 0; i < 11; ++i) L.GetLocales()->Add(LocLang::LocaleItemNames()[size_t(i)] + "\tv\tw\t");
  L.Loaded();
  EXPECT_EQ(Find(L.GetCaptions(), "Button1"), E("Button1|OK|Ja|"));
  ASSERT_EQ(L.GetLocales()->Count(), 15);
  EXPECT_EQ(L.GetLocales()->Get(11), "Short Month Names\x01" + L.SavedLocale()[11] + "\x01");
}

TEST(LocLangComponentTest, RemovedComponentEntriesAtDesignTime) {
  for (bool keep : {false, true}) {
    TTestFormFixture f(true, 2);
    f.Lang->KeepOnRemove = keep;
    f.Lang->CollectTexts();
    ASSERT_NE(Find(f.Lang->GetCaptions(), E("Button1|")), "<none>");
    f.Button1->Free();
    EXPECT_EQ(Find(f.Lang->GetCaptions(), E("Button1|")) != "<none>", keep);
    EXPECT_EQ(Find(f.Lang->GetHints(), E("Button1|")) != "<none>", keep);
  }
}

TEST(LocLangComponentTest, DoNotTranslateByClassRemovesEveryButton) {
  TTestFormFixture f(true, 2);
  auto* b2 = Create<TButton>(f.Form);
  b2->SetName("Button2");
  b2->SetCaption("Cancel");
  f.Lang->CollectTexts();
  ASSERT_NE(Find(f.Lang->GetCaptions(), E("Button2|")), "<none>");
  TStringList dnt;
  dnt.Add("!TButton");
  f.Lang->SetDoNotTranslate(&dnt);
  EXPECT_EQ(Find(f.Lang->GetCaptions(), E("Button1|")), "<none>");
  EXPECT_EQ(Find(f.Lang->GetCaptions(), E("Button2|")), "<none>");
  EXPECT_NE(Find(f.Lang->GetCaptions(), E("Label1|")), "<none>");
  f.Lang->CollectTexts();
  EXPECT_EQ(Find(f.Lang->GetCaptions(), E("Button1|")), "<none>");
}

// ---------------------------------------------------------------- collecting
TEST(LocLangCollectTest, CollectsTheFormsTexts) {
  TTestFormFixture f(true, 2);
  TLocLang& L = *f.Lang;
  L.CollectTexts();
  const std::map<std::string, std::pair<TStringList*, std::string>> expected = {
      {"form caption", {L.GetCaptions(), E("TTestForm1|Main||")}},
      {"form hint", {L.GetHints(), E("TTestForm1|Form hint|")}},
      {"form font", {L.GetFonts(), E("TTestForm1|Arial||")}},
      {"button", {L.GetCaptions(), E("Button1|OK||")}},
      {"button hint", {L.GetHints(), E("Button1|Press||")}},
      {"label", {L.GetCaptions(), E("Label1|Name:||")}},
      {"menu item", {L.GetCaptions(), E("FileItem|&File||")}},
      {"radio group", {L.GetCaptions(), E("Radio1|Choice||")}},
      {"radio items", {L.GetMultiLines(), E("Radio1.Items|One,Two||")}},
      {"list items", {L.GetMultiLines(), E("List1.Items|Red,Green,Blue||")}},
      {"memo", {L.GetMultiLines(), E("Memo1.Lines|\"Line one\"||")}},
      {"sheet", {L.GetCaptions(), E("Sheet1|General||")}},
      {"collection", {L.GetCollections(), E("Grid1.Items[1].Title|Second||")}},
      {"properties list", {L.GetMultiLines(), E("Props1.Properties.Choices|A||")}},
      {"properties string", {L.GetOtherStrings(), E("Props1.Properties.Prompt|Pick||")}},
      {"display label", {L.GetDisplayLabels(), E("Field1|Depth||")}},
  };
  for (const auto& [what, want] : expected)
    EXPECT_EQ(Find(want.first, EntryField(want.second, '\x01', 0) + "\x01"), want.second) << what;
  EXPECT_EQ(EntryField(L.GetCaptions()->Get(0), '\x01', 0), "TTestForm1");
  EXPECT_EQ(Find(L.GetCaptions(), E("N1|")), "<none>");
  EXPECT_EQ(Find(L.GetCharSets(), E("TTestForm1|")), E("TTestForm1|DEFAULT_CHARSET||"));
}

TEST(LocLangCollectTest, DeletedButtonsTranslationsAreReused) {
  TTestFormFixture f(true, 2);
  TLocLang& L = *f.Lang;
  L.CollectTexts();
  L.SetEntryText(L.GetCaptions(), "Gut", 2, "Button1");
  f.Button1->SetName("Old");  // renamed without the designer: its entry no longer matches
  L.CollectTexts();
  EXPECT_EQ(Find(L.GetCaptions(), E("Old|")), E("Old|OK|Gut|"));
  EXPECT_EQ(Find(L.GetCaptions(), E("Button1|")), "<none>");
}

TEST(LocLangCollectTest, AutoSkipEmptiesAndParentFont) {
  TTestFormFixture f(true, 2);
  TLocLang& L = *f.Lang;
  f.Label1->SetCaption("");
  L.GetCaptions()->Add(E("Button1|||"));
  f.Button1->SetCaption("");
  L.SetAutoSkipEmpties(true);
  EXPECT_EQ(Find(L.GetCaptions(), E("Label1|")), "<none>");
  EXPECT_EQ(Find(L.GetCaptions(), E("Button1|")), "<none>");
  // Controls following their parent's font get no font entry.
  EXPECT_EQ(Find(L.GetFonts(), E("Button1|")), "<none>");
  f.Button1->SetParentFont(false);
  f.Button1->GetFont()->SetName("Courier");
  f.Button1->GetFont()->SetCharset(204);
  L.CollectTexts();
  EXPECT_EQ(Find(L.GetFonts(), E("Button1|")), E("Button1|Courier||"));
  EXPECT_EQ(Find(L.GetCharSets(), E("Button1|")), E("Button1|RUSSIAN_CHARSET||"));
}

TEST(LocLangCollectTest, ShrinkingCollectionLosesItsLastEntries) {
  TTestFormFixture f(true, 2);
  for (const char* t : {"c", "d", "e"}) f.Grid->Add(t);
  f.Lang->CollectTexts();
  ASSERT_NE(Find(f.Lang->GetCollections(), "Grid1.Items[4].Title"), "<none>");
  f.Grid->GetItems()->Delete(4);
  f.Grid->GetItems()->Delete(3);
  f.Lang->CollectTexts();
  EXPECT_NE(Find(f.Lang->GetCollections(), "Grid1.Items[2].Title"), "<none>");
  EXPECT_EQ(Find(f.Lang->GetCollections(), "Grid1.Items[3]."), "<none>");
  EXPECT_EQ(Find(f.Lang->GetCollections(), "Grid1.Items[4]."), "<none>");
}

// ---------------------------------------------------------------- applying
TEST(LocLangApplyTest, SwitchingLanguageWritesEveryList) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  L.CollectTexts();
  f.List->Items()->SetSorted(false);
  f.List->SetItemIndex(2);
  f.Memo->WordWrap = true;
  auto set = [&](TStringList* list, const std::string& key, const std::string& text) {
    L.SetEntryText(list, text, 2, key);
  };
  set(L.GetCaptions(), "TTestForm1", "Haupt");
  set(L.GetCaptions(), "Button1", "Gut");
  set(L.GetHints(), "Button1", "Druecken");
  set(L.GetMultiLines(), "List1.Items", "Rot,Gruen,Blau");
  set(L.GetMultiLines(), "Radio1.Items", "Eins,Zwei");
  set(L.GetMultiLines(), "Memo1.Lines", "\"Zeile eins\",zwei");
  set(L.GetCollections(), "Grid1.Items[0].Title", "Erste");
  set(L.GetOtherStrings(), "Props1.Properties.Prompt", "Wahl");
  set(L.GetDisplayLabels(), "Field1", "Tiefe");
  set(L.GetFonts(), "TTestForm1", "Tahoma");
  L.SetActiveLanguage(2);
  EXPECT_EQ(f.Form->GetCaption(), "Haupt");
  EXPECT_EQ(f.Form->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(f.Button1->GetCaption(), "Gut");
  EXPECT_EQ(f.Button1->GetHint(), "Druecken");
  EXPECT_EQ(f.List->Items()->GetCommaText(), "Rot,Gruen,Blau");
  EXPECT_EQ(f.List->GetItemIndex(), 2);
  EXPECT_EQ(f.Radio->Items()->GetCommaText(), "Eins,Zwei");
  EXPECT_EQ(f.Memo->Lines()->Count(), 2);
  EXPECT_EQ(f.Memo->Lines()->Get(0), "Zeile eins");
  EXPECT_TRUE(f.Memo->WordWrap);
  EXPECT_EQ(f.Grid->GetItems()->ItemAs<TTitledItem>(0)->Title, "Erste");
  EXPECT_EQ(f.Props->GetProperties()->Prompt, "Wahl");
  EXPECT_EQ(f.Field->DisplayLabel, "Tiefe");
  // Empty language-2 texts leave the label alone...
  EXPECT_EQ(f.Label1->GetCaption(), "Name:");
  L.SetActiveLanguage(1);
  EXPECT_EQ(f.Button1->GetCaption(), "OK");
  EXPECT_EQ(f.List->Items()->GetCommaText(), "Red,Green,Blue");
}

TEST(LocLangApplyTest, EmptyTextsFollowTranslateTypeAndDefaultLanguage) {
  struct Case {
    TTranslateType type;
    bool useDefault;
    const char* expected;
  };
  for (const Case& c : {Case{TTranslateType::ttNoChange, false, "changed"}, Case{TTranslateType::ttGetDefault, false, "Name:"},
                        Case{TTranslateType::ttNoChange, true, "Nom:"}}) {
    TTestFormFixture f(false, 3);
    TLocLang& L = *f.Lang;
    L.CollectTexts();
    L.SetEntryText(L.GetCaptions(), "Nom:", 3, "Label1");
    L.TranslateType = c.type;
    L.UseDefaultLanguage = c.useDefault;
    L.SetDefaultLanguage(3);
    f.Label1->SetCaption("changed");
    L.SetActiveLanguage(2);
    EXPECT_EQ(f.Label1->GetCaption(), c.expected);
  }
}

TEST(LocLangApplyTest, SortedListKeepsSortingAndNewHintsApplyOnlyHints) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  L.CollectTexts();
  L.SetEntryText(L.GetCaptions(), "Gut", 2, "Button1");
  L.SetEntryText(L.GetMultiLines(), "b,a", 2, "List1.Items");
  f.List->Items()->SetSorted(true);
  L.SetActiveLanguage(2);
  EXPECT_TRUE(f.List->Items()->GetSorted());
  L.SetActiveLanguage(1);
  f.Button1->SetCaption("untouched");
  TStringList hints;
  hints.Add(E("Button1|Press|Neu|"));
  L.SetActiveLanguage(2);
  f.Button1->SetCaption("untouched");
  L.SetHints(&hints);
  EXPECT_EQ(f.Button1->GetHint(), "Neu");
  EXPECT_EQ(f.Button1->GetCaption(), "untouched");
}

TEST(LocLangApplyTest, LocalesReachTheFormatSettings) {
  TFormatSettingsScope scope(TFormatSettings::Invariant());
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  L.SetChangeLocales(true);
  ASSERT_EQ(L.GetLocales()->Count(), 15);
  L.SetEntryText(L.GetLocales(), ",", 2, "Decimal Separator");
  L.SetEntryText(L.GetLocales(), "EUR", 2, "Currency String");
  L.SetEntryText(L.GetLocales(), "Jan,Feb,Mrz", 2, "Short Month Names");
  L.SetActiveLanguage(2);
  EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings.CurrencyString, "EUR");
  EXPECT_EQ(FormatSettings.ShortMonthNames[2], "Mrz");
  EXPECT_EQ(FormatSettings.ShortMonthNames[3], "Apr");
}

// ---------------------------------------------------------------- extended items
TEST(LocLangExtendedTest, ItemsFollowPathsRenamesAndKinds) {
  TTestFormFixture f(true, 2);
  TLocLang& L = *f.Lang;
  auto* kinds = Create<TAllKinds>(f.Form);
  kinds->SetName("Kinds1");
  kinds->Big = 5000000000LL;
  kinds->Edges = {TEdge::edLeft, TEdge::edRight};
  kinds->Shade = TShade::shDark;
  kinds->Ratio = 0.25;
  auto add = [&](const std::string& id, const std::string& values) {
    TLocExtendedItem* item = L.GetExtendedTranslations()->Add();
    item->SetIdentifier(id);
    item->Values = E(values);
    return item;
  };
  add("TTestForm1.Caption", "Main|Haupt|");
  TLocExtendedItem* renamed = add("Button1.Hint", "Press|Drueck|");
  renamed->SetRelatedComponent(f.Button1);
  add("Kinds1.Big", "x|6000000000|");
  add("Kinds1.Edges", "x|edTop,edBottom|");
  add("Kinds1.Shade", "x|shNone|");
  add("Kinds1.Ratio", "x|1.5|");
  add("Grid1.Items[1].Title", "x|Zweite|");
  EXPECT_EQ(L.PropertyAsText("Kinds1.Edges"), "edLeft,edRight");
  EXPECT_EQ(L.PropertyAsText("Kinds1.Shade"), "shDark");
  EXPECT_EQ(L.PropertyAsText("Kinds1.Big"), "5000000000");
  EXPECT_EQ(L.PropertyAsText("Kinds1.Ratio"), "0.25");
  f.Button1->SetName("OkButton");
  EXPECT_EQ(renamed->GetIdentifier(), "OkButton.Hint");
  f.Form->ComponentState.Exclude(TComponentStateItem::csDesigning);
  L.SetActiveLanguage(2);
  EXPECT_EQ(f.Form->GetCaption(), "Haupt");
  EXPECT_EQ(f.Button1->GetHint(), "Drueck");
  EXPECT_EQ(kinds->Big, 6000000000LL);
  EXPECT_TRUE(kinds->Edges.Contains(TEdge::edTop) && kinds->Edges.Contains(TEdge::edBottom));
  EXPECT_FALSE(kinds->Edges.Contains(TEdge::edLeft));
  EXPECT_EQ(kinds->Shade, TShade::shNone);
  EXPECT_DOUBLE_EQ(kinds->Ratio, 1.5);
  EXPECT_EQ(f.Grid->GetItems()->ItemAs<TTitledItem>(1)->Title, "Zweite");
  // A deleted component's item disappears at the next collect.
  f.Form->ComponentState.Include(TComponentStateItem::csDesigning);
  kinds->Free();
  EXPECT_EQ(L.GetExtendedTranslations()->Find("Kinds1.Big"), nullptr);
  add("Ghost1.Caption", "a|b|");
  L.CollectTexts();
  EXPECT_EQ(L.GetExtendedTranslations()->Find("Ghost1.Caption"), nullptr);
  EXPECT_NE(L.GetExtendedTranslations()->Find("TTestForm1.Caption"), nullptr);
}

TEST(LocLangExtendedTest, StringCollectionsHalveAndTranslate) {
  TTestFormFixture f(false, 2);
  TLocLang& L = *f.Lang;
  for (const char* s : {"beta|b1|b2|", "alpha|a1|a2|", "delta|d1|d2|"}) L.GetStrings()->Add(E(s));
  TLocStringsCollection coll(&L);
  L.FillStringsCollection(&coll, 0);
  EXPECT_EQ(coll.ValueByName("ALPHA", 2), "a2");
  EXPECT_EQ(coll.ValueByName("beta", 1), "b1");
  EXPECT_EQ(coll.ValueByName("delta", 2), "d2");
  EXPECT_EQ(coll.ValueByName("charlie", 2), "");
  EXPECT_EQ(coll.ValueByName("zulu", 2), "");
  L.FillStringsCollection(&coll, 1);
  EXPECT_EQ(coll.TranslateText("d1", 2), "d2");
  EXPECT_EQ(coll.TranslateText("unknown", 2), "unknown");
}

TEST(LocLangExtendedTest, ResourceStringsTranslatedWhileAHandlerExists) {
  const int plotText = ResStrings::Register(70001, "Left Axis");
  {
    TTestFormFixture f(false, 2);
    TLocLang& L = *f.Lang;
    L.GetStrings()->Add(E("r1|Left Axis|Linke Achse|"));
    L.GetStrings()->Add(E("r2|&Yes|&Ja|"));
    L.GetStrings()->Add(E("IDS_RES_70001|x|Achse links|"));
    L.HandleResourceStrings = true;
    L.Loaded();
    ASSERT_EQ(LocLang::ResourceStringsHandler(), &L);
    EXPECT_EQ(ResStrings::Load(plotText), "Left Axis");  // resource language is the active one
    L.SetActiveLanguage(2);
    EXPECT_EQ(ResStrings::Load(plotText), "Linke Achse");
    EXPECT_EQ(UserSeam::ButtonCaption(TMsgDlgBtn::mbYes), "&Ja");
    LocLang::ResourceIdLimit = 70001;
    EXPECT_EQ(ResStrings::Load(plotText), "Achse links");
    LocLang::ResourceIdLimit = 0;
  }
  EXPECT_EQ(LocLang::ResourceStringsHandler(), nullptr);
  EXPECT_EQ(ResStrings::Load(plotText), "Left Axis");
  EXPECT_EQ(UserSeam::ButtonCaption(TMsgDlgBtn::mbYes), "&Yes");
}

}  // namespace

}  // namespace LocLangTest
