#pragma once
// Compression of a series into open-high-low-close points of a longer
// period: calendar periods, periods of the clock, or a fixed number of points.
#include <cstdint>
#include <functional>
#include <string>

#include "chart/extras/OHLChart.h"

enum class TCompressionPeriod : uint8_t {
  ocDay, ocWeek, ocMonth, ocBiMonth, ocQuarter, ocYear, ocSecond, ocTenSecond, ocMinute, ocTwoMinutes,
  ocFiveMinutes, ocTenMinutes, ocFifteenMinutes, ocTwentyMinutes, ocHalfHour, ocHour, ocTwoHours, ocThreeHour,
  ocSixHour, ocTwelveHour
};
using enum TCompressionPeriod;

using TCompressGetDate =
    std::function<void(TPlotFunction* Sender, TChartSeries* Source, int32_t ValueIndex, double& Date)>;

class TCompressFunction : public TPlotFunction {
  KV_CLASS(TCompressFunction, TPlotFunction)
public:
  explicit TCompressFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TCompressFuncEditor"; }
  void PrepareForGallery(TSeriesChart* Chart) override;
  void AddPoints(TChartSeries* Source) override;

  TCompressionPeriod GetCompress() const { return FCompress; }
  void SetCompress(TCompressionPeriod Value);
  // The start of the period of Compress that Date lies in, as a number that
  // differs between periods (weeks start on Monday).
  static int64_t PeriodKey(TCompressionPeriod Compress, double Date);

  TCompressGetDate OnGetDate;

private:
  TCompressionPeriod FCompress = ocWeek;
};

namespace PlotCompressOHLC {
// Registers "Compression" on the gallery page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotCompressOHLC
