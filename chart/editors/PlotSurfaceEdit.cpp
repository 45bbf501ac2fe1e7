// The surface series format page.
#include "chart/editors/PlotSurfaceEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotSurfaGrid.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TSurfaceSeriesEditor, TSeriesFormBase) {}

namespace {
enum TDrawingMode { dmSolid, dmWireFrame, dmDotFrame };
}

TSurfaceSeriesEditor::TSurfaceSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("SurfaceSeriesEditor");
  SetClientWidth(330);
  SetClientHeight(150);
  RadioGroup1 = PlaceControl<TRadioGroup>(this, "RadioGroup1", 8, 4, 105, 81);
  RadioGroup1->SetCaption("&Drawing Mode:");
  for (const char* Mode : {"Solid", "WireFrame", "DotFrame"}) RadioGroup1->Items()->Add(Mode);
  CBSmooth = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Smooth palette", "SmoothPalette")), this,
                              "CBSmooth", 8, 92, 120, 17);
  CBFastBrush = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Fast Brush", "FastBrush")), this,
                                 "CBFastBrush", 8, 116, 120, 17);
  Button2 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Pen...", "Pen")), this, "Button2", 124, 8,
                              95, 25);
  Button3 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Brush...", "Brush")), this, "Button3", 124,
                           38, 95, 25);
  Button1 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "S&ide Brush...", "SideBrush")), this,
                           "Button1", 226, 8, 95, 25);
  BSideLines = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "Side &Lines...", "SideLines")), this,
                                 "BSideLines", 226, 38, 95, 25);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100, 5)),
                          this, "Edit1", "UDTransp", "Label1", 124, 226, 72, 45, Edit1, UDTransp, Label1);
  SetClientHeight(150);
  RadioGroup1->OnClick = [this](TObject* S) { RadioGroup1Click(S); };
}

TSurfaceSeries* TSurfaceSeriesEditor::Surface() const { return SeriesAs<TSurfaceSeries>(); }

void TSurfaceSeriesEditor::FillForm() {
  TSurfaceSeries* S = Surface();
  if (S) RadioGroup1->SetItemIndex(S->GetWireFrame() ? dmWireFrame : S->GetDotFrame() ? dmDotFrame : dmSolid);
  // Shown again with its palette page made: the page is bound to the series anew.
  if (auto* Palette = dynamic_cast<TGrid3DSeriesEditor*>(EmbeddedForm("Grid 3D"))) {
    Palette->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(S));
    Palette->FormShow(Palette);
    return;
  }
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}

void TSurfaceSeriesEditor::RadioGroup1Click(TObject*) {
  TSurfaceSeries* S = Surface();
  if (!S || Filling()) return;
  switch (RadioGroup1->GetItemIndex()) {
    case dmSolid:
      S->SetDotFrame(false);
      S->SetWireFrame(false);
      break;
    case dmWireFrame:
      S->SetWireFrame(true);
      break;
    case dmDotFrame:
      S->SetDotFrame(true);
      break;
    default:
      break;
  }
}
