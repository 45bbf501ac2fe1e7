// How line, point and area series draw: an optional shadow and outline pass,
// then one pass over the visible points, each joined to the previous one by a
// line, a stair step, a 3-D plane or a filled area, with its pointer on top.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

// ---- colours and pens ----

TColor TCustomSeries::AreaColorOf(TColor Colour) const {
  if (GetColorEachPoint()) return Colour;
  return FAreaColor != clDefault ? FAreaColor : Colour;
}

void TCustomSeries::PrepareLinePen(TColor Colour) {
  TCanvas3D& canvas = ChartCanvas();
  if (Chart3D()) {
    canvas.Brush->SetStyle(GetLineBrush());
    canvas.UsePen(*LinePen());
    return;
  }
  canvas.Brush->SetStyle(bsClear);
  canvas.UsePenColor(*LinePen(), Colour);
}

// ---- the passes ----

void TCustomSeries::DrawPoints() {
  if (!FParentChart) return;
  TChartAxis* h = GetHorizAxisRef();
  TChartAxis* v = GetVertAxisRef();
  TPlotShadow& shadow = *FShadow;
  if (shadow.GetSize() != 0 && h && v) {
    // The whole series once more, offset and in the shadow colour, without
    // pointers; the axes and the colour come back on every exit.
    struct ShadowPass {
      TCustomSeries& S;
      TChartAxis &H, &V;
      int32_t DX, DY;
      TColor OldColor;
      ~ShadowPass() {
        H.StartPixel -= DX, H.EndPixel -= DX, V.StartPixel -= DY, V.EndPixel -= DY;
        S.FPassColor = OldColor;
        S.FPointerHidden = false;
      }
    } pass{*this, *h, *v, shadow.GetHorizSize(), shadow.GetVertSize(), FPassColor};
    h->StartPixel += pass.DX, h->EndPixel += pass.DX, v->StartPixel += pass.DY, v->EndPixel += pass.DY;
    FPassColor = shadow.GetColor();
    FPointerHidden = true;
    TCustomLineSeries::DrawPoints();
  }
  if (FOutLine->GetVisible()) {
    // A wider pen in the outline colour under the line.
    TChartPen kept;
    kept.Assign(LinePen());
    struct OutlinePass {
      TCustomSeries& S;
      TChartPen& Kept;
      TColor OldColor;
      std::function<void(TGraphicsObject*)> Change;
      ~OutlinePass() {
        S.LinePen()->Assign(&Kept);
        S.LinePen()->OnChange = Change;
        S.FPassColor = OldColor;
      }
    } pass{*this, kept, FPassColor, LinePen()->OnChange};
    LinePen()->OnChange = nullptr;
    LinePen()->Assign(FOutLine.get());
    LinePen()->SetWidth(2 * kept.GetWidth() + FOutLine->GetWidth() + 1);
    FPassColor = FOutLine->GetColor();
    TCustomLineSeries::DrawPoints();
  }
  TCustomLineSeries::DrawPoints();
}

// ---- one point ----

void TCustomSeries::DrawPoint(int32_t Index) {
  if (!FParentChart) return;
  TCanvas3D& canvas = ChartCanvas();
  TColor c = ValueColor(Index);
  if (FPassColor != clDefault && c != clNone) c = FPassColor;
  const int32_t x = PointPixelX(Index), y = PointPixelY(Index);
  canvas.Pen->SetColor(clBlack);
  canvas.Brush->SetColor(c);
  if (FPrevColor == clNone) FPrevX = x, FPrevY = y;
  FOrigin = OriginPixel(Index);
  const bool forward = DrawValuesForward();
  if (Index == FirstDisplayedIndex()) {
    if (FDark3D) {
      TCustomAxisPanel* panel = Panel();
      const int32_t dx = panel ? panel->SeriesWidth3D : 0, dy = panel ? panel->SeriesHeight3D : 0;
      FSlope = dx == 0 ? 1.0 : std::abs(double(dy) / dx);
    }
    FPrevColor = clNone;
    if (forward && Index > 0) {
      if (FDrawArea) {
        FPrevX = PointPixelX(Index - 1);
        FPrevY = PointPixelY(Index - 1);
        FPrevOrigin = OriginPixel(Index - 1);
      } else {
        const TRect r = FParentChart->GetChartRect();
        TChartAxis* h = GetHorizAxisRef();
        FPrevX = h && h->GetInverted() ? r.Right : r.Left;
        FPrevY = FStairs ? PointPixelY(Index - 1) : EdgeValue(Index, FPrevX);
        FPrevOrigin = FOrigin;
      }
      if (!IsNull(Index - 1)) {
        FPrevColor = ValueColor(Index - 1);
        DrawSegment(Index, x, y, c, false);
      }
    }
    DrawPointerAt(x, y, Index, c == clNone ? FPointer->GetColor() : c);
    if (canvas.IsTrue3D() && FDrawArea && Chart3D()) canvas.SidePlane(x, y, FOrigin, StartZ, EndZ);
  } else {
    DrawSegment(Index, x, y, c, true);
  }
  FPrevX = x;
  FPrevY = y;
  FPrevOrigin = FOrigin;
  FPrevColor = c;
}

