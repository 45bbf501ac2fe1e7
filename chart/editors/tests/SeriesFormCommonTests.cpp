// What every bar-family and circular format page shares on the series page:
// the tabs it adds (once, however often the series is shown again), that
// showing and leaving it changes nothing, and a layout whose controls fit.
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdlib>
#include <functional>

#include "chart/editors/PlotSeriesFormBase.h"
#include "chart/editors/tests/SeriesFormFixture.h"
#include "chart/extras/ImageBar.h"
#include "chart/extras/MyPoint.h"
#include "chart/extras/PlotDonut.h"
#include "chart/extras/PlotFunnel.h"
#include "chart/extras/PlotGauges.h"
#include "chart/extras/PlotPolar.h"
#include "chart/extras/PlotPyramid.h"
#include "chart/extras/PlotRose.h"
#include "chart/extras/PlotSmith.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/series/ErrorBar.h"

namespace SeriesFormCommonTests {

using SeriesFormFixture::SeriesFormTest;

struct TKind {
  const char* Name;
  std::function<TChartSeries*(SeriesFormTest&)> Make;
  std::set<std::string> Tabs;  // besides "Format", "General" and "Marks"
};

class CommonSeriesForms : public SeriesFormTest {
protected:
  template <class S>
  static std::function<TChartSeries*(SeriesFormTest&)> Maker(int Points = 5) {
    return [Points](SeriesFormTest& T) { return static_cast<CommonSeriesForms&>(T).Add<S>(Points); };
  }
  static const std::vector<TKind>& Kinds() {
    static const std::vector<TKind> K{
        {"TBarSeries", Maker<TBarSeries>(), {"Stack"}},
        {"THorizBarSeries", Maker<THorizBarSeries>(), {"Stack"}},
        {"TImageBarSeries", Maker<TImageBarSeries>(), {"Bar", "Stack"}},
        {"TErrorSeries", Maker<TErrorSeries>(), {}},
        {"TErrorBarSeries", Maker<TErrorBarSeries>(), {"Bar", "Stack"}},
        {"TPyramidSeries", Maker<TPyramidSeries>(), {}},
        {"TFunnelSeries", Maker<TFunnelSeries>(), {}},
        {"TVolumePipeSeries", Maker<TVolumePipeSeries>(), {}},
        {"TBarJoinSeries", Maker<TBarJoinSeries>(), {"Stack"}},
        {"TMyPointSeries", Maker<TMyPointSeries>(), {}},
        {"TPieSeries", Maker<TPieSeries>(), {"Circled"}},
        {"TDonutSeries", Maker<TDonutSeries>(), {"Donut", "Circled"}},
        {"TPolarSeries", Maker<TPolarSeries>(), {"Circled", "Point"}},
        {"TPolarBarSeries", Maker<TPolarBarSeries>(), {"Circled", "Point"}},
        {"TRadarSeries", Maker<TRadarSeries>(), {"Circled", "Point"}},
        {"TClockSeries", Maker<TClockSeries>(1), {"Circled", "Point"}},
        {"TWindRoseSeries", Maker<TWindRoseSeries>(), {"Circled", "Point"}},
        {"TSmithSeries", Maker<TSmithSeries>(), {"Circled"}},
        {"TGaugeSeries", Maker<TGaugeSeries>(1), {"Circled"}},
    };
    return K;
  }
  std::vector<std::string> ExtraTabs() const {
    std::vector<std::string> Out;
    for (const std::string& T : Tabs())
      if (T != "Format" && T != "General" && T != "Marks") Out.push_back(T);
    return Out;
  }
  // Every page of every page control inside Control, shown once.
  static void VisitPages(TWinControl* Control) {
    for (int i = 0; i < Control->ControlCount(); ++i) {
      auto* Child = dynamic_cast<TWinControl*>(Control->GetControl(i));
      if (!Child) continue;
      if (auto* Pages = dynamic_cast<TPageControl*>(Child))
        for (int p = 0; p < Pages->PageCount(); ++p) Pages->SelectPage(Pages->Pages(p));
      VisitPages(Child);
    }
  }
  void VisitEverything() {
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i) {
      TTabSheet* T = Page->PageSeries->Pages(i);
      if (!T->GetTabVisible()) continue;
      Page->PageSeries->SelectPage(T);
      VisitPages(T);
    }
  }
};

