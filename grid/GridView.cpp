#include "grid/GridView.h"

#include "platform/ui/Themes.h"

void GridView::MakeWindowTransparent(TWinControl& Window) { Themes::MakeMouseTransparent(Window); }
