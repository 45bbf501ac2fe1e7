// The point style editor.
#include "chart/editors/PlotPoEdi.h"

#include "chart/editors/PlotEdiSeri.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/Series.h"

namespace {

using PlotPenDlg::PlaceControl;
using Style_ = TSeriesPointerStyle;

TEditorRow MakeRow(TEditorRowKind Kind, const std::string& Caption, const std::string& Path, int32_t Min = 0,
                   int32_t Max = 100) {
  TEditorRow R;
  R.Kind = Kind;
  R.Caption = Caption;
  R.Path = Path;
  R.Min = Min;
  R.Max = Max;
  return R;
}

// The parent chart of a pointer: its series' chart, else the panel it draws on.
TSeriesChart* ChartOf(const TSeriesPointer* P) {
  if (!P) return nullptr;
  if (TChartSeries* S = P->ParentSeries()) return S->GetParentChart();
  return dynamic_cast<TSeriesChart*>(P->Parent());
}

}  // namespace

namespace PlotPoEdi {

const std::vector<std::string>& PointerStyleNames() {
  static const std::vector<std::string> Names{"Square",      "Circle",         "Triangle",  "Down Triangle",
                                              "Cross",       "Diagonal Cross", "Star",      "Diamond",
                                              "Small Dot",   "Nothing",        "Left Triangle", "Right Triangle"};
  return Names;
}

TForm* InsertPointerEditor(TWinControl* Parent, TSeriesPointer* Pointer, const std::string& Caption) {
  return PlotEdiSeri::InsertSeriesEditorTab(Parent, TSeriesPointerEditor::StaticClass(), Pointer, Caption, 1);
}

bool ShowPointerEditor(TComponent* Owner, TSeriesPointer* Pointer) {
  auto* F = PlotPenDlg::CreateEditorDialogOf<TSeriesPointerEditor>(Owner);
  F->SetCaption("Pointer");
  F->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Pointer));
  F->CBInflate->Hide();
  F->CBColorEach->Hide();
  F->PanelBottom->Show();
  F->SetClientHeight(F->GetClientHeight() + F->PanelBottom->GetHeight());
  PlotProcs::TranslateControl(F);
  F->ShowModal();
  F->Free();
  return true;
}

}  // namespace PlotPoEdi

KV_CLASS_IMPL(TSeriesPointerEditor, TEditorPage) {}

