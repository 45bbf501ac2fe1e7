#pragma once
// The surface series format page: drawing mode (solid, wire frame or dots),
// smooth palette, pen, brushes, side lines, transparency and fast brush, with
// the palette page as the tab "Grid 3D" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TSurfaceSeries;

class TSurfaceSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TSurfaceSeriesEditor, TSeriesFormBase)
public:
  explicit TSurfaceSeriesEditor(TComponent* Owner);

  TRadioGroup* RadioGroup1;
  TCheckBox* CBSmooth;
  TButtonPen* Button2;
  TButton *Button3, *Button1;
  TButtonPen* BSideLines;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UDTransp;
  TCheckBox* CBFastBrush;

  TSurfaceSeries* Surface() const;
  void RadioGroup1Click(TObject* Sender);

protected:
  void FillForm() override;
};
