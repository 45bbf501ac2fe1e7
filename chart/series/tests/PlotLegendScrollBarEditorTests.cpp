// The scroll bar tool's editor form.
#include "chart/series/PlotLegendScrollBar.h"

#include "chart/series/PlotBrushDlg.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/ClassInfo.h"

namespace PlotLegendScrollBarEditorTests {

namespace {

class ScrollbarEditor : public StyleDialogTest {};

TEST_F(ScrollbarEditor, EachControlWritesItsPropertyOfTheTool) {
  PlotLegendScrollBar::Initialization();
  EXPECT_NE(ClassInfo::GetClass("TScrollBarEditor"), nullptr) << "found by the tool's editor name";
  std::unique_ptr<TComponent> Owner(new TComponent(nullptr));
  auto* Tool = Create<TLegendScrollBar>(Owner.get());
  auto* E = Create<TScrollbarEditor>(nullptr);
  E->Tag = reinterpret_cast<intptr_t>(Tool);
  Modal<TScrollbarEditor>([&](TScrollbarEditor& D) {
    EXPECT_EQ(D.GetCaption(), "ScrollbarEditor");
    auto Edit = [&](int Row) { return static_cast<TEdit*>(D.Row(Row).Control); };
    EXPECT_EQ(Edit(TScrollbarEditor::rSize)->GetText(), "18");
    Edit(TScrollbarEditor::rSize)->SetText("40");
    EXPECT_EQ(Tool->GetSize(), 40);
    Edit(TScrollbarEditor::rInitialDelay)->SetText("500");
    EXPECT_EQ(Tool->InitialDelay, 500);
    EXPECT_EQ(D.Row(TScrollbarEditor::rInitialDelay).UpDown->GetIncrement(), 25);
    static_cast<TCheckBox*>(D.Row(TScrollbarEditor::rAutoRepeat).Control)->SetChecked(false);
    EXPECT_FALSE(Tool->AutoRepeat);
    auto* Bevel = static_cast<TComboFlat*>(D.Row(TScrollbarEditor::rBevel).Control);
    EXPECT_EQ(Bevel->GetItemIndex(), 2);
    Bevel->SetItemIndex(1);
    Bevel->Change();
    EXPECT_EQ(Tool->GetBevel(), bvLowered);
    Seam.AnswerColor(clRed);
    static_cast<TButtonColor*>(D.Row(TScrollbarEditor::rBackColor).Control)->Click();
    EXPECT_EQ(Tool->GetBackColor(), clRed);
    EXPECT_EQ(static_cast<TButtonPen*>(D.Row(TScrollbarEditor::rBorder).Control)->GetPen(), Tool->Pen());
    Modal<TBrushDialog>([](TBrushDialog& B) {
      B.LStyle->SetItemIndex(6);
      B.LStyleClick(B.LStyle);
      return mrOk;
    });
    static_cast<TButton*>(D.Row(TScrollbarEditor::rThumb).Control)->Click();
    EXPECT_EQ(Tool->ThumbBrush()->GetStyle(), bsCross);
    return mrOk;
  });
  E->ShowModal();
  E->Free();
}

TEST_F(ScrollbarEditor, WithoutAToolTheControlsAreDisabledAndWriteNothing) {
  auto* E = Create<TScrollbarEditor>(nullptr);
  Modal<TScrollbarEditor>([](TScrollbarEditor& D) {
    for (int i = 0; i < D.RowCount(); ++i) EXPECT_FALSE(D.Row(i).Control->GetEnabled()) << i;
    static_cast<TEdit*>(D.Row(TScrollbarEditor::rSize).Control)->SetText("40");
    static_cast<TButton*>(D.Row(TScrollbarEditor::rThumb).Control)->Click();
    return mrOk;
  });
  E->ShowModal();
  E->Free();
}

}  // namespace

}  // namespace PlotLegendScrollBarEditorTests
