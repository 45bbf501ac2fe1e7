#pragma once
// Helpers of the window-control tests: a form to put controls on, pictures of
// controls and colour counts in them.

#include "platform/gdi/Graphics.h"
#include "platform/ui/Forms.h"
#include "platform/ui/tests/EventLoop.h"


#include <functional>
#include <memory>

namespace ControlsTest {

// A form owning the controls of one test, with its window made.
struct TTestForm {
  TForm* Form;
  TTestForm() {
    Forms::EnsureToolkit();
    Form = Create<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 400);
  }
  ~TTestForm() { Form->Free(); }
  TTestForm(const TTestForm&) = delete;
  TTestForm& operator=(const TTestForm&) = delete;
};

inline TColor Rgb(TColor C) { return ColorToRGB(C); }

// Pixels of Color inside R.
inline int CountColor(const TBitmap& B, const TRect& R, TColor Color) {
  const TColor c = Rgb(Color);
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if (B.GetPixelColor(x, y) == c) ++n;
  return n;
}

using UiTestSupport::RunUntil;

}  // namespace ControlsTest
