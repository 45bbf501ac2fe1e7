#pragma once
// The volume series combo shared by the close-location-value and
// on-balance-volume forms: "(none)" and the series of the function's chart
// but its own result series.
#include "chart/editors/PlotBaseFuncEdit.h"

class TVolumeFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TVolumeFuncEditor, TBaseFunctionEditor)
public:
  explicit TVolumeFuncEditor(TComponent* Owner);
  TLabel* Label1;
  TComboFlat* CBVolume;

  void FillControls() override;
  void SetFunction() override;
  void ApplyFormChanges() override;
  // The series of the chosen entry; none for "(none)" or a series gone since.
  TChartSeries* ChosenVolume() const;
};
