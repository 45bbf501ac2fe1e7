// The function parameter forms: each form's rows (what a control writes),
// loading of the period style, fields checked before anything is written,
// values beyond a control's range, the compression and volume forms, and
// opening and closing without a change leaving every function as it was.
#include <functional>
#include <set>

#include "chart/editors/PlotADXFuncEditor.h"
#include "chart/editors/PlotAvgFuncEditor.h"
#include "chart/editors/PlotBollingerEditor.h"
#include "chart/editors/PlotCCIFuncEdit.h"
#include "chart/editors/PlotCLVFuncEdit.h"
#include "chart/editors/PlotCompressFuncEdit.h"
#include "chart/editors/PlotCustomFuncEditor.h"
#include "chart/editors/PlotEdiPeri.h"
#include "chart/editors/PlotExpAveFuncEdit.h"
#include "chart/editors/PlotMACDFuncEdit.h"
#include "chart/editors/PlotMovAveFuncEdit.h"
#include "chart/editors/PlotOBVFuncEdit.h"
#include "chart/editors/PlotPVOFuncEdit.h"
#include "chart/editors/PlotRMSFuncEdit.h"
#include "chart/editors/PlotSmoothFuncEdit.h"
#include "chart/editors/tests/FunctionEditorFixture.h"
#include "chart/extras/PlotCCIFunction.h"
#include "chart/extras/PlotCLVFunction.h"
#include "chart/extras/PlotCompressOHLC.h"
#include "chart/extras/PlotOBVFunction.h"
#include "chart/extras/PlotPVOFunction.h"
#include "chart/series/PlotAxisIncr.h"

