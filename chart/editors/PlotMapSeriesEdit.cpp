// The map series format page.
#include "chart/editors/PlotMapSeriesEdit.h"

#include "chart/editors/PlotSeriesFormBase.h"

#include <cmath>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotMapSeries.h"
#include "platform/rtl/SysUtils.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPolygonListBox, TChartListBox) {}
KV_CLASS_IMPL(TMapSeriesEditor, TEditorPage) {}

TPolygonListBox::TPolygonListBox(TComponent* Owner) : TChartListBox(Owner) {
  AllowAddSeries = false;
  AllowDeleteSeries = false;
  EnableDragSeries = false;
  EnableChangeType = false;
}

void TPolygonListBox::KeyUp(uint16_t& Key, TShiftState Shift) {
  // Insert, Delete and F2 act on series; here they do nothing.
  TOwnerDrawListBox::KeyUp(Key, Shift);
}

TMapSeriesEditor::TMapSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("MapSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(398);
  SetClientHeight(203);
  PageControl2 = PlaceControl<TPageControl>(this, "PageControl2", 0, 0, 398, 203);
  PageControl2->SetAlign(TAlign::alClient);
  auto Sheet = [this](TPageControl* PC, const char* Name, const char* Caption) {
    auto* S = Create<TTabSheet>(this);
    S->SetName(Name);
    S->SetCaption(Caption);
    S->SetPageControl(PC);
    return S;
  };
  TabGlobal = Sheet(PageControl2, "TabGlobal", "Global");
  TabShapes = Sheet(PageControl2, "TabShapes", "Shapes");
  BMapBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "B&rush...", "Brush")), TabGlobal,
                             "BMapBrush", 8, 8, 90, 25);
  ButtonPen1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "Pen")), TabGlobal,
                                 "ButtonPen1", 8, 40, 90, 25);

  Panel1 = PlaceControl<TPanel>(this, TabShapes, "Panel1", 0, 0, 140, 175);
  Panel1->SetAlign(TAlign::alLeft);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Panel2 = PlaceControl<TPanel>(this, Panel1, "Panel2", 0, 147, 140, 28);
  Panel2->SetAlign(TAlign::alBottom);
  Panel2->SetCaption("");
  Panel2->BevelOuter = TPanelBevel::bvNone;
  SBAdd = PlaceControl<TSpeedButton>(this, Panel2, "SBAdd", 4, 3, 23, 22);
  SBAdd->SetCaption("+");
  SBDelete = PlaceControl<TSpeedButton>(this, Panel2, "SBDelete", 30, 3, 23, 22);
  SBDelete->SetCaption("-");
  SBDelete->SetEnabled(false);
  ChartListBox1 = PlaceControl<TPolygonListBox>(this, Panel1, "ChartListBox1", 0, 0, 140, 147);
  ChartListBox1->SetAlign(TAlign::alClient);
  ChartListBox1->ItemHeight = 20;
  ChartListBox1->SetShowSeriesIcon(false);
  Splitter1 = PlaceControl<TSplitter>(this, TabShapes, "Splitter1", 140, 0, 3, 175);
  Splitter1->SetAlign(TAlign::alLeft);
  PageControl1 = PlaceControl<TPageControl>(this, TabShapes, "PageControl1", 143, 0, 247, 175);
  PageControl1->SetAlign(TAlign::alClient);
  TabValues = Sheet(PageControl1, "TabValues", "Values");
  TabFormat = Sheet(PageControl1, "TabFormat", "Format");
  TabData = Sheet(PageControl1, "TabData", "Points");

  Label3 = PlaceControl<TLabel>(this, TabValues, "Label3", 8, 8, 70, 13);
  Label3->SetCaption("Shape Index: ");
  ShapeIndex = PlaceControl<TLabel>(this, TabValues, "ShapeIndex", 80, 8, 60, 13);
  ShapeIndex->SetCaption("0");
  Label2 = PlaceControl<TLabel>(this, TabValues, "Label2", 8, 36, 40, 13);
  Label2->SetCaption("&Text:");
  EText = PlaceControl<TEdit>(this, TabValues, "EText", 50, 32, 150, 21);
  Label2->FocusControl = EText;
  Label1 = PlaceControl<TLabel>(this, TabValues, "Label1", 8, 64, 40, 13);
  Label1->SetCaption("&Z:");
  EditZ = PlaceControl<TEdit>(this, TabValues, "EditZ", 50, 60, 100, 21);
  EditZ->SetText("0");
  Label1->FocusControl = EditZ;

  // The polygon's own rows: a kit page of their own, edited object = the selected polygon.
  FPolygonKit = Create<TEditorPage>(this);
  FPolygonKit->SetName("PolygonRows");
  TEditorPage* K = FPolygonKit;
  FRowPen = K->AddRow(Make(TEditorRowKind::erPen, "Bord&er...", "Pen"));
  ButtonPen2 = Place<TButtonPen>(K, FRowPen, TabFormat, "ButtonPen2", 8, 8, 90, 25);
  CBGlobalPen = Place<TCheckBox>(K, K->AddRow(Make(TEditorRowKind::erCheck, "&Global", "ParentPen")), TabFormat,
                                 "CBGlobalPen", 104, 12, 70, 17);
  FRowBrush = K->AddRow(Make(TEditorRowKind::erBrush, "Br&ush...", "Brush"));
  BBrush = Place<TButton>(K, FRowBrush, TabFormat, "BBrush", 8, 38, 90, 25);
  CBGlobalBrush = Place<TCheckBox>(K, K->AddRow(Make(TEditorRowKind::erCheck, "Gl&obal", "ParentBrush")), TabFormat,
                                   "CBGlobalBrush", 104, 42, 70, 17);
  TEditorRow Gradient = Make(TEditorRowKind::erGradient, "&Gradient...", "");
  Gradient.Getter = [](TObject* O) -> TObject* {
    auto* P = dynamic_cast<TPlotPolygon*>(O);
    return P ? P->Gradient() : nullptr;
  };
  FRowGradient = K->AddRow(Gradient);
  BGradient = Place<TButtonGradient>(K, FRowGradient, TabFormat, "BGradient", 8, 68, 90, 25);
  FRowColor = K->AddRow(Make(TEditorRowKind::erColor, "&Color...", "Color"));
  ButtonColor1 = Place<TButtonColor>(K, FRowColor, TabFormat, "ButtonColor1", 8, 98, 90, 25);
  CBDefaultColor = PlaceControl<TCheckBox>(this, TabFormat, "CBDefaultColor", 104, 102, 70, 17);
  CBDefaultColor->SetCaption("&Default");
  CBClosed = Place<TCheckBox>(K, K->AddRow(Make(TEditorRowKind::erCheck, "Closed", "Closed")), TabFormat, "CBClosed",
                              180, 12, 60, 17);
  CBVisible = PlaceControl<TCheckBox>(this, TabFormat, "CBVisible", 180, 42, 60, 17);
  CBVisible->SetCaption("&Visible");
  EditorRows::PlaceUpDown(K, K->AddRow(Make(TEditorRowKind::erUpDown, "&Transparency:", "Transparency", 0, 100)),
                          TabFormat, "ETransp", "UDTransp", "Label4", 8, 90, 130, 40, ETransp, UDTransp, Label4);
  ETransp->SetText("0");

  ChartGridNavigator1 = PlaceControl<TChartGridNavigator>(this, TabData, "ChartGridNavigator1", 0, 122, 239, 25);
  ChartGridNavigator1->SetAlign(TAlign::alBottom);
  ChartGrid1 = PlaceControl<TChartGrid>(this, TabData, "ChartGrid1", 0, 0, 239, 122);
  ChartGrid1->SetAlign(TAlign::alClient);
  ChartGrid1->SetShowLabels(false);
  ChartGrid1->SetShowXValues(cgsYes);
  ChartGridNavigator1->SetGrid(ChartGrid1);

  OnShow = [this](TObject* S) { FormShow(S); };
  K->OnRowChanged = [this](TEditorPage&, int32_t Row) { PolygonRowChanged(Row); };
  ChartListBox1->OnClick = [this](TObject* S) { ChartListBox1Click(S); };
  ChartListBox1->OnChangeColor = [this](TChartListBox*, TCustomChartSeries*) {
    ButtonColor1->Invalidate();
    DefaultRule();
    ChartListBox1->Invalidate();
  };
  SBAdd->OnClick = [this](TObject* S) { SBAddClick(S); };
  SBDelete->OnClick = [this](TObject* S) { SBDeleteClick(S); };
  PageControl2->OnChange = [this](TObject* S) { PageControl2Change(S); };
  EText->OnChange = [this](TObject* S) { ETextChange(S); };
  EditZ->OnChange = [this](TObject* S) { EditZChange(S); };
  CBDefaultColor->OnClick = [this](TObject*) {
    TPlotPolygon* P = SelectedPolygon();
    if (!P || FLoadingPolygon || !CBDefaultColor->GetChecked()) return;
    P->SetColor(clDefault);
    DefaultRule();
    ButtonColor1->Invalidate();
    ChartListBox1->Invalidate();
    RepaintSeries();
  };
  CBVisible->OnClick = [this](TObject*) {
    TPlotPolygon* P = SelectedPolygon();
    if (P && !FLoadingPolygon) P->Points()->SetActive(CBVisible->GetChecked());
  };
  ChartGrid1->OnSetEditText = [this](TObject*, int, int, const std::string&) { RepaintSeries(); };
}

