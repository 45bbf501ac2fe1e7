#pragma once
// Series with a third value per point: a Z list and a depth position, and
// colouring of points by value through a colour range or a stepped palette.
#include <cstdint>
#include <functional>
#include <vector>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"

class TCustom3DSeries : public TChartSeries {
  KV_CLASS(TCustom3DSeries, TChartSeries)
public:
  explicit TCustom3DSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void ResolveDepthOrder() override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  TChartValueList* ValueListForAxis(const TChartAxis* Axis) const override;
  bool AssociatedToAxis(const TChartAxis* Axis) const override;
  double LargestZ() override { return FZ->MaxValue(); }
  double SmallestZ() override { return FZ->MinValue(); }
  bool AcceptsDataSource(TComponent* Component) const override;
  // The marks of a point take the depth of its Z value.
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;

  int32_t AddPointXYZ(double X, double Y, double Z);
  virtual int32_t AddXYZ(double X, double Y, double Z, const std::string& Label, TColor Colour);
  int32_t ZPixelOf(int32_t Index) const;
  TChartValueList* ZValues() const { return FZ; }
  void SetZValues(const TChartValueList* Value) { FZ->Assign(Value); }
  double GetZValue(int32_t Index) const { return FZ->GetValue(Index); }
  int32_t GetTimesZOrder() const { return FTimesZOrder; }
  void SetTimesZOrder(int32_t Value) { SetIntegerProperty(FTimesZOrder, Value); }

private:
  int32_t FTimesZOrder = 3;
  TChartValueList* FZ;  // owned by the series' value lists
};

enum class TPlotPaletteStyle : uint8_t { psPale, psStrong, psGrayScale, psInvGray, psRainbow };

struct TPlotPaletteEntry {
  double UpToValue = 0;
  TColor Color = clBlack;
};

using TOnGetPointColor = std::function<void(TChartSeries* Sender, int32_t ValueIndex, TColor& Color)>;

class TCustom3DPaletteSeries : public TCustom3DSeries {
  KV_CLASS(TCustom3DPaletteSeries, TCustom3DSeries)
public:
  explicit TCustom3DPaletteSeries(TComponent* Owner);
  ~TCustom3DPaletteSeries() override;
  void Assign(const TPersistent* Source) override;
  void PrepareDraw() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  TColor ValueColor(int32_t Index) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void Clear() override;
  int32_t LegendEntryCount() const override;
  TColor LegendEntryColor(int32_t Item) const override;
  std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const override;
  void PrepareForGallery(bool Enabled) override;
  // The gallery's 3-D view of a palette series.
  virtual void PrepareGallery3D(bool Is3D);

  TColor ColorOfValue(double Value) const;
  void BuildPalette(int32_t Steps);
  const std::vector<TPlotPaletteEntry>& Palette() const { return FPalette; }
  void ClearPalette() { FPalette.clear(); }
  void AddPaletteEntry(double UpTo, TColor Color);

  TColor GetStartColor() const { return FStartColor; }
  void SetStartColor(TColor Value) { SetRangeColor(FStartColor, Value); }
  TColor GetMidColor() const { return FMidColor; }
  void SetMidColor(TColor Value) { SetRangeColor(FMidColor, Value); }
  TColor GetEndColor() const { return FEndColor; }
  void SetEndColor(TColor Value) { SetRangeColor(FEndColor, Value); }
  int32_t GetLegendEvery() const { return FLegendEvery; }
  void SetLegendEvery(int32_t Value) { SetIntegerProperty(FLegendEvery, Value); }
  double GetPaletteMin() const { return FPaletteMin; }
  void SetPaletteMin(double Value);
  double GetPaletteStep() const { return FPaletteStep; }
  void SetPaletteStep(double Value);
  int32_t GetPaletteSteps() const { return FPaletteSteps; }
  void SetPaletteSteps(int32_t Value);
  TPlotPaletteStyle GetPaletteStyle() const { return FPaletteStyle; }
  void SetPaletteStyle(TPlotPaletteStyle Value);
  bool GetUseColorRange() const { return FUseColorRange; }
  void SetUseColorRange(bool Value);
  bool GetUsePalette() const { return FUsePalette; }
  void SetUsePalette(bool Value);
  bool GetUsePaletteMin() const { return FUsePaletteMin; }
  void SetUsePaletteMin(bool Value);

  TOnGetPointColor OnGetColor;

private:
  void SetRangeColor(TColor& Field, TColor Value);
  void CalcColorRange();
  TColor RangeColor(double Fraction) const;
  bool ShowsPaletteLegend() const { return Count() > 0 && (FUseColorRange || FUsePalette); }
  int32_t LegendPaletteIndex(int32_t Item) const;

  TColor FEndColor = clWhite;
  TColor FMidColor = clNone;
  std::vector<TPlotPaletteEntry> FPalette;
  int32_t FLegendEvery = 1;
  double FPaletteMin = 0;
  double FPaletteStep = 0;
  int32_t FPaletteSteps = 32;
  TPlotPaletteStyle FPaletteStyle = TPlotPaletteStyle::psPale;
  TColor FStartColor = 0x800000;
  bool FUseColorRange = true;
  bool FUsePalette = false;
  bool FUsePaletteMin = false;
  // Channel cache of the range colours: end, middle, and the differences.
  int32_t FEnd[3]{}, FMid[3]{}, FDiffLow[3]{}, FDiffHigh[3]{};
  double FInvRange = 0;
};

namespace PlotSurfa {

// Whether a grid series draws back to front: the depth axis' Inverted,
// flipped when the chart is seen from its back side.
bool DrawBackToFront(TChartSeries* Series);

}  // namespace PlotSurfa
