// The format forms of the fast line, shape, Gantt, arrow, bubble, 3-D point
// and calendar series on the series page: their tabs, their rules, values
// beyond a control's range, and that opening and closing changes nothing.
#include <cmath>
#include <set>

#include "chart/editors/PlotArrowEdit.h"
#include "chart/editors/PlotBubbleEdit.h"
#include "chart/editors/PlotCalendarEdit.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotFastLineEdit.h"
#include "chart/editors/PlotGanttEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotPoint3DEdit.h"
#include "chart/editors/PlotShapeEdit.h"
#include "chart/extras/ArrowCha.h"
#include "chart/extras/BubbleCh.h"
#include "chart/extras/GanttCh.h"
#include "chart/extras/PlotCalendar.h"
#include "chart/extras/PlotPoin3.h"
#include "chart/extras/PlotShape.h"
#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/SysUtils.h"

namespace SeriesFormatFormTests {

class FigureSeriesForms : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetView3D(false);
  }
  void TearDown() override { Owner->Free(); }

  template <class S>
  S* Add() {
    auto* Made = Create<S>(Owner);
    Made->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(Made);
    return Made;
  }
  TFastLineSeries* FastLine() {
    auto* S = Add<TFastLineSeries>();
    for (int i = 0; i < 4; ++i) S->AppendPoint(i, i * i);
    return S;
  }
  TChartShape* Shape(int Points) {
    auto* S = Add<TChartShape>();
    S->Clear();
    for (int i = 0; i < Points; ++i) S->AppendPoint(1.5 + i * 2, 10 - i * 4.25);
    return S;
  }
  TGanttSeries* Gantt() {
    auto* S = Add<TGanttSeries>();
    S->AddGantt(1, 3, 0, "a");
    S->AddGantt(2, 5, 1, "b");
    return S;
  }
  TArrowSeries* Arrows() {
    auto* S = Add<TArrowSeries>();
    S->AddArrow(0, 0, 3, 4);
    S->AddArrow(1, 1, 2, 5);
    return S;
  }
  TBubbleSeries* Bubbles() {
    auto* S = Add<TBubbleSeries>();
    S->AddBubble(1, 2, 0.5);
    S->AddBubble(3, 4, 1);
    return S;
  }
  TPoint3DSeries* Points3D() {
    auto* S = Add<TPoint3DSeries>();
    S->AddXYZ(1, 2, 3, "", clDefault);
    S->AddXYZ(2, 3, 1, "", clDefault);
    return S;
  }

  // Opens the style editor on Series; Script runs with its series page.
  void Open(TChartSeries* Series, const std::function<void(TFormPlotSeries&)>& Script) {
    bool Ran = false;
    Modal<TChartEditForm>([&](TChartEditForm& F) {
      TFormPlotSeries* P = F.SeriesPage();
      EXPECT_TRUE(P);
      if (P) Script(*P);
      Ran = true;
      return mrCancel;
    });
    PlotEditCha::ShowSeriesStyleEditor(Series);
    EXPECT_TRUE(Ran) << Series->ClassName();
  }
  template <class F>
  void OpenForm(TChartSeries* Series, const std::function<void(F&)>& Script) {
    Open(Series, [&](TFormPlotSeries& P) {
      auto* E = dynamic_cast<F*>(P.FormatForm());
      ASSERT_TRUE(E) << Series->ClassName();
      Script(*E);
    });
  }
  static std::vector<std::string> VisibleTabs(TFormPlotSeries& P) {
    std::vector<std::string> Tabs;
    for (int i = 0; i < P.PageSeries->PageCount(); ++i)
      if (P.PageSeries->Pages(i)->GetTabVisible()) Tabs.push_back(P.PageSeries->Pages(i)->GetCaption());
    return Tabs;
  }
  template <class F>
  static F* TabForm(TFormPlotSeries& P, const std::string& Caption) {
    for (int i = 0; i < P.PageSeries->PageCount(); ++i) {
      TTabSheet* T = P.PageSeries->Pages(i);
      if (T->GetCaption() != Caption) continue;
      for (int k = 0; k < T->ControlCount(); ++k)
        if (auto* Form = dynamic_cast<F*>(T->GetControl(k))) return Form;
    }
    return nullptr;
  }
  // Shows every page of every page control below Control, as a user leafing through.
  static void LeafThrough(TWinControl* Control) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
      auto* Child = dynamic_cast<TWinControl*>(Control->GetControl(i));
      if (!Child) continue;
      if (auto* PC = dynamic_cast<TPageControl*>(Child))
        for (int k = 0; k < PC->PageCount(); ++k) PC->SelectPage(PC->Pages(k));
      LeafThrough(Child);
    }
  }
  static void Choose(TComboFlat* Combo, int Index) {
    Combo->SetItemIndex(Index);
    Combo->OnChange(Combo);
  }

  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

