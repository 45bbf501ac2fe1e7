#pragma once
// The area series format page: stairs, pattern, top, border and area lines,
// multiple areas, colour, origin and transparency, with "Point" and
// "Gradient" tabs added to the series page.
#include "chart/series/PlotPenDlg.h"

class TAreaSeries;

class TAreaSeriesEditor : public TEditorPage {
  KV_CLASS(TAreaSeriesEditor, TEditorPage)
public:
  explicit TAreaSeriesEditor(TComponent* Owner);
  ~TAreaSeriesEditor() override;

  TGroupBox* GroupBox2;
  TCheckBox *CBStairs, *CBInvStairs;
  TButton *BPattern, *Button1;
  TButtonPen *BAreaLinePen, *BAreaLinesPen;
  TRadioGroup* RGMultiArea;
  TGroupBox* GroupBox1;
  TCheckBox* CBColorEach;
  TButtonColor* BAreaColor;
  TGroupBox* GroupBox3;
  TCheckBox* CBUseOrigin;
  TLabel* Label1;
  TEdit* EOrigin;
  TUpDown* UDOrigin;
  TLabel* LHeight;
  TEdit* ETransp;
  TUpDown* UDTransp;

  void FormShow(TObject* Sender);
  TForm* PointerForm() const { return FPointerForm.Get(); }
  TForm* GradientForm() const { return FGradientForm.Get(); }

private:
  void RowRule(int32_t Row);
  void OriginRule();
  TAreaSeries* FArea = nullptr;
  WeakRef<TForm> FPointerForm, FGradientForm;
  int32_t FRowStairs = -1, FRowColorEach = -1, FRowUseOrigin = -1;
};
