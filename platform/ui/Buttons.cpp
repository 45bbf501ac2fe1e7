#include "platform/ui/Buttons.h"

#include "platform/ui/Menus.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* Value) {
  if (Value)
    FGlyph->Assign(*Value);
  else
    FGlyph = std::make_unique<TBitmap>();
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  // A button outside any group never stays down.
  if (GroupIndex == 0) Value = false;
  if (Value == FDown) return;
  // Without AllowAllUp a button comes up only when another of its group goes down.
  if (!Value && !AllowAllUp) return;
  FDown = Value;
  if (Value)
    if (TWinControl* parent = GetParent())
      for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(parent->GetControl(i)); b && b != this && b->GroupIndex == GroupIndex && b->FDown) {
          b->FDown = false;
          b->Invalidate();
        }
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && GetEnabled()) {
    FPressed = true;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool wasPressed = FPressed;
  FPressed = false;
  // A release over the button changes its state before its click.
  if (Button == TMouseButton::mbLeft && wasPressed && GetClientRect().Contains(TPoint(X, Y)) && GroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (AllowAllUp)
      SetDown(false);
  }
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
  FHot = true;
  if (Flat) Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  FHot = false;
  if (Flat) Invalidate();
  TGraphicControl::MouseLeave();
}

void TSpeedButton::Paint() {
  TCanvas& c = *GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  const bool sunken = FDown || FPressed;
  if (FDown && !FPressed) {
    // A button that stays down shows a lighter face.
    c.Brush->SetColor(clBtnHighlight);
    c.Brush->SetStyle(bsSolid);
    c.FillRect(Rect(1, 1, w - 1, h - 1));
  }
  if (!Flat || FHot || sunken) {
    c.Pen->SetColor(sunken ? clBtnShadow : clBtnHighlight);
    c.MoveTo(0, h - 1);
    c.LineTo(0, 0);
    c.LineTo(w - 1, 0);
    c.Pen->SetColor(sunken ? clBtnHighlight : cl3DDkShadow);
    c.LineTo(w - 1, h - 1);
    c.LineTo(-1, h - 1);
  }
  // The picture for the state: up, disabled, down, stay-down.
  int glyphW = 0, glyphH = 0, piece = 0;
  const int glyphs = std::clamp(NumGlyphs, 1, 4);
  if (!FGlyph->GetEmpty()) {
    glyphW = FGlyph->GetWidth() / glyphs;
    glyphH = FGlyph->GetHeight();
    if (!GetEnabled() && glyphs > 1)
      piece = 1;
    else if (sunken && glyphs > 2)
      piece = FDown && glyphs > 3 ? 3 : 2;
  }
  const std::string caption = Menus::StripHotkey(GetCaption());
  c.Font->Assign(*GetFont());
  const TSize text = caption.empty() ? TSize() : c.TextExtent(caption);
  const int gap = glyphW > 0 && !caption.empty() ? Spacing : 0;
  const int shift = sunken ? 1 : 0;
  int gx, gy, tx, ty;
  if (Layout == TButtonLayout::blGlyphLeft || Layout == TButtonLayout::blGlyphRight) {
    const int total = glyphW + gap + text.cx;
    const int start = Margin >= 0 ? Margin : (w - total) / 2;
    gx = Layout == TButtonLayout::blGlyphLeft ? start : start + text.cx + gap;
    tx = Layout == TButtonLayout::blGlyphLeft ? start + glyphW + gap : start;
    gy = (h - glyphH) / 2;
    ty = (h - text.cy) / 2;
  } else {
    const int total = glyphH + gap + text.cy;
    const int start = Margin >= 0 ? Margin : (h - total) / 2;
    gy = Layout == TButtonLayout::blGlyphTop ? start : start + text.cy + gap;
    ty = Layout == TButtonLayout::blGlyphTop ? start + glyphH + gap : start;
    gx = (w - glyphW) / 2;
    tx = (w - text.cx) / 2;
  }
  if (glyphW > 0) {
    const TColor transparent = FGlyph->GetPixelColor(0, glyphH - 1);
    for (int y = 0; y < glyphH; ++y)
      for (int x = 0; x < glyphW; ++x) {
        TColor px = FGlyph->GetPixelColor(piece * glyphW + x, y);
        if (px == transparent) continue;
        if (!GetEnabled() && glyphs == 1) px = clBtnShadow;
        c.SetPixel(gx + x + shift, gy + y + shift, px);
      }
  }
  if (!caption.empty()) {
    c.Brush->SetStyle(bsClear);
    if (!GetEnabled()) c.Font->SetColor(clGrayText);
    c.TextOut(tx + shift, ty + shift, caption);
  }
  TGraphicControl::Paint();
}
