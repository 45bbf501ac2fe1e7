#pragma once
// Forms and components for the translation tests: a form with the usual
// controls, a component with a collection, one with a "Properties" object,
// one publishing DisplayLabel and one with properties of every kind.

#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "translation/LocLang.h"

class TTestForm1 : public TForm {
  KV_CLASS(TTestForm1, TForm)
 public:
  explicit TTestForm1(TComponent* AOwner) : TForm(AOwner) {}
};

class TTestForm2 : public TForm {
  KV_CLASS(TTestForm2, TForm)
 public:
  explicit TTestForm2(TComponent* AOwner) : TForm(AOwner) {}
};

class TLabelled : public TComponent {
  KV_CLASS(TLabelled, TComponent)
 public:
  using TComponent::TComponent;
  std::string DisplayLabel;
};

class TSubText : public TPersistent {
  KV_CLASS(TSubText, TPersistent)
 public:
  std::string Text;
};

class TTitledItem : public TCollectionItem {
  KV_CLASS(TTitledItem, TCollectionItem)
 public:
  explicit TTitledItem(TCollection* C);
  ~TTitledItem() override;
  std::string Title;
  TStringList* GetLines() const { return FLines.get(); }
  void SetLines(TStringList* V) { FLines->Assign(V); }
  TSubText* GetSub() const { return FSub.get(); }
  void SetSub(TSubText* V) { FSub->Text = V->Text; }

 private:
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TSubText> FSub;
};

class TItemOwner : public TComponent {
  KV_CLASS(TItemOwner, TComponent)
 public:
  explicit TItemOwner(TComponent* AOwner);
  ~TItemOwner() override;
  TCollection* GetItems() const { return FItems.get(); }
  void SetItems(TCollection* V) { FItems->Assign(V); }
  TTitledItem* Add(const std::string& Title);

 private:
  std::unique_ptr<TCollection> FItems;
};

class TPropsObj : public TPersistent {
  KV_CLASS(TPropsObj, TPersistent)
 public:
  TPropsObj() : FChoices(std::make_unique<TStringList>()) {}
  std::string Prompt;
  TStringList* GetChoices() const { return FChoices.get(); }
  void SetChoices(TStringList* V) { FChoices->Assign(V); }

 private:
  std::unique_ptr<TStringList> FChoices;
};

class TPropsHolder : public TComponent {
  KV_CLASS(TPropsHolder, TComponent)
 public:
  explicit TPropsHolder(TComponent* AOwner) : TComponent(AOwner), FProps(std::make_unique<TPropsObj>()) {}
  TPropsObj* GetProperties() const { return FProps.get(); }

 private:
  std::unique_ptr<TPropsObj> FProps;
};

enum class TShade { shLight, shDark, shNone };
enum class TEdge { edLeft, edTop, edRight, edBottom };

class TAllKinds : public TComponent {
  KV_CLASS(TAllKinds, TComponent)
 public:
  using TComponent::TComponent;
  int32_t Count = 0;
  int64_t Big = 0;
  double Ratio = 0;
  TShade Shade = TShade::shLight;
  Flags<TEdge> Edges;
  bool Flag = false;
  std::string Title;
};

// A form with Button1 "OK", Label1, a menu with a separator, a radio group,
// a list box, a memo, a page control with one sheet, and the components above.
struct TTestFormFixture {
  TTestForm1* Form = nullptr;
  TButton* Button1 = nullptr;
  TLabel* Label1 = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem* FileItem = nullptr;
  TMenuItem* Separator = nullptr;
  TRadioGroup* Radio = nullptr;
  TListBox* List = nullptr;
  TMemo* Memo = nullptr;
  TPageControl* Pages = nullptr;
  TTabSheet* Sheet = nullptr;
  TItemOwner* Grid = nullptr;
  TPropsHolder* Props = nullptr;
  TLabelled* Field = nullptr;
  TLocLang* Lang = nullptr;

  // Builds the form; Designing marks the owner as being designed.
  explicit TTestFormFixture(bool Designing, int Languages = 2);
  ~TTestFormFixture();
  TTestFormFixture(const TTestFormFixture&) = delete;
  TTestFormFixture& operator=(const TTestFormFixture&) = delete;
};

// "a\x01b\x01" from "a|b|".
std::string E(std::string Text);
