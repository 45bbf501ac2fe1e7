// The base of the function parameter forms.
#include "chart/editors/PlotBaseFuncEdit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "chart/editors/PlotSourceEdit.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"

namespace PlotBaseFuncEdit {

TParamRow UpDownRow(const char* Caption, const char* Property, const char* Name, const char* UpDownName, int32_t Min,
                    int32_t Max, int32_t Position) {
  TParamRow R;
  R.Kind = TParamKind::pkInteger;
  R.Caption = Caption;
  R.Property = Property;
  R.Name = Name;
  R.UpDownName = UpDownName;
  R.Text = std::to_string(Position);
  R.Min = Min;
  R.Max = Max;
  return R;
}

TParamRow IntegerRow(const char* Caption, const char* Property, const char* Name, const char* Text, int32_t Min,
                     int32_t Max) {
  TParamRow R = UpDownRow(Caption, Property, Name, "", Min, Max, 0);
  R.Text = Text;
  return R;
}

TParamRow RealRow(const char* Caption, const char* Property, const char* Name, const char* Text, double Low,
                  double High) {
  TParamRow R;
  R.Kind = TParamKind::pkReal;
  R.Caption = Caption;
  R.Property = Property;
  R.Name = Name;
  R.Text = Text;
  R.Low = Low;
  R.High = High;
  return R;
}

TParamRow CheckRow(const char* Caption, const char* Property, const char* Name, bool Checked) {
  TParamRow R;
  R.Kind = TParamKind::pkCheck;
  R.Caption = Caption;
  R.Property = Property;
  R.Name = Name;
  R.Text = Checked ? "1" : "";
  return R;
}

TParamRow PenRow(const char* Caption, const char* Property, const char* Name) {
  TParamRow R;
  R.Kind = TParamKind::pkPen;
  R.Caption = Caption;
  R.Property = Property;
  R.Name = Name;
  return R;
}

std::string FieldName(const std::string& Caption) {
  std::string S;
  for (char C : Caption)
    if (C != '&') S += C;
  while (!S.empty() && (S.back() == ':' || S.back() == '.' || S.back() == ' ')) S.pop_back();
  return S;
}

}  // namespace PlotBaseFuncEdit

namespace {

using PlotBaseFuncEdit::FieldName;

const TPropInfo* FindProperty(const TObject* Object, const std::string& Name) {
  return Object ? Object->ClassType()->FindProperty(Name) : nullptr;
}

double AsDouble(const TPropValue& V) {
  if (const auto* D = std::get_if<double>(&V)) return *D;
  if (const auto* I = std::get_if<int64_t>(&V)) return static_cast<double>(*I);
  if (const auto* B = std::get_if<bool>(&V)) return *B ? 1 : 0;
  return 0;
}

// A property value as the integer an up-down shows: rounded, within int range.
int32_t AsInteger(const TPropValue& V) {
  const double D = AsDouble(V);
  if (std::isnan(D)) return 0;
  return static_cast<int32_t>(std::nearbyint(std::clamp(D, double(INT_MIN), double(INT_MAX))));
}

// The writable plain properties of a function as texts, to put back when
// applying the form fails half-way.
using TSavedValues = std::vector<std::pair<const TPropInfo*, std::string>>;

TSavedValues SaveValues(const TObject* Object) {
  TSavedValues Saved;
  for (const TPropInfo* P : Object->ClassType()->Properties())
    if (P->Kind != TPropKind::pkClass && !P->IsReadOnly()) Saved.emplace_back(P, P->GetText(Object));
  return Saved;
}

void RestoreValues(TObject* Object, const TSavedValues& Saved) {
  // Two passes: a setter may refuse a value that only fits once another is back.
  for (int Pass = 0; Pass < 2; ++Pass)
    for (const auto& [P, Text] : Saved) {
      try {
        if (P->GetText(Object) != Text) P->SetText(Object, Text);
      } catch (const std::exception&) {
        // refused in this pass; the next one tries again
      }
    }
}

}  // namespace

KV_CLASS_IMPL(TBaseFunctionEditor, TForm) {}

TBaseFunctionEditor::TBaseFunctionEditor(TComponent* Owner) : TForm(Owner) {
  SetAlign(TAlign::alClient);
  SetClientWidth(312);
  SetClientHeight(213);
  Position = TPosition::poScreenCenter;
  OnShow = [this](TObject* S) { FormShow(S); };
  OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
}

