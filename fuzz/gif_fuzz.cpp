// Reads the input as a GIF picture of cell markup: every frame it finds is
// decoded and drawn; the frame walk and the decoder take any bytes.
#include "grid/PictureContainer.h"
#include "platform/gdi/GifFiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::vector<uint8_t> bytes(Data, Data + Size);
  try {
    const GifFiles::TGifLayout layout = GifFiles::ScanGif(bytes);
    for (size_t i = 0; i < std::min<size_t>(layout.Frames.size(), 4); ++i) {
      try {
        GifFiles::ReadGifFrame(bytes, static_cast<int>(i));
      } catch (const EInvalidGraphic&) {
      }
    }
  } catch (const EInvalidGraphic&) {
  }
  THTMLPicture picture;
  try {
    picture.LoadFromBytes(bytes);
    TBitmap target(64, 64);
    picture.Draw(*target.GetCanvas(), TRect(0, 0, 64, 64));
    for (int f = 2; f <= std::min(picture.FrameCount(), 4); ++f) picture.SetFrame(f);
  } catch (const Exception&) {
  }
  return 0;
}