namespace FunctionParameterFormTests {

using TStep = std::function<void(TBaseFunctionEditor&)>;
using TProps = std::map<std::string, std::string>;

// A step on a form of class Form.
template <class Form, class Fn>
TStep Do(Fn Step) {
  return [Step](TBaseFunctionEditor& E) { Step(dynamic_cast<Form&>(E)); };
}

void Choose(TComboBox* Combo, int32_t Index) {
  Combo->SetItemIndex(Index);
  if (Combo->OnChange) Combo->OnChange(Combo);
}

// The entries of After that differ from Before or are new in it.
TProps Changes(const TProps& Before, const TProps& After) {
  TProps D;
  for (const auto& [Key, Value] : After)
    if (auto I = Before.find(Key); I == Before.end() || I->second != Value) D[Key] = Value;
  return D;
}

class ParameterForms : public FunctionEditorTest {
protected:
  // A function of class C in a result series fed by candles (a candle result
  // for the compression, no source for a function that needs none).
  TPlotFunction* Make(TClass C) {
    const std::string N = std::to_string(++Made);
    TChartSeries* Result =
        C == TCompressFunction::StaticClass() ? static_cast<TChartSeries*>(Candles("Result" + N, 0)) : Line("Result" + N);
    TPlotFunction* F = Chart::MakeSeriesFunction(Result, C);
    if (!F->NoSourceRequired) Result->AddDataSource(Candles("Source" + N, 30));
    return F;
  }
  // Opens F's form, runs Step, closes it; whether it closed.
  bool Edit(TPlotFunction* F, const TStep& Step) {
    TBaseFunctionEditor* Form = OpenForm(F);
    if (!Form) return false;
    Step(*Form);
    const bool Closed = Form->CloseQuery();
    Form->Free();
    return Closed;
  }
  int Made = 0;
};

TEST_F(ParameterForms, EachRowWritesItsProperty) {
  struct TCase {
    TClass Class;
    TStep Step;
    TProps Written;
  };
  const auto Volume = [](auto& F) {
    for (int32_t i = 0; i < F.CBVolume->Items()->Count(); ++i)
      if (F.CBVolume->Items()->Strings(i) == "Vol") Choose(F.CBVolume, i);
  };
  const TCase Cases[] = {
      {TAddPlotFunction::StaticClass(), Do<TPlotFunctionEditor>([](auto& F) { Choose(F.CBAlign, 0); }),
       {{"PeriodAlign", "paFirst"}}},
      {TAddPlotFunction::StaticClass(), Do<TPlotFunctionEditor>([](auto& F) {
         Choose(F.CBStyle, 1);
         F.ENum->SetText("4");
       }),
       {{"Period", "4"}}},
      {TAddPlotFunction::StaticClass(), Do<TPlotFunctionEditor>([](auto& F) {
         Choose(F.CBStyle, 2);
         F.ENum->SetText("0.25");
       }),
       {{"Period", "0.25"}, {"PeriodStyle", "psRange"}}},
      {TAveragePlotFunction::StaticClass(), Do<TAverageFuncEditor>([](auto& F) { F.CBNulls->SetChecked(false); }),
       {{"IncludeNulls", "False"}}},
      {TRMSFunction::StaticClass(), Do<TRMSFuncEditor>([](auto& F) { F.CBComplete->SetChecked(true); }),
       {{"Complete", "True"}}},
      {TStdDeviationFunction::StaticClass(), Do<TRMSFuncEditor>([](auto& F) { F.CBComplete->SetChecked(true); }),
       {{"Complete", "True"}}},
      {TMovingAverageFunction::StaticClass(), Do<TMovAveFuncEditor>([](auto& F) { F.Edit1->SetText("7"); }),
       {{"Period", "7"}}},
      {TMovingAverageFunction::StaticClass(), Do<TMovAveFuncEditor>([](auto& F) { Choose(F.CBStyle, 1); }),
       {{"Weighted", "True"}}},
      {TMovingAverageFunction::StaticClass(), Do<TMovAveFuncEditor>([](auto& F) { Choose(F.CBStyle, 2); }),
       {{"WeightedIndex", "True"}}},
      {TSmoothingFunction::StaticClass(), Do<TSmoothFuncEditor>([](auto& F) {
         F.CBInterp->SetChecked(false);
         F.Edit1->SetText("9");
       }),
       {{"Interpolate", "False"}, {"Factor", "9"}}},
      {TMACDFunction::StaticClass(), Do<TMACDFuncEditor>([](auto& F) {
         F.ENum->SetText("30");
         F.Edit1->SetText("5");
         F.Edit2->SetText("4");
       }),
       {{"Period", "30"}, {"Period2", "5"}, {"Period3", "4"}}},
      {TBollingerFunction::StaticClass(), Do<TBollingerFuncEditor>([](auto& F) {
         F.ENum->SetText("15");
         F.CheckBox1->SetChecked(false);
         F.Edit1->SetText("2.5");
       }),
       {{"Period", "15"}, {"Exponential", "False"}, {"Deviation", "2.5"}}},
      {TExpAverageFunction::StaticClass(), Do<TExpAveFuncEditor>([](auto& F) { F.Edit1->SetText("0.5"); }),
       {{"Weight", "0.5"}}},
      {TCustomPlotFunction::StaticClass(), Do<TCustomFunctionEditor>([](auto& F) {
         F.EStart->SetText("-2");
         F.EStep->SetText("3");
         F.ENum->SetText("50");
       }),
       {{"StartX", "-2"}, {"Period", "3"}, {"NumPoints", "50"}}},
      {TADXFunction::StaticClass(), Do<TADXFuncEditor>([](auto& F) { F.EPeriod->SetText("10"); }), {{"Period", "10"}}},
      {TCompressFunction::StaticClass(), Do<TCompressFuncEditor>([](auto& F) {
         F.RadioPoints->SetChecked(true);
         F.ENum->SetText("5");
       }),
       {{"Period", "5"}}},
      {TCompressFunction::StaticClass(), Do<TCompressFuncEditor>([](auto& F) { Choose(F.CBDatePeriod, 2); }),
       {{"Compress", "ocMonth"}}},
      {TCompressFunction::StaticClass(), Do<TCompressFuncEditor>([](auto& F) { Choose(F.CBTimePeriod, 3); }),
       {{"Compress", "ocTwoMinutes"}}},
      {TCLVFunction::StaticClass(), Do<TCLVFuncEditor>([](auto& F) { F.CBAccumulate->SetChecked(false); }),
       {{"Accumulate", "False"}}},
      {TCLVFunction::StaticClass(), Do<TCLVFuncEditor>(Volume), {{"Volume.Name", "Vol"}}},
      {TOBVFunction::StaticClass(), Do<TOBVFuncEditor>(Volume), {{"Volume.Name", "Vol"}}},
      {TCCIFunction::StaticClass(), Do<TCCIFuncEditor>([](auto& F) {
         F.EConst->SetText("0.02");
         F.EPeriod->SetText("14");
       }),
       {{"Constant", "0.02"}, {"Period", "14"}}},
      {TPVOFunction::StaticClass(), Do<TPVOFuncEditor>([](auto& F) {
         F.EPeriod->SetText("10");
         F.Edit1->SetText("20");
         F.CBPercent->SetChecked(false);
       }),
       {{"Period", "10"}, {"Period2", "20"}, {"Percentage", "False"}}},
  };
  Line("Vol", {1, 2, 3});
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Class->ClassName() + " " + C.Written.begin()->first);
    TPlotFunction* F = Make(C.Class);
    const TProps Before = Props(F);
    EXPECT_TRUE(Edit(F, C.Step));
    TProps Written = Changes(Before, Props(F));
    // A volume series brings its whole table: its name tells which one.
    std::erase_if(Written, [](const auto& E) { return E.first.starts_with("Volume.") && E.first != "Volume.Name"; });
    EXPECT_EQ(Written, C.Written);
  }
}

