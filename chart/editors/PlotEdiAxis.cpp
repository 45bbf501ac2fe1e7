// The axis editor and its stand-alone dialog.
#include "chart/editors/PlotEdiAxis.h"

#include <algorithm>
#include <cmath>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotAxMaxMin.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotAxisIncr.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotFormatting.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/FreeGuard.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;
using Kind = TEditorRowKind;

KV_CLASS_IMPL(TFormPlotAxis, TEditorPage) {}

namespace {

const char* const StandardAxisTexts[] = {"Left Axis", "Right Axis", "Top Axis", "Bottom Axis", "Depth Right",
                                         "Depth Top"};
constexpr int32_t StandardAxes = 6;

using EditorRows::AddTab;

TCheckBox* Check(TForm* Form, TWinControl* Parent, const char* Name, const char* Caption, int L, int T, int W = 110) {
  auto* C = PlaceControl<TCheckBox>(Form, Parent, Name, L, T, W, 17);
  C->SetCaption(Caption);
  return C;
}

TButton* Button(TForm* Form, TWinControl* Parent, const char* Name, const char* Caption, int L, int T, int W = 75) {
  auto* B = PlaceControl<TButton>(Form, Parent, Name, L, T, W, 25);
  B->SetCaption(Caption);
  return B;
}

// A hand-made spin edit: the edit, its up-down and its label.
void SpinEdit(TForm* Form, TWinControl* Parent, const char* Caption, const char* EditName, const char* UpDownName,
              int LabelLeft, int L, int T, int Min, int Max, TLabel*& Label, TEdit*& Edit, TUpDown*& UpDown) {
  Label = PlaceControl<TLabel>(Form, Parent, "", LabelLeft, T + 4, std::max(10, L - LabelLeft - 4), 13);
  Label->SetCaption(Caption);
  Edit = PlaceControl<TEdit>(Form, Parent, EditName, L, T, 50, 21);
  UpDown = PlaceControl<TUpDown>(Form, Parent, UpDownName, L + 50, T, 15, 21);
  UpDown->SetMin(Min);
  UpDown->SetMax(Max);
  UpDown->SetAssociate(Edit);
  Label->FocusControl = Edit;
}

// Scope guard for a flag.
struct TFlagOn {
  bool& Flag;
  bool Was;
  explicit TFlagOn(bool& F) : Flag(F), Was(F) { Flag = true; }
  ~TFlagOn() { Flag = Was; }
};

}  // namespace

namespace PlotEdiAxis {

std::string AxisListText(int32_t Index) {
  if (Index >= 0 && Index < StandardAxes) return StandardAxisTexts[Index];
  return "Custom " + std::to_string(Index - StandardAxes);
}

void ShowAxisEditor(TSeriesChart* Chart, TChartAxis* Axis) {
  if (!Chart || !Axis || Axis->ParentChart() != static_cast<TAxisChart*>(Chart)) return;
  auto* Panel = dynamic_cast<TCustomAxisPanel*>(Chart);
  if (!Panel) return;
  TOwned<TFormPlotAxis> Owned(Create<TFormPlotAxis>(Chart->ChartComponent(), Axis));
  TFormPlotAxis* Form = Owned.get();
  Form->Position = TPosition::poDesktopCenter;
  Form->SetWidth(400);
  Form->SetHeight(300);
  Form->Show();
  Form->Hide();
  Form->TabLabFormat->SetTabVisible(!Axis->LogLabelFormat);
  const char* Caption = Axis == Panel->LeftAxis()     ? "Left axis edit"
                        : Axis == Panel->RightAxis()  ? "Right axis edit"
                        : Axis == Panel->TopAxis()    ? "Top axis edit"
                        : Axis == Panel->BottomAxis() ? "Bottom axis edit"
                                                      : "";
  Form->SetCaption(Caption);
  PlotPenDlg::SetControlsVisible(false, {Form->CBLabelStyle, Form->Label3, Form->Panel1, Form->Label6, Form->Edit2,
                                         Form->UDGridZ, Form->LabelZ, Form->Edit1, Form->UDZ});
  Form->SetBorderStyle(TFormBorderStyle::bsSizeable);
  Form->ShowModal();
}

}  // namespace PlotEdiAxis

// ============================================================================
// Construction
// ============================================================================

