#pragma once
// Free-standing 3-D points: a pointer symbol at each (X, Y, Z), optionally
// joined by a line in point order and with a base line down to the bottom
// of the vertical axis; and 3-D bubbles whose symbol size is a radius value.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/series/PlotSurfa.h"

class TPoint3DSeries;

using TSeriesClickPointer3DEvent =
    std::function<void(TPoint3DSeries* Sender, int32_t ValueIndex, int32_t X, int32_t Y)>;
using TOnGetPointer3DStyle = std::function<TSeriesPointerStyle(TChartSeries* Sender, int32_t ValueIndex)>;

class TPoint3DSeries : public TCustom3DSeries {
  KV_CLASS(TPoint3DSeries, TCustom3DSeries)
public:
  explicit TPoint3DSeries(TComponent* Owner);
  ~TPoint3DSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TPoint3DSeriesEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void DrawPoint(int32_t Index) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  double LargestZ() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;

  // Sets StartZ, MiddleZ and EndZ of the point's symbol.
  virtual void CalcZPositions(int32_t Index);
  // Half the symbol's depth in pixels.
  virtual int32_t HalfDepth(int32_t Index) const;
  virtual bool AllowPointerStyles() const { return true; }

  TChartHiddenPen* BaseLine() const { return FBaseLine.get(); }
  void SetBaseLine(const TChartPen* Value) { FBaseLine->Assign(Value); }
  double GetDepthSize() const { return FDepthSize; }
  void SetDepthSize(double Value) { SetDoubleProperty(FDepthSize, Value); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }
  void SetPointer(const TSeriesPointer* Value) { FPointer->Assign(Value); }
  // The line joining the points is the series' pen.
  TChartPen* LinePen() const { return Pen(); }
  void SetLinePen(const TChartPen* Value) { SetPen(Value); }

  TSeriesClickPointer3DEvent OnClickPointer;
  TOnGetPointer3DStyle OnGetPointerStyle;

protected:
  // The symbol's pixel position: start, middle and end depth of the symbol.
  int32_t DepthPixelOf(double Z) const;
  int32_t DepthSizePixels(double Size) const;

private:
  std::unique_ptr<TChartHiddenPen> FBaseLine;
  double FDepthSize = 0;
  std::unique_ptr<TSeriesPointer> FPointer;
  // Where the joining line goes on from, and whether that point was drawn.
  int32_t FOldX = 0, FOldY = 0, FOldZ = 0;
  TColor FOldColor = clNone;
};

class TBubble3DSeries : public TPoint3DSeries {
  KV_CLASS(TBubble3DSeries, TPoint3DSeries)
public:
  explicit TBubble3DSeries(TComponent* Owner);
  void Init() override;
  void DrawPoint(int32_t Index) override;
  double LargestY() override;
  double LargestZ() override;
  double SmallestY() override;
  double SmallestZ() override;
  void CalcZPositions(int32_t Index) override;
  int32_t HalfDepth(int32_t Index) const override;
  bool AllowPointerStyles() const override { return false; }
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  bool AcceptsDataSource(TComponent* Component) const override;
  void PrepareForGallery(bool Enabled) override;

  int32_t AddBubble(double X, double Y, double Z, double Radius, const std::string& Label = {},
                    TColor Colour = clDefault);
  TChartValueList* RadiusValues() const { return FRadiusValues; }
  void SetRadiusValues(const TChartValueList* Value) { FRadiusValues->Assign(Value); }

private:
  TChartValueList* FRadiusValues = nullptr;  // one of the series' value lists
};

namespace PlotPoin3 {

// Registers "Point 3D" and "Bubble 3D" on the gallery page "3D", one sample
// series each; Finalization removes them again.
void Initialization();
void Finalization();

}  // namespace PlotPoin3
