#pragma once
// The chart editor's "Paging" page: points per page, turning the pages and
// the page-number tool.
#include "chart/editors/PlotEdiGene.h"

class TFormPlotPage : public TForm {
  KV_CLASS(TFormPlotPage, TForm)
public:
  TFormPlotPage(TComponent* Owner, TCustomAxisPanel* Chart);
  explicit TFormPlotPage(TComponent* Owner) : TFormPlotPage(Owner, nullptr) {}

  TLabel* LPoints;
  TEdit* SEPointsPerPage;
  TUpDown* UDPointsPerPage;
  TCheckBox *CBScaleLast, *CBPageLegend;
  TLabel* LabelPages;
  TChartPageNavigator* ChartPageNavigator1;
  TCheckBox* CBPageNum;

  TCustomAxisPanel* TheChart() const { return ChartPageNavigator1->GetChart(); }
  void FormShow(TObject* Sender);
  void RefreshPageLabel();
  // The chart's first page-number tool; with Create one is made when none exists.
  TPlotCustomTool* PageNumTool(bool Create);

private:
  bool FShowing = false;
};
