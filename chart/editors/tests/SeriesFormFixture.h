#pragma once
// Series editor form tests: a chart, a series page and helpers to open a
// series on it and find its tabs and forms.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace SeriesFormFixture {

class SeriesFormTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(300, 220);
    Chart->SetView3D(false);
    Page = Create<TFormPlotSeries>(Owner);
    Page->ShowDataSourceTab = false;
  }
  void TearDown() override { Owner->Free(); }
  template <class S>
  S* Add(int Points = 5) {
    auto* Made = Create<S>(Owner);
    Made->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(Made);
    for (int i = 0; i < Points; ++i) Made->AppendPoint(i, 10 + i * i);
    return Made;
  }
  // Shows Series on the series page; its format form.
  TForm* Open(TChartSeries* Series) {
    Page->SelectSeries(Series);
    return Page->FormatForm();
  }
  template <class F>
  F* OpenAs(TChartSeries* Series) {
    auto* Form = dynamic_cast<F*>(Open(Series));
    EXPECT_NE(Form, nullptr) << Series->ClassName();
    return Form;
  }
  std::vector<std::string> Tabs() const {
    std::vector<std::string> Out;
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i)
      if (Page->PageSeries->Pages(i)->GetTabVisible()) Out.push_back(Page->PageSeries->Pages(i)->GetCaption());
    return Out;
  }
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
  static std::set<std::string> Changed(const std::map<std::string, std::string>& A,
                                       const std::map<std::string, std::string>& B) {
    std::set<std::string> Out;
    for (const auto& [K, V] : B)
      if (!A.count(K) || A.at(K) != V) Out.insert(K);
    for (const auto& [K, V] : A)
      if (!B.count(K)) Out.insert(K);
    return Out;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TFormPlotSeries* Page = nullptr;
};

}  // namespace SeriesFormFixture
