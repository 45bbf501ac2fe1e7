#pragma once
// The application's activation change: Application->OnActivate and
// OnDeactivate fire when the desktop makes another program's window active or
// one of ours again.

namespace AppActivation {
// Starts reporting the changes (once per process; later calls do nothing).
void Watch();
// Reports a change as the desktop would (the toolkit's signal calls it).
void Changed(bool Active);
}  // namespace AppActivation
