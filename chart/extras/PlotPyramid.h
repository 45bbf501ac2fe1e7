#pragma once
// The pyramid series: the points piled as layers of a pyramid whose width
// shrinks with the running total.
#include <cstdint>
#include <string>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"

class TPyramidSeries : public TChartSeries {
  KV_CLASS(TPyramidSeries, TChartSeries)
public:
  // One layer: its rectangle (bottom edge = full half-width, top edge the
  // truncated one), the depth inset of its base and its top's half-sizes.
  struct TLayer {
    TRect Rect;
    int32_t Inset = 0, TopHalfWidth = 0, TopHalfDepth = 0;
  };

  explicit TPyramidSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TPyramidSeriesEditor"; }
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override { Left = Right = 20; }
  void DrawPoint(int32_t Index) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  double LargestX() override { return SeriesIndex(); }
  double SmallestX() override { return SeriesIndex(); }
  double LargestY() override { return YValues()->TotalABS(); }
  double SmallestY() override { return 0; }
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  bool DrawValuesForward() const override;

  int32_t GetSizePercent() const { return FSizePercent; }
  void SetSizePercent(int32_t Value) { SetIntegerProperty(FSizePercent, Value); }

  // The layer of point Index; false when the values total 0 (no layers).
  bool CalcLayer(int32_t Index, TLayer& Layer) const;
  // The running total of the absolute values up to and including Index.
  double Cumulated(int32_t Index) const;

private:
  int32_t SeriesIndex() const;
  int32_t FSizePercent = 50;
};

namespace PlotPyramid {

// Registers "Pyramid" on the gallery page "Extended" with 2 sample series
// (once); Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotPyramid
