// Text shapes: the framed boxes behind titles, legend, marks and axis titles;
// and the window adaptor that shows a chart panel.
#include <cmath>

#include "chart/engine/PlotProcs.h"

// ---- unit routines --------------------------------------------------------------

TFourPoints PlotProcs::RotatedCorners(const TRect& Rect, double Angle) {
  const int32_t CX = (Rect.Left + Rect.Right) / 2, CY = (Rect.Top + Rect.Bottom) / 2;
  const double Rad = Angle * M_PI / 180, C = std::cos(Rad), S = std::sin(Rad);
  const TPoint Corners[4] = {{Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom},
                             {Rect.Left, Rect.Bottom}};
  TFourPoints Result;
  for (int i = 0; i < 4; ++i) {
    const double DX = Corners[i].X - CX, DY = Corners[i].Y - CY;
    Result[static_cast<size_t>(i)] = TPoint(CX + PlotCanvas::RoundToPixel(DX * C + DY * S),
                                            CY + PlotCanvas::RoundToPixel(-DX * S + DY * C));
  }
  return Result;
}

bool PlotProcs::ColorFromText(const std::string& Text, TColor& Color) {
  static const struct {
    const char* Name;
    TColor Color;
  } Names[] = {{"clBlack", clBlack},   {"clMaroon", clMaroon}, {"clGreen", clGreen},     {"clOlive", clOlive},
               {"clNavy", clNavy},     {"clPurple", clPurple}, {"clTeal", clTeal},       {"clGray", clGray},
               {"clSilver", clSilver}, {"clRed", clRed},       {"clLime", clLime},       {"clYellow", clYellow},
               {"clBlue", clBlue},     {"clFuchsia", clFuchsia}, {"clAqua", clAqua},     {"clWhite", clWhite},
               {"clNone", clNone},     {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
               {"clBtnHighlight", clBtnHighlight}};
  for (const auto& N : Names)
    if (SysUtils::SameText(Text, N.Name)) {
      Color = N.Color;
      return true;
    }
  int32_t Value;
  if (SysUtils::TryStrToInt(Text, Value)) {
    Color = Value;
    return true;
  }
  return false;
}

// ---- brush and pen element ---------------------------------------------------------

KV_CLASS_IMPL(TPlotCustomShapeBrushPen, TPersistent) {
  c.Property("Visible", &TPlotCustomShapeBrushPen::GetVisible, &TPlotCustomShapeBrushPen::SetVisible).Default(true);
}

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* Parent)
    : FBrush(std::make_unique<TChartBrush>(ChangeHandler())),
      FParent(Parent),
      FPen(std::make_unique<TChartPen>(ChangeHandler())) {}

TPlotCustomShapeBrushPen::~TPlotCustomShapeBrushPen() = default;

void TPlotCustomShapeBrushPen::Assign(const TPersistent* Source) {
  if (auto* S = dynamic_cast<const TPlotCustomShapeBrushPen*>(Source)) {
    FBrush->Assign(S->FBrush.get());
    FPen->Assign(S->FPen.get());
    FVisible = S->FVisible;
    return;
  }
  TPersistent::Assign(Source);
}

void TPlotCustomShapeBrushPen::SetVisible(bool Value) {
  if (FParent)
    FParent->SetBooleanField(FVisible, Value);
  else
    FVisible = Value;
}

void TPlotCustomShapeBrushPen::Repaint() {
  if (FParent) FParent->Invalidate();
}

// ---- shape ---------------------------------------------------------------------------

