// The shape format editor.
#include "chart/series/PlotCustomShapeEditor.h"

#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotShadowEditor.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotCustomShapeEditorTests {

namespace {

class ShapeEditor : public StyleDialogTest {};

TEST_F(ShapeEditor, InsertedPagesFollowTheHostsOwnAndTheFirstIsActive) {
  auto* Host = Create<TForm>(nullptr);
  auto* PC = Create<TPageControl>(Host);
  PC->SetParent(Host);
  PC->SetBounds(0, 0, 300, 250);
  auto* Own = Create<TTabSheet>(Host);
  Own->SetCaption("Style");
  Own->SetPageControl(PC);
  TPlotShape Shape;
  TFormPlotShape* F = PlotCustomShapeEditor::InsertShapeEditorPages(PC, &Shape);
  ASSERT_EQ(PC->PageCount(), 5);
  const char* Names[] = {"Style", "Format", "Text", "Gradient", "Shadow"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(PC->Pages(i)->GetCaption(), Names[i]);
  EXPECT_EQ(PC->GetActivePage(), Own);
  EXPECT_EQ(F->TheShape, &Shape);
  Host->Free();
}

TEST_F(ShapeEditor, BevelNoneDisablesTheWidthAndLoadingWritesNothing) {
  int Repaints = 0;
  TPlotShape Shape;
  Shape.SetBevel(bvNone);
  Shape.SetBevelWidth(150);
  Shape.SetTransparency(30);
  auto* F = PlotCustomShapeEditor::CreateShapeEditor(nullptr, &Shape, nullptr);
  F->SetEditedShape(&Shape);
  EXPECT_FALSE(F->EBevWidth->GetEnabled());
  EXPECT_EQ(Shape.GetBevelWidth(), 150) << "shown clamped, not written";
  EXPECT_EQ(Shape.GetTransparency(), 30);
  F->CBBevel->SetItemIndex(2);
  F->CBBevelChange(F->CBBevel);
  EXPECT_EQ(Shape.GetBevel(), bvRaised);
  EXPECT_TRUE(F->EBevWidth->GetEnabled());
  F->UDBevW->SetPosition(5);
  EXPECT_EQ(Shape.GetBevelWidth(), 5);
  F->CBRound->SetChecked(true);
  EXPECT_EQ(Shape.GetShapeStyle(), fosRoundRectangle);
  F->CBTransparent->SetChecked(true);
  EXPECT_TRUE(Shape.GetTransparent());
  EXPECT_EQ(F->FontEditor->EditedFont, Shape.Font());
  EXPECT_EQ(F->ShadowEditor->EditedShadow, Shape.Shadow());
  EXPECT_EQ(F->GradientEditor->EditedGradient, Shape.GetGradient());
  (void)Repaints;
  F->Free();
}

}  // namespace

}  // namespace PlotCustomShapeEditorTests
