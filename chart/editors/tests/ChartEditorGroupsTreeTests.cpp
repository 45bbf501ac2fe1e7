// The chart editor's series groups and its tree mode.
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotEdiAxis.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEdiTitl.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotExport.h"
#include "chart/series/PlotMapSeries.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/ui/Buttons.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/TabSheetMove.h"
#include "platform/ui/TreeView.h"

namespace ChartEditorGroupsTreeTests {

class EditorGroupsTree : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotTools::RegisterTools();
    PlotExport::Initialize();
    ChartEditors::Initialize();
    ClearStore();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetName("Chart1");
    for (int k = 0; k < 3; ++k) {
      auto* S = Create<TLineSeries>(Owner);
      S->SetName("Series" + std::to_string(k + 1));
      S->SetParentChart(Chart);
      for (int i = 0; i < 5; ++i) S->Add(i * (k + 1.0));
    }
  }
  void TearDown() override {
    Owner->Free();
    PlotExport::Finalize();
    ClearStore();
  }
  static void ClearStore() {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.DeleteKey(PlotProcs::EditorKey);
  }
  static void Store(std::initializer_list<std::pair<const char*, int>> Values) {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.OpenKey(PlotProcs::EditorKey, true);
    for (const auto& [Name, V] : Values) Reg.WriteInteger(Name, V);
  }
  TChartEditForm* Editor(TEditorPermissions Extra = {}, bool Remember = false) {
    auto* E = new TChartEditForm(Owner);
    E->RememberPosition = E->RememberSize = Remember;
    E->SetChart(Chart);
    E->EditorPermissions = E->EditorPermissions + Extra;
    E->FormShow(E);
    return E;
  }
  TChartSeries* S(int I) const { return Chart->GetSeries(I); }
  TSeriesGroup* Group(const char* Name, std::initializer_list<int> Members) {
    TSeriesGroup* G = Chart->GetSeriesList().AddGroup(Name);
    for (int I : Members) G->Series().Add(S(I));
    return G;
  }
  static std::vector<std::string> Rows(TListBox* List) {
    std::vector<std::string> Out;
    for (int i = 0; i < List->Items()->Count(); ++i) Out.push_back(List->Items()->Get(i));
    return Out;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

using P = TEditorPermission;
using CS = TCheckBoxState;

TEST_F(EditorGroupsTree, GroupsListShowsAllItemAndChecksFromTheGroupsActiveState) {
  Group("Both", {0, 1});
  Group("Mixed", {1, 2});
  Group("Off", {2});
  S(2)->SetActive(false);
  struct Case {
    TEditorPermissions Permissions;
    std::vector<std::string> Items;
    std::vector<CS> States;
  };
  for (const Case& C : {Case{{P::ShowGroups, P::ShowAllGroup}, {"(all)", "Both", "Mixed", "Off"},
                             {CS::cbUnchecked, CS::cbChecked, CS::cbGrayed, CS::cbUnchecked}},
                        Case{{P::ShowGroups, P::AllowAdd}, {"Both", "Mixed", "Off"},
                             {CS::cbChecked, CS::cbGrayed, CS::cbUnchecked}}}) {
    auto* E = new TChartEditForm(Owner);
    E->RememberPosition = E->RememberSize = false;
    E->SetChart(Chart);
    E->EditorPermissions = C.Permissions;
    E->FormShow(E);
    EXPECT_TRUE(E->PanelGroups->GetVisible());
    EXPECT_TRUE(E->BAddGroup->GetVisible());
    EXPECT_EQ(Rows(E->Groups), C.Items);
    for (size_t i = 0; i < C.States.size(); ++i) EXPECT_EQ(E->Groups->GetState(int(i)), C.States[i]) << i;
    E->Free();
  }
  // Without ShowGroups no group control shows.
  TChartEditForm* E = Editor();
  EXPECT_FALSE(E->PanelGroups->GetVisible());
  EXPECT_FALSE(E->BAddGroup->GetVisible());
  E->Free();
}

TEST_F(EditorGroupsTree, ClickingAGroupFiltersTheListAndTickingSetsActive) {
  Group("First", {0});
  Group("Rest", {1, 2});
  TChartEditForm* E = Editor({P::ShowGroups});
  auto ClickRow = [&](int Row, bool InBox) {
    const int Y = Row * E->Groups->ItemHeight + 2;
    E->Groups->MouseDown(TMouseButton::mbLeft, {}, InBox ? 3 : 40, Y);
    E->Groups->SetItemIndex(Row);
    E->GroupsClick(E->Groups);
  };
  ClickRow(2, false);
  EXPECT_EQ(Rows(E->LBSeries), (std::vector<std::string>{"Series2", "Series3"}));
  EXPECT_TRUE(E->BDeleteGroup->GetEnabled());
  EXPECT_TRUE(E->BRenameGroup->GetEnabled());
  // Unticking "Rest" switches its series off; "(all)" follows.
  ClickRow(2, true);
  EXPECT_FALSE(S(1)->GetActive());
  EXPECT_FALSE(S(2)->GetActive());
  EXPECT_TRUE(S(0)->GetActive());
  EXPECT_EQ(E->Groups->GetState(0), CS::cbUnchecked);
  // Ticking "(all)" switches every series on and shows every series.
  ClickRow(0, true);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(S(i)->GetActive()) << i;
  EXPECT_EQ(E->Groups->GetState(2), CS::cbChecked);
  EXPECT_EQ(Rows(E->LBSeries).size(), 3u);
  EXPECT_FALSE(E->BDeleteGroup->GetEnabled());
  EXPECT_FALSE(E->BRenameGroup->GetEnabled());
  E->Free();
}

TEST_F(EditorGroupsTree, AddRenameAndDeleteGroupAskFirst) {
  TChartEditForm* E = Editor({P::ShowGroups});
  TSeriesGroups& G = Chart->GetSeriesList().Groups();
  Seam.AnswerInput(std::nullopt);
  E->BAddGroup->Click();
  EXPECT_EQ(G.Count(), 0);
  Seam.AnswerInput("Wells");
  E->BAddGroup->Click();
  ASSERT_EQ(G.Count(), 1);
  EXPECT_EQ(Rows(E->Groups), (std::vector<std::string>{"(all)", "Wells"}));
  EXPECT_EQ(E->Groups->GetItemIndex(), 1);
  EXPECT_TRUE(E->BRenameGroup->GetEnabled());
  Seam.AnswerInput("Lines");
  E->BRenameGroup->Click();
  EXPECT_EQ(G.GetGroup(0)->Name, "Lines");
  Seam.AnswerMessage(mrNo);
  E->BDeleteGroup->Click();
  EXPECT_EQ(G.Count(), 1);
  Seam.AnswerMessage(mrYes);
  E->BDeleteGroup->Click();
  EXPECT_EQ(G.Count(), 0);
  EXPECT_EQ(Rows(E->Groups), (std::vector<std::string>{"(all)"}));
  EXPECT_EQ(E->LBSeries->GetGroup(), nullptr);
  const auto& Prompts = Seam.Prompts();
  ASSERT_EQ(Prompts.size(), 5u);
  EXPECT_EQ(Prompts[1].Caption, "Add new group");
  EXPECT_EQ(Prompts[1].Text, "Group name:");
  EXPECT_EQ(Prompts[2].Caption, "Change group name");
  EXPECT_EQ(Prompts[2].Text, "Group name:");
  EXPECT_EQ(Prompts[4].Text, "Delete Lines ?");
  E->Free();
}

TEST_F(EditorGroupsTree, SeriesDraggedOntoAGroupMovesThereOnlyWhenNew) {
  TSeriesGroup* A = Group("A", {0, 1});
  TSeriesGroup* B = Group("B", {1});
  TChartEditForm* E = Editor({P::ShowGroups});
  E->Show();
  E->Groups->SetItemIndex(1);  // the list shows group A
  E->GroupsClick(E->Groups);
  ASSERT_EQ(Rows(E->LBSeries), (std::vector<std::string>{"Series1", "Series2"}));
  // From row Row of the series list to the group row GroupRow.
  auto Drag = [&](int Row, int GroupRow) {
    const TPoint Start(20, Row * E->LBSeries->ItemHeight + 2);
    const TPoint Screen = E->Groups->ClientToScreen(TPoint(30, GroupRow * E->Groups->ItemHeight + 3));
    const TPoint End = E->LBSeries->ScreenToClient(Screen);
    E->LBSeries->MouseDown(TMouseButton::mbLeft, {}, Start.X, Start.Y);
    E->LBSeries->MouseMove({TShiftStateItem::ssLeft}, End.X, End.Y);
    E->LBSeries->MouseUp(TMouseButton::mbLeft, {}, End.X, End.Y);
  };
  Drag(1, 2);  // Series2 is in B already: refused
  EXPECT_EQ(B->Series().Count(), 1);
  EXPECT_EQ(A->Series().Count(), 2);
  Drag(1, 0);  // onto "(all)": refused
  EXPECT_EQ(A->Series().Count(), 2);
  Drag(0, 2);  // Series1 moves from A to B
  EXPECT_EQ(A->Series().IndexOf(S(0)), -1);
  EXPECT_GE(B->Series().IndexOf(S(0)), 0);
  EXPECT_EQ(E->Groups->GetItemIndex(), 2);
  EXPECT_EQ(Rows(E->LBSeries), (std::vector<std::string>{"Series2", "Series1"}));
  E->Hide();
  E->Free();
}

// ---------------------------------------------------------------- tree mode

class EditorTree : public EditorGroupsTree {
protected:
  void SetUp() override {
    EditorGroupsTree::SetUp();
    Chart->CustomAxes()->AddAxis();
    for (const char* Name : {"Tool1", "Tool2"}) {
      auto* T = Create<TAnnotationTool>(Owner);
      T->SetName(Name);
      T->SetParentChart(Chart);
    }
    PlotProcs::WriteEditorBool("TreeMode", true);
  }
  // Each node as its text, indented by two spaces per level.
  static std::vector<std::string> Outline(TTreeView* Tree) {
    std::vector<std::string> Out;
    for (int i = 0; i < Tree->Items()->Count(); ++i) {
      TTreeNode* N = Tree->Items()->Item(i);
      Out.push_back(std::string(size_t(N->Level()) * 2, ' ') + N->GetText());
    }
    return Out;
  }
};

TEST_F(EditorTree, NodesListSeriesPagesAxesTitlesAndTools) {
  TChartEditForm* E = Editor();
  ASSERT_TRUE(E->Tree->GetVisible());
  EXPECT_FALSE(E->MainPage->GetVisible());
  EXPECT_EQ(E->ButtonHelp->GetLeft(), 16);
  const std::vector<std::string> Expected{
      "Series", "  Series1", "  Series2", "  Series3", "Chart", "  General", "  Axis", "    Left Axis",
      "    Right Axis", "    Top Axis", "    Bottom Axis", "    Depth Right", "    Depth Top", "    Custom 0",
      "  Titles", "    Title", "    SubTitle", "    Footer", "    SubFoot", "  Legend", "  Panel", "  Paging",
      "  Walls", "  3D", "Data", "Tools", "  Annotation", "  Annotation", "Export", "Print"};
  EXPECT_EQ(Outline(E->Tree), Expected);
  EXPECT_TRUE(E->SeriesNode()->GetExpanded());
  // Hidden tabs leave their nodes out.
  E->Free();
  auto* H = new TChartEditForm(Owner);
  H->RememberPosition = H->RememberSize = false;
  H->SetChart(Chart);
  H->HiddenEditorTabs = {TEditorTab::etAxis, TEditorTab::etData, TEditorTab::etPrint};
  H->FormShow(H);
  const std::vector<std::string> Outlined = Outline(H->Tree);
  for (const char* Gone : {"  Axis", "Data", "Print", "    Left Axis"})
    EXPECT_EQ(std::count(Outlined.begin(), Outlined.end(), Gone), 0) << Gone;
  EXPECT_EQ(std::count(Outlined.begin(), Outlined.end(), "Export"), 1);
  H->Free();
}

TEST_F(EditorTree, EachNodeOpensItsPageInTheHostPanel) {
  TChartEditForm* E = Editor();
  TTreeView* Tree = E->Tree;
  TTabSheet* Sub[] = {E->TabGeneral, E->TabAxis, E->TabTitle, E->TabLegend,
                      E->TabPanel,   E->TabPaging, E->TabWalls, E->Tab3D};
  for (int i = 0; i < Tree->Items()->Count(); ++i) {
    TTreeNode* N = Tree->Items()->Item(i);
    Tree->SetSelected(N);
    ASSERT_EQ(E->TreeHost()->ControlCount(), 1) << N->GetText();
    TControl* Shown = E->TreeHost()->GetControl(0);
    auto* O = static_cast<TObject*>(N->Data);
    if (auto* Series = dynamic_cast<TChartSeries*>(O)) {
      EXPECT_EQ(Shown, E->TabSeries);
      ASSERT_NE(E->SeriesPage(), nullptr);
      EXPECT_EQ(E->SeriesPage()->CurrentSeries(), Series) << N->GetText();
    } else if (auto* Axis = dynamic_cast<TChartAxis*>(O)) {
      auto* Page = dynamic_cast<TFormPlotAxis*>(E->TabAxis->GetControl(0));
      ASSERT_NE(Page, nullptr);
      EXPECT_EQ(Shown, Page->PageAxis);
      EXPECT_EQ(Page->TheAxis(), Axis) << N->GetText();
    } else if (auto* Title = dynamic_cast<TChartTitle*>(O)) {
      auto* Page = dynamic_cast<TFormPlotTitle*>(E->TabTitle->GetControl(0));
      ASSERT_NE(Page, nullptr);
      EXPECT_EQ(Shown, Page->PageControlTitle);
      EXPECT_EQ(Page->Title(), Title) << N->GetText();
    } else if (auto* Tool = dynamic_cast<TPlotCustomTool*>(O)) {
      ASSERT_NE(E->ToolsPage(), nullptr);
      EXPECT_EQ(Shown, E->ToolsPage()->PanelToolEditor);
      EXPECT_EQ(E->ToolsPage()->SelectedTool(), Tool);
    } else if (O == E->SubPage) {
      EXPECT_EQ(Shown, E->SubPage);
      EXPECT_FALSE(E->TabSeriesList->GetTabVisible());
    } else {
      EXPECT_EQ(Shown, O) << N->GetText();
      if (std::find(std::begin(Sub), std::end(Sub), O) != std::end(Sub)) {
        EXPECT_GT(static_cast<TTabSheet*>(O)->ControlCount(), 0) << N->GetText() << " has its page form";
      }
    }
  }
  // Leaving a node puts its page back: the series list tab shows in its page control again.
  Tree->SetSelected(Tree->Items()->Item(0));
  Tree->SetSelected(Tree->Items()->Item(1));
  EXPECT_FALSE(TabSheetMove::IsMoved(E->TabSeriesList));
  EXPECT_EQ(E->TabSeriesList->GetPageControl(), E->SubPage);
  EXPECT_TRUE(E->TabSeriesList->GetTabVisible());
  E->Free();
}

TEST_F(EditorTree, ChangesMadeBesideTheEditorRefreshItsTreeAndToolsPage) {
  TChartEditForm* E = Editor();
  ASSERT_EQ(Chart->AttachedEditor(), E);
  TPlotCustomTool* Tool1 = Chart->GetTools().ToolAt(0);
  TPlotCustomTool* Tool2 = Chart->GetTools().ToolAt(1);
  E->Tree->SetSelected(E->ToolsNode()->Item(1));
  ASSERT_NE(E->ToolsPage(), nullptr);
  ASSERT_EQ(E->ToolsPage()->SelectedTool(), Tool2);
  // A series list and a tools page of their own on the same chart.
  auto* List = Create<TChartListBox>(Owner);
  List->SetChart(Chart);
  List->DuplicateSelected();
  ASSERT_EQ(Chart->SeriesCount(), 4);
  EXPECT_EQ(E->SeriesNode()->Count(), 4);
  List->MoveDown();
  EXPECT_EQ(E->SeriesNode()->Item(0)->GetText(), "Series2");
  EXPECT_EQ(E->SeriesNode()->Item(1)->GetText(), "Series1");
  // The tool shown stays shown while others come and go.
  auto* Page = new TFormPlotTools(Owner);
  Page->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Chart));
  Page->FormShow(nullptr);
  ASSERT_EQ(Page->SelectedTool(), Tool1);
  Seam.AnswerMessage(mrYes);
  Page->BDeleteClick(nullptr);
  ASSERT_EQ(E->ToolsNode()->Count(), 1);
  EXPECT_EQ(static_cast<TObject*>(E->ToolsNode()->Item(0)->Data), Tool2);
  EXPECT_EQ(E->ToolsPage()->LBTools->Items()->Count(), 1);
  EXPECT_EQ(E->ToolsPage()->SelectedTool(), Tool2);
  EXPECT_EQ(E->Tree->GetSelected(), E->ToolsNode()->Item(0));
  ASSERT_NE(E->ToolsPage()->ToolEditor(), nullptr);
  EXPECT_EQ(reinterpret_cast<TObject*>(E->ToolsPage()->ToolEditor()->Tag), Tool2);
  // Deleting the tool shown leaves the tree on the Tools page.
  Page->LBTools->SetItemIndex(0);
  Page->LBToolsClick(Page->LBTools);
  Seam.AnswerMessage(mrYes);
  Page->BDeleteClick(nullptr);
  EXPECT_EQ(E->ToolsNode()->Count(), 0);
  EXPECT_EQ(E->Tree->GetSelected(), E->ToolsNode());
  EXPECT_EQ(E->ToolsPage()->ToolEditor(), nullptr);
  // A freed editor leaves the chart: later changes reach nobody.
  E->Free();
  EXPECT_EQ(Chart->AttachedEditor(), nullptr);
  List->DuplicateSelected();
  EXPECT_EQ(Chart->SeriesCount(), 5);
}

