// Node and triangle stores of the pseudo-section view and their Delaunay
// triangulation: incremental insertion into an enclosing triangle, with the circle
// test made after the nodes' y range is mapped onto their x range, so that the mesh
// does not depend on the ratio of the section's length to its depth. No triangle is
// formed whose three nodes all carry the outline flag. TPseudoSection2d holds one
// TContourMesh and one TSectionContours and calls these routines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "numerics/Supermath2d.h"
#include "platform/rtl/Types.h"
#include "views/ContourLevels.h"

class TCanvas;
class TMetafile;

// A node of the view: plot position, datum, and the position as it was added.
struct dVertex3d {
  double x = 0.0;  // plot x (x0 transformed for the bottom axis)
  double y = 0.0;  // plot y
  double value = 0.0;
  bool outline = false;  // no triangle is formed whose three nodes all carry it
  double x0 = 0.0;
  double y0 = 0.0;
  std::string text;  // label on the grid-point series
};

// A triangle: edge e runs from v[e] to v[(e + 1) mod 3].
struct dTriangle {
  int32_t v[3] = {0, 0, 0};
  int32_t nbr[3] = {0, 0, 0};        // neighbour across edge e, 0 none
  uint8_t nedge[3] = {255, 255, 255};  // that edge's number in the neighbour, 255 none
  int32_t border[3] = {0, 0, 0};     // 1 when edge e has no neighbour
  uint8_t mark[3] = {0, 0, 0};       // used by the isoline tracing
};

// The stores grow with the data; entry 0 of each holds nothing.
struct TContourMesh {
  std::vector<dVertex3d> Nodes = std::vector<dVertex3d>(1);  // nodes 1 .. NextNode - 1
  int32_t NextNode = 1;
  std::vector<dTriangle> Triangles = std::vector<dTriangle>(1);  // triangles 1 .. TriangleCount
  int32_t TriangleCount = 0;
  // Node values as the contouring uses them (index as Nodes): moved off the levels by
  // BuildLevels; the node values themselves stay the data.
  arofdoubleM ContourValues;
  int32_t PictureWidth = 0;  // picture size in pixels, set by the view
  int32_t PictureHeight = 0;
  double PlotXMin = 0.0, PlotXMax = 0.0, PlotYMin = 0.0, PlotYMax = 0.0;
  double XScale = 0.0, YScale = 0.0;  // pixels per plot unit
};

namespace Contouring {

// Appends a node at NextNode, labelled with its value (FloatToStrDec, 0 decimals,
// mode 1). There is no limit on the number of nodes.
void AddNode(TContourMesh& mesh, double x, double y, double value, bool outline);
// The label of a node's value: at least two significant digits below 1.
std::string NodeLabel(double value);

// With n = NextNode - 1 >= 3: the data and level limits, and with rebuild the picture
// extent, the triangles and their neighbour links. Fewer nodes change nothing.
void Triangulate(TContourMesh& mesh, TSectionContours& levels, bool rebuild);

// The data limits and level limits over nodes 1 .. n and, with rebuild, the extent
// and the triangles; gives the number of triangles (0 without rebuild). scanAll
// inserts by testing every triangle against every node (the quadratic reference
// form, also used whenever a node carries the outline flag); otherwise the triangles
// a node removes are found by walking the mesh, with the same result.
int32_t Delaunay(TContourMesh& mesh, TSectionContours& levels, int32_t n, bool rebuild, bool scanAll = false);

// Links every triangle to its neighbours across its edges and sets the border flags.
void FindNeighbours(TContourMesh& mesh, int32_t count);

// Whether P lies in (or on) the circle through A, B and C; all y already mapped.
bool InCircle(double xp, double yp, double xa, double ya, double xb, double yb, double xc, double yc);

// Levels and colours (ContourLevels::BuildLevels) and ContourValues, when there are
// LevNum != 0 levels, at least three triangles and at least two nodes; else nothing.
void BuildLevels(TContourMesh& mesh, TSectionContours& levels, std::string& warning);

// The node table: the line "X -Y  Z", then per node its plot x, its plot y with the
// sign reversed and its value, each right-aligned in 23 characters in the form
// " 1.50000000000000E+0000", separated by one blank; lines end with CR LF.
std::string XyzText(const TContourMesh& mesh);
// One number of the node table.
std::string XyzNumber(double v);

// ---- The contour picture ----

// How an axis maps a coordinate: unchanged, log10, or the sign-preserving LinLog
// transform sign(v) * log10(|v| / threshold + 1).
enum class TAxisTransform { Linear, Log, LinLog };
struct TAxisMapping {
  TAxisTransform Transform = TAxisTransform::Linear;
  double Threshold = 1.0;  // of LinLog
};
double PlotCoordinate(const TAxisMapping& mapping, double v);

// The plot coordinates x and y of nodes 1 .. NextNode - 1 from x0 and y0.
void SetPlotCoordinates(TContourMesh& mesh, const TAxisMapping& horizontal, const TAxisMapping& vertical);
// The picture extent from the plot coordinates and the pixels per plot unit; a zero
// extent is widened as the triangulation widens it.
void SetPictureScale(TContourMesh& mesh);
// Picture pixels of a plot coordinate: row 0 is the smallest y.
int32_t XToPixel(const TContourMesh& mesh, double x);
int32_t YToPixel(const TContourMesh& mesh, double y);

// A crossing of a level with a triangle edge, in plot coordinates.
struct TPlotPoint {
  double x = 0.0, y = 0.0;
};
// Whether the level lies strictly between the values at the ends of edge e of t.
bool LevelCrosses(const TContourMesh& mesh, int32_t t, int e, double level);
TPlotPoint Crossing(const TContourMesh& mesh, int32_t t, int e, double level);

// The smoothed curve of a level through triangle t from its crossing on edge p to
// its crossing on edge q: two half arcs about the crossings, meeting the curves of the
// neighbours across p and q at the middle of the arcs about the shared crossings.
std::vector<TPoint> CutCurve(const TContourMesh& mesh, int32_t t, int p, int q, double level);

// Fills triangle t band by band, with no outline.
void FillTriangle(const TContourMesh& mesh, const TSectionContours& levels, TCanvas& canvas, int32_t t);
// Traces and draws every level's isolines (open ones from the outline first, then the
// closed ones), each in its isoline colour; a level file may switch lines off.
void DrawIsolines(TContourMesh& mesh, const TSectionContours& levels, TCanvas& canvas);
// Draws a traced line through the plot points as arcs between the midpoints of its
// segments; a closed line ends with its start point and a repeat of it.
void DrawSmoothLine(const TContourMesh& mesh, TCanvas& canvas, std::vector<TPlotPoint> points, bool closed);

// Renders the bands and, with linesVisible, the isolines into picture, cleared and
// sized PictureWidth by PictureHeight. Nothing without levels or with fewer than three
// triangles (the picture stays as it was); false then.
bool RenderPicture(TContourMesh& mesh, const TSectionContours& levels, bool linesVisible, TMetafile& picture);

}  // namespace Contouring
