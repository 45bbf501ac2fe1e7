// The chart-style text form: one-line texts of pens, brushes, gradients,
// fonts, shadows and axes, and the engine's tolerant number reader.
//
// Reals are written with "." whatever the user's locale and read with "." or
// ",", so a text written under one locale reads back under any other. Fields
// are read by position: an empty or unreadable field keeps the current value
// instead of shifting the fields behind it.
#include <charconv>
#include <cmath>
#include <optional>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine.h"
#include "platform/gdi/Pixels.h"

namespace PlotEngine {

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

// The parts between runs of blanks and tabs.
std::vector<std::string> SplitBlanks(const std::string& Text) {
  std::vector<std::string> Parts;
  size_t i = 0;
  while (i < Text.size()) {
    while (i < Text.size() && IsBlank(Text[i])) ++i;
    const size_t Start = i;
    while (i < Text.size() && !IsBlank(Text[i])) ++i;
    if (i > Start) Parts.push_back(Text.substr(Start, i - Start));
  }
  return Parts;
}

// The fields between single separators, empty ones included.
std::vector<std::string> SplitFields(const std::string& Text, char Separator) {
  std::vector<std::string> Fields;
  size_t Start = 0;
  for (;;) {
    const size_t Pos = Text.find(Separator, Start);
    Fields.push_back(Text.substr(Start, Pos == std::string::npos ? std::string::npos : Pos - Start));
    if (Pos == std::string::npos) break;
    Start = Pos + 1;
  }
  return Fields;
}

// A real in "." notation, the whole text or nothing; independent of locales.
std::optional<double> ParseReal(std::string S) {
  const size_t Comma = S.find(',');
  if (Comma != std::string::npos) S[Comma] = '.';
  const char* First = S.data();
  const char* Last = S.data() + S.size();
  if (First != Last && *First == '+') ++First;
  if (First == Last || *First == '+') return std::nullopt;
  double Value = 0;
  const auto [Ptr, Ec] = std::from_chars(First, Last, Value, std::chars_format::general);
  if (Ec != std::errc() || Ptr != Last) return std::nullopt;
  return Value;
}

std::optional<int32_t> ParseInt(const std::string& S) {
  const auto V = ParseReal(S);
  if (!V || !std::isfinite(*V)) return std::nullopt;
  const double R = std::nearbyint(*V);
  if (R < -2147483648.0 || R > 2147483647.0) return std::nullopt;
  return static_cast<int32_t>(R);
}

std::string IntText(int64_t V) { return std::to_string(V); }
std::string BoolText(bool V) { return V ? "1" : "0"; }

std::string Join(const std::vector<std::string>& Fields, char Separator) {
  std::string Text;
  for (size_t i = 0; i < Fields.size(); ++i) {
    if (i) Text += Separator;
    Text += Fields[i];
  }
  return Text;
}

// The integer at Index, or nothing for a missing, empty or unreadable field.
std::optional<int32_t> IntField(const std::vector<std::string>& F, size_t Index) {
  return Index < F.size() ? ParseInt(F[Index]) : std::nullopt;
}

template <class Setter>
void ApplyInt(const std::vector<std::string>& F, size_t Index, Setter Set) {
  if (auto V = IntField(F, Index)) Set(*V);
}

std::string BlanksToStars(std::string S) {
  for (char& C : S)
    if (C == ' ') C = '*';
  return S;
}

std::string StarsToBlanks(std::string S) {
  for (char& C : S)
    if (C == '*') C = ' ';
  return S;
}

void ApplyBrushText(TChartBrush& Brush, const std::string& Text) {
  const auto F = SplitFields(Text, '#');
  ApplyInt(F, 0, [&](int32_t V) { Brush.SetColor(V); });
  ApplyInt(F, 1, [&](int32_t V) {
    if (V >= 0) Brush.SetStyleOrdinal(V);
  });
}

void ApplyGradientText(TCustomPlotGradient& G, const std::string& Text) {
  const auto F = SplitFields(Text, '$');
  ApplyInt(F, 0, [&](int32_t V) { G.SetBalance(V); });
  ApplyInt(F, 1, [&](int32_t V) {
    if (V >= 0 && V <= static_cast<int32_t>(gdDiagonalDown)) G.SetDirection(static_cast<TGradientDirection>(V));
  });
  ApplyInt(F, 2, [&](int32_t V) { G.SetRadialX(V); });
  ApplyInt(F, 3, [&](int32_t V) { G.SetMidColor(V); });
  ApplyInt(F, 4, [&](int32_t V) { G.SetEndColor(V); });
  ApplyInt(F, 5, [&](int32_t V) { G.SetRadialY(V); });
  ApplyInt(F, 6, [&](int32_t V) { G.SetStartColor(V); });
  ApplyInt(F, 7, [&](int32_t V) { G.SetVisible(V != 0); });
}

void ApplyPenText(TChartPen& Pen, const std::string& Text) {
  const auto F = SplitFields(Text, '&');
  ApplyInt(F, 0, [&](int32_t V) { Pen.SetColor(V); });
  ApplyInt(F, 1, [&](int32_t V) { Pen.SetSmallDots(V != 0); });
  ApplyInt(F, 2, [&](int32_t V) {
    if (V >= 0 && V <= static_cast<int32_t>(esFlat)) Pen.SetEndStyle(static_cast<TPenEndStyle>(V));
  });
  ApplyInt(F, 3, [&](int32_t V) { Pen.SetVisible(V != 0); });
  ApplyInt(F, 4, [&](int32_t V) {
    if (V >= 0 && V <= static_cast<int32_t>(TPenStyle::psAlternate)) Pen.SetStyle(static_cast<TPenStyle>(V));
  });
  ApplyInt(F, 5, [&](int32_t V) {
    if (V >= 0 && V <= static_cast<int32_t>(TPenMode::pmNotXor)) Pen.SetMode(static_cast<TPenMode>(V));
  });
  ApplyInt(F, 6, [&](int32_t V) {
    if (V >= 0) Pen.SetWidth(V);
  });
}

void ApplyShadowText(TPlotShadow& Shadow, const std::string& Text) {
  const auto F = SplitFields(Text, '@');
  ApplyInt(F, 0, [&](int32_t V) { Shadow.SetSize(V); });
  ApplyInt(F, 1, [&](int32_t V) { Shadow.SetColor(V); });
  ApplyInt(F, 2, [&](int32_t V) { Shadow.SetHorizSize(V); });
  ApplyInt(F, 3, [&](int32_t V) {
    if (V >= 0 && V <= 100) Shadow.SetTransparency(V);
  });
  ApplyInt(F, 4, [&](int32_t V) { Shadow.SetVertSize(V); });
}

void ApplyFontText(TPlotFont& Font, const std::string& Text) {
  const auto F = SplitFields(Text, '^');
  ApplyInt(F, 0, [&](int32_t V) {
    if (V >= 0 && V <= 255) Font.SetCharset(static_cast<uint8_t>(V));
  });
  ApplyInt(F, 1, [&](int32_t V) { Font.SetColor(V); });
  // The resolution first, so that Height and then Size (which decides) keep
  // the values written.
  ApplyInt(F, 5, [&](int32_t V) {
    if (V > 0) Font.SetPixelsPerInch(V);
  });
  ApplyInt(F, 2, [&](int32_t V) { Font.SetHeight(V); });
  ApplyInt(F, 3, [&](int32_t V) { Font.SetInterCharSize(V); });
  ApplyInt(F, 4, [&](int32_t V) { Font.SetSize(V); });
  ApplyInt(F, 7, [&](int32_t V) {
    if (V >= 0 && V <= static_cast<int32_t>(TFontPitch::fpFixed)) Font.SetPitch(static_cast<TFontPitch>(V));
  });
  if (F.size() > 8 && !F[8].empty()) {
    TPlotFontGradient Gradient;
    if (const TPlotFontGradient* Current = Font.PeekGradient()) Gradient.Assign(Current);
    ApplyGradientText(Gradient, F[8]);
    Font.SetGradient(&Gradient);
  }
  if (F.size() > 9 && F[9].size() == 4 && F[9].find_first_not_of("01") == std::string::npos) {
    TFontStyles Style;
    const TFontStyle Order[4] = {TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline,
                                 TFontStyle::fsStrikeOut};
    for (int i = 0; i < 4; ++i)
      if (F[9][static_cast<size_t>(i)] == '1') Style.Include(Order[i]);
    Font.SetStyle(Style);
  }
  if (F.size() > 10 && !F[10].empty()) Font.SetName(StarsToBlanks(F[10]));
}

}  // namespace

