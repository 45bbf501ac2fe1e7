// The chart editor's tools page and the tools gallery: listing, adding with
// the right owner and name, deleting and what is selected after, reordering.
#include <functional>
#include <string>

#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/editors/PlotToolsGallery.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace ToolsPageTests {

namespace {

class ToolsPage : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotTools::RegisterTools();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TPlotCustomTool* AddTool(TComponent* ToolOwner, const char* Name) {
    auto* T = Create<TAnnotationTool>(ToolOwner);
    T->SetName(Name);
    T->SetParentChart(Chart);
    return T;
  }
  TFormPlotTools* ShownPage() {
    auto* P = new TFormPlotTools(Owner);
    P->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Chart));
    P->FormShow(nullptr);
    return P;
  }
  // Picks the first tool of the gallery tab Tab.
  void ChooseInGallery(int Tab, const std::string& Text) {
    Modal<TPlotToolsGallery>([Tab, Text](TPlotToolsGallery& G) {
      G.FormShow(nullptr);
      G.TabControl1->SelectTab(Tab);
      G.LBTool->SetItemIndex(G.LBTool->Items()->IndexOf(Text));
      G.LBTool->OnClick(G.LBTool);
      EXPECT_TRUE(G.BOk->GetEnabled());
      return mrOk;
    });
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

TEST_F(ToolsPage, DeletingSelectsAsTheListRuleSays) {
  struct Case {
    int Deleted;
    const char* Selected;
  };
  for (const Case& C : {Case{0, "T5"}, Case{1, "T5"}, Case{3, "T3"}, Case{4, "T4"}}) {
    for (const char* N : {"T1", "T2", "T3", "T4", "T5"}) AddTool(Owner, N);
    TFormPlotTools* P = ShownPage();
    P->LBTools->SetItemIndex(C.Deleted);
    P->LBToolsClick(P->LBTools);
    Seam.AnswerMessage(mrYes);
    P->BDeleteClick(nullptr);
    EXPECT_EQ(Chart->GetTools().Count(), 4);
    ASSERT_NE(P->SelectedTool(), nullptr);
    EXPECT_EQ(P->SelectedTool()->GetName(), C.Selected) << C.Deleted;
    EXPECT_EQ(P->CBActive->GetChecked(), P->SelectedTool()->GetActive());
    P->Free();
    Chart->GetTools().Clear();
  }
}

TEST_F(ToolsPage, RefusedDeleteKeepsTheToolAndTheLastDeleteEmptiesTheList) {
  AddTool(Owner, "Only");
  TFormPlotTools* P = ShownPage();
  Seam.AnswerMessage(mrNo);
  P->BDeleteClick(nullptr);
  EXPECT_EQ(Chart->GetTools().Count(), 1);
  Seam.AnswerMessage(mrYes);
  P->BDeleteClick(nullptr);
  EXPECT_EQ(Chart->GetTools().Count(), 0);
  EXPECT_EQ(P->LBTools->GetItemIndex(), -1);
  EXPECT_FALSE(P->BDelete->GetEnabled());
  EXPECT_FALSE(P->BMoveUp->GetEnabled());
}

TEST_F(ToolsPage, AddedToolTakesTheOwnerOfTheOthersAndAFreeName) {
  // No tools: the chart's owner owns the new tool.
  TFormPlotTools* P = ShownPage();
  std::vector<TPlotCustomTool*> Added;
  P->OnAdded = [&Added](TPlotCustomTool* T) { Added.push_back(T); };
  ChooseInGallery(2, "Annotation");
  P->BAddClick(nullptr);
  ASSERT_EQ(Chart->GetTools().Count(), 1);
  TPlotCustomTool* First = Chart->GetTools().ToolAt(0);
  EXPECT_EQ(First->Owner(), Owner);
  EXPECT_EQ(First->GetName(), "ChartTool1");
  EXPECT_EQ(Added, std::vector<TPlotCustomTool*>{First});
  EXPECT_EQ(P->SelectedTool(), First);
  // A tool owned by the chart makes the chart the owner of the next.
  AddTool(Chart, "ChartTool1");
  ChooseInGallery(0, "Cursor");
  P->BAddClick(nullptr);
  ASSERT_EQ(Chart->GetTools().Count(), 3);
  TPlotCustomTool* Third = Chart->GetTools().ToolAt(2);
  EXPECT_EQ(Third->Owner(), Chart);
  EXPECT_EQ(Third->GetName(), "ChartTool2");
  EXPECT_TRUE(dynamic_cast<TCursorTool*>(Third));
  // The form the new tool names fills the editor panel.
  ASSERT_NE(P->ToolEditor(), nullptr);
  EXPECT_EQ(P->ToolEditor()->ClassType()->ClassName(), "TCursorToolEditor");
  EXPECT_EQ(P->PanelToolEditor->ControlCount(), 1);
  // Cancel adds nothing.
  Modal<TPlotToolsGallery>([](TPlotToolsGallery&) { return mrCancel; });
  P->BAddClick(nullptr);
  EXPECT_EQ(Chart->GetTools().Count(), 3);
}

TEST_F(ToolsPage, GalleryTabsSortToolsByKind) {
  auto* G = new TPlotToolsGallery(Owner);
  G->FormShow(nullptr);
  for (int Tab = 0; Tab < 3; ++Tab) {
    G->TabControl1->SelectTab(Tab);
    EXPECT_FALSE(G->BOk->GetEnabled());
    ASSERT_GT(G->LBTool->Items()->Count(), 0);
    for (int i = 0; i < G->LBTool->Items()->Count(); ++i) {
      G->LBTool->SetItemIndex(i);
      std::unique_ptr<TObject> Sample(G->SelectedTool()->CreateInstance(nullptr));
      const bool Series = dynamic_cast<TPlotCustomToolSeries*>(Sample.get());
      const bool Axis = dynamic_cast<TPlotCustomToolAxis*>(Sample.get());
      EXPECT_EQ(Series, Tab == 0);
      EXPECT_EQ(Axis, Tab == 1);
    }
  }
}

TEST_F(ToolsPage, MovingSwapsListChartOrderAndComponentOrderOfOneOwner) {
  TPlotCustomTool* A = AddTool(Owner, "A");
  TPlotCustomTool* B = AddTool(Owner, "B");
  TPlotCustomTool* C = AddTool(Chart, "C");
  TFormPlotTools* P = ShownPage();
  const int IA = A->GetComponentIndex(), IB = B->GetComponentIndex();
  P->LBTools->SetItemIndex(0);
  P->Move(1);
  EXPECT_EQ(Chart->GetTools().ToolAt(0), B);
  EXPECT_EQ(Chart->GetTools().ToolAt(1), A);
  EXPECT_EQ(A->GetComponentIndex(), IB);
  EXPECT_EQ(B->GetComponentIndex(), IA);
  EXPECT_EQ(P->SelectedTool(), A);
  EXPECT_TRUE(P->BMoveUp->GetEnabled());
  // Different owners: only the list order changes.
  const int IC = C->GetComponentIndex(), IA2 = A->GetComponentIndex();
  P->Move(1);
  EXPECT_EQ(Chart->GetTools().ToolAt(2), A);
  EXPECT_EQ(Chart->GetTools().ToolAt(1), C);
  EXPECT_EQ(C->GetComponentIndex(), IC);
  EXPECT_EQ(A->GetComponentIndex(), IA2);
  EXPECT_FALSE(P->BMoveDown->GetEnabled());
  // Hidden tools are not listed; the page refills when tools come or go.
  C->ShowInEditor = false;
  P->Fill();
  EXPECT_EQ(P->LBTools->Items()->Count(), 2);
  C->ShowInEditor = true;
  AddTool(Owner, "D");
  P->RefreshTools();
  EXPECT_EQ(P->LBTools->Items()->Count(), 4);
  P->CBActive->SetChecked(false);
  EXPECT_FALSE(P->SelectedTool()->GetActive());
}

TEST_F(ToolsPage, EveryChangeOnThePageTellsTheChartsAttachedEditor) {
  AddTool(Owner, "T1");
  AddTool(Owner, "T2");
  TFormPlotTools* P = ShownPage();
  int Told = 0;
  auto* Editor = Create<TComponent>(Owner);
  Chart->AttachEditor(Editor, [&Told](TObject*) { ++Told; });
  struct Case {
    const char* Name;
    std::function<void()> Run;
    int Tools;
  };
  const Case Cases[] = {
      {"add",
       [&] {
         ChooseInGallery(2, "Annotation");
         P->BAddClick(nullptr);
       },
       3},
      {"active", [&] { P->CBActive->SetChecked(!P->CBActive->GetChecked()); }, 3},
      {"move up", [&] { P->Move(-1); }, 3},
      {"delete",
       [&] {
         Seam.AnswerMessage(mrYes);
         P->BDeleteClick(nullptr);
       },
       2},
  };
  for (const Case& C : Cases) {
    Told = 0;
    C.Run();
    EXPECT_EQ(Told, 1) << C.Name;
    EXPECT_EQ(Chart->GetTools().Count(), C.Tools) << C.Name;
  }
  // Ticking the box to the state the tool has already changes nothing.
  Told = 0;
  P->CBActive->SetChecked(P->SelectedTool()->GetActive());
  EXPECT_EQ(Told, 0);
  // A freed editor hears nothing more.
  Editor->Free();
  P->Move(1);
  EXPECT_EQ(Told, 0);
}

TEST_F(ToolsPage, AToolFreedElsewhereTakesItsEmbeddedEditorWithIt) {
  TPlotCustomTool* A = AddTool(Owner, "A");
  AddTool(Owner, "B");
  TFormPlotTools* P = ShownPage();
  ASSERT_NE(P->ToolEditor(), nullptr);
  A->Free();
  EXPECT_EQ(P->ToolEditor(), nullptr);
  EXPECT_EQ(P->PanelToolEditor->ControlCount(), 0);
  P->SyncTools();
  ASSERT_EQ(P->LBTools->Items()->Count(), 1);
  EXPECT_EQ(P->SelectedTool()->GetName(), "B");
  ASSERT_NE(P->ToolEditor(), nullptr);
  EXPECT_EQ(reinterpret_cast<TObject*>(P->ToolEditor()->Tag), P->SelectedTool());
}

// A 16 x 16 picture of one colour, loaded for one class name.
class ToolPicture {
public:
  ToolPicture(const std::string& ClassName, TColor Colour) {
    PlotProcs::ResourceModules.push_back([ClassName, Colour](const std::string& Name, TBitmap& B) {
      if (Name != ClassName) return false;
      B.SetSize(16, 16);
      B.GetCanvas()->Brush->SetColor(Colour);
      B.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
      return true;
    });
  }
  ~ToolPicture() { PlotProcs::ResourceModules.pop_back(); }
};

TEST_F(ToolsPage, BothListsDrawEachToolsIconBesideItsText) {
  const ToolPicture Picture("TAnnotationTool", clRed);
  AddTool(Owner, "A");
  auto* Cursor = Create<TCursorTool>(Owner);
  Cursor->SetParentChart(Chart);
  TFormPlotTools* P = ShownPage();
  P->LBTools->SetWidth(140);
  TBitmap Rows;
  P->LBTools->PaintRows(Rows);
  const int H = PlotEditTools::ToolItemHeight;
  ASSERT_EQ(Rows.GetHeight(), 2 * H);
  // Row 0 (selected): the icon from (2, 1) to (17, 16) on the highlight colour.
  const TColor Highlight = Rows.GetPixelColor(1, 0);
  EXPECT_EQ(Rows.GetPixelColor(2, 1) & 0xFFFFFF, clRed);
  EXPECT_EQ(Rows.GetPixelColor(17, 16) & 0xFFFFFF, clRed);
  EXPECT_EQ(Rows.GetPixelColor(18, 8), Highlight);
  EXPECT_EQ(Rows.GetPixelColor(2, 17), Highlight);
  // Row 1: a tool type without a picture leaves the list colour; the text starts at 22.
  const TColor Back = Rows.GetPixelColor(10, H + 8);
  EXPECT_NE(Back & 0xFFFFFF, clRed);
  EXPECT_NE(Back, Highlight);
  bool TextBefore = false, TextAfter = false;
  for (int Y = H + 2; Y < 2 * H; ++Y) {
    for (int X = 0; X < 22; ++X) TextBefore |= Rows.GetPixelColor(X, Y) != Back;
    for (int X = 22; X < 60; ++X) TextAfter |= Rows.GetPixelColor(X, Y) != Back;
  }
  EXPECT_FALSE(TextBefore);
  EXPECT_TRUE(TextAfter);

  // The gallery draws each type's icon through a temporary tool of the
  // class: the annotation tool and the types derived straight from it (whose
  // own class has no picture) show the red one.
  auto* G = new TPlotToolsGallery(Owner);
  G->FormShow(nullptr);
  G->TabControl1->SelectTab(2);
  ASSERT_GE(G->LBTool->Items()->IndexOf("Annotation"), 0);
  G->LBTool->SetWidth(200);
  TBitmap Gallery;
  G->LBTool->PaintRows(Gallery);
  int Red = 0;
  for (int Row = 0; Row < G->LBTool->Items()->Count(); ++Row) {
    auto* K = reinterpret_cast<const TClassInfo*>(G->LBTool->Items()->Objects(Row));
    const bool Annotation = K->ClassName() == "TAnnotationTool" ||
                            (K->ClassParent() && K->ClassParent()->ClassName() == "TAnnotationTool");
    Red += Annotation;
    EXPECT_EQ((Gallery.GetPixelColor(9, Row * H + 8) & 0xFFFFFF) == clRed, Annotation)
        << G->LBTool->Items()->Strings(Row);
  }
  EXPECT_LT(Red, G->LBTool->Items()->Count());
}

}  // namespace

}  // namespace ToolsPageTests