TEST_F(CommonSeriesForms, EachTypeAddsItsTabsOnceAcrossReopenings) {
  ImageBar::Initialization();
  auto* Other = Add<TBarSeries>();
  for (const TKind& K : Kinds()) {
    SCOPED_TRACE(K.Name);
    TChartSeries* S = K.Make(*this);
    ASSERT_EQ(S->ClassName(), K.Name);
    for (int Round = 0; Round < 3; ++Round) {
      TForm* F = Open(S);
      ASSERT_NE(F, nullptr);
      EXPECT_EQ(F->ClassName(), S->EditorFormName());
      std::vector<std::string> Extra = ExtraTabs();
      EXPECT_EQ(std::set<std::string>(Extra.begin(), Extra.end()), K.Tabs);
      EXPECT_EQ(Extra.size(), K.Tabs.size());
      // Showing the same form again refills it and adds nothing.
      F->Hide();
      F->Show();
      Extra = ExtraTabs();
      EXPECT_EQ(Extra.size(), K.Tabs.size());
      Open(Round == 1 ? static_cast<TChartSeries*>(Other) : K.Make(*this));
    }
  }
}

// Values outside the controls' ranges, fractions where the controls hold
// integers, and unusual choices: none may be written back by showing a page.
void MakeUnusual(TChartSeries* S) {
  if (auto* B = dynamic_cast<TCustomBarSeries*>(S)) {
    B->SetBevelSize(500);
    B->SetOffsetPercent(300);
    B->SetBarWidthPercent(0);
    B->SetYOrigin(1e30);
    B->SetStackGroup(-7);
    B->SetMultiBar(mbStacked100);
  }
  if (auto* E = dynamic_cast<TCustomErrorSeries*>(S)) E->SetErrorWidth(300);
  if (auto* C = dynamic_cast<TCircledSeries*>(S)) {
    C->SetCustomXRadius(5000);
    C->SetCustomYRadius(-3);
  }
  if (auto* P = dynamic_cast<TPieSeries*>(S)) {
    P->SetExplodeBiggest(300);
    P->SetDarkPen(500);
    P->OtherSlice()->SetValue(12.75);
  }
  if (auto* D = dynamic_cast<TDonutSeries*>(S)) D->SetDonutPercent(150);
  if (auto* P = dynamic_cast<TCustomPolarSeries*>(S)) {
    P->SetLabelsMargin(999);
    P->SetRadiusIncrement(2.25);
    if (dynamic_cast<TPolarSeries*>(S)) P->SetAngleIncrement(7.5);
  }
  if (auto* G = dynamic_cast<TGaugeSeries*>(S)) {
    G->SetMaximum(1e6);
    G->SetMinimum(-40000);
    G->SetValue(50000);
    G->SetTotalAngle(270.5);
    G->SetHandDistance(-900);
    G->SetHandStyle(hsTriangle);
    if (TChartAxis* A = G->GetVertAxisRef()) A->SetIncrement(0.5);
  }
  if (auto* P = dynamic_cast<TPyramidSeries*>(S)) P->SetSizePercent(250);
  if (auto* F = dynamic_cast<TFunnelSeries*>(S)) F->SetDifferenceLimit(75.5);
  if (auto* V = dynamic_cast<TVolumePipeSeries*>(S)) {
    V->SetConePercent(150);
    V->Gradient()->SetDirection(TGradientDirection::gdLeftRight);
  }
}

