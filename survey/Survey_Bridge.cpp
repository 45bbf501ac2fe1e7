// The solver bridge: hands the survey and a refined copy of the chart's model to the
// boundary-element solver, and previews the computation mesh.
#include <cmath>
#include <utility>

#include "survey/Survey.h"

ComputationMesh::TMeshSettings TSurvey::MeshSettings() const {
  const double s = ElectrodeSpacing;
  ComputationMesh::TMeshSettings settings;
  settings.ExponentFlag = Exponent;
  settings.HalfSpacing = s / 2;
  settings.FactorX = FactorX;
  settings.StartXStep = StartX * s / 3;
  settings.FactorZ = FactorZ;
  settings.StartZStep = StartZ * s / 10;
  return settings;
}

bool TSurvey::RunModelling(bool inversion) {
  // The solver keeps its pole tables and wavenumbers from one run to the next; another
  // survey or other wavenumber settings make it build them again.
  if (DC2dBEM::Survey != &Asource || DC2dBEM::Electrodes != &elecarray || DC2dBEM::UserWavenumbers != nkuser ||
      (nkuser && DC2dBEM::WavenumberCount != nknumber))
    DC2dBEM::GeometryChanged = true;
  DC2dBEM::RMin = 0.03 * ElectrodeSpacing;
  if (ModelChart) ModelChart->SetHostValues(StartResistivity, StartPolarizability);
  DC2dBEM::Electrodes = &elecarray;  // shared: the solver reads the survey's electrodes
  DC2dBEM::HostResistivity = StartResistivity;
  DC2dBEM::HostPolarizability = StartPolarizability;

  // The solver works on a refined copy; the chart's model stays as the user drew it.
  AllSpolygon polygons;
  Tnodes nodes;
  if (ModelChart) {
    polygons = Polygons::CopyAllSpolygon(ModelChart->GetModel());
    nodes = Polygons::CopyNodes(ModelChart->GetNodes());
    std::string problem;
    if (!ModelChart->BuildComputationMesh(MeshSettings(), Topography, polygons, nodes, problem)) {
      Message(problem);
      return false;
    }
    ModelChart->ShowMeshPreview(nodes, true);
    const TModelBounds b = ModelChart->GetModelBounds();
    const double diagonal = std::sqrt((b.Left - b.Right) * (b.Left - b.Right) + (b.Top - b.Bottom) * (b.Top - b.Bottom));
    const double r = redperc / 100.0;
    InfinityDistance = diagonal * r * (r + 1);
  }
  DC2dBEM::Model = std::move(polygons);
  DC2dBEM::Nodes = std::move(nodes);
  DC2dBEM::GaussOrder = numqp;
  DC2dBEM::WavenumberCount = nknumber;
  DC2dBEM::UserWavenumbers = nkuser;
  DC2dBEM::Survey = &Asource;  // shared: the solver writes the calculated values into it
  DC2dBEM::ReliefOn = Topography.size() > 2;
  DC2dBEM::ElectrodeDistances = &ElectrodeDistances;  // shared
  DC2dBEM::SignedData = SignedResistance;
  DC2dBEM::Poles = &CurrentElectrodes;  // shared
  DC2dBEM::IPOn = HasIPData && recetha;

  const bool ran = inversion ? DC2dBEM::Inversion() : DC2dBEM::ForwardModel();
  // A refused run computed nothing: the calculated data are not offered for saving.
  if (ran) ModelComputed = true;
  if (ModelChart) ModelChart->ClearMeshPreview();
  return ran;
}

void TSurvey::PreviewMesh() {
  if (!ModelComputed || !ModelChart) return;
  AllSpolygon polygons = Polygons::CopyAllSpolygon(ModelChart->GetModel());
  Tnodes nodes = Polygons::CopyNodes(ModelChart->GetNodes());
  // The options change while the user types them: a mesh that cannot be built shows
  // no preview here, and the next run reports why.
  std::string problem;
  if (ModelChart->BuildComputationMesh(MeshSettings(), Topography, polygons, nodes, problem))
    ModelChart->ShowMeshPreview(nodes, false);
  else
    ModelChart->ClearMeshPreview();
}
