#pragma once
// The standard chart series: the line family (line, point and area series,
// their horizontal forms and the fast-line series), bar series, the circled
// base and pie series; the one-line style text of a series; and the
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

// ============================================================================
// Bar series
// ============================================================================

enum class TMultiBar : uint8_t { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };
using enum TMultiBar;
enum class TBarStyle : uint8_t {
  bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow, bsRectGradient,
  bsCone, bsBevel, bsSlantCube, bsDiamond, bsInvArrow, bsInvCone
};
using enum TBarStyle;

class TCustomBarSeries;
using TGetBarStyleEvent = std::function<void(TCustomBarSeries* Sender, int32_t ValueIndex, TBarStyle& TheBarStyle)>;

// The gradient of bsRectGradient bars; with Relative the end colour of a bar
// goes from the start colour towards the bar colour with its value.
class TBarSeriesGradient : public TPlotGradient {
  KV_CLASS(TBarSeriesGradient, TPlotGradient)
public:
  explicit TBarSeriesGradient(TPlotChangeEvent ChangeHandler = {});
  void Assign(const TPersistent* Source) override;
  bool GetRelative() const { return FRelative; }
  void SetRelative(bool Value) { Change(FRelative, Value); }

private:
  bool FRelative = false;
};

// Where the bars of one or several bar series of a kind go, and how one bar
// is painted.
class TCustomBarSeries : public TChartSeries {
  KV_CLASS(TCustomBarSeries, TChartSeries)
public:
  explicit TCustomBarSeries(TComponent* Owner);
  ~TCustomBarSeries() override;
  void Init() override;
  void Assign(const TPersistent* Source) override;
  void SetParentChart(TSeriesChart* Value) override;
  void PrepareDraw() override;
  void FindVisibleRange() override;
  void ResolveDepthOrder() override;
  void CalcDepthPositions() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t NumSampleValues() const override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  void DrawPoint(int32_t Index) override;

