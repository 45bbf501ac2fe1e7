// The image tool: a picture stretched over the extent of a series' points or
// of the axes, redrawn at every chart drawing so that it follows zoom and
// scroll; the visible range shared by the tools, and the registration of this
// unit's tool classes.
#include "chart/series/PlotTools.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"

KV_CLASS_IMPL(TChartImageTool, TPlotCustomToolSeries) {
  c.Property("Picture", &TChartImageTool::Picture);
}

TChartImageTool::TChartImageTool(TComponent* Owner)
    : TPlotCustomToolSeries(Owner), FPicture(std::make_unique<TPicture>()), FWorkBitmap(std::make_unique<TBitmap>()) {
  FPicture->OnChange = [this](TPicture*) {
    FPictureChanged = true;
    RepaintOnChange(this);
  };
  FWorkBitmap->SetPixelFormat(pf24bit);
}

TChartImageTool::~TChartImageTool() = default;

void TChartImageTool::SetPicture(const TPicture* Value) { FPicture->Assign(Value); }

void TChartImageTool::SetSeries(TChartSeries* Value) {
  TPlotCustomToolSeries::SetSeries(Value);
  Repaint();
}

double TChartImageTool::HorizValueAt(double X) const {
  TChartSeries* s = GetSeries();
  return s && s->GetHorizAxisRef() ? s->GetHorizAxisRef()->CalcPosPointDouble(X) : 0;
}

double TChartImageTool::VertValueAt(double Y) const {
  TChartSeries* s = GetSeries();
  return s && s->GetVertAxisRef() ? s->GetVertAxisRef()->CalcPosPointDouble(Y) : 0;
}

TRect TChartImageTool::CalcImageRect() const {
  TRect r(0, 0, 0, 0);
  if (TChartSeries* s = GetSeries(); s && s->GetHorizAxisRef() && s->GetVertAxisRef()) {
    r.Left = s->XValueToPixel(s->SmallestX());
    r.Right = s->XValueToPixel(s->LargestX());
    if (SwapHorizontal) std::swap(r.Left, r.Right);
    r.Top = s->YValueToPixel(s->LargestY());
    r.Bottom = s->YValueToPixel(s->SmallestY());
    if (SwapVertical) std::swap(r.Top, r.Bottom);
  } else {
    TChartAxis* h = GetHorizAxis();
    TChartAxis* v = GetVertAxis();
    if (h) r.Left = h->ValueToPixel(h->GetMinimum()), r.Right = h->ValueToPixel(h->GetMaximum());
    if (v) r.Top = v->ValueToPixel(v->GetMaximum()), r.Bottom = v->ValueToPixel(v->GetMinimum());
  }
  if (FixedVertical) r.Top = FixedTop, r.Bottom = FixedBottom;
  if (FixedHorizontal) r.Left = FixedLeft, r.Right = FixedRight;
  return r;
}

bool TChartImageTool::CalcRotation(double& Radians, double& Scale) const {
  TChartSeries* s = GetSeries();
  // The rotation is defined by the series' first two points.
  if (!s || s->Count() < 2 || !s->GetHorizAxisRef() || !s->GetVertAxisRef()) return false;
  const double x0 = s->GetXValue(0), y0 = s->GetYValue(0), x1 = s->GetXValue(1), y1 = s->GetYValue(1);
  const double a = Angle * std::numbers::pi / 180, h = std::abs(y1 - y0);
  const double xm = (x0 + x1) / 2;
  const auto pixel = [&](double x, double y) {
    return std::pair<double, double>(s->XValueToPixel(x), s->YValueToPixel(y));
  };
  const auto p0 = pixel(xm, y0), p1 = pixel(xm, y0 + h), p2 = pixel(xm + std::abs(std::sin(a)) * h, y0 + std::cos(a) * h);
  const double d02 = std::hypot(p2.first - p0.first, p2.second - p0.second);
  const double d01 = std::hypot(p1.first - p0.first, p1.second - p0.second);
  if (!(d02 > 0) || !(d01 > 0)) return false;
  const double sign = Angle > 0 ? 1 : Angle < 0 ? -1 : 0;
  Radians = sign * std::abs(std::acos(std::clamp((p2.second - p0.second) / d02, -1.0, 1.0)));
  Scale = d02 / d01;
  const int32_t ph = FPicture->GetHeight();
  if (ph != 0) Scale = std::abs(ImageRect.Top - ImageRect.Bottom) * Scale / std::abs(ph);
  return std::isfinite(Radians) && std::isfinite(Scale);
}