TMapSeriesEditor::~TMapSeriesEditor() = default;

void TMapSeriesEditor::BeforeDestruction() {
  if (TForm* F = FPaletteForm.Get()) F->Free();
  TEditorPage::BeforeDestruction();
}

TPlotPolygon* TMapSeriesEditor::SelectedPolygon() const {
  TMapSeries* S = FSeries.Get();
  const int32_t I = ChartListBox1->GetItemIndex();
  if (!S || I < 0 || I >= S->Shapes()->Count()) return nullptr;
  return S->Shapes()->PolygonAt(I);
}

void TMapSeriesEditor::RepaintSeries() {
  if (TMapSeries* S = FSeries.Get()) S->Repaint();
}

void TMapSeriesEditor::EnablePages(bool Value) {
  for (TTabSheet* T : {TabValues, TabFormat, TabData})
    for (int32_t i = 0; i < T->ControlCount(); ++i) T->GetControl(i)->SetEnabled(Value);
  if (Value) ChartGridNavigator1->EnableButtons();
}

void TMapSeriesEditor::DefaultRule() {
  TPlotPolygon* P = SelectedPolygon();
  const bool Default = P && !P->HasOwnColor();
  const bool Was = FLoadingPolygon;
  FLoadingPolygon = true;
  CBDefaultColor->SetChecked(Default);
  CBDefaultColor->SetEnabled(P && !Default);
  FLoadingPolygon = Was;
}

