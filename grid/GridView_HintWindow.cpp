// GridView: the markup hint window: measured and drawn by the markup
// renderer, framed in 3-D, kept on the screen.

#include "grid/GridView.h"

#include "grid/GvHTMLE.h"

KV_CLASS_IMPL(THTMLHintWindow, THintWindow) {}

namespace {

// The renderer's settings for hint texts.
GvHTMLE::THtmlRenderOptions HintOptions() {
  GvHTMLE::THtmlRenderOptions o;
  o.ShadowColor = 0x808080;
  o.LinkColor = 0xFF0000;
  o.HoverBackColor = clNone;
  o.HoverTextColor = clNone;
  o.ShadowOffset = 1;
  o.FocusedLink = -1;
  o.WordWrap = false;
  return o;
}

TSize MeasureHint(TCanvas& C, const TFont& Font, const TRect& Bounds, const std::string& Hint) {
  C.Font->Assign(Font);
  GvHTMLE::THtmlRenderOptions o = HintOptions();
  o.MeasureOnly = true;
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(C, Hint, Bounds, o, r);
  return TSize{r.ContentWidth, r.ContentHeight};
}

}  // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) {
  const TSize s = MeasureHint(*GetCanvas(), *GetFont(), TRect(0, 0, MaxWidth, 0), Hint);
  return TRect(0, 0, s.cx, s.cy);
}

TRect THTMLHintWindow::KeepOnScreen(TRect Rect, const TRect& Screen) {
  const int w = Rect.Width(), h = Rect.Height();
  if (Rect.Right > Screen.Right) {
    Rect.Left = Screen.Right - w - 2;
    Rect.Right = Rect.Left + w;
  }
  if (Rect.Bottom > Screen.Bottom) {
    Rect.Top = Screen.Bottom - h - 2;
    Rect.Bottom = Rect.Top + h;
  }
  return Rect;
}

void THTMLHintWindow::ActivateHint(TRect Rect, const std::string& Hint) {
  const TSize s = MeasureHint(*GetCanvas(), *GetFont(), TRect(Rect.Left, 0, Rect.Left + 1008, 0), Hint);
  Rect.Right = Rect.Left + s.cx + 16;
  Rect.Bottom = Rect.Top + s.cy + 4;
  THintWindow::ActivateHint(KeepOnScreen(Rect, ScreenRect()), Hint);
}

void THTMLHintWindow::Paint() {
  TCanvas& C = *GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(GetColor());
  C.FillRect(TRect(0, 0, w, h));
  C.Pen->SetWidth(1);
  C.Pen->SetColor(cl3DLight);
  C.MoveTo(0, h - 2);
  C.LineTo(0, 0);
  C.LineTo(w - 1, 0);
  C.Pen->SetColor(cl3DDkShadow);
  C.MoveTo(0, h - 1);
  C.LineTo(w - 1, h - 1);
  C.LineTo(w - 1, 0);
  C.Font->Assign(*GetFont());
  const TSize s = MeasureHint(C, *GetFont(), TRect(4, 0, w - 4, h), GetCaption());
  const int top = (h - s.cy) / 2;
  GvHTMLE::THtmlRenderOptions o = HintOptions();
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(C, GetCaption(), TRect(4, top, w - 4, top + s.cy), o, r);
}

// ================================================================ the grid's hint

THTMLHintWindow* TGridView::HtmlHintWindow() {
  if (!FHtmlHint) FHtmlHint = Create<THTMLHintWindow>(this);
  return FHtmlHint;
}

void TGridView::ShowHtmlHint(TPoint ScreenPos, const std::string& Text, int MaxWidth) {
  THTMLHintWindow* w = HtmlHintWindow();
  if (Text.empty()) {
    w->ReleaseHint();
    return;
  }
  w->SetColor(HintColor);
  const TRect r = w->CalcHintRect(MaxWidth, Text);
  w->ActivateHint(TRect(ScreenPos.X, ScreenPos.Y, ScreenPos.X + r.Width(), ScreenPos.Y + r.Height()), Text);
}
