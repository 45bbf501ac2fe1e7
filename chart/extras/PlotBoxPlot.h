#pragma once
// Box-and-whisker plots of one sample of values: the box spans the quartiles,
// a line marks the median, whiskers reach the extreme samples inside the
// inner fences, and samples beyond are drawn as mild or extreme outliers.
// Each series is one box standing at Position on the other axis.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/series/Series.h"

// The statistics of a sample.
struct TBoxStatistics {
  double MedianValue = 0, LowerQuartile = 0, UpperQuartile = 0;
  double LowerInnerFence = 0, UpperInnerFence = 0, LowerOuterFence = 0, UpperOuterFence = 0;
  double LowerWhiskerEnd = 0, UpperWhiskerEnd = 0;
};

class TCustomBoxSeries : public TPointSeries {
  KV_CLASS(TCustomBoxSeries, TPointSeries)
public:
  explicit TCustomBoxSeries(TComponent* Owner);
  ~TCustomBoxSeries() override;
  void Init() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TBoxSeriesEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void DrawPoint(int32_t Index) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;

  // The samples: the mandatory list ("Samples").
  virtual TChartValueList* GetSampleValues() const { return MandatoryList(); }
  virtual void SetSampleValues(const TChartValueList* Value);

  // Computes the statistics of the samples (in any order) with WhiskerLength
  // as the fence distance; nothing for no samples.
  static bool ComputeStatistics(std::vector<double> Samples, double WhiskerLength, TBoxStatistics& Result);
  // Recomputes the public statistics from the samples (unless there are none).
  void RecalcStats();
  // The box, median line and whiskers in pixels of the last drawing.
  TRect BoxRect() const;

  double GetPosition() const { return FPosition; }
  void SetPosition(double Value) { SetDoubleProperty(FPosition, Value); }
  double GetWhiskerLength() const { return FWhiskerLength; }
  void SetWhiskerLength(double Value) { SetDoubleProperty(FWhiskerLength, Value); }
  TChartPen* WhiskerPen() const { return FWhiskerPen.get(); }
  void SetWhiskerPen(const TChartPen* Value) { FWhiskerPen->Assign(Value); }
  TChartPen* MedianPen() const { return FMedianPen.get(); }
  void SetMedianPen(const TChartPen* Value) { FMedianPen->Assign(Value); }
  TSeriesPointer* MildOut() const { return FMildOut.get(); }
  void SetMildOut(const TSeriesPointer* Value) { FMildOut->Assign(Value); }
  TSeriesPointer* ExtrOut() const { return FExtrOut.get(); }
  void SetExtrOut(const TSeriesPointer* Value) { FExtrOut->Assign(Value); }
  bool GetUseCustomValues() const { return FUseCustomValues; }
  void SetUseCustomValues(bool Value) { SetBooleanField(FUseCustomValues, Value); }

  // Set by the application when UseCustomValues is on.
  double MedianValue = 0, LowerQuartile = 0, UpperQuartile = 0;
  double LowerInnerFence = 0, UpperInnerFence = 0, LowerOuterFence = 0, UpperOuterFence = 0;
  double LowerWhiskerEnd = 0, UpperWhiskerEnd = 0;

protected:
  bool FVertical = true;

private:
  int32_t PositionPixel() const;
  int32_t ValuePixel(double Value) const;
  void DrawBox();
  double FPosition = 0;
  double FWhiskerLength = 1.5;
  std::unique_ptr<TChartPen> FWhiskerPen, FMedianPen;
  std::unique_ptr<TSeriesPointer> FMildOut, FExtrOut;
  bool FUseCustomValues = false;
};

class TBoxSeries : public TCustomBoxSeries {
  KV_CLASS(TBoxSeries, TCustomBoxSeries)
public:
  using TCustomBoxSeries::TCustomBoxSeries;
  double LargestX() override { return GetPosition(); }
  double SmallestX() override { return GetPosition(); }
};

class THorizBoxSeries : public TCustomBoxSeries {
  KV_CLASS(THorizBoxSeries, TCustomBoxSeries)
public:
  explicit THorizBoxSeries(TComponent* Owner);
  double LargestY() override { return GetPosition(); }
  double SmallestY() override { return GetPosition(); }
};

namespace PlotBoxPlot {
// Registers "BoxPlot" and "Horizontal" CR "BoxPlot" on the page "Stats";
// Finalize removes them again.
void Initialize();
void Finalize();
}  // namespace PlotBoxPlot
