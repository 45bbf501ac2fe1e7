#pragma once
// The Smith chart series: normalised impedances z = r + jx placed at their
// reflection coefficient (z - 1) / (z + 1) inside a circle, over constant
// resistance circles and constant reactance arcs. The grid pens, label
// switches and label fonts are those of the series' two axes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/series/Series.h"

using TSmithGetPointerStyle = std::function<TSeriesPointerStyle(TChartSeries* Sender, int32_t ValueIndex)>;

class TSmithSeries : public TCircledSeries {
  KV_CLASS(TSmithSeries, TCircledSeries)
public:
  explicit TSmithSeries(TComponent* Owner);
  ~TSmithSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TSmithSeriesEdit"; }
  void SetParentChart(TSeriesChart* Value) override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  void DrawPoint(int32_t Index) override;
  int32_t PointPixelX(int32_t Index) const override;
  int32_t PointPixelY(int32_t Index) const override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  // Points keep their insertion order and their resistances.
  void SortByMandatory() override { Repaint(); }

  int32_t AddPoint(double Resistance, double Reactance, const std::string& Label = {}, TColor Colour = clDefault);
  // The pixel of an impedance on the circle of the last draw; false (P
  // untouched) for z = -1, whose reflection is infinite, or a pixel that is
  // not finite.
  bool ImpedanceToPixel(double Resistance, double Reactance, TPoint& P) const;
  // Whether this series draws the circle and grid: the first active series
  // of its class (or a descendant) in the chart.
  bool DrawsFrame() const;

  // ---- settings ----
  TChartValueList* ResistanceValues() const { return XValues(); }
  void SetResistanceValues(const TChartValueList* Value) { SetXValues(Value); }
  TChartValueList* ReactanceValues() const { return YValues(); }
  void SetReactanceValues(const TChartValueList* Value) { SetYValues(Value); }
  TChartPen* CirclePen() const { return FCirclePen.get(); }
  void SetCirclePen(const TChartPen* Value) { FCirclePen->Assign(Value); }
  const std::string& GetImagSymbol() const { return FImagSymbol; }
  void SetImagSymbol(const std::string& Value) { SetStringProperty(FImagSymbol, Value); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }
  void SetPointer(const TSeriesPointer* Value) { FPointer->Assign(Value); }
  // Reactance arcs: the vertical axis' grid pen, labels and label font;
  // resistance circles: the horizontal axis' ones.
  TChartPen* CCirclePen() const;
  void SetCCirclePen(const TChartPen* Value);
  TChartPen* RCirclePen() const;
  void SetRCirclePen(const TChartPen* Value);
  bool GetCLabels() const;
  void SetCLabels(bool Value);
  bool GetRLabels() const;
  void SetRLabels(bool Value);
  TPlotFont* CLabelsFont() const;
  void SetCLabelsFont(const TPlotFont* Value);
  TPlotFont* RLabelsFont() const;
  void SetRLabelsFont(const TPlotFont* Value);
  TSmithGetPointerStyle OnGetPointerStyle;

private:
  void DrawFrame();
  void DrawReactanceArcs();
  void DrawResistanceCircles();
  void DrawReactanceLabel(double Reactance, TPoint P);
  TPlotFont* MarksFont() const;
  void UseLinePen(TColor Colour);

  std::unique_ptr<TChartPen> FCirclePen;
  std::string FImagSymbol = "i";
  std::unique_ptr<TSeriesPointer> FPointer;
  TPoint FPrevious{0, 0};
  bool FHasPrevious = false;
};

namespace PlotSmith {

// Registers "Smith" on the gallery page "Extended" (once); Finalization removes it.
void Initialization();
void Finalization();

}  // namespace PlotSmith
