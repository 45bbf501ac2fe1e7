// The MACD function's parameter form.
#include "chart/editors/PlotMACDFuncEdit.h"

using PlotBaseFuncEdit::PenRow;
using PlotBaseFuncEdit::UpDownRow;

KV_CLASS_IMPL(TMACDFuncEditor, TBaseFunctionEditor) {}

TMACDFuncEditor::TMACDFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  TParamRow& P1 = AddParam(UpDownRow("Period &1:", "Period", "ENum", "UpDown1", 0, 30000, 26));
  TParamRow& P2 = AddParam(UpDownRow("Period &2:", "Period2", "Edit1", "UpDown2", 0, 30000, 12));
  TParamRow& P3 = AddParam(UpDownRow("Period &3:", "Period3", "Edit2", "UpDown3", 0, 30000, 9));
  ENum = P1.Edit;
  UpDown1 = P1.UpDown;
  Edit1 = P2.Edit;
  UpDown2 = P2.UpDown;
  Edit2 = P3.Edit;
  UpDown3 = P3.UpDown;
  BHistogram = AddParam(PenRow("&Histogram...", "HistogramPen", "BHistogram")).Pen;
  BMACD = AddParam(PenRow("&MACD...", "MACDPen", "BMACD")).Pen;
  BMACDExp = AddParam(PenRow("&Exp. Line...", "MACDExpPen", "BMACDExp")).Pen;
}