void TChartImageTool::DrawRotated(TCanvas3D& Canvas, const TRect& Bounds, double Radians, double Scale) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  const int32_t w = FPicture->GetWidth(), h = FPicture->GetHeight();
  if (w <= 0 || h <= 0 || !(Scale > 0)) return;
  source.SetSize(w, h);
  FPicture->GetGraphic()->Draw(*source.GetCanvas(), TRect(0, 0, w, h));
  // Picture point (u, v) lands on: x = u - W/2, y = s v, rotated by r, moved
  // to the middle of the rectangle's top edge.
  const double halfW = std::abs(ImageRect.Left - ImageRect.Right) / 2.0;
  const double cx = ImageRect.Left + halfW, cy = ImageRect.Top;
  const double c = std::cos(Radians), sn = std::sin(Radians);
  const auto forward = [&](double u, double v) {
    const double x = u - halfW, y = Scale * v;
    return std::pair<double, double>(x * c - y * sn + cx, x * sn + y * c + cy);
  };
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (auto [u, v] : {std::pair<double, double>(0, 0), {double(w), 0}, {0, double(h)}, {double(w), double(h)}}) {
    const auto [x, y] = forward(u, v);
    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  const TRect& clip = Bounds;
  const int32_t x0 = static_cast<int32_t>(std::floor(std::max(minX, double(clip.Left))));
  const int32_t x1 = static_cast<int32_t>(std::ceil(std::min(maxX, double(clip.Right))));
  const int32_t y0 = static_cast<int32_t>(std::floor(std::max(minY, double(clip.Top))));
  const int32_t y1 = static_cast<int32_t>(std::ceil(std::min(maxY, double(clip.Bottom))));
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double u = dx * c + dy * sn + halfW, v = (-dx * sn + dy * c) / Scale;
      if (u < 0 || v < 0 || u >= w || v >= h) continue;
      Canvas.SetPixel(x, y, source.GetPixelColor(static_cast<int32_t>(u), static_cast<int32_t>(v)));
    }
}

void TChartImageTool::RefreshCache(bool SizeChanged) {
  if (!CacheMetafile || !dynamic_cast<const TMetafile*>(FPicture->GetGraphic())) return;
  if (!FPictureChanged && !SizeChanged) return;
  const int32_t w = std::abs(ImageRect.Right - ImageRect.Left), h = std::abs(ImageRect.Top - ImageRect.Bottom);
  FWorkBitmap->SetSize(std::max(1, w), std::max(1, h));
  TCanvas& c = *FWorkBitmap->GetCanvas();
  c.Brush->SetColor(clWhite);
  c.Brush->SetStyle(bsSolid);
  c.FillRect(TRect(0, 0, FWorkBitmap->GetWidth(), FWorkBitmap->GetHeight()));
  FPicture->GetGraphic()->Draw(c, TRect(0, 0, w, h));
  FPictureChanged = false;
}

