// The volume-pipe series format page.
#include "chart/editors/PlotVolumePipeEdit.h"

#include "chart/extras/PlotVolumePipe.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TVolumePipeSeriesEditor, TSeriesFormBase) {}

namespace {
// The direction list offers two directions: top to bottom, and any other
// (stored as right to left).
TRowAccess DirectionAccess() {
  TRowAccess A;
  A.Get = [](const TObject* O) -> TPropValue {
    const auto* S = dynamic_cast<const TVolumePipeSeries*>(O);
    if (!S) return {};
    return int64_t{S->Gradient()->GetDirection() == TGradientDirection::gdTopBottom ? 0 : 1};
  };
  A.Set = [](TObject* O, const TPropValue& V) {
    auto* S = dynamic_cast<TVolumePipeSeries*>(O);
    const auto* I = std::get_if<int64_t>(&V);
    if (S && I)
      S->Gradient()->SetDirection(*I == 0 ? TGradientDirection::gdTopBottom : TGradientDirection::gdRightLeft);
  };
  return A;
}
}  // namespace

TVolumePipeSeriesEditor::TVolumePipeSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("VolumePipeSeriesEditor");
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Cone percent:", "ConePercent", 0, 100, 5)), this, "Edit2",
              "UpDown1", "Label1", 8, 90, 8, 40, Edit2, UpDown1, Label1);
  ButtonPen1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "Pen")), this, "ButtonPen1", 8,
                                 38, 90, 25);
  ButtonPen2 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Lines...", "LinesPen")), this,
                                 "ButtonPen2", 104, 38, 90, 25);
  FRowBrush = AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Brush"));
  Button1 = Place<TButton>(this, FRowBrush, this, "Button1", 8, 70, 90, 25);
  CheckBox1 = PlaceControl<TCheckBox>(this, "CheckBox1", 104, 74, 130, 17);
  CheckBox1->SetCaption("&Brush Back Clear");
  CheckGradient = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Gradient", "Gradient.Visible")), this,
                                   "CheckGradient", 8, 106, 90, 17);
  TEditorRow Direction = Make(TEditorRowKind::erCombo, "Gradient &Direction:", "");
  Direction.Items = {{"Top Bottom", 0}, {"Left Right", 1}};
  CBDirection = Place<TComboFlat>(this, AddBoundRow(Direction, DirectionAccess()), this, "CBDirection", 120, 130, 110,
                                  21);
  Label2 = Row(RowOf(CBDirection)).Label;
  Label2->SetName("Label2");
  Label2->SetBounds(8, 134, 110, 13);
  Label2->FocusControl = CBDirection;
  SetClientWidth(250);
  SetClientHeight(160);
  CheckBox1->OnClick = [this](TObject*) { BackClearRule(); };
}

void TVolumePipeSeriesEditor::BackClearRule() {
  auto* S = SeriesAs<TVolumePipeSeries>();
  if (S && !Filling() && CheckBox1->GetChecked()) S->Brush()->SetColor(clNone);
}

void TVolumePipeSeriesEditor::FillForm() {
  auto* S = SeriesAs<TVolumePipeSeries>();
  CheckBox1->SetChecked(S && S->Brush()->GetColor() == clNone);
}

void TVolumePipeSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowBrush) BackClearRule();
}
