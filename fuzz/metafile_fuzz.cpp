// Loads the input as an EMF and as a WMF file and plays it onto a bitmap; an
// EMF is also converted to the old format and played again.
#include "fuzz/FuzzSupport.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  for (const char* Extension : {".emf", ".wmf"}) {
    TMetafile Picture;
    try {
      Picture.LoadFromFile(FuzzSupport::InputFile(Data, Size, Extension));
      TBitmap Target(96, 96);
      Picture.Draw(*Target.GetCanvas(), TRect(0, 0, 96, 96));
      if (Picture.GetEnhanced()) {
        TMetafile Old;
        Old.LoadFromBytes(Emf::ToOldMetafile(Picture.SaveToBytes()));
        Old.Draw(*Target.GetCanvas(), TRect(0, 0, 96, 96));
      }
    } catch (const Exception&) {
    }
  }
  return 0;
}
