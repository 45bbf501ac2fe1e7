// The series animation tool's editor.
#include "chart/editors/PlotSeriesAnimEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/series/PlotTools.h"
#include "platform/ui/ExtCtrls.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TSeriesAnimToolEditor, TSeriesToolEditor) {}

TSeriesAnimToolEditor::TSeriesAnimToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("SeriesAnimToolEditor");
  SBSteps = Put<TScrollBar>(this, AddRow(Make(K::erScrollBar, "S&teps:", "Steps", 1, 1000)), this, "SBSteps", 72, 34,
                            110, 17, 64);
  Label2 = Row(RowOf(SBSteps)).Label;
  Label3 = PlotPenDlg::PlaceControl<TLabel>(this, "Label3", 188, 36, 40, 13);
  CBStartMin = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "St&art at Min. value", "StartAtMin")), this,
                              "CBStartMin", 8, 58, 150, 17);
  EStart = Put<TEdit>(this, AddRow(Make(K::erRealEdit, "Start &Value:", "StartValue")), this, "EStart", 80, 80, 80, 21,
                      72);
  Label4 = Row(RowOf(EStart)).Label;
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Draw every:", "DrawEvery", 0, 100)), this, "Edit1", 80, 106, 45,
                     21, 72);
  UpDown1 = Row(RowOf(Edit1)).UpDown;
  UpDown1->SetName("UpDown1");
  Label5 = Row(RowOf(Edit1)).Label;
  ComboFlat1 = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Loop:", "Loop", {"No", "One way", "Circular"})),
                               this, "ComboFlat1", 80, 132, 90, 21, 72);
  ComboFlat1->Style = TComboBoxStyle::csDropDownList;
  Label6 = Row(RowOf(ComboFlat1)).Label;
  Button1 = PlotPenDlg::PlaceControl<TButton>(this, "Button1", 8, 158, 80, 25);
  Button1->SetCaption("&Execute !");
  Timer1 = Create<TTimer>(this);
  Timer1->SetEnabled(false);
  Timer1->SetInterval(100);
  Timer1->SetOnTimer([this](TObject*) { RefreshButton(); });
  SetClientHeight(190);
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
  OnToolShow = [this] { RefreshControls(); };
  OnSeriesChanged = [this] { RefreshButton(); };
  OnRowChanged = [this](TEditorPage&, int32_t) { RefreshControls(); };
}

TSeriesAnimationTool* TSeriesAnimToolEditor::AnimTool() const {
  return dynamic_cast<TSeriesAnimationTool*>(Tool());
}

void TSeriesAnimToolEditor::RefreshControls() {
  Label3->SetCaption(std::to_string(SBSteps->GetPosition()));
  EStart->SetEnabled(!CBStartMin->GetChecked());
  RefreshButton();
}

void TSeriesAnimToolEditor::RefreshButton() {
  TSeriesAnimationTool* T = AnimTool();
  const bool Running = T && T->IsAnimating();
  Button1->SetEnabled(T && T->GetSeries());
  Button1->Tag = Running ? 1 : 0;
  Button1->SetCaption(Running ? "Stop" : "&Execute !");
  Timer1->SetEnabled(Running);
}

void TSeriesAnimToolEditor::Button1Click(TObject*) {
  TSeriesAnimationTool* T = AnimTool();
  if (!T) return;
  if (Button1->Tag == 1)
    T->RequestStop();
  else
    T->Execute();
  RefreshButton();
}

void TSeriesAnimToolEditor::FormCloseQuery(TObject*, bool& CanClose) {
  TSeriesAnimationTool* T = AnimTool();
  CanClose = !(T && T->IsAnimating());
}
