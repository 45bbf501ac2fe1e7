// The base of the data-source editors.
#include "chart/editors/PlotSourceEdit.h"

#include "chart/engine/PlotEngine_Series.h"
#include "platform/ui/Dialogs.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TBaseSourceEditor, TForm) {}

TBaseSourceEditor::TBaseSourceEditor(TComponent* Owner) : TForm(Owner) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(340);
  SetClientHeight(200);
  SetAlign(TAlign::alClient);
  Pan = PlaceControl<TPanel>(this, "Pan", 0, 0, 340, 32);
  Pan->SetAlign(TAlign::alTop);
  Pan->SetCaption("");
  Pan->BevelOuter = TPanelBevel::bvNone;
  LLabel = PlaceControl<TLabel>(this, Pan, "LLabel", 8, 9, 60, 13);
  LLabel->SetCaption("&Source:");
  CBSources = PlaceControl<TComboFlat>(this, Pan, "CBSources", 72, 5, 170, 21);
  CBSources->Style = TComboBoxStyle::csDropDownList;
  CBSources->DropDownCount = 12;
  LLabel->FocusControl = CBSources;
  BApply = PlaceControl<TButton>(this, Pan, "BApply", 252, 3, 75, 25);
  BApply->SetCaption("&Apply");
  BApply->SetEnabled(false);
  OnShow = [this](TObject* S) { FormShow(S); };
  CBSources->OnChange = [this](TObject* S) { CBSourcesChange(S); };
  OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
}

bool TBaseSourceEditor::AcceptsSource(TComponent*) { return false; }

void TBaseSourceEditor::FormShow(TObject*) {
  FSeries = dynamic_cast<TChartSeries*>(reinterpret_cast<TObject*>(Tag));
  BApply->SetEnabled(false);
}

void TBaseSourceEditor::CBSourcesChange(TObject*) { BApply->SetEnabled(true); }

void TBaseSourceEditor::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  if (!BApply->GetEnabled()) return;
  // A series on its way out has nothing left to apply to.
  if (TChartSeries* S = FSeries.Get(); !S || S->ComponentState.Contains(TComponentStateItem::csDestroying)) {
    BApply->SetEnabled(false);
    return;
  }
  const TModalResult Answer = Dialogs::MessageDlg(
      "Apply Changes ?", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
  if (Answer == mrYes) {
    BApply->Click();
    CanClose = !BApply->GetEnabled();
  } else if (Answer == mrNo) {
    BApply->SetEnabled(false);
  } else {
    CanClose = false;
  }
}
