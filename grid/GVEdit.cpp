#include "grid/GVEdit.h"

#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/EditExtras.h"
#include "platform/ui/Menus.h"
#include "platform/rtl/FreeGuard.h"

#include <algorithm>

KV_CLASS_IMPL(TGridSpeedButton, TSpeedButton) {}
KV_CLASS_IMPL(TGvEditButton, TCustomControl) {}
KV_CLASS_IMPL(TGvEditBtn, TCustomEdit) {}
KV_CLASS_IMPL(TGvUnitEditBtn, TGvEditBtn) {}

namespace {

int SystemTextHeight() {
  TBitmap b(1, 1);
  return b.GetCanvas()->TextHeight("0");
}

}  // namespace

// ================================================================ TGridSpeedButton

TGridSpeedButton::TGridSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TGridSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && GetEnabled()) FPressed = true;
  TSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TGridSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPressed = false;
  TSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TGridSpeedButton::MouseEnter() {
  FMouseOver = true;
  Invalidate();
  TSpeedButton::MouseEnter();
}

void TGridSpeedButton::MouseLeave() {
  FMouseOver = false;
  Invalidate();
  TSpeedButton::MouseLeave();
}

void TGridSpeedButton::Paint() {
  TCanvas& c = *GetCanvas();
  TRect r = GetClientRect();
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clBtnFace);
  c.FillRect(r);
  if (IsWinXP && GridXPVS::UseThemes()) {
    GridXPVS::HTHEME t = GridXPVS::OpenThemeData(GetParent(), "button");
    GridXPVS::DrawThemeBackground(t, c, 1, FPressed ? 3 : FMouseOver ? 2 : 1, r, nullptr);
    GridXPVS::CloseThemeData(t);
  } else if (Flat) {
    c.GetHandle()->DrawEdge(r, FPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  } else {
    TRect f = r;
    c.GetHandle()->DrawFrameControl(f, DFC_BUTTON, DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED : 0));
  }
  c.Refresh();
  const int d = FPressed ? 1 : 0;
  TBitmap* g = GetGlyph();
  if (g && !g->GetEmpty()) {
    const int gw = g->GetWidth() / std::max(1, NumGlyphs), gh = g->GetHeight();
    const int x = gw < GetWidth() ? (GetWidth() - gw) / 2 : 0;
    const int y = gh < GetHeight() ? (GetHeight() - gh) / 2 : 0;
    TBitmap piece(gw, gh);
    piece.GetCanvas()->CopyRect(TRect(0, 0, gw, gh), *g->GetCanvas(), TRect(0, 0, gw, gh));
    piece.SetTransparent(true);
    c.Draw(x + d, y + d, &piece);
  }
  c.Brush->SetStyle(bsClear);
  c.Font->Assign(*GetFont());
  c.TextOut(2 + d, 2 + d, GetCaption());
  c.Brush->SetStyle(bsSolid);
}

// ================================================================ TGvEditButton

TGvEditButton::TGvEditButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  FButton = Create<TGridSpeedButton>(this);
  FButton->SetParent(this);
  FButton->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState, int, int) { ButtonReleased(B); };
  SetBounds(0, 0, 20, 25);
}

void TGvEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->Flat = Value;
  FButton->Invalidate();
}

void TGvEditButton::Resize() {
  FButton->SetBounds(0, 0, std::max(15, GetWidth()), GetHeight());
  TCustomControl::Resize();
}

void TGvEditButton::ButtonReleased(TMouseButton Button) {
  if (Button != TMouseButton::mbLeft) return;
  Click();
  TWinControl* f = FFocusControl.Get();
  if (f && f->GetTabStop() && f->CanFocus() && !f->Focused())
    f->SetFocus();
  else if (!f && GetTabStop() && CanFocus())
    SetFocus();
}

// ================================================================ TGvEditBtn

TGvEditBtn::TGvEditBtn(TComponent* AOwner) : TCustomEdit(AOwner) {
  FHolder = Create<TGvEditButton>(this);
  FHolder->SetBounds(0, 0, 18, 18);
  FHolder->SetParent(this);
  FHolder->SetFocusControl(this);
  FHolder->OnClick = [this](TObject* S) { ClickButton(S); };
  TCustomEdit::SetText("0");
  Resize();
}

void TGvEditBtn::SetButtonWidth(int Value) {
  FHolder->SetWidth(Value);
  Resize();
}

