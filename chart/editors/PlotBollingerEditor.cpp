// The Bollinger bands' parameter form.
#include "chart/editors/PlotBollingerEditor.h"

using PlotBaseFuncEdit::CheckRow;
using PlotBaseFuncEdit::PenRow;
using PlotBaseFuncEdit::RealRow;
using PlotBaseFuncEdit::UpDownRow;

KV_CLASS_IMPL(TBollingerFuncEditor, TBaseFunctionEditor) {}

TBollingerFuncEditor::TBollingerFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  TParamRow& Period = AddParam(UpDownRow("&Period:", "Period", "ENum", "UpDown1", 0, 30000, 10));
  ENum = Period.Edit;
  UpDown1 = Period.UpDown;
  CheckBox1 = AddParam(CheckRow("&Exponential", "Exponential", "CheckBox1", true)).Check;
  Edit1 = AddParam(RealRow("&Deviation:", "Deviation", "Edit1", "2")).Edit;
  ButtonPen1 = AddParam(PenRow("&Upper...", "UpperBandPen", "ButtonPen1")).Pen;
  ButtonPen2 = AddParam(PenRow("&Lower...", "LowBandPen", "ButtonPen2")).Pen;
}
