#pragma once
// The value format dialog: builds a number format from check boxes and two
// counts, or takes a date-time, geographic or custom pattern; on opening it
// takes an existing format apart to preset the controls.
#include <string>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormatEditor : public TForm {
  KV_CLASS(TFormatEditor, TForm)
public:
  explicit TFormatEditor(TComponent* Owner);
  TPanel *Panel1, *Panel2;
  TButton *Button1, *Button2;
  TRadioButton* RBInteger;
  TLabel *Label1, *Label2;
  TEdit *Edit1, *Edit2;
  TUpDown *UpDown1, *UpDown2;
  TCheckBox *CBPercent, *CBThousands, *CBCurrency, *CBFixedDecimals;
  TGroupBox* GroupBox1;
  TRadioButton *RBDate, *RBGeo, *RBCustom;
  TComboBox *CBDate, *CBGeo, *CBCustom;

  bool Changing = false;
  std::string FormatText;
  bool DateChosen = false, GeoChosen = false;

  void FormShow(TObject* Sender);
  void RadioGroup1Click(TObject* Sender);
  void RBIntegerClick(TObject* Sender);
  void CBPercentClick(TObject* Sender);
  void CBThousandsClick(TObject* Sender);
  std::string BuildFormat() const;

private:
  void ChooseList(TRadioButton* Radio, TComboBox* Combo);
  void TakeNumberApart();
};

namespace PlotFormatting {
std::string EditValueFormat(TComponent* Owner, const std::string& Format, bool ShowDateTime);
}  // namespace PlotFormatting
