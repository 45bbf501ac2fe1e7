#pragma once
// The donut series format page: the hole size, with the pie page as tab
// "Donut".
#include "chart/editors/PlotSeriesFormBase.h"

class TDonutSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TDonutSeriesEditor, TSeriesFormBase)
public:
  explicit TDonutSeriesEditor(TComponent* Owner);

  TLabel* Label1;
  TEdit* EDonut;
  TUpDown* UDDonut;

  TForm* PieForm() const { return EmbeddedForm("Donut"); }

protected:
  void FillForm() override;
};
