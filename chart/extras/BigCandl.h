#pragma once
// The big-candle series: candles labelled with their open, high, low and
// close values around them.
#include <cstdint>
#include <string>

#include "chart/extras/CandleCh.h"

class TBigCandleSeries : public TCandleSeries {
  KV_CLASS(TBigCandleSeries, TCandleSeries)
public:
  explicit TBigCandleSeries(TComponent* Owner);
  void Init() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t GetHorizGap() const { return FHorizGap; }
  void SetHorizGap(int32_t Value) { SetIntegerProperty(FHorizGap, Value); }
  int32_t GetVertGap() const { return FVertGap; }
  void SetVertGap(int32_t Value) { SetIntegerProperty(FVertGap, Value); }

private:
  int32_t FHorizGap = 20;
  int32_t FVertGap = 6;
};

namespace BigCandl {
// Registers "Big Candle" on the gallery page "Other"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace BigCandl
