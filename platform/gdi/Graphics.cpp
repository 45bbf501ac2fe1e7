// Pens, brushes, fonts and the canvas: the objects realise themselves into the
// device context when they changed since the last drawing call.

#include "platform/gdi/Graphics.h"

#include <cmath>
#include <cstdlib>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t p = int64_t(a) * b;
  const int64_t half = std::llabs(c) / 2;
  const bool negative = (p < 0) != (c < 0);
  const int64_t q = (std::llabs(p) + half) / std::llabs(c);
  return int32_t(negative ? -q : q);
}

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TPen ----
void TPen::SetColor(TColor V) {
  if (FColor == V && !FCustom) return;
  FColor = V;
  FCustom.reset();
  Changed();
}
void TPen::SetWidth(int32_t V) {
  if (V < 0) V = 0;
  if (FWidth == V && !FCustom) return;
  FWidth = V;
  FCustom.reset();
  Changed();
}
void TPen::SetStyle(TPenStyle V) {
  if (FStyle == V && !FCustom) return;
  FStyle = V;
  FCustom.reset();
  Changed();
}
void TPen::SetMode(TPenMode V) {
  if (FMode == V) return;
  FMode = V;
  Changed();
}
void TPen::SetHandle(const TLogPen& Pen) {
  FCustom = std::make_shared<TLogPen>(Pen);
  FColor = Pen.Color;
  Changed();
}
TLogPen TPen::GetHandle() const {
  if (FCustom) return *FCustom;
  static const uint32_t styles[] = {PS_SOLID,   PS_DASH,        PS_DOT,       PS_DASHDOT,  PS_DASHDOTDOT,
                                    PS_NULL,    PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
  const int i = int(FStyle);
  TLogPen p;
  p.Style = (i >= 0 && i < 9) ? styles[i] : PS_SOLID;
  p.Width = FWidth;
  p.Color = ColorToRGB(FColor);
  return p;
}
void TPen::Assign(const TPen& Source) {
  FColor = Source.FColor;
  FWidth = Source.FWidth;
  FStyle = Source.FStyle;
  FMode = Source.FMode;
  FCustom = Source.FCustom;
  Changed();
}

// ---- TBrush ----
void TBrush::SetColor(TColor V) {
  if (FColor == V && !FCustom) return;
  FColor = V;
  FCustom.reset();
  Changed();
}
void TBrush::SetStyle(TBrushStyle V) {
  if (FStyle == V && !FCustom) return;
  FStyle = V;
  FCustom.reset();
  Changed();
}
void TBrush::SetBitmap(TBitmap* V) {
  FBitmap = V;
  FPattern = V && !V->GetEmpty() ? Graphics::PatternFromBitmap(*V) : nullptr;
  FCustom.reset();
  Changed();
}
void TBrush::SetHandle(const TLogBrush& Brush) {
  FCustom = std::make_shared<TLogBrush>(Brush);
  Changed();
}
TLogBrush TBrush::GetHandle() const {
  if (FCustom) return *FCustom;
  TLogBrush b;
  b.Color = ColorToRGB(FColor);
  if (FPattern) {
    b.Style = BS_PATTERN;
    b.Pattern = FPattern;
    return b;
  }
  const int s = int(FStyle);
  if (FStyle == bsClear) b.Style = BS_NULL;
  else if (s >= int(bsHorizontal) && s <= int(bsDiagCross)) {
    b.Style = BS_HATCHED;
    b.Hatch = s - int(bsHorizontal);
  } else {
    b.Style = BS_SOLID;
  }
  return b;
}
void TBrush::Assign(const TBrush& Source) {
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FBitmap = Source.FBitmap;
  FPattern = Source.FPattern;
  FCustom = Source.FCustom;
  Changed();
}

// ---- TFont ----
KV_CLASS_IMPL(TFont, TPersistent) {
  c.Property("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(uint8_t(DEFAULT_CHARSET));
  c.Property("Color", &TFont::GetColor, &TFont::SetColor).Kind(TPropKind::pkColor);
  c.Property("Name", &TFont::GetName, &TFont::SetName);
  c.Property("Size", &TFont::GetSize, &TFont::SetSize);
  c.Property("Style", &TFont::GetStyle, &TFont::SetStyle).Names({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
}
TFont::TFont() = default;
void TFont::Assign(const TPersistent* Source) {
  if (auto* font = dynamic_cast<const TFont*>(Source)) {
    Assign(*font);
    return;
  }
  TPersistent::Assign(Source);
}
void TFont::SetName(const std::string& V) {
  if (FName == V || V.empty()) return;
  FName = V;
  Changed();
}
int32_t TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int32_t V) { SetHeight(-MulDiv(V, FPixelsPerInch, 72)); }
void TFont::SetHeight(int32_t V) {
  if (FHeight == V) return;
  FHeight = V;
  Changed();
}
void TFont::SetColor(TColor V) {
  if (FColor == V) return;
  FColor = V;
  Changed();
}
void TFont::SetStyle(TFontStyles V) {
  if (FStyle == V) return;
  FStyle = V;
  Changed();
}
void TFont::SetCharset(uint8_t V) {
  if (FCharset == V) return;
  FCharset = V;
  Changed();
}
void TFont::SetPitch(TFontPitch V) {
  if (FPitch == V) return;
  FPitch = V;
  Changed();
}
void TFont::SetOrientation(int32_t V) {
  if (FOrientation == V) return;
  FOrientation = V;
  Changed();
}
void TFont::SetPixelsPerInch(int32_t V) {
  if (V <= 0 || V == FPixelsPerInch) return;
  const int32_t size = GetSize();
  FPixelsPerInch = V;
  FHeight = -MulDiv(size, V, 72);
  Changed();
}
void TFont::SetHandle(const TLogFont& Font) {
  FName = Font.FaceName;
  FHeight = Font.Height;
  FOrientation = Font.Escapement;
  FCharset = Font.CharSet;
  FStyle = TFontStyles();
  FStyle.Set(fsBold, Font.Weight >= FW_BOLD);
  FStyle.Set(fsItalic, Font.Italic);
  FStyle.Set(fsUnderline, Font.Underline);
  FStyle.Set(fsStrikeOut, Font.StrikeOut);
  Changed();
}
TLogFont TFont::GetHandle() const {
  TLogFont f;
  f.FaceName = FName;
  f.Height = FHeight;
  f.Escapement = FOrientation;
  f.Orientation = FOrientation;
  f.Weight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  f.Italic = FStyle.Contains(fsItalic);
  f.Underline = FStyle.Contains(fsUnderline);
  f.StrikeOut = FStyle.Contains(fsStrikeOut);
  f.CharSet = FCharset;
  return f;
}
void TFont::Assign(const TFont& Source) {
  FName = Source.FName;
  FPixelsPerInch = Source.FPixelsPerInch;
  FHeight = Source.FHeight;
  FColor = Source.FColor;
  FStyle = Source.FStyle;
  FCharset = Source.FCharset;
  FPitch = Source.FPitch;
  FOrientation = Source.FOrientation;
  Changed();
}

// ---- TCanvas ----
TCanvas::TCanvas() : Pen(std::make_unique<TPen>()), Brush(std::make_unique<TBrush>()), Font(std::make_unique<TFont>()) {
  Pen->OnChange = [this](TGraphicsObject*) { FState.Exclude(TCanvasState::csPenValid); };
  Brush->OnChange = [this](TGraphicsObject*) { FState.Exclude(TCanvasState::csBrushValid); };
  Font->OnChange = [this](TGraphicsObject*) { FState.Exclude(TCanvasState::csFontValid); };
}
TCanvas::TCanvas(TDeviceContext* DC) : TCanvas() { SetHandle(DC); }
TCanvas::~TCanvas() = default;

void TCanvas::SetHandle(TDeviceContext* DC) {
  FDC = DC;
  FState = DC ? TCanvasStates(TCanvasState::csHandleValid) : TCanvasStates();
}

void TCanvas::Refresh() { FState = FDC ? TCanvasStates(TCanvasState::csHandleValid) : TCanvasStates(); }

void TCanvas::CreatePen() {
  FDC->SelectPen(Pen->GetHandle());
  FDC->SetROP2(PenModeToRop2(Pen->GetMode()));
}

void TCanvas::CreateBrush() {
  FDC->SelectBrush(Brush->GetHandle());
  // A solid brush makes the text background opaque in its colour; any other brush transparent.
  if (Brush->GetStyle() == bsSolid && !Brush->GetBitmap()) {
    FDC->SetBkColor(ColorToRGB(Brush->GetColor()));
    FDC->SetBkMode(OPAQUE);
  } else {
    FDC->SetBkMode(TRANSPARENT);
  }
}

void TCanvas::CreateFont() {
  FDC->SelectFont(Font->GetHandle());
  FDC->SetTextColor(ColorToRGB(Font->GetColor()));
}

void TCanvas::RequireState(TCanvasStates Needed) {
  if (!FDC) {
    CreateHandle();
    if (!FDC) throw Exception("Canvas does not allow drawing");
    FState.Include(TCanvasState::csHandleValid);
  }
  if (Needed.Contains(TCanvasState::csPenValid) && !FState.Contains(TCanvasState::csPenValid)) {
    CreatePen();
    FState.Include(TCanvasState::csPenValid);
  }
  if (Needed.Contains(TCanvasState::csBrushValid) && !FState.Contains(TCanvasState::csBrushValid)) {
    CreateBrush();
    FState.Include(TCanvasState::csBrushValid);
  }
  if (Needed.Contains(TCanvasState::csFontValid) && !FState.Contains(TCanvasState::csFontValid)) {
    CreateFont();
    FState.Include(TCanvasState::csFontValid);
  }
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}
void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

namespace {
const TCanvasStates kAll = {TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid,
                            TCanvasState::csFontValid};
const TCanvasStates kPenBrush = {TCanvasState::csHandleValid, TCanvasState::csPenValid, TCanvasState::csBrushValid};
const TCanvasStates kBrush = {TCanvasState::csHandleValid, TCanvasState::csBrushValid};
const TCanvasStates kText = {TCanvasState::csHandleValid, TCanvasState::csFontValid, TCanvasState::csBrushValid};
}  // namespace

TDeviceContext* TCanvas::GetHandle() {
  Changing();
  RequireState(kAll);
  return FDC;
}

#define KV_CANVAS_DRAW(States, Call) \
  do {                               \
    Changing();                      \
    RequireState(States);            \
    Call;                            \
    Changed();                       \
  } while (0)

void TCanvas::Arc(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4) {
  KV_CANVAS_DRAW(kPenBrush, FDC->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}
void TCanvas::Chord(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4) {
  KV_CANVAS_DRAW(kPenBrush, FDC->Chord(X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}
void TCanvas::Pie(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3, int32_t X4, int32_t Y4) {
  KV_CANVAS_DRAW(kPenBrush, FDC->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4));
}
void TCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
  KV_CANVAS_DRAW(kPenBrush, FDC->Ellipse(X1, Y1, X2, Y2));
}
void TCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
  KV_CANVAS_DRAW(kPenBrush, FDC->Rectangle(X1, Y1, X2, Y2));
}
void TCanvas::RoundRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) {
  KV_CANVAS_DRAW(kPenBrush, FDC->RoundRect(X1, Y1, X2, Y2, X3, Y3));
}
void TCanvas::MoveTo(int32_t X, int32_t Y) {
  RequireState({TCanvasState::csHandleValid});
  FDC->MoveTo(X, Y);
}
void TCanvas::LineTo(int32_t X, int32_t Y) { KV_CANVAS_DRAW(kPenBrush, FDC->LineTo(X, Y)); }
TPoint TCanvas::GetPenPos() {
  RequireState({TCanvasState::csHandleValid});
  return FDC->GetCurrentPosition();
}
void TCanvas::Polyline(const std::vector<TPoint>& Points) { KV_CANVAS_DRAW(kPenBrush, FDC->Polyline(Points)); }
void TCanvas::Polygon(const std::vector<TPoint>& Points) { KV_CANVAS_DRAW(kPenBrush, FDC->Polygon(Points)); }
void TCanvas::PolyBezier(const std::vector<TPoint>& Points) {
  KV_CANVAS_DRAW(kPenBrush, FDC->PolyBezier(Points.data(), int(Points.size())));
}
void TCanvas::FillRect(const TRect& R) { KV_CANVAS_DRAW(kBrush, FDC->FillRect(R, Brush->GetHandle())); }
void TCanvas::FrameRect(const TRect& R) { KV_CANVAS_DRAW(kBrush, FDC->FrameRect(R, Brush->GetHandle())); }
void TCanvas::DrawFocusRect(const TRect& R) { KV_CANVAS_DRAW(kBrush, FDC->DrawFocusRect(R)); }
void TCanvas::FloodFill(int32_t X, int32_t Y, TColor Color, TFillStyle Style) {
  KV_CANVAS_DRAW(kBrush, FDC->ExtFloodFill(X, Y, ColorToRGB(Color),
                                           Style == TFillStyle::fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER));
}
TColor TCanvas::GetPixel(int32_t X, int32_t Y) {
  RequireState({TCanvasState::csHandleValid});
  return TColor(FDC->GetPixel(X, Y));
}
void TCanvas::SetPixel(int32_t X, int32_t Y, TColor C) {
  KV_CANVAS_DRAW(TCanvasStates{TCanvasState::csHandleValid}, FDC->SetPixel(X, Y, ColorToRGB(C)));
}

void TCanvas::TextOut(int32_t X, int32_t Y, const std::string& Text) {
  KV_CANVAS_DRAW(kText, FDC->ExtTextOut(X, Y, TextFlags, nullptr, Text));
  // The pen position moves to the end of the text.
  FDC->MoveTo(X + FDC->GetTextExtentPoint(Text).cx, Y);
}
void TCanvas::TextOutW(int32_t X, int32_t Y, const std::u16string& Text) {
  KV_CANVAS_DRAW(kText, FDC->ExtTextOut(X, Y, TextFlags, nullptr, Text));
  FDC->MoveTo(X + FDC->GetTextExtentPoint(Text).cx, Y);
}
void TCanvas::TextRect(const TRect& R, int32_t X, int32_t Y, const std::string& Text) {
  uint32_t options = ETO_CLIPPED;
  if (Brush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  KV_CANVAS_DRAW(kText, FDC->ExtTextOut(X, Y, options, &R, Text));
}
TSize TCanvas::TextExtent(const std::string& Text) {
  RequireState({TCanvasState::csHandleValid, TCanvasState::csFontValid});
  return FDC->GetTextExtentPoint(Text);
}
int32_t TCanvas::TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
int32_t TCanvas::TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

void TCanvas::Draw(int32_t X, int32_t Y, const TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  RequireState({TCanvasState::csHandleValid});
  Graphic->Draw(*this, Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()));
}
void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic) {
  if (!Graphic) return;
  RequireState({TCanvasState::csHandleValid});
  Graphic->Draw(*this, R);
}
void TCanvas::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  TDeviceContext* src = Source.GetHandle();
  KV_CANVAS_DRAW(kBrush, FDC->StretchBlt(Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, SourceRect.Left,
                                         SourceRect.Top, SourceRect.Width(), SourceRect.Height(), CopyMode));
}
TRect TCanvas::GetClipRect() {
  RequireState({TCanvasState::csHandleValid});
  TRect r;
  FDC->GetClipBox(r);
  return r;
}
#undef KV_CANVAS_DRAW

// ---- TPicture ----
TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}
void TPicture::SetGraphic(const TGraphic* V) {
  FGraphic = V ? V->Clone() : nullptr;
  Changed();
}
void TPicture::SetGraphic(std::unique_ptr<TGraphic> V) {
  FGraphic = std::move(V);
  Changed();
}
TBitmap* TPicture::GetBitmap() {
  if (auto* b = dynamic_cast<TBitmap*>(FGraphic.get())) return b;
  FGraphic = std::make_unique<TBitmap>();
  Changed();
  return static_cast<TBitmap*>(FGraphic.get());
}
int32_t TPicture::GetWidth() const { return FGraphic ? FGraphic->GetWidth() : 0; }
int32_t TPicture::GetHeight() const { return FGraphic ? FGraphic->GetHeight() : 0; }
void TPicture::Assign(const TPersistent* Source) {
  if (!Source) {
    SetGraphic(static_cast<const TGraphic*>(nullptr));
    return;
  }
  if (auto* picture = dynamic_cast<const TPicture*>(Source)) {
    if (picture != this) SetGraphic(picture->GetGraphic());
    return;
  }
  TPersistent::Assign(Source);
}
