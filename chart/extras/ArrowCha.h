#pragma once
// The arrow series: every point is an arrow from (X, Y) to (EndX, EndY).
#include <cstdint>
#include <string>

#include "chart/series/Series.h"

class TArrowSeries : public TPointSeries {
  KV_CLASS(TArrowSeries, TPointSeries)
public:
  explicit TArrowSeries(TComponent* Owner);
  void Init() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TArrowSeriesEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoint(int32_t Index) override;
  double LargestX() override;
  double LargestY() override;
  double SmallestX() override;
  double SmallestY() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  bool AcceptsDataSource(TComponent* Component) const override;

  int32_t AddArrow(double X0, double Y0, double X1, double Y1, const std::string& Label = {},
                   TColor Colour = clDefault);

  TChartValueList* StartXValues() const { return XValues(); }
  void SetStartXValues(const TChartValueList* Value) { SetXValues(Value); }
  TChartValueList* StartYValues() const { return YValues(); }
  void SetStartYValues(const TChartValueList* Value) { SetYValues(Value); }
  TChartValueList* EndXValues() const { return FEndXValues; }
  void SetEndXValues(const TChartValueList* Value);
  TChartValueList* EndYValues() const { return FEndYValues; }
  void SetEndYValues(const TChartValueList* Value);
  int32_t GetArrowPercent() const { return FArrowPercent; }
  void SetArrowPercent(int32_t Value) { SetIntegerProperty(FArrowPercent, Value); }
  // The head's width and length are the pointer's sizes.
  int32_t GetArrowWidth() const { return Pointer()->GetHorizSize(); }
  void SetArrowWidth(int32_t Value) { Pointer()->SetHorizSize(Value); }
  int32_t GetArrowHeight() const { return Pointer()->GetVertSize(); }
  void SetArrowHeight(int32_t Value) { Pointer()->SetVertSize(Value); }

  // The pixels of a point's start and end.
  TPoint StartPixel(int32_t Index) const { return TPoint(PointPixelX(Index), PointPixelY(Index)); }
  TPoint EndPixel(int32_t Index) const;

private:
  TChartValueList* FEndXValues = nullptr;  // one of the series' value lists
  TChartValueList* FEndYValues = nullptr;  // one of the series' value lists
  int32_t FArrowPercent = 50;
};

namespace ArrowCha {

// Registers "Arrow" on the gallery page "Extended" with 2 sample series
// (once). The registration stays when the program ends.
void Initialization();

}  // namespace ArrowCha