TEST_F(ParameterForms, PeriodStyleFollowsTheFunction) {
  struct TCase {
    TClass Class;
    TFunctionPeriodStyle Style;
    double Period;
    int32_t Shown;
    const char* Text;
    bool NumEnabled, ChangeEnabled;
  } Cases[] = {
      {TAddPlotFunction::StaticClass(), psNumPoints, 0, 0, "", false, false},
      {TAddPlotFunction::StaticClass(), psNumPoints, 4.6, 1, "5", true, false},  // rounded
      {TAddPlotFunction::StaticClass(), psRange, 2.5, 2, "2.5", true, true},     // a real
      {TMomentumFunction::StaticClass(), psRange, 3, 1, "3", true, false},       // moving: never a range
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    TPlotFunction* F = Make(C.Class);
    F->SetPeriodStyle(C.Style);
    F->SetPeriod(C.Period);
    auto* Form = dynamic_cast<TPlotFunctionEditor*>(OpenForm(F));
    ASSERT_TRUE(Form);
    EXPECT_EQ(Form->CBStyle->GetItemIndex(), C.Shown);
    EXPECT_EQ(Form->ENum->GetText(), C.Text);
    EXPECT_EQ(Form->ENum->GetEnabled(), C.NumEnabled);
    EXPECT_EQ(Form->BChange->GetEnabled(), C.ChangeEnabled);
    EXPECT_EQ(Form->CBAlign->GetItemIndex(), static_cast<int32_t>(F->GetPeriodAlign()));
    EXPECT_FALSE(Form->Changed()) << "loading is no change";
    Form->Free();
  }
  TPlotFunction* F = Make(TAddPlotFunction::StaticClass());
  F->SetPeriod(2.6);
  auto* Form = dynamic_cast<TPlotFunctionEditor*>(OpenForm(F));
  for (const auto& [Style, Text] : std::vector<std::pair<int32_t, std::string>>{{0, ""}, {2, "2.6"}, {1, "3"}}) {
    Choose(Form->CBStyle, Style);
    EXPECT_EQ(Form->ENum->GetText(), Text) << Style;
  }
  EXPECT_TRUE(Form->Changed());
}

TEST_F(ParameterForms, TheRangeButtonPicksAnIncrement) {
  TPlotFunction* F = Make(TAddPlotFunction::StaticClass());
  auto* Source = dynamic_cast<TChartSeries*>(F->ParentSeries()->GetDataSource());
  Source->XValues()->SetDateTime(true);
  F->SetPeriodStyle(psRange);
  F->SetPeriod(7);
  auto* Form = dynamic_cast<TPlotFunctionEditor*>(OpenForm(F));
  ASSERT_TRUE(Form);
  Modal<TAxisIncrement>([](TAxisIncrement& D) {
    EXPECT_EQ(D.GetCaption(), "Period range");
    EXPECT_TRUE(D.IsDateTime);
    EXPECT_TRUE(D.IsExact);
    EXPECT_EQ(D.Increment, 7);
    D.Increment = 0.5;
    return mrOk;
  });
  Form->BChange->Click();
  EXPECT_EQ(Form->ENum->GetText(), "0.5");
  EXPECT_TRUE(Form->CloseQuery());
  EXPECT_EQ(F->GetPeriod(), 0.5);
}