void TMapSeriesEditor::FormShow(TObject*) {
  FLoadingPolygon = false;
  if (GetParent()) SetAlign(TAlign::alClient);
  auto* S = dynamic_cast<TMapSeries*>(Edited());
  FSeries = S;
  if (S) {
    LoadControls();
    if (!FPaletteForm) FPaletteForm = PlotGriEd::InsertGrid3DEditor(this, S);
  }
  PageControl2->SetActivePage(TabGlobal);
  ChartGrid1->SetShowValueNames(false);
  const bool Any = S && S->Shapes()->Count() > 0;
  EnablePages(Any);
  ChartGridNavigator1->SetButtonVisible(nbInsert, true);
  ChartGridNavigator1->SetButtonVisible(nbDelete, true);
  PageControl1->SetActivePage(TabFormat);
  if (Any) {
    FillList();
    ChartListBox1->SetItemIndex(0);
    ChartListBox1Click(ChartListBox1);
  }
  PageControl2->SetActivePage(TabGlobal);
  PageControl1->SetActivePage(TabValues);
  ButtonPen1->SetEnabled(S != nullptr);
}

void TMapSeriesEditor::FillList() {
  ChartListBox1->Items()->BeginUpdate();
  ChartListBox1->Items()->Clear();
  if (TMapSeries* S = FSeries.Get())
    for (int32_t i = 0; i < S->Shapes()->Count(); ++i) {
      const std::string Label = S->GetLabel(i);
      ChartListBox1->Items()->AddObject(Label.empty() ? std::to_string(i) : Label, S->Shapes()->PolygonAt(i)->Points());
    }
  ChartListBox1->Items()->EndUpdate();
}

