// The polar series format page.
#include "chart/editors/PlotPolarEdit.h"

#include "chart/editors/PlotCircledEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/extras/PlotPolar.h"
#include "chart/series/PlotBrushDlg.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPolarSeriesEditor, TSeriesFormBase) {}

TPolarSeriesEditor::TPolarSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("PolarSeriesEditor");
  using S = TCustomPolarSeries;
  PageControl1 = AddPages(320, 170);
  TabOptions = AddSheet(PageControl1, "TabOptions", "Options");
  TabLabels = AddSheet(PageControl1, "TabLabels", "Labels");

  CBClose = Place<TCheckBox>(
      this, AddBoundRow(Make(TEditorRowKind::erCheck, "C&lose Circle", ""), Access(&S::GetCloseCircle, &S::SetCloseCircle)),
      TabOptions, "CBClose", 8, 8, 110, 17);
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "Angle &Increment:", "", 0, 360),
                          Access(&S::GetAngleIncrement, &S::SetAngleIncrement)),
              TabOptions, "SEAngleInc", "UDAngleInc", "Label1", 8, 110, 32, 50, SEAngleInc, UDAngleInc, Label1);
  SEAngleInc->MaxLength = 32767;
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "Radius Increment:", "", 0, 32767),
                          Access(&S::GetRadiusIncrement, &S::SetRadiusIncrement)),
              TabOptions, "SERadiusInc", "UDRadiusInc", "Label2", 8, 110, 60, 50, SERadiusInc, UDRadiusInc, Label2);
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "", 0, 100, 5),
                          Access(&S::GetTransparency, &S::SetTransparency)),
              TabOptions, "Edit1", "UDTransp", "Label3", 8, 110, 88, 50, Edit1, UDTransp, Label3);
  BPen = Place<TButtonPen>(this, AddRow(PartRow(TEditorRowKind::erPen, "&Pen...", Part(&TCustomChartElement::Pen))),
                           TabOptions, "BPen", 200, 4, 100, 25);
  BPiePen = Place<TButtonPen>(this, AddRow(PartRow(TEditorRowKind::erPen, "&Circle...", Part(&S::CirclePen))),
                              TabOptions, "BPiePen", 200, 32, 100, 25);
  BBrush = Place<TButton>(this,
                          AddRow(PartRow(TEditorRowKind::erBrush, "Pattern...", Part(&TCustomChartElement::Brush))),
                          TabOptions, "BBrush", 200, 60, 100, 25);
  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "Color...", "SeriesColor")), TabOptions,
                               "BColor", 200, 88, 100, 25);
  CBColorEach = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Color Each", "ColorEachPoint")),
                                 TabOptions, "CBColorEach", 200, 120, 100, 17);

  FRowLabels = AddBoundRow(Make(TEditorRowKind::erCheck, "&Visible", ""), Access(&S::GetCircleLabels, &S::SetCircleLabels));
  CBAngleLabels = Place<TCheckBox>(this, FRowLabels, TabLabels, "CBAngleLabels", 8, 8, 100, 17);
  CBLabelsRot = Place<TCheckBox>(this,
                                 AddBoundRow(Make(TEditorRowKind::erCheck, "R&otated", ""),
                                             Access(&S::GetCircleLabelsRotated, &S::SetCircleLabelsRotated)),
                                 TabLabels, "CBLabelsRot", 8, 30, 100, 17);
  CBClockWise = Place<TCheckBox>(this,
                                 AddBoundRow(Make(TEditorRowKind::erCheck, "ClockWise", ""),
                                             Access(&S::GetClockWiseLabels, &S::SetClockWiseLabels)),
                                 TabLabels, "CBClockWise", 8, 52, 100, 17);
  CBInside = Place<TCheckBox>(this,
                              AddBoundRow(Make(TEditorRowKind::erCheck, "I&nside", ""),
                                          Access(&S::GetCircleLabelsInside, &S::SetCircleLabelsInside)),
                              TabLabels, "CBInside", 8, 74, 100, 17);
  BFont = PlaceControl<TButton>(this, TabLabels, "BFont", 130, 4, 90, 25);
  BFont->SetCaption("&Font...");
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "&Margin %:", "", -200, 200),
                          Access(&S::GetLabelsMargin, &S::SetLabelsMargin)),
              TabLabels, "EMargin", "UDMargin", "Label4", 130, 200, 40, 50, EMargin, UDMargin, Label4);
  SetClientWidth(320);
  SetClientHeight(170);
  PageControl1->SetActivePage(TabOptions);
  BFont->OnClick = [this](TObject* Sender) { BFontClick(Sender); };
}

TCustomPolarSeries* TPolarSeriesEditor::Polar() const { return SeriesAs<TCustomPolarSeries>(); }

void TPolarSeriesEditor::ShowAngleControls() {
  PlotPenDlg::SetControlsVisible(SeriesAs<TPolarSeries>() != nullptr, {Label1, SEAngleInc, UDAngleInc});
}

void TPolarSeriesEditor::LabelsRule() {
  for (TControl* C : std::initializer_list<TControl*>{CBLabelsRot, CBClockWise, BFont})
    C->SetEnabled(CBAngleLabels->GetChecked());
}

void TPolarSeriesEditor::FillForm() {
  LabelsRule();
  ShowAngleControls();
  TCustomPolarSeries* S = Polar();
  TCircledSeriesEditor::Insert(this);
  EmbedOnce("Point", [&] { return PlotPoEdi::InsertPointerEditor(this, S->Pointer(), "Point"); });
}

void TPolarSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowLabels) LabelsRule();
}

void TPolarSeriesEditor::BFontClick(TObject*) {
  if (TCustomPolarSeries* S = Polar()) PlotBrushDlg::EditFontDialog(this, S->CircleLabelsFont());
}