TFormPlotAxis::TFormPlotAxis(TComponent* Owner, TChartAxis* Axis) : TEditorPage(Owner), FAxis(Axis) {
  BeginLoading();  // the changing flag starts set
  SetName("FormPlotAxis");
  SetCaption("");
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetClientWidth(464);
  SetClientHeight(284);

  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 112, 284);
  Panel1->SetAlign(TAlign::alLeft);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Label1 = PlaceControl<TLabel>(this, Panel1, "Label1", 6, 6, 60, 13);
  Label1->SetCaption("A&xes:");
  CBShow = Check(this, Panel1, "CBShow", "Visible", 6, 22, 100);
  CBAxisBeh = Check(this, Panel1, "CBAxisBeh", "&Behind", 6, 40, 100);
  LBAxes = PlaceControl<TListBox>(this, Panel1, "LBAxes", 6, 60, 100, 184);
  Label1->FocusControl = LBAxes;
  BAdd = Button(this, Panel1, "BAdd", "+", 6, 252, 30);
  BDelete = Button(this, Panel1, "BDelete", "-", 40, 252, 30);
  BDelete->SetEnabled(false);

  PageAxis = PlaceControl<TPageControl>(this, "PageAxis", 112, 0, 352, 284);
  PageAxis->SetAlign(TAlign::alClient);
  TabScales = AddTab(this, PageAxis, "TabScales", "Scales");
  TabTitle = AddTab(this, PageAxis, "TabTitle", "Title");
  TabLabels = AddTab(this, PageAxis, "TabLabels", "Labels");
  TabTicks = AddTab(this, PageAxis, "TabTicks", "Ticks");
  TabMinorTicks = AddTab(this, PageAxis, "TabMinorTicks", "Minor");
  TabPositions = AddTab(this, PageAxis, "TabPositions", "Position");
  BuildScales();
  BuildTitle();
  BuildLabels();
  BuildTicks();
  BuildPositions();
  SetClientWidth(464);
  SetClientHeight(284);

  // The embedded font editors of the title and labels.
  // Two font editors on one form: each gets a name of its own.
  FLabelsFont = PlotEdiFont::EmbedFontEditor(TabLabelsFont);
  FLabelsFont->SetName("LabelsFontEditor");
  FTitleFont = PlotEdiFont::EmbedFontEditor(TabTitleFont);
  FTitleFont->SetName("TitleFontEditor");
  PageAxis->SetActivePage(TabScales);
  PageLabels->SetActivePage(TabLabStyle);
  PageTitle->SetActivePage(TabTitleStyle);
  Tag = reinterpret_cast<intptr_t>(FAxis);

  OnShow = [this](TObject* S) { FormShow(S); };
  PageAxis->OnChanging = [this](TObject* S, bool& Allow) { PageAxisChanging(S, Allow); };
  PageAxis->OnChange = [this](TObject* S) { PageAxisChange(S); };
  LBAxes->OnClick = [this](TObject* S) { LBAxesClick(S); };
  BAdd->OnClick = [this](TObject* S) { BAddClick(S); };
  BDelete->OnClick = [this](TObject* S) { BDeleteClick(S); };
  CBShow->OnClick = [this](TObject*) {
    if (!FChanging && Chart()) Chart()->SetAxisVisible(CBShow->GetChecked());
  };
  CBAxisBeh->OnClick = [this](TObject*) {
    if (!FChanging && Chart()) Chart()->SetAxisBehind(CBAxisBeh->GetChecked());
  };
  // A kit row that changed repaints the scales where they show what it wrote.
  OnRowChanged = [this](TEditorPage&, int32_t) {
    if (PageAxis->GetActivePage() == TabScales) RefreshScales();
  };
}

void TFormPlotAxis::SetChanging(bool Value) {
  if (Value == FChanging) return;
  FChanging = Value;
  if (Value)
    BeginLoading();
  else
    EndLoading();
}

TCustomAxisPanel* TFormPlotAxis::Chart() const {
  return FAxis ? dynamic_cast<TCustomAxisPanel*>(FAxis->ParentChart()) : nullptr;
}

