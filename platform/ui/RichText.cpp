#include "platform/ui/RichText.h"

#include "platform/ui/CustomEdit.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>

namespace {

// Windows-1252 at 0x80..0x9F; the other bytes are Latin-1.
constexpr char16_t kCp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char B) { return B >= 0x80 && B <= 0x9F ? kCp1252[B - 0x80] : static_cast<char16_t>(B); }

using CustomEdit::Wide;

using CustomEdit::Narrow;

// The destinations whose text is kept; any other destination group is skipped.
enum class TDest { Text, FontTable, ColorTable, Skip };

struct TState {
  TRichFormat Format;
  int FontIndex = 0;
  int ColorIndex = 0;
  int UnicodeSkip = 1;
  TDest Dest = TDest::Text;
};

constexpr size_t kMaxDepth = 4096;
constexpr long kMaxParam = 1000000000L;

bool IsSkippedDestination(const std::string& W) {
  static const char* const kSkip[] = {"stylesheet", "info",      "pict",      "object",  "header",  "footer",
                                      "headerl",    "headerr",   "headerf",   "footerl", "footerr", "footerf",
                                      "footnote",   "fldinst",   "themedata", "colorschememapping",
                                      "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable",
                                      "rsidtbl",    "generator", "filetbl",   "revtbl",  "bkmkstart", "bkmkend",
                                      "annotation", "atnid",     "atnauthor", "shppict", "nonshppict"};
  return std::any_of(std::begin(kSkip), std::end(kSkip), [&](const char* s) { return W == s; });
}

class TReader {
 public:
  TReader(std::string_view Rtf, const TRichFormat& Default) : FIn(Rtf) {
    FState.Format = Default;
    FDefault = Default;
  }

  void Run(TRichRuns& Runs) {
    while (FPos < FIn.size()) {
      const unsigned char c = static_cast<unsigned char>(FIn[FPos]);
      if (c == '{') {
        ++FPos;
        if (FStack.size() < kMaxDepth) FStack.push_back(FState);
        else ++FOverflow;
        FGroupStart = true;
        continue;
      }
      if (c == '}') {
        ++FPos;
        EndGroup();
        continue;
      }
      if (c == '\\') {
        ++FPos;
        ControlWord();
        FGroupStart = false;
        continue;
      }
      ++FPos;
      FGroupStart = false;
      if (c == '\r' || c == '\n') continue;
      Text(FromCp1252(c));
    }
    FinishTableEntry();
    RichText::Normalize(FRuns);
    Runs = std::move(FRuns);
  }

 private:
  void EndGroup() {
    if (FState.Dest == TDest::FontTable) FinishTableEntry();
    if (FOverflow > 0) {
      --FOverflow;
      return;
    }
    if (FStack.empty()) return;  // a stray closing brace
    FState = FStack.back();
    FStack.pop_back();
  }

  void Text(char16_t Ch) {
    if (FSkipChars > 0) {
      --FSkipChars;
      return;
    }
    // Control characters carry nothing but paragraph breaks and tabs.
    if (Ch < 32 && Ch != u'\n' && Ch != u'\t') return;
    switch (FState.Dest) {
      case TDest::Skip: return;
      case TDest::ColorTable:
        if (Ch == u';') {
          FColors.push_back(FColorSet ? RGB(FRed, FGreen, FBlue) : clDefault);
          FRed = FGreen = FBlue = 0;
          FColorSet = false;
        }
        return;
      case TDest::FontTable:
        if (Ch == u';') FinishTableEntry();
        else if (Ch >= 32) FFontName += Ch;
        return;
      case TDest::Text: break;
    }
    TRichFormat f = FState.Format;
    if (!FRuns.empty() && FRuns.back().Format == f) FRuns.back().Text += Ch;
    else FRuns.push_back(TRichRun{std::u16string(1, Ch), f});
  }

  void FinishTableEntry() {
    if (FFontNumber >= 0) {
      std::u16string name = FFontName;
      while (!name.empty() && name.front() == u' ') name.erase(name.begin());
      FFonts[FFontNumber] = Narrow(name);
    }
    FFontNumber = -1;
    FFontName.clear();
  }

