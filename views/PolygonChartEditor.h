// The model editor behind the polygon model chart: the model with its working copy
// and undo ring, the model bounds and relief, the thirteen mouse edit modes, the model
// section of k2d files and the computation mesh. It holds no drawing code: the chart
// (TPolygonChart) implements the few view operations below on its series, so that the
// whole editor runs and is tested without a chart as well.
//
// Coordinates are model units: x to the right, depth downwards. Edit operations go
// straight into ModelPolygons and ModelNodes; a completed right-click operation is
// committed (working copy, undo snapshot, onchangemodel), anything else stays
// provisional until ResetEditState or CancelPendingEdit discards it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "numerics/ComputationMesh.h"
#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/ui/Controls.h"

// Edit modes, as the main window's tool buttons number them.
enum TPolygonEditMode : int32_t {
  pemNone = -1,
  pemAddPolygon = 0,
  pemAddSubPolygon = 1,
  pemDividePolygon = 2,
  pemUncoupleNodes = 3,
  pemDeleteNode = 4,
  pemMoveNode = 5,
  pemCoupleNodes = 6,
  pemAddNode = 7,
  pemDeleteSubPolygon = 8,
  pemUncoupleSubPolygon = 9,
  pemMovePolygon = 10,
  pemMoveSubPolygon = 11,
  pemFixNode = 12
};

// The four model bounds kept with each undo snapshot.
struct TUndoBounds {
  double XMin = 0.0, XMax = 0.0, ZMin = 0.0, ZMax = 0.0;
};

class TPolygonModelEditor {
 public:
  TPolygonModelEditor();
  virtual ~TPolygonModelEditor() = default;
  TPolygonModelEditor(const TPolygonModelEditor&) = delete;
  TPolygonModelEditor& operator=(const TPolygonModelEditor&) = delete;

  // Fired by DoChangeModel after every committed change, with the chart as sender.
  TNotifyEvent onchangemodel;
  // Called on every mouse move over a model (the main window shows CursorX, CursorZ).
  TNotifyEvent OnCursorStatus;
  // Shows the "Body parameters" dialog for a polygon (shape index, body, polygon); the
  // dialog writes the polygon's properties itself. Installed by the main window.
  std::function<void(int32_t Shape, int32_t Body, int32_t Polygon)> OnShowBodyDialog;

  bool EqualScale = false;
  int32_t ModelEditMode = pemNone;
  bool EditPending = false;
  bool HasModel = false;
  arofcomplexM DrawnOutline;
  // Points of the two feedback lines: the outline being drawn or the hover marks, and
  // the three-point rubber band (start, cursor, end). ShowFeedback puts them on screen.
  arofcomplexM OutlinePoints;
  arofcomplexM RubberPoints;
  arofintM SelShapes, SelBodies, SelPolygons;
  arofintM MoveNodes;
  complexM CursorPoint;
  double CursorX = 0.0, CursorZ = 0.0;
  complexM DragAnchor;
  AllSpolygon ModelPolygons;
  AllSpolygon ModelPolygonsCopy;
  Tnodes ModelNodes;
  Tnodes ModelNodesCopy;
  int32_t UndoLimit = 25;
  std::vector<AllSpolygon> UndoModels;
  std::vector<Tnodes> UndoNodes;
  std::vector<TUndoBounds> UndoBounds;
  arofintM UndoStamps;
  double PixelsPerX = 1.0, PixelsPerZ = 1.0;
  int32_t PickNodeA = -1, PickNodeB = -1, PickPolygon = -1, PickBody = -1;
  double XMin = 0.0, XMax = 1000.0, ZMin = 0.0, ZMax = 100.0;
  bool HasRelief = false;
  arofcomplexM Relief;
  bool MoveUnconstrained = false;
  bool UndoTopDropped = false;
  TColor HighlightPenColor = 0;
  int32_t HighlightShape = 0;
  bool NodeMoveConstrained = false;
  TColor NodeColorFree = clBlue;
  TColor NodeColorFixed = clBlack;
  TColor NodeColorInternal = clGreen;
  TColor NodeColorBorder = clGray;
  int32_t CursorPixelX = 0, CursorPixelY = 0;
  double StartResistivity = 0.0, StartPolarizability = 0.0;
  // Distance by which the last computation mesh moved the frame outward.
  double MeshFrameOffset = 0.0;

