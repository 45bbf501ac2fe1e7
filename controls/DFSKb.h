#pragma once
// The loader of the optional keyboard-monitor library "DFSKbMon.dll", which
// reports lock-key changes to registered windows. The library is looked up at
// run time; when it is absent every call here is harmless and reports failure,
// and no error box is ever shown.

#include <cstdint>

namespace DFSKb {

extern const char* const LibraryName;  // "DFSKbMon.dll"

// Frees a module already loaded, loads the library and looks up
// "RegisterKeyboardHook" and "DeregisterKeyboardHook".
void LoadKeyboardMonitor();
bool Loaded();
// The message number the library will send to Window on every lock-key
// change; 0 when the entry point is missing.
uint32_t RegisterMonitorWindow(uintptr_t Window);
void DeregisterMonitorWindow(uintptr_t Window);
// Deregisters every registered window (the last first) and frees the module.
void UnloadKeyboardMonitor();
int RegisteredWindowCount();

}  // namespace DFSKb
