// The draw-line tool's editor.
#include "chart/editors/PlotDrawLineEditor.h"

#include "chart/editors/EditorRows.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TDrawLineEdit, TSeriesToolEditor) {}

TDrawLineEdit::TDrawLineEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("DrawLineEdit");
  CBButton = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Mouse button:", "Button", {"Left", "Right", "Middle"})),
                             this, "CBButton", 88, 32, 89, 21, 80);
  CBButton->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBButton)).Label;
  CBEnable = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Enable drawing", "EnableDraw")), this, "CBEnable", 8, 60,
                            120, 17);
  CBSelect = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "E&nable Select", "EnableSelect")), this, "CBSelect", 8, 80,
                            120, 17);
  CBSelectNew = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Select ne&w lines", "SelectNewLines")), this,
                               "CBSelectNew", 8, 100, 120, 17);
  BPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Pen...", "Pen")), this, "BPen", 140, 64, 75, 25);
  EPixels = Put<TEdit>(this, AddRow(Make(K::erUpDown, "Click &tolerance:", "ClickTolerance", 0, 1000)), this,
                       "EPixels", 96, 128, 45, 21, 88);
  UDClick = Row(RowOf(EPixels)).UpDown;
  UDClick->SetName("UDClick");
  Label3 = Row(RowOf(EPixels)).Label;
  SetClientHeight(172);
}
