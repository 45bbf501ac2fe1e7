// The cursor tool's editor.
#include "chart/editors/PlotCursorEdit.h"

#include "chart/editors/EditorRows.h"

using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TCursorToolEditor, TSeriesToolEditor) {}

TCursorToolEditor::TCursorToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("CursorToolEditor");
  CBStyle = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "S&tyle:", "Style", {"Horizontal", "Vertical", "Both"})),
                            this, "CBStyle", 56, 32, 145, 21, 48);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBStyle)).Label;
  CBSnap = Put<TCheckBox>(this, AddRow(EditorRows::Make(K::erCheck, "S&nap", "Snap")), this, "CBSnap", 8, 60, 90, 17);
  CBZ = Put<TCheckBox>(this, AddRow(EditorRows::Make(K::erCheck, "Use Series &Z", "UseSeriesZ")), this, "CBZ", 104,
                       60, 110, 17);
  CBFollow = Put<TCheckBox>(this, AddRow(EditorRows::Make(K::erCheck, "&Follow mouse", "FollowMouse")), this,
                            "CBFollow", 8, 84, 110, 17);
  BPen = Put<TButtonPen>(this, AddRow(EditorRows::Make(K::erPen, "&Pen...", "Pen")), this, "BPen", 128, 80, 75, 25);
  EPixels = Put<TEdit>(this, AddRow(EditorRows::Make(K::erUpDown, "Click &tolerance:", "ClickTolerance", 0, 1000)),
                       this, "EPixels", 96, 116, 45, 21, 88);
  UDClick = Row(RowOf(EPixels)).UpDown;
  UDClick->SetName("UDClick");
  Label3 = Row(RowOf(EPixels)).Label;
  Label4 = PlotPenDlg::PlaceControl<TLabel>(this, "Label4", 148, 120, 40, 13);
  Label4->SetCaption("pixels");
  SetClientHeight(172);
  OnToolShow = [this] { EnableSnap(); };
  OnSeriesChanged = [this] { EnableSnap(); };
}

void TCursorToolEditor::EnableSnap() {
  CBSnap->SetEnabled(ToolSeries() != nullptr);
  CBZ->SetEnabled(CBSnap->GetEnabled());
}
