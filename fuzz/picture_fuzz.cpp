// Loads the input as a BMP, PNG and JPEG picture and draws what loaded.
#include "fuzz/FuzzSupport.h"
#include "platform/gdi/Graphics.h"

namespace {

template <class TImage>
void Load(const uint8_t* Data, size_t Size, const char* Extension) {
  TImage Image;
  try {
    Image.LoadFromFile(FuzzSupport::InputFile(Data, Size, Extension));
    TBitmap Target(64, 64);
    Target.GetCanvas()->StretchDraw(TRect(0, 0, 64, 64), &Image);
  } catch (const Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Load<TBitmap>(Data, Size, ".bmp");
  Load<TPngImage>(Data, Size, ".png");
  Load<TJPEGImage>(Data, Size, ".jpg");
  return 0;
}
