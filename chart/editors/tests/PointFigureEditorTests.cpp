// The point-and-figure format page through the test seam: it shows and
// writes box size and reversal amount, ignores text that would stop the
// series drawing, and adds its "Up" and "Down" symbol tabs once.
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotPointFigureEdit.h"
#include "chart/extras/PlotPointFigure.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PointFigureEditorTests {

namespace {

class PointFigureEditorTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Figure = Create<TPointFigureSeries>(Owner);
    Figure->SetName("Figure");
    Chart->AddSeries(Figure);
    Figure->AddOpenHighLowClose(0, 10, 12, 9, 11);
  }
  void TearDown() override { Owner->Free(); }
  void Open(const std::function<void(TFormPlotSeries&, TPointFigureEditor&)>& Script) {
    Modal<TChartEditForm>([Script](TChartEditForm& F) {
      TFormPlotSeries* P = F.SeriesPage();
      auto* E = P ? dynamic_cast<TPointFigureEditor*>(P->FormatForm()) : nullptr;
      EXPECT_TRUE(E);
      if (E) Script(*P, *E);
      return mrCancel;
    });
    PlotEditCha::ShowSeriesStyleEditor(Figure);
  }
  static std::vector<std::string> Tabs(TFormPlotSeries& P) {
    std::vector<std::string> T;
    for (int i = 0; i < P.PageSeries->PageCount(); ++i)
      if (P.PageSeries->Pages(i)->GetTabVisible()) T.push_back(P.PageSeries->Pages(i)->GetCaption());
    return T;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TPointFigureSeries* Figure = nullptr;
};

TEST_F(PointFigureEditorTest, ShowsWritesAndIgnoresBadText) {
  Figure->SetBoxSize(2);
  Figure->SetReversalAmount(4);
  Open([&](TFormPlotSeries&, TPointFigureEditor& E) {
    EXPECT_EQ(E.EBoxSize->GetText(), "2");
    EXPECT_EQ(E.EReversal->GetText(), "4");
    struct TCase {
      TEdit* Edit;
      const char* Text;
      double Box, Reversal;
    } cases[] = {
        {E.EBoxSize, "0", 2, 4},        // on the way to "0.5": ignored
        {E.EBoxSize, "0.5", 0.5, 4},
        {E.EBoxSize, "-1", 0.5, 4},
        {E.EBoxSize, "abc", 0.5, 4},
        {E.EReversal, "2.5", 0.5, 2.5},
        {E.EReversal, "x", 0.5, 2.5},
    };
    for (const TCase& c : cases) {
      c.Edit->SetText(c.Text);
      EXPECT_DOUBLE_EQ(Figure->GetBoxSize(), c.Box) << c.Text;
      EXPECT_DOUBLE_EQ(Figure->GetReversalAmount(), c.Reversal) << c.Text;
    }
  });
}

TEST_F(PointFigureEditorTest, AddsUpAndDownTabsOnce) {
  Open([&](TFormPlotSeries& P, TPointFigureEditor& E) {
    const std::vector<std::string> tabs = Tabs(P);
    EXPECT_EQ(std::count(tabs.begin(), tabs.end(), "Up"), 1);
    EXPECT_EQ(std::count(tabs.begin(), tabs.end(), "Down"), 1);
    auto* up = dynamic_cast<TSeriesPointerEditor*>(E.UpForm());
    ASSERT_TRUE(up);
    EXPECT_EQ(up->Edited(), static_cast<TObject*>(Figure->UpSymbol()));
    E.FormShow(&E);
    EXPECT_EQ(Tabs(P), tabs) << "shown again: no more tabs";
  });
}

}  // namespace

}  // namespace PointFigureEditorTests
