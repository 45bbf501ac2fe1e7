// Reads the input as a picture overlay (sec) file: a read overlay names an
// existing picture and finite corners that span an area.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "survey/Overlays.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Overlays::TPictureOverlay overlay;
  std::string problem;
  if (!Overlays::ReadPictureOverlay(FuzzSupport::InputFile(Data, Size, ".sec"), overlay, problem)) return 0;
  if (overlay.PictureFile.empty() || !std::isfinite(overlay.X1) || !std::isfinite(overlay.Y1) ||
      !std::isfinite(overlay.X2) || !std::isfinite(overlay.Y2) || overlay.X1 == overlay.X2 ||
      overlay.Y1 == overlay.Y2)
    std::abort();
  return 0;
}
