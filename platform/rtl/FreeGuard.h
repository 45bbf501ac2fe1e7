#pragma once
// Ownership of a component-library object made for one use (a modal dialog, a
// pop-up menu, an export format): freed through its two-phase destruction
// when the owner goes.
#include <memory>

#include "platform/rtl/Classes.h"

struct TFreeObject {
  void operator()(TObject* Object) const { FreeObject(Object); }
};

template <class T>
using TOwned = std::unique_ptr<T, TFreeObject>;
