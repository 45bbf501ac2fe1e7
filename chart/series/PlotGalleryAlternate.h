#pragma once
// The list gallery dialog: the series types of a gallery page in a list,
// the sub-styles of the chosen type in a gallery panel beside it.
#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/PlotLisB.h"

class TPlotGalleryForm : public TForm {
  KV_CLASS(TPlotGalleryForm, TForm)
public:
  explicit TPlotGalleryForm(TComponent* Owner);
  ~TPlotGalleryForm() override;
  void BeforeDestruction() override;

  TPanel* Panel1;
  TLabel* Label1;
  TComboFlat* CBPage;
  TCheckBox *CB3D, *CBSmooth;
  TChartListBox* ChartListBox1;
  TSplitter* Splitter1;
  TChartGalleryPanel* ChartGalleryPanel1;
  TPanel *PanelBottom, *Panel3;
  TButton *BOK, *BCancel;

  // The chart holding one series per listed type (owned).
  TChart* TypesChart() const { return FChart; }
  TClass LastShownClass = nullptr;
  void FormShow(TObject* Sender);
  // Lists the series types of the chosen page.
  void CBPageChange(TObject* Sender);
  // Shows the sub-styles of the selected type.
  void ChartListBox1Click(TObject* Sender);

private:
  TChart* FChart = nullptr;
};

namespace PlotGalleryAlternate {
// The list dialog; true with the chosen classes, sub-style and 3-D flag on OK.
bool ShowGalleryForm(TComponent* Owner, TChartSeries* Existing, int32_t& SubIndex, bool CheckCompatibility,
                     TClass& FunctionClass, bool& View3D, TClass& SeriesClass);
}  // namespace PlotGalleryAlternate
