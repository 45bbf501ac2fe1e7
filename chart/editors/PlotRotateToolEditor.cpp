// The rotate tool's editor.
#include "chart/editors/PlotRotateToolEditor.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TRotateToolEditor, TEditorPage) {}

TRotateToolEditor::TRotateToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("RotateToolEditor");
  SetClientWidth(233);
  CBInverted = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Inverted", "Inverted")), this, "CBInverted", 8, 8, 97, 17);
  CBStyle = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Style:", "Style", {"All", "Rotation", "Elevation"})),
                            this, "CBStyle", 56, 32, 100, 21, 48);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  Label1 = Row(RowOf(CBStyle)).Label;
  // The items stand for mbLeft, mbMiddle and mbRight.
  TEditorRow Button = Make(K::erCombo, "&Button:", "Button");
  Button.Items = {{"Left", 0}, {"Middle", 2}, {"Right", 1}};
  CBButton = Put<TComboFlat>(this, AddRow(Button), this, "CBButton", 56, 60, 100, 21, 48);
  CBButton->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBButton)).Label;
  BOutline = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Outline...", "Pen")), this, "BOutline", 8, 92, 89, 25);
  SetClientHeight(130);
}