TSeriesPointerEditor::TSeriesPointerEditor(TComponent* Owner) : TEditorPage(Owner) {
  // A series page may hold several (the point-and-figure symbols): the later ones stay unnamed.
  if (!Owner || !Owner->FindComponent("SeriesPointerEditor")) SetName("SeriesPointerEditor");
  SetClientWidth(304);
  SetClientHeight(211);
  PanelBottom = PlaceControl<TPanel>(this, "PanelBottom", 0, 174, 304, 37);
  PanelBottom->SetAlign(TAlign::alBottom);
  PanelBottom->SetCaption("");
  PanelBottom->Hide();
  Button1 = PlaceControl<TButton>(this, PanelBottom, "Button1", 219, 7, 75, 25);
  Button1->SetCaption("Close");
  Button1->ModalResult = mrOk;
  GPPoint = PlaceControl<TGroupBox>(this, "GPPoint", 0, 0, 304, 137);
  GPPoint->SetCaption("");
  GroupBox1 = PlaceControl<TGroupBox>(this, GPPoint, "GroupBox1", 8, 88, 285, 45);
  GroupBox1->SetCaption("");

  auto Place = [this](int32_t Row, TWinControl* Parent, const char* Name, int L, int T, int W, int H) {
    TControl* C = this->Row(Row).Control;
    C->SetName(Name);
    C->SetParent(Parent);
    C->SetBounds(L, T, W, H);
    return C;
  };
  FRowVisible = AddRow(MakeRow(TEditorRowKind::erCheck, "&Visible", "Visible"));
  CBDrawPoint = static_cast<TCheckBox*>(Place(FRowVisible, GPPoint, "CBDrawPoint", 8, 15, 97, 17));
  FRow3D = AddRow(MakeRow(TEditorRowKind::erCheck, "&3D", "Draw3D"));
  CB3dPoint = static_cast<TCheckBox*>(Place(FRow3D, GPPoint, "CB3dPoint", 8, 39, 60, 17));
  CBPoDark = static_cast<TCheckBox*>(
      Place(AddRow(MakeRow(TEditorRowKind::erCheck, "Dar&k 3D", "Dark3D")), GPPoint, "CBPoDark", 80, 39, 80, 17));
  CBInflate = static_cast<TCheckBox*>(Place(AddRow(MakeRow(TEditorRowKind::erCheck, "Inflate &Margins", "InflateMargins")),
                                            GPPoint, "CBInflate", 8, 63, 120, 17));
  TEditorRow Styles = MakeRow(TEditorRowKind::erCombo, "&Style:", "Style");
  Styles.OwnerDraw = true;
  for (size_t i = 0; i < PlotPoEdi::PointerStyleNames().size(); ++i)
    Styles.Items.emplace_back(PlotPoEdi::PointerStyleNames()[i], static_cast<int32_t>(i));
  FRowStyle = AddRow(Styles);
  CBStyle = static_cast<TPenStyleCombo*>(Place(FRowStyle, GPPoint, "CBStyle", 177, 12, 117, 22));
  CBStyle->Style = TComboBoxStyle::csOwnerDrawFixed;
  CBStyle->ItemHeight = 16;
  CBStyle->DropDownCount = 12;
  CBStyle->OnDrawItem = [this](TCanvas& C, int32_t I, const TRect& R, bool Sel) { CBStyleDrawItem(C, I, R, Sel); };
  Label3 = Row(FRowStyle).Label;
  Label3->SetName("Label3");
  Label3->SetParent(GPPoint);
  Label3->SetBounds(136, 16, 36, 13);
  Label3->FocusControl = CBStyle;
  auto SizeRow = [&](const char* Caption, const char* Path, const char* EditName, const char* UpDownName,
                     const char* LabelName, int Top, TEdit*& Edit, TUpDown*& UpDown, TLabel*& Label) {
    const int32_t R = AddRow(MakeRow(TEditorRowKind::erUpDown, Caption, Path, 1, 1000));
    Edit = static_cast<TEdit*>(Place(R, GPPoint, EditName, 249, Top, 28, 21));
    UpDown = Row(R).UpDown;
    UpDown->SetName(UpDownName);
    UpDown->SetParent(GPPoint);
    UpDown->SetAssociate(Edit);
    Label = Row(R).Label;
    Label->SetName(LabelName);
    Label->SetParent(GPPoint);
    Label->SetBounds(200, Top + 4, 45, 13);
    Label->FocusControl = Edit;
  };
  SizeRow("&Width:", "HorizSize", "SEPointHorizSize", "UDPointHorizSize", "Label1", 38, SEPointHorizSize,
          UDPointHorizSize, Label1);
  SizeRow("&Height:", "VertSize", "SEPointVertSize", "UDPointVertSize", "Label2", 66, SEPointVertSize,
          UDPointVertSize, Label2);
  FRowBrush = AddRow(MakeRow(TEditorRowKind::erBrush, "&Pattern...", "Brush"));
  BPointFillColor = static_cast<TButton*>(Place(FRowBrush, GroupBox1, "BPointFillColor", 7, 12, 75, 25));
  FRowPen = AddRow(MakeRow(TEditorRowKind::erPen, "B&order...", "Pen"));
  BPoinPenCol = static_cast<TButtonPen*>(Place(FRowPen, GroupBox1, "BPoinPenCol", 97, 12, 75, 25));
  CBDefBrushColor = PlaceControl<TCheckBox>(this, GroupBox1, "CBDefBrushColor", 191, 16, 80, 17);
  CBDefBrushColor->SetCaption("&Default");
  CBColorEach = PlaceControl<TCheckBox>(this, "CBColorEach", 10, 144, 100, 17);
  CBColorEach->SetCaption("&Color Each ");
  BGradient = PlaceControl<TButton>(this, "BGradient", 200, 140, 94, 25);
  BGradient->SetCaption("&Gradient...");
  SetClientHeight(211);
  SetActiveControl(CBDrawPoint);

  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
  OnShow = [this](TObject* S) { FormShow(S); };
  CBDefBrushColor->OnClick = [this](TObject*) {
    if (IsLoading() || !FPointer) return;
    if (CBDefBrushColor->GetChecked()) {
      FPointer->Brush()->SetColor(clDefault);
      FPointer->Pen()->SetColor(clDefault);
    } else if (FPointer->Pen()->GetColor() == clDefault) {
      FPointer->Pen()->SetColor(clBlack);
    }
    BPoinPenCol->Invalidate();
    CBStyle->Invalidate();
  };
  CBColorEach->OnClick = [this](TObject*) {
    if (IsLoading()) return;
    if (TCustomSeries* S = TaggedSeries()) S->SetColorEachPoint(CBColorEach->GetChecked());
  };
  BGradient->OnClick = [this](TObject*) {
    if (!FPointer) return;
    PlotEdiGrad::EditGradientModal(this, FPointer->Gradient(), !dynamic_cast<TCallout*>(FPointer), false);
  };
  Button1->OnClick = [this](TObject*) { Close(); };
}

TCustomSeries* TSeriesPointerEditor::TaggedSeries() const {
  return dynamic_cast<TCustomSeries*>(reinterpret_cast<TObject*>(Tag));
}

