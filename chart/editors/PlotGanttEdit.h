#pragma once
// The Gantt series format page: bar height, colour, transparency and the
// connecting lines, with the pointer page (its sizes hidden) as tab "Gantt".
#include "chart/series/PlotPenDlg.h"

class TGanttSeries;

class TGanttSeriesEditor : public TEditorPage {
  KV_CLASS(TGanttSeriesEditor, TEditorPage)
public:
  explicit TGanttSeriesEditor(TComponent* Owner);

  TLabel* Label1;
  TEdit* SEPointVertSize;
  TUpDown* UDPointVertSize;
  TCheckBox* CBColorEach;
  TButtonColor* BColor;
  TLabel* Label2;
  TEdit* Edit1;
  TUpDown* UpDown1;
  TButtonPen* BConnLines;

  void FormShow(TObject* Sender);
  TForm* PointerForm() const { return FPointerForm.Get(); }

private:
  void RowRule(int32_t Row);
  WeakRef<TForm> FPointerForm;
  int32_t FRowColorEach = -1;
};
