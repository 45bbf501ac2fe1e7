// The nearest-point tool's editor.
#include "chart/editors/PlotNearestToolEditor.h"

#include "chart/editors/EditorRows.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TNearestToolEdit, TSeriesToolEditor) {}

TNearestToolEdit::TNearestToolEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("NearestToolEdit");
  BPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Pen...", "Pen")), this, "BPen", 8, 32, 70, 25);
  Button1 = Put<TButton>(this, AddRow(Make(K::erBrush, "&Brush...", "Brush")), this, "Button1", 82, 32, 70, 25);
  BLine = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Line...", "LinePen")), this, "BLine", 156, 32, 70, 25);
  CBStyle = Put<TComboFlat>(
      this, AddRow(Choice(K::erCombo, "S&tyle:", "Style", {"None", "Circle", "Rectangle", "Diamond"})), this,
      "CBStyle", 56, 66, 100, 21, 48);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBStyle)).Label;
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "S&ize:", "Size", 0, 200)), this, "Edit1", 56, 96, 45, 21, 48);
  UDSize = Row(RowOf(Edit1)).UpDown;
  UDSize->SetName("UDSize");
  Label3 = Row(RowOf(Edit1)).Label;
  CBFull = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Full Repaint", "FullRepaint")), this, "CBFull", 8, 128, 110,
                          17);
}