TChartSeries* TBaseFunctionEditor::EditedSeries() const {
  if (TPlotFunction* F = TheFunction(); F && F->ParentSeries()) return F->ParentSeries();
  return NewFunctionSeries.Get();
}

void TBaseFunctionEditor::ApplyFormChanges() { WriteParams(); }

void TBaseFunctionEditor::SetFunction() { LoadParams(); }

bool TBaseFunctionEditor::CheckFormChanges(std::string& Message) {
  std::vector<std::string> Problems;
  CheckParams(Problems);
  Message.clear();
  for (const std::string& P : Problems) Message += (Message.empty() ? "" : "\n") + P;
  return Problems.empty();
}

void TBaseFunctionEditor::EnableApply() {
  if (FLoading) return;
  FChanged = true;
  if (auto* Host = dynamic_cast<TBaseSourceEditor*>(Owner())) Host->BApply->SetEnabled(true);
}

void TBaseFunctionEditor::FillSeries(TStrings* List) const {
  TChartSeries* S = EditedSeries();
  auto* Chart = S ? dynamic_cast<TCustomAxisPanel*>(S->GetParentChart()) : nullptr;
  if (!Chart) return;
  PlotEngine::FillSeriesItems(*List, Chart->GetSeriesList(), true);
}

void TBaseFunctionEditor::FormShow(TObject*) {
  FLoading = true;
  FFunction = dynamic_cast<TPlotFunction*>(reinterpret_cast<TObject*>(Tag));
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FLoading};
  FillControls();
  if (FFunction) SetFunction();
  FChanged = false;
}

TPlotFunction* TBaseFunctionEditor::MakeFunction() {
  TChartSeries* S = NewFunctionSeries.Get();
  if (!S || !NewFunctionClass || !NewFunctionClass->InheritsFrom(TPlotFunction::StaticClass())) return nullptr;
  TComponent* Owner = S->Owner();
  auto* F = static_cast<TPlotFunction*>(NewFunctionClass->CreateInstance(Owner));
  if (Owner) F->SetName(PlotProcs::UniqueName(Owner, "PlotFunction"));
  return F;
}

void TBaseFunctionEditor::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  TPlotFunction* F = TheFunction();
  const bool Made = !F;
  // Nothing typed into an existing function's form: nothing is written or recalculated.
  if (!Made && !FChanged) return;
  std::string Problems;
  if (!CheckFormChanges(Problems)) {
    PlotEngine::ShowErrorMessage(Problems);
    CanClose = false;
    return;
  }
  if (Made) {
    F = MakeFunction();
    if (!F) return;
    FFunction = F;
    Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(F));
  }
  const TSavedValues Saved = SaveValues(F);
  F->BeginUpdate();
  try {
    ApplyFormChanges();
  } catch (const std::exception& E) {
    if (Made) {
      FFunction.Reset();
      Tag = 0;
      F->Free();
    } else {
      RestoreValues(F, Saved);
      F->EndUpdate();
    }
    PlotEngine::ShowErrorMessage(E.what());
    CanClose = false;
    return;
  }
  F->EndUpdate();
  FChanged = false;
  if (TChartSeries* S = NewFunctionSeries.Get(); Made && S && !S->GetFunction()) S->SetFunction(F);
}

// ---------------------------------------------------------------- rows

TParamRow& TBaseFunctionEditor::AddParam(TParamRow Row) {
  FRows.push_back(std::move(Row));
  TParamRow& R = FRows.back();
  const int32_t Top = NextTop;
  const auto Changed = [this](TObject*) { EnableApply(); };
  const auto Caption = [&] {
    R.Label = Create<TLabel>(this);
    R.Label->SetName(R.Name.empty() ? "" : "L" + R.Name);
    R.Label->SetParent(this);
    R.Label->SetBounds(8, Top + 4, 110, 13);
    R.Label->SetCaption(R.Caption);
  };
  switch (R.Kind) {
    case TParamKind::pkInteger:
    case TParamKind::pkReal: {
      Caption();
      R.Edit = PlotPenDlg::PlaceControl<TEdit>(this, R.Name.c_str(), 124, Top, R.UpDownName.empty() ? 80 : 60, 21);
      R.Edit->SetText(R.Text);
      R.Label->FocusControl = R.Edit;
      if (!R.UpDownName.empty()) {
        R.UpDown = PlotPenDlg::PlaceControl<TUpDown>(this, R.UpDownName.c_str(), 184, Top, 15, 21);
        R.UpDown->SetMin(R.Min);
        R.UpDown->SetMax(R.Max);
        R.UpDown->SetAssociate(R.Edit);
        R.UpDown->SetPosition(std::stoi(R.Text));
      }
      R.Edit->OnChange = Changed;
      NextTop += 28;
      break;
    }
    case TParamKind::pkCheck:
      R.Check = PlotPenDlg::PlaceControl<TCheckBox>(this, R.Name.c_str(), 8, Top, 200, 17);
      R.Check->SetCaption(R.Caption);
      R.Check->SetChecked(!R.Text.empty());
      R.Check->OnClick = Changed;
      NextTop += 24;
      break;
    case TParamKind::pkPen:
      R.Pen = PlotPenDlg::PlaceControl<TButtonPen>(this, R.Name.c_str(), 8, Top, 100, 25);
      R.Pen->SetCaption(R.Caption);
      R.Pen->SetEnabled(false);
      NextTop += 31;
      break;
  }
  return R;
}

