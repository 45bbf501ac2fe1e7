// The smoothing function's parameter form.
#include "chart/editors/PlotSmoothFuncEdit.h"

using PlotBaseFuncEdit::CheckRow;
using PlotBaseFuncEdit::UpDownRow;

KV_CLASS_IMPL(TSmoothFuncEditor, TBaseFunctionEditor) {}

TSmoothFuncEditor::TSmoothFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  CBInterp = AddParam(CheckRow("&Interpolate", "Interpolate", "CBInterp", true)).Check;
  TParamRow& Factor = AddParam(UpDownRow("&Factor:", "Factor", "Edit1", "UpDown1", 1, 1000, 4));
  Label1 = Factor.Label;
  Label1->SetName("Label1");
  Edit1 = Factor.Edit;
  UpDown1 = Factor.UpDown;
}