TEST_F(CommonSeriesForms, ShowingAndLeavingEveryPageChangesNothing) {
  ImageBar::Initialization();
  for (bool Unusual : {false, true})
    for (const TKind& K : Kinds()) {
      SCOPED_TRACE(std::string(K.Name) + (Unusual ? " unusual" : ""));
      TChartSeries* S = K.Make(*this);
      if (Unusual) MakeUnusual(S);
      const auto Before = PlotPenDlg::Snapshot(S);
      const std::string Text = PlotEngine::SeriesToText(S);
      ASSERT_NE(Open(S), nullptr);
      VisitEverything();
      Open(nullptr);
      // Sub-objects the marks page makes on demand (font outline, symbol
      // gradient) appear with their defaults; nothing that existed changed.
      const auto After = PlotPenDlg::Snapshot(S);
      std::set<std::string> Differ;
      for (const auto& [Key, Value] : Before)
        if (!After.count(Key) || After.at(Key) != Value) Differ.insert(Key + "=" + Value);
      EXPECT_EQ(Differ, std::set<std::string>{});
      EXPECT_EQ(PlotEngine::SeriesToText(S), Text);
      EXPECT_EQ(Seam.Prompts().size(), 0u);
    }
}

// Visible controls that overlap a visible sibling, or leave their parent.
void CheckLayout(TWinControl& Parent, const std::string& Where) {
  std::vector<TControl*> Shown;
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* C = Parent.GetControl(i);
    if (!C->GetVisible() || dynamic_cast<TTabSheet*>(C)) continue;
    if (C->GetAlign() == TAlign::alNone) Shown.push_back(C);
    if (auto* W = dynamic_cast<TWinControl*>(C)) CheckLayout(*W, Where + "/" + C->GetName());
  }
  for (size_t a = 0; a < Shown.size(); ++a) {
    const TRect R = Shown[a]->GetBoundsRect();
    EXPECT_TRUE(R.Left >= 0 && R.Top >= 0 && R.Right <= Parent.GetClientWidth() + 2 &&
                R.Bottom <= Parent.GetClientHeight() + 2)
        << Where << ": " << Shown[a]->GetName() << " leaves its parent";
    for (size_t b = a + 1; b < Shown.size(); ++b) {
      const TRect S = Shown[b]->GetBoundsRect();
      EXPECT_FALSE(R.Left < S.Right && S.Left < R.Right && R.Top < S.Bottom && S.Top < R.Bottom)
          << Where << ": " << Shown[a]->GetName() << " overlaps " << Shown[b]->GetName();
    }
  }
}

TEST_F(CommonSeriesForms, ControlsOfEveryPageFitWithoutOverlapping) {
  ImageBar::Initialization();
  for (const TKind& K : Kinds()) {
    TChartSeries* S = K.Make(*this);
    ASSERT_NE(Open(S), nullptr);
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i) {
      TTabSheet* T = Page->PageSeries->Pages(i);
      if (T == Page->TabGeneral || T == Page->TabMarks || T == Page->TabDataSource) continue;
      for (int k = 0; k < T->ControlCount(); ++k)
        if (auto* F = dynamic_cast<TSeriesFormBase*>(T->GetControl(k)))
          CheckLayout(*F, std::string(K.Name) + ":" + F->ClassName());
    }
  }
}

// With KV_PICTURE_DIR set, the series page showing the bar and the pie page
// is written there as form_bar.png and form_pie.png, for a look by eye.
TEST_F(CommonSeriesForms, PicturesOfTheBarAndPiePages) {
  const char* Dir = std::getenv("KV_PICTURE_DIR");
  for (auto [S, Name] : {std::pair<TChartSeries*, const char*>{Add<TBarSeries>(), "form_bar"},
                         std::pair<TChartSeries*, const char*>{Add<TPieSeries>(), "form_pie"}}) {
    Page->SetBounds(0, 0, 460, 330);
    Page->Show();
    ASSERT_NE(Open(S), nullptr);
    Page->PageSeries->SelectPage(Page->TheTabSheet);
    QPixmap Shot = Page->Handle()->grab();
    EXPECT_FALSE(Shot.isNull());
    if (Dir) Shot.save(QString::fromStdString(std::string(Dir) + "/" + Name + ".png"));
    Page->Hide();
  }
}

}  // namespace SeriesFormCommonTests
