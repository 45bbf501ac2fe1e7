#pragma once
// The draw-line tool's editor: mouse button, drawing and selecting, pen and
// click tolerance.
#include "chart/editors/PlotToolSeriesEdit.h"

class TDrawLineEdit : public TSeriesToolEditor {
  KV_CLASS(TDrawLineEdit, TSeriesToolEditor)
public:
  explicit TDrawLineEdit(TComponent* Owner);
  TLabel *Label2, *Label3;
  TComboFlat* CBButton;
  TCheckBox *CBEnable, *CBSelect, *CBSelectNew;
  TButtonPen* BPen;
  TEdit* EPixels;
  TUpDown* UDClick;
};
