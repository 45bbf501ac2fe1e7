// The pyramid series format page.
#include "chart/editors/PlotPyramidEdit.h"

#include "chart/extras/PlotPyramid.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;

KV_CLASS_IMPL(TPyramidSeriesEditor, TSeriesFormBase) {}

TPyramidSeriesEditor::TPyramidSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("PyramidSeriesEditor");
  BPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "Pen")), this, "BPen", 8, 8, 90, 25);
  Button1 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Brush")), this, "Button1", 104, 8,
                           90, 25);
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, this, "CBColorEach", 8, 46, 90, 17);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this, "BColor",
                               104, 42, 90, 25);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Size %:", "SizePercent", 0, 100, 5)), this, "Edit1",
              "UDSize", "Label1", 8, 70, 78, 40, Edit1, UDSize, Label1);
  SetClientWidth(210);
  SetClientHeight(110);
}

void TPyramidSeriesEditor::FillForm() { BColor->SetEnabled(!CBColorEach->GetChecked()); }

void TPyramidSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowColorEach) BColor->SetEnabled(!CBColorEach->GetChecked());
}
