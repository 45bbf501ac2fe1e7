#pragma once
// The line-point series (points with drop lines to both axes) and the
// bar-join series (bars whose tops are joined by a line).
#include <cstdint>
#include <memory>
#include <string>

#include "chart/series/Series.h"

class TMyPointSeries : public TPointSeries {
  KV_CLASS(TMyPointSeries, TPointSeries)
public:
  explicit TMyPointSeries(TComponent* Owner);
  ~TMyPointSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TLinePointEditor"; }
  void DrawPoint(int32_t Index) override;

  TChartPen* LinesPen() const { return FLinesPen.get(); }
  void SetLinesPen(const TChartPen* Value) { FLinesPen->Assign(Value); }

private:
  std::unique_ptr<TChartPen> FLinesPen;
};

class TBarJoinSeries : public TBarSeries {
  KV_CLASS(TBarJoinSeries, TBarSeries)
public:
  explicit TBarJoinSeries(TComponent* Owner);
  ~TBarJoinSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TBarJoinEditor"; }
  void PrepareDraw() override;
  void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) override;
  int32_t NumSampleValues() const override { return 3; }
  void PrepareForGallery(bool Enabled) override;

  TChartPen* JoinPen() const { return FJoinPen.get(); }
  void SetJoinPen(const TChartPen* Value) { FJoinPen->Assign(Value); }

private:
  std::unique_ptr<TChartPen> FJoinPen;
  bool FFirstBar = true;
  TRect FPreviousBar;
};

namespace MyPoint {

// Registers "Line Point" and "Bar Join" on the gallery page "Other" with 1
// sample series each (once); Finalization removes them again.
void Initialization();
void Finalization();

}  // namespace MyPoint
