#pragma once
// The application's hint settings: the pause before a hint shows while the
// mouse rests on a control, and withdrawing a hint that is shown.
#include <cstdint>

namespace Hints {

// Milliseconds the mouse must rest before a hint shows (500 at start-up).
int32_t GetHintPause();
// A negative pause counts as 0. With a running widget application the pause
// applies to its hints at once.
void SetHintPause(int32_t Milliseconds);
// Hides the hint shown now, if any.
void CancelHint();

}  // namespace Hints