TEST_F(ParameterForms, ABadFieldIsNamedAndNothingIsWritten) {
  struct TCase {
    TClass Class;
    TStep Step;
    std::vector<std::string> Named;
  };
  const TCase Cases[] = {
      {TExpAverageFunction::StaticClass(), Do<TExpAveFuncEditor>([](auto& F) { F.Edit1->SetText("abc"); }),
       {"Weight: \"abc\" is not a number."}},
      {TExpAverageFunction::StaticClass(), Do<TExpAveFuncEditor>([](auto& F) { F.Edit1->SetText("1.5"); }),
       {"Weight: 1.5 is outside 0..1."}},
      {TBollingerFunction::StaticClass(), Do<TBollingerFuncEditor>([](auto& F) {
         F.ENum->SetText("12");
         F.Edit1->SetText("x");
       }),
       {"Deviation"}},
      {TCustomPlotFunction::StaticClass(), Do<TCustomFunctionEditor>([](auto& F) {
         F.EStart->SetText("a");
         F.EStep->SetText("2");
         F.ENum->SetText("1.5");
       }),
       {"Start X", "Num. points"}},
      {TMovingAverageFunction::StaticClass(), Do<TMovAveFuncEditor>([](auto& F) { F.Edit1->SetText("0"); }),
       {"Period: 0 is outside 1..32767."}},
      {TCCIFunction::StaticClass(), Do<TCCIFuncEditor>([](auto& F) { F.EConst->SetText("z"); }), {"Constant"}},
      {TAddPlotFunction::StaticClass(), Do<TPlotFunctionEditor>([](auto& F) {
         Choose(F.CBStyle, 1);
         F.ENum->SetText("q");
       }),
       {"Number of points"}},
      {TCompressFunction::StaticClass(), Do<TCompressFuncEditor>([](auto& F) {
         F.RadioPoints->SetChecked(true);
         F.ENum->SetText("-3");
       }),
       {"Number of points"}},
      // Refused by the function itself (a moving window of no points): put back.
      {TMomentumFunction::StaticClass(), Do<TPlotFunctionEditor>([](auto& F) { Choose(F.CBStyle, 0); }),
       {"too small"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Class->ClassName() + " " + C.Named.front());
    TPlotFunction* F = Make(C.Class);
    const TProps Before = Props(F);
    const size_t Prompts = Seam.Prompts().size();
    Seam.AnswerMessage(mrOk);
    EXPECT_FALSE(Edit(F, C.Step));
    ASSERT_EQ(Seam.Prompts().size(), Prompts + 1) << "one message";
    for (const std::string& Text : C.Named)
      EXPECT_NE(Seam.Prompts().back().Text.find(Text), std::string::npos) << Seam.Prompts().back().Text;
    EXPECT_EQ(Props(F), Before);
  }
}

TEST_F(ParameterForms, AValueBeyondAControlsRangeNeitherStopsTheLoadNorChanges) {
  struct TCase {
    TClass Class;
    const char* Property;
    const char* Value;
    std::function<int32_t(TBaseFunctionEditor&)> Shown;
    int32_t Expected;
  } Cases[] = {
      {TMovingAverageFunction::StaticClass(), "Period", "40000",
       [](auto& F) { return dynamic_cast<TMovAveFuncEditor&>(F).UpDown1->GetPosition(); }, 32767},
      {TSmoothingFunction::StaticClass(), "Factor", "5000",
       [](auto& F) { return dynamic_cast<TSmoothFuncEditor&>(F).UpDown1->GetPosition(); }, 1000},
      {TMACDFunction::StaticClass(), "Period3", "40000",
       [](auto& F) { return dynamic_cast<TMACDFuncEditor&>(F).UpDown3->GetPosition(); }, 30000},
      {TADXFunction::StaticClass(), "Period", "1",
       [](auto& F) { return dynamic_cast<TADXFuncEditor&>(F).UDPeriod->GetPosition(); }, 2},
      {TCCIFunction::StaticClass(), "Period", "20000",
       [](auto& F) { return dynamic_cast<TCCIFuncEditor&>(F).UDPeriod->GetPosition(); }, 10000},
      {TCompressFunction::StaticClass(), "Period", "99999",
       [](auto& F) { return dynamic_cast<TCompressFuncEditor&>(F).UpDown1->GetPosition(); }, 32767},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Class->ClassName());
    TPlotFunction* F = Make(C.Class);
    C.Class->FindProperty(C.Property)->SetText(F, C.Value);
    const TProps Before = Props(F);
    TBaseFunctionEditor* Form = nullptr;
    EXPECT_NO_THROW(Form = OpenForm(F));
    ASSERT_TRUE(Form);
    EXPECT_EQ(C.Shown(*Form), C.Expected);
    EXPECT_TRUE(Form->CloseQuery());
    EXPECT_EQ(Props(F), Before);
    Form->Free();
  }
}

