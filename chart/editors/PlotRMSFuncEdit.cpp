// The root-mean-square and standard deviation parameter form.
#include "chart/editors/PlotRMSFuncEdit.h"

KV_CLASS_IMPL(TRMSFuncEditor, TPlotFunctionEditor) {}

TRMSFuncEditor::TRMSFuncEditor(TComponent* Owner) : TPlotFunctionEditor(Owner) {
  CBComplete = AddParam(PlotBaseFuncEdit::CheckRow("C&omplete R.M.S.", "Complete", "CBComplete", false)).Check;
}
