#include <algorithm>
#include <cmath>

#include "views/PolygonChartEditor.h"

namespace {

// Pick distances in screen pixels.
constexpr double HoverRadius = 7.0;
constexpr double FirstPickRadius = 5.0;
constexpr double SecondPickRadius = 3.0;
constexpr double AddNodeRadius = 4.0;

}  // namespace

// ---------------------------------------------------------------- mouse

void TPolygonModelEditor::CursorMoved(int32_t PixelX, int32_t PixelY, double X, double Z, bool Editing) {
  if (!HasModel) return;
  CursorPixelX = PixelX;
  CursorPixelY = PixelY;
  CursorX = X;
  CursorZ = Z;
  CursorPoint = {X, Z};
  if (OnCursorStatus) OnCursorStatus(ChartSender());
  if (!Editing) return;
  EditStep(ModelEditMode, true, X, Z, false);
  ShowFeedback();
}

void TPolygonModelEditor::ButtonPressed(TMouseButton Button) {
  if (!HasModel) return;
  if (Button == TMouseButton::mbLeft) {
    EditStep(ModelEditMode, false, CursorX, CursorZ, false);
  } else if (Button == TMouseButton::mbRight) {
    if (EditStep(ModelEditMode, false, CursorX, CursorZ, true)) {
      BackupModel();
      PushUndo();
      ClearSelection();
      DoChangeModel();
    }
  }
  ShowFeedback();
}

void TPolygonModelEditor::RestoreHighlight() {
  for (int32_t s = 0; s < ShapeCount(); ++s)
    if (ShapePenColor(s) == clRed) ShapeSetPenColor(s, HighlightPenColor);
}

void TPolygonModelEditor::ClearSelection() {
  EditPending = false;
  OutlinePoints.clear();
  RubberPoints.clear();
  DrawnOutline.clear();
  PickNodeA = PickNodeB = PickPolygon = PickBody = -1;
  SelShapes.clear();
  SelBodies.clear();
  SelPolygons.clear();
  MoveNodes.clear();
  RestoreHighlight();
  ShowFeedback();
}

void TPolygonModelEditor::ResetEditState() {
  UpdateAxisScales();
  if (EditPending) {
    RestoreBackup();
    RedrawModel();
  }
  ClearSelection();
  BackupModel();
}

bool TPolygonModelEditor::CancelPendingEdit() {
  if (!EditPending && DrawnOutline.empty() && PickNodeA < 0) return false;
  RestoreBackup();
  RedrawModel();
  ClearSelection();
  return true;
}

// ---------------------------------------------------------------- recurring steps

void TPolygonModelEditor::ShowNodeAndCursor(int32_t Node, double X, double Z) {
  OutlinePoints = {NodePoint(Node), {X, Z}};
}

void TPolygonModelEditor::SetRubberPoint(size_t Index, const complexM& P) {
  if (Index < RubberPoints.size()) RubberPoints[Index] = P;
}

void TPolygonModelEditor::NodeHover(double X, double Z, bool BorderClears) {
  double plain = 0.0, distance = 0.0;
  PickNodeA = Polygons::NearestNode({X, Z}, ModelNodes, plain, distance, PixelsPerX, PixelsPerZ);
  const bool offered = PickNodeA >= 0 && distance <= HoverRadius &&
                       !(BorderClears && ModelNodes[static_cast<size_t>(PickNodeA)].Border != Polygons::BorderNone);
  if (!offered) {
    EditPending = false;
    PickNodeA = -1;
    OutlinePoints.clear();
    return;
  }
  EditPending = true;
  ShowNodeAndCursor(PickNodeA, X, Z);
}

void TPolygonModelEditor::EdgeHover(double X, double Z, double Threshold) {
  double distance = 0.0;
  bool nearEnd = false;
  int32_t body = -1, a = -1, b = -1;
  const int32_t end =
      Polygons::NearestEdge({X, Z}, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ, nearEnd, body, a, b);
  if (nearEnd && end >= 0)
    OutlinePoints = {NodePoint(end)};
  else if (a >= 0 && distance < Threshold)
    OutlinePoints = {NodePoint(a), NodePoint(b)};
  else
    OutlinePoints.clear();
}

