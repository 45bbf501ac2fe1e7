// The drawing interface's own operations and the GDI canvas: 2-D primitives,
// projection, buffering, texts with shadow, outline and gradient, blending.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotHtml.h"

using PlotCanvas::RoundToPixel;

namespace {

constexpr double DegToRad = M_PI / 180.0;

int32_t MulDiv(int32_t A, int32_t B, int32_t C) {
  if (C == 0) return -1;
  return static_cast<int32_t>(std::llround(static_cast<double>(A) * B / C));
}

// The shared 8 x 8 bitmap of the extended hatch in use and its number.
struct PatternState {
  std::unique_ptr<TBitmap> Bitmap;
  int32_t Number = -1;
};
PatternState& SharedPattern() {
  static PatternState state;
  return state;
}

}  // namespace

// ============================================================================
// TPlotCanvas: operations implemented once for every implementation
// ============================================================================

TPlotCanvas::TPlotCanvas() = default;
TPlotCanvas::~TPlotCanvas() = default;

void TPlotCanvas::AttachCanvas(TCanvas* Canvas) {
  Target = Canvas;
  Pen = Canvas ? Canvas->Pen.get() : nullptr;
  Brush = Canvas ? Canvas->Brush.get() : nullptr;
  Font = Canvas ? Canvas->Font.get() : nullptr;
}

void TPlotCanvas::ResetState() {
  if (Target == nullptr) return;
  Pen->SetColor(clBlack);
  Pen->SetWidth(1);
  Pen->SetStyle(psSolid);
  Brush->SetBitmap(nullptr);
  Brush->SetColor(clWhite);
  Brush->SetStyle(bsSolid);
  Font->SetColor(clBlack);
  Font->SetStyle(TFontStyles());
  Font->SetCharset(DEFAULT_CHARSET);
  Font->SetName(PlotCanvas::DefaultFontName);
  Font->SetSize(PlotCanvas::DefaultFontSize);
  BlendTransparency = 0;
  CurrentFont = nullptr;
  SetBackColor(clWhite);
  SetBackMode(TRANSPARENT);
  SetTextAlign(TA_LEFT);
}

void TPlotCanvas::UsePenColor(TPen& APen, TColor Color) {
  if (Pen == nullptr) return;
  if (GetMonochrome()) Color = clBlack;
  if (auto* chartPen = dynamic_cast<TChartPen*>(&APen)) {
    if (!chartPen->GetVisible()) {
      Pen->SetStyle(psClear);
      return;
    }
    if (PlotCanvas::ExtendedPens && !IsTrue3D()) {
      ApplyChartPen(*Pen, *chartPen, Color, GetDC());
      return;
    }
  }
  Pen->SetColor(APen.GetColor());
  Pen->SetWidth(APen.GetWidth());
  Pen->SetStyle(APen.GetStyle());
  Pen->SetMode(APen.GetMode());
  Pen->SetColor(Color);
}

void TPlotCanvas::UseBrushColor(TChartBrush& ABrush, TColor Color, TColor BackColor) {
  if (Brush == nullptr) return;
  if (GetMonochrome()) Color = clWhite;
  TDeviceContext* DC = nullptr;
  const int32_t style = ABrush.GetStyleOrdinal();
  if (style > 7) {
    PatternState& pattern = SharedPattern();
    const int32_t n = style - 8;
    if (!pattern.Bitmap) pattern.Bitmap = std::make_unique<TBitmap>(8, 8);
    if (pattern.Number != n || Brush->GetBitmap() != pattern.Bitmap.get()) {
      // Drawn in colour, then made monochrome: the brush takes a 1-bit
      // bitmap as a two-colour pattern.
      pattern.Bitmap->SetPixelFormat(pf24bit);
      TCanvas& pc = *pattern.Bitmap->GetCanvas();
      pc.Brush->SetColor(clWhite);
      pc.Brush->SetStyle(bsSolid);
      pc.FillRect(TRect(0, 0, 8, 8));
      if (PlotCanvas::LoadPatternBitmap) PlotCanvas::LoadPatternBitmap(n, *pattern.Bitmap);
      pattern.Bitmap->SetPixelFormat(pf1bit);
      pattern.Bitmap->SetTransparentMode(tmFixed);
      pattern.Bitmap->SetTransparentColor(clWhite);
      pattern.Number = n;
      Brush->SetBitmap(nullptr);
      Brush->SetBitmap(pattern.Bitmap.get());
    }
    DC = GetDC();
    SetBackMode(TRANSPARENT);
    if (BackColor != clTransparentBack)
      SetBackColor(BackColor);
    else if (DC)
      DC->SetROP2(R2_MASKPEN);
    if (DC) DC->SetTextColor(ColorToRGB(Color));
    return;
  }
  TPicture* image = ABrush.PeekImage();
  if (image && !image->Empty()) {
    Brush->SetBitmap(image->GetBitmap());
    DC = GetDC();
    if (DC) DC->SetTextColor(ColorToRGB(Color));
    SetBackMode(OPAQUE);
    SetBackColor(BackColor);
    return;
  }
  if (Brush->GetBitmap()) Brush->SetBitmap(nullptr);
  if (Brush->GetColor() != Color) Brush->SetColor(Color);
  if (Brush->GetStyle() != ABrush.GetStyle()) Brush->SetStyle(ABrush.GetStyle());
  // Realise the brush first: selecting it couples the background to it.
  GetDC();
  if (BackColor == clTransparentBack) {
    SetBackMode(TRANSPARENT);
  } else {
    SetBackMode(OPAQUE);
    SetBackColor(BackColor);
  }
}

