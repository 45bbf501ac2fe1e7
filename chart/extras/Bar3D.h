#pragma once
// A vertical bar series whose bars start at a per-point offset value instead
// of the common origin.
#include <cstdint>
#include <string>

#include "chart/series/Series.h"

class TBar3DSeries : public TBarSeries {
  KV_CLASS(TBar3DSeries, TBarSeries)
public:
  explicit TBar3DSeries(TComponent* Owner);
  double LargestY() override;
  double SmallestY() override;
  double GetOriginValue(int32_t Index) const override;
  bool CanStack() const override { return false; }
  double PointOrigin(int32_t ValueIndex, bool SumAll) const override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;

  int32_t AddBar(double X, double Y, double Offset, const std::string& Label = {}, TColor Colour = clDefault);
  TChartValueList* OffsetValues() const { return FOffsetValues; }
  void SetOffsetValues(const TChartValueList* Value) { FOffsetValues->Assign(Value); }

private:
  TChartValueList* FOffsetValues = nullptr;  // one of the series' value lists
};

namespace Bar3D {

// Registers "Bar 3D" on the gallery page "Other" with 1 sample series;
// Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace Bar3D
