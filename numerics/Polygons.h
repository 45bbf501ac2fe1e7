// The polygon model of the ground: nodes in the vertical section, bodies made of
// polygons over shared nodes, and the geometry and edit operations the model editor
// and the solver run on it.
//
// Coordinates: x along the profile, depth positive downward. A point is a complexM
// (x, z = depth). Scales are pixels per model unit (x scale, depth scale).
// Every operation that changes the model works in place and reports a refused edit
// only by returning false; the caller restores its working copy in that case.
//
// The ground is the frame's top run (from node 3 back to node 0): the relief line with a
// relief, the top bound without. No edit inserts, draws or moves a node above it or out
// of the frame: a body above the ground would be computed with image terms in the air.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "numerics/Supermath2d.h"

// A node of the model. Its identity is its index in Tnodes.
struct Tnode {
  double X = 0.0;
  double Depth = 0.0;
  uint8_t Fixed = 0;   // 0 or 1: a fixed node stays in place when its body moves
  int32_t Kind = 0;    // Polygons::KindOutline, KindJunction or KindInternal
  int32_t Border = 0;  // border code, Polygons::BorderNone .. BorderSurface
  double SavedX = 0.0;      // written only by the mesh builders on computation copies
  double SavedDepth = 0.0;  // as SavedX
};
using Tnodes = std::vector<Tnode>;

// One body property: empty, a 32-bit integer, a real or a text, converted on demand.
class PropValue {
 public:
  enum class Type { Empty, Int, Real, Text };

  PropValue() = default;
  PropValue(int32_t v) : v_(v) {}
  PropValue(double v) : v_(v) {}
  PropValue(std::string v) : v_(std::move(v)) {}
  PropValue(const char* v) : v_(std::string(v)) {}

  Type GetType() const { return static_cast<Type>(v_.index()); }
  bool IsEmpty() const { return v_.index() == 0; }
  // Empty gives 0; a real is rounded (halves to even) and clamped to the 32-bit range
  // (NaN gives 0); a text is read as a number ("," or "."), 0 when it is none.
  int32_t AsInt() const;
  // Empty gives 0; a text that is no number gives 0.
  double AsDouble() const;
  // Empty gives ""; numbers are written with "." and up to 15 significant digits.
  std::string AsString() const;

  bool operator==(const PropValue&) const = default;

 private:
  std::variant<std::monostate, int32_t, double, std::string> v_;
};

inline constexpr int PolygonPropCount = 20;
using PolygonProps = std::array<PropValue, PolygonPropCount>;

// One polygon: its outline as node indices (closing edge from the last entry back to
// the first) and its twenty body properties.
struct Polygon {
  arofintM Nodes;
  PolygonProps Props;
};
using SPolygon = std::vector<Polygon>;     // a body: polygon 0 first
using AllSpolygon = std::vector<SPolygon>;  // the model: body 0 first; polygon 0 of body 0 is the frame

