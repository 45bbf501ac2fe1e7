#pragma once
// The 3-D grid series base: values Y over a rectangular grid of the X-Z
// plane, an index from grid column and row to point, generated values for a
// grid size, and the lookup of a grid cell's four corner points.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
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

protected:
  // Takes a grid size without clearing or generating.
  void SetNumValuesFields(int32_t NumX, int32_t NumZ) {
    FNumXValues = NumX;
    FNumZValues = NumZ;
    InitGridIndex(NumX, NumZ);
  }

private:
  void FillRegular(int32_t StartIndex);
  void FillIrregular(int32_t StartIndex);

  bool FIrregularGrid = false;
  int32_t FNumXValues = 10;
  int32_t FNumZValues = 10;
};

class TBitmap;
class TGraphic;

// Coloured cells of the X-Z plane (X across, Z up the vertical axis): one
// stretched bitmap for a regular grid, cell by cell for an irregular one,
// with optional grid lines and frame.
class TColorGridSeries : public TCustom3DGridSeries {
  KV_CLASS(TColorGridSeries, TCustom3DGridSeries)
public:
  explicit TColorGridSeries(TComponent* Owner);
  void Init() override;
  ~TColorGridSeries() override;
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void PrepareForGallery(bool Enabled) override;
  void PrepareGallery3D(bool Is3D) override;
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  double LargestX() override;
  double SmallestX() override;
  double LargestY() override;
  double SmallestY() override;
  double LargestZ() override;
  double SmallestZ() override;
  TChartValueList* ValueListForAxis(const TChartAxis* Axis) const override;

  // Takes the grid from a picture: one centred point per pixel, its colour
  // both the value and the point's colour.
  void LoadFromGraphic(const TGraphic& Graphic);

  double CellStart(double V) const { return FCenteredPoints ? V - 0.5 : V; }
  double CellEnd(double V) const;
  // The cell bitmap of the last draw of a regular grid.
  const TBitmap& Bitmap() const { return *FBitmap; }

  bool GetCenteredPoints() const { return FCenteredPoints; }
  void SetCenteredPoints(bool Value) { SetBooleanField(FCenteredPoints, Value); }
  TChartHiddenPen* Frame() const { return FFrame.get(); }
  void SetFrame(const TChartHiddenPen* Value) { FFrame->Assign(Value); }
  bool GetSmoothBitmap() const { return FSmoothBitmap; }
  void SetSmoothBitmap(bool Value) { SetBooleanField(FSmoothBitmap, Value); }
  int32_t GetXGridEvery() const { return FXGridEvery; }
  void SetXGridEvery(int32_t Value) { SetIntegerProperty(FXGridEvery, Value); }
  int32_t GetZGridEvery() const { return FZGridEvery; }
  void SetZGridEvery(int32_t Value) { SetIntegerProperty(FZGridEvery, Value); }

private:
  // The visible range of grid positions (before the regular grid's bounds).
  void VisibleRange(int32_t& Left, int32_t& Right, int32_t& Top, int32_t& Bottom);
  TRect RegularRect(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom);
  TRect IrregularRect();
  void DrawIrregularCells();
  bool FillBitmap(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, bool FlipX, bool FlipY);
  void DrawBitmap(const TRect& Rect);
  void DrawGridLines(const TRect& Rect);
  // The value of a grid row or column, read from any point on it.
  bool RowZ(int32_t Row, double& Z) const;
  bool ColumnX(int32_t Column, double& X) const;

  std::unique_ptr<TBitmap> FBitmap;
  bool FCenteredPoints = false;
  std::unique_ptr<TChartHiddenPen> FFrame;
  bool FSmoothBitmap = false;
  int32_t FXGridEvery = 1;
  int32_t FZGridEvery = 1;
};

namespace PlotSurfa {

// Registers the grid series on the gallery's "3D" page, one sample each;
// Finalization removes them again.
void Initialization();
void Finalization();

}  // namespace PlotSurfa
