#pragma once
// What single-line edits offer beyond TEdit: text margins (the formatting
// rectangle), clipboard cut and paste of the selection, and the width of the
// style's vertical scroll bar that edits with a button use.

class TEdit;

namespace EditExtras {
// The width of a vertical scroll bar in the current style, in pixels.
int VerticalScrollBarWidth();
// Keeps the text Left pixels from the left edge and Right from the right edge
// (applied to the edit's window, made when missing).
void SetTextMargins(TEdit& Edit, int Left, int Right);
// The edit's current margins (0, 0 without a window).
void GetTextMargins(TEdit& Edit, int& Left, int& Right);
// Moves the selection to the clipboard; puts the clipboard's text in its place.
void Cut(TEdit& Edit);
void Paste(TEdit& Edit);
// Selects text from Start (0-based) for Length characters.
void Select(TEdit& Edit, int Start, int Length);
}  // namespace EditExtras
