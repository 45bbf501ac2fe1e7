// The bubble series format page.
#include "chart/editors/PlotBubbleEdit.h"

#include "chart/extras/BubbleCh.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TBubbleSeriesEditor, TSeriesPointerEditor) {}

TBubbleSeriesEditor::TBubbleSeriesEditor(TComponent* Owner) : TSeriesPointerEditor(Owner) {
  SetName("BubbleSeriesEditor");
  SetAlign(TAlign::alClient);
  CBDrawPoint->Hide();
  Label4 = PlaceControl<TLabel>(this, "Label4", 10, 176, 80, 13);
  Label4->SetCaption("&Transparency:");
  Edit1 = PlaceControl<TEdit>(this, "Edit1", 96, 172, 40, 21);
  UDTransp = PlaceControl<TUpDown>(this, "UDTransp", 136, 172, 15, 21);
  UDTransp->SetMin(0);
  UDTransp->SetMax(100);
  UDTransp->SetIncrement(5);
  UDTransp->SetAssociate(Edit1);
  Label4->FocusControl = Edit1;
  SetClientHeight(211);
  auto Base = OnShow;
  OnShow = [this, Base](TObject* S) {
    FShown = false;
    if (Base) Base(S);
    FormShow(S);
  };
  Edit1->OnChange = [this](TObject*) {
    if (FShown && !IsLoading())
      if (TBubbleSeries* B = Bubbles()) B->SetTransparency(static_cast<TPlotTransparency>(UDTransp->GetPosition()));
  };
}

TBubbleSeries* TBubbleSeriesEditor::Bubbles() const {
  return dynamic_cast<TBubbleSeries*>(reinterpret_cast<TObject*>(Tag));
}

void TBubbleSeriesEditor::FormShow(TObject*) {
  TBubbleSeries* B = Bubbles();
  if (!B) return;
  BeginLoading();
  UDTransp->SetPosition(B->GetTransparency());
  EndLoading();
  FShown = true;
}
