// The exponential average's parameter form.
#include "chart/editors/PlotExpAveFuncEdit.h"

KV_CLASS_IMPL(TExpAveFuncEditor, TBaseFunctionEditor) {}

TExpAveFuncEditor::TExpAveFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  // The function takes weights from 0 to 1 only.
  Edit1 = AddParam(PlotBaseFuncEdit::RealRow("&Weight:", "Weight", "Edit1", "0.2", 0, 1)).Edit;
}
