// The shape series format page.
#include "chart/editors/PlotShapeEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/extras/PlotShape.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "platform/rtl/SysUtils.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

namespace {

using EditorRows::AddTab;

TLabel* AddLabel(TForm* Form, TWinControl* Parent, const char* Name, const char* Caption, int L, int T,
                 TWinControl* Focus) {
  auto* Label = PlaceControl<TLabel>(Form, Parent, Name, L, T, 40, 13);
  Label->SetCaption(Caption);
  Label->FocusControl = Focus;
  return Label;
}

}  // namespace

KV_CLASS_IMPL(TChartShapeEditor, TEditorPage) {}

TChartShapeEditor::TChartShapeEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("ChartShapeEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(360);
  SetClientHeight(200);
  SetAlign(TAlign::alClient);
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 360, 200);
  PageControl1->SetAlign(TAlign::alClient);
  TabStyle = AddTab(this, PageControl1, "TabStyle", "Style");
  TabPosition = AddTab(this, PageControl1, "TabPosition", "Position");
  TabText = AddTab(this, PageControl1, "TabText", "Text");

  TEditorRow Styles = Make(TEditorRowKind::erCombo, "&Style:", "Style");
  const char* StyleNames[] = {"Rectangle", "Circle",         "Vertical Line", "Horiz. Line", "Triangle",
                              "Invert. Triangle", "Line",    "Diamond",       "Cube",        "Cross",
                              "Diagonal Cross",   "Star",    "Pyramid",       "Invert. Pyramid"};
  for (int32_t i = 0; i < 14; ++i) Styles.Items.emplace_back(StyleNames[i], i);
  FRowStyle = AddRow(Styles);
  CBStyle = Place<TComboFlat>(this, FRowStyle, TabStyle, "CBStyle", 56, 8, 130, 21);
  CBStyle->DropDownCount = 14;
  Label1 = Row(FRowStyle).Label;
  Label1->SetName("Label1");
  Label1->SetParent(TabStyle);
  Label1->SetBounds(8, 12, 44, 13);
  Label1->FocusControl = CBStyle;
  BShapeColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), TabStyle,
                                    "BShapeColor", 8, 40, 96, 25);
  BShapePen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "Bor&der...", "Pen")), TabStyle, "BShapePen",
                                108, 40, 96, 25);
  FRowBrush = AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Brush"));
  BShapeBrush = Place<TButton>(this, FRowBrush, TabStyle, "BShapeBrush", 208, 40, 96, 25);
  BGradient = Place<TButtonGradient>(this, AddRow(Make(TEditorRowKind::erGradient, "&Gradient...", "Gradient")),
                                     TabStyle, "BGradient", 208, 72, 96, 25);
  CBTrans = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Tra&nsparent", "Transparent")), TabStyle,
                             "CBTrans", 8, 76, 100, 17);
  CBRound = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Round Rectangle", "RoundRectangle")),
                             TabStyle, "CBRound", 8, 100, 130, 17);

  auto Corner = [this](const char* EditName, const char* LabelName, const char* Caption, int L, int T) {
    TEdit* E = PlaceControl<TEdit>(this, TabPosition, EditName, L + 52, T, 80, 21);
    AddLabel(this, TabPosition, LabelName, Caption, L, T + 4, E);
    return E;
  };
  SEX0 = Corner("SEX0", "LX0", "&Left:", 8, 8);
  SEY0 = Corner("SEY0", "LY0", "&Top:", 8, 36);
  SEX1 = Corner("SEX1", "LX1", "&Right", 160, 8);
  SEY1 = Corner("SEY1", "LY1", "&Bottom:", 160, 36);
  LX0 = static_cast<TLabel*>(FindComponent("LX0"));
  LY0 = static_cast<TLabel*>(FindComponent("LY0"));
  LX1 = static_cast<TLabel*>(FindComponent("LX1"));
  LY1 = static_cast<TLabel*>(FindComponent("LY1"));
  TEditorRow Units = Make(TEditorRowKind::erCombo, "&Units:", "XYStyle");
  Units.Items = {{"Pixels", 0}, {"Axis", 1}, {"Axis Origin", 2}};
  const int32_t UnitsRow = AddRow(Units);
  CBUnits = Place<TComboFlat>(this, UnitsRow, TabPosition, "CBUnits", 60, 72, 100, 21);
  LUnits = Row(UnitsRow).Label;
  LUnits->SetName("LUnits");
  LUnits->SetParent(TabPosition);
  LUnits->SetBounds(8, 76, 44, 13);
  LUnits->FocusControl = CBUnits;

  MemoText = PlaceControl<TMemo>(this, TabText, "MemoText", 8, 24, 136, 146);
  LText = AddLabel(this, TabText, "LText", "Te&xt:", 8, 6, MemoText);
  TEditorRow Align = Make(TEditorRowKind::erRadio, "&Horiz. Alignment", "Alignment");
  Align.Items = {{"Left", static_cast<int32_t>(TAlignment::taLeftJustify)},
                 {"Center", static_cast<int32_t>(TAlignment::taCenter)},
                 {"Right", static_cast<int32_t>(TAlignment::taRightJustify)}};
  RGAlign = Place<TRadioGroup>(this, AddRow(Align), TabText, "RGAlign", 8, 176, 190, 40);
  RGAlign->SetColumns(3);
  TEditorRow Vert = Make(TEditorRowKind::erRadio, "&Alignment", "VertAlign");
  Vert.Items = {{"Top", static_cast<int32_t>(vaTop)},
                {"Center", static_cast<int32_t>(vaCenter)},
                {"Bottom", static_cast<int32_t>(vaBottom)}};
  RGVertAlign = Place<TRadioGroup>(this, AddRow(Vert), TabText, "RGVertAlign", 204, 176, 190, 40);
  RGVertAlign->SetColumns(3);
  FontEditor = PlotEdiFont::EmbedFontEditor(TabText);
  FontEditor->SetLeft(148);
  PageControl1->SetActivePage(TabStyle);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
  SEX0->OnChange = [this](TObject*) { CornerChanged(SEX0, &TChartShape::SetX0); };
  SEX1->OnChange = [this](TObject*) { CornerChanged(SEX1, &TChartShape::SetX1); };
  SEY0->OnChange = [this](TObject*) { CornerChanged(SEY0, &TChartShape::SetY0); };
  SEY1->OnChange = [this](TObject*) { CornerChanged(SEY1, &TChartShape::SetY1); };
  MemoText->OnChange = [this](TObject*) {
    if (FShowing && !IsLoading())
      if (TChartShape* S = Shape()) S->SetText(MemoText->Lines());
  };
}

