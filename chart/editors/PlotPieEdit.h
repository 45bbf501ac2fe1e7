#pragma once
// The pie series format page: options (3-D look, explosion, patterns,
// border, angle, shadow, mark position, gradient, dark border, multiple
// pies), the grouped "other" slice and the colours; the circle page is
// added as tab "Circled".
#include "chart/editors/PlotSeriesFormBase.h"
#include "chart/series/PlotEdiGrad.h"

class TPieSeries;

class TPieSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TPieSeriesEditor, TSeriesFormBase)
public:
  explicit TPieSeriesEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabOptions, *TabGroup, *TabColors;
  TCheckBox* CBDark3d;
  TLabel* Label1;
  TEdit* SEExpBig;
  TUpDown* UDExpBig;
  TCheckBox* CBPatterns;
  TButtonPen* BPen;
  TLabel* Label2;
  TEdit* Edit1;
  TUpDown* UDAngleSize;
  TButton* BShadow;
  TCheckBox* CBMarksAutoPosition;
  TButtonGradient* BGradient;
  TLabel* Label3;
  TEdit* Edit2;
  TUpDown* UpDown1;
  TLabel* Label4;
  TComboFlat* CBMultiple;
  TLabel* Label5;
  TComboFlat* CBOther;
  TLabel* Label6;
  TEdit* EOtherValue;
  TLabel* Label7;
  TEdit* EOtherLabel;
  TButton* Button2;
  TCheckBox* CBColorEach;
  TButtonColor* BColor;

  TPieSeries* Pie() const;
  TForm* CircledForm() const { return EmbeddedForm("Circled"); }
  void Button2Click(TObject* Sender);

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void OtherRule();
  int32_t FRowOther = -1, FRowColorEach = -1;
};
