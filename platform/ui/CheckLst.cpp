#include "platform/ui/CheckLst.h"

#include <string>

KV_CLASS_IMPL(TCheckListBox, TOwnerDrawListBox) {}

TCheckListBox::TCheckListBox(TComponent* AOwner) : TOwnerDrawListBox(AOwner) { ItemHeight = 16; }

void TCheckListBox::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Items()->Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

TCheckBoxState TCheckListBox::GetState(int Index) const {
  CheckIndex(Index);
  return static_cast<size_t>(Index) < FStates.size() ? FStates[static_cast<size_t>(Index)]
                                                     : TCheckBoxState::cbUnchecked;
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  CheckIndex(Index);
  FStates.resize(static_cast<size_t>(Items()->Count()), TCheckBoxState::cbUnchecked);
  FStates[static_cast<size_t>(Index)] = Value;
  Invalidate();
}

void TCheckListBox::SetChecked(int Index, bool Value) {
  SetState(Index, Value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckListBox::ClickCheck(int Index) {
  switch (GetState(Index)) {
    case TCheckBoxState::cbUnchecked:
      SetState(Index, AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbGrayed: SetState(Index, TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked: SetState(Index, TCheckBoxState::cbUnchecked); break;
  }
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TOwnerDrawListBox::MouseDown(Button, Shift, X, Y);
  const int Row = ItemAtPos(TPoint(X, Y), true);
  if (Button != TMouseButton::mbLeft || Row < 0 || X >= CheckWidth() || !GetEnabled()) return;
  // A click in the box makes its row the current one first.
  if (GetItemIndex() != Row) SetItemIndex(Row);
  ClickCheck(Row);
}

void TCheckListBox::KeyPress(TKeyChar& Key) {
  TOwnerDrawListBox::KeyPress(Key);
  if (Key == u' ' && GetItemIndex() >= 0) {
    Key = 0;
    ClickCheck(GetItemIndex());
  }
}

void TCheckListBox::ItemsChanged() {
  FStates.resize(static_cast<size_t>(Items()->Count()), TCheckBoxState::cbUnchecked);
  TOwnerDrawListBox::ItemsChanged();
}

void TCheckListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas& C = *GetCanvas();
  C.FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) return;
  // The box: white (face colour when grayed) with a dark frame and a tick.
  const int Side = std::min(13, std::max(Rect.Height() - 2, 5));
  const TRect Box(Rect.Left + 2, Rect.Top + (Rect.Height() - Side) / 2, Rect.Left + 2 + Side,
                  Rect.Top + (Rect.Height() - Side) / 2 + Side);
  const TCheckBoxState S = GetState(Index);
  const TColor SavedBrush = C.Brush->GetColor();
  const TColor SavedPen = C.Pen->GetColor();
  C.Brush->SetColor(S == TCheckBoxState::cbGrayed ? clBtnFace : clWindow);
  C.Pen->SetColor(clBtnShadow);
  C.Rectangle(Box);
  if (S != TCheckBoxState::cbUnchecked) {
    C.Pen->SetColor(S == TCheckBoxState::cbGrayed ? clGrayText : clWindowText);
    const int L = Box.Left + 3, T = Box.Top + Side / 2 - 1;
    for (int i = 0; i < 3; ++i) {
      C.MoveTo(L, T + i);
      C.LineTo(L + 2, T + 2 + i);
      C.LineTo(L + 7, T - 3 + i);
    }
  }
  C.Brush->SetColor(SavedBrush);
  C.Pen->SetColor(SavedPen);
  C.TextOut(Rect.Left + CheckWidth() + 2, Rect.Top + 1, Items()->Get(Index));
  (void)State;
}
