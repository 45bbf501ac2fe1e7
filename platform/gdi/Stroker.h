#pragma once
// Internal to platform/gdi: the outline of what a pen draws along figures
// (caps, joins and dashes), as polygons to fill with the winding rule.

#include "platform/gdi/DeviceContext.h"

#include <vector>

std::vector<std::vector<TPointF>> PenOutline(const std::vector<TPathFigure>& Figures, const TDCState& S);