void SplitToInts(const std::string& Text, int32_t StartIndex, PLOTarofint& Numbers) {
  const auto Parts = SplitBlanks(Text);
  for (size_t i = 0; i < Parts.size(); ++i) {
    const auto V = ParseInt(Parts[i]);
    if (V && static_cast<int32_t>(i) >= StartIndex) Numbers.push_back(*V);
  }
}

void SplitToStrings(const std::string& Text, int32_t StartIndex, PLOTarofstr& Parts) {
  const auto All = SplitBlanks(Text);
  for (size_t i = 0; i < All.size(); ++i)
    if (static_cast<int32_t>(i) >= StartIndex) Parts.push_back(All[i]);
}

std::string SeparatorToBlank(const std::string& Text, char Separator) {
  std::string S = Text;
  for (char& C : S)
    if (C == Separator) C = ' ';
  return S;
}

double ReadNumber(const std::string& Text, bool Inclusive, double Low, double High) {
  const auto V = ParseReal(Text);
  if (!V) return NoValue;
  if (Low == High) return *V;
  if (Low != 0 && (Inclusive ? *V < Low : *V <= Low)) return NoValue;
  if (High != 0 && (Inclusive ? *V > High : *V >= High)) return NoValue;
  return *V;
}

std::string RealToText(double Value) {
  char Buffer[64];
  const auto [Ptr, Ec] = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return Ec == std::errc() ? std::string(Buffer, Ptr) : std::string("0");
}

