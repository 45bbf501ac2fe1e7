#pragma once
// What combo boxes offer beyond TComboBox: a drop-down list wider than the
// box, and the width of the style's caption buttons that flat combo boxes use
// for their button area.

class TComboBox;

namespace ComboExtras {
// Makes the drop-down list at least Width pixels wide (the combo's window is
// made when missing, so the list takes the width now).
void SetListMinWidth(TComboBox& Combo, int Width);
// The width of a window caption button in the current style, in pixels.
int CaptionButtonWidth();
}  // namespace ComboExtras
