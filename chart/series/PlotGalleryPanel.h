#pragma once
// The series gallery: a grid of small live sample charts, one per registered
// series (or function) type of a gallery page, from which the user picks a
// type with the mouse or the keyboard, and a sub-gallery of the sub-styles
// of the picked type.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TChartGalleryPanel;
class TGalleryChart;
class TPlotSeriesType;

// The window of one sample chart inside a gallery panel.
class TGalleryChartWindow : public TPlotPanelControl {
  KV_CLASS(TGalleryChartWindow, TPlotPanelControl)
public:
  TGalleryChartWindow(TChartGalleryPanel* Gallery, TGalleryChart* Chart);
  TGalleryChart* Chart() const { return FChart; }
  void Paint() override;
  // Whether the mouse is over the window (draws the hover frame).
  bool Hovered = false;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  TChartGalleryPanel* FGallery;
  TGalleryChart* FChart;
};

class TGalleryChart : public TCustomChart {
  KV_CLASS(TGalleryChart, TCustomChart)
public:
  explicit TGalleryChart(TComponent* Owner = nullptr);
  // Draws the chart at W x H on Target: the ordinary picture, then, for a
  // Smooth chart of at least 4 x 4 pixels, the chart below its title drawn
  // four times as large and shrunk smoothly over it.
  void DrawPicture(TCanvas& Target, int32_t W, int32_t H);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  // Shows or hides the left and bottom axis labels.
  void ShowAxisLabels(bool Value);
  // Set while the smooth picture is made.
  bool MakingPicture = false;
  // The chart's enabled state in the gallery: disabled charts cannot be picked.
  bool GalleryEnabled = true;
  // The window that shows the chart (owned by the gallery panel).
  TGalleryChartWindow* Window = nullptr;

private:
  bool FSmooth = false;
};

// The sample charts of a panel, in cell order; the list frees them.
class TChartList {
public:
  ~TChartList() { Clear(); }
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TGalleryChart* GetChart(int32_t Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void Add(TGalleryChart* Chart) { FItems.push_back(Chart); }
  int32_t IndexOf(const TGalleryChart* Chart) const;
  // Frees every chart (and its window), then empties the list.
  void Clear();

private:
  std::vector<TGalleryChart*> FItems;
};

using TGalleryChartSetup = std::function<void(TGalleryChart* Chart)>;

class TChartGalleryPanel : public TPanel {
  KV_CLASS(TChartGalleryPanel, TPanel)
public:
  explicit TChartGalleryPanel(TComponent* Owner);
  ~TChartGalleryPanel() override;
  void BeforeDestruction() override;

  // ---- published settings ----
  bool DisplaySub = true;
  bool FocusRotation = true;
  int32_t GetNumCols() const { return FNumCols; }
  void SetNumCols(int32_t Value);
  int32_t GetNumRows() const { return FNumRows; }
  void SetNumRows(int32_t Value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  bool GetView3D() const { return FView3D; }
  void SetView3D(bool Value);
  TNotifyEvent OnSelectedChart, OnChangeChart, OnSubSelected;

  // ---- state ----
  TChartList& Charts() { return FCharts; }
  int32_t CellWidth() const { return FCellWidth; }
  int32_t CellHeight() const { return FCellHeight; }
  bool FunctionsMode = false;
  bool CheckCompatibility = false;
  WeakRef<TChartSeries> ReferenceSeries;
  bool IsSubGallery = false;
  TGalleryChart* GetSelectedChart() const { return FSelected; }
  TForm* SubGalleryForm() const { return FSubForm; }
  TChartGalleryPanel* SubGalleryPanel() const { return FSubPanel; }

  // ---- operations ----
  void CreateChartsForPage(const std::string& Page);
  TGalleryChart* CreateGalleryChart(const TPlotSeriesType& Type);
  // A chart placed in the next cell and wired like the sample charts (the
  // gradient editor's direction gallery adds its own charts this way).
  TGalleryChart* AddChart();
  virtual void SetCurrentChart(TGalleryChart* Chart);
  // Makes a chart current as a mouse press at client point P of its window does.
  void ChartPressed(TGalleryChart* Chart, TPoint P);
  void SelectChart(TGalleryChart* Chart);
  bool GetSelectedType(TClass& SeriesClass, TClass& FunctionClass, int32_t& SubIndex) const;
  void UpdateLooks();
  // Cell size and chart places.
  void CalcChartSizes();
  void PlaceCharts();
  // Fills the panel with one chart per sub-style of SeriesClass.
  void BuildSubGallery(TClass SeriesClass);
  void ShowSubGallery();
  // Applies the sub-style at Position to the current chart of Target.
  void ApplySubStyle(TChartGalleryPanel& Target, int32_t Position);
  // Where the sub-gallery mark of a chart lies (its bottom-left point x, y).
  TPoint SubMarkOrigin(const TGalleryChart& Chart) const;
  bool OnSubMark(const TGalleryChart& Chart, TPoint P) const;
  // Draws the overlay of a chart window: hover frame and sub-gallery mark.
  void DrawChartOverlay(TGalleryChart& Chart, TCanvas& Canvas);

  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void Resize() override;

private:
  void SetSelectedLook(TGalleryChart& Chart);
  void SetUnselectedLook(TGalleryChart& Chart);
  void SetChartMargins(TGalleryChart& Chart);
  void WireChart(TGalleryChart& Chart, bool Enabled);
  void ApplyGalleryLook(TGalleryChart& Chart, TClass FunctionClass, bool Enabled);
  TGalleryChart* ChartAt(int32_t Col, int32_t Row) const;

  TChartList FCharts;
  int32_t FCellWidth = 0, FCellHeight = 0;
  TGalleryChart* FSelected = nullptr;
  bool FSmoothAtStart = false;
  TForm* FSubForm = nullptr;
  TChartGalleryPanel* FSubPanel = nullptr;
  int32_t FNumRows = 3, FNumCols = 4;
  bool FSmooth = false, FView3D = true;
  bool FReading = false;
};

namespace PlotGalleryPanel {
// Registers the standard series types (each once).
void Initialization();
}  // namespace PlotGalleryPanel
