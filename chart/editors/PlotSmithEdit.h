#pragma once
// The Smith chart series format page: C and R labels with their pens and
// fonts, the circle and border pens, colour each and the imaginary symbol;
// the circle page is added as tab "Circled".
#include "chart/editors/PlotSeriesFormBase.h"

class TSmithSeries;

class TSmithSeriesEdit : public TSeriesFormBase {
  KV_CLASS(TSmithSeriesEdit, TSeriesFormBase)
public:
  explicit TSmithSeriesEdit(TComponent* Owner);

  TCheckBox *CBC, *CBR;
  TButtonPen *BCPen, *BRPen, *BCircle, *BBorder;
  TCheckBox* CBColorEach;
  TButton *BCFont, *BRFont;
  TLabel* Label1;
  TEdit* EImag;

  TForm* CircledForm() const { return EmbeddedForm("Circled"); }

protected:
  void FillForm() override;
};
