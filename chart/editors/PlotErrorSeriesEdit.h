#pragma once
// The error series format page: error width and its units, error style,
// colour each point and the error pen; an error-bar series also gets the
// bar page as tab "Bar".
#include "chart/editors/PlotSeriesFormBase.h"

class TErrorSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TErrorSeriesEditor, TSeriesFormBase)
public:
  explicit TErrorSeriesEditor(TComponent* Owner);

  TLabel* Label1;
  TEdit* SEBarwidth;
  TUpDown* UDBarWidth;
  TRadioGroup* RGWidthUnit;
  TRadioGroup* RGStyle;
  TCheckBox* CBColorEach;
  TButtonPen* BPen;

  TForm* BarForm() const { return EmbeddedForm("Bar"); }

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  int32_t FRowPen = -1;
};