// ---- writers ----------------------------------------------------------------

std::string BrushToText(const TChartBrush& Brush) {
  return Join({IntText(Brush.GetColor()), IntText(Brush.GetStyleOrdinal())}, '#');
}

std::string GradientToText(const TCustomPlotGradient& G) {
  return Join({IntText(G.GetBalance()), IntText(static_cast<int32_t>(G.GetDirection())), IntText(G.GetRadialX()),
               IntText(G.GetMidColor()), IntText(G.GetEndColor()), IntText(G.GetRadialY()),
               IntText(G.GetStartColor()), BoolText(G.GetVisible())},
              '$');
}

std::string FontToText(const TPlotFont& Font) {
  const TFontStyles S = Font.GetStyle();
  std::string Styles;
  for (TFontStyle St : {TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline, TFontStyle::fsStrikeOut})
    Styles += S.Contains(St) ? '1' : '0';
  const TPlotGradient Default;
  const std::string Gradient = Font.PeekGradient() ? GradientToText(*Font.PeekGradient()) : GradientToText(Default);
  return Join({IntText(Font.GetCharset()), IntText(Font.GetColor()), IntText(Font.GetHeight()),
               IntText(Font.GetInterCharSize()), IntText(Font.GetSize()), IntText(Font.GetPixelsPerInch()), "0",
               IntText(static_cast<int32_t>(Font.GetPitch())), Gradient, Styles, BlanksToStars(Font.GetName())},
              '^');
}

