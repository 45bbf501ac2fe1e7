// The gradient editor, its sample panel and the gradient button.
#include "chart/series/PlotEdiGrad.h"

#include <algorithm>

#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/SysUtils.h"

namespace {
const char* const DirectionNames[] = {"Top Bottom",    "Bottom Top",       "Left Right", "Right Left",
                                      "From Center",   "From Top Left",    "From Bottom Left",
                                      "Radial",        "Diagonal Up",      "Diagonal Down"};

template <class T>
T* Put(TComponent* Owner, TWinControl* Parent, const char* Name, int L, int Top, int W, int H) {
  T* C = Create<T>(Owner);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(L, Top, W, H);
  return C;
}
}  // namespace

// ============================================================================
// Sample panel
// ============================================================================

KV_CLASS_IMPL(TPreviewGradient, TCustomControl) {}

TPreviewGradient::TPreviewGradient(TComponent* Owner) : TCustomControl(Owner) {
  FGradient = std::make_unique<TPlotGradient>([this](TObject*) { Invalidate(); });
}

TPreviewGradient::~TPreviewGradient() = default;

void TPreviewGradient::Paint() {
  TCanvas& C = *GetCanvas();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(GetColor());
  C.FillRect(GetClientRect());
  if (!FGradient->GetVisible()) return;
  TPlotCanvas3D Canvas;
  Canvas.SetBuffered(false);
  Canvas.AttachCanvas(&C);
  Canvas.ViewBounds = GetClientRect();
  Canvas.ResetState();
  FGradient->FillRect(Canvas, GetClientRect());
}

// ============================================================================
// Editor
// ============================================================================

const std::vector<TGradientPreset>& TPlotGradientEditor::Presets() {
  static const std::vector<TGradientPreset> P{
      {"Caribe Sun", 0xDDDFD2, 0xF50A97, 0x0B80F4, gdTopBottom, 50},
      {"Business", 0xC0C0C0, 0xFFFFFF, 0x808080, gdTopBottom, 50},
      {"Hot", 0x0000FF, clNone, 0x00FFFF, gdTopBottom, 50},
      {"Ace", 0x000000, 0xFF8080, 0x000000, gdBottomTop, 74},
      {"Farm", 0x006AD5, 0xFFFFFF, 0x0062C4, gdBottomTop, 4},
      {"Sea", 0xFFFF80, 0xFF8080, 0x800000, gdBottomTop, 55},
      {"Night", 0xFFFFFF, 0x800040, 0x000000, gdTopBottom, 40},
      {"Space", 0xA50320, 0x800040, 0xFFFFFF, gdFromTopLeft, 50},
      {"Golf", 0x159902, 0xC0C0C0, 0xD9F986, gdTopBottom, 50},
      {"Funky", 0xBD3881, 0x87607A, 0x52EB85, gdTopBottom, 50},
      {"Sunset", 0xB85A06, 0xA7D8AF, 0x001042, gdTopBottom, 50},
      {"Rainbow", 0xA11EE8, 0x0F8355, 0xDD011A, gdTopBottom, 50},
      {"Pastel", 0x247489, 0x9491F6, 0xFD8B9D, gdTopBottom, 50},
      {"Tropical", 0x9A414B, 0x732FF3, 0x20D761, gdTopBottom, 50},
      {"Sea 2", 0x4C031C, 0xBACBE1, 0x291EF9, gdTopBottom, 50},
      {"Desert", 0x265FB7, 0xCE7185, 0x604457, gdTopBottom, 50},
      {"Clear day", 0xFFF3EA, 0xE0E6E9, 0xCEDBFF, gdTopBottom, 50}};
  return P;
}

KV_CLASS_IMPL(TPlotGradientEditor, TForm) {}