void TBaseFunctionEditor::LoadParams() {
  TPlotFunction* F = TheFunction();
  for (TParamRow& R : FRows) {
    const TPropInfo* P = FindProperty(F, R.Property);
    if (!P) continue;
    const TPropValue V = P->Get(F);
    switch (R.Kind) {
      case TParamKind::pkInteger:
        // A value beyond the up-down's range shows clamped: the load goes on.
        if (R.UpDown)
          R.UpDown->SetPosition(AsInteger(V));
        else
          R.Edit->SetText(std::to_string(AsInteger(V)));
        break;
      case TParamKind::pkReal:
        R.Edit->SetText(SysUtils::FloatToStr(AsDouble(V)));
        break;
      case TParamKind::pkCheck:
        R.Check->SetChecked(AsDouble(V) != 0);
        break;
      case TParamKind::pkPen: {
        const auto* O = std::get_if<TObject*>(&V);
        auto* Pen = O ? dynamic_cast<TChartPen*>(*O) : nullptr;
        R.Pen->BindPen(Pen);
        R.Pen->SetEnabled(Pen != nullptr);
        break;
      }
    }
  }
}

bool TBaseFunctionEditor::CheckParams(std::vector<std::string>& Problems) const {
  const size_t Before = Problems.size();
  for (const TParamRow& R : FRows) {
    if (R.Kind != TParamKind::pkInteger && R.Kind != TParamKind::pkReal) continue;
    if (!R.Edit->GetEnabled()) continue;
    const std::string Text = SysUtils::Trim(R.Edit->GetText());
    const std::string Field = FieldName(R.Caption);
    if (R.Kind == TParamKind::pkInteger) {
      int32_t N = 0;
      if (!SysUtils::TryStrToInt(Text, N))
        Problems.push_back(SysUtils::Format("%s: \"%s\" is not a whole number.", {Field, Text}));
      else if (N < R.Min || N > R.Max)
        Problems.push_back(SysUtils::Format("%s: %d is outside %d..%d.", {Field, N, R.Min, R.Max}));
    } else {
      double D = 0;
      if (!SysUtils::TryStrToFloat(Text, D))
        Problems.push_back(SysUtils::Format("%s: \"%s\" is not a number.", {Field, Text}));
      else if (R.Low <= R.High && !(D >= R.Low && D <= R.High))
        Problems.push_back(SysUtils::Format("%s: %s is outside %s..%s.", {Field, Text, SysUtils::FloatToStr(R.Low),
                                                                          SysUtils::FloatToStr(R.High)}));
    }
  }
  return Problems.size() == Before;
}

void TBaseFunctionEditor::WriteParams() {
  TPlotFunction* F = TheFunction();
  for (const TParamRow& R : FRows) {
    const TPropInfo* P = FindProperty(F, R.Property);
    if (!P || P->IsReadOnly() || (R.Edit && !R.Edit->GetEnabled())) continue;
    const std::string Text = R.Edit ? SysUtils::Trim(R.Edit->GetText()) : std::string();
    switch (R.Kind) {
      case TParamKind::pkInteger: {
        const int32_t N = SysUtils::StrToInt(Text);
        if (P->Kind == TPropKind::pkFloat)
          P->Set(F, static_cast<double>(N));
        else
          P->Set(F, static_cast<int64_t>(N));
        break;
      }
      case TParamKind::pkReal:
        P->Set(F, SysUtils::StrToFloat(Text));
        break;
      case TParamKind::pkCheck:
        P->Set(F, R.Check->GetChecked());
        break;
      case TParamKind::pkPen:
        break;  // the pen dialog edits the pen itself
    }
  }
}