TEST_F(FigureSeriesForms, EachTypeShowsItsFormAndItsTabsOnceAcrossReopenings) {
  struct TCase {
    TChartSeries* Series;
    const char* Form;
    std::vector<std::string> Tabs;
  };
  const TCase Cases[] = {
      {FastLine(), "TFastLineSeriesEditor", {"Format", "Marks"}},
      {Shape(2), "TChartShapeEditor", {"Format", "Marks"}},
      {Gantt(), "TGanttSeriesEditor", {"Format", "Gantt", "Marks"}},
      {Arrows(), "TArrowSeriesEditor", {"Format", "Marks"}},
      {Bubbles(), "TBubbleSeriesEditor", {"Format", "Marks"}},
      {Points3D(), "TPoint3DSeriesEditor", {"Format", "Point", "Marks"}},
      {Add<TBubble3DSeries>(), "TPoint3DSeriesEditor", {"Format", "Point", "Marks"}},
      {Add<TCalendarSeries>(), "TCalendarSeriesEditor", {"Format", "Marks"}},
  };
  for (const TCase& C : Cases)
    for (int Opening = 0; Opening < 2; ++Opening)
      Open(C.Series, [&](TFormPlotSeries& P) {
        ASSERT_TRUE(P.FormatForm()) << C.Form;
        EXPECT_EQ(P.FormatForm()->ClassName(), C.Form);
        EXPECT_EQ(VisibleTabs(P), C.Tabs) << C.Form;
        // Shown again, and the series chosen again: still one tab of each.
        P.FormatForm()->OnShow(P.FormatForm());
        EXPECT_EQ(VisibleTabs(P), C.Tabs) << C.Form << " shown again";
        P.SelectSeries(C.Series);
        EXPECT_EQ(VisibleTabs(P), C.Tabs) << C.Form << " chosen again";
      });
}

TEST_F(FigureSeriesForms, OpeningAndClosingLeavesEverySeriesUnchanged) {
  // Values beyond the controls' ranges included: shown clamped, never written back.
  auto* G = Gantt();
  G->Pointer()->SetVertSize(5000);
  auto* A = Arrows();
  A->SetArrowWidth(500);
  A->SetArrowPercent(250);
  auto* P3 = Points3D();
  P3->SetDepthSize(1e30);
  auto* B = Bubbles();
  B->SetTransparency(300);
  auto* Line = FastLine();
  Line->LinePen()->SetWidth(400);
  auto* Cal = Add<TCalendarSeries>();
  Cal->Months()->SetUpperCase(true);
  Cal->SetNextButtonVisible(false);
  auto* Bubble3D = Add<TBubble3DSeries>();
  Bubble3D->AddBubble(1, 2, 3, 0.5);
  Bubble3D->SetDepthSize(-7);
  for (TChartSeries* S : std::initializer_list<TChartSeries*>{Line, Shape(2), Shape(0), G, A, B, P3, Bubble3D, Cal}) {
    const std::string Text = PlotEngine::SeriesToText(S);
    const auto Before = PlotPenDlg::Snapshot(S);
    Open(S, [&](TFormPlotSeries& P) {
      for (int i = 0; i < P.PageSeries->PageCount(); ++i)
        if (P.PageSeries->Pages(i)->GetTabVisible()) P.PageSeries->SelectPage(P.PageSeries->Pages(i));
      LeafThrough(&P);
    });
    EXPECT_EQ(PlotEngine::SeriesToText(S), Text) << S->ClassName();
    // Sub-objects that pages make on demand (a font's outline) appear with
    // their defaults; nothing that existed changed.
    const auto After = PlotPenDlg::Snapshot(S);
    std::set<std::string> Differ;
    for (const auto& [K, V] : Before)
      if (!After.count(K) || After.at(K) != V) Differ.insert(K + "=" + V + " now " + (After.count(K) ? After.at(K) : ""));
    EXPECT_EQ(Differ, std::set<std::string>{}) << S->ClassName();
  }
}

