// Every format page of the 3-D grid, financial and statistical series on the
// series page: the tabs it adds, once however often it is shown, and that
// opening and closing it without a change leaves the series as it was, also
// when the series holds values beyond its controls' ranges.
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

#include "chart/editors/PlotBoxEdit.h"
#include "chart/editors/PlotCandleEdit.h"
#include "chart/editors/PlotColorGridEdit.h"
#include "chart/editors/PlotContourEdit.h"
#include "chart/editors/PlotHighLowEdit.h"
#include "chart/editors/PlotHistogramEdit.h"
#include "chart/editors/PlotSurfaceEdit.h"
#include "chart/editors/PlotTowerEdit.h"
#include "chart/editors/PlotTriSurfaceEdit.h"
#include "chart/editors/PlotVectorEdit.h"
#include "chart/editors/PlotVolumeEdit.h"
#include "chart/editors/PlotWaterFallEdit.h"
#include "chart/editors/tests/GridFinancialFormFixture.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotTriSurface.h"
#include "chart/extras/StatChar.h"
#include "chart/series/ErrorBar.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace GridFinancialFormTests {

using Fixture = GridFinancialFormFixture::FormTest;

struct TFormCase {
  std::function<TChartSeries*(Fixture&)> Make;
  const char* Form;
  std::vector<std::string> Extra;
};

class GridFinancialForms : public Fixture {
protected:
  // A series of each type, with values beyond what its controls can show.
  std::vector<TFormCase> Cases() {
    return {
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TSurfaceSeries>(5);
           S->SetDotFrame(true);
           S->SetTransparency(250);
           return S;
         },
         "TSurfaceSeriesEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* { return T.Add<TWaterFallSeries>(5); }, "TWaterFallEditor",
         {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TContourSeries>(6);
           S->SetNumLevels(400);
           S->SetYPosition(1e9);
           S->Smoothing()->SetActive(true);
           return S;
         },
         "TContourSeriesEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TContourSeries>(6);
           S->BuildAutomaticLevels();
           S->SetAutomaticLevels(false);
           S->Levels()->GetItem(1)->GetPen()->SetWidth(3);
           return S;
         },
         "TContourSeriesEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* { return T.Add<TTriSurfaceSeries>(10); }, "TTriSurfaceSeriesEditor",
         {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TColorGridSeries>(5);
           S->SetXGridEvery(500);
           S->SetZGridEvery(-3);
           return S;
         },
         "TColorGridEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TTowerSeries>(5);
           S->SetPercentDepth(250);
           S->SetOrigin(-1e300);
           S->SetUseOrigin(true);
           return S;
         },
         "TTowerSeriesEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TVector3DSeries>(5);
           S->SetArrowWidth(5000);
           S->SetArrowHeight(0);
           S->StartArrow()->SetColor(clDefault);
           return S;
         },
         "TVectorSeriesEditor", {"Grid 3D"}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TCandleSeries>(8);
           S->SetCandleWidth(900);
           S->SetCandleStyle(csCandleBar);
           return S;
         },
         "TCandleEditor", {}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TVolumeSeries>(8);
           S->LinePen()->SetWidth(300);
           S->SetYOrigin(12.75);
           return S;
         },
         "TVolumeSeriesEditor", {}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<THighLowSeries>(8);
           S->SetTransparency(130);
           return S;
         },
         "THighLowEditor", {}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<THistogramSeries>(8);
           S->SetColorEachPoint(true);
           return S;
         },
         "THistogramSeriesEditor", {}},
        {[](Fixture& T) -> TChartSeries* {
           auto* S = T.Add<TBoxSeries>(8);
           S->SetPosition(1e300);
           S->SetWhiskerLength(0.1);
           return S;
         },
         "TBoxSeriesEditor", {"Box", "ExtrOut", "MildOut"}},
        {[](Fixture& T) -> TChartSeries* { return T.Add<THorizBoxSeries>(8); }, "TBoxSeriesEditor",
         {"Box", "ExtrOut", "MildOut"}},
    };
  }
  // Shows every visible tab of the series page in turn.
  void VisitTabs() {
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i)
      if (Page->PageSeries->Pages(i)->GetTabVisible()) Page->PageSeries->SelectPage(Page->PageSeries->Pages(i));
  }
};

TEST_F(GridFinancialForms, EachFormShowsItsTabsOnceAcrossReopenings) {
  auto* Other = Add<TLineSeries>(3);
  for (const TFormCase& C : Cases()) {
    TChartSeries* S = C.Make(*this);
    for (int Round = 0; Round < 2; ++Round) {
      TForm* F = Open<TForm>(S);
      ASSERT_TRUE(F);
      EXPECT_EQ(F->ClassName(), C.Form);
      EXPECT_EQ(TabCount("Format"), 1) << C.Form;
      for (const std::string& Tab : C.Extra) EXPECT_EQ(TabCount(Tab), 1) << C.Form << " " << Tab;
      const std::vector<std::string> Before = Tabs();
      // Shown again (its tab reselected, or the same series selected again): no new tabs.
      F->Hide();
      F->Show();
      Page->SelectSeries(S);
      VisitTabs();
      EXPECT_EQ(Tabs(), Before) << C.Form;
      Page->SelectSeries(Other);
      for (const std::string& Tab : C.Extra) EXPECT_EQ(TabCount(Tab), 0) << C.Form << " " << Tab;
    }
  }
}