void TPolygonModelEditor::PolygonHover(double X, double Z) {
  Polygons::FindPolygonAt(ModelPolygons, PickBody, PickPolygon, ModelNodes, X, Z);
  const bool highlighted =
      HighlightShape >= 0 && HighlightShape < ShapeCount() && ShapePenColor(HighlightShape) == clRed;
  if (PickBody < 0) {
    SelShapes.clear();
    if (highlighted) ShapeSetPenColor(HighlightShape, HighlightPenColor);
    return;
  }
  arofintM ids;
  Polygons::SubPolygonShape(PickBody, PickPolygon, ModelPolygons, ids, SelPolygons, SelBodies);
  SelShapes = ShapesOfIds(ids, SelBodies, SelPolygons);
  const int32_t found = SelShapes.empty() ? -1 : SelShapes[0];
  if (highlighted && HighlightShape != found) ShapeSetPenColor(HighlightShape, HighlightPenColor);
  if (found >= 0 && ShapePenColor(found) != clRed) {
    HighlightPenColor = ShapePenColor(found);
    HighlightShape = found;
    ShapeSetPenColor(found, clRed);
  }
}

bool TPolygonModelEditor::NewNodeOnEdge(int32_t NodeA, int32_t NodeB, int32_t Body, double X, double Z) {
  return Polygons::InsertNodeOnEdge(NodeA, NodeB, Body, {X, Z}, ModelPolygons, ModelNodes, PixelsPerX, PixelsPerZ);
}

void TPolygonModelEditor::SelectShapesUsing(const arofintM& Nodes, int32_t Body) {
  // The moved nodes may be shared with other bodies; their shapes follow as well.
  arofintM ids, bodies, polygons;
  Polygons::ShapesUsingNodes(Nodes, Body, ModelPolygons, ids, bodies, polygons, ModelNodes);
  for (size_t b = 0; b < ModelPolygons.size(); ++b) {
    if (static_cast<int32_t>(b) == Body) continue;
    arofintM moreIds, moreBodies, morePolygons;
    Polygons::ShapesUsingNodes(Nodes, static_cast<int32_t>(b), ModelPolygons, moreIds, moreBodies, morePolygons,
                               ModelNodes);
    ids.insert(ids.end(), moreIds.begin(), moreIds.end());
    bodies.insert(bodies.end(), moreBodies.begin(), moreBodies.end());
    polygons.insert(polygons.end(), morePolygons.begin(), morePolygons.end());
  }
  SelShapes = ShapesOfIds(ids, bodies, polygons);
  SelBodies = std::move(bodies);
  SelPolygons = std::move(polygons);
  ReorderSelectedShapes(SelShapes);
}

// ---------------------------------------------------------------- the state machine

bool TPolygonModelEditor::EditStep(int32_t Mode, bool Move, double X, double Z, bool Right) {
  if (!HasModel) return false;
  switch (Mode) {
    case pemAddPolygon: return StepAddPolygon(Move, X, Z, Right);
    case pemAddSubPolygon: return StepAddSubPolygon(Move, X, Z, Right);
    case pemDividePolygon: return StepDividePolygon(Move, X, Z, Right);
    case pemUncoupleNodes:
    case pemDeleteNode:
    case pemFixNode: return StepNodeOperation(Mode, Move, X, Z, Right);
    case pemMoveNode: return StepMoveNode(Move, X, Z, Right);
    case pemCoupleNodes: return StepCoupleNodes(Move, X, Z, Right);
    case pemAddNode: return StepAddNode(Move, X, Z, Right);
    case pemDeleteSubPolygon:
    case pemUncoupleSubPolygon: return StepPolygonOperation(Mode, Move, X, Z, Right);
    case pemMovePolygon:
    case pemMoveSubPolygon: return StepMovePolygon(Mode, Move, X, Z, Right);
    default: return false;
  }
}

