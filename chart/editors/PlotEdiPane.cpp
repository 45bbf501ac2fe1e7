// The chart editor's "Panel" page.
#include "chart/editors/PlotEdiPane.h"

#include "chart/editors/EditorRows.h"

#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotShadowEditor.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFormPlotPanel, TForm) {}

namespace {

using EditorRows::AddTab;

// A label, an edit and its up-down on Parent.
void UpDownRow(TForm* Form, TWinControl* Parent, const char* Caption, const char* EditName, const char* UpDownName,
               int LabelLeft, int Left, int Top, int Min, int Max, TLabel*& L, TEdit*& E, TUpDown*& U) {
  L = PlaceControl<TLabel>(Form, Parent, "", LabelLeft, Top + 4, Left - LabelLeft - 4, 13);
  L->SetCaption(Caption);
  E = PlaceControl<TEdit>(Form, Parent, EditName, Left, Top, 40, 21);
  U = PlaceControl<TUpDown>(Form, Parent, UpDownName, Left + 40, Top, 15, 21);
  U->SetMin(Min);
  U->SetMax(Max);
  U->SetAssociate(E);
  L->FocusControl = E;
}

TComboFlat* BevelCombo(TForm* Form, TWinControl* Parent, const char* Name, int Left, int Top) {
  auto* C = PlaceControl<TComboFlat>(Form, Parent, Name, Left, Top, 90, 21);
  C->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"None", "Lowered", "Raised"}) C->Items()->Add(S);
  return C;
}

// The combo's index of a bevel; a bevel the list lacks shows no item.
int BevelIndex(TBevelCut B) {
  switch (B) {
    case TBevelCut::bvNone: return 0;
    case TBevelCut::bvLowered: return 1;
    case TBevelCut::bvRaised: return 2;
    default: return -1;
  }
}

const TBevelCut Bevels[] = {TBevelCut::bvNone, TBevelCut::bvLowered, TBevelCut::bvRaised};

}  // namespace

