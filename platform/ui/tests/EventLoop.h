#pragma once
// Runs the event loop of a test until a condition holds.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace UiTestSupport {

// Runs the event loop until Done or TimeoutMs have passed; answers Done. The loop
// sleeps until an event comes instead of polling; the tick wakes it to look at
// Done again.
inline bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 2000) {
  QElapsedTimer clock;
  clock.start();
  QTimer tick;
  tick.start(5);
  while (!Done() && clock.elapsed() < TimeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return Done();
}

}  // namespace UiTestSupport