  // ---- model ----
  void NewModel(const arofcomplexM& ReliefPoints, bool ReliefOn, double AXMin, double AXMax, double AZMin,
                double AZMax);
  // (x, elevation) pairs become depths below the highest point (two or more points).
  void SetRelief(const arofcomplexM& ReliefPoints);
  // The top bound never changes; new bounds never cut interior nodes. Without Keep the
  // model is refitted to them.
  void SetModelBounds(bool Keep, double AXMin, double AXMax, double AZMin, double AZMax);
  void RedrawModel();
  void AddShape(int32_t Body, int32_t PolygonIndex);
  void StyleShape(int32_t Body, int32_t PolygonIndex, int32_t Shape);
  void RefreshShapes(const arofintM& Bodies, const arofintM& PolygonIndices, const arofintM& Shapes);
  void StoreShapeStyle(int32_t Body, int32_t PolygonIndex, int32_t Shape);
  int32_t ShapeIndexOf(int32_t Body, int32_t PolygonIndex) const;
  // The text a shape shows for a polygon's label mode; false to keep the current text.
  // Mode 1 shows the quantity on display (LabelQuantity 0 resistivity, 1
  // polarizability); mode 2 adds the polarizability only when the survey has it.
  bool ShapeLabel(const Polygon& P, std::string& Text) const;
  int32_t LabelQuantity = 0;
  bool LabelHasIP = true;

  // ---- undo and working copy ----
  void PushUndo();
  void Undo();
  void BackupModel();
  void RestoreBackup();
  void DoChangeModel();

  // ---- mouse editing ----
  // A mouse move to (X, Z) at pixel (PixelX, PixelY): cursor fields, status hook and,
  // unless Editing is false (zoom allowed), the move step of the current mode.
  void CursorMoved(int32_t PixelX, int32_t PixelY, double X, double Z, bool Editing);
  // A button press at the last cursor position; a right click that completes an
  // operation commits it.
  void ButtonPressed(TMouseButton Button);
  bool EditStep(int32_t Mode, bool Move, double X, double Z, bool Right);
  void ResetEditState();
  void ClearSelection();
  // Esc, and Undo during an edit: the provisional changes are undone (working copy back,
  // model redrawn) and the editor is idle again. False when nothing was pending.
  bool CancelPendingEdit();
  // The double click on a body: the body dialog, then an undo step when the dialog
  // changed the model.
  bool EditBodyAtCursor();
  void ShowBodyDialog(int32_t Shape, int32_t Body, int32_t PolygonIndex);

  // Operations of the edit modes.
  bool AddDrawnPolygon();
  bool AddDrawnSubPolygon(int32_t NodeA, int32_t NodeB, arofcomplexM& Outline, int32_t Body);
  bool DividePolygonAt(int32_t NodeA, int32_t NodeB, int32_t Body);
  bool SplitNodeAt(int32_t Node, int32_t Body);
  bool DeleteNodeAt(int32_t Node, int32_t Body);
  bool CoupleNodes(int32_t NodeA, int32_t NodeB, const complexM& Cursor);
  bool InsertNodeAt(int32_t NodeA, int32_t NodeB, const complexM& Cursor, int32_t Body);
  bool DeleteSubPolygonAt(int32_t PolygonIndex, int32_t Body);
  bool UncoupleSubPolygonAt(int32_t PolygonIndex, int32_t Body);
  bool AcceptMovedNodes(const arofintM& Nodes, int32_t Body, int32_t CheckMode);
  // Shape indices of the ids; Bodies and PolygonIndices keep the entries kept.
  arofintM ShapesOfIds(const arofintM& Ids, arofintM& Bodies, arofintM& PolygonIndices) const;
  // Moves the listed shapes to the front of the drawing order (in list order) so that
  // they are painted first; the list then holds their new indices.
  void ReorderSelectedShapes(arofintM& Shapes);

