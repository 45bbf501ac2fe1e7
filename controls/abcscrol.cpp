#include "controls/abcscrol.h"

#include <algorithm>

TabcCustomScrollBox::TabcCustomScrollBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TabcCustomScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Realign();
  Invalidate();
}

TRect TabcCustomScrollBox::GetClientRect() const {
  // A single border is a sunken client edge two pixels wide; shown scroll bars take their strip.
  const int b = FBorderStyle == TBorderStyle::bsSingle ? 2 : 0;
  const int v = FVBar && FVBar->GetVisible() ? ScrollBarSize : 0;
  const int h = FHBar && FHBar->GetVisible() ? ScrollBarSize : 0;
  return TRect(0, 0, std::max(GetWidth() - 2 * b - v, 0), std::max(GetHeight() - 2 * b - h, 0));
}

int TabcCustomScrollBox::ContentExtent(bool Horizontal) const {
  const TScrollAxis& axis = Horizontal ? HorzScrollBar : VertScrollBar;
  int extent = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = GetControl(i);
    if (!c->GetVisible() || IsScrollBar(c)) continue;
    extent = std::max(extent, Horizontal ? c->GetLeft() + c->GetWidth() : c->GetTop() + c->GetHeight());
  }
  return extent + axis.Position;
}

int TabcCustomScrollBox::ScrollRange(bool Horizontal) const {
  const TRect client = GetClientRect();
  return std::max(ContentExtent(Horizontal) - (Horizontal ? client.Width() : client.Height()), 0);
}

TScrollBar* TabcCustomScrollBox::ScrollBarOf(bool Horizontal) const {
  TScrollBar* bar = Horizontal ? FHBar : FVBar;
  return bar && bar->GetVisible() ? bar : nullptr;
}

void TabcCustomScrollBox::UpdateScrollBars() {
  if (FUpdatingBars || ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  FUpdatingBars = true;
  struct TEnd {
    bool& Flag;
    ~TEnd() { Flag = false; }
  } end{FUpdatingBars};
  // Showing one bar narrows the client area, which can make the other one needed.
  for (int pass = 0; pass < 2; ++pass) {
    for (bool horizontal : {true, false}) {
      const TScrollAxis& axis = horizontal ? HorzScrollBar : VertScrollBar;
      TScrollBar*& bar = horizontal ? FHBar : FVBar;
      const bool needed = axis.Visible && AutoScroll && ScrollRange(horizontal) > 0;
      if (!needed) {
        if (bar) bar->SetVisible(false);
        continue;
      }
      if (!bar) {
        bar = new TScrollBar(this);
        bar->SetKind(horizontal ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical);
        bar->SetParent(this);
        bar->OnScroll = [this, horizontal](TObject*, TScrollCode Code, int& Pos) {
          ScrollMessage(horizontal, static_cast<int>(Code), Pos);
        };
      }
      bar->SetVisible(true);
    }
  }
  const TRect client = GetClientRect();
  for (bool horizontal : {true, false}) {
    TScrollBar* bar = ScrollBarOf(horizontal);
    if (!bar) continue;
    const TScrollAxis& axis = horizontal ? HorzScrollBar : VertScrollBar;
    if (horizontal)
      bar->SetBounds(client.Left, client.Bottom, client.Width(), ScrollBarSize);
    else
      bar->SetBounds(client.Right, client.Top, ScrollBarSize, client.Height());
    bar->SmallChange = axis.Increment;
    bar->LargeChange = std::max(horizontal ? client.Width() : client.Height(), 1);
    bar->SetPageSize(bar->LargeChange);
    bar->SetParams(axis.Position, 0, ScrollRange(horizontal));
  }
}

void TabcCustomScrollBox::AlignControls(TRect R) {
  TCustomControl::AlignControls(R);
  UpdateScrollBars();
}

void TabcCustomScrollBox::Resize() {
  TCustomControl::Resize();
  if (AutoScroll) UpdateScrollBars();
}

void TabcCustomScrollBox::ScrollTo(bool Horizontal, int Pos) {
  TScrollAxis& axis = Horizontal ? HorzScrollBar : VertScrollBar;
  Pos = std::clamp(Pos, 0, ScrollRange(Horizontal));
  const int delta = axis.Position - Pos;
  if (delta == 0) return;
  axis.Position = Pos;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = GetControl(i);
    if (IsScrollBar(c)) continue;
    if (Horizontal)
      c->SetLeft(c->GetLeft() + delta);
    else
      c->SetTop(c->GetTop() + delta);
  }
  EnableAlign();
  UpdateScrollBars();
  Invalidate();
}

void TabcCustomScrollBox::ScrollMessage(bool Horizontal, int Code, int Pos) {
  TScrollAxis& axis = Horizontal ? HorzScrollBar : VertScrollBar;
  const TRect client = GetClientRect();
  const int page = std::max(Horizontal ? client.Width() : client.Height(), 1);
  int pos = axis.Position;
  switch (Code) {
    case SB_LINEUP: pos -= axis.Increment; break;
    case SB_LINEDOWN: pos += axis.Increment; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = Pos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = ScrollRange(Horizontal); break;
    default: break;
  }
  const auto code = static_cast<TScrollCode>(std::clamp(Code, 0, 8));
  if (Horizontal && OnScrollH) OnScrollH(this, code, pos);
  if (!Horizontal && OnScrollV) OnScrollV(this, code, pos);
  if (Code != SB_ENDSCROLL) ScrollTo(Horizontal, pos);
  Scrolled(Horizontal, Code, Pos);
}

bool TabcCustomScrollBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!VertScrollBar.Visible || WheelDelta == 0) return false;
  ScrollMessage(false, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return true;
}

void TabcCustomScrollBox::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.Brush->SetStyle(bsSolid);
  canvas.Brush->SetColor(GetColor());
  canvas.FillRect(TRect(0, 0, GetWidth(), GetHeight()));
  if (FBorderStyle == TBorderStyle::bsSingle) {
    const TRect r(0, 0, GetWidth(), GetHeight());
    auto ring = [&](const TRect& q, TColor topLeft, TColor bottomRight) {
      canvas.Pen->SetColor(topLeft);
      canvas.MoveTo(q.Left, q.Bottom - 1);
      canvas.LineTo(q.Left, q.Top);
      canvas.LineTo(q.Right - 1, q.Top);
      canvas.Pen->SetColor(bottomRight);
      canvas.LineTo(q.Right - 1, q.Bottom - 1);
      canvas.LineTo(q.Left - 1, q.Bottom - 1);
    };
    ring(r, clBtnShadow, clBtnHighlight);
    ring(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), cl3DDkShadow, cl3DLight);
  }
  if (OnPaint) OnPaint(this);
}
