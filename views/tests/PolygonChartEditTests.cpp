// The thirteen edit modes, the undo ring and the commit rules, driven through the
// mouse handlers at pixel positions.
#include "views/tests/PolygonChartEditTests.h"

#include <algorithm>
#include <cmath>

namespace PolygonChartTest {

void PolygonEditModes::SetUp() {
  Driver = GetParam()();
  Ed().NewModel({}, false, 0.0, 1000.0, 0.0, 100.0);
  Ed().ResetEditState();
}

void PolygonEditModes::SetMode(int32_t Mode) {
  Ed().ModelEditMode = Mode;
  Ed().ResetEditState();
}

void PolygonEditModes::DrawBody(const arofcomplexM& Points) {
  SetMode(pemAddPolygon);
  for (size_t i = 0; i + 1 < Points.size(); ++i) Driver->Left(Points[i].x, Points[i].z);
  Driver->Right(Points.back().x, Points.back().z);
}

int32_t PolygonEditModes::NodeAt(double X, double Z) const {
  const Tnodes& nodes = Driver->Ed().ModelNodes;
  for (size_t k = 0; k < nodes.size(); ++k)
    // Within a pixel of the rendered chart.
    if (std::abs(nodes[k].X - X) <= 2.0 && std::abs(nodes[k].Depth - Z) <= 0.5) return static_cast<int32_t>(k);
  return -1;
}

int32_t PolygonEditModes::LiveSnapshots() const {
  const arofintM& stamps = Driver->Ed().UndoStamps;
  return static_cast<int32_t>(std::count_if(stamps.begin(), stamps.end(), [](int32_t s) { return s != -1; }));
}

const arofcomplexM PolygonEditModes::Square{{300, 20}, {500, 20}, {500, 60}, {300, 60}};
const arofcomplexM PolygonEditModes::RightSquare{{560, 20}, {700, 20}, {700, 60}, {560, 60}};

// ---------------------------------------------------------------- drawing bodies

TEST_P(PolygonEditModes, AddPolygonMakesABodyOnTheRightClickAndUndoTakesItAway) {
  DrawBody(Square);
  ASSERT_EQ(Ed().ModelPolygons.size(), 2u);
  EXPECT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 4u);
  EXPECT_EQ(Ed().ModelNodes.size(), 8u);
  EXPECT_EQ(Ed().ShapeCount(), 1);
  EXPECT_FALSE(Ed().EditPending);
  EXPECT_TRUE(Ed().DrawnOutline.empty());
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
  EXPECT_EQ(Ed().ModelNodes.size(), 4u);
}

TEST_P(PolygonEditModes, AddPolygonRefusesBoundPointsAndACrossingClosingEdge) {
  SetMode(pemAddPolygon);
  Driver->Left(0.0, 50.0);  // on the left bound
  EXPECT_TRUE(Ed().DrawnOutline.empty());
  Driver->Left(100, 10);
  Driver->Left(200, 10);
  Driver->Left(100, 40);
  // The point itself is fine, but the closing edge would cross the outline.
  Driver->Right(200, 40);
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
  EXPECT_EQ(Ed().DrawnOutline.size(), 3u);
  EXPECT_EQ(Ed().OutlinePoints.size(), 3u);
  // The outline goes on: a valid closing point completes it.
  Driver->Right(60, 30);
  EXPECT_EQ(Ed().ModelPolygons.size(), 2u);
}

TEST_P(PolygonEditModes, AddSubPolygonToABodyJoinsTheDrawnOutlineToIt) {
  DrawBody(Square);
  SetMode(pemAddSubPolygon);
  Driver->Left(300, 20);  // a node of the body
  Driver->Left(400, 8);
  Driver->Right(500, 20);  // another node of the body
  ASSERT_EQ(Ed().ModelPolygons[1].size(), 2u);
  EXPECT_EQ(Ed().ModelPolygons[1][1].Nodes.size(), 3u);
  EXPECT_EQ(Ed().ShapeCount(), 2);
  EXPECT_EQ(LiveSnapshots(), 3);
}

