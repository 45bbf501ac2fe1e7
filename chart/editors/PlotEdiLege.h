#pragma once
// The legend editor: style, text style, visibility, check boxes, spacing,
// dividing lines, position and custom position, the symbol (embedded
// symbol editor), the legend title, and the frame, pattern, gradient, shadow
// and text pages of the legend and of its title. Every change is written at
// once. The chart editor's "Legend" page and the legend pop-up's dialog.
#include "chart/series/PlotPenDlg.h"

class TCustomChartLegend;
class TFormPlotShape;
class TSymbolEditor;

class TFormPlotLegend : public TEditorPage {
  KV_CLASS(TFormPlotLegend, TEditorPage)
public:
  explicit TFormPlotLegend(TComponent* Owner);
  // The form bound to Legend, with the shape pages of the legend and its title.
  static TFormPlotLegend* CreateLegend(TComponent* Owner, TCustomChartLegend* Legend);

  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet3, *TabSymbol, *TabTitle;
  // ---- Style ----
  TCheckBox *CBShow, *CBInverted, *CBFontColor;
  TLabel *LLegendStyle, *LLegStyle, *LVertSpacing;
  TComboFlat *CBLegendStyle, *CBLegStyle, *CBCheckBoxes;
  TButtonPen* BDivLines;
  TEdit* EVertSpacing;
  TUpDown* UDVertSpacing;
  // ---- Position ----
  TCheckBox* CBResizeChart;
  TLabel *LTopPos, *LMargin;
  TEdit *SETopPos, *SEMargin;
  TUpDown *UDTopPos, *UDMargin;
  TRadioGroup* RGPosition;
  TGroupBox* GBCustom;
  TCheckBox *CBCustPos, *CBPosPercent;
  TLabel *LCustLeft, *LCustTop;
  TEdit *ECustLeft, *ECustTop;
  TUpDown *UDLeft, *UDTop;
  // ---- Title ----
  TPageControl* PageControl2;
  TTabSheet* TabSheet4;
  TLabel *LText, *LTextAlign;
  TMemo* MemoText;
  TComboFlat* CBTextAlign;
  TCheckBox* CBTitleVisible;

  TCustomChartLegend* Legend() const { return FLegend; }
  TSymbolEditor* SymbolEditor() const { return FSymbolEditor; }
  TFormPlotShape* LegendShapeEditor() const { return FLegendShape; }
  TFormPlotShape* TitleShapeEditor() const { return FTitleShape; }
  bool Changing() const { return FChanging; }

  void FormShow(TObject* Sender);

private:
  void SetChanging(bool Value);
  void CopyCustomPosition();
  void RefreshCustomPosition();
  void RefreshMargin();
  void RowRule(int32_t Row);

  TCustomChartLegend* FLegend = nullptr;
  TSymbolEditor* FSymbolEditor = nullptr;
  TFormPlotShape* FLegendShape = nullptr;
  TFormPlotShape* FTitleShape = nullptr;
  bool FChanging = false;
  int32_t FRowPosition = -1;
};
