#include "platform/rtl/WeakRef.h"

TWeakLink::TWeakLink(TComponent* ATarget) : TComponent(nullptr), FTarget(ATarget) {
  if (FTarget) FreeNotification(FTarget);
}

TWeakLink::~TWeakLink() {
  if (FTarget) RemoveFreeNotification(FTarget);
}

void TWeakLink::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FTarget) FTarget = nullptr;
}
