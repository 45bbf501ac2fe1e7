// The function source editor: the types it offers, what it shows for a
// series, and "&Apply": sources in order, a single source with its value
// list, a function replaced only when applied, a circular source refused
// with nothing changed, the close question, and its place on the series page.
#include <algorithm>

#include "chart/editors/PlotCompressFuncEdit.h"
#include "chart/editors/PlotCustomFuncEditor.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotMovAveFuncEdit.h"
#include "chart/editors/PlotSelectList.h"
#include "chart/editors/tests/FunctionEditorFixture.h"
#include "chart/extras/PlotCompressOHLC.h"
#include "platform/rtl/SysUtils.h"

namespace FunctionSourceEditorTests {

class FunctionSourceEditor : public FunctionEditorTest {
protected:
  static std::string Chosen(TComboBox* Combo) {
    const int32_t I = Combo->GetItemIndex();
    return I < 0 ? std::string() : Combo->Items()->Strings(I);
  }
  static std::vector<TObject*> Objects(TStrings* Items) {
    std::vector<TObject*> V;
    for (int32_t i = 0; i < Items->Count(); ++i) V.push_back(Items->Objects(i));
    return V;
  }
  static std::vector<TObject*> Sources(TChartSeries* S) {
    return {S->DataSources().Items().begin(), S->DataSources().Items().end()};
  }
  static std::vector<double> Ys(TChartSeries* S) {
    std::vector<double> V;
    for (int32_t i = 0; i < S->Count(); ++i) V.push_back(S->GetYValue(i));
    return V;
  }
  // Selects Series in the available list and presses ">".
  static void Pick(TPlotFuncEditor* E, TChartSeries* Series) {
    TListBox* From = E->SelectForm()->FromList;
    const int32_t I = From->Items()->IndexOfObject(Series);
    ASSERT_GE(I, 0) << Series->GetName();
    for (int32_t i = 0; i < From->Items()->Count(); ++i) From->SetSelected(i, i == I);
    E->SelectForm()->BRightOne->Click();
  }
  static void PickSingle(TPlotFuncEditor* E, TChartSeries* Series) {
    E->CBSingle->SetItemIndex(E->CBSingle->Items()->IndexOfObject(Series));
    E->CBSingleChange(E->CBSingle);
  }
};

TEST_F(FunctionSourceEditor, OffersCopyAndEachFunctionTypeOnceOnOneLine) {
  auto* E = OpenEditor(Line("S"));
  TStrings* Items = E->CBSources->Items();
  std::vector<std::string> Texts;
  for (int32_t i = 0; i < Items->Count(); ++i) Texts.push_back(Items->Strings(i));
  EXPECT_TRUE(std::is_sorted(Texts.begin(), Texts.end(), [](const std::string& X, const std::string& Y) {
    return SysUtils::CompareText(X, Y) < 0;
  }));
  EXPECT_EQ(std::adjacent_find(Texts.begin(), Texts.end()), Texts.end());
  for (const char* Expected : {"Copy", "Add", "Moving Average", "Close Location Value", "Compression", "y = f(x)"})
    EXPECT_NE(std::find(Texts.begin(), Texts.end(), Expected), Texts.end()) << Expected;
  for (const std::string& T : Texts) EXPECT_EQ(T.find_first_of("\r\n"), std::string::npos) << T;
  int32_t Types = 0;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i)
    Types += Chart::SeriesTypes().TypeAt(i)->FunctionClassRef && !Chart::SeriesTypes().TypeAt(i)->SeriesClassRef;
  EXPECT_EQ(static_cast<int32_t>(Texts.size()), Types + 1);
}

TEST_F(FunctionSourceEditor, NewSeriesShowsCopyWithApplyLitAndCopiesOnApply) {
  TLineSeries* S = Line("S");
  TLineSeries* A = Line("A", {1, 2});
  TLineSeries* B = Line("B", {3, 4});
  auto* E = OpenEditor(S);
  EXPECT_EQ(Chosen(E->CBSources), "Copy");
  EXPECT_TRUE(E->BApply->GetEnabled());
  EXPECT_FALSE(E->TabOptions->GetTabVisible());
  EXPECT_TRUE(E->TabSource->GetTabVisible());
  EXPECT_FALSE(E->PanSingle->GetVisible());
  EXPECT_TRUE(E->SelectForm()->GetVisible());
  EXPECT_EQ(Objects(E->SelectForm()->FromList->Items()), (std::vector<TObject*>{A, B}));
  EXPECT_EQ(E->ParamForm(), nullptr);
  Pick(E, B);
  E->BApply->Click();
  EXPECT_EQ(S->GetDataSource(), B);
  EXPECT_EQ(S->GetFunction(), nullptr);
  EXPECT_EQ(Ys(S), (std::vector<double>{3, 4}));
  EXPECT_FALSE(E->BApply->GetEnabled());
}

