#pragma once
// The survey's view of the polygon model chart: reading and writing the model
// section of k2d files, the host values, the model and its bounds, the relief,
// the computation mesh and its preview, all on the main window's TPolygonChart.

#include "survey/Survey.h"

class TPolygonChart;

class TPolygonChartAdapter : public TSurveyModelChart {
 public:
  explicit TPolygonChartAdapter(TPolygonChart& Chart) : FChart(Chart) {}

  // A section that is refused is told in a message box; the model stays.
  bool ReadModel(const std::string& FileName) override;
  bool WriteModel(const std::string& FileName, int32_t LinesToKeep) override;
  double GetHostResistivity() const override;
  double GetHostPolarizability() const override;
  void SetHostValues(double Resistivity, double Polarizability) override;
  void SetLabelOffset(double Offset) override;
  const AllSpolygon& GetModel() const override;
  const Tnodes& GetNodes() const override;
  TModelBounds GetModelBounds() const override;
  void SetModelBounds(bool Keep, const TModelBounds& Bounds) override;
  void SetRelief(const arofcomplexM& Relief) override;
  void NewModel(const arofcomplexM& Relief, bool ReliefOn, const TModelBounds& Bounds) override;
  bool BuildComputationMesh(const ComputationMesh::TMeshSettings& Settings, const arofcomplexM& Relief,
                            AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) override;
  void ShowMeshPreview(const Tnodes& Nodes, bool Labelled) override;
  void ClearMeshPreview() override;
  void GetBottomAxisRange(double& Minimum, double& Maximum) const override;
  // The chart's bounds and relief as they stand, with the frame offset given.
  bool BuildGravMagMesh(double FrameOffset, AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) override;
  bool SetPolygonProperty(int32_t Body, int32_t Polygon, int32_t Property, double Value) override;
  void RedrawModel() override;

 private:
  TPolygonChart& FChart;
};