TEST_F(ParameterForms, OpeningAndClosingLeavesEveryFunctionAsItWas) {
  std::set<std::string> Forms;
  std::vector<TClass> Classes;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i)
    if (const TPlotSeriesType* T = Chart::SeriesTypes().TypeAt(i); T->FunctionClassRef && !T->SeriesClassRef)
      Classes.push_back(T->FunctionClassRef);
  for (TClass C : Classes) {
    SCOPED_TRACE(C->ClassName());
    TPlotFunction* F = Make(C);
    if (F->EditorFormName().empty()) continue;
    // An alignment other than the default as well.
    if (const TPropInfo* P = C->FindProperty("PeriodAlign")) P->SetText(F, "paLast");
    const TProps Before = Props(F);
    TBaseFunctionEditor* Form = OpenForm(F);
    ASSERT_TRUE(Form);
    Forms.insert(Form->ClassName());
    EXPECT_TRUE(Form->CloseQuery());
    EXPECT_EQ(Props(F), Before);
    Form->Free();
  }
  const std::set<std::string> Expected{
      "TPlotFunctionEditor", "TAverageFuncEditor", "TRMSFuncEditor", "TMovAveFuncEditor", "TSmoothFuncEditor",
      "TMACDFuncEditor", "TBollingerFuncEditor", "TExpAveFuncEditor", "TCustomFunctionEditor", "TADXFuncEditor",
      "TCompressFuncEditor", "TCLVFuncEditor", "TOBVFuncEditor", "TCCIFuncEditor", "TPVOFuncEditor"};
  EXPECT_EQ(Forms, Expected);
}

TEST_F(ParameterForms, CompressionShowsItsChoice) {
  struct TCase {
    double Period;
    TCompressionPeriod Compress;
    const char* Radio;
    int32_t Date, Time;
    const char* Points;
  } Cases[] = {
      {0, ocMonth, "RadioDate", 2, 0, "0"},
      {0, ocHour, "RadioTime", 0, 9, "0"},
      {5, ocWeek, "RadioPoints", 0, 0, "5"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Radio);
    auto* F = static_cast<TCompressFunction*>(Make(TCompressFunction::StaticClass()));
    F->SetCompress(C.Compress);
    F->SetPeriod(C.Period);
    auto* Form = dynamic_cast<TCompressFuncEditor*>(OpenForm(F));
    ASSERT_TRUE(Form);
    for (TRadioButton* R : {Form->RadioDate, Form->RadioPoints, Form->RadioTime})
      EXPECT_EQ(R->GetChecked(), R->GetName() == C.Radio) << R->GetName();
    EXPECT_EQ(Form->CBDatePeriod->GetItemIndex(), C.Date);
    EXPECT_EQ(Form->CBTimePeriod->GetItemIndex(), C.Time);
    EXPECT_EQ(Form->ENum->GetText(), C.Points);
    Form->Free();
  }
  // From a number of points back to a date period: the number is cleared, or
  // compression by period would stay off.
  auto* F = static_cast<TCompressFunction*>(Make(TCompressFunction::StaticClass()));
  F->SetPeriod(5);
  EXPECT_TRUE(Edit(F, Do<TCompressFuncEditor>([](auto& Form) {
    Form.RadioDate->SetChecked(true);
    EXPECT_EQ(Form.ENum->GetText(), "0");
    Choose(Form.CBDatePeriod, 4);
  })));
  EXPECT_EQ(F->GetPeriod(), 0);
  EXPECT_EQ(F->GetCompress(), ocQuarter);
}

