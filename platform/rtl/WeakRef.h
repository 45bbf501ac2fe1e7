#pragma once
// A reference to a component one does not own. It becomes null when the
// component is freed (through the component's free notification), so it can
// never dangle.

#include "platform/rtl/Classes.h"

// Watches one component; cleared by its free notification.
class TWeakLink final : public TComponent {
 public:
  explicit TWeakLink(TComponent* ATarget);
  ~TWeakLink() override;
  TComponent* Target() const { return FTarget; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TComponent* FTarget;
};

template <class T>
class WeakRef {
 public:
  WeakRef() = default;
  WeakRef(T* target) { Reset(target); }  // NOLINT: assigning a pointer is the common use
  WeakRef(const WeakRef& other) { Reset(other.Get()); }
  WeakRef& operator=(const WeakRef& other) {
    if (this != &other) Reset(other.Get());
    return *this;
  }
  WeakRef& operator=(T* target) {
    Reset(target);
    return *this;
  }
  ~WeakRef() { Reset(nullptr); }

  T* Get() const { return FLink ? static_cast<T*>(FLink->Target()) : nullptr; }
  T* operator->() const { return Get(); }
  operator T*() const { return Get(); }  // NOLINT
  explicit operator bool() const { return Get() != nullptr; }

  void Reset(T* target = nullptr) {
    if (target && FLink && FLink->Target() == target) return;
    TWeakLink* old = FLink;
    FLink = target ? new TWeakLink(target) : nullptr;
    if (old) old->Free();
  }

 private:
  TWeakLink* FLink = nullptr;
};
