#pragma once
// Point series drawn as pictures: one picture for every point (replaceable
// per point by an event), or one of three pictures by whether the value
// rose, fell or stayed equal against the previous point.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

class TCustomImagePointSeries;
// Called before a point is drawn with the series' picture, which it may change.
using TGetImageEvent = std::function<void(TCustomImagePointSeries* Sender, int32_t ValueIndex, TPicture* Picture)>;

class TCustomImagePointSeries : public TPointSeries {
  KV_CLASS(TCustomImagePointSeries, TPointSeries)
public:
  explicit TCustomImagePointSeries(TComponent* Owner);
  ~TCustomImagePointSeries() override;
  void Assign(const TPersistent* Source) override;
  void DrawPoint(int32_t Index) override;
  void PrepareForGallery(bool Enabled) override;

  TPicture* ImagePoint() const { return FImagePoint.get(); }
  virtual void SetImagePoint(const TPicture* Value) { FImagePoint->Assign(Value); }
  bool GetImageTransparent() const { return FImageTransparent; }
  void SetImageTransparent(bool Value) { SetBooleanField(FImageTransparent, Value); }
  TGetImageEvent OnGetImage;

  // The box a point's picture fills: centred on the point, the pointer's
  // sizes wide and high.
  TRect ImageBox(int32_t Index) const;

protected:
  // Copies a picture into ImagePoint without a repaint (during drawing).
  void PutImagePoint(const TPicture* Value);
  bool FImageTransparent = false;

private:
  std::unique_ptr<TPicture> FImagePoint;
};

class TImagePointSeries : public TCustomImagePointSeries {
  KV_CLASS(TImagePointSeries, TCustomImagePointSeries)
public:
  explicit TImagePointSeries(TComponent* Owner);
  TImagePointSeries(TComponent* Owner, const TPicture* Picture);
  // Also sizes the pointer to a picture that has a size.
  void SetImagePoint(const TPicture* Value) override;
};

enum class TDeltaImageStyle : uint8_t { disSmiles, disHands };
using enum TDeltaImageStyle;

class TDeltaPointSeries : public TCustomImagePointSeries {
  KV_CLASS(TDeltaPointSeries, TCustomImagePointSeries)
public:
  explicit TDeltaPointSeries(TComponent* Owner);
  ~TDeltaPointSeries() override;
  void Assign(const TPersistent* Source) override;
  void DrawPoint(int32_t Index) override;

  TPicture* EqualImage() const { return FEqualImage.get(); }
  void SetEqualImage(const TPicture* Value) { FEqualImage->Assign(Value); }
  TPicture* GreaterImage() const { return FGreaterImage.get(); }
  void SetGreaterImage(const TPicture* Value) { FGreaterImage->Assign(Value); }
  TPicture* LowerImage() const { return FLowerImage.get(); }
  void SetLowerImage(const TPicture* Value) { FLowerImage->Assign(Value); }
  TDeltaImageStyle GetImageStyle() const { return FImageStyle; }
  // Stores the style and loads its three pictures.
  void SetImageStyle(TDeltaImageStyle Value);
  // The picture of point Index: equal for the first point, else by the
  // change of its value against the previous point.
  TPicture* DeltaImage(int32_t Index) const;

private:
  std::unique_ptr<TPicture> FEqualImage, FGreaterImage, FLowerImage;
  TDeltaImageStyle FImageStyle = disSmiles;
};

namespace ImaPoint {

// The pictures drawn in code: "PlotDefaultImage" (8 x 8) and the 16 x 16
// "PlotEqualSmile", "PlotGreaterSmile", "PlotLowerSmile", "PlotEqualHand",
// "PlotGreaterHand", "PlotLowerHand".
bool LoadResource(const std::string& Name, TBitmap& Bitmap);
// Makes the pictures findable through the chart library's resource modules
// and registers "ImagePoint" and "DeltaPoint" on the gallery page "Other"
// with 1 sample series each (each once); Finalization removes them again.
void Initialization();
void Finalization();

}  // namespace ImaPoint
