#pragma once
// The axis increment dialog: a number for a numeric axis; for a date-time
// axis one of 27 standard steps or a custom number of days and time of day.
#include <cstdint>
#include <string>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TAxisIncrement : public TForm {
  KV_CLASS(TAxisIncrement, TForm)
public:
  explicit TAxisIncrement(TComponent* Owner);
  TCheckBox* CBExact;
  TRadioGroup* RadioGroup1;
  TComboBox* CBSteps;
  TLabel* LCustom;
  TEdit* ECustom;
  TButton* BOk;
  TButton* BCancel;

  bool IsDateTime = false;
  bool IsExact = false;
  double Increment = 0;
  uint8_t IStep = 27;

  void FormShow(TObject* Sender);
  void RadioGroup1Click(TObject* Sender);
  void CBExactClick(TObject* Sender);
  void CBStepsChange(TObject* Sender);
  void BOkClick(TObject* Sender);
  // Reads the dialog's increment; false (and the failure's text) when it does not read.
  bool ReadIncrement(double& Value, std::string& Reason) const;

private:
  bool FLoading = false;
};

namespace PlotAxisIncr {
// The custom text of an increment in days.
std::string CustomText(double Value);
void AxisValueToText(bool IsDateTime, bool Exact, std::string& Text, const std::string& Format, double Value);
void ShowIncorrectValue(const std::string& Reason);
std::string StepName(int32_t Step);
}  // namespace PlotAxisIncr
