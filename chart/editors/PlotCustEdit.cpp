// The line series format page.
#include "chart/editors/PlotCustEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/series/PlotShadowEditor.h"
#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TCustomSeriesEditor, TEditorPage) {}

TCustomSeriesEditor::TCustomSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("CustomSeriesEditor");
  SetClientWidth(368);
  SetClientHeight(176);
  SetAlign(TAlign::alClient);
  auto LinePen = [](TObject* O) -> TObject* {
    auto* S = dynamic_cast<TCustomSeries*>(O);
    return S ? S->LinePen() : nullptr;
  };
  TEditorRow Border = Make(TEditorRowKind::erPen, "&Border...", "");
  Border.Getter = LinePen;
  FRowBorder = AddRow(Border);
  BLineBorder = Place<TButtonPen>(this, FRowBorder, this, "BLineBorder", 8, 8, 90, 25);
  FRowColor = AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor"));
  BLineColor = Place<TButtonColor>(this, FRowColor, this, "BLineColor", 8, 38, 90, 25);
  GBStair = PlaceControl<TGroupBox>(this, "GBStair", 110, 4, 110, 64);
  GBStair->SetCaption("Line Mode:");
  FRowStairs = AddRow(Make(TEditorRowKind::erCheck, "&Stairs", "Stairs"));
  CBStairs = Place<TCheckBox>(this, FRowStairs, GBStair, "CBStairs", 8, 18, 90, 17);
  CBInvStairs = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Inverted", "InvertedStairs")), GBStair,
                                 "CBInvStairs", 8, 40, 90, 17);
  CBColorEach = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint")), this,
                                 "CBColorEach", 230, 8, 120, 17);
  CBDark3D = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Dark 3D", "Dark3D")), this, "CBDark3D",
                              230, 30, 120, 17);
  TEditorRow Stack = Make(TEditorRowKind::erCombo, "S&tack:", "Stacked");
  Stack.Items = {{"None", 0}, {"Overlap", 1}, {"Stack", 2}, {"Stack 100%", 3}};
  const int32_t StackRow = AddRow(Stack);
  CBStack = Place<TComboFlat>(this, StackRow, this, "CBStack", 270, 52, 90, 21);
  CBStack->Style = TComboBoxStyle::csDropDownList;
  Label1 = Row(StackRow).Label;
  Label1->SetName("Label1");
  Label1->SetBounds(230, 56, 36, 13);
  Label1->FocusControl = CBStack;
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Height 3D:", "LineHeight", 0, 100)), this,
                          "EHeight", "UDHeight", "LHeight", 230, 300, 78, 45, EHeight, UDHeight, LHeight);
  CBClick = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Clic&kable", "ClickableLine")), this,
                             "CBClick", 230, 104, 120, 17);
  BBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "Brush")), this, "BBrush", 8, 76,
                          90, 25);
  BOutline = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Outline...", "OutLine")), this, "BOutline",
                               8, 106, 90, 25);
  CheckBox1 = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Color Each line", "ColorEachLine")), this,
                               "CheckBox1", 230, 126, 120, 17);
  Button1 = PlaceControl<TButton>(this, "Button1", 8, 136, 90, 25);
  Button1->SetCaption("S&hadow...");
  SetClientHeight(176);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
  Button1->OnClick = [this](TObject*) {
    if (!FSeries) return;
    auto* E = PlotPenDlg::CreateEditorDialogOf<TPlotShadowEditor>(this);
    E->EditedShadow = FSeries->Shadow();
    E->BOK->Show();
    PlotPenDlg::SetControlsVisible(false, {E->CBSmooth, E->UDShadowTransp, E->EShadowTransp, E->Label3});
    E->ShowModal();
    E->Free();
  };
}

TCustomSeriesEditor::~TCustomSeriesEditor() = default;

void TCustomSeriesEditor::FormShow(TObject*) {
  FSeries = dynamic_cast<TCustomSeries*>(Edited());
  if (!FSeries) return;
  LoadControls();
  const bool Line = dynamic_cast<TLineSeries*>(FSeries) != nullptr;
  CBInvStairs->SetEnabled(CBStairs->GetChecked());
  if (!Line) PlotPenDlg::SetControlsVisible(false, {BBrush, BOutline, GBStair, CBDark3D, LHeight, EHeight, UDHeight});
  if (GetParent() && !FPointerForm) FPointerForm = PlotPoEdi::InsertPointerEditor(this, FSeries->Pointer(), "Point");
}

void TCustomSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowStairs) {
    CBInvStairs->SetEnabled(CBStairs->GetChecked());
  } else if (Row == FRowColor) {
    BLineBorder->Invalidate();
  } else if (Row == FRowBorder) {
    BLineColor->Invalidate();
  }
}
