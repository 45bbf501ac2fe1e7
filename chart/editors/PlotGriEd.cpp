// The palette page of 3-D palette series.
#include "chart/editors/PlotGriEd.h"

#include <algorithm>

#include "chart/editors/EditorRows.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotSurfa.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TGrid3DSeriesEditor, TEditorPage) {}

namespace {
constexpr int32_t GridLimit = 1000;

// An edit with an up-down that no row binds (the grid size).
void FreeUpDown(TForm* Form, TWinControl* Parent, const char* Name, const char* UDName, const char* LabelName,
                const char* Caption, int L, int T, TEdit*& Edit, TUpDown*& UD, TLabel*& Label) {
  Label = PlaceControl<TLabel>(Form, Parent, LabelName, 8, T + 4, L - 12, 13);
  Label->SetCaption(Caption);
  Edit = PlaceControl<TEdit>(Form, Parent, Name, L, T, 45, 21);
  UD = PlaceControl<TUpDown>(Form, Parent, UDName, L + 45, T, 15, 21);
  UD->SetMin(1);
  UD->SetMax(GridLimit);
  UD->SetAssociate(Edit);
  Label->FocusControl = Edit;
}
}  // namespace

TGrid3DSeriesEditor::TGrid3DSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("Grid3DSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(365);
  SetClientHeight(184);
  SetAlign(TAlign::alClient);
  FLoading = true;
  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", 4, 4, 110, 176);
  GroupBox2->SetCaption("Grid size:");
  FreeUpDown(this, GroupBox2, "SEXGrid", "UDXGrid", "LXGrid", "&X:", 50, 18, SEXGrid, UDXGrid, LXGrid);
  FreeUpDown(this, GroupBox2, "SEZGrid", "UDZGrid", "LZGrid", "&Z:", 50, 46, SEZGrid, UDZGrid, LZGrid);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Depth:", "TimesZOrder", 1, 100)), GroupBox2,
                          "EDepth", "UDDepth", "LDepth", 8, 50, 74, 45, EDepth, UDDepth, LDepth);
  CBIrreg = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Irregular", "IrregularGrid")), GroupBox2,
                             "CBIrreg", 8, 104, 90, 17);

  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 118, 4, 243, 176);
  auto Sheet = [this](const char* Name, const char* Caption) {
    auto* S = Create<TTabSheet>(this);
    S->SetName(Name);
    S->SetCaption(Caption);
    S->SetPageControl(PageControl1);
    return S;
  };
  TabSingle = Sheet("TabSingle", "Single");
  TabRange = Sheet("TabRange", "Range");
  TabPalette = Sheet("TabPalette", "Palette");

  BColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "C&olor...", "SeriesColor")), TabSingle,
                               "BColor", 8, 8, 100, 25);
  BRemove = PlaceControl<TButton>(this, TabSingle, "BRemove", 8, 40, 160, 25);
  BRemove->SetCaption("&Remove custom colors");

  BFromColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Start...", "StartColor")), TabRange,
                                   "BFromColor", 8, 8, 90, 25);
  FRowMid = AddRow(Make(TEditorRowKind::erColor, "&Middle...", "MidColor"));
  BMidColor = Place<TButtonColor>(this, FRowMid, TabRange, "BMidColor", 8, 38, 90, 25);
  BToColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&End...", "EndColor")), TabRange,
                                 "BToColor", 8, 68, 90, 25);
  CheckBox1 = PlaceControl<TCheckBox>(this, TabRange, "CheckBox1", 106, 42, 100, 17);
  CheckBox1->SetCaption("&No middle");
  Button1 = PlaceControl<TButton>(this, TabRange, "Button1", 106, 68, 75, 25);
  Button1->SetCaption("S&wap");
  Button2 = PlaceControl<TButton>(this, TabRange, "Button2", 106, 8, 90, 25);
  Button2->SetCaption("&Gallery...");

  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "S&teps:", "PaletteSteps", 1, GridLimit)),
                          TabPalette, "SEPalette", "UDPalette", "LPalette", 8, 60, 6, 45, SEPalette, UDPalette,
                          LPalette);
  TEditorRow Styles = Make(TEditorRowKind::erCombo, "St&yle:", "PaletteStyle");
  Styles.Items = {{"Pale", 0}, {"Strong", 1}, {"Gray scale", 2}, {"Inverted Gray", 3}, {"Rainbow", 4}};
  const int32_t StyleRow = AddRow(Styles);
  CBPalStyle = Place<TComboFlat>(this, StyleRow, TabPalette, "CBPalStyle", 130, 6, 100, 21);
  CBPalStyle->Style = TComboBoxStyle::csDropDownList;
  LPalStyle = Row(StyleRow).Label;
  LPalStyle->SetName("LPalStyle");
  LPalStyle->SetParent(TabPalette);
  LPalStyle->SetBounds(116, -100, 1, 1);
  LPalStyle->Hide();
  FRowUseMin = AddRow(Make(TEditorRowKind::erCheck, "&Use palette minimum", "UsePaletteMin"));
  CBUseMin = Place<TCheckBox>(this, FRowUseMin, TabPalette, "CBUseMin", 8, 34, 160, 17);
  const int32_t MinRow = AddRow(Make(TEditorRowKind::erRealEdit, "&Minimum:", "PaletteMin"));
  EPaletteMin = Place<TEdit>(this, MinRow, TabPalette, "EPaletteMin", 80, 56, 70, 21);
  LPaletteMin = Row(MinRow).Label;
  const int32_t StepRow = AddRow(Make(TEditorRowKind::erRealEdit, "&Step:", "PaletteStep"));
  EPaletteStep = Place<TEdit>(this, StepRow, TabPalette, "EPaletteStep", 80, 82, 70, 21);
  LPaletteStep = Row(StepRow).Label;
  for (auto [L, Top] : {std::pair<TLabel*, int>{LPaletteMin, 60}, {LPaletteStep, 86}})
    if (L) {
      L->SetParent(TabPalette);
      L->SetBounds(8, Top, 70, 13);
    }
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Legend every:", "LegendEvery", 1, GridLimit)),
                          TabPalette, "Edit1", "UDLegendEvery", "LLegendEvery", 8, 80, 110, 45, Edit1, UDLegendEvery,
                          LLegendEvery);
  Timer1 = Create<TTimer>(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(1);
  Timer1->SetEnabled(false);

  OnShow = [this](TObject* S) { FormShow(S); };
  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  SEXGrid->OnChange = [this](TObject*) { GridSizeChange(); };
  SEZGrid->OnChange = [this](TObject*) { GridSizeChange(); };
  PageControl1->OnChange = [this](TObject* S) { PageControl1Change(S); };
  Button1->OnClick = [this](TObject*) {
    TCustom3DPaletteSeries* S = FSeries.Get();
    if (!S || FLoading) return;
    const TColor Start = S->GetStartColor();
    S->SetStartColor(S->GetEndColor());
    S->SetEndColor(Start);
    BFromColor->Invalidate();
    BToColor->Invalidate();
  };
  CheckBox1->OnClick = [this](TObject*) {
    TCustom3DPaletteSeries* S = FSeries.Get();
    if (!S || FLoading || IsLoading()) return;
    if (CheckBox1->GetChecked()) {
      S->SetMidColor(clNone);
      BMidColor->Invalidate();
    }
    CheckBox1->SetEnabled(!CheckBox1->GetChecked());
  };
  BRemove->OnClick = [this](TObject*) {
    TCustom3DPaletteSeries* S = FSeries.Get();
    if (!S || FLoading) return;
    for (int32_t i = 0; i < S->Count(); ++i) S->SetPointColor(i, clDefault);
    S->Repaint();
    BRemove->SetEnabled(false);
  };
  Button2->OnClick = [this](TObject* Sender) { Button2Click(Sender); };
  Timer1->SetOnTimer([this](TObject*) {
    Timer1->SetEnabled(false);
    TTabSheet* Active = PageControl1->GetActivePage();
    PageControl1->SetActivePage(nullptr);
    PageControl1->SetActivePage(Active);
  });
}

