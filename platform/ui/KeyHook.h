#pragma once
// KeyHook: lets a windowed control take the Tab key before dialog navigation
// moves the focus (a filter on its window, made when missing). The question
// is asked at each Tab; Remove puts the ordinary navigation back.

#include <functional>

class TWinControl;

namespace KeyHook {
void WantTab(TWinControl& Control, std::function<bool()> Wants);
void Remove(TWinControl& Control);
// Whether a Tab pressed now would reach the control's key handling.
bool TabReaches(TWinControl& Control);
}  // namespace KeyHook
