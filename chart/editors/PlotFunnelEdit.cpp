// The funnel series format page.
#include "chart/editors/PlotFunnelEdit.h"

#include "chart/extras/PlotFunnel.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;

KV_CLASS_IMPL(TFunnelSeriesEditor, TSeriesFormBase) {}

TFunnelSeriesEditor::TFunnelSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("FunnelSeriesEditor");
  ButtonPen1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Lines...", "LinesPen")), this, "ButtonPen1",
                                 8, 8, 90, 25);
  ButtonPen2 = Place<TButtonPen>(
      this, AddRow(PartRow(TEditorRowKind::erPen, "&Border...", Part(&TCustomChartElement::Pen))), this, "ButtonPen2",
      104, 8, 90, 25);
  Button1 = Place<TButton>(
      this, AddRow(PartRow(TEditorRowKind::erBrush, "&Pattern...", Part(&TCustomChartElement::Brush))), this,
      "Button1", 200, 8, 90, 25);
  AboveColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Above...", "AboveColor")), this,
                                   "AboveColor", 8, 42, 90, 25);
  WithinColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Within...", "WithinColor")), this,
                                    "WithinColor", 104, 42, 90, 25);
  BelowColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "B&elow...", "BelowColor")), this,
                                   "BelowColor", 200, 42, 90, 25);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Dif. Limit:", "DifferenceLimit", 1, 50)), this, "Edit1",
              "DifLimit", "Label1", 8, 80, 80, 40, Edit1, DifLimit, Label1);
  SetClientWidth(300);
  SetClientHeight(112);
}
