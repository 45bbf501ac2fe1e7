#include "platform/ui/Menus.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <map>

namespace {

// The shortcut is shown beside the item; the form's key handling runs it
// (Qt would run it only in its own context, and not after the form's rules).
void ShowShortCut(QAction* Action, TShortCut ShortCut) {
  Action->setShortcut(QKeySequence(UiBridge::ToQ(Menus::ShortCutToText(ShortCut))));
  Action->setShortcutContext(Qt::WidgetShortcut);
}

}  // namespace

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent) FParent->Remove(this);
}

void TMenuItem::Changed(bool Structure) {
  if (TMenu* menu = GetMenu()) menu->ItemsChanged(Structure);
}

void TMenuItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (FAction) {
    FAction->setText(UiBridge::ToQ(Value));
    FAction->setSeparator(IsLine());
  }
  Changed(false);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value && FRadioItem && FParent) {
    for (TMenuItem* other : FParent->FItems)
      if (other != this && other->FRadioItem && other->FGroupIndex == FGroupIndex && other->FChecked)
        other->SetChecked(false);
  }
  FChecked = Value;
  if (FAction) {
    FAction->setCheckable(FChecked || FRadioItem);
    FAction->setChecked(FChecked);
  }
  Changed(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  FRadioItem = Value;
  if (Value && FChecked) SetChecked(true);
  Changed(true);
}

void TMenuItem::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  if (FRadioItem && FChecked) SetChecked(true);
  Changed(true);
}

void TMenuItem::SetEnabled(bool Value) {
  FEnabled = Value;
  if (FAction) FAction->setEnabled(Value);
  Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
  FVisible = Value;
  if (FAction) FAction->setVisible(Value);
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  FShortCut = Value;
  if (FAction) ShowShortCut(FAction, Value);
  Changed(false);
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("Menu index out of range");
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EListError("Menu index out of range");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
  Item->FAction = nullptr;
  Changed(true);
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = GetItem(Index);
  Remove(item);
  item->Free();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

TMenu* TMenuItem::GetMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

TMenuItem* TMenuItem::Find(const std::string& Caption) const {
  const std::string wanted = Menus::StripHotkey(Caption);
  for (TMenuItem* item : FItems)
    if (item->FVisible && SysUtils::SameText(Menus::StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

// ---------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  FItems->Free();
}

namespace {
TMenuItem* FindShortCutIn(TMenuItem* Item, TShortCut ShortCut) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* child = Item->GetItem(i);
    if (!child->GetVisible()) continue;
    if (child->GetShortCut() == ShortCut && child->GetEnabled()) return child;
    if (TMenuItem* found = FindShortCutIn(child, ShortCut)) return found;
  }
  return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut ShortCut) const {
  return ShortCut == scNone ? nullptr : FindShortCutIn(FItems, ShortCut);
}

bool TMenu::IsShortCut(TShortCut ShortCut) {
  TMenuItem* item = FindShortCut(ShortCut);
  if (!item) return false;
  Application->Dispatch(item, [item] { item->Click(); });
  return true;
}

// ---------------------------------------------------------------- Qt menus

namespace {

// Keeps the item's link to its Qt action until the action goes.
void LinkAction(TMenuItem* Item, QAction* Action) {
  UiBridge::TAccess::SetMenuAction(Item, Action);
  QObject::connect(Action, &QObject::destroyed, [ref = WeakRef<TMenuItem>(Item), Action] {
    if (TMenuItem* item = ref.Get()) UiBridge::TAccess::ClearMenuAction(item, Action);
  });
}

void ConnectClick(TMenuItem* Item, QAction* Action) {
  QObject::connect(Action, &QAction::triggered, Action, [ref = WeakRef<TMenuItem>(Item), Action] {
    TMenuItem* item = ref.Get();
    if (!item) return;
    // Qt toggles a checkable action by itself; the check mark is the item's,
    // which only its handler changes.
    Action->setChecked(item->GetChecked());
    Application->Dispatch(item, [item] { item->Click(); });
  });
}

// An item with sub-items is clicked when its menu opens, so that its handler can
// set the check marks and enabling of the items before they show.
void ConnectOpen(TMenuItem* Item, QMenu* Menu) {
  QObject::connect(Menu, &QMenu::aboutToShow, Menu, [ref = WeakRef<TMenuItem>(Item)] {
    if (TMenuItem* item = ref.Get()) Application->Dispatch(item, [item] { item->Click(); });
  });
}

}  // namespace

void Menus::FillQtMenu(QMenu* Menu, TMenuItem* Item, std::map<QAction*, TMenuItem*>* Actions) {
  std::map<int, QActionGroup*> groups;
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* child = Item->GetItem(i);
    QAction* action;
    if (child->IsLine()) {
      action = Menu->addSeparator();
    } else if (child->Count() > 0) {
      QMenu* sub = Menu->addMenu(UiBridge::ToQ(child->GetCaption()));
      FillQtMenu(sub, child, Actions);
      ConnectOpen(child, sub);
      action = sub->menuAction();
    } else {
      action = Menu->addAction(UiBridge::ToQ(child->GetCaption()));
      action->setCheckable(child->GetChecked() || child->GetRadioItem());
      action->setChecked(child->GetChecked());
      if (child->GetRadioItem()) {
        QActionGroup*& group = groups[child->GetGroupIndex()];
        if (!group) group = new QActionGroup(Menu);
        group->addAction(action);
      }
      if (child->GetShortCut() != scNone) ShowShortCut(action, child->GetShortCut());
      if (Actions)
        (*Actions)[action] = child;
      else
        ConnectClick(child, action);
    }
    action->setEnabled(child->GetEnabled());
    action->setVisible(child->GetVisible());
    LinkAction(child, action);
  }
}

// ---------------------------------------------------------------- TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
  // The form's layout forgets a deleted menu bar.
  delete FBar;
}

