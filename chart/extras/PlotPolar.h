#pragma once
// Polar series: points given by an angle (degrees) and a radius, drawn on a
// circle with angle spokes, radius circles, circle labels and four half axes;
// the radar series (one spoke per point, the circles become polygons) and the
// polar bar series (a line from the centre to every point). The wind-rose and
// clock series build on the same base.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/series/Series.h"

class TCustomPolarSeries;

// A point symbol whose visibility, size and style are always written to
// stored forms. Series that start their symbols with another look than the
// symbol class' defaults use it, so that a look equal to those defaults is
// not lost when a chart is saved and read again.
class TStoredSeriesPointer : public TSeriesPointer {
  KV_CLASS(TStoredSeriesPointer, TSeriesPointer)
public:
  using TSeriesPointer::TSeriesPointer;
  // Writes "Brush.Color" and "Gradient.Visible" also when they hold a plain
  // pointer's defaults (no colour, no gradient) while the owner starts the
  // pointer with others: read back, they would otherwise take the owner's.
  void DefineProperties(TFiler& Filer) override;

  // The colour and gradient visibility the owner gives the pointer at construction.
  TColor OwnerColor = clDefault;
  bool OwnerGradientVisible = false;
};
using TPolarGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* Sender, int32_t ValueIndex)>;

class TCustomPolarSeries : public TCircledSeries {
  KV_CLASS(TCustomPolarSeries, TCircledSeries)
public:
  explicit TCustomPolarSeries(TComponent* Owner);
  ~TCustomPolarSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TPolarSeriesEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void AfterDrawPoints() override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void DrawPoint(int32_t Index) override;
  void SetSeriesColor(TColor Value) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  int32_t PointPixelX(int32_t Index) const override { return CalcPointXY(Index).X; }
  int32_t PointPixelY(int32_t Index) const override { return CalcPointXY(Index).Y; }
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  bool DrawValuesForward() const override { return true; }
  void FillCircleGradient() override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  // Sample points keep their angles: the points are ordered by angle.
  void SortByMandatory() override;

  // The text of the circle label at Angle (degrees); Index counts the labels.
  virtual std::string GetCircleLabel(double Angle, int32_t Index);
  // Draws the link from the previous point to (X, Y) of point ValueIndex.
  virtual void DrawToPoint(int32_t ValueIndex, int32_t X, int32_t Y);

  // The pixel of point Index on the circle of the last draw.
  TPoint CalcPointXY(int32_t Index) const;
  // Distance from the centre of a radius value, for a circle radius R.
  int32_t RadiusDistance(double Value, int32_t R) const;

