#pragma once
// The tower series format page: border, pattern, dark sides, origin, tower
// style, depth, width and transparency, with the palette page as the tab
// "Grid 3D" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TTowerSeries;

class TTowerSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TTowerSeriesEditor, TSeriesFormBase)
public:
  explicit TTowerSeriesEditor(TComponent* Owner);

  TButtonPen* ButtonPen1;
  TButton* Button1;
  TCheckBox* CBDark3D;
  TCheckBox* CBOrigin;
  TEdit* EOrigin;
  TLabel* Label1;
  TComboFlat* CBStyle;
  TGroupBox* GroupBox1;
  TLabel *Label2, *Label3, *Label4;
  TEdit *Edit1, *Edit2, *Edit3;
  TUpDown *UDDepth, *UDWidth, *UDTransp;

  TTowerSeries* Tower() const;
  void EOriginChange(TObject* Sender);

protected:
  void FillForm() override;
};