void TPlotCanvas::UseFont(TPlotFont& AFont) {
  if (Font == nullptr) return;
  if (AFont.GetPixelsPerInch() != Font->GetPixelsPerInch()) AFont.SetPixelsPerInch(Font->GetPixelsPerInch());
  Font->Assign(AFont);
  if (FontScale != 100.0) Font->SetSize(RoundToPixel(AFont.GetSize() * FontScale * 0.01));
  if (GetMonochrome()) Font->SetColor(clBlack);
  if (TDeviceContext* DC = GetDC())
    if (DC->GetTextCharacterExtra() != AFont.GetInterCharSize()) DC->SetTextCharacterExtra(AFont.GetInterCharSize());
  CurrentFont = &AFont;
  AFont.Canvas = this;
}

void TPlotCanvas::SetDarkerBrush(TColor Color, int32_t Quantity) {
  if (Brush == nullptr) return;
  const TColor dark = DarkerColor(Color, Quantity);
  if (Brush->GetStyle() == bsSolid) {
    if (Brush->GetColor() != dark) Brush->SetColor(dark);
  } else {
    SetBackColor(dark);
  }
}

TSize TPlotCanvas::TextExtentW(const std::u16string& Text) {
  if (TDeviceContext* DC = GetDC()) return DC->GetTextExtentPoint(Text);
  return TSize();
}

int32_t TPlotCanvas::TextWidth(const std::string& Text) {
  int32_t w = Target ? Target->TextExtent(Text).cx : 0;
  if (CurrentFont && CurrentFont->PeekShadow()) w += std::abs(CurrentFont->PeekShadow()->GetHorizSize());
  return w;
}

int32_t TPlotCanvas::TextHeight(const std::string& Text) {
  int32_t h = Target ? Target->TextExtent(Text).cy : 0;
  if (CurrentFont && CurrentFont->PeekShadow()) h += std::abs(CurrentFont->PeekShadow()->GetVertSize());
  return h;
}

int32_t TPlotCanvas::TextWidthW(const std::u16string& Text) {
  int32_t w = TextExtentW(Text).cx;
  if (CurrentFont && CurrentFont->PeekShadow()) w += std::abs(CurrentFont->PeekShadow()->GetHorizSize());
  return w;
}

int32_t TPlotCanvas::TextHeightW(const std::u16string& Text) {
  int32_t h = TextExtentW(Text).cy;
  if (CurrentFont && CurrentFont->PeekShadow()) h += std::abs(CurrentFont->PeekShadow()->GetVertSize());
  return h;
}

TPlotBlend* TPlotCanvas::BeginBlend(const TRect& Rect, TPlotTransparency Transparency) {
  BlendTransparency = Transparency;
  return new TPlotBlend(*this, Rect);
}

void TPlotCanvas::EndBlend(TPlotBlend* Blend) {
  if (Blend == nullptr) return;
  Blend->DoBlend(BlendTransparency);
  delete Blend;
}

