// The base of the editor forms of axis-bound tools.
#include "chart/editors/PlotAxisToolEdit.h"

#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/PlotEngine_Series.h"

using PlotPenDlg::PlaceControl;

namespace {
// The chart's axes list holds left, top, right, bottom and the two depth
// axes before the custom axes; the combo lists left, right, top, bottom.
constexpr int32_t ListedStandardAxes = 4;
constexpr int32_t ListStandardAxes = 6;
constexpr int32_t CustomItemShift = ListStandardAxes - ListedStandardAxes;

TChartAxis* StandardAxis(TChartAxes& Axes, int32_t Item) {
  switch (Item) {
    case 0: return Axes.Left();
    case 1: return Axes.Right();
    case 2: return Axes.Top();
    default: return Axes.Bottom();
  }
}
}  // namespace

KV_CLASS_IMPL(TAxisToolEditor, TEditorPage) {}

TAxisToolEditor::TAxisToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("AxisToolEditor");
  // FormCreate
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(232);
  SetClientHeight(143);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 8, 40, 13);
  Label1->SetCaption("&Axis:");
  CBAxis = PlaceControl<TComboFlat>(this, "CBAxis", 48, 4, 105, 21);
  CBAxis->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBAxis;
  BPen = PlaceControl<TButtonPen>(this, "BPen", 160, 2, 70, 25);
  BPen->SetCaption("&Border...");
  // Nothing reaches the tool before the form has loaded it.
  BeginLoading();
  OnShow = [this](TObject* S) { FormShow(S); };
  CBAxis->OnChange = [this](TObject* S) { CBAxisChange(S); };
}

TPlotCustomToolAxis* TAxisToolEditor::Tool() const { return dynamic_cast<TPlotCustomToolAxis*>(Edited()); }

int32_t TAxisToolEditor::AxisItem(TChartAxes& Axes, const TChartAxis* Axis) {
  if (!Axis) return -1;
  for (int32_t Item = 0; Item < ListedStandardAxes; ++Item)
    if (StandardAxis(Axes, Item) == Axis) return Item;
  for (int32_t i = ListStandardAxes; i < Axes.Count(); ++i)
    if (Axes.Items(i) == Axis) return i - CustomItemShift;
  return -1;
}

TChartAxis* TAxisToolEditor::ItemAxis(TChartAxes& Axes, int32_t Item) {
  if (Item < 0) return nullptr;
  if (Item < ListedStandardAxes) return StandardAxis(Axes, Item);
  const int32_t Index = Item + CustomItemShift;
  return Index < Axes.Count() ? Axes.Items(Index) : nullptr;
}

void TAxisToolEditor::FormShow(TObject*) {
  TPlotCustomToolAxis* T = Tool();
  BPen->SetEnabled(T != nullptr);
  CBAxis->SetEnabled(T != nullptr);
  if (T) {
    TStrings* Items = CBAxis->Items();
    Items->Clear();
    for (const char* S : {"Left Axis", "Right Axis", "Top Axis", "Bottom Axis"}) Items->Add(S);
    TSeriesChart* Chart = T->GetParentChart();
    if (Chart) {
      TChartAxes& Axes = Chart->GetAxes();
      for (int32_t i = ListStandardAxes; i < Axes.Count(); ++i)
        Items->Add("Custom " + std::to_string(i - ListStandardAxes));
      CBAxis->SetItemIndex(AxisItem(Axes, T->GetAxis()));
    }
    BPen->BindPen(T->Pen());
    CBAxis->SetEnabled(Chart != nullptr);
    // A tool class that publishes no pen has no border to edit.
    BPen->SetVisible(T->ClassType()->FindProperty("Pen") != nullptr);
    LoadControls();
    if (OnToolShow) OnToolShow();
  }
  if (!FShown) {
    FShown = true;
    EndLoading();
  }
}

void TAxisToolEditor::CBAxisChange(TObject*) {
  TPlotCustomToolAxis* T = Tool();
  if (!T || IsLoading() || !T->GetParentChart()) return;
  T->SetAxis(ItemAxis(T->GetParentChart()->GetAxes(), CBAxis->GetItemIndex()));
}
