// The average function's parameter form.
#include "chart/editors/PlotAvgFuncEditor.h"

KV_CLASS_IMPL(TAverageFuncEditor, TPlotFunctionEditor) {}

TAverageFuncEditor::TAverageFuncEditor(TComponent* Owner) : TPlotFunctionEditor(Owner) {
  CBNulls = AddParam(PlotBaseFuncEdit::CheckRow("&Include Null values", "IncludeNulls", "CBNulls", true)).Check;
}
