#pragma once
// The 3-D grid series base: values Y over a rectangular grid of the X-Z
// plane, an index from grid column and row to point, generated values for a
// grid size, and the lookup of a grid cell's four corner points.
#include <cstdint>
#include <deque>
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

// A grid of values drawn as a 3-D surface of four-sided cells, each filled
// with the colour of one of its corners (or of their mean value), as a wire
// frame or as dots, with optional sides down to the chart's floor; with
// WaterFall, a band per grid row from the surface line down to the axis end.
class TSurfaceSeries : public TCustom3DGridSeries {
  KV_CLASS(TSurfaceSeries, TCustom3DGridSeries)
public:
  explicit TSurfaceSeries(TComponent* Owner);
  ~TSurfaceSeries() override;
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void PrepareForGallery(bool Enabled) override;
  void DrawPoints() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  // Draws the cell whose first corner is (X, Z), in the walking direction
  // XStep, ZStep.
  virtual void DrawCell(int32_t X, int32_t Z);

  // The order cells are drawn in (back to front): the columns of the outer
  // loop and the rows of the inner one; sets XStep and ZStep.
  void CalcCellOrder(std::vector<int32_t>& Columns, std::vector<int32_t>& Rows);

  bool GetDotFrame() const { return FDotFrame; }
  void SetDotFrame(bool Value);
  // The platform offers no device-context brush colour, so this stays false.
  bool GetFastBrush() const { return FFastBrush; }
  void SetFastBrush(bool Value);
  TChartBrush* SideBrush() const { return FSideBrush.get(); }
  void SetSideBrush(const TChartBrush* Value) { FSideBrush->Assign(Value); }
  TChartHiddenPen* SideLines() const { return FSideLines.get(); }
  void SetSideLines(const TChartPen* Value) { FSideLines->Assign(Value); }
  bool GetSmoothPalette() const { return FSmoothPalette; }
  void SetSmoothPalette(bool Value) { SetBooleanField(FSmoothPalette, Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value) { SetIntegerProperty(FTransparency, Value); }
  bool GetWaterFall() const { return FWaterFall; }
  void SetWaterFall(bool Value) { SetBooleanField(FWaterFall, Value); }
  TChartPen* WaterLines() const { return FWaterLines.get(); }
  void SetWaterLines(const TChartPen* Value) { FWaterLines->Assign(Value); }
  bool GetWireFrame() const { return FWireFrame; }
  void SetWireFrame(bool Value);

protected:
  void AssignSurface(const TSurfaceSeries& Source);

private:
  bool SidesWanted() const;
  // Draws the sides that face the viewer (Facing) or those turned away.
  void DrawSides(bool Facing);
  void DrawSide(int32_t Fixed, bool AlongColumn);
  void PrepareCanvas();
  bool CellCornersOf(int32_t X, int32_t Z);
  void DrawTrue3D(TCanvas3D& Canvas, int32_t Style);
  // Pixel (x, y) and depth of a point.
  TPoint PointPixel(int32_t Index) const;
  void DrawWaterFallCell(TCanvas3D& Canvas, const TPoint (&P)[4], int32_t Z0);

  bool FDotFrame = false;
  bool FFastBrush = false;
  std::unique_ptr<TChartBrush> FSideBrush;
  std::unique_ptr<TChartHiddenPen> FSideLines;
  bool FSmoothPalette = false;
  TPlotTransparency FTransparency = 0;
  bool FWaterFall = false;
  std::unique_ptr<TChartPen> FWaterLines;
  bool FWireFrame = false;
  // Whether the cells of the current draw share the brush colour.
  bool FSingleColor = false;
};

// A surface series drawn as water-fall bands.
class TWaterFallSeries : public TSurfaceSeries {
  KV_CLASS(TWaterFallSeries, TSurfaceSeries)
public:
  explicit TWaterFallSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void PrepareGallery3D(bool Is3D) override;
};

class TContourSeries;

// One level of a contour series: its value, colour, optional own pen and the
// polylines traced at the last draw, in data units (x an X value, y a Z value).
class TContourLevel : public TCollectionItem {
  KV_CLASS(TContourLevel, TCollectionItem)
public:
  using TLevelSegment = std::deque<TPointFloat>;
  using TLevelSegments = std::vector<TLevelSegment>;

  explicit TContourLevel(TCollection* Collection);
  ~TContourLevel() override;
  void Init() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  TContourSeries* ParentSeries() const;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // Created on first read, in the level's colour; the series' pen draws the
  // level until then.
  TChartPen* GetPen() const;
  TChartPen* PeekPen() const { return FPen.get(); }
  // nullptr frees the level's own pen; anything else is copied into it.
  void SetPen(const TChartPen* Value);
  bool IsPenStored() const { return FPen != nullptr; }
  bool DefaultPen() const { return FPen == nullptr; }
  double GetUpToValue() const { return FUpToValue; }
  void SetUpToValue(double Value);
  void ClearSegments() { Segments.clear(); }

  TLevelSegments Segments;

private:
  // A level changed by hand: the series stops computing its levels.
  void ChangedByUser(bool Repaint);

