// The close location value's parameter form.
#include "chart/editors/PlotCLVFuncEdit.h"

KV_CLASS_IMPL(TCLVFuncEditor, TVolumeFuncEditor) {}

TCLVFuncEditor::TCLVFuncEditor(TComponent* Owner) : TVolumeFuncEditor(Owner) {
  CBAccumulate = AddParam(PlotBaseFuncEdit::CheckRow("&Accumulate", "Accumulate", "CBAccumulate", true)).Check;
}
