#pragma once
// The point-and-figure series: columns of X symbols for rising prices and of
// O symbols for falling prices from the highs and lows of open-high-low-close
// data; a new column starts when the price turns by ReversalAmount boxes.
#include <cstdint>
#include <memory>
#include <string>

#include "chart/extras/OHLChart.h"

class TPointFigureSeries : public TOHLCSeries {
  KV_CLASS(TPointFigureSeries, TOHLCSeries)
public:
  explicit TPointFigureSeries(TComponent* Owner);
  ~TPointFigureSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TPointFigureEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void DrawPoints() override;
  int32_t LegendEntryCount() const override { return 2; }
  TColor LegendEntryColor(int32_t Item) const override;
  std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const override;
  double LargestX() override { return Count() == 0 ? 0 : CalcColumns(false) - 1; }
  double SmallestX() override { return 0; }
  void PrepareForGallery(bool Enabled) override;

  // The number of columns; draws them when Draw is set (and the symbols are
  // not too many to draw).
  int32_t CalcColumns(bool Draw);
  // No more symbols than this are drawn: beyond it the chart stays readable
  // and drawing stays quick.
  static constexpr double MaxSymbols = 1e6;

  double GetBoxSize() const { return FBoxSize; }
  // ChartException for a size that is not above 0; the old size stays.
  void SetBoxSize(double Value);
  double GetReversalAmount() const { return FReversalAmount; }
  void SetReversalAmount(double Value);
  TSeriesPointer* UpSymbol() const { return FUp.get(); }
  void SetUpSymbol(const TSeriesPointer* Value) { FUp->Assign(Value); }
  TSeriesPointer* DownSymbol() const { return FDown.get(); }
  void SetDownSymbol(const TSeriesPointer* Value) { FDown->Assign(Value); }

private:
  double FBoxSize = 1;
  double FReversalAmount = 3;
  std::unique_ptr<TSeriesPointer> FUp, FDown;
};

namespace PlotPointFigure {
// Registers "Point & Figure" on the gallery page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotPointFigure
