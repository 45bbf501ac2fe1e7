#include "chart/extras/PlotAidEditors.h"

#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotLighting.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
#include <tuple>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"

namespace {

using K = TEditorRowKind;

TEditorRow MakeRow(K Kind, const char* Caption, const char* Path, int32_t Min = 0, int32_t Max = 100) {
  TEditorRow r;
  r.Kind = Kind;
  r.Caption = Caption;
  r.Path = Path;
  r.Min = Min;
  r.Max = Max;
  return r;
}

template <class T>
TEditorRow ObjectRow(K Kind, const char* Caption, TObject* (*Get)(T*)) {
  TEditorRow r;
  r.Kind = Kind;
  r.Caption = Caption;
  r.Getter = [Get](TObject* O) -> TObject* {
    T* t = dynamic_cast<T*>(O);
    return t ? Get(t) : nullptr;
  };
  return r;
}

void Page(TEditorPage& P, const char* Name) {
  P.SetName(Name);
  P.SetCaption(Name);
  P.SetClientWidth(250);
}

}  // namespace

KV_CLASS_IMPL(TLightToolEditor, TEditorPage) {}

TLightToolEditor::TLightToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "LightToolEditor");
  AddRow(MakeRow(K::erCheck, "&Follow mouse", "FollowMouse"));
  AddRow(MakeRow(K::erTrackBar, "&Left:", "Left", 0, 400));
  AddRow(MakeRow(K::erTrackBar, "&Top:", "Top", 0, 250));
  AddRow(MakeRow(K::erTrackBar, "F&actor:", "Factor", 0, 100));
  TEditorRow style = MakeRow(K::erCombo, "&Style:", "Style");
  style.Items = {{"Linear", 0}, {"Spotlight", 1}};
  AddRow(style);
  static_cast<TCheckBox*>(Row(rFollowMouse).Control)->SetChecked(true);
  OnShow = [this](TObject*) { FormShow(); };
}

void TLightToolEditor::FormShow() {
  auto* tool = dynamic_cast<TLightTool*>(Edited());
  EnableRows(tool != nullptr);
  if (!tool) return;
  LoadControls();
  // The track bars span the chart; -1 (the chart's centre) shows as the centre.
  auto* chart = dynamic_cast<TCustomPlotPanel*>(tool->GetParentChart());
  const int32_t w = chart ? chart->GetWidth() : 400, h = chart ? chart->GetHeight() : 250;
  const TPoint light = tool->LightPoint();
  BeginLoading();
  for (const auto& [row, max, at] : {std::tuple{rLeft, w, light.X}, std::tuple{rTop, h, light.Y}}) {
    auto* bar = static_cast<TTrackBar*>(Row(row).Control);
    bar->SetMax(max);
    bar->Frequency = 40;
    bar->SetPosition(at);
  }
  static_cast<TTrackBar*>(Row(rFactor).Control)->Frequency = 20;
  EndLoading();
}

KV_CLASS_IMPL(TSelectorToolEditor, TEditorPage) {}

TSelectorToolEditor::TSelectorToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "SelectorToolEditor");
  AddRow(ObjectRow<TSelectorTool>(K::erPen, "&Handles...", [](TSelectorTool* T) -> TObject* { return T->Pen(); }));
  AddRow(ObjectRow<TSelectorTool>(K::erBrush, "&Color...", [](TSelectorTool* T) -> TObject* { return T->Brush(); }));
  AddRow(MakeRow(K::erUpDown, "&Size:", "HandleSize", 1, 1000));
  AddRow(MakeRow(K::erCheck, "&Allow Drag", "AllowDrag"));
  AddRow(MakeRow(K::erCheck, "Allow &Resize Chart", "AllowResizeChart"));
}

KV_CLASS_IMPL(TDragPointToolEdit, TEditorPage) {}

TDragPointToolEdit::TDragPointToolEdit(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "DragPointToolEdit");
  TEditorRow style = MakeRow(K::erRadio, "Drag Style:", "DragStyle");
  style.Items = {{"&X", 0}, {"&Y", 1}, {"&Both", 2}};
  AddRow(style);
}

KV_CLASS_IMPL(TPieToolEditor, TEditorPage) {}

TPieToolEditor::TPieToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "PieToolEditor");
  TEditorRow style = MakeRow(K::erRadio, "&Style:", "Style");
  style.Items = {{"Focus", 0}, {"Explode", 1}};
  AddRow(style);
  AddRow(ObjectRow<TPieTool>(K::erPen, "&Border...", [](TPieTool* T) -> TObject* { return T->Pen(); }));
}

KV_CLASS_IMPL(TGanttToolEditor, TEditorPage) {}

TGanttToolEditor::TGanttToolEditor(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "GanttToolEditor");
  AddRow(MakeRow(K::erUpDown, "&Resize pixels tolerance:", "MinPixels", 0, 1000));
  AddRow(MakeRow(K::erCheck, "Allow &Drag", "AllowDrag"));
  AddRow(MakeRow(K::erCheck, "Allow &Resize", "AllowResize"));
}

KV_CLASS_IMPL(TSeriesBandToolEdit, TEditorPage) {}

TSeriesBandToolEdit::TSeriesBandToolEdit(TComponent* Owner) : TEditorPage(Owner) {
  Page(*this, "SeriesBandToolEdit");
  AddRow(ObjectRow<TSeriesBandTool>(K::erBrush, "&Brush...", [](TSeriesBandTool* T) -> TObject* { return T->Brush(); }));
  AddRow(ObjectRow<TSeriesBandTool>(K::erPen, "&Pen...", [](TSeriesBandTool* T) -> TObject* { return T->Pen(); }));
  AddRow(MakeRow(K::erGradient, "&Gradient...", "Gradient"));
  AddRow(MakeRow(K::erCheck, "&Draw Behind Series", "DrawBehindSeries"));
  AddRow(MakeRow(K::erUpDown, "&Transparency:", "Transparency", 0, 100));
}

namespace PlotAidEditors {
void Initialization() {
  for (TClass c : {TLightToolEditor::StaticClass(), TSelectorToolEditor::StaticClass(), TDragPointToolEdit::StaticClass(),
                   TPieToolEditor::StaticClass(), TGanttToolEditor::StaticClass(), TSeriesBandToolEdit::StaticClass()})
    ClassInfo::RegisterClass(c);
}
}  // namespace PlotAidEditors
