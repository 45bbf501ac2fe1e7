// Lays the input out as cell markup: measured, drawn and hit-tested on a
// bitmap, stripped to plain text and searched for a control to rewrite.
#include "grid/GvHTMLE.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  TBitmap target(120, 60);
  TCanvas& canvas = *target.GetCanvas();
  const TRect bounds(0, 0, 120, 60);
  GvHTMLE::THtmlRenderOptions options;
  options.MouseX = 20;
  options.MouseY = 10;
  GvHTMLE::THtmlRenderResult result;
  options.MeasureOnly = true;
  GvHTMLE::RenderHtml(canvas, text, bounds, options, result);
  options.MeasureOnly = false;
  options.WordWrap = false;
  GvHTMLE::RenderHtml(canvas, text, bounds, options, result);
  options.HitTestOnly = true;
  options.WordWrap = true;
  GvHTMLE::RenderHtml(canvas, text, bounds, options, result);
  GvHTMLE::StripHtml(text);
  std::string copy = text;
  GvHTMLE::SetHtmlControlValue(copy, "a", "<v>");
  return 0;
}
