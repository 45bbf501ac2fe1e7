// The Gantt drag tool's editor.
#include "chart/editors/PlotGanttToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/extras/GanttCh.h"

using EditorRows::Make;
using PlotPenDlg::PlaceControl;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TGanttToolEditor, TSeriesToolEditor) {}

TGanttToolEditor::TGanttToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("GanttToolEditor");
  AcceptSeries = [](const TChartSeries* S) { return dynamic_cast<const TGanttSeries*>(S) != nullptr; };
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Resize pixels tolerance:", "MinPixels", 0, 1000)), this, "Edit1",
                     140, 32, 45, 21, 132);
  UDTol = Row(RowOf(Edit1)).UpDown;
  UDTol->SetName("UDTol");
  UDTol->SetPosition(5);
  Label2 = Row(RowOf(Edit1)).Label;
  CBDrag = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Allow &Drag", "AllowDrag")), this, "CBDrag", 8, 62, 100, 17);
  CBResize = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Allow &Resize", "AllowResize")), this, "CBResize", 8, 110,
                            100, 17);
  Label3 = PlaceControl<TLabel>(this, "Label3", 24, 86, 48, 13);
  Label3->SetCaption("&Cursor:");
  CBCursor = PlaceControl<TComboFlat>(this, "CBCursor", 80, 82, 120, 21);
  Label4 = PlaceControl<TLabel>(this, "Label4", 24, 134, 48, 13);
  Label4->SetCaption("C&ursor:");
  CBResizeCursor = PlaceControl<TComboFlat>(this, "CBResizeCursor", 80, 130, 120, 21);
  Label3->FocusControl = CBCursor;
  Label4->FocusControl = CBResizeCursor;
  const std::pair<TComboFlat*, const char*> Cursors[] = {{CBCursor, "CursorDrag"}, {CBResizeCursor, "CursorResize"}};
  for (const auto& [Combo, Property] : Cursors) {
    Combo->Style = TComboBoxStyle::csDropDownList;
    Combo->OnChange = [this, Combo = Combo, Property = Property](TObject*) {
      if (!IsLoading()) PlotToolSeriesEdit::WriteCursorCombo(Combo, Edited(), Property);
    };
  }
  OnToolShow = [this] {
    PlotToolSeriesEdit::LoadCursorCombo(CBCursor, Edited(), "CursorDrag");
    PlotToolSeriesEdit::LoadCursorCombo(CBResizeCursor, Edited(), "CursorResize");
  };
  SetClientHeight(172);
}
