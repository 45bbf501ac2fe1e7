#pragma once
// The chart editor's "3D" page: the 3-D switch and depth, zoom, rotation,
// elevation, offsets, perspective, orthogonal angle, text zoom, clipping, and
// a gallery of six view presets.
#include <cstdint>

#include "chart/engine/Chart.h"
#include "chart/series/PlotGalleryPanel.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormPlot3D : public TForm {
  KV_CLASS(TFormPlot3D, TForm)
public:
  TFormPlot3D(TComponent* Owner, TCustomAxisPanel* Chart);
  explicit TFormPlot3D(TComponent* Owner) : TFormPlot3D(Owner, nullptr) {}

  TPageControl* PageControl1;
  TTabSheet *Tab3D, *TabViews;
  TChartGalleryPanel* ChartGalleryPanel1;
  TCheckBox *CBView3d, *CBOrthogonal, *CBZoomText, *CBClipPoints;
  TLabel* L3D;
  TEdit* SE3d;
  TUpDown* UD3D;
  TTrackBar *SBZoom, *SBRotation, *SBElevation, *SBHOffset, *SBVOffset, *SBPerspec;
  TLabel *LZoom, *LRotation, *LElevation, *LHOffset, *LVOffset, *LPerspec;
  TLabel* LAngle;
  TEdit* EOrthoAngle;
  TUpDown* UDOrthoAngle;
  TEdit* ETextSize;
  TUpDown* UDTextSize;
  TLabel* LTextSize;

  TCustomAxisPanel* TheChart() const { return FChart.Get(); }
  void FormShow(TObject* Sender);
  // Fills the "Options" controls from the chart.
  void RefreshControls();
  // Enables the controls the chart's canvas and first series allow; also run
  // each time the editor's "3D" tab is shown.
  void CheckControls();
  // Builds the view presets once.
  void BuildViews();
  // The first preset whose five view settings equal the chart's, or none.
  TGalleryChart* MatchingView() const;
  void ApplyView(TGalleryChart* View);
  bool ReturnToOptions = true;

private:
  // A track bar with its caption and value label; Line and Page are its
  // arrow-key and page steps.
  TTrackBar* Bar(TWinControl* Parent, const char* Caption, const char* Name, const char* LabelName, int Top, int Min,
                 int Max, int Line, int Page, int Freq, int Pos, TLabel*& Value);
  bool Full3D() const;
  WeakRef<TCustomAxisPanel> FChart;
  bool FChanging = false;
  bool FShowing = false;
  bool FViewsBuilt = false;
};
