#pragma once
// The lighting tool's editor: following the mouse, the light point, the
// factor and the style.
#include "chart/series/PlotPenDlg.h"

class TLightTool;

class TLightToolEditor : public TEditorPage {
  KV_CLASS(TLightToolEditor, TEditorPage)
public:
  explicit TLightToolEditor(TComponent* Owner);
  TCheckBox* CBFollow;
  TLabel *Label1, *Label2, *Label3, *Label4;
  TTrackBar *TBLeft, *TBTop, *TBFactor;
  TComboFlat* CBStyle;

  TLightTool* Tool() const;
  void FormShow(TObject* Sender);

private:
  bool FShown = false;
};
