#pragma once
// The funnel series: every point is a quote, a segment of a narrowing
// funnel, with an opportunity that fills the segment and colours it by how
// far it reaches the quote.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"

class TFunnelSeries : public TChartSeries {
  KV_CLASS(TFunnelSeries, TChartSeries)
public:
  explicit TFunnelSeries(TComponent* Owner);
  ~TFunnelSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TFunnelSeriesEditor"; }
  void PrepareDraw() override;
  void DrawPoint(int32_t Index) override;
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  double LargestX() override { return Count() - 0.5; }
  double SmallestX() override { return -0.5; }
  double SmallestY() override { return 0; }
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t LegendEntryCount() const override { return 3; }
  TColor LegendEntryColor(int32_t Item) const override;
  std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;

  int32_t AddSegment(double Quote, double Opportunity, const std::string& Label = {}, TColor Colour = clDefault);
  // Sorts the quotes when needed, then takes the largest and smallest quote
  // and the step of the outline.
  void Recalc();

  // The polygon of segment Index (3 to 5 points) and its colour.
  std::vector<TPoint> CalcSegment(int32_t Index, TColor& Colour) const;
  // The ratio of opportunity to quote; 0 for a quote of 0.
  double Ratio(int32_t Index) const;

  // ---- settings ----
  TColor GetAboveColor() const { return FAboveColor; }
  void SetAboveColor(TColor Value) { SetColorProperty(FAboveColor, Value); }
  bool GetAutoUpdate() const { return FAutoUpdate; }
  void SetAutoUpdate(bool Value);
  TColor GetBelowColor() const { return FBelowColor; }
  void SetBelowColor(TColor Value) { SetColorProperty(FBelowColor, Value); }
  double GetDifferenceLimit() const { return FDifferenceLimit; }
  void SetDifferenceLimit(double Value);
  TChartPen* LinesPen() const { return FLinesPen.get(); }
  void SetLinesPen(const TChartPen* Value) { FLinesPen->Assign(Value); }
  TChartValueList* OpportunityValues() const { return FOpportunityValues; }
  void SetOpportunityValues(const TChartValueList* Value);
  TChartValueList* QuoteValues() const { return YValues(); }
  void SetQuoteValues(const TChartValueList* Value) { SetYValues(Value); }
  bool GetQuotesSorted() const { return FQuotesSorted; }
  void SetQuotesSorted(bool Value);
  TColor GetWithinColor() const { return FWithinColor; }
  void SetWithinColor(TColor Value) { SetColorProperty(FWithinColor, Value); }

  // Drawing state from the last Recalc.
  double MaxQuote = 0, MinQuote = 0, Step = 0;

private:
  void SortQuotes();
  TColor FAboveColor = 0x8000;
  bool FAutoUpdate = true;
  TColor FBelowColor = 255;
  double FDifferenceLimit = 30;
  std::unique_ptr<TChartPen> FLinesPen;
  TChartValueList* FOpportunityValues = nullptr;  // one of the series' value lists
  bool FQuotesSorted = false;
  bool FSorted = false;
  TColor FWithinColor = 0xFFFF;
};

namespace PlotFunnel {

// Registers "Funnel" on the gallery page "Stats" with 1 sample series
// (once); Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotFunnel
