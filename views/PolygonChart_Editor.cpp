#include <algorithm>
#include <cmath>

#include "platform/ui/Dialogs.h"
#include "views/ModelSection.h"
#include "views/PolygonChartEditor.h"

namespace {

// Two models are the same when every polygon has the same node list and would be
// stored with the same property line.
bool SameModel(const AllSpolygon& a, const AllSpolygon& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].size() != b[i].size()) return false;
    for (size_t j = 0; j < a[i].size(); ++j)
      if (a[i][j].Nodes != b[i][j].Nodes ||
          ModelSection::PropertiesToStr(a[i][j].Props) != ModelSection::PropertiesToStr(b[i][j].Props))
        return false;
  }
  return true;
}

bool ValidPolygon(const AllSpolygon& model, int32_t body, int32_t polygon) {
  return body >= 0 && static_cast<size_t>(body) < model.size() && polygon >= 0 &&
         static_cast<size_t>(polygon) < model[static_cast<size_t>(body)].size();
}

}  // namespace

TPolygonModelEditor::TPolygonModelEditor() = default;

complexM TPolygonModelEditor::NodePoint(int32_t Node) const {
  if (Node < 0 || static_cast<size_t>(Node) >= ModelNodes.size()) return {};
  const Tnode& n = ModelNodes[static_cast<size_t>(Node)];
  return {n.X, n.Depth};
}

// ---------------------------------------------------------------- model and bounds

void TPolygonModelEditor::SetRelief(const arofcomplexM& ReliefPoints) {
  arofcomplexM points = ReliefPoints;
  if (points.size() >= 2) {
    double highest = points[0].z;
    for (const complexM& p : points) highest = std::max(highest, p.z);
    for (complexM& p : points) p.z = highest - p.z;
  }
  Relief = std::move(points);
}

void TPolygonModelEditor::NewModel(const arofcomplexM& ReliefPoints, bool ReliefOn, double AXMin, double AXMax,
                                   double AZMin, double AZMax) {
  SetRelief(ReliefPoints);
  ModelPolygonsCopy.clear();
  ModelNodesCopy.clear();
  UndoModels.clear();
  UndoNodes.clear();
  UndoBounds.clear();
  UndoStamps.clear();
  ShowRelief({}, 0.0);
  SetModelBounds(true, AXMin, AXMax, AZMin, AZMax);
  HasRelief = ReliefOn;
  Tnodes nodes;
  SPolygon body;
  Polygons::BuildStartModel(nodes, body, Relief, XMin, XMax, ZMin, ZMax, HasRelief);
  ModelNodes = Polygons::CopyNodes(nodes);
  ModelPolygons = {Polygons::CopySPolygon(body)};
  HasModel = true;
  ShapesClear();
  ClearSelection();
  PushUndo();
  // The working copy holds the new model at once, so that a refused first edit falls
  // back to it instead of keeping what the refused edit left behind.
  BackupModel();
  RedrawModel();
  UpdateAxisScales();
}

void TPolygonModelEditor::SetModelBounds(bool Keep, double AXMin, double AXMax, double AZMin, double AZMax) {
  (void)AZMin;  // the top of the model stays where it is
  double minX = 0.0, maxX = 0.0, maxDepth = 0.0;
  Polygons::InteriorExtent(ModelNodes, minX, maxX, maxDepth);
  const double left = AXMin <= minX ? AXMin : XMin;
  const double right = AXMax >= maxX ? AXMax : XMax;
  const double bottom = AZMax >= maxDepth ? AZMax : ZMax;
  // Bounds that are no numbers or leave no room would turn the frame inside out.
  if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(bottom) || !(left < right) ||
      !(ZMin < bottom))
    return;
  if (!Keep && HasModel)
    Polygons::RefitModel(Relief, HasRelief, ModelPolygons, ModelNodes, ZMax, ZMin, XMax, XMin, bottom, ZMin, right,
                         left);
  XMin = left;
  XMax = right;
  ZMax = bottom;
  ApplyBoundsToAxes();
  Polygons::MoveBorderNodes(ModelNodes, ZMax, ZMin, XMax, XMin);
  RedrawModel();
}

