// The circle page of the circular series.
#include "chart/editors/PlotCircledEdit.h"

#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TCircledSeriesEditor, TSeriesFormBase) {}

TCircledSeriesEditor::TCircledSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("CircledSeriesEditor");
  CBCircled = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Circled", "Circled")), this, "CBCircled",
                               8, 8, 100, 17);
  CB3D = PlaceControl<TCheckBox>(this, "CB3D", 8, 30, 110, 17);
  CB3D->SetCaption("&3 Dimensions");
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "&Rotation:", "", 0, 360, 5),
                          Access(&TCircledSeries::GetRotationAngle, &TCircledSeries::SetRotationAngle)),
              this, "Edit1", "UDRot", "Label1", 8, 70, 54, 45, Edit1, UDRot, Label1);
  UDRot->Wrap = true;

  GBRadius = PlaceControl<TGroupBox>(this, "GBRadius", 130, 4, 170, 76);
  GBRadius->SetCaption("Radius:");
  FRowX = AddBoundRow(Make(TEditorRowKind::erUpDown, "&Horizontal:", "", 0, 2000, 5),
                      Access(&TCircledSeries::GetCustomXRadius, &TCircledSeries::SetCustomXRadius));
  PlaceUpDown(this, FRowX, GBRadius, "Edit2", "UDX", "Label2", 8, 70, 18, 45, Edit2, UDX, Label2);
  CBAutoXR = PlaceControl<TCheckBox>(this, GBRadius, "CBAutoXR", 120, 20, 48, 17);
  CBAutoXR->SetCaption("&Auto");
  FRowY = AddBoundRow(Make(TEditorRowKind::erUpDown, "&Vertical:", "", 0, 2000, 5),
                      Access(&TCircledSeries::GetCustomYRadius, &TCircledSeries::SetCustomYRadius));
  PlaceUpDown(this, FRowY, GBRadius, "Edit3", "UDY", "Label3", 8, 70, 46, 45, Edit3, UDY, Label3);
  CBAutoYR = PlaceControl<TCheckBox>(this, GBRadius, "CBAutoYR", 120, 48, 48, 17);
  CBAutoYR->SetCaption("A&uto");

  GBBack = PlaceControl<TGroupBox>(this, "GBBack", 8, 84, 292, 48);
  GBBack->SetCaption("Background:");
  FRowBack = AddRow(Make(TEditorRowKind::erColor, "C&olor...", "CircleBackColor"));
  BBack = Place<TButtonColor>(this, FRowBack, GBBack, "BBack", 8, 16, 85, 25);
  CBTransp = PlaceControl<TCheckBox>(this, GBBack, "CBTransp", 102, 20, 90, 17);
  CBTransp->SetCaption("&Transparent");
  FRowGradient = AddRow(PartRow(TEditorRowKind::erGradient, "&Gradient...", Part(&TCircledSeries::Gradient)));
  BGradient = Place<TButtonGradient>(this, FRowGradient, GBBack, "BGradient", 196, 16, 88, 25);
  SetClientWidth(306);
  SetClientHeight(138);

  CB3D->OnClick = [this](TObject*) {
    TCircledSeries* S = Circled();
    if (S && !Filling() && S->GetParentChart()) S->GetParentChart()->SetView3D(CB3D->GetChecked());
  };
  const auto AutoClick = [this](TCheckBox* Box, TUpDown* Radius) {
    if (Filling() || !Circled()) return;
    // Auto means radius 0; unticking leaves the radius to be typed.
    if (Box->GetChecked()) Radius->SetPosition(0);
    AutoRule();
  };
  CBAutoXR->OnClick = [this, AutoClick](TObject*) { AutoClick(CBAutoXR, UDX); };
  CBAutoYR->OnClick = [this, AutoClick](TObject*) { AutoClick(CBAutoYR, UDY); };
  CBTransp->OnClick = [this](TObject*) {
    TCircledSeries* S = Circled();
    if (!S || Filling() || !CBTransp->GetChecked()) return;
    S->SetCircleBackColor(clDefault);
    S->Gradient()->SetVisible(false);
    BBack->Invalidate();
    BGradient->Invalidate();
    CBTransp->SetEnabled(false);
  };
}

TCircledSeries* TCircledSeriesEditor::Circled() const { return SeriesAs<TCircledSeries>(); }

TCircledSeriesEditor* TCircledSeriesEditor::Insert(TSeriesFormBase* Host) {
  return dynamic_cast<TCircledSeriesEditor*>(Host->EmbedOnce("Circled", StaticClass(), Host->EditedSeries(), 1));
}

void TCircledSeriesEditor::AutoRule() {
  Quietly([this] {
    CBAutoXR->SetChecked(UDX->GetPosition() == 0);
    CBAutoYR->SetChecked(UDY->GetPosition() == 0);
  });
}

void TCircledSeriesEditor::TransparentOff() {
  Quietly([this] { CBTransp->SetChecked(false); });
  CBTransp->SetEnabled(true);
}

void TCircledSeriesEditor::FillForm() {
  TCircledSeries* S = Circled();
  AutoRule();
  CB3D->SetChecked(S->GetParentChart() && S->GetParentChart()->GetView3D());
  const bool Transparent = !S->HasCircleBackColor();
  CBTransp->SetChecked(Transparent);
  CBTransp->SetEnabled(!Transparent);
}

void TCircledSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowX || Row == FRowY) {
    AutoRule();
  } else if (Row == FRowBack) {
    TransparentOff();
  } else if (Row == FRowGradient) {
    if (Circled() && Circled()->Gradient()->GetVisible()) TransparentOff();
  }
}
