#pragma once
// The gallery dialogs' entry points and the tabbed gallery dialog: pick a
// series type (and a function type and sub-style) from the registered ones,
// make a new series from it or change the type of a series.
#include <cstdint>

#include "chart/series/PlotGalleryPanel.h"
#include "platform/ui/TabCtrls.h"

class TPlotGallery : public TForm {
  KV_CLASS(TPlotGallery, TForm)
public:
  explicit TPlotGallery(TComponent* Owner);
  TTabControl* TabTypes;
  TTabControl* TabPages;
  TChartGalleryPanel* ChartGalleryPanel1;
  TPanel* P1;
  TButton *BOk, *BCancel;
  TCheckBox *CB3D, *CBSmooth;

  void FormShow(TObject* Sender);
  void TabTypesChange(TObject* Sender);
  void TabPagesChange(TObject* Sender);
  // Removes the "Functions" tab and leaves functions mode.
  void HideFunctions();
};

namespace PlotGally {

bool GallerySelect(TComponent* Owner, TChartSeries* Existing, bool ShowFunctions, int32_t& SubIndex,
                   bool CheckCompatibility, TClass& FunctionClass, bool& View3D, TClass& SeriesClass);
TChartSeries* SeriesFromGallery(TComponent* Owner, TChartSeries* Existing, TCustomAxisPanel* Chart,
                                int32_t& SubIndex, bool CheckCompatibility, bool NewSeries);
void ChangeSeriesTypeGallery(TComponent* Owner, TChartSeries*& Series);
// Installs the chart library's gallery hooks (the first call) and clears them.
void Initialization();
void Finalization();

}  // namespace PlotGally