TEST_P(PolygonEditModes, AddSubPolygonToTheFrameAsksWhichSideAndTakesTheOtherOnNo) {
  arofintM answers[2];
  for (int answer = 0; answer < 2; ++answer) {
    Driver.reset();  // one driver (and one scripted seam) at a time
    SetUp();
    Driver->ConfirmAnswer = answer == 0;
    SetMode(pemAddSubPolygon);
    Driver->Left(0, 80);     // a new node on the left side of the frame
    Driver->Right(1000, 80);  // and one on the right side
    EXPECT_EQ(Driver->Questions, 1);
    ASSERT_EQ(Ed().ModelPolygons[0].size(), 2u) << "answer " << answer;
    answers[answer] = Ed().ModelPolygons[0][1].Nodes;
    EXPECT_EQ(Ed().ModelNodes.size(), 6u);
  }
  EXPECT_NE(answers[0], answers[1]);
}

TEST_P(PolygonEditModes, DividePolygonCutsTheBodyAlongTheTwoPicks) {
  DrawBody(Square);
  SetMode(pemDividePolygon);
  Driver->Left(400, 20);   // a new node on the top edge
  EXPECT_EQ(Ed().PickNodeA, 8);
  Driver->Right(400, 60);  // and one on the bottom edge
  ASSERT_EQ(Ed().ModelPolygons[1].size(), 2u);
  EXPECT_EQ(Ed().ModelNodes.size(), 10u);
  EXPECT_EQ(Ed().ShapeCount(), 2);
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons[1].size(), 1u);
  EXPECT_EQ(Ed().ModelNodes.size(), 8u);
}

TEST_P(PolygonEditModes, DivideRefusedOnAnotherBodyRestoresTheFirstPick) {
  DrawBody(Square);
  DrawBody(RightSquare);
  SetMode(pemDividePolygon);
  Driver->Left(400, 20);   // new node on the first body
  ASSERT_EQ(Ed().ModelNodes.size(), 13u);
  Driver->Right(630, 60);  // an edge of the second body: refused
  EXPECT_EQ(Ed().ModelNodes.size(), 12u);
  EXPECT_EQ(Ed().PickNodeA, -1);
  EXPECT_EQ(LiveSnapshots(), 3);
}

// ---------------------------------------------------------------- node modes

void PolygonEditNodeModes::Divided() {
  DrawBody(Square);
  SetMode(pemDividePolygon);
  Driver->Left(400, 20);
  Driver->Right(400, 60);
  ASSERT_EQ(Ed().ModelPolygons[1].size(), 2u);
}

TEST_P(PolygonEditNodeModes, UncoupleNodesChangesOnlyOnTheRightClick) {
  Divided();
  SetMode(pemUncoupleNodes);
  const size_t before = Ed().ModelNodes.size();
  Driver->Left(400, 20);
  EXPECT_EQ(Ed().ModelNodes.size(), before);
  Driver->Right(400, 20);
  EXPECT_EQ(Ed().ModelNodes.size(), before + 1);
  EXPECT_EQ(LiveSnapshots(), 4);
}

TEST_P(PolygonEditNodeModes, AddNodeThenDeleteNodeEachCommitOnTheRightClick) {
  DrawBody(Square);
  SetMode(pemAddNode);
  Driver->Right(400, 20);
  ASSERT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 5u);
  EXPECT_EQ(Ed().ShapeCount(), 1);
  EXPECT_EQ(Ed().ModelNodes.back().Border, Polygons::BorderNone);

  SetMode(pemDeleteNode);
  Driver->Left(400, 20);  // only picks
  EXPECT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 5u);
  Driver->Right(400, 20);
  EXPECT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 4u);
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 5u);
}

TEST_P(PolygonEditNodeModes, DeleteNodeRefusedKeepsTheModel) {
  DrawBody({{300, 20}, {500, 20}, {400, 60}});
  SetMode(pemDeleteNode);
  Driver->Right(400, 60);  // a triangle keeps its three nodes
  EXPECT_EQ(Ed().ModelPolygons[1][0].Nodes.size(), 3u);
  EXPECT_EQ(LiveSnapshots(), 2);
}

