#include "app/FileMO.h"

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TFileMenuItem, TMenuItem) {}

KV_CLASS_IMPL(TFileMenuOpens, TComponent) {
  c.Property("RegPath", &TFileMenuOpens::GetRegPath, &TFileMenuOpens::SetRegPath).Default(std::string());
  c.Property("Numbers", &TFileMenuOpens::GetNumbers, &TFileMenuOpens::SetNumbers).Default(4u);
  c.Property("MenuIndex", &TFileMenuOpens::GetMenuIndex, &TFileMenuOpens::SetMenuIndex).Default(0u);
}

TFileMenuOpens::TFileMenuOpens(TComponent* AOwner, std::string SettingsFile) : TComponent(AOwner) {
  FIni = std::make_unique<TIniFile>(SettingsFile.empty() ? Chart::SettingsFileName() : std::move(SettingsFile));
}

TFileMenuOpens::~TFileMenuOpens() {
  // The items stand for this list: they go with it.
  RemoveItems();
  if (FMenus) FMenus->RemoveFreeNotification(this);
}

void TFileMenuOpens::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FMenus) {
    // Its items go with it.
    FMenus = nullptr;
    FItems.clear();
  }
  std::erase(FItems, AComponent);
}

bool TFileMenuOpens::Designing() const { return ComponentState.Contains(TComponentStateItem::csDesigning); }

std::string TFileMenuOpens::Entry(uint32_t Key) const { return FIni->ReadString(Section, std::to_string(Key), ""); }

void TFileMenuOpens::SetEntry(uint32_t Key, const std::string& Value) {
  FIni->WriteString(Section, std::to_string(Key), Value);
}

void TFileMenuOpens::WriteMissingKeys(uint32_t First, uint32_t Last) {
  for (uint32_t k = First; k <= Last; ++k)
    if (!FIni->ValueExists(Section, std::to_string(k))) SetEntry(k, "");
}

void TFileMenuOpens::SetOnAction(TNotifyEvent Value) {
  FOnAction = std::move(Value);
  RebuildMenu();
}

void TFileMenuOpens::SetRegPath(const std::string& Value) {
  const bool changed = Value != FRegPath;
  FRegPath = Value;
  if (!Designing() && changed) WriteMissingKeys(1, FNumbers);
  RebuildMenu();
}

void TFileMenuOpens::SetNumbers(uint32_t Value) {
  const uint32_t old = FNumbers;
  FNumbers = Value;
  if (!Designing() && Value != old) {
    // New slots start empty, but an entry kept from a larger list stays: a
    // restart must not lose the oldest entry.
    if (Value > old)
      WriteMissingKeys(old + 1, Value);
    else
      for (uint32_t k = Value + 1; k <= old; ++k) FIni->DeleteKey(Section, std::to_string(k));
  }
  RebuildMenu();
}

void TFileMenuOpens::SetMenus(TMenuItem* Value) {
  if (Value == FMenus) return;
  RemoveItems();
  if (FMenus) FMenus->RemoveFreeNotification(this);
  FMenus = Value;
  if (FMenus) FMenus->FreeNotification(this);
  RebuildMenu();
}

void TFileMenuOpens::SetMenuIndex(uint32_t Value) {
  FMenuIndex = Value;
  RebuildMenu();
}

std::string TFileMenuOpens::CaptionOf(const std::string& FileName) {
  std::string caption;
  for (char ch : FileName) {
    caption += ch;
    if (ch == '&') caption += '&';
  }
  return caption;
}

std::vector<std::string> TFileMenuOpens::Files() const {
  std::vector<std::string> files;
  for (uint32_t k = 1; k <= FNumbers; ++k)
    if (std::string name = Entry(k); !name.empty()) files.push_back(std::move(name));
  return files;
}

void TFileMenuOpens::RemoveItems() {
  std::vector<TMenuItem*> items;
  items.swap(FItems);
  for (TMenuItem* item : items) item->Free();
}

void TFileMenuOpens::RebuildMenu() {
  if (Designing() || !FMenus) return;
  RemoveItems();
  // Holes (a hand-edited file) are skipped: the items stay together.
  for (uint32_t k = 1; k <= FNumbers; ++k) {
    const std::string name = Entry(k);
    if (name.empty()) continue;
    auto* item = Create<TFileMenuItem>(FMenus);
    item->SetName(std::string(Section) + std::to_string(k));
    item->SetCaption(CaptionOf(name));
    item->FileName = name;
    item->OnClick = FOnAction;
    const uint64_t position = uint64_t{FMenuIndex} + FItems.size();
    if (position <= static_cast<uint64_t>(FMenus->Count()))
      FMenus->Insert(static_cast<int>(position), item);
    else
      FMenus->Add(item);
    FItems.push_back(item);
  }
}

void TFileMenuOpens::AddFile(const std::string& FileName) {
  if (FileName.empty() || FNumbers == 0) return;
  // The slot the name leaves: its own when listed, else the oldest one.
  uint32_t slot = FNumbers;
  for (uint32_t k = 1; k <= FNumbers; ++k)
    if (Entry(k) == FileName) {
      slot = k;
      break;
    }
  for (uint32_t k = slot; k >= 2; --k) SetEntry(k, Entry(k - 1));
  SetEntry(1, FileName);
  RebuildMenu();
}
