#pragma once
// The bubble series: every point is a pointer symbol whose size is the
// point's radius in axis units.
#include <cstdint>
#include <string>

#include "chart/series/Series.h"

class TBubbleSeries : public TPointSeries {
  KV_CLASS(TBubbleSeries, TPointSeries)
public:
  explicit TBubbleSeries(TComponent* Owner);
  void Init() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TBubbleSeriesEditor"; }
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void DrawPoint(int32_t Index) override;
  double LargestY() override;
  double LargestZ() override;
  double SmallestY() override;
  double SmallestZ() override;
  bool ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX, int32_t MouseY) override;
  TPlotGradient* GetGradient() const override { return Pointer()->Gradient(); }
  void PreparePointer(int32_t ValueIndex) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  int32_t NumSampleValues() const override { return 8; }
  bool AcceptsDataSource(TComponent* Component) const override;

  int32_t AddBubble(double X, double Y, double Radius, const std::string& Label = {}, TColor Colour = clDefault);

  TChartValueList* RadiusValues() const { return FRadiusValues; }
  void SetRadiusValues(const TChartValueList* Value);
  // The radius is measured on the vertical axis both ways.
  bool GetSquared() const { return FSquared; }
  void SetSquared(bool Value) { SetBooleanField(FSquared, Value); }

private:
  TChartValueList* FRadiusValues = nullptr;  // one of the series' value lists
  bool FSquared = true;
};

namespace BubbleCh {

// Registers "Bubble" on the gallery page "Standard" with 1 sample series
// (once). The registration stays when the program ends.
void Initialization();

}  // namespace BubbleCh
