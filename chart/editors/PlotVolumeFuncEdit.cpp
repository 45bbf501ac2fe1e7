// The volume series combo of the volume-weighted function forms.
#include "chart/editors/PlotVolumeFuncEdit.h"

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/extras/PlotCLVFunction.h"

KV_CLASS_IMPL(TVolumeFuncEditor, TBaseFunctionEditor) {}

TVolumeFuncEditor::TVolumeFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  Label1 = PlotPenDlg::PlaceControl<TLabel>(this, "Label1", 8, 12, 100, 13);
  Label1->SetCaption("&Volume series:");
  CBVolume = PlotPenDlg::PlaceControl<TComboFlat>(this, "CBVolume", 124, 8, 150, 21);
  CBVolume->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBVolume;
  NextTop = 40;
  CBVolume->OnChange = [this](TObject*) { EnableApply(); };
}

void TVolumeFuncEditor::FillControls() {
  CBVolume->Items()->Clear();
  FillSeries(CBVolume->Items());
  CBVolume->Items()->InsertObject(0, "(none)", nullptr);
  if (TChartSeries* Own = EditedSeries()) {
    const int32_t I = CBVolume->Items()->IndexOfObject(Own);
    if (I > 0) CBVolume->Items()->Delete(I);
  }
  CBVolume->SetItemIndex(0);
}

void TVolumeFuncEditor::SetFunction() {
  auto* F = dynamic_cast<TVolumeWeightedFunction*>(TheFunction());
  const int32_t I = F && F->GetVolume() ? CBVolume->Items()->IndexOfObject(F->GetVolume()) : 0;
  CBVolume->SetItemIndex(I);
  TBaseFunctionEditor::SetFunction();
}

TChartSeries* TVolumeFuncEditor::ChosenVolume() const {
  const int32_t I = CBVolume->GetItemIndex();
  auto* S = I > 0 ? dynamic_cast<TChartSeries*>(CBVolume->Items()->Objects(I)) : nullptr;
  // The entry is taken only while it is still a series of the chart.
  TChartSeries* Own = EditedSeries();
  auto* Chart = Own ? dynamic_cast<TCustomAxisPanel*>(Own->GetParentChart()) : nullptr;
  return S && Chart && Chart->GetSeriesList().IndexOf(S) >= 0 ? S : nullptr;
}

void TVolumeFuncEditor::ApplyFormChanges() {
  if (auto* F = dynamic_cast<TVolumeWeightedFunction*>(TheFunction())) F->SetVolume(ChosenVolume());
  TBaseFunctionEditor::ApplyFormChanges();
}
