#pragma once
// The Gantt drag tool's editor: its Gantt series, the resize tolerance, what
// may be done and the two cursors.
#include "chart/editors/PlotToolSeriesEdit.h"

class TGanttToolEditor : public TSeriesToolEditor {
  KV_CLASS(TGanttToolEditor, TSeriesToolEditor)
public:
  explicit TGanttToolEditor(TComponent* Owner);
  TLabel *Label2, *Label3, *Label4;
  TEdit* Edit1;
  TUpDown* UDTol;
  TCheckBox *CBDrag, *CBResize;
  TComboFlat *CBCursor, *CBResizeCursor;
};
