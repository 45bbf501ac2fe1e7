// The 3-D point series format page.
#include "chart/editors/PlotPoint3DEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/extras/PlotPoin3.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TPoint3DSeriesEditor, TEditorPage) {}

TPoint3DSeriesEditor::TPoint3DSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("Point3DSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(250);
  SetClientHeight(110);
  SetAlign(TAlign::alClient);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Depth:", "DepthSize", 0, 100)), this,
                          "SEPointDepth", "UDPointDepth", "Label1", 8, 60, 8, 45, SEPointDepth, UDPointDepth, Label1);
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, this, "CBColorEach", 8, 42, 100, 17);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this, "BColor",
                               120, 38, 100, 25);
  Button1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Line...", "LinePen")), this, "Button1", 8, 72,
                              100, 25);
  BBasePen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Base line...", "BaseLine")), this,
                               "BBasePen", 120, 72, 100, 25);
  SetClientHeight(110);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TPoint3DSeriesEditor::FormShow(TObject*) {
  auto* Points = dynamic_cast<TPoint3DSeries*>(Edited());
  if (!Points) return;
  LoadControls();
  BColor->SetEnabled(!Points->GetColorEachPoint());
  if (!FPointerForm) FPointerForm = PlotPoEdi::InsertPointerEditor(this, Points->Pointer(), "Point");
}

void TPoint3DSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowColorEach) BColor->SetEnabled(!CBColorEach->GetChecked());
}
