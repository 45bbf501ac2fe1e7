#pragma once
// Chart tools of the series layer: the image tool, which stretches a picture
// over a series' extent (or the axes' range), and the registration of the
// tool classes in the chart's tool types.
#include <cstdint>
#include <memory>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Series.h"

class TPicture;
class TBitmap;

using TImageMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;

class TChartImageTool : public TPlotCustomToolSeries {
  KV_CLASS(TChartImageTool, TPlotCustomToolSeries)
public:
  explicit TChartImageTool(TComponent* Owner);
  ~TChartImageTool() override;
  std::string EditorFormName() const override { return "TChartImageToolEditor"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetSeries(TChartSeries* Value) override;
  void Description(std::string& Text) const override { Text = "Image"; }

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value);
  // The value at a pixel on the series' horizontal / vertical axis; 0
  // without a series.
  double HorizValueAt(double X) const;
  double VertValueAt(double Y) const;
  // The rectangle a drawing would use now (also updates nothing).
  TRect CalcImageRect() const;

  bool SwapVertical = false;
  bool SwapHorizontal = false;
  bool CacheMetafile = false;
  TRect ImageRect{0, 0, 0, 0};
  bool FixedVertical = false;
  bool FixedHorizontal = false;
  double Angle = 0;
  int32_t FixedTop = 0, FixedBottom = 0, FixedLeft = 0, FixedRight = 0;
  int32_t Transparency = 0;
  TNotifyEvent OnImageClick, OnImageResize, OnImageResizeAfterDraw, OnImageResizeBeforeDraw, OnImageBeforeDraw,
      OnImageAfterDraw;
  TImageMouseEvent OnImageMouseDown, OnImageMouseMove;

private:
  // The picture's placement under a rotation: pixel angle and vertical scale;
  // false when the rotation cannot be computed.
  bool CalcRotation(double& Radians, double& Scale) const;
  void DrawRotated(TCanvas3D& Canvas, const TRect& Bounds, double Radians, double Scale);
  void RefreshCache(bool SizeChanged);
  void Draw(TCustomAxisPanel& Chart);

  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TBitmap> FWorkBitmap;
  bool FPictureChanged = true;  // the cached rendering is stale
};

namespace PlotTools {

// Adds the tool classes of this unit to the chart's tool types (once) and
// removes them again.
void RegisterTools();
void UnregisterTools();

}  // namespace PlotTools
