// Reads the input as a gravity and magnetic data file (pgm) over a survey with a
// ground line, sorts the stations and computes them over a small model.
#include "fuzz/FuzzSupport.h"
#include "numerics/Polygons.h"
#include "survey/GravMag.h"
#include "survey/Survey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TSurvey Survey;
  Survey.Topography = {{0.0, 100.0}, {100.0, 90.0}};
  TGravMag GravMag(Survey);
  GravMag.OnMessage = [](const std::string&) {};
  if (GravMag.ReadGravMagLines(Supermath2d::SplitLines(FuzzSupport::Text(Data, Size)))) {
    GravMag.SortGravMagData();
    GravMag.ComputeGravMag();
  }
  return 0;
}
