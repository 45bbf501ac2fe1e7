#include "app/PolygonChartAdapter.h"

#include "platform/ui/Dialogs.h"
#include "numerics/ComputationMesh.h"
#include "views/PolygonChart.h"

bool TPolygonChartAdapter::ReadModel(const std::string& FileName) {
  std::string message;
  const bool read = FChart.ReadModel(FileName, message);
  if (!read && !message.empty()) Dialogs::ShowMessage(message);
  return read;
}

bool TPolygonChartAdapter::WriteModel(const std::string& FileName, int32_t LinesToKeep) {
  std::string message;
  const bool written = FChart.WriteModel(FileName, LinesToKeep, message);
  if (!written && !message.empty()) Dialogs::ShowMessage(message);
  return written;
}

double TPolygonChartAdapter::GetHostResistivity() const { return FChart.StartResistivity; }

double TPolygonChartAdapter::GetHostPolarizability() const { return FChart.StartPolarizability; }

void TPolygonChartAdapter::SetHostValues(double Resistivity, double Polarizability) {
  FChart.StartResistivity = Resistivity;
  FChart.StartPolarizability = Polarizability;
}

void TPolygonChartAdapter::SetLabelOffset(double Offset) { FChart.LeftAxis()->LabelOffset = Offset; }

const AllSpolygon& TPolygonChartAdapter::GetModel() const { return FChart.ModelPolygons; }

const Tnodes& TPolygonChartAdapter::GetNodes() const { return FChart.ModelNodes; }

TModelBounds TPolygonChartAdapter::GetModelBounds() const {
  return {FChart.XMin, FChart.XMax, FChart.ZMin, FChart.ZMax};
}

void TPolygonChartAdapter::SetModelBounds(bool Keep, const TModelBounds& Bounds) {
  FChart.SetModelBounds(Keep, Bounds.Left, Bounds.Right, Bounds.Top, Bounds.Bottom);
}

void TPolygonChartAdapter::SetRelief(const arofcomplexM& Relief) { FChart.SetRelief(Relief); }

void TPolygonChartAdapter::NewModel(const arofcomplexM& Relief, bool ReliefOn, const TModelBounds& Bounds) {
  FChart.NewModel(Relief, ReliefOn, Bounds.Left, Bounds.Right, Bounds.Top, Bounds.Bottom);
}

bool TPolygonChartAdapter::BuildComputationMesh(const ComputationMesh::TMeshSettings& Settings,
                                                const arofcomplexM& /*Relief: the chart keeps its own*/,
                                                AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) {
  return FChart.BuildComputationMesh(Settings.ExponentFlag, Polygons, Settings.HalfSpacing, Settings.FactorX,
                                     Settings.StartXStep, Settings.FactorZ, Settings.StartZStep, Nodes, Message);
}

void TPolygonChartAdapter::ShowMeshPreview(const Tnodes& Nodes, bool Labelled) {
  FChart.ShowMeshPreview(Nodes, Labelled);
}

void TPolygonChartAdapter::ClearMeshPreview() { FChart.ClearMeshPreview(); }

void TPolygonChartAdapter::GetBottomAxisRange(double& Minimum, double& Maximum) const {
  Minimum = FChart.BottomAxis()->GetMinimum();
  Maximum = FChart.BottomAxis()->GetMaximum();
}

bool TPolygonChartAdapter::BuildGravMagMesh(double FrameOffset, AllSpolygon& Polygons, Tnodes& Nodes,
                                            std::string& Message) {
  return ComputationMesh::BuildGravMagMesh(FChart.MeshModel(), FrameOffset, Polygons, Nodes, Message);
}

bool TPolygonChartAdapter::SetPolygonProperty(int32_t Body, int32_t Polygon, int32_t Property, double Value) {
  AllSpolygon& model = FChart.ModelPolygons;
  if (Body < 0 || Polygon < 0 || Property < 0 || Property >= PolygonPropCount ||
      static_cast<size_t>(Body) >= model.size() || static_cast<size_t>(Polygon) >= model[Body].size())
    return false;
  model[Body][Polygon].Props[Property] = PropValue(Value);
  return true;
}

void TPolygonChartAdapter::RedrawModel() { FChart.RedrawModel(); }
