#pragma once
// GridView: the grid control's unit.

class TWinControl;

namespace GridView {

// The window takes no mouse input: events pass to what lies below it.
void MakeWindowTransparent(TWinControl& Window);

}  // namespace GridView