TPlotGradientEditor::TPlotGradientEditor(TComponent* Owner) : TForm(Owner) {
  SetName("PlotGradientEditor");
  SetCaption("Gradient Editor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(300);
  SetClientHeight(230);

  Panel2 = Put<TPanel>(this, this, "Panel2", 0, 0, 300, 33);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->BevelOuter = TPanelBevel::bvNone;
  Panel2->SetCaption("");
  CBVisible = Put<TCheckBox>(this, Panel2, "CBVisible", 8, 8, 80, 17);
  CBVisible->SetCaption("&Visible");
  LDirection = Put<TLabel>(this, Panel2, "LDirection", 100, 10, 50, 13);
  LDirection->SetCaption("&Direction:");
  CBDirection = Put<TComboFlat>(this, Panel2, "CBDirection", 156, 6, 136, 21);
  CBDirection->DropDownCount = 10;
  for (const char* N : DirectionNames) CBDirection->Items()->Add(N);
  LDirection->FocusControl = CBDirection;

  Panel1 = Put<TPanel>(this, this, "Panel1", 0, 195, 300, 35);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Panel1->SetCaption("");
  BOk = Put<TButton>(this, Panel1, "BOk", 136, 5, 75, 25);
  BOk->SetCaption("OK");
  BOk->Default = true;
  BOk->ModalResult = mrOk;
  BCancel = Put<TButton>(this, Panel1, "BCancel", 218, 5, 75, 25);
  BCancel->SetCaption("Cancel");
  BCancel->Cancel = true;

  PageControl1 = Put<TPageControl>(this, this, "PageControl1", 0, 33, 300, 162);
  PageControl1->SetAlign(TAlign::alClient);
  auto Sheet = [this](const char* Name, const char* Caption) {
    auto* S = Create<TTabSheet>(this);
    S->SetName(Name);
    S->SetCaption(Caption);
    S->SetPageControl(PageControl1);
    return S;
  };
  TabSheet3 = Sheet("TabSheet3", "Default");
  TabSheet1 = Sheet("TabSheet1", "Colors");
  TabSheet2 = Sheet("TabSheet2", "Options");
  TabSheet4 = Sheet("TabSheet4", "Directions");

  // Default: the presets beside the sample.
  Gallery = Put<TListBox>(this, TabSheet3, "Gallery", 0, 0, 110, 130);
  Gallery->SetAlign(TAlign::alLeft);
  std::vector<int32_t> Order(Presets().size());
  for (size_t i = 0; i < Order.size(); ++i) Order[i] = static_cast<int32_t>(i);
  std::sort(Order.begin(), Order.end(), [](int32_t A, int32_t B) {
    return SysUtils::CompareText(Presets()[static_cast<size_t>(A)].Name, Presets()[static_cast<size_t>(B)].Name) < 0;
  });
  for (int32_t N : Order) Gallery->Items()->Add(Presets()[static_cast<size_t>(N)].Name);
  FRowPreset = Order;
  Sample = Put<TPreviewGradient>(this, TabSheet3, "Sample", 110, 0, 180, 130);
  Sample->SetAlign(TAlign::alClient);

  // Colors.
  BStart = Put<TButtonColor>(this, TabSheet1, "BStart", 8, 8, 100, 25);
  BStart->SetCaption("&Start...");
  BMid = Put<TButtonColor>(this, TabSheet1, "BMid", 8, 40, 100, 25);
  BMid->SetCaption("&Middle...");
  BEnd = Put<TButtonColor>(this, TabSheet1, "BEnd", 8, 72, 100, 25);
  BEnd->SetCaption("&End...");
  CBMid = Put<TCheckBox>(this, TabSheet1, "CBMid", 120, 44, 100, 17);
  CBMid->SetCaption("&No Middle");
  BSwap = Put<TButton>(this, TabSheet1, "BSwap", 120, 72, 75, 25);
  BSwap->SetCaption("S&wap");

  // Options.
  LBalance = Put<TLabel>(this, TabSheet2, "LBalance", 8, 10, 50, 13);
  LBalance->SetCaption("&Balance:");
  SBBalance = Put<TScrollBar>(this, TabSheet2, "SBBalance", 64, 8, 150, 17);
  SBBalance->SetParams(50, 0, 100);
  LabelBalance = Put<TLabel>(this, TabSheet2, "LabelBalance", 222, 10, 60, 13);
  GroupRadial = Put<TGroupBox>(this, TabSheet2, "GroupRadial", 8, 36, 276, 90);
  GroupRadial->SetCaption("Radial offset:");
  LHoriz = Put<TLabel>(this, GroupRadial, "LHoriz", 8, 22, 40, 13);
  LHoriz->SetCaption("&Horiz:");
  TrackBar1 = Put<TTrackBar>(this, GroupRadial, "TrackBar1", 50, 16, 170, 25);
  LRadialX = Put<TLabel>(this, GroupRadial, "LRadialX", 226, 22, 40, 13);
  LVert = Put<TLabel>(this, GroupRadial, "LVert", 8, 56, 40, 13);
  LVert->SetCaption("&Vert:");
  TrackBar2 = Put<TTrackBar>(this, GroupRadial, "TrackBar2", 50, 50, 170, 25);
  LRadialY = Put<TLabel>(this, GroupRadial, "LRadialY", 226, 56, 40, 13);
  for (TTrackBar* T : {TrackBar1, TrackBar2}) {
    T->SetMin(-300);
    T->SetMax(300);
    T->Frequency = 50;
  }

  // Directions.
  Directions = Create<TChartGalleryPanel>(this);
  Directions->SetName("Directions");
  Directions->SetParent(TabSheet4);
  Directions->BevelOuter = TPanelBevel::bvNone;
  Directions->SetAlign(TAlign::alClient);
  Directions->SetBounds(0, 0, 290, 130);
  BuildDirections();

  CBVisible->OnClick = [this](TObject* S) { CBVisibleClick(S); };
  CBDirection->OnChange = [this](TObject* S) { CBDirectionChange(S); };
  BSwap->OnClick = [this](TObject* S) { BSwapClick(S); };
  CBMid->OnClick = [this](TObject* S) { CBMidClick(S); };
  BMid->OnClick = [this](TObject* S) { BMidClick(S); };
  BStart->OnClick = [this](TObject* S) { ColorClick(S); };
  BEnd->OnClick = [this](TObject* S) { ColorClick(S); };
  SBBalance->OnChange = [this](TObject* S) { SBBalanceChange(S); };
  TrackBar1->OnChange = [this](TObject* S) { TrackBar1Change(S); };
  TrackBar2->OnChange = [this](TObject* S) { TrackBar2Change(S); };
  Gallery->OnClick = [this](TObject* S) { GalleryClick(S); };
  BCancel->OnClick = [this](TObject* S) { BCancelClick(S); };
  Directions->OnChangeChart = [this](TObject* S) { DirectionChosen(S); };
  OnShow = [this](TObject*) {
    SetGradient(EditedGradient ? EditedGradient : reinterpret_cast<TPlotGradient*>(Tag));
    GradientChanged = false;
    PlotProcs::TranslateControl(this);
  };

  SetAlign(TAlign::alClient);
  PageControl1->SetActivePage(TabSheet1);
}

TPlotGradientEditor::~TPlotGradientEditor() = default;

void TPlotGradientEditor::BuildDirections() {
  Directions->DisplaySub = false;
  Directions->SetNumRows(2);
  Directions->SetNumCols(5);
  for (int32_t d = 0; d < 10; ++d) {
    TGalleryChart* C = Directions->AddChart();
    C->Hint = DirectionNames[d];
    C->ShowHint = true;
    C->Title()->Text()->Clear();
    C->SetView3D(false);
    C->SetAxisVisible(false);
    TPlotGradient* G = C->BackWall()->GetGradient();
    G->SetVisible(true);
    C->BackWall()->SetTransparent(false);
    C->SetMargin(0, 16);
    C->SetMargin(1, 22);
    C->SetMargin(2, 16);
    C->SetMargin(3, 22);
    G->SetDirection(static_cast<TGradientDirection>(d));
  }
  Directions->CalcChartSizes();
  Directions->PlaceCharts();
  PlotProcs::TranslateControl(Directions);
}

TPlotGradientEditor* TPlotGradientEditor::CreateEmbedded(TComponent* Owner, TPlotGradient* Gradient) {
  auto* E = Create<TPlotGradientEditor>(Owner);
  E->EditedGradient = Gradient;
  E->Tag = reinterpret_cast<intptr_t>(Gradient);
  E->Panel1->Hide();
  E->BOk->Hide();
  E->BCancel->Hide();
  E->SetClientHeight(E->GetClientHeight() - E->BOk->GetHeight());
  return E;
}

bool TPlotGradientEditor::IsLinearDirection(TGradientDirection D) {
  return D == gdTopBottom || D == gdBottomTop || D == gdLeftRight || D == gdRightLeft;
}

int32_t TPlotGradientEditor::PresetOfRow(int32_t Row) const {
  return Row >= 0 && Row < static_cast<int32_t>(FRowPreset.size()) ? FRowPreset[static_cast<size_t>(Row)] : -1;
}

void TPlotGradientEditor::SetGradient(TPlotGradient* G) {
  LoadingControls = true;
  struct TGuard {
    bool& F;
    ~TGuard() { F = false; }
  } Guard{LoadingControls};
  Tag = reinterpret_cast<intptr_t>(G);
  EditedGradient = G;
  if (G) {
    SavedGradient = std::make_unique<TPlotGradient>();
    SavedGradient->Assign(G);
    BStart->LinkProperty(G, "StartColor");
    BMid->LinkProperty(G, "MidColor");
    BEnd->LinkProperty(G, "EndColor");
    LoadControls();
    EnableControls();
    EnableDirectionControls();
    RefreshPreview();
    const int32_t D = static_cast<int32_t>(G->GetDirection());
    if (D >= 0 && D < Directions->Charts().Count()) Directions->SetCurrentChart(Directions->Charts().GetChart(D));
  }
}

void TPlotGradientEditor::LoadControls() {
  TPlotGradient* G = EditedGradient;
  if (!G) return;
  SBBalance->SetPosition(G->GetBalance());
  LabelBalance->SetCaption(SysUtils::FormatFloat("##0.## %", G->GetBalance()));
  CBVisible->SetChecked(G->GetVisible());
  CBDirection->SetItemIndex(static_cast<int32_t>(G->GetDirection()));
  CBMid->SetChecked(G->GetMidColor() == clNone);
  TrackBar1->SetPosition(G->GetRadialX());
  LRadialX->SetCaption(std::to_string(G->GetRadialX()));
  TrackBar2->SetPosition(G->GetRadialY());
  LRadialY->SetCaption(std::to_string(G->GetRadialY()));
  for (TButtonColor* B : {BStart, BMid, BEnd}) B->Repaint();
  UpdateGalleryColors();
}

void TPlotGradientEditor::EnableControls() {
  const bool On = HideEndColor || (EditedGradient && EditedGradient->GetVisible());
  for (TControl* C : std::initializer_list<TControl*>{CBDirection, BStart, CBMid, BMid, BEnd, BSwap, Gallery})
    C->SetEnabled(On);
}

void TPlotGradientEditor::EnableDirectionControls() {
  if (!EditedGradient) return;
  const TGradientDirection D = EditedGradient->GetDirection();
  const bool Middle = HideEndColor || (EditedGradient->GetVisible() && D != gdFromCenter && D != gdFromTopLeft &&
                                       D != gdFromBottomLeft && D != gdRadial);
  CBMid->SetEnabled(Middle);
  BMid->SetEnabled(Middle);
  const bool Radial = D == gdRadial;
  for (TControl* C : std::initializer_list<TControl*>{LHoriz, LVert, TrackBar1, TrackBar2}) C->SetEnabled(Radial);
}

void TPlotGradientEditor::RefreshPreview() {
  if (!EditedGradient) return;
  TPlotGradient* S = Sample->Gradient();
  S->SetVisible(EditedGradient->GetVisible());
  S->SetDirection(EditedGradient->GetDirection());
  S->SetStartColor(EditedGradient->GetStartColor());
  S->SetMidColor(EditedGradient->GetMidColor());
  S->SetEndColor(EditedGradient->GetEndColor());
  UpdateGalleryColors();
}

void TPlotGradientEditor::UpdateGalleryColors() {
  if (!EditedGradient) return;
  for (int32_t i = 0; i < Directions->Charts().Count(); ++i) {
    TPlotGradient* G = Directions->Charts().GetChart(i)->BackWall()->GetGradient();
    G->SetStartColor(EditedGradient->GetStartColor());
    G->SetMidColor(EditedGradient->GetMidColor());
    G->SetEndColor(EditedGradient->GetEndColor());
  }
}

void TPlotGradientEditor::ApplyPreset(int32_t Number) {
  if (!EditedGradient || Number < 0 || Number >= static_cast<int32_t>(Presets().size())) return;
  const TGradientPreset& P = Presets()[static_cast<size_t>(Number)];
  TPlotGradient* G = EditedGradient;
  G->SetStartColor(P.Start);
  G->SetMidColor(P.Middle);
  G->SetEndColor(P.End);
  G->SetDirection(P.Direction);
  G->SetBalance(P.Balance);
  LoadingControls = true;
  LoadControls();
  LoadingControls = false;
  EnableDirectionControls();
  RefreshPreview();
}

void TPlotGradientEditor::CBVisibleClick(TObject*) {
  if (LoadingControls || !EditedGradient) return;
  Touch();
  EditedGradient->SetVisible(CBVisible->GetChecked());
  EnableControls();
  EnableDirectionControls();
  RefreshPreview();
}

void TPlotGradientEditor::CBDirectionChange(TObject*) {
  if (LoadingControls || !EditedGradient || CBDirection->GetItemIndex() < 0) return;
  Touch();
  const auto D = static_cast<TGradientDirection>(CBDirection->GetItemIndex());
  EditedGradient->SetDirection(D);
  EnableDirectionControls();
  if (!IsLinearDirection(D)) Gallery->SetItemIndex(-1);
  RefreshPreview();
  LoadingControls = true;
  Directions->SetCurrentChart(Directions->Charts().GetChart(static_cast<int32_t>(D)));
  LoadingControls = false;
}

void TPlotGradientEditor::DirectionChosen(TObject*) {
  if (LoadingControls || !EditedGradient) return;
  const int32_t D = Directions->Charts().IndexOf(Directions->GetSelectedChart());
  if (D < 0 || D == static_cast<int32_t>(EditedGradient->GetDirection())) return;
  Touch();
  EditedGradient->SetDirection(static_cast<TGradientDirection>(D));
  LoadingControls = true;
  CBDirection->SetItemIndex(D);
  LoadingControls = false;
  EnableDirectionControls();
  if (!IsLinearDirection(static_cast<TGradientDirection>(D))) Gallery->SetItemIndex(-1);
  RefreshPreview();
}

void TPlotGradientEditor::BSwapClick(TObject*) {
  if (!EditedGradient) return;
  Touch();
  const TColor S = EditedGradient->GetStartColor();
  EditedGradient->SetStartColor(EditedGradient->GetEndColor());
  EditedGradient->SetEndColor(S);
  BStart->Repaint();
  BEnd->Repaint();
  RefreshPreview();
}

void TPlotGradientEditor::CBMidClick(TObject*) {
  if (LoadingControls || !EditedGradient) return;
  Touch();
  if (CBMid->GetChecked()) {
    EditedGradient->SetMidColor(clNone);
  } else {
    EditedGradient->UseMiddleColor();
    if (EditedGradient->GetMidColor() == clNone) EditedGradient->SetMidColor(clWhite);
  }
  BMid->Repaint();
  RefreshPreview();
}

void TPlotGradientEditor::BMidClick(TObject*) {
  if (!EditedGradient) return;
  Touch();
  LoadingControls = true;
  CBMid->SetChecked(EditedGradient->GetMidColor() == clNone);
  LoadingControls = false;
  RefreshPreview();
}

void TPlotGradientEditor::ColorClick(TObject*) {
  Touch();
  RefreshPreview();
}

void TPlotGradientEditor::SBBalanceChange(TObject*) {
  LabelBalance->SetCaption(SysUtils::FormatFloat("##0.## %", SBBalance->GetPosition()));
  if (LoadingControls || !EditedGradient) return;
  Touch();
  EditedGradient->SetBalance(SBBalance->GetPosition());
}

void TPlotGradientEditor::TrackBar1Change(TObject*) {
  LRadialX->SetCaption(std::to_string(TrackBar1->GetPosition()));
  if (LoadingControls || !EditedGradient) return;
  Touch();
  EditedGradient->SetRadialX(TrackBar1->GetPosition());
}

void TPlotGradientEditor::TrackBar2Change(TObject*) {
  LRadialY->SetCaption(std::to_string(TrackBar2->GetPosition()));
  if (LoadingControls || !EditedGradient) return;
  Touch();
  EditedGradient->SetRadialY(TrackBar2->GetPosition());
}

void TPlotGradientEditor::GalleryClick(TObject*) {
  const int32_t N = PresetOfRow(Gallery->GetItemIndex());
  if (N < 0 || !EditedGradient) return;
  Touch();
  ApplyPreset(N);
}

void TPlotGradientEditor::BCancelClick(TObject*) {
  if (GradientChanged && EditedGradient && SavedGradient) {
    EditedGradient->Assign(SavedGradient.get());
    if (EditedGradient->OnChange) EditedGradient->OnChange(EditedGradient);
  }
  SetModalResult(mrCancel);
}

// ============================================================================
// Gradient button
// ============================================================================

KV_CLASS_IMPL(TButtonGradient, TPlotButton) {}

TButtonGradient::TButtonGradient(TComponent* Owner) : TPlotButton(Owner) {}

void TButtonGradient::BindGradient(TPlotGradient* Gradient) {
  LinkProperty(Gradient, "");
  Invalidate();
}

TPlotGradient* TButtonGradient::GetGradient() const { return dynamic_cast<TPlotGradient*>(LinkedObject); }

void TButtonGradient::Click() {
  TPlotGradient* G = GetGradient();
  if (!G) {
    TPlotButton::Click();
    return;
  }
  FEditor = PlotEdiGrad::CreateGradientEditor(this, G, HideEndColor, false);
  FChainedDestroy = FEditor->OnDestroy;
  FEditor->OnDestroy = [this](TObject* Sender) {
    if (FChainedDestroy) FChainedDestroy(Sender);
    FEditor = nullptr;
  };
  const bool Ok = FEditor->ShowModal() == mrOk;
  if (Ok) {
    Repaint();
    TPlotButton::Click();
  }
  if (FEditor) FEditor->Free();
  FEditor = nullptr;
}

void TButtonGradient::DrawSymbol(TPlotCanvas& Canvas) {
  TPlotGradient* G = GetGradient();
  auto* C3 = dynamic_cast<TCanvas3D*>(&Canvas);
  if (!GetEnabled() || !G || !C3) return;
  const TRect R = SymbolRect();
  G->FillRect(*C3, R);
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetWidth(1);
  Canvas.Pen->SetColor(G->GetVisible() ? clBlack : TColor(0x808080));
  Canvas.RectangleRect(R);
}

namespace PlotEdiGrad {

TPlotGradientEditor* CreateGradientEditor(TComponent* Owner, TPlotGradient* Gradient, bool HideEnd, bool HideVisible) {
  auto* E = PlotPenDlg::CreateEditorDialogOf<TPlotGradientEditor>(Owner);
  E->Tag = reinterpret_cast<intptr_t>(Gradient);
  E->EditedGradient = Gradient;
  E->HideEndColor = HideEnd;
  if (HideEnd) {
    E->BEnd->Hide();
    E->BSwap->Hide();
  }
  E->CBVisible->SetVisible(!HideVisible);
  return E;
}

bool EditGradientModal(TComponent* Owner, TPlotGradient* Gradient, bool HideEnd, bool HideVisible) {
  TPlotGradientEditor* E = CreateGradientEditor(Owner, Gradient, HideEnd, HideVisible);
  const bool Ok = E->ShowModal() == mrOk;
  E->Free();
  return Ok;
}

bool ShowGradientEditor(TComponent* Owner, TPlotGradient* Gradient) {
  return EditGradientModal(Owner, Gradient, false, false);
}

}  // namespace PlotEdiGrad
