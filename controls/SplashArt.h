#pragma once
// The program's splash picture, drawn by code: a 340 by 283 card on a pure
// green surround, so that a splash shaped with ShapeTolerance shows the card
// alone. Delivered as a JPEG picture as the splash expects.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

class TBitmap;
class TPicture;

namespace SplashArt {
constexpr int Width = 340;
constexpr int Height = 283;
// Cuts the surround with the tinted pixels that JPEG compression leaves along
// the card's edge, and nothing of the card: every colour of the card has red or
// blue above 192 or green below 175.
constexpr TColor ShapeTolerance = RGB(0x60, 0x50, 0x60);
// Draws the picture into Bitmap (resized to Width x Height); a non-empty Note
// (the program's version) is written under the subtitle.
void Draw(TBitmap& Bitmap, const std::string& Note = {});
// The picture as JPEG file bytes.
std::vector<uint8_t> Jpeg(const std::string& Note = {});
// Loads the JPEG picture into Picture.
void LoadInto(TPicture& Picture, const std::string& Note = {});
}  // namespace SplashArt