TEST_F(FunctionSourceEditor, ShowsTheFunctionItsSourceAndValueList) {
  TCandleSeries* C = Candles("C", 5);
  TLineSeries* S = Line("S");
  auto* F = Attach<TMovingAverageFunction>(S);
  S->SetDataSource(C);
  S->MandatoryList()->SetValueSource("High");
  auto* E = OpenEditor(S);
  EXPECT_EQ(Chosen(E->CBSources), TypeText(TMovingAverageFunction::StaticClass()));
  EXPECT_FALSE(E->BApply->GetEnabled());
  EXPECT_TRUE(E->TabOptions->GetTabVisible());
  EXPECT_TRUE(E->PanSingle->GetVisible());
  EXPECT_FALSE(E->SelectForm()->GetVisible());
  EXPECT_EQ(E->CBSingle->Items()->Objects(E->CBSingle->GetItemIndex()), C);
  EXPECT_EQ(Chosen(E->CBValues), "High");
  EXPECT_TRUE(E->CBValues->GetEnabled());
  EXPECT_TRUE(E->BNone->GetEnabled());
  // The value lists from the second on: the first (the X dates) is no choice.
  std::vector<std::string> Lists;
  for (int32_t i = 0; i < E->CBValues->Items()->Count(); ++i) Lists.push_back(E->CBValues->Items()->Strings(i));
  EXPECT_EQ(static_cast<int32_t>(Lists.size()), C->ValueLists().Count() - 1);
  EXPECT_EQ(std::count(Lists.begin(), Lists.end(), C->XValues()->GetName()), 0);
  for (const char* Name : {"Open", "High", "Low", "Close"})
    EXPECT_EQ(std::count(Lists.begin(), Lists.end(), Name), 1) << Name;
  auto* Form = dynamic_cast<TMovAveFuncEditor*>(E->ParamForm());
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->TheFunction(), F);
  // A typed parameter waits for "&Apply".
  Form->Edit1->SetText("2");
  EXPECT_TRUE(E->BApply->GetEnabled());
  EXPECT_EQ(F->GetPeriod(), 1);
  E->BApply->Click();
  EXPECT_EQ(F->GetPeriod(), 2);
  EXPECT_EQ(S->GetFunction(), F);
  EXPECT_EQ(S->MandatoryList()->GetValueSource(), "High");
}

TEST_F(FunctionSourceEditor, SingleSourceTakesTheChosenValueListAndNoneClearsIt) {
  TCandleSeries* C = Candles("C", 6);
  TLineSeries* S = Line("S");
  Attach<TMovingAverageFunction>(S);  // period 1: the values themselves
  auto* E = OpenEditor(S);
  EXPECT_EQ(E->CBSingle->GetItemIndex(), -1);
  EXPECT_FALSE(E->CBValues->GetEnabled());
  PickSingle(E, C);
  EXPECT_TRUE(E->BApply->GetEnabled());
  E->CBValues->SetItemIndex(E->CBValues->Items()->IndexOf("High"));
  E->BApply->Click();
  EXPECT_EQ(S->GetDataSource(), C);
  EXPECT_EQ(S->MandatoryList()->GetValueSource(), "High");
  EXPECT_EQ(Ys(S), (std::vector<double>{12, 13, 14, 15, 16, 17}));
  E->BNoneClick(E->BNone);
  EXPECT_EQ(E->CBValues->Items()->Count(), 0);
  EXPECT_FALSE(E->CBValues->GetEnabled());
  EXPECT_FALSE(E->BNone->GetEnabled());
  E->BApply->Click();
  EXPECT_EQ(S->GetDataSource(), nullptr);
  EXPECT_EQ(S->MandatoryList()->GetValueSource(), "");
}

TEST_F(FunctionSourceEditor, SeveralSourcesAreTakenInListOrder) {
  TLineSeries* A = Line("A", {1, 2, 3});
  TLineSeries* B = Line("B", {10, 20, 30});
  TLineSeries* S = Line("S");
  Attach<TSubtractPlotFunction>(S);
  auto* E = OpenEditor(S);
  Pick(E, B);
  Pick(E, A);
  E->BApply->Click();
  EXPECT_EQ(Sources(S), (std::vector<TObject*>{B, A}));
  EXPECT_EQ(Ys(S), (std::vector<double>{9, 18, 27}));
}