void TFormPlotAxis::BuildScales() {
  TWinControl* P = TabScales;
  CBAutomatic = Check(this, P, "CBAutomatic", "Auto", 8, 6, 60);
  GBMinimum = PlaceControl<TGroupBox>(this, P, "GBMinimum", 8, 24, 160, 84);
  GBMinimum->SetCaption("Minimum");
  GBMaximum = PlaceControl<TGroupBox>(this, P, "GBMaximum", 176, 24, 160, 84);
  GBMaximum->SetCaption("Maximum");
  CBAutoMin = Check(this, GBMinimum, "CBAutoMin", "Aut&o", 8, 16, 60);
  CBAutoMax = Check(this, GBMaximum, "CBAutoMax", "A&uto", 8, 16, 60);
  LAxisMin = PlaceControl<TLabel>(this, GBMinimum, "LAxisMin", 8, 38, 68, 13);
  LAxisMax = PlaceControl<TLabel>(this, GBMaximum, "LAxisMax", 8, 38, 68, 13);
  BAxisMin = Button(this, GBMinimum, "BAxisMin", "Cha&nge...", 78, 12);
  BAxisMax = Button(this, GBMaximum, "BAxisMax", "C&hange...", 78, 12);
  const int32_t MinOff = AddRow(Make(Kind::erUpDown, "Offset:", "MinimumOffset", -10000, 10000));
  PlaceUpDown(this, MinOff, GBMinimum, "EMinOff", "UDMinOff", "LMinOff", 8, 56, 60, 50, EMinOff, UDMinOff, LMinOff);
  const int32_t MaxOff = AddRow(Make(Kind::erUpDown, "Offset:", "MaximumOffset", -10000, 10000));
  PlaceUpDown(this, MaxOff, GBMaximum, "EMaxOff", "UDMaxOff", "LMaxOff", 8, 56, 60, 50, EMaxOff, UDMaxOff, LMaxOff);

  LIncrement = PlaceControl<TLabel>(this, P, "LIncrement", 8, 118, 60, 13);
  LIncrement->SetCaption("Increment:");
  LAxisIncre = PlaceControl<TLabel>(this, P, "LAxisIncre", 70, 118, 100, 13);
  BIncre = Button(this, P, "BIncre", "&Change...", 176, 112);

  CBLogarithmic = Check(this, P, "CBLogarithmic", "Logarithmic", 8, 144, 90);
  LBase = PlaceControl<TLabel>(this, P, "LBase", 104, 146, 28, 13);
  LBase->SetCaption("Base");
  ELogBase = PlaceControl<TEdit>(this, P, "ELogBase", 134, 142, 100, 21);
  ELogBase->SetText("10");
  LBase->FocusControl = ELogBase;
  LogE = Check(this, P, "LogE", "e", 240, 144, 40);
  const int32_t Inverted = AddRow(Make(Kind::erCheck, "Inverted", "Inverted"));
  CBInverted = Place<TCheckBox>(this, Inverted, P, "CBInverted", 8, 166, 90, 17);
  const int32_t Visible = AddRow(Make(Kind::erCheck, "Visible", "Visible"));
  CBVisible = Place<TCheckBox>(this, Visible, P, "CBVisible", 104, 166, 90, 17);

  GroupBox1 = PlaceControl<TGroupBox>(this, P, "GroupBox1", 8, 186, 328, 62);
  GroupBox1->SetCaption("LinLog options");
  SpinEdit(this, GroupBox1, "Dec shift", "SpinEdit1", "UDDecShift", 8, 60, 18, 1, 15, LDecShift, SpinEdit1,
           UDDecShift);
  CheckBox1 = Check(this, GroupBox1, "CheckBox1", "Min dec", 134, 20, 66);
  Edit3 = PlaceControl<TEdit>(this, GroupBox1, "Edit3", 200, 18, 50, 21);
  CheckBox2 = Check(this, GroupBox1, "CheckBox2", "Rounded limits", 8, 40, 120);

  CBAutomatic->OnClick = [this](TObject*) { AutomaticClick(); };
  CBAutoMin->OnClick = [this](TObject*) { AutoLimitClick(false); };
  CBAutoMax->OnClick = [this](TObject*) { AutoLimitClick(true); };
  BAxisMin->OnClick = [this](TObject*) { EditLimit(false); };
  BAxisMax->OnClick = [this](TObject*) { EditLimit(true); };
  BIncre->OnClick = [this](TObject* S) { BIncreClick(S); };
  CBLogarithmic->OnClick = [this](TObject*) { LogarithmicClick(); };
  ELogBase->OnChange = [this](TObject*) { LogBaseChange(); };
  LogE->OnClick = [this](TObject*) { LogEClick(); };
  SpinEdit1->OnChange = [this](TObject*) { DecShiftChange(); };
  CheckBox1->OnClick = [this](TObject*) { MinDecClick(); };
  Edit3->OnChange = [this](TObject*) { MinDecValueChange(); };
  CheckBox2->OnClick = [this](TObject*) { RoundedLimitsClick(); };
}

void TFormPlotAxis::BuildTitle() {
  PageTitle = PlaceControl<TPageControl>(this, TabTitle, "PageTitle", 0, 0, 344, 256);
  PageTitle->SetAlign(TAlign::alClient);
  TabTitleStyle = AddTab(this, PageTitle, "TabTitleStyle", "Style");
  TabTitleFont = AddTab(this, PageTitle, "TabTitleFont", "Text");
  TWinControl* P = TabTitleStyle;
  LTitle = PlaceControl<TLabel>(this, P, "LTitle", 8, 12, 40, 13);
  LTitle->SetCaption("T&itle:");
  ETitle = PlaceControl<TEdit>(this, P, "ETitle", 60, 8, 200, 21);
  LTitle->FocusControl = ETitle;
  const int32_t Angle = AddRow(Make(Kind::erUpDown, "&Angle:", "Title.Angle", 0, 360, 90));
  PlaceUpDown(this, Angle, P, "SETitleAngle", "UDTitleAngle", "LTitleAngle", 8, 60, 38, 50, SETitleAngle,
              UDTitleAngle, LTitleAngle);
  const int32_t Size = AddRow(Make(Kind::erUpDown, "Si&ze:", "TitleSize", 0, 1000));
  PlaceUpDown(this, Size, P, "SETitleSize", "UDTitleSize", "LTitleSize", 8, 60, 66, 50, SETitleSize, UDTitleSize,
              LTitleSize);
  const int32_t Visible = AddRow(Make(Kind::erCheck, "&Visible", "Title.Visible"));
  CBTitleVisible = Place<TCheckBox>(this, Visible, P, "CBTitleVisible", 8, 96, 100, 17);
  ETitle->OnChange = [this](TObject*) {
    if (!FChanging && FAxis) FAxis->Title()->SetCaption(ETitle->GetText());
  };
}

