// The pie series format page.
#include "chart/editors/PlotPieEdit.h"

#include "chart/editors/PlotCircledEdit.h"
#include "chart/editors/PlotEdiLege.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPieSeriesEditor, TSeriesFormBase) {}

TPieSeriesEditor::TPieSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("PieSeriesEditor");
  PageControl1 = AddPages(320, 210);
  TabOptions = AddSheet(PageControl1, "TabOptions", "Options");
  TabGroup = AddSheet(PageControl1, "TabGroup", "Group Slices");
  TabColors = AddSheet(PageControl1, "TabColors", "Colors");

  CBDark3d = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Dark 3D", "Dark3D")), TabOptions,
                              "CBDark3d", 8, 8, 90, 17);
  CBPatterns = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Pa&tterns", "UsePatterns")), TabOptions,
                                "CBPatterns", 8, 30, 90, 17);
  CBMarksAutoPosition =
      Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Auto Mark Position", "AutoMarkPosition")),
                       TabOptions, "CBMarksAutoPosition", 8, 52, 140, 17);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Explode biggest:", "ExplodeBiggest", 0, 100, 5)),
              TabOptions, "SEExpBig", "UDExpBig", "Label1", 8, 100, 76, 45, SEExpBig, UDExpBig, Label1);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Total angle:", "AngleSize", 1, 360, 5)), TabOptions,
              "Edit1", "UDAngleSize", "Label2", 8, 100, 102, 45, Edit1, UDAngleSize, Label2);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Dark Border:", "DarkPen", 0, 255, 5)), TabOptions, "Edit2",
              "UpDown1", "Label3", 8, 100, 128, 45, Edit2, UpDown1, Label3);
  BPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "PiePen")), TabOptions, "BPen", 160,
                           4, 120, 25);
  BShadow = Place<TButton>(this, AddRow(Make(TEditorRowKind::erShadow, "S&hadow...", "Shadow")), TabOptions,
                           "BShadow", 160, 34, 120, 25);
  BGradient = Place<TButtonGradient>(this, AddRow(Make(TEditorRowKind::erGradient, "3D &Gradient...", "Gradient")),
                                     TabOptions, "BGradient", 160, 64, 120, 25);
  BGradient->HideEndColor = true;
  TEditorRow Multi = Make(TEditorRowKind::erCombo, "&Multiple Pies:", "MultiPie");
  Multi.Items = {{"Automatic", 0}, {"Disable", 1}};
  CBMultiple = Place<TComboFlat>(this, AddRow(Multi), TabOptions, "CBMultiple", 100, 154, 100, 21);
  Label4 = Row(RowOf(CBMultiple)).Label;
  Label4->SetName("Label4");
  Label4->SetParent(TabOptions);
  Label4->SetBounds(8, 158, 90, 13);
  Label4->FocusControl = CBMultiple;

  TEditorRow Other = Make(TEditorRowKind::erCombo, "&Style:", "OtherSlice.Style");
  Other.Items = {{"None", 0}, {"Below %", 1}, {"Below Value", 2}};
  FRowOther = AddRow(Other);
  CBOther = Place<TComboFlat>(this, FRowOther, TabGroup, "CBOther", 60, 8, 110, 21);
  Label5 = Row(FRowOther).Label;
  EOtherValue =
      Place<TEdit>(this, AddRow(Make(TEditorRowKind::erRealEdit, "&Value:", "OtherSlice.Value")), TabGroup,
                   "EOtherValue", 60, 36, 110, 21);
  Label6 = Row(RowOf(EOtherValue)).Label;
  EOtherLabel = PlaceControl<TEdit>(this, TabGroup, "EOtherLabel", 60, 64, 110, 21);
  Label7 = PlaceControl<TLabel>(this, TabGroup, "Label7", 8, 68, 50, 13);
  Label7->SetCaption("&Label:");
  Label7->FocusControl = EOtherLabel;
  int32_t Top = 12;
  for (auto [L, Name] : {std::pair{Label5, "Label5"}, std::pair{Label6, "Label6"}}) {
    L->SetName(Name);
    L->SetParent(TabGroup);
    L->SetBounds(8, Top, 50, 13);
    Top += 28;
  }
  Label5->FocusControl = CBOther;
  Label6->FocusControl = EOtherValue;
  Button2 = PlaceControl<TButton>(this, TabGroup, "Button2", 190, 6, 90, 25);
  Button2->SetCaption("Le&gend...");
  TRowAccess OtherText;
  OtherText.Get = [](const TObject* O) -> TPropValue {
    const auto* P = dynamic_cast<const TPieSeries*>(O);
    return P ? TPropValue(P->OtherSlice()->GetText()) : TPropValue();
  };
  OtherText.Set = [](TObject* O, const TPropValue& Text) {
    auto* P = dynamic_cast<TPieSeries*>(O);
    if (const auto* T = std::get_if<std::string>(&Text); P && T) P->OtherSlice()->SetText(*T);
  };
  BindText(EOtherLabel, std::move(OtherText));

  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each slice", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, TabColors, "CBColorEach", 8, 12, 130, 17);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), TabColors,
                               "BColor", 150, 8, 90, 25);
  SetClientWidth(320);
  SetClientHeight(210);
  PageControl1->SetActivePage(TabOptions);
  Button2->OnClick = [this](TObject* S) { Button2Click(S); };
}

TPieSeries* TPieSeriesEditor::Pie() const { return SeriesAs<TPieSeries>(); }

void TPieSeriesEditor::OtherRule() {
  const bool Grouped = CBOther->GetItemIndex() > 0;
  for (TControl* C : std::initializer_list<TControl*>{Label6, EOtherValue, Label7, EOtherLabel}) C->SetEnabled(Grouped);
}

void TPieSeriesEditor::FillForm() {
  TPieSeries* S = Pie();
  CBDark3d->SetEnabled(S->GetParentChart() && S->GetParentChart()->GetView3D());
  BColor->SetEnabled(!S->GetColorEachPoint());
  OtherRule();
  if (auto* C = TCircledSeriesEditor::Insert(this))
    PlotPenDlg::SetControlsVisible(false, {C->BBack, C->CBTransp, C->BGradient});
}

void TPieSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowOther)
    OtherRule();
  else if (Row == FRowColorEach)
    BColor->SetEnabled(!CBColorEach->GetChecked());
}

void TPieSeriesEditor::Button2Click(TObject*) {
  TPieSeries* S = Pie();
  if (!S) return;
  TFormPlotLegend* F = TFormPlotLegend::CreateLegend(this, S->OtherSlice()->GetLegend());
  F->ShowModal();
  F->Free();
}