TEST_F(FunctionSourceEditor, AnotherTypeReplacesTheFunctionOnlyOnApply) {
  TLineSeries* A = Line("A", {2, 4, 6, 8});
  TLineSeries* S = Line("S");
  auto* Old = Attach<TAveragePlotFunction>(S);
  Old->SetPeriod(2);
  S->SetDataSource(A);
  const WeakRef<TPlotFunction> OldRef(Old);
  const auto Before = Props(Old);
  auto* E = OpenEditor(S);
  ChooseType(E, TypeText(TMovingAverageFunction::StaticClass()));
  EXPECT_EQ(S->GetFunction(), Old);
  EXPECT_EQ(Props(Old), Before);
  EXPECT_TRUE(E->BApply->GetEnabled());
  auto* Form = dynamic_cast<TMovAveFuncEditor*>(E->ParamForm());
  ASSERT_TRUE(Form);
  EXPECT_EQ(Form->TheFunction(), nullptr);
  // "No" to the close question keeps the old function and its parameters.
  Seam.AnswerMessage(mrNo);
  EXPECT_TRUE(E->CloseQuery());
  EXPECT_EQ(Seam.Prompts().back().Text, "Apply Changes ?");
  EXPECT_EQ(S->GetFunction(), Old);
  EXPECT_EQ(Props(Old), Before);
  // Applied, the new type takes the typed period.
  ChooseType(E, TypeText(TMovingAverageFunction::StaticClass()));
  dynamic_cast<TMovAveFuncEditor*>(E->ParamForm())->Edit1->SetText("3");
  E->BApply->Click();
  auto* Now = dynamic_cast<TMovingAverageFunction*>(S->GetFunction());
  ASSERT_TRUE(Now);
  EXPECT_EQ(Now->GetPeriod(), 3);
  EXPECT_EQ(OldRef.Get(), nullptr);
  EXPECT_EQ(S->GetDataSource(), A);
  EXPECT_EQ(Ys(S), (std::vector<double>{4, 6}));  // (2+4+6)/3, (4+6+8)/3
  EXPECT_FALSE(E->BApply->GetEnabled());
}

TEST_F(FunctionSourceEditor, ClosingWithPendingChangesAsksYesNoOrCancel) {
  struct TCase {
    TModalResult Answer;
    bool CanClose, Applied, ApplyLit;
  } Cases[] = {{mrCancel, false, false, true}, {mrNo, true, false, false}, {mrYes, true, true, false}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Answer);
    TLineSeries* A = Line("A" + std::to_string(C.Answer), {5});
    TLineSeries* S = Line("S" + std::to_string(C.Answer));
    auto* E = OpenEditor(S);
    Pick(E, A);
    Seam.AnswerMessage(C.Answer);
    EXPECT_EQ(E->CloseQuery(), C.CanClose);
    EXPECT_EQ(Seam.Prompts().back().Text, "Apply Changes ?");
    EXPECT_EQ(S->GetDataSource(), C.Applied ? A : nullptr);
    EXPECT_EQ(E->BApply->GetEnabled(), C.ApplyLit);
    E->Free();
  }
}

TEST_F(FunctionSourceEditor, ACircularSourceIsRefusedAndNothingChanges) {
  TLineSeries* B = Line("B", {1, 2});
  TLineSeries* S = Line("S");
  auto* F = Attach<TAddPlotFunction>(S);
  S->SetDataSource(B);
  TLineSeries* A = Line("A");
  A->SetDataSource(S);  // A depends on S
  const auto Before = Props(F);
  auto* E = OpenEditor(S);
  ChooseType(E, TypeText(TSubtractPlotFunction::StaticClass()));
  Pick(E, A);
  Seam.AnswerMessage(mrOk);
  E->BApply->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, PlotConst::MsgCircularSeries.Text());
  EXPECT_EQ(Sources(S), (std::vector<TObject*>{B}));
  EXPECT_EQ(S->GetFunction(), F);
  EXPECT_EQ(Props(F), Before);
  EXPECT_EQ(S->UpdateCount(), 0);
  EXPECT_TRUE(E->BApply->GetEnabled());
  // Without the circular source the same choice applies.
  E->SelectForm()->ToList->SetItemIndex(E->SelectForm()->ToList->Items()->IndexOfObject(A));
  E->SelectForm()->ToList->SetSelected(E->SelectForm()->ToList->GetItemIndex(), true);
  E->SelectForm()->BLeftOne->Click();
  E->BApply->Click();
  EXPECT_TRUE(dynamic_cast<TSubtractPlotFunction*>(S->GetFunction()));
  EXPECT_EQ(Sources(S), (std::vector<TObject*>{B}));
  EXPECT_FALSE(E->BApply->GetEnabled());
}