  virtual int32_t MarkExtent(int32_t /*ValueIndex*/) { return 0; }
  virtual bool BarClicked(int32_t /*ValueIndex*/, TPoint /*P*/) { return false; }
  virtual bool CanStack() const { return true; }
  // The value at which the point's bar begins; with SumAll the stack's total.
  virtual double PointOrigin(int32_t ValueIndex, bool SumAll) const;
  // Draws the bar of the point whose BarBounds and BarColor are set; StartPos
  // and EndPos are its two pixel ends along the value axis, StartPos the smaller.
  virtual void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) = 0;
  virtual void DrawTickLine(int32_t /*Pos*/, TBarStyle /*Style*/) {}

  // ---- layout ----
  void CalcBarWidth();
  int32_t GroupMargin() const;
  void AddBarMargins(int32_t& Low, int32_t& High);
  int32_t OriginPixel(int32_t ValueIndex, int32_t DefaultPixel) const;
  TBarStyle BarStyleOf(int32_t ValueIndex);
  // The pixel of a stacked value (its origin plus Value) on the value axis.
  int32_t StackedValuePixel(int32_t ValueIndex, double Value, bool& Valid) const;
  void SyncMultiBar(bool Apply);
  int32_t MarksSpace(int32_t ValueIndex);
  double MaxStackedValue(double Value);
  double MinStackedValue(double Value);
  // The series' position in its chart's series list (its self-stack column).
  int32_t SeriesIndex() const;
  virtual void CalcBarBounds(int32_t ValueIndex) = 0;
  // Side-by-side bars touch: 100 % width, no fixed width, not self-stacked.
  bool BarsTouch() const;

  // ---- painting ----
  void UseBarBrush(TColor Colour);
  void FillBarGradient(int32_t ValueIndex, TRect R);
  void SetGradientEndColor(int32_t ValueIndex);
  void DrawBevel();
  void DrawTickLines(int32_t StartPos, int32_t EndPos, TBarStyle Style);
  void BarRectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
  TRect BlendRect() const;

  // ---- settings ----
  TChartBrush* BarBrush() const { return Brush(); }
  TChartPen* BarPen() const { return Pen(); }
  bool GetAutoBarSize() const { return FAutoBarSize; }
  void SetAutoBarSize(bool Value) { SetBooleanField(FAutoBarSize, Value); }
  bool GetAutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool Value) { SetBooleanField(FAutoMarkPosition, Value); }
  TBarStyle GetBarStyle() const { return FBarStyle; }
  void SetBarStyle(TBarStyle Value);
  int32_t GetBarWidthPercent() const { return FBarWidthPercent; }
  void SetBarWidthPercent(int32_t Value) { SetIntegerProperty(FBarWidthPercent, Value); }
  int32_t GetBevelSize() const { return FBevelSize; }
  void SetBevelSize(int32_t Value) { SetIntegerProperty(FBevelSize, Value); }
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetBooleanField(FDark3D, Value); }
  int32_t GetDepthPercent() const { return FDepthPercent; }
  void SetDepthPercent(int32_t Value) { SetIntegerProperty(FDepthPercent, Value); }
  TBarSeriesGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TBarSeriesGradient* Value) { FGradient->Assign(Value); }
  TMultiBar GetMultiBar() const { return FMultiBar; }
  void SetMultiBar(TMultiBar Value);
  int32_t GetOffsetPercent() const { return FOffsetPercent; }
  void SetOffsetPercent(int32_t Value) { SetIntegerProperty(FOffsetPercent, Value); }
  bool GetSideMargins() const { return FSideMargins; }
  void SetSideMargins(bool Value);
  int32_t GetStackGroup() const { return FStackGroup; }
  void SetStackGroup(int32_t Value) { SetIntegerProperty(FStackGroup, Value); }
  TChartHiddenPen* TickLines() const { return FTickLines.get(); }
  void SetTickLines(const TChartPen* Value) { FTickLines->Assign(Value); }
  bool GetUseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool Value) { SetBooleanField(FUseYOrigin, Value); }
  double GetYOrigin() const { return FYOrigin; }
  void SetYOrigin(double Value) { SetDoubleProperty(FYOrigin, Value); }
  int32_t GetCustomBarWidth() const { return FCustomBarWidth; }
  void SetCustomBarWidth(int32_t Value) { SetIntegerProperty(FCustomBarWidth, Value); }
  TGetBarStyleEvent OnGetBarStyle;

  // ---- layout state of one draw ----
  int32_t ConeTopPercent = 0;
  uint8_t BarTransparency = 0;
  TRect BarBounds;
  int32_t GroupCount = 0, SlotCount = -1, GroupIndex = 1, PointsBefore = 0;
  int32_t BarWidth = 0;
  TColor BarColor = clDefault;

protected:
  TCanvas3D& ChartCanvas() const;
  bool Chart3D() const { return FParentChart && FParentChart->GetView3D(); }
  bool OrthogonalView() const;
  // The axis along which the bars stand side by side, and the value axis.
  virtual TChartAxis* CategoryAxis() const = 0;
  TChartAxis* ValueAxis() const { return MandatoryAxis(); }
  virtual bool Vertical() const = 0;
  // The category pixel of a point (left or top edge of its bar).
  int32_t CategoryPixel(int32_t ValueIndex) const;
  // The pixel of the bar's value end.
  int32_t ValuePixel(int32_t ValueIndex) const;
  // Paints one bar by its shape, then gradient, bevel and tick lines.
  void PaintBarShape(int32_t ValueIndex, int32_t StartPos, int32_t EndPos);
  bool StackedMode() const { return FMultiBar == mbStacked || FMultiBar == mbStacked100; }

  bool FAutoBarSize = false;
  bool FAutoMarkPosition = true;
  TBarStyle FBarStyle = bsRectangle;
  int32_t FBarWidthPercent = 70;
  int32_t FBevelSize = 1;
  bool FDark3D = true;
  int32_t FDepthPercent = 100;
  TMultiBar FMultiBar = mbSide;
  int32_t FOffsetPercent = 0;
  bool FSideMargins = true;
  int32_t FStackGroup = 0;
  bool FUseYOrigin = true;
  double FYOrigin = 0;
  int32_t FCustomBarWidth = 0;

private:
  std::unique_ptr<TBarSeriesGradient> FGradient;
  std::unique_ptr<TChartHiddenPen> FTickLines;
};

