#pragma once
// The gauge series format page: hand, axis, centre and end point, angle,
// distance and value (page "Options"), the scale labels ("Labels") and the
// ticks and limits ("Ticks"); the circle page is added as tab "Circled".
#include "chart/editors/PlotSeriesFormBase.h"

class TGaugeSeries;

class TGaugeSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TGaugeSeriesEditor, TSeriesFormBase)
public:
  explicit TGaugeSeriesEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabOptions, *TabLabels, *TabTicks;
  TButtonPen *BLine, *BAxis;
  TCheckBox* CheckBox4;
  TButton *Button1, *Button3;
  TLabel* Label1;
  TComboFlat* ComboBox1;
  TLabel *Label6, *Label7, *Label8;
  TEdit *Edit6, *Edit7, *Edit8;
  TUpDown *UDAngle, *UDDist, *UDValue;
  TCheckBox* CheckBox1;
  TButton* Button2;
  TLabel* Label2;
  TEdit* Edit1;
  TCheckBox* CBInside;
  TLabel* Label11;
  TEdit* Edit11;
  TUpDown* UDIncrement;
  TButtonPen *BTicks, *BMinor;
  TLabel *Label3, *Label4, *Label5, *Label9, *Label10, *Label12;
  TEdit *Edit2, *Edit3, *Edit4, *Edit5, *Edit9, *Edit10;
  TUpDown *UpDown1, *UpDown2, *UpDown3, *UpDown4, *UDMin, *UDMax;

  TGaugeSeries* Gauge() const;
  TForm* CircledForm() const { return EmbeddedForm("Circled"); }

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  // Each limit bounds the other's up-down.
  void LimitsRule();
  int32_t FRowMin = -1, FRowMax = -1;
};
