#include "grid/GridUtil.h"

#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Themes.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace GridUtil {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

std::map<std::string, std::function<std::unique_ptr<TBitmap>()>>& ResourceTable() {
  static std::map<std::string, std::function<std::unique_ptr<TBitmap>()>> table;
  return table;
}

}  // namespace

// ---------------------------------------------------------------- text

int PosUpper(const std::string& Pattern, const std::string& Text) {
  const size_t p = SysUtils::UpperCase(Text).find(Pattern);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int PosOut(const std::string& Pattern, const std::string& Text, int& Position) {
  const size_t p = Text.find(Pattern);
  Position = p == std::string::npos ? 0 : static_cast<int>(p) + 1;
  return Position;
}

int CharIndex(char C, const std::string& Text) {
  const size_t p = Text.find(C);
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

int CharIndex(char C, const std::string& Text, int& Position) {
  Position = CharIndex(C, Text);
  return Position;
}

int CharCount(char C, const std::string& Text) { return static_cast<int>(std::count(Text.begin(), Text.end(), C)); }

char FirstCharOfSet(const std::set<char>& Chars, const std::string& Text) {
  for (char c : Text)
    if (Chars.count(c)) return c;
  return '\0';
}

char LowerAscii(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C; }

void MaskText(std::string& Text, char C) {
  Text.assign(Utf8ToWide(Text).size(), C);
}

// Cell texts are Unicode already: there is no OEM code page to convert from.
void OemToAnsiText(std::string& /*Text*/) {}

std::string RemoveCRs(const std::string& Text) {
  std::string s;
  s.reserve(Text.size());
  for (char c : Text)
    if (c != '\r') s += c;
  return s;
}

// Only a bare line feed gains a carriage return; CR LF pairs stay as they are.
void LfToCrLf(std::string& Text) {
  if (Text.find('\n') == std::string::npos) return;
  std::string s;
  s.reserve(Text.size() + 8);
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\n' && (i == 0 || Text[i - 1] != '\r')) s += '\r';
    s += Text[i];
  }
  Text = std::move(s);
}

void TildeToCrLf(std::string& Text) {
  std::string s;
  for (char c : Text) {
    if (c == '~') s += "\r\n";
    else s += c;
  }
  Text = std::move(s);
}

std::string EscapesToBreaks(const std::string& Text) {
  std::string s;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\\' && i + 1 < Text.size() && Text[i + 1] == 'n') {
      s += '\r';
      ++i;
    } else {
      s += Text[i];
    }
  }
  return s;
}

void QuoteMultiline(std::string& Text) {
  std::string s;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') continue;
    s += Text[i];
  }
  Text = "\"" + s + "\"";
}

std::string UnquoteChar(char Quote, const std::string& Text) {
  if (Text.empty() || Text.find(Quote) == std::string::npos) return Text;
  std::string s;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == Quote) {
      if (i + 1 < Text.size() && Text[i + 1] == Quote) {
        s += Quote;
        ++i;
      }
      continue;
    }
    s += Text[i];
  }
  return s;
}

int ClosingQuotePos(char Quote, const std::string& Text, int& Position) {
  Position = 0;
  size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] != Quote) {
      ++i;
      continue;
    }
    size_t run = 0;
    while (i < Text.size() && Text[i] == Quote) {
      ++run;
      ++i;
    }
    if (i == Text.size()) {
      Position = static_cast<int>(Text.size());
      return Position;
    }
    if (run % 2 == 1) {
      Position = static_cast<int>(i);  // 1-based position of the run's last quote
      return Position;
    }
  }
  return 0;
}

int ClosingQuoteCount(char Quote, const std::string& Text) {
  std::string s = Text;
  int n = 0;
  int p = 0;
  while (!s.empty() && ClosingQuotePos(Quote, s, p) > 0) {
    ++n;
    s = s.substr(static_cast<size_t>(p));
  }
  return n;
}

