// The axis arrow tool's editor.
#include "chart/editors/PlotAxisArrowEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TAxisArrowToolEditor, TAxisToolEditor) {}

TAxisArrowToolEditor::TAxisArrowToolEditor(TComponent* Owner) : TAxisToolEditor(Owner) {
  SetName("AxisArrowToolEditor");
  SetClientHeight(190);
  Button1 = Put<TButton>(this, AddRow(Make(K::erBrush, "&Pattern...", "Brush")), this, "Button1", 160, 30, 70, 25);
  const struct {
    TEdit** Edit;
    TUpDown** UpDown;
    TLabel** Label;
    const char *EditName, *UpDownName, *Caption, *Property;
    int Min, Max, Top;
  } Rows[] = {{&ELength, &UDLength, &Label2, "ELength", "UDLength", "&Length:", "Length", 0, 100, 34},
              {&Edit1, &UDScroll, &Label4, "Edit1", "UDScroll", "&Scroll:", "ScrollPercent", 1, 100, 90},
              {&ESize, &UDSize, &Label5, "ESize", "UDSize", "Si&ze:", "SizePercent", 0, 100, 138},
              {&EWidth, &UDWidth, &Label7, "EWidth", "UDWidth", "&Width:", "HeadWidth", 0, 100, 164}};
  for (const auto& R : Rows) {
    *R.Edit = Put<TEdit>(this, AddRow(Make(K::erUpDown, R.Caption, R.Property, R.Min, R.Max)), this, R.EditName, 64,
                         R.Top, 45, 21, 58);
    *R.UpDown = Row(RowOf(*R.Edit)).UpDown;
    (*R.UpDown)->SetName(R.UpDownName);
    *R.Label = Row(RowOf(*R.Edit)).Label;
  }
  UDScroll->SetPosition(10);
  CBPos = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "P&osition:", "Position", {"Start", "End", "Both"})), this,
                          "CBPos", 64, 62, 80, 21, 58);
  CBPos->Style = TComboBoxStyle::csDropDownList;
  Label3 = Row(RowOf(CBPos)).Label;
  CBInv = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Inverted Scroll", "ScrollInverted")), this, "CBInv", 8, 116,
                         120, 17);
  Label6 = PlotPenDlg::PlaceControl<TLabel>(this, "Label6", 116, 94, 12, 13);
  Label6->SetCaption("%");
  Label8 = PlotPenDlg::PlaceControl<TLabel>(this, "Label8", 116, 142, 12, 13);
  Label8->SetCaption("%");
}
