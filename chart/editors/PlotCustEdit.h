#pragma once
// The line series format page: line pen and colour, stairs, stacking, 3-D
// look, outline, pattern, shadow and clickability, with a "Point" tab for the
// series' pointer.
#include "chart/series/PlotPenDlg.h"

class TCustomSeries;

class TCustomSeriesEditor : public TEditorPage {
  KV_CLASS(TCustomSeriesEditor, TEditorPage)
public:
  explicit TCustomSeriesEditor(TComponent* Owner);
  ~TCustomSeriesEditor() override;

  TButtonPen* BLineBorder;
  TButtonColor* BLineColor;
  TGroupBox* GBStair;
  TCheckBox *CBStairs, *CBInvStairs;
  TCheckBox *CBColorEach, *CBDark3D;
  TLabel* Label1;
  TComboFlat* CBStack;
  TLabel* LHeight;
  TEdit* EHeight;
  TUpDown* UDHeight;
  TCheckBox* CBClick;
  TButton* BBrush;
  TButtonPen* BOutline;
  TCheckBox* CheckBox1;
  TButton* Button1;

  void FormShow(TObject* Sender);
  // The "Point" tab's form (none until the form is shown with a parent).
  TForm* PointerForm() const { return FPointerForm.Get(); }

private:
  void RowRule(int32_t Row);
  TCustomSeries* FSeries = nullptr;
  WeakRef<TForm> FPointerForm;
  int32_t FRowStairs = -1, FRowBorder = -1, FRowColor = -1;
};