void TakeFirstLine(std::string& Text, bool KeepRest, std::string& Line) {
  const size_t cr = Text.find('\r');
  if (cr == std::string::npos) {
    Line = Text;
    Text.clear();
    return;
  }
  Line = Text.substr(0, cr);
  size_t rest = cr + 1;
  if (rest < Text.size() && Text[rest] == '\n') ++rest;
  Text = KeepRest ? Text.substr(rest) : std::string();
}

int LineCount(const std::string& Text, bool MultiLine) { return MultiLine ? 1 + CharCount('\r', Text) : 1; }

std::string ProperCase(const std::string& Text) {
  std::string s = Text;
  bool upNext = true;
  for (char& c : s) {
    if (IsAsciiLetter(c)) {
      c = upNext ? UpperAscii(c) : LowerAscii(c);
      upNext = false;
    } else {
      upNext = c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.';
    }
  }
  auto mcAt = [&](size_t i) {  // "Mc" at i, at the start or after a blank
    return i + 2 < s.size() && s[i] == 'M' && s[i + 1] == 'c' && (i == 0 || s[i - 1] == ' ');
  };
  for (size_t i = 0; i + 2 < s.size(); ++i)
    if (mcAt(i)) s[i + 2] = UpperAscii(s[i + 2]);
  const size_t n = s.size();
  for (size_t i = n >= 3 ? n - 3 : 0; i < n; ++i) {
    if (i >= 2 && s[i - 1] == 'I' && s[i - 2] == ' ') s[i] = UpperAscii(s[i]);
    if (i >= 3 && s[i - 1] == 'I' && s[i - 2] == 'I' && s[i - 3] == ' ') s[i] = UpperAscii(s[i]);
  }
  return s;
}

int TextKind(const std::string& Text, bool HtmlEnabled) {
  if (Text.empty()) return tkPlain;
  if (Text[0] == '=') return tkFormula;
  if (Text.rfind("|\\", 0) == 0) return tkWide;
  if (Text.rfind("{\\", 0) == 0) return tkRichText;
  if (HtmlEnabled && (Text.find("</") != std::string::npos || Text.find("<B") != std::string::npos ||
                      Text.find("<I") != std::string::npos))
    return tkHtml;
  return tkPlain;
}

bool IsLink(const std::string& Text) {
  return Text.find("://") != std::string::npos || Text.find("mailto:") != std::string::npos;
}

void StripLinkScheme(std::string& Text) {
  size_t p = Text.find("://");
  if (p != std::string::npos) {
    Text.erase(0, p + 3);
    return;
  }
  p = Text.find("mailto:");
  if (p != std::string::npos) Text.erase(0, p + 7);
}

bool ParseCellRef(const std::string& Text, TPoint& Cell) {
  const std::string s = SysUtils::UpperCase(Text);
  if (s.size() <= 3 || s[0] != 'R') return false;
  const size_t c = s.find('C');
  if (c == std::string::npos) return false;
  int32_t row = 0, col = 0;
  if (!SysUtils::TryStrToInt(s.substr(1, c - 1), row) || !SysUtils::TryStrToInt(s.substr(c + 1), col)) return false;
  Cell = Point(col, row);
  return true;
}

std::u16string Utf8ToWide(const std::string& Text) {
  const QString q = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size()));
}

std::string WideToUtf8(const std::u16string& Text) {
  return QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())).toUtf8().toStdString();
}

std::u16string DecodeWideText(const std::string& Text) {
  if (Text.rfind("|\\", 0) != 0) return Utf8ToWide(Text);
  std::u16string w;
  for (size_t i = 2; i + 1 < Text.size(); i += 2)
    w += static_cast<char16_t>((static_cast<uint8_t>(Text[i]) << 8) | static_cast<uint8_t>(Text[i + 1]));
  return w;
}

std::string EncodeWideText(const std::u16string& Text) {
  std::string s = "|\\";
  s.reserve(2 + 2 * Text.size());
  for (char16_t c : Text) {
    s += static_cast<char>(c >> 8);
    s += static_cast<char>(c & 0xFF);
  }
  return s;
}

std::string ShownText(const std::string& Text) {
  return Text.rfind("|\\", 0) == 0 ? WideToUtf8(DecodeWideText(Text)) : Text;
}