void TGvEditBtn::SetRightAlign(bool Value) {
  FRightAlign = Value;
  SetAlignment(Value ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
}

void TGvEditBtn::SetIsWinXP(bool Value) {
  FHolder->Button()->IsWinXP = Value;
  FHolder->Button()->Invalidate();
}

void TGvEditBtn::ClickButton(TObject* Sender) {
  if (OnClickBtn) OnClickBtn(Sender);
}

void TGvEditBtn::KeyDown(uint16_t& Key, TShiftState Shift) {
  const bool f4 = Key == VK_F4;
  TCustomEdit::KeyDown(Key, Shift);
  if (f4) ClickButton(this);
}

void TGvEditBtn::KeyPress(TKeyChar& Key) {
  if (!FEditorEnabled) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TGvEditBtn::CutToClipboard() {
  if (FEditorEnabled && !GetReadOnly()) TCustomEdit::CutToClipboard();
}

void TGvEditBtn::PasteFromClipboard() {
  if (FEditorEnabled && !GetReadOnly()) TCustomEdit::PasteFromClipboard();
}

void TGvEditBtn::DoEnter() {
  const bool keep = AutoSelect;
  TCustomEdit::DoEnter();
  AutoSelect = keep;
}

int TGvEditBtn::MinHeight() {
  TBitmap b(1, 1);
  b.GetCanvas()->Font->Assign(*GetFont());
  const int f = b.GetCanvas()->TextHeight("0");
  return f + std::min(f, SystemTextHeight()) / 4;
}

void TGvEditBtn::SetEditRect() {
  const int b = GetBorder() ? 1 : 2;
  SetTextRect(TRect(b + (GetBorder() ? 1 : 0), b, GetClientWidth() - FHolder->GetWidth() - 3 - FUnitWidth,
                    GetClientHeight() + 1));
}

void TGvEditBtn::Resize() {
  const int mh = MinHeight();
  if (GetHeight() < mh) {
    SetHeight(mh);
    return;
  }
  const int e = GetBorder() ? 5 : 1;
  FHolder->SetBounds(GetWidth() - FHolder->GetWidth() - e, 0, FHolder->GetWidth(), GetHeight() - e);
  SetEditRect();
  TCustomEdit::Resize();
}

// ================================================================ TGvUnitEditBtn

TGvUnitEditBtn::TGvUnitEditBtn(TComponent* AOwner) : TGvEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitWidth = 20;
  SetRightAlign(true);
  Resize();
}

void TGvUnitEditBtn::SetUnits(const TStrings* Value) {
  if (Value) FUnits->Assign(Value);
}

void TGvUnitEditBtn::SetUnitID(const std::string& Value) {
  FUnitID = Value;
  Invalidate();
}

void TGvUnitEditBtn::SetUnitSpace(int Value) {
  FUnitWidth = Value;
  SetEditRect();
  Invalidate();
}

TRect TGvUnitEditBtn::UnitRect() const {
  const int x = GetClientWidth() - Holder()->GetWidth() - 3 - FUnitWidth;
  return TRect(x, 2, x + FUnitWidth, GetClientHeight());
}

void TGvUnitEditBtn::ClickButton(TObject* Sender) {
  (void)Sender;
  TOwned<TPopupMenu> menu(Create<TPopupMenu>(nullptr));
  std::string chosen;
  bool picked = false;
  for (int i = 0; i < FUnits->Count(); ++i) {
    auto* item = Create<TMenuItem>(menu.get());
    item->SetCaption(FUnits->Get(i));
    item->Tag = i + 1;
    item->OnClick = [this, i, &chosen, &picked](TObject*) {
      chosen = FUnits->Get(i);
      picked = true;
    };
    menu->Items()->Add(item);
  }
  menu->PopupComponent = this;
  const TPoint p = ClientToScreen(TPoint(GetClientWidth() - 15, GetClientHeight()));
  menu->Popup(p.X, p.Y);
  if (picked) SetUnitID(chosen);
}

void TGvUnitEditBtn::PaintOver(TCanvas& Canvas) {
  Canvas.Font->Assign(*GetFont());
  Canvas.Brush->SetStyle(bsClear);
  TRect r = UnitRect();
  Canvas.GetHandle()->DrawText(FUnitID, r, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
  Canvas.Refresh();
  Canvas.Brush->SetStyle(bsSolid);
}