void TPlotCanvas::BevelFrame(TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width) {
  if (Pen == nullptr) return;
  Pen->SetWidth(1);
  Pen->SetStyle(psSolid);
  --Rect.Bottom;
  --Rect.Right;
  for (int32_t i = 0; i < Width; ++i) {
    Pen->SetColor(TopColor);
    const TPoint top[3] = {{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}};
    Polyline(top);
    Pen->SetColor(BottomColor);
    const TPoint bottom[3] = {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}};
    Polyline(bottom);
    ++Rect.Left;
    ++Rect.Top;
    --Rect.Right;
    --Rect.Bottom;
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

namespace {
TPoint ToDevice(TDeviceContext* DC, TPoint P) { return DC ? DC->LPtoDP(P) : P; }
}  // namespace

void TPlotCanvas::ClipRoundRect(const TRect& Rect, int32_t CornerSize) {
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  const TPoint a = ToDevice(DC, Rect.TopLeft()), b = ToDevice(DC, Rect.BottomRight());
  const TRegion region = TRegion::CreateRoundRectRgn(a.X, a.Y, b.X, b.Y, CornerSize, CornerSize);
  SelectClipRegion(DC, &region);
}

void TPlotCanvas::ClipEllipse(const TRect& Rect, bool Exclude) {
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  const TPoint a = ToDevice(DC, Rect.TopLeft()), b = ToDevice(DC, Rect.BottomRight());
  const TRegion region = TRegion::CreateEllipticRgn(a.X, a.Y, b.X, b.Y);
  if (Exclude)
    DC->ExtSelectClipRgn(&region, RGN_XOR);
  else
    SelectClipRegion(DC, &region);
}

void TPlotCanvas::ClipPolygon(std::span<const TPoint> Points, int32_t NumPoints) {
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  const size_t n = std::min<size_t>(Points.size(), static_cast<size_t>(std::max(NumPoints, 0)));
  std::vector<TPoint> device(Points.begin(), Points.begin() + static_cast<std::ptrdiff_t>(n));
  DC->LPtoDP(device.data(), static_cast<int>(device.size()));
  const TRegion region = TRegion::CreatePolygonRgn(device, ALTERNATE);
  SelectClipRegion(DC, &region);
}

void TPlotCanvas::TextOutFormat(int32_t X, int32_t Y, const std::string& Text, bool IsHtml) {
  if (IsHtml)
    PlotHtml::HtmlTextOut(*this, X, Y, Text);
  else
    TextOut(X, Y, Text);
}

// ============================================================================
// TCanvas3D
// ============================================================================

void TCanvas3D::CopySettings(TCanvas3D& Source) { SetMonochrome(Source.GetMonochrome()); }

void TCanvas3D::DisableRotation() {
  if (FlatCount == 0) Enter2D();
  ++FlatCount;
}

void TCanvas3D::EnableRotation() {
  --FlatCount;
  if (FlatCount == 0) Leave2D();
}

TRect TCanvas3D::RectTo2D(const TRect& Rect, int32_t Z) {
  const TPoint a = Project(Rect.Left, Rect.Top, Z);
  const TPoint b = Project(Rect.Right, Rect.Bottom, Z);
  return TRect(a, b);
}

TFourPoints TCanvas3D::RectCorners(const TRect& Rect, int32_t Z) {
  return {Project(Rect.Left, Rect.Top, Z), Project(Rect.Right, Rect.Top, Z), Project(Rect.Right, Rect.Bottom, Z),
          Project(Rect.Left, Rect.Bottom, Z)};
}

TRect TCanvas3D::RectBounds2D(const TRect& Rect, int32_t Z) {
  const TFourPoints p = RectCorners(Rect, Z);
  return PolygonRect(p, 4);
}

// ============================================================================
// TPlotBlend
// ============================================================================

TPlotBlend::TPlotBlend(TPlotCanvas& Canvas, const TRect& Rect) : FCanvas(Canvas) { SetRectangle(Rect); }

TPlotBlend::~TPlotBlend() = default;

void TPlotBlend::SetRectangle(const TRect& Rect) {
  TRect r = NormalizeRect(Rect);
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::max(r.Right, 0);
  r.Bottom = std::max(r.Bottom, 0);
  if (r.Right - r.Left <= 0) r.Right = r.Left + 1;
  if (r.Bottom - r.Top <= 0) r.Bottom = r.Top + 1;
  r.Right = std::min(r.Right, FCanvas.ViewBounds.Right);
  r.Bottom = std::min(r.Bottom, FCanvas.ViewBounds.Bottom);
  FRect = r;
  FValid = r.Right - r.Left > 0 && r.Bottom - r.Top > 0;
  FBitmap.reset();
  if (!FValid) return;
  TDeviceContext* source = nullptr;
  if (TBitmap* off = FCanvas.GetOffscreenBitmap())
    source = off->GetCanvas()->GetHandle();
  else if (FCanvas.Target)
    source = FCanvas.Target->GetHandle();
  if (source == nullptr) {
    FValid = false;
    return;
  }
  FBitmap = std::make_unique<TBitmap>(r.Right - r.Left, r.Bottom - r.Top);
  FBitmap->SetPixelFormat(pf24bit);
  FBitmap->GetCanvas()->GetHandle()->BitBlt(0, 0, r.Right - r.Left, r.Bottom - r.Top, source, r.Left, r.Top,
                                            SRCCOPY);
}

void TPlotBlend::DoBlend(TPlotTransparency Transparency) {
  if (FCanvas.Metafile || !FValid || !FBitmap) return;
  const uint32_t align = FCanvas.GetTextAlign();
  if (TBitmap* off = FCanvas.GetOffscreenBitmap()) {
    BlendBitmaps(*FBitmap, *off, FRect.TopLeft(), 100.0 - Transparency);
  } else {
    if (FCanvas.Target == nullptr) return;
    TBitmap now(FRect.Right - FRect.Left, FRect.Bottom - FRect.Top);
    now.SetPixelFormat(pf24bit);
    now.GetCanvas()->GetHandle()->BitBlt(0, 0, now.GetWidth(), now.GetHeight(), FCanvas.Target->GetHandle(),
                                         FRect.Left, FRect.Top, SRCCOPY);
    BlendBitmaps(*FBitmap, now, TPoint(0, 0), 100.0 - Transparency);
    FCanvas.Target->Draw(FRect.Left, FRect.Top, &now);
  }
  if (FCanvas.GetTextAlign() != align) {
    if (FCanvas.CurrentFont) FCanvas.UseFont(*FCanvas.CurrentFont);
    FCanvas.SetTextAlign(align);
  }
}

void BlendBitmaps(TBitmap& Source, TBitmap& Target, TPoint Position, double Percent) {
  const int32_t X = std::max(Position.X, 0), Y = std::max(Position.Y, 0);
  const int32_t w = std::min(Source.GetWidth(), Target.GetWidth() - X);
  const int32_t h = std::min(Source.GetHeight(), Target.GetHeight() - Y);
  if (w <= 0 || h <= 0) return;
  if (PlotCanvas::AlphaBlendAvailable) {
    TBlendFunction blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = static_cast<uint8_t>(std::clamp(255 - RoundToPixel(Percent * 2.55), 0, 255));
    Target.GetCanvas()->GetHandle()->AlphaBlend(X, Y, w, h, Source.GetCanvas()->GetHandle(), 0, 0, w, h, blend);
    Target.Modified();
    return;
  }
  const int32_t m = 100 - RoundToPixel(Percent);
  auto mix = [m](int t, int s) { return static_cast<uint8_t>(t + m * (s - t) / 100); };
  for (int32_t row = 0; row < h; ++row) {
    for (int32_t col = 0; col < w; ++col) {
      const TColor s = Source.GetPixelColor(col, row);
      TColor t = Target.GetPixelColor(X + col, Y + row);
      // A pure white target is nudged so that the result is never the
      // transparent colour of the picture.
      if ((t & 0xFFFFFF) == 0xFFFFFF) t = RGB(254, 255, 255);
      const TColor out = RGB(mix(GetRValue(t), GetRValue(s)), mix(GetGValue(t), GetGValue(s)),
                             mix(GetBValue(t), GetBValue(s)));
      Target.GetCanvas()->GetHandle()->SetPixel(X + col, Y + row, out);
    }
  }
  Target.Modified();
}

// ============================================================================
// TPlotCanvas3D: 2-D operations
// ============================================================================

TPlotCanvas3D::TPlotCanvas3D() {
  FontScale = 100.0;
  ScaleTexts = true;
  BufferedDisplay = true;
  BufferInvalid = true;
}

TPlotCanvas3D::~TPlotCanvas3D() = default;

TDeviceContext* TPlotCanvas3D::GetDC() { return Target ? Target->GetHandle() : nullptr; }

TColor TPlotCanvas3D::GetBackColor() {
  TDeviceContext* DC = GetDC();
  return DC ? DC->GetBkColor() : clWhite;
}

int TPlotCanvas3D::GetBackMode() {
  TDeviceContext* DC = GetDC();
  return DC ? DC->GetBkMode() : TRANSPARENT;
}

uint32_t TPlotCanvas3D::GetTextAlign() {
  TDeviceContext* DC = GetDC();
  return DC ? DC->GetTextAlign() : 0;
}

TColor TPlotCanvas3D::GetPixel(int32_t X, int32_t Y) { return Target ? Target->GetPixel(X, Y) : clNone; }

void TPlotCanvas3D::SetBackColor(TColor Color) {
  if (TDeviceContext* DC = GetDC()) DC->SetBkColor(ColorToRGB(Color));
}

void TPlotCanvas3D::SetBackMode(int Mode) {
  if (TDeviceContext* DC = GetDC()) DC->SetBkMode(Mode);
}

void TPlotCanvas3D::SetTextAlign(uint32_t Align) {
  if (TDeviceContext* DC = GetDC()) DC->SetTextAlign(Align);
}

void TPlotCanvas3D::SetPixel(int32_t X, int32_t Y, TColor Color) {
  if (TDeviceContext* DC = GetDC()) DC->SetPixel(X, Y, ColorToRGB(Color));
}

void TPlotCanvas3D::SetMonochrome(bool Value) {
  if (Monochrome == Value) return;
  Monochrome = Value;
  BufferInvalid = true;
  if (View3DOptions) View3DOptions->Repaint();
}

void TPlotCanvas3D::SetBuffered(bool Value) {
  if (BufferedDisplay == Value) return;
  BufferedDisplay = Value;
  if (!Value) {
    if (!HoldBitmap) {
      FreeBuffer();
      BufferInvalid = true;
    }
  } else if (OffscreenBitmap) {
    AttachCanvas(OffscreenBitmap->GetCanvas());
  }
}

void TPlotCanvas3D::FreeBuffer() {
  if (OffscreenBitmap && Target == OffscreenBitmap->GetCanvas()) AttachCanvas(nullptr);
  OffscreenBitmap.reset();
}

void TPlotCanvas3D::BlitBuffer(int32_t X, int32_t Y, TCanvas& Canvas) {
  if (!OffscreenBitmap) return;
  TDeviceContext* dest = Canvas.GetHandle();
  if (dest == nullptr) return;
  dest->BitBlt(X, Y, OffscreenBitmap->GetWidth(), OffscreenBitmap->GetHeight(),
               OffscreenBitmap->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void TPlotCanvas3D::ShowBuffer(TCanvas& DestCanvas, TCanvas* WindowCanvas, const TRect& Rect) {
  if (BufferedDisplay && OffscreenBitmap) {
    BlitBuffer(Rect.Left, Rect.Top, DestCanvas);
    BufferInvalid = false;
  }
  AttachCanvas(WindowCanvas);
}

bool TPlotCanvas3D::RedrawFromBuffer() {
  if (BufferInvalid || Target == nullptr) return false;
  BlitBuffer(0, 0, *Target);
  return true;
}

void TPlotCanvas3D::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t StartX, int32_t StartY,
                        int32_t EndX, int32_t EndY) {
  if (TDeviceContext* DC = GetDC()) DC->Arc(Left, Top, Right, Bottom, StartX, StartY, EndX, EndY);
}

void TPlotCanvas3D::Pie(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1, int32_t X2,
                        int32_t Y2) {
  if (TDeviceContext* DC = GetDC()) DC->Pie(Left, Top, Right, Bottom, X1, Y1, X2, Y2);
}

void TPlotCanvas3D::Ellipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  if (TDeviceContext* DC = GetDC()) DC->Ellipse(Left, Top, Right, Bottom);
}

void TPlotCanvas3D::Rectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  if (TDeviceContext* DC = GetDC()) DC->Rectangle(Left, Top, Right, Bottom);
}