  // ---- model section ----
  // Keeps the first LinesToKeep lines of the file (all with -1) and appends the model
  // section; the file is replaced in one rename. False, with the reason in Message and
  // the file as it was, on failure.
  bool WriteModel(const std::string& FileName, int32_t LinesToKeep, std::string& Message) const;
  // Reads the model section; the model is replaced only when the whole section is
  // sound. Unset result: no section. False with an empty Message: the file holds no
  // section; false with a Message: the section was refused.
  bool ReadModel(const std::string& FileName, std::string& Message);

  // ---- computation mesh (on the caller's copies; the model stays as it is) ----
  ComputationMesh::TMeshModel MeshModel() const;
  bool BuildComputationMesh(bool ExponentFlag, AllSpolygon& Polygons, double HalfSpacing, double FactorX,
                            double StartXStep, double FactorZ, double StartZStep, Tnodes& Nodes,
                            std::string& Message);
  bool BuildGravMagMesh(AllSpolygon& Polygons, Tnodes& Nodes, std::string& Message) const;

  // Colour of a node as PaintNodes draws it.
  TColor NodeColor(const Tnode& Node) const;

  // ---- view: implemented by the chart ----
  virtual TObject* ChartSender() { return nullptr; }
  virtual void ShapesClear() = 0;
  // Appends a shape with the points and returns its index.
  virtual int32_t ShapesAdd(const arofcomplexM& Points) = 0;
  virtual int32_t ShapeCount() const = 0;
  virtual int32_t ShapeIdAt(int32_t Shape) const = 0;
  virtual void ShapeSetPoints(int32_t Shape, const arofcomplexM& Points) = 0;
  // Colour, brush, pen and gradient from the polygon's properties; Text when given.
  virtual void ShapeApplyStyle(int32_t Shape, const Polygon& P, const std::string* Text) = 0;
  virtual void ShapeReadStyle(int32_t Shape, TColor& Color, std::string& BrushText, std::string& PenText,
                              std::string& GradientText, std::string& Text) const = 0;
  virtual TColor ShapePenColor(int32_t Shape) const = 0;
  virtual void ShapeSetPenColor(int32_t Shape, TColor Color) = 0;
  virtual void ShapesSwap(int32_t A, int32_t B) = 0;
  virtual void ShowRelief(const arofcomplexM& Points, double YOrigin) = 0;
  virtual void ShowFeedback() = 0;
  // Sets both axes to the model bounds and recomputes PixelsPerX and PixelsPerZ.
  virtual void ApplyBoundsToAxes() = 0;
  virtual void UpdateAxisScales() = 0;
  // The chart asks "Correct polygon?"; true unless the answer is No.
  virtual bool ConfirmSubPolygon();

 protected:
  // Shapes of every polygon of the body, looked up by id.
  void RefreshBodyShapes(int32_t Body);
  void RestoreHighlight();

 private:
  void NodeHover(double X, double Z, bool BorderClears);
  void EdgeHover(double X, double Z, double Threshold);
  void PolygonHover(double X, double Z);
  void ShowNodeAndCursor(int32_t Node, double X, double Z);
  void SetRubberPoint(size_t Index, const complexM& P);
  bool NewNodeOnEdge(int32_t NodeA, int32_t NodeB, int32_t Body, double X, double Z);
  complexM NodePoint(int32_t Node) const;
  void SelectShapesUsing(const arofintM& Nodes, int32_t Body);

  bool StepAddPolygon(bool Move, double X, double Z, bool Right);
  bool StepAddSubPolygon(bool Move, double X, double Z, bool Right);
  bool StepDividePolygon(bool Move, double X, double Z, bool Right);
  bool StepNodeOperation(int32_t Mode, bool Move, double X, double Z, bool Right);
  bool StepMoveNode(bool Move, double X, double Z, bool Right);
  bool StepCoupleNodes(bool Move, double X, double Z, bool Right);
  bool StepAddNode(bool Move, double X, double Z, bool Right);
  bool StepPolygonOperation(int32_t Mode, bool Move, double X, double Z, bool Right);
  bool StepMovePolygon(int32_t Mode, bool Move, double X, double Z, bool Right);
};
