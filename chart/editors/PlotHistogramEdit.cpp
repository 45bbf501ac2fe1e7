// The histogram series format page.
#include "chart/editors/PlotHistogramEdit.h"

#include "chart/editors/EditorRows.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(THistogramSeriesEditor, TSeriesFormBase) {}

THistogramSeriesEditor::THistogramSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("HistogramSeriesEditor");
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, this, "CBColorEach", 8, 12, 90, 17);
  BAreaColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), this,
                                   "BAreaColor", 8, 38, 90, 25);
  BAreaLinesPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Lines...", "LinesPen")), this,
                                    "BAreaLinesPen", 104, 8, 90, 25);
  BAreaLinePen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "LinePen")), this,
                                   "BAreaLinePen", 104, 38, 90, 25);
  // The series' brush is no published property of its own.
  TEditorRow Pattern = Make(TEditorRowKind::erBrush, "&Pattern...", "");
  Pattern.Getter = [](TObject* O) -> TObject* {
    auto* S = dynamic_cast<TChartSeries*>(O);
    return S ? S->Brush() : nullptr;
  };
  Button1 = Place<TButton>(this, AddRow(Pattern), this, "Button1", 200, 8, 90, 25);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100, 5)),
                          this, "Edit1", "UDTransp", "Label1", 8, 100, 74, 45, Edit1, UDTransp, Label1);
  SetClientWidth(300);
  SetClientHeight(104);
}

void THistogramSeriesEditor::FillForm() {
  if (TChartSeries* S = EditedSeries()) BAreaColor->SetEnabled(!S->GetColorEachPoint());
}

void THistogramSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowColorEach) FillForm();
}