TEST_F(FunctionSourceEditor, ATypeWithoutSourcesShowsOnlyItsOptions) {
  TLineSeries* S = Line("S");
  Line("A", {1});
  auto* E = OpenEditor(S);
  ChooseType(E, TypeText(TCustomPlotFunction::StaticClass()));
  EXPECT_FALSE(E->TabSource->GetTabVisible());
  EXPECT_TRUE(E->TabOptions->GetTabVisible());
  EXPECT_EQ(E->PageControl1->GetActivePage(), E->TabOptions);
  EXPECT_TRUE(E->Timer1->GetEnabled());
  E->Timer1Timer(E->Timer1);
  EXPECT_FALSE(E->Timer1->GetEnabled());
  EXPECT_EQ(E->PageControl1->GetActivePage(), E->TabOptions);
  auto* Form = dynamic_cast<TCustomFunctionEditor*>(E->ParamForm());
  ASSERT_TRUE(Form);
  Form->ENum->SetText("7");
  E->BApply->Click();
  auto* F = dynamic_cast<TCustomPlotFunction*>(S->GetFunction());
  ASSERT_TRUE(F);
  EXPECT_EQ(F->GetNumPoints(), 7);
  EXPECT_EQ(S->GetDataSource(), nullptr);
}

TEST_F(FunctionSourceEditor, SourceListsFollowTheChart) {
  TLineSeries* S = Line("S");
  TLineSeries* A = Line("A");
  auto* E = OpenEditor(S);
  TSelectListForm* L = E->SelectForm();
  EXPECT_EQ(Objects(L->FromList->Items()), (std::vector<TObject*>{A}));
  TLineSeries* B = Line("B");
  EXPECT_EQ(Objects(L->FromList->Items()), (std::vector<TObject*>{A, B}));
  Pick(E, B);
  A->Free();
  EXPECT_EQ(Objects(L->FromList->Items()), (std::vector<TObject*>{}));
  EXPECT_EQ(Objects(E->CBSingle->Items()), (std::vector<TObject*>{B}));
  B->Free();
  EXPECT_EQ(L->ToList->Items()->Count(), 0);
  EXPECT_EQ(E->CBSingle->Items()->Count(), 0);
  E->BApply->Click();
  EXPECT_EQ(S->GetDataSource(), nullptr);
}

TEST_F(FunctionSourceEditor, CompressionNeedsAnOHLCResultSeries) {
  TCandleSeries* C = Candles("C", 10);
  TLineSeries* S = Line("S");
  auto* E = OpenEditor(S);
  ChooseType(E, TypeText(TCompressFunction::StaticClass()));
  ASSERT_TRUE(E->PanSingle->GetVisible());
  PickSingle(E, C);
  Seam.AnswerMessage(mrOk);
  E->BApply->Click();
  EXPECT_NE(Seam.Prompts().back().Text.find("open-high-low-close"), std::string::npos);
  EXPECT_NE(Seam.Prompts().back().Text.find("S cannot"), std::string::npos);
  EXPECT_EQ(S->GetFunction(), nullptr);
  EXPECT_EQ(S->GetDataSource(), nullptr);
  EXPECT_TRUE(E->BApply->GetEnabled());
  // A candle series takes it: ten points in groups of five.
  TCandleSeries* R = Candles("R", 0);
  auto* E2 = OpenEditor(R);
  ChooseType(E2, TypeText(TCompressFunction::StaticClass()));
  PickSingle(E2, C);
  auto* Form = dynamic_cast<TCompressFuncEditor*>(E2->ParamForm());
  ASSERT_TRUE(Form);
  Form->RadioPoints->SetChecked(true);
  Form->ENum->SetText("5");
  E2->BApply->Click();
  auto* F = dynamic_cast<TCompressFunction*>(R->GetFunction());
  ASSERT_TRUE(F);
  EXPECT_EQ(F->GetPeriod(), 5);
  EXPECT_EQ(R->Count(), 2);
  EXPECT_EQ(R->HighValues()->GetValue(1), 12 + 9);  // the highest high of bars 5..9
}

TEST_F(FunctionSourceEditor, TheSeriesPageShowsItAsTheFunctionSource) {
  TLineSeries* S = Line("S");
  Line("A", {1, 2});
  auto* Page = Create<TFormPlotSeries>(Owner);
  Page->SelectSeries(S);
  Page->PageSeries->SelectPage(Page->TabDataSource);
  Page->CBDataSourcestyle->SetItemIndex(2);
  Page->CBDataSourcestyleChange(Page->CBDataSourcestyle);
  auto* E = dynamic_cast<TPlotFuncEditor*>(Page->DataSourceForm());
  ASSERT_TRUE(E);
  EXPECT_EQ(E->GetParent(), Page->Panel2);
  EXPECT_EQ(Chosen(E->CBSources), "Copy");
  EXPECT_TRUE(E->BApply->GetEnabled());
  Seam.AnswerMessage(mrCancel);
  EXPECT_FALSE(Page->CloseQuery());
  // The series freed with a change pending: the editor goes without a question.
  const WeakRef<TForm> Editor(E);
  S->Free();
  EXPECT_EQ(Editor.Get(), nullptr);
  EXPECT_TRUE(Page->CloseQuery());
}

}  // namespace FunctionSourceEditorTests