void TMapSeriesEditor::ChartListBox1Click(TObject*) {
  TMapSeries* S = FSeries.Get();
  EnablePages(S && S->Shapes()->Count() > 0);
  TPlotPolygon* P = SelectedPolygon();
  FLoadingPolygon = true;
  FPolygonKit->SetEdited(P);
  if (!P) {
    ShapeIndex->SetCaption("");
    ButtonPen2->BindPen(nullptr);
    ButtonColor1->LinkProperty(nullptr, "");
    EText->SetText("");
    EditZ->SetText("0");
    ChartGrid1->SetSeries(nullptr);
    BGradient->BindGradient(nullptr);
  } else {
    ShapeIndex->SetCaption(std::to_string(ChartListBox1->GetItemIndex()));
    ButtonColor1->Invalidate();
    DefaultRule();
    EText->SetText(P->GetText());
    EditZ->SetText(SysUtils::FloatToStr(P->GetZ()));
    CBVisible->SetChecked(P->Points()->GetActive());
    ChartGrid1->SetSeries(P->Points());
    SBDelete->SetEnabled(true);
  }
  DefaultRule();
  FLoadingPolygon = false;
}

void TMapSeriesEditor::PolygonRowChanged(int32_t Row) {
  if (Row == FRowPen || Row == FRowBrush) {
    // Editing the polygon's own pen or brush stops it following the series'.
    if (TPlotPolygon* P = SelectedPolygon()) {
      if (Row == FRowPen) P->SetParentPen(false);
      if (Row == FRowBrush) P->SetParentBrush(false);
    }
    FLoadingPolygon = true;
    (Row == FRowPen ? CBGlobalPen : CBGlobalBrush)->SetChecked(false);
    FLoadingPolygon = false;
    RepaintSeries();
  } else if (Row == FRowGradient) {
    ChartListBox1->Invalidate();
  } else if (Row == FRowColor) {
    DefaultRule();
    ChartListBox1->Invalidate();
  }
}

void TMapSeriesEditor::ETextChange(TObject*) {
  TPlotPolygon* P = SelectedPolygon();
  if (!P || FLoadingPolygon || EText->GetText() == P->GetText()) return;
  P->SetText(EText->GetText());
  const int32_t I = ChartListBox1->GetItemIndex();
  ChartListBox1->Items()->Put(I, EText->GetText().empty() ? std::to_string(I) : EText->GetText());
  RepaintSeries();
}

void TMapSeriesEditor::EditZChange(TObject*) {
  TPlotPolygon* P = SelectedPolygon();
  if (!P || FLoadingPolygon) return;
  // A partly typed number ("-", "1e") is no value yet: it waits for the next key.
  double Z = 0;
  if (!PlotSeriesFormBase::ReadReal(EditZ->GetText(), Z)) return;
  if (Z == P->GetZ()) return;
  P->SetZ(Z);
  RepaintSeries();
}

void TMapSeriesEditor::SBAddClick(TObject*) {
  TMapSeries* S = FSeries.Get();
  if (!S) return;
  TPlotPolygon* P = S->Shapes()->AddPolygon();
  P->SetText(std::to_string(S->Count()));
  FillList();
  ChartListBox1->SetItemIndex(ChartListBox1->Items()->Count() - 1);
  if (ChartListBox1->CanFocus()) ChartListBox1->SetFocus();
  ChartListBox1Click(ChartListBox1);
  EnablePages(true);
  RepaintSeries();
}

void TMapSeriesEditor::SBDeleteClick(TObject*) {
  TMapSeries* S = FSeries.Get();
  const int32_t I = ChartListBox1->GetItemIndex();
  if (!S || I < 0 || I >= S->Count()) return;
  const int32_t N = ChartListBox1->Items()->Count();
  // Unbind the grid first: deleting the point frees the polygon and its points.
  ChartGrid1->SetSeries(nullptr);
  FPolygonKit->SetEdited(nullptr);
  S->Delete(I);
  SBDelete->SetEnabled(S->Shapes()->Count() > 0);
  FillList();
  const int32_t Left = ChartListBox1->Items()->Count();
  ChartListBox1->SetItemIndex(Left == 0 ? -1 : I == N - 1 ? Left - 1 : std::min(I, Left - 1));
  ChartListBox1Click(ChartListBox1);
  EnablePages(Left > 0);
  RepaintSeries();
}

void TMapSeriesEditor::PageControl2Change(TObject*) {
  TMapSeries* S = FSeries.Get();
  if (!S || ChartListBox1->Items()->Count() == S->Shapes()->Count()) return;
  const int32_t I = ChartListBox1->GetItemIndex();
  FillList();
  ChartListBox1->SetItemIndex(std::min(I, ChartListBox1->Items()->Count() - 1));
  ChartListBox1Click(ChartListBox1);
}
