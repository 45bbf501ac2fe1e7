// The shadow editor.
#include "chart/series/PlotShadowEditor.h"

#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"

KV_CLASS_IMPL(TPlotShadowEditor, TForm) {}

TPlotShadowEditor::TPlotShadowEditor(TComponent* Owner) : TForm(Owner) {
  SetName("PlotShadowEditor");
  SetCaption("Shadow editor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(186);
  SetClientHeight(193);
  struct TSize {
    const char* Label;
    TLabel*& L;
    TEdit*& E;
    TUpDown*& U;
    int Min, Max;
  };
  const TSize Rows[] = {{"&Horiz. Size:", Label1, Edit1, UDShadowSize, -1000, 1000},
                        {"&Vert. Size:", Label2, EVertSize, UDShaVert, -1000, 1000},
                        {"&Transparency:", Label3, EShadowTransp, UDShadowTransp, 0, 100}};
  const char* EditNames[] = {"Edit1", "EVertSize", "EShadowTransp"};
  const char* UpNames[] = {"UDShadowSize", "UDShaVert", "UDShadowTransp"};
  int Top = 12;
  for (int i = 0; i < 3; ++i) {
    const TSize& R = Rows[i];
    R.L = PlotPenDlg::PlaceControl<TLabel>(this, "", 8, Top + 4, 80, 13);
    R.L->SetCaption(R.Label);
    R.E = PlotPenDlg::PlaceControl<TEdit>(this, EditNames[i], 96, Top, 50, 21);
    R.U = PlotPenDlg::PlaceControl<TUpDown>(this, UpNames[i], 146, Top, 15, 21);
    R.U->SetMin(R.Min);
    R.U->SetMax(R.Max);
    R.U->SetAssociate(R.E);
    R.L->FocusControl = R.E;
    Top += 30;
  }
  BShadowColor = PlotPenDlg::PlaceControl<TButtonColor>(this, "BShadowColor", 8, Top, 100, 25);
  BShadowColor->SetCaption("&Color...");
  CBSmooth = PlotPenDlg::PlaceControl<TCheckBox>(this, "CBSmooth", 8, Top + 34, 100, 17);
  CBSmooth->SetCaption("&Smooth");
  CBSmooth->SetChecked(true);
  BOK = PlotPenDlg::PlaceControl<TButton>(this, "BOK", 100, 160, 75, 25);
  BOK->SetCaption("OK");
  BOK->ModalResult = mrOk;
  BOK->Default = true;

  Edit1->OnChange = [this](TObject*) {
    if (CanEdit()) EditedShadow->SetHorizSize(UDShadowSize->GetPosition());
  };
  EVertSize->OnChange = [this](TObject*) {
    if (CanEdit()) EditedShadow->SetVertSize(UDShaVert->GetPosition());
  };
  EShadowTransp->OnChange = [this](TObject*) {
    if (CanEdit()) EditedShadow->SetTransparency(UDShadowTransp->GetPosition());
  };
  CBSmooth->OnClick = [this](TObject*) {
    if (CanEdit()) EditedShadow->SetSmooth(CBSmooth->GetChecked());
  };
  OnShow = [this](TObject*) {
    if (EditedShadow && Creating) SetEditedShadow(EditedShadow);
    PlotProcs::TranslateControl(this);
    Creating = false;
  };
}

void TPlotShadowEditor::SetEditedShadow(TPlotShadow* Shadow) {
  // Filling the controls writes nothing back.
  const bool Was = Creating;
  Creating = true;
  EditedShadow = Shadow;
  if (Shadow) {
    UDShadowSize->SetPosition(Shadow->GetHorizSize());
    UDShaVert->SetPosition(Shadow->GetVertSize());
    UDShadowTransp->SetPosition(Shadow->GetTransparency());
    CBSmooth->SetChecked(Shadow->GetSmooth());
    BShadowColor->LinkProperty(Shadow, "Color");
  }
  Creating = Was;
}

namespace PlotShadowEditor {

void EditShadowModal(TComponent* Owner, TPlotShadow* Shadow) {
  auto* E = PlotPenDlg::CreateEditorDialogOf<TPlotShadowEditor>(Owner);
  E->EditedShadow = Shadow;
  E->BOK->Show();
  E->ShowModal();
  E->Free();
}

TPlotShadowEditor* EmbedShadowEditor(TTabSheet* Sheet) {
  auto* E = Create<TPlotShadowEditor>(Sheet->Owner());
  E->BOK->Hide();
  PlotPenDlg::EmbedEditorInTab(E, Sheet);
  return E;
}

}  // namespace PlotShadowEditor
