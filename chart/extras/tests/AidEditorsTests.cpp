// The aid tools' editor forms through the test seam: each row writes its
// property of the tool.
#include "chart/extras/PlotAidEditors.h"
#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotLighting.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/ClassInfo.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

namespace AidEditorsTests {

namespace {

class AidEditors : public StyleDialogTest {
protected:
  template <class Form>
  void Run(TObject* Tool, const std::function<void(Form&)>& Script) {
    auto* e = Create<Form>(nullptr);
    e->Tag = reinterpret_cast<intptr_t>(Tool);
    Modal<Form>([&](Form& D) {
      Script(D);
      return mrOk;
    });
    e->ShowModal();
    e->Free();
  }
  static TEdit* Edit(TEditorPage& D, int R) { return static_cast<TEdit*>(D.Row(R).Control); }
  static TCheckBox* Check(TEditorPage& D, int R) { return static_cast<TCheckBox*>(D.Row(R).Control); }
  static TRadioGroup* Radio(TEditorPage& D, int R) { return static_cast<TRadioGroup*>(D.Row(R).Control); }
  std::unique_ptr<TComponent> Owner{new TComponent(nullptr)};
};

TEST_F(AidEditors, FormsAreFoundByTheToolsEditorNames) {
  PlotAidEditors::Initialization();
  for (const char* name : {"TLightToolEditor", "TSelectorToolEditor", "TDragPointToolEdit", "TPieToolEditor",
                           "TGanttToolEditor", "TSeriesBandToolEdit"})
    EXPECT_NE(ClassInfo::GetClass(name), nullptr) << name;
}

TEST_F(AidEditors, LightingRows) {
  auto* t = Create<TLightTool>(Owner.get());
  Run<TLightToolEditor>(t, [&](TLightToolEditor& D) {
    auto* left = static_cast<TTrackBar*>(D.Row(TLightToolEditor::rLeft).Control);
    EXPECT_EQ(left->GetPosition(), 0) << "no chart: the centre of nothing";
    left->SetPosition(120);
    EXPECT_EQ(t->GetLeft(), 120);
    static_cast<TTrackBar*>(D.Row(TLightToolEditor::rFactor).Control)->SetPosition(55);
    EXPECT_EQ(t->GetFactor(), 55);
    auto* style = static_cast<TComboFlat*>(D.Row(TLightToolEditor::rStyle).Control);
    style->SetItemIndex(1);
    style->Change();
    EXPECT_EQ(t->GetStyle(), lsSpotLight);
    Check(D, TLightToolEditor::rFollowMouse)->SetChecked(true);
    EXPECT_TRUE(t->FollowMouse);
  });
}

TEST_F(AidEditors, SelectorGanttBandDragAndPieRows) {
  auto* sel = Create<TSelectorTool>(Owner.get());
  Run<TSelectorToolEditor>(sel, [&](TSelectorToolEditor& D) {
    EXPECT_EQ(Edit(D, TSelectorToolEditor::rSize)->GetText(), "3");
    Edit(D, TSelectorToolEditor::rSize)->SetText("6");
    EXPECT_EQ(sel->GetHandleSize(), 6);
    Check(D, TSelectorToolEditor::rAllowResizeChart)->SetChecked(true);
    EXPECT_TRUE(sel->AllowResizeChart);
    EXPECT_EQ(static_cast<TButtonPen*>(D.Row(TSelectorToolEditor::rHandles).Control)->GetPen(), sel->Pen());
  });
  auto* gantt = Create<TGanttTool>(Owner.get());
  Run<TGanttToolEditor>(gantt, [&](TGanttToolEditor& D) {
    EXPECT_EQ(Edit(D, TGanttToolEditor::rMinPixels)->GetText(), "5");
    Edit(D, TGanttToolEditor::rMinPixels)->SetText("9");
    EXPECT_EQ(gantt->MinPixels, 9);
    Check(D, TGanttToolEditor::rAllowDrag)->SetChecked(false);
    EXPECT_FALSE(gantt->AllowDrag);
  });
  auto* band = Create<TSeriesBandTool>(Owner.get());
  Run<TSeriesBandToolEdit>(band, [&](TSeriesBandToolEdit& D) {
    Edit(D, TSeriesBandToolEdit::rTransparency)->SetText("40");
    EXPECT_EQ(band->GetTransparency(), 40);
    Check(D, TSeriesBandToolEdit::rDrawBehind)->SetChecked(false);
    EXPECT_FALSE(band->GetDrawBehindSeries());
  });
  struct Case {
    int Item;
    TDragPointStyle Style;
  };
  for (const Case& c : {Case{0, dsX}, Case{1, dsY}, Case{2, dsBoth}}) {
    auto* drag = Create<TDragPointTool>(Owner.get());
    drag->DragStyle = c.Item == 2 ? dsX : dsBoth;
    Run<TDragPointToolEdit>(drag, [&](TDragPointToolEdit& D) {
      Radio(D, TDragPointToolEdit::rDragStyle)->SetItemIndex(c.Item);
      EXPECT_EQ(drag->DragStyle, c.Style) << c.Item;
    });
  }
  auto* pie = Create<TPieTool>(Owner.get());
  Run<TPieToolEditor>(pie, [&](TPieToolEditor& D) {
    EXPECT_EQ(Radio(D, TPieToolEditor::rStyle)->GetItemIndex(), 0);
    Radio(D, TPieToolEditor::rStyle)->SetItemIndex(1);
    EXPECT_EQ(pie->Style, ptExplode);
  });
}

}  // namespace

}  // namespace AidEditorsTests
