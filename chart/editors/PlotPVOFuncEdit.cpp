// The percentage volume oscillator's parameter form.
#include "chart/editors/PlotPVOFuncEdit.h"

KV_CLASS_IMPL(TPVOFuncEditor, TBaseFunctionEditor) {}

TPVOFuncEditor::TPVOFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  TParamRow& P1 = AddParam(PlotBaseFuncEdit::UpDownRow("&Period 1:", "Period", "EPeriod", "UDPeriod", 1, 10000, 12));
  TParamRow& P2 = AddParam(PlotBaseFuncEdit::UpDownRow("P&eriod 2:", "Period2", "Edit1", "UDPeriod2", 1, 10000, 26));
  EPeriod = P1.Edit;
  UDPeriod = P1.UpDown;
  Edit1 = P2.Edit;
  UDPeriod2 = P2.UpDown;
  CBPercent = AddParam(PlotBaseFuncEdit::CheckRow("Pe&rcentage", "Percentage", "CBPercent", true)).Check;
}
