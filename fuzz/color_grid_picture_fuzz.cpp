// Loads the input as a BMP, PNG and JPEG picture into a colour grid series,
// as the colour grid page's "Load..." does, and reads the grid back.
#include "chart/editors/PlotColorGridEdit.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "fuzz/FuzzSupport.h"

namespace ColorGridPictureFuzz {

inline int Run(const uint8_t* Data, size_t Size) {
  for (const char* Extension : {".bmp", ".png", ".jpg"}) {
    TColorGridSeries* Series = Create<TColorGridSeries>(nullptr);
    try {
      PlotColorGridEdit::LoadGridPicture(*Series, FuzzSupport::InputFile(Data, Size, Extension));
      for (int32_t X = 1; X <= Series->GetNumXValues(); ++X)
        for (int32_t Z = 1; Z <= Series->GetNumZValues(); ++Z) (void)Series->GridPoint(X, Z);
    } catch (const Exception&) {
    }
    Series->Free();
  }
  return 0;
}

}  // namespace ColorGridPictureFuzz

// A test program that holds another target's entry point includes this file
// with KV_FUZZ_ENTRY_ELSEWHERE defined and calls ColorGridPictureFuzz::Run.
#ifndef KV_FUZZ_ENTRY_ELSEWHERE
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  return ColorGridPictureFuzz::Run(Data, Size);
}
#endif