TGrid3DSeriesEditor::~TGrid3DSeriesEditor() = default;

void TGrid3DSeriesEditor::BeforeDestruction() {
  if (TCustomAxisPanel* C = FListened.Get()) C->RemoveListener(this);
  FListened.Reset();
  TEditorPage::BeforeDestruction();
}

void TGrid3DSeriesEditor::FormShow(TObject*) {
  FLoading = true;
  auto* S = dynamic_cast<TCustom3DPaletteSeries*>(Edited());
  FSeries = S;
  if (!S) return;
  LoadControls();
  BeginLoading();
  auto* Grid = dynamic_cast<TCustom3DGridSeries*>(S);
  if (Grid) {
    UDXGrid->SetPosition(std::clamp(Grid->GetNumXValues(), 1, GridLimit));
    UDZGrid->SetPosition(std::clamp(Grid->GetNumZValues(), 1, GridLimit));
    CBIrreg->SetChecked(Grid->GetIrregularGrid());
    CBIrreg->Show();
  } else {
    CBIrreg->Hide();
  }
  PlotProcs::EnableControls(Grid && Grid->CanCreateValues(), {SEXGrid, UDXGrid, SEZGrid, UDZGrid});
  PageControl1->SetActivePage(S->GetUseColorRange() ? TabRange : S->GetUsePalette() ? TabPalette : TabSingle);
  EPaletteMin->SetEnabled(S->GetUsePaletteMin());
  NoMiddleRule();
  BRemove->SetEnabled(PlotEngine::SeriesHasOwnColors(*S));
  EndLoading();
  if (auto* C = dynamic_cast<TCustomAxisPanel*>(S->GetParentChart()); C && C != FListened.Get()) {
    if (TCustomAxisPanel* Old = FListened.Get()) Old->RemoveListener(this);
    C->AddListener(this);
    FListened = C;
  }
  FLoading = false;
  Timer1->SetEnabled(true);
}

