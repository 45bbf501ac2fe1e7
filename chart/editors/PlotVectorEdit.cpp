// The 3-D vector series format page.
#include "chart/editors/PlotVectorEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotSurfaGrid.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TVectorSeriesEditor, TSeriesFormBase) {}

TVectorSeriesEditor::TVectorSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("VectorSeriesEditor");
  BStart = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Start...", "StartArrow")), this, "BStart", 8,
                             8, 95, 25);
  CBStart = PlaceControl<TCheckBox>(this, "CBStart", 112, 12, 100, 17);
  CBStart->SetCaption("Default color");
  BEnd = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&End...", "EndArrow")), this, "BEnd", 8, 38, 95,
                           25);
  CBEnd = PlaceControl<TCheckBox>(this, "CBEnd", 112, 42, 100, 17);
  CBEnd->SetCaption("Default color");
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Arrow &Width:", "ArrowWidth", 1, 1000)), this,
                          "Edit1", "UDWidth", "Label1", 8, 96, 72, 55, Edit1, UDWidth, Label1);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Arrow &Height:", "ArrowHeight", 1, 1000)),
                          this, "Edit2", "UDHeight", "Label2", 8, 96, 100, 55, Edit2, UDHeight, Label2);
  SetClientWidth(220);
  SetClientHeight(130);
  CBStart->OnClick = [this](TObject*) { DefaultColorClick(CBStart, BStart); };
  CBEnd->OnClick = [this](TObject*) { DefaultColorClick(CBEnd, BEnd); };
}

TVector3DSeries* TVectorSeriesEditor::Vector() const { return SeriesAs<TVector3DSeries>(); }

void TVectorSeriesEditor::FillForm() {
  TVector3DSeries* S = Vector();
  if (S) {
    CBStart->SetChecked(S->StartArrow()->GetColor() == clDefault);
    CBEnd->SetChecked(S->EndArrow()->GetColor() == clDefault);
  }
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}

void TVectorSeriesEditor::DefaultColorClick(TCheckBox* Box, TButtonPen* Button) {
  if (Filling() || !Button->GetPen()) return;
  Button->GetPen()->SetColor(Box->GetChecked() ? clDefault : clBlack);
  Button->Invalidate();
}
