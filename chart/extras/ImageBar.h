#pragma once
// The image bar series: every bar filled with a picture, stretched or tiled
// from the bar's base.
#include <cstdint>
#include <memory>
#include <string>

#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

class TImageBarSeries : public TBarSeries {
  KV_CLASS(TImageBarSeries, TBarSeries)
public:
  explicit TImageBarSeries(TComponent* Owner);
  ~TImageBarSeries() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TImageBarSeriesEditor"; }
  void PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) override;
  void PrepareForGallery(bool Enabled) override;

  TPicture* Image() const { return FImage.get(); }
  void SetImage(const TPicture* Value) { FImage->Assign(Value); }
  bool GetImageTiled() const { return FImageTiled; }
  void SetImageTiled(bool Value) { SetBooleanField(FImageTiled, Value); }

  // The rectangle the picture of the bar in BarBounds fills (flat chart or
  // orthogonal view); the bar pen's outline is left out.
  TRect PictureRect() const;

private:
  void TileImage(TCanvas3D& Canvas, const TRect& R, bool Upwards);
  std::unique_ptr<TPicture> FImage;
  bool FImageTiled = false;
};

namespace ImageBar {

// The default bar picture, drawn in code: "PlotMoney", 100 x 88 pixels.
bool LoadResource(const std::string& Name, TBitmap& Bitmap);
// Makes the picture findable through the chart library's resource modules
// and registers "ImageBar" on the gallery page "Other" with 1 sample series
// (each once); Finalization removes both again.
void Initialization();
void Finalization();

}  // namespace ImageBar