class TBarSeries : public TCustomBarSeries {
  KV_CLASS(TBarSeries, TCustomBarSeries)
public:
  explicit TBarSeries(TComponent* Owner);
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  bool MoreSameZOrder() const override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  int32_t PointPixelX(int32_t Index) const override { return CategoryPixel(Index); }
  int32_t PointPixelY(int32_t Index) const override { return ValuePixel(Index); }
  bool DrawSeriesForwardAt(int32_t ValueIndex) const override;
  int32_t MarkExtent(int32_t ValueIndex) override;
  bool BarClicked(int32_t ValueIndex, TPoint P) override;
  void DrawTickLine(int32_t Pos, TBarStyle Style) override;
  void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) override;
  void CalcBarBounds(int32_t ValueIndex) override;

protected:
  TChartAxis* CategoryAxis() const override { return GetHorizAxisRef(); }
  bool Vertical() const override { return true; }
};

class THorizBarSeries : public TCustomBarSeries {
  KV_CLASS(THorizBarSeries, TCustomBarSeries)
public:
  explicit THorizBarSeries(TComponent* Owner);
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  int32_t PointPixelX(int32_t Index) const override { return ValuePixel(Index); }
  int32_t PointPixelY(int32_t Index) const override { return CategoryPixel(Index); }
  bool DrawSeriesForwardAt(int32_t ValueIndex) const override;
  int32_t MarkExtent(int32_t ValueIndex) override;
  bool BarClicked(int32_t ValueIndex, TPoint P) override;
  void DrawTickLine(int32_t Pos, TBarStyle Style) override;
  void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) override;
  void CalcBarBounds(int32_t ValueIndex) override;

protected:
  TChartAxis* CategoryAxis() const override { return GetVertAxisRef(); }
  bool Vertical() const override { return false; }
};

// ============================================================================
// Circled series and pies
// ============================================================================

// The base of series drawn inside a circle or an ellipse instead of against
// axes: circle geometry, rotation, angles and pixels, the colour behind the
// circle, and the chart's 3-D view taken over while the series is there.
class TCircledSeries : public TChartSeries {
  KV_CLASS(TCircledSeries, TChartSeries)
public:
  explicit TCircledSeries(TComponent* Owner);
  ~TCircledSeries() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void SetActive(bool Value) override;
  void SetParentChart(TSeriesChart* Value) override;
  void RemovedFromChart() override;
  void BeforeDrawPoints() override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  bool AssociatedToAxis(const TChartAxis* /*Axis*/) const override { return true; }
  bool UseAxis() const override { return false; }
  virtual void FillCircleGradient();
  virtual void UseRectOfSameKind();
  virtual void ApplyPreferredView() {}
  void AdjustChartView(bool Restore);

  TPoint PointAtAngle(double Angle, int32_t RadiusX, int32_t RadiusY) const;
  double AngleAtPoint(int32_t X, int32_t Y) const;
  TColor EffectiveCircleColor() const;
  bool HasCircleBackColor() const { return FCircleBackColor != clDefault && FCircleBackColor != clNone; }
  void AdjustCircleRect();
  void CalcRadius();

  TColor GetCircleBackColor() const { return FCircleBackColor; }
  void SetCircleBackColor(TColor Value) { SetColorProperty(FCircleBackColor, Value); }
  bool GetCircled() const { return FCircled; }
  void SetCircled(bool Value);
  int32_t GetCustomXRadius() const { return FCustomXRadius; }
  void SetCustomXRadius(int32_t Value);
  int32_t GetCustomYRadius() const { return FCustomYRadius; }
  void SetCustomYRadius(int32_t Value);
  int32_t GetRotationAngle() const { return FRotationAngle; }
  void SetRotationAngle(int32_t Value);
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  bool HasSavedView() const { return FSavedView != nullptr; }