bool TPolygonModelEditor::StepAddPolygon(bool Move, double X, double Z, bool Right) {
  if (Move) {
    SetRubberPoint(1, {X, Z});
    return false;
  }
  if (!(XMin < X && X < XMax && ZMin < Z && Z < ZMax)) return false;
  bool result = false;
  const complexM p{X, Z};
  // A right click on the first point closes the outline as it is: that point is
  // already its first node and is not added a second time.
  if (Right && DrawnOutline.size() >= 3) {
    const complexM& first = DrawnOutline.front();
    if (std::hypot((X - first.x) * PixelsPerX, (Z - first.z) * PixelsPerZ) <= HoverRadius) {
      if (Polygons::CheckNewPolygonPoint(DrawnOutline, ModelPolygons, ModelNodes, true)) result = AddDrawnPolygon();
      SetRubberPoint(0, DrawnOutline.front());
      SetRubberPoint(2, DrawnOutline.back());
      return result;
    }
  }
  DrawnOutline.push_back(p);
  if (!Polygons::CheckNewPolygonPoint(DrawnOutline, ModelPolygons, ModelNodes, false)) {
    DrawnOutline.pop_back();
  } else {
    EditPending = true;
    OutlinePoints.push_back(p);
    if (DrawnOutline.size() == 1) RubberPoints = {p, p, p};
    // A closing point that cannot close the outline (its closing edge crosses the
    // outline or a body) is taken back; the drawing goes on.
    if (Right && !(Polygons::CheckNewPolygonPoint(DrawnOutline, ModelPolygons, ModelNodes, true) &&
                   (result = AddDrawnPolygon()))) {
      DrawnOutline.pop_back();
      if (!OutlinePoints.empty()) OutlinePoints.pop_back();
    }
  }
  if (!DrawnOutline.empty()) {
    SetRubberPoint(0, DrawnOutline.front());
    SetRubberPoint(2, DrawnOutline.back());
  }
  return result;
}

bool TPolygonModelEditor::StepAddSubPolygon(bool Move, double X, double Z, bool Right) {
  if (Move) {
    if (!DrawnOutline.empty()) SetRubberPoint(1, {X, Z});
    return false;
  }
  bool result = false;
  const complexM p{X, Z};
  const bool picked = PickNodeA >= 0;
  if (!Right && picked) {
    DrawnOutline.push_back(p);
    if (Polygons::CheckNewPolygonPoint(DrawnOutline, ModelPolygons, ModelNodes, false))
      OutlinePoints.push_back(p);
    else
      DrawnOutline.pop_back();
  }
  if (!picked) {
    double distance = 0.0;
    bool nearEnd = false;
    int32_t body = -1, a = -1, b = -1;
    const int32_t end = Polygons::NearestExternalEdge(p, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ,
                                                      nearEnd, body, a, b);
    int32_t node = -1;
    if (nearEnd && end >= 0)
      node = end;
    else if (!nearEnd && a >= 0 && distance < FirstPickRadius && NewNodeOnEdge(a, b, body, X, Z))
      node = static_cast<int32_t>(ModelNodes.size()) - 1;
    if (node >= 0) {
      EditPending = true;
      PickBody = body;
      PickNodeA = node;
      DrawnOutline = {NodePoint(node)};
      OutlinePoints = DrawnOutline;
    }
  }
  if (Right && picked) {
    double distance = 0.0;
    bool nearEnd = false;
    int32_t body = -1, a = -1, b = -1;
    const int32_t end = Polygons::NearestExternalEdge(p, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ,
                                                      nearEnd, body, a, b);
    bool attempted = false;
    if (nearEnd && end >= 0 && body == PickBody) {
      attempted = true;
      PickNodeB = end;
      DrawnOutline.push_back(NodePoint(end));
      result = AddDrawnSubPolygon(PickNodeA, PickNodeB, DrawnOutline, PickBody);
    } else if (!nearEnd && a >= 0 && distance < SecondPickRadius && body == PickBody) {
      attempted = true;
      if (NewNodeOnEdge(a, b, body, X, Z)) {
        PickNodeB = static_cast<int32_t>(ModelNodes.size()) - 1;
        DrawnOutline.push_back(NodePoint(PickNodeB));
        if (Polygons::CheckNewPolygonPoint(DrawnOutline, ModelPolygons, ModelNodes, false))
          result = AddDrawnSubPolygon(PickNodeA, PickNodeB, DrawnOutline, PickBody);
      }
    }
    if (result) {
      OutlinePoints.push_back(DrawnOutline.back());
    } else if (attempted) {
      RestoreBackup();
      RedrawModel();
      ClearSelection();
    }
  }
  if (DrawnOutline.size() == 1 && RubberPoints.empty())
    RubberPoints = {DrawnOutline[0], DrawnOutline[0]};
  else if (DrawnOutline.size() > 1 && !RubberPoints.empty())
    SetRubberPoint(0, DrawnOutline.back());
  return result;
}