void TPlotCanvas3D::RoundRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                              int32_t CornerHeight) {
  if (TDeviceContext* DC = GetDC()) DC->RoundRect(Left, Top, Right, Bottom, CornerWidth, CornerHeight);
}

void TPlotCanvas3D::MoveTo(int32_t X, int32_t Y) {
  if (TDeviceContext* DC = GetDC()) DC->MoveTo(X, Y);
}

void TPlotCanvas3D::LineTo(int32_t X, int32_t Y) {
  if (TDeviceContext* DC = GetDC()) DC->LineTo(X, Y);
}

void TPlotCanvas3D::Line(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
  if (TDeviceContext* DC = GetDC()) {
    DC->MoveTo(X0, Y0);
    DC->LineTo(X1, Y1);
  }
}

void TPlotCanvas3D::HorizLine(int32_t X0, int32_t X1, int32_t Y) { Line(X0, Y, X1, Y); }

void TPlotCanvas3D::VertLine(int32_t X, int32_t Y0, int32_t Y1) { Line(X, Y0, X, Y1); }

void TPlotCanvas3D::Polyline(std::span<const TPoint> Points) {
  if (TDeviceContext* DC = GetDC()) DC->Polyline(Points.data(), static_cast<int>(Points.size()));
}

void TPlotCanvas3D::Polygon(std::span<const TPoint> Points) {
  if (TDeviceContext* DC = GetDC()) DC->Polygon(Points.data(), static_cast<int>(Points.size()));
}

void TPlotCanvas3D::FillRect(const TRect& Rect) {
  if (TDeviceContext* DC = GetDC()) DC->FillRect(Rect);
}

void TPlotCanvas3D::PaintBackRect(const TRect& Rect) { FillRect(Rect); }

