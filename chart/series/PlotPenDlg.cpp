// The pen dialog, the pen button and the shared editor routines.
#include "chart/series/PlotPenDlg.h"

#include <algorithm>
#include <cstdlib>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/OwnerDrawItems.h"
#include "platform/ui/Dialogs.h"

namespace {

template <class T>
T* Make(TWinControl* Parent, const char* Name, int32_t L, int32_t T_, int32_t W, int32_t H) {
  T* C = Create<T>(Parent->GetParentForm() ? static_cast<TComponent*>(Parent->GetParentForm()) : Parent);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(L, T_, W, H);
  return C;
}

}  // namespace

// ============================================================================
// Style list
// ============================================================================

KV_CLASS_IMPL(TPenStyleCombo, TComboFlat) {}

TPenStyleCombo::TPenStyleCombo(TComponent* Owner) : TComboFlat(Owner) {
  Style = TComboBoxStyle::csOwnerDrawFixed;
  ItemHeight = 16;
}

TRect TPenStyleCombo::EditRect() const {
  // Inside the box's frame, left of the drop-down button.
  constexpr int32_t Frame = 3, ButtonWidth = 17;
  return TRect(Frame, Frame, std::max(Frame, GetWidth() - Frame - ButtonWidth), std::max(Frame, GetHeight() - Frame));
}

QWidget* TPenStyleCombo::CreateWidget(QWidget* ParentWidget) {
  QWidget* W = TComboFlat::CreateWidget(ParentWidget);
  OwnerDrawItems::Install(
      this, W, [this] { return ItemHeight; },
      [this](TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
        if (OnDrawItem) OnDrawItem(Canvas, Index, Rect, State.Contains(TOwnerDrawStateItem::odSelected));
      });
  return W;
}

void TPenStyleCombo::PaintOverlay(TCanvas& Canvas) {
  const int32_t I = GetItemIndex();
  if (OnDrawItem && I >= 0 && I < Items()->Count()) {
    Canvas.Font->Assign(*GetFont());
    OnDrawItem(Canvas, I, EditRect(), false);
  }
  if (TComboFlat::PaintsOverlay()) TComboFlat::PaintOverlay(Canvas);
}

void TPenStyleCombo::PaintItems(TBitmap& Bitmap) {
  const int32_t N = Items()->Count();
  Bitmap.SetSize(std::max(1, GetWidth()), std::max(1, N * 16));
  for (int32_t i = 0; i < N; ++i)
    if (OnDrawItem) OnDrawItem(*Bitmap.GetCanvas(), i, TRect(0, i * 16, GetWidth(), (i + 1) * 16), i == GetItemIndex());
}

// ============================================================================
// Pen dialog
// ============================================================================

KV_CLASS_IMPL(TPenDialog, TForm) {}

