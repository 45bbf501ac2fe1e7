// The series band tool's editor.
#include "chart/editors/PlotSeriesBandToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotEdiGrad.h"

using EditorRows::Make;
using PlotPenDlg::PlaceControl;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TSeriesBandToolEdit, TSeriesToolEditor) {}

TSeriesBandToolEdit::TSeriesBandToolEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("SeriesBandToolEdit");
  Label2 = PlaceControl<TLabel>(this, "Label2", 8, 36, 56, 13);
  Label2->SetCaption("S&eries 2:");
  CBSeries2 = PlaceControl<TComboFlat>(this, "CBSeries2", 64, 32, 137, 21);
  CBSeries2->Style = TComboBoxStyle::csDropDownList;
  Label2->FocusControl = CBSeries2;
  BBrush = Put<TButton>(this, AddRow(Make(K::erBrush, "&Brush...", "Brush")), this, "BBrush", 8, 62, 70, 25);
  BPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Pen...", "Pen")), this, "BPen", 82, 62, 70, 25);
  BGradient = Put<TButtonGradient>(this, AddRow(Make(K::erGradient, "&Gradient...", "Gradient")), this, "BGradient",
                                   156, 62, 70, 25);
  CBDrawBehind = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Draw Behind Series", "DrawBehindSeries")), this,
                                "CBDrawBehind", 8, 96, 150, 17);
  ETrans = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Transparency:", "Transparency", 0, 100)), this, "ETrans", 88,
                      122, 45, 21, 80);
  UDTrans = Row(RowOf(ETrans)).UpDown;
  UDTrans->SetName("UDTrans");
  Label3 = Row(RowOf(ETrans)).Label;
  OnToolShow = [this] {
    const TPropValue V = PlotToolSeriesEdit::GetProperty(Edited(), "Series2");
    const auto* O = std::get_if<TObject*>(&V);
    FillSeriesCombo(CBSeries2, O ? dynamic_cast<TChartSeries*>(*O) : nullptr, Tool()->GetParentChart());
  };
  CBSeries2->OnChange = [this](TObject*) {
    const int32_t I = CBSeries2->GetItemIndex();
    if (!IsLoading() && I >= 0) PlotToolSeriesEdit::SetProperty(Edited(), "Series2", CBSeries2->Items()->Objects(I));
  };
}