void TPlotCanvas3D::DrawGraphic(int32_t X, int32_t Y, const TGraphic* Graphic) {
  if (Target && Graphic && !Graphic->GetEmpty()) Target->Draw(X, Y, Graphic);
}

void TPlotCanvas3D::StretchGraphic(const TRect& Rect, const TGraphic* Graphic) {
  if (Target && Graphic) Target->StretchDraw(Rect, Graphic);
}

void TPlotCanvas3D::ClipRect(const TRect& Rect) { ClipCanvasRect(Target, Rect); }

void TPlotCanvas3D::Unclip() { RestoreClipRegion(Target); }

void TPlotCanvas3D::RingSector(int32_t CentreX, int32_t CentreY, int32_t XRadius, int32_t YRadius, double StartAngle,
                               double EndAngle, double DonutPercent) {
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  const double IX = DonutPercent * XRadius * 0.01, IY = DonutPercent * YRadius * 0.01;
  auto outer = [&](double a) {
    return TPoint(RoundToPixel(XRadius * std::cos(a)) + CentreX, CentreY - RoundToPixel(YRadius * std::sin(a)));
  };
  auto inner = [&](double a) {
    return TPoint(RoundToPixel(IX * std::cos(a)) + CentreX, CentreY - RoundToPixel(IY * std::sin(a)));
  };
  const TPoint o0 = outer(StartAngle), o1 = outer(EndAngle), i0 = inner(StartAngle), i1 = inner(EndAngle);
  DC->BeginPath();
  DC->MoveTo(o0.X, o0.Y);
  DC->SetArcDirection(AD_COUNTERCLOCKWISE);
  DC->ArcTo(CentreX - XRadius, CentreY - YRadius, CentreX + XRadius, CentreY + YRadius, o0.X, o0.Y, o1.X, o1.Y);
  DC->LineTo(i1.X, i1.Y);
  // A whole ring starts and ends its inner arc at one point; that arc must still be
  // drawn (as a full circle), or the hole would be filled.
  const bool wholeRing = std::fabs(EndAngle - StartAngle) >= 2 * M_PI - 1e-9 && IX > 0 && IY > 0;
  if (!(i1 == i0) || wholeRing) {
    const int32_t rx = RoundToPixel(IX), ry = RoundToPixel(IY);
    DC->SetArcDirection(AD_CLOCKWISE);
    DC->ArcTo(CentreX - rx, CentreY - ry, CentreX + rx, CentreY + ry, i1.X, i1.Y, i0.X, i0.Y);
    DC->SetArcDirection(AD_COUNTERCLOCKWISE);
  }
  DC->LineTo(o0.X, o0.Y);
  DC->EndPath();
  DC->StrokeAndFillPath();
}

// ============================================================================
// TPlotCanvas3D: view, projection and buffer
// ============================================================================

TRect TPlotCanvas3D::BeginView(TCanvas* Canvas, TView3DOptions* Options, TColor, bool Is3D, const TRect& Rect) {
  ViewBounds = Rect;
  View3DOptions = Options;
  if (Options) FontScale = Options->GetFontZoom();
  Projected = Is3D;
  ObliqueView = false;
  ZoomScale = 1.0;
  if (Is3D) {
    if (Options) {
      ObliqueView = Options->GetOrthogonal();
      if (ObliqueView) {
        double a = Options->GetOrthoAngle();
        if (a > 90) {
          ObliqueDX = -1;
          a = 180 - a;
        } else {
          ObliqueDX = 1;
        }
        ObliqueDY = std::cos(a * DegToRad) < 0.01 ? 1.0 : std::tan(a * DegToRad);
      }
      ZoomScale = Options->GetZoom() * 0.01;
      ScaleTexts = Options->GetZoomText();
    }
    if (!ObliqueView) ComputeViewAngles();
  }
  if (BufferedDisplay) {
    const int32_t w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
    if (!OffscreenBitmap) OffscreenBitmap = std::make_unique<TBitmap>();
    if (OffscreenBitmap->GetWidth() != w || OffscreenBitmap->GetHeight() != h)
      OffscreenBitmap->SetSize(std::max(w, 0), std::max(h, 0));
    OffscreenBitmap->GetCanvas()->OnChange = nullptr;
    OffscreenBitmap->GetCanvas()->OnChanging = nullptr;
    AttachCanvas(OffscreenBitmap->GetCanvas());
    return TRect(0, 0, w, h);
  }
  AttachCanvas(Canvas);
  return Rect;
}

void TPlotCanvas3D::ComputeViewAngles() {
  long double E = 0, R = 0, T = 0;
  if (View3DOptions) {
    E = -View3DOptions->GetElevationFloat();
    R = -View3DOptions->GetRotationFloat();
    T = View3DOptions->GetTilt();
  }
  PerspectiveOn = false;
  PerspectiveFactor = 0;
  const long double k = M_PI / 180.0L;
  SinElevation = std::sin(E * k);
  CosElevation = std::cos(E * k);
  SinRotation = std::sin(R * k);
  CosRotation = std::cos(R * k);
  SinTilt = std::sin(T * k);
  CosTilt = std::cos(T * k);
  TiltOn = T != 0;
  const long double s1 = SinElevation, c1 = CosElevation, s2 = SinRotation, c2 = CosRotation, s3 = SinTilt,
                    c3 = CosTilt;
  InverseTerms[0] = static_cast<double>(c2 * s3);
  InverseTerms[1] = std::max(static_cast<double>(c2 * c3), 1e-5);
  InverseTerms[2] = std::max(static_cast<double>(s1 * s2 * s3 + c1 * c3), 1e-5);
  InverseTerms[3] = static_cast<double>(c3 * s1 * s2 - c1 * s3);
  InverseTerms[4] = static_cast<double>(c1 * s2 * s3 - c3 * s1);
  InverseTerms[5] = static_cast<double>(c1 * c3 * s2 + s1 * s3);
}

