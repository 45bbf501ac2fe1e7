// The point-and-figure series format page.
#include "chart/editors/PlotPointFigureEdit.h"

#include "chart/editors/PlotPoEdi.h"
#include "chart/engine/PlotEngine_Pointer.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPointFigureEditor, TEditorPage) {}

TPointFigureEditor::TPointFigureEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("PointFigureEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(230);
  SetClientHeight(80);
  SetAlign(TAlign::alClient);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 16, 60, 13);
  Label1->SetCaption("&Box size:");
  EBoxSize = PlaceControl<TEdit>(this, "EBoxSize", 112, 12, 73, 21);
  EBoxSize->SetText("1");
  Label1->FocusControl = EBoxSize;
  Label2 = PlaceControl<TLabel>(this, "Label2", 8, 48, 100, 13);
  Label2->SetCaption("&Reversal amount:");
  EReversal = PlaceControl<TEdit>(this, "EReversal", 112, 44, 73, 21);
  EReversal->SetText("3");
  Label2->FocusControl = EReversal;
  OnShow = [this](TObject* S) { FormShow(S); };
  EBoxSize->OnChange = [this](TObject*) { EditChanged(EBoxSize, "BoxSize"); };
  EReversal->OnChange = [this](TObject*) { EditChanged(EReversal, "ReversalAmount"); };
}

void TPointFigureEditor::BeforeDestruction() {
  for (WeakRef<TForm>* Form : {&FUpForm, &FDownForm})
    if (TForm* F = Form->Get()) {
      TWinControl* Tab = F->GetParent();
      F->Free();
      if (auto* Sheet = dynamic_cast<TTabSheet*>(Tab)) Sheet->Free();
    }
  TEditorPage::BeforeDestruction();
}

void TPointFigureEditor::EditChanged(TEdit* Edit, const char* Property) {
  TObject* Series = Edited();
  if (!FShowing || IsLoading() || !Series) return;
  double Value = 0;
  if (!SysUtils::TryStrToFloat(Edit->GetText(), Value)) return;
  // Typing "0.5" passes through "0": a box of no height is skipped, not refused.
  if (std::string(Property) == "BoxSize" && !(Value > 0)) return;
  if (const TPropInfo* P = Series->ClassType()->FindProperty(Property)) P->Set(Series, Value);
}

TForm* TPointFigureEditor::SymbolTab(const char* Property, const char* Caption) {
  const TPropInfo* P = Edited()->ClassType()->FindProperty(Property);
  if (!P) return nullptr;
  const TPropValue V = P->Get(Edited());
  const auto* Object = std::get_if<TObject*>(&V);
  auto* Pointer = Object ? dynamic_cast<TSeriesPointer*>(*Object) : nullptr;
  return Pointer ? PlotPoEdi::InsertPointerEditor(this, Pointer, Caption) : nullptr;
}

void TPointFigureEditor::FormShow(TObject*) {
  FShowing = false;
  TObject* Series = Edited();
  if (!Series) return;
  const auto Text = [&](const char* Property) {
    const TPropInfo* P = Series->ClassType()->FindProperty(Property);
    const TPropValue V = P ? P->Get(Series) : TPropValue();
    const auto* D = std::get_if<double>(&V);
    return D ? SysUtils::FloatToStr(*D) : std::string();
  };
  BeginLoading();
  EReversal->SetText(Text("ReversalAmount"));
  EBoxSize->SetText(Text("BoxSize"));
  EndLoading();
  if (GetParent()) {
    if (!FUpForm) FUpForm = SymbolTab("UpSymbol", "Up");
    if (!FDownForm) FDownForm = SymbolTab("DownSymbol", "Down");
  }
  FShowing = true;
}
