// The chart font editor.
#include "chart/series/PlotEdiFont.h"

#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotShadowEditor.h"

KV_CLASS_IMPL(TPlotFontEditor, TForm) {}

TPlotFontEditor::TPlotFontEditor(TComponent* Owner) : TForm(Owner) {
  SetName("PlotFontEditor");
  SetCaption("PlotFont Editor");
  Position = TPosition::poScreenCenter;
  SetClientWidth(258);
  SetClientHeight(136);
  Button3 = PlotPenDlg::PlaceControl<TButton>(this, "Button3", 8, 8, 90, 25);
  Button3->SetCaption("&Font...");
  SHText = PlotPenDlg::PlaceControl<TShape>(this, "SHText", 104, 10, 21, 21);
  SHText->SetCursor(crHandPoint);
  Label1 = PlotPenDlg::PlaceControl<TLabel>(this, "Label1", 8, 46, 100, 13);
  Label1->SetCaption("&Inter-char spacing:");
  Edit2 = PlotPenDlg::PlaceControl<TEdit>(this, "Edit2", 112, 42, 40, 21);
  UDInter = PlotPenDlg::PlaceControl<TUpDown>(this, "UDInter", 152, 42, 15, 21);
  UDInter->SetMin(-100);
  UDInter->SetMax(100);
  UDInter->SetAssociate(Edit2);
  Label1->FocusControl = Edit2;
  BOutline = PlotPenDlg::PlaceControl<TButtonPen>(this, "BOutline", 8, 72, 90, 25);
  BOutline->SetCaption("&Outline...");
  BShadow = PlotPenDlg::PlaceControl<TButton>(this, "BShadow", 8, 104, 90, 25);
  BShadow->SetCaption("&Shadow...");
  CBOutGrad = PlotPenDlg::PlaceControl<TCheckBox>(this, "CBOutGrad", 140, 76, 110, 17);
  CBOutGrad->SetCaption("O&utline gradient");
  BGradient = PlotPenDlg::PlaceControl<TButtonGradient>(this, "BGradient", 140, 104, 100, 25);
  BGradient->SetCaption("&Gradient...");

  Button3->OnClick = [this](TObject* S) { Button3Click(S); };
  SHText->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) { SHTextMouseUp(S, B, Sh, X, Y); };
  Edit2->OnChange = [this](TObject* S) { Edit2Change(S); };
  BShadow->OnClick = [this](TObject* S) { BShadowClick(S); };
  CBOutGrad->OnClick = [this](TObject* S) { CBOutGradClick(S); };
  OnShow = [this](TObject*) {
    FShowing = false;
    if (EditedFont) SetEditedFont(EditedFont);
    PlotProcs::TranslateControl(this);
    FShowing = true;
  };
}

void TPlotFontEditor::SetEditedFont(TPlotFont* Font) {
  const bool Was = FShowing;
  FShowing = false;
  EditedFont = Font;
  if (Font) {
    SHText->Brush()->SetColor(Font->GetColor());
    UDInter->SetPosition(Font->GetInterCharSize());
    BOutline->BindPen(Font->GetOutLine());
    CBOutGrad->SetChecked(Font->GetGradient()->GetOutline());
    BGradient->BindGradient(Font->GetGradient());
  }
  FShowing = Was;
}

void TPlotFontEditor::Button3Click(TObject*) {
  if (!EditedFont) return;
  PlotBrushDlg::EditFontDialog(this, EditedFont);
  SHText->Brush()->SetColor(EditedFont->GetColor());
}

void TPlotFontEditor::SHTextMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!EditedFont) return;
  TColor C = EditedFont->GetColor();
  if (PlotCanvas::EditColorVar(this, C)) {
    EditedFont->SetColor(C);
    SHText->Brush()->SetColor(C);
  }
}

void TPlotFontEditor::Edit2Change(TObject*) {
  if (FShowing && EditedFont) EditedFont->SetInterCharSize(UDInter->GetPosition());
}

void TPlotFontEditor::BShadowClick(TObject*) {
  if (EditedFont) PlotShadowEditor::EditShadowModal(Owner(), EditedFont->GetShadow());
}

void TPlotFontEditor::CBOutGradClick(TObject*) {
  if (FShowing && EditedFont) EditedFont->GetGradient()->SetOutline(CBOutGrad->GetChecked());
}

namespace PlotEdiFont {

TPlotFontEditor* EmbedFontEditor(TTabSheet* Sheet) {
  auto* E = Create<TPlotFontEditor>(Sheet->Owner());
  PlotPenDlg::EmbedEditorInTab(E, Sheet);
  return E;
}

void ShowFontEditor(TComponent* Owner, TPlotFont* Font) {
  auto* E = Create<TPlotFontEditor>(Owner);
  E->SetBorderStyle(TFormBorderStyle::bsDialog);
  E->EditedFont = Font;
  E->ShowModal();
  E->Free();
}

}  // namespace PlotEdiFont
