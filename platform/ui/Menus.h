#pragma once
// Menus: menu items, the main menu of a form and pop-up menus.

#include "platform/ui/Controls.h"

#include <map>

class QAction;
class QMenu;
class QMenuBar;

// A shortcut: virtual-key code in the low byte plus the modifier bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

class TMenu;

class TMenuItem : public TComponent {
  KV_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;  // frees its sub-items

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the other radio items of its group.
  void SetChecked(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  std::string Hint;
  bool IsLine() const { return FCaption == "-"; }

  TNotifyEvent OnClick;
  // Fires OnClick when the item is enabled.
  virtual void Click();

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int Index) const;
  TMenuItem* operator[](int Index) const { return GetItem(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes Item out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the sub-item at Index.
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* GetParent() const { return FParent; }
  int GetMenuIndex() const;
  // The menu this item belongs to (through its parents), or none.
  TMenu* GetMenu() const;
  // The visible sub-item whose caption (without "&") is Caption, or none.
  TMenuItem* Find(const std::string& Caption) const;

 private:
  friend class TMenu;
  friend struct UiBridge::TAccess;
  void Changed(bool Structure);
  std::string FCaption;
  bool FChecked = false, FRadioItem = false, FEnabled = true, FVisible = true;
  int FGroupIndex = 0;
  TShortCut FShortCut = 0;
  std::vector<TMenuItem*> FItems;  // owned
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  QAction* FAction = nullptr;  // while a Qt menu shows the item
};

class TMenu : public TComponent {
  KV_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return FItems; }
  // The item whose shortcut is ShortCut (enabled and visible, in a visible branch).
  TMenuItem* FindShortCut(TShortCut ShortCut) const;
  // Clicks the item with this shortcut; true when one was found.
  bool IsShortCut(TShortCut ShortCut);

 protected:
  friend class TMenuItem;
  virtual void ItemsChanged(bool Structure) { (void)Structure; }

 private:
  TMenuItem* FItems;  // the root; owned
};

class TMainMenu : public TMenu {
  KV_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  // The menu bar widget for Form (built on first use, rebuilt when items change).
  QMenuBar* MenuBar(QWidget* FormWidget);

 protected:
  void ItemsChanged(bool Structure) override;

 private:
  void Rebuild();
  QMenuBar* FBar = nullptr;
};

class TPopupMenu : public TMenu {
  KV_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  // Shows the menu at screen position X,Y (through the seam) and clicks the chosen item.
  virtual void Popup(int X, int Y);
  // The control the menu was opened for (set by the control's right click).
  TComponent* PopupComponent = nullptr;
  TPoint PopupPoint;
  TNotifyEvent OnPopup;
};

namespace Menus {
TShortCut ShortCut(uint16_t Key, TShiftState Shift);
// "Ctrl+S", "F5", "Shift+Del" ...
std::string ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(const std::string& Text);
// Caption without its "&" accelerator marks ("&&" is one "&").
std::string StripHotkey(const std::string& Caption);
// Builds a Qt menu from Item's sub-items. Without Actions a chosen item is
// clicked through Dispatch; with Actions the map tells the caller which item
// an action stands for, and nothing is clicked.
void FillQtMenu(QMenu* Menu, TMenuItem* Item, std::map<QAction*, TMenuItem*>* Actions = nullptr);
}  // namespace Menus
