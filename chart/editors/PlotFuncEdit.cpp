// The data-source editor for functions.
#include "chart/editors/PlotFuncEdit.h"

#include <algorithm>

#include "chart/editors/PlotBaseFuncEdit.h"
#include "chart/editors/PlotSelectList.h"
#include "chart/engine/Chart.h"
#include "platform/rtl/FreeGuard.h"

using PlotPenDlg::PlaceControl;

namespace {
constexpr const char* CopyText = "Copy";

// A gallery description on one line.
std::string OneLine(std::string Text) {
  std::replace_if(Text.begin(), Text.end(), [](char C) { return C == '\r' || C == '\n'; }, ' ');
  return Text;
}

void RemoveObject(TStrings* Items, const TObject* Object) {
  for (int32_t i = Items->Count() - 1; i >= 0; --i)
    if (Items->Objects(i) == Object) Items->Delete(i);
}
}  // namespace

KV_CLASS_IMPL(TPlotFuncEditor, TBaseSourceEditor) {}

TPlotFuncEditor::TPlotFuncEditor(TComponent* Owner) : TBaseSourceEditor(Owner) {
  LLabel->SetCaption("&Functions:");
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 32, 340, 168);
  PageControl1->SetAlign(TAlign::alClient);
  const auto Tab = [this](const char* Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PageControl1);
    return T;
  };
  TabSource = Tab("TabSource", "Source Series");
  TabOptions = Tab("TabOptions", "Options");
  PanSingle = PlaceControl<TPanel>(this, TabSource, "PanSingle", 0, 0, 332, 140);
  PanSingle->SetAlign(TAlign::alClient);
  PanSingle->SetCaption("");
  PanSingle->BevelOuter = TPanelBevel::bvNone;
  Label1 = PlaceControl<TLabel>(this, PanSingle, "Label1", 8, 12, 50, 13);
  Label1->SetCaption("&Series:");
  CBSingle = PlaceControl<TComboFlat>(this, PanSingle, "CBSingle", 64, 8, 170, 21);
  CBSingle->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBSingle;
  BNone = PlaceControl<TButton>(this, PanSingle, "BNone", 242, 6, 75, 25);
  BNone->SetCaption("&None");
  BNone->SetEnabled(false);
  LValues = PlaceControl<TLabel>(this, PanSingle, "LValues", 8, 44, 50, 13);
  LValues->SetCaption("&Values:");
  CBValues = PlaceControl<TComboFlat>(this, PanSingle, "CBValues", 64, 40, 170, 21);
  CBValues->Style = TComboBoxStyle::csDropDownList;
  CBValues->SetEnabled(false);
  LValues->FocusControl = CBValues;
  for (TTimer** T : {&Timer1, &Timer2}) {
    *T = Create<TTimer>(this);
    (*T)->SetInterval(1);
    (*T)->SetEnabled(false);
  }
  Timer1->SetName("Timer1");
  Timer2->SetName("Timer2");

  CBSources->Items()->SetSorted(true);
  CBSources->Items()->Add(CopyText);
  const TPlotSeriesTypes& Types = Chart::SeriesTypes();
  for (int32_t i = 0; i < Types.Count(); ++i) {
    const TPlotSeriesType* T = Types.TypeAt(i);
    if (!T->FunctionClassRef || T->SeriesClassRef) continue;
    if (std::any_of(FTypes.begin(), FTypes.end(), [T](const auto& E) { return E.second == T->FunctionClassRef; }))
      continue;
    FTypes.emplace_back(OneLine(T->Description()), T->FunctionClassRef);
    CBSources->Items()->Add(FTypes.back().first);
  }

  OnShow = [this](TObject* S) { FormShow(S); };
  CBSingle->OnChange = [this](TObject* S) { CBSingleChange(S); };
  BNone->OnClick = [this](TObject* S) { BNoneClick(S); };
  CBValues->OnChange = [this](TObject* S) { CBValuesChange(S); };
  BApply->OnClick = [this](TObject* S) { BApplyClick(S); };
  Timer1->SetOnTimer([this](TObject* S) { Timer1Timer(S); });
  Timer2->SetOnTimer([this](TObject* S) { Timer2Timer(S); });
}

void TPlotFuncEditor::BeforeDestruction() {
  ListenTo(nullptr);
  TBaseSourceEditor::BeforeDestruction();
}

