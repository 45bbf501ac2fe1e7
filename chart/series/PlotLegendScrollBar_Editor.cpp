// The scroll bar tool's editor form, built from editor rows.
#include "chart/series/PlotLegendScrollBar.h"

KV_CLASS_IMPL(TScrollbarEditor, TEditorPage) {}

TScrollbarEditor::TScrollbarEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("ScrollbarEditor");
  SetCaption("ScrollbarEditor");
  using K = TEditorRowKind;
  auto ObjectRow = [this](K Kind, const char* Caption, std::function<TObject*(TObject*)> Getter) {
    TEditorRow R;
    R.Kind = Kind;
    R.Caption = Caption;
    R.Getter = std::move(Getter);
    AddRow(R);
  };
  auto Tool = [](TObject* O) { return dynamic_cast<TPlotScrollBar*>(O); };
  ObjectRow(K::erPen, "&Border...", [Tool](TObject* O) -> TObject* { return Tool(O) ? Tool(O)->Pen() : nullptr; });
  TEditorRow Bevel;
  Bevel.Kind = K::erCombo;
  Bevel.Caption = "B&evel:";
  Bevel.Path = "Bevel";
  Bevel.Items = {{"None", 0}, {"Lowered", 1}, {"Raised", 2}};
  AddRow(Bevel);
  TEditorRow Auto;
  Auto.Kind = K::erCheck;
  Auto.Caption = "A&uto-repeat";
  Auto.Path = "AutoRepeat";
  AddRow(Auto);
  TEditorRow Size;
  Size.Kind = K::erUpDown;
  Size.Caption = "&Size:";
  Size.Path = "Size";
  Size.Min = 1;
  Size.Max = 300;
  AddRow(Size);
  TEditorRow Delay;
  Delay.Kind = K::erUpDown;
  Delay.Caption = "&Initial delay";
  Delay.Path = "InitialDelay";
  Delay.Min = 0;
  Delay.Max = 5000;
  Delay.Step = 25;
  AddRow(Delay);
  TEditorRow Back;
  Back.Kind = K::erColor;
  Back.Caption = "Back &Color...";
  Back.Path = "BackColor";
  AddRow(Back);
  TEditorRow Gradient;
  Gradient.Kind = K::erGradient;
  Gradient.Caption = "&Gradient...";
  Gradient.Path = "Gradient";
  AddRow(Gradient);
  ObjectRow(K::erBrush, "&Thumb...", [Tool](TObject* O) -> TObject* { return Tool(O) ? Tool(O)->ThumbBrush() : nullptr; });
  ObjectRow(K::erBrush, "B&ack...", [Tool](TObject* O) -> TObject* { return Tool(O) ? Tool(O)->Brush() : nullptr; });
  ObjectRow(K::erBrush, "A&rrows...", [Tool](TObject* O) -> TObject* { return Tool(O) ? Tool(O)->ArrowBrush() : nullptr; });
  SetClientWidth(250);
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TScrollbarEditor::FormShow(TObject*) {
  const bool HasTool = Tool() != nullptr;
  EnableRows(HasTool);
  if (HasTool) LoadControls();
}