bool TPolygonModelEditor::ShapeLabel(const Polygon& P, std::string& Text) const {
  auto value = [&](int index) {
    return Supermath2d::FloatToStrDec(1, 1, P.Props[static_cast<size_t>(index)].AsDouble());
  };
  switch (P.Props[Polygons::PropLabelMode].AsInt()) {
    case 0: Text = " "; return true;
    case 1:
      Text = value(LabelQuantity == 1 ? Polygons::PropPolarizability : Polygons::PropResistivity);
      return true;
    case 2:
      Text = value(Polygons::PropResistivity);
      if (LabelHasIP) Text += "/" + value(Polygons::PropPolarizability);
      return true;
    case 3:
      Text = value(Polygons::PropResistivity) + "/" + value(Polygons::PropPolarizability) + "/" +
             value(Polygons::PropDensity) + "/" + value(Polygons::PropSusceptibility);
      return true;
    case 4: Text = P.Props[Polygons::PropUserText].AsString(); return true;
    default: return false;
  }
}

void TPolygonModelEditor::StyleShape(int32_t Body, int32_t PolygonIndex, int32_t Shape) {
  if (!ValidPolygon(ModelPolygons, Body, PolygonIndex) || Shape < 0 || Shape >= ShapeCount()) return;
  const Polygon& p = ModelPolygons[static_cast<size_t>(Body)][static_cast<size_t>(PolygonIndex)];
  std::string text;
  ShapeApplyStyle(Shape, p, ShapeLabel(p, text) ? &text : nullptr);
}

void TPolygonModelEditor::AddShape(int32_t Body, int32_t PolygonIndex) {
  if (!ValidPolygon(ModelPolygons, Body, PolygonIndex)) return;
  Polygon& p = ModelPolygons[static_cast<size_t>(Body)][static_cast<size_t>(PolygonIndex)];
  arofcomplexM points;
  for (int32_t n : p.Nodes) points.push_back(NodePoint(n));
  const int32_t shape = ShapesAdd(points);
  StyleShape(Body, PolygonIndex, shape);
  p.Props[Polygons::PropShapeId] = ShapeIdAt(shape);
}

void TPolygonModelEditor::RedrawModel() {
  ShapesClear();
  for (size_t i = 0; i < ModelPolygons.size(); ++i)
    for (size_t j = 0; j < ModelPolygons[i].size(); ++j) {
      if (i == 0 && j == 0) {
        static const PropValue noShape(int32_t{-1});
        ModelPolygons[0][0].Props[Polygons::PropShapeId] = noShape;
        continue;
      }
      AddShape(static_cast<int32_t>(i), static_cast<int32_t>(j));
    }
  arofcomplexM relief;
  double origin = -100.0;
  if (!HasRelief) {
    origin = 0.0;
    relief = {{XMin, 0.0}, {XMax, 0.0}};
  } else if (!ModelPolygons.empty() && !ModelPolygons[0].empty()) {
    // The ground: the outline from the top-right corner (node 3) to the top-left one (node 0).
    const arofintM& outline = ModelPolygons[0][0].Nodes;
    const auto start = std::find(outline.begin(), outline.end(), 3);
    for (auto it = start; it != outline.end(); ++it) {
      relief.push_back(NodePoint(*it));
      if (*it == 0) break;
    }
  }
  ShowRelief(relief, origin);
}

void TPolygonModelEditor::RefreshShapes(const arofintM& Bodies, const arofintM& PolygonIndices,
                                        const arofintM& Shapes) {
  const size_t count = std::min({Bodies.size(), PolygonIndices.size(), Shapes.size()});
  for (size_t k = 0; k < count; ++k) {
    const int32_t shape = Shapes[k];
    if (shape < 0 || shape >= ShapeCount() || !ValidPolygon(ModelPolygons, Bodies[k], PolygonIndices[k])) continue;
    Polygon& p = ModelPolygons[static_cast<size_t>(Bodies[k])][static_cast<size_t>(PolygonIndices[k])];
    arofcomplexM points;
    for (int32_t n : p.Nodes) points.push_back(NodePoint(n));
    ShapeSetPoints(shape, points);
    StyleShape(Bodies[k], PolygonIndices[k], shape);
    p.Props[Polygons::PropShapeId] = ShapeIdAt(shape);
  }
}

