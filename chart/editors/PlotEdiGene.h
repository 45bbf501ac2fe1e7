#pragma once
// The chart editor's "General" page (zoom, scrolling, margins, cursor and a
// print-preview button) and the page navigator of multi-page charts, used by
// the "Paging" page and by the print preview.
#include <cstdint>

#include "chart/editors/PlotNavigator.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotPrevi.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

// Turns the pages of a chart: first, prior, next and last page.
class TChartPageNavigator : public TCustomPlotNavigator {
  KV_CLASS(TChartPageNavigator, TCustomPlotNavigator)
public:
  explicit TChartPageNavigator(TComponent* Owner);
  void Init() override;
  // Only an axis panel binds; anything else binds nothing.
  TCustomAxisPanel* GetChart() const { return Panel(); }
  void SetChart(TCustomPlotPanel* Chart);
  void ChartEvent(TPlotEvent& Event) override;
  void EnableButtons() override;
  int32_t PageCount() override;
  // One page prints directly; several ask for a range first.
  void Print() override;
  void BtnClick(TPlotNavigateBtn Index) override;
};

// The page navigator as the print preview places it.
class TPreviewPageNavigator : public TChartPageNavigatorBase {
  KV_CLASS(TPreviewPageNavigator, TChartPageNavigatorBase)
public:
  explicit TPreviewPageNavigator(TComponent* Owner);
  void SetPanel(TCustomPlotPanel* Panel) override { Navigator->SetChart(Panel); }
  int32_t PageCount() override { return Navigator->PageCount(); }
  void PrintPages() override { Navigator->Print(); }
  TChartPageNavigator* Navigator;
};

class TFormPlotGeneral : public TForm {
  KV_CLASS(TFormPlotGeneral, TForm)
public:
  TFormPlotGeneral(TComponent* Owner, TCustomAxisPanel* Chart);
  explicit TFormPlotGeneral(TComponent* Owner) : TFormPlotGeneral(Owner, nullptr) {}

  TPanel* Panel1;
  TLabel* LCursor;
  TComboBox* CBCursor;
  TButton* BPrint;
  TGroupBox* GBMargins;
  TEdit *SETopMa, *SELeftMa, *SEBotMa, *SERightMa;
  TUpDown *UDTopMa, *UDLeftMa, *UDBotMa, *UDRightMa;
  TLabel* LUnits;
  TComboBox* CBMarUnits;
  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TCheckBox *CBAllowZoom, *CBAnimatedZoom;
  TLabel* LSteps;
  TEdit* SEAniZoomSteps;
  TUpDown* UDAniZoomSteps;
  TButtonPen* BZoomPen;
  TButton* BZoomColor;
  TLabel* LMinPix;
  TEdit* EMinPix;
  TUpDown* UDMinPix;
  TLabel* LDir;
  TComboBox* CBDir;
  TLabel* LZoomMouse;
  TComboBox* CBZoomMouse;
  TCheckBox* CBUpLeft;
  TRadioGroup* RGPanning;
  TLabel* LScrollMouse;
  TComboBox* CBScrollMouse;

  TCustomAxisPanel* TheChart() const { return FChart.Get(); }
  void FormShow(TObject* Sender);
  // Index 0 left, 1 top, 2 right, 3 bottom.
  void MarginChanged(int32_t Index);
  void SetMarginRanges();
  void EnableZoomControls();

private:
  TUpDown* MarginUpDown(int32_t Index) const;
  WeakRef<TCustomAxisPanel> FChart;
  bool FShowing = false;
};

namespace PlotEdiGene {
// The print preview of Chart with the page navigator; the chart is repainted
// afterwards, also after an error.
void ChartPreview(TComponent* Owner, TCustomPlotPanel* Chart);
}  // namespace PlotEdiGene
