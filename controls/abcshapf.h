#pragma once
// TabcShapeForm: a control that cuts its form's window to the outline of a
// picture (every pixel near the picture's bottom-left colour is cut away) and
// optionally lets the user drag the window by any point or by one control.

#include "platform/gdi/Region.h"
#include "platform/ui/Controls.h"

#include <memory>
#include <optional>

class QObject;
class TForm;

namespace abcshapf {
// The region of Bitmap's pixels that are not transparent, moved by Offset.
// Transparent: each of red, green and blue lies within [low, high] with
// low = clamp(t - d, 0, 255), high = clamp(low + 2d, 0, 255), t the channel of
// the bitmap's transparent colour (its bottom-left pixel) and d that of
// Tolerance. No bitmap gives no region.
std::optional<TRegion> BitmapToRegion(const TBitmap* Bitmap, TColor Tolerance, TPoint Offset = {});
// The rows of non-transparent runs, one rectangle a run, top row first.
std::vector<TRect> OpaqueRuns(const TBitmap& Bitmap, TColor Tolerance, TPoint Offset = {});
}  // namespace abcshapf

class TabcShapeForm : public TGraphicControl {
 public:
  // Raises EComponentError "This component must be owned by a TForm" for any other owner.
  explicit TabcShapeForm(TComponent* AOwner);
  ~TabcShapeForm() override;
  void BeforeDestruction() override;
  void Loaded() override;

  bool GetDragAnywhere() const { return FDragAnywhere; }
  void SetDragAnywhere(bool Value) { FDragAnywhere = Value; }
  TControl* GetDragControl() const { return FDragControl.Get(); }
  // Clears DragAnywhere.
  void SetDragControl(TControl* Value);
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value);
  TColor GetTolerance() const { return FTolerance; }
  void SetTolerance(TColor Value);
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;

  // The window region now applied to the owner (none: the whole window).
  const std::optional<TRegion>& AppliedRegion() const { return FRegion; }
  // The internal bitmap holding the picture.
  const TBitmap* Bitmap() const { return FBitmap.get(); }

  // The owner's hit test: true (caption) where the window may be dragged.
  virtual bool HandleOwnerMessage(TPoint ClientPoint) const;
  // Cuts the owner's window to the picture's outline (On) or gives it the whole window.
  virtual void ApplyRegion(bool On);
  void Paint() override;

 private:
  void PictureChanged();
  void HookOwner();
  void UnhookOwner();
  TForm* FOwnerForm;
  bool FDragAnywhere = false;
  WeakRef<TControl> FDragControl;
  std::unique_ptr<TPicture> FPicture;
  TColor FTolerance = 0x101010;
  std::unique_ptr<TBitmap> FBitmap;
  std::optional<TRegion> FRegion;
  std::unique_ptr<QObject> FHook;  // the owner window's message filter
};