  TColor FColor = clBlack;
  mutable std::unique_ptr<TChartPen> FPen;
  double FUpToValue = 0;
};

class TContourLevels : public TCollection {
  KV_CLASS(TContourLevels, TCollection)
public:
  explicit TContourLevels(TContourSeries* Owner);
  TContourLevel* GetItem(int32_t Index) const { return ItemAs<TContourLevel>(Index); }
  TContourSeries* Series() const { return FSeries; }

private:
  TContourSeries* FSeries;
};

// B-spline smoothing of a contour series' 2-D polylines.
class TSmoothPoints : public TPersistent {
  KV_CLASS(TSmoothPoints, TPersistent)
public:
  explicit TSmoothPoints(TContourSeries* Series = nullptr) : FSeries(Series) {}
  void Assign(const TPersistent* Source) override;
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  bool GetInterpolate() const { return FInterpolate; }
  void SetInterpolate(bool Value);
  int32_t Factor = 4;
  // Points 0..High replaced by (High + 1) * Factor pieces of a B-spline
  // through them (at most 600), rounded to pixels.
  void SmoothPoints(const std::vector<TPoint>& Points, int32_t High, std::vector<TPoint>& Result) const;

private:
  TContourSeries* FSeries;
  bool FActive = false;
  bool FInterpolate = false;
};

using TOnBeforeDrawLevelEvent = std::function<void(TContourSeries* Sender, int32_t LevelIndex)>;
using TOnGetLevelEvent =
    std::function<void(TContourSeries* Sender, int32_t LevelIndex, double& Value, TColor& Color)>;

// Iso-lines of the grid's Y values: in a 2-D chart in the X-Z plane (Z on the
// vertical axis), in a 3-D chart in a horizontal plane at YPosition (or at
// each level's value).
class TContourSeries : public TCustom3DGridSeries {
  KV_CLASS(TContourSeries, TCustom3DGridSeries)
public:
  // Segment ends closer than this (Manhattan, data units) join.
  static constexpr double JoinTolerance = 0.001;
  // Pixels around a contour line that still hit it.
  static constexpr int32_t HitTolerance = 3;

  explicit TContourSeries(TComponent* Owner);
  ~TContourSeries() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void PrepareDraw() override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void PrepareForGallery(bool Enabled) override;
  void DrawPoints() override;
  int32_t LegendEntryCount() const override;
  TColor LegendEntryColor(int32_t Item) const override;
  std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const override;
  double LargestY() override;
  double SmallestY() override;
  TChartValueList* ValueListForAxis(const TChartAxis* Axis) const override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;

  void BuildAutomaticLevels();
  void ClearLevels();
  // The axis that places a contour point's y (a Z value).
  TChartAxis* ContourAxis() const;
  // Traces every cell and joins the segments into each level's polylines.
  void DrawContourCells();
  // Joins the segment P1-P2 into the polylines of one level.
  static void AddSegment(TContourLevel::TLevelSegments& Lines, TPointFloat P1, TPointFloat P2);

  bool GetAutomaticLevels() const { return FAutomaticLevels; }
  void SetAutomaticLevels(bool Value);
  TContourLevels* Levels() const { return FLevels.get(); }
  void SetLevels(const TContourLevels* Value) { FLevels->Assign(Value); }
  bool IsLevelsStored() const { return !FAutomaticLevels; }
  int32_t GetNumLevels() const;
  // Below 0 counts as 0, above MaxLevels as MaxLevels.
  void SetNumLevels(int32_t Value);
  static constexpr int32_t MaxLevels = 10000;
  TSmoothPoints* Smoothing() const { return FSmoothing.get(); }
  void SetSmoothing(const TSmoothPoints* Value) { FSmoothing->Assign(Value); }
  double GetYPosition() const { return FYPosition; }
  void SetYPosition(double Value) { SetDoubleProperty(FYPosition, Value); }
  bool GetYPositionLevel() const { return FYPositionLevel; }
  void SetYPositionLevel(bool Value) { SetBooleanField(FYPositionLevel, Value); }

  TOnBeforeDrawLevelEvent OnBeforeDrawLevel;
  TOnGetLevelEvent OnGetLevel;
  bool BuildingLevels = false;

private:
  friend class TContourLevel;
  struct TLevelDraw {
    double Value;
    TColor Color;
    TChartPen* Pen;
  };
  void TraceCells(const std::vector<TLevelDraw>& Table);
  void DrawLevels(const std::vector<TLevelDraw>& Table);
  bool Is3D() const;

