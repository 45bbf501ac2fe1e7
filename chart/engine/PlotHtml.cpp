#include "chart/engine/PlotHtml.h"

#include <algorithm>
#include <cctype>

#include "chart/engine/PlotCanvas.h"

namespace PlotHtml {

std::function<std::unique_ptr<TGraphic>(const std::string& Extension)> PictureForExtension;
std::function<int(const std::string& FileName, std::vector<uint8_t>& Data)> LoadImageFile;

namespace {

const std::string CRLF = "\r\n";

bool StartsWith(const std::string& S, const std::string& Prefix) { return S.compare(0, Prefix.size(), Prefix) == 0; }

// "name=value" pairs of a tag body; a value runs up to the last blank before
// the next "=", or to the end for the last pair.
std::vector<std::pair<std::string, std::string>> TagPairs(const std::string& Body) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string rest = Body;
  while (true) {
    const size_t eq = rest.find('=');
    if (eq == std::string::npos) break;
    const std::string name = SysUtils::UpperCase(SysUtils::Trim(rest.substr(0, eq)));
    const std::string after = rest.substr(eq + 1);
    const size_t next = after.find('=');
    std::string value;
    if (next == std::string::npos) {
      value = after;
      rest.clear();
    } else {
      const size_t blank = after.rfind(' ', next);
      if (blank == std::string::npos) {
        // a=b=c: no blank separates the next name; the value ends at the next "=".
        value = after.substr(0, next);
        rest = after.substr(next);
      } else {
        value = after.substr(0, blank);
        rest = after.substr(blank + 1);
      }
    }
    value = SysUtils::Trim(value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    pairs.emplace_back(name, value);
  }
  return pairs;
}

std::string StylesText(TFontStyles Style) {
  static const std::pair<TFontStyle, const char*> Names[] = {
      {fsBold, "BOLD"}, {fsItalic, "ITALIC"}, {fsUnderline, "UNDERLINE"}, {fsStrikeOut, "STRIKE"}};
  std::string text;
  for (const auto& [style, name] : Names) {
    if (!Style.Contains(style)) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text.empty() ? "NORMAL" : text;
}

struct SpecialColor {
  const char* Name;
  TColor Color;
};

// Colour names of the platform's colour text.
const SpecialColor PlatformColors[] = {
    {"CLBLACK", clBlack},     {"CLMAROON", clMaroon},       {"CLGREEN", clGreen},   {"CLOLIVE", clOlive},
    {"CLNAVY", clNavy},       {"CLPURPLE", clPurple},       {"CLTEAL", clTeal},     {"CLGRAY", clGray},
    {"CLSILVER", clSilver},   {"CLRED", clRed},             {"CLLIME", clLime},     {"CLYELLOW", clYellow},
    {"CLBLUE", clBlue},       {"CLFUCHSIA", clFuchsia},     {"CLAQUA", clAqua},     {"CLLTGRAY", clLtGray},
    {"CLDKGRAY", clDkGray},   {"CLWHITE", clWhite},         {"CLNONE", clNone},     {"CLDEFAULT", clDefault},
    {"CLMONEYGREEN", clMoneyGreen}, {"CLSKYBLUE", clSkyBlue}, {"CLCREAM", clCream}, {"CLMEDGRAY", clMedGray},
    {"CLWINDOW", clWindow},   {"CLWINDOWTEXT", clWindowText}, {"CLBTNFACE", clBtnFace},
    {"CLHIGHLIGHT", clHighlight}, {"CLHIGHLIGHTTEXT", clHighlightText}, {"CLBTNTEXT", clBtnText},
    {"CLGRAYTEXT", clGrayText}, {"CLBTNSHADOW", clBtnShadow}, {"CLINFOBK", clInfoBk}, {"CLINFOTEXT", clInfoText},
};

// One text's drawing state and its two stacks (each text has its own, so an
// unbalanced text cannot change the fonts of the next one).
class HtmlWriter {
public:
  HtmlWriter(TPlotCanvas& Canvas, int32_t X, int32_t Y, bool Draw)
      : C(Canvas), F(*Canvas.Font), X(X), Y(Y), XStart(X), Draw(Draw) {
    LineHeight = C.FontHeight();
  }

  void Run(const std::string& Text) {
    std::string rest = Text;
    while (!rest.empty()) ProcessToken(NextToken(rest));
  }

  TPoint Size;

private:
  static std::string NextToken(std::string& Rest) {
    std::string token;
    if (Rest[0] == '<') {
      Rest.erase(0, 1);
      const size_t close = Rest.find('>');
      if (close == std::string::npos) throw HtmlParserException("Missing > at " + Rest);
      token = "<" + Rest.substr(0, close + 1);
      Rest.erase(0, close + 1);
    } else {
      const size_t open = Rest.find('<');
      token = Rest.substr(0, open);
      Rest.erase(0, open == std::string::npos ? Rest.size() : open);
    }
    return token;
  }

  void LineBreak() {
    X = XStart;
    LineHeight = 0;
    Y += C.FontHeight();
  }

  void ProcessToken(std::string Token) {
    FontPushed = false;
    if (StartsWith(Token, CRLF)) {
      Y += C.FontHeight();
      X = XStart;
      LineHeight = 0;
      Token.erase(0, 2);
    }
    if (Token.empty()) return;
    const std::string U = SysUtils::UpperCase(Token);
    if (!ProcessTag(Token, U)) {
      TextRun(Token);
      return;
    }
    LastTagPushedFont = FontPushed;
  }

  // Answers false when the token is not a tag of the subset (a text run).
  bool ProcessTag(const std::string& Token, const std::string& U) {
    static const int32_t HeadingSizes[] = {48, 36, 24, 18, 12, 8};
    if (U == "<BR>" || U == "<P>") {
      LineBreak();
    } else if (U == "<BIG>") {
      PushFont();
      F.SetSize(F.GetSize() + 2);
    } else if (U == "<SMALL>") {
      PushFont();
      F.SetSize(F.GetSize() - 2);
    } else if (U == "<SUB>") {
      PushFont();
      F.SetSize(F.GetSize() / 2);
      Y += C.FontHeight();
    } else if (U == "</SUB>") {
      PopFont();
      Y -= C.FontHeight();
    } else if (U == "<SUPER>") {
      Y -= C.FontHeight();
      PushFont();
    } else if (U == "</SUPER>") {
      PopFont();
      Y += C.FontHeight() / 2;
    } else if (U.size() == 4 && StartsWith(U, "<H") && U[2] >= '1' && U[2] <= '6' && U[3] == '>') {
      PushFont();
      F.SetSize(HeadingSizes[U[2] - '1']);
    } else if (U == "<PRE>") {
      PushFont();
      ApplyFontTag("<FONT NAME=\"COURIER NEW\">");
    } else if (U == "<CENTER>") {
      Centre = true;
    } else if (U == "</CENTER>") {
      Centre = false;
    } else if (U == "<B>" || U == "<BOLD>" || U == "<STRONG>") {
      SetStyle(fsBold, true);
      TagStack.push_back(U);
    } else if (U == "<I>" || U == "<U>" || U == "<STRIKE>") {
      SetStyle(U == "<I>" ? fsItalic : U == "<U>" ? fsUnderline : fsStrikeOut, true);
      TagStack.push_back(U);
    } else if (U == "</B>" || U == "</BOLD>" || U == "</STRONG>") {
      SetStyle(fsBold, false);
    } else if (U == "</I>" || U == "</U>" || U == "</STRIKE>") {
      SetStyle(U == "</I>" ? fsItalic : U == "</U>" ? fsUnderline : fsStrikeOut, false);
    } else if (StartsWith(U, "<IMG ")) {
      DrawImage(Token);
    } else if (StartsWith(U, "</FONT") || U == "</PRE>") {
      PopFont();
    } else if (StartsWith(U, "<FONT ")) {
      PushFont();
      ApplyFontTag(Token);
    } else if (U == "</>") {
      if (LastTagPushedFont) {
        PopFont();
      } else {
        const std::string last = Pop(TagStack);
        ProcessToken("</" + (last.empty() ? std::string() : last.substr(1)));
      }
    } else if (U == "<HR>") {
      X = XStart;
      C.Pen->SetStyle(psSolid);
      C.Pen->SetWidth(1);
      C.Pen->SetColor(0x808080);
      if (Draw) C.HorizLine(X, X + 100, Y);
      Y += C.FontHeight();
    } else {
      return false;
    }
    return true;
  }

  void SetStyle(TFontStyle Style, bool On) {
    TFontStyles s = F.GetStyle();
    s.Set(Style, On);
    F.SetStyle(s);
  }

  static std::string Pop(std::vector<std::string>& Stack) {
    if (Stack.empty()) return {};
    std::string top = std::move(Stack.back());
    Stack.pop_back();
    return top;
  }

  void PushFont() {
    FontStack.push_back("<FONT size=" + std::to_string(F.GetSize()) + " name=" + F.GetName() +
                        " color=" + std::to_string(F.GetColor()) + " weight=" + StylesText(F.GetStyle()) + ">");
    FontPushed = true;
  }

  void PopFont() {
    const std::string tag = Pop(FontStack);
    if (!tag.empty()) ApplyFontTag(tag);
  }

  // Applies one attribute; while drawing a malformed one is skipped so that a
  // paint never fails on a chart text.
  template <class Fn>
  void Attribute(Fn&& Apply) {
    if (!Draw) {
      Apply();
      return;
    }
    try {
      Apply();
    } catch (const Exception&) {
    }
  }

  void ApplyFontTag(const std::string& Tag) {
    if (Tag.size() < 7) return;
    const std::string body = Tag.substr(6, Tag.size() - 7);
    for (const auto& [name, value] : TagPairs(body)) {
      Attribute([&, &name = name, &value = value] { ApplyFontAttribute(name, value); });
    }
  }

  void ApplyFontAttribute(const std::string& Name, const std::string& Value) {
    if (Name == "NAME" || Name == "FAMILY") {
      F.SetName(Value);
    } else if (Name == "SIZE") {
      if (!Value.empty() && (Value[0] == '+' || Value[0] == '-'))
        F.SetSize(F.GetSize() + SysUtils::StrToInt(Value));
      else
        F.SetSize(SysUtils::StrToInt(Value));
    } else if (Name == "COLOR") {
      F.SetColor(ParseColor(Value));
    } else if (Name == "WEIGHT") {
      const std::string upper = SysUtils::UpperCase(Value);
      TFontStyles styles;
      size_t start = 0;
      while (start <= upper.size()) {
        size_t end = upper.find(", ", start);
        const std::string word = upper.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (word == "BOLD")
          styles.Include(fsBold);
        else if (word == "ITALIC")
          styles.Include(fsItalic);
        else if (word == "STRIKE")
          styles.Include(fsStrikeOut);
        else if (word == "UNDERLINE")
          styles.Include(fsUnderline);
        else if (word != "NORMAL")
          throw HtmlParserException("Unknown field in FONT WEIGHT=" + Value);
        if (end == std::string::npos) break;
        start = end + 2;
      }
      F.SetStyle(styles);
    } else {
      throw HtmlParserException("Unknown field in FONT: " + Name);
    }
  }

  void TextRun(std::string Run) {
    Run = SysUtils::StringReplace(Run, "&lt;", "<");
    Run = SysUtils::StringReplace(Run, "&gt;", ">");
    Run = SysUtils::StringReplace(Run, "&amp;", "&");
    Run = SysUtils::StringReplace(Run, "&quot;", "\"");
    bool trailingBreak = false;
    if (Run.size() >= 2 && Run.compare(Run.size() - 2, 2, CRLF) == 0) {
      Run.erase(Run.size() - 2);
      trailingBreak = true;
    }
    if (!Run.empty()) {
      const int32_t W = C.TextWidth(Run);
      if (Centre) X = (C.ViewBounds.Left + C.ViewBounds.Right) / 2 - W / 2;
      const int32_t H = C.TextHeight(Run);
      if (LineHeight == 0) {
        LineHeight = C.FontHeight();
        Y += LineHeight;
      } else if (LineHeight > H) {
        Y += LineHeight - H - 1;  // smaller text moves down
      }
      if (Draw) C.TextOut(X, Y, Run);
      X += W;
      Size.X = std::max(Size.X, X);
      LineHeight = std::max(LineHeight, H);
      Size.Y = std::max(Size.Y, LineHeight);
    }
    if (trailingBreak) {
      LineHeight = 0;
      X = XStart;
    }
  }

  void DrawImage(const std::string& Token) {
    std::string body = Token.substr(5);
    if (StartsWith(body, CRLF)) body.erase(0, 2);
    if (!body.empty() && body.back() == '>') body.pop_back();
    int32_t width = 0, height = 0;
    std::string src;
    bool haveSrc = false;
    for (const auto& [name, value] : TagPairs(body)) {
      if (name == "WIDTH")
        Attribute([&, &value = value] { width = SysUtils::StrToInt(value); });
      else if (name == "HEIGHT")
        Attribute([&, &value = value] { height = SysUtils::StrToInt(value); });
      else if (name == "SRC") {
        src = SysUtils::Trim(value);
        haveSrc = true;
      }
    }
    if (!haveSrc) return;
    try {
      std::unique_ptr<TGraphic> picture =
          PictureForExtension ? PictureForExtension(SysUtils::UpperCase(SysUtils::ExtractFileExt(src))) : nullptr;
      std::vector<uint8_t> data;
      if (!picture || !LoadImageFile || LoadImageFile(src, data) != 0 || data.empty()) {
        Placeholder(width, height);
        return;
      }
      picture->LoadFromBytes(data);
      if (width == 0) width = picture->GetWidth();
      if (height == 0) height = picture->GetHeight();
      if (Draw) {
        if (picture->GetWidth() == width && picture->GetHeight() == height)
          C.DrawGraphic(X, Y, picture.get());
        else
          C.StretchGraphic(TRect(X, Y, X + width, Y + height), picture.get());
      }
      X += width;
      Y += height;
    } catch (const std::exception&) {
      Placeholder(width, height);
    }
  }

  void Placeholder(int32_t Width, int32_t Height) {
    if (!Draw) return;
    if (Width == 0) Width = 40;
    if (Height == 0) Height = 40;
    C.Pen->SetStyle(psSolid);
    C.Pen->SetColor(0x0000FF);
    C.Pen->SetWidth(1);
    C.Brush->SetBitmap(nullptr);
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(clWhite);
    C.Rectangle(X, Y, X + Width, Y + Height);
    C.Line(X, Y, X + Width - 1, Y + Height - 1);
    C.Line(X, Y + Height - 1, X + Width - 1, Y);
  }

  TPlotCanvas& C;
  TFont& F;
  int32_t X, Y, XStart;
  int32_t LineHeight = 0;
  bool Centre = false;
  bool FontPushed = false;
  bool LastTagPushedFont = false;
  bool Draw;
  std::vector<std::string> FontStack;
  std::vector<std::string> TagStack;
};

}  // namespace

TColor ParseColor(const std::string& Value) {
  const std::string v = SysUtils::UpperCase(SysUtils::Trim(Value));
  static const SpecialColor Names[] = {{"BLACK", 0x000000}, {"RED", 0x0000FF},   {"BLUE", 0xFF0000},
                                       {"YELLOW", 0x00FFFF}, {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000},
                                       {"LIME", 0x00FF00}};
  for (const auto& n : Names)
    if (v == n.Name) return n.Color;
  if (!v.empty() && v[0] == '#') {
    auto pair = [&](size_t at) {
      const std::string hex = at + 2 <= v.size() ? v.substr(at, 2) : std::string();
      int32_t byte = 0;
      if (hex.size() != 2 || !SysUtils::TryStrToInt("$" + hex, byte))
        throw EConvertError("'" + Value + "' is not a valid colour");
      return static_cast<uint8_t>(byte);
    };
    return RGB(pair(1), pair(3), pair(5));
  }
  for (const auto& n : PlatformColors)
    if (v == n.Name) return n.Color;
  int32_t number = 0;
  if (SysUtils::TryStrToInt(v, number)) return number;
  throw EConvertError("'" + Value + "' is not a valid colour");
}

void ProcessHtml(TPlotCanvas& Canvas, int32_t X, int32_t Y, const std::string& Text, bool Draw, TPoint& Size) {
  Size = TPoint();
  if (Canvas.Font == nullptr) return;
  // The canvas font comes back however the text ends.
  struct RestoreFont {
    TFont& Target;
    TFont Saved;
    explicit RestoreFont(TFont& F) : Target(F) { Saved.Assign(F); }
    ~RestoreFont() { Target.Assign(Saved); }
  } restore(*Canvas.Font);
  HtmlWriter writer(Canvas, X, Y, Draw);
  try {
    writer.Run(Text);
  } catch (...) {
    Size = writer.Size;
    throw;
  }
  Size = writer.Size;
}

void HtmlTextExtent(TPlotCanvas& Canvas, const std::string& Text, TPoint& Size) {
  ProcessHtml(Canvas, 0, 0, Text, false, Size);
}

void HtmlTextOut(TPlotCanvas& Canvas, int32_t X, int32_t Y, const std::string& Text) {
  TPoint size;
  ProcessHtml(Canvas, X, Y, Text, true, size);
}

}  // namespace PlotHtml