TEST_P(PolygonEditNodeModes, MoveNodeSpringsBackWhenRefusedAndKeepsTheHold) {
  DrawBody(Square);
  SetMode(pemMoveNode);
  const int32_t node = NodeAt(500, 20);
  ASSERT_GE(node, 0);
  const Tnode before = Ed().ModelNodes[static_cast<size_t>(node)];
  Driver->Left(500, 20);
  EXPECT_TRUE(Ed().EditPending);
  Driver->MoveTo(200, 80);  // the edges would cross
  EXPECT_NEAR(Ed().ModelNodes[static_cast<size_t>(node)].X, 200, 2.0);
  Driver->Press(TMouseButton::mbRight);
  EXPECT_EQ(Ed().ModelNodes[static_cast<size_t>(node)].X, before.X);
  EXPECT_EQ(Ed().ModelNodes[static_cast<size_t>(node)].Depth, before.Depth);
  EXPECT_TRUE(Ed().EditPending);
  EXPECT_EQ(LiveSnapshots(), 2);
  Driver->Right(540, 10);  // still held: the next place is valid
  EXPECT_NEAR(Ed().ModelNodes[static_cast<size_t>(node)].X, 540, 2.0);
  EXPECT_NEAR(Ed().ModelNodes[static_cast<size_t>(node)].Depth, 10, 0.3);
  EXPECT_FALSE(Ed().EditPending);
  EXPECT_EQ(LiveSnapshots(), 3);
}

TEST_P(PolygonEditNodeModes, EscapeDuringAMoveRestoresThePositions) {
  DrawBody(Square);
  for (int32_t mode : {pemMoveNode, pemMovePolygon}) {
    SetMode(mode);
    Driver->Left(mode == pemMoveNode ? 300 : 400, mode == pemMoveNode ? 20 : 40);
    Driver->MoveTo(420, 50);
    ASSERT_TRUE(Ed().EditPending);
    EXPECT_TRUE(Ed().CancelPendingEdit());
    EXPECT_FALSE(Ed().EditPending);
    EXPECT_EQ(NodeAt(300, 20), 4) << "mode " << mode;
    EXPECT_EQ(NodeAt(500, 60), 6) << "mode " << mode;
  }
}

TEST_P(PolygonEditNodeModes, MoveNodeNeverTakesAFixedOrAFrameNode) {
  DrawBody(Square);
  Ed().ModelNodes[4].Fixed = 1;
  Ed().BackupModel();
  SetMode(pemMoveNode);
  Driver->Left(300, 20);
  EXPECT_FALSE(Ed().EditPending);
  Driver->Left(1000, 100);  // the bottom-right corner
  EXPECT_FALSE(Ed().EditPending);
}

TEST_P(PolygonEditNodeModes, CoupleNodesJoinsTheTwoBodiesAtOneNode) {
  DrawBody(Square);
  DrawBody(RightSquare);
  SetMode(pemCoupleNodes);
  Driver->Left(560, 20);
  EXPECT_EQ(Ed().PickNodeA, NodeAt(560, 20));
  Driver->Right(500, 20);
  EXPECT_EQ(Ed().ModelNodes.size(), 11u);
  const int32_t shared = NodeAt(500, 20);
  ASSERT_GE(shared, 0);
  // The coupled bodies become one body of two polygons over the shared node.
  ASSERT_EQ(Ed().ModelPolygons.size(), 2u);
  ASSERT_EQ(Ed().ModelPolygons[1].size(), 2u);
  for (const Polygon& p : Ed().ModelPolygons[1])
    EXPECT_NE(std::find(p.Nodes.begin(), p.Nodes.end(), shared), p.Nodes.end());
  EXPECT_EQ(LiveSnapshots(), 4);
}

TEST_P(PolygonEditNodeModes, CoupleNodesToAnEdgeMakesANewNodeThere) {
  DrawBody(Square);
  DrawBody(RightSquare);
  SetMode(pemCoupleNodes);
  Driver->Left(560, 60);
  Driver->Right(501, 40);  // no node near, the right edge of the square is
  EXPECT_EQ(Ed().ModelNodes.size(), 12u);
  EXPECT_GE(NodeAt(500, 40), 0);
  EXPECT_EQ(NodeAt(560, 60), -1);
}

TEST_P(PolygonEditNodeModes, CoupleNodesPicksNoFrameNode) {
  SetMode(pemCoupleNodes);
  Driver->Left(1000, 100);
  EXPECT_EQ(Ed().PickNodeA, -1);
  EXPECT_FALSE(Ed().EditPending);
}

