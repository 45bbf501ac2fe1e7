// The polygon model chart: the model of the ground drawn as one shape per polygon
// (a map series), the relief as a white area over the sky, the electrodes and the
// computation-mesh nodes as point series and the model's nodes as 3 x 3 pixel blocks,
// edited with the mouse in the thirteen modes of TPolygonModelEditor.
#pragma once

#include <memory>
#include <string>

#include "chart/engine/Chart.h"
#include "chart/series/PlotMapSeries.h"
#include "chart/series/Series.h"
#include "views/PolygonChartEditor.h"

class TPolygonChart : public TChart, public TPolygonModelEditor {
  KV_CLASS(TPolygonChart, TChart)
 public:
  explicit TPolygonChart(TComponent* Owner = nullptr);
  void Init() override;

  TLineSeries* OutlineSeries = nullptr;
  TLineSeries* RubberSeries = nullptr;
  TAreaSeries* ReliefSeries = nullptr;
  TMapSeries* BodySeries = nullptr;
  TPointSeries* MeshSeries = nullptr;
  TPointSeries* ElectrodeSeries = nullptr;
  std::string DefaultSettingsText;

  // ---- handlers the chart installs on itself ----
  void ChartMouseMove(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void ChartMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void ChartMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  // Esc cancels the edit in progress.
  void ChartKeyDown(uint16_t& Key);
  void PaintNodes(TObject* Sender);
  void AxisPopupRescale(TObject* Sender);
  // The double click: the body dialog for the polygon under the cursor; when there is
  // one, no other listener handles the click.
  void EditBodyAtCursor(TObject* Sender);
  // A new size: laid out at once, then the scales.
  void Resize(int32_t Width, int32_t Height);

  // ---- settings ----
  std::string SettingsToStr() const;
  // A text with too few or bad fields is ignored as a whole (false).
  bool SettingsFromStr(const std::string& Text);
  void RestoreDefaultSettings();
  // Stored per user under "\Software\" + prefix + "_" + program name + "_polychart".
  void SaveSettings(const std::string& KeyPrefix);
  void LoadSettings(const std::string& KeyPrefix);

  // ---- mesh preview ----
  void ShowMeshPreview(const Tnodes& Nodes, bool Labelled);
  void ClearMeshPreview();

  // ---- TPolygonModelEditor's view ----
  TObject* ChartSender() override { return this; }
  void ShapesClear() override;
  int32_t ShapesAdd(const arofcomplexM& Points) override;
  int32_t ShapeCount() const override;
  int32_t ShapeIdAt(int32_t Shape) const override;
  void ShapeSetPoints(int32_t Shape, const arofcomplexM& Points) override;
  void ShapeApplyStyle(int32_t Shape, const Polygon& P, const std::string* Text) override;
  void ShapeReadStyle(int32_t Shape, TColor& Color, std::string& BrushText, std::string& PenText,
                      std::string& GradientText, std::string& Text) const override;
  TColor ShapePenColor(int32_t Shape) const override;
  void ShapeSetPenColor(int32_t Shape, TColor Color) override;
  void ShapesSwap(int32_t A, int32_t B) override;
  void ShowRelief(const arofcomplexM& Points, double YOrigin) override;
  void ShowFeedback() override;
  void ApplyBoundsToAxes() override;
  void UpdateAxisScales() override;

 private:
  void CreateSeries();
  void SetupAxes();
  // Runs the draw cycle off screen so that the axes know their pixel positions.
  void LayOut();
  static void FillLine(TChartSeries* Series, const arofcomplexM& Points);

  // The one-pixel surface LayOut draws on.
  std::unique_ptr<TBitmap> FLayoutSurface;
};

namespace PolygonChart {
// The registry key of the chart's settings for a key prefix.
std::string SettingsKey(const std::string& KeyPrefix);
}  // namespace PolygonChart
