#pragma once
// A model holder in place of the polygon model chart, for tests that need a
// model to compute: it builds the start model the survey asks for and refines
// it into the computation mesh; it draws nothing.

#include <algorithm>

#include "numerics/ComputationMesh.h"
#include "numerics/Polygons.h"
#include "survey/Survey.h"

namespace AppTest {

class TTestModelChart : public TSurveyModelChart {
 public:
  bool ReadModel(const std::string&) override { return false; }
  bool WriteModel(const std::string&, int32_t) override { return false; }
  double GetHostResistivity() const override { return FHostResistivity; }
  double GetHostPolarizability() const override { return FHostPolarizability; }
  void SetHostValues(double Resistivity, double Polarizability) override {
    FHostResistivity = Resistivity;
    FHostPolarizability = Polarizability;
  }
  void SetLabelOffset(double) override {}
  const AllSpolygon& GetModel() const override { return FModel; }
  const Tnodes& GetNodes() const override { return FNodes; }
  TModelBounds GetModelBounds() const override { return FBounds; }
  void SetModelBounds(bool, const TModelBounds& Bounds) override { FBounds = Bounds; }
  void SetRelief(const arofcomplexM&) override {}
  void NewModel(const arofcomplexM& Relief, bool, const TModelBounds& Bounds) override {
    FBounds = Bounds;
    SPolygon body;
    FNodes.clear();
    Polygons::BuildStartModel(FNodes, body, Relief, Bounds.Left, Bounds.Right, Bounds.Top, Bounds.Bottom, false);
    FModel = {body};
  }
  bool BuildComputationMesh(const ComputationMesh::TMeshSettings& Settings, const arofcomplexM&,
                            AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) override {
    ComputationMesh::TMeshModel m;
    m.XMin = FBounds.Left;
    m.XMax = FBounds.Right;
    m.ZMin = FBounds.Top;
    m.ZMax = FBounds.Bottom;
    double offset = 0.0;
    return ComputationMesh::BuildComputationMesh(m, Settings, Polygons, Nodes, offset, Message);
  }
  void ShowMeshPreview(const Tnodes&, bool) override {}
  void ClearMeshPreview() override {}
  void GetBottomAxisRange(double& Minimum, double& Maximum) const override {
    Minimum = FBounds.Left;
    Maximum = FBounds.Right;
  }

 private:
  double FHostResistivity = 0.0, FHostPolarizability = 0.0;
  AllSpolygon FModel;
  Tnodes FNodes;
  TModelBounds FBounds;
};

}  // namespace AppTest