TChartShape* TChartShapeEditor::Shape() const { return dynamic_cast<TChartShape*>(Edited()); }

void TChartShapeEditor::FormShow(TObject*) {
  FShowing = false;
  TChartShape* S = Shape();
  if (!S) return;
  LoadControls();
  BeginLoading();
  MemoText->Lines()->Assign(S->Text());
  MemoText->SetFont(S->Font());
  // The corners are only meaningful for a shape of exactly two points.
  const bool TwoPoints = S->Count() == 2;
  const std::pair<TEdit*, double> Corners[] = {
      {SEX0, S->GetX0()}, {SEX1, S->GetX1()}, {SEY0, S->GetY0()}, {SEY1, S->GetY1()}};
  for (const auto& [Edit, Value] : Corners) Edit->SetText(TwoPoints ? SysUtils::FloatToStr(Value) : std::string());
  EndLoading();
  TSeriesChart* Chart = S->GetParentChart();
  CBRound->SetEnabled(S->GetShapeStyle() == chasRectangle && Chart && !Chart->GetView3D());
  FontEditor->SetEditedFont(S->Font());
  FShowing = true;
}

void TChartShapeEditor::CornerChanged(TEdit* Edit, void (TChartShape::*Setter)(double)) {
  TChartShape* S = Shape();
  if (!FShowing || IsLoading() || !S) return;
  const std::string Text = Edit->GetText();
  double Value = 0;
  if (!Text.empty() && SysUtils::TryStrToFloat(Text, Value)) (S->*Setter)(Value);
}

void TChartShapeEditor::RowRule(int32_t Row) {
  TChartShape* S = Shape();
  if (!S) return;
  if (Row == FRowStyle)
    CBRound->SetEnabled(S->GetShapeStyle() == chasRectangle);
  else if (Row == FRowBrush)
    BShapeColor->Invalidate();
}
