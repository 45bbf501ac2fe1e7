// The volume series format page.
#include "chart/editors/PlotVolumeEdit.h"

#include "chart/editors/PlotSeriesFormBase.h"
#include "chart/extras/CandleCh.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TVolumeSeriesEditor, TPenDialog) {}

TVolumeSeriesEditor::TVolumeSeriesEditor(TComponent* Owner) : TPenDialog(Owner) {
  SetName("VolumeSeriesEditor");
  SetCaption("");
  SetAlign(TAlign::alClient);
  BOk->Hide();
  BCancel->Hide();
  CBColorEach = PlaceControl<TCheckBox>(this, "CBColorEach", 8, 92, 100, 17);
  CBColorEach->SetCaption("Color &Each");
  CBUseOrigin = PlaceControl<TCheckBox>(this, "CBUseOrigin", 8, 116, 90, 17);
  CBUseOrigin->SetCaption("&Use Origin");
  Label1 = PlaceControl<TLabel>(this, "Label1", 112, 118, 44, 13);
  Label1->SetCaption("&Origin:");
  EOrigin = PlaceControl<TEdit>(this, "EOrigin", 160, 114, 80, 21);
  Label1->FocusControl = EOrigin;
  SetClientHeight(142);

  OnShow = [this](TObject* S) { FormShow(S); };
  BColor->OnClick = [this](TObject* S) { BColorClick(S); };
  CBColorEach->OnClick = [this](TObject* S) { CBColorEachClick(S); };
  CBUseOrigin->OnClick = [this](TObject* S) { CBUseOriginClick(S); };
  EOrigin->OnChange = [this](TObject* S) { EOriginChange(S); };
}

void TVolumeSeriesEditor::FormShow(TObject* Sender) {
  if (GetParent()) SetAlign(TAlign::alClient);
  auto* S = dynamic_cast<TVolumeSeries*>(reinterpret_cast<TObject*>(Tag));
  if (!S) return;
  FSeries = S;
  FFilling = true;
  EditedPen = S->LinePen();
  TPenDialog::FormShow(Sender);
  CBColorEach->SetChecked(S->GetColorEachPoint());
  CBUseOrigin->SetChecked(S->GetUseYOrigin());
  EOrigin->SetText(SysUtils::FloatToStr(S->GetYOrigin()));
  EOrigin->SetEnabled(S->GetUseYOrigin());
  BColor->SetEnabled(!S->GetColorEachPoint());
  FFilling = false;
}

void TVolumeSeriesEditor::BColorClick(TObject* Sender) {
  TPenDialog::BColorClick(Sender);
  if (TVolumeSeries* S = Volume(); S && !FFilling) S->SetSeriesColor(S->LinePen()->GetColor());
}

void TVolumeSeriesEditor::CBColorEachClick(TObject*) {
  TVolumeSeries* S = Volume();
  if (!S || FFilling) return;
  S->SetColorEachPoint(CBColorEach->GetChecked());
  BColor->SetEnabled(!S->GetColorEachPoint());
}

void TVolumeSeriesEditor::CBUseOriginClick(TObject*) {
  TVolumeSeries* S = Volume();
  if (!S || FFilling) return;
  S->SetUseYOrigin(CBUseOrigin->GetChecked());
  EOrigin->SetEnabled(S->GetUseYOrigin());
}

void TVolumeSeriesEditor::EOriginChange(TObject*) {
  TVolumeSeries* S = Volume();
  double Value = 0;
  // Text that is no number keeps the current origin.
  if (S && !FFilling && PlotSeriesFormBase::ReadReal(EOrigin->GetText(), Value)) S->SetYOrigin(Value);
}
