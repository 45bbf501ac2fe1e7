// The wind rose series format page.
#include "chart/editors/PlotWindRoseEdit.h"

#include "chart/extras/PlotRose.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TWindRoseEditor, TPolarSeriesEditor) {}

TWindRoseEditor::TWindRoseEditor(TComponent* Owner) : TPolarSeriesEditor(Owner) {
  SetName("WindRoseEditor");
  CBClockWise->Hide();
  CBMirror = Place<TCheckBox>(this,
                              AddBoundRow(Make(TEditorRowKind::erCheck, "Mirr&ored", ""),
                                          Access(&TWindRoseSeries::GetMirrorLabels, &TWindRoseSeries::SetMirrorLabels)),
                              TabLabels, "CBMirror", 8, 96, 100, 17);
}
