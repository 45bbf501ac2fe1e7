#pragma once
// The gauge series: a dial with one needle showing a single value between
// Minimum and Maximum over an arc of TotalAngle degrees. Its scale step, tick
// pens and lengths, label font and label switch are those of its vertical
// axis. Without FullRepaint a value change only redraws the needle, in an
// inverting pen on the chart's window, so that fast values do not repaint
// the whole chart.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/extras/PlotPolar.h"
#include "chart/series/Series.h"

enum class THandStyle : uint8_t { hsLine, hsTriangle };
using enum THandStyle;

class TGaugeSeries : public TCircledSeries {
  KV_CLASS(TGaugeSeries, TCircledSeries)
public:
  explicit TGaugeSeries(TComponent* Owner);
  ~TGaugeSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TGaugeSeriesEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void DrawPoints() override;
  void AddedValue(TChartSeries* Sender, int32_t Index) override;
  double LargestY() override { return FMaximum; }
  double SmallestY() override { return FMinimum; }
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void ChangeView3D(bool Value) override;
  void PrepareForGallery(bool Enabled) override;
  int32_t NumSampleValues() const override { return 1; }

  // The dial angle (degrees: 0 left of the centre, 90 above it, growing
  // clockwise on screen) of a value; 90 for an empty range.
  double ValueAngle(double Value) const;
  // The point at Angle for radii (RX, RY) around P.
  static TPoint DialPoint(TPoint P, double Angle, int32_t RX, int32_t RY);
  // The values of the major ticks and labels for a scale step of Increment
  // (its magnitude; 10 for 0), at most 10 000 of them. A full circle leaves
  // out the maximum, whose label would cover the minimum's.
  std::vector<double> ScaleValues(double Increment) const;
  // The needle from its start to its tip at the current value.
  void HandPoints(TPoint& Start, TPoint& Tip) const;
  // Draws the needle (inverting unless FullRepaint).
  void DrawHand();

  // ---- settings ----
  // The Y value of point 0; reading an empty series adds that point.
  double GetValue() const;
  void SetValue(double Value);
  double GetMaximum() const { return FMaximum; }
  void SetMaximum(double Value);
  double GetMinimum() const { return FMinimum; }
  void SetMinimum(double Value);
  double GetTotalAngle() const { return FTotalAngle; }
  void SetTotalAngle(double Value) { SetDoubleProperty(FTotalAngle, Value); }
  TStoredSeriesPointer* Center() const { return FCenter.get(); }
  void SetCenter(const TSeriesPointer* Value) { FCenter->Assign(Value); }
  TStoredSeriesPointer* EndPoint() const { return FEndPoint.get(); }
  void SetEndPoint(const TSeriesPointer* Value) { FEndPoint->Assign(Value); }
  int32_t GetHandDistance() const { return FHandDistance; }
  void SetHandDistance(int32_t Value) { SetIntegerProperty(FHandDistance, Value); }
  bool GetFullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { SetBooleanField(FFullRepaint, Value); }
  int32_t GetMinorTickDistance() const { return FMinorTickDistance; }
  void SetMinorTickDistance(int32_t Value) { SetIntegerProperty(FMinorTickDistance, Value); }
  THandStyle GetHandStyle() const { return FHandStyle; }
  void SetHandStyle(THandStyle Value);
  bool GetLabelsInside() const { return FLabelsInside; }
  void SetLabelsInside(bool Value) { SetBooleanField(FLabelsInside, Value); }
  TNotifyEvent OnChange;

  // The dial centre of the last draw.
  TPoint CentrePoint{0, 0};

private:
  // The scale step of the vertical axis: |Increment|, 10 for 0.
  double ScaleStep() const;
  static double StepOf(double Increment);
  void DrawMajorTicks();
  void DrawMinorTicks();
  void DrawDialArc();
  // The chart canvas when it is attached to the chart's window between paints.
  TCanvas3D* WindowDrawingCanvas() const;
  static int32_t PointerSize(const TSeriesPointer& P);

  double FTotalAngle = 90;
  std::unique_ptr<TStoredSeriesPointer> FCenter, FEndPoint;
  int32_t FHandDistance = 30;
  bool FFullRepaint = false;
  double FMaximum = 100, FMinimum = 0;
  int32_t FMinorTickDistance = 0;
  THandStyle FHandStyle = hsLine;
  bool FLabelsInside = true;
};

namespace PlotGauges {

// Registers "Gauge" on the gallery page "Extended" with 1 sample series
// (once); Finalization removes it.
void Initialization();
void Finalization();

}  // namespace PlotGauges
