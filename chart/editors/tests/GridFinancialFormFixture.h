#pragma once
// The series page on one chart, for the format pages of the 3-D grid,
// financial and statistical series.
#include <algorithm>
#include <string>
#include <vector>

#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace GridFinancialFormFixture {

class FormTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(300, 220);
    Chart->Legend()->SetVisible(false);
    Page = Create<TFormPlotSeries>(Owner);
  }
  void TearDown() override { Owner->Free(); }

public:
  template <class S>
  S* Add(int32_t Samples = 0) {
    auto* Made = Create<S>(Owner);
    Made->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(Made);
    if (Samples > 0) Made->FillSampleValues(Samples);
    return Made;
  }

protected:
  // The series page on Series, and its format page as F.
  template <class F>
  F* Open(TChartSeries* Series) {
    Page->SelectSeries(Series);
    auto* Form = dynamic_cast<F*>(Page->FormatForm());
    EXPECT_NE(Form, nullptr) << Series->ClassName();
    return Form;
  }
  std::vector<std::string> Tabs() const {
    std::vector<std::string> T;
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i)
      if (Page->PageSeries->Pages(i)->GetTabVisible()) T.push_back(Page->PageSeries->Pages(i)->GetCaption());
    return T;
  }
  int TabCount(const std::string& Caption) const {
    const std::vector<std::string> T = Tabs();
    return static_cast<int>(std::count(T.begin(), T.end(), Caption));
  }
  // The form embedded in the tab Caption.
  template <class F>
  F* TabForm(const std::string& Caption) const {
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i) {
      TTabSheet* T = Page->PageSeries->Pages(i);
      if (T->GetCaption() != Caption) continue;
      for (int k = 0; k < T->ControlCount(); ++k)
        if (auto* Form = dynamic_cast<F*>(T->GetControl(k))) return Form;
    }
    return nullptr;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TFormPlotSeries* Page = nullptr;
};

}  // namespace GridFinancialFormFixture