  bool FAutomaticLevels = true;
  std::unique_ptr<TContourLevels> FLevels;
  int32_t FNumLevels = 10;
  std::unique_ptr<TSmoothPoints> FSmoothing;
  double FYPosition = 0;
  bool FYPositionLevel = false;
};

// One 3-D line per point, from (X, Y, Z) to (EndX, EndY, EndZ), with optional
// arrow heads at either end.
class TVector3DSeries : public TCustom3DPaletteSeries {
  KV_CLASS(TVector3DSeries, TCustom3DPaletteSeries)
public:
  explicit TVector3DSeries(TComponent* Owner);
  ~TVector3DSeries() override;
  void Assign(const TPersistent* Source) override;
  void DrawPoint(int32_t Index) override;
  double LargestX() override;
  double LargestY() override;
  double LargestZ() override;
  double SmallestX() override;
  double SmallestY() override;
  double SmallestZ() override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  bool AcceptsDataSource(TComponent* Component) const override;
  int32_t NumSampleValues() const override { return 250; }

  int32_t AddVector(double X0, double Y0, double Z0, double X1, double Y1, double Z1,
                    const std::string& Label = {}, TColor Colour = clDefault);
  // The 3-D pixels of a point's start and end.
  TPoint3D StartPoint(int32_t Index) const;
  TPoint3D EndPoint(int32_t Index) const;

  int32_t GetArrowHeight() const { return FArrowHeight; }
  void SetArrowHeight(int32_t Value) { SetIntegerProperty(FArrowHeight, Value); }
  int32_t GetArrowWidth() const { return FArrowWidth; }
  void SetArrowWidth(int32_t Value) { SetIntegerProperty(FArrowWidth, Value); }
  TChartHiddenPen* StartArrow() const { return FStartArrow.get(); }
  void SetStartArrow(const TChartPen* Value) { FStartArrow->Assign(Value); }
  TChartPen* EndArrow() const { return FEndArrow.get(); }
  void SetEndArrow(const TChartPen* Value) { FEndArrow->Assign(Value); }
  TChartValueList* EndXValues() const { return FEndX; }
  void SetEndXValues(const TChartValueList* Value) { FEndX->Assign(Value); }
  TChartValueList* EndYValues() const { return FEndY; }
  void SetEndYValues(const TChartValueList* Value) { FEndY->Assign(Value); }
  TChartValueList* EndZValues() const { return FEndZ; }
  void SetEndZValues(const TChartValueList* Value) { FEndZ->Assign(Value); }

private:
  void DrawHead(TCanvas3D& Canvas, TChartPen& Pen, TColor Colour, const TPoint3D& B, double Theta);

  int32_t FArrowHeight = 4;
  int32_t FArrowWidth = 4;
  std::unique_ptr<TChartHiddenPen> FStartArrow;
  std::unique_ptr<TChartPen> FEndArrow;
  TChartValueList* FEndX = nullptr;  // the series' value lists own these
  TChartValueList* FEndY = nullptr;
  TChartValueList* FEndZ = nullptr;
};

enum class TTowerStyle : uint8_t {
  tsCube, tsRectangle, tsCover, tsCylinder, tsArrow, tsCone, tsPyramid, tsSlantCube
};
using enum TTowerStyle;

// A 3-D bar (cube, cylinder, cone and other shapes) for every grid point.
class TTowerSeries : public TCustom3DGridSeries {
  KV_CLASS(TTowerSeries, TCustom3DGridSeries)
public:
  explicit TTowerSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void PrepareForGallery(bool Enabled) override;
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  double LargestX() override;
  double LargestZ() override;
  double SmallestX() override;
  double SmallestZ() override;

  // The box of a point: pixels across, value pixels and depths.
  void TowerBox(int32_t Index, TRect& Box, int32_t& Z0, int32_t& Z1) const;

  bool GetDark3D() const { return FDark3D; }
  void SetDark3D(bool Value) { SetBooleanField(FDark3D, Value); }
  double GetOrigin() const { return FOrigin; }
  void SetOrigin(double Value) { SetDoubleProperty(FOrigin, Value); }
  int32_t GetPercentDepth() const { return FPercentDepth; }
  void SetPercentDepth(int32_t Value) { SetIntegerProperty(FPercentDepth, Value); }
  int32_t GetPercentWidth() const { return FPercentWidth; }
  void SetPercentWidth(int32_t Value) { SetIntegerProperty(FPercentWidth, Value); }
  TTowerStyle GetTowerStyle() const { return FTowerStyle; }
  void SetTowerStyle(TTowerStyle Value);
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value) { SetIntegerProperty(FTransparency, Value); }
  bool GetUseOrigin() const { return FUseOrigin; }
  void SetUseOrigin(bool Value) { SetBooleanField(FUseOrigin, Value); }

private:
  void DrawTower(TCanvas3D& Canvas, int32_t Index);

  bool FDark3D = true;
  double FOrigin = 0;
  int32_t FPercentDepth = 100;
  int32_t FPercentWidth = 100;
  TTowerStyle FTowerStyle = tsCube;
  TPlotTransparency FTransparency = 0;
  bool FUseOrigin = false;
  double FHalfWidth = 0.5, FHalfDepth = 0.5;
};

namespace PlotSurfa {

// Registers "Surface", "Contour", "Water Fall", "Color Grid", "Vector 3D"
// and "Tower" on the gallery's "3D" page, one sample each; Finalization
// removes them again.
void Initialization();
void Finalization();

}  // namespace PlotSurfa
