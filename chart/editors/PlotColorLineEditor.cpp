// The colour line tool's editor.
#include "chart/editors/PlotColorLineEditor.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"

using EditorRows::Make;
using PlotToolSeriesEdit::AddTab;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TColorLineToolEditor, TAxisToolEditor) {}

TColorLineToolEditor::TColorLineToolEditor(TComponent* Owner) : TAxisToolEditor(Owner) {
  SetName("ColorLineToolEditor");
  PageControl1 = PlotPenDlg::PlaceControl<TPageControl>(this, "PageControl1", 0, 32, 232, 111);
  TabSheet1 = AddTab(this, PageControl1, "TabSheet1", "Value");
  TabSheet2 = AddTab(this, PageControl1, "TabSheet2", "Options");
  EValue = Put<TEdit>(this, AddRow(Make(K::erRealEdit, "&Value: ", "Value")), TabSheet1, "EValue", 56, 8, 121, 21, 48);
  Label2 = Row(RowOf(EValue)).Label;
  CBStyle = Put<TComboFlat>(
      this, AddRow(Choice(K::erCombo, "&Style:", "Style", {"Custom", "Axis Maximum", "Axis Center", "Axis Minimum"})),
      TabSheet1, "CBStyle", 56, 40, 121, 21, 48);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  Label3 = Row(RowOf(CBStyle)).Label;
  const struct {
    TCheckBox** Box;
    const char *Name, *Caption, *Property;
    int Left, Top;
  } Boxes[] = {{&CBAllowDrag, "CBAllowDrag", "Allow &Drag", "AllowDrag", 8, 8},
               {&CBDragRepaint, "CBDragRepaint", "Drag &Repaint", "DragRepaint", 8, 28},
               {&CBNoLimitDrag, "CBNoLimitDrag", "No &Limit Drag", "NoLimitDrag", 8, 48},
               {&CBDrawBehind, "CBDrawBehind", "Dra&w Behind", "DrawBehind", 120, 8},
               {&CBDraw3D, "CBDraw3D", "Draw &3D", "Draw3D", 120, 28}};
  for (const auto& B : Boxes)
    *B.Box = Put<TCheckBox>(this, AddRow(Make(K::erCheck, B.Caption, B.Property)), TabSheet2, B.Name, B.Left, B.Top,
                            105, 17);
  PageControl1->SetActivePage(TabSheet1);
  SetClientHeight(143);
  OnToolShow = [this] { EnableValue(); };
  OnRowChanged = [this](TEditorPage&, int32_t R) {
    if (R == RowOf(CBStyle)) EnableValue();
  };
}

void TColorLineToolEditor::EnableValue() { EValue->SetEnabled(CBStyle->GetItemIndex() == 0); }
