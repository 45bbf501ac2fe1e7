#pragma once
// The 3-D grid series base: values Y over a rectangular grid of the X-Z
// plane, an index from grid column and row to point, generated values for a
// grid size, and the lookup of a grid cell's four corner points.
#include <cstdint>
#include <functional>
#include <vector>

#include "chart/series/PlotSurfa.h"

using TChartSurfaceGetY = std::function<double(TChartSeries* Sender, int32_t X, int32_t Z)>;

class TCustom3DGridSeries : public TCustom3DPaletteSeries {
  KV_CLASS(TCustom3DGridSeries, TCustom3DPaletteSeries)
public:
  // The largest grid index (columns + 1 times rows + 1) the regular fill
  // builds; wider spreads of X and Z are not indexed.
  static constexpr double MaxGridEntries = 10'000'000;
  // The most distinct X (and Z) values the irregular fill ranks.
  static constexpr int32_t MaxIrregularValues = 20000;

  explicit TCustom3DGridSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void PrepareDraw() override;
  void AddValues(TChartSeries* Source) override;
  void Clear() override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  bool AcceptsDataSource(TComponent* Component) const override;
  int32_t NumSampleValues() const override { return FNumXValues; }

  // Fills a new NumX x NumZ grid with CalcYValue, when values can be generated.
  virtual void CreateValues(int32_t NumX, int32_t NumZ);
  virtual double CalcYValue(int32_t X, int32_t Z);
  bool CanCreateValues() const;

  void InitGridIndex(int32_t NumX, int32_t NumZ);
  // Indexes the points StartIndex..Count-1 and takes the grid size found.
  void FillGridIndex(int32_t StartIndex);
  // Looks up Corner0..Corner3 of the cell whose first corner is (X, Z); false
  // as soon as one is missing (the later corners keep their old values).
  bool GetCellCorners(int32_t X, int32_t Z);
  // The point at grid column X and row Z, or -1 (also outside the grid).
  int32_t GridPoint(int32_t X, int32_t Z) const;

  bool GetIrregularGrid() const { return FIrregularGrid; }
  void SetIrregularGrid(bool Value);
  int32_t GetNumXValues() const { return FNumXValues; }
  void SetNumXValues(int32_t Value);
  int32_t GetNumZValues() const { return FNumZValues; }
  void SetNumZValues(int32_t Value);

  TChartSurfaceGetY OnGetYValue;
  int32_t XStep = 1, ZStep = 1;
  int32_t Corner0 = -1, Corner1 = -1, Corner2 = -1, Corner3 = -1;
  bool SampleMode = false;
  // GridIndex[x][z]: the point at column x (1..NumXValues) and row z
  // (1..NumZValues), or -1; row 0 and column 0 stay -1.
  std::vector<std::vector<int32_t>> GridIndex;

private:
  void FillRegular(int32_t StartIndex);
  void FillIrregular(int32_t StartIndex);

  bool FIrregularGrid = false;
  int32_t FNumXValues = 10;
  int32_t FNumZValues = 10;
};
