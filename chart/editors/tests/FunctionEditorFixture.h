#pragma once
// Function editor tests: every function type and editor form registered, a
// chart whose series belong to one owner (the "form" the function editor
// takes its source candidates from), and a host form the editors embed into.
#include <string>
#include <vector>

#include "chart/editors/PlotBaseFuncEdit.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotFuncEdit.h"
#include "chart/engine/Chart.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/FinancialUnits.h"
#include "chart/extras/PlotSpline.h"
#include "chart/extras/StatChar.h"
#include "chart/series/PlotFunci.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

class FunctionEditorTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotFunci::Initialization();
    StatChar::Initialize();
    PlotSpline::Initialize();
    FinancialUnits::Initialize();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Host = Create<TForm>(Owner);
  }
  void TearDown() override { Owner->Free(); }

  // A line series named Name in the chart, Y = Values at X = 0, 1, 2 ...
  TLineSeries* Line(const std::string& Name, const std::vector<double>& Values = {}) {
    auto* S = Create<TLineSeries>(Owner);
    S->SetName(Name);
    Chart->AddSeries(S);
    for (size_t i = 0; i < Values.size(); ++i) S->AppendPoint(static_cast<double>(i), Values[i]);
    return S;
  }
  // A candle series with bar i = (i, open 10 + i, high 12 + i, low 9 + i, close 11 + i).
  TCandleSeries* Candles(const std::string& Name, int Bars) {
    auto* S = Create<TCandleSeries>(Owner);
    S->SetName(Name);
    Chart->AddSeries(S);
    for (int i = 0; i < Bars; ++i) S->AddOpenHighLowClose(i, 10 + i, 12 + i, 9 + i, 11 + i);
    return S;
  }
  // A function of class T attached to Result.
  template <class T>
  T* Attach(TChartSeries* Result) {
    auto* F = Create<T>(Owner);
    Result->SetFunction(F);
    return F;
  }
  // The text under which a function class is offered: its description on one line.
  static std::string TypeText(TClass FuncClass) {
    for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i) {
      const TPlotSeriesType* T = Chart::SeriesTypes().TypeAt(i);
      if (T->FunctionClassRef == FuncClass && !T->SeriesClassRef) {
        std::string S = T->Description();
        for (char& C : S)
          if (C == '\r' || C == '\n') C = ' ';
        return S;
      }
    }
    return {};
  }
  // The function editor shown for Series.
  TPlotFuncEditor* OpenEditor(TChartSeries* Series) {
    auto* E = Create<TPlotFuncEditor>(Owner);
    PlotPenDlg::EmbedEditorForm(E, Host, Series);
    return E;
  }
  static void ChooseType(TPlotFuncEditor* E, const std::string& Text) {
    const int32_t I = E->CBSources->Items()->IndexOf(Text);
    ASSERT_GE(I, 0) << Text;
    E->CBSources->SetItemIndex(I);
    E->CBSourcesChange(E->CBSources);
  }
  // The parameter form the function names, shown for it.
  TBaseFunctionEditor* OpenForm(TPlotFunction* F) {
    const TClass C = ClassInfo::GetClass(F->EditorFormName());
    EXPECT_TRUE(C) << F->EditorFormName();
    if (!C) return nullptr;
    auto* Form = dynamic_cast<TBaseFunctionEditor*>(C->CreateInstance(Owner));
    EXPECT_TRUE(Form) << F->EditorFormName();
    if (Form) PlotPenDlg::EmbedEditorForm(Form, Host, F);
    return Form;
  }
  // The function's published properties, read through its table.
  static std::map<std::string, std::string> Props(const TObject* F) { return PlotPenDlg::Snapshot(F); }

  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TForm* Host = nullptr;
};
