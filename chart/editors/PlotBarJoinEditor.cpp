// The bar join series format page.
#include "chart/editors/PlotBarJoinEditor.h"

#include "chart/extras/MyPoint.h"

using EditorRows::Place;

KV_CLASS_IMPL(TBarJoinEditor, TBarSeriesEditor) {}

TBarJoinEditor::TBarJoinEditor(TComponent* Owner) : TBarSeriesEditor(Owner) {
  SetName("BarJoinEditor");
  BJoin = Place<TButtonPen>(this, AddRow(PartRow(TEditorRowKind::erPen, "&Join...", Part(&TBarJoinSeries::JoinPen))),
                            TabFormat, "BJoin", 200, 130, 96, 25);
}
