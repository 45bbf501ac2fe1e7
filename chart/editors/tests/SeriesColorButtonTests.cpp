// The "Color..." button of a series format page, for a series whose colour
// the chart gave it: the swatch shows the colour the series is drawn in, a
// colour chosen there becomes the series' own, and choosing the shown colour
// again leaves the series to its chart.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/editors/PlotBarSeriesEdit.h"
#include "chart/editors/PlotHighLowEdit.h"
#include "chart/editors/PlotHistogramEdit.h"
#include "chart/editors/PlotPieEdit.h"
#include "chart/editors/tests/SeriesFormFixture.h"
#include "chart/extras/StatChar.h"
#include "chart/series/ErrorBar.h"

namespace SeriesColorButtonTests {

using SeriesFormFixture::SeriesFormTest;

class SeriesColorButton : public SeriesFormTest {
protected:
  struct TCase {
    const char* Name;
    // Adds the series and opens its page; the page's colour button.
    std::function<TButtonColor*(SeriesColorButton&, TChartSeries*&)> Open;
  };
  template <class S, class F>
  static TCase Case(const char* Name, TButtonColor* F::*Button) {
    return {Name, [Button](SeriesColorButton& T, TChartSeries*& Series) -> TButtonColor* {
              Series = T.Add<S>();
              F* Form = T.OpenAs<F>(Series);
              return Form ? Form->*Button : nullptr;
            }};
  }
  static std::vector<TCase> Cases() {
    return {Case<TBarSeries>("bar", &TBarSeriesEditor::BBarColor),
            Case<TPieSeries>("pie", &TPieSeriesEditor::BColor),
            Case<THighLowSeries>("high-low", &THighLowEditor::BColor),
            Case<THistogramSeries>("histogram", &THistogramSeriesEditor::BAreaColor)};
  }
};

TEST_F(SeriesColorButton, ShowsTheColourTheChartGaveTheSeries) {
  for (const TCase& C : Cases()) {
    TChartSeries* S = nullptr;
    TButtonColor* B = C.Open(*this, S);
    ASSERT_TRUE(B) << C.Name;
    ASSERT_EQ(S->GetRawSeriesColor(), clDefault) << C.Name;
    ASSERT_NE(S->GetSeriesColor(), clDefault) << C.Name;
    EXPECT_EQ(B->GetColor(), ColorToRGB(S->GetSeriesColor())) << C.Name;
  }
}

TEST_F(SeriesColorButton, ChoosingAColourWritesItAndChoosingTheShownOneKeepsTheChartsColour) {
  struct TChoice {
    const char* Name;
    // The colour answered in the dialog; the chart's colour of the series when none.
    std::optional<TColor> Answer;
    bool Own;  // the series keeps a colour of its own (and a file stores it)
  };
  const TChoice Choices[] = {{"black", clBlack, true}, {"blue", clBlue, true}, {"the shown one", std::nullopt, false}};
  for (const TCase& C : Cases())
    for (const TChoice& Ch : Choices) {
      TChartSeries* S = nullptr;
      TButtonColor* B = C.Open(*this, S);
      ASSERT_TRUE(B) << C.Name;
      const TColor Given = S->GetSeriesColor();
      const TColor Chosen = Ch.Answer.value_or(Given);
      Seam.AnswerColor(Chosen);
      B->Click();
      ASSERT_EQ(Seam.Pending(), 0u) << C.Name << ", " << Ch.Name;
      // The dialog starts on the colour the swatch shows.
      EXPECT_EQ(Seam.Prompts().back().Text, std::to_string(ColorToRGB(Given))) << C.Name << ", " << Ch.Name;
      EXPECT_EQ(S->GetSeriesColor(), Chosen) << C.Name << ", " << Ch.Name;
      EXPECT_EQ(S->IsSeriesColorStored(), Ch.Own) << C.Name << ", " << Ch.Name;
      EXPECT_EQ(S->GetRawSeriesColor(), Ch.Own ? Chosen : clDefault) << C.Name << ", " << Ch.Name;
      EXPECT_EQ(B->GetColor(), ColorToRGB(Chosen)) << C.Name << ", " << Ch.Name;
    }
}

}  // namespace SeriesColorButtonTests
