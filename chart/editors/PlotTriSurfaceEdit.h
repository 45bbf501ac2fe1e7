#pragma once
// The triangle surface series format page: pen, brush, outline, fast brush,
// hidden triangles and transparency, with the palette page as the tab
// "Grid 3D" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TTriSurfaceSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TTriSurfaceSeriesEditor, TSeriesFormBase)
public:
  explicit TTriSurfaceSeriesEditor(TComponent* Owner);

  TButtonPen* Button2;
  TButton* Button3;
  TButtonPen* Button1;
  TCheckBox *CBFastBrush, *CBHide;
  TLabel* Label1;
  TEdit* ETransp;
  TUpDown* UDTransp;

protected:
  void FillForm() override;
};