  void ControlWord() {
    if (FPos >= FIn.size()) return;
    const char c = FIn[FPos];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++FPos;
      switch (c) {
        case '\\': case '{': case '}': Text(static_cast<char16_t>(c)); break;
        case '~': Text(0x00A0); break;
        case '_': Text(0x2011); break;
        case '\'': Hex(); break;
        case '*': if (FGroupStart) FState.Dest = TDest::Skip; break;
        case '\r': case '\n': Text(u'\n'); break;  // "\" before a line break is a paragraph
        default: break;
      }
      return;
    }
    std::string word;
    while (FPos < FIn.size() && std::isalpha(static_cast<unsigned char>(FIn[FPos])) && word.size() < 32)
      word += FIn[FPos++];
    while (FPos < FIn.size() && std::isalpha(static_cast<unsigned char>(FIn[FPos]))) ++FPos;
    bool hasParam = false, negative = false;
    long param = 0;
    if (FPos < FIn.size() && FIn[FPos] == '-') {
      negative = true;
      ++FPos;
    }
    while (FPos < FIn.size() && std::isdigit(static_cast<unsigned char>(FIn[FPos]))) {
      hasParam = true;
      param = std::min(kMaxParam, param * 10 + (FIn[FPos] - '0'));
      ++FPos;
    }
    if (negative) param = -param;
    if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos;
    Apply(word, hasParam, static_cast<int>(param));
  }

  void Hex() {
    int v = 0, digits = 0;
    while (digits < 2 && FPos < FIn.size() && std::isxdigit(static_cast<unsigned char>(FIn[FPos]))) {
      const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(FIn[FPos])));
      v = v * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
      ++digits;
      ++FPos;
    }
    if (digits > 0) Text(FromCp1252(static_cast<unsigned char>(v)));
  }

  void Apply(const std::string& W, bool HasParam, int P) {
    TRichFormat& f = FState.Format;
    const bool on = !HasParam || P != 0;
    if (W == "uc") FState.UnicodeSkip = std::clamp(P, 0, 10);
    else if (W == "u") {
      if (HasParam) {
        const int code = P < 0 ? P + 65536 : P;
        Text(static_cast<char16_t>(std::clamp(code, 0, 0xFFFF)));
        FSkipChars = FState.UnicodeSkip;
      }
      return;
    } else if (W == "fonttbl") FState.Dest = TDest::FontTable;
    else if (W == "colortbl") FState.Dest = TDest::ColorTable;
    else if (IsSkippedDestination(W)) FState.Dest = TDest::Skip;
    else if (FState.Dest == TDest::ColorTable) {
      const int v = std::clamp(P, 0, 255);
      if (W == "red") FRed = v, FColorSet = true;
      else if (W == "green") FGreen = v, FColorSet = true;
      else if (W == "blue") FBlue = v, FColorSet = true;
    } else if (FState.Dest == TDest::FontTable) {
      if (W == "f") {
        FinishTableEntry();
        FFontNumber = std::max(0, P);
      }
    } else if (W == "par" || W == "line") Text(u'\n');
    else if (W == "tab") Text(u'\t');
    else if (W == "emdash") Text(0x2014);
    else if (W == "endash") Text(0x2013);
    else if (W == "bullet") Text(0x2022);
    else if (W == "lquote") Text(0x2018);
    else if (W == "rquote") Text(0x2019);
    else if (W == "ldblquote") Text(0x201C);
    else if (W == "rdblquote") Text(0x201D);
    else if (W == "b") f.Bold = on;
    else if (W == "i") f.Italic = on;
    else if (W == "ul") f.Underline = on;
    else if (W == "ulnone") f.Underline = false;
    else if (W == "strike") f.StrikeOut = on;
    else if (W == "fs") { if (HasParam && P > 0) f.SizeHalfPoints = std::min(P, 3276); }
    else if (W == "cf") {
      FState.ColorIndex = std::max(0, P);
      f.Color = FState.ColorIndex < static_cast<int>(FColors.size()) ? FColors[static_cast<size_t>(FState.ColorIndex)]
                                                                      : clDefault;
    } else if (W == "f") {
      FState.FontIndex = std::max(0, P);
      const auto it = FFonts.find(FState.FontIndex);
      f.FontName = it != FFonts.end() ? it->second : std::string();
    } else if (W == "plain") {
      const std::string font = f.FontName;
      f = FDefault;
      f.FontName = font;
    }
    // A control word that is no skipped character ends the fall-back skipping.
    FSkipChars = 0;
  }

  std::string_view FIn;
  size_t FPos = 0;
  TState FState;
  TRichFormat FDefault;
  std::vector<TState> FStack;
  size_t FOverflow = 0;
  bool FGroupStart = false;
  int FSkipChars = 0;
  TRichRuns FRuns;
  std::vector<TColor> FColors;
  int FRed = 0, FGreen = 0, FBlue = 0;
  bool FColorSet = false;
  std::map<int, std::string> FFonts;
  int FFontNumber = -1;
  std::u16string FFontName;
};