int32_t TCustomSeries::EdgeValue(int32_t Index, int32_t EdgePixel) const {
  TChartAxis* h = GetHorizAxisRef();
  TChartAxis* v = GetVertAxisRef();
  if (!h || !v) return PointPixelY(Index - 1);
  const double xe = h->CalcPosPoint(EdgePixel);
  const double x0 = GetXValue(Index - 1), x1 = GetXValue(Index);
  const double dx = x1 - x0;
  if (dx == 0) return PointPixelY(Index - 1);
  const double y0 = GetYValue(Index - 1), y1 = GetYValue(Index);
  const double t = (xe - x0) / dx;
  double y;
  if (!v->GetLogarithmic()) {
    y = y0 + t * (y1 - y0);
  } else if (v->LinLogActive) {
    const double a = v->LinLogThreshold;
    const double l0 = PlotEngine::LinLog(a, y0), l1 = PlotEngine::LinLog(a, y1);
    y = PlotEngine::InvLinLog(a, l0 + t * (l1 - l0));
  } else {
    const double l0 = std::log(std::abs(y0)), l1 = std::log(std::abs(y1));
    y = std::exp(l0 + t * (l1 - l0));
  }
  return YValueToPixel(y);
}

void TCustomSeries::DrawPointerOf(int32_t Index, TColor Colour) {
  int32_t x = PointPixelX(Index), y = PointPixelY(Index);
  TColor c = Colour;
  if (c == clNone) {
    if (Index > 0 && !IsNull(Index - 1))
      c = ValueColor(Index - 1);
    else if (FPrevColor != clNone)
      c = FPrevColor;
    else
      c = FPointer->GetColor();
  }
  DrawPointerAt(x, y, Index, c);
}

// ---- connections ----