void TPlotFuncEditor::Notification(TComponent* Component, TOperation Operation) {
  TBaseSourceEditor::Notification(Component, Operation);
  if (Operation != TOperation::opRemove || !dynamic_cast<TChartSeries*>(Component)) return;
  // A freed series leaves every list that offers it.
  const bool WasChosen = CBSingle->GetItemIndex() >= 0 && CBSingle->Items()->Objects(CBSingle->GetItemIndex()) == Component;
  RemoveObject(CBSingle->Items(), Component);
  if (TSelectListForm* L = FSelector.Get()) {
    RemoveObject(L->FromList->Items(), Component);
    RemoveObject(L->ToList->Items(), Component);
    L->EnableButtons();
  }
  if (WasChosen) {
    CBSingle->SetItemIndex(-1);
    CBValues->Items()->Clear();
    CBValues->SetEnabled(false);
    BNone->SetEnabled(false);
  }
}

TClass TPlotFuncEditor::ChosenFunctionClass() const {
  const int32_t I = CBSources->GetItemIndex();
  if (I < 0) return nullptr;
  const std::string Text = CBSources->Items()->Strings(I);
  for (const auto& [Description, Class] : FTypes)
    if (Description == Text) return Class;
  return nullptr;
}

void TPlotFuncEditor::ListenTo(TCustomAxisPanel* Chart) {
  if (FListened.Get() == Chart) return;
  if (TCustomAxisPanel* Old = FListened.Get()) Old->RemoveListener(this);
  FListened = Chart;
  if (Chart) Chart->AddListener(this);
}

void TPlotFuncEditor::FormShow(TObject* Sender) {
  TBaseSourceEditor::FormShow(Sender);
  PageControl1->SetActivePage(TabSource);
  TChartSeries* S = TheSeries();
  ListenTo(S ? dynamic_cast<TCustomAxisPanel*>(S->GetParentChart()) : nullptr);
  if (TSelectListForm* Old = FSelector.Get()) Old->Free();
  auto* L = Create<TSelectListForm>(this);
  FSelector = L;
  L->FromList->SetHeight(L->FromList->GetHeight() - 5);
  L->ToList->SetHeight(L->ToList->GetHeight() - 5);
  L->SetHeight(L->GetHeight() - 8);
  L->SetAlign(TAlign::alClient);
  // Moving a source only waits for "&Apply"; the parameter form stays as typed.
  L->OnChange = [this](TObject* Sender) { TBaseSourceEditor::CBSourcesChange(Sender); };
  PlotPenDlg::EmbedEditorForm(L, TabSource, S);
  PlotProcs::TranslateControl(L);
  if (!S) return;
  FillSourceLists();
  const TPlotFunction* F = S->GetFunction();
  int32_t Index = CBSources->Items()->IndexOf(CopyText);
  if (F)
    for (const auto& [Description, Class] : FTypes)
      if (Class == F->ClassType()) Index = CBSources->Items()->IndexOf(Description);
  CBSources->SetItemIndex(Index);
  CBSourcesChange(CBSources);
  BApply->SetEnabled(!F && !S->GetDataSource());
  L->EnableButtons();
}

void TPlotFuncEditor::FillSourceLists(TChartSeries* Leaving, bool KeepChoices) {
  TChartSeries* S = TheSeries();
  TSelectListForm* L = FSelector.Get();
  if (!S || !L) return;
  // What the lists show as chosen: the series' sources, or what the user
  // chose since (kept when the chart's series change).
  std::vector<TChartSeries*> Picks;
  TChartSeries* Single = nullptr;
  std::string Values = S->MandatoryList()->GetValueSource();
  if (KeepChoices) {
    for (int32_t i = 0; i < L->ToList->Items()->Count(); ++i)
      Picks.push_back(static_cast<TChartSeries*>(L->ToList->Items()->Objects(i)));
    if (const int32_t I = CBSingle->GetItemIndex(); I >= 0)
      Single = static_cast<TChartSeries*>(CBSingle->Items()->Objects(I));
    Values = CBValues->GetItemIndex() >= 0 ? CBValues->Items()->Strings(CBValues->GetItemIndex()) : std::string();
  } else {
    for (TComponent* C : S->DataSources().Items())
      if (auto* Source = dynamic_cast<TChartSeries*>(C)) Picks.push_back(Source);
    Single = dynamic_cast<TChartSeries*>(S->GetDataSource());
  }
  std::erase(Picks, Leaving);
  if (Single == Leaving) Single = nullptr;
  CBSingle->Items()->Clear();
  L->FromList->Items()->Clear();
  L->ToList->Items()->Clear();
  auto* Chart = dynamic_cast<TCustomAxisPanel*>(S->GetParentChart());
  if (TComponent* Form = S->Owner())
    for (int32_t i = 0; i < Form->ComponentCount(); ++i) {
      auto* C = dynamic_cast<TChartSeries*>(Form->Components(i));
      if (!C || C == Leaving || C->ComponentState.Contains(TComponentStateItem::csDestroying)) continue;
      if (!(Chart ? Chart->IsValidDataSource(S, C) : S->AcceptsDataSource(C))) continue;
      const std::string Text = PlotEngine::SeriesTitleOrName(C);
      FreeNotification(C);
      CBSingle->Items()->AddObject(Text, C);
      if (std::find(Picks.begin(), Picks.end(), C) == Picks.end()) L->FromList->Items()->AddObject(Text, C);
    }
  for (TChartSeries* Source : Picks) {
    FreeNotification(Source);
    L->ToList->Items()->AddObject(PlotEngine::SeriesTitleOrName(Source), Source);
  }
  const int32_t Index = Single ? CBSingle->Items()->IndexOfObject(Single) : -1;
  FLoading = true;
  CBSingle->SetItemIndex(Index);
  CBSingleChange(CBSingle);
  FLoading = false;
  if (Index >= 0) {
    const int32_t Value = CBValues->Items()->IndexOf(Values);
    CBValues->SetItemIndex(Value >= 0 ? Value : (CBValues->Items()->Count() > 0 ? 0 : -1));
  }
  L->EnableButtons();
}

