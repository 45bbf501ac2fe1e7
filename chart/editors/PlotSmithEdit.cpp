// The Smith chart series format page.
#include "chart/editors/PlotSmithEdit.h"

#include "chart/editors/PlotCircledEdit.h"
#include "chart/extras/PlotSmith.h"
#include "chart/series/PlotBrushDlg.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TSmithSeriesEdit, TSeriesFormBase) {}

TSmithSeriesEdit::TSmithSeriesEdit(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("SmithSeriesEdit");
  CBC = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&C Labels", "CLabels")), this, "CBC", 8, 8, 90,
                         17);
  BCPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "C &Pen...", "CCirclePen")), this, "BCPen", 104,
                            4, 85, 25);
  BCFont = PlaceControl<TButton>(this, "BCFont", 196, 4, 85, 25);
  BCFont->SetCaption("&Font...");
  CBR = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&R Labels", "RLabels")), this, "CBR", 8, 38, 90,
                         17);
  BRPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "R P&en...", "RCirclePen")), this, "BRPen", 104,
                            34, 85, 25);
  BRFont = PlaceControl<TButton>(this, "BRFont", 196, 34, 85, 25);
  BRFont->SetCaption("Fo&nt...");
  BCircle = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Circle...", "CirclePen")), this, "BCircle", 8,
                              66, 85, 25);
  BBorder = Place<TButtonPen>(
      this, AddRow(PartRow(TEditorRowKind::erPen, "&Border...", Part(&TCustomChartElement::Pen))), this, "BBorder",
      104, 66, 85, 25);
  CBColorEach = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "C&olor Each", "ColorEachPoint")), this,
                                 "CBColorEach", 196, 70, 90, 17);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 104, 90, 13);
  Label1->SetCaption("&Imag. Symbol:");
  EImag = PlaceControl<TEdit>(this, "EImag", 104, 100, 60, 21);
  Label1->FocusControl = EImag;
  BindText(EImag, Access(&TSmithSeries::GetImagSymbol, &TSmithSeries::SetImagSymbol));
  SetClientWidth(292);
  SetClientHeight(130);
  BCFont->OnClick = [this](TObject*) {
    if (auto* S = SeriesAs<TSmithSeries>()) PlotBrushDlg::EditFontDialog(this, S->CLabelsFont());
  };
  BRFont->OnClick = [this](TObject*) {
    if (auto* S = SeriesAs<TSmithSeries>()) PlotBrushDlg::EditFontDialog(this, S->RLabelsFont());
  };
}

void TSmithSeriesEdit::FillForm() { TCircledSeriesEditor::Insert(this); }