TEST_F(FigureSeriesForms, ValuesBeyondARangeShowClampedAndTheRestOfThePageStillLoads) {
  auto* G = Gantt();
  G->Pointer()->SetVertSize(5000);
  G->SetTransparency(40);
  OpenForm<TGanttSeriesEditor>(G, [&](TGanttSeriesEditor& E) {
    EXPECT_EQ(E.SEPointVertSize->GetText(), "1000");
    EXPECT_EQ(E.Edit1->GetText(), "40");
    EXPECT_EQ(E.BConnLines->GetPen(), G->ConnectingPen());
    E.SEPointVertSize->SetText("20");
    EXPECT_EQ(G->Pointer()->GetVertSize(), 20);
  });
  auto* A = Arrows();
  A->SetArrowWidth(500);
  A->SetArrowHeight(101);
  A->SetArrowPercent(250);
  A->SetColorEachPoint(true);
  OpenForm<TArrowSeriesEditor>(A, [&](TArrowSeriesEditor& E) {
    EXPECT_EQ(E.SEArrowWidth->GetText(), "100");
    EXPECT_EQ(E.SEArrowHeight->GetText(), "100");
    EXPECT_EQ(E.SBPercent->GetPosition(), 100);
    EXPECT_EQ(E.LPercent->GetCaption(), "100%");
    EXPECT_TRUE(E.CBColorEach->GetChecked());
    EXPECT_FALSE(E.BArrowColor->GetEnabled());
    EXPECT_EQ(A->GetArrowWidth(), 500);
    E.SEArrowWidth->SetText("12");
    EXPECT_EQ(A->GetArrowWidth(), 12);
    EXPECT_EQ(A->GetArrowHeight(), 101);
  });
  for (double Depth : {1e30, -1e30, std::nan("")}) {
    auto* P = Points3D();
    P->SetDepthSize(Depth);
    P->SetColorEachPoint(true);
    OpenForm<TPoint3DSeriesEditor>(P, [&](TPoint3DSeriesEditor& E) {
      EXPECT_EQ(E.SEPointDepth->GetText(), Depth > 0 ? "100" : "0") << Depth;
      EXPECT_TRUE(E.CBColorEach->GetChecked());
      EXPECT_EQ(E.BBasePen->GetPen(), P->BaseLine());
    });
    if (std::isnan(Depth))
      EXPECT_TRUE(std::isnan(P->GetDepthSize()));
    else
      EXPECT_EQ(P->GetDepthSize(), Depth);
  }
  auto* B = Bubbles();
  B->SetTransparency(300);
  OpenForm<TBubbleSeriesEditor>(B, [&](TBubbleSeriesEditor& E) {
    EXPECT_EQ(E.Edit1->GetText(), "100");
    EXPECT_EQ(B->GetTransparency(), 300);
    E.Edit1->SetText("35");
    EXPECT_EQ(B->GetTransparency(), 35);
  });
  auto* S = Shape(2);
  S->SetX1(1e300);
  S->SetY1(std::nan(""));
  S->SetXYStyle(xysPixels);
  OpenForm<TChartShapeEditor>(S, [&](TChartShapeEditor& E) {
    EXPECT_EQ(E.SEX1->GetText(), SysUtils::FloatToStr(1e300));
    EXPECT_FALSE(E.SEY1->GetText().empty());
    EXPECT_EQ(E.CBUnits->GetItemIndex(), 0);
  });
  EXPECT_EQ(S->GetX1(), 1e300);
  EXPECT_TRUE(std::isnan(S->GetY1()));
  auto* L = FastLine();
  L->LinePen()->SetWidth(400);
  L->SetStairs(true);
  OpenForm<TFastLineSeriesEditor>(L, [&](TFastLineSeriesEditor& E) {
    EXPECT_EQ(E.SEWidth->GetText(), "100");
    EXPECT_TRUE(E.CBStairs->GetChecked());
    EXPECT_EQ(L->LinePen()->GetWidth(), 400);
  });
}

