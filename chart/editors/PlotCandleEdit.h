#pragma once
// The candle series format page: on "Options" the candle style, width, open
// and close ticks, 3-D look and the border and high-low pens; on "Colors" the
// colour style and the up and down colours and gradients.
#include "chart/editors/PlotSeriesFormBase.h"

class TCandleSeries;
class TButtonGradient;

class TCandleEditor : public TSeriesFormBase {
  KV_CLASS(TCandleEditor, TSeriesFormBase)
public:
  explicit TCandleEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabOptions, *TabColors;
  TRadioGroup* RGStyle;
  TLabel* Label1;
  TEdit* SEWidth;
  TUpDown* UDWidth;
  TCheckBox *CBShowOpen, *CBShowClose, *CBDraw3D, *CBDark3D;
  TButtonPen *Button1, *BHighLow;
  TLabel* Label2;
  TComboFlat* CBColorStyle;
  TButtonColor *BUpColor, *BDownColor;
  TButtonGradient *BUpGradient, *BDownGradient;

  TCandleSeries* Candle() const;

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void StyleRule();
  int32_t FRowStyle = -1;
};
