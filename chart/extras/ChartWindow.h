#pragma once
// The window control that shows a chart panel, when it has one: the panel's
// adaptor among the components of the panel's owner.
#include "chart/engine/PlotProcs.h"

inline TPlotPanelControl* ChartWindowOf(TCustomPlotPanel* Panel) {
  auto* owner = Panel ? dynamic_cast<TComponent*>(Panel->GetOwner()) : nullptr;
  if (!owner) return nullptr;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* c = dynamic_cast<TPlotPanelControl*>(owner->Components(i)); c && c->Panel() == Panel) return c;
  return nullptr;
}
