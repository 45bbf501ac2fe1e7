#include "platform/ui/TranslateRules.h"

#include <algorithm>

#include "platform/rtl/Classes.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

namespace TranslateRules {

void ReplaceLines(TStrings* Target, const TStrings* Lines) {
  auto* sorted = dynamic_cast<TStringList*>(Target);
  const bool wasSorted = sorted && sorted->GetSorted();
  if (wasSorted) sorted->SetSorted(false);
  Target->BeginUpdate();
  try {
    for (int i = 0; i < Lines->Count(); ++i) {
      if (i < Target->Count()) {
        if (Target->Get(i) != Lines->Get(i)) Target->Put(i, Lines->Get(i));
      } else {
        Target->Add(Lines->Get(i));
      }
    }
    while (Target->Count() > Lines->Count()) Target->Delete(Target->Count() - 1);
  } catch (...) {
    Target->EndUpdate();
    if (wasSorted) sorted->SetSorted(true);
    throw;
  }
  Target->EndUpdate();
  if (wasSorted) sorted->SetSorted(true);
}

void ReplaceControlItems(TComponent* Control, TStrings* Target, const TStrings* Lines) {
  auto* list = dynamic_cast<TCustomListControl*>(Control);
  auto* group = dynamic_cast<TRadioGroup*>(Control);
  auto* memo = dynamic_cast<TMemo*>(Control);
  const int index = list ? list->GetItemIndex() : group ? group->GetItemIndex() : -1;
  const bool wrap = memo && memo->WordWrap;
  if (wrap) memo->WordWrap = false;
  // Restored however the replacement ends.
  struct TAfter {
    TCustomListControl* List;
    TRadioGroup* Group;
    TMemo* Memo;
    int Index;
    bool Wrap;
    ~TAfter() {
      if (List) List->SetItemIndex(Index);
      if (Group) Group->SetItemIndex(Index);
      if (Wrap) Memo->WordWrap = true;
    }
  } after{list, group, memo, index, wrap};
  ReplaceLines(Target, Lines);
}

TStrings* ControlItems(TComponent* Control) {
  if (auto* list = dynamic_cast<TCustomListControl*>(Control)) return list->Items();
  if (auto* group = dynamic_cast<TRadioGroup*>(Control)) return group->Items();
  return nullptr;
}

void TranslateControlItems(TComponent* Control, const std::function<std::string(const std::string&)>& Translate) {
  TStrings* items = ControlItems(Control);
  if (!items) return;
  TStringList lines;
  bool changed = false;
  for (int i = 0; i < items->Count(); ++i) {
    const std::string old = items->Get(i);
    const std::string text = Translate(old);
    changed = changed || text != old;
    lines.Add(text);
  }
  if (changed) ReplaceControlItems(Control, items, &lines);
}

std::vector<TComponent*> MirroredControls(TComponent* Control) {
  std::vector<TComponent*> mirrored;
  if (auto* group = dynamic_cast<TRadioGroup*>(Control))
    for (int i = 0; i < group->Items()->Count(); ++i) mirrored.push_back(group->Buttons(i));
  return mirrored;
}

std::vector<TControl*> ContainedControls(TControl* Control) {
  std::vector<TControl*> controls;
  auto add = [&controls](TControl* C) {
    if (C && std::find(controls.begin(), controls.end(), C) == controls.end()) controls.push_back(C);
  };
  if (auto* pages = dynamic_cast<TPageControl*>(Control))
    for (int i = 0; i < pages->PageCount(); ++i) add(pages->Pages(i));
  if (auto* parent = dynamic_cast<TWinControl*>(Control))
    for (int i = 0; i < parent->ControlCount(); ++i) add(parent->GetControl(i));
  return controls;
}

}  // namespace TranslateRules
