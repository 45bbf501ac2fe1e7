#pragma once
// The line family of chart series: line, point and area series, their
// horizontal forms and the fast-line series, all drawn point by point from
// the previous point's pixels; the one-line style text of a series; and the
// registration of the standard series types.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/engine/PlotEngine_Series.h"

class TCustomSeries;

enum class TCustomSeriesStack : uint8_t { cssNone, cssOverlap, cssStack, cssStack100 };
using enum TCustomSeriesStack;
enum class TMultiArea : uint8_t { maNone, maStacked, maStacked100 };
using enum TMultiArea;

using TSeriesClickPointerEvent = std::function<void(TCustomSeries* Sender, int32_t ValueIndex, int32_t X, int32_t Y)>;
using TOnGetPointerStyle = std::function<TSeriesPointerStyle(TCustomSeries* Sender, int32_t ValueIndex)>;

// A series whose element pen is its line pen.
class TCustomLineSeries : public TChartSeries {
  KV_CLASS(TCustomLineSeries, TChartSeries)
public:
  using TChartSeries::TChartSeries;
  TChartPen* LinePen() const { return Pen(); }
  void SetLinePen(const TChartPen* Value) { SetPen(Value); }
};

class TCustomSeries : public TCustomLineSeries {
  KV_CLASS(TCustomSeries, TCustomLineSeries)
public:
  explicit TCustomSeries(TComponent* Owner);
  ~TCustomSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TCustomSeriesEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void ResolveDepthOrder() override;
  void DrawPoints() override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void DrawPoint(int32_t Index) override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  int32_t PointPixelX(int32_t Index) const override;
  int32_t PointPixelY(int32_t Index) const override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;

  // The marks get the series' start depth; a vertical series lifts its mark
  // by the callout offset.
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  // Callout length plus callout distance of the marks.
  virtual int32_t MarksOffset() const;
  virtual bool ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX, int32_t MouseY);
  virtual TPlotGradient* GetGradient() const { return FGradient.get(); }
  virtual TPlotTransparency GetTransparency() const { return FTransparency; }
  virtual void SetTransparency(TPlotTransparency Value);
  virtual void PreparePointer(int32_t /*ValueIndex*/) {}
  // The pixel on the value axis where the point's area starts.
  virtual int32_t OriginPixel(int32_t ValueIndex) const;
  virtual void DrawPointerAt(int32_t X, int32_t Y, int32_t ValueIndex, TColor Colour);
  TSeriesPointerStyle PointerStyleOf(int32_t ValueIndex);

  // ---- settings ----
  TChartBrush* AreaChartBrush() const { return FAreaBrush.get(); }
  void SetAreaChartBrush(const TChartBrush* Value) { FAreaBrush->Assign(Value); }
  TBrushStyle GetAreaBrush() const { return FAreaBrush->GetStyle(); }
  void SetAreaBrush(TBrushStyle Value) { FAreaBrush->SetStyle(Value); }
  TColor GetAreaColor() const { return FAreaColor; }
  void SetAreaColor(TColor Value) { SetColorProperty(FAreaColor, Value); }
  TChartPen* AreaLinesPen() const { return FAreaLinesPen.get(); }
  void SetAreaLinesPen(const TChartPen* Value) { FAreaLinesPen->Assign(Value); }
  bool GetClickableLine() const { return FClickableLine; }
  void SetClickableLine(bool Value) { SetBooleanField(FClickableLine, Value); }
  bool GetColorEachLine() const { return FColorEachLine; }
  void SetColorEachLine(bool Value) { SetBooleanField(FColorEachLine, Value); }
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetBooleanField(FDark3D, Value); }
  bool GetDrawArea() const { return FDrawArea; }
  void SetDrawArea(bool Value) { SetBooleanField(FDrawArea, Value); }
  bool GetDrawLine() const { return FDrawLine; }
  void SetDrawLine(bool Value) { SetBooleanField(FDrawLine, Value); }
  bool GetInvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value) { SetBooleanField(FInvertedStairs, Value); }
  int32_t GetLineHeight() const { return FLineHeight; }
  void SetLineHeight(int32_t Value) { SetIntegerProperty(FLineHeight, Value); }
  TBrushStyle GetLineBrush() const { return Brush()->GetStyle(); }
  void SetLineBrush(TBrushStyle Value) { Brush()->SetStyle(Value); }
  TChartHiddenPen* OutLine() const { return FOutLine.get(); }
  void SetOutLine(const TChartPen* Value) { FOutLine->Assign(Value); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }
  void SetPointer(const TSeriesPointer* Value) { FPointer->Assign(Value); }
  TPlotShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TPlotShadow* Value) { FShadow->Assign(Value); }
  TCustomSeriesStack GetStacked() const { return FStacked; }
  void SetStacked(TCustomSeriesStack Value);
  bool GetStairs() const { return FStairs; }
  void SetStairs(bool Value) { SetBooleanField(FStairs, Value); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }

  TSeriesClickPointerEvent OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

  // ---- stacking ----
  double StackSum(int32_t ValueIndex, bool All) const;
  int32_t StackedPixel(int32_t ValueIndex, double Value) const;
  bool IsStacking() const { return FStacked == cssStack || FStacked == cssStack100; }

