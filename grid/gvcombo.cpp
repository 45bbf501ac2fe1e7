#include "grid/gvcombo.h"

#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/EditExtras.h"

KV_CLASS_IMPL(TGVCustomCombo, TEditComboBox) {}
KV_CLASS_IMPL(TGVComboBox, TGVCustomCombo) {}
KV_CLASS_IMPL(TGVUniCustomCombo, TCustomUNIComboBox) {}
KV_CLASS_IMPL(TGVUniComboBox, TGVUniCustomCombo) {}

namespace {

void Ring(TCanvas& C, TRect R, TColor Color) {
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(Color);
  C.FrameRect(R);
}

TRect Inset(TRect R, int D) { return TRect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); }

void DrawDropArrow(TCanvas& C, const TRect& R, bool Enabled) {
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(clBtnFace);
  C.FillRect(R);
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  C.Pen->SetColor(Enabled ? clBlack : clGrayText);
  for (int i = 0; i < 4; ++i) {
    C.MoveTo(cx - 3 + i, cy - 1 + i);
    C.LineTo(cx + 4 - i, cy - 1 + i);
  }
}

// The flat look drawn over the platform's combo box; Uni selects the wide
// combo's button box and edge rules.
template <class Combo>
void PaintFlat(Combo& Self, const TFlatComboLook& L, TCanvas& C, bool Uni) {
  const TRect client = Self.GetClientRect();
  const int w = client.Width(), h = client.Height();
  TRect box = Self.ButtonRect();
  if (L.Themed && GridXPVS::UseThemes()) {
    GridXPVS::HTHEME t = GridXPVS::OpenThemeData(&Self, "combobox");
    GridXPVS::DrawThemeBackground(t, C, 1, L.MouseButtonDown ? 3 : 1, Inset(box, 1), nullptr);
    GridXPVS::CloseThemeData(t);
  } else {
    TRect b = Uni ? Inset(box, 1) : TRect(box.Left - 2, box.Top + 2, box.Right - 2, box.Bottom);
    DrawDropArrow(C, b, Self.GetEnabled());
  }
  const TColor parent = Self.GetParent() ? Self.GetParent()->GetColor() : clBtnFace;
  if (Self.FocusLook()) {
    TRect r = client;
    C.GetHandle()->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    C.Refresh();
    Ring(C, Inset(client, 1), clBtnFace);
  } else {
    Ring(C, client, parent);
    Ring(C, Inset(client, 1), parent);
  }
  Ring(C, Inset(client, 2), Self.GetColor());
  if (Self.Style == TComboBoxStyle::csSimple) return;
  (void)h;
  if (!Uni) {
    if (L.Themed && GridXPVS::UseThemes()) return;
    TRect e(box.Left - 4 + 2, box.Top + 2, box.Right - 2 + 1, box.Bottom - 2 + 2);
    C.GetHandle()->DrawEdge(e, L.Etched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
    C.Refresh();
    return;
  }
  TRect e(box.Left - 2 + 2, box.Top + 2, box.Right - 2, box.Bottom - 2);
  if (Self.ButtonActive()) {
    C.GetHandle()->DrawEdge(e, Self.GetDroppedDown() ? BDR_SUNKENOUTER : EDGE_RAISED,
                            BF_RECT | (Self.GetDroppedDown() ? BF_FLAT : 0));
    C.Refresh();
  } else {
    C.Brush->SetColor(clBtnFace);
    C.FillRect(TRect(e.Left, e.Top + 1, e.Right - 1, e.Bottom - 1));
  }
  (void)w;
}

}  // namespace

