#pragma once
// Editor forms of the aid tools, built from editor rows: lighting, selector,
// drag point, pie slices, Gantt drag and series band.
#include "chart/series/PlotPenDlg.h"

class TLightToolEditor : public TEditorPage {
  KV_CLASS(TLightToolEditor, TEditorPage)
public:
  enum { rFollowMouse, rLeft, rTop, rFactor, rStyle };
  explicit TLightToolEditor(TComponent* Owner);

private:
  void FormShow();
};

class TSelectorToolEditor : public TEditorPage {
  KV_CLASS(TSelectorToolEditor, TEditorPage)
public:
  enum { rHandles, rColor, rSize, rAllowDrag, rAllowResizeChart };
  explicit TSelectorToolEditor(TComponent* Owner);
};

class TDragPointToolEdit : public TEditorPage {
  KV_CLASS(TDragPointToolEdit, TEditorPage)
public:
  enum { rDragStyle };
  explicit TDragPointToolEdit(TComponent* Owner);
};

class TPieToolEditor : public TEditorPage {
  KV_CLASS(TPieToolEditor, TEditorPage)
public:
  enum { rStyle, rBorder };
  explicit TPieToolEditor(TComponent* Owner);
};

class TGanttToolEditor : public TEditorPage {
  KV_CLASS(TGanttToolEditor, TEditorPage)
public:
  enum { rMinPixels, rAllowDrag, rAllowResize };
  explicit TGanttToolEditor(TComponent* Owner);
};

class TSeriesBandToolEdit : public TEditorPage {
  KV_CLASS(TSeriesBandToolEdit, TEditorPage)
public:
  enum { rBrush, rPen, rGradient, rDrawBehind, rTransparency };
  explicit TSeriesBandToolEdit(TComponent* Owner);
};

namespace PlotAidEditors {
// Makes the forms known to the class registry, so that the chart editor
// finds them by the tools' editor names.
void Initialization();
}  // namespace PlotAidEditors