namespace Polygons {

// Border codes (Tnode::Border). Left and right are the smallest and largest x of the
// model bounds, bottom the largest depth.
inline constexpr int32_t BorderNone = 0;         // not on the model border
inline constexpr int32_t BorderLeft = 1;         // left side, top-left corner included
inline constexpr int32_t BorderBottomLeft = 2;   // bottom-left corner
inline constexpr int32_t BorderBottom = 3;       // bottom side
inline constexpr int32_t BorderBottomRight = 4;  // bottom-right corner
inline constexpr int32_t BorderRight = 5;        // right side, top-right corner included
inline constexpr int32_t BorderSurface = 6;      // top surface: relief node or on a frame node

// Node kinds (Tnode::Kind) within the node's body.
inline constexpr int32_t KindOutline = 0;   // outline node used once
inline constexpr int32_t KindJunction = 1;  // used more than once, not internal
inline constexpr int32_t KindInternal = 2;  // every edge at the node is shared by two polygons

// Property indices of a polygon.
inline constexpr int PropShapeId = 0;          // integer: id of the chart shape, -1 none
inline constexpr int PropBrush = 1;            // text: fill brush as chart-style text
inline constexpr int PropPen = 2;              // text: outline pen as chart-style text
inline constexpr int PropGradient = 3;         // text: fill gradient as chart-style text
inline constexpr int PropColor = 4;            // integer: fill colour
inline constexpr int PropUserText = 7;         // text: label in label mode 4
inline constexpr int PropLabelMode = 8;        // integer: 0 none, 1 res, 2 res+pol, 3 all, 4 user text
inline constexpr int PropResistivity = 10;     // real: ohm m
inline constexpr int PropPolarizability = 11;  // real: %
inline constexpr int PropDensity = 12;         // real: g/cm3
inline constexpr int PropSusceptibility = 13;  // real: 10^-5 CGS

// The twenty property values every new body and sub-polygon starts with. The editor
// chart sets them when it is created (ResetDefaultProps gives the built-in values, the
// style texts 1 to 3 included) and the main window replaces properties 0..18 from its
// saved settings.
extern PolygonProps DefaultProps;
// Restores the built-in defaults (also for tests).
void ResetDefaultProps();

// ---- Model, copies, bounds and border bookkeeping ----
Tnode CopyNodeFields(const Tnode& source);
Tnodes CopyNodes(const Tnodes& nodes);
Polygon CopyPolygon(const Polygon& polygon);
SPolygon CopySPolygon(const SPolygon& body);
AllSpolygon CopyAllSpolygon(const AllSpolygon& model);

// Smallest x, largest x and largest depth over the nodes with border code 0; the start
// values 1e30, -1e30, -1e30 come back when there is none.
void InteriorExtent(const Tnodes& nodes, double& minX, double& maxX, double& maxDepth);
void MoveBorderNodes(Tnodes& nodes, double bottom, double top, double right, double left);
int32_t BorderCodeOf(int32_t node, const AllSpolygon& model, const Tnodes& nodes, double bottom,
                     double top, double right, double left);
int32_t NodeKind(int32_t node, int32_t body, const AllSpolygon& model, const Tnodes& nodes);
bool PolygonsShareNode(int32_t a, int32_t b, int32_t body, const AllSpolygon& model);
void SplitDisconnectedBody(int32_t body, AllSpolygon& model, Tnodes& nodes);

// Number of entries of the frame's first run (the position at which its first node
// occurs again); the whole list length when it never does.
int32_t FrameFirstRunLength(const AllSpolygon& model);

// ---- Geometry (Polygons_Geometry.cpp) ----
bool SegmentsCross(const complexM& A, const complexM& B, const complexM& C, const complexM& D);
bool NodeSegmentsCross(int32_t a, int32_t b, int32_t c, int32_t d, const Tnodes& nodes);
bool PointInPolygon(const complexM& P, const arofcomplexM& points);
bool PointInNodePolygon(const complexM& P, const arofintM& list, const Tnodes& nodes);
bool IsNegative(const arofcomplexM& points);
bool IsNodePolygonNegative(const arofintM& list, const Tnodes& nodes);
void NormalizeOrientation(arofcomplexM& points);
// Reverses every polygon except the frame that tests negative, so that a model read
// from a file has the orientation the edit operations keep.
void NormalizeModelOrientation(AllSpolygon& model, const Tnodes& nodes);
double Dot(const complexM& u, const complexM& v);
double VectorLength(const complexM& u);
double PointDistance(const complexM& a, const complexM& b);
double AngleBetween(const complexM& u, const complexM& v);  // degrees
double PointSegmentDistance(const complexM& P, const complexM& A, const complexM& B, double xScale,
                            double depthScale);
double EdgeDistance(const complexM& P, const complexM& A, const complexM& B, double xScale,
                    double depthScale);
// Index of the nearest node by scaled distance, -1 for an empty table.
int32_t NearestNode(const complexM& P, const Tnodes& nodes, double& plainDistance,
                    double& scaledDistance, double xScale, double depthScale);
int32_t NearestEdge(const complexM& P, const Tnodes& nodes, const AllSpolygon& model,
                    double& distance, double xScale, double depthScale, bool& nearEnd,
                    int32_t& body, int32_t& nodeA, int32_t& nodeB);
int32_t NearestExternalEdge(const complexM& P, const Tnodes& nodes, const AllSpolygon& model,
                            double& distance, double xScale, double depthScale, bool& nearEnd,
                            int32_t& body, int32_t& nodeA, int32_t& nodeB);
void SnapToEdge(complexM& P, const complexM& A, const complexM& B, double xScale,
                double depthScale);
// True with the first polygon (frame skipped) containing (x, depth); -1, -1 when none.
bool FindPolygonAt(const AllSpolygon& model, int32_t& body, int32_t& polygon, const Tnodes& nodes,
                   double x, double depth);
bool PointInOtherBodies(const complexM& P, int32_t exceptBody, const AllSpolygon& model,
                        const Tnodes& nodes);
bool SegmentCrossesBody(const complexM& A, const complexM& B, int32_t body, const Tnodes& nodes,
                        const AllSpolygon& model);
bool SegmentCrossesOtherBodies(const complexM& A, const complexM& B, int32_t exceptBody,
                               const Tnodes& nodes, const AllSpolygon& model);
bool NodeSegmentCrossesBody(int32_t a, int32_t b, int32_t body, const Tnodes& nodes,
                            const AllSpolygon& model);
bool NodeSegmentCrossesPolygon(int32_t a, int32_t b, int32_t body, const Tnodes& nodes,
                               const AllSpolygon& model, int32_t polygon);
bool BodiesContainEachOther(int32_t a, int32_t b, const AllSpolygon& model, const Tnodes& nodes);
bool SegmentCrossesDrawnOutline(const complexM& P, const arofcomplexM& outline);
bool OutlineConflicts(const arofcomplexM& outline, const AllSpolygon& model, const Tnodes& nodes);

// ---- Node editing (Polygons_Nodes.cpp) ----
bool BodyOfNode(int32_t node, int32_t& body, const AllSpolygon& model);
// False, nothing changed, also when the snapped point lies outside the model.
bool InsertNodeOnEdge(int32_t nodeA, int32_t nodeB, int32_t body, const complexM& P,
                      AllSpolygon& model, Tnodes& nodes, double xScale, double depthScale);
// Removes node k from the table and renumbers every later index in every polygon.
void RemoveNodeFromTable(int32_t node, AllSpolygon& model, Tnodes& nodes);
// Refuses also a node the body does not use, a node of the frame's last rebuild (its
// second run: corners and start relief nodes), a result with a polygon without area and
// one with a polygon over another or out of the frame.
bool DeleteNode(int32_t node, int32_t body, AllSpolygon& model, Tnodes& nodes);
// Also keeps the proposed depth between the ground (relief or top) and the bottom.
bool ConstrainNodeMove(int32_t node, const arofcomplexM& relief, bool reliefOn, const Tnodes& nodes,
                       const AllSpolygon& model, double& depth, double& x, double bottom, double top,
                       double right, double left);
// Refuses also moved nodes outside the model, a polygon without area, and a polygon
// folded over another one or reaching out of the frame, also where the two only meet at
// shared or coincident nodes and no edges cross.
bool CheckMovedNodes(const arofintM& moved, int32_t body, const AllSpolygon& model,
                     const Tnodes& nodes, int32_t mode);
// Refuses also coupling two bodies through an internal node, and within one body a
// result with a polygon of fewer than three nodes, pinched (a node twice) or without area.
bool ReplaceNodeInBody(int32_t nodeA, int32_t nodeB, int32_t bodyA, int32_t bodyB,
                       AllSpolygon& model, Tnodes& nodes);
void TidyFrame(AllSpolygon& model, Tnodes& nodes);
bool SplitSharedNode(int32_t node, int32_t body, AllSpolygon& model, Tnodes& nodes);

// ---- Polygon editing (Polygons_Edit.cpp) ----
bool CheckNewPolygonPoint(const arofcomplexM& points, const AllSpolygon& model, const Tnodes& nodes,
                          bool closing);
// Refuses also an outline that crosses itself, leaves the model or covers a body it
// touches; nothing changed then.
bool AddPolygon(const arofcomplexM& outline, AllSpolygon& model, Tnodes& nodes);
// Refuses, nothing changed, a walk that finds no way on or never reaches the end node,
// drawn points outside the model; refuses a pinched or flat result and one that covers
// another polygon or reaches out of the frame.
bool InsertSubPolygon(int32_t startNode, int32_t endNode, int32_t body, const arofcomplexM& points,
                      AllSpolygon& model, Tnodes& nodes, bool direction);
bool AddSubPolygon(int32_t startNode, int32_t endNode, int32_t body, const arofcomplexM& points,
                   AllSpolygon& model, Tnodes& nodes, bool direction, double bottom, double top,
                   double right, double left);
// Refuses also a half without area, a chord that cuts another body and halves that
// overlap.
bool DividePolygon(int32_t nodeA, int32_t nodeB, int32_t body, int32_t& shapeId, Tnodes& nodes,
                   AllSpolygon& model);
// True; false, nothing changed, for the frame or a polygon that does not exist.
bool DeleteSubPolygon(int32_t polygon, int32_t body, AllSpolygon& model, Tnodes& nodes);
// The new node's index; the given node when the polygon keeps it.
int32_t DuplicateSharedNode(int32_t node, int32_t polygon, int32_t body, Tnodes& nodes,
                            AllSpolygon& model);
// True; false, nothing changed, for the frame or a polygon that does not exist.
bool UncoupleSubPolygon(int32_t polygon, int32_t body, AllSpolygon& model, Tnodes& nodes);
void BodyNodes(bool filter, int32_t body, const AllSpolygon& model, arofintM& list, bool& whole,
               const Tnodes& nodes);
void SubPolygonNodes(bool filter, int32_t body, int32_t polygon, arofintM& list, bool& whole,
                     const Tnodes& nodes, const AllSpolygon& model);
void ShapesUsingNodes(const arofintM& list, int32_t body, const AllSpolygon& model,
                      arofintM& shapeIds, arofintM& bodies, arofintM& polygons,
                      const Tnodes& nodes);
void BodyShapes(int32_t body, const AllSpolygon& model, arofintM& shapeIds, arofintM& polygons,
                arofintM& bodies);
void SubPolygonShape(int32_t body, int32_t polygon, const AllSpolygon& model, arofintM& shapeIds,
                     arofintM& polygons, arofintM& bodies);

// ---- Start model, refit and relief ----
int32_t BuildStartModel(Tnodes& nodes, SPolygon& body, const arofcomplexM& relief, double left,
                        double right, double top, double bottom, bool reliefOn);
void RefitModel(const arofcomplexM& relief, bool reliefOn, AllSpolygon& model, Tnodes& nodes,
                double oldBottom, double oldTop, double oldRight, double oldLeft,
                double newBottom, double newTop, double newRight, double newLeft);
// Recomputes the kinds of body 0 afterwards.
void UpdateReliefPolygons(int32_t node, bool reliefOn, AllSpolygon& model, Tnodes& nodes);
int32_t NextPosition(int32_t position, const arofintM& list, int32_t& node);
int32_t PrevPosition(int32_t position, const arofintM& list, int32_t& node);
bool PositionOf(int32_t node, const arofintM& list, int32_t& position);

}  // namespace Polygons
