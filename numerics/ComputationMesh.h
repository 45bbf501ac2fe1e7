// The computation mesh the boundary-element solver works on: copies of the polygon
// model whose edges are split into short segments and whose frame is moved far
// outward, so that bodies touching the sides or the bottom continue out to it.
#pragma once

#include <cstdint>
#include <string>

#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"

namespace ComputationMesh {

// The model's bounds and relief as the editor chart holds them.
struct TMeshModel {
  double XMin = 0.0;
  double XMax = 0.0;
  double ZMin = 0.0;
  double ZMax = 0.0;
  bool HasRelief = false;  // must follow the solver's relief rule (three or more points)
  arofcomplexM Relief;     // (x, depth) in increasing x
};

// Dividing options. With s the survey's electrode spacing the caller passes
// HalfSpacing = s / 2, StartXStep = StartX s / 3, StartZStep = StartZ s / 10.
struct TMeshSettings {
  bool ExponentFlag = false;
  double HalfSpacing = 0.0;
  double FactorX = 0.2;
  double StartXStep = 0.0;
  double FactorZ = 0.2;
  double StartZStep = 0.0;
};

// Checks the dividing options; an empty text when they are sound, else the message.
std::string ValidateSettings(const TMeshSettings& settings);

// Turns copies of the model (polygons, nodes) into the computation mesh in place.
// Bodies and polygons keep their order and properties, input nodes keep their
// indices, new nodes are appended; with relief body 0 polygon 0 becomes the open
// ground-surface line from the top-right to the top-left corner. meshFrameOffset
// receives the distance by which the frame moved. False, with the model untouched
// and the reason in `message`, when the settings or the model are refused.
bool BuildComputationMesh(const TMeshModel& model, const TMeshSettings& settings, AllSpolygon& polygons,
                          Tnodes& nodes, double& meshFrameOffset, std::string& message);

// The reduced variant for the gravity and magnetic computation: the frame cut,
// the split at the bounds and the frame moved by meshFrameOffset, no refinement.
bool BuildGravMagMesh(const TMeshModel& model, double meshFrameOffset, AllSpolygon& polygons, Tnodes& nodes,
                      std::string& message);

// The points strictly between A and B at which an inner edge is split, from A to B.
// False (and no points) when the steps would make an unreasonable number of points.
bool SubdivideEdge(const TMeshModel& model, const TMeshSettings& settings, arofcomplexM& points, double XA,
                   double ZA, double XB, double ZB);

// A node's position moved outward by the offset according to its border code.
double ShiftedNodeX(const Tnodes& nodes, int32_t index, double offset);
double ShiftedNodeZ(const Tnodes& nodes, int32_t index, double offset);

}  // namespace ComputationMesh
