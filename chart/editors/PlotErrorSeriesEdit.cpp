// The error series format page.
#include "chart/editors/PlotErrorSeriesEdit.h"

#include "chart/editors/PlotBarSeriesEdit.h"
#include "chart/series/ErrorBar.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;

KV_CLASS_IMPL(TErrorSeriesEditor, TSeriesFormBase) {}

TErrorSeriesEditor::TErrorSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("ErrorSeriesEditor");
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Error &Width:", "ErrorWidth", 0, 100)), this, "SEBarwidth",
              "UDBarWidth", "Label1", 8, 90, 10, 45, SEBarwidth, UDBarWidth, Label1);
  TEditorRow Units = Make(TEditorRowKind::erRadio, "Width Units:", "ErrorWidthUnits");
  Units.Items = {{"P&ercent", 0}, {"P&ixels", 1}};
  RGWidthUnit = Place<TRadioGroup>(this, AddRow(Units), this, "RGWidthUnit", 8, 40, 130, 60);
  TEditorRow Style = Make(TEditorRowKind::erRadio, "Style:", "ErrorStyle");
  Style.Items = {{"&Left", 0}, {"&Right", 1}, {"Left &and Right", 2}, {"&Top", 3}, {"&Bottom", 4}, {"T&op and Bottom", 5}};
  RGStyle = Place<TRadioGroup>(this, AddRow(Style), this, "RGStyle", 150, 8, 140, 130);
  CBColorEach = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Color Each", "ColorEachPoint")), this,
                                 "CBColorEach", 8, 110, 100, 17);
  FRowPen = AddRow(Make(TEditorRowKind::erPen, "&Border...", "ErrorPen"));
  BPen = Place<TButtonPen>(this, FRowPen, this, "BPen", 8, 134, 90, 25);
  SetClientWidth(300);
  SetClientHeight(165);
}

void TErrorSeriesEditor::FillForm() {
  RGStyle->SetVisible(SeriesAs<TErrorSeries>() != nullptr);
  if (SeriesAs<TErrorBarSeries>()) EmbedOnce("Bar", TBarSeriesEditor::StaticClass(), EditedSeries(), 1);
}

void TErrorSeriesEditor::RowRule(int32_t Row) {
  auto* S = SeriesAs<TCustomErrorSeries>();
  // Error marks without bars show in the series colour: it follows the pen.
  if (Row == FRowPen && S && !dynamic_cast<TErrorBarSeries*>(S)) S->SetSeriesColor(S->ErrorPen()->GetColor());
}
