// The triangle surface series format page.
#include "chart/editors/PlotTriSurfaceEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotTriSurface.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TTriSurfaceSeriesEditor, TSeriesFormBase) {}

TTriSurfaceSeriesEditor::TTriSurfaceSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("TriSurfaceSeriesEditor");
  Button2 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Pen...", "Pen")), this, "Button2", 8, 8, 95,
                              25);
  Button3 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Brush...", "Brush")), this, "Button3", 8, 38,
                           95, 25);
  Button1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Outline...", "Border")), this, "Button1", 8,
                              68, 95, 25);
  CBFastBrush = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Fast Brush", "FastBrush")), this,
                                 "CBFastBrush", 116, 12, 120, 17);
  CBHide = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Hide Triangles", "HideTriangles")), this,
                            "CBHide", 116, 36, 120, 17);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Tra&nsparency:", "Transparency", 0, 100, 1)),
                          this, "ETransp", "UDTransp", "Label1", 116, 196, 70, 45, ETransp, UDTransp, Label1);
  SetClientWidth(260);
  SetClientHeight(100);
}

void TTriSurfaceSeriesEditor::FillForm() {
  auto* S = SeriesAs<TCustom3DPaletteSeries>();
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}