  // ---- settings ----
  // The horizontal axis' increment (10 without a chart or when it is 0).
  double GetAngleIncrement() const;
  void SetAngleIncrement(double Value);
  // The vertical axis' increment (0 without a chart).
  double GetRadiusIncrement() const;
  void SetRadiusIncrement(double Value);
  TChartValueList* AngleValues() const { return XValues(); }
  void SetAngleValues(const TChartValueList* Value) { SetXValues(Value); }
  TChartValueList* RadiusValues() const { return YValues(); }
  void SetRadiusValues(const TChartValueList* Value) { SetYValues(Value); }
  bool IsRadiusValuesStored() const;
  bool GetCircleLabels() const { return FCircleLabels; }
  void SetCircleLabels(bool Value) { SetBooleanField(FCircleLabels, Value); }
  TPlotFont* CircleLabelsFont() const { return FCircleLabelsFont.get(); }
  void SetCircleLabelsFont(const TPlotFont* Value) { FCircleLabelsFont->Assign(Value); }
  bool GetCircleLabelsInside() const { return FCircleLabelsInside; }
  void SetCircleLabelsInside(bool Value) { SetBooleanField(FCircleLabelsInside, Value); }
  bool GetCircleLabelsRotated() const { return FCircleLabelsRotated; }
  void SetCircleLabelsRotated(bool Value) { SetBooleanField(FCircleLabelsRotated, Value); }
  TChartPen* CirclePen() const { return FCirclePen.get(); }
  void SetCirclePen(const TChartPen* Value) { FCirclePen->Assign(Value); }
  bool GetClockWiseLabels() const { return FClockWiseLabels; }
  void SetClockWiseLabels(bool Value) { SetBooleanField(FClockWiseLabels, Value); }
  bool GetCloseCircle() const { return FCloseCircle; }
  void SetCloseCircle(bool Value) { SetBooleanField(FCloseCircle, Value); }
  int32_t GetLabelsMargin() const { return FLabelsMargin; }
  void SetLabelsMargin(int32_t Value) { SetIntegerProperty(FLabelsMargin, Value); }
  TStoredSeriesPointer* Pointer() const { return FPointer.get(); }
  void SetPointer(const TSeriesPointer* Value) { FPointer->Assign(Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  // A percentage: values outside 0..100 are brought to the nearer end.
  void SetTransparency(TPlotTransparency Value) { SetIntegerProperty(FTransparency, std::clamp(Value, 0, 100)); }
  TPolarGetPointerStyle OnGetPointerStyle;

  // Spokes of a radar series (0: the circles are ellipses).
  int32_t RadarPointCount() const { return FRadarPointCount; }

  // Whether this series draws the circle, grid and labels of its kind: the
  // first active series of its class (or a descendant) in the chart.
  bool DrawsFrame() const;

protected:
  // The circle, its back, the back image, the gradient and (axes behind) the grid.
  void DrawFrame();
  void DrawAxesAndGrid();
  void DrawRadiusCircles();
  void DrawAngleLines();
  void DrawPolarAxes();
  void DrawCircleLabel(double Angle, int32_t Index);
  // The spoke polygon of a radar series for radii (RX, RY).
  std::vector<TPoint> RadarPolygon(int32_t RX, int32_t RY) const;
  // Draws an ellipse or the radar polygon of radii (RX, RY) at depth Z.
  void DrawCircleShape(int32_t RX, int32_t RY, int32_t Z);
  bool AxesBehind() const;
  bool IsLastOfKind() const;
  void UseLinePen(TColor Colour);
  void FillSegment(int32_t ValueIndex, TPoint P0, TPoint P1);
  TColor PointColour(int32_t Index) const;
  TSeriesPointerStyle PointerStyleOf(int32_t Index);
  TCanvas3D& Canvas() const { return *ChartCanvas(); }

  int32_t FRadarPointCount = 0;
  TPoint FPrevious{0, 0};

private:
  bool FCircleLabels = false;
  std::unique_ptr<TPlotFont> FCircleLabelsFont;
  bool FCircleLabelsInside = false;
  bool FCircleLabelsRotated = false;
  std::unique_ptr<TChartPen> FCirclePen;
  bool FClockWiseLabels = false;
  bool FCloseCircle = true;
  int32_t FLabelsMargin = 3;
  std::unique_ptr<TStoredSeriesPointer> FPointer;
  TPlotTransparency FTransparency = 0;
};

class TPolarSeries : public TCustomPolarSeries {
  KV_CLASS(TPolarSeries, TCustomPolarSeries)
public:
  using TCustomPolarSeries::TCustomPolarSeries;
};

class TPolarBarSeries : public TPolarSeries {
  KV_CLASS(TPolarBarSeries, TPolarSeries)
public:
  using TPolarSeries::TPolarSeries;
  void DrawToPoint(int32_t ValueIndex, int32_t X, int32_t Y) override;
};

class TRadarSeries : public TCustomPolarSeries {
  KV_CLASS(TRadarSeries, TCustomPolarSeries)
public:
  using TCustomPolarSeries::TCustomPolarSeries;
  void PrepareDraw() override;
  double GetXValue(int32_t Index) const override;
  std::string GetCircleLabel(double Angle, int32_t Index) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  int32_t NumSampleValues() const override { return 5; }
};

namespace PlotPolar {

// Follows the angle in the circle labels of polar series.
extern std::string DegreeSymbol;

// Registers "Polar", "Radar" and "Polar Bar" on the gallery page "Extended"
// (once, however often it runs); Finalization removes them and clears the
// degree symbol.
void Initialization();
void Finalization();

}  // namespace PlotPolar