  // Geometry of the last draw.
  int32_t RadiusX = 0, RadiusY = 0;
  int32_t BoundsWidth = 0, BoundsHeight = 0;
  int32_t CentreX = 0, CentreY = 0;
  TRect CircleBounds;
  double RotationRadians = 0;

protected:
  TCanvas3D* ChartCanvas() const { return FParentChart ? FParentChart->GetCanvas() : nullptr; }
  TCustomAxisPanel* Panel() const { return dynamic_cast<TCustomAxisPanel*>(FParentChart); }
  void MakeCircular();
  void ShareRadius();
  bool Destroying() const { return ComponentState.Contains(TComponentStateItem::csDestroying); }

private:
  void RestoreChartView();
  TColor FCircleBackColor = clDefault;
  bool FCircled = false;
  int32_t FCustomXRadius = 0, FCustomYRadius = 0;
  int32_t FRotationAngle = 0;
  std::unique_ptr<TView3DOptions> FSavedView;
  std::unique_ptr<TPlotGradient> FGradient;
};

enum class TPieOtherStyle : uint8_t { poNone, poBelowPercent, poBelowValue };
using enum TPieOtherStyle;
enum class TMultiPie : uint8_t { mpAutomatic, mpDisabled };
using enum TMultiPie;

class TPieSeries;
class TChartLegend;

// One integer per point (explode or depth percentages).
class TSliceValueList {
public:
  explicit TSliceValueList(TPieSeries* Owner) : FOwner(Owner) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  int32_t ValueAt(int32_t Index) const;
  void StoreSliceValue(int32_t Index, int32_t Value);
  void Delete(int32_t Index);
  void Clear() { FItems.clear(); }
  void Exchange(int32_t A, int32_t B);
  void Grow(int32_t N);
  std::vector<int32_t>& Items() { return FItems; }
  const std::vector<int32_t>& Items() const { return FItems; }

private:
  TPieSeries* FOwner;
  std::vector<int32_t> FItems;
};

// The slice that gathers the small values of a pie.
class TPieOtherSlice : public TPersistent {
  KV_CLASS(TPieOtherSlice, TPersistent)
public:
  explicit TPieOtherSlice(TPieSeries* Owner = nullptr);
  ~TPieOtherSlice() override;
  void Assign(const TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Created on first read, hidden and restricted to the owning pie.
  TChartLegend* GetLegend();
  TChartLegend* PeekLegend() const { return FLegend.get(); }
  void SetLegend(const TChartLegend* Value);
  void MoveLegend();
  bool IsLegendStored() const { return FLegend != nullptr; }
  TPieOtherStyle GetStyle() const { return FStyle; }
  void SetStyle(TPieOtherStyle Value);
  std::string GetText() const;
  void SetText(const std::string& Value);
  bool IsTextStored() const { return !FText.empty(); }
  double GetValue() const { return FValue; }
  void SetValue(double Value);

private:
  TPieSeries* FOwner;
  TColor FColor = clDefault;
  std::unique_ptr<TChartLegend> FLegend;
  TPieOtherStyle FStyle = poNone;
  std::string FText;
  double FValue = 0;
};

class TPieShadow : public TPlotShadow {
  KV_CLASS(TPieShadow, TPlotShadow)
public:
  explicit TPieShadow(TPlotChangeEvent ChangeHandler = {});
};

struct TPieAngle {
  double StartAngle = 0, MidAngle = 0, EndAngle = 0;
};

class TPieSeries : public TCircledSeries {
  KV_CLASS(TPieSeries, TCircledSeries)
public:
  static constexpr double OtherSliceX = 2147483647.0;
  static constexpr double GroupedX = -1.0;

  explicit TPieSeries(TComponent* Owner);
  ~TPieSeries() override;
  void Init() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void SetParentChart(TSeriesChart* Value) override;
  void PrepareDraw() override;
  void FindVisibleRange() override;
  void ResolveDepthOrder() override;
  void ClearValueLists() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void AfterDrawPoints() override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void DrawPoint(int32_t Index) override;
  bool MoreSameZOrder() const override { return false; }
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void Clear() override;
  int32_t LegendEntryCount() const override;
  void Delete(int32_t Index) override;
  int32_t LegendToValueIndex(int32_t Item) const override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  int32_t PointPixelX(int32_t Index) const override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  void ChangeView3D(bool Value) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void ApplyPreferredView() override;
  void PrepareForGallery(bool Enabled) override;
  void SortByMandatory() override;
  int32_t NumSampleValues() const override { return 8; }
  void SwapValueIndex(int32_t A, int32_t B) override;
  void UseRectOfSameKind() override {}
  virtual void DrawSlice(int32_t ValueIndex);

