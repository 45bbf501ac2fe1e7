#pragma once
// Whether some window of the program has the mouse captured: while it has,
// every mouse event goes to that window (a running drag, a control tracking a
// press of its own).

namespace MouseCapture {
bool Captured();
}  // namespace MouseCapture