void TCustomSeries::DrawSegment(int32_t Index, int32_t X1, int32_t Y1, TColor Colour, bool WithPointer) {
  TCanvas3D& canvas = ChartCanvas();
  const int32_t x0 = FPrevX, y0 = FPrevY;
  const bool vertical = IsVertical();
  const bool lastPoint = Index == (DrawValuesForward() ? LastValueIndex : FirstValueIndex);
  if (X1 != x0 || Y1 != y0) {
    const bool is3D = Chart3D();
    if (is3D && (FDrawArea || FDrawLine)) {
      canvas.UsePen(*LinePen());
      TColor brush = (FColorEachLine || FDrawArea) ? AreaColorOf(Colour) : SeriesColorNow();
      if (brush == clNone) brush = SeriesColorNow();
      if (Brush()->PeekImage())
        canvas.UseBrushColor(*Brush(), brush);
      else
        canvas.Brush->SetStyle(GetLineBrush()), canvas.Brush->SetColor(brush);
      if (canvas.GetMonochrome()) canvas.Brush->SetColor(clWhite);
      const TColor base = canvas.Brush->GetColor();
      if (FStairs) {
        const auto side = [&](int32_t x, int32_t ya, int32_t yb) {
          if (FDark3D) canvas.Brush->SetColor(DarkerColor(base, PlotCanvas::DarkColorQuantity));
          if (vertical)
            canvas.SidePlane(x, ya, yb, StartZ, EndZ);
          else
            canvas.HorizPlane(ya, x, yb, StartZ, EndZ);
          canvas.Brush->SetColor(base);
        };
        const auto flat = [&](int32_t y, int32_t xa, int32_t xb) {
          if (vertical)
            canvas.HorizPlane(xa, y, xb, StartZ, EndZ);
          else
            canvas.SidePlane(y, xa, xb, StartZ, EndZ);
        };
        if (vertical) {
          if (!FInvertedStairs)
            flat(y0, x0, X1), side(X1, y0, Y1);
          else
            side(x0, y0, Y1), flat(Y1, x0, X1);
        } else {
          if (!FInvertedStairs)
            flat(x0, y0, Y1), side(Y1, x0, X1);
          else
            side(y0, x0, X1), flat(X1, y0, Y1);
        }
      } else {
        int32_t ya = y0, yb = Y1;
        if (FLineHeight > 0 && !FDrawArea) {
          canvas.QuadAtDepth(TPoint(X1, Y1), TPoint(x0, y0), TPoint(x0, y0 + FLineHeight),
                             TPoint(X1, Y1 + FLineHeight), StartZ);
          if (lastPoint) canvas.SidePlane(X1, Y1, Y1 + FLineHeight, StartZ, EndZ);
        }
        if (FDark3D && !canvas.IsTrue3D() && X1 != x0 && FSlope != 0 &&
            double(y0 - Y1) / double(X1 - x0) > FSlope) {
          canvas.Brush->SetColor(DarkerColor(base, PlotCanvas::DarkColorQuantity));
          if (FLineHeight > 0 && !FDrawArea) ya += FLineHeight, yb += FLineHeight;
        }
        canvas.VerticalQuad(TPoint(x0, ya), TPoint(X1, yb), StartZ, EndZ);
        canvas.Brush->SetColor(base);
      }
    }
    if (FDrawArea) {
      const TColor area = AreaColorOf(Colour);
      canvas.Brush->SetColor(area);
      if (FAreaLinesPen->GetColor() != clDefault && FAreaLinesPen->GetVisible())
        canvas.UsePen(*FAreaLinesPen);
      else
        canvas.UsePenColor(*FAreaLinesPen, Colour);
      DrawAreaSegment(Index, x0, y0, X1, Y1, lastPoint);
    } else if (!is3D && FDrawLine) {
      TColor line = SeriesColorNow();
      if (GetColorEachPoint() && FColorEachLine) line = Colour == clNone ? FPrevColor : Colour;
      if (FPassColor != clDefault) line = FPassColor;
      PrepareLinePen(line);
      if (FStairs) {
        if (vertical) {
          if (!FInvertedStairs)
            canvas.MoveTo(x0, y0), canvas.LineTo(X1, y0);
          else
            canvas.MoveTo(x0, y0), canvas.LineTo(x0, Y1);
        } else {
          if (!FInvertedStairs)
            canvas.MoveTo(x0, y0), canvas.LineTo(x0, Y1);
          else
            canvas.MoveTo(x0, y0), canvas.LineTo(X1, y0);
        }
        canvas.LineTo(X1, Y1);
      } else if (FPrevColor != clNone) {
        canvas.MoveTo(x0, y0);
        canvas.LineTo(X1, Y1);
      }
    }
  }
  if (WithPointer) DrawPointerOf(Index, Colour);
}