void TSeriesPointerEditor::FormShow(TObject*) {
  FShowing = false;
  auto* Tagged = reinterpret_cast<TObject*>(Tag);
  if (!Tagged) return;
  const std::string Prefix = dynamic_cast<TSeriesPointer*>(Tagged) ? "" : "Pointer.";
  if (auto* P = dynamic_cast<TSeriesPointer*>(Tagged)) {
    FPointer = P;
    CBColorEach->SetEnabled(false);
    CBColorEach->Hide();
  } else if (TCustomSeries* S = TaggedSeries()) {
    FPointer = S->Pointer();
    CBColorEach->Show();
  } else {
    return;
  }
  // The rows' paths start at the tagged object.
  for (int32_t i = 0; i < RowCount(); ++i) {
    std::string& Path = Row(i).Path;
    if (Path.rfind("Pointer.", 0) == 0) Path.erase(0, 8);
    Path = Prefix + Path;
  }
  LoadControls();
  BeginLoading();
  if (TCustomSeries* S = TaggedSeries()) CBColorEach->SetChecked(S->GetColorEachPoint());
  SetPointerVisible(FPointer->GetVisible());
  CheckDefaultColor();
  EndLoading();
  FShowing = true;
}

void TSeriesPointerEditor::Enable3DControls() {
  TSeriesChart* Chart = ChartOf(FPointer);
  bool Enabled = false;
  if (Chart && Chart->GetView3D()) {
    const Style_ S = FPointer->GetStyle();
    TCanvas3D* Canvas = Chart->GetCanvas();
    Enabled = S == Style_::psRectangle || S == Style_::psTriangle || S == Style_::psDownTriangle ||
              (S == Style_::psCircle && Canvas && Canvas->IsTrue3D());
  }
  CB3dPoint->SetEnabled(Enabled);
  CBPoDark->SetEnabled(Enabled && CB3dPoint->GetChecked());
}

void TSeriesPointerEditor::SetPointerVisible(bool Value) {
  if (FPointer && !IsLoading()) FPointer->SetVisible(Value);
  if (Value) {
    Enable3DControls();
  } else {
    CB3dPoint->SetEnabled(false);
    CBPoDark->SetEnabled(false);
  }
  for (TControl* C : std::initializer_list<TControl*>{CBInflate, SEPointHorizSize, SEPointVertSize, UDPointHorizSize,
                                                      UDPointVertSize, BPointFillColor, CBStyle, BPoinPenCol,
                                                      CBDefBrushColor})
    C->SetEnabled(Value);
}

void TSeriesPointerEditor::CheckDefaultColor() {
  if (!FPointer) return;
  BeginLoading();
  CBDefBrushColor->SetChecked(FPointer->Brush()->GetColor() == clDefault && FPointer->Pen()->GetColor() == clDefault);
  EndLoading();
}

void TSeriesPointerEditor::HideSizeControls() {
  PlotPenDlg::SetControlsVisible(
      false, {Label1, SEPointHorizSize, UDPointHorizSize, Label2, SEPointVertSize, UDPointVertSize});
}

void TSeriesPointerEditor::RowRule(int32_t Row) {
  if (Row == FRowVisible) {
    SetPointerVisible(CBDrawPoint->GetChecked());
  } else if (Row == FRow3D || Row == FRowStyle) {
    Enable3DControls();
  } else if (Row == FRowBrush || Row == FRowPen) {
    CheckDefaultColor();
    CBStyle->Invalidate();
  }
}

void TSeriesPointerEditor::CBStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& R, bool Selected) {
  const TColor Back = Selected ? clHighlight : CBStyle->GetColor();
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(Back);
  Canvas.FillRect(R);
  if (FPointer && Index >= 0 && Index < static_cast<int32_t>(PlotPoEdi::PointerStyleNames().size())) {
    TPlotCanvas3D C3;
    C3.AttachCanvas(&Canvas);
    TColor Colour = FPointer->Brush()->GetColor();
    if (Colour == clDefault && FPointer->ParentSeries()) Colour = FPointer->ParentSeries()->GetSeriesColor();
    FPointer->PrepareCanvas(C3, Colour);
    const auto Style = static_cast<Style_>(Index);
    const bool LineOnly = Style == Style_::psCross || Style == Style_::psDiagCross || Style == Style_::psStar ||
                          Style == Style_::psSmallDot;
    if (LineOnly && !FPointer->Pen()->GetVisible()) {
      Canvas.Pen->SetStyle(psSolid);
      Canvas.Pen->SetWidth(1);
      Canvas.Pen->SetColor(Colour);
    }
    FPointer->DrawPointer(C3, false, R.Left + 6, R.Top + 8, 4, 4, Colour, Style);
    C3.AttachCanvas(nullptr);
  }
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Brush->SetColor(Back);
  Canvas.Font->SetColor(Selected ? clHighlightText : clWindowText);
  if (Index >= 0 && Index < CBStyle->Items()->Count()) Canvas.TextOut(R.Left + 14, R.Top + 2, CBStyle->Items()->Strings(Index));
}
