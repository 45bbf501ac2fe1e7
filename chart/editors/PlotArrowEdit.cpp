// The arrow series format page.
#include "chart/editors/PlotArrowEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/extras/ArrowCha.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TArrowSeriesEditor, TEditorPage) {}

TArrowSeriesEditor::TArrowSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("ArrowSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(260);
  SetClientHeight(160);
  SetAlign(TAlign::alClient);
  BPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "Pointer.Pen")), this, "BPen", 8, 8,
                           90, 25);
  BBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Pointer.Brush")), this, "BBrush",
                          104, 8, 90, 25);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Width:", "ArrowWidth", 1, 100)), this,
                          "SEArrowWidth", "UDArrowWidth", "Label1", 8, 64, 44, 45, SEArrowWidth, UDArrowWidth, Label1);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Height:", "ArrowHeight", 1, 100)), this,
                          "SEArrowHeight", "UDArrowHeight", "Label2", 124, 184, 44, 45, SEArrowHeight, UDArrowHeight,
                          Label2);
  FRowPercent = AddRow(Make(TEditorRowKind::erScrollBar, "&Size:", "ArrowPercent", 0, 100));
  SBPercent = Place<TScrollBar>(this, FRowPercent, this, "SBPercent", 64, 78, 130, 17);
  Label3 = Row(FRowPercent).Label;
  Label3->SetName("Label3");
  Label3->SetBounds(8, 80, 50, 13);
  LPercent = PlaceControl<TLabel>(this, "LPercent", 200, 80, 40, 13);
  LPercent->SetCaption("");
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, this, "CBColorEach", 8, 114, 100, 17);
  BArrowColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this,
                                    "BArrowColor", 120, 110, 90, 25);
  SetClientHeight(160);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TArrowSeries* TArrowSeriesEditor::Arrows() const { return dynamic_cast<TArrowSeries*>(Edited()); }

void TArrowSeriesEditor::FormShow(TObject*) {
  TArrowSeries* A = Arrows();
  if (!A) return;
  LoadControls();
  ShowPercent();
  BArrowColor->SetEnabled(!A->GetColorEachPoint());
}

void TArrowSeriesEditor::ShowPercent() { LPercent->SetCaption(std::to_string(SBPercent->GetPosition()) + "%"); }

void TArrowSeriesEditor::RowRule(int32_t Row) {
  TArrowSeries* A = Arrows();
  if (Row == FRowPercent) {
    ShowPercent();
  } else if (Row == FRowColorEach && A) {
    BArrowColor->SetEnabled(!A->GetColorEachPoint());
    if (A->GetColorEachPoint()) A->Pointer()->SetColor(clDefault);
  }
}
