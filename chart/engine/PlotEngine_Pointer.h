#pragma once
// The point symbol of point-like series (TSeriesPointer) and the pointer with
// an arrow that marks and annotations draw (TCallout).
#include <cstdint>
#include <memory>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/WeakRef.h"

class TChartSeries;

enum class TSeriesPointerStyle : uint8_t {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot,
  psNothing,
  psLeftTriangle,
  psRightTriangle
};
// Kept scoped: the names share the "ps" prefix of the pen styles.

class TSeriesPointer : public TPlotCustomShapeBrushPen {
  KV_CLASS(TSeriesPointer, TPlotCustomShapeBrushPen)
public:
  // With a series the pointer's panel is the series' chart.
  explicit TSeriesPointer(TChartSeries* Series = nullptr);
  ~TSeriesPointer() override;
  void Assign(const TPersistent* Source) override;

  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { Change(FDark3D, Value); }
  bool GetDraw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { Change(FDraw3D, Value); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  bool GetInflateMargins() const { return FInflateMargins; }
  void SetInflateMargins(bool Value) { Change(FInflateMargins, Value); }
  TChartSeries* ParentSeries() const;
  // A pointer of a series repaints the chart the series is on now.
  void Repaint() override;
  TSeriesPointerStyle GetStyle() const { return FStyle; }
  void SetStyle(TSeriesPointerStyle Value) { Change(FStyle, Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value) { Change(FTransparency, Value); }
  bool GetStyleEditable() const { return FStyleEditable; }
  void SetStyleEditable(bool Value) { FStyleEditable = Value; }
  bool GetKeepGradientEnd() const { return FKeepGradientEnd; }
  void SetKeepGradientEnd(bool Value) { FKeepGradientEnd = Value; }

  int32_t GetHorizSize() const { return FHorizSize; }
  int32_t GetVertSize() const { return FVertSize; }
  // Sizes of 0 or less raise ChartException and keep the old size.
  void SetHorizSize(int32_t Value);
  void SetVertSize(int32_t Value);
  // Unchecked and silent: series types size the symbol per point.
  void PutHorizSize(int32_t Value) { FHorizSize = Value; }
  void PutVertSize(int32_t Value) { FVertSize = Value; }

  TColor GetColor() const { return Brush()->GetColor(); }
  void SetColor(TColor Value) { Brush()->SetColor(Value); }

  // Room the symbol needs beside the series' extreme points.
  void CalcHorizMargins(int32_t& Left, int32_t& Right) const;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const;

  // Pen and brush of one symbol of a point with colour Color.
  void PrepareCanvas(TCanvas3D& Canvas, TColor Color) const;
  // One symbol centred on (X, Y) with half sizes H and V; pen and brush come
  // from PrepareCanvas.
  void DrawPointer(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V, TColor Color,
                   TSeriesPointerStyle Style);
  // On the parent chart's canvas, with the chart's 3-D switch and own sizes.
  void DrawOnChart(int32_t X, int32_t Y, TColor Color, TSeriesPointerStyle Style);
  void DrawAt(int32_t X, int32_t Y) { DrawOnChart(X, Y, GetColor(), FStyle); }
  void DrawAtPoint(TPoint P) { DrawAt(P.X, P.Y); }

protected:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field != Value) {
      Field = Value;
      Repaint();
    }
  }

private:
  struct TDepths {
    int32_t Start = 0, Middle = 0, End = 0;
  };
  TDepths SeriesDepths() const;
  bool OrthogonalView(const TCanvas3D& Canvas) const;
  void DrawSymbol(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V,
                  TSeriesPointerStyle Style, const TDepths& Z);
  void FillGradient(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V, TColor Color,
                    TSeriesPointerStyle Style, const TDepths& Z);

  bool FDark3D = true;
  bool FDraw3D = true;
  std::unique_ptr<TPlotGradient> FGradient;
  bool FInflateMargins = true;
  WeakRef<TChartSeries> FParentSeries;
  TSeriesPointerStyle FStyle = TSeriesPointerStyle::psRectangle;
  TPlotTransparency FTransparency = 0;
  bool FStyleEditable = true;
  bool FKeepGradientEnd = false;
  int32_t FVertSize = 4;
  int32_t FHorizSize = 4;
};

enum class TArrowHeadStyle : uint8_t { ahNone, ahLine, ahSolid };
using enum TArrowHeadStyle;

class TCallout : public TSeriesPointer {
  KV_CLASS(TCallout, TSeriesPointer)
public:
  explicit TCallout(TChartSeries* Series = nullptr);
  ~TCallout() override;
  void Assign(const TPersistent* Source) override;

  TWhitePen* Arrow() const { return FArrow.get(); }
  void SetArrow(const TChartPen* Value) { FArrow->Assign(Value); }
  TArrowHeadStyle GetArrowHead() const { return FArrowHead; }
  void SetArrowHead(TArrowHeadStyle Value) { Change(FArrowHead, Value); }
  int32_t GetDistance() const { return FDistance; }
  void SetDistance(int32_t Value) { Change(FDistance, Value); }
  int32_t GetArrowHeadSize() const { return FArrowHeadSize; }
  void SetArrowHeadSize(int32_t Value) { Change(FArrowHeadSize, Value); }

  // The line or arrow from Tail to Tip at depth Z and, without a head, the
  // symbol at Tip. Color is the point's colour; the arrow keeps its own pen.
  void Draw(TCanvas3D& Canvas, bool Is3D, TColor Color, TPoint Tip, TPoint Tail, int32_t Z);
  // The same on the parent chart's canvas.
  void Draw(TColor Color, TPoint Tip, TPoint Tail, int32_t Z);

private:
  std::unique_ptr<TWhitePen> FArrow;
  TArrowHeadStyle FArrowHead = ahNone;
  int32_t FDistance = 0;
  int32_t FArrowHeadSize = 8;
};