bool TPolygonModelEditor::StepDividePolygon(bool Move, double X, double Z, bool Right) {
  if (Move) {
    if (PickNodeA >= 0) SetRubberPoint(1, {X, Z});
    EdgeHover(X, Z, SecondPickRadius);
    return false;
  }
  const complexM p{X, Z};
  double distance = 0.0;
  bool nearEnd = false;
  int32_t body = -1, a = -1, b = -1;
  const int32_t end =
      Polygons::NearestEdge(p, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ, nearEnd, body, a, b);
  if (PickNodeA < 0) {
    int32_t node = -1;
    if (nearEnd && end >= 0)
      node = end;
    else if (!nearEnd && a >= 0 && distance < SecondPickRadius && NewNodeOnEdge(a, b, body, X, Z))
      node = static_cast<int32_t>(ModelNodes.size()) - 1;
    if (node >= 0) {
      EditPending = true;
      PickBody = body;
      PickNodeA = node;
      RubberPoints = {NodePoint(node), NodePoint(node)};
      OutlinePoints = {NodePoint(node)};
    }
    return false;
  }
  if (!Right) return false;
  bool result = false;
  if (nearEnd && end >= 0 && body == PickBody) {
    PickNodeB = end;
    result = DividePolygonAt(PickNodeA, PickNodeB, PickBody);
  } else if (!nearEnd && a >= 0 && distance < SecondPickRadius && body == PickBody &&
             NewNodeOnEdge(a, b, body, X, Z)) {
    PickNodeB = static_cast<int32_t>(ModelNodes.size()) - 1;
    result = DividePolygonAt(PickNodeA, PickNodeB, PickBody);
  }
  if (!result) {
    // The first pick may have put a new node on an edge; it goes with the refusal.
    RestoreBackup();
    RedrawModel();
    ClearSelection();
  }
  return result;
}

bool TPolygonModelEditor::StepNodeOperation(int32_t Mode, bool Move, double X, double Z, bool Right) {
  if (Move) {
    NodeHover(X, Z, Mode == pemFixNode);
    return false;
  }
  if (PickNodeA < 0) return false;
  // A left click only shows the node the right click will change.
  if (!Right) {
    OutlinePoints = {NodePoint(PickNodeA)};
    return false;
  }
  int32_t body = -1;
  Polygons::BodyOfNode(PickNodeA, body, ModelPolygons);
  switch (Mode) {
    case pemUncoupleNodes: return SplitNodeAt(PickNodeA, body);
    case pemDeleteNode: return DeleteNodeAt(PickNodeA, body);
    default: {
      Tnode& node = ModelNodes[static_cast<size_t>(PickNodeA)];
      if (node.Border != Polygons::BorderNone) return false;
      node.Fixed = node.Fixed ? 0 : 1;
      return true;
    }
  }
}

