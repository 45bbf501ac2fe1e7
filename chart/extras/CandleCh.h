#pragma once
// The candle series (candle sticks, bars, open-close boxes or a close line),
// the volume series (one vertical line per point), and the average
// directional index and relative strength index of open-high-low-close data.
#include <cstdint>
#include <memory>
#include <string>

#include "chart/extras/OHLChart.h"

// The colour that stands for "the colour of the candle's pen".
constexpr TColor clPlotColor = 0x20000000;

enum class TCandleStyle : uint8_t { csCandleStick, csCandleBar, csOpenClose, csLine };
using enum TCandleStyle;
enum class TCandleColorStyle : uint8_t { cssRelativeToOpen, cssRelativeToClose };
using enum TCandleColorStyle;

class TCandleSeries : public TOHLCSeries {
  KV_CLASS(TCandleSeries, TOHLCSeries)
public:
  explicit TCandleSeries(TComponent* Owner);
  ~TCandleSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TCandleEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoint(int32_t Index) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  TColor LegendEntryColor(int32_t Item) const override { return CandleColor(Item); }
  double LargestY() override;
  double SmallestY() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  void PrepareForGallery(bool Enabled) override;

  // Whether point Index is an up candle, by ColorStyle.
  bool IsUpCandle(int32_t Index) const;
  // The point's own colour, or the start colour of its up or down gradient.
  TColor CandleColor(int32_t Index) const;

  TCandleStyle GetCandleStyle() const { return FCandleStyle; }
  void SetCandleStyle(TCandleStyle Value);
  int32_t GetCandleWidth() const { return FCandleWidth; }
  void SetCandleWidth(int32_t Value) { SetIntegerProperty(FCandleWidth, Value); }
  TCandleColorStyle GetColorStyle() const { return FColorStyle; }
  void SetColorStyle(TCandleColorStyle Value);
  TColor GetUpCloseColor() const { return FUpGradient->GetStartColor(); }
  void SetUpCloseColor(TColor Value) { FUpGradient->SetStartColor(Value); }
  TColor GetDownCloseColor() const { return FDownGradient->GetStartColor(); }
  void SetDownCloseColor(TColor Value) { FDownGradient->SetStartColor(Value); }
  TPlotGradient* UpCloseGradient() const { return FUpGradient.get(); }
  void SetUpCloseGradient(const TPlotGradient* Value) { FUpGradient->Assign(Value); }
  TPlotGradient* DownCloseGradient() const { return FDownGradient.get(); }
  void SetDownCloseGradient(const TPlotGradient* Value) { FDownGradient->Assign(Value); }
  TChartPen* HighLowPen() const { return FHighLowPen.get(); }
  void SetHighLowPen(const TChartPen* Value) { FHighLowPen->Assign(Value); }
  bool GetShowOpenTick() const { return FShowOpenTick; }
  void SetShowOpenTick(bool Value) { SetBooleanField(FShowOpenTick, Value); }
  bool GetShowCloseTick() const { return FShowCloseTick; }
  void SetShowCloseTick(bool Value) { SetBooleanField(FShowCloseTick, Value); }
  // The pointer's pen (body outline) and 3-D flags.
  TChartPen* CandlePen() const { return Pointer()->Pen(); }
  void SetCandlePen(const TChartPen* Value) { Pointer()->Pen()->Assign(Value); }
  bool GetDraw3D() const { return Pointer()->GetDraw3D(); }
  void SetDraw3D(bool Value) { Pointer()->SetDraw3D(Value); }
  bool GetDark3D() const { return Pointer()->GetDark3D(); }
  void SetDark3D(bool Value) { Pointer()->SetDark3D(Value); }

private:
  // Pixels of one candle.
  struct TCandlePixels {
    int32_t X, Open, High, Low, Close, Left, Right;  // Left / Right: half-widths
  };
  TCandlePixels PixelsOf(int32_t Index) const;
  void DrawLinePoint(TCanvas3D& C, int32_t Index, const TCandlePixels& P, TColor Colour);
  void DrawBar(TCanvas3D& C, const TCandlePixels& P, TColor Colour);
  void DrawBody(TCanvas3D& C, int32_t Index, const TCandlePixels& P, TColor Colour);
  void FillGradient(TCanvas3D& C, int32_t Index, const TRect& Body, int32_t Z);
  // The body rectangle as drawn in 2-D (after the one-pixel adjustments).
  TRect BodyRect2D(const TCandlePixels& P) const;
  void WickLine(TCanvas3D& C, int32_t X, int32_t Y0, int32_t Y1);

