#pragma once
// Chart texts in a small subset of HTML: font changes, bold, italic,
// underline, strike-out, sizes, subscript and superscript, centring, line
// breaks, a horizontal rule, entities and images. Measures and draws them on a
// drawing interface.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"

class TPlotCanvas;
class TGraphic;

// Raised for malformed HTML-subset text.
class HtmlParserException : public Exception {
public:
  using Exception::Exception;
};

namespace PlotHtml {

// Measures Text as if drawn at (0, 0): X is the largest pen position reached,
// Y the largest line height met. Malformed text raises HtmlParserException.
void HtmlTextExtent(TPlotCanvas& Canvas, const std::string& Text, TPoint& Size);
// Draws Text with its first line at (X, Y). A malformed font or image
// attribute is skipped while drawing; a "<" without ">" raises
// HtmlParserException after the text before it has been drawn.
void HtmlTextOut(TPlotCanvas& Canvas, int32_t X, int32_t Y, const std::string& Text);
// Both of the above: Draw chooses drawing or measuring.
void ProcessHtml(TPlotCanvas& Canvas, int32_t X, int32_t Y, const std::string& Text, bool Draw, TPoint& Size);

// Colour of a COLOR attribute: a name, #RRGGBB, or the platform's colour text.
TColor ParseColor(const std::string& Value);

// Picture factory installed by the export unit: a new picture for a file
// extension in capitals with its dot, or nullptr when no format handles it.
extern std::function<std::unique_ptr<TGraphic>(const std::string& Extension)> PictureForExtension;
// Reads the named file into Data; answers 0 on success. Empty: images are
// drawn as placeholders.
extern std::function<int(const std::string& FileName, std::vector<uint8_t>& Data)> LoadImageFile;

}  // namespace PlotHtml
