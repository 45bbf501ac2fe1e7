// The commodity channel index's parameter form.
#include "chart/editors/PlotCCIFuncEdit.h"

KV_CLASS_IMPL(TCCIFuncEditor, TBaseFunctionEditor) {}

TCCIFuncEditor::TCCIFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  EConst = AddParam(PlotBaseFuncEdit::RealRow("&Constant:", "Constant", "EConst", "0.015")).Edit;
  TParamRow& Period = AddParam(PlotBaseFuncEdit::UpDownRow("&Period:", "Period", "EPeriod", "UDPeriod", 1, 10000, 20));
  EPeriod = Period.Edit;
  UDPeriod = Period.UpDown;
}
