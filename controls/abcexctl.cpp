#include "controls/abcexctl.h"

KV_CLASS_IMPL(TabcSuperLabel, TLabel) {
  c.Property("VerticalAlignment", &TabcSuperLabel::GetVerticalAlignment, &TabcSuperLabel::SetVerticalAlignment)
      .Names({"vaTop", "vaBottom", "vaCenter"})
      .Default(TabcVAlignment::vaTop);
  c.Property("TopMargin", &TabcSuperLabel::GetTopMargin, &TabcSuperLabel::SetTopMargin).Default(0);
  c.Property("LeftMargin", &TabcSuperLabel::GetLeftMargin, &TabcSuperLabel::SetLeftMargin).Default(0);
  c.Property("RightMargin", &TabcSuperLabel::GetRightMargin, &TabcSuperLabel::SetRightMargin).Default(0);
  c.Property("BottomMargin", &TabcSuperLabel::GetBottomMargin, &TabcSuperLabel::SetBottomMargin).Default(0);
  c.Property("BorderStyle", &TabcSuperLabel::GetBorderStyle, &TabcSuperLabel::SetBorderStyle)
      .Names({"bsNone", "bsSingle"})
      .Default(TBorderStyle::bsNone);
  c.Property("Ctl3D", &TabcSuperLabel::GetCtl3D, &TabcSuperLabel::SetCtl3D).Default(true);
  c.Property("BorderColor", &TabcSuperLabel::GetBorderColor, &TabcSuperLabel::SetBorderColor)
      .Kind(TPropKind::pkColor)
      .Default(clWindowFrame);
  c.Property("WordWrap", &TabcSuperLabel::GetWordWrap, &TabcSuperLabel::SetWordWrap).Default(false);
  c.Property("Alignment", &TabcSuperLabel::GetAlignment, &TabcSuperLabel::SetAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(TAlignment::taLeftJustify);
}

TabcSuperLabel::TabcSuperLabel(TComponent* AOwner) : TLabel(AOwner) {
  SetAutoSize(false);
  SetBounds(GetLeft(), GetTop(), 100, 25);
  ParentColor = true;
}

#define KV_LABEL_SETTER(Name, Type, Field) \
  void TabcSuperLabel::Set##Name(Type Value) { \
    Field = Value;                            \
    Invalidate();                             \
  }
KV_LABEL_SETTER(VerticalAlignment, TabcVAlignment, FVerticalAlignment)
KV_LABEL_SETTER(TopMargin, uint8_t, FTopMargin)
KV_LABEL_SETTER(LeftMargin, uint8_t, FLeftMargin)
KV_LABEL_SETTER(RightMargin, uint8_t, FRightMargin)
KV_LABEL_SETTER(BottomMargin, uint8_t, FBottomMargin)
KV_LABEL_SETTER(BorderStyle, TBorderStyle, FBorderStyle)
KV_LABEL_SETTER(Ctl3D, bool, FCtl3D)
KV_LABEL_SETTER(BorderColor, TColor, FBorderColor)
KV_LABEL_SETTER(WordWrap, bool, WordWrap)
KV_LABEL_SETTER(Alignment, TAlignment, Alignment)
#undef KV_LABEL_SETTER

TRect TabcSuperLabel::TextRect() const {
  int left = FLeftMargin, top = FTopMargin, right = FRightMargin, bottom = FBottomMargin;
  if (FBorderStyle == TBorderStyle::bsSingle) {
    // The 3-D border takes two pixels on top and left and one on right and bottom.
    left += FCtl3D ? 2 : 1;
    top += FCtl3D ? 2 : 1;
    right += 1;
    bottom += 1;
  }
  TRect r(left, top, GetWidth() - right, GetHeight() - bottom);
  if (r.Left > r.Right) r.Right = r.Left;
  if (r.Top > r.Bottom) r.Bottom = r.Top;
  return r;
}

void TabcSuperLabel::Paint() {
  TCanvas& c = *GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  const TColor topRight = c.GetPixel(w - 1, 0), bottomLeft = c.GetPixel(0, h - 1);
  if (!Transparent) {
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(TControl::GetColor());
    c.FillRect(TRect(0, 0, w, h));
  }
  if (FBorderStyle == TBorderStyle::bsSingle) {
    if (FCtl3D) {
      c.Brush->SetStyle(bsSolid);
      c.Brush->SetColor(clBtnHighlight);
      c.FrameRect(TRect(1, 1, w, h));
      c.Brush->SetColor(clBtnShadow);
      c.FrameRect(TRect(0, 0, w - 1, h - 1));
      c.SetPixel(w - 1, 0, topRight);
      c.SetPixel(0, h - 1, bottomLeft);
    } else {
      c.Brush->SetColor(FBorderColor);
      c.FrameRect(TRect(0, 0, w, h));
    }
  } else if (ComponentState.Contains(TComponentStateItem::csDesigning)) {
    c.Brush->SetColor(clGray);
    c.FrameRect(TRect(0, 0, w, h));
  }
  TRect r = TextRect();
  if (r.IsEmpty()) return;
  TDeviceContext& dc = *c.GetHandle();
  dc.IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
  uint32_t format = DT_EXPANDTABS;
  if (WordWrap) format |= DT_WORDBREAK;
  if (Alignment == TAlignment::taCenter) format |= DT_CENTER;
  if (Alignment == TAlignment::taRightJustify) format |= DT_RIGHT;
  if (!ShowAccelChar) format |= DT_NOPREFIX;
  c.Font->Assign(*GetFont());
  if (!GetEnabled()) c.Font->SetColor(clGrayText);
  c.Brush->SetStyle(bsClear);
  TDeviceContext& text = *c.GetHandle();
  text.SetBkMode(TRANSPARENT);
  const std::string caption = GetCaption();
  if (FVerticalAlignment != TabcVAlignment::vaTop) {
    const bool blank = caption.empty() || (ShowAccelChar && caption == "&");
    TRect calc = r;
    const int height = text.DrawText(blank ? std::string(" ") : caption, calc, format | DT_CALCRECT);
    const int free = r.Bottom - (r.Top + height - 1);
    r.Top += FVerticalAlignment == TabcVAlignment::vaBottom ? free : free / 2;
  }
  text.DrawText(caption, r, format);
}
