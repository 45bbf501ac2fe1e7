#include "platform/ui/ActnList.h"

#include "platform/ui/Controls.h"

#include <algorithm>

KV_CLASS_IMPL(TCustomAction, TComponent) {
  c.Property("Caption", &TCustomAction::GetCaption, &TCustomAction::SetCaption).Default("");
  c.Property("Hint", &TCustomAction::GetHint, &TCustomAction::SetHint).Default("");
  c.Property("Enabled", &TCustomAction::GetEnabled, &TCustomAction::SetEnabled).Default(true);
  c.Property("Visible", &TCustomAction::GetVisible, &TCustomAction::SetVisible).Default(true);
  c.Property("ImageIndex", &TCustomAction::GetImageIndex, &TCustomAction::SetImageIndex).Default(-1);
}

TCustomAction::TCustomAction(TComponent* AOwner) : TComponent(AOwner) {}

TCustomAction::~TCustomAction() {
  for (TActionLink* link : FClients) link->FAction = nullptr;
}

// Every client hears of the new value while the action still holds the old one.
void TCustomAction::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  for (size_t i = 0; i < FClients.size(); ++i) FClients[i]->SetCaption(Value);
  FCaption = Value;
}

void TCustomAction::SetHint(const std::string& Value) {
  if (Value == FHint) return;
  for (size_t i = 0; i < FClients.size(); ++i) FClients[i]->SetHint(Value);
  FHint = Value;
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  for (size_t i = 0; i < FClients.size(); ++i) FClients[i]->SetEnabled(Value);
  FEnabled = Value;
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  for (size_t i = 0; i < FClients.size(); ++i) FClients[i]->SetVisible(Value);
  FVisible = Value;
}

void TCustomAction::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  for (size_t i = 0; i < FClients.size(); ++i) FClients[i]->SetImageIndex(Value);
  FImageIndex = Value;
}

bool TCustomAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TCustomAction* Value) {
  if (Value == FAction) return;
  if (FAction) {
    auto& clients = FAction->FClients;
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
  }
  FAction = Value;
  if (!FAction) return;
  FAction->FClients.push_back(this);
  AssignAll();
}

void TActionLink::AssignAll() {}

// A control follows a value only while it still shows the action's old one.
void TControlActionLink::SetCaption(const std::string& Value) {
  if (GetAction() && FClient->GetCaption() == GetAction()->GetCaption()) FClient->SetCaption(Value);
}

void TControlActionLink::SetHint(const std::string& Value) {
  if (GetAction() && FClient->GetHint() == GetAction()->GetHint()) FClient->SetHint(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
  if (GetAction() && FClient->GetEnabled() == GetAction()->GetEnabled()) FClient->SetEnabled(Value);
}

void TControlActionLink::SetVisible(bool Value) {
  if (GetAction() && FClient->GetVisible() == GetAction()->GetVisible()) FClient->SetVisible(Value);
}

void TControlActionLink::AssignAll() {
  const TCustomAction& a = *GetAction();
  FClient->SetCaption(a.GetCaption());
  FClient->SetHint(a.GetHint());
  FClient->SetEnabled(a.GetEnabled());
  FClient->SetVisible(a.GetVisible());
}
