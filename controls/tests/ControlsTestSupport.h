#pragma once
// Helpers of the window-control tests: a form to put controls on, pictures of
// controls and colour counts in them.

#include "platform/gdi/Graphics.h"
#include "platform/ui/Forms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

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

// Runs the event loop until Done or about two seconds have passed.
inline bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 2000) {
  QElapsedTimer clock;
  clock.start();
  // The loop sleeps until an event comes instead of polling; the tick wakes it
  // to look at Done again.
  QTimer tick;
  tick.start(5);
  while (!Done() && clock.elapsed() < TimeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return Done();
}

}  // namespace ControlsTest