protected:
  // Draws the connection from the previous point to (X, Y) of point Index.
  void DrawSegment(int32_t Index, int32_t X, int32_t Y, TColor Colour, bool WithPointer);
  void DrawAreaSegment(int32_t Index, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, bool LastPoint);
  void PrepareLinePen(TColor Colour);
  TColor AreaColorOf(TColor Colour) const;
  int32_t EdgeValue(int32_t Index, int32_t EdgePixel) const;
  void DrawPointerOf(int32_t Index, TColor Colour);
  bool IsVertical() const { return GetYMandatory(); }
  TChartAxis* ValueAxis() const { return MandatoryAxis(); }
  // The extremes on the value axis, with stacking.
  double StackedExtreme(bool Largest, double Inherited);
  bool HitsSegment(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t X, int32_t Y);
  void PaintPointerSymbol(int32_t Item, const TRect& Rect, TColor Colour);
  TCanvas3D& ChartCanvas() const;
  TCustomAxisPanel* Panel() const { return dynamic_cast<TCustomAxisPanel*>(FParentChart); }
  bool Chart3D() const { return FParentChart && FParentChart->GetView3D(); }

  // Drawing state of one pass.
  int32_t FOrigin = 0, FPrevOrigin = 0, FPrevX = 0, FPrevY = 0;
  TColor FPrevColor = clNone;
  double FSlope = 1.0;
  bool FPointerHidden = false;  // the shadow pass hides the pointer
  TColor FPassColor = clDefault;  // the colour of a shadow or outline pass
  TColor SeriesColorNow() const { return FPassColor != clDefault ? FPassColor : GetSeriesColor(); }

  bool FClickableLine = true;
  TColor FAreaColor = clDefault;
  bool FColorEachLine = true;
  bool FDark3D = true;
  bool FDrawArea = false;
  bool FDrawLine = false;
  bool FInvertedStairs = false;
  int32_t FLineHeight = 0;
  TCustomSeriesStack FStacked = cssNone;
  bool FStairs = false;
  TPlotTransparency FTransparency = 0;

private:
  std::unique_ptr<TChartBrush> FAreaBrush;
  std::unique_ptr<TChartPen> FAreaLinesPen;
  std::unique_ptr<TChartHiddenPen> FOutLine;
  std::unique_ptr<TSeriesPointer> FPointer;
  std::unique_ptr<TPlotShadow> FShadow;
  std::unique_ptr<TPlotGradient> FGradient;
};

class TLineSeries : public TCustomSeries {
  KV_CLASS(TLineSeries, TCustomSeries)
public:
  explicit TLineSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
};

class THorizLineSeries : public TLineSeries {
  KV_CLASS(THorizLineSeries, TLineSeries)
public:
  explicit THorizLineSeries(TComponent* Owner);
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t MarksOffset() const override;
};