TEST_F(ParameterForms, VolumeFormsListTheChartsOtherSeries) {
  TLineSeries* Vol = Line("Vol", {1, 2});
  for (TClass C : {TCLVFunction::StaticClass(), TOBVFunction::StaticClass()}) {
    SCOPED_TRACE(C->ClassName());
    auto* F = static_cast<TVolumeWeightedFunction*>(Make(C));
    auto* Form = dynamic_cast<TVolumeFuncEditor*>(OpenForm(F));
    ASSERT_TRUE(Form);
    TStrings* Items = Form->CBVolume->Items();
    ASSERT_EQ(Items->Count(), Chart->SeriesCount());  // "(none)" in place of the result series
    EXPECT_EQ(Items->Strings(0), "(none)");
    EXPECT_EQ(Items->Objects(0), nullptr);
    EXPECT_EQ(Items->IndexOfObject(F->ParentSeries()), -1);
    for (int32_t i = 1; i < Items->Count(); ++i) EXPECT_GE(Chart->GetSeriesList().IndexOf(
        static_cast<TChartSeries*>(Items->Objects(i))), 0);
    EXPECT_EQ(Form->CBVolume->GetItemIndex(), 0);
    Form->Free();
    F->SetVolume(Vol);
    Form = dynamic_cast<TVolumeFuncEditor*>(OpenForm(F));
    ASSERT_TRUE(Form);
    EXPECT_EQ(Form->CBVolume->Items()->Objects(Form->CBVolume->GetItemIndex()), Vol);
    Choose(Form->CBVolume, 0);
    EXPECT_TRUE(Form->CloseQuery());
    EXPECT_EQ(F->GetVolume(), nullptr);
    Form->Free();
  }
}

TEST_F(ParameterForms, NewFormsStartFromTheFunctionsDefaults) {
  struct TCase {
    TClass FormClass;
    std::function<std::string(TBaseFunctionEditor&)> Shown;
    const char* Expected;
  } Cases[] = {
      {TCCIFuncEditor::StaticClass(), [](auto& F) {
         auto& E = dynamic_cast<TCCIFuncEditor&>(F);
         return E.EConst->GetText() + " " + std::to_string(E.UDPeriod->GetMin()) + ".." +
                std::to_string(E.UDPeriod->GetMax()) + " " + E.EPeriod->GetText();
       }, "0.015 1..10000 20"},
      {TPVOFuncEditor::StaticClass(), [](auto& F) {
         auto& E = dynamic_cast<TPVOFuncEditor&>(F);
         return std::to_string(E.UDPeriod->GetMin()) + ".." + std::to_string(E.UDPeriod->GetMax()) + " " +
                E.EPeriod->GetText() + " " + std::to_string(E.UDPeriod2->GetMin()) + ".." +
                std::to_string(E.UDPeriod2->GetMax()) + " " + E.Edit1->GetText() + " " +
                (E.CBPercent->GetChecked() ? "percent" : "");
       }, "1..10000 12 1..10000 26 percent"},
      {TExpAveFuncEditor::StaticClass(), [](auto& F) { return dynamic_cast<TExpAveFuncEditor&>(F).Edit1->GetText(); },
       "0.2"},
      {TCustomFunctionEditor::StaticClass(), [](auto& F) {
         auto& E = dynamic_cast<TCustomFunctionEditor&>(F);
         return E.EStart->GetText() + " " + E.EStep->GetText() + " " + E.ENum->GetText();
       }, "0 1 100"},
      {TCompressFuncEditor::StaticClass(), [](auto& F) {
         auto& E = dynamic_cast<TCompressFuncEditor&>(F);
         return std::string(E.RadioDate->GetChecked() ? "date " : "") + E.ENum->GetText() + " " +
                std::to_string(E.UpDown1->GetMax());
       }, "date 1 32767"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.FormClass->ClassName());
    auto* Form = dynamic_cast<TBaseFunctionEditor*>(C.FormClass->CreateInstance(Owner));
    ASSERT_TRUE(Form);
    EXPECT_EQ(C.Shown(*Form), C.Expected);
    Form->Free();
  }
}

}  // namespace FunctionParameterFormTests