TPenDialog::TPenDialog(TComponent* Owner) : TForm(Owner) {
  SetName("PenDialog");
  SetCaption("Border Editor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(294);
  SetClientHeight(147);
  CBVisible = Make<TCheckBox>(this, "CBVisible", 8, 8, 97, 17);
  CBVisible->SetCaption("&Visible");
  CBStyle = Make<TPenStyleCombo>(this, "CBStyle", 8, 32, 145, 22);
  for (const char* S : {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot"}) CBStyle->Items()->Add(S);
  LWidth = Make<TLabel>(this, "LWidth", 8, 66, 35, 13);
  LWidth->SetCaption("&Width:");
  SEWidth = Make<TEdit>(this, "SEWidth", 48, 62, 41, 21);
  UDWidth = Make<TUpDown>(this, "UDWidth", 89, 62, 15, 21);
  UDWidth->SetMin(1);
  UDWidth->SetMax(100);
  UDWidth->SetAssociate(SEWidth);
  LWidth->FocusControl = SEWidth;
  BColor = Make<TButtonColor>(this, "BColor", 176, 8, 105, 25);
  BColor->SetCaption("&Color...");
  CBEndStyle = Make<TComboFlat>(this, "CBEndStyle", 176, 62, 105, 21);
  for (const char* S : {"Round", "Square", "Flat"}) CBEndStyle->Items()->Add(S);
  BOk = Make<TButton>(this, "BOk", 128, 112, 75, 25);
  BOk->SetCaption("OK");
  BOk->Default = true;
  BOk->ModalResult = mrOk;
  BCancel = Make<TButton>(this, "BCancel", 208, 112, 75, 25);
  BCancel->SetCaption("Cancel");
  BCancel->Cancel = true;

  OnShow = [this](TObject* S) { FormShow(S); };
  SEWidth->OnChange = [this](TObject* S) { SEWidthChange(S); };
  CBStyle->OnChange = [this](TObject* S) { CBStyleChange(S); };
  CBStyle->OnDrawItem = [this](TCanvas& C, int32_t I, const TRect& R, bool Sel) { CBStyleDrawItem(C, I, R, Sel); };
  CBEndStyle->OnChange = [this](TObject* S) { CBEndStyleChange(S); };
  CBVisible->OnClick = [this](TObject* S) { CBVisibleClick(S); };
  BColor->OnClick = [this](TObject* S) { BColorClick(S); };
  BCancel->OnClick = [this](TObject* S) { BCancelClick(S); };
}

TPenDialog::~TPenDialog() = default;

void TPenDialog::FormShow(TObject*) {
  FShowing = false;
  if (EditedPen) {
    SavedPen = std::make_unique<TChartPen>();
    if (TChartPen* P = ChartPen())
      SavedPen->Assign(P);
    else
      SavedPen->AssignPen(*EditedPen);
    if (TChartPen* P = ChartPen()) {
      CBVisible->SetChecked(P->GetVisible());
      SavedPen->SetVisibleField(CBVisible->GetChecked());
      if (PlotCanvas::ExtendedPens && CBStyle->Items()->Count() == 5)
        CBStyle->Items()->Add(PlotConst::MsgSmallDots);
      if (P->GetSmallDots()) {
        CBStyle->SetItemIndex(CBStyle->Items()->Count() - 1);
        UDWidth->SetEnabled(false);
        SEWidth->SetEnabled(false);
      } else {
        CBStyle->SetItemIndex(static_cast<int32_t>(P->GetStyle()));
      }
      if (PlotCanvas::ExtendedPens)
        CBEndStyle->SetItemIndex(static_cast<int32_t>(P->GetEndStyle()));
      else
        CBEndStyle->Hide();
      BColor->LinkProperty(P, "Color");
    } else {
      CBVisible->Hide();
      CBStyle->SetItemIndex(static_cast<int32_t>(EditedPen->GetStyle()));
      TPen* Pen = EditedPen;
      BColor->GetColorProc = [Pen] { return Pen->GetColor(); };
    }
    UDWidth->SetPosition(EditedPen->GetWidth());
    UpdateStyleEnabled();
  }
  PlotProcs::TranslateControl(this);
  PenChanged = false;
  FShowing = true;
}

void TPenDialog::UpdateStyleEnabled() {
  if (!PlotCanvas::ExtendedPens && EditedPen) CBStyle->SetEnabled(EditedPen->GetWidth() == 1);
}

void TPenDialog::SEWidthChange(TObject*) {
  if (!FShowing || !EditedPen) return;
  EditedPen->SetWidth(UDWidth->GetPosition());
  UpdateStyleEnabled();
  PenChanged = true;
}

void TPenDialog::CBStyleChange(TObject*) {
  if (!EditedPen) return;
  const int32_t I = CBStyle->GetItemIndex();
  if (I < 0) return;
  TChartPen* P = ChartPen();
  if (P && PlotCanvas::ExtendedPens && CBStyle->Items()->Count() == 6 && I == 5) {
    P->SetSmallDots(true);
    UDWidth->SetEnabled(false);
    SEWidth->SetEnabled(false);
  } else {
    EditedPen->SetStyle(static_cast<TPenStyle>(I));
    if (P) P->SetSmallDots(false);
    UDWidth->SetEnabled(true);
    SEWidth->SetEnabled(true);
  }
  PenChanged = true;
}

void TPenDialog::CBStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& Rect, bool Selected) {
  Canvas.Brush->SetStyle(bsSolid);
  const TColor Back = ColorToRGB(Selected ? clHighlight : CBStyle->GetColor());
  Canvas.Brush->SetColor(Back);
  Canvas.FillRect(Rect);
  TColor PenColor = EditedPen ? EditedPen->GetColor() : clBlack;
  if (ColorToRGB(PenColor) == Back) PenColor = ColorToRGB(PenColor) == clWhite ? clBlack : clWhite;
  const bool SmallDots = Index == 5 && CBStyle->Items()->Count() == 6;
  if (SmallDots) {
    Canvas.Pen->SetHandle(MakeDottedPenHandle(PenColor, 0));
  } else {
    Canvas.Pen->SetColor(PenColor);
    Canvas.Pen->SetWidth(1);
    Canvas.Pen->SetStyle(static_cast<TPenStyle>(std::clamp(Index, 0, 4)));
  }
  Canvas.MoveTo(Rect.Left + 2, Rect.Top + 8);
  Canvas.LineTo(Rect.Left + 30, Rect.Top + 8);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Font->SetColor(Selected ? clHighlightText : clWindowText);
  Canvas.TextOut(Rect.Left + 34, Rect.Top + 2, CBStyle->Items()->Strings(Index));
}

void TPenDialog::CBEndStyleChange(TObject*) {
  if (TChartPen* P = ChartPen(); P && CBEndStyle->GetItemIndex() >= 0) {
    P->SetEndStyle(static_cast<TPenEndStyle>(CBEndStyle->GetItemIndex()));
    PenChanged = true;
  }
}

void TPenDialog::CBVisibleClick(TObject*) {
  if (!FShowing) return;
  if (TChartPen* P = ChartPen()) {
    P->SetVisible(CBVisible->GetChecked());
    PenChanged = true;
  }
}

void TPenDialog::BColorClick(TObject*) {
  // A plain pen has no property to link: the button's own colour is copied.
  if (EditedPen && !ChartPen()) EditedPen->SetColor(BColor->OwnColor);
  CBStyle->Invalidate();
  PenChanged = true;
}

void TPenDialog::BCancelClick(TObject*) {
  if (PenChanged && EditedPen && SavedPen) {
    if (TChartPen* P = ChartPen()) {
      P->Assign(SavedPen.get());
      P->SetVisible(SavedPen->GetVisible());
    } else {
      EditedPen->Assign(*SavedPen);
    }
    if (EditedPen->OnChange) EditedPen->OnChange(EditedPen);
  }
  SetModalResult(mrCancel);
}

// ============================================================================
// Pen button
// ============================================================================

KV_CLASS_IMPL(TButtonPen, TPlotButton) {}

TButtonPen::TButtonPen(TComponent* Owner) : TPlotButton(Owner) {}

void TButtonPen::BindPen(TChartPen* Pen) {
  LinkProperty(Pen, "");
  Invalidate();
}

TChartPen* TButtonPen::GetPen() const { return dynamic_cast<TChartPen*>(LinkedObject); }

TPenDialog* TButtonPen::GetDialog() {
  if (!FDialog) {
    FDialog = PlotPenDlg::CreatePenDialog(this, GetPen(), HideColorButton);
    FChainedDestroy = FDialog->OnDestroy;
    FDialog->OnDestroy = [this](TObject* Sender) {
      if (FChainedDestroy) FChainedDestroy(Sender);
      FDialog = nullptr;
    };
  }
  return FDialog;
}

void TButtonPen::Click() {
  if (!GetPen()) {
    TPlotButton::Click();
    return;
  }
  TPenDialog* D = GetDialog();
  const bool Ok = D->ShowModal() == mrOk;
  if (Ok) {
    Repaint();
    TPlotButton::Click();
  }
  if (FDialog) FDialog->Free();
  FDialog = nullptr;
}

void TButtonPen::DrawSymbol(TPlotCanvas& Canvas) {
  TChartPen* Pen = GetPen();
  if (!GetEnabled() || !Pen) return;
  Canvas.Brush->SetStyle(bsClear);
  // A copy carries the width limit, so the linked pen stays untouched.
  TChartPen Sample;
  Sample.Assign(Pen);
  if (Sample.GetWidth() > 6) Sample.SetWidth(6);
  Canvas.UsePen(Sample);
  const int32_t Y = GetHeight() / 2;
  Canvas.MoveTo(GetWidth() - 17, Y);
  Canvas.LineTo(GetWidth() - 6, Y);
}

// ============================================================================
// Shared routines
// ============================================================================

namespace PlotPenDlg {

TComponent* ParentFormOf(TComponent* Control) {
  auto* C = dynamic_cast<TControl*>(Control);
  if (!C) return Control;
  TForm* F = C->GetParentForm();
  return F ? F : Control;
}

TForm* CreateEditorDialog(TClass FormClass, TComponent* Owner) {
  TComponent* FormOwner = Owner ? ParentFormOf(Owner) : nullptr;
  auto* Form = dynamic_cast<TForm*>(FormClass->CreateInstance(FormOwner));
  if (!Form) throw EInvalidOperation("Cannot create an instance of " + FormClass->ClassName());
  Form->SetAlign(TAlign::alNone);
  Form->Position = FormOwner ? TPosition::poOwnerFormCenter : TPosition::poScreenCenter;
  Form->SetBorderStyle(TFormBorderStyle::bsDialog);
  return Form;
}

TPenDialog* CreatePenDialog(TComponent* Owner, TPen* Pen, bool HideColor) {
  auto* D = CreateEditorDialogOf<TPenDialog>(Owner);
  D->EditedPen = Pen;
  if (HideColor) D->BColor->Hide();
  return D;
}

bool EditPenModal(TComponent* Owner, TPen* Pen, bool HideColor) {
  TPenDialog* D = CreatePenDialog(Owner, Pen, HideColor);
  const bool Ok = D->ShowModal() == mrOk;
  D->Free();
  return Ok;
}

void SetControlsVisible(bool Visible, const std::vector<TControl*>& Controls) {
  for (TControl* C : Controls)
    if (C) C->SetVisible(Visible);
}

bool AskYesNo(const std::string& Message, TControl* Control) {
  Screen->SetCursor(crDefault);
  const std::vector<TMsgDlgBtn> Buttons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
  if (!Control) return Dialogs::MessageDlg(Message, TMsgDlgType::mtConfirmation, Buttons) == mrYes;
  const TPoint P = Control->ClientToScreen(TPoint(20, 30));
  return Dialogs::MessageDlgPos(Message, TMsgDlgType::mtConfirmation, Buttons, 0, P.X, P.Y) == mrYes;
}

bool ConfirmDelete(const std::string& Name, TControl* Control) {
  return AskYesNo(SysUtils::Format("Delete %s ?", {Name}), Control);
}

void EmbedEditorForm(TForm* Form, TWinControl* Parent, TObject* Object) {
  Form->ParentColor = true;
  Form->Position = TPosition::poDesigned;
  Form->SetBorderStyle(TFormBorderStyle::bsNone);
  Form->Tag = reinterpret_cast<intptr_t>(Object);
  Form->SetParent(Parent);
  const bool WasVisible = Parent->GetVisible();
  Parent->SetVisible(true);
  Form->SetLeft(4);
  Form->SetTop(std::min(4, std::abs(Parent->GetClientHeight() - Form->GetClientHeight()) / 2));
  Form->Show();
  Parent->SetVisible(WasVisible);
}

void EmbedEditorInTab(TForm* Form, TTabSheet* Tab, TObject* Object) { EmbedEditorForm(Form, Tab, Object); }

void FillFormatList(TStrings* Items) {
  Items->Add(PlotConst::MsgDefValueFormat);
  for (const char* S : {"0", "0.0", "0.#", "#.#", "#,##0.00;(#,##0.00)", "00e-0"}) Items->Add(S);
  Items->Add(std::string("#.0 ") + '"' + "x10" + '"' + " E+0");
  Items->Add("#.# x10E-#");
}

void LoadUpDownArrows(TBitmap* Up, TBitmap* Down) {
  if (Up) PlotProcs::LoadResBitmap(*Up, "PlotArrowUp", "");
  if (Down) PlotProcs::LoadResBitmap(*Down, "PlotArrowDown", "");
}

void MoveSelectedItems(TListBox* Source, TListBox* Target) {
  TStrings* S = Source->Items();
  for (int32_t i = 0; i < S->Count(); ++i)
    if (Source->GetSelected(i)) Target->Items()->AddObject(S->Strings(i), S->Objects(i));
  for (int32_t i = S->Count() - 1; i >= 0; --i)
    if (Source->GetSelected(i)) S->Delete(i);
}

void MoveAllItems(TStrings* Source, TStrings* Target) {
  for (int32_t i = 0; i < Source->Count(); ++i) Target->AddObject(Source->Strings(i), Source->Objects(i));
  Source->Clear();
}

const std::vector<std::pair<std::string, TCursor>>& CursorIdents() {
  static const std::vector<std::pair<std::string, TCursor>> Idents{
      {"crDefault", crDefault},   {"crArrow", crArrow},         {"crCross", crCross},
      {"crIBeam", crIBeam},       {"crSizeNESW", crSizeNESW},   {"crSizeNS", crSizeNS},
      {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},       {"crUpArrow", crUpArrow},
      {"crHourGlass", crHourGlass}, {"crDrag", crDrag},         {"crNoDrop", crNoDrop},
      {"crHSplit", crHSplit},     {"crVSplit", crVSplit},       {"crMultiDrag", crMultiDrag},
      {"crSQLWait", crSQLWait},   {"crNo", crNo},               {"crAppStart", crAppStart},
      {"crHelp", crHelp},         {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
      {"crNone", crNone}};
  return Idents;
}

bool CursorIdentToValue(const std::string& Ident, TCursor& Cursor) {
  if ((SysUtils::CompareText(Ident, "crPlotHand") == 0)) {
    Cursor = PlotProcs::crPlotHand;
    return true;
  }
  for (const auto& [Name, Value] : CursorIdents())
    if ((SysUtils::CompareText(Name, Ident) == 0)) {
      Cursor = Value;
      return true;
    }
  return false;
}

bool CursorValueToIdent(TCursor Cursor, std::string& Ident) {
  if (Cursor == PlotProcs::crPlotHand) {
    Ident = "crPlotHand";
    return true;
  }
  for (const auto& [Name, Value] : CursorIdents())
    if (Value == Cursor) {
      Ident = Name;
      return true;
    }
  return false;
}

std::string StripCrPrefix(const std::string& Ident) {
  return Ident.size() >= 2 && Ident.compare(0, 2, "cr") == 0 ? Ident.substr(2) : Ident;
}

TCursor CursorFromName(TCursor Default, const std::string& Name) {
  TCursor C = Default;
  return CursorIdentToValue("cr" + Name, C) ? C : Default;
}

void FillCursorCombo(TComboBox* Combo, TCursor Cursor) {
  TStrings* Items = Combo->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (const auto& [Name, Value] : CursorIdents()) Items->Add(StripCrPrefix(Name));
  Items->Add("PlotHand");
  Items->EndUpdate();
  std::string Ident;
  Combo->SetItemIndex(CursorValueToIdent(Cursor, Ident) ? Items->IndexOf(StripCrPrefix(Ident)) : -1);
}

}  // namespace PlotPenDlg
