// Keeping a form's window state and bounds in the registry.
#include "translation/LocLang.h"

using namespace SysUtils;

KV_CLASS_IMPL(TLocFormStorage, TComponent) {
  c.Property("Active", &TLocFormStorage::GetActive, &TLocFormStorage::SetActive).Default(true);
  c.Property("RegRootKey", &TLocFormStorage::GetRegRootKey, &TLocFormStorage::SetRegRootKey)
      .Names({"locHKEY_CURRENT_USER", "locHKEY_CLASSES_ROOT", "locHKEY_LOCAL_MACHINE", "locHKEY_USERS",
              "locHKEY_CURRENT_CONFIG", "locHKEY_DYN_DATA"})
      .Default(TMyHKeyType::locHKEY_CURRENT_USER);
  c.Property("SubKey", &TLocFormStorage::GetSubKey, &TLocFormStorage::SetSubKey).Default("");
}

namespace {
TComponent* FormOwner(TComponent* AOwner) {
  if (!dynamic_cast<TForm*>(AOwner)) throw EInvalidCast("Invalid class typecast");
  return AOwner;
}
}  // namespace

TLocFormStorage::TLocFormStorage(TComponent* AOwner)
    : TComponent(FormOwner(AOwner)), FForm(static_cast<TForm*>(AOwner)) {
  // The form frees its components only after its own parts are gone: the
  // place is saved when the form announces its end.
  AOwner->FreeNotification(this);
}

void TLocFormStorage::SaveGuarded() {
  if (FSaved) return;
  FSaved = true;
  try {
    SaveFormState();
  } catch (const std::exception& e) {
    if (OnSaveError) OnSaveError(e);
  }
}

void TLocFormStorage::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (AComponent == FForm && Operation == TOperation::opRemove) {
    SaveGuarded();
    FForm = nullptr;
  }
}

TLocFormStorage::~TLocFormStorage() = default;

void TLocFormStorage::BeforeDestruction() {
  // An exception must not leave destruction: a failed save is reported and dropped.
  if (FForm && !FForm->ComponentState.Contains(TComponentStateItem::csDestroying)) SaveGuarded();
  TComponent::BeforeDestruction();
}

void TLocFormStorage::Loaded() {
  TComponent::Loaded();
  RestoreFormState();
}

void TLocFormStorage::SetRegRootKey(TMyHKeyType Value) {
  if (Value == FRegRootKey) return;
  FRegRootKey = Value;
  static const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE,
                               HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
  FRootKey = roots[static_cast<int>(Value)];
}

namespace {
bool Designing(const TComponent* C) {
  return C->ComponentState.Contains(TComponentStateItem::csDesigning) ||
         (C->Owner() && C->Owner()->ComponentState.Contains(TComponentStateItem::csDesigning));
}
}  // namespace

void TLocFormStorage::SaveFormState() {
  if (!FActive || Designing(this) || !FForm) return;
  TRegistry reg;
  reg.SetRootKey(FRootKey);
  if (!reg.OpenKey(FSubKey, true)) throw ERegistryException("Failed to create key " + FSubKey);
  const TWindowState state = FForm->GetWindowState();
  reg.WriteString("State", state == TWindowState::wsMinimized   ? "Minimized"
                           : state == TWindowState::wsMaximized ? "Maximized"
                                                                : "Normal");
  if (state != TWindowState::wsNormal) return;
  reg.WriteInteger("Top", FForm->GetTop());
  reg.WriteInteger("Left", FForm->GetLeft());
  reg.WriteInteger("Height", FForm->GetHeight());
  reg.WriteInteger("Width", FForm->GetWidth());
}

void TLocFormStorage::RestoreFormState() {
  if (!FActive || Designing(this) || !FForm) return;
  const int left = FForm->GetLeft(), top = FForm->GetTop(), height = FForm->GetHeight(), width = FForm->GetWidth();
  const TWindowState state = FForm->GetWindowState();
  try {
    TRegistry reg;
    reg.SetRootKey(FRootKey);
    if (!reg.OpenKey(FSubKey, true)) throw ERegistryException("Failed to open key " + FSubKey);
    if (reg.ReadString("State").empty()) return;
    FForm->SetTop(reg.ReadInteger("Top"));
    FForm->SetLeft(reg.ReadInteger("Left"));
    FForm->SetHeight(reg.ReadInteger("Height"));
    FForm->SetWidth(reg.ReadInteger("Width"));
    const std::string saved = reg.ReadString("State");
    if (saved.size() >= 3) {
      if (saved[2] == 'n') FForm->SetWindowState(TWindowState::wsMinimized);
      if (saved[2] == 'r') FForm->SetWindowState(TWindowState::wsNormal);
      if (saved[2] == 'x') FForm->SetWindowState(TWindowState::wsMaximized);
    }
  } catch (const std::exception&) {
    FForm->SetBounds(left, top, width, height);
    FForm->SetWindowState(state);
  }
}