TEST_F(EditorTree, OnlySeriesNodesAreEditedInPlace) {
  TChartEditForm* E = Editor();
  TTreeView* Tree = E->Tree;
  for (int i = 0; i < Tree->Items()->Count(); ++i) {
    TTreeNode* N = Tree->Items()->Item(i);
    const bool IsSeries = dynamic_cast<TChartSeries*>(static_cast<TObject*>(N->Data)) != nullptr;
    EXPECT_EQ(N->EditText(), IsSeries) << N->GetText();
    Tree->EndEdit(false);
  }
  TTreeNode* Second = E->SeriesNode()->Item(1);
  ASSERT_TRUE(Second->EditText());
  Tree->EditBox()->SetText("Resistivity");
  Tree->EndEdit(true);
  EXPECT_EQ(S(1)->GetTitle(), "Resistivity");
  EXPECT_EQ(Second->GetText(), "Resistivity");
  EXPECT_EQ(E->LBSeries->Items()->Get(1), "Resistivity");
  E->Free();
}

TEST_F(EditorTree, TreeWidthIsReadAndKeptWithTheWidthWithoutTheTree) {
  Store({{"TreeWidth", 3}});
  TChartEditForm* Small = Editor({}, true);
  EXPECT_EQ(Small->Tree->GetWidth(), 10);  // raised to the minimum
  Small->Free();
  Store({{"TreeWidth", 150}});
  TChartEditForm* E = Editor({}, true);
  EXPECT_EQ(E->Tree->GetWidth(), 150);
  EXPECT_EQ(E->GetWidth(), E->CreatedWidth() + 150 + E->TreeSplitter->GetWidth());
  E->Tree->SetWidth(170);
  E->Free();
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(PlotProcs::EditorKey));
  EXPECT_EQ(Reg.ReadInteger("TreeWidth"), 170);
  // The stored width is the form's without the tree: unresized, none is written.
  EXPECT_FALSE(Reg.ValueExists("Width"));
}

