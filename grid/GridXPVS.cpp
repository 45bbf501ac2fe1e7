#include "grid/GridXPVS.h"

#include "platform/ui/Themes.h"

#include <memory>

namespace GridXPVS {

struct TThemeData {
  std::string ClassName;
};

std::function<HTHEME(TControl*, const std::string&)> OpenThemeData;
std::function<int(HTHEME)> CloseThemeData;
std::function<int(HTHEME, TCanvas&, int, int, const TRect&, const TRect*)> DrawThemeBackground;
std::function<bool()> IsThemeActive;

namespace {

bool gLoaded = false;

constexpr int S_OK = 0, E_HANDLE = static_cast<int>(0x80070006), E_INVALIDARG = static_cast<int>(0x80070057);

// The part and state of a themed control part from the platform's numbers.
bool MapPart(const std::string& Class, int PartId, int StateId, Themes::TThemedPart& Part, Themes::TThemedState& State) {
  using namespace Themes;
  auto plain = [&](int s) {  // 1 normal, 2 hot, 3 pressed, 4 disabled
    if (s == 2) State.Include(tsHot);
    if (s == 3) State.Include(tsPressed);
    if (s == 4) State.Include(tsDisabled);
  };
  if (Class == "BUTTON") {
    if (PartId == 1) {
      Part = tpPushButton;
      plain(StateId == 5 ? 1 : StateId);
      return StateId >= 1 && StateId <= 5;
    }
    if (PartId == 2 || PartId == 3) {
      Part = PartId == 2 ? tpRadioButton : tpCheckBox;
      const int last = PartId == 2 ? 8 : 12;
      if (StateId < 1 || StateId > last) return false;
      const int group = (StateId - 1) / 4;
      if (group == 1) State.Include(tsChecked);
      if (group == 2) State.Include(tsMixed);
      plain((StateId - 1) % 4 + 1);
      return true;
    }
    return false;
  }
  if (Class == "COMBOBOX" && PartId == 1) {
    Part = tpComboButton;
    plain(StateId);
    return true;
  }
  if (Class == "SPIN" && (PartId == 1 || PartId == 2)) {
    Part = PartId == 1 ? tpSpinUp : tpSpinDown;
    plain(StateId);
    return true;
  }
  if (Class == "PROGRESS" && (PartId == 1 || PartId == 3)) {
    Part = PartId == 1 ? tpProgressBar : tpProgressChunk;
    return true;
  }
  return false;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

}  // namespace

bool Load() {
  if (gLoaded) return true;
  gLoaded = true;
  OpenThemeData = [](TControl*, const std::string& ClassList) -> HTHEME {
    // A class list names alternatives separated by ";"; the first known one is taken.
    size_t start = 0;
    for (;;) {
      const size_t p = ClassList.find(';', start);
      const std::string name = Upper(ClassList.substr(start, p == std::string::npos ? std::string::npos : p - start));
      if (name == "BUTTON" || name == "COMBOBOX" || name == "SPIN" || name == "PROGRESS") return new TThemeData{name};
      if (p == std::string::npos) return nullptr;
      start = p + 1;
    }
  };
  CloseThemeData = [](HTHEME Theme) {
    if (!Theme) return E_HANDLE;
    delete Theme;
    return S_OK;
  };
  DrawThemeBackground = [](HTHEME Theme, TCanvas& Canvas, int PartId, int StateId, const TRect& R, const TRect*) {
    if (!Theme) return E_HANDLE;
    Themes::TThemedPart part{};
    Themes::TThemedState state;
    if (!MapPart(Theme->ClassName, PartId, StateId, part, state)) return E_INVALIDARG;
    Themes::DrawThemedPart(Canvas, part, state, R);
    return S_OK;
  };
  IsThemeActive = [] { return Themes::ThemesActive(); };
  return true;
}

void Unload() {
  if (!gLoaded) return;
  OpenThemeData = nullptr;
  CloseThemeData = nullptr;
  DrawThemeBackground = nullptr;
  IsThemeActive = nullptr;
  gLoaded = false;
}

bool Loaded() { return gLoaded; }

bool UseThemes() { return gLoaded && IsThemeActive && IsThemeActive(); }

namespace {
[[maybe_unused]] const bool kLoadedAtStart = Load();
}

}  // namespace GridXPVS