void AppendEscaped(std::string& Out, const std::u16string& Text) {
  for (char16_t c : Text) {
    if (c == u'\n') Out += "\\par\n";
    else if (c == u'\t') Out += "\\tab ";
    else if (c == u'\\' || c == u'{' || c == u'}') {
      Out += '\\';
      Out += static_cast<char>(c);
    } else if (c < 32) {
      continue;
    } else if (c < 128) {
      Out += static_cast<char>(c);
    } else {
      Out += "\\u" + std::to_string(static_cast<int16_t>(c)) + "?";
    }
  }
}

}  // namespace

bool RichText::IsRtf(std::string_view Text) { return Text.substr(0, 5) == "{\\rtf"; }

bool RichText::Read(std::string_view Rtf, TRichRuns& Runs, const TRichFormat& Default) {
  Runs.clear();
  if (!IsRtf(Rtf)) {
    std::u16string t = Wide(std::string(Rtf));
    std::u16string plain;
    for (size_t i = 0; i < t.size(); ++i) {
      if (t[i] == u'\r') {
        plain += u'\n';
        if (i + 1 < t.size() && t[i + 1] == u'\n') ++i;
      } else if (t[i] >= 32 || t[i] == u'\n' || t[i] == u'\t') {
        plain += t[i];
      }
    }
    if (!plain.empty()) Runs.push_back(TRichRun{plain, Default});
    return false;
  }
  TReader(Rtf, Default).Run(Runs);
  return true;
}

void RichText::Normalize(TRichRuns& Runs) {
  TRichRuns out;
  for (TRichRun& r : Runs) {
    if (r.Text.empty()) continue;
    if (!out.empty() && out.back().Format == r.Format) out.back().Text += r.Text;
    else out.push_back(std::move(r));
  }
  Runs = std::move(out);
}

std::string RichText::Write(const TRichRuns& Runs) {
  std::vector<std::string> fonts{""};
  std::vector<TColor> colors;
  for (const TRichRun& r : Runs) {
    if (std::find(fonts.begin(), fonts.end(), r.Format.FontName) == fonts.end()) fonts.push_back(r.Format.FontName);
    if (r.Format.Color != clDefault && std::find(colors.begin(), colors.end(), r.Format.Color) == colors.end())
      colors.push_back(r.Format.Color);
  }
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil ";
    std::u16string name = Wide(fonts[i]);
    std::erase_if(name, [](char16_t c) { return c == u';' || c < 32; });
    AppendEscaped(out, name);
    out += ";}";
  }
  out += "}{\\colortbl ;";
  for (TColor c : colors)
    out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
           std::to_string(GetBValue(c)) + ";";
  out += "}\n";
  for (const TRichRun& r : Runs) {
    const TRichFormat& f = r.Format;
    const size_t font = static_cast<size_t>(std::find(fonts.begin(), fonts.end(), f.FontName) - fonts.begin());
    const size_t color =
        f.Color == clDefault ? 0 : static_cast<size_t>(std::find(colors.begin(), colors.end(), f.Color) - colors.begin()) + 1;
    out += "{\\f" + std::to_string(font) + "\\fs" + std::to_string(f.SizeHalfPoints) + "\\cf" + std::to_string(color);
    out += f.Bold ? "\\b" : "\\b0";
    out += f.Italic ? "\\i" : "\\i0";
    out += f.Underline ? "\\ul" : "\\ulnone";
    out += f.StrikeOut ? "\\strike" : "\\strike0";
    out += ' ';
    AppendEscaped(out, r.Text);
    out += '}';
  }
  out += "}";
  return out;
}

std::u16string RichText::PlainText(const TRichRuns& Runs) {
  std::u16string out;
  for (const TRichRun& r : Runs)
    for (char16_t c : r.Text) {
      if (c == u'\n') out += u"\r\n";
      else out += c;
    }
  return out;
}

std::string RichText::PlainTextUtf8(const TRichRuns& Runs) { return Narrow(PlainText(Runs)); }

