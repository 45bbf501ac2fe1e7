// Colours: the system colour table, and the Qt GUI application that fonts need.

#include "platform/gdi/Graphics.h"

#include <QGuiApplication>

#include <array>
#include <cstdlib>

namespace {

// The classic light desktop scheme, as RGB values (red in the lowest byte).
std::array<TColor, 31>& SystemColorTable() {
  static std::array<TColor, 31> table = {
      RGB(0xC8, 0xC8, 0xC8),  // 0 scroll bar
      RGB(0x00, 0x00, 0x00),  // 1 background
      RGB(0x99, 0xB4, 0xD1),  // 2 active caption
      RGB(0xBF, 0xCD, 0xDB),  // 3 inactive caption
      RGB(0xF0, 0xF0, 0xF0),  // 4 menu
      RGB(0xFF, 0xFF, 0xFF),  // 5 window
      RGB(0x64, 0x64, 0x64),  // 6 window frame
      RGB(0x00, 0x00, 0x00),  // 7 menu text
      RGB(0x00, 0x00, 0x00),  // 8 window text
      RGB(0x00, 0x00, 0x00),  // 9 caption text
      RGB(0xB4, 0xB4, 0xB4),  // 10 active border
      RGB(0xF4, 0xF7, 0xFC),  // 11 inactive border
      RGB(0xAB, 0xAB, 0xAB),  // 12 application workspace
      RGB(0x33, 0x99, 0xFF),  // 13 highlight
      RGB(0xFF, 0xFF, 0xFF),  // 14 highlight text
      RGB(0xF0, 0xF0, 0xF0),  // 15 button face
      RGB(0xA0, 0xA0, 0xA0),  // 16 button shadow
      RGB(0x6D, 0x6D, 0x6D),  // 17 grey text
      RGB(0x00, 0x00, 0x00),  // 18 button text
      RGB(0x43, 0x4E, 0x54),  // 19 inactive caption text
      RGB(0xFF, 0xFF, 0xFF),  // 20 button highlight
      RGB(0x69, 0x69, 0x69),  // 21 3-D dark shadow
      RGB(0xE3, 0xE3, 0xE3),  // 22 3-D light
      RGB(0x00, 0x00, 0x00),  // 23 info text
      RGB(0xFF, 0xFF, 0xE1),  // 24 info background
      RGB(0xB5, 0xB5, 0xB5),  // 25 (unused slot)
      RGB(0x00, 0x66, 0xCC),  // 26 hot light
      RGB(0xB9, 0xD1, 0xEA),  // 27 gradient active caption
      RGB(0xD7, 0xE4, 0xF2),  // 28 gradient inactive caption
      RGB(0x33, 0x99, 0xFF),  // 29 menu highlight
      RGB(0xF0, 0xF0, 0xF0),  // 30 menu bar
  };
  return table;
}

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (!IsSystemColor(Color)) return Color;
  return Graphics::GetSysColor(SystemColorIndex(Color));
}

uint32_t ColorToDeviceRGB(TColor Color) { return uint32_t(ColorToRGB(Color)) & 0xFFFFFFu; }

namespace Graphics {

TColor GetSysColor(int Index) {
  auto& t = SystemColorTable();
  if (Index < 0 || Index >= int(t.size())) return clBlack;
  return t[size_t(Index)];
}

TColor SetSystemColor(int Index, TColor Rgb) {
  auto& t = SystemColorTable();
  if (Index < 0 || Index >= int(t.size())) return clBlack;
  TColor old = t[size_t(Index)];
  t[size_t(Index)] = Rgb & 0xFFFFFF;
  return old;
}

namespace {
void (*gApplicationFactory)() = nullptr;
}  // namespace

void SetGuiApplicationFactory(void (*Factory)()) { gApplicationFactory = Factory; }

bool EnsureGuiApplication() {
  if (QCoreApplication::instance() == nullptr && gApplicationFactory) gApplicationFactory();
  if (QCoreApplication::instance() != nullptr) return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  // Without a display the offscreen platform serves: drawing needs fonts only.
  static int argc = 1;
  static char name[] = "kelmvev2er";
  static char opt[] = "-platform";
  static char off[] = "offscreen";
  static char* argvDisplay[] = {name, nullptr};
  static char* argvOffscreen[] = {name, opt, off, nullptr};
  const bool haveDisplay = std::getenv("QT_QPA_PLATFORM") != nullptr || std::getenv("DISPLAY") != nullptr ||
                           std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (haveDisplay) {
    argc = 1;
    new QGuiApplication(argc, argvDisplay);  // lives until the process ends
  } else {
    argc = 3;
    new QGuiApplication(argc, argvOffscreen);
  }
  LoadFontDatabase();
  return true;
}

}  // namespace Graphics

int PenModeToRop2(TPenMode Mode) {
  static const int table[16] = {R2_BLACK,      R2_WHITE,       R2_NOP,        R2_NOT,
                                R2_COPYPEN,    R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,   R2_NOTMERGEPEN,
                                R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
  int i = int(Mode);
  return (i >= 0 && i < 16) ? table[i] : R2_COPYPEN;
}
