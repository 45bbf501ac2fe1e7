// Helpers shared by the source files of unit DC2dBEM; not part of its interface.
#pragma once

#include "numerics/DC2dBEM.h"

namespace DC2dBEM::internal {

constexpr double TwoPi = 6.283185307179586477;
constexpr double InvTwoPi = 0.15915494309189533577;
constexpr double TwoOverPi = 0.6366197723675813431;

// Marks the solver as running for the lifetime of the guard.
struct TRunningGuard {
  TRunningGuard() { Running = true; }
  ~TRunningGuard() { Running = false; }
  TRunningGuard(const TRunningGuard&) = delete;
  TRunningGuard& operator=(const TRunningGuard&) = delete;
};

}  // namespace DC2dBEM::internal