KV_CLASS_IMPL(TPlotCustomShape, TPlotCustomShapeBrushPen) {
  c.Property("BevelWidth", &TPlotCustomShape::GetBevelWidth, &TPlotCustomShape::SetBevelWidth).Default(2);
  c.Property("Color", &TPlotCustomShape::GetColor, &TPlotCustomShape::SetColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("Transparent", &TPlotCustomShape::GetTransparent, &TPlotCustomShape::SetTransparent)
      .Stored(&TPlotCustomShape::IsTransparentStored);
  c.Property("Transparency", &TPlotCustomShape::GetTransparency, &TPlotCustomShape::SetTransparency).Default(0);
  c.Property("ShadowColor", &TPlotCustomShape::LegacyShadowColor, &TPlotCustomShape::ReadShadowColor).Stored(false);
  c.Property("ShadowSize", &TPlotCustomShape::LegacyShadowSize, &TPlotCustomShape::ReadShadowSize).Stored(false);
}

std::string TPlotCustomShape::LegacyShadowColor() const {
  return std::to_string(FShadow ? FShadow->GetColor() : clBlack);
}

KV_CLASS_IMPL(TPlotShape, TPlotCustomShape) {}

TPlotCustomShape::TPlotCustomShape(TCustomPlotPanel* Owner) : TPlotCustomShapeBrushPen(Owner) {
  // The defaults are set before the change handler is attached: a new shape repaints nothing.
  FShadow = std::make_unique<TPlotShadow>();
  FShadow->SetColor(clBlack);
  FShadow->SetSize(3);
  FShadow->UnstoredColor = clBlack;
  FShadow->UnstoredSize = 3;
  FShadow->OnChange = ChangeHandler();
  FFont = std::make_unique<TPlotFont>(ChangeHandler());
}

TPlotCustomShape::~TPlotCustomShape() = default;

void TPlotCustomShape::Assign(const TPersistent* Source) {
  if (auto* S = dynamic_cast<const TPlotCustomShape*>(Source)) {
    FBevel = S->FBevel;
    FBevelWidth = S->FBevelWidth;
    FColor = S->FColor;
    FFont->Assign(S->FFont.get());
    SetGradient(S->FGradient.get());
    FShapeStyle = S->FShapeStyle;
    SetShadow(S->FShadow.get());
    FTextFormat = S->FTextFormat;
    FTransparent = S->FTransparent;
    FTransparency = S->FTransparency;
  }
  TPlotCustomShapeBrushPen::Assign(Source);
}

void TPlotCustomShape::SetColor(TColor V) {
  if (Parent())
    Parent()->SetColorField(FColor, V);
  else
    FColor = V;
}

void TPlotCustomShape::SetTransparent(bool V) {
  if (Parent())
    Parent()->SetBooleanField(FTransparent, V);
  else
    FTransparent = V;
}

void TPlotCustomShape::SetShadow(const TPlotShadow* V) {
  if (!V) {
    FShadow.reset();
  } else {
    if (!FShadow) FShadow = std::make_unique<TPlotShadow>(ChangeHandler());
    FShadow->Assign(V);
  }
  Repaint();
}

TPlotGradient* TPlotCustomShape::GetGradient() {
  if (!FGradient) FGradient = NewGradient();
  return FGradient.get();
}

void TPlotCustomShape::SetGradient(const TPlotGradient* V) {
  if (!V)
    FGradient.reset();
  else
    GetGradient()->Assign(V);
  Repaint();
}

void TPlotCustomShape::ReadShadowColor(const std::string& Text) {
  TColor Color;
  if (!PlotProcs::ColorFromText(Text, Color)) return;
  if (!FShadow) FShadow = std::make_unique<TPlotShadow>(ChangeHandler());
  FShadow->SetColor(Color);
}

void TPlotCustomShape::ReadShadowSize(int32_t Size) {
  if (!FShadow) FShadow = std::make_unique<TPlotShadow>(ChangeHandler());
  FShadow->SetSize(Size);
}

void TPlotCustomShape::DrawOutline(TCanvas3D& C, const TRect& Rect, int32_t Angle, int32_t Z) {
  if (Angle > 0) {
    const TFourPoints P = PlotProcs::RotatedCorners(Rect, Angle);
    C.Polygon(P);
  } else if (C.IsTrue3D()) {
    C.RectAtDepth(Rect, Z);
  } else if (FShapeStyle == fosRectangle) {
    C.RectangleRect(Rect);
  } else {
    C.RoundRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, 16, 16);
  }
}

void TPlotCustomShape::DrawRectRotated(const TRect& Rect, int32_t Angle, int32_t Z) {
  if (FTransparent || !Parent()) return;
  TCanvas3D& C = *Parent()->Canvas();
  TPlotBlend* Blend = nullptr;
  if (FTransparency > 0) {
    TRect Area = Rect;
    if (Angle != 0) {
      const TFourPoints P = PlotProcs::RotatedCorners(Rect, Angle);
      Area = PolygonRect(P, 4);
    }
    Blend = C.BeginBlend(Area, FTransparency);
  }
  if (FShadow && FShadow->GetSize() != 0 && Brush()->GetStyle() != TBrushStyle::bsClear) {
    if (Angle == 0 && FShapeStyle == fosRectangle) {
      const bool Flat = !C.IsTrue3D();
      if (Flat) C.DisableRotation();
      FShadow->DrawRectAtDepth(C, Rect, Z);
      if (Flat) C.EnableRotation();
    }
    if (FTransparency > 0) {
      int32_t H = FShadow->GetHorizSize(), V = FShadow->GetVertSize();
      if (FShadow->GetSize() > 0 && Pen()->GetVisible()) {
        H += Pen()->GetWidth();
        V += Pen()->GetWidth();
      }
      const TRect Moved(Rect.Left + H, Rect.Top + V, Rect.Right + H, Rect.Bottom + V);
      TPlotBlend* ShadowBlend =
          FShadow->GetTransparency() > 0 ? C.BeginBlend(Moved, FShadow->GetTransparency()) : nullptr;
      C.Pen->SetStyle(psClear);
      C.Brush->SetStyle(TBrushStyle::bsSolid);
      C.Brush->SetColor(FShadow->GetColor());
      DrawOutline(C, Moved, Angle, Z);
      if (ShadowBlend) C.EndBlend(ShadowBlend);
    }
  }
  if (FGradient && FGradient->GetVisible()) {
    if (Angle <= 0) {
      FGradient->FillRect(C, Rect, C.IsTrue3D() || FShapeStyle != fosRoundRectangle ? 0 : 16);
    } else {
      const TFourPoints P = PlotProcs::RotatedCorners(Rect, Angle);
      if (C.IsTrue3D())
        FGradient->FillQuad3D(C, P, Z);
      else
        FGradient->FillQuad(C, P);
    }
    C.Brush->SetStyle(TBrushStyle::bsClear);
  } else {
    C.UseBrushColor(*Brush(), FColor, Brush()->GetColor());
  }
  C.UsePen(*Pen());
  DrawOutline(C, Rect, Angle, Z);
  if (Angle == 0) {
    TRect Inner = Rect;
    PlotProcs::DrawBevel(C, FBevel, Inner, FBevelWidth, 0);
  }
  if (Blend) C.EndBlend(Blend);
}
