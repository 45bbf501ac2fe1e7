#pragma once
// The volume-pipe series: a horizontal pipe narrowing into a cone, divided
// into segments whose areas are proportional to the values.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"

class TVolumePipeSeries : public TChartSeries {
  KV_CLASS(TVolumePipeSeries, TChartSeries)
public:
  using TQuad = std::array<TPoint, 4>;

  explicit TVolumePipeSeries(TComponent* Owner);
  ~TVolumePipeSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TVolumePipeSeriesEditor"; }
  void PrepareDraw() override;
  void DrawPoint(int32_t /*Index*/) override {}
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  bool UseAxis() const override { return false; }
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  int32_t NumSampleValues() const override { return 5; }

  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  TChartPen* LinesPen() const { return FLinesPen.get(); }
  void SetLinesPen(const TChartPen* Value) { FLinesPen->Assign(Value); }
  int32_t GetConePercent() const { return FConePercent; }
  void SetConePercent(int32_t Value) { SetIntegerProperty(FConePercent, Value); }

  // The outline (left top, right top, right bottom, left bottom) and the
  // segment polygons of the last draw; a null point has an empty quad.
  const TQuad& Outline() const { return FOutline; }
  const std::vector<TQuad>& Segments() const { return FSegments; }
  // Lays out the outline and segments in the chart rectangle R.
  void CalcGeometry(const TRect& R);
  // Offset from the left edge at which the area from it reaches Area, in an
  // outline of the given left and right heights and length.
  static double BoundaryOffset(double LeftHeight, double RightHeight, double Length, double Area);

private:
  std::unique_ptr<TPlotGradient> FGradient;
  std::unique_ptr<TChartPen> FLinesPen;
  int32_t FConePercent = 30;
  TQuad FOutline{};
  std::vector<TQuad> FSegments;
  std::vector<bool> FHasSegment;
};

namespace PlotVolumePipe {

// Registers "VolumePipe" on the gallery page "Stats" with 1 sample series
// (once); Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotVolumePipe
