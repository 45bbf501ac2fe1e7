// The water-fall series format page.
#include "chart/editors/PlotWaterFallEdit.h"

#include "chart/editors/EditorRows.h"

KV_CLASS_IMPL(TWaterFallEditor, TSurfaceSeriesEditor) {}

TWaterFallEditor::TWaterFallEditor(TComponent* Owner) : TSurfaceSeriesEditor(Owner) {
  SetName("WaterFallEditor");
  SetClientHeight(180);
  BLines = EditorRows::Place<TButtonPen>(
      this, AddRow(EditorRows::Make(TEditorRowKind::erPen, "&Lines...", "WaterLines")), this, "BLines", 226, 100, 95,
      25);
  SetClientHeight(150);
}
