// Fonts: face substitution, the Symbol face, and logical fonts as Qt fonts.

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <list>
#include <map>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace FontEngine {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// Faces the program names and the installed faces that share their metrics.
const std::map<std::string, std::string>& Substitutes() {
  static const std::map<std::string, std::string> table = {
      {"ms sans serif", "Liberation Sans"},   {"microsoft sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},    {"ms shell dlg 2", "Liberation Sans"},
      {"tahoma", "Liberation Sans"},          {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},       {"small fonts", "Liberation Sans"},
      {"segoe ui", "Liberation Sans"},        {"verdana", "DejaVu Sans"},
      {"courier new", "Liberation Mono"},     {"courier", "Liberation Mono"},
      {"lucida console", "Liberation Mono"},  {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},          {"ms serif", "Liberation Serif"},
      {"symbol", "Liberation Serif"},
  };
  return table;
}

// Latin letters of the Symbol face and the Greek letters they stand for.
char16_t SymbolChar(char16_t c) {
  static const char16_t lower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ', u'λ', u'μ',
                                     u'ν', u'ο', u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
  static const char16_t upper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι', u'ϑ', u'Κ', u'Λ', u'Μ',
                                     u'Ν', u'Ο', u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
  if (c >= u'a' && c <= u'z') return lower[c - u'a'];
  if (c >= u'A' && c <= u'Z') return upper[c - u'A'];
  switch (c) {
    case 0xB7: return u'•';   // bullet
    case 0xB0: return u'°';
    case 0xB1: return u'±';
    case 0xB4: return u'×';
    case 0xB8: return u'÷';
    case 0xA5: return u'∞';
    case 0xD6: return u'√';
    case 0xB3: return u'≥';
    case 0xA3: return u'≤';
    case 0xB9: return u'≠';
    case 0xBB: return u'≈';
    case 0xB6: return u'∂';
    case 0xE5: return u'∑';
    case 0xF2: return u'∫';
    case 0xAE: return u'→';
    case 0xAC: return u'←';
    case 0xAD: return u'↑';
    case 0xAF: return u'↓';
    default: return c;
  }
}

}  // namespace

bool IsSymbolFace(const std::string& FaceName) { return Lower(FaceName) == "symbol"; }

std::string ResolveFace(const std::string& FaceName) {
  static std::map<std::string, std::string> cache;
  const std::string key = Lower(FaceName);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::string face;
  auto sub = Substitutes().find(key);
  if (sub != Substitutes().end()) {
    face = sub->second;
  } else {
    face = "Liberation Sans";
    const QStringList families = Graphics::EnsureGuiApplication() ? QFontDatabase::families() : QStringList();
    const QString want = QString::fromStdString(FaceName);
    for (const QString& f : families)
      if (f.compare(want, Qt::CaseInsensitive) == 0) {
        face = f.toStdString();
        break;
      }
  }
  cache.emplace(key, face);
  return face;
}

std::u16string MapText(const TLogFont& Font, const std::u16string& Text) {
  if (!IsSymbolFace(Font.FaceName)) return Text;
  std::u16string out = Text;
  for (char16_t& c : out) c = SymbolChar(c);
  return out;
}

const TRealised& Realise(const TLogFont& Font, double Scale) {
  struct Entry {
    TLogFont Key;
    double Scale;
    TRealised Value;
  };
  static std::list<Entry> cache;  // most recent first, a handful of entries
  for (auto it = cache.begin(); it != cache.end(); ++it)
    if (it->Scale == Scale && it->Key == Font) {
      if (it != cache.begin()) cache.splice(cache.begin(), cache, it);
      return cache.front().Value;
    }
  if (!Graphics::EnsureGuiApplication())
    throw Exception("Text cannot be drawn: the process has a non-graphical application object");
  QFont f(QString::fromStdString(ResolveFace(Font.FaceName)));
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  f.setWeight(QFont::Weight(std::clamp(Font.Weight <= 0 ? FW_NORMAL : int(Font.Weight), 100, 900)));
  f.setItalic(Font.Italic);
  f.setUnderline(Font.Underline);
  f.setStrikeOut(Font.StrikeOut);
  const double h = std::fabs(double(Font.Height) * Scale);
  int pixel = 0;
  if (Font.Height < 0) {
    pixel = int(std::lround(h));
  } else if (Font.Height > 0) {
    // A positive height is the cell height: find the em size whose cell matches.
    QFont probe = f;
    probe.setPixelSize(100);
    QFontMetrics pm(probe);
    const int cell = std::max(1, pm.ascent() + pm.descent());
    pixel = int(std::lround(h * 100.0 / cell));
  } else {
    pixel = int(std::lround(13 * Scale));  // the default height
  }
  f.setPixelSize(std::clamp(pixel, 1, 4000));
  if (Font.Width != 0) {
    QFontMetrics natural(f);
    const int avg = std::max(1, natural.averageCharWidth());
    f.setStretch(std::clamp(int(std::lround(100.0 * std::fabs(Font.Width * Scale) / avg)), 1, 4000));
  }
  QFontMetrics m(f);
  cache.push_front(Entry{Font, Scale, TRealised{f, m, m.ascent(), m.descent(), m.ascent() + m.descent()}});
  if (cache.size() > 16) cache.pop_back();
  return cache.front().Value;
}

int32_t TextWidth(const TRealised& F, const std::u16string& Text, int CharExtra) {
  if (Text.empty()) return 0;
  QString s = QString::fromUtf16(Text.data(), qsizetype(Text.size()));
  return F.Metrics.horizontalAdvance(s) + CharExtra * int32_t(s.size());
}

}  // namespace FontEngine

void Graphics::LoadFontDatabase() {
#if defined(__SANITIZE_ADDRESS__)
  // The configuration's caches are not leaks of ours; left to the checker they
  // are reported and matched against the suppressions at every exit.
  __lsan::ScopedDisabler keep;
#endif
  (void)QFontDatabase::families();
}