void TFormPlotAxis::BuildLabels() {
  PageLabels = PlaceControl<TPageControl>(this, TabLabels, "PageLabels", 0, 0, 344, 256);
  PageLabels->SetAlign(TAlign::alClient);
  TabLabStyle = AddTab(this, PageLabels, "TabLabStyle", "Style");
  TabLabFormat = AddTab(this, PageLabels, "TabLabFormat", "Format");
  TabLabelsFont = AddTab(this, PageLabels, "TabLabelsFont", "Text");
  TWinControl* P = TabLabStyle;
  CBLabels = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "V&isible", "Labels")), P, "CBLabels", 8, 8, 110, 17);
  CBMultiline = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "Multi-lin&e", "LabelsMultiLine")), P,
                                 "CBMultiline", 8, 28, 110, 17);
  CBOnAxis = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "Label On A&xis", "LabelsOnAxis")), P, "CBOnAxis", 8,
                              48, 110, 17);
  CBRoundFirst = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "Ro&und First", "RoundFirstLabel")), P,
                                  "CBRoundFirst", 8, 68, 110, 17);
  CBAlternate = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Alternate", "LabelsAlternate")), P,
                                 "CBAlternate", 8, 88, 110, 17);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "Si&ze:", "LabelsSize", -1, 1000)), P, "SELabelsSize",
              "UDLabelsSize", "LLabelsSize", 130, 240, 6, 50, SELabelsSize, UDLabelsSize, LLabelsSize);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "An&gle:", "LabelsAngle", 0, 360, 90)), P, "SELabelsAngle",
              "UDLabelsAngle", "LLabelsAngle", 130, 240, 34, 50, SELabelsAngle, UDLabelsAngle, LLabelsAngle);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "Min. Se&paration %:", "LabelsSeparation", 0, 100, 10)), P,
              "SESepar", "UDSepar", "LSepar", 130, 240, 62, 50, SESepar, UDSepar, LSepar);
  TEditorRow Style = Make(Kind::erCombo, "&Style:", "LabelStyle");
  Style.Items = {{"Auto", 0}, {"None", 1}, {"Value", 2}, {"Mark", 3}, {"Text", 4}};
  const int32_t StyleRow = AddRow(Style);
  CBLabelStyle = Place<TComboFlat>(this, StyleRow, P, "CBLabelStyle", 196, 92, 94, 21);
  CBLabelStyle->Style = TComboBoxStyle::csDropDownList;
  Label3 = Row(StyleRow).Label;
  Label3->SetName("Label3");
  Label3->SetParent(P);
  Label3->SetBounds(130, 96, 60, 13);
  Label3->FocusControl = CBLabelStyle;

  TWinControl* F = TabLabFormat;
  LFormat = PlaceControl<TLabel>(this, F, "LFormat", 8, 8, 160, 13);
  LFormat->SetCaption("Values For&mat:");
  CBFormat = PlaceControl<TComboFlat>(this, F, "CBFormat", 8, 24, 180, 21);
  CBFormat->Style = TComboBoxStyle::csDropDown;
  LFormat->FocusControl = CBFormat;
  Button1 = Button(this, F, "Button1", "...", 192, 24, 21);
  Button1->SetHeight(21);
  CBExpo = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Exponential", "LabelsExponent")), F, "CBExpo", 8, 56,
                            120, 17);
  CBLabelAlign = Check(this, F, "CBLabelAlign", "&Default Alignment", 8, 78, 140);

  CBFormat->OnChange = [this](TObject*) {
    if (FChanging || !FAxis) return;
    if (FAxis->IsDateTime())
      FAxis->SetDateTimeFormat(CBFormat->GetText());
    else
      FAxis->SetAxisValuesFormat(PlotProcs::DelocalizeNumberText(CBFormat->GetText()));
  };
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  CBLabelAlign->OnClick = [this](TObject*) {
    if (!FChanging && FAxis) FAxis->SetLabelsAlign(CBLabelAlign->GetChecked() ? alDefault : alOpposite);
  };
}

void TFormPlotAxis::BuildTicks() {
  TWinControl* P = TabTicks;
  auto Pen = [this, P](const char* Caption, const char* Path, const char* Name, int L, int T) {
    auto* B = Place<TButtonPen>(this, AddRow(Make(Kind::erPen, Caption, Path)), P, Name, L, T, 80, 25);
    return B;
  };
  BAxisPen = Pen("&Axis...", "Axis", "BAxisPen", 8, 8);
  BTickPen = Pen("T&icks...", "Ticks", "BTickPen", 8, 40);
  BTickInner = Pen("I&nner...", "TicksInner", "BTickInner", 8, 72);
  BAxisGrid = Pen("&Grid...", "Grid", "BAxisGrid", 8, 104);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "Len:", "TickLength", 0, 1000)), P, "SEAxisTickLength",
              "UDAxisTickLength", "LAxisTickLength", 100, 130, 42, 50, SEAxisTickLength, UDAxisTickLength,
              LAxisTickLength);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "Len:", "TickInnerLength", 0, 1000)), P, "SEInnerTicksLength",
              "UDInnerTicksLength", "LInnerTicksLength", 100, 130, 74, 50, SEInnerTicksLength, UDInnerTicksLength,
              LInnerTicksLength);
  CBTickOnLabels = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "At Labels Onl&y", "TickOnLabelsOnly")), P,
                                    "CBTickOnLabels", 200, 44, 130, 17);
  CBGridCentered = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "C&entered", "GridCentered")), P,
                                    "CBGridCentered", 100, 108, 90, 17);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Z:", "Grid.ZPosition", 0, 100)), P, "Edit2", "UDGridZ", "Label6",
              200, 220, 106, 50, Edit2, UDGridZ, Label6);

  TWinControl* M = TabMinorTicks;
  BTickMinor = Place<TButtonPen>(this, AddRow(Make(Kind::erPen, "&Ticks...", "MinorTicks")), M, "BTickMinor", 8, 8,
                                 80, 25);
  BMinorGrid = Place<TButtonPen>(this, AddRow(Make(Kind::erPen, "&Grid...", "MinorGrid")), M, "BMinorGrid", 8, 40,
                                 80, 25);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "Length:", "MinorTickLength", 0, 1000)), M, "SEAxisMinorTickLen",
              "UDAxisMinorTickLen", "LMinorTickLen", 100, 150, 10, 50, SEAxisMinorTickLen, UDAxisMinorTickLen,
              LMinorTickLen);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Count:", "MinorTickCount", 0, 1000)), M, "SEMinorCount",
              "UDMinorCount", "LMinorCount", 100, 150, 76, 50, SEMinorCount, UDMinorCount, LMinorCount);
}

