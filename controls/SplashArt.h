#pragma once
// The program's splash picture, drawn by code: a 340 by 283 card on a pure
// green surround, so that a splash shaped with the tolerance clGreen shows the
// card alone. Delivered as a JPEG picture as the splash expects.

#include <cstdint>
#include <vector>

class TBitmap;
class TPicture;

namespace SplashArt {
constexpr int Width = 340;
constexpr int Height = 283;
// Draws the picture into Bitmap (resized to Width x Height).
void Draw(TBitmap& Bitmap);
// The picture as JPEG file bytes.
std::vector<uint8_t> Jpeg();
// Loads the JPEG picture into Picture.
void LoadInto(TPicture& Picture);
}  // namespace SplashArt
