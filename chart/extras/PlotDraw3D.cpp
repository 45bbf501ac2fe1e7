#include "chart/extras/PlotDraw3D.h"

KV_CLASS_IMPL(TDraw3D, TCustomPlotPanelExtended) {}

TDraw3D::TDraw3D(TComponent* Owner) : TCustomPlotPanelExtended(Owner) {
  // The panel's own defaults (margins 3, 4, 3, 4 percent, buffered, 3-D,
  // proportional printing) are the panel base's.
  SetView3D(true);
}

void TDraw3D::DrawContent(const TRect& Rect) {
  TPlotCanvas3D& c = *Canvas();
  const bool true3D = c.IsTrue3D();
  if (!true3D) DrawFrame(Rect);
  RecalcChartRect();
  Width3D = 100;
  Height3D = 100;
  c.SetViewCenter(Width3D, ChartRect);
  if (true3D) {
    const TRect laidOut = ChartRect;
    ChartRect = Rect;
    DrawFrame(Rect);
    ChartRect = laidOut;
  }
  c.ResetState();
  if (OnPaint) OnPaint(this, ChartRect);
  if (Zoom().Active) DrawZoomRectangle();
  c.ResetState();
  if (OnAfterDraw) OnAfterDraw(this);
}
