// The ADX function's parameter form.
#include "chart/editors/PlotADXFuncEditor.h"

using PlotBaseFuncEdit::PenRow;
using PlotBaseFuncEdit::UpDownRow;

KV_CLASS_IMPL(TADXFuncEditor, TBaseFunctionEditor) {}

TADXFuncEditor::TADXFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  TParamRow& Period = AddParam(UpDownRow("&Period:", "Period", "EPeriod", "UDPeriod", 2, 32767, 14));
  EPeriod = Period.Edit;
  UDPeriod = Period.UpDown;
  BUp = AddParam(PenRow("&Up...", "UpLinePen", "BUp")).Pen;
  BDown = AddParam(PenRow("&Down...", "DownLinePen", "BDown")).Pen;
}
