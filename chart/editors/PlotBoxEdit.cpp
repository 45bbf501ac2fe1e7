// The box-plot series format page.
#include "chart/editors/PlotBoxEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/extras/PlotBoxPlot.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TBoxSeriesEditor, TSeriesFormBase) {}

TBoxSeriesEditor::TBoxSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("BoxSeriesEditor");
  BMedian = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Median...", "MedianPen")), this, "BMedian", 8,
                              8, 90, 25);
  BWhisker = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Whisker...", "WhiskerPen")), this,
                               "BWhisker", 8, 38, 90, 25);
  // Real edits: shown in the shortest form; text that is no number (also
  // none at all) writes nothing, so typing never stops on a message.
  const int32_t LengthRow = AddRow(Make(TEditorRowKind::erRealEdit, "&Length:", "WhiskerLength"));
  ELength = Place<TEdit>(this, LengthRow, this, "ELength", 176, 10, 80, 21);
  Label1 = PlaceRowLabel(LengthRow, this, "Label1", 110, 14, 62);
  const int32_t PosRow = AddRow(Make(TEditorRowKind::erRealEdit, "&Position:", "Position"));
  EPos = Place<TEdit>(this, PosRow, this, "EPos", 176, 40, 80, 21);
  Label2 = PlaceRowLabel(PosRow, this, "Label2", 110, 44, 62);
  SetClientWidth(266);
  SetClientHeight(72);
}

TCustomBoxSeries* TBoxSeriesEditor::Box() const { return SeriesAs<TCustomBoxSeries>(); }

void TBoxSeriesEditor::FillForm() {
  TCustomBoxSeries* S = Box();
  if (!S || !GetParent()) return;
  // Each tab goes in front of the last: the three end up in this order.
  EmbedOnce("MildOut", [this, S] { return PlotPoEdi::InsertPointerEditor(this, S->MildOut(), "MildOut"); });
  EmbedOnce("ExtrOut", [this, S] { return PlotPoEdi::InsertPointerEditor(this, S->ExtrOut(), "ExtrOut"); });
  EmbedOnce("Box", [this, S] { return PlotPoEdi::InsertPointerEditor(this, S->Pointer(), "Box"); });
}