TEST_F(FigureSeriesForms, FastLineBoxesWriteAndStairsEnableInverted) {
  auto* L = FastLine();
  OpenForm<TFastLineSeriesEditor>(L, [&](TFastLineSeriesEditor& E) {
    EXPECT_FALSE(E.BOk->GetVisible());
    EXPECT_FALSE(E.BCancel->GetVisible());
    EXPECT_EQ(E.EditedPen, L->LinePen());
    EXPECT_FALSE(E.CBInvStairs->GetEnabled());
    struct TCase {
      TCheckBox* Box;
      bool Checked;
      std::function<bool()> Value;
    } Cases[] = {
        {E.CBStairs, true, [&] { return L->GetStairs(); }},
        {E.CBInvStairs, true, [&] { return L->GetInvertedStairs(); }},
        {E.CBDrawAll, false, [&] { return L->GetDrawAllPoints(); }},
        {E.CBNulls, false, [&] { return L->GetIgnoreNulls(); }},
    };
    for (const TCase& C : Cases) {
      C.Box->SetChecked(C.Checked);
      EXPECT_EQ(C.Value(), C.Checked) << C.Box->GetName();
    }
    EXPECT_TRUE(E.CBInvStairs->GetEnabled());
    E.CBStairs->SetChecked(false);
    EXPECT_FALSE(E.CBInvStairs->GetEnabled());
    EXPECT_FALSE(L->GetStairs());
    // The pen colour becomes the series colour.
    Seam.AnswerColor(clRed);
    E.BColor->Click();
    EXPECT_EQ(L->LinePen()->GetColor(), clRed);
    EXPECT_EQ(L->GetSeriesColor(), clRed);
    E.SEWidth->SetText("3");
    EXPECT_EQ(L->LinePen()->GetWidth(), 3);
  });
}

TEST_F(FigureSeriesForms, ShapeRoundRectangleRuleDiffersOnShowAndAfterAStyleChange) {
  struct TCase {
    bool View3D;
    TChartShapeStyle Style;
    bool OnShow;
    TChartShapeStyle Chosen;
    bool AfterChange;
  };
  const TCase Cases[] = {
      {false, chasRectangle, true, chasCircle, false},
      {false, chasCircle, false, chasRectangle, true},
      {true, chasRectangle, false, chasRectangle, true},  // the pinned difference
      {true, chasTriangle, false, chasStar, false},
  };
  for (const TCase& C : Cases) {
    Chart->SetView3D(C.View3D);
    auto* S = Shape(2);
    S->SetShapeStyle(C.Style);
    OpenForm<TChartShapeEditor>(S, [&](TChartShapeEditor& E) {
      EXPECT_EQ(E.CBStyle->GetItemIndex(), static_cast<int>(C.Style));
      EXPECT_EQ(E.CBRound->GetEnabled(), C.OnShow) << int(C.Style) << " 3D " << C.View3D;
      // Choosing the shown style again is a change all the same.
      Choose(E.CBStyle, static_cast<int>(C.Chosen));
      EXPECT_EQ(S->GetShapeStyle(), C.Chosen);
      EXPECT_EQ(E.CBRound->GetEnabled(), C.AfterChange) << int(C.Chosen) << " 3D " << C.View3D;
    });
  }
}

