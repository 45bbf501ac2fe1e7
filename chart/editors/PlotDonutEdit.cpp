// The donut series format page.
#include "chart/editors/PlotDonutEdit.h"

#include "chart/editors/PlotPieEdit.h"
#include "chart/extras/PlotDonut.h"

using EditorRows::Make;
using EditorRows::PlaceUpDown;

KV_CLASS_IMPL(TDonutSeriesEditor, TSeriesFormBase) {}

TDonutSeriesEditor::TDonutSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("DonutSeriesEditor");
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Hole %: ", "DonutPercent", 0, 100, 5)), this, "EDonut",
              "UDDonut", "Label1", 8, 70, 10, 45, EDonut, UDDonut, Label1);
  UDDonut->Wrap = true;
  SetClientWidth(160);
  SetClientHeight(44);
}

void TDonutSeriesEditor::FillForm() {
  EmbedOnce("Donut", TPieSeriesEditor::StaticClass(), EditedSeries(), 1);
}