TEST_P(PolygonEditNodeModes, FixNodeTogglesOnEachRightClickAndNeverOffersTheFrame) {
  DrawBody(Square);
  SetMode(pemFixNode);
  Driver->Left(300, 20);
  EXPECT_EQ(Ed().ModelNodes[4].Fixed, 0);  // a left click only picks
  Driver->Right(300, 20);
  EXPECT_EQ(Ed().ModelNodes[4].Fixed, 1);
  Driver->Right(300, 20);
  EXPECT_EQ(Ed().ModelNodes[4].Fixed, 0);
  EXPECT_EQ(LiveSnapshots(), 4);
  Driver->MoveTo(0, 0);
  EXPECT_EQ(Ed().PickNodeA, -1);
  Driver->Press(TMouseButton::mbRight);
  EXPECT_EQ(LiveSnapshots(), 4);
}

TEST_P(PolygonEditNodeModes, LeftClicksOfTheNodeModesChangeNothingUntilTheModeChanges) {
  Divided();
  const Tnodes nodes = Ed().ModelNodes;
  for (int32_t mode : {pemUncoupleNodes, pemDeleteNode, pemFixNode}) {
    SetMode(mode);
    Driver->Left(400, 20);
    Driver->Left(300, 60);
    EXPECT_EQ(Ed().ModelNodes.size(), nodes.size()) << "mode " << mode;
    EXPECT_EQ(Ed().ModelNodes[4].Fixed, 0);
  }
}

// ---------------------------------------------------------------- polygon modes

TEST_P(PolygonEditNodeModes, DeleteSubPolygonRemovesThePolygonUnderTheCursor) {
  Divided();
  SetMode(pemDeleteSubPolygon);
  Driver->MoveTo(450, 40);
  EXPECT_EQ(Ed().PickBody, 1);
  Driver->Press(TMouseButton::mbRight);
  EXPECT_EQ(Ed().ModelPolygons[1].size(), 1u);
  EXPECT_EQ(Ed().ShapeCount(), 1);
}

TEST_P(PolygonEditNodeModes, UncoupleSubPolygonGivesItNodesOfItsOwn) {
  Divided();
  SetMode(pemUncoupleSubPolygon);
  const size_t before = Ed().ModelNodes.size();
  Driver->Right(450, 40);
  EXPECT_EQ(Ed().ModelNodes.size(), before + 2);
}

TEST_P(PolygonEditNodeModes, PolygonHoverOutlinesTheShapeInRedAndGivesTheColourBack) {
  Divided();
  SetMode(pemDeleteSubPolygon);
  Driver->MoveTo(450, 40);
  ASSERT_EQ(Ed().SelShapes.size(), 1u);
  EXPECT_EQ(Ed().ShapePenColor(Ed().SelShapes[0]), clRed);
  Driver->MoveTo(800, 80);  // over no body
  for (int32_t s = 0; s < Ed().ShapeCount(); ++s) EXPECT_NE(Ed().ShapePenColor(s), clRed);
}

TEST_P(PolygonEditModes, MovePolygonShiftsTheBodyOrSpringsBackOverAnother) {
  DrawBody(Square);
  DrawBody(RightSquare);
  SetMode(pemMovePolygon);
  Driver->Left(400, 40);
  Driver->MoveTo(450, 45);
  Driver->Press(TMouseButton::mbRight);
  EXPECT_GE(NodeAt(350, 25), 0);
  EXPECT_GE(NodeAt(550, 65), 0);
  EXPECT_EQ(LiveSnapshots(), 4);
  // Onto the second body: refused, everything back in place.
  Driver->Left(400, 40);
  Driver->MoveTo(600, 40);
  Driver->Press(TMouseButton::mbRight);
  EXPECT_GE(NodeAt(350, 25), 0);
  EXPECT_FALSE(Ed().EditPending);
  EXPECT_EQ(LiveSnapshots(), 4);
}

