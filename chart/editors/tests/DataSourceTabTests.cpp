// The series page's "Data Source" tab: the style it opens on, manual data in
// the grid, random sample values with their stored count, and clearing.
#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace DataSourceTabTests {

namespace {

class DataSourceTab : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Page = Create<TFormPlotSeries>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TLineSeries* Line(int Points, bool Manual) {
    auto* S = Create<TLineSeries>(Owner);
    S->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(S);
    for (int i = 0; i < Points; ++i) S->AppendPoint(i, i * 2);
    S->ManualData = Manual;
    return S;
  }
  void Open(TChartSeries* S) {
    Page->SelectSeries(S);
    Page->PageSeries->SelectPage(Page->TabDataSource);
  }
  std::string Style() const {
    const int I = Page->CBDataSourcestyle->GetItemIndex();
    return I < 0 ? "" : Page->CBDataSourcestyle->Items()->Strings(I);
  }
  void Choose(int Index) {
    Page->CBDataSourcestyle->SetItemIndex(Index);
    Page->CBDataSourcestyleChange(Page->CBDataSourcestyle);
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TFormPlotSeries* Page = nullptr;
};

TEST_F(DataSourceTab, OpensOnTheStyleTheSeriesHolds) {
  struct TCase {
    int Points;
    bool Manual;
    bool Sourced;
    const char* Style;
  };
  for (const TCase& C : {TCase{0, false, false, "Manual"}, TCase{5, true, false, "Manual"},
                         TCase{5, false, false, "Random"}, TCase{0, false, true, "Function"}}) {
    SCOPED_TRACE(C.Style);
    TLineSeries* S = Line(C.Points, C.Manual);
    if (C.Sourced) S->SetDataSource(Line(3, true));
    Open(S);
    EXPECT_EQ(Style(), C.Style);
    EXPECT_EQ(Page->ChartGrid1->GetVisible(), std::string(C.Style) == "Manual");
    EXPECT_EQ(Page->ChartGridNavigator1->GetVisible(), std::string(C.Style) == "Manual");
    EXPECT_EQ(Page->Panel4->GetVisible(), std::string(C.Style) == "Random");
    if (Page->ChartGrid1->GetVisible()) {
      EXPECT_EQ(Page->ChartGrid1->GetSeries(), S);
    }
  }
}

TEST_F(DataSourceTab, ManualRandomAndClearRoundTripTheStoredCount) {
  TLineSeries* S = Line(3, true);
  Open(S);
  ASSERT_EQ(Style(), "Manual");
  // Typed in the grid: the series holds manual data.
  Page->ChartGrid1->StoreCellText(2, 2, "42");
  EXPECT_EQ(S->YValues()->GetValue(0), 42);
  Choose(1);
  ASSERT_TRUE(Page->Panel4->GetVisible());
  EXPECT_EQ(Page->ESamples->GetText(), std::to_string(S->NumSampleValues()));
  EXPECT_TRUE(Page->CBSamplesDefault->GetChecked());
  EXPECT_FALSE(Page->CBSamplesDefault->GetEnabled());
  Page->ESamples->SetText("40");
  EXPECT_EQ(S->SampleCount, 40);
  EXPECT_FALSE(Page->CBSamplesDefault->GetChecked());
  EXPECT_TRUE(Page->CBSamplesDefault->GetEnabled());
  Page->BApplyRandom->Click();
  EXPECT_EQ(S->Count(), 40);
  EXPECT_FALSE(S->ManualData);
  Page->Button3->Click();
  EXPECT_EQ(S->Count(), 0);
  EXPECT_EQ(Style(), "Manual");
  EXPECT_TRUE(S->ManualData);
  EXPECT_TRUE(Page->ChartGrid1->GetVisible());
  Choose(1);
  EXPECT_EQ(Page->ESamples->GetText(), "40");
  // The default box puts the type's count back.
  Page->CBSamplesDefault->SetChecked(true);
  EXPECT_EQ(Page->ESamples->GetText(), std::to_string(S->NumSampleValues()));
  EXPECT_FALSE(Page->CBSamplesDefault->GetEnabled());
}

TEST_F(DataSourceTab, SampleCountTakesWholeNumbersFromZeroUp) {
  TLineSeries* S = Line(4, false);
  Open(S);
  ASSERT_EQ(Style(), "Random");
  struct TCase {
    const char* Text;
    int Stored;
    int Points;
  };
  for (const TCase& C : {TCase{"12", 12, 12}, TCase{"-5", 0, S->NumSampleValues()}, TCase{"abc", 0, S->NumSampleValues()},
                         TCase{"2.5", 0, S->NumSampleValues()}, TCase{"0", 0, S->NumSampleValues()}}) {
    SCOPED_TRACE(C.Text);
    Page->ESamples->SetText(C.Text);
    EXPECT_EQ(S->SampleCount, C.Stored);
    EXPECT_NO_THROW(Page->BApplyRandom->Click());
    EXPECT_EQ(S->Count(), C.Points);
  }
}

TEST_F(DataSourceTab, ManualDetachesASourceAndMakesTheSeriesEditable) {
  TLineSeries* Source = Line(3, true);
  TLineSeries* S = Line(0, false);
  S->SetDataSource(Source);
  Open(S);
  ASSERT_EQ(Style(), "Function");
  Choose(0);
  EXPECT_EQ(S->GetDataSource(), nullptr);
  EXPECT_TRUE(S->ManualData);
  Page->ChartGrid1->SetCol(2);
  Page->ChartGrid1->StartEditing();
  EXPECT_TRUE(Page->ChartGrid1->Editing());
}

}  // namespace

}  // namespace DataSourceTabTests