void TGrid3DSeriesEditor::NoMiddleRule() {
  TCustom3DPaletteSeries* S = FSeries.Get();
  if (!S) return;
  BeginLoading();
  CheckBox1->SetChecked(S->GetMidColor() == clNone);
  CheckBox1->SetEnabled(!CheckBox1->GetChecked());
  EndLoading();
}

void TGrid3DSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowUseMin)
    EPaletteMin->SetEnabled(CBUseMin->GetChecked());
  else if (Row == FRowMid)
    NoMiddleRule();
}

void TGrid3DSeriesEditor::GridSizeChange() {
  auto* Grid = dynamic_cast<TCustom3DGridSeries*>(FSeries.Get());
  if (!Grid || FLoading || IsLoading()) return;
  const int32_t X = UDXGrid->GetPosition(), Z = UDZGrid->GetPosition();
  if (X != Grid->GetNumXValues() || Z != Grid->GetNumZValues()) Grid->CreateValues(X, Z);
}

void TGrid3DSeriesEditor::PageControl1Change(TObject*) {
  TCustom3DPaletteSeries* S = FSeries.Get();
  if (!S || FLoading || IsLoading()) return;
  TTabSheet* A = PageControl1->GetActivePage();
  if (A == TabSingle) {
    // Switching point colouring on and off drops the colours the range or palette gave.
    S->SetColorEachPoint(true);
    S->SetColorEachPoint(false);
    S->SetUseColorRange(false);
    S->SetUsePalette(false);
  } else if (A == TabRange) {
    S->SetUseColorRange(true);
    S->SetUsePalette(false);
  } else if (A == TabPalette) {
    S->SetUseColorRange(false);
    S->SetUsePalette(true);
  }
}

void TGrid3DSeriesEditor::Button2Click(TObject*) {
  TCustom3DPaletteSeries* S = FSeries.Get();
  if (!S) return;
  auto G = std::make_unique<TPlotGradient>();
  G->SetVisible(true);
  G->SetStartColor(S->GetStartColor());
  G->SetMidColor(S->GetMidColor());
  G->SetEndColor(S->GetEndColor());
  TPlotGradientEditor* E = PlotEdiGrad::CreateGradientEditor(this, G.get(), false, true);
  E->SetAlign(TAlign::alNone);
  E->Panel2->Hide();
  for (TTabSheet* T : {E->TabSheet1, E->TabSheet2, E->TabSheet4}) T->SetTabVisible(false);
  E->PageControl1->SetActivePage(E->TabSheet3);
  const bool Ok = E->ShowModal() == mrOk;
  E->Free();
  if (!Ok) return;
  S->SetStartColor(G->GetStartColor());
  S->SetMidColor(G->GetMidColor());
  S->SetEndColor(G->GetEndColor());
  for (TControl* B : std::initializer_list<TControl*>{BFromColor, BMidColor, BToColor}) B->Invalidate();
  NoMiddleRule();
}

void TGrid3DSeriesEditor::PlotEvent(TPlotEvent& Event) {
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  if (auto* E = dynamic_cast<TPlotSeriesEvent*>(&Event); E && E->Event == 3) BColor->Invalidate();
}

namespace PlotGriEd {

TForm* InsertGrid3DEditor(TWinControl* Parent, TCustom3DPaletteSeries* Series) {
  return PlotEdiSeri::InsertSeriesEditorTab(Parent, TGrid3DSeriesEditor::StaticClass(), Series, "Grid 3D", 1);
}

}  // namespace PlotGriEd
