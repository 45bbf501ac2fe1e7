#pragma once
// The rotate tool's editor: direction, style, mouse button and outline pen.
#include "chart/series/PlotPenDlg.h"

class TRotateToolEditor : public TEditorPage {
  KV_CLASS(TRotateToolEditor, TEditorPage)
public:
  explicit TRotateToolEditor(TComponent* Owner);
  TCheckBox* CBInverted;
  TLabel *Label1, *Label2;
  TComboFlat *CBStyle, *CBButton;
  TButtonPen* BOutline;
};
