#pragma once
// The series band tool: fills the area between two series, behind or over them.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine_Series.h"

class TSeriesBandTool : public TPlotCustomToolSeries {
  KV_CLASS(TSeriesBandTool, TPlotCustomToolSeries)
public:
  explicit TSeriesBandTool(TComponent* Owner);
  ~TSeriesBandTool() override;
  void Init() override;
  void BeforeDestruction() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  std::string EditorFormName() const override { return "TSeriesBandToolEdit"; }
  void Description(std::string& Text) const override { Text = "Series Band"; }
  void HandleChartEvent(int32_t Code) override;
  void SetSeries(TChartSeries* Value) override;

  TChartSeries* GetSeries2() const { return FSeries2; }
  void SetSeries2(TChartSeries* Value);
  TChartBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value) { FBrush->Assign(Value); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  int32_t GetTransparency() const { return FTransparency; }
  void SetTransparency(int32_t Value);
  bool GetDrawBehindSeries() const { return FDrawBehindSeries; }
  void SetDrawBehindSeries(bool Value) { SetBooleanField(FDrawBehindSeries, Value); }

  // The band's polygon: Series from its first to its last visible point,
  // then Series2 back; empty when either has no visible range.
  std::vector<TPoint> BandPolygon();
  // Draws the band now (with a chart, both series and their ranges).
  void DrawBand();

private:
  void Hook(TChartSeries* Series);
  void SeriesBefore(TObject* Sender);
  void SeriesAfter(TObject* Sender);
  void SetFlag(TObject* Sender);
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TPlotGradient> FGradient;
  TChartSeries* FSeries2 = nullptr;  // cleared through the free notification
  TChartSeries* FHooked1 = nullptr;  // the series that carry our drawing hooks
  int32_t FTransparency = 0;
  bool FDrawBehindSeries = true;
  bool FFlag1 = false, FFlag2 = false;
};

namespace PlotSeriesBandTool {
void Initialization();
void Finalization();
}  // namespace PlotSeriesBandTool
