#pragma once
// Moving a tab sheet out of its page control to show it, client-aligned, in
// another parent (a panel of a tree-driven dialog) and back to the place it
// came from.

#include "platform/ui/ComCtrls.h"

namespace TabSheetMove {
// Takes Sheet out of its page control (its place is remembered the first
// time) and shows it filling Parent.
void MoveTo(TTabSheet* Sheet, TWinControl* Parent);
// Puts a moved sheet back into its page control at its old place; a sheet
// whose page control is gone stays where it is. Nothing for a sheet not moved.
void MoveBack(TTabSheet* Sheet);
// Whether Sheet was moved out of its page control and not put back.
bool IsMoved(const TTabSheet* Sheet);
// The page control a moved sheet came from (its own page control otherwise).
TPageControl* HomeOf(const TTabSheet* Sheet);
}  // namespace TabSheetMove
