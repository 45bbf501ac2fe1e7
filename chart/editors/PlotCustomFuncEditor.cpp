// The parameter form of the function that computes its own points.
#include "chart/editors/PlotCustomFuncEditor.h"

#include <climits>

using PlotBaseFuncEdit::IntegerRow;
using PlotBaseFuncEdit::RealRow;

KV_CLASS_IMPL(TCustomFunctionEditor, TBaseFunctionEditor) {}

TCustomFunctionEditor::TCustomFunctionEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  EStart = AddParam(RealRow("&Start X:", "StartX", "EStart", "0")).Edit;
  EStep = AddParam(RealRow("S&tep:", "Period", "EStep", "1", 0, 1e308)).Edit;
  ENum = AddParam(IntegerRow("&Num. points:", "NumPoints", "ENum", "100", 0, INT_MAX)).Edit;
}
