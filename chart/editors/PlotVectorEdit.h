#pragma once
// The 3-D vector series format page: the pens of the start and end arrow
// heads with their default-colour boxes, and the arrow head size, with the
// palette page as the tab "Grid 3D" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TVector3DSeries;

class TVectorSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TVectorSeriesEditor, TSeriesFormBase)
public:
  explicit TVectorSeriesEditor(TComponent* Owner);

  TButtonPen *BStart, *BEnd;
  TCheckBox *CBStart, *CBEnd;
  TLabel *Label1, *Label2;
  TEdit *Edit1, *Edit2;
  TUpDown *UDWidth, *UDHeight;

  TVector3DSeries* Vector() const;

protected:
  void FillForm() override;

private:
  // "Default color" on gives the arrow's pen no colour of its own, off black.
  void DefaultColorClick(TCheckBox* Box, TButtonPen* Button);
};
