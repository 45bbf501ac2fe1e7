// The line-point series format page.
#include "chart/editors/PlotLinePointEditor.h"

#include "chart/extras/MyPoint.h"

KV_CLASS_IMPL(TLinePointEditor, TSeriesPointerEditor) {}

TLinePointEditor::TLinePointEditor(TComponent* Owner) : TSeriesPointerEditor(Owner) {
  if (!Owner || !Owner->FindComponent("LinePointEditor")) SetName("LinePointEditor");
  BLines = PlotPenDlg::PlaceControl<TButtonPen>(this, GPPoint, "BLines", 110, 58, 75, 25);
  BLines->SetCaption("&Lines...");
  OnShow = [this](TObject* Sender) {
    FormShow(Sender);
    auto* Series = dynamic_cast<TMyPointSeries*>(reinterpret_cast<TObject*>(Tag));
    BLines->BindPen(Series ? Series->LinesPen() : nullptr);
  };
}