void TPolygonModelEditor::RefreshBodyShapes(int32_t Body) {
  arofintM ids, polygons, bodies;
  Polygons::BodyShapes(Body, ModelPolygons, ids, polygons, bodies);
  const arofintM shapes = ShapesOfIds(ids, bodies, polygons);
  RefreshShapes(bodies, polygons, shapes);
}

void TPolygonModelEditor::StoreShapeStyle(int32_t Body, int32_t PolygonIndex, int32_t Shape) {
  if (!ValidPolygon(ModelPolygons, Body, PolygonIndex) || Shape < 0 || Shape >= ShapeCount()) return;
  PolygonProps& props = ModelPolygons[static_cast<size_t>(Body)][static_cast<size_t>(PolygonIndex)].Props;
  TColor color = 0;
  std::string brush, pen, gradient, text;
  ShapeReadStyle(Shape, color, brush, pen, gradient, text);
  props[Polygons::PropColor] = int32_t{color};
  props[Polygons::PropBrush] = brush;
  props[Polygons::PropPen] = pen;
  props[Polygons::PropGradient] = gradient;
  props[Polygons::PropUserText] = text;
  for (int i : {5, 6, 9, 14, 15, 16, 17, 18}) props[static_cast<size_t>(i)] = std::string();
}

int32_t TPolygonModelEditor::ShapeIndexOf(int32_t Body, int32_t PolygonIndex) const {
  if (!ValidPolygon(ModelPolygons, Body, PolygonIndex)) return -1;
  const int32_t id =
      ModelPolygons[static_cast<size_t>(Body)][static_cast<size_t>(PolygonIndex)].Props[Polygons::PropShapeId].AsInt();
  int32_t found = -1;
  for (int32_t s = 0; s < ShapeCount(); ++s)
    if (ShapeIdAt(s) == id) found = s;
  return found;
}

arofintM TPolygonModelEditor::ShapesOfIds(const arofintM& Ids, arofintM& Bodies, arofintM& PolygonIndices) const {
  arofintM shapes, bodies, polygons;
  for (size_t i = 0; i < Ids.size(); ++i) {
    if (Ids[i] == -1) continue;
    int32_t found = -1;
    for (int32_t s = 0; s < ShapeCount() && found < 0; ++s)
      if (ShapeIdAt(s) == Ids[i]) found = s;
    if (found < 0) continue;
    shapes.push_back(found);
    if (i < Bodies.size()) bodies.push_back(Bodies[i]);
    if (i < PolygonIndices.size()) polygons.push_back(PolygonIndices[i]);
  }
  Bodies = std::move(bodies);
  PolygonIndices = std::move(polygons);
  return shapes;
}

void TPolygonModelEditor::ReorderSelectedShapes(arofintM& Shapes) {
  arofintM ids;
  for (int32_t s : Shapes) ids.push_back(ShapeIdAt(s));
  auto indexOf = [&](int32_t id) {
    for (int32_t s = 0; s < ShapeCount(); ++s)
      if (ShapeIdAt(s) == id) return s;
    return -1;
  };
  // Each shape's current index is looked up by its id, since the swaps before it
  // have moved the shapes behind it.
  for (size_t i = 0; i < ids.size(); ++i) {
    const int32_t s = indexOf(ids[i]);
    if (s < 0) continue;
    const auto target = static_cast<int32_t>(i);
    for (int32_t c = std::max(s, target), n = std::abs(s - target); n > 0; --n, --c) ShapesSwap(c, c - 1);
  }
  for (size_t i = 0; i < ids.size(); ++i) Shapes[i] = indexOf(ids[i]);
}

