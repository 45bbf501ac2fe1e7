#pragma once
// The lighting tool: darkens a chart's finished picture with the distance
// from a light point, optionally following the mouse.
#include <cstdint>
#include <memory>

#include "chart/engine/PlotEngine_Series.h"

class TBitmap;

enum class TLightStyle : uint8_t { lsLinear, lsSpotLight };
using enum TLightStyle;

class TLightTool : public TPlotCustomTool {
  KV_CLASS(TLightTool, TPlotCustomTool)
public:
  explicit TLightTool(TComponent* Owner);
  ~TLightTool() override;
  std::string EditorFormName() const override { return "TLightToolEditor"; }
  void Description(std::string& Text) const override { Text = "2D Lighting"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetParentChart(TSeriesChart* Value) override;

  int32_t GetFactor() const { return FFactor; }
  void SetFactor(int32_t Value) { SetIntegerProperty(FFactor, Value); }
  int32_t GetLeft() const { return FLeft; }
  void SetLeft(int32_t Value) { SetIntegerProperty(FLeft, Value); }
  int32_t GetTop() const { return FTop; }
  void SetTop(int32_t Value) { SetIntegerProperty(FTop, Value); }
  TLightStyle GetStyle() const { return FStyle; }
  void SetStyle(TLightStyle Value);
  bool FollowMouse = false;

  // The light point in chart pixels: Left and Top, or the chart's centre for -1.
  TPoint LightPoint() const;
  // Darkens Source into Result (made the same size, 24 bits) for a light at
  // Light; the tool's settings give factor and style.
  static void Apply(const TBitmap& Source, TBitmap& Result, TPoint Light, int32_t Factor, TLightStyle Style);
  // The darkening at distance D of a picture with diagonal Diagonal.
  static int32_t Darkening(double D, double Diagonal, int32_t Factor, TLightStyle Style);

private:
  void Light();
  int32_t FFactor = 10;
  int32_t FLeft = -1, FTop = -1;
  TLightStyle FStyle = lsLinear;
  std::unique_ptr<TBitmap> FCopy;  // the chart's picture before lighting
  bool FApplying = false;
};

namespace PlotLighting {
// The result bitmap every lighting tool shares (none before the first light).
TBitmap* ResultBitmap();
void Initialization();
void Finalization();
}  // namespace PlotLighting