QMenuBar* TMainMenu::MenuBar(QWidget* FormWidget) {
  if (!FBar) {
    FBar = new QMenuBar(FormWidget ? FormWidget->window() : nullptr);
    FBar->setNativeMenuBar(false);
    QObject::connect(FBar, &QObject::destroyed, [this] { FBar = nullptr; });
    Rebuild();
  }
  return FBar;
}

void TMainMenu::Rebuild() {
  // Later, not now: a click handler of an item inside may be what changed the menu.
  const QList<QAction*> old = FBar->actions();
  FBar->clear();
  for (QAction* a : old) {
    if (QMenu* m = a->menu()) m->deleteLater();
    if (a->parent() == FBar) a->deleteLater();
  }
  for (int i = 0; i < Items()->Count(); ++i) {
    TMenuItem* top = Items()->GetItem(i);
    QAction* action;
    if (top->Count() > 0) {
      QMenu* sub = FBar->addMenu(UiBridge::ToQ(top->GetCaption()));
      Menus::FillQtMenu(sub, top);
      ConnectOpen(top, sub);
      action = sub->menuAction();
    } else {
      action = FBar->addAction(UiBridge::ToQ(top->GetCaption()));
      ConnectClick(top, action);
    }
    action->setEnabled(top->GetEnabled());
    action->setVisible(top->GetVisible());
    LinkAction(top, action);
  }
}

void TMainMenu::ItemsChanged(bool Structure) {
  if (Structure && FBar) Rebuild();
}

// ---------------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int X, int Y) {
  PopupPoint = TPoint(X, Y);
  if (OnPopup) OnPopup(this);
  WeakRef<TMenuItem> chosen(UserSeam::Current().PopupMenu(*this, X, Y));
  if (TMenuItem* item = chosen.Get()) Application->Dispatch(item, [item] { item->Click(); });
}

// ---------------------------------------------------------------- Menus

TShortCut Menus::ShortCut(uint16_t Key, TShiftState Shift) {
  TShortCut s = static_cast<TShortCut>(Key & 0xFF);
  if (Shift.Contains(TShiftStateItem::ssShift)) s |= scShift;
  if (Shift.Contains(TShiftStateItem::ssCtrl)) s |= scCtrl;
  if (Shift.Contains(TShiftStateItem::ssAlt)) s |= scAlt;
  return s;
}

namespace {

struct TKeyName {
  uint16_t Key;
  const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},   {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(uint16_t Key) {
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return std::string(1, static_cast<char>(Key));
  if (Key >= VK_F1 && Key <= VK_F12) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const TKeyName& k : kKeyNames)
    if (k.Key == Key) return k.Name;
  return std::string();
}

}  // namespace

std::string Menus::ShortCutToText(TShortCut ShortCut) {
  std::string name = KeyName(ShortCut & 0xFF);
  if (name.empty()) return std::string();
  std::string text;
  if (ShortCut & scShift) text += "Shift+";
  if (ShortCut & scCtrl) text += "Ctrl+";
  if (ShortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut Menus::TextToShortCut(const std::string& Text) {
  TShortCut modifiers = 0;
  std::string rest = Text;
  static const std::pair<const char*, TShortCut> kModifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  for (bool found = true; found;) {
    found = false;
    for (auto [prefix, bit] : kModifiers) {
      const std::string p = prefix;
      if (rest.size() > p.size() && SysUtils::SameText(rest.substr(0, p.size()), p)) {
        modifiers |= bit;
        rest = rest.substr(p.size());
        found = true;
      }
    }
  }
  for (uint16_t key = 1; key <= 0xFF; ++key) {
    std::string name = KeyName(key);
    if (!name.empty() && SysUtils::SameText(name, rest)) return static_cast<TShortCut>(modifiers | key);
  }
  return scNone;
}

std::string Menus::StripHotkey(const std::string& Caption) {
  std::string out;
  for (size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Caption[i];
  }
  return out;
}

void UiBridge::TAccess::SetMenuAction(TMenuItem* Item, QAction* Action) { Item->FAction = Action; }

void UiBridge::TAccess::ClearMenuAction(TMenuItem* Item, QAction* Action) {
  if (Item->FAction == Action) Item->FAction = nullptr;
}