TFormPlotPanel::TFormPlotPanel(TComponent* Owner, TCustomPlotPanelExtended* Panel) : TForm(Owner), FPanel(Panel) {
  SetName("FormPlotPanel");
  SetCaption("Panel Editor");
  SetClientWidth(351);
  SetClientHeight(199);
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 351, 199);
  PageControl1->SetAlign(TAlign::alClient);
  TabBack = AddTab(this, PageControl1, "TabBack", "Background");
  TabBorders = AddTab(this, PageControl1, "TabBorders", "Borders");
  TabGradient = AddTab(this, PageControl1, "TabGradient", "Gradient");
  TabShadow = AddTab(this, PageControl1, "TabShadow", "Shadow");

  // ---- Background ----
  BPanelColor = PlaceControl<TButtonColor>(this, TabBack, "BPanelColor", 8, 8, 90, 25);
  BPanelColor->SetCaption("&Color...");
  CBColorDef = PlaceControl<TCheckBox>(this, TabBack, "CBColorDef", 8, 40, 90, 17);
  CBColorDef->SetCaption("&Default");
  GroupBox1 = PlaceControl<TGroupBox>(this, TabBack, "GroupBox1", 108, 2, 230, 164);
  GroupBox1->SetCaption("Back Image:");
  RGBitmap = PlaceControl<TRadioGroup>(this, GroupBox1, "RGBitmap", 8, 16, 100, 92);
  RGBitmap->SetCaption("St&yle");
  for (const char* S : {"Stretch", "Tile", "Center", "C&ustom"}) RGBitmap->Items()->Add(S);
  BBrowseImage = PlaceControl<TButton>(this, GroupBox1, "BBrowseImage", 120, 20, 90, 25);
  BBrowseImage->SetCaption("B&rowse...");
  CBImageInside = PlaceControl<TCheckBox>(this, GroupBox1, "CBImageInside", 120, 54, 100, 17);
  CBImageInside->SetCaption("I&nside");
  CBTransp = PlaceControl<TCheckBox>(this, GroupBox1, "CBTransp", 120, 78, 100, 17);
  CBTransp->SetCaption("&Transparent");
  UpDownRow(this, GroupBox1, "&Left:", "ELeft", "UDLeft", 8, 44, 114, 0, 100, LLeft, ELeft, UDLeft);
  UpDownRow(this, GroupBox1, "T&op:", "ETop", "UDTop", 8, 44, 138, 0, 100, LTop, ETop, UDTop);

  // ---- Borders ----
  UpDownRow(this, TabBorders, "&Separation:", "SEPanelBor", "UDPanelBor", 8, 90, 8, 0, 100, LPanelBor, SEPanelBor,
            UDPanelBor);
  UpDownRow(this, TabBorders, "Widt&h:", "SEPanelWi", "UDPanelWi", 8, 90, 36, 1, 100, LPanelWi, SEPanelWi, UDPanelWi);
  UpDownRow(this, TabBorders, "&Round border:", "ERound", "UDRound", 8, 90, 64, 0, 10000, LRound, ERound, UDRound);
  LInner = PlaceControl<TLabel>(this, TabBorders, "", 170, 12, 70, 13);
  LInner->SetCaption("Bevel &inner:");
  CBInner = BevelCombo(this, TabBorders, "CBInner", 244, 8);
  LInner->FocusControl = CBInner;
  LOuter = PlaceControl<TLabel>(this, TabBorders, "", 170, 40, 70, 13);
  LOuter->SetCaption("Bevel &outer:");
  CBOuter = BevelCombo(this, TabBorders, "CBOuter", 244, 36);
  LOuter->FocusControl = CBOuter;
  BBorder = PlaceControl<TButtonPen>(this, TabBorders, "BBorder", 170, 72, 90, 25);
  BBorder->SetCaption("&Border...");

  if (FPanel) {
    FGradientEditor = TPlotGradientEditor::CreateEmbedded(this, FPanel->GetGradient());
    PlotPenDlg::EmbedEditorInTab(FGradientEditor, TabGradient, FPanel->GetGradient());
    FShadowEditor = PlotShadowEditor::EmbedShadowEditor(TabShadow);
    FShadowEditor->SetEditedShadow(FPanel->Shadow());
  }
  PageControl1->SetActivePage(TabBack);
  SetAlign(TAlign::alClient);

  // ---- handlers ----
  BPanelColor->OnClick = [this](TObject*) {
    if (FPanel) FPanel->Invalidate();
    RefreshColorDefault();
  };
  CBColorDef->OnClick = [this](TObject*) {
    if (FChanging || !FPanel) return;
    FPanel->SetColor(clBtnFace);
    RefreshColorDefault();
    BPanelColor->Repaint();
  };
  RGBitmap->OnClick = [this](TObject*) {
    if (!Showing() || RGBitmap->GetItemIndex() < 0) return;
    FPanel->GetBackImage()->SetMode(static_cast<TPlotBackImageMode>(RGBitmap->GetItemIndex()));
    RefreshBackImage();
  };
  BBrowseImage->OnClick = [this](TObject* S) { BBrowseImageClick(S); };
  CBImageInside->OnClick = [this](TObject*) {
    if (Showing()) FPanel->SetBackImageInside(CBImageInside->GetChecked());
  };
  CBTransp->OnClick = [this](TObject*) {
    if (Showing() && CBTransp->GetEnabled()) FPanel->SetBackImageTransp(CBTransp->GetChecked());
  };
  ELeft->OnChange = [this](TObject*) {
    if (Showing()) FPanel->GetBackImage()->SetLeft(UDLeft->GetPosition());
  };
  ETop->OnChange = [this](TObject*) {
    if (Showing()) FPanel->GetBackImage()->SetTop(UDTop->GetPosition());
  };
  SEPanelWi->OnChange = [this](TObject*) {
    if (Showing() && FPanel->GetBevelWidth() != UDPanelWi->GetPosition()) FPanel->SetBevelWidth(UDPanelWi->GetPosition());
  };
  SEPanelBor->OnChange = [this](TObject*) {
    if (Showing() && FPanel->GetBorderWidth() != UDPanelBor->GetPosition())
      FPanel->SetBorderWidth(UDPanelBor->GetPosition());
  };
  ERound->OnChange = [this](TObject*) {
    if (Showing()) FPanel->SetBorderRound(UDRound->GetPosition());
  };
  CBInner->OnChange = [this](TObject*) {
    const int I = CBInner->GetItemIndex();
    if (Showing() && I >= 0 && FPanel->GetBevelInner() != Bevels[I]) FPanel->SetBevelInner(Bevels[I]);
  };
  CBOuter->OnChange = [this](TObject*) {
    const int I = CBOuter->GetItemIndex();
    if (Showing() && I >= 0 && FPanel->GetBevelOuter() != Bevels[I]) FPanel->SetBevelOuter(Bevels[I]);
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TFormPlotPanel::FormShow(TObject*) {
  if (!FPanel) return;
  FShowing = false;
  CBInner->SetItemIndex(BevelIndex(FPanel->GetBevelInner()));
  CBOuter->SetItemIndex(BevelIndex(FPanel->GetBevelOuter()));
  BBorder->BindPen(FPanel->Border());
  // Values beyond an up-down's range show clamped; only a change by the user writes them.
  UDRound->SetPosition(FPanel->GetBorderRound());
  UDPanelWi->SetPosition(FPanel->GetBevelWidth());
  UDPanelBor->SetPosition(FPanel->GetBorderWidth());
  TBackImage* Image = FPanel->GetBackImage();
  RGBitmap->SetItemIndex(static_cast<int>(Image->GetMode()));
  CBImageInside->SetChecked(Image->GetInside());
  UDLeft->SetPosition(Image->GetLeft());
  UDTop->SetPosition(Image->GetTop());
  RefreshBackImage();
  CBTransp->SetEnabled(FPanel->HasBackImage());
  CBTransp->SetChecked(CBTransp->GetEnabled() && FPanel->GetBackImageTransp());
  RefreshColorDefault();
  BPanelColor->LinkProperty(FPanel, "Color");
  if (FGradientEditor) FGradientEditor->Show();
  PageControl1->SetActivePage(TabBack);
  FShowing = true;
}

void TFormPlotPanel::RefreshBackImage() {
  if (!FPanel) return;
  const bool Has = FPanel->HasBackImage();
  const bool WasShowing = FShowing;
  FShowing = false;  // ticking the boxes here writes nothing
  RGBitmap->SetEnabled(Has);
  CBImageInside->SetEnabled(Has);
  BBrowseImage->SetCaption(Has ? "Clea&r" : "B&rowse...");
  if (CBTransp->GetVisible()) {
    CBTransp->SetEnabled(Has);
    CBTransp->SetChecked(Has && FPanel->GetBackImageTransp());
  }
  const bool Custom = FPanel->GetBackImage()->GetMode() == pbmCustom;
  for (TControl* C : std::initializer_list<TControl*>{ELeft, ETop, UDLeft, UDTop}) C->SetEnabled(Custom);
  FShowing = WasShowing;
}

void TFormPlotPanel::RefreshColorDefault() {
  if (!FPanel) return;
  FChanging = true;
  const bool Default = FPanel->GetColor() == clBtnFace;
  CBColorDef->SetChecked(Default);
  CBColorDef->SetEnabled(!Default);
  FChanging = false;
}

void TFormPlotPanel::BBrowseImageClick(TObject*) {
  if (!FPanel) return;
  PlotBrushDlg::TogglePicture(this, FPanel->GetBackImage());
  FPanel->Invalidate();
  RefreshBackImage();
}
