// The pie slices tool's editor.
#include "chart/editors/PlotPieToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/series/Series.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TPieToolEditor, TSeriesToolEditor) {}

TPieToolEditor::TPieToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("PieToolEditor");
  Label1->SetCaption("&Pie Series:");
  AcceptSeries = [](const TChartSeries* S) { return dynamic_cast<const TPieSeries*>(S) != nullptr; };
  FirstItem.clear();
  RGStyle = Put<TRadioGroup>(this, AddRow(Choice(K::erRadio, "&Style:", "Style", {"Focus", "Explode"})), this,
                             "RGStyle", 8, 34, 185, 41);
  RGStyle->SetColumns(2);
  BPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Border...", "Pen")), this, "BPen", 8, 84, 75, 25);
  OnToolShow = [this] {
    Label1->SetCaption("Pie");
    // Without pie series there is nothing to choose.
    CBSeries->SetEnabled(CBSeries->Items()->Count() > 0);
  };
}