bool TPolygonModelEditor::StepMoveNode(bool Move, double X, double Z, bool Right) {
  if (Move) {
    if (PickNodeA >= 0 && NodeMoveConstrained)
      Polygons::ConstrainNodeMove(PickNodeA, Relief, HasRelief, ModelNodes, ModelPolygons, Z, X, ZMax, ZMin, XMax,
                                  XMin);
    if (EditPending && PickNodeA >= 0) {
      Tnode& node = ModelNodes[static_cast<size_t>(PickNodeA)];
      node.X = X;
      node.Depth = Z;
      RefreshShapes(SelBodies, SelPolygons, SelShapes);
      OutlinePoints.clear();
    } else {
      double plain = 0.0, distance = 0.0;
      PickNodeA = Polygons::NearestNode({X, Z}, ModelNodes, plain, distance, PixelsPerX, PixelsPerZ);
      OutlinePoints.clear();
      if (PickNodeA >= 0 && distance > HoverRadius)
        PickNodeA = -1;
      else if (PickNodeA >= 0)
        ShowNodeAndCursor(PickNodeA, X, Z);
    }
    return false;
  }
  if (PickNodeA < 0) return false;
  if (!Right && !EditPending) {
    NodeMoveConstrained = false;
    const Tnode& node = ModelNodes[static_cast<size_t>(PickNodeA)];
    if (node.Fixed) return false;
    if (node.Border != Polygons::BorderNone) {
      double x = X, z = Z;
      NodeMoveConstrained =
          Polygons::ConstrainNodeMove(PickNodeA, Relief, HasRelief, ModelNodes, ModelPolygons, z, x, ZMax, ZMin,
                                      XMax, XMin);
      if (!NodeMoveConstrained) return false;
    }
    EditPending = true;
    Polygons::BodyOfNode(PickNodeA, PickBody, ModelPolygons);
    SelectShapesUsing({PickNodeA}, PickBody);
    return false;
  }
  if (!Right || !EditPending) return false;
  const bool onRelief = ModelNodes[static_cast<size_t>(PickNodeA)].Border == Polygons::BorderSurface;
  if (onRelief) Polygons::UpdateReliefPolygons(PickNodeA, HasRelief, ModelPolygons, ModelNodes);
  const bool result = AcceptMovedNodes({PickNodeA}, PickBody, 0);
  if (result && onRelief)
    RedrawModel();  // the ground line follows the relief node
  else
    RefreshShapes(SelBodies, SelPolygons, SelShapes);
  return result;
}

bool TPolygonModelEditor::StepCoupleNodes(bool Move, double X, double Z, bool Right) {
  if (Move) {
    if (PickNodeA >= 0) {
      EdgeHover(X, Z, HoverRadius);
      SetRubberPoint(1, {X, Z});
    } else {
      double plain = 0.0, distance = 0.0;
      const int32_t n = Polygons::NearestNode({X, Z}, ModelNodes, plain, distance, PixelsPerX, PixelsPerZ);
      if (n >= 0 && distance < HoverRadius)
        ShowNodeAndCursor(n, X, Z);
      else
        OutlinePoints.clear();
    }
    return false;
  }
  double plain = 0.0, distance = 0.0;
  const int32_t nearest = Polygons::NearestNode({X, Z}, ModelNodes, plain, distance, PixelsPerX, PixelsPerZ);
  if (PickNodeA < 0) {
    if (nearest < 0) return false;
    const Tnode& node = ModelNodes[static_cast<size_t>(nearest)];
    if (node.Fixed || node.Border != Polygons::BorderNone || distance >= FirstPickRadius) return false;
    EditPending = true;
    PickNodeA = nearest;
    RubberPoints = {NodePoint(nearest), NodePoint(nearest)};
    OutlinePoints = {NodePoint(nearest)};
    return false;
  }
  if (!Right) return false;
  PickNodeB = nearest >= 0 && distance < SecondPickRadius ? nearest : -1;
  const bool result = CoupleNodes(PickNodeA, PickNodeB, {X, Z});
  if (!result) {
    RestoreBackup();
    RedrawModel();
    ClearSelection();
  }
  return result;
}

bool TPolygonModelEditor::StepAddNode(bool Move, double X, double Z, bool Right) {
  double distance = 0.0;
  bool nearEnd = false;
  int32_t body = -1, a = -1, b = -1;
  if (Move) {
    EditPending = true;
    Polygons::NearestEdge({X, Z}, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ, nearEnd, body, a, b);
    if (!nearEnd && a >= 0 && distance < AddNodeRadius) {
      OutlinePoints = {NodePoint(a), NodePoint(b)};
      PickNodeA = a;
      PickNodeB = b;
      PickBody = body;
    } else {
      OutlinePoints.clear();
      PickNodeA = PickNodeB = -1;
    }
    return false;
  }
  if (!Right || PickNodeA < 0) return false;
  Polygons::NearestEdge({X, Z}, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ, nearEnd, body, a, b);
  if (a < 0) return false;
  PickNodeA = a;
  PickNodeB = b;
  PickBody = body;
  if (!InsertNodeAt(PickNodeA, PickNodeB, {X, Z}, PickBody)) return false;
  const auto last = static_cast<int32_t>(ModelNodes.size()) - 1;
  ModelNodes.back().Border = Polygons::BorderCodeOf(last, ModelPolygons, ModelNodes, ZMax, ZMin, XMax, XMin);
  return true;
}

