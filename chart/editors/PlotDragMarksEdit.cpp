// The drag-marks tool's editor.
#include "chart/editors/PlotDragMarksEdit.h"

#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotEngine_Series.h"

namespace {
void ResetMarks(TChartSeries* Series) {
  if (auto* Marks = dynamic_cast<TSeriesMarks*>(Series->Marks())) Marks->ResetPositions();
}
}  // namespace

KV_CLASS_IMPL(TDragMarksToolEditor, TSeriesToolEditor) {}

TDragMarksToolEditor::TDragMarksToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("DragMarksToolEditor");
  FirstItem = "(all)";
  Button1 = PlotPenDlg::PlaceControl<TButton>(this, "Button1", 8, 40, 105, 25);
  Button1->SetCaption("&Reset positions");
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
}

void TDragMarksToolEditor::Button1Click(TObject*) {
  TPlotCustomTool* T = Tool();
  if (!T) return;
  if (TChartSeries* S = ToolSeries()) {
    ResetMarks(S);
  } else if (TSeriesChart* C = T->GetParentChart()) {
    TChartSeriesList& List = C->GetSeriesList();
    for (int32_t i = 0; i < List.Count(); ++i) ResetMarks(List.GetSeries(i));
  }
}
