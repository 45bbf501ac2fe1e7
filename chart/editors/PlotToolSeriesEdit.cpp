// The base of the editor forms of series-bound tools.
#include "chart/editors/PlotToolSeriesEdit.h"

#include "chart/engine/PlotEngine_Series.h"
#include "platform/rtl/ClassInfo.h"

using PlotPenDlg::PlaceControl;

namespace PlotToolSeriesEdit {

TEditorRow Choice(TEditorRowKind Kind, const std::string& Caption, const std::string& Path,
                  std::initializer_list<const char*> Names) {
  TEditorRow R;
  R.Kind = Kind;
  R.Caption = Caption;
  R.Path = Path;
  int32_t Ordinal = 0;
  for (const char* N : Names) R.Items.emplace_back(N, Ordinal++);
  return R;
}

bool SetProperty(TObject* Object, const char* Name, const TPropValue& Value) {
  const TPropInfo* P = Object ? Object->ClassType()->FindProperty(Name) : nullptr;
  if (!P || P->IsReadOnly()) return false;
  P->Set(Object, Value);
  return true;
}

TPropValue GetProperty(const TObject* Object, const char* Name) {
  const TPropInfo* P = Object ? Object->ClassType()->FindProperty(Name) : nullptr;
  return P ? P->Get(Object) : TPropValue{};
}

void LoadCursorCombo(TComboFlat* Combo, const TObject* Object, const char* Property) {
  const TPropValue V = GetProperty(Object, Property);
  const auto* I = std::get_if<int64_t>(&V);
  PlotPenDlg::FillCursorCombo(Combo, I ? static_cast<TCursor>(*I) : crDefault);
}

void WriteCursorCombo(const TComboFlat* Combo, TObject* Object, const char* Property) {
  const int32_t Item = Combo->GetItemIndex();
  if (!Object || Item < 0) return;
  const TPropValue V = GetProperty(Object, Property);
  const auto* I = std::get_if<int64_t>(&V);
  const TCursor Old = I ? static_cast<TCursor>(*I) : crDefault;
  SetProperty(Object, Property, static_cast<int64_t>(PlotPenDlg::CursorFromName(Old, Combo->Items()->Strings(Item))));
}

}  // namespace PlotToolSeriesEdit

KV_CLASS_IMPL(TSeriesToolEditor, TEditorPage) {}

TSeriesToolEditor::TSeriesToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("SeriesToolEditor");
  SetClientWidth(233);
  SetClientHeight(172);
  // FormCreate
  SetAlign(TAlign::alClient);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 8, 40, 13);
  Label1->SetCaption("&Series:");
  CBSeries = PlaceControl<TComboFlat>(this, "CBSeries", 56, 4, 145, 21);
  CBSeries->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBSeries;
  // Nothing reaches the tool before the form has loaded it.
  BeginLoading();
  OnShow = [this](TObject* S) { FormShow(S); };
  CBSeries->OnChange = [this](TObject* S) { CBSeriesChange(S); };
}

TPlotCustomTool* TSeriesToolEditor::Tool() const { return dynamic_cast<TPlotCustomTool*>(Edited()); }

TChartSeries* TSeriesToolEditor::ToolSeries() const {
  const TPropValue V = PlotToolSeriesEdit::GetProperty(Tool(), "Series");
  const auto* O = std::get_if<TObject*>(&V);
  return O ? dynamic_cast<TChartSeries*>(*O) : nullptr;
}

void TSeriesToolEditor::FillSeriesCombo(TComboFlat* Combo, TChartSeries* Series, TSeriesChart* Chart,
                                        const TSeriesFilter& Accept, const std::string& FirstItem) {
  TStrings* Items = Combo->Items();
  Items->Clear();
  if (Chart) {
    PlotEngine::FillSeriesItems(*Items, Chart->GetSeriesList(), true);
    if (Accept)
      for (int32_t i = Items->Count() - 1; i >= 0; --i)
        if (!Accept(static_cast<TChartSeries*>(Items->Objects(i)))) Items->Delete(i);
    Combo->SetEnabled(Items->Count() > 0);
  }
  if (!FirstItem.empty()) Items->InsertObject(0, FirstItem, nullptr);
  Combo->SetItemIndex(Items->IndexOfObject(Series));
}

void TSeriesToolEditor::FormShow(TObject*) {
  if (TPlotCustomTool* T = Tool()) {
    FillSeriesCombo(CBSeries, ToolSeries(), T->GetParentChart(), AcceptSeries, FirstItem);
    LoadControls();
    if (OnToolShow) OnToolShow();
  }
  if (!FShown) {
    FShown = true;
    EndLoading();
  }
}

void TSeriesToolEditor::CBSeriesChange(TObject*) {
  TPlotCustomTool* T = Tool();
  if (!T || IsLoading()) return;
  const int32_t I = CBSeries->GetItemIndex();
  TObject* S = I >= 0 ? CBSeries->Items()->Objects(I) : nullptr;
  PlotToolSeriesEdit::SetProperty(T, "Series", S);
  if (OnSeriesChanged) OnSeriesChanged();
}