#define KV_FLAT_COMBO_IMPL(Class, Base, Uni)                                                        \
  void Class::SetFlat(bool Value) {                                                                 \
    FLook.Flat = Value;                                                                             \
    Invalidate();                                                                                   \
  }                                                                                                 \
  void Class::SetEtched(bool Value) {                                                               \
    FLook.Etched = Value;                                                                           \
    Invalidate();                                                                                   \
  }                                                                                                 \
  void Class::SetButtonWidth(int Value) {                                                           \
    if (Value < 14 || Value > 32) return;                                                           \
    FLook.ButtonWidth = Value;                                                                      \
    Invalidate();                                                                                   \
  }                                                                                                 \
  void Class::SetDropWidth(int Value) {                                                             \
    FLook.DropWidth = Value;                                                                        \
    if (Value > 0) SetDroppedWidth(Value);                                                          \
  }                                                                                                 \
  bool Class::FocusLook() const { return (FLook.MouseInside || Focused()) && FLook.FocusBorder; }   \
  bool Class::ButtonActive() const { return FLook.MouseInside || Focused(); }                       \
  TRect Class::ButtonRect() const {                                                                 \
    const TRect c = GetClientRect();                                                                \
    return TRect(c.Right - FLook.ButtonWidth, c.Top, c.Right, c.Bottom);                            \
  }                                                                                                 \
  void Class::SetEnabled(bool Value) {                                                              \
    if (FLook.Flat && GetEnabled() && !Value) {                                                     \
      FLook.SavedColor = GetColor();                                                                \
      FLook.SavedParentColor = ParentColor;                                                         \
      if (GetParent()) SetColor(GetParent()->GetColor());                                           \
    } else if (FLook.Flat && !GetEnabled() && Value) {                                              \
      SetColor(FLook.SavedColor);                                                                   \
      ParentColor = FLook.SavedParentColor;                                                         \
    }                                                                                               \
    Base::SetEnabled(Value);                                                                        \
  }                                                                                                 \
  void Class::MouseEnter() {                                                                        \
    if (GetEnabled()) {                                                                             \
      FLook.MouseInside = true;                                                                     \
      Invalidate();                                                                                 \
      if (FLook.AutoFocus && CanFocus()) SetFocus();                                                \
    }                                                                                               \
    Base::MouseEnter();                                                                             \
  }                                                                                                 \
  void Class::MouseLeave() {                                                                        \
    FLook.MouseInside = false;                                                                      \
    Invalidate();                                                                                   \
    Base::MouseLeave();                                                                             \
  }                                                                                                 \
  void Class::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {                     \
    if (Button != TMouseButton::mbMiddle) FLook.MouseButtonDown = true;                             \
    Base::MouseDown(Button, Shift, X, Y);                                                           \
  }                                                                                                 \
  void Class::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {                       \
    FLook.MouseButtonDown = false;                                                                  \
    Base::MouseUp(Button, Shift, X, Y);                                                             \
  }                                                                                                 \
  void Class::DoEnter() {                                                                           \
    Invalidate();                                                                                   \
    Base::DoEnter();                                                                                \
  }                                                                                                 \
  void Class::DoExit() {                                                                            \
    Invalidate();                                                                                   \
    Base::DoExit();                                                                                 \
  }                                                                                                 \
  void Class::DropDown() {                                                                          \
    Base::DropDown();                                                                               \
    Invalidate();                                                                                   \
  }                                                                                                 \
  void Class::CloseUp() {                                                                           \
    Base::CloseUp();                                                                                \
    Invalidate();                                                                                   \
  }                                                                                                 \
  void Class::PaintOverlay(TCanvas& Canvas) { PaintFlat(*this, FLook, Canvas, Uni); }

KV_FLAT_COMBO_IMPL(TGVCustomCombo, TEditComboBox, false)
KV_FLAT_COMBO_IMPL(TGVUniCustomCombo, TCustomUNIComboBox, true)

TGVCustomCombo::TGVCustomCombo(TComponent* AOwner) : TEditComboBox(AOwner) {
  FLook.ButtonWidth = EditExtras::VerticalScrollBarWidth() + 4;
}

TGVUniCustomCombo::TGVUniCustomCombo(TComponent* AOwner) : TCustomUNIComboBox(AOwner) {
  FLook.ButtonWidth = EditExtras::VerticalScrollBarWidth() + 4;
}