std::string PenToText(const TChartPen& Pen) {
  return Join({IntText(Pen.GetColor()), BoolText(Pen.GetSmallDots()), IntText(static_cast<int32_t>(Pen.GetEndStyle())),
               BoolText(Pen.GetVisible()), IntText(static_cast<int32_t>(Pen.GetStyle())),
               IntText(static_cast<int32_t>(Pen.GetMode())), IntText(Pen.GetWidth())},
              '&');
}

std::string ShadowToText(const TPlotShadow& Shadow) {
  return Join({IntText(Shadow.GetSize()), IntText(Shadow.GetColor()), IntText(Shadow.GetHorizSize()),
               IntText(Shadow.GetTransparency()), IntText(Shadow.GetVertSize())},
              '@');
}

// ---- readers ----------------------------------------------------------------

std::unique_ptr<TChartBrush> BrushFromText(const std::string& Text) {
  auto Brush = std::make_unique<TChartBrush>();
  ApplyBrushText(*Brush, Text);
  return Brush;
}

std::unique_ptr<TPlotGradient> GradientFromText(const std::string& Text) {
  auto Gradient = std::make_unique<TPlotGradient>();
  ApplyGradientText(*Gradient, Text);
  return Gradient;
}

std::unique_ptr<TPlotFont> FontFromText(const std::string& Text) {
  auto Font = std::make_unique<TPlotFont>();
  ApplyFontText(*Font, Text);
  return Font;
}

std::unique_ptr<TChartPen> PenFromText(const std::string& Text) {
  auto Pen = std::make_unique<TChartPen>();
  ApplyPenText(*Pen, Text);
  return Pen;
}

std::unique_ptr<TPlotShadow> ShadowFromText(const std::string& Text) {
  auto Shadow = std::make_unique<TPlotShadow>();
  ApplyShadowText(*Shadow, Text);
  return Shadow;
}

void CopyFontByText(const TPlotFont& Source, std::unique_ptr<TPlotFont>& Target) {
  // The previous target is released by the smart pointer.
  Target = FontFromText(FontToText(Source));
}

// ---- axis -------------------------------------------------------------------

namespace {
constexpr size_t AxisFieldCount = 54;
}

std::string AxisToText(const TChartAxis& A) {
  const TChartAxisTitle& T = *A.Title();
  const std::vector<std::string> F = {
      BoolText(A.GetAutomatic()),                                  // 0
      PenToText(*A.Axis()),                                        // 1
      PenToText(*A.Grid()),                                        // 2
      BoolText(A.GetGridCentered()),                               // 3
      BoolText(A.GetInverted()),                                   // 4
      BoolText(A.GetHorizontal()),                                 // 5
      BoolText(A.GetOtherSide()),                                  // 6
      BoolText(A.GetLabels()),                                     // 7
      IntText(static_cast<int32_t>(A.GetLabelsAlign())),           // 8
      IntText(A.GetLabelsAngle()),                                 // 9
      BoolText(A.GetLabelsExponent()),                             // 10
      FontToText(*A.LabelsFont()),                                 // 11
      BoolText(A.GetLabelsMultiLine()),                            // 12
      BoolText(A.GetLabelsOnAxis()),                               // 13
      IntText(A.GetLabelsSeparation()),                            // 14
      IntText(A.GetLabelsSize()),                                  // 15
      IntText(static_cast<int32_t>(A.GetLabelStyle())),            // 16
      BoolText(A.GetLogarithmic()),                                // 17
      IntText(A.GetMaximumOffset()),                               // 18
      IntText(A.GetMinimumOffset()),                               // 19
      PenToText(*A.MinorGrid()),                                   // 20
      IntText(A.GetMinorTickCount()),                              // 21
      IntText(A.GetMinorTickLength()),                             // 22
      PenToText(*A.MinorTicks()),                                  // 23
      IntText(Pixels::Round(A.GetStartPosition())),    // 24
      IntText(Pixels::Round(A.GetEndPosition())),      // 25
      IntText(Pixels::Round(A.GetPositionPercent())),  // 26
      IntText(static_cast<int32_t>(A.GetPositionUnits())),         // 27
      BoolText(A.GetRoundFirstLabel()),                            // 28
      IntText(A.GetTickInnerLength()),                             // 29
      IntText(A.GetTickLength()),                                  // 30
      PenToText(*A.Ticks()),                                       // 31
      PenToText(*A.TicksInner()),                                  // 32
      BoolText(A.GetTickOnLabelsOnly()),                           // 33
      IntText(T.GetAngle()),                                       // 34
      FontToText(*T.Font()),                                       // 35
      BoolText(T.GetVisible()),                                    // 36
      IntText(A.GetTitleSize()),                                   // 37
      BoolText(A.GetVisible()),                                    // 38
      IntText(A.LinLogDecShift),                                   // 39
      BoolText(A.RoundedLimits),                                   // 40
      BoolText(A.MinDecEnabled),                                   // 41
      RealToText(A.MinDecValue),                                   // 42
      BoolText(A.GetAutomaticMinimum()),                           // 43
      BoolText(A.GetAutomaticMaximum()),                           // 44
      RealToText(A.GetLogarithmicBase()),                          // 45
      RealToText(A.GetIncrement()),                                // 46
      RealToText(A.FixedMinimum),                                  // 47
      RealToText(A.FixedMaximum),                                  // 48
      RealToText(A.GetMinimum()),                                  // 49
      RealToText(A.GetMaximum()),                                  // 50
      BoolText(A.LogLabelFormat),                                  // 51
      BoolText(A.UseFixedLimits),                                  // 52
      BlanksToStars(T.GetCaption()),                               // 53
  };
  return Join(F, '~');
}