bool TPolygonModelEditor::StepPolygonOperation(int32_t Mode, bool Move, double X, double Z, bool Right) {
  if (Move) {
    PolygonHover(X, Z);
    return false;
  }
  if (!Right || PickBody < 0) return false;
  return Mode == pemDeleteSubPolygon ? DeleteSubPolygonAt(PickPolygon, PickBody)
                                     : UncoupleSubPolygonAt(PickPolygon, PickBody);
}

bool TPolygonModelEditor::StepMovePolygon(int32_t Mode, bool Move, double X, double Z, bool Right) {
  if (Move) {
    if (EditPending) {
      const double dx = X - DragAnchor.x, dz = Z - DragAnchor.z;
      for (int32_t n : MoveNodes) {
        if (n < 0 || static_cast<size_t>(n) >= ModelNodes.size()) continue;
        ModelNodes[static_cast<size_t>(n)].X += dx;
        ModelNodes[static_cast<size_t>(n)].Depth += dz;
      }
      RefreshShapes(SelBodies, SelPolygons, SelShapes);
      DragAnchor = {X, Z};
    } else {
      PolygonHover(X, Z);
    }
    return false;
  }
  if (PickBody < 0) return false;
  if (Right) {
    if (!EditPending) return false;
    const int32_t check = Mode == pemMovePolygon && MoveUnconstrained ? 1 : 0;
    const bool result = AcceptMovedNodes(MoveNodes, PickBody, check);
    if (!result) RefreshShapes(SelBodies, SelPolygons, SelShapes);
    EditPending = false;
    return result;
  }
  if (Mode == pemMoveSubPolygon && EditPending) return false;
  EditPending = true;
  bool whole = false;
  if (Mode == pemMovePolygon)
    Polygons::BodyNodes(true, PickBody, ModelPolygons, MoveNodes, whole, ModelNodes);
  else
    Polygons::SubPolygonNodes(true, PickBody, PickPolygon, MoveNodes, whole, ModelNodes, ModelPolygons);
  MoveUnconstrained = whole;
  SelectShapesUsing(MoveNodes, PickBody);
  DragAnchor = {X, Z};
  return false;
}

// ---------------------------------------------------------------- operations

bool TPolygonModelEditor::AddDrawnPolygon() {
  if (!Polygons::AddPolygon(DrawnOutline, ModelPolygons, ModelNodes)) return false;
  const auto body = static_cast<int32_t>(ModelPolygons.size()) - 1;
  AddShape(body, static_cast<int32_t>(ModelPolygons.back().size()) - 1);
  return true;
}

bool TPolygonModelEditor::AddDrawnSubPolygon(int32_t NodeA, int32_t NodeB, arofcomplexM& Outline, int32_t Body) {
  bool result = false;
  if (Body != 0) {
    result = Polygons::InsertSubPolygon(NodeA, NodeB, Body, Outline, ModelPolygons, ModelNodes, false);
  } else {
    const arofcomplexM outline = Outline;
    const Tnodes nodes = Polygons::CopyNodes(ModelNodes);
    const AllSpolygon model = Polygons::CopyAllSpolygon(ModelPolygons);
    result = Polygons::AddSubPolygon(NodeA, NodeB, 0, Outline, ModelPolygons, ModelNodes, false, ZMax, ZMin, XMax,
                                     XMin);
    if (result) {
      // The region that would become the new polygon is shown hatched while the
      // question is open.
      PropValue& brush = ModelPolygons[0].back().Props[Polygons::PropBrush];
      const PropValue kept = brush;
      brush = std::to_string(clWhite) + "#5";
      RedrawModel();
      brush = kept;
      result = ConfirmSubPolygon();
    }
    if (!result) {
      Outline = outline;
      ModelNodes = Polygons::CopyNodes(nodes);
      ModelPolygons = Polygons::CopyAllSpolygon(model);
      result = Polygons::AddSubPolygon(NodeA, NodeB, 0, Outline, ModelPolygons, ModelNodes, true, ZMax, ZMin, XMax,
                                       XMin);
    }
  }
  if (!result) RestoreBackup();
  RedrawModel();
  return result;
}

