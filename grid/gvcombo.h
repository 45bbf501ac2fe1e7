#pragma once
// gvcombo: the flat combo boxes the grid uses as in-place editors. Both the
// UTF-8 TGVComboBox and the wide TGVUniComboBox draw a flat border and button
// over the platform's combo box, show a 3-D border while the mouse is inside
// or they are active (FocusBorder), and may take the focus when the mouse
// enters (AutoFocus).

#include "grid/GvUni.h"
#include "platform/ui/EditCombo.h"

// The look settings and state both flat combos share.
struct TFlatComboLook {
  bool AutoFocus = false;
  bool Flat = true;
  bool Etched = false;
  int ButtonWidth = 0;  // set at construction: the scroll-bar width + 4
  bool FocusBorder = false;
  int DropWidth = 0;
  bool MouseInside = false;
  bool Themed = false;
  bool MouseButtonDown = false;
  TColor SavedColor = clWindow;
  bool SavedParentColor = false;
};

#define KV_FLAT_COMBO_INTERFACE                                                         \
 public:                                                                                \
  bool GetAutoFocus() const { return FLook.AutoFocus; }                                 \
  void SetAutoFocus(bool Value) { FLook.AutoFocus = Value; }                            \
  bool GetFlat() const { return FLook.Flat; }                                           \
  void SetFlat(bool Value);                                                             \
  bool GetEtched() const { return FLook.Etched; }                                       \
  void SetEtched(bool Value);                                                           \
  int GetButtonWidth() const { return FLook.ButtonWidth; }                              \
  /* Only 14..32 is taken. */                                                           \
  void SetButtonWidth(int Value);                                                       \
  bool GetFocusBorder() const { return FLook.FocusBorder; }                             \
  void SetFocusBorder(bool Value) { FLook.FocusBorder = Value; Invalidate(); }          \
  int GetDropWidth() const { return FLook.DropWidth; }                                  \
  void SetDropWidth(int Value);                                                         \
  void SetThemed(bool Value) { FLook.Themed = Value; Invalidate(); }                    \
  bool MouseInside() const { return FLook.MouseInside; }                                \
  /* The 3-D focus look and the active button. */                                       \
  bool FocusLook() const;                                                               \
  bool ButtonActive() const;                                                            \
  /* The drop-down button's box (client coordinates). */                                \
  TRect ButtonRect() const;                                                             \
  void SetEnabled(bool Value) override;                                                 \
  void MouseEnter() override;                                                           \
  void MouseLeave() override;                                                           \
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;        \
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;          \
  void DoEnter() override;                                                              \
  void DoExit() override;                                                               \
                                                                                        \
 protected:                                                                             \
  void DropDown() override;                                                             \
  void CloseUp() override;                                                              \
  bool PaintsOverlay() const override { return FLook.Flat; }                            \
  void PaintOverlay(TCanvas& Canvas) override;                                          \
  TFlatComboLook FLook;

class TGVCustomCombo : public TEditComboBox {
  KV_CLASS(TGVCustomCombo, TEditComboBox)
 public:
  explicit TGVCustomCombo(TComponent* AOwner);
  KV_FLAT_COMBO_INTERFACE
};

class TGVComboBox : public TGVCustomCombo {
  KV_CLASS(TGVComboBox, TGVCustomCombo)
 public:
  explicit TGVComboBox(TComponent* AOwner) : TGVCustomCombo(AOwner) {}
};

class TGVUniCustomCombo : public TCustomUNIComboBox {
  KV_CLASS(TGVUniCustomCombo, TCustomUNIComboBox)
 public:
  explicit TGVUniCustomCombo(TComponent* AOwner);
  KV_FLAT_COMBO_INTERFACE
};

class TGVUniComboBox : public TGVUniCustomCombo {
  KV_CLASS(TGVUniComboBox, TGVUniCustomCombo)
 public:
  explicit TGVUniComboBox(TComponent* AOwner) : TGVUniCustomCombo(AOwner) {}
};

#undef KV_FLAT_COMBO_INTERFACE