namespace {

// Every value of an axis text, parsed and checked before anything is applied.
// An empty or unreadable field keeps the axis's current value.
struct TAxisTextValues {
  std::optional<int32_t> Int[AxisFieldCount];
  std::optional<double> Real[AxisFieldCount];
  std::unique_ptr<TChartAxisPen> AxisPen;
  std::unique_ptr<TAxisGridPen> Grid;
  std::unique_ptr<TChartHiddenPen> MinorGrid;
  std::unique_ptr<TDarkGrayPen> MinorTicks, Ticks, TicksInner;
  std::unique_ptr<TPlotFont> LabelsFont, TitleFont;
};

template <class TPenClass>
std::unique_ptr<TPenClass> PenFieldOnto(const TPenClass& Current, const std::vector<std::string>& F, size_t Index) {
  if (Index >= F.size() || F[Index].empty()) return nullptr;
  auto Pen = std::make_unique<TPenClass>();
  Pen->Assign(&Current);
  ApplyPenText(*Pen, F[Index]);
  return Pen;
}

std::unique_ptr<TPlotFont> FontFieldOnto(const TPlotFont& Current, const std::vector<std::string>& F, size_t Index) {
  if (Index >= F.size() || F[Index].empty()) return nullptr;
  auto Font = std::make_unique<TPlotFont>();
  Font->Assign(&Current);
  ApplyFontText(*Font, F[Index]);
  return Font;
}

bool IsRealField(size_t i) { return i == 42 || (i >= 45 && i <= 50) || (i >= 24 && i <= 26); }

// Sizes, lengths, counts and positions a stored text may give; beyond these
// the drawing arithmetic overflows or a paint takes minutes.
struct TAxisFieldRange {
  size_t Field;
  const char* Name;
  double Low, High;
};
constexpr TAxisFieldRange AxisFieldRanges[] = {
    {14, "LabelsSeparation", 0, 10000},   {15, "LabelsSize", 0, 10000},       {18, "MaximumOffset", -10000, 10000},
    {19, "MinimumOffset", -10000, 10000}, {21, "MinorTickCount", 0, 1000},    {22, "MinorTickLength", -10000, 10000},
    {24, "StartPosition", -10000, 10000}, {25, "EndPosition", -10000, 10000}, {26, "PositionPercent", -10000, 10000},
    {29, "TickInnerLength", -10000, 10000}, {30, "TickLength", -10000, 10000}, {37, "TitleSize", 0, 10000},
    {39, "LinLogDecShift", -300, 300},
};

void CheckAxisValues(const TChartAxis& Axis, const TAxisTextValues& V) {
  if (V.Int[14] && *V.Int[14] < 0) throw AxisException(PlotConst::MsgAxisLabelSep);
  if (V.Real[46] && !(*V.Real[46] >= 0)) throw AxisException(PlotConst::MsgAxisIncrementPositive);
  if (V.Real[45] && (*V.Real[45] == 1 || !(*V.Real[45] > 0))) throw AxisException(PlotConst::MsgAxisLogBase);
  if (V.Int[17] && *V.Int[17] != 0 && Axis.IsDateTime()) throw AxisException(PlotConst::MsgAxisDateTimeLog);
  for (const TAxisFieldRange& r : AxisFieldRanges) {
    const std::optional<double> value = V.Int[r.Field] ? std::optional<double>(*V.Int[r.Field]) : V.Real[r.Field];
    if (value && (*value < r.Low || *value > r.High))
      throw AxisException(SysUtils::Format("Axis %s %s is outside %s..%s: the axis text is refused.",
                                 {r.Name, RealToText(*value), RealToText(r.Low), RealToText(r.High)}));
  }
}

}  // namespace

