#include "controls/DFSKb.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

namespace DFSKb {

const char* const LibraryName = "DFSKbMon.dll";

namespace {
// The entry points take a window handle and use the platform's standard calling convention.
using TRegisterProc = uint32_t (*)(uint32_t Window);
using TDeregisterProc = void (*)(uint32_t Window);

void* Module = nullptr;
bool IsLoaded = false;
TRegisterProc RegisterProc = nullptr;
TDeregisterProc DeregisterProc = nullptr;
std::vector<uintptr_t> Windows;

void FreeModule() {
  if (Module && dlclose(Module) == 0) {
    Module = nullptr;
    IsLoaded = false;
    RegisterProc = nullptr;
    DeregisterProc = nullptr;
  }
}

// Unloads a library still loaded when the program ends.
struct TFinalizer {
  ~TFinalizer() { UnloadKeyboardMonitor(); }
} Finalizer;
}  // namespace

void LoadKeyboardMonitor() {
  FreeModule();
  // dlopen reports a missing library through its answer only: no box appears.
  Module = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
  if (Module) {
    RegisterProc = reinterpret_cast<TRegisterProc>(dlsym(Module, "RegisterKeyboardHook"));
    DeregisterProc = reinterpret_cast<TDeregisterProc>(dlsym(Module, "DeregisterKeyboardHook"));
  }
  IsLoaded = Module != nullptr;
}

bool Loaded() { return IsLoaded; }

uint32_t RegisterMonitorWindow(uintptr_t Window) {
  if (!RegisterProc) return 0;
  Windows.push_back(Window);
  return RegisterProc(static_cast<uint32_t>(Window));
}

void DeregisterMonitorWindow(uintptr_t Window) {
  if (!DeregisterProc) return;
  auto it = std::find(Windows.begin(), Windows.end(), Window);
  if (it != Windows.end()) Windows.erase(it);
  DeregisterProc(static_cast<uint32_t>(Window));
}

void UnloadKeyboardMonitor() {
  while (!Windows.empty()) {
    const uintptr_t window = Windows.back();
    Windows.pop_back();
    if (DeregisterProc) DeregisterProc(static_cast<uint32_t>(window));
  }
  FreeModule();
}

int RegisteredWindowCount() { return static_cast<int>(Windows.size()); }

}  // namespace DFSKb