void TPlotCanvas3D::RecalcRotatedView(int32_t Depth, const TRect& Rect) {
  Projected = true;
  ObliqueView = false;
  ComputeViewAngles();
  SetViewCenter(Depth, Rect);
}

void TPlotCanvas3D::SetViewCenter(int32_t Depth, const TRect& Rect) {
  const TPoint mid = RectMidPoint(Rect);
  CentreX = mid.X + RoundToPixel(PivotOffset.X);
  CentreY = mid.Y + RoundToPixel(PivotOffset.Y);
  CentreZ = RoundToPixel(Depth * 0.5 + PivotOffset.Z);
  ScreenCentreX = CentreX;
  ScreenCentreY = CentreY;
  if (View3DOptions) {
    ScreenCentreX += View3DOptions->GetHorizOffset();
    ScreenCentreY += View3DOptions->GetVertOffset();
    PerspectiveOn = View3DOptions->GetPerspective() > 0;
    if (PerspectiveOn)
      PerspectiveFactor =
          View3DOptions->GetPerspective() * ZoomScale * (1.0 / 150.0) / std::max(1, Rect.Right - Rect.Left);
  }
}

TPoint TPlotCanvas3D::ProjectFloat(double X, double Y, int32_t Z) const {
  if (ObliqueView) {
    return TPoint(RoundToPixel((Z * ObliqueDX + (X - CentreX)) * ZoomScale) + ScreenCentreX,
                  RoundToPixel(((Y - CentreY) - Z * ObliqueDY) * ZoomScale) + ScreenCentreY);
  }
  if (!Projected) return TPoint(RoundToPixel(X), RoundToPixel(Y));
  const long double s1 = SinElevation, c1 = CosElevation, s2 = SinRotation, c2 = CosRotation;
  const long double x = X - CentreX, y = Y - CentreY, z = static_cast<long double>(Z) - CentreZ;
  const long double t = z * c2 - x * s2;
  long double f = ZoomScale;
  if (PerspectiveOn) f = ZoomScale / ((c1 * t + y * s1) * PerspectiveFactor + 1);
  const long double a = x * c2 + z * s2;
  const long double b = y * c1 - s1 * t;
  if (TiltOn) {
    const long double s3 = SinTilt, c3 = CosTilt;
    return TPoint(RoundToPixel(static_cast<double>((c3 * a - s3 * b) * f)) + ScreenCentreX,
                  RoundToPixel(static_cast<double>((c3 * b + s3 * a) * f)) + ScreenCentreY);
  }
  return TPoint(RoundToPixel(static_cast<double>(a * f)) + ScreenCentreX,
                RoundToPixel(static_cast<double>(b * f)) + ScreenCentreY);
}

void TPlotCanvas3D::ProjectInPlace(int32_t& X, int32_t& Y, int32_t Z) const {
  if (!ObliqueView && !Projected) return;
  const TPoint p = ProjectFloat(X, Y, Z);
  X = p.X;
  Y = p.Y;
}

TPoint TPlotCanvas3D::Project(int32_t X, int32_t Y, int32_t Z) {
  ProjectInPlace(X, Y, Z);
  return TPoint(X, Y);
}

void TPlotCanvas3D::ScreenTo3D(int32_t& X, int32_t& Y, int32_t Z) {
  if (ZoomScale == 0) return;
  const double k = 1.0 / ZoomScale;
  if (ObliqueView) {
    const int32_t x0 = X, y0 = Y;
    X = RoundToPixel((x0 - ScreenCentreX) * k - Z * ObliqueDX) + CentreX;
    Y = RoundToPixel((y0 - ScreenCentreY) * k + Z * ObliqueDY) + CentreY;
    return;
  }
  const auto& q = InverseTerms;
  if (q[2] == 0 || q[1] == 0) return;
  const double X0 = X, Y0 = Y, z = static_cast<double>(Z) - CentreZ;
  X = RoundToPixel(((X0 - ScreenCentreX) * k - z * q[4] - (Y0 - CentreY) * q[0]) / q[2]) + CentreX;
  Y = RoundToPixel(((Y0 - ScreenCentreY) * k - z * q[5] - (X0 - CentreX) * q[3]) / q[1]) + CentreY;
}

void TPlotCanvas3D::Enter2D() {
  Saved3D = Projected;
  Projected = false;
}

void TPlotCanvas3D::Leave2D() { Projected = Saved3D; }

// ============================================================================
// TPlotCanvas3D: 3-D lines, points and planes
// ============================================================================

void TPlotCanvas3D::MoveTo3D(int32_t X, int32_t Y, int32_t Z) {
  ProjectInPlace(X, Y, Z);
  MoveTo(X, Y);
}

void TPlotCanvas3D::LineTo3D(int32_t X, int32_t Y, int32_t Z) {
  ProjectInPlace(X, Y, Z);
  LineTo(X, Y);
}

void TPlotCanvas3D::LineAtDepth(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Z) {
  ProjectInPlace(X0, Y0, Z);
  ProjectInPlace(X1, Y1, Z);
  Line(X0, Y0, X1, Y1);
}

void TPlotCanvas3D::HorizLine3D(int32_t X0, int32_t X1, int32_t Y, int32_t Z) { LineAtDepth(X0, Y, X1, Y, Z); }

void TPlotCanvas3D::VertLine3D(int32_t X, int32_t Y0, int32_t Y1, int32_t Z) { LineAtDepth(X, Y0, X, Y1, Z); }

void TPlotCanvas3D::DepthLine(int32_t X, int32_t Y, int32_t Z0, int32_t Z1) {
  const TPoint a = Project(X, Y, Z0), b = Project(X, Y, Z1);
  Line(a.X, a.Y, b.X, b.Y);
}

