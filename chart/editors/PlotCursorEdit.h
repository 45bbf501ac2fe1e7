#pragma once
// The cursor tool's editor: style, snapping, following the mouse, pen and
// click tolerance.
#include "chart/editors/PlotToolSeriesEdit.h"

class TCursorToolEditor : public TSeriesToolEditor {
  KV_CLASS(TCursorToolEditor, TSeriesToolEditor)
public:
  explicit TCursorToolEditor(TComponent* Owner);
  TLabel* Label2;
  TComboFlat* CBStyle;
  TCheckBox *CBSnap, *CBZ, *CBFollow;
  TButtonPen* BPen;
  TLabel *Label3, *Label4;
  TEdit* EPixels;
  TUpDown* UDClick;

private:
  // Snapping needs a series; the Z option goes with snapping.
  void EnableSnap();
};
