#include "chart/engine/PlotTranslate.h"

#include <set>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TranslateRules.h"

namespace PlotTranslate {

TStringList* WordList = nullptr;

std::string TranslateText(const std::string& Text) {
  if (WordList == nullptr || Text.empty() || Text == "?" || Text == "%" || Text == "0") return Text;
  for (int i = 0; i < WordList->GetCount(); ++i) {
    const std::string line = WordList->Get(i);
    const size_t eq = line.find('=');
    if (eq != std::string::npos && line.compare(0, eq, Text) == 0) return line.substr(eq + 1);
  }
  return Text;
}

namespace {

class Translator {
public:
  explicit Translator(const std::vector<TComponent*>& Excluded) : FExcluded(Excluded.begin(), Excluded.end()) {}

  void Component(TComponent* C) {
    if (C == nullptr || FExcluded.count(C) || !FDone.insert(C).second) return;
    if (auto* item = dynamic_cast<TMenuItem*>(C)) {
      MenuItem(item);
    } else if (auto* menu = dynamic_cast<TMenu*>(C)) {
      MenuItem(menu->Items());
    } else if (auto* control = dynamic_cast<TControl*>(C)) {
      Control(control);
    }
    for (int i = 0; i < C->ComponentCount(); ++i) Component(C->Components(i));
  }

private:
  static void Replace(const std::string& Old, const auto& Set) {
    const std::string New = TranslateText(Old);
    if (New != Old) Set(New);
  }

  void MenuItem(TMenuItem* Item) {
    if (Item == nullptr) return;
    Replace(Item->GetCaption(), [Item](const std::string& s) { Item->SetCaption(s); });
    Replace(Item->Hint, [Item](const std::string& s) { Item->Hint = s; });
    for (int i = 0; i < Item->Count(); ++i)
      if (!FExcluded.count(Item->GetItem(i))) MenuItem(Item->GetItem(i));
  }

  void Control(TControl* C) {
    Replace(C->GetText(), [C](const std::string& s) { C->SetText(s); });
    Replace(C->GetHint(), [C](const std::string& s) { C->SetHint(s); });
    TranslateRules::TranslateControlItems(C, TranslateText);
    // Controls mirroring the items were renamed with them: a translation must not be translated twice.
    for (TComponent* mirrored : TranslateRules::MirroredControls(C)) FDone.insert(mirrored);
    for (TControl* contained : TranslateRules::ContainedControls(C)) Component(contained);
  }

  std::set<TComponent*> FExcluded;
  std::set<TComponent*> FDone;
};

}  // namespace

void TranslateComponent(TComponent* Component, const std::vector<TComponent*>& Excluded) {
  if (WordList == nullptr) return;
  Translator(Excluded).Component(Component);
}

void Initialize() { PlotProcs::TranslateHook = TranslateComponent; }

void Finalize() { PlotProcs::TranslateHook = nullptr; }

namespace {
struct UnitStart {
  UnitStart() { Initialize(); }
} unitStart;
}  // namespace

}  // namespace PlotTranslate