TEST_F(FigureSeriesForms, ShapePositionEditsNeedTwoPointsAndSkipUnreadableText) {
  for (int Points : {0, 1, 3}) {
    auto* S = Shape(Points);
    OpenForm<TChartShapeEditor>(S, [&](TChartShapeEditor& E) {
      for (TEdit* Edit : {E.SEX0, E.SEX1, E.SEY0, E.SEY1}) EXPECT_EQ(Edit->GetText(), "") << Points;
    });
  }
  auto* S = Shape(2);
  S->SetXYStyle(xysAxisOrigin);
  OpenForm<TChartShapeEditor>(S, [&](TChartShapeEditor& E) {
    EXPECT_EQ(E.SEX0->GetText(), "1.5");
    EXPECT_EQ(E.SEY0->GetText(), "10");
    EXPECT_EQ(E.SEX1->GetText(), "3.5");
    EXPECT_EQ(E.SEY1->GetText(), "5.75");
    EXPECT_EQ(E.CBUnits->GetItemIndex(), 2);
    struct TCase {
      TEdit* Edit;
      const char* Text;
      double X0, X1, Y0, Y1;
    } Cases[] = {
        {E.SEX0, "-2.25", -2.25, 3.5, 10, 5.75},
        {E.SEX0, "", -2.25, 3.5, 10, 5.75},
        {E.SEX1, "abc", -2.25, 3.5, 10, 5.75},
        {E.SEX1, "8", -2.25, 8, 10, 5.75},
        {E.SEY0, "1e3", -2.25, 8, 1000, 5.75},
        {E.SEY1, "-", -2.25, 8, 1000, 5.75},
        {E.SEY1, "0", -2.25, 8, 1000, 0},
    };
    for (const TCase& C : Cases) {
      C.Edit->SetText(C.Text);
      EXPECT_EQ(S->GetX0(), C.X0) << C.Text;
      EXPECT_EQ(S->GetX1(), C.X1) << C.Text;
      EXPECT_EQ(S->GetY0(), C.Y0) << C.Text;
      EXPECT_EQ(S->GetY1(), C.Y1) << C.Text;
    }
    EXPECT_EQ(S->Count(), 2);
    Choose(E.CBUnits, 0);
    EXPECT_EQ(S->GetXYStyle(), xysPixels);
  });
}

TEST_F(FigureSeriesForms, ShapeTextPageWritesLinesAlignmentsAndBindsTheFont) {
  auto* S = Shape(2);
  S->Text()->Add("first");
  S->SetAlignment(TAlignment::taRightJustify);
  S->SetVertAlign(vaTop);
  OpenForm<TChartShapeEditor>(S, [&](TChartShapeEditor& E) {
    EXPECT_EQ(E.MemoText->Lines()->Count(), 1);
    EXPECT_EQ(E.MemoText->Lines()->Get(0), "first");
    EXPECT_EQ(E.RGAlign->GetItemIndex(), 2);
    EXPECT_EQ(E.RGVertAlign->GetItemIndex(), 0);
    ASSERT_TRUE(E.FontEditor);
    EXPECT_EQ(E.FontEditor->EditedFont, S->Font());
    EXPECT_EQ(E.FontEditor->GetParent(), E.TabText);
    struct TCase {
      TRadioGroup* Group;
      int Item;
      std::function<int()> Value;
      int Expected;
    } Cases[] = {
        {E.RGAlign, 0, [&] { return int(S->GetAlignment()); }, int(TAlignment::taLeftJustify)},
        {E.RGAlign, 1, [&] { return int(S->GetAlignment()); }, int(TAlignment::taCenter)},
        {E.RGAlign, 2, [&] { return int(S->GetAlignment()); }, int(TAlignment::taRightJustify)},
        {E.RGVertAlign, 2, [&] { return int(S->GetVertAlign()); }, int(vaBottom)},
        {E.RGVertAlign, 1, [&] { return int(S->GetVertAlign()); }, int(vaCenter)},
    };
    for (const TCase& C : Cases) {
      C.Group->SetItemIndex(C.Item);
      EXPECT_EQ(C.Value(), C.Expected) << C.Group->GetName() << " " << C.Item;
    }
    E.MemoText->Lines()->Add("second");
    ASSERT_EQ(S->Text()->Count(), 2);
    EXPECT_EQ(S->Text()->Get(1), "second");
    E.CBTrans->SetChecked(true);
    EXPECT_TRUE(S->GetTransparent());
  });
}

