// The shape format editor.
#include "chart/series/PlotCustomShapeEditor.h"

#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotShadowEditor.h"

KV_CLASS_IMPL(TFormPlotShape, TForm) {}

TFormPlotShape::TFormPlotShape(TComponent* Owner) : TForm(Owner) {
  SetName("FormPlotShape");
  SetCaption("");
  Position = TPosition::poScreenCenter;
  SetClientWidth(272);
  SetClientHeight(205);
  PC1 = PlotPenDlg::PlaceControl<TPageControl>(this, this, "PC1", 0, 0, 272, 205);
  PC1->SetAlign(TAlign::alClient);
  auto Sheet = [this](const char* Name, const char* Caption) {
    auto* S = Create<TTabSheet>(this);
    S->SetName(Name);
    S->SetCaption(Caption);
    S->SetPageControl(PC1);
    return S;
  };
  TabFormat = Sheet("TabFormat", "Format");
  TabText = Sheet("TabText", "Text");
  TabGradient = Sheet("TabGradient", "Gradient");
  TabShadow = Sheet("TabShadow", "Shadow");

  BColor = PlotPenDlg::PlaceControl<TButtonColor>(this, TabFormat, "BColor", 8, 8, 90, 25);
  BColor->SetCaption("&Color...");
  BFrame = PlotPenDlg::PlaceControl<TButtonPen>(this, TabFormat, "BFrame", 8, 40, 90, 25);
  BFrame->SetCaption("&Frame...");
  BPattern = PlotPenDlg::PlaceControl<TButton>(this, TabFormat, "BPattern", 8, 72, 90, 25);
  BPattern->SetCaption("&Pattern...");
  LBevel = PlotPenDlg::PlaceControl<TLabel>(this, TabFormat, "LBevel", 112, 12, 40, 13);
  LBevel->SetCaption("&Bevel:");
  CBBevel = PlotPenDlg::PlaceControl<TComboFlat>(this, TabFormat, "CBBevel", 160, 8, 90, 21);
  for (const char* S : {"None", "Lowered", "Raised"}) CBBevel->Items()->Add(S);
  LBevel->FocusControl = CBBevel;
  LBevelWidth = PlotPenDlg::PlaceControl<TLabel>(this, TabFormat, "LBevelWidth", 112, 44, 40, 13);
  LBevelWidth->SetCaption("Siz&e:");
  EBevWidth = PlotPenDlg::PlaceControl<TEdit>(this, TabFormat, "EBevWidth", 160, 40, 40, 21);
  UDBevW = PlotPenDlg::PlaceControl<TUpDown>(this, TabFormat, "UDBevW", 200, 40, 15, 21);
  UDBevW->SetMin(1);
  UDBevW->SetMax(100);
  UDBevW->SetAssociate(EBevWidth);
  CBRound = PlotPenDlg::PlaceControl<TCheckBox>(this, TabFormat, "CBRound", 8, 108, 120, 17);
  CBRound->SetCaption("&Round Frame");
  CBTransparent = PlotPenDlg::PlaceControl<TCheckBox>(this, TabFormat, "CBTransparent", 8, 130, 120, 17);
  CBTransparent->SetCaption("&Transparent");
  LTransparency = PlotPenDlg::PlaceControl<TLabel>(this, TabFormat, "LTransparency", 112, 78, 80, 13);
  LTransparency->SetCaption("&Transparency:");
  ETransparency = PlotPenDlg::PlaceControl<TEdit>(this, TabFormat, "ETransparency", 196, 74, 40, 21);
  UDTransp = PlotPenDlg::PlaceControl<TUpDown>(this, TabFormat, "UDTransp", 236, 74, 15, 21);
  UDTransp->SetMin(0);
  UDTransp->SetMax(100);
  UDTransp->SetAssociate(ETransparency);

  GradientEditor = TPlotGradientEditor::CreateEmbedded(this, nullptr);
  PlotPenDlg::EmbedEditorInTab(GradientEditor, TabGradient);
  FontEditor = PlotEdiFont::EmbedFontEditor(TabText);
  ShadowEditor = PlotShadowEditor::EmbedShadowEditor(TabShadow);

  CBRound->OnClick = [this](TObject*) {
    if (TheShape && !CreatingForm) TheShape->SetShapeStyle(CBRound->GetChecked() ? fosRoundRectangle : fosRectangle);
  };
  CBTransparent->OnClick = [this](TObject*) {
    if (TheShape && !CreatingForm) TheShape->SetTransparent(CBTransparent->GetChecked());
  };
  CBBevel->OnChange = [this](TObject* S) { CBBevelChange(S); };
  EBevWidth->OnChange = [this](TObject*) {
    if (TheShape && !CreatingForm) TheShape->SetBevelWidth(UDBevW->GetPosition());
  };
  ETransparency->OnChange = [this](TObject*) {
    if (TheShape && !CreatingForm) TheShape->SetTransparency(UDTransp->GetPosition());
  };
  BPattern->OnClick = [this](TObject* S) { BPatternClick(S); };
  OnShow = [this](TObject*) {
    PC1->SetActivePage(TabFormat);
    if (TheShape) SetEditedShape(TheShape);
    PlotProcs::TranslateControl(this);
  };
  CreatingForm = false;
}

