#pragma once
// The small dialog that asks for one axis limit: a number, or for a date-time
// axis a date (when the value has one) and a time of day.
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TAxisMaxMin : public TForm {
  KV_CLASS(TAxisMaxMin, TForm)
public:
  explicit TAxisMaxMin(TComponent* Owner);
  TLabel* Label1;
  TEdit* EMaximum;
  TLabel* Label2;
  TEdit* EMinimum;
  TButton* BitBtn1;
  TButton* BitBtn2;

  // Set by the caller before ShowModal; after OK MaxMin holds the entry.
  bool IsDateTime = false;
  double MaxMin = 0;

  void FormShow(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
};
