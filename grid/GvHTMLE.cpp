#include "grid/GvHTMLE.h"

#include "grid/GridXPVS.h"
#include "grid/PictureContainer.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Icon.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/ShellIcons.h"
#include "platform/ui/Themes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>

bool GvHTMLE::ThemedOS = true;

namespace {

using GvHTMLE::THtmlRenderOptions;
using GvHTMLE::THtmlRenderResult;

// "&amp;" stands for this byte between the entity pass and drawing, so that
// the ampersand it gives is never read as the start of another entity.
constexpr char kAmpersand = '\x01';

std::string Upper(std::string_view S) { return SysUtils::UpperCase(S); }

bool StartsWithCI(std::string_view S, std::string_view Prefix) {
  if (S.size() < Prefix.size()) return false;
  return Upper(S.substr(0, Prefix.size())) == Upper(Prefix);
}

// ---------------------------------------------------------------- numbers

// Attribute numbers are sizes and positions in pixels or points: larger ones
// are cut to this, so that no sum of them can overflow.
constexpr int64_t kMaxAttributeNumber = 100000;

// A decimal, "$" or "0x" hexadecimal prefix after blanks; the digits read
// so far (0 when none). Nothing when not even one digit reads.
std::optional<int> ReadNumberPrefix(std::string_view S) {
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  bool negative = false;
  if (i < S.size() && (S[i] == '-' || S[i] == '+')) negative = S[i++] == '-';
  int base = 10;
  if (i < S.size() && S[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  int64_t value = 0;
  bool any = false;
  for (; i < S.size(); ++i) {
    const char c = S[i];
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (d < 0) break;
    any = true;
    value = std::min<int64_t>(value * base + d, kMaxAttributeNumber);
  }
  if (!any) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

int ReadNumber(std::string_view S) { return ReadNumberPrefix(S).value_or(0); }

// The number after an attribute name at Pos: past blanks, "=" and quotes.
int ReadNumberAt(std::string_view S, size_t Pos) {
  while (Pos < S.size() && (S[Pos] == ' ' || S[Pos] == '=' || S[Pos] == '"')) ++Pos;
  return Pos < S.size() ? ReadNumber(S.substr(Pos)) : 0;
}

// ---------------------------------------------------------------- attributes

// The first double-quoted value after Name (searched case-insensitively);
// empty when the name or a quote is missing. Values keep their case.
std::string AttrValue(const std::string& Tag, const std::string& Name) {
  const std::string upper = Upper(Tag);
  const size_t at = upper.find(Upper(Name));
  if (at == std::string::npos) return {};
  const size_t q1 = Tag.find('"', at + Name.size());
  if (q1 == std::string::npos) return {};
  const size_t q2 = Tag.find('"', q1 + 1);
  std::string v = Tag.substr(q1 + 1, q2 == std::string::npos ? std::string::npos : q2 - q1 - 1);
  std::replace(v.begin(), v.end(), kAmpersand, '&');
  return v;
}

std::string FirstQuoted(const std::string& Tag) {
  const size_t q1 = Tag.find('"');
  if (q1 == std::string::npos) return {};
  const size_t q2 = Tag.find('"', q1 + 1);
  std::string v = Tag.substr(q1 + 1, q2 == std::string::npos ? std::string::npos : q2 - q1 - 1);
  std::replace(v.begin(), v.end(), kAmpersand, '&');
  return v;
}

std::string ReplaceAllCI(std::string S, std::string_view From, std::string_view To) {
  std::string out;
  size_t i = 0;
  while (i < S.size()) {
    if (StartsWithCI(std::string_view(S).substr(i), From)) {
      out += To;
      i += From.size();
    } else {
      out += S[i++];
    }
  }
  return out;
}

// ---------------------------------------------------------------- entities

struct TEntity {
  const char* Name;
  const char* Text;
};

// Replaced before layout, in one pass from left to right.
constexpr std::array<TEntity, 9> kEntities = {{{"&amp;", "\x01"},
                                               {"&quot;", "\""},
                                               {"&sect;", "\u00A7"},
                                               {"&permil;", "\u2030"},
                                               {"&reg;", "\u00AE"},
                                               {"&copy;", "\u00A9"},
                                               {"&para;", "\u00B6"},
                                               {"&trade;", "\u2122"},
                                               {"&euro;", "\u20AC"}}};
// Replaced inside text runs.
constexpr std::array<TEntity, 3> kRunEntities = {{{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}}};

template <size_t N>
std::string ReplaceEntities(std::string_view S, const std::array<TEntity, N>& Table) {
  std::string out;
  out.reserve(S.size());
  size_t i = 0;
  while (i < S.size()) {
    bool done = false;
    if (S[i] == '&')
      for (const TEntity& e : Table) {
        const std::string_view name(e.Name);
        if (StartsWithCI(S.substr(i), name)) {
          out += e.Text;
          i += name.size();
          done = true;
          break;
        }
      }
    if (!done) out += S[i++];
  }
  return out;
}

// The run as drawn: entities replaced, the literal ampersand doubled for the
// mnemonic processing of the text drawing.
std::string DecodeRun(std::string_view Run) {
  std::string s = ReplaceEntities(Run, kRunEntities);
  std::string out;
  for (char c : s) {
    if (c == kAmpersand) out += "&&";
    else out += c;
  }
  return out;
}

// The run as plain text.
std::string PlainRun(std::string_view Run) {
  std::string s = ReplaceEntities(Run, kRunEntities);
  std::replace(s.begin(), s.end(), kAmpersand, '&');
  return s;
}

// ---------------------------------------------------------------- colours

TColor ColorValue(const std::string& Value) {
  if (!Value.empty() && Value[0] == '#') return GvHTMLE::ColorFromHex(Upper(Value));
  return GvHTMLE::ColorFromName(Value);
}

// ---------------------------------------------------------------- the renderer

enum class TAlign { Left, Right, Center };

class TRenderer {
 public:
  TRenderer(TCanvas& C, const TRect& Bounds, const THtmlRenderOptions& O, THtmlRenderResult& R)
      : C(C), Bounds(Bounds), O(O), Res(R) {}

  bool Render(std::string Text);

 private:
  // The line pass: consumes the text of one line and returns it.
  std::string Line(std::string& Text, int L, int T, int R, int B, bool Drawing, bool Layout, int& LineWidth);
  void HandleTag(const std::string& Tag, bool Drawing, bool Layout, int L, int T, int R, int B);
  void OpeningTag(const std::string& Tag, const std::string& U, bool Drawing, bool Layout, int L, int T, int R, int B);
  void ClosingTag(const std::string& Tag, const std::string& U, bool Drawing, int L, int T, int B);
  void LinkStart(const std::string& Tag, bool Drawing, int T);
  void LinkEnd(bool Drawing, int L, int T, int B);
  void Image(const std::string& Tag, bool Drawing, int L, int T, int R);
  void Control(const std::string& Tag, bool Drawing, int L, int T, int R, int B);
  void Body(const std::string& Tag, bool Drawing);
  THTMLPicture* FindPicture(const std::string& Src);
  void DrawRun(const std::string& Run, int T, int R, int B);
  void ErrorUnderline(int X0, int X1, int B);
  void Place(int Width, int Height, int L, int T, int R);
  void SetFontStyle(TFontStyle S, bool On);
  void SetBackground(TColor Color);
  int GhHeight() { return C.TextHeight("gh"); }
  TSize Scaled(int W, int H);
  bool ThemesActive() const;
  void DrawThemed(const char* Class, int Part, int State, const TRect& R);

  TCanvas& C;
  TRect Bounds;
  const THtmlRenderOptions& O;
  THtmlRenderResult& Res;
  uint32_t Flags = 0;

  TFont DefaultFont;
  TColor EntryBrush = clWhite;
  TColor Background = clNone;
  bool InLink = false, HitPending = false, ErrorLine = false, Shadow = false, Hidden = false, Sub = false,
       Super = false, ParaBackground = false;
  std::string LinkRef;
  TColor SavedHoverBack = clNone, SavedHoverText = clNone, SavedHiBack = clNone, SavedHiText = clNone,
         SavedFontBack = clNone, SavedParaBack = clNone;
  int ListLevel = 0, ImageCounter = 0, HoveredImage = -1;
  TAlign Align = TAlign::Left;
  int Indent = 0;
  TRect FocusRect{0, 0, 0, 0};
  int LinkStartW = 0, LinkStartTop = 0;
  bool Rotated = false;
  TFont BeforeRotation;

  // Per line.
  int Raise = 0, SubDepth = 0, SuperHeight = 0, LineHeight = 0, BaseHeight = 0;
  int W = 0, X = 0, TrailingBlank = 0;
  bool LineEnd = false, LineFull = false, ListItemSeen = false, LinkTextHit = false, ItemHit = false;
  std::string Visible;
};

bool TRenderer::ThemesActive() const { return GvHTMLE::ThemedOS && GridXPVS::UseThemes(); }

TSize TRenderer::Scaled(int Width, int Height) {
  TDeviceContext* dc = C.GetHandle();
  return TSize{Width * dc->GetDeviceCaps(LOGPIXELSX) / 96, Height * dc->GetDeviceCaps(LOGPIXELSY) / 96};
}

void TRenderer::SetFontStyle(TFontStyle S, bool On) {
  TFontStyles st = C.Font->GetStyle();
  if (On) st.Include(S);
  else st.Exclude(S);
  C.Font->SetStyle(st);
}

void TRenderer::SetBackground(TColor Color) {
  Background = Color;
  if (Color == clNone) C.Brush->SetStyle(bsClear);
}

bool TRenderer::Render(std::string Text) {
  DefaultFont.Assign(*C.Font);
  TFont measureFont, drawFont;
  measureFont.Assign(*C.Font);
  drawFont.Assign(*C.Font);
  EntryBrush = C.Brush->GetColor();
  const TBrushStyle entryBrushStyle = C.Brush->GetStyle();
  Res.HitControlRect = TRect(0, 0, 0, 0);
  Res.HitControlId.clear();
  Res.HitControlValue.clear();
  Res.HitControlType.clear();
  Res.PlainText.clear();
  Res.FocusedLinkRef.clear();
  Res.ContentWidth = Res.ContentHeight = Res.LinkCount = 0;
  Res.HitLinkIndex = -1;
  C.GetHandle()->SetBkMode(TRANSPARENT);
  Flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | (O.WordWrap ? 0u : DT_END_ELLIPSIS);

  Text.erase(std::remove(Text.begin(), Text.end(), kAmpersand), Text.end());
  if (Text.find('&') != std::string::npos) Text = ReplaceEntities(Text, kEntities);
  // "<#name>" shows as "#name".
  const size_t hash = Text.find("<#");
  if (hash != std::string::npos) {
    Text.erase(hash, 1);
    const size_t gt = Text.find('>', hash);
    if (gt != std::string::npos) Text.erase(gt, 1);
  }
  Text.erase(std::remove(Text.begin(), Text.end(), '\n'), Text.end());
  for (size_t p = Text.find('\r'); p != std::string::npos; p = Text.find('\r', p)) Text.replace(p, 1, "<BR>");

  bool result = false;
  TRect line = Bounds;
  line.Left += 1;
  int drawLinks = 0, drawLevel = 0, drawImages = 0;
  while (!Text.empty()) {
    C.Font->Assign(measureFont);
    const bool savedInLink = InLink;
    const std::string savedRef = LinkRef;
    Raise = SubDepth = SuperHeight = 0;
    Sub = Super = false;
    LineHeight = BaseHeight = GhHeight();
    int lineWidth = 0;
    const size_t before = Text.size();
    std::string consumed = Line(Text, line.Left, line.Top, line.Right, line.Bottom, false, true, lineWidth);
    // A line that takes nothing would repeat for ever.
    if (Text.size() == before && consumed.empty()) Text.clear();
    InLink = savedInLink;
    LinkRef = savedRef;
    measureFont.Assign(*C.Font);
    TRect draw = line;
    if (Align == TAlign::Right && draw.Right - lineWidth > draw.Left) draw.Left = draw.Right - lineWidth;
    if (Align == TAlign::Center && draw.Right - draw.Left - lineWidth > 0)
      draw.Left += (draw.Right - draw.Left - lineWidth) / 2;
    draw.Left += Indent;
    draw.Bottom = draw.Top + LineHeight + SubDepth + SuperHeight;
    if (!O.MeasureOnly) {
      C.Font->Assign(drawFont);
      Res.LinkCount = drawLinks;
      ListLevel = drawLevel;
      ImageCounter = drawImages;
      Raise = 0;
      Sub = Super = false;
      int ignored = 0;
      Line(consumed, draw.Left, draw.Top, draw.Right, draw.Bottom, !O.HitTestOnly, false, ignored);
      drawLinks = Res.LinkCount;
      drawLevel = ListLevel;
      drawImages = ImageCounter;
      const int gh = GhHeight();
      if ((LinkTextHit && draw.Bottom - Raise - gh < O.MouseY && O.MouseY < draw.Bottom - Raise) || ItemHit)
        result = true;
      drawFont.Assign(*C.Font);
    }
    const int advance = LineHeight + SubDepth + SuperHeight;
    line.Top = std::min(line.Top + advance, 1 << 29);
    Res.ContentHeight = std::min(Res.ContentHeight + advance, 1 << 29);
    if (!O.MeasureOnly && line.Top + BaseHeight > line.Bottom) Text.clear();
  }
  if (Res.ContentHeight == 0) Res.ContentHeight = GhHeight();
  C.Brush->SetColor(EntryBrush);
  C.Brush->SetStyle(entryBrushStyle);
  C.Font->Assign(DefaultFont);
  return result;
}

std::string TRenderer::Line(std::string& Text, int L, int T, int R, int B, bool Drawing, bool Layout,
                            int& LineWidth) {
  B -= SubDepth;
  std::string consumed;
  W = 0;
  X = L;
  TrailingBlank = 0;
  LineEnd = LineFull = ListItemSeen = LinkTextHit = ItemHit = false;
  Visible.clear();
  if (Drawing && ParaBackground && Background != clNone) {
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(Background);
    C.Pen->SetColor(Background);
    C.Rectangle(Bounds.Left, T, Bounds.Right, T + LineHeight);
  }
  while (!Text.empty() && !LineEnd && !LineFull) {
    size_t runEnd = Text.find('<');
    if (O.WordWrap) {
      const size_t blank = Text.find(' ');
      if (blank != std::string::npos && (runEnd == std::string::npos || blank < runEnd)) runEnd = blank + 1;
    }
    if (runEnd == std::string::npos) runEnd = Text.size();
    if (runEnd > 0) {
      const std::string source = Text.substr(0, runEnd);
      const std::string run = DecodeRun(source);
      TRect calc(L, T, R, B);
      C.GetHandle()->DrawText(run, calc, Flags | DT_CALCRECT);
      const int h = calc.Height();
      if (Sub) SubDepth = std::max(SubDepth, h / 4);
      if (Super) SuperHeight = std::max(SuperHeight, h / 4);
      LineHeight = std::max(LineHeight, h);
      if (Hidden) {
        if (Layout) Res.PlainText += PlainRun(source);
        Text.erase(0, runEnd);
      } else {
        const int w = calc.Width();
        W += w;
        if (!Drawing) {
          if (InLink && L + W - w <= O.MouseX && O.MouseX <= L + W) {
            LinkTextHit = true;
            if (O.MouseY > T) {
              Res.HitLink = LinkRef;
              HitPending = true;
            }
          }
        } else {
          DrawRun(run, T, R, B);
        }
        bool fits = W < R - L || w >= R - L;
        if (!fits && !Visible.empty() && Visible.back() != ' ') fits = true;
        const bool firstVisible = Visible.empty();
        Visible += run;
        if (fits || !O.WordWrap) {
          consumed += source;
          Text.erase(0, runEnd);
          if (Layout) Res.PlainText += PlainRun(source);
          if (!Drawing && !fits && !firstVisible) Text.clear();
          TrailingBlank = !run.empty() && run.back() == ' ' ? C.TextWidth(" ") : 0;
        } else {
          LineEnd = true;
          W -= w;
        }
      }
    }
    if (LineEnd || Text.empty() || Text[0] != '<') continue;
    if (Text.size() < 3) {
      Text.clear();
      continue;
    }
    const size_t gt = Text.find('>');
    if (gt == std::string::npos) {
      Text.clear();
      continue;
    }
    const std::string tag = Text.substr(0, gt + 1);
    HandleTag(tag, Drawing, Layout, L, T, R, B);
    if (!LineFull) {
      consumed += tag;
      Text.erase(0, gt + 1);
    }
  }
  W -= TrailingBlank;
  Res.ContentWidth = std::max(Res.ContentWidth, W);
  LineWidth = W;
  if (Drawing && InLink && Res.LinkCount == O.FocusedLink + 1) {
    FocusRect.Right = X + 1;
    FocusRect.Bottom = B;
    FocusRect.Top = B - GhHeight();
    FocusRect.Left -= 1;
    C.DrawFocusRect(FocusRect);
    FocusRect = TRect(L + 1, B, L + 1, B);
  }
  return consumed;
}

void TRenderer::DrawRun(const std::string& Run, int T, int R, int B) {
  int bottom = B;
  if (Super) bottom -= SuperHeight;
  if (Sub) bottom += SubDepth;
  bottom -= Raise;
  TDeviceContext* dc = C.GetHandle();
  if (Shadow) {
    const TColor textColor = C.Font->GetColor();
    C.Font->SetColor(O.ShadowColor);
    TRect s(X + O.ShadowOffset, T + O.ShadowOffset, R + O.ShadowOffset, bottom + O.ShadowOffset);
    C.GetHandle()->DrawText(Run, s, Flags);
    C.Font->SetColor(textColor);
  }
  TRect box(X, T, R, bottom);
  TRect calc = box;
  dc = C.GetHandle();
  dc->DrawText(Run, calc, Flags | DT_CALCRECT);
  const int right = std::min(R, X + calc.Width());
  if (Background != clNone) {
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(Background);
    C.FillRect(TRect(X, bottom - calc.Height(), right, bottom));
  }
  dc = C.GetHandle();
  dc->SetBkMode(TRANSPARENT);
  dc->DrawText(Run, box, Flags);
  C.Refresh();
  if (InLink && Res.LinkCount == O.FocusedLink + 1) Res.FocusedLinkRef = LinkRef;
  if (ErrorLine) ErrorUnderline(X, right, bottom);
  X = right;
}

void TRenderer::ErrorUnderline(int X0, int X1, int B) {
  C.Pen->SetColor(clRed);
  C.Pen->SetWidth(1);
  int x = X0 & ~1;
  int y = x % 4 == 0 ? B + 1 : B - 1;
  C.MoveTo(x, y);
  while (x < X1) {
    x += 2;
    y = y == B + 1 ? B - 1 : B + 1;
    C.LineTo(x, y);
  }
}

void TRenderer::HandleTag(const std::string& Tag, bool Drawing, bool Layout, int L, int T, int R, int B) {
  const std::string U = Upper(Tag);
  if (U.size() > 3 && U[1] == '/') ClosingTag(Tag, U, Drawing, L, T, B);
  else OpeningTag(Tag, U, Drawing, Layout, L, T, R, B);
}

void TRenderer::OpeningTag(const std::string& Tag, const std::string& U, bool Drawing, bool Layout, int L, int T,
                           int R, int B) {
  const char c1 = U.size() > 1 ? U[1] : 0, c2 = U.size() > 2 ? U[2] : 0;
  switch (c1) {
    case 'A': LinkStart(Tag, Drawing, T); break;
    case 'B':
      if (c2 == '>') SetFontStyle(fsBold, true);
      else if (c2 == 'R') {
        LineEnd = true;
        if (Layout) Res.PlainText += '\r';
      } else if (c2 == 'L') {
        if (!O.BlinkVisible) C.Font->SetColor(EntryBrush);
      } else if (c2 == 'O') Body(Tag, Drawing);
      break;
    case 'C': Control(Tag, Drawing, L, T, R, B); break;
    case 'E':
      if (Drawing) ErrorLine = true;
      break;
    case 'F': {
      const std::string face = AttrValue(Tag, "FACE");
      if (!face.empty()) C.Font->SetName(face);
      const std::string color = AttrValue(Tag, " COLOR");
      if (!color.empty() && !O.Selected) C.Font->SetColor(ColorValue(color));
      const std::string back = AttrValue(Tag, "BGCOLOR");
      if (!back.empty() && Drawing && !O.Selected) {
        SavedFontBack = C.Brush->GetStyle() == bsClear ? clNone : Background;
        SetBackground(ColorValue(back));
      }
      const size_t size = U.find("SIZE");
      if (size != std::string::npos) {
        const int n = ReadNumberAt(U, size + 4);
        static constexpr int kSizes[6] = {0, 8, 10, 12, 14, 16};
        const int points = n >= 1 && n <= 5 ? kSizes[n] : std::min(n, 1000);
        if (points > 0) C.Font->SetSize(points);
      }
      break;
    }
    case 'H':
      if (c2 == 'I' && Drawing) {
        SavedHiBack = Background;
        SavedHiText = C.Font->GetColor();
        SetBackground(clHighlight);
        C.Font->SetColor(clHighlightText);
      } else if (c2 == 'R') {
        LineEnd = true;
        if (Drawing) {
          C.Pen->SetColor(clBlack);
          C.Pen->SetWidth(1);
          C.MoveTo(L, B);
          C.LineTo(R, B);
        }
      }
      break;
    case 'I':
      if (c2 == '>') SetFontStyle(fsItalic, true);
      else if (c2 == 'N') {
        const size_t x = U.find('X', 4);
        if (x != std::string::npos) {
          size_t p = x + 1;
          while (p < U.size() && (U[p] == ' ' || U[p] == '=' || U[p] == '"')) ++p;
          const std::optional<int> n = ReadNumberPrefix(std::string_view(U).substr(std::min(p, U.size())));
          if (n && W < *n) {
            W = *n;
            X = Bounds.Left + *n;
          }
        }
      } else if (c2 == 'M') {
        Image(Tag, Drawing, L, T, R);
      }
      break;
    case 'L': {
      if (ListItemSeen) {
        LineFull = true;
        break;
      }
      ListItemSeen = true;
      W += 12 * ListLevel;
      X += 12 * (ListLevel - 1);
      if (Drawing) {
        const std::string name = C.Font->GetName();
        C.Font->SetName("Symbol");
        C.GetHandle()->SetBkMode(TRANSPARENT);
        C.TextOut(X, T, ListLevel % 2 == 1 ? "\u00B7" : "o");
        C.Font->SetName(name);
      }
      X += 12;
      break;
    }
    case 'P': {
      const std::string align = Upper(AttrValue(Tag, "ALIGN"));
      if (align.find("RIGHT") != std::string::npos) Align = TAlign::Right;
      if (align.find("LEFT") != std::string::npos) Align = TAlign::Left;
      if (align.find("CENTER") != std::string::npos) Align = TAlign::Center;
      if (U.find("INDENT") != std::string::npos) Indent = ReadNumber(AttrValue(Tag, "INDENT"));
      if (Drawing && U.find("BGCOLOR") != std::string::npos) {
        const std::string v = AttrValue(Tag, "BGCOLOR");
        ParaBackground = true;
        SavedParaBack = Background;
        SetBackground(v.empty() ? clNone : ColorValue(v));
        if (Background != clNone) {
          C.Brush->SetStyle(bsSolid);
          C.Brush->SetColor(Background);
          C.Pen->SetColor(Background);
          C.Rectangle(Bounds.Left, T, Bounds.Right, B);
        }
      }
      break;
    }
    case 'R': {
      const size_t a = U.find('A', 2);
      const int n = a == std::string::npos ? 0 : ReadNumberAt(U, a + 1);
      if (!Rotated) BeforeRotation.Assign(*C.Font);
      Rotated = true;
      C.Font->SetOrientation(n * 10);
      break;
    }
    case 'S':
      if (c2 == '>') SetFontStyle(fsStrikeOut, true);
      else if (c2 == 'H') Shadow = true;
      else if (U == "<SUB>") Sub = true;
      else if (U == "<SUP>") Super = true;
      break;
    case 'U':
      if (c2 == '>') SetFontStyle(fsUnderline, true);
      else {
        ++ListLevel;
        LineEnd = true;
      }
      break;
    case 'Z': Hidden = true; break;
    default: break;
  }
}

void TRenderer::ClosingTag(const std::string& /*Tag*/, const std::string& U, bool Drawing, int L, int T, int B) {
  const char c2 = U[2], c3 = U.size() > 3 ? U[3] : 0;
  switch (c2) {
    case 'A': LinkEnd(Drawing, L, T, B); break;
    case 'B':
      if (c3 == '>') SetFontStyle(fsBold, false);
      else C.Font->SetColor(DefaultFont.GetColor());
      break;
    case 'E':
      if (Drawing) ErrorLine = false;
      break;
    case 'F':
      C.Font->SetName(DefaultFont.GetName());
      C.Font->SetSize(DefaultFont.GetSize());
      if (Drawing && !O.Selected) {
        C.Font->SetColor(DefaultFont.GetColor());
        SetBackground(SavedFontBack);
      }
      break;
    case 'H':
      if (Drawing) {
        C.Font->SetColor(SavedHiText);
        SetBackground(SavedHiBack);
      }
      break;
    case 'I': SetFontStyle(fsItalic, false); break;
    case 'L': LineEnd = true; break;
    case 'P':
      LineEnd = true;
      if (Drawing) {
        SetBackground(SavedParaBack);
        ParaBackground = false;
      }
      break;
    case 'R':
      if (Rotated) C.Font->Assign(BeforeRotation);
      Rotated = false;
      break;
    case 'S':
      if (c3 == 'U') Sub = Super = false;
      else if (c3 == 'H') Shadow = false;
      else SetFontStyle(fsStrikeOut, false);
      break;
    case 'U':
      if (c3 == '>') SetFontStyle(fsUnderline, false);
      else if (ListLevel > 0) --ListLevel;
      else SetFontStyle(fsUnderline, false);
      break;
    case 'Z': Hidden = false; break;
    default: break;
  }
}

void TRenderer::LinkStart(const std::string& Tag, bool Drawing, int T) {
  if (Res.LinkCount == O.FocusedLink && Drawing) FocusRect = TRect(X, T, X, T);
  ++Res.LinkCount;
  const bool hover = !O.HoverOnly || O.HoveredLink == Res.LinkCount;
  if (hover && Drawing) {
    SetFontStyle(fsUnderline, true);
    if (O.HoverBackColor != clNone) {
      SavedHoverBack = C.Brush->GetStyle() == bsClear ? clNone : Background;
      SetBackground(O.HoverBackColor);
    }
    if (O.HoverTextColor != clNone) {
      SavedHoverText = C.Font->GetColor();
      C.Font->SetColor(O.HoverTextColor);
    }
  }
  if (!O.Selected && (O.HoverTextColor == clNone || O.HoveredLink != Res.LinkCount || !O.HoverOnly))
    C.Font->SetColor(O.LinkColor);
  LinkRef = FirstQuoted(Tag);
  InLink = true;
  LinkStartW = W;
  LinkStartTop = T;
}

void TRenderer::LinkEnd(bool Drawing, int L, int T, int B) {
  const bool hover = !O.HoverOnly || O.HoveredLink == Res.LinkCount;
  if (hover && Drawing) {
    SetFontStyle(fsUnderline, false);
    if (O.HoverBackColor != clNone) SetBackground(SavedHoverBack);
    if (O.HoverTextColor != clNone) C.Font->SetColor(SavedHoverText);
  }
  if (!O.Selected) C.Font->SetColor(DefaultFont.GetColor());
  InLink = false;
  if (HitPending) {
    const bool sameLine = LinkStartTop == T;
    Res.HitLinkRect = TRect(L + (sameLine ? LinkStartW : 0), T, L + W, B);
    Res.HitLinkIndex = Res.LinkCount;
    HitPending = false;
  }
  if (Res.LinkCount == O.FocusedLink + 1 && Drawing) {
    FocusRect.Right = X + 1;
    FocusRect.Bottom = B - Raise;
    FocusRect.Top = FocusRect.Bottom - GhHeight();
    FocusRect.Left -= 1;
    C.DrawFocusRect(FocusRect);
  }
}

THTMLPicture* TRenderer::FindPicture(const std::string& Src) {
  const std::string upper = Upper(Src);
  if (Src.find(':') == std::string::npos) return O.Pictures ? O.Pictures->FindPicture(upper) : nullptr;
  if (Src.find("://") == std::string::npos || !O.PictureCache) return nullptr;
  THTMLPicture* p = O.PictureCache->FindPicture(upper);
  if (p) return p;
  THTMLPicture* added = O.PictureCache->AddPicture();
  added->Asynch = false;
  try {
    added->LoadFromURL(Src);
  } catch (const Exception&) {
    // An undecodable resource leaves the entry empty: it takes no room.
  }
  return O.PictureCache->FindPicture(upper);
}

void TRenderer::Place(int Width, int Height, int L, int /*T*/, int R) {
  if (W + Width > R - L && Width < R - L) {
    LineFull = true;
    return;
  }
  // Sums stay far from the integer range whatever the markup holds.
  W = std::min(W + Width, 1 << 28);
  X = std::min(X + Width, 1 << 28);
  LineHeight = std::min(std::max(LineHeight, Height), 1 << 28);
}

void TRenderer::Image(const std::string& Tag, bool Drawing, int L, int T, int R) {
  ++ImageCounter;
  std::string src = AttrValue(Tag, "SRC");
  if (Upper(Tag).find("ALT") != std::string::npos && ImageCounter == HoveredImage) src = AttrValue(Tag, "ALT");
  const int wantW = ReadNumber(AttrValue(Tag, "WIDTH")), wantH = ReadNumber(AttrValue(Tag, "HEIGHT"));
  const std::string usrc = Upper(src);
  int iw = 0, ih = 0;
  if (usrc.rfind("IDX:", 0) == 0) {
    const int n = ReadNumber(src.substr(4));
    if (O.Images && n >= 0 && n < O.Images->Count()) {
      const TSize s = Scaled(O.Images->GetWidth(), O.Images->GetHeight());
      iw = s.cx;
      ih = s.cy;
      if (Drawing && !O.Printing) {
        O.Images->Draw(&C, X, T, n, true);
      } else if (Drawing) {
        TBitmap bmp;
        O.Images->GetBitmap(n, &bmp);
        C.StretchDraw(TRect(X, T, X + static_cast<int>(std::lround(O.Images->GetWidth() * O.PrintScale)),
                            T + static_cast<int>(std::lround(O.Images->GetHeight() * O.PrintScale))),
                      &bmp);
      }
    }
  } else if (usrc.rfind("SSYS:", 0) == 0 || usrc.rfind("LSYS:", 0) == 0) {
    const bool large = usrc[0] == 'L';
    const std::string name = src.substr(5);
    TIcon icon;
    const bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    const bool found = numeric ? ShellIcons::IconByIndex(ReadNumber(name), large, icon)
                               : ShellIcons::IconForFile(name, large, icon);
    if (found) {
      const TSize base = ShellIcons::IconSize(large);
      const TSize s = Scaled(base.cx, base.cy);
      iw = s.cx;
      ih = s.cy;
      if (Drawing) {
        const double k = O.Printing ? O.PrintScale : 1.0;
        icon.Draw(C, TRect(X, T, X + static_cast<int>(std::lround(base.cx * k)),
                           T + static_cast<int>(std::lround(base.cy * k))));
      }
    }
  } else if (THTMLPicture* pic = FindPicture(src); pic && !pic->GetEmpty()) {
    if (Drawing) {
      if (wantW >= 1 && wantH >= 1) {
        pic->DrawStretched(C, TRect(X, T, X + wantW, T + wantH));
      } else {
        if (pic->FrameCount() > 1) {
          C.Brush->SetStyle(bsSolid);
          C.Brush->SetColor(EntryBrush);
          C.FillRect(TRect(X, T, X + pic->MaxWidth(), T + pic->MaxHeight()));
        }
        pic->Draw(C, TRect(X + pic->FrameXPos(), T + pic->FrameYPos(), X + pic->FrameXPos() + pic->GetWidth(),
                           T + pic->FrameYPos() + pic->GetHeight()));
      }
    }
    const TSize s = wantW >= 1 && wantH >= 1 ? Scaled(wantW, wantH) : Scaled(pic->MaxWidth(), pic->MaxHeight());
    iw = s.cx;
    ih = s.cy;
  }
  if (InLink && L + W < O.MouseX && O.MouseX < L + W + iw && T < O.MouseY && O.MouseY < T + ih) {
    ItemHit = true;
    Res.HitLink = LinkRef;
    HoveredImage = ImageCounter;
  }
  Place(iw, ih, L, T, R);
  if (Upper(Tag).find("\"TOP") != std::string::npos)
    Raise = LineHeight - GhHeight();
  else if (Upper(Tag).find("\"MIDDLE") != std::string::npos)
    Raise = (LineHeight - GhHeight()) / 2;
}

void TRenderer::DrawThemed(const char* Class, int Part, int State, const TRect& R) {
  GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(O.ThemeWindow, Class);
  GridXPVS::DrawThemeBackground(theme, C, Part, State, R, nullptr);
  GridXPVS::CloseThemeData(theme);
}

void TRenderer::Control(const std::string& Tag, bool Drawing, int L, int T, int R, int B) {
  const GvHTMLE::THtmlControlAttributes a = GvHTMLE::ControlAttributes(Tag);
  int width = 0, height = 0;
  const std::optional<int> n = ReadNumberPrefix(a.Width);
  if (n) {
    width = *n;
    height = GhHeight() + 6;
  }
  if (a.Type == "COMBO") height = 25;
  else if (a.Type == "CHECK" || a.Type == "RADIO") width = height = 16;
  else if (a.Type == "BUTTON") height = 24;
  const bool hot = X - 2 < O.MouseX && O.MouseX < X + width - 2 && B - height - 2 < O.MouseY && O.MouseY < B - 2;
  if (Drawing) {
    const int H = LineHeight;
    const bool themed = ThemesActive();
    TDeviceContext* dc = nullptr;
    C.Pen->SetColor(clGray);
    C.Brush->SetStyle(bsClear);
    if (a.Type == "EDIT" || a.Type == "COMBO") {
      C.Rectangle(X, B - H + 3, X + width, B + 1);
      const bool combo = a.Type == "COMBO";
      TRect tr(X + 2, B - H + (combo ? 6 : 4), X + width - (combo ? 17 : 0), B);
      dc = C.GetHandle();
      dc->SetBkMode(TRANSPARENT);
      dc->DrawText(a.Value, tr, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      C.Refresh();
      if (combo) {
        const TRect btn(X + width - 19, B - H + 6, X + width - 3, B - 2);
        if (themed) DrawThemed("combobox", 1, hot ? 2 : 1, btn);
        else Themes::DrawClassicPart(C, Themes::tpComboButton, {}, btn);
      }
    } else if (a.Type == "CHECK") {
      const bool checked = Upper(a.Value) == "TRUE";
      TRect box(X + 2, B - 15, X + 15, B);
      if (themed) DrawThemed("button", 3, checked ? 5 : 1, box);
      else C.GetHandle()->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    } else if (a.Type == "RADIO") {
      const bool checked = Upper(a.Value) == "TRUE";
      const bool pressed = O.ControlPressed && hot;
      TRect box(X + 2, B - 14, X + 14, B);
      if (themed) DrawThemed("button", 2, (checked ? 5 : 1) + (pressed ? 2 : hot ? 1 : 0), box);
      else C.GetHandle()->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    } else if (a.Type == "BUTTON") {
      TRect box(X + 2, B - 20, X + width - 2, B);
      if (themed) DrawThemed("button", 1, O.ControlPressed ? 3 : hot ? 2 : 1, box);
      else C.GetHandle()->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONPUSH | (hot && O.ControlPressed ? DFCS_PUSHED : 0));
      TRect tr(box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2);
      dc = C.GetHandle();
      dc->SetBkMode(TRANSPARENT);
      dc->DrawText(a.Value, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      C.Refresh();
    }
    C.Refresh();
  }
  if (L + W < O.MouseX && O.MouseX < L + W + width && T < O.MouseY && O.MouseY < T + height) {
    ItemHit = true;
    Res.HitLink = "ctrl";
    Res.HitControlRect = TRect(L + W, T, L + W + width, T + height);
    Res.HitControlId = a.Id;
    Res.HitControlValue = a.Value;
    Res.HitControlType = a.Type;
  }
  Place(width, height, L, T, R);
}

void TRenderer::Body(const std::string& Tag, bool Drawing) {
  if (!Drawing) return;
  const std::string back = AttrValue(Tag, "BACKGROUND");
  if (!back.empty()) {
    THTMLPicture* pic = FindPicture(back);
    if (pic && !pic->GetEmpty() && pic->GetWidth() > 0 && pic->GetHeight() > 0) {
      TDeviceContext* dc = C.GetHandle();
      const int saved = dc->SaveDC();
      dc->IntersectClipRect(Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom);
      C.Refresh();
      for (int y = Bounds.Top; y < Bounds.Bottom; y += pic->GetHeight())
        for (int x = Bounds.Left; x < Bounds.Right; x += pic->GetWidth())
          pic->Draw(C, TRect(x, y, x + pic->GetWidth(), y + pic->GetHeight()));
      C.GetHandle()->RestoreDC(saved);
      C.Refresh();
    }
  }
  const std::string color = Upper(AttrValue(Tag, "BGCOLOR"));
  TColor bg = clNone;
  if (color.find("CL") != std::string::npos) bg = GvHTMLE::ColorFromName(color);
  else if (color.find('#') != std::string::npos) bg = GvHTMLE::ColorFromHex(color);
  else return;
  SetBackground(bg);
  SavedFontBack = bg;
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(bg);
  C.FillRect(Bounds);
}

}  // namespace

// ================================================================ public routines

bool GvHTMLE::RenderHtml(TCanvas& Canvas, const std::string& Text, const TRect& Bounds,
                         const THtmlRenderOptions& Options, THtmlRenderResult& Result) {
  TRenderer renderer(Canvas, Bounds, Options, Result);
  return renderer.Render(Text);
}

TColor GvHTMLE::ColorFromName(const std::string& Name) {
  struct TNamed {
    const char* Name;
    TColor Color;
  };
  static constexpr TNamed kColors[] = {
      {"clred", 0x0000FF},     {"clblack", 0x000000},  {"clblue", 0xFF0000},   {"clgreen", 0x008000},
      {"claqua", 0xFFFF00},    {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
      {"cllime", 0x00FF00},    {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},   {"clolive", 0x008080},
      {"clnavy", 0x800000},    {"clpurple", 0x800080}, {"clteal", 0x808000},   {"clmaroon", 0x000080}};
  static constexpr const char* kSystem[] = {
      "clbackground",  "clactivecaption",  "clinactivecaption", "clmenu",         "clwindow",
      "clwindowframe", "clmenutext",       "clwindowtext",      "clcaptiontext",  "clactiveborder",
      "clinactiveborder", "clappworkspace", "clhighlight",      "clhighlighttext", "clbtnface",
      "clbtnshadow",   "clgraytext",       "clbtntext",         "clinactivecaptiontext", "clbtnhighlight",
      "cl3ddkshadow",  "cl3dlight",        "clinfotext",        "clinfobk"};
  const std::string lower = SysUtils::LowerCase(Name);
  for (const TNamed& n : kColors)
    if (lower == n.Name) return n.Color;
  for (size_t i = 0; i < std::size(kSystem); ++i)
    if (lower == kSystem[i]) return static_cast<TColor>(0xFF000001u + static_cast<uint32_t>(i));
  return 0x000000;
}

TColor GvHTMLE::ColorFromHex(const std::string& Value) {
  auto pair = [&](size_t At) -> uint32_t {
    if (At + 2 > Value.size()) return 0;
    uint32_t v = 0;
    for (size_t i = At; i < At + 2; ++i) {
      const char c = Value[i];
      int d = -1;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      if (d < 0) break;
      v = v * 16 + static_cast<uint32_t>(d);
    }
    return v;
  };
  return static_cast<TColor>(pair(1) | (pair(3) << 8) | (pair(5) << 16));
}

std::string GvHTMLE::StripHtml(const std::string& Text) {
  std::string s = ReplaceAllCI(ReplaceAllCI(Text, "<BR>", "\r\n"), "<HR>", "\r\n");
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '<') {
      const size_t gt = s.find('>', i);
      if (gt == std::string::npos) {
        out += s.substr(i);
        break;
      }
      i = gt + 1;
    } else {
      out += s[i++];
    }
  }
  return out;
}

GvHTMLE::THtmlControlAttributes GvHTMLE::ControlAttributes(const std::string& Tag) {
  THtmlControlAttributes a;
  a.Type = Upper(AttrValue(Tag, "TYPE="));
  a.Width = AttrValue(Tag, "WIDTH=");
  a.Id = AttrValue(Tag, "ID=");
  a.Value = ReplaceAllCI(ReplaceAllCI(AttrValue(Tag, "VALUE="), "&lt;", "<"), "&gt;", ">");
  return a;
}

bool GvHTMLE::SetHtmlControlValue(std::string& Text, const std::string& Id, const std::string& Value) {
  const std::string upper = Upper(Text);
  size_t at = upper.find("<CONTROL ");
  while (at != std::string::npos) {
    const size_t gt = Text.find('>', at);
    if (gt == std::string::npos) return false;
    const std::string tag = Text.substr(at, gt - at + 1);
    const THtmlControlAttributes a = ControlAttributes(tag);
    if (a.Id == Id) {
      std::string v;
      for (char c : Value) {
        if (c == '<') v += "&lt;";
        else if (c == '>') v += "&gt;";
        else v += c;
      }
      const std::string rewritten = "CONTROL ID=\"" + Id + "\" VALUE=\"" + v + "\" WIDTH=\"" + a.Width +
                                    "\" TYPE=\"" + a.Type + "\">";
      Text.replace(at + 1, gt - at, rewritten);
      return true;
    }
    at = upper.find("<CONTROL ", gt);
  }
  return false;
}