TEST_F(EditorTree, SeriesStyleEditorShowsNoTree) {
  Modal<TChartEditForm>([](TChartEditForm& F) {
    EXPECT_FALSE(F.Tree->GetVisible());
    EXPECT_EQ(F.TreeHost(), nullptr);
    EXPECT_EQ(F.GetCaption(), "Graphic editor");
    return mrCancel;
  });
  PlotEditCha::ShowSeriesStyleEditor(S(0));
}

TEST_F(EditorTree, PicturesOfPageAndTreeMode) {
  // KV_EDITOR_PNG_DIR names a folder for editor_page.png and editor_tree.png.
  const char* Dir = std::getenv("KV_EDITOR_PNG_DIR");
  for (bool TreeMode : {false, true}) {
    PlotProcs::WriteEditorBool("TreeMode", TreeMode);
    TChartEditForm* E = Editor({P::ShowGroups});
    Group("Wells", {0});
    E->FillGroups();
    E->Show();
    if (TreeMode) E->Tree->SetSelected(E->SeriesNode());
    Application->ProcessMessages();
    QImage Shot = E->Handle()->grab().toImage();
    EXPECT_FALSE(Shot.isNull());
    EXPECT_EQ(E->Tree->GetVisible(), TreeMode);
    if (Dir)
      Shot.save(QString::fromStdString(std::string(Dir) + (TreeMode ? "/editor_tree.png" : "/editor_page.png")));
    E->Hide();
    E->Free();
    Chart->GetSeriesList().Groups().Clear();
  }
}

}  // namespace ChartEditorGroupsTreeTests

namespace ChartEditorGroupsTreeTests {

TEST_F(EditorGroupsTree, MoveButtonsCarryUpAndDownArrows) {
  TChartEditForm* E = Editor();
  // The arrow's black pixels sit in the upper part for up and the lower part for down.
  auto BlackRows = [](TBitmap* B, int From, int To) {
    int N = 0;
    for (int y = From; y < To; ++y)
      for (int x = 0; x < B->GetWidth(); ++x) N += B->GetCanvas()->GetPixel(x, y) == clBlack ? 1 : 0;
    return N;
  };
  TBitmap* Up = E->BMoveUP->GetGlyph();
  TBitmap* Down = E->BMoveDown->GetGlyph();
  ASSERT_GT(Up->GetWidth(), 0);
  ASSERT_EQ(Up->GetHeight(), Down->GetHeight());
  const int H = Up->GetHeight();
  EXPECT_LT(BlackRows(Up, 0, H / 2), BlackRows(Up, H / 2, H));
  EXPECT_GT(BlackRows(Down, 0, H / 2), BlackRows(Down, H / 2, H));
  E->Free();
}

TEST_F(EditorGroupsTree, AltRightClickOnTheGridTogglesXyzOnlyForAnXyzFirstSeries) {
  struct Case {
    bool Xyz;
    TShiftState Shift;
    TMouseButton Button;
    bool Toggles;
  };
  for (const Case& C : {Case{true, {TShiftStateItem::ssAlt}, TMouseButton::mbRight, true},
                        Case{true, {}, TMouseButton::mbRight, false},
                        Case{true, {TShiftStateItem::ssAlt}, TMouseButton::mbLeft, false},
                        Case{false, {TShiftStateItem::ssAlt}, TMouseButton::mbRight, false}}) {
    if (C.Xyz) {
      auto* Z = Create<TMapSeries>(Owner);
      Z->SetParentChart(Chart);
      Chart->ExchangeSeries(0, Chart->SeriesCount() - 1);
    }
    TChartEditForm* E = Editor();
    E->StartPageIndex = 12;
    E->OpenStartPage();
    const bool Before = E->ChartGrid1->GetXYZView();
    E->ChartGrid1->MouseDown(C.Button, C.Shift, 5, 5);
    EXPECT_EQ(E->ChartGrid1->GetXYZView() != Before, C.Toggles);
    EXPECT_EQ(E->SBGrid3D->GetDown(), E->ChartGrid1->GetXYZView());
    E->Free();
    if (C.Xyz) Chart->GetSeries(0)->Free();
  }
}

}  // namespace ChartEditorGroupsTreeTests