void TChartImageTool::Draw(TCustomAxisPanel& Chart) {
  TCanvas3D& canvas = *Chart.Canvas();
  const TRect old = ImageRect;
  ImageRect = CalcImageRect();
  const bool sizeChanged = (ImageRect.Left - ImageRect.Right) != (old.Left - old.Right) ||
                           (ImageRect.Top - ImageRect.Bottom) != (old.Top - old.Bottom);
  double radians = 0, scale = 1;
  const bool rotate = Angle != 0 && CalcRotation(radians, scale);
  RefreshCache(sizeChanged);
  if (sizeChanged && OnImageResize) OnImageResize(this);
  if (sizeChanged && OnImageResizeBeforeDraw) OnImageResizeBeforeDraw(this);
  if (OnImageBeforeDraw) OnImageBeforeDraw(this);
  const int32_t depth = Chart.GetChartDepth();
  {
    TPlotBlend* blend = Transparency > 0 ? canvas.BeginBlend(ImageRect, Transparency) : nullptr;
    const bool clipped = Angle == 0 && Chart.ClippingAllowed();
    if (clipped) canvas.ClipBox3D(Chart.ChartRect, 0, depth);
    // The clip and the blend end on every exit.
    struct Restore {
      TCanvas3D& C;
      TPlotBlend* B;
      bool Clipped;
      ~Restore() {
        if (B) C.EndBlend(B);
        if (Clipped) C.Unclip();
      }
    } restore{canvas, blend, clipped};
    const TGraphic* graphic = FPicture->GetGraphic();
    const bool empty = FPicture->Empty();
    if (!empty) {
      if (Chart.GetView3D() && !Chart.View3DOptions()->GetOrthogonal())
        canvas.DrawGraphic3D(ImageRect, graphic, depth);
      else if (CacheMetafile && dynamic_cast<const TMetafile*>(graphic))
        canvas.StretchGraphic(canvas.RectTo2D(ImageRect, 0), FWorkBitmap.get());
      else if (rotate)
        DrawRotated(canvas, TRect(0, 0, Chart.GetWidth(), Chart.GetHeight()), radians, scale);
      else if (Angle == 0)
        canvas.StretchGraphic(canvas.RectTo2D(ImageRect, 0), graphic);
    }
  }
  if (sizeChanged && OnImageResizeAfterDraw) OnImageResizeAfterDraw(this);
  if (OnImageAfterDraw) OnImageAfterDraw(this);
}

void TChartImageTool::HandleChartEvent(int32_t Code) {
  TPlotCustomToolSeries::HandleChartEvent(Code);
  if (Code != (DrawAfterSeries ? 4 : 1)) return;
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (chart && chart->Canvas()) Draw(*chart);
}

void TChartImageTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  const TRect r = ImageRect;
  const bool inside = std::min(r.Left, r.Right) < X && X < std::max(r.Left, r.Right) &&
                      std::min(r.Top, r.Bottom) < Y && Y < std::max(r.Top, r.Bottom);
  if (!inside) return;
  if (Kind == 0) {
    if (OnImageMouseDown) OnImageMouseDown(this, Button, Shift, X, Y);
  } else if (Kind == 2) {
    if (OnImageClick) OnImageClick(this);
  } else if (Kind == 1) {
    if (OnImageMouseMove) OnImageMouseMove(this, Button, Shift, X, Y);
  }
}

namespace PlotTools {

bool SeriesVisibleRange(TChartSeries* Series, int32_t& First, int32_t& Last) {
  if (!Series) return false;
  const int32_t count = Series->Count();
  First = std::max(Series->FirstValueIndex, 0);
  Last = Series->LastValueIndex;
  if (Last < 0 || Last >= count) Last = count - 1;
  if (count <= 0) return false;
  return First <= count && Last <= count;
}

namespace {
// The tool types in the order the tool gallery lists them.
std::vector<TClass> ToolClasses() {
  return {TCursorTool::StaticClass(),          TDragMarksTool::StaticClass(),   TAxisArrowTool::StaticClass(),
          TDrawLineTool::StaticClass(),        TNearestTool::StaticClass(),     TColorBandTool::StaticClass(),
          TColorLineTool::StaticClass(),       TRotateTool::StaticClass(),      TChartImageTool::StaticClass(),
          TMarksTipTool::StaticClass(),        TAnnotationTool::StaticClass(),  TSeriesAnimationTool::StaticClass(),
          TGridBandTool::StaticClass(),        TAxisScrollTool::StaticClass(),  TRectangleTool::StaticClass(),
          TClipSeriesTool::StaticClass()};
}
}  // namespace

void RegisterTools() { Chart::AddToolClasses(ToolClasses()); }

void UnregisterTools() { Chart::RemoveToolClasses(ToolClasses()); }

}  // namespace PlotTools
