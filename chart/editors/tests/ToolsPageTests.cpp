// The chart editor's tools page and the tools gallery: listing, adding with
// the right owner and name, deleting and what is selected after, reordering.
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/editors/PlotToolsGallery.h"
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

}  // namespace

}  // namespace ToolsPageTests
