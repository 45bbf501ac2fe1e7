#include "translation/tests/TestForms.h"

#include <algorithm>

using namespace SysUtils;

KV_CLASS_IMPL(TTestForm1, TForm) {}
KV_CLASS_IMPL(TTestForm2, TForm) {}
KV_CLASS_IMPL(TLabelled, TComponent) { c.Property("DisplayLabel", &TLabelled::DisplayLabel).Default(""); }
KV_CLASS_IMPL(TSubText, TPersistent) { c.Property("Text", &TSubText::Text).Default(""); }
KV_CLASS_IMPL(TTitledItem, TCollectionItem) {
  c.Property("Title", &TTitledItem::Title).Default("");
  c.Property("Lines", &TTitledItem::GetLines, &TTitledItem::SetLines);
  c.Property("Sub", &TTitledItem::GetSub, &TTitledItem::SetSub);
}
KV_CLASS_IMPL(TItemOwner, TComponent) { c.Property("Items", &TItemOwner::GetItems, &TItemOwner::SetItems); }
KV_CLASS_IMPL(TPropsObj, TPersistent) {
  c.Property("Prompt", &TPropsObj::Prompt).Default("");
  c.Property("Choices", &TPropsObj::GetChoices, &TPropsObj::SetChoices);
}
KV_CLASS_IMPL(TPropsHolder, TComponent) { c.Property("Properties", &TPropsHolder::GetProperties); }
KV_CLASS_IMPL(TAllKinds, TComponent) {
  c.Property("Count", &TAllKinds::Count).Default(0);
  c.Property("Big", &TAllKinds::Big).Default(int64_t(0));
  c.Property("Ratio", &TAllKinds::Ratio);
  c.Property("Shade", &TAllKinds::Shade).Names({"shLight", "shDark", "shNone"});
  c.Property("Edges", &TAllKinds::Edges).Names({"edLeft", "edTop", "edRight", "edBottom"});
  c.Property("Flag", &TAllKinds::Flag).Default(false);
  c.Property("Title", &TAllKinds::Title).Default("");
}

TTitledItem::TTitledItem(TCollection* C)
    : TCollectionItem(C), FLines(std::make_unique<TStringList>()), FSub(std::make_unique<TSubText>()) {}
TTitledItem::~TTitledItem() = default;

TItemOwner::TItemOwner(TComponent* AOwner)
    : TComponent(AOwner),
      FItems(std::make_unique<TCollection>(TTitledItem::StaticClass(), TCollection::ItemFactoryOf<TTitledItem>(), this)) {}
TItemOwner::~TItemOwner() = default;

TTitledItem* TItemOwner::Add(const std::string& Title) {
  auto* item = static_cast<TTitledItem*>(FItems->Add());
  item->Title = Title;
  return item;
}

std::string E(std::string Text) {
  std::replace(Text.begin(), Text.end(), '|', '\x01');
  return Text;
}

TTestFormFixture::TTestFormFixture(bool Designing, int Languages) {
  Form = Create<TTestForm1>(nullptr);
  Form->SetName("TestForm1");
  if (Designing) Form->ComponentState.Include(TComponentStateItem::csDesigning);
  Form->SetCaption("Main");
  Form->SetHint("Form hint");
  Form->GetFont()->SetName("Arial");
  auto named = [&](auto* c, const char* name) {
    c->SetName(name);
    return c;
  };
  Button1 = named(Create<TButton>(Form), "Button1");
  Button1->SetParent(Form);
  Button1->SetCaption("OK");
  Button1->SetHint("Press");
  Label1 = named(Create<TLabel>(Form), "Label1");
  Label1->SetParent(Form);
  Label1->SetCaption("Name:");
  Menu = named(Create<TMainMenu>(Form), "MainMenu1");
  FileItem = named(Create<TMenuItem>(Form), "FileItem");
  FileItem->SetCaption("&File");
  Separator = named(Create<TMenuItem>(Form), "N1");
  Separator->SetCaption("-");
  Radio = named(Create<TRadioGroup>(Form), "Radio1");
  Radio->SetParent(Form);
  Radio->SetCaption("Choice");
  Radio->Items()->Add("One");
  Radio->Items()->Add("Two");
  List = named(Create<TListBox>(Form), "List1");
  List->SetParent(Form);
  for (const char* s : {"Red", "Green", "Blue"}) List->Items()->Add(s);
  Memo = named(Create<TMemo>(Form), "Memo1");
  Memo->SetParent(Form);
  Memo->Lines()->Add("Line one");
  Pages = named(Create<TPageControl>(Form), "Pages1");
  Pages->SetParent(Form);
  Sheet = named(Create<TTabSheet>(Form), "Sheet1");
  Sheet->SetPageControl(Pages);
  Sheet->SetCaption("General");
  Grid = named(Create<TItemOwner>(Form), "Grid1");
  Grid->Add("First");
  Grid->Add("Second");
  Props = named(Create<TPropsHolder>(Form), "Props1");
  Props->GetProperties()->Prompt = "Pick";
  Props->GetProperties()->GetChoices()->Add("A");
  Field = named(Create<TLabelled>(Form), "Field1");
  Field->DisplayLabel = "Depth";
  Lang = named(Create<TLocLang>(Form), "LocLang1");
  if (Languages > 1) {
    TStringList names;
    names.Add("English");
    for (int i = 2; i <= Languages; ++i) names.Add("Lang" + std::to_string(i));
    Lang->SetLangNames(&names);
  }
}

TTestFormFixture::~TTestFormFixture() { Form->Free(); }