void TFormPlotAxis::BuildPositions() {
  TWinControl* P = TabPositions;
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Position %:", "PositionPercent", -1000, 1000)), P, "EPos", "UDPos",
              "LPos", 8, 90, 8, 50, EPos, UDPos, LPos);
  SpinEdit(this, P, "St&art %:", "EStart", "UDStart", 8, 90, 36, 0, 100, LStart, EStart, UDStart);
  SpinEdit(this, P, "&End %:", "EEnd", "UDEnd", 8, 90, 64, 0, 100, LEnd, EEnd, UDEnd);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Z %:", "ZPosition", 0, 100)), P, "Edit1", "UDZ", "LabelZ", 8, 90, 92,
              50, Edit1, UDZ, LabelZ);
  TEditorRow Units = Make(Kind::erCombo, "&Units:", "PositionUnits");
  Units.Items = {{"Percent", 0}, {"Pixels", 1}};
  const int32_t UnitsRow = AddRow(Units);
  CBPosUnits = Place<TComboFlat>(this, UnitsRow, P, "CBPosUnits", 220, 8, 90, 21);
  CBPosUnits->Style = TComboBoxStyle::csDropDownList;
  LPosUnits = Row(UnitsRow).Label;
  LPosUnits->SetParent(P);
  LPosUnits->SetBounds(170, 12, 46, 13);
  LPosUnits->FocusControl = CBPosUnits;
  CBOtherSide = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Other side", "OtherSide")), P, "CBOtherSide", 170,
                                 40, 110, 17);
  CBHorizAxis = Check(this, P, "CBHorizAxis", "&Horizontal", 170, 64, 110);
  EStart->OnChange = [this](TObject*) { StartChange(); };
  EEnd->OnChange = [this](TObject*) { EndChange(); };
  CBHorizAxis->OnClick = [this](TObject*) { HorizAxisClick(); };
}

// ============================================================================
// Showing and refreshing
// ============================================================================

void TFormPlotAxis::FillAxesList() {
  LBAxes->Clear();
  TCustomAxisPanel* C = Chart();
  if (!C) return;
  for (int32_t i = 0; i < C->GetAxes().Count(); ++i) LBAxes->Items()->Add(PlotEdiAxis::AxisListText(i));
}

void TFormPlotAxis::SelectAxisInList() {
  TCustomAxisPanel* C = Chart();
  if (!C) return;
  const TChartAxis* Standard[] = {C->LeftAxis(), C->RightAxis(), C->TopAxis(),
                                  C->BottomAxis(), C->DepthAxis(), C->DepthTopAxis()};
  int32_t Index = -1;
  for (int32_t i = 0; i < StandardAxes; ++i)
    if (Standard[i] == FAxis) Index = i;
  for (int32_t i = StandardAxes; Index < 0 && i < C->GetAxes().Count(); ++i)
    if (C->GetAxes().Items(i) == FAxis) Index = i;
  const TFlagOn Guard(FRefreshing);
  LBAxes->SetItemIndex(Index);
}

void TFormPlotAxis::FormShow(TObject*) {
  if (!FAxis) return;
  SetChanging(true);
  FillAxesList();
  SelectAxisInList();
  if (TCustomAxisPanel* C = Chart()) {
    CBShow->SetChecked(C->GetAxisVisible());
    CBAxisBeh->SetChecked(C->GetAxisBehind());
  }
  PageAxis->SetActivePage(TabScales);
  PageLabels->SetActivePage(TabLabStyle);
  PageTitle->SetActivePage(TabTitleStyle);
  PageAxisChange(this);
}

void TFormPlotAxis::PageAxisChanging(TObject*, bool& AllowChange) {
  AllowChange = true;
  SetChanging(true);
}

void TFormPlotAxis::PageAxisChange(TObject*) {
  if (!FAxis) {
    SetChanging(false);
    return;
  }
  SetChanging(true);
  Tag = reinterpret_cast<intptr_t>(FAxis);
  LoadControls();  // the kit's rows: check boxes, spin edits, combos and the six pen buttons
  RefreshScales();
  RefreshOtherTabs();
  BDelete->SetEnabled(LBAxes->GetItemIndex() > 5);
  CBVisible->SetChecked(FAxis->GetVisible());
  CBLabelAlign->SetChecked(FAxis->GetLabelsAlign() == alDefault);
  CBLabelAlign->SetEnabled(!FAxis->GetHorizontal() && !FAxis->IsDepthAxis());
  SetChanging(false);
}

double TFormPlotAxis::ShownLimit(double Value) const {
  // Logarithmic labels show plain values; the label offset and scale are linear only.
  if (FAxis->GetLogarithmic()) return Value;
  return (Value + FAxis->LabelOffset) * FAxis->LabelScale;
}