TEST_P(PolygonEditNodeModes, MoveSubPolygonShiftsItsNodes) {
  Divided();
  SetMode(pemMoveSubPolygon);
  int32_t body = -1, polygon = -1;
  Polygons::FindPolygonAt(Ed().ModelPolygons, body, polygon, Ed().ModelNodes, 450, 40);
  Driver->Left(450, 40);
  Driver->MoveTo(450, 45);
  Driver->Press(TMouseButton::mbRight);
  for (int32_t n : Ed().ModelPolygons[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes) {
    const double depth = Ed().ModelNodes[static_cast<size_t>(n)].Depth;
    EXPECT_TRUE(std::abs(depth - 25) < 0.6 || std::abs(depth - 65) < 0.6) << depth;
  }
  EXPECT_EQ(LiveSnapshots(), 4);
}

// ---------------------------------------------------------------- undo ring and commits

TEST_P(PolygonEditModes, UndoRingKeepsTheLastTwentyFiveStates) {
  DrawBody(Square);
  for (int i = 1; i <= 25; ++i) {
    Ed().ModelNodes[4].X = 300 - i;
    Ed().PushUndo();
  }
  for (int i = 24; i >= 1; --i) {
    Ed().Undo();
    EXPECT_EQ(Ed().ModelNodes[4].X, 300 - i);
  }
  Ed().Undo();  // the oldest snapshot stays
  EXPECT_EQ(Ed().ModelNodes[4].X, 299);
}

TEST_P(PolygonEditModes, UndoStepsBackEditByEditToTheStartModel) {
  Ed().Undo();  // right after NewModel: the start model stays
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
  DrawBody(Square);
  DrawBody(RightSquare);
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons.size(), 2u);
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
  Ed().Undo();
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
  EXPECT_EQ(Ed().ModelNodes.size(), 4u);
}

TEST_P(PolygonEditModes, RefusedEditAfterUndoDoesNotBringBackTheUndoneState) {
  DrawBody(Square);
  Ed().Undo();
  Ed().ModelEditMode = pemDeleteNode;  // no ResetEditState: the working copy comes from Undo
  Driver->Right(1000, 100);  // a frame corner: refused
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
}

TEST_P(PolygonEditModes, EachCommitFiresOnChangeModelOnce) {
  int changes = 0;
  Ed().onchangemodel = [&](TObject*) { ++changes; };
  DrawBody(Square);
  EXPECT_EQ(changes, 1);
  SetMode(pemAddPolygon);
  Driver->Right(0, 0);  // nothing completed
  EXPECT_EQ(changes, 1);
}

TEST_P(PolygonEditModes, BodyDialogTakesAnUndoStepOnlyWhenItChangedTheBody) {
  DrawBody(Square);
  int changes = 0, shown = 0;
  Ed().onchangemodel = [&](TObject*) { ++changes; };
  bool edit = false;
  Ed().OnShowBodyDialog = [&](int32_t shape, int32_t body, int32_t polygon) {
    ++shown;
    EXPECT_EQ(shape, 0);
    EXPECT_EQ(body, 1);
    EXPECT_EQ(polygon, 0);
    if (edit) Ed().ModelPolygons[1][0].Props[Polygons::PropResistivity] = 55.0;
  };
  Driver->MoveTo(400, 40);
  EXPECT_TRUE(Ed().EditBodyAtCursor());
  EXPECT_EQ(LiveSnapshots(), 2);
  EXPECT_EQ(changes, 0);
  edit = true;
  EXPECT_TRUE(Ed().EditBodyAtCursor());
  EXPECT_EQ(LiveSnapshots(), 3);
  EXPECT_EQ(changes, 1);
  Driver->MoveTo(800, 80);
  EXPECT_FALSE(Ed().EditBodyAtCursor());
  EXPECT_EQ(shown, 2);
}

TEST_P(PolygonEditModes, ModeChangeDiscardsAProvisionalOutline) {
  SetMode(pemAddPolygon);
  Driver->Left(100, 10);
  Driver->Left(200, 10);
  SetMode(pemMovePolygon);
  EXPECT_TRUE(Ed().DrawnOutline.empty());
  EXPECT_TRUE(Ed().OutlinePoints.empty());
  EXPECT_TRUE(Ed().RubberPoints.empty());
  EXPECT_EQ(Ed().ModelPolygons.size(), 1u);
}

std::unique_ptr<TEditorDriver> MakeFakeDriver() { return std::make_unique<TFakeDriver>(); }

INSTANTIATE_TEST_SUITE_P(Fake, PolygonEditModes, ::testing::Values(TDriverFactory(MakeFakeDriver)));
INSTANTIATE_TEST_SUITE_P(Fake, PolygonEditNodeModes, ::testing::Values(TDriverFactory(MakeFakeDriver)));

}  // namespace PolygonChartTest
