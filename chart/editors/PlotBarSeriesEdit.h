#pragma once
// The bar series format page (style, border, pattern, colours, gradient,
// tick lines, bevel, 3-D sides, width, offset, depth, margins and mark
// position), which adds the "Stack" tab to the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TCustomBarSeries;

class TBarSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TBarSeriesEditor, TSeriesFormBase)
public:
  explicit TBarSeriesEditor(TComponent* Owner);

  TPageControl* PageControl1;
  TTabSheet *TabFormat, *TabSize;
  TLabel* LStyle;
  TComboFlat* CBBarStyle;
  TButtonPen* BBarPen;
  TButton* BBarBrush;
  TCheckBox* CBColorEach;
  TButtonColor* BBarColor;
  TButton* BGradient;
  TButtonPen* BTickLines;
  TLabel* LBevel;
  TEdit* EBevel;
  TUpDown* UDBevel;
  TCheckBox* CBDarkBar;
  TLabel* LBarWidth;
  TEdit* SEBarwidth;
  TUpDown* UDBarWidth;
  TLabel* LBarOffset;
  TEdit* SEBarOffset;
  TUpDown* UDBarOffset;
  TLabel* LDepth;
  TEdit* Edit1;
  TUpDown* UDDepth;
  TCheckBox* CBBarSideMargins;
  TCheckBox* CBMarksAutoPosition;

  TCustomBarSeries* Bar() const;
  TForm* StackForm() const { return EmbeddedForm("Stack"); }
  void BGradientClick(TObject* Sender);

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void StyleRule();
  int32_t FRowStyle = -1, FRowColorEach = -1;
};

namespace PlotBarSeriesEdit {
// The bar style names in the order of the bar styles.
const std::vector<std::string>& BarStyleNames();
}  // namespace PlotBarSeriesEdit