void TPlotFuncEditor::CBSourcesChange(TObject* Sender) {
  TBaseSourceEditor::CBSourcesChange(Sender);
  TChartSeries* S = TheSeries();
  const TClass C = ChosenFunctionClass();
  TabOptions->SetTabVisible(C != nullptr);
  if (TForm* Old = FParamForm.Get()) {
    FParamForm.Reset();
    Old->Free();
  }
  if (C) {
    TOwned<TPlotFunction> Sample(static_cast<TPlotFunction*>(C->CreateInstance(nullptr)));
    const std::string FormName = Sample->EditorFormName();
    const bool NoSource = Sample->NoSourceRequired;
    PanSingle->SetVisible(Sample->SingleSource && !NoSource);
    LValues->SetVisible(!Sample->FixedValueList);
    CBValues->SetVisible(!Sample->FixedValueList);
    const TClass FormClass = FormName.empty() ? nullptr : ClassInfo::GetClass(FormName);
    if (FormClass && FormClass->InheritsFrom(TForm::StaticClass()) && FormClass->CanCreate()) {
      TPlotFunction* Current = S ? S->GetFunction() : nullptr;
      // Another type is only shown here: its function is made on "&Apply".
      TPlotFunction* Edited = Current && Current->ClassType() == C ? Current : nullptr;
      auto* F = static_cast<TForm*>(FormClass->CreateInstance(this));
      if (auto* B = dynamic_cast<TBaseFunctionEditor*>(F)) {
        B->NewFunctionClass = C;
        B->NewFunctionSeries = S;
      }
      F->SetAlign(TAlign::alClient);
      PlotProcs::TranslateControl(F);
      FParamForm = F;
      PlotPenDlg::EmbedEditorForm(F, TabOptions, Edited);
    } else {
      TabOptions->SetTabVisible(false);
    }
    if (NoSource) {
      TabOptions->SetTabVisible(true);
      PageControl1->SetActivePage(TabOptions);
      TabSource->SetTabVisible(false);
    } else {
      TabSource->SetTabVisible(true);
    }
    if (FParamForm && ((S && S->GetDataSource()) || NoSource)) Timer1->SetEnabled(true);
  } else {
    TabSource->SetTabVisible(true);
    PanSingle->SetVisible(false);
  }
  if (TSelectListForm* L = FSelector.Get()) {
    L->SetVisible(!PanSingle->GetVisible());
    if (L->GetVisible()) Timer2->SetEnabled(true);
  }
}

void TPlotFuncEditor::CBSingleChange(TObject*) {
  if (!FLoading) BApply->SetEnabled(true);
  CBValues->Items()->Clear();
  const int32_t I = CBSingle->GetItemIndex();
  auto* Source = I >= 0 ? dynamic_cast<TChartSeries*>(CBSingle->Items()->Objects(I)) : nullptr;
  CBValues->SetEnabled(Source != nullptr);
  BNone->SetEnabled(Source != nullptr);
  if (!Source) return;
  for (int32_t i = 1; i < Source->ValueLists().Count(); ++i)
    CBValues->Items()->Add(Source->ValueLists().Get(i)->GetName());
  CBValues->SetItemIndex(CBValues->Items()->Count() > 0 ? 0 : -1);
}

