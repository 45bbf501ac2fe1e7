#pragma once
// The application's activation change: OnActivate and OnDeactivate fire when
// the desktop makes one of our windows active again or another program's.

#include "platform/rtl/Classes.h"

namespace AppActivation {
// The handlers (Sender is the application object).
extern TNotifyEvent OnActivate;
extern TNotifyEvent OnDeactivate;
// Starts reporting the changes (once per process; later calls do nothing).
void Watch();
// Reports a change as the desktop would (the toolkit's signal calls it).
void Changed(bool Active);
// One of the program's windows is the desktop's active window: as the last
// change reported, or as the toolkit tells before any was.
bool Active();
}  // namespace AppActivation
