#pragma once
// The circle of every circular series: circled, 3-D view, rotation, the two
// radii with their Auto boxes, and the circle's back colour, transparency and
// gradient. The other circular forms add it as tab "Circled".
#include "chart/editors/PlotSeriesFormBase.h"
#include "chart/series/PlotEdiGrad.h"

class TCircledSeries;

class TCircledSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TCircledSeriesEditor, TSeriesFormBase)
public:
  explicit TCircledSeriesEditor(TComponent* Owner);

  TCheckBox *CBCircled, *CB3D;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UDRot;
  TGroupBox* GBRadius;
  TLabel* Label2;
  TEdit* Edit2;
  TUpDown* UDX;
  TCheckBox* CBAutoXR;
  TLabel* Label3;
  TEdit* Edit3;
  TUpDown* UDY;
  TCheckBox* CBAutoYR;
  TGroupBox* GBBack;
  TButtonColor* BBack;
  TCheckBox* CBTransp;
  TButtonGradient* BGradient;

  TCircledSeries* Circled() const;
  // Adds the circle page of Host's series as tab "Circled" (once).
  static TCircledSeriesEditor* Insert(TSeriesFormBase* Host);

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void AutoRule();
  void TransparentOff();
  int32_t FRowX = -1, FRowY = -1, FRowBack = -1, FRowGradient = -1;
};