void TPlotFuncEditor::BNoneClick(TObject* Sender) {
  CBSingle->SetItemIndex(-1);
  CBSingleChange(Sender);
}

void TPlotFuncEditor::CBValuesChange(TObject*) { BApply->SetEnabled(true); }

std::vector<TChartSeries*> TPlotFuncEditor::ChosenSources() const {
  std::vector<TChartSeries*> Sources;
  if (PanSingle->GetVisible()) {
    if (const int32_t I = CBSingle->GetItemIndex(); I >= 0)
      Sources.push_back(static_cast<TChartSeries*>(CBSingle->Items()->Objects(I)));
  } else if (TSelectListForm* L = FSelector.Get()) {
    for (int32_t i = 0; i < L->ToList->Items()->Count(); ++i)
      Sources.push_back(static_cast<TChartSeries*>(L->ToList->Items()->Objects(i)));
  }
  return Sources;
}

void TPlotFuncEditor::ReplaceFunction(TChartSeries* S) {
  const TClass C = ChosenFunctionClass();
  if (!C) {
    S->SetFunction(nullptr);
    return;
  }
  if (S->GetFunction() && S->GetFunction()->ClassType() == C) return;
  // The parameter form made the new function when it applied its values.
  auto* Form = dynamic_cast<TBaseFunctionEditor*>(FParamForm.Get());
  TPlotFunction* Made = Form ? Form->TheFunction() : nullptr;
  if (Made && Made->ClassType() == C && (!Made->ParentSeries() || Made->ParentSeries() == S))
    S->SetFunction(Made);
  else
    Chart::MakeSeriesFunction(S, C);
}

void TPlotFuncEditor::WriteSources(TChartSeries* S, const std::vector<TChartSeries*>& Sources) {
  if (PanSingle->GetVisible()) {
    if (Sources.empty()) {
      S->SetDataSource(nullptr);
      S->MandatoryList()->SetValueSource("");
      return;
    }
    S->SetDataSource(Sources.front());
    const int32_t V = CBValues->GetItemIndex();
    S->MandatoryList()->SetValueSource(CBValues->GetVisible() && V >= 0 ? CBValues->Items()->Strings(V) : "");
    return;
  }
  if (Sources.empty()) {
    S->SetDataSource(nullptr);
    return;
  }
  S->DataSources().Clear();
  for (TChartSeries* Source : Sources) S->AddDataSource(Source);
}

void TPlotFuncEditor::BApplyClick(TObject*) {
  TChartSeries* S = TheSeries();
  if (!S) return;
  const std::vector<TChartSeries*> Sources = ChosenSources();
  // Everything is checked before anything is written: a refused source or
  // a bad parameter leaves the series as it was and "&Apply" lit.
  try {
    for (TChartSeries* Source : Sources) {
      if (auto* Chart = dynamic_cast<TCustomAxisPanel*>(S->GetParentChart()))
        Chart->CheckCircularSource(Source, S);
      else
        PlotEngine::CheckCircularSource(Source, S);
    }
  } catch (const Exception& E) {
    PlotEngine::ShowErrorMessage(E.what());
    return;
  }
  if (TForm* P = FParamForm.Get(); P && P->OnCloseQuery && !P->CloseQuery()) return;
  {
    S->BeginUpdate();
    struct TEndUpdate {
      TChartSeries* Series;
      ~TEndUpdate() { Series->EndUpdate(); }
    } EndUpdate{S};
    // The function goes first: the sources it takes are judged by it.
    ReplaceFunction(S);
    try {
      WriteSources(S, Sources);
    } catch (const Exception& E) {
      PlotEngine::ShowErrorMessage(E.what());
      return;
    }
  }
  S->CheckDataSource();
  BApply->SetEnabled(false);
}

void TPlotFuncEditor::ReselectPage(TPageControl* Control, TTabSheet* Page) {
  Control->SetActivePage(nullptr);
  Control->SetActivePage(Page);
}

void TPlotFuncEditor::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  ReselectPage(PageControl1, TabOptions);
}

void TPlotFuncEditor::Timer2Timer(TObject*) {
  Timer2->SetEnabled(false);
  ReselectPage(PageControl1, TabSource);
}

void TPlotFuncEditor::PlotEvent(TPlotEvent& Event) {
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  auto* E = dynamic_cast<TPlotSeriesEvent*>(&Event);
  if (!E || (E->Event != 0 && E->Event != 1 && E->Event != 4)) return;
  if (E->Series && E->Series == TheSeries())
    BApply->SetEnabled(false);
  else
    FillSourceLists(E->Event == 1 ? E->Series : nullptr, true);
}