bool TPolygonModelEditor::DividePolygonAt(int32_t NodeA, int32_t NodeB, int32_t Body) {
  int32_t shapeId = -1;
  if (!Polygons::DividePolygon(NodeA, NodeB, Body, shapeId, ModelNodes, ModelPolygons)) {
    RestoreBackup();
    return false;
  }
  for (int32_t n : {NodeA, NodeB})
    ModelNodes[static_cast<size_t>(n)].Border =
        Polygons::BorderCodeOf(n, ModelPolygons, ModelNodes, ZMax, ZMin, XMax, XMin);
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::SplitNodeAt(int32_t Node, int32_t Body) {
  if (!Polygons::SplitSharedNode(Node, Body, ModelPolygons, ModelNodes)) return false;
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::DeleteNodeAt(int32_t Node, int32_t Body) {
  if (!Polygons::DeleteNode(Node, Body, ModelPolygons, ModelNodes)) {
    RestoreBackup();
    return false;
  }
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::CoupleNodes(int32_t NodeA, int32_t NodeB, const complexM& Cursor) {
  if (NodeA < 0 || static_cast<size_t>(NodeA) >= ModelNodes.size() || NodeA == NodeB) return false;
  if (NodeB < 0) {
    const complexM p{std::clamp(Cursor.x, XMin, XMax), std::clamp(Cursor.z, ZMin, ZMax)};
    double distance = 0.0;
    bool nearEnd = false;
    int32_t body = -1, a = -1, b = -1;
    Polygons::NearestEdge(p, ModelNodes, ModelPolygons, distance, PixelsPerX, PixelsPerZ, nearEnd, body, a, b);
    if (nearEnd || a < 0 || distance >= HoverRadius) return false;
    if (!NewNodeOnEdge(a, b, body, p.x, p.z)) return false;
    NodeB = static_cast<int32_t>(ModelNodes.size()) - 1;
  }
  int32_t bodyA = -1, bodyB = -1;
  Polygons::BodyOfNode(NodeA, bodyA, ModelPolygons);
  Polygons::BodyOfNode(NodeB, bodyB, ModelPolygons);
  Tnode& a = ModelNodes[static_cast<size_t>(NodeA)];
  const complexM saved{a.X, a.Depth};
  a.X = ModelNodes[static_cast<size_t>(NodeB)].X;
  a.Depth = ModelNodes[static_cast<size_t>(NodeB)].Depth;
  if (!Polygons::CheckMovedNodes({NodeA}, bodyA, ModelPolygons, ModelNodes, 0) ||
      !Polygons::ReplaceNodeInBody(NodeA, NodeB, bodyA, bodyB, ModelPolygons, ModelNodes)) {
    ModelNodes[static_cast<size_t>(NodeA)].X = saved.x;
    ModelNodes[static_cast<size_t>(NodeA)].Depth = saved.z;
    return false;
  }
  if (NodeA < NodeB) --NodeB;
  ModelNodes[static_cast<size_t>(NodeB)].Border =
      Polygons::BorderCodeOf(NodeB, ModelPolygons, ModelNodes, ZMax, ZMin, XMax, XMin);
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::InsertNodeAt(int32_t NodeA, int32_t NodeB, const complexM& Cursor, int32_t Body) {
  if (!NewNodeOnEdge(NodeA, NodeB, Body, Cursor.x, Cursor.z)) return false;
  RefreshBodyShapes(Body);
  return true;
}

bool TPolygonModelEditor::DeleteSubPolygonAt(int32_t PolygonIndex, int32_t Body) {
  if (!Polygons::DeleteSubPolygon(PolygonIndex, Body, ModelPolygons, ModelNodes)) {
    RestoreBackup();
    return false;
  }
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::UncoupleSubPolygonAt(int32_t PolygonIndex, int32_t Body) {
  if (!Polygons::UncoupleSubPolygon(PolygonIndex, Body, ModelPolygons, ModelNodes)) return false;
  RedrawModel();
  return true;
}

bool TPolygonModelEditor::AcceptMovedNodes(const arofintM& Nodes, int32_t Body, int32_t CheckMode) {
  if (Polygons::CheckMovedNodes(Nodes, Body, ModelPolygons, ModelNodes, CheckMode)) return true;
  RestoreBackup();
  RefreshBodyShapes(Body);
  // Shapes of other bodies sharing the moved nodes spring back as well.
  RefreshShapes(SelBodies, SelPolygons, SelShapes);
  return false;
}