  int32_t PieSliceAtPoint(int32_t X, int32_t Y, bool UseExplode);
  TPoint ExplodeOffset(int32_t ValueIndex) const;
  void ExplodeBiggestSlice();
  void CalcAngles();
  void RemoveOtherSlice();
  void SetGalleryView();
  // The stored "Data" is written without the other slice.
  void DefineProperties(TFiler& Filer) override;
  const std::vector<TPieAngle>& Angles() const { return FAngles; }
  bool IsGrouped(int32_t Index) const { return GetXValue(Index) == GroupedX; }
  int32_t SliceDepthZ(int32_t Index) const;

  // ---- settings ----
  TChartPen* PiePen() const { return Pen(); }
  TChartValueList* PieValues() const { return YValues(); }
  void SetPieValues(const TChartValueList* Value) { SetYValues(Value); }
  int32_t GetAngleSize() const { return FAngleSize; }
  void SetAngleSize(int32_t Value) { SetIntegerProperty(FAngleSize, Value); }
  bool GetAutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool Value) { SetBooleanField(FAutoMarkPosition, Value); }
  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetBooleanField(FDark3D, Value); }
  int32_t GetDarkPen() const { return FDarkPen; }
  void SetDarkPen(int32_t Value) { SetIntegerProperty(FDarkPen, Value); }
  int32_t GetDonutPercent() const { return FDonutPercent; }
  void SetDonutPercent(int32_t Value) { SetIntegerProperty(FDonutPercent, Value); }
  TSliceValueList& SliceExplode() { return FSliceExplode; }
  TSliceValueList& SliceDepth() { return FSliceDepth; }
  int32_t GetExplodeBiggest() const { return FExplodeBiggest; }
  void SetExplodeBiggest(int32_t Value);
  TMultiPie GetMultiPie() const { return FMultiPie; }
  void SetMultiPie(TMultiPie Value);
  TPieOtherSlice* OtherSlice() const { return FOtherSlice.get(); }
  void SetOtherSlice(const TPieOtherSlice* Value) { FOtherSlice->Assign(Value); }
  TPieShadow* Shadow() const { return FShadow.get(); }
  void SetShadow(const TPlotShadow* Value) { FShadow->Assign(Value); }
  bool GetUsePatterns() const { return FUsePatterns; }
  void SetUsePatterns(bool Value) { SetBooleanField(FUsePatterns, Value); }

  bool HasExploded = false;

private:
  void PrepareSliceBrush(int32_t Index, TColor& Colour);
  void DrawSortedSlices();
  bool OtherLegendShown() const;
  TColor SliceColor(int32_t Index) const;

  int32_t FAngleSize = 360;
  bool FAutoMarkPosition = true;
  bool FDark3D = true;
  int32_t FDarkPen = 0;
  int32_t FDonutPercent = 0;
  TSliceValueList FSliceExplode{this};
  int32_t FExplodeBiggest = 0;
  TMultiPie FMultiPie = mpAutomatic;
  std::unique_ptr<TPieOtherSlice> FOtherSlice;
  std::unique_ptr<TPieShadow> FShadow;
  TSliceValueList FSliceDepth{this};
  bool FUsePatterns = false;
  TRect FSavedChartRect;
  bool FRectSaved = false;
  std::vector<TPieAngle> FAngles;
  TPoint FPrevArcEnd{0, 0}, FArcEnd{0, 0};
  bool FPaintingOtherLegend = false;
};

namespace Series {

// The pixel of a point on a circle around (CentreX, CentreY) at Angle (radians,
// counter-clockwise, 0 pointing right) plus Rotation.
TPoint PointAtAngle(int32_t CentreX, int32_t CentreY, double Angle, double Rotation, int32_t RadiusX, int32_t RadiusY);

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

// Registers the nine standard series types in the gallery, in gallery order
// (each type once).
void RegisterStandardSeries();
// Installs the style text reader and writer in the chart engine and
// registers the standard series types.
void Initialization();

}  // namespace Series
