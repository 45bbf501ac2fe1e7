// The extra legend tool's editor.
#include "chart/editors/PlotExtraLegendEdit.h"

#include "chart/extras/PlotExtraLegendTool.h"
#include "platform/rtl/FreeGuard.h"

KV_CLASS_IMPL(TExtraLegendEditor, TSeriesToolEditor) {}

TExtraLegendEditor::TExtraLegendEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("ExtraLegendEditor");
  BEdit = PlotPenDlg::PlaceControl<TButton>(this, "BEdit", 8, 40, 100, 25);
  BEdit->SetCaption("&Edit Legend...");
  BEdit->OnClick = [this](TObject* S) { BEditClick(S); };
}

void TExtraLegendEditor::BEditClick(TObject*) {
  auto* T = dynamic_cast<TExtraLegendTool*>(Tool());
  if (!T || !Chart::CreateLegendEditor) return;
  TOwned<TForm> Form(Chart::CreateLegendEditor(this, T->Legend()));
  if (Form) Form->ShowModal();
}