// ---------------------------------------------------------------- numbers and dates

int LimitValue(int Value, int Low, int High) {
  if (Low == High) return Value;
  if (Low > 0 && Value < Low) return Low;
  if (High > 0 && Value > High) return High;
  return Value;
}

int MaxInt(int A, int B) { return A > B ? A : B; }
int MinInt(int A, int B) { return A < B ? A : B; }

bool CellInRange(const TCellRange& Range, int Col, int Row) {
  return Range.Left <= Col && Col <= Range.Right && Range.Top <= Row && Row <= Range.Bottom;
}

TColor HalfColor(TColor Color) {
  const TColor c = ColorToRGB(Color);
  const int r = (c & 0xFF) / 2, g = ((c >> 8) & 0xFF) / 2, b = ((c >> 16) & 0xFF) / 2;
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

// A number: an optional leading "-" and at least one digit; a real may hold
// thousand separators (each at least 3 places after the one before, never
// first) and one decimal separator.
int NumberKind(const std::string& Text) {
  if (Text.empty()) return nkNone;
  const char dec = ::FormatSettings.DecimalSeparator;
  const char thou = ::FormatSettings.ThousandSeparator;
  size_t i = Text[0] == '-' ? 1 : 0;
  const size_t first = i;
  bool integer = true, real = true;
  int digits = 0, decimals = 0;
  int lastThousand = -1;
  for (; i < Text.size(); ++i) {
    const char c = Text[i];
    if (IsDigit(c)) {
      ++digits;
      continue;
    }
    integer = false;
    if (c == dec) {
      if (++decimals > 1) return nkNone;
    } else if (c == thou && c != dec) {
      const int pos = static_cast<int>(i);
      if (pos == static_cast<int>(first) || (lastThousand >= 0 && pos - lastThousand < 4)) real = false;
      lastThousand = pos;
    } else {
      return nkNone;
    }
  }
  if (digits == 0) return nkNone;
  if (integer) return nkInteger;
  return real ? nkReal : nkNone;
}

std::string NumberText(const std::string& Text) {
  if (Text.empty()) return "";
  const char dec = ::FormatSettings.DecimalSeparator;
  const char thou = ::FormatSettings.ThousandSeparator;
  std::string s = SysUtils::Trim(Text);
  bool negative = s.size() >= 2 && s.front() == '(' && s.back() == ')';
  while (s.size() >= 2 && !IsDigit(s[0]) && s[0] != thou && s[0] != dec) {
    if (s[0] == '-') negative = true;
    s.erase(0, 1);
  }
  std::string out;
  for (char c : s) {
    if (c == thou && c != dec) continue;
    if (c == dec) out += '.';
    else if (IsDigit(c) || c == '-' || c == '.') out += c;
    else break;
  }
  return negative ? "-" + out : out;
}

bool ParseLocaleDate(const std::string& Text, TDateTime& Date) {
  const std::string fmt = SysUtils::UpperCase(::FormatSettings.ShortDateFormat);
  const char sep = ::FormatSettings.DateSeparator;
  std::vector<std::pair<size_t, char>> order;
  for (char k : {'D', 'M', 'Y'}) {
    const size_t p = fmt.find(k);
    if (p == std::string::npos) return false;
    order.emplace_back(p, k);
  }
  std::sort(order.begin(), order.end());
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t p = Text.find(sep, start);
    parts.push_back(SysUtils::Trim(Text.substr(start, p == std::string::npos ? std::string::npos : p - start)));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  if (parts.size() != 3) return false;
  int day = 0, month = 0, year = 0;
  for (size_t i = 0; i < 3; ++i) {
    int32_t v = 0;
    if (!SysUtils::TryStrToInt(parts[i], v)) return false;
    (order[i].second == 'D' ? day : order[i].second == 'M' ? month : year) = v;
  }
  if (day >= 32 || month > 12) return false;
  return SysUtils::TryEncodeDate(year, month, day, Date);
}

namespace {

// Month/day/year (US) or day/month/year: three integers joined by "/", "."
// or "-"; a year of one or two digits is 2000..2025 or 1926..1999, a longer
// one is taken as written.
TDateTime ParseNumericDate(const std::string& Text, bool MonthFirst) {
  const char sep = Text.find('/') != std::string::npos ? '/' : Text.find('.') != std::string::npos ? '.' : '-';
  const size_t a = Text.find(sep);
  if (a == std::string::npos) return 0;
  const size_t b = Text.find(sep, a + 1);
  if (b == std::string::npos) return 0;
  const std::string p1 = SysUtils::Trim(Text.substr(0, a)), p2 = SysUtils::Trim(Text.substr(a + 1, b - a - 1));
  const std::string p3 = SysUtils::Trim(Text.substr(b + 1));
  int32_t v1 = 0, v2 = 0, y = 0;
  if (!AllDigits(p1) || !AllDigits(p2) || !AllDigits(p3) || !SysUtils::TryStrToInt(p1, v1) ||
      !SysUtils::TryStrToInt(p2, v2) || !SysUtils::TryStrToInt(p3, y))
    return 0;
  if (p3.size() <= 2) y += y <= 25 ? 2000 : 1900;
  return MonthFirst ? SysUtils::EncodeDate(y, v1, v2) : SysUtils::EncodeDate(y, v2, v1);
}

}  // namespace

TDateTime ParseUSDate(const std::string& Text) { return ParseNumericDate(Text, true); }
TDateTime ParseEUDate(const std::string& Text) { return ParseNumericDate(Text, false); }

TDateTime StepDate(int Years, int Months, int Days, int DefaultStep, TDateTime Date) {
  const double time = Date - std::floor(Date);
  int y = 0, m = 0, d = 0;
  if (Years == 0 && Months == 0 && Days != 0) return Date + Days;
  if (Years != 0 && Months == 0 && Days == 0) {
    SysUtils::DecodeDate(Date, y, m, d);
    return SysUtils::EncodeDate(y + Years, m, d) + time;
  }
  if (Years == 0 && Months != 0 && Days == 0) {
    SysUtils::DecodeDate(Date, y, m, d);
    int total = y * 12 + (m - 1) + Months;
    y = total >= 0 ? total / 12 : -((-total + 11) / 12);
    m = total - y * 12 + 1;
    return SysUtils::EncodeDate(y, m, d) + time;
  }
  return Date + DefaultStep;
}

// ---------------------------------------------------------------- filter conditions

namespace {

std::string Operand(const std::string& Part, size_t After) {
  size_t i = After;
  while (i < Part.size() && Part[i] == ' ') ++i;
  size_t e = i;
  while (e < Part.size() && Part[e] != ' ' && Part[e] != '&' && Part[e] != '|') ++e;
  std::string op = Part.substr(i, e - i);
  if (!op.empty() && op.front() == '"') op.erase(0, 1);
  if (!op.empty() && op.back() == '"') op.pop_back();
  if (op.size() > 255) op.resize(255);
  return op;
}

// -1, 0, 1: the text against the operand; nullopt when the operand is a
// number and the text is not (such a text never satisfies the comparison).
std::optional<int> Compare(const std::string& Text, const std::string& Op) {
  const TFormatSettings inv = TFormatSettings::Invariant();
  double a = 0, b = 0;
  const bool opNumber = SysUtils::TryStrToFloat(Op, b, inv);
  if (opNumber) {
    if (!SysUtils::TryStrToFloat(Text, a, inv)) return std::nullopt;
    return a < b ? -1 : a > b ? 1 : 0;
  }
  TDateTime da = 0, db = 0;
  if (ParseLocaleDate(Text, da) && ParseLocaleDate(Op, db)) return da < db ? -1 : da > db ? 1 : 0;
  const std::string t = Text.substr(0, 255);
  const int c = t.compare(Op);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool CompareTest(const std::string& Part, const std::string& Text, char Sign) {
  const size_t p = Part.find(Sign);
  if (p == std::string::npos) return false;
  const bool inclusive = p + 1 < Part.size() && Part[p + 1] == '=';
  const auto c = Compare(Text, Operand(Part, p + (inclusive ? 2 : 1)));
  if (!c) return false;
  if (Sign == '>') return *c > 0 || (inclusive && *c == 0);
  return *c < 0 || (inclusive && *c == 0);
}

// The pattern walk: "*" any run, "?" any character, '"' skipped, "!" met
// before the decision negates the walk's result. Tails tried after a "*" are
// remembered by position, so runs of wildcards cost at most pattern × text.
class TPatternWalk {
 public:
  TPatternWalk(const std::string& P, const std::string& T)
      : FP(P), FT(T) {}
  bool Run(bool& Negated) { return Walk(0, 0, &Negated); }

 private:
  bool Walk(size_t pi, size_t ti, bool* Negated) {
    if (Negated) return Step(pi, ti, Negated);
    const uint64_t key = (static_cast<uint64_t>(pi) << 32) | ti;
    const auto known = FMemo.find(key);
    if (known != FMemo.end()) return known->second;
    const bool r = Step(pi, ti, nullptr);
    FMemo.emplace(key, r);
    return r;
  }
  bool Step(size_t pi, size_t ti, bool* Negated) {
    while (pi < FP.size()) {
      const char c = FP[pi];
      if (c == '!') {
        if (Negated) *Negated = true;
        ++pi;
        continue;
      }
      if (c == '"') {
        ++pi;
        continue;
      }
      if (c == '*') {
        while (pi < FP.size() && FP[pi] == '*') ++pi;
        if (pi >= FP.size()) return true;
        for (size_t k = FT.size() + 1; k-- > ti;)
          if (Walk(pi, k, nullptr)) return true;
        return false;
      }
      if (ti >= FT.size()) return false;
      if (c != '?' && c != FT[ti]) return false;
      ++pi;
      ++ti;
    }
    return ti >= FT.size();
  }
  const std::string& FP;
  const std::string& FT;
  std::unordered_map<uint64_t, bool> FMemo;
};

bool MatchPart(std::string Part, std::string Text, bool CaseSensitive) {
  if (!CaseSensitive) {
    Part = SysUtils::AnsiUpperCase(Part);
    Text = SysUtils::AnsiUpperCase(Text);
  }
  if (Part.find('>') != std::string::npos && CompareTest(Part, Text, '>')) return true;
  if (Part.find('<') != std::string::npos && CompareTest(Part, Text, '<')) return true;
  bool negated = false;
  const bool ok = TPatternWalk(Part, Text).Run(negated);
  return negated ? !ok : ok;
}

bool IsJoin(char c) { return c == '&' || c == ';' || c == '^' || c == '|'; }

}  // namespace

bool MatchCondition(const std::string& Condition, const std::string& Text, bool CaseSensitive) {
  const std::string trimmed = SysUtils::Trim(Condition);
  // Blanks around joins and "=" go; "=" stays only right after ">" or "<",
  // where it makes the comparison inclusive.
  std::string cond;
  for (size_t i = 0; i < trimmed.size(); ++i) {
    const char c = trimmed[i];
    if (c == ' ') {
      size_t j = i;
      while (j < trimmed.size() && trimmed[j] == ' ') ++j;
      const bool beforeSpecial = j < trimmed.size() && (IsJoin(trimmed[j]) || trimmed[j] == '=');
      const bool afterSpecial = !cond.empty() && (IsJoin(cond.back()) || cond.back() == '=');
      if (beforeSpecial || afterSpecial) {
        i = j - 1;
        continue;
      }
    }
    if (c == '=' && !(cond.size() > 0 && (cond.back() == '>' || cond.back() == '<'))) continue;
    cond += c;
  }
  bool result = false;
  char join = '\0';
  size_t start = 0;
  for (size_t i = 0; i <= cond.size(); ++i) {
    if (i < cond.size() && !IsJoin(cond[i])) continue;
    const bool part = MatchPart(cond.substr(start, i - start), Text, CaseSensitive);
    result = join == '\0' ? part : join == '&' ? (result && part) : (result || part);
    if (i < cond.size()) join = cond[i];
    start = i + 1;
  }
  return result;
}

// ---------------------------------------------------------------- drawing

void FillGradient(TCanvas& Canvas, TColor From, TColor To, bool Horizontal, const TRect& R, int Steps) {
  if (Steps <= 0) Steps = 1;
  const TColor a = ColorToRGB(From), b = ColorToRGB(To);
  const int r0 = a & 0xFF, g0 = (a >> 8) & 0xFF, b0 = (a >> 16) & 0xFF;
  const int dr = (b & 0xFF) - r0, dg = ((b >> 8) & 0xFF) - g0, db = ((b >> 16) & 0xFF) - b0;
  const double stepWidth = static_cast<double>(Horizontal ? R.Width() : R.Height()) / Steps;
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetWidth(1);
  for (int i = 0; i < Steps; ++i) {
    const TColor c = static_cast<TColor>((r0 + Round(double(i) * dr / Steps)) |
                                         ((g0 + Round(double(i) * dg / Steps)) << 8) |
                                         ((b0 + Round(double(i) * db / Steps)) << 16));
    Canvas.Pen->SetColor(c);
    Canvas.Brush->SetColor(c);
    const int off = Round(i * stepWidth);
    const int len = Round(stepWidth) + 1;
    if (Horizontal) Canvas.Rectangle(R.Left + off, R.Top, R.Left + off + len, R.Bottom);
    else Canvas.Rectangle(R.Left, R.Top + off, R.Right, R.Top + off + len);
  }
}

void DrawProgressBar(TCanvas& Canvas, const TRect& R, TColor FilledColor, int VMargin, int HMargin, int Percentage,
                     TColor EmptyTextColor, TColor EmptyColor, TColor FilledTextColor) {
  const TColor previousBrush = Canvas.Brush->GetColor();
  const TRect box(R.Left + HMargin, R.Top + VMargin, R.Right - HMargin, R.Bottom - VMargin);
  if (box.IsEmpty()) return;
  const int split = box.Left + Round(Percentage * box.Width() / 100.0);
  const std::string text = std::to_string(Percentage) + "%";
  const TSize ext = Canvas.TextExtent(text);
  const int tx = box.Left + (box.Width() - ext.cx) / 2, ty = box.Top + (box.Height() - ext.cy) / 2;
  auto part = [&](const TRect& P, TColor Back, TColor Fore) {
    if (P.IsEmpty()) return;
    TDeviceContext* dc = Canvas.GetHandle();
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(P.Left, P.Top, P.Right, P.Bottom);
    Canvas.Refresh();
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(Back);
    Canvas.FillRect(P);
    Canvas.Font->SetColor(Fore);
    Canvas.Brush->SetStyle(bsClear);
    Canvas.TextOut(tx, ty, text);
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.GetHandle()->RestoreDC(saved);
    Canvas.Refresh();
  };
  part(TRect(box.Left, box.Top, split, box.Bottom), FilledColor, FilledTextColor);
  part(TRect(split, box.Top, box.Right, box.Bottom), EmptyColor, EmptyTextColor);
  Canvas.Brush->SetColor(clBlack);
  Canvas.FrameRect(TRect(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1));
  Canvas.Brush->SetColor(previousBrush);
  Canvas.FrameRect(TRect(box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2));
}

void DrawProgressPie(TCanvas& Canvas, const TRect& R, TColor FillColor, int Percentage) {
  const int w = R.Width(), h = R.Height();
  Canvas.Pen->SetColor(clGray);
  Canvas.Pen->SetWidth(1);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Ellipse(R);
  const int cx = R.Left + w / 2, cy = R.Top + h / 2;
  Canvas.MoveTo(cx, R.Top);
  Canvas.LineTo(cx, cy);
  const double t = Percentage / 100.0 * 2 * M_PI;
  const int x = R.Left + Round(std::sin(t) * (w + 1) / 2) + w / 2;
  const int y = R.Top - Round(std::cos(t) * (h + 1) / 2) + h / 2;
  Canvas.LineTo(x, y);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(FillColor);
  Canvas.FloodFill(cx + 1, R.Top + 1, clGray, fsBorder);
}

void DrawBitmapOnColor(TCanvas& Canvas, const TBitmap& Bitmap, TColor Background, const TRect& R) {
  const int w = Bitmap.GetWidth(), h = Bitmap.GetHeight();
  if (w <= 0 || h <= 0) return;
  const TColor key = Bitmap.GetPixelColor(0, 0);
  const TColor back = ColorToRGB(Background);
  TBitmap out(w, h);
  out.SetPixelFormat(pf24bit);
  for (int y = 0; y < h; ++y) {
    uint8_t* line = out.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const TColor p = Bitmap.GetPixelColor(x, y);
      const TColor c = p == key ? back : p;
      line[3 * x] = static_cast<uint8_t>((c >> 16) & 0xFF);
      line[3 * x + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
      line[3 * x + 2] = static_cast<uint8_t>(c & 0xFF);
    }
  }
  Canvas.Draw(R.Left, R.Top, &out);
}

void RegisterResourceBitmap(const std::string& Name, std::function<std::unique_ptr<TBitmap>()> Make) {
  ResourceTable()[SysUtils::UpperCase(Name)] = std::move(Make);
}

void UnregisterResourceBitmap(const std::string& Name) { ResourceTable().erase(SysUtils::UpperCase(Name)); }

void DrawResourceBitmap(TCanvas& Canvas, TColor Background, const TRect& R, const std::string& Name) {
  const auto it = ResourceTable().find(SysUtils::UpperCase(Name));
  if (it == ResourceTable().end()) throw EResNotFound("Resource " + Name + " not found");
  const std::unique_ptr<TBitmap> bmp = it->second();
  if (!bmp) throw EResNotFound("Resource " + Name + " not found");
  DrawBitmapOnColor(Canvas, *bmp, Background, R);
}

void DrawComboButton(TCanvas& Canvas, TCustomControl* Window, const TRect& R, bool Themed) {
  const TRect box(R.Right - 16 - 2, R.Top + 1, R.Right - 2, R.Bottom - 1);
  if (Themed) {
    const GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(Window, "combobox");
    GridXPVS::DrawThemeBackground(theme, Canvas, 1, 1, box, nullptr);
    GridXPVS::CloseThemeData(theme);
  } else {
    Themes::DrawClassicPart(Canvas, Themes::tpComboButton, {}, box);
  }
}

void UnderlineTextRange(TCanvas& Canvas, const std::string& Text, int Count, int StartIndex, int VOffset, const TRect& R) {
  const std::u16string w = Utf8ToWide(Text);
  const int len = static_cast<int>(w.size());
  auto leftOf = [&](int i) { return Canvas.TextWidth(WideToUtf8(w.substr(0, static_cast<size_t>(std::clamp(i, 0, len))))); };
  const int sx = StartIndex >= len ? leftOf(len) + 4 : leftOf(StartIndex);
  const int last = StartIndex + Count - 1;
  const int ex = last >= len - 1 ? leftOf(len - 1) + 4 : leftOf(last);
  Canvas.Pen->SetColor(clRed);
  Canvas.Pen->SetWidth(2);
  Canvas.Pen->SetStyle(psSolid);
  const int base = R.Top + VOffset;
  int x = R.Left + sx;
  Canvas.MoveTo(x, base + 3);
  bool low = false;
  while (x <= R.Left + ex) {
    x += 3;
    Canvas.LineTo(x, low ? base + 3 : base);
    low = !low;
  }
  Canvas.LineTo(x + 3, low ? base + 3 : base);
  Canvas.Pen->SetWidth(1);
}

}  // namespace GridUtil

std::string GridUtil::EscapeMarkup(const std::string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    const char ch = Text[i];
    if (ch == '&') out += "&amp;";
    else if (ch == '<') out += "&lt;";
    else if (ch == '>') out += "&gt;";
    else if (ch == '\r') {
      out += "<BR>";
      if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
    } else if (ch == '\n') out += "<BR>";
    else out += ch;
  }
  return out;
}
