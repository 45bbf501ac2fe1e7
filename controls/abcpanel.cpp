#include "controls/abcpanel.h"

#include "platform/gdi/DeviceContext.h"

TabcCustomEdgePanel::TabcCustomEdgePanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TabcCustomEdgePanel::SetBevelEdges(TBevelEdges Value) {
  FBevelEdges = Value;
  Invalidate();
}

void TabcCustomEdgePanel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TabcCustomEdgePanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TabcCustomEdgePanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TabcCustomEdgePanel::SetBevelWidth(int Value) {
  if (Value < 1) throw ERangeError("BevelWidth must be greater than 0");
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TabcCustomEdgePanel::SetBorderWidth(int Value) {
  if (Value < 0) throw ERangeError("BorderWidth must be 0 or more");
  BorderWidth = Value;
  Realign();
  Invalidate();
}

void TabcCustomEdgePanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TabcCustomEdgePanel::Invalidate() {
  TCustomControl::Invalidate();
  // A transparent panel shows its parent: the part beneath it and its children are painted again.
  if (FTransparent) {
    if (TWinControl* parent = GetParent()) parent->Invalidate();
    for (int i = 0; i < ControlCount(); ++i) GetControl(i)->Invalidate();
  }
}

void TabcCustomEdgePanel::AdjustClientRect(TRect& Rect) const {
  TCustomControl::AdjustClientRect(Rect);
  int inset = BorderWidth;
  if (FBevelOuter != TBevelCut::bvNone) inset += FBevelWidth;
  if (FBevelInner != TBevelCut::bvNone) inset += FBevelWidth;
  Rect = TRect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
}

void TabcCustomEdgePanel::DrawEdgeRing(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) const {
  const int32_t left = R.Left, top = R.Top, right = R.Right - 1, bottom = R.Bottom - 1;
  Canvas.Pen->SetWidth(1);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetColor(TopLeft);
  Canvas.MoveTo(left, bottom);
  if (FBevelEdges.Contains(TBevelEdge::beLeft))
    Canvas.LineTo(left, top);
  else
    Canvas.MoveTo(left, top);
  if (FBevelEdges.Contains(TBevelEdge::beTop))
    Canvas.LineTo(right, top);
  else
    Canvas.MoveTo(right, top);
  Canvas.Pen->SetColor(BottomRight);
  if (FBevelEdges.Contains(TBevelEdge::beRight))
    Canvas.LineTo(right, bottom);
  else
    Canvas.MoveTo(right, bottom);
  if (FBevelEdges.Contains(TBevelEdge::beBottom)) Canvas.LineTo(left - 1, bottom);
}

TRect TabcCustomEdgePanel::DrawBevel(TCanvas& Canvas, TRect R, TBevelCut Cut) const {
  if (Cut == TBevelCut::bvNone) return R;
  const bool lowered = Cut == TBevelCut::bvLowered;
  const TColor topLeft = lowered ? clBtnShadow : clBtnHighlight;
  const TColor bottomRight = lowered ? clBtnHighlight : clBtnShadow;
  for (int i = 0; i < FBevelWidth; ++i) {
    DrawEdgeRing(Canvas, R, topLeft, bottomRight);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  return R;
}

void TabcCustomEdgePanel::Paint() {
  TCanvas& canvas = *GetCanvas();
  TRect r = GetClientRect();
  if (!FTransparent) {
    canvas.Brush->SetStyle(bsSolid);
    canvas.Brush->SetColor(GetColor());
    canvas.FillRect(r);
  }
  r = DrawBevel(canvas, r, FBevelOuter);
  canvas.Brush->SetStyle(bsSolid);
  canvas.Brush->SetColor(GetColor());
  for (int i = 0; i < BorderWidth; ++i) {
    canvas.FrameRect(r);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  r = DrawBevel(canvas, r, FBevelInner);
  const std::string caption = GetCaption();
  if (!caption.empty()) {
    canvas.Brush->SetStyle(bsClear);
    canvas.Font->Assign(*GetFont());
    const TRect client = GetClientRect();
    const int32_t h = canvas.TextHeight("W");
    TRect band(client.Left, client.Top + (client.Height() - h) / 2, client.Right, 0);
    band.Bottom = band.Top + h;
    uint32_t format = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    if (FAlignment == TAlignment::taCenter) format |= DT_CENTER;
    if (FAlignment == TAlignment::taRightJustify) format |= DT_RIGHT;
    canvas.GetHandle()->DrawText(caption, band, format);
  }
  if (OnPaint) OnPaint(this);
}
