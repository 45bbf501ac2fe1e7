// The tower series format page.
#include "chart/editors/PlotTowerEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/rtl/SysUtils.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TTowerSeriesEditor, TSeriesFormBase) {}

TTowerSeriesEditor::TTowerSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("TowerSeriesEditor");
  ButtonPen1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "Pen")), this, "ButtonPen1", 8,
                                 8, 95, 25);
  Button1 = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Brush")), this, "Button1", 8, 38,
                           95, 25);
  CBDark3D = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Dark 3D", "Dark3D")), this, "CBDark3D", 8,
                              72, 95, 17);
  CBOrigin = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Use Origin", "UseOrigin")), this,
                              "CBOrigin", 8, 96, 90, 17);
  EOrigin = PlaceControl<TEdit>(this, "EOrigin", 8, 118, 90, 21);
  TEditorRow Style = Make(TEditorRowKind::erCombo, "&Style:", "TowerStyle");
  Style.Items = {{"Cube", 0},  {"Rectangle", 1}, {"Cover", 2},   {"Cylinder", 3},
                 {"Arrow", 4}, {"Cone", 5},      {"Pyramid", 6}, {"Slant Cube", 7}};
  const int32_t StyleRow = AddRow(Style);
  CBStyle = Place<TComboFlat>(this, StyleRow, this, "CBStyle", 160, 8, 110, 21);
  Label1 = PlaceRowLabel(StyleRow, this, "Label1", 116, 12, 40);
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 116, 36, 154, 76);
  GroupBox1->SetCaption("&Percent:");
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Depth:", "PercentDepth", 0, 100, 5)), GroupBox1,
                          "Edit1", "UDDepth", "Label2", 8, 60, 18, 45, Edit1, UDDepth, Label2);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Width:", "PercentWidth", 0, 100, 5)),
                          GroupBox1, "Edit2", "UDWidth", "Label3", 8, 60, 46, 45, Edit2, UDWidth, Label3);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100, 5)),
                          this, "Edit3", "UDTransp", "Label4", 116, 210, 120, 45, Edit3, UDTransp, Label4);
  SetClientWidth(280);
  SetClientHeight(156);
  EOrigin->OnChange = [this](TObject* S) { EOriginChange(S); };
}

TTowerSeries* TTowerSeriesEditor::Tower() const { return SeriesAs<TTowerSeries>(); }

void TTowerSeriesEditor::FillForm() {
  TTowerSeries* S = Tower();
  if (S) EOrigin->SetText(SysUtils::FloatToStr(S->GetOrigin()));
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}

void TTowerSeriesEditor::EOriginChange(TObject*) {
  TTowerSeries* S = Tower();
  double Value = 0;
  // Text that is no number keeps the current origin.
  if (S && !Filling() && PlotSeriesFormBase::ReadReal(EOrigin->GetText(), Value)) S->SetOrigin(Value);
}
