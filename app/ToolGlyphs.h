#pragma once
// The pictures of the main window's tool buttons and edit modes, drawn by code
// on a 16-unit grid scaled to the size asked for, so that each stays legible at
// 16 and 24 pixels. The background is clFuchsia down to the bottom-left pixel,
// which a speed button takes as its transparent colour.

#include <memory>
#include <string>
#include <vector>

class TBitmap;

namespace ToolGlyphs {
// The names of every glyph, as the buttons' component names.
const std::vector<std::string>& Names();
// The glyph of the button named Name at Size x Size pixels; none for an unknown name.
std::unique_ptr<TBitmap> Make(const std::string& Name, int Size);
}  // namespace ToolGlyphs
