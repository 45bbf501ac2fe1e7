// The tab control.
#include "platform/ui/TabCtrls.h"

#include <algorithm>

KV_CLASS_IMPL(TTabControl, TCustomControl) {}

TTabControl::TTabControl(TComponent* AOwner) : TCustomControl(AOwner), FTabs(std::make_unique<TStringList>()) {
  SetBounds(GetLeft(), GetTop(), 289, 193);
  SetTabStop(true);
  FTabs->OnChange = [this](TObject*) {
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    if (FTabIndex < 0 && FTabs->Count() > 0) FTabIndex = 0;
    Invalidate();
  };
}

TTabControl::~TTabControl() = default;

void TTabControl::SetTabIndex(int Value) {
  if (Value < -1 || Value >= FTabs->Count()) Value = -1;
  if (FTabIndex == Value) return;
  FTabIndex = Value;
  Invalidate();
}

void TTabControl::SelectTab(int Index) {
  if (Index < 0 || Index >= FTabs->Count() || Index == FTabIndex) return;
  bool Allow = true;
  if (OnChanging) OnChanging(this, Allow);
  if (!Allow) return;
  SetTabIndex(Index);
  if (OnChange) OnChange(this);
}

TRect TTabControl::TabRect(int Index) const {
  int X = 2;
  for (int i = 0; i < FTabs->Count(); ++i) {
    const int W = 16 + 7 * static_cast<int>(FTabs->Strings(i).size());
    if (i == Index) return TRect(X, 2, X + W, TabHeight);
    X += W;
  }
  return TRect(0, 0, 0, 0);
}

int TTabControl::TabAt(TPoint P) const {
  for (int i = 0; i < FTabs->Count(); ++i) {
    const TRect R = TabRect(i);
    if (P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) return i;
  }
  return -1;
}

void TTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) SelectTab(TabAt(TPoint(X, Y)));
}

void TTabControl::AdjustClientRect(TRect& Rect) const {
  Rect.Top += TabHeight + 2;
  Rect.Left += 2;
  Rect.Right -= 2;
  Rect.Bottom -= 2;
  Rect.Right = std::max(Rect.Left, Rect.Right);
  Rect.Bottom = std::max(Rect.Top, Rect.Bottom);
}

void TTabControl::Paint() {
  TCanvas& C = *GetCanvas();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(GetColor());
  C.FillRect(GetClientRect());
  C.Pen->SetColor(clBtnShadow);
  C.Brush->SetStyle(bsClear);
  C.Rectangle(TRect(0, TabHeight, GetWidth(), GetHeight()));
  for (int i = 0; i < FTabs->Count(); ++i) {
    TRect R = TabRect(i);
    if (i == FTabIndex) R.Top -= 2;
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(i == FTabIndex ? clWindow : GetColor());
    C.Rectangle(TRect(R.Left, R.Top, R.Right, R.Bottom + 1));
    C.Brush->SetStyle(bsClear);
    C.Font->Assign(*GetFont());
    C.TextOut(R.Left + 8, R.Top + 3, FTabs->Strings(i));
  }
}
