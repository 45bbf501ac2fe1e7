#pragma once
// The open-high-low-close series base: a close value per date with the high,
// low and open values of the same period beside it.
#include <cstdint>

#include "chart/series/Series.h"

class TOHLCSeries : public TCustomSeries {
  KV_CLASS(TOHLCSeries, TCustomSeries)
public:
  explicit TOHLCSeries(TComponent* Owner);
  double LargestY() override;
  double SmallestY() override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  int32_t NumSampleValues() const override { return 40; }
  // Only another open-high-low-close series feeds one directly.
  bool AcceptsDataSource(TComponent* Component) const override;

  // Adds the point (Date, Close) with its other three values; the new index.
  int32_t AddOpenHighLowClose(double Date, double Open, double High, double Low, double Close);

  TChartValueList* DateValues() const { return XValues(); }
  TChartValueList* CloseValues() const { return YValues(); }
  TChartValueList* HighValues() const { return FHigh; }
  TChartValueList* LowValues() const { return FLow; }
  TChartValueList* OpenValues() const { return FOpen; }
  void SetDateValues(const TChartValueList* Value) { SetXValues(Value); }
  void SetCloseValues(const TChartValueList* Value) { SetYValues(Value); }
  void SetHighValues(const TChartValueList* Value) { FHigh->Assign(Value); }
  void SetLowValues(const TChartValueList* Value) { FLow->Assign(Value); }
  void SetOpenValues(const TChartValueList* Value) { FOpen->Assign(Value); }

private:
  TChartValueList* FHigh = nullptr;  // value lists 2, 3 and 4 of the series
  TChartValueList* FLow = nullptr;
  TChartValueList* FOpen = nullptr;
};