class TPointSeries : public TCustomSeries {
  KV_CLASS(TPointSeries, TCustomSeries)
public:
  explicit TPointSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TSeriesPointerEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void SetColorEachPoint(bool Value) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  TPlotTransparency GetTransparency() const override { return Pointer()->GetTransparency(); }
  void SetTransparency(TPlotTransparency Value) override { Pointer()->SetTransparency(Value); }
  static bool HasPointerStyleVariants() { return true; }
  void PrepareForGallery(bool Enabled) override;

private:
  void SetPointLook();
};

class TAreaSeries : public TCustomSeries {
  KV_CLASS(TAreaSeries, TCustomSeries)
public:
  explicit TAreaSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TAreaSeriesEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  bool DrawSeriesForward() const override;
  int32_t OriginPixel(int32_t ValueIndex) const override;
  void PrepareForGallery(bool Enabled) override;

  TMultiArea GetMultiArea() const;
  void SetMultiArea(TMultiArea Value);
  bool GetUseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool Value) { SetBooleanField(FUseYOrigin, Value); }
  double GetYOrigin() const { return FYOrigin; }
  void SetYOrigin(double Value) { SetDoubleProperty(FYOrigin, Value); }

private:
  double WithOrigin(bool Largest, double Value) const;
  bool FUseYOrigin = false;
  double FYOrigin = 0;
};

class THorizAreaSeries : public TAreaSeries {
  KV_CLASS(THorizAreaSeries, TAreaSeries)
public:
  explicit THorizAreaSeries(TComponent* Owner);
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t NumSampleValues() const override { return 10; }
};

// A line in one plain pen from point to point, visited in one pass.
class TFastLineSeries : public TCustomLineSeries {
  KV_CLASS(TFastLineSeries, TCustomLineSeries)
public:
  explicit TFastLineSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TFastLineSeriesEditor"; }
  void SetPen(const TChartPen* Value) override;
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoints() override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void DrawPoint(int32_t Index) override;
  void AddedValue(TChartSeries* Sender, int32_t Index) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void SetSeriesColor(TColor Value) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void PrepareCanvas();
  TPoint PointPosition(int32_t Index) const;

  bool GetAutoRepaint() const { return FAutoRepaint; }
  void SetAutoRepaint(bool Value) { FAutoRepaint = Value; }
  bool GetDrawAllPoints() const { return FDrawAllPoints; }
  void SetDrawAllPoints(bool Value) { SetBooleanField(FDrawAllPoints, Value); }
  bool GetIgnoreNulls() const { return FIgnoreNulls; }
  void SetIgnoreNulls(bool Value) { SetBooleanField(FIgnoreNulls, Value); }
  bool GetInvertedStairs() const { return FInvertedStairs; }
  void SetInvertedStairs(bool Value) { SetBooleanField(FInvertedStairs, Value); }
  bool GetStairs() const { return FStairs; }
  void SetStairs(bool Value) { SetBooleanField(FStairs, Value); }

private:
  void MoveToStart(TPoint P);
  bool FAutoRepaint = true;
  bool FDrawAllPoints = true;
  bool FFastFlag = false;
  bool FIgnoreNulls = true;
  bool FInvertedStairs = false;
  bool FStairs = false;
  TPoint FPrev{0, 0}, FFirst{0, 0};
};

namespace Series {

// The style text of a series: "~"-joined colours, pens, brushes, marks,
// callout, type name and, for line and point series, the line pen and the
// pointer. Empty for no series.
std::string SeriesToText(TChartSeries* Series);
// Applies a style text. False when there is no series, the text is empty or
// the text does not fit the series (too few fields, another type, an error
// series); then nothing changed. A text with a malformed field raises and
// leaves the series as it was.
bool SeriesFromText(TChartSeries* Series, const std::string& Text);
// The type name under which a series' class is registered, else its class name.
std::string SeriesTypeName(const TChartSeries* Series);

// Registers the standard series types in the gallery (each type once).
void RegisterStandardSeries();
// Installs the style text reader and writer in the chart engine and
// registers the standard series types.
void Initialization();

}  // namespace Series
