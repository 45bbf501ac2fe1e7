// The stack page of a bar series.
#include "chart/editors/PlotStackBarEdit.h"

#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;

KV_CLASS_IMPL(TStackBarSeriesEditor, TSeriesFormBase) {}

TStackBarSeriesEditor::TStackBarSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("StackBarSeriesEditor");
  SetClientWidth(300);
  SetClientHeight(150);
  FRowOrigin = AddRow(Make(TEditorRowKind::erCheck, "Use &Origin:", "UseYOrigin"));
  CBYOrigin = Place<TCheckBox>(this, FRowOrigin, this, "CBYOrigin", 8, 12, 90, 17);
  EYOrigin = Place<TEdit>(this, AddRow(Make(TEditorRowKind::erRealEdit, "", "YOrigin")), this, "EYOrigin", 100, 10,
                          80, 21);
  Row(RowOf(EYOrigin)).Label->Hide();
  TEditorRow Multi = Make(TEditorRowKind::erRadio, "&Multiple Bar:", "MultiBar");
  Multi.Items = {{"None", 0}, {"Side", 1}, {"Stacked", 2}, {"Stacked 100%", 3}, {"Side All", 4}, {"Self Stack", 5}};
  FRowMulti = AddRow(Multi);
  RGMultiBar = Place<TRadioGroup>(this, FRowMulti, this, "RGMultiBar", 8, 38, 140, 130);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Stack Group:", "StackGroup", 0, 100)), this, "EGroup",
              "UDGroup", "Label1", 160, 240, 40, 40, EGroup, UDGroup, Label1);
  SetClientHeight(175);
}

void TStackBarSeriesEditor::GroupRule() {
  auto* S = SeriesAs<TCustomBarSeries>();
  const bool Stacked = S && (S->GetMultiBar() == mbStacked || S->GetMultiBar() == mbStacked100);
  for (TControl* C : std::initializer_list<TControl*>{Label1, EGroup, UDGroup}) C->SetEnabled(Stacked);
}

void TStackBarSeriesEditor::FillForm() {
  EYOrigin->SetEnabled(CBYOrigin->GetChecked());
  GroupRule();
}

void TStackBarSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowOrigin) {
    EYOrigin->SetEnabled(CBYOrigin->GetChecked());
    if (EYOrigin->GetEnabled() && EYOrigin->CanFocus()) EYOrigin->SetFocus();
  } else if (Row == FRowMulti) {
    GroupRule();
  }
}

