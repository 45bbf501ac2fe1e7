#pragma once
// GridXPVS: the visual-styles table of the grid library. The theme entry
// points the grid and its editors use are looked up once when the unit
// starts; they stay empty when no themed drawing is available, and the users
// then draw the classic look. Theme classes, parts and states carry the
// platform's numbers:
// | class      | part                | states                                           |
// |------------|---------------------|--------------------------------------------------|
// | "button"   | 1 push button       | 1 normal, 2 hot, 3 pressed, 4 disabled, 5 default |
// | "button"   | 2 radio, 3 check box| 1..4 unchecked, 5..8 checked, 9..12 mixed (check) |
// |            |                     | (normal, hot, pressed, disabled in each group)    |
// | "combobox" | 1 drop-down button  | 1 normal, 2 hot, 3 pressed, 4 disabled            |
// | "spin"     | 1 up, 2 down        | 1 normal, 2 hot, 3 pressed, 4 disabled            |
// | "progress" | 1 bar, 3 chunk      | 1                                                 |

#include "platform/gdi/Graphics.h"

#include <functional>
#include <string>

class TControl;

namespace GridXPVS {

struct TThemeData;
using HTHEME = TThemeData*;

// The entry points in use; empty until Load found them.
extern std::function<HTHEME(TControl* Window, const std::string& ClassList)> OpenThemeData;
extern std::function<int(HTHEME Theme)> CloseThemeData;
extern std::function<int(HTHEME Theme, TCanvas& Canvas, int PartId, int StateId, const TRect& R, const TRect* Clip)>
    DrawThemeBackground;
extern std::function<bool()> IsThemeActive;

// Loads the table (once; runs at start-up). False when themed drawing is absent.
bool Load();
void Unload();
bool Loaded();

// The grid's decision: themes loaded and active.
bool UseThemes();

}  // namespace GridXPVS
