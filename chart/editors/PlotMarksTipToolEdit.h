#pragma once
// The marks-tip tool's editor: mouse action, mark style and hint delay.
#include "chart/editors/PlotToolSeriesEdit.h"

class TMarksTipToolEdit : public TSeriesToolEditor {
  KV_CLASS(TMarksTipToolEdit, TSeriesToolEditor)
public:
  explicit TMarksTipToolEdit(TComponent* Owner);
  TRadioGroup* RGMouseAction;
  TLabel *Label2, *Label3, *Label4;
  TComboFlat* CBMarkStyle;
  TEdit* EDelay;
  TUpDown* UDDelay;
};
