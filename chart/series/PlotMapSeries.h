#pragma once
// A series of filled polygons ("shapes"): each shape is one point of the map
// series (its Z, label and colour) and keeps its outline in a vertex series
// of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/series/PlotSurfa.h"

class TMapSeries;
class TPlotPolygon;

// The outline of one shape: its X and Y values are the vertices.
class TPolygonSeries : public TChartSeries {
  KV_CLASS(TPolygonSeries, TChartSeries)
public:
  explicit TPolygonSeries(TComponent* Owner);
  void SetActive(bool Value) override;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override;
  void NotifyValue(int32_t Event, int32_t Index) override;
  void PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) override;
  void SetSeriesColor(TColor Value) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  TPlotPolygon* Shape() const { return FShape; }

private:
  friend class TPlotPolygon;
  TPlotPolygon* FShape = nullptr;  // the shape owning this series
};

class TPlotPolygon : public TCollectionItem {
  KV_CLASS(TPlotPolygon, TCollectionItem)
public:
  explicit TPlotPolygon(TCollection* Collection);
  void Init() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void DefineProperties(TFiler& Filer) override;

  int32_t AppendPoint(double X, double Y);
  TMapSeries* ParentSeries() const;
  TPolygonSeries* Points() const { return FPoints; }

  bool GetClosed() const { return FClosed; }
  void SetClosed(bool Value);
  TPlotGradient* Gradient();
  TPlotGradient* PeekGradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value);
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value);
  bool GetParentBrush() const { return FParentBrush; }
  void SetParentBrush(bool Value);
  bool GetParentPen() const { return FParentPen; }
  void SetParentPen(bool Value);
  double GetZ() const;
  void SetZ(double Value);
  std::string GetText() const;
  void SetText(const std::string& Value);
  TColor GetColor() const;
  void SetColor(TColor Value);
  // Whether the shape has a colour of its own (saved with it).
  bool HasOwnColor() const;
  TChartBrush* Brush() const { return FPoints->Brush(); }
  void SetBrush(const TChartBrush* Value) { FPoints->SetBrush(Value); }
  TChartPen* Pen() const { return FPoints->Pen(); }
  void SetPen(const TChartPen* Value) { FPoints->SetPen(Value); }

  // The vertices in pixels through the map series' axes.
  const std::vector<TPoint>& CalcPixelPoints();
  // The pixel extent of the vertices, normalised.
  TRect PixelExtent() const;

private:
  bool FClosed = true;
  std::unique_ptr<TPlotGradient> FGradient;
  TPlotTransparency FTransparency = 0;
  std::vector<TPoint> FPixels;
  bool FParentBrush = false;
  bool FParentPen = false;
  TPolygonSeries* FPoints = nullptr;  // owned; freed with the shape
};

class TPlotPolygonList : public TCollection {
  KV_CLASS(TPlotPolygonList, TCollection)
public:
  explicit TPlotPolygonList(TMapSeries* Owner);
  TPlotPolygon* AddPolygon();
  TPlotPolygon* PolygonAt(int32_t Index) const { return ItemAs<TPlotPolygon>(Index); }
  TMapSeries* Series() const { return FSeries; }

private:
  TMapSeries* FSeries;
};

class TMapSeries : public TCustom3DPaletteSeries {
  KV_CLASS(TMapSeries, TCustom3DPaletteSeries)
public:
  explicit TMapSeries(TComponent* Owner);
  ~TMapSeries() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override;
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override;
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void DrawPoints() override;
  void DrawPoint(int32_t Index) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void Clear() override;
  void Delete(int32_t Index) override;
  void DeleteRange(int32_t Start, int32_t Quantity, bool RemoveGap = false) override;
  double LargestX() override { return VertexExtreme(true, true); }
  double LargestY() override { return VertexExtreme(false, true); }
  double SmallestX() override { return VertexExtreme(true, false); }
  double SmallestY() override { return VertexExtreme(false, false); }
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  void SwapValueIndex(int32_t A, int32_t B) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  int32_t NumSampleValues() const override { return 12; }
  void PrepareForGallery(bool Enabled) override;
  void PrepareGallery3D(bool Is3D) override;

  // Where the mark of shape Index is centred: the centre of its extent when
  // that lies inside, else the mean of the edge crossings after three passes.
  TPoint MarkCentre(int32_t Index);
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;

  TPlotPolygonList* Shapes() const { return FShapes.get(); }
  void SetShapes(const TPlotPolygonList* Value) { FShapes->Assign(Value); }
  // The depth of shape Index on a 3-D chart, 0 in 2-D.
  int32_t ShapeDepth(int32_t Index) const;

private:
  friend class TPlotPolygon;
  void DrawShape(int32_t Index);
  bool ShapeMeetsChart(TPlotPolygon& Shape) const;
  double VertexExtreme(bool X, bool Largest) const;
  std::unique_ptr<TPlotPolygonList> FShapes;
};
