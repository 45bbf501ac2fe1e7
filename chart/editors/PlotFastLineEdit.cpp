// The fast line series format page.
#include "chart/editors/PlotFastLineEdit.h"

#include "chart/series/Series.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFastLineSeriesEditor, TPenDialog) {}

TFastLineSeriesEditor::TFastLineSeriesEditor(TComponent* Owner) : TPenDialog(Owner) {
  SetName("FastLineSeriesEditor");
  SetAlign(TAlign::alClient);
  BOk->Hide();
  BCancel->Hide();
  CBDrawAll = PlaceControl<TCheckBox>(this, "CBDrawAll", 8, 92, 120, 17);
  CBDrawAll->SetCaption("Draw &All");
  CBNulls = PlaceControl<TCheckBox>(this, "CBNulls", 176, 92, 110, 17);
  CBNulls->SetCaption("&Ignore Nulls");
  CBStairs = PlaceControl<TCheckBox>(this, "CBStairs", 8, 116, 80, 17);
  CBStairs->SetCaption("&Stairs");
  CBInvStairs = PlaceControl<TCheckBox>(this, "CBInvStairs", 96, 116, 80, 17);
  CBInvStairs->SetCaption("&Inverted");
  SetClientHeight(140);

  OnShow = [this](TObject* S) { FormShow(S); };
  // The pen colour is the series colour: the combo's lines show it too.
  BColor->OnClick = [this](TObject* S) {
    BColorClick(S);
    if (TFastLineSeries* L = Series()) L->SetSeriesColor(L->LinePen()->GetColor());
    CBStyle->Invalidate();
  };
  CBDrawAll->OnClick = [this](TObject*) { BoxClicked(CBDrawAll, &TFastLineSeries::SetDrawAllPoints); };
  CBNulls->OnClick = [this](TObject*) { BoxClicked(CBNulls, &TFastLineSeries::SetIgnoreNulls); };
  CBInvStairs->OnClick = [this](TObject*) { BoxClicked(CBInvStairs, &TFastLineSeries::SetInvertedStairs); };
  CBStairs->OnClick = [this](TObject*) {
    BoxClicked(CBStairs, &TFastLineSeries::SetStairs);
    CBInvStairs->SetEnabled(CBStairs->GetChecked());
  };
}

TFastLineSeries* TFastLineSeriesEditor::Series() const {
  return dynamic_cast<TFastLineSeries*>(reinterpret_cast<TObject*>(Tag));
}

void TFastLineSeriesEditor::BoxClicked(TCheckBox* Box, void (TFastLineSeries::*Setter)(bool)) {
  if (FFilling) return;
  if (TFastLineSeries* L = Series()) (L->*Setter)(Box->GetChecked());
}

void TFastLineSeriesEditor::FormShow(TObject* Sender) {
  FFilling = true;
  TFastLineSeries* L = Series();
  EditedPen = L ? L->LinePen() : nullptr;
  TPenDialog::FormShow(Sender);
  if (L) {
    CBDrawAll->SetChecked(L->GetDrawAllPoints());
    CBNulls->SetChecked(L->GetIgnoreNulls());
    CBStairs->SetChecked(L->GetStairs());
    CBInvStairs->SetChecked(L->GetInvertedStairs());
    CBInvStairs->SetEnabled(L->GetStairs());
  }
  FFilling = false;
}