void AxisFromText(TChartAxis& Axis, const std::string& Text, bool WithPlacement) {
  if (Text.find_first_not_of(" \t") == std::string::npos) return;
  const auto F = SplitFields(Text, '~');
  TAxisTextValues V;
  for (size_t i = 0; i < AxisFieldCount && i < F.size(); ++i) {
    if (IsRealField(i)) {
      const double R = ReadNumber(F[i], true, 0, 0);
      // An unreadable limit or setting keeps the current one.
      if (R != NoValue && std::isfinite(R)) V.Real[i] = R;
    } else {
      V.Int[i] = ParseInt(F[i]);
    }
  }
  V.AxisPen = PenFieldOnto(*Axis.Axis(), F, 1);
  V.Grid = PenFieldOnto(*Axis.Grid(), F, 2);
  V.LabelsFont = FontFieldOnto(*Axis.LabelsFont(), F, 11);
  V.MinorGrid = PenFieldOnto(*Axis.MinorGrid(), F, 20);
  V.MinorTicks = PenFieldOnto(*Axis.MinorTicks(), F, 23);
  V.Ticks = PenFieldOnto(*Axis.Ticks(), F, 31);
  V.TicksInner = PenFieldOnto(*Axis.TicksInner(), F, 32);
  V.TitleFont = FontFieldOnto(*Axis.Title()->Font(), F, 35);
  CheckAxisValues(Axis, V);

  auto Bool = [&](size_t i, auto Set) {
    if (V.Int[i]) Set(*V.Int[i] != 0);
  };
  auto Int = [&](size_t i, auto Set) {
    if (V.Int[i]) Set(*V.Int[i]);
  };
  auto Real = [&](size_t i, auto Set) {
    if (V.Real[i]) Set(*V.Real[i]);
  };
  auto Copy = [](auto& Target, const auto& Source) {
    if (Source) Target.Assign(Source.get());
  };

  Bool(0, [&](bool B) { Axis.SetAutomatic(B); });
  Copy(*Axis.Axis(), V.AxisPen);
  Copy(*Axis.Grid(), V.Grid);
  Bool(3, [&](bool B) { Axis.SetGridCentered(B); });
  Bool(4, [&](bool B) { Axis.SetInverted(B); });
  if (WithPlacement) {
    Bool(5, [&](bool B) { Axis.SetHorizontal(B); });
    Bool(6, [&](bool B) { Axis.SetOtherSide(B); });
  }
  Bool(7, [&](bool B) { Axis.SetLabels(B); });
  Int(8, [&](int32_t I) {
    if (I >= 0 && I <= 1) Axis.SetLabelsAlign(static_cast<TAxisLabelAlign>(I));
  });
  Int(9, [&](int32_t I) { Axis.SetLabelsAngle(I); });
  Bool(10, [&](bool B) { Axis.SetLabelsExponent(B); });
  Copy(*Axis.LabelsFont(), V.LabelsFont);
  Bool(12, [&](bool B) { Axis.SetLabelsMultiLine(B); });
  Bool(13, [&](bool B) { Axis.SetLabelsOnAxis(B); });
  Int(14, [&](int32_t I) { Axis.SetLabelsSeparation(I); });
  Int(15, [&](int32_t I) { Axis.SetLabelsSize(I); });
  Int(16, [&](int32_t I) {
    if (I >= 0 && I <= static_cast<int32_t>(talText)) Axis.SetLabelStyle(static_cast<TAxisLabelStyle>(I));
  });
  Int(18, [&](int32_t I) { Axis.SetMaximumOffset(I); });
  Int(19, [&](int32_t I) { Axis.SetMinimumOffset(I); });
  Copy(*Axis.MinorGrid(), V.MinorGrid);
  Int(21, [&](int32_t I) { Axis.SetMinorTickCount(I); });
  Int(22, [&](int32_t I) { Axis.SetMinorTickLength(I); });
  Copy(*Axis.MinorTicks(), V.MinorTicks);
  Real(24, [&](double R) { Axis.SetStartPosition(R); });
  Real(25, [&](double R) { Axis.SetEndPosition(R); });
  Real(26, [&](double R) { Axis.SetPositionPercent(R); });
  Int(27, [&](int32_t I) {
    if (I >= 0 && I <= 1) Axis.SetPositionUnits(static_cast<TPlotUnits>(I));
  });
  Bool(28, [&](bool B) { Axis.SetRoundFirstLabel(B); });
  Int(29, [&](int32_t I) { Axis.SetTickInnerLength(I); });
  Int(30, [&](int32_t I) { Axis.SetTickLength(I); });
  Copy(*Axis.Ticks(), V.Ticks);
  Copy(*Axis.TicksInner(), V.TicksInner);
  Bool(33, [&](bool B) { Axis.SetTickOnLabelsOnly(B); });
  Int(34, [&](int32_t I) { Axis.Title()->SetAngle(I); });
  Copy(*Axis.Title()->Font(), V.TitleFont);
  Bool(36, [&](bool B) { Axis.Title()->SetVisible(B); });
  Int(37, [&](int32_t I) { Axis.SetTitleSize(I); });
  Int(39, [&](int32_t I) { Axis.LinLogDecShift = I; });
  Bool(40, [&](bool B) { Axis.RoundedLimits = B; });
  Bool(41, [&](bool B) { Axis.MinDecEnabled = B; });
  Real(42, [&](double R) { Axis.MinDecValue = R; });
  Bool(43, [&](bool B) { Axis.SetAutomaticMinimum(B); });
  Bool(44, [&](bool B) { Axis.SetAutomaticMaximum(B); });
  Real(45, [&](double R) { Axis.SetLogarithmicBase(R); });
  Real(46, [&](double R) { Axis.SetIncrement(R); });
  Axis.StoreLimits(V.Real[49].value_or(Axis.GetMinimum()), V.Real[50].value_or(Axis.GetMaximum()));
  Bool(51, [&](bool B) { Axis.LogLabelFormat = B; });
  // Logarithmic last, so that a logarithmic axis fits its range to the limits just read.
  Bool(17, [&](bool B) { Axis.SetLogarithmic(B); });
  Bool(52, [&](bool B) { Axis.UseFixedLimits = B; });
}

}  // namespace PlotEngine