double TFormPlotAxis::StoredLimit(double Shown, double Current) const {
  if (FAxis->GetLogarithmic()) return Shown;
  if (FAxis->LabelScale == 0) return Current;
  return Shown / FAxis->LabelScale - FAxis->LabelOffset;
}

void TFormPlotAxis::RefreshScales() {
  if (!FAxis) return;
  const bool WasLoading = FChanging;
  SetChanging(true);
  std::string Text;
  PlotAxisIncr::AxisValueToText(FAxis->IsDateTime(), FAxis->GetExactDateTime(), Text, FAxis->GetAxisValuesFormat(),
                                FAxis->GetIncrement());
  LAxisIncre->SetCaption(Text);
  auto LimitText = [this](double V) {
    if (FAxis->IsDateTime())
      return V >= 1 ? SysUtils::DateTimeToStr(V) : SysUtils::TimeToStr(V);
    return SysUtils::FormatFloat(FAxis->GetAxisValuesFormat(), ShownLimit(V));
  };
  LAxisMin->SetCaption(LimitText(FAxis->GetMinimum()));
  LAxisMax->SetCaption(LimitText(FAxis->GetMaximum()));
  {
    const TFlagOn Guard(FRefreshing);
    CBAutomatic->SetChecked(FAxis->GetAutomatic());
    CBAutoMax->SetChecked(FAxis->GetAutomaticMaximum());
    CBAutoMin->SetChecked(FAxis->GetAutomaticMinimum());
    UDMaxOff->SetPosition(FAxis->GetMaximumOffset());
    UDMinOff->SetPosition(FAxis->GetMinimumOffset());
    CBLogarithmic->SetChecked(FAxis->GetLogarithmic());
    CBLogarithmic->SetEnabled(!FAxis->IsDepthAxis());
    {
      const TFlagOn Base(FSettingBase);
      ELogBase->SetText(SysUtils::FloatToStr(FAxis->GetLogarithmicBase()));
    }
    LogE->SetChecked(FAxis->GetLogarithmicBase() == std::exp(1.0));
    UDDecShift->SetPosition(FAxis->LinLogDecShift);
    Edit3->SetText(SysUtils::FloatToStr(FAxis->MinDecValue));
    CheckBox1->SetChecked(FAxis->MinDecEnabled);
    CheckBox2->SetChecked(FAxis->RoundedLimits);
    CBInverted->SetChecked(FAxis->GetInverted());
    CBVisible->SetChecked(FAxis->GetVisible());
  }
  Edit3->SetEnabled(CheckBox1->GetChecked());
  SpinEdit1->SetEnabled(!CheckBox1->GetChecked());
  UDDecShift->SetEnabled(!CheckBox1->GetChecked());
  RefreshBaseControls();
  if (!WasLoading) SetChanging(false);
}

void TFormPlotAxis::RefreshBaseControls() {
  GroupBox1->SetEnabled(CBLogarithmic->GetChecked());
  ELogBase->SetEnabled(CBLogarithmic->GetChecked() && CBLogarithmic->GetEnabled());
  LBase->SetEnabled(ELogBase->GetEnabled());
  // "e" can be ticked while the base is another one; a ticked box has nothing more to do.
  LogE->SetEnabled(ELogBase->GetEnabled() && !LogE->GetChecked());
}

void TFormPlotAxis::RefreshLabelsFormat() {
  CBFormat->Items()->Clear();
  std::string Current;
  if (FAxis->IsDateTime()) {
    const TFormatSettings& F = FormatSettings;
    const double Range = FAxis->GetMaximum() - FAxis->GetMinimum();
    if (Range > 1) {
      for (const std::string& S : {F.ShortDateFormat, F.LongDateFormat, std::string("yyyy-mm-dd"),
                                   std::string("mm-dd-yyyy"), std::string("dd-mm-yyyy"), std::string("ddd"),
                                   std::string("dddd"), std::string("mmm"), std::string("mmmm")})
        CBFormat->Items()->Add(S);
    } else {
      for (const std::string& S : {F.ShortTimeFormat, F.LongTimeFormat, std::string("hh:nn"), std::string("hh:nn:ss"),
                                   std::string("hh:nn:ss.zzz")})
        CBFormat->Items()->Add(S);
    }
    LFormat->SetCaption("DateTime For&mat:");
    Current = FAxis->GetDateTimeFormat();
    if (Current.empty()) Current = PlotProcs::DefaultDateTimeFormat(Range);
  } else {
    PlotPenDlg::FillFormatList(CBFormat->Items());
    LFormat->SetCaption("Values For&mat:");
    Current = FAxis->GetAxisValuesFormat();
    if (Current.empty()) Current = "#,##0.###";
    Current = PlotProcs::LocalizeNumberText(Current);
  }
  if (CBFormat->Items()->IndexOf(Current) < 0) CBFormat->Items()->Add(Current);
  CBFormat->SetText(Current);
}

