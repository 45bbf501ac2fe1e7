#include "chart/extras/PlotLighting.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Restore.h"

KV_CLASS_IMPL(TLightTool, TPlotCustomTool) {
  c.Property("Factor", &TLightTool::GetFactor, &TLightTool::SetFactor).Default(10);
  c.Property("FollowMouse", &TLightTool::FollowMouse).Default(false);
  c.Property("Left", &TLightTool::GetLeft, &TLightTool::SetLeft).Default(-1);
  c.Property("Style", &TLightTool::GetStyle, &TLightTool::SetStyle).Names({"lsLinear", "lsSpotLight"}).Default(lsLinear);
  c.Property("Top", &TLightTool::GetTop, &TLightTool::SetTop).Default(-1);
}

namespace {
std::unique_ptr<TBitmap> GResult;

// Darkenings beyond a byte act alike; keeping them in range keeps any factor
// read from a file convertible.
int32_t Limited(double B) { return B <= -1 ? -1 : B >= 256 ? 256 : static_cast<int32_t>(B); }
}

TLightTool::TLightTool(TComponent* Owner) : TPlotCustomTool(Owner) {}

TLightTool::~TLightTool() = default;

void TLightTool::SetStyle(TLightStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Repaint();
}

void TLightTool::SetParentChart(TSeriesChart* Value) {
  TPlotCustomTool::SetParentChart(Value);
  Repaint();
}

TPoint TLightTool::LightPoint() const {
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  const int32_t w = chart ? chart->GetWidth() : 0, h = chart ? chart->GetHeight() : 0;
  return TPoint(FLeft == -1 ? w / 2 : FLeft, FTop == -1 ? h / 2 : FTop);
}

int32_t TLightTool::Darkening(double D, double Diagonal, int32_t Factor, TLightStyle Style) {
  const double h = 100.0 / Diagonal;
  if (Style == lsSpotLight) {
    const double c = Factor / 100.0, v = (D + 1) * h;
    return Limited(std::nearbyint(c * v * v));
  }
  const double c = Factor / 100.0 * 20;
  return Limited(std::nearbyint(c * h * D));
}

void TLightTool::Apply(const TBitmap& Source, TBitmap& Result, TPoint Light, int32_t Factor, TLightStyle Style) {
  const int32_t w = Source.GetWidth(), h = Source.GetHeight();
  if (Result.GetPixelFormat() != pf24bit) Result.SetPixelFormat(pf24bit);
  if (Result.GetWidth() != w || Result.GetHeight() != h) Result.SetSize(w, h);
  if (w <= 0 || h <= 0) return;
  const double diagonal = std::sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h);
  for (int32_t i = 0; i < h; ++i) {
    const uint8_t* in = Source.ScanLine(i);
    uint8_t* out = Result.ScanLine(i);
    const double dy = static_cast<double>(i) - Light.Y;
    for (int32_t j = 0; j < w; ++j) {
      const double dx = static_cast<double>(j) - Light.X;
      const int32_t b = Darkening(std::sqrt(dx * dx + dy * dy), diagonal, Factor, Style);
      for (int32_t k = 0; k < 3; ++k) {
        const int32_t v = in[3 * j + k];
        out[3 * j + k] = b <= 0 ? static_cast<uint8_t>(v) : b >= 255 ? 0 : static_cast<uint8_t>(v > b ? v - b : 0);
      }
    }
  }
}

void TLightTool::HandleChartEvent(int32_t Code) {
  if (Code != tceAfterDraw || !GetActive()) return;
  FCopy.reset();
  Light();
}

void TLightTool::Light() {
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  if (!chart || FApplying) return;
  TPlotCanvas3D* canvas = chart->Canvas();
  if (!canvas || !canvas->Target || canvas->Metafile) return;
  const TRestore<bool> applying(FApplying, true);
  const int32_t w = chart->GetWidth(), h = chart->GetHeight();
  if (w <= 0 || h <= 0) return;
  if (!FCopy || FCopy->GetWidth() != w || FCopy->GetHeight() != h) {
    FCopy = std::make_unique<TBitmap>();
    FCopy->SetPixelFormat(pf24bit);
    FCopy->SetSize(w, h);
    FCopy->GetCanvas()->Brush->SetColor(chart->GetColor());
    FCopy->GetCanvas()->FillRect(TRect(0, 0, w, h));
    // The picture as drawn so far: the back buffer, or the target itself
    // when the chart draws without one.
    const TRect all(0, 0, w, h);
    if (TBitmap* back = canvas->GetOffscreenBitmap(); back && canvas->BufferedDisplay)
      FCopy->GetCanvas()->CopyRect(all, *back->GetCanvas(), all);
    else
      FCopy->GetCanvas()->CopyRect(all, *canvas->Target, all);
  }
  if (!GResult) GResult = std::make_unique<TBitmap>();
  Apply(*FCopy, *GResult, LightPoint(), FFactor, FStyle);
  canvas->StretchGraphic(TRect(0, 0, w, h), GResult.get());
}

void TLightTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                  int32_t Y) {
  if (Kind != tmeMove || !GetActive() || !FollowMouse) return;
  FLeft = X;
  FTop = Y;
  Repaint();
}

namespace PlotLighting {
TBitmap* ResultBitmap() { return GResult.get(); }
void Initialization() { Chart::AddToolClasses({TLightTool::StaticClass()}); }
void Finalization() {
  Chart::RemoveToolClasses({TLightTool::StaticClass()});
  GResult.reset();
}
}  // namespace PlotLighting
