// The area series format page.
#include "chart/editors/PlotAreaEdit.h"

#include <algorithm>
#include <cmath>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

namespace {
constexpr int32_t OriginLimit = 30000;
}

KV_CLASS_IMPL(TAreaSeriesEditor, TEditorPage) {}

TAreaSeriesEditor::TAreaSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("AreaSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(307);
  SetClientHeight(212);
  SetAlign(TAlign::alClient);
  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", 4, 0, 297, 73);
  GroupBox2->SetCaption("Area:");
  FRowStairs = AddRow(Make(TEditorRowKind::erCheck, "&Stairs", "Stairs"));
  CBStairs = Place<TCheckBox>(this, FRowStairs, GroupBox2, "CBStairs", 8, 18, 70, 17);
  CBInvStairs = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Inverted", "InvertedStairs")), GroupBox2,
                                 "CBInvStairs", 8, 44, 70, 17);
  BPattern = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "AreaChartBrush")), GroupBox2,
                            "BPattern", 84, 14, 100, 25);
  Button1 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Top...", "Brush")), GroupBox2, "Button1", 84,
                           42, 100, 25);
  BAreaLinePen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "LinePen")), GroupBox2,
                                   "BAreaLinePen", 190, 14, 100, 25);
  BAreaLinesPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "Area &Lines...", "AreaLinesPen")),
                                    GroupBox2, "BAreaLinesPen", 190, 42, 100, 25);
  TEditorRow Multi = Make(TEditorRowKind::erRadio, "&Multiple Areas:", "MultiArea");
  Multi.Items = {{"None", 0}, {"Stacked", 1}, {"Stacked 100%", 2}};
  RGMultiArea = Place<TRadioGroup>(this, AddRow(Multi), this, "RGMultiArea", 4, 75, 149, 73);
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 180, 75, 121, 73);
  GroupBox1->SetCaption("Color:");
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, GroupBox1, "CBColorEach", 8, 18, 100, 17);
  BAreaColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), GroupBox1,
                                   "BAreaColor", 8, 40, 100, 25);
  GroupBox3 = PlaceControl<TGroupBox>(this, "GroupBox3", 4, 148, 149, 59);
  GroupBox3->SetCaption("");
  FRowUseOrigin = AddRow(Make(TEditorRowKind::erCheck, "&Use Origin", "UseYOrigin"));
  CBUseOrigin = Place<TCheckBox>(this, FRowUseOrigin, GroupBox3, "CBUseOrigin", 8, 10, 100, 17);
  Label1 = PlaceControl<TLabel>(this, GroupBox3, "Label1", 8, 36, 40, 13);
  Label1->SetCaption("&Origin:");
  EOrigin = PlaceControl<TEdit>(this, GroupBox3, "EOrigin", 56, 32, 64, 21);
  EOrigin->SetText("0");
  UDOrigin = PlaceControl<TUpDown>(this, GroupBox3, "UDOrigin", 120, 32, 15, 21);
  UDOrigin->SetMin(-OriginLimit);
  UDOrigin->SetMax(OriginLimit);
  UDOrigin->SetAssociate(EOrigin);
  Label1->FocusControl = EOrigin;
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Tra&nsparency:", "Transparency", 0, 100)), this,
                          "ETransp", "UDTransp", "LHeight", 160, 240, 160, 45, ETransp, UDTransp, LHeight);
  SetClientHeight(212);
  SetActiveControl(BAreaColor);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
  EOrigin->OnChange = [this](TObject*) {
    if (!IsLoading() && FArea) FArea->SetYOrigin(UDOrigin->GetPosition());
  };
}

TAreaSeriesEditor::~TAreaSeriesEditor() = default;

void TAreaSeriesEditor::FormShow(TObject*) {
  FArea = dynamic_cast<TAreaSeries*>(Edited());
  if (!FArea) return;
  // The colour button edits the colour the area shows: its own when it has one.
  const int32_t ColorRow = RowOf(BAreaColor);
  Row(ColorRow).Path = FArea->GetAreaColor() != clDefault ? "AreaColor" : "SeriesColor";
  LoadControls();
  BeginLoading();
  // An origin beyond the up-down's range shows clamped; only a change by the user writes it.
  const double Origin = FArea->GetYOrigin();
  UDOrigin->SetPosition(std::isnan(Origin) ? 0
                                           : static_cast<int32_t>(std::nearbyint(
                                                 std::clamp(Origin, double(-OriginLimit), double(OriginLimit)))));
  EndLoading();
  CBInvStairs->SetEnabled(FArea->GetStairs());
  BAreaColor->SetEnabled(!FArea->GetColorEachPoint());
  OriginRule();
  if (!FPointerForm) FPointerForm = PlotPoEdi::InsertPointerEditor(this, FArea->Pointer(), "Point");
  if (!FGradientForm && GetParent()) {
    FGradientForm =
        PlotEdiSeri::InsertSeriesEditorTab(this, TPlotGradientEditor::StaticClass(), FArea->Gradient(), "Gradient", 2);
    if (auto* G = dynamic_cast<TPlotGradientEditor*>(FGradientForm.Get())) {
      G->EditedGradient = FArea->Gradient();
      G->BOk->Hide();
      G->BCancel->Hide();
    }
  }
}

void TAreaSeriesEditor::OriginRule() {
  EOrigin->SetEnabled(CBUseOrigin->GetChecked());
  UDOrigin->SetEnabled(EOrigin->GetEnabled());
}

void TAreaSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowStairs)
    CBInvStairs->SetEnabled(CBStairs->GetChecked());
  else if (Row == FRowColorEach)
    BAreaColor->SetEnabled(!FArea->GetColorEachPoint());
  else if (Row == FRowUseOrigin)
    OriginRule();
}
