// The legend symbol editor.
#include "chart/editors/PlotSymbolEditor.h"

#include "chart/editors/EditorRows.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotEdiGrad.h"

using EditorRows::Make;
using EditorRows::Place;
using Kind = TEditorRowKind;

KV_CLASS_IMPL(TSymbolEditor, TEditorPage) {}

TSymbolEditor::TSymbolEditor(TComponent* Owner) : TEditorPage(Owner) {
  BeginLoading();  // nothing is written before the first show
  SetName("SymbolEditor");
  SetCaption("Legend Symbol Editor");
  EditorRows::PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Width:", "Width", 0, 100, 5)), this, "SEColWi",
                          "UDColWi", "LColWi", 8, 88, 8, 50, SEColWi, UDColWi, LColWi);
  TEditorRow Units = Make(Kind::erCombo, "Width &Units:", "WidthUnits");
  Units.Items = {{"Percent", 0}, {"Pixels", 1}};
  const int32_t UnitsRow = AddRow(Units);
  CBColWUnits = Place<TComboFlat>(this, UnitsRow, this, "CBColWUnits", 88, 36, 90, 21);
  CBColWUnits->Style = TComboBoxStyle::csDropDownList;
  LColWUnits = Row(UnitsRow).Label;
  LColWUnits->SetBounds(8, 40, 76, 13);
  LColWUnits->FocusControl = CBColWUnits;
  TEditorRow Position = Make(Kind::erCombo, "&Position:", "Position");
  Position.Items = {{"Left", 0}, {"Right", 1}};
  const int32_t PositionRow = AddRow(Position);
  CBSymbolPos = Place<TComboFlat>(this, PositionRow, this, "CBSymbolPos", 88, 64, 90, 21);
  CBSymbolPos->Style = TComboBoxStyle::csDropDownList;
  LSymbolPos = Row(PositionRow).Label;
  LSymbolPos->SetBounds(8, 68, 76, 13);
  LSymbolPos->FocusControl = CBSymbolPos;
  CBContinuous = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Continuous", "Continuous")), this,
                                  "CBContinuous", 8, 96, 100, 17);
  CBVisible = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Visible", "Visible")), this, "CBVisible", 8, 120,
                               100, 17);
  CBSymPen = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Default border", "DefaultPen")), this, "CBSymPen",
                              196, 8, 100, 17);
  BSymPen = Place<TButtonPen>(this, AddRow(Make(Kind::erPen, "&Border...", "Pen")), this, "BSymPen", 196, 30, 90, 25);
  CBSquared = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Squared", "Squared")), this, "CBSquared", 196, 64,
                               100, 17);
  BSymGradient = Place<TButtonGradient>(this, AddRow(Make(Kind::erGradient, "&Gradient...", "Gradient")), this,
                                        "BSymGradient", 196, 90, 90, 25);
  SetClientWidth(302);
  SetClientHeight(154);
  OnShow = [this](TObject* S) { FormShow(S); };
  OnRowChanged = [this](TEditorPage&, int32_t) { RefreshEnabled(); };
}

TLegendSymbol* TSymbolEditor::Symbol() const { return dynamic_cast<TLegendSymbol*>(Edited()); }

void TSymbolEditor::FormShow(TObject*) {
  LoadControls();
  RefreshEnabled();
  if (FChanging) {
    FChanging = false;
    EndLoading();
  }
}

void TSymbolEditor::RefreshEnabled() {
  const TLegendSymbol* S = Symbol();
  if (!S) return;
  BSymPen->SetEnabled(!S->GetDefaultPen());
  SEColWi->SetEnabled(!S->GetSquared());
  UDColWi->SetEnabled(!S->GetSquared());
}