TColor TPlotCanvas3D::GetPixel3D(int32_t X, int32_t Y, int32_t Z) {
  ProjectInPlace(X, Y, Z);
  return GetPixel(X, Y);
}

void TPlotCanvas3D::SetPixel3D(int32_t X, int32_t Y, int32_t Z, TColor Color) {
  ProjectInPlace(X, Y, Z);
  if (Pen == nullptr || Pen->GetWidth() == 1) {
    SetPixel(X, Y, Color);
  } else {
    // A dot of the pen's width and colour (the device context draws nothing
    // for a line of zero length).
    TDeviceContext* DC = GetDC();
    if (DC == nullptr) return;
    const int32_t w = Pen->GetWidth(), half = w / 2;
    const TLogPen savedPen = DC->GetPen();
    const TLogBrush savedBrush = DC->GetBrush();
    TLogPen none;
    none.Style = PS_NULL;
    TLogBrush dot;
    dot.Style = BS_SOLID;
    dot.Color = ColorToRGB(Pen->GetColor());
    DC->SelectPen(none);
    DC->SelectBrush(dot);
    DC->Ellipse(X - half, Y - half, X - half + w + 1, Y - half + w + 1);
    DC->SelectPen(savedPen);
    DC->SelectBrush(savedBrush);
  }
}

void TPlotCanvas3D::Polygon4() { Polygon(QuadPoints); }

void TPlotCanvas3D::RectAtDepth(const TRect& Rect, int32_t Z) {
  QuadPoints = {Project(Rect.Left, Rect.Top, Z), Project(Rect.Right, Rect.Top, Z), Project(Rect.Right, Rect.Bottom, Z),
                Project(Rect.Left, Rect.Bottom, Z)};
  Polygon4();
}

void TPlotCanvas3D::QuadAtDepth(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z) {
  QuadPoints = {Project(P0.X, P0.Y, Z), Project(P1.X, P1.Y, Z), Project(P2.X, P2.Y, Z), Project(P3.X, P3.Y, Z)};
  Polygon4();
}

void TPlotCanvas3D::VerticalQuad(TPoint P0, TPoint P1, int32_t Z0, int32_t Z1) {
  QuadPoints = {Project(P0.X, P0.Y, Z0), Project(P1.X, P1.Y, Z0), Project(P1.X, P1.Y, Z1), Project(P0.X, P0.Y, Z1)};
  Polygon4();
}

void TPlotCanvas3D::HorizPlane(int32_t X0, int32_t Y, int32_t X1, int32_t Z0, int32_t Z1) {
  QuadPoints = {Project(X0, Y, Z0), Project(X1, Y, Z0), Project(X1, Y, Z1), Project(X0, Y, Z1)};
  Polygon4();
}

void TPlotCanvas3D::SidePlane(int32_t X, int32_t Y0, int32_t Y1, int32_t Z0, int32_t Z1) {
  QuadPoints = {Project(X, Y0, Z0), Project(X, Y0, Z1), Project(X, Y1, Z1), Project(X, Y1, Z0)};
  Polygon4();
}

void TPlotCanvas3D::Quad3D(TPoint P0, TPoint P1, TPoint P2, TPoint P3, int32_t Z0, int32_t Z1) {
  QuadPoints = {ProjectFloat(P0.X, P0.Y, Z0), ProjectFloat(P1.X, P1.Y, Z0), ProjectFloat(P2.X, P2.Y, Z1),
                ProjectFloat(P3.X, P3.Y, Z1)};
  Polygon4();
}

void TPlotCanvas3D::PolygonAtDepth(std::span<const TPoint> Points, int32_t Z) {
  std::vector<TPoint> p;
  p.reserve(Points.size());
  for (const TPoint& q : Points) p.push_back(Project(q.X, q.Y, Z));
  Polygon(p);
}

void TPlotCanvas3D::PolylineAtDepth(std::span<const TPoint> Points, int32_t Z) {
  std::vector<TPoint> p;
  p.reserve(Points.size());
  for (const TPoint& q : Points) p.push_back(Project(q.X, q.Y, Z));
  Polyline(p);
}

void TPlotCanvas3D::TriangleAtDepth(TPoint P0, TPoint P1, TPoint P2, int32_t Z) {
  const TPoint p[3] = {Project(P0.X, P0.Y, Z), Project(P1.X, P1.Y, Z), Project(P2.X, P2.Y, Z)};
  Polygon(p);
}

void TPlotCanvas3D::Triangle3D(const TPoint3D& P0, const TPoint3D& P1, const TPoint3D& P2, TColor Color0, TColor,
                               TColor) {
  if (Brush && Brush->GetStyle() != bsClear) Brush->SetColor(Color0);
  const TPoint p[3] = {PointXYZTo2D(P0), PointXYZTo2D(P1), PointXYZTo2D(P2)};
  Polygon(p);
}

void TPlotCanvas3D::Sphere(int32_t X, int32_t Y, int32_t Z, double Radius) {
  const int32_t r = RoundToPixel(Radius);
  EllipseAtDepth(X - r, Y - r, X + r, Y + r, Z);
}

void TPlotCanvas3D::ClipBox3D(const TRect& Rect, int32_t Z0, int32_t Z1) {
  if (!Projected && !ObliqueView) {
    ClipRect(TRect(Rect.Left + 1, Rect.Top + 1, Rect.Right, Rect.Bottom - 1));
    return;
  }
  TPointArray p = {Project(Rect.Left, Rect.Bottom, Z0),  Project(Rect.Left, Rect.Bottom, Z1),
                   Project(Rect.Left, Rect.Top, Z1),     Project(Rect.Right, Rect.Top, Z1),
                   Project(Rect.Right, Rect.Top, Z0),    Project(Rect.Right, Rect.Bottom, Z0),
                   Project(Rect.Left, Rect.Top, Z0),     Project(Rect.Right, Rect.Bottom, Z1)};
  ConvexHull(p);
  ClipPolygon(p, static_cast<int32_t>(p.size()));
}