// ---------------------------------------------------------------- undo and working copy

void TPolygonModelEditor::PushUndo() {
  const int32_t limit = std::max<int32_t>(UndoLimit, 1);
  int32_t largest = -1;
  for (int32_t s : UndoStamps) largest = std::max(largest, s);
  size_t slot = 0;
  if (UndoStamps.size() < static_cast<size_t>(limit)) {
    slot = UndoStamps.size();
    UndoStamps.push_back(-1);
    UndoModels.emplace_back();
    UndoNodes.emplace_back();
    UndoBounds.emplace_back();
  } else {
    // The oldest slot (free slots carry -1 and go first) takes the new snapshot.
    int32_t smallest = 100000;
    for (size_t k = 0; k < UndoStamps.size(); ++k)
      if (UndoStamps[k] < smallest) {
        smallest = UndoStamps[k];
        slot = k;
      }
  }
  UndoStamps[slot] = largest + 1;
  UndoModels[slot] = Polygons::CopyAllSpolygon(ModelPolygons);
  UndoNodes[slot] = Polygons::CopyNodes(ModelNodes);
  UndoBounds[slot] = {XMin, XMax, ZMin, ZMax};
  UndoTopDropped = false;
}

void TPolygonModelEditor::Undo() {
  if (!HasModel) return;
  // A provisional edit is dropped first: the snapshot below replaces it anyway.
  ClearSelection();
  for (;;) {
    size_t newest = 0;
    int32_t stamp = -1;
    for (size_t k = 0; k < UndoStamps.size(); ++k)
      if (UndoStamps[k] > stamp) {
        stamp = UndoStamps[k];
        newest = k;
      }
    if (stamp < 0) return;
    ModelPolygons = Polygons::CopyAllSpolygon(UndoModels[newest]);
    ModelNodes = Polygons::CopyNodes(UndoNodes[newest]);
    XMin = UndoBounds[newest].XMin;
    XMax = UndoBounds[newest].XMax;
    ZMin = UndoBounds[newest].ZMin;
    ZMax = UndoBounds[newest].ZMax;
    const auto live = std::count_if(UndoStamps.begin(), UndoStamps.end(), [](int32_t s) { return s != -1; });
    if (live > 1) UndoStamps[newest] = -1;
    if (UndoTopDropped) break;
    UndoTopDropped = true;
  }
  PushUndo();
  RedrawModel();
  EditPending = false;
  // The restored state is the new working copy; a refused edit after the undo must not
  // bring back the state that was undone.
  BackupModel();
  ShowFeedback();
}

void TPolygonModelEditor::BackupModel() {
  ModelPolygonsCopy = Polygons::CopyAllSpolygon(ModelPolygons);
  ModelNodesCopy = Polygons::CopyNodes(ModelNodes);
}

void TPolygonModelEditor::RestoreBackup() {
  if (ModelNodesCopy.empty()) return;
  ModelPolygons = Polygons::CopyAllSpolygon(ModelPolygonsCopy);
  ModelNodes = Polygons::CopyNodes(ModelNodesCopy);
}

void TPolygonModelEditor::DoChangeModel() {
  if (onchangemodel) onchangemodel(ChartSender());
}

TColor TPolygonModelEditor::NodeColor(const Tnode& Node) const {
  if (Node.Border > 0) return NodeColorBorder;
  if (Node.Fixed) return NodeColorFixed;
  return Node.Kind == Polygons::KindInternal ? NodeColorInternal : NodeColorFree;
}

