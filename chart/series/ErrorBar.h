#pragma once
// Statistics series: error marks on bars or alone, and the band between a
// high and a low line; registered on the gallery page "Stats".
#include <cstdint>
#include <memory>

#include "chart/series/Series.h"

enum class TErrorSeriesStyle : uint8_t { essLeft, essRight, essLeftRight, essTop, essBottom, essTopBottom };
using enum TErrorSeriesStyle;
enum class TErrorWidthUnits : uint8_t { ewuPercent, ewuPixels };
using enum TErrorWidthUnits;

// A bar series whose points carry an error value drawn as a stroke with a
// whisker at its end; DrawBar decides whether the bar itself is drawn.
class TCustomErrorSeries : public TBarSeries {
  KV_CLASS(TCustomErrorSeries, TBarSeries)
public:
  explicit TCustomErrorSeries(TComponent* Owner);
  ~TCustomErrorSeries() override;
  void Init() override;
  void Assign(const TPersistent* Source) override;
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void SetSeriesColor(TColor Value) override;
  double LargestY() override;
  double SmallestY() override;
  bool CanStack() const override { return false; }
  void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;

  int32_t AddXYError(double X, double Y, double Error, const std::string& Label = {}, TColor Colour = clDefault);
  void PrepareErrorPen(int32_t ValueIndex);
  // Strokes from (X, Y) by ErrorStyle: Down and Up are lengths in pixels
  // (Up towards larger values on the vertical axis), W the whisker width.
  void DrawError(int32_t X, int32_t Y, bool Is3D, int32_t Down, int32_t Up, int32_t W);
  // The whisker width of a point's error stroke.
  int32_t WhiskerWidth() const;

  TChartPen* ErrorPen() const { return FErrorPen.get(); }
  void SetErrorPen(const TChartPen* Value);
  TErrorSeriesStyle GetErrorStyle() const { return FErrorStyle; }
  void SetErrorStyle(TErrorSeriesStyle Value);
  TChartValueList* ErrorValues() const { return FErrorValues; }
  void SetErrorValues(const TChartValueList* Value);
  int32_t GetErrorWidth() const { return FErrorWidth; }
  void SetErrorWidth(int32_t Value) { SetIntegerProperty(FErrorWidth, Value); }
  TErrorWidthUnits GetErrorWidthUnits() const { return FErrorWidthUnits; }
  void SetErrorWidthUnits(TErrorWidthUnits Value);
  bool DrawBar = false;

private:
  bool IsHorizontalStyle() const {
    return FErrorStyle == essLeft || FErrorStyle == essRight || FErrorStyle == essLeftRight;
  }
  std::unique_ptr<TChartPen> FErrorPen;
  TErrorSeriesStyle FErrorStyle = essTopBottom;
  TChartValueList* FErrorValues = nullptr;  // one of the series' value lists
  int32_t FErrorWidth = 100;
  TErrorWidthUnits FErrorWidthUnits = ewuPercent;
};

// Error marks alone, in each point's colour.
class TErrorSeries : public TCustomErrorSeries {
  KV_CLASS(TErrorSeries, TCustomErrorSeries)
public:
  using TCustomErrorSeries::TCustomErrorSeries;
};

// A bar per point with an error mark on its top.
class TErrorBarSeries : public TCustomErrorSeries {
  KV_CLASS(TErrorBarSeries, TCustomErrorSeries)
public:
  explicit TErrorBarSeries(TComponent* Owner);
  void PrepareForGallery(bool Enabled) override;
};

// A band between the high values (the Y list) and the low values, with the
// high and low lines and a vertical line at each point.
class THighLowSeries : public TChartSeries {
  KV_CLASS(THighLowSeries, TChartSeries)
public:
  explicit THighLowSeries(TComponent* Owner);
  ~THighLowSeries() override;
  void Init() override;
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoint(int32_t Index) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  double LargestY() override;
  double SmallestY() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  bool AcceptsDataSource(TComponent* Component) const override;

  int32_t AddHighLow(double X, double High, double Low);

  TChartBrush* HighBrush() const { return Brush(); }
  TChartPen* HighPen() const { return FHighPen.get(); }
  void SetHighPen(const TChartPen* Value) { FHighPen->Assign(Value); }
  TChartValueList* HighValues() const { return YValues(); }
  void SetHighValues(const TChartValueList* Value) { SetYValues(Value); }
  TChartBrush* LowBrush() const { return FLowBrush.get(); }
  void SetLowBrush(const TChartBrush* Value) { FLowBrush->Assign(Value); }
  TChartPen* LowPen() const { return FLowPen.get(); }
  void SetLowPen(const TChartPen* Value) { FLowPen->Assign(Value); }
  TChartValueList* LowValues() const { return FLowValues; }
  void SetLowValues(const TChartValueList* Value);
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value);

private:
  std::unique_ptr<TChartPen> FHighPen;
  TChartValueList* FLowValues = nullptr;  // one of the series' value lists
  std::unique_ptr<TChartPen> FLowPen;
  int32_t FPrevX = 0, FPrevHigh = 0, FPrevLow = 0, FPrevIndex = -1;
  std::unique_ptr<TChartBrush> FLowBrush;
  TPlotTransparency FTransparency = 0;
};

namespace ErrorBar {

// Registers "Error Bar", "Error" and "High-Low" on the gallery page "Stats"
// (once, however often it runs); Finalization removes them again.
void Initialization();
void Finalization();

}  // namespace ErrorBar
