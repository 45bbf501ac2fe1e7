#pragma once
// The polar, radar and polar-bar series format page: options (close
// circle, increments, pens, pattern, transparency, colours) and circle
// labels; the circle page and the pointer page are added as tabs
// "Circled" and "Point".
#include "chart/editors/PlotSeriesFormBase.h"

class TCustomPolarSeries;

class TPolarSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TPolarSeriesEditor, TSeriesFormBase)
public:
  explicit TPolarSeriesEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabOptions, *TabLabels;
  TCheckBox* CBClose;
  TLabel* Label1;
  TEdit* SEAngleInc;
  TUpDown* UDAngleInc;
  TLabel* Label2;
  TEdit* SERadiusInc;
  TUpDown* UDRadiusInc;
  TButtonPen *BPen, *BPiePen;
  TButton* BBrush;
  TLabel* Label3;
  TEdit* Edit1;
  TUpDown* UDTransp;
  TButtonColor* BColor;
  TCheckBox* CBColorEach;
  TCheckBox *CBAngleLabels, *CBLabelsRot, *CBClockWise, *CBInside;
  TButton* BFont;
  TLabel* Label4;
  TEdit* EMargin;
  TUpDown* UDMargin;

  TCustomPolarSeries* Polar() const;
  TForm* CircledForm() const { return EmbeddedForm("Circled"); }
  TForm* PointerForm() const { return EmbeddedForm("Point"); }
  // Shows the angle increment only where the series has one of its own.
  virtual void ShowAngleControls();
  void BFontClick(TObject* Sender);

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void LabelsRule();
  int32_t FRowLabels = -1;
};
