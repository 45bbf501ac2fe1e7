#pragma once
// Themes: the parts of controls that grids and their editors draw themselves
// (check boxes, radio buttons, push buttons, combo and spin buttons, progress
// bars), drawn by the desktop's style into a TCanvas, or in the classic
// frame-control look. One switch says whether themed drawing is active.
// Also the window styles the grid's helper windows need.

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Types.h"

class TControl;
class TWinControl;

namespace Themes {

enum class TThemedPart {
  tpCheckBox, tpRadioButton, tpPushButton, tpComboButton, tpSpinUp, tpSpinDown, tpProgressBar, tpProgressChunk
};
using enum TThemedPart;
enum class TThemedStateItem { tsChecked, tsMixed, tsPressed, tsHot, tsDisabled };
using TThemedState = Flags<TThemedStateItem>;
using enum TThemedStateItem;

// Whether themed drawing is active (on by default); tests and settings switch it.
bool ThemesActive();
void SetThemesActive(bool Value);

// Draws the part in the desktop style into R on Canvas.
void DrawThemedPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R);
// Draws the part in the classic look (frame controls, edges and arrows).
void DrawClassicPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R);
// DrawThemedPart when themes are active, else DrawClassicPart.
void DrawPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R);

// The window lets every mouse event through to what lies below it.
void MakeMouseTransparent(TWinControl& Control);
bool IsMouseTransparent(TWinControl& Control);

}  // namespace Themes

namespace Themes {
// Lines the desktop scrolls per wheel notch (3 when it does not say).
int WheelScrollLines();
}  // namespace Themes