TEST_F(FigureSeriesForms, GanttHeightColourAndPointerTab) {
  auto* G = Gantt();
  G->SetColorEachPoint(false);
  Open(G, [&](TFormPlotSeries& P) {
    auto* E = dynamic_cast<TGanttSeriesEditor*>(P.FormatForm());
    ASSERT_TRUE(E);
    auto* Pointer = TabForm<TSeriesPointerEditor>(P, "Gantt");
    ASSERT_TRUE(Pointer);
    EXPECT_EQ(Pointer, E->PointerForm());
    EXPECT_EQ(Pointer->Pointer(), G->Pointer());
    for (TControl* Hidden : std::initializer_list<TControl*>{Pointer->Label1, Pointer->SEPointHorizSize,
                                                            Pointer->UDPointHorizSize, Pointer->Label2,
                                                            Pointer->SEPointVertSize, Pointer->UDPointVertSize})
      EXPECT_FALSE(Hidden->GetVisible()) << Hidden->GetName();
    E->SEPointVertSize->SetText("16");
    EXPECT_EQ(G->Pointer()->GetVertSize(), 16);
    EXPECT_TRUE(E->BColor->GetEnabled());
    E->CBColorEach->SetChecked(true);
    EXPECT_TRUE(G->GetColorEachPoint());
    EXPECT_FALSE(E->BColor->GetEnabled());
    E->Edit1->SetText("25");
    EXPECT_EQ(G->GetTransparency(), 25);
    EXPECT_EQ(E->BConnLines->GetPen(), G->ConnectingPen());
  });
}

TEST_F(FigureSeriesForms, ArrowSizeLabelFollowsTheScrollBarAndColourEachClearsThePointerColour) {
  auto* A = Arrows();
  A->Pointer()->SetColor(clBlue);
  OpenForm<TArrowSeriesEditor>(A, [&](TArrowSeriesEditor& E) {
    EXPECT_EQ(E.LPercent->GetCaption(), "50%");
    E.SBPercent->SetPosition(35);
    EXPECT_EQ(E.LPercent->GetCaption(), "35%");
    EXPECT_EQ(A->GetArrowPercent(), 35);
    E.SEArrowHeight->SetText("9");
    EXPECT_EQ(A->GetArrowHeight(), 9);
    EXPECT_EQ(A->Pointer()->GetVertSize(), 9);
    EXPECT_EQ(E.BPen->GetPen(), A->Pointer()->Pen());
    E.CBColorEach->SetChecked(true);
    EXPECT_TRUE(A->GetColorEachPoint());
    EXPECT_EQ(A->Pointer()->GetColor(), clDefault);
    EXPECT_FALSE(E.BArrowColor->GetEnabled());
    E.CBColorEach->SetChecked(false);
    EXPECT_TRUE(E.BArrowColor->GetEnabled());
  });
}

TEST_F(FigureSeriesForms, BubblePageHidesVisibleAndWritesTransparencyInSteps) {
  auto* B = Bubbles();
  B->SetTransparency(20);
  OpenForm<TBubbleSeriesEditor>(B, [&](TBubbleSeriesEditor& E) {
    EXPECT_FALSE(E.CBDrawPoint->GetVisible());
    EXPECT_EQ(E.Pointer(), B->Pointer());
    EXPECT_EQ(E.Bubbles(), B);
    EXPECT_EQ(E.Edit1->GetText(), "20");
    EXPECT_EQ(E.UDTransp->GetIncrement(), 5);
    E.UDTransp->ButtonClick(TUDBtnType::btNext);
    EXPECT_EQ(B->GetTransparency(), 25);
    // The pointer rows act on the bubbles' pointer.
    Choose(E.CBStyle, 2);
    EXPECT_EQ(B->Pointer()->GetStyle(), TSeriesPointerStyle::psTriangle);
  });
}

