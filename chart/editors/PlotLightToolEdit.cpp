// The lighting tool's editor.
#include "chart/editors/PlotLightToolEdit.h"

#include <tuple>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/Chart.h"
#include "chart/extras/PlotLighting.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TLightToolEditor, TEditorPage) {}

TLightToolEditor::TLightToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("LightToolEditor");
  SetCaption("2D Lighting");
  SetAlign(TAlign::alClient);
  SetClientWidth(260);
  BeginLoading();
  CBFollow = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Follow mouse", "FollowMouse")), this, "CBFollow", 8, 8, 120,
                            17);
  CBFollow->SetChecked(true);
  TBLeft = Put<TTrackBar>(this, AddRow(Make(K::erTrackBar, "&Left:", "Left", 0, 400)), this, "TBLeft", 64, 32, 180,
                          25, 56);
  TBTop = Put<TTrackBar>(this, AddRow(Make(K::erTrackBar, "&Top:", "Top", 0, 250)), this, "TBTop", 64, 62, 180, 25, 56);
  TBFactor = Put<TTrackBar>(this, AddRow(Make(K::erTrackBar, "F&actor:", "Factor", 0, 100)), this, "TBFactor", 64, 92,
                            180, 25, 56);
  TBFactor->Frequency = 20;
  CBStyle = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Style:", "Style", {"Linear", "Spotlight"})), this,
                            "CBStyle", 64, 124, 100, 21, 56);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  Label1 = Row(RowOf(TBLeft)).Label;
  Label2 = Row(RowOf(TBTop)).Label;
  Label3 = Row(RowOf(TBFactor)).Label;
  Label4 = Row(RowOf(CBStyle)).Label;
  SetClientHeight(152);
  OnShow = [this](TObject* S) { FormShow(S); };
}

TLightTool* TLightToolEditor::Tool() const { return dynamic_cast<TLightTool*>(Edited()); }

void TLightToolEditor::FormShow(TObject*) {
  TLightTool* T = Tool();
  EnableRows(T != nullptr);
  if (T) {
    BeginLoading();
    LoadControls();
    // The bars span the chart; -1 (the chart's centre) shows at the centre.
    auto* Chart = dynamic_cast<TCustomPlotPanel*>(T->GetParentChart());
    const int32_t W = Chart ? Chart->GetWidth() : 400, H = Chart ? Chart->GetHeight() : 250;
    const TPoint Light = T->LightPoint();
    for (const auto& [Bar, Max, At] : {std::tuple{TBLeft, W, Light.X}, std::tuple{TBTop, H, Light.Y}}) {
      Bar->SetMax(Max);
      Bar->Frequency = 40;
      Bar->SetPosition(At);
    }
    EndLoading();
  }
  if (!FShown) {
    FShown = true;
    EndLoading();
  }
}