void TFormPlotShape::EnableBevelWidth() {
  const bool On = CBBevel->GetItemIndex() > 0;
  EBevWidth->SetEnabled(On);
  UDBevW->SetEnabled(On);
  LBevelWidth->SetEnabled(On);
}

void TFormPlotShape::SetEditedShape(TPlotCustomShape* Shape) {
  CreatingForm = true;
  TheShape = Shape;
  if (Shape) {
    CBRound->SetChecked(Shape->GetShapeStyle() == fosRoundRectangle);
    CBTransparent->SetChecked(Shape->GetTransparent());
    CBBevel->SetItemIndex(std::min(2, static_cast<int>(Shape->GetBevel())));
    UDBevW->SetPosition(Shape->GetBevelWidth());
    UDTransp->SetPosition(Shape->GetTransparency());
    GradientEditor->SetGradient(Shape->GetGradient());
    FontEditor->SetEditedFont(Shape->Font());
    ShadowEditor->SetEditedShadow(Shape->Shadow());
    BFrame->BindPen(Shape->Pen());
    BColor->LinkProperty(Shape, "Color");
    EnableBevelWidth();
  }
  CreatingForm = false;
}

void TFormPlotShape::CBVisibleChecked(TObject* Sender) {
  if (auto* C = dynamic_cast<TCheckBox*>(Sender); C && TheShape) TheShape->SetVisible(C->GetChecked());
}

void TFormPlotShape::CBBevelChange(TObject*) {
  if (!TheShape || CreatingForm || CBBevel->GetItemIndex() < 0) return;
  TheShape->SetBevel(static_cast<TBevelCut>(CBBevel->GetItemIndex()));
  EnableBevelWidth();
}

void TFormPlotShape::BPatternClick(TObject*) {
  if (TheShape) PlotBrushDlg::EditBrushModal(this, TheShape->Brush());
}

namespace PlotCustomShapeEditor {

TFormPlotShape* CreateShapeEditor(TComponent* Owner, TPlotCustomShape* Shape, TPageControl* PageControl) {
  auto* F = Create<TFormPlotShape>(Owner);
  F->TheShape = Shape;
  if (PageControl) {
    F->SetBorderStyle(TFormBorderStyle::bsNone);
    F->SetParent(PageControl);
    PlotProcs::TranslateControl(F);
    F->SetAlign(TAlign::alClient);
    F->Show();
  }
  return F;
}

TFormPlotShape* InsertShapeEditorPages(TPageControl* PageControl, TPlotCustomShape* Shape) {
  auto* F = Create<TFormPlotShape>(PageControl->Owner());
  F->TheShape = Shape;
  F->SetBorderStyle(TFormBorderStyle::bsNone);
  F->SetParent(PageControl);
  F->SetAlign(TAlign::alClient);
  while (F->PC1->PageCount() > 0) F->PC1->Pages(0)->SetPageControl(PageControl);
  if (PageControl->PageCount() > 0) PageControl->SetActivePage(PageControl->Pages(0));
  PlotProcs::TranslateControl(F);
  if (Shape) F->SetEditedShape(Shape);
  return F;
}

}  // namespace PlotCustomShapeEditor
