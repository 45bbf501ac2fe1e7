#pragma once
// A panel with the chart engine's 3-D canvas on which the application draws
// what it likes in OnPaint.
#include <functional>

#include "chart/engine/PlotProcs.h"

using TDraw3DPaintEvent = std::function<void(TObject* Sender, const TRect& ARect)>;

class TDraw3D : public TCustomPlotPanelExtended {
  KV_CLASS(TDraw3D, TCustomPlotPanelExtended)
public:
  explicit TDraw3D(TComponent* Owner = nullptr);
  TDraw3DPaintEvent OnPaint;

protected:
  void DrawContent(const TRect& Rect) override;
};
