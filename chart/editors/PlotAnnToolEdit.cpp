// The annotation tool's editor.
#include "chart/editors/PlotAnnToolEdit.h"

#include <algorithm>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotTools.h"
#include "platform/rtl/SysUtils.h"

using EditorRows::Make;
using PlotPenDlg::PlaceControl;
using PlotToolSeriesEdit::AddTab;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

namespace {
// The callout's pixel position edits: integers, written only when they parse.
constexpr const char* CalloutCoordinates[] = {"XPosition", "YPosition", "ZPosition"};
}  // namespace

KV_CLASS_IMPL(TAnnotationToolEdit, TEditorPage) {}

TAnnotationToolEdit::TAnnotationToolEdit(TComponent* Owner) : TEditorPage(Owner) {
  SetName("AnnotationToolEdit");
  SetClientWidth(280);
  BeginLoading();
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 280, 197);
  PageControl1->SetAlign(TAlign::alClient);
  TabOptions = AddTab(this, PageControl1, "TabOptions", "Options");
  TabPosition = AddTab(this, PageControl1, "TabPosition", "Position");
  TabSize = AddTab(this, PageControl1, "TabSize", "Size");
  TabCallout = AddTab(this, PageControl1, "TabCallout", "Callout");

  // ---- Options ----
  Label1 = PlaceControl<TLabel>(this, TabOptions, "Label1", 8, 4, 40, 13);
  Label1->SetCaption("&Text:");
  MemoText = PlaceControl<TMemo>(this, TabOptions, "MemoText", 8, 20, 257, 81);
  Label1->FocusControl = MemoText;
  TEditorRow Align = Make(K::erCombo, "Text &alignment:", "TextAlignment");
  Align.Items = {{"Left", static_cast<int32_t>(TAlignment::taLeftJustify)},
                 {"Center", static_cast<int32_t>(TAlignment::taCenter)},
                 {"Right", static_cast<int32_t>(TAlignment::taRightJustify)}};
  CBTextAlign = Put<TComboFlat>(this, AddRow(Align), TabOptions, "CBTextAlign", 96, 110, 90, 21, 88);
  CBTextAlign->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBTextAlign)).Label;
  Label3 = PlaceControl<TLabel>(this, TabOptions, "Label3", 8, 142, 80, 13);
  Label3->SetCaption("&Cursor:");
  CBCursor = PlaceControl<TComboFlat>(this, TabOptions, "CBCursor", 96, 138, 120, 21);
  CBCursor->Style = TComboBoxStyle::csDropDownList;
  Label3->FocusControl = CBCursor;

  // ---- Position ----
  CBPos = Put<TComboFlat>(
      this,
      AddRow(Choice(K::erCombo, "&Auto:", "Position", {"Left top", "Left bottom", "Right top", "Right bottom"})),
      TabPosition, "CBPos", 56, 8, 100, 21, 48);
  CBPos->Style = TComboBoxStyle::csDropDownList;
  Label4 = Row(RowOf(CBPos)).Label;
  CBCustPos = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Custom", "Shape.CustomPosition")), TabPosition,
                             "CBCustPos", 8, 40, 80, 17);
  ECustLeft = Put<TEdit>(this, AddRow(Make(K::erUpDown, "L&eft:", "Left", -100, 1000, 5)), TabPosition, "ECustLeft",
                         56, 64, 50, 21, 48);
  ECustTop = Put<TEdit>(this, AddRow(Make(K::erUpDown, "T&op:", "Top", -100, 1000, 5)), TabPosition, "ECustTop", 56,
                        92, 50, 21, 48);
  UDLeft = Row(RowOf(ECustLeft)).UpDown;
  UDLeft->SetName("UDLeft");
  UDTop = Row(RowOf(ECustTop)).UpDown;
  UDTop->SetName("UDTop");
  Label5 = Row(RowOf(ECustLeft)).Label;
  Label6 = Row(RowOf(ECustTop)).Label;
  CBUnits = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Units:", "PositionUnits", {"Percent", "Pixels"})),
                            TabPosition, "CBUnits", 56, 120, 80, 21, 48);
  CBUnits->Style = TComboBoxStyle::csDropDownList;
  Label7 = Row(RowOf(CBUnits)).Label;

  // ---- Size ----
  CBAutoSize = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Automatic", "AutoSize")), TabSize, "CBAutoSize", 8, 8,
                              100, 17);
  ECustWidth = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Width:", "Width", 0, 2000)), TabSize, "ECustWidth", 64,
                          36, 50, 21, 56);
  ECustHeight = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Height:", "Height", 0, 2000)), TabSize, "ECustHeight", 64,
                           64, 50, 21, 56);
  UDWidth = Row(RowOf(ECustWidth)).UpDown;
  UDWidth->SetName("UDWidth");
  UDHeight = Row(RowOf(ECustHeight)).UpDown;
  UDHeight->SetName("UDHeight");
  Label8 = Row(RowOf(ECustWidth)).Label;
  Label9 = Row(RowOf(ECustHeight)).Label;

  // ---- Callout ----
  // The callout's border is the line from the annotation to its point.
  BCalloutPen = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Border...", "Callout.Arrow")), TabCallout,
                                "BCalloutPen", 8, 8, 75, 25);
  BCalloutPointer = PlaceControl<TButton>(this, TabCallout, "BCalloutPointer", 92, 8, 75, 25);
  BCalloutPointer->SetCaption("&Pointer...");
  GroupBox1 = PlaceControl<TGroupBox>(this, TabCallout, "GroupBox1", 8, 40, 120, 100);
  GroupBox1->SetCaption("P&osition:");
  TEdit** Edits[] = {&EX, &EY, &EZ};
  TLabel** Labels[] = {&Label10, &Label11, &Label12};
  const char* EditNames[] = {"EX", "EY", "EZ"};
  const char* LabelNames[] = {"Label10", "Label11", "Label12"};
  const char* Captions[] = {"&X:", "&Y:", "&Z:"};
  for (int i = 0; i < 3; ++i) {
    *Labels[i] = PlaceControl<TLabel>(this, GroupBox1, LabelNames[i], 8, 20 + 26 * i, 20, 13);
    (*Labels[i])->SetCaption(Captions[i]);
    *Edits[i] = PlaceControl<TEdit>(this, GroupBox1, EditNames[i], 32, 16 + 26 * i, 70, 21);
    (*Labels[i])->FocusControl = *Edits[i];
    const char* Property = CalloutCoordinates[i];
    TEdit* E = *Edits[i];
    E->OnChange = [this, E, Property](TObject*) {
      int32_t V = 0;
      if (IsLoading() || !Tool() || !SysUtils::TryStrToInt(SysUtils::Trim(E->GetText()), V)) return;
      PlotToolSeriesEdit::SetProperty(Tool()->Callout(), Property, static_cast<int64_t>(V));
    };
  }
  EArrowDist = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Distance:", "Callout.Distance", -1000, 1000)), TabCallout,
                          "EArrowDist", 208, 44, 50, 21, 72);
  UDArrowDist = Row(RowOf(EArrowDist)).UpDown;
  UDArrowDist->SetName("UDArrowDist");
  Label13 = Row(RowOf(EArrowDist)).Label;
  CBHead = Put<TComboFlat>(this, AddRow(Choice(K::erCombo, "&Arrow head:", "Callout.ArrowHead", {"None", "Line", "Solid"})),
                           TabCallout, "CBHead", 208, 72, 60, 21, 72);
  CBHead->Style = TComboBoxStyle::csDropDownList;
  Label14 = Row(RowOf(CBHead)).Label;
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Size:", "Callout.ArrowHeadSize", -1000, 1000)), TabCallout,
                     "Edit1", 208, 100, 50, 21, 72);
  UDHeadSize = Row(RowOf(Edit1)).UpDown;
  UDHeadSize->SetName("UDHeadSize");
  Label15 = Row(RowOf(Edit1)).Label;

  // The shape's own pages join the tabs.
  ShapeEditor = PlotCustomShapeEditor::InsertShapeEditorPages(PageControl1, nullptr);
  PageControl1->SetActivePage(TabOptions);
  SetClientHeight(197);

  MemoText->OnChange = [this](TObject*) {
    if (IsLoading() || !Tool()) return;
    TStrings* Lines = MemoText->Lines();
    std::string Text;
    for (int32_t i = 0; i < Lines->Count(); ++i) {
      if (i > 0) Text += PlotEngine::LabelLineSeparator;
      Text += Lines->Strings(i);
    }
    Text.erase(std::remove(Text.begin(), Text.end(), '\n'), Text.end());
    Tool()->SetText(Text);
  };
  CBCursor->OnChange = [this](TObject*) {
    if (!IsLoading()) PlotToolSeriesEdit::WriteCursorCombo(CBCursor, Edited(), "Cursor");
  };
  BCalloutPointer->OnClick = [this](TObject*) {
    if (Tool()) PlotPoEdi::ShowPointerEditor(this, Tool()->Callout());
  };
  OnRowChanged = [this](TEditorPage&, int32_t R) { RowRule(R); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TAnnotationTool* TAnnotationToolEdit::Tool() const { return dynamic_cast<TAnnotationTool*>(Edited()); }

void TAnnotationToolEdit::LoadMemo() {
  TStrings* Lines = MemoText->Lines();
  Lines->Clear();
  const std::string& Text = Tool()->GetTextValue();
  if (Text.empty()) return;
  size_t Start = 0;
  while (true) {
    const size_t End = Text.find(PlotEngine::LabelLineSeparator, Start);
    Lines->Add(Text.substr(Start, End == std::string::npos ? std::string::npos : End - Start));
    if (End == std::string::npos) break;
    Start = End + 1;
  }
}

void TAnnotationToolEdit::LoadCalloutEdits() {
  const TAnnotationCallout* C = Tool()->Callout();
  EX->SetText(std::to_string(C->GetXPosition()));
  EY->SetText(std::to_string(C->GetYPosition()));
  EZ->SetText(std::to_string(C->GetZPosition()));
}

void TAnnotationToolEdit::FormShow(TObject*) {
  if (TAnnotationTool* T = Tool()) {
    BeginLoading();
    ShapeEditor->SetEditedShape(T->Shape());
    LoadControls();
    LoadMemo();
    LoadCalloutEdits();
    RefreshPosition();
    RefreshSize();
    PlotProcs::TranslateControl(this);
    // Cursor names stay as they are: filled after the translation.
    PlotToolSeriesEdit::LoadCursorCombo(CBCursor, T, "Cursor");
    EndLoading();
  }
  if (!FShown) {
    FShown = true;
    EndLoading();
  }
}

void TAnnotationToolEdit::RefreshPosition() {
  TAnnotationTool* T = Tool();
  if (!T) return;
  BeginLoading();
  const bool Custom = T->Shape()->GetCustomPosition();
  for (TControl* C : std::initializer_list<TControl*>{ECustLeft, ECustTop, UDLeft, UDTop, CBUnits})
    C->SetEnabled(Custom);
  CBCustPos->SetChecked(Custom);
  if (Custom) {
    UDLeft->SetPosition(T->GetLeft());
    UDTop->SetPosition(T->GetTop());
  }
  EndLoading();
}

void TAnnotationToolEdit::RefreshSize() {
  TAnnotationTool* T = Tool();
  if (!T) return;
  BeginLoading();
  const bool Auto = T->GetAutoSize();
  for (TControl* C : std::initializer_list<TControl*>{ECustWidth, ECustHeight, UDWidth, UDHeight})
    C->SetEnabled(!Auto);
  CBAutoSize->SetChecked(Auto);
  if (!Auto) {
    UDWidth->SetPosition(T->GetWidth());
    UDHeight->SetPosition(T->GetHeight());
  }
  EndLoading();
}

void TAnnotationToolEdit::RowRule(int32_t R) {
  TAnnotationTool* T = Tool();
  if (R == RowOf(CBPos) || R == RowOf(CBCustPos)) {
    RefreshPosition();
  } else if (R == RowOf(CBAutoSize)) {
    RefreshSize();
  } else if (R == RowOf(CBUnits) && T->GetPositionUnits() == muPercent && T->Shape()->GetCustomPosition()) {
    // Percentages above 100 would place the annotation off the chart.
    if (T->GetLeft() > 100) T->SetLeft(100);
    if (T->GetTop() > 100) T->SetTop(100);
    RefreshPosition();
  }
}