void TCustomSeries::DrawAreaSegment(int32_t /*Index*/, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1,
                                    bool LastPoint) {
  TCanvas3D& canvas = ChartCanvas();
  const TColor a = canvas.Brush->GetColor();
  TColor back = FAreaBrush->GetColor() == clDefault ? SeriesColorNow() : FAreaBrush->GetColor();
  if (FAreaBrush->PeekImage() && back == a) back = clWhite;
  canvas.UseBrushColor(*FAreaBrush, a, back);
  const bool is3D = Chart3D();
  const bool vertical = IsVertical();
  if (is3D && LastPoint) {
    if (vertical)
      canvas.SidePlane(X1, Y1, FOrigin, StartZ, EndZ);
    else
      canvas.HorizPlane(X1, Y1, FOrigin, StartZ, EndZ);
  }
  const bool gradient = FGradient->GetVisible();
  if (FStairs) {
    TRect r;
    if (vertical)
      r = FInvertedStairs ? TRect(X0, Y1, X1 + 1, FOrigin) : TRect(X0, Y0, X1 + 1, FPrevOrigin);
    else
      r = FInvertedStairs ? TRect(X1, Y0, FOrigin, Y1 + 1) : TRect(X0, Y0, FPrevOrigin, Y1 + 1);
    r = NormalizeRect(r);
    {
      TBlendScope blend(canvas, is3D ? canvas.RectBounds2D(r, StartZ) : r, FTransparency);
      if (is3D) {
        canvas.RectAtDepth(r, StartZ);
        if (canvas.IsTrue3D()) canvas.RectAtDepth(r, EndZ);
      } else if (gradient) {
        FGradient->FillRect(canvas, r);
        if (canvas.Pen->GetStyle() != psClear) {
          canvas.Brush->SetStyle(bsClear);
          canvas.RectangleRect(r);
        }
      } else {
        canvas.RectangleRect(r);
      }
    }
    if (LinePen()->GetVisible() && !FAreaLinesPen->GetVisible()) {
      canvas.UsePen(*LinePen());
      if (vertical) {
        const int32_t level = FInvertedStairs ? Y1 : Y0;
        canvas.LineAtDepth(X0, FInvertedStairs ? Y0 : level, FInvertedStairs ? X0 : X1, level, StartZ);
        canvas.LineAtDepth(FInvertedStairs ? X0 : X1, level, X1, Y1, StartZ);
      } else {
        canvas.LineAtDepth(X0, Y0, X0, Y1, StartZ);
        canvas.LineAtDepth(X0, Y1, X1, Y1, StartZ);
      }
    }
    return;
  }
  std::vector<TPoint> quad;
  if (vertical)
    quad = {TPoint(X0, FPrevOrigin), TPoint(X0, Y0), TPoint(X1, Y1), TPoint(X1, FOrigin)};
  else
    quad = {TPoint(FPrevOrigin, Y0), TPoint(X0, Y0), TPoint(X1, Y1), TPoint(FOrigin, Y1)};
  TRect bounds = PolygonRect(quad, 4);
  {
    TBlendScope blend(canvas, is3D ? canvas.RectBounds2D(bounds, StartZ) : bounds, FTransparency);
    if (is3D) {
      const TView3DOptions* o = Panel() ? Panel()->View3DOptions() : nullptr;
      const int32_t rot = o ? o->GetRotation() : 0;
      const int32_t z = rot < 91 || rot > 269 ? StartZ : EndZ;
      if (gradient)
        FGradient->FillPolygon(canvas, quad, true, z);
      else
        canvas.PolygonAtDepth(quad, z);
    } else if (gradient) {
      canvas.ClipPolygon(quad, 4);
      TChartAxis* axis = ValueAxis();
      if (axis) {
        const int32_t top = MandatoryValueToPixel(MandatoryList()->MaxValue());
        const int32_t bottom = MandatoryValueToPixel(MandatoryList()->MinValue());
        const TRect g = vertical ? NormalizeRect(TRect(X0, top, X1, bottom)) : NormalizeRect(TRect(bottom, Y0, top, Y1));
        FGradient->FillRect(canvas, g);
      }
      canvas.Unclip();
      if (canvas.Pen->GetStyle() != psClear) {
        canvas.Brush->SetStyle(bsClear);
        if (vertical)
          canvas.Line(X0, Y0, X0, FPrevOrigin);
        else
          canvas.Line(X0, Y0, FPrevOrigin, Y0);
      }
    } else {
      canvas.Polygon(quad);
    }
  }
  if (canvas.IsTrue3D()) canvas.PolygonAtDepth(quad, EndZ);
  if (LinePen()->GetVisible()) {
    canvas.UsePen(*LinePen());
    canvas.LineAtDepth(X0, Y0, X1, Y1, StartZ);
  }
}
