#pragma once
// The compression function's parameters: a calendar period, a period of the
// clock or a fixed number of source points per open-high-low-close point.
#include "chart/editors/PlotBaseFuncEdit.h"

class TCompressFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TCompressFuncEditor, TBaseFunctionEditor)
public:
  explicit TCompressFuncEditor(TComponent* Owner);
  TRadioButton* RadioDate;
  TComboFlat* CBDatePeriod;
  TRadioButton* RadioPoints;
  TEdit* ENum;
  TUpDown* UpDown1;
  TRadioButton* RadioTime;
  TComboFlat* CBTimePeriod;

  void SetFunction() override;
  void ApplyFormChanges() override;
  // Also refuses a result series that cannot hold open-high-low-close points.
  bool CheckFormChanges(std::string& Message) override;

  // The first clock period among the compression periods.
  static constexpr int32_t FirstTimePeriod = 6;

private:
  void ChooseRadio(TRadioButton* Radio, TWinControl* Focus);
};
