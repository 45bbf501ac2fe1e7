// The Gantt series format page.
#include "chart/editors/PlotGanttEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/extras/GanttCh.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TGanttSeriesEditor, TEditorPage) {}

TGanttSeriesEditor::TGanttSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("GanttSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(250);
  SetClientHeight(130);
  SetAlign(TAlign::alClient);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Height:", "Pointer.VertSize", 1, 1000)), this,
                          "SEPointVertSize", "UDPointVertSize", "Label1", 8, 88, 8, 45, SEPointVertSize,
                          UDPointVertSize, Label1);
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, this, "CBColorEach", 8, 40, 100, 17);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this, "BColor",
                               120, 36, 100, 25);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100)),
                          this, "Edit1", "UpDown1", "Label2", 8, 88, 68, 45, Edit1, UpDown1, Label2);
  BConnLines = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "Co&nnecting Lines...", "ConnectingPen")),
                                 this, "BConnLines", 8, 98, 150, 25);
  SetClientHeight(130);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TGanttSeriesEditor::FormShow(TObject*) {
  auto* Gantt = dynamic_cast<TGanttSeries*>(Edited());
  if (!Gantt) return;
  LoadControls();
  BColor->SetEnabled(!Gantt->GetColorEachPoint());
  if (!FPointerForm) {
    FPointerForm = PlotPoEdi::InsertPointerEditor(this, Gantt->Pointer(), "Gantt");
    if (auto* P = dynamic_cast<TSeriesPointerEditor*>(FPointerForm.Get())) P->HideSizeControls();
  }
}

void TGanttSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowColorEach) BColor->SetEnabled(!CBColorEach->GetChecked());
}
