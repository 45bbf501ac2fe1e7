#pragma once
// Icon: ICO files. An icon keeps one picture of the file (the largest, then
// the deepest) as colours with an alpha channel: the file's AND mask (or its
// own alpha for 32-bit and PNG images) makes pixels transparent, and drawing
// leaves those pixels of the canvas untouched.

#include "platform/gdi/Graphics.h"

#include <cstdint>
#include <string>
#include <vector>

class TIcon : public TGraphic {
 public:
  TIcon() = default;
  int32_t GetWidth() const override { return FWidth; }
  int32_t GetHeight() const override { return FHeight; }
  bool GetEmpty() const override { return FWidth == 0 || FHeight == 0; }
  // Draws the icon into R (scaled to it), blending by the alpha channel.
  void Draw(TCanvas& Canvas, const TRect& R) const override;
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  // EInvalidGraphic "Invalid icon: <reason>" for bytes that are no icon.
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  // A one-image ICO file with a 32-bit picture and its AND mask.
  std::vector<uint8_t> SaveToBytes() const override;
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TIcon"; }

  // Pixels as $AARRGGBB, row by row from the top.
  const std::vector<uint32_t>& Pixels() const { return FPixels; }
  // Colours and transparency: Mask true makes the pixel transparent.
  void SetPixels(int32_t Width, int32_t Height, const std::vector<uint32_t>& Colors, const std::vector<bool>& Mask);
  bool IsTransparentAt(int32_t X, int32_t Y) const;

 private:
  int32_t FWidth = 0, FHeight = 0;
  std::vector<uint32_t> FPixels;
};
