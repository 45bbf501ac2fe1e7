#pragma once
// A surface through scattered points: the points' X-Z positions are
// triangulated (incremental convex-hull insertion with the max-min angle
// improvement) and every triangle is painted with its corners' colours.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/series/PlotSurfa.h"

class TCustomTriSurfaceSeries : public TCustom3DPaletteSeries {
  KV_CLASS(TCustomTriSurfaceSeries, TCustom3DPaletteSeries)
public:
  explicit TCustomTriSurfaceSeries(TComponent* Owner);
  ~TCustomTriSurfaceSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TTriSurfaceSeriesEditor"; }
  void ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void ApplyGalleryVariant(TChartSeries* Series, int32_t Index) override;
  void Clear() override;
  // The point index of the hit triangle's corner nearest the pixel, or -1.
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  int32_t NumSampleValues() const override { return 15; }

  // Builds Triangles and BorderLines from the points' X and Z (again only
  // when the points changed since the last time).
  void Triangulate();

  // Vertex numbers 1..N; vertex k stands for series point VertexPoint(k).
  int32_t VertexPoint(int32_t Vertex) const;
  // The series point at corner 0..2 of triangle 1..NumTriangles.
  int32_t TrianglePoint(int32_t Triangle, int32_t Corner) const;

  TChartHiddenPen* Border() const { return FBorder.get(); }
  void SetBorder(const TChartPen* Value) { FBorder->Assign(Value); }
  bool GetFastBrush() const { return FFastBrush; }
  void SetFastBrush(bool Value) { FFastBrush = Value; }
  bool GetHideTriangles() const { return FHideTriangles; }
  void SetHideTriangles(bool Value) { SetBooleanField(FHideTriangles, Value); }
  TPlotTransparency GetTransparency() const { return FTransparency; }
  void SetTransparency(TPlotTransparency Value) { SetIntegerProperty(FTransparency, Value); }

  bool Triangulated = false;
  bool ImproveTriangles = true;
  // Three vertex numbers per triangle t at positions 3t-3..3t-1.
  std::vector<int32_t> Triangles;
  int32_t NumTriangles = 0;
  // Per border line: its two end vertex numbers and its triangle.
  std::vector<int32_t> BorderLines;
  int32_t NumBorderLines = 0;

  // One triangle of the painting list, in painting order.
  struct TPaintNode {
    int32_t Triangle = 0;
    TColor Color = clBlack;
    TPoint P[3];
    double Key = 0;
  };
  const std::vector<TPaintNode>& PaintList() const { return FPaintList; }

private:
  void DropTriangles();
  uint64_t PointsSignature() const;
  bool TriangleVisible(int32_t T) const;
  TPoint3D Corner3D(int32_t Point) const;
  bool Reversed() const;

  std::unique_ptr<TChartHiddenPen> FBorder;
  bool FFastBrush = false;
  bool FHideTriangles = true;
  TPlotTransparency FTransparency = 0;
  std::vector<int32_t> FVertexPoint;  // index 1..N
  uint64_t FSignature = 0;
  std::vector<TPaintNode> FPaintList;
};

class TTriSurfaceSeries : public TCustomTriSurfaceSeries {
  KV_CLASS(TTriSurfaceSeries, TCustomTriSurfaceSeries)
public:
  explicit TTriSurfaceSeries(TComponent* Owner) : TCustomTriSurfaceSeries(Owner) {}
};

namespace PlotTriSurface {

// Registers "Triangle Surf." on the gallery page "3D" with 1 sample series;
// Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotTriSurface
