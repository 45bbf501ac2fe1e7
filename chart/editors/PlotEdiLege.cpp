// The legend editor.
#include "chart/editors/PlotEdiLege.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotSymbolEditor.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotCustomShapeEditor.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;
using Kind = TEditorRowKind;

KV_CLASS_IMPL(TFormPlotLegend, TEditorPage) {}

namespace {

using EditorRows::AddTab;

// A combo row's label moved beside its combo.
void PlaceComboLabel(TEditorPage* Page, int32_t Row, TWinControl* Parent, TLabel*& Label, int L, int T, int W) {
  Label = Page->Row(Row).Label;
  Label->SetParent(Parent);
  Label->SetBounds(L, T, W, 13);
  Label->FocusControl = static_cast<TWinControl*>(Page->Row(Row).Control);
}

}  // namespace

TFormPlotLegend::TFormPlotLegend(TComponent* Owner) : TEditorPage(Owner) {
  SetName("FormPlotLegend");
  SetCaption("");
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 374, 224);
  PageControl1->SetAlign(TAlign::alClient);
  TabSheet1 = AddTab(this, PageControl1, "TabSheet1", "Style");
  TabSheet3 = AddTab(this, PageControl1, "TabSheet3", "Position");
  TabSymbol = AddTab(this, PageControl1, "TabSymbol", "Symbols");
  TabTitle = AddTab(this, PageControl1, "TabTitle", "Title");

  // ---- Style ----
  TWinControl* S = TabSheet1;
  CBShow = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Visible", "Visible")), S, "CBShow", 8, 8, 100, 17);
  CBInverted = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Inverted", "Inverted")), S, "CBInverted", 8, 28,
                                100, 17);
  TEditorRow LegendStyle = Make(Kind::erCombo, "Legend &Style:", "LegendStyle");
  LegendStyle.Items = {{"Automatic", 0}, {"Series Names", 1}, {"Series Values", 2}, {"Last Values", 3}};
  const int32_t LegendStyleRow = AddRow(LegendStyle);
  CBLegendStyle = Place<TComboFlat>(this, LegendStyleRow, S, "CBLegendStyle", 200, 6, 150, 21);
  CBLegendStyle->Style = TComboBoxStyle::csDropDownList;
  PlaceComboLabel(this, LegendStyleRow, S, LLegendStyle, 120, 10, 78);
  TEditorRow TextStyle = Make(Kind::erCombo, "Text St&yle:", "TextStyle");
  int32_t Ordinal = 0;
  for (const char* Text : {"Plain", "Left Value", "Right Value", "Left Percent", "Right Percent", "X Value", "Value",
                           "Percent", "X and Value", "X and Percent"})
    TextStyle.Items.emplace_back(Text, Ordinal++);
  const int32_t TextStyleRow = AddRow(TextStyle);
  CBLegStyle = Place<TComboFlat>(this, TextStyleRow, S, "CBLegStyle", 200, 34, 150, 21);
  CBLegStyle->Style = TComboBoxStyle::csDropDownList;
  CBLegStyle->DropDownCount = 11;
  PlaceComboLabel(this, TextStyleRow, S, LLegStyle, 120, 38, 78);
  BDivLines = Place<TButtonPen>(this, AddRow(Make(Kind::erPen, "&Dividing Lines...", "DividingLines")), S,
                                "BDivLines", 8, 56, 110, 25);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "V&ert. Spacing:", "VertSpacing", -10, 100)), S, "EVertSpacing",
              "UDVertSpacing", "LVertSpacing", 120, 200, 62, 50, EVertSpacing, UDVertSpacing, LVertSpacing);
  CBFontColor = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Font Series Color", "FontSeriesColor")), S,
                                 "CBFontColor", 8, 92, 130, 17);
  CBCheckBoxes = PlaceControl<TComboFlat>(this, S, "CBCheckBoxes", 8, 116, 130, 21);
  CBCheckBoxes->Style = TComboBoxStyle::csDropDownList;
  for (const char* Text : {"No check boxes", "Check boxes", "Radio buttons"}) CBCheckBoxes->Items()->Add(Text);

  // ---- Position ----
  TWinControl* P = TabSheet3;
  CBResizeChart = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "Resi&ze Chart", "ResizeChart")), P,
                                   "CBResizeChart", 8, 8, 110, 17);
  PlaceUpDown(this, AddRow(Make(Kind::erUpDown, "&Position Offset %:", "TopPos", -100, 100)), P, "SETopPos",
              "UDTopPos", "LTopPos", 8, 110, 32, 50, SETopPos, UDTopPos, LTopPos);
  LMargin = PlaceControl<TLabel>(this, P, "LMargin", 8, 64, 98, 13);
  LMargin->SetCaption("&Margin:");
  SEMargin = PlaceControl<TEdit>(this, P, "SEMargin", 110, 60, 50, 21);
  UDMargin = PlaceControl<TUpDown>(this, P, "UDMargin", 160, 60, 15, 21);
  UDMargin->SetMin(-1000);
  UDMargin->SetMax(1000);
  UDMargin->SetAssociate(SEMargin);
  LMargin->FocusControl = SEMargin;
  TEditorRow Position = Make(Kind::erRadio, "Position", "Alignment");
  Position.Items = {{"&Left", 0}, {"&Right", 1}, {"&Top", 2}, {"&Bottom", 3}};
  FRowPosition = AddRow(Position);
  RGPosition = Place<TRadioGroup>(this, FRowPosition, P, "RGPosition", 8, 90, 110, 96);
  GBCustom = PlaceControl<TGroupBox>(this, P, "GBCustom", 190, 4, 170, 110);
  GBCustom->SetCaption("");
  CBCustPos = PlaceControl<TCheckBox>(this, GBCustom, "CBCustPos", 8, 12, 70, 17);
  CBCustPos->SetCaption("&Custom:");
  CBPosPercent = PlaceControl<TCheckBox>(this, GBCustom, "CBPosPercent", 84, 12, 76, 17);
  CBPosPercent->SetCaption("Percent");
  LCustLeft = PlaceControl<TLabel>(this, GBCustom, "LCustLeft", 8, 42, 40, 13);
  LCustLeft->SetCaption("L&eft:");
  ECustLeft = PlaceControl<TEdit>(this, GBCustom, "ECustLeft", 52, 38, 50, 21);
  UDLeft = PlaceControl<TUpDown>(this, GBCustom, "UDLeft", 102, 38, 15, 21);
  LCustTop = PlaceControl<TLabel>(this, GBCustom, "LCustTop", 8, 70, 40, 13);
  LCustTop->SetCaption("T&op:");
  ECustTop = PlaceControl<TEdit>(this, GBCustom, "ECustTop", 52, 66, 50, 21);
  UDTop = PlaceControl<TUpDown>(this, GBCustom, "UDTop", 102, 66, 15, 21);
  for (TUpDown* U : {UDLeft, UDTop}) {
    U->SetMin(-100);
    U->SetMax(1000);
    U->SetIncrement(5);
  }
  UDLeft->SetAssociate(ECustLeft);
  UDTop->SetAssociate(ECustTop);
  LCustLeft->FocusControl = ECustLeft;
  LCustTop->FocusControl = ECustTop;
  PlotProcs::EnableControls(false, {ECustLeft, ECustTop, UDLeft, UDTop});

  // ---- Title ----
  PageControl2 = PlaceControl<TPageControl>(this, TabTitle, "PageControl2", 0, 0, 366, 196);
  PageControl2->SetAlign(TAlign::alClient);
  TabSheet4 = AddTab(this, PageControl2, "TabSheet4", "Options");
  LText = PlaceControl<TLabel>(this, TabSheet4, "LText", 8, 6, 40, 13);
  LText->SetCaption("&Text:");
  MemoText = PlaceControl<TMemo>(this, TabSheet4, "MemoText", 8, 22, 200, 120);
  MemoText->ScrollBars = TScrollStyle::ssBoth;
  MemoText->WordWrap = false;
  LText->FocusControl = MemoText;
  TEditorRow Align = Make(Kind::erCombo, "Text &alignment:", "Title.TextAlignment");
  Align.Items = {{"Left", static_cast<int32_t>(TAlignment::taLeftJustify)},
                 {"Center", static_cast<int32_t>(TAlignment::taCenter)},
                 {"Right", static_cast<int32_t>(TAlignment::taRightJustify)}};
  const int32_t AlignRow = AddRow(Align);
  CBTextAlign = Place<TComboFlat>(this, AlignRow, TabSheet4, "CBTextAlign", 220, 40, 100, 21);
  CBTextAlign->Style = TComboBoxStyle::csDropDownList;
  PlaceComboLabel(this, AlignRow, TabSheet4, LTextAlign, 220, 22, 100);
  CBTitleVisible = Place<TCheckBox>(this, AddRow(Make(Kind::erCheck, "&Visible", "Title.Visible")), TabSheet4,
                                    "CBTitleVisible", 220, 72, 100, 17);

  SetClientWidth(374);
  SetClientHeight(224);
  SetChanging(true);
  PageControl1->SetActivePage(TabSheet1);

  OnShow = [this](TObject* S) { FormShow(S); };
  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  CBCheckBoxes->OnChange = [this](TObject*) {
    const int Item = CBCheckBoxes->GetItemIndex();
    if (FChanging || !FLegend || Item < 0) return;
    FLegend->SetCheckBoxes(Item > 0);
    // "No check boxes" keeps the style chosen before.
    if (Item > 0) FLegend->SetCheckBoxesStyle(Item == 1 ? cbsCheck : cbsRadio);
  };
  SEMargin->OnChange = [this](TObject*) {
    if (FChanging || !FLegend) return;
    if (FLegend->AtSide())
      FLegend->SetHorizMargin(UDMargin->GetPosition());
    else
      FLegend->SetVertMargin(UDMargin->GetPosition());
  };
  CBCustPos->OnClick = [this](TObject*) {
    if (FChanging || !FLegend) return;
    FLegend->SetCustomPosition(CBCustPos->GetChecked());
    if (FLegend->GetCustomPosition()) {
      FLegend->SetResizeChart(false);
      const bool Was = FChanging;
      SetChanging(true);
      CBResizeChart->SetChecked(false);
      SetChanging(Was);
    }
    RefreshCustomPosition();
  };
  CBPosPercent->OnClick = [this](TObject*) {
    if (FChanging || !FLegend) return;
    FLegend->SetPositionUnits(CBPosPercent->GetChecked() ? muPercent : muPixels);
    CopyCustomPosition();
  };
  ECustLeft->OnChange = [this](TObject*) {
    if (FChanging || !FLegend || !FLegend->GetCustomPosition()) return;
    if (FLegend->GetPositionUnits() == muPixels)
      FLegend->SetLeft(UDLeft->GetPosition());
    else
      FLegend->SetLeftPercent(UDLeft->GetPosition());
  };
  ECustTop->OnChange = [this](TObject*) {
    if (FChanging || !FLegend || !FLegend->GetCustomPosition()) return;
    if (FLegend->GetPositionUnits() == muPixels)
      FLegend->SetTop(UDTop->GetPosition());
    else
      FLegend->SetTopPercent(UDTop->GetPosition());
  };
  MemoText->OnChange = [this](TObject*) {
    // The memo's lines become the title's lines (the title keeps one string per line).
    if (FChanging || !FLegend) return;
    if (!FLegend->Title()->Text()->Equals(MemoText->Lines())) FLegend->Title()->SetText(MemoText->Lines());
  };
}

TFormPlotLegend* TFormPlotLegend::CreateLegend(TComponent* Owner, TCustomChartLegend* Legend) {
  auto* F = Create<TFormPlotLegend>(Owner);
  F->FLegend = Legend;
  F->Tag = reinterpret_cast<intptr_t>(Legend);
  if (Legend) {
    // Two shape editors on one form: each gets a name of its own.
    F->FLegendShape = PlotCustomShapeEditor::InsertShapeEditorPages(F->PageControl1, Legend);
    F->FLegendShape->SetName("LegendShapeEditor");
    F->FTitleShape = PlotCustomShapeEditor::InsertShapeEditorPages(F->PageControl2, Legend->Title());
    F->FTitleShape->SetName("TitleShapeEditor");
  }
  return F;
}

void TFormPlotLegend::SetChanging(bool Value) {
  if (Value == FChanging) return;
  FChanging = Value;
  if (Value)
    BeginLoading();
  else
    EndLoading();
}

void TFormPlotLegend::FormShow(TObject*) {
  if (!FLegend) return;
  SetChanging(true);
  LoadControls();  // the kit's rows: visibility, styles, spacing, offset, position, title alignment
  CBCustPos->SetChecked(FLegend->GetCustomPosition());
  CBPosPercent->SetChecked(FLegend->GetPositionUnits() == muPercent);
  CopyCustomPosition();
  CBCheckBoxes->SetItemIndex(!FLegend->GetCheckBoxes() ? 0 : FLegend->GetCheckBoxesStyle() == cbsRadio ? 2 : 1);
  RefreshMargin();
  RefreshCustomPosition();
  if (!FSymbolEditor) {
    FSymbolEditor = Create<TSymbolEditor>(this);
    PlotPenDlg::EmbedEditorForm(FSymbolEditor, TabSymbol, FLegend->Symbol());
  } else {
    FSymbolEditor->SetEdited(FLegend->Symbol());
  }
  MemoText->Lines()->Assign(FLegend->Title()->Text());
  if (FLegendShape) FLegendShape->SetEditedShape(FLegend);
  if (FTitleShape) FTitleShape->SetEditedShape(FLegend->Title());
  SetChanging(false);
}

void TFormPlotLegend::CopyCustomPosition() {
  const bool Was = FChanging;
  SetChanging(true);
  const bool Pixels = FLegend->GetPositionUnits() == muPixels;
  UDLeft->SetPosition(Pixels ? FLegend->GetLeft() : FLegend->GetLeftPercent());
  UDTop->SetPosition(Pixels ? FLegend->GetTop() : FLegend->GetTopPercent());
  SetChanging(Was);
}

void TFormPlotLegend::RefreshCustomPosition() {
  const bool Was = FChanging;
  SetChanging(true);
  const bool Custom = FLegend->GetCustomPosition();
  PlotProcs::EnableControls(Custom, {ECustLeft, ECustTop, UDLeft, UDTop, CBPosPercent});
  PlotProcs::EnableControls(!Custom, {CBResizeChart, UDMargin, SEMargin, SETopPos, UDTopPos});
  SetChanging(Was);
}

void TFormPlotLegend::RefreshMargin() {
  const bool Was = FChanging;
  SetChanging(true);
  UDMargin->SetPosition(FLegend->AtSide() ? FLegend->GetHorizMargin() : FLegend->GetVertMargin());
  SetChanging(Was);
}

void TFormPlotLegend::RowRule(int32_t Row) {
  // The margin box edits the margin of the legend's new side.
  if (Row == FRowPosition && FLegend) RefreshMargin();
}