void TFormPlotAxis::RefreshOtherTabs() {
  ETitle->SetText(FAxis->Title()->GetCaption());
  RefreshLabelsFormat();
  UDStart->SetPosition(static_cast<int>(std::lround(std::clamp(FAxis->GetStartPosition(), -1e9, 1e9))));
  UDEnd->SetPosition(static_cast<int>(std::lround(std::clamp(FAxis->GetEndPosition(), -1e9, 1e9))));
  const int32_t Index = LBAxes->GetItemIndex();
  CBHorizAxis->SetChecked(FAxis->GetHorizontal());
  CBHorizAxis->SetEnabled(Index > 5);
  if (FLabelsFont) FLabelsFont->SetEditedFont(FAxis->LabelsFont());
  if (FTitleFont) FTitleFont->SetEditedFont(FAxis->Title()->Font());
}

// ============================================================================
// Axes list
// ============================================================================

void TFormPlotAxis::LBAxesClick(TObject*) {
  TCustomAxisPanel* C = Chart();
  const int32_t Index = LBAxes->GetItemIndex();
  if (FRefreshing || !C || Index < 0) return;
  TChartAxis* Standard[] = {C->LeftAxis(), C->RightAxis(), C->TopAxis(),
                            C->BottomAxis(), C->DepthAxis(), C->DepthTopAxis()};
  TChartAxis* Axis = Index < StandardAxes ? Standard[Index]
                     : Index < C->GetAxes().Count() ? C->GetAxes().Items(Index)
                                                    : nullptr;
  if (!Axis) return;
  SetChanging(true);
  FAxis = Axis;
  PageAxisChange(this);
}

void TFormPlotAxis::BAddClick(TObject*) {
  TCustomAxisPanel* C = Chart();
  if (!C) return;
  SetChanging(true);
  FAxis = TChartAxis::CreateCustom(*C);
  FillAxesList();
  SelectAxisInList();
  PageAxisChange(this);
}

void TFormPlotAxis::BDeleteClick(TObject*) {
  TCustomAxisPanel* C = Chart();
  const int32_t Index = LBAxes->GetItemIndex();
  if (!C || Index <= 5 || Index >= C->GetAxes().Count()) return;
  TChartAxis* Gone = FAxis;
  SetChanging(true);
  // The item before the deleted one becomes the edited axis.
  const int32_t Previous = Index - 1;
  TChartAxis* Standard[] = {C->LeftAxis(), C->RightAxis(), C->TopAxis(),
                            C->BottomAxis(), C->DepthAxis(), C->DepthTopAxis()};
  FAxis = Previous < StandardAxes ? Standard[Previous] : C->GetAxes().Items(Previous);
  Tag = reinterpret_cast<intptr_t>(FAxis);
  Gone->Free();
  FillAxesList();
  SelectAxisInList();
  PageAxisChange(this);
}

// ============================================================================
// Scales
// ============================================================================

void TFormPlotAxis::AutomaticClick() {
  if (FRefreshing || !FAxis) return;
  const bool On = CBAutomatic->GetChecked();
  FAxis->SetAutomatic(On);
  if (On) {
    FAxis->CalcAxisRange();
  } else {
    FAxis->SetAutomaticMaximum(false);
    FAxis->SetAutomaticMinimum(false);
  }
  RefreshScales();
}

void TFormPlotAxis::AutoLimitClick(bool Maximum) {
  if (FRefreshing || !FAxis) return;
  if (Maximum)
    FAxis->SetAutomaticMaximum(CBAutoMax->GetChecked());
  else
    FAxis->SetAutomaticMinimum(CBAutoMin->GetChecked());
  FAxis->CalcAxisRange();
  RefreshScales();
}

void TFormPlotAxis::LogarithmicClick() {
  if (FRefreshing || !FAxis) return;
  try {
    FAxis->SetLogarithmic(CBLogarithmic->GetChecked());
  } catch (...) {
    // The engine refuses a logarithmic date-time axis: the axis stays linear.
    FAxis->SetLogarithmic(false);
    {
      const TFlagOn Guard(FRefreshing);
      CBLogarithmic->SetChecked(false);
    }
    RefreshBaseControls();
    throw;
  }
  RefreshBaseControls();
}

void TFormPlotAxis::LogBaseChange() {
  if (FChanging || FSettingBase || !FAxis) return;
  double Base = 0;
  // Only a number above 0 other than 1 is a base; any other text keeps the current one.
  if (!SysUtils::TryStrToFloat(SysUtils::Trim(ELogBase->GetText()), Base) || !std::isfinite(Base) || !(Base > 0) ||
      Base == 1)
    return;
  FAxis->SetLogarithmicBase(Base);
  const TFlagOn Guard(FRefreshing);
  LogE->SetChecked(Base == std::exp(1.0));
  LogE->SetEnabled(ELogBase->GetEnabled() && !LogE->GetChecked());
}

void TFormPlotAxis::LogEClick() {
  if (FChanging || FRefreshing || !FAxis || !LogE->GetChecked()) return;
  {
    // The text of e is 15 digits, not e itself: the base is set exactly.
    const TFlagOn Guard(FSettingBase);
    ELogBase->SetText(SysUtils::FloatToStr(std::exp(1.0)));
  }
  FAxis->SetLogarithmicBase(std::exp(1.0));
  LogE->SetEnabled(false);
}

void TFormPlotAxis::DecShiftChange() {
  if (FChanging || !FAxis || SysUtils::Trim(SpinEdit1->GetText()).empty()) return;
  FAxis->LinLogDecShift = UDDecShift->GetPosition();
  if (FAxis->GetLogarithmic()) FAxis->RecalcAndNotify();
}

void TFormPlotAxis::MinDecClick() {
  Edit3->SetEnabled(CheckBox1->GetChecked());
  SpinEdit1->SetEnabled(!CheckBox1->GetChecked());
  UDDecShift->SetEnabled(!CheckBox1->GetChecked());
  if (FChanging || FRefreshing || !FAxis) return;
  FAxis->MinDecEnabled = CheckBox1->GetChecked();
  if (FAxis->GetLogarithmic()) FAxis->RecalcAndNotify();
}

void TFormPlotAxis::MinDecValueChange() {
  if (FChanging || FRefreshing || !FAxis) return;
  double V = 0;
  // A half-typed or out-of-range value is ignored: nothing is written, no message.
  if (!SysUtils::TryStrToFloat(SysUtils::Trim(Edit3->GetText()), V)) return;
  const double Bound = std::max(std::fabs(FAxis->GetMinimum()), std::fabs(FAxis->GetMaximum()));
  if (!(V > 0 && V < Bound)) return;
  FAxis->MinDecValue = V;
  if (FAxis->GetLogarithmic()) FAxis->RecalcAndNotify();
}

void TFormPlotAxis::RoundedLimitsClick() {
  if (FChanging || FRefreshing || !FAxis) return;
  FAxis->RoundedLimits = CheckBox2->GetChecked();
  FAxis->CalcAxisRange();
  FAxis->RecalcScales();
  if (TCustomAxisPanel* C = Chart()) C->DrawToClient();
}

std::string TFormPlotAxis::AxisName() const {
  if (auto* C = dynamic_cast<TCustomChart*>(Chart())) return C->AxisTitleOrName(FAxis);
  return FAxis->Title()->GetCaption();
}

void TFormPlotAxis::EditLimit(bool Maximum) {
  if (!FAxis) return;
  TOwned<TAxisMaxMin> D(Create<TAxisMaxMin>(this));
  D->SetCaption(std::string(Maximum ? "Maximum" : "Minimum") + " " + AxisName());
  D->IsDateTime = FAxis->IsDateTime();
  const double Current = Maximum ? FAxis->GetMaximum() : FAxis->GetMinimum();
  D->MaxMin = ShownLimit(Current);
  if (D->ShowModal() != mrOk) return;
  const double Value = StoredLimit(D->MaxMin, Current);
  if (Maximum) {
    FAxis->SetMaximum(Value);
    CBAutoMax->SetChecked(false);
    if (FAxis->GetAutomaticMaximum()) FAxis->SetAutomaticMaximum(false);
  } else {
    FAxis->SetMinimum(Value);
    CBAutoMin->SetChecked(false);
    if (FAxis->GetAutomaticMinimum()) FAxis->SetAutomaticMinimum(false);
  }
  RefreshScales();
}

void TFormPlotAxis::BIncreClick(TObject*) {
  if (!FAxis) return;
  TOwned<TAxisIncrement> D(Create<TAxisIncrement>(this));
  D->SetCaption(SysUtils::Format("Desired %s Increment", {AxisName()}));
  const double Scale = std::fabs(FAxis->LabelScale);
  D->IsDateTime = FAxis->IsDateTime();
  D->IsExact = FAxis->GetExactDateTime();
  D->Increment = Scale * FAxis->GetIncrement();
  D->IStep = static_cast<uint8_t>(PlotProcs::NearestDateTimeStep(D->Increment));
  if (D->ShowModal() != mrOk) return;
  // A label scale of 0 shows every increment as 0: the increment stays.
  if (Scale != 0) FAxis->SetIncrement(D->Increment / Scale);
  FAxis->SetExactDateTime(D->IsExact);
  RefreshScales();
}

void TFormPlotAxis::Button1Click(TObject*) {
  if (!FAxis) return;
  const std::string Format = PlotFormatting::EditValueFormat(this, CBFormat->GetText(), FAxis->IsDateTime());
  CBFormat->SetText(Format);
  if (CBFormat->OnChange) CBFormat->OnChange(CBFormat);
}

// ============================================================================
// Position
// ============================================================================

void TFormPlotAxis::StartChange() {
  if (FChanging || !FAxis) return;
  const int Value = UDStart->GetPosition();
  if (Value < FAxis->GetEndPosition()) {
    FAxis->SetStartPosition(Value);
  } else {
    SetChanging(true);
    UDStart->SetPosition(static_cast<int>(std::lround(FAxis->GetStartPosition())));
    SetChanging(false);
  }
}

void TFormPlotAxis::EndChange() {
  if (FChanging || !FAxis) return;
  const int Value = UDEnd->GetPosition();
  if (Value > FAxis->GetStartPosition()) {
    FAxis->SetEndPosition(Value);
  } else {
    SetChanging(true);
    UDEnd->SetPosition(static_cast<int>(std::lround(FAxis->GetEndPosition())));
    SetChanging(false);
  }
}

void TFormPlotAxis::HorizAxisClick() {
  TCustomAxisPanel* C = Chart();
  if (FChanging || !FAxis || !C) return;
  bool Custom = false;
  for (int32_t i = StandardAxes; i < C->GetAxes().Count(); ++i)
    if (C->GetAxes().Items(i) == FAxis) Custom = true;
  if (!Custom) return;
  FAxis->SetHorizontal(CBHorizAxis->GetChecked());
  if (OnHorizontalChange) OnHorizontalChange(FAxis);
}
