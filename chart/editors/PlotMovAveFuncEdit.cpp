// The moving average's parameter form.
#include "chart/editors/PlotMovAveFuncEdit.h"

#include "chart/engine/PlotEngine_Series.h"

namespace {
enum : int32_t { StyleNormal = 0, StyleWeighted = 1, StyleWeightedIndex = 2 };

bool BoolProperty(TObject* Object, const char* Name) {
  const TPropInfo* P = Object->ClassType()->FindProperty(Name);
  const TPropValue V = P ? P->Get(Object) : TPropValue();
  const auto* B = std::get_if<bool>(&V);
  return B && *B;
}

void SetBoolProperty(TObject* Object, const char* Name, bool Value) {
  if (const TPropInfo* P = Object->ClassType()->FindProperty(Name)) P->Set(Object, Value);
}
}  // namespace

KV_CLASS_IMPL(TMovAveFuncEditor, TBaseFunctionEditor) {}

TMovAveFuncEditor::TMovAveFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  TParamRow& Period = AddParam(PlotBaseFuncEdit::UpDownRow("&Period:", "Period", "Edit1", "UpDown1", 1, 32767, 1));
  Label1 = Period.Label;
  Label1->SetName("Label1");
  Edit1 = Period.Edit;
  UpDown1 = Period.UpDown;
  Label2 = PlotPenDlg::PlaceControl<TLabel>(this, "Label2", 8, NextTop + 4, 110, 13);
  Label2->SetCaption("&Average:");
  CBStyle = PlotPenDlg::PlaceControl<TComboFlat>(this, "CBStyle", 124, NextTop, 130, 21);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Normal", "Weighted", "Weighted by Index"}) CBStyle->Items()->Add(S);
  CBStyle->SetItemIndex(StyleNormal);
  Label2->FocusControl = CBStyle;
  NextTop += 28;
  CBStyle->OnChange = [this](TObject*) { EnableApply(); };
}

void TMovAveFuncEditor::SetFunction() {
  TBaseFunctionEditor::SetFunction();
  TPlotFunction* F = TheFunction();
  CBStyle->SetItemIndex(BoolProperty(F, "Weighted")        ? StyleWeighted
                        : BoolProperty(F, "WeightedIndex") ? StyleWeightedIndex
                                                           : StyleNormal);
}

void TMovAveFuncEditor::ApplyFormChanges() {
  TBaseFunctionEditor::ApplyFormChanges();
  TPlotFunction* F = TheFunction();
  SetBoolProperty(F, "Weighted", CBStyle->GetItemIndex() == StyleWeighted);
  SetBoolProperty(F, "WeightedIndex", CBStyle->GetItemIndex() == StyleWeightedIndex);
}
