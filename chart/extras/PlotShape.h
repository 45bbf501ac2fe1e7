#pragma once
// The shape series: one figure (rectangle, ellipse, lines, triangles,
// diamond, cube, crosses, star, pyramids) spanning two corner points, with
// optional lines of text inside it.
#include <cstdint>
#include <memory>
#include <string>

#include "chart/engine/PlotEngine_Series.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/StdCtrls.h"

enum class TChartShapeStyle : uint8_t {
  chasRectangle, chasCircle, chasVertLine, chasHorizLine, chasTriangle, chasInvertTriangle, chasLine,
  chasDiamond, chasCube, chasCross, chasDiagCross, chasStar, chasPyramid, chasInvertPyramid
};
using enum TChartShapeStyle;
// xysPixels: both corners are pixels; xysAxis: both are axis values;
// xysAxisOrigin: the first corner in axis values, the second a pixel size.
enum class TChartShapeXYStyle : uint8_t { xysPixels, xysAxis, xysAxisOrigin };
using enum TChartShapeXYStyle;
enum class TPlotVertAlign : uint8_t { vaTop, vaCenter, vaBottom };
using enum TPlotVertAlign;

class TChartShape : public TChartSeries {
  KV_CLASS(TChartShape, TChartSeries)
public:
  explicit TChartShape(TComponent* Owner);
  ~TChartShape() override;
  void Init() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TChartShapeEditor"; }
  void ResolveDepthOrder() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void DrawPoint(int32_t Index) override;
  bool MoreSameZOrder() const override { return false; }
  void SetSeriesColor(TColor Value) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  bool UseAxis() const override { return FXYStyle != xysPixels; }
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  bool AcceptsDataSource(TComponent* Component) const override;

  // The figure's rectangle as given by the corners (not normalised).
  virtual TRect GetShapeRect() const;
  // Copies the lines and repaints.
  virtual void SetText(const TStrings* Value);

  // ---- settings ----
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPlotFont* Font() const { return FFont.get(); }
  void SetFont(const TPlotFont* Value) { FFont->Assign(Value); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  bool GetRoundRectangle() const { return FRoundRectangle; }
  void SetRoundRectangle(bool Value) { SetBooleanField(FRoundRectangle, Value); }
  TChartShapeStyle GetShapeStyle() const { return FStyle; }
  void SetShapeStyle(TChartShapeStyle Value);
  TStringList* Text() const { return FText.get(); }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value) { SetBooleanField(FTransparent, Value); }
  TPlotVertAlign GetVertAlign() const { return FVertAlign; }
  void SetVertAlign(TPlotVertAlign Value);
  TChartShapeXYStyle GetXYStyle() const { return FXYStyle; }
  void SetXYStyle(TChartShapeXYStyle Value);
  // The corners: X and Y values of points 0 and 1 (0 for a missing point).
  double GetX0() const { return Corner(0, true); }
  void SetX0(double Value) { SetCorner(0, true, Value); }
  double GetY0() const { return Corner(0, false); }
  void SetY0(double Value) { SetCorner(0, false, Value); }
  double GetX1() const { return Corner(1, true); }
  void SetX1(double Value) { SetCorner(1, true, Value); }
  double GetY1() const { return Corner(1, false); }
  void SetY1(double Value) { SetCorner(1, false, Value); }

  // Draws the figure in Rect (flat or at the series' depths) and then, for
  // the chart, the text; used by the drawing and by the legend.
  void DrawShape(bool Is3D, const TRect& Rect, const TRect& LineRect);
  void DrawText(const TRect& Rect);

private:
  double Corner(int32_t Index, bool X) const;
  void SetCorner(int32_t Index, bool X, double Value);
  TCanvas3D& ChartCanvas() const;

  TAlignment FAlignment = TAlignment::taCenter;
  std::unique_ptr<TPlotFont> FFont;
  std::unique_ptr<TPlotGradient> FGradient;
  bool FRoundRectangle = false;
  TChartShapeStyle FStyle = chasCircle;
  std::unique_ptr<TStringList> FText;
  bool FTransparent = false;
  TPlotVertAlign FVertAlign = vaCenter;
  TChartShapeXYStyle FXYStyle = xysAxis;
};

namespace PlotShape {

// Registers "Shape" on the gallery page "Standard" with 2 sample series
// (once). The registration stays when the program ends.
void Initialization();

}  // namespace PlotShape
