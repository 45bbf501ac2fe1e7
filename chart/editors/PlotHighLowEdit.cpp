// The high-low series format page.
#include "chart/editors/PlotHighLowEdit.h"

#include "chart/editors/EditorRows.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(THighLowEditor, TSeriesFormBase) {}

THighLowEditor::THighLowEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("HighLowEditor");
  BPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Lines...", "Pen")), this, "BPen", 8, 8, 90, 25);
  BHighPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&High...", "HighPen")), this, "BHighPen", 8,
                               38, 90, 25);
  BBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "HighBrush")), this, "BBrush", 104,
                          38, 90, 25);
  BLowPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "L&ow...", "LowPen")), this, "BLowPen", 8, 68,
                              90, 25);
  BLowBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "P&attern...", "LowBrush")), this,
                             "BLowBrush", 104, 68, 90, 25);
  CBColorEach = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Colo&r Each", "ColorEachPoint")), this,
                                 "CBColorEach", 204, 12, 90, 17);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this, "BColor",
                               204, 38, 90, 25);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100, 5)),
                          this, "Edit1", "UDTransp", "Label1", 8, 100, 102, 45, Edit1, UDTransp, Label1);
  SetClientWidth(300);
  SetClientHeight(132);
}
