#pragma once
// The Bezier series: its points joined by quadratic or cubic Bezier curves.
#include <cstdint>
#include <string>
#include <vector>

#include "chart/series/Series.h"

// bsWindows: the platform's cubic curves on a flat chart (a quadratic, then
// cubics, in 3-D); bsBezier3: quadratics; bsBezier4: cubics.
enum class TBezierStyle : uint8_t { bsWindows, bsBezier3, bsBezier4 };
// Kept scoped: the names share the "bs" prefix of the brush styles.

using TBezierMaxPoints = std::vector<TPoint>;

class TBezierSeries : public TCustomSeries {
  KV_CLASS(TBezierSeries, TCustomSeries)
public:
  explicit TBezierSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void DrawPoints() override;
  void SetSeriesColor(TColor Value) override;
  void PrepareForGallery(bool Enabled) override;

  TBezierStyle GetBezierStyle() const { return FBezierStyle; }
  void SetBezierStyle(TBezierStyle Value);
  int32_t GetNumBezierPoints() const { return FNumBezierPoints; }
  // Below 2 raises ChartException "Number of Bezier points should be > 1".
  void SetNumBezierPoints(int32_t Value);

private:
  // Joins Count curve points of the curve ending at Last (Degree 2 or 3).
  void DrawCurve(int32_t Last, int32_t Degree, bool Is3D);
  TBezierStyle FBezierStyle = TBezierStyle::bsWindows;
  int32_t FNumBezierPoints = 32;
  TBezierMaxPoints FPoints;  // the pixels of the points, built at each draw
};

namespace PlotBezie {

// Registers "Bezier" on the gallery page "Extended" with 1 sample series
// (once); Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotBezie
