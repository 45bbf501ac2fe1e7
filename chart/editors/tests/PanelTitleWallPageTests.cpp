// The chart editor's panel, titles and walls pages: what they show, what
// each control writes to the chart and the rules that enable controls.
#include <filesystem>

#include "chart/editors/PlotEdiPane.h"
#include "chart/editors/PlotEdiTitl.h"
#include "chart/editors/PlotEdiWall.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotShadowEditor.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PanelTitleWallPageTests {

namespace {

class ChartPages : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

// ---- Panel ----

TEST_F(ChartPages, PanelShowsThePanelAndWritesEachBorderControl) {
  Chart->SetBevelInner(TBevelCut::bvRaised);
  Chart->SetBevelOuter(TBevelCut::bvNone);
  Chart->SetBevelWidth(3);
  Chart->SetBorderWidth(7);
  Chart->SetBorderRound(20);
  auto* P = new TFormPlotPanel(Owner, Chart);
  EXPECT_EQ(P->GetCaption(), "Panel Editor");
  P->FormShow(nullptr);
  EXPECT_EQ(P->CBInner->GetItemIndex(), 2);
  EXPECT_EQ(P->CBOuter->GetItemIndex(), 0);
  EXPECT_EQ(P->UDPanelWi->GetPosition(), 3);
  EXPECT_EQ(P->UDPanelBor->GetPosition(), 7);
  EXPECT_EQ(P->UDRound->GetPosition(), 20);
  EXPECT_EQ(P->BBorder->GetPen(), Chart->Border());
  EXPECT_EQ(P->PageControl1->GetActivePage(), P->TabBack);
  // Showing changed nothing.
  EXPECT_EQ(Chart->GetBevelWidth(), 3);
  EXPECT_EQ(Chart->GetBorderRound(), 20);

  P->CBInner->SetItemIndex(1);
  P->CBInner->OnChange(P->CBInner);
  P->CBOuter->SetItemIndex(2);
  P->CBOuter->OnChange(P->CBOuter);
  P->UDPanelWi->SetPosition(5);
  P->UDPanelBor->SetPosition(0);
  P->UDRound->SetPosition(300);
  EXPECT_EQ(Chart->GetBevelInner(), TBevelCut::bvLowered);
  EXPECT_EQ(Chart->GetBevelOuter(), TBevelCut::bvRaised);
  EXPECT_EQ(Chart->GetBevelWidth(), 5);
  EXPECT_EQ(Chart->GetBorderWidth(), 0);
  EXPECT_EQ(Chart->GetBorderRound(), 300);
  // The gradient and shadow pages edit the panel's own gradient and shadow.
  ASSERT_NE(P->GradientEditor(), nullptr);
  EXPECT_EQ(P->GradientEditor()->EditedGradient, Chart->GetGradient());
  EXPECT_EQ(P->ShadowEditor()->EditedShadow, Chart->Shadow());
}

TEST_F(ChartPages, PanelDefaultColourBoxSetsButtonFaceAndStaysDisabledUntilAnotherColour) {
  Chart->SetColor(clRed);
  auto* P = new TFormPlotPanel(Owner, Chart);
  P->FormShow(nullptr);
  EXPECT_FALSE(P->CBColorDef->GetChecked());
  EXPECT_TRUE(P->CBColorDef->GetEnabled());
  P->CBColorDef->SetChecked(true);
  EXPECT_EQ(Chart->GetColor(), clBtnFace);
  EXPECT_TRUE(P->CBColorDef->GetChecked());
  EXPECT_FALSE(P->CBColorDef->GetEnabled());
  // Another colour chosen through the colour button enables the box again.
  Seam.AnswerColor(clYellow);
  P->BPanelColor->Click();
  EXPECT_EQ(Chart->GetColor(), clYellow);
  EXPECT_FALSE(P->CBColorDef->GetChecked());
  EXPECT_TRUE(P->CBColorDef->GetEnabled());
}

TEST_F(ChartPages, PanelBackPictureBrowseLoadsAndClearToggles) {
  const auto File = std::filesystem::temp_directory_path() / "kv-panel-back.bmp";
  {
    TBitmap B;
    B.SetSize(4, 4);
    B.SaveToFile(File.string());
  }
  auto* P = new TFormPlotPanel(Owner, Chart);
  P->FormShow(nullptr);
  EXPECT_EQ(P->BBrowseImage->GetCaption(), "B&rowse...");
  EXPECT_FALSE(P->RGBitmap->GetEnabled());
  EXPECT_FALSE(P->CBImageInside->GetEnabled());
  EXPECT_FALSE(P->CBTransp->GetEnabled());
  EXPECT_FALSE(P->ELeft->GetEnabled());

  Seam.AnswerFileDialog(TFileDialogResult{{File.string()}, 1});
  P->BBrowseImage->Click();
  ASSERT_TRUE(Chart->HasBackImage());
  EXPECT_EQ(P->BBrowseImage->GetCaption(), "Clea&r");
  EXPECT_TRUE(P->RGBitmap->GetEnabled());
  EXPECT_TRUE(P->CBImageInside->GetEnabled());
  EXPECT_TRUE(P->CBTransp->GetEnabled());

  // Custom mode enables the offsets, which then move the picture.
  P->RGBitmap->SetItemIndex(3);
  EXPECT_EQ(Chart->GetBackImageMode(), pbmCustom);
  EXPECT_TRUE(P->ELeft->GetEnabled());
  EXPECT_TRUE(P->UDTop->GetEnabled());
  P->UDLeft->SetPosition(12);
  P->UDTop->SetPosition(34);
  EXPECT_EQ(Chart->GetBackImage()->GetLeft(), 12);
  EXPECT_EQ(Chart->GetBackImage()->GetTop(), 34);
  P->CBImageInside->SetChecked(true);
  EXPECT_TRUE(Chart->GetBackImageInside());
  P->CBTransp->SetChecked(true);
  EXPECT_TRUE(Chart->GetBackImageTransp());

  P->BBrowseImage->Click();  // clears without asking
  EXPECT_FALSE(Chart->HasBackImage());
  EXPECT_EQ(P->BBrowseImage->GetCaption(), "B&rowse...");
  EXPECT_FALSE(P->RGBitmap->GetEnabled());
  std::filesystem::remove(File);
}

// ---- Titles ----

TEST_F(ChartPages, TitlesPageSelectsTheTitleShownAndRetargets) {
  struct Case {
    TChartTitle* Title;
    int Index;
  };
  const Case Cases[] = {{Chart->Title(), 0}, {Chart->SubTitle(), 1}, {Chart->SubFoot(), 2}, {Chart->Foot(), 3}};
  for (const Case& C : Cases) {
    auto* T = new TFormPlotTitle(Owner, C.Title, Chart);
    T->FormShow(nullptr);
    EXPECT_EQ(T->CBTitles->GetItemIndex(), C.Index);
    T->Free();
  }
  Chart->Foot()->SetTextLine("feet");
  Chart->Foot()->SetAlignment(TAlignment::taRightJustify);
  auto* T = new TFormPlotTitle(Owner, Chart->Title(), Chart);
  T->FormShow(nullptr);
  T->CBTitles->SetItemIndex(3);
  T->CBTitlesChange(nullptr);
  EXPECT_EQ(T->Title(), Chart->Foot());
  EXPECT_EQ(T->MText->Lines()->GetText(), Chart->Foot()->Text()->GetText());
  EXPECT_EQ(T->CBAlign->GetItemIndex(), 2);
  EXPECT_EQ(T->ShapeEditor()->TheShape, Chart->Foot());
  // The title's shape pages follow "Style" and "Position".
  EXPECT_GT(T->PageControlTitle->PageCount(), 2);
  EXPECT_EQ(T->PageControlTitle->Pages(0)->GetCaption(), "Style");
  EXPECT_EQ(T->PageControlTitle->Pages(1)->GetCaption(), "Position");
}

TEST_F(ChartPages, TitlesPageWritesTextFlagsAlignmentAndKeepsLinesApart) {
  Chart->Title()->SetTextLine("old");
  auto* T = new TFormPlotTitle(Owner, Chart->Title(), Chart);
  T->FormShow(nullptr);
  EXPECT_EQ(Chart->Title()->Text()->Count(), 1);
  T->MText->Lines()->Clear();
  T->MText->Lines()->Add("first");
  T->MText->Lines()->Add("second");
  ASSERT_EQ(Chart->Title()->Text()->Count(), 2);
  EXPECT_EQ(Chart->Title()->Text()->Strings(0), "first");
  EXPECT_EQ(Chart->Title()->Text()->Strings(1), "second");

  const bool WasVisible = Chart->Title()->GetVisible();
  T->CBVisible->SetChecked(!WasVisible);
  EXPECT_EQ(Chart->Title()->GetVisible(), !WasVisible);
  const bool WasAdjust = Chart->Title()->GetAdjustFrame();
  T->CBAdjust->SetChecked(!WasAdjust);
  EXPECT_EQ(Chart->Title()->GetAdjustFrame(), !WasAdjust);
  const std::pair<int, TAlignment> Aligns[] = {
      {0, TAlignment::taLeftJustify}, {2, TAlignment::taRightJustify}, {1, TAlignment::taCenter}};
  for (const auto& [Index, Align] : Aligns) {
    T->CBAlign->SetItemIndex(Index);
    T->CBAlign->OnChange(T->CBAlign);
    EXPECT_EQ(Chart->Title()->GetAlignment(), Align);
  }
}

TEST_F(ChartPages, TitlesCustomPositionEnablesAndMovesOnlyWhenOn) {
  auto* T = new TFormPlotTitle(Owner, Chart->Title(), Chart);
  T->FormShow(nullptr);
  EXPECT_FALSE(T->ECustLeft->GetEnabled());
  EXPECT_FALSE(T->UDTop->GetEnabled());
  EXPECT_EQ(T->UDLeft->GetIncrement(), 5);
  EXPECT_EQ(T->UDLeft->GetMin(), -1000);
  EXPECT_EQ(T->UDLeft->GetMax(), 1000);
  T->CBCustPos->SetChecked(true);
  EXPECT_TRUE(Chart->Title()->GetCustomPosition());
  EXPECT_TRUE(T->ECustLeft->GetEnabled());
  EXPECT_TRUE(T->UDTop->GetEnabled());
  T->UDLeft->SetPosition(40);
  T->UDTop->SetPosition(25);
  EXPECT_EQ(Chart->Title()->GetLeft(), 40);
  EXPECT_EQ(Chart->Title()->GetTop(), 25);
  T->CBCustPos->SetChecked(false);
  EXPECT_FALSE(Chart->Title()->GetCustomPosition());
  EXPECT_FALSE(T->ECustTop->GetEnabled());
}

// ---- Walls ----

TEST_F(ChartPages, WallsDarkBoxFollowsSizeAndBackWallHasNoAutoHide) {
  TChartWalls* W = Chart->Walls();
  W->Left()->SetSize(0);
  auto* F = new TFormPlotWall(Owner, W->Left());
  F->FormShow(nullptr);
  ASSERT_EQ(F->TabSubWalls->Tabs()->Count(), 4);
  EXPECT_EQ(F->TabSubWalls->GetTabIndex(), 0);
  EXPECT_FALSE(F->CBDark3D->GetEnabled());
  EXPECT_TRUE(F->CBAutoHide->GetVisible());
  F->UDWallSize->SetPosition(6);
  EXPECT_EQ(W->Left()->GetSize(), 6);
  EXPECT_TRUE(F->CBDark3D->GetEnabled());

  const std::pair<int, TChartWall*> Tabs[] = {{1, W->Right()}, {2, W->Bottom()}, {3, W->Back()}, {0, W->Left()}};
  for (const auto& [Index, Wall] : Tabs) {
    F->TabSubWalls->SelectTab(Index);
    EXPECT_EQ(F->Wall(), Wall);
    EXPECT_EQ(F->CBAutoHide->GetVisible(), Wall != W->Back()) << Index;
    EXPECT_EQ(F->UDWallSize->GetPosition(), Wall->GetSize());
  }
  // A page opened on the back wall starts on its tab.
  F->Free();
  auto* B = new TFormPlotWall(Owner, W->Back());
  B->FormShow(nullptr);
  EXPECT_EQ(B->TabSubWalls->GetTabIndex(), 3);
  EXPECT_FALSE(B->CBAutoHide->GetVisible());
}

TEST_F(ChartPages, WallsAllSizesAndSwitchesWrite) {
  TChartWalls* W = Chart->Walls();
  auto* F = new TFormPlotWall(Owner, W->Left());
  F->FormShow(nullptr);
  F->UDAllSize->SetPosition(9);
  for (TChartWall* Wall : {static_cast<TChartWall*>(W->Left()), static_cast<TChartWall*>(W->Right()), W->Bottom(),
                           static_cast<TChartWall*>(W->Back())})
    EXPECT_EQ(Wall->GetSize(), 9);
  EXPECT_EQ(F->UDWallSize->GetPosition(), 9);

  const bool View = Chart->GetView3DWalls();
  F->CBView3dWalls->SetChecked(!View);
  EXPECT_EQ(Chart->GetView3DWalls(), !View);
  F->UDTransp->SetPosition(40);
  EXPECT_EQ(W->Left()->GetTransparency(), 40);
  struct Flag {
    TCheckBox* Box;
    bool (TCustomChartWall::*Get)() const;
  };
  const Flag Flags[] = {{F->CBTransp, &TCustomChartWall::GetTransparent},
                        {F->CBDark3D, &TCustomChartWall::GetDark3D},
                        {F->CBVisible, &TCustomChartWall::GetVisible},
                        {F->CBAutoHide, &TCustomChartWall::GetAutoHide}};
  for (const Flag& G : Flags) {
    const bool Before = (W->Left()->*G.Get)();
    G.Box->SetChecked(!Before);
    EXPECT_EQ((W->Left()->*G.Get)(), !Before) << G.Box->GetName();
  }
}

TEST_F(ChartPages, WallsGradientMakesATransparentWallOpaque) {
  TChartWall* Wall = Chart->Walls()->Back();
  Wall->SetTransparent(true);
  auto* F = new TFormPlotWall(Owner, Wall);
  F->FormShow(nullptr);
  EXPECT_TRUE(F->CBTransp->GetChecked());
  Modal<TPlotGradientEditor>([](TPlotGradientEditor& E) {
    E.CBVisible->SetChecked(true);
    return mrOk;
  });
  F->BGradient->Click();
  EXPECT_TRUE(Wall->GetGradient()->GetVisible());
  EXPECT_FALSE(Wall->GetTransparent());
  EXPECT_FALSE(F->CBTransp->GetChecked());
}

TEST_F(ChartPages, ShowingEachPageChangesNothing) {
  Chart->SetBorderRound(20000);  // beyond the up-down's range
  Chart->Title()->SetTextLine("a");
  Chart->Walls()->Left()->SetSize(250);
  const auto Before = PlotPenDlg::Snapshot(Chart);
  const auto TitleBefore = PlotPenDlg::Snapshot(Chart->Title());
  auto* P = new TFormPlotPanel(Owner, Chart);
  P->FormShow(nullptr);
  auto* T = new TFormPlotTitle(Owner, Chart->Title(), Chart);
  T->FormShow(nullptr);
  auto* W = new TFormPlotWall(Owner, Chart->Walls()->Left());
  W->FormShow(nullptr);
  // Reading a sub-object may create it with its defaults; no value present before may change.
  for (const auto* Pair : {&Before, &TitleBefore}) {
    const auto After = PlotPenDlg::Snapshot(Pair == &Before ? static_cast<TObject*>(Chart) : Chart->Title());
    for (const auto& [Key, Value] : *Pair) {
      auto It = After.find(Key);
      EXPECT_TRUE(It != After.end() && It->second == Value) << Key << " was " << Value;
    }
  }
  EXPECT_EQ(Chart->GetBorderRound(), 20000);
  EXPECT_EQ(Chart->Walls()->Left()->GetSize(), 250);
}

}  // namespace

}  // namespace PanelTitleWallPageTests
