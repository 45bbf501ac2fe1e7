#pragma once
// The axis arrow tool's editor: pattern, length, position, scrolling and the
// arrow head's size and width.
#include "chart/editors/PlotAxisToolEdit.h"

class TAxisArrowToolEditor : public TAxisToolEditor {
  KV_CLASS(TAxisArrowToolEditor, TAxisToolEditor)
public:
  explicit TAxisArrowToolEditor(TComponent* Owner);
  TButton* Button1;
  TLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
  TEdit *ELength, *Edit1, *ESize, *EWidth;
  TUpDown *UDLength, *UDScroll, *UDSize, *UDWidth;
  TComboFlat* CBPos;
  TCheckBox* CBInv;
};