namespace {

void UseFormat(TCanvas& C, const TFont& Base, const TRichFormat& F, std::optional<TColor> Color) {
  C.Font->Assign(Base);
  if (!F.FontName.empty()) C.Font->SetName(F.FontName);
  C.Font->SetSize(std::max(1, F.SizeHalfPoints / 2));
  TFontStyles s;
  if (F.Bold) s.Include(fsBold);
  if (F.Italic) s.Include(fsItalic);
  if (F.Underline) s.Include(fsUnderline);
  if (F.StrikeOut) s.Include(fsStrikeOut);
  C.Font->SetStyle(s);
  C.Font->SetColor(Color ? *Color : F.Color != clDefault ? F.Color : Base.GetColor());
}

struct TPiece {
  std::u16string Text;
  const TRichFormat* Format;
  int Width, Height;
  bool Selected = false;
};

}  // namespace

TSize RichText::Draw(TCanvas& Canvas, const TRichRuns& Runs, const TRect& R, const TFont& BaseFont, bool WordWrap,
                     std::optional<TColor> Color, bool Measure) {
  return DrawSelected(Canvas, Runs, R, BaseFont, WordWrap, Color, Measure, 0, 0);
}

TSize RichText::DrawSelected(TCanvas& Canvas, const TRichRuns& AllRuns, const TRect& R, const TFont& BaseFont,
                             bool WordWrap, std::optional<TColor> Color, bool Measure, int SelFrom, int SelTo) {
  // The runs are cut at the ends of the selection; selected parts draw in the highlight colours.
  TRichRuns Runs;
  std::vector<bool> selected;
  int pos = 0;
  for (const TRichRun& run : AllRuns) {
    const int len = static_cast<int>(run.Text.size());
    const int cuts[4] = {0, std::clamp(SelFrom - pos, 0, len), std::clamp(SelTo - pos, 0, len), len};
    for (int k = 0; k < 3; ++k)
      if (cuts[k + 1] > cuts[k]) {
        Runs.push_back(TRichRun{run.Text.substr(static_cast<size_t>(cuts[k]), static_cast<size_t>(cuts[k + 1] - cuts[k])),
                                run.Format});
        selected.push_back(k == 1);
      }
    pos += len;
  }
  // Words (with their following blanks) of equal format are laid out in lines.
  std::vector<std::vector<TPiece>> lines(1);
  int x = 0;
  const int width = R.Width();
  for (size_t ri = 0; ri < Runs.size(); ++ri) {
    const TRichRun& run = Runs[ri];
    UseFormat(Canvas, BaseFont, run.Format, Color);
    size_t i = 0;
    while (i < run.Text.size()) {
      if (run.Text[i] == u'\n') {
        if (lines.back().empty()) lines.back().push_back(TPiece{u"", &run.Format, 0, Canvas.TextHeight("Wg")});
        lines.emplace_back();
        x = 0;
        ++i;
        continue;
      }
      size_t j = i;
      while (j < run.Text.size() && run.Text[j] != u' ' && run.Text[j] != u'\n') ++j;
      while (j < run.Text.size() && run.Text[j] == u' ') ++j;
      std::u16string word = run.Text.substr(i, j - i);
      for (char16_t& c : word)
        if (c == u'\t') c = u' ';
      const int w = Canvas.TextWidth(Narrow(word)), h = Canvas.TextHeight("Wg");
      if (WordWrap && x > 0 && x + w > width) {
        lines.emplace_back();
        x = 0;
      }
      lines.back().push_back(TPiece{word, &run.Format, w, h, selected[ri]});
      x += w;
      i = j;
    }
  }
  int y = R.Top, widest = 0;
  for (const auto& line : lines) {
    int h = 0, lx = R.Left;
    for (const TPiece& p : line) h = std::max(h, p.Height);
    if (!Measure) {
      const TBrushStyle brush = Canvas.Brush->GetStyle();
      Canvas.Brush->SetStyle(bsClear);
      for (const TPiece& p : line) {
        UseFormat(Canvas, BaseFont, *p.Format, p.Selected ? std::optional<TColor>(clHighlightText) : Color);
        if (p.Selected) {
          Canvas.Brush->SetStyle(bsSolid);
          Canvas.Brush->SetColor(clHighlight);
          Canvas.FillRect(TRect(lx, y, lx + p.Width, y + h));
          Canvas.Brush->SetStyle(bsClear);
        }
        Canvas.TextOut(lx, y + h - p.Height, Narrow(p.Text));
        lx += p.Width;
      }
      Canvas.Brush->SetStyle(brush);
    } else {
      for (const TPiece& p : line) lx += p.Width;
    }
    widest = std::max(widest, lx - R.Left);
    y += h;
  }
  return TSize{widest, y - R.Top};
}
