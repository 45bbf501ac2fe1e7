#pragma once
// Speed buttons: flat picture buttons that can stay down, alone or in a group.

#include "platform/ui/Controls.h"

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
  KV_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  // The picture; its bottom-left pixel's colour is transparent. With NumGlyphs
  // above 1 it holds the up, disabled, down (and stay-down) pictures side by side.
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  int NumGlyphs = 1;
  // Buttons of one parent with the same GroupIndex above 0 stay down one at a time.
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool Flat = false;
  TButtonLayout Layout = TButtonLayout::blGlyphLeft;
  int Spacing = 4;
  int Margin = -1;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  std::unique_ptr<TBitmap> FGlyph;
  bool FDown = false;
  bool FPressed = false;
  bool FHot = false;
};