TEST_F(GridFinancialForms, OpeningAndClosingWithoutAChangeLeavesTheSeriesUnchanged) {
  auto* Other = Add<TLineSeries>(3);
  for (const TFormCase& C : Cases()) {
    TChartSeries* S = C.Make(*this);
    const std::string Text = PlotEngine::SeriesToText(S);
    const std::map<std::string, std::string> Before = PlotPenDlg::Snapshot(S);
    ASSERT_TRUE(Open<TForm>(S));
    VisitTabs();
    Page->SelectSeries(Other);
    std::set<std::string> Differ;
    const std::map<std::string, std::string> After = PlotPenDlg::Snapshot(S);
    for (const auto& [Key, Value] : Before)
      if (!After.count(Key) || After.at(Key) != Value) Differ.insert(Key + "=" + Value);
    // Sub-objects the marks page makes on demand (font outline and gradient,
    // symbol gradient) may appear with their defaults.
    for (const auto& [Key, Value] : After)
      if (!Before.count(Key) && Key.find(".Gradient.") == std::string::npos &&
          Key.find(".OutLine.") == std::string::npos)
        Differ.insert(Key + " made");
    EXPECT_EQ(Differ, std::set<std::string>{}) << C.Form;
    EXPECT_EQ(PlotEngine::SeriesToText(S), Text) << C.Form;
  }
}

TEST_F(GridFinancialForms, ValuesBeyondTheControlsShowClampedAndTheRestIsStillFilled) {
  auto* Tower = Add<TTowerSeries>(4);
  Tower->SetPercentDepth(250);
  Tower->SetPercentWidth(40);
  Tower->SetOrigin(2.5);
  auto* T = Open<TTowerSeriesEditor>(Tower);
  ASSERT_TRUE(T);
  EXPECT_EQ(T->Edit1->GetText(), "100");
  // The rows after the out-of-range one are filled too.
  EXPECT_EQ(T->Edit2->GetText(), "40");
  EXPECT_EQ(T->EOrigin->GetText(), "2.5");
  EXPECT_EQ(Tower->GetPercentDepth(), 250);

  auto* Contour = Add<TContourSeries>(5);
  Contour->SetNumLevels(400);
  Contour->SetYPosition(-1e12);
  auto* C = Open<TContourSeriesEditor>(Contour);
  ASSERT_TRUE(C);
  EXPECT_EQ(C->SENum->GetText(), "150");
  EXPECT_EQ(C->SEYPos->GetText(), "-30000");
  EXPECT_EQ(C->UDLevel->GetMax(), 399);
  EXPECT_EQ(Contour->GetNumLevels(), 400);
  EXPECT_EQ(Contour->GetYPosition(), -1e12);
}

// Every visible control lies inside its parent, and no two windowed siblings overlap.
void CheckLayout(TWinControl& Parent, const std::string& Form) {
  const int W = Parent.GetClientWidth(), H = Parent.GetClientHeight();
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* C = Parent.GetControl(i);
    if (!C->GetVisible() || C->GetAlign() != TAlign::alNone) {
      if (auto* Child = dynamic_cast<TWinControl*>(C); Child && C->GetVisible()) CheckLayout(*Child, Form);
      continue;
    }
    const TRect R = C->GetBoundsRect();
    EXPECT_TRUE(R.Left >= 0 && R.Top >= 0 && R.Right <= W && R.Bottom <= H)
        << Form << ": " << C->GetName() << " lies outside " << Parent.GetName();
    for (int j = i + 1; j < Parent.ControlCount(); ++j) {
      TControl* D = Parent.GetControl(j);
      if (!D->GetVisible() || D->GetAlign() != TAlign::alNone || !dynamic_cast<TWinControl*>(C) ||
          !dynamic_cast<TWinControl*>(D))
        continue;
      const TRect S = D->GetBoundsRect();
      EXPECT_FALSE(R.Left < S.Right && S.Left < R.Right && R.Top < S.Bottom && S.Top < R.Bottom)
          << Form << ": " << C->GetName() << " overlaps " << D->GetName();
    }
    if (auto* Child = dynamic_cast<TWinControl*>(C)) CheckLayout(*Child, Form);
  }
}

// The forms are laid out inside themselves; with KV_PICTURE_DIR set each is
// also written there as "form_<class>.png".
TEST_F(GridFinancialForms, FormsAreLaidOutInsideThemselves) {
  for (const TFormCase& C : Cases()) {
    auto* F = Open<TForm>(C.Make(*this));
    ASSERT_TRUE(F);
    // Laid out at the form's design size.
    F->SetAlign(TAlign::alNone);
    CheckLayout(*F, C.Form);
    if (const char* Dir = std::getenv("KV_PICTURE_DIR"))
      F->Handle()->grab().save(QString::fromStdString(std::string(Dir) + "/form_" + C.Form + ".png"));
  }
}

}  // namespace GridFinancialFormTests