  TCandleStyle FCandleStyle = csCandleStick;
  int32_t FCandleWidth = 4;
  TCandleColorStyle FColorStyle = cssRelativeToOpen;
  std::unique_ptr<TPlotGradient> FUpGradient, FDownGradient;
  std::unique_ptr<TChartPen> FHighLowPen;
  bool FShowOpenTick = true, FShowCloseTick = true;
  TPoint FPrevLinePoint{0, 0};  // the previous point drawn in csLine style
};

class TVolumeSeries : public TCustomSeries {
  KV_CLASS(TVolumeSeries, TCustomSeries)
public:
  explicit TVolumeSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TVolumeSeriesEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void DrawPoint(int32_t Index) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void SetSeriesColor(TColor Value) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  int32_t NumSampleValues() const override { return 40; }

  // The pixel the lines start from.
  int32_t OriginPixelOfLines() const;

  TChartValueList* VolumeValues() const { return YValues(); }
  void SetVolumeValues(const TChartValueList* Value) { SetYValues(Value); }
  bool GetUseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool Value) { SetBooleanField(FUseYOrigin, Value); }
  double GetYOrigin() const { return FYOrigin; }
  void SetYOrigin(double Value) { SetDoubleProperty(FYOrigin, Value); }

private:
  bool FUseYOrigin = false;
  double FYOrigin = 0;
  TColor FLastPenColor = clNone;  // the pen colour selected last while drawing
};

// Average directional index with its +DI and -DI lines.
class TADXFunction : public TPlotFunction {
  KV_CLASS(TADXFunction, TPlotFunction)
public:
  explicit TADXFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TADXFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  bool AcceptsSource(TChartSeries* Series) const override;
  TChartPen* UpLinePen() const;
  void SetUpLinePen(const TChartPen* Value) { UpLinePen()->Assign(Value); }
  TChartPen* DownLinePen() const;
  void SetDownLinePen(const TChartPen* Value) { DownLinePen()->Assign(Value); }
  TFastLineSeries* UpLine() const { return FUp; }
  TFastLineSeries* DownLine() const { return FDown; }

private:
  TFastLineSeries* FUp = nullptr;    // owned by the function
  TFastLineSeries* FDown = nullptr;
};

enum class TRSIStyle : uint8_t { rsiOpenClose, rsiClose };
using enum TRSIStyle;

// Relative strength index over moving windows of Period points.
class TRSIFunction : public TPlotMovingFunction {
  KV_CLASS(TRSIFunction, TPlotMovingFunction)
public:
  explicit TRSIFunction(TComponent* Owner);
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  bool AcceptsSource(TChartSeries* Series) const override;
  TRSIStyle GetStyle() const { return FStyle; }
  void SetStyle(TRSIStyle Value);

private:
  TRSIStyle FStyle = rsiOpenClose;
};

namespace FinancialAux {
// A series the function owns that draws beside its result series: kept out of
// the legend, the editors' lists and chart files.
void MakeAuxiliary(TChartSeries* Series);
// Joins Aux to the chart, axes, date-time flag and draw events of Result.
void JoinResult(TChartSeries* Aux, TChartSeries* Result);
}  // namespace FinancialAux

namespace CandleCh {
// Registers "Candle" and "Volume" (page "Financial"), and the functions "ADX"
// and "R.S.I." (page "Financial"); Finalize removes them.
void Initialize();
void Finalize();
}  // namespace CandleCh