// ============================================================================
// TPlotCanvas3D: texts
// ============================================================================

void TPlotCanvas3D::TextOut(int32_t X, int32_t Y, const std::string& Text) {
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  TPlotFont* F = CurrentFont;
  TPlotShadow* S = F ? F->PeekShadow() : nullptr;
  if (S && (S->GetHorizSize() != 0 || S->GetVertSize() != 0)) {
    int32_t sx = X, sy = Y;
    // A negative size leaves the shadow at the given place and moves the text.
    if (S->GetHorizSize() > 0)
      sx = X + S->GetHorizSize();
    else
      X -= S->GetHorizSize();
    if (S->GetVertSize() > 0)
      sy = Y + S->GetVertSize();
    else
      Y -= S->GetVertSize();
    TPlotBlend* blend = nullptr;
    if (S->GetTransparency() > 0) {
      const int32_t w = TextWidth(Text), h = TextHeight(Text);
      blend = BeginBlend(TRect(sx, sy, sx + w, sy + h), S->GetTransparency());
    }
    DC->SetTextColor(ColorToRGB(S->GetColor()));
    DC->TextOut(sx, sy, Text);
    EndBlend(blend);
  }
  DC->SetTextColor(ColorToRGB(Font->GetColor()));
  if (F) {
    TChartPen* outline = F->PeekOutLine();
    TPlotFontGradient* gradient = F->PeekGradient();
    const bool O = outline && outline->GetVisible();
    const bool G = gradient && gradient->GetVisible();
    if (O || G) {
      TextWithEffects(X, Y, Text);
      return;
    }
  }
  DC->TextOut(X, Y, Text);
}

void TPlotCanvas3D::TextWithEffects(int32_t X, int32_t Y, const std::string& Text) {
  TDeviceContext* DC = GetDC();
  TPlotFont* F = CurrentFont;
  TChartPen* outline = F->PeekOutLine();
  TPlotFontGradient* gradient = F->PeekGradient();
  const bool O = outline && outline->GetVisible();
  const bool G = gradient && gradient->GetVisible();
  const TColor fontColor = Font->GetColor();
  if (O)
    UsePen(*outline);
  else
    Pen->SetStyle(psClear);
  Brush->SetBitmap(nullptr);
  if (fontColor != clNone) Brush->SetColor(fontColor);
  Brush->SetStyle(bsSolid);
  DC = GetDC();
  DC->SetBkMode(TRANSPARENT);
  auto buildPath = [&] {
    DC->BeginPath();
    DC->TextOut(X, Y, Text);
    DC->EndPath();
  };
  buildPath();
  if (G) {
    if (gradient->GetOutline()) DC->WidenPath();
    const TRegion region = DC->PathToRegion();
    SelectClipRegion(DC, &region);
    const int32_t w = TextWidth(Text), h = TextHeight(Text);
    TRect r(X, Y, X + w, Y + h);
    const uint32_t align = DC->GetTextAlign();
    if ((align & TA_CENTER) == TA_CENTER) {
      r.Left -= w / 2;
      r.Right -= w / 2;
    } else if (align & TA_RIGHT) {
      r.Left -= w;
      r.Right -= w;
    }
    gradient->FillRect(*this, r, 0);
    Unclip();
    if (gradient->GetOutline()) return;
    if (!O) return;
    buildPath();
    Brush->SetStyle(bsClear);
    DC = GetDC();
  }
  if (fontColor == clNone)
    DC->StrokePath();
  else
    DC->StrokeAndFillPath();
}

void TPlotCanvas3D::TextOutWithFont(int32_t X, int32_t Y, const std::string& Text, int32_t PointSize) {
  TFont saved;
  saved.Assign(*Font);
  TLogFont lf = Font->GetHandle();
  lf.Height = -MulDiv(PointSize, Font->GetPixelsPerInch(), 72);
  Font->SetHandle(lf);
  TextOut(X, Y, Text);
  Font->Assign(saved);
}

void TPlotCanvas3D::RotatedText(int32_t X, int32_t Y, const std::string& Text, double Angle) {
  if (Font == nullptr) return;
  while (Angle > 360) Angle -= 360;
  Brush->SetStyle(bsClear);
  TFont saved;
  saved.Assign(*Font);
  TLogFont lf = Font->GetHandle();
  lf.Escapement = lf.Orientation = RoundToPixel(Angle * 10);
  lf.Quality = 4;
  if (ScaleTexts && ZoomScale != 1.0)
    lf.Height = -MulDiv(std::max(RoundToPixel(Font->GetSize() * ZoomScale), 1), Font->GetPixelsPerInch(), 72);
  Font->SetHandle(lf);
  TextOut(X, Y, Text);
  Font->Assign(saved);
}

void TPlotCanvas3D::RotatedText3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text, double Angle) {
  ProjectInPlace(X, Y, Z);
  RotatedText(X, Y, Text, Angle);
}

void TPlotCanvas3D::TextOut3D(int32_t X, int32_t Y, int32_t Z, const std::string& Text) {
  ProjectInPlace(X, Y, Z);
  if (!ScaleTexts || Font == nullptr) {
    TextOut(X, Y, Text);
    return;
  }
  const int32_t size = Font->GetSize();
  const int32_t s = std::max(RoundToPixel(size * ZoomScale), 1);
  if (ZoomScale != 1.0 && s != size)
    TextOutWithFont(X, Y, Text, s);
  else
    TextOut(X, Y, Text);
}