bool TPolygonModelEditor::ConfirmSubPolygon() {
  return Dialogs::MessageDlg("Correct polygon?", TMsgDlgType::mtConfirmation,
                             {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mrNo;
}

// ---------------------------------------------------------------- body dialog

void TPolygonModelEditor::ShowBodyDialog(int32_t Shape, int32_t Body, int32_t PolygonIndex) {
  if (OnShowBodyDialog) OnShowBodyDialog(Shape, Body, PolygonIndex);
}

bool TPolygonModelEditor::EditBodyAtCursor() {
  if (!HasModel) return false;
  int32_t body = -1, polygon = -1;
  if (!Polygons::FindPolygonAt(ModelPolygons, body, polygon, ModelNodes, CursorPoint.x, CursorPoint.z)) return false;
  // A pending edit is dropped before the dialog sees the model.
  if (EditPending) {
    RestoreBackup();
    RedrawModel();
    EditPending = false;
  }
  const AllSpolygon before = Polygons::CopyAllSpolygon(ModelPolygons);
  ShowBodyDialog(ShapeIndexOf(body, polygon), body, polygon);
  // A dialog closed without a change leaves no undo step behind.
  if (!SameModel(before, ModelPolygons)) {
    PushUndo();
    DoChangeModel();
  }
  EditPending = false;
  BackupModel();
  ResetEditState();
  return true;
}

// ---------------------------------------------------------------- model section

bool TPolygonModelEditor::WriteModel(const std::string& FileName, int32_t LinesToKeep, std::string& Message) const {
  ModelSection::TModelSection s;
  s.StartResistivity = StartResistivity;
  s.StartPolarizability = StartPolarizability;
  s.XMin = XMin;
  s.XMax = XMax;
  s.ZMin = ZMin;
  s.ZMax = ZMax;
  s.HasRelief = HasRelief;
  s.Relief = Relief;
  s.ModelNodes = ModelNodes;
  s.ModelPolygons = ModelPolygons;
  return ModelSection::WriteSectionFile(FileName, LinesToKeep, s, Message);
}

bool TPolygonModelEditor::ReadModel(const std::string& FileName, std::string& Message) {
  Message.clear();
  ModelSection::TModelSection s;
  if (ModelSection::ReadSectionFile(FileName, s, Message) != ModelSection::TReadResult::Read) return false;
  ClearSelection();
  StartResistivity = s.StartResistivity;
  StartPolarizability = s.StartPolarizability;
  XMin = s.XMin;
  XMax = s.XMax;
  ZMin = s.ZMin;
  ZMax = s.ZMax;
  HasRelief = s.HasRelief;
  Relief = std::move(s.Relief);
  ModelNodes = std::move(s.ModelNodes);
  ModelPolygons = std::move(s.ModelPolygons);
  HasModel = true;
  UndoModels.clear();
  UndoNodes.clear();
  UndoBounds.clear();
  UndoStamps.clear();
  PushUndo();
  BackupModel();
  return true;
}

// ---------------------------------------------------------------- computation mesh

ComputationMesh::TMeshModel TPolygonModelEditor::MeshModel() const {
  ComputationMesh::TMeshModel m;
  m.XMin = XMin;
  m.XMax = XMax;
  m.ZMin = ZMin;
  m.ZMax = ZMax;
  m.HasRelief = HasRelief;
  m.Relief = Relief;
  return m;
}

bool TPolygonModelEditor::BuildComputationMesh(bool ExponentFlag, AllSpolygon& Polygons, double HalfSpacing,
                                               double FactorX, double StartXStep, double FactorZ,
                                               double StartZStep, Tnodes& Nodes, std::string& Message) {
  ComputationMesh::TMeshSettings settings;
  settings.ExponentFlag = ExponentFlag;
  settings.HalfSpacing = HalfSpacing;
  settings.FactorX = FactorX;
  settings.StartXStep = StartXStep;
  settings.FactorZ = FactorZ;
  settings.StartZStep = StartZStep;
  double offset = MeshFrameOffset;
  if (!ComputationMesh::BuildComputationMesh(MeshModel(), settings, Polygons, Nodes, offset, Message)) return false;
  MeshFrameOffset = offset;
  return true;
}

bool TPolygonModelEditor::BuildGravMagMesh(AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) const {
  return ComputationMesh::BuildGravMagMesh(MeshModel(), MeshFrameOffset, Polygons, Nodes, Message);
}
