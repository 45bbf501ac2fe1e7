// The drag-point tool's editor.
#include "chart/editors/PlotDragPointToolEdit.h"

#include "chart/engine/PlotEngine_Series.h"

using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TDragPointToolEdit, TSeriesToolEditor) {}

TDragPointToolEdit::TDragPointToolEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("DragPointToolEdit");
  RGStyle = Put<TRadioGroup>(this, AddRow(Choice(K::erRadio, "Drag Style:", "DragStyle", {"&X", "&Y", "&Both"})), this,
                             "RGStyle", 8, 32, 97, 80);
  Label2 = PlotPenDlg::PlaceControl<TLabel>(this, "Label2", 8, 124, 48, 13);
  Label2->SetCaption("&Cursor:");
  CBCursor = PlotPenDlg::PlaceControl<TComboFlat>(this, "CBCursor", 56, 120, 130, 21);
  CBCursor->Style = TComboBoxStyle::csDropDownList;
  Label2->FocusControl = CBCursor;
  CBCursor->OnChange = [this](TObject*) {
    if (!IsLoading()) PlotToolSeriesEdit::WriteCursorCombo(CBCursor, ToolSeries(), "Cursor");
  };
  OnToolShow = [this] { LoadCursor(); };
  OnSeriesChanged = [this] { LoadCursor(); };
}

void TDragPointToolEdit::LoadCursor() {
  TChartSeries* S = ToolSeries();
  BeginLoading();
  if (S)
    PlotToolSeriesEdit::LoadCursorCombo(CBCursor, S, "Cursor");
  else
    CBCursor->SetItemIndex(-1);
  EndLoading();
  CBCursor->SetEnabled(S != nullptr);
}
