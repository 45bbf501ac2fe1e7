#pragma once
// The 3-D point series format page: symbol depth, colours, the joining line
// and the base line, with the pointer page as tab "Point".
#include "chart/series/PlotPenDlg.h"

class TPoint3DSeries;

class TPoint3DSeriesEditor : public TEditorPage {
  KV_CLASS(TPoint3DSeriesEditor, TEditorPage)
public:
  explicit TPoint3DSeriesEditor(TComponent* Owner);

  TLabel* Label1;
  TEdit* SEPointDepth;
  TUpDown* UDPointDepth;
  TCheckBox* CBColorEach;
  TButtonColor* BColor;
  TButtonPen *Button1, *BBasePen;

  void FormShow(TObject* Sender);
  TForm* PointerForm() const { return FPointerForm.Get(); }

private:
  void RowRule(int32_t Row);
  WeakRef<TForm> FPointerForm;
  int32_t FRowColorEach = -1;
};
