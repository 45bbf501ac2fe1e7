#pragma once
// Application-wide hooks for controls that watch more than their own window:
// every key of the application's windows, the keyboard's lock indicators, the
// application becoming active or inactive, and calls posted to run once the
// current event is done.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class TControl;

namespace AppHooks {

// Called once for every key press and release in any window of the
// application, with the key's virtual-key code (0 for keys without one here:
// only the lock keys are translated) and a flags word: bit 31 set on release,
// bit 30 set on an auto-repeated press.
using TKeyProc = std::function<void(int VirtualKey, uint32_t Flags)>;
// Installs the one keyboard hook (replacing the procedure when installed).
void InstallKeyboardHook(TKeyProc Proc);
void RemoveKeyboardHook();
bool KeyboardHookInstalled();
// Forgets the hook without touching the application object (at program end,
// when that object may already be gone).
void AbandonKeyboardHook();

// Whether the lock key (VK_CAPITAL, VK_NUMLOCK or VK_SCROLL) is toggled on,
// read from the display's keyboard indicators; nothing where no display tells.
std::optional<bool> LockKeyToggled(int VirtualKey);

// Reports the application's activation (true: one of its windows became the
// active one) while it lives.
class TActivationListener {
 public:
  explicit TActivationListener(std::function<void(bool Active)> Handler);
  ~TActivationListener();
  TActivationListener(const TActivationListener&) = delete;
  TActivationListener& operator=(const TActivationListener&) = delete;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

// Runs posted calls after the current event, on the window thread; calls still
// pending when the context goes are dropped.
class TPostContext {
 public:
  TPostContext();
  ~TPostContext();
  TPostContext(const TPostContext&) = delete;
  TPostContext& operator=(const TPostContext&) = delete;
  void Post(std::function<void()> Call);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};

// Shows on the screen what was drawn on the control's canvas outside its
// paint, without asking the control to paint again.
void PresentCanvas(TControl& Control);

}  // namespace AppHooks