TEST_F(FigureSeriesForms, Point3DDepthColourPensAndPointTab) {
  auto* P = Points3D();
  Open(P, [&](TFormPlotSeries& Page) {
    auto* E = dynamic_cast<TPoint3DSeriesEditor*>(Page.FormatForm());
    ASSERT_TRUE(E);
    auto* Pointer = TabForm<TSeriesPointerEditor>(Page, "Point");
    ASSERT_TRUE(Pointer);
    EXPECT_EQ(Pointer->Pointer(), P->Pointer());
    E->SEPointDepth->SetText("30");
    EXPECT_EQ(P->GetDepthSize(), 30);
    EXPECT_EQ(E->Button1->GetPen(), P->LinePen());
    EXPECT_EQ(E->BBasePen->GetPen(), static_cast<TChartPen*>(P->BaseLine()));
    E->CBColorEach->SetChecked(true);
    EXPECT_TRUE(P->GetColorEachPoint());
    EXPECT_FALSE(E->BColor->GetEnabled());
  });
}

TEST_F(FigureSeriesForms, CalendarCellPagesHoldTheShapePagesOfTheirCell) {
  auto* C = Add<TCalendarSeries>();
  OpenForm<TCalendarSeriesEditor>(C, [&](TCalendarSeriesEditor& E) {
    std::vector<std::string> Pages;
    for (int i = 0; i < E.PageControl1->PageCount(); ++i) Pages.push_back(E.PageControl1->Pages(i)->GetCaption());
    EXPECT_EQ(Pages, (std::vector<std::string>{"Options", "Days", "Weekdays", "Today", "Sunday", "Trailing", "Months"}));
    const TCalendarCell* Cells[] = {C->Days(), C->WeekDays(), C->Today(), C->Sunday(), C->Trailing(), C->Months()};
    std::set<const void*> Editors;
    for (int i = 0; i < TCalendarSeriesEditor::CellPages; ++i) {
      TFormPlotShape* Shape = E.ShapeEditor(i);
      ASSERT_TRUE(Shape) << i;
      Editors.insert(Shape);
      EXPECT_EQ(Shape->TheShape, Cells[i]) << i;
      TPageControl* PC = E.CellPageControls[i];
      EXPECT_EQ(PC->GetParent(), E.CellTabs[i]);
      for (TTabSheet* T : {Shape->TabFormat, Shape->TabText, Shape->TabGradient, Shape->TabShadow})
        EXPECT_EQ(T->GetPageControl(), PC) << i << " " << T->GetCaption();
    }
    EXPECT_EQ(Editors.size(), 6u);
    // Shown again: the same editors, refreshed from their cells.
    C->Today()->SetTransparent(true);
    E.OnShow(&E);
    for (int i = 0; i < TCalendarSeriesEditor::CellPages; ++i) EXPECT_TRUE(Editors.count(E.ShapeEditor(i)));
    EXPECT_TRUE(E.ShapeEditor(2)->CBTransparent->GetChecked());
    EXPECT_EQ(E.CellPageControls[0]->PageCount(), 4);
  });
}

TEST_F(FigureSeriesForms, CalendarOptionsWriteTheirCellsAndButtons) {
  auto* C = Add<TCalendarSeries>();
  OpenForm<TCalendarSeriesEditor>(C, [&](TCalendarSeriesEditor& E) {
    EXPECT_EQ(E.ButtonPen1->GetPen(), C->Pen());
    struct TCase {
      TCheckBox* Box;
      std::function<bool()> Value;
    } Cases[] = {
        {E.CBWeekDays, [&] { return C->WeekDays()->GetVisible(); }},
        {E.CBWeekUpper, [&] { return C->WeekDays()->GetUpperCase(); }},
        {E.CBTrailing, [&] { return C->Trailing()->GetVisible(); }},
        {E.CBToday, [&] { return C->Today()->GetVisible(); }},
        {E.CBMonths, [&] { return C->Months()->GetVisible(); }},
        {E.CBMonthUpper, [&] { return C->Months()->GetUpperCase(); }},
        {E.CBPrevious, [&] { return C->GetPreviousButtonVisible(); }},
        {E.CBNext, [&] { return C->GetNextButtonVisible(); }},
    };
    for (const TCase& T : Cases) {
      EXPECT_EQ(T.Box->GetChecked(), T.Value()) << T.Box->GetName();
      T.Box->SetChecked(!T.Box->GetChecked());
      EXPECT_EQ(T.Value(), T.Box->GetChecked()) << T.Box->GetName();
    }
  });
}

}  // namespace SeriesFormatFormTests
