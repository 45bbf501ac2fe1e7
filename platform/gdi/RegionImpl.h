#pragma once
// Internal to platform/gdi: the Qt side of TRegion. Include from .cpp files only.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"

#include <QRegion>

#include <vector>

struct TRegion::Impl {
  QRegion rgn;
};

// The region of pixels inside the figures under the fill mode.
TRegion RegionFromFigures(const std::vector<std::vector<TPointF>>& Figures, int FillMode);
// A round rectangle through the continuous corners X0,Y0..X1,Y1 with corner ellipses CW x CH.
std::vector<TPointF> RoundRectFigure(double X0, double Y0, double X1, double Y1, double CW, double CH);
