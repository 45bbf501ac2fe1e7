// The one-line style text of a series, and the registration of the standard
// series types.
#include <algorithm>
#include <cctype>
#include <optional>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/Series.h"

namespace {

using PlotEngine::BrushToText;
using PlotEngine::FontToText;
using PlotEngine::GradientToText;
using PlotEngine::PenToText;
using PlotEngine::ShadowToText;

constexpr int32_t kTypeField = 41;

std::string Bool(bool B) { return B ? "1" : "0"; }
std::string Int(int64_t N) { return std::to_string(N); }

std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return S;
}

bool IsLineOrPoint(const TChartSeries* S) {
  return dynamic_cast<const TLineSeries*>(S) != nullptr || dynamic_cast<const TPointSeries*>(S) != nullptr;
}

// Which class part follows the common fields of a text.
enum class TClassPart { cpNone, cpLineOrPoint, cpError, cpHighLow };

TClassPart ClassPartOf(const TChartSeries* S) {
  if (IsLineOrPoint(S)) return TClassPart::cpLineOrPoint;
  if (dynamic_cast<const TCustomErrorSeries*>(S)) return TClassPart::cpError;
  if (dynamic_cast<const THighLowSeries*>(S)) return TClassPart::cpHighLow;
  return TClassPart::cpNone;
}

// The fields of a text, split at "~". A blank inside a field belongs to it
// (the type names "Fast Line" and "Error Bar"); blanks and tabs around a
// field and empty fields are dropped.
std::vector<std::string> SplitFields(const std::string& Text) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (start <= Text.size()) {
    size_t end = Text.find('~', start);
    if (end == std::string::npos) end = Text.size();
    std::string f = Text.substr(start, end - start);
    const size_t a = f.find_first_not_of(" \t"), b = f.find_last_not_of(" \t");
    if (a != std::string::npos) fields.push_back(f.substr(a, b - a + 1));
    start = end + 1;
  }
  return fields;
}

// Every value of a text, read and checked before anything is applied.
class TParsedText {
public:
  explicit TParsedText(const std::vector<std::string>& Fields) : F(Fields) {}

  int32_t Number(size_t Index) const {
    if (Index >= F.size()) throw ChartException("Series style text ends before field " + Int(Index) + ".");
    return SysUtils::StrToInt(F[Index]);
  }
  int32_t Ranged(size_t Index, int32_t Low, int32_t High) const {
    const int32_t v = Number(Index);
    if (v < Low || v > High)
      throw ChartException("Series style field " + Int(Index) + ": " + Int(v) + " is not between " + Int(Low) +
                           " and " + Int(High) + ".");
    return v;
  }
  bool Flag(size_t Index) const { return Number(Index) != 0; }
  const std::string& Text(size_t Index) const {
    if (Index >= F.size()) throw ChartException("Series style text ends before field " + Int(Index) + ".");
    return F[Index];
  }
  std::unique_ptr<TChartPen> Pen(size_t Index) const { return PlotEngine::PenFromText(Text(Index)); }
  std::unique_ptr<TChartBrush> Brush(size_t Index) const { return PlotEngine::BrushFromText(Text(Index)); }
  std::unique_ptr<TPlotGradient> Gradient(size_t Index) const { return PlotEngine::GradientFromText(Text(Index)); }
  size_t Count() const { return F.size(); }

private:
  const std::vector<std::string>& F;
};

struct TPointerPart {
  TColor Color;
  std::unique_ptr<TChartBrush> Brush;
  bool Dark3D;
  std::unique_ptr<TPlotGradient> Gradient;
  int32_t HorizSize;
  std::unique_ptr<TChartPen> Pen;
  TSeriesPointerStyle Style;
  int32_t VertSize;
  bool Visible;
};

struct TStyleValues {
  TColor SeriesColor;
  bool ColorEachPoint;
  std::unique_ptr<TChartBrush> Brush;
  std::unique_ptr<TChartPen> Pen;
  TCursor Cursor;
  int32_t MarksAngle;
  std::unique_ptr<TChartPen> MarksArrow;
  int32_t ArrowLength, CalloutLength;
  bool CalloutVisible;
  std::unique_ptr<TChartPen> CalloutArrow;
  TArrowHeadStyle ArrowHead;
  int32_t ArrowHeadSize, Distance;
  TSeriesPointerStyle CalloutStyle;
  TColor CalloutColor;
  std::unique_ptr<TChartBrush> CalloutBrush;
  int32_t CalloutHorizSize, CalloutVertSize;
  std::unique_ptr<TChartPen> CalloutPen;
  std::unique_ptr<TPlotGradient> CalloutGradient;
  TColor BackColor;
  TBevelCut Bevel;
  int32_t BevelWidth;
  std::unique_ptr<TChartBrush> MarksBrush;
  bool Clip;
  TColor MarksColor;
  std::unique_ptr<TPlotFont> Font;
  std::unique_ptr<TChartPen> MarksPen;
  std::unique_ptr<TPlotGradient> MarksGradient;
  bool MultiLine;
  TChartObjectShapeStyle ShapeStyle;
  TSeriesMarksStyle MarksStyle;
  bool MarksVisible;
  TPlotTransparency MarksTransparency;
  std::unique_ptr<TPlotShadow> Shadow;
  bool OnePoint;
  bool Transparent;
  std::unique_ptr<TChartPen> LinePen;
  std::unique_ptr<TChartPen> ErrorPen;
  TErrorSeriesStyle ErrorStyle = essTopBottom;
  int32_t ErrorWidth = 100;
  TErrorWidthUnits ErrorWidthUnits = ewuPercent;
  std::unique_ptr<TChartBrush> HighBrush, LowBrush;
  std::unique_ptr<TChartPen> HighPen, LowPen;
  TPlotTransparency Transparency = 0;
  std::optional<TPointerPart> Pointer;
  std::optional<int32_t> DrawEvery;
};

TStyleValues ParseStyle(const TParsedText& P, TClassPart Part) {
  TStyleValues v;
  v.SeriesColor = P.Number(1);  // field 0 holds the same colour
  P.Number(0);
  v.ColorEachPoint = P.Flag(2);
  v.Brush = P.Brush(3);
  v.Pen = P.Pen(4);
  v.Cursor = P.Number(5);
  v.MarksAngle = P.Number(6);
  v.MarksArrow = P.Pen(7);
  v.ArrowLength = P.Number(8);
  v.CalloutLength = P.Number(9);
  v.CalloutVisible = P.Flag(10);
  v.CalloutArrow = P.Pen(11);
  v.ArrowHead = static_cast<TArrowHeadStyle>(P.Ranged(12, 0, 2));
  v.ArrowHeadSize = P.Number(13);
  v.Distance = P.Number(14);
  v.CalloutStyle = static_cast<TSeriesPointerStyle>(P.Ranged(15, 0, 11));
  v.CalloutColor = P.Number(16);
  v.CalloutBrush = P.Brush(17);
  v.CalloutHorizSize = P.Ranged(18, 1, INT32_MAX);
  v.CalloutPen = P.Pen(21);  // field 19 holds the same pen
  P.Pen(19);
  v.CalloutVertSize = P.Ranged(20, 1, INT32_MAX);
  v.CalloutGradient = P.Gradient(22);
  v.BackColor = P.Number(23);
  v.Bevel = static_cast<TBevelCut>(P.Ranged(24, 0, 3));
  v.BevelWidth = P.Number(25);
  v.MarksBrush = P.Brush(26);
  v.Clip = P.Flag(27);
  v.MarksColor = P.Number(28);
  v.Font = PlotEngine::FontFromText(P.Text(29));
  v.MarksPen = P.Pen(36);  // field 30 holds the same pen
  P.Pen(30);
  v.MarksGradient = P.Gradient(31);
  v.MultiLine = P.Flag(32);
  v.ShapeStyle = static_cast<TChartObjectShapeStyle>(P.Ranged(33, 0, 1));
  v.MarksStyle = static_cast<TSeriesMarksStyle>(P.Ranged(34, 0, 9));
  v.MarksVisible = P.Flag(35);
  v.MarksTransparency = P.Ranged(37, 0, 100);
  v.Shadow = PlotEngine::ShadowFromText(P.Text(38));
  v.OnePoint = P.Flag(39);
  v.Transparent = P.Flag(40);
  size_t k = 0;
  switch (Part) {
    case TClassPart::cpNone: return v;
    case TClassPart::cpLineOrPoint:
      v.LinePen = P.Pen(42);
      k = 43;
      break;
    case TClassPart::cpError:
      v.ErrorPen = P.Pen(42);
      v.ErrorStyle = static_cast<TErrorSeriesStyle>(P.Ranged(43, 0, 5));
      v.ErrorWidth = P.Number(44);
      v.ErrorWidthUnits = static_cast<TErrorWidthUnits>(P.Ranged(45, 0, 1));
      k = 46;
      break;
    case TClassPart::cpHighLow:
      v.HighBrush = P.Brush(42);
      v.HighPen = P.Pen(43);
      v.LowBrush = P.Brush(44);
      v.LowPen = P.Pen(45);
      v.Transparency = P.Ranged(46, 0, 100);
      k = 47;
      break;
  }
  if (Part == TClassPart::cpLineOrPoint && P.Text(k) == "1") {
    TPointerPart p;
    p.Color = P.Number(k + 1);
    p.Brush = P.Brush(k + 2);
    p.Dark3D = P.Flag(k + 3);
    p.Gradient = P.Gradient(k + 4);
    p.HorizSize = P.Ranged(k + 5, 1, INT32_MAX);
    P.Pen(k + 6);  // field k + 10 holds the same pen
    p.Style = static_cast<TSeriesPointerStyle>(P.Ranged(k + 7, 0, 11));
    p.VertSize = P.Ranged(k + 8, 1, INT32_MAX);
    p.Visible = P.Flag(k + 9);
    p.Pen = P.Pen(k + 10);
    v.Pointer = std::move(p);
    k += 10;
  }
  if (k + 1 < P.Count()) v.DrawEvery = P.Number(k + 1);
  return v;
}

void ApplyStyle(TChartSeries& S, TStyleValues& V) {
  S.SetSeriesColor(V.SeriesColor);
  S.SetSeriesColor(V.SeriesColor);
  S.SetColorEachPoint(V.ColorEachPoint);
  S.SetBrush(V.Brush.get());
  S.SetPen(V.Pen.get());
  S.Cursor = V.Cursor;
  if (auto* marks = dynamic_cast<TSeriesMarks*>(S.Marks())) {
    TMarksCallout& c = *marks->GetCallout();
    marks->SetAngle(V.MarksAngle);
    marks->SetArrow(V.MarksArrow.get());
    marks->SetArrowLength(V.ArrowLength);
    c.SetLength(V.CalloutLength);
    c.SetVisible(V.CalloutVisible);
    c.SetArrow(V.CalloutArrow.get());
    c.SetArrowHead(V.ArrowHead);
    c.SetArrowHeadSize(V.ArrowHeadSize);
    c.SetDistance(V.Distance);
    c.SetStyle(V.CalloutStyle);
    c.SetColor(V.CalloutColor);
    c.SetBrush(V.CalloutBrush.get());
    c.Brush()->SetColor(V.CalloutColor);
    c.SetHorizSize(V.CalloutHorizSize);
    c.SetFrame(V.CalloutPen.get());
    c.SetVertSize(V.CalloutVertSize);
    c.SetGradient(V.CalloutGradient.get());
    marks->SetBackColor(V.BackColor);
    marks->SetBevel(V.Bevel);
    marks->SetBevelWidth(V.BevelWidth);
    marks->SetBrush(V.MarksBrush.get());
    marks->SetClip(V.Clip);
    marks->SetColor(V.MarksColor);
    marks->SetFont(V.Font.get());
    marks->SetFrame(V.MarksPen.get());
    marks->SetGradient(V.MarksGradient.get());
    marks->SetMultiLine(V.MultiLine);
    marks->SetShapeStyle(V.ShapeStyle);
    marks->SetStyle(V.MarksStyle);
    marks->SetVisible(V.MarksVisible);
    marks->SetTransparency(V.MarksTransparency);
    marks->SetShadow(V.Shadow.get());
    marks->SetTransparent(V.Transparent);
    if (V.DrawEvery) marks->SetDrawEvery(*V.DrawEvery);
  }
  S.FunctionAsOnePoint = V.OnePoint;
  if (auto* error = dynamic_cast<TCustomErrorSeries*>(&S); error && V.ErrorPen) {
    error->SetErrorPen(V.ErrorPen.get());
    error->SetErrorStyle(V.ErrorStyle);
    error->SetErrorWidth(V.ErrorWidth);
    error->SetErrorWidthUnits(V.ErrorWidthUnits);
  }
  if (auto* highLow = dynamic_cast<THighLowSeries*>(&S); highLow && V.HighBrush) {
    highLow->SetBrush(V.HighBrush.get());
    highLow->SetHighPen(V.HighPen.get());
    highLow->SetLowBrush(V.LowBrush.get());
    highLow->SetLowPen(V.LowPen.get());
    highLow->SetTransparency(V.Transparency);
  }
  auto* custom = dynamic_cast<TCustomSeries*>(&S);
  if (custom && V.LinePen) custom->SetLinePen(V.LinePen.get());
  if (custom && V.Pointer) {
    TSeriesPointer& p = *custom->Pointer();
    p.SetColor(V.Pointer->Color);
    p.SetBrush(V.Pointer->Brush.get());
    p.Brush()->SetColor(V.Pointer->Color);
    p.SetDark3D(V.Pointer->Dark3D);
    p.SetGradient(V.Pointer->Gradient.get());
    p.SetHorizSize(V.Pointer->HorizSize);
    p.SetStyle(V.Pointer->Style);
    p.SetVertSize(V.Pointer->VertSize);
    p.SetVisible(V.Pointer->Visible);
    p.SetFrame(V.Pointer->Pen.get());
  }
}

std::string PointerText(TSeriesPointer& P) {
  const std::string pen = PenToText(*P.Pen());
  return Int(P.Brush()->GetColor()) + "~" + BrushToText(*P.Brush()) + "~" + Bool(P.GetDark3D()) + "~" +
         GradientToText(*P.Gradient()) + "~" + Int(P.GetHorizSize()) + "~" + pen + "~" +
         Int(static_cast<int>(P.GetStyle())) + "~" + Int(P.GetVertSize()) + "~" + Bool(P.GetVisible()) + "~" + pen;
}

}  // namespace

namespace Series {

std::string SeriesTypeName(const TChartSeries* Series) { return Chart::SeriesTypeText(Series); }

std::string SeriesToText(TChartSeries* Series) {
  if (!Series) return {};
  std::vector<std::string> f;
  const TColor colour = Series->GetSeriesColor();
  f.push_back(Int(colour));
  f.push_back(Int(colour));
  f.push_back(Bool(Series->GetColorEachPoint()));
  f.push_back(BrushToText(*Series->Brush()));
  f.push_back(PenToText(*Series->Pen()));
  f.push_back(Int(Series->Cursor));
  auto* marks = dynamic_cast<TSeriesMarks*>(Series->Marks());
  if (marks) {
    TMarksCallout& c = *marks->GetCallout();
    const std::string calloutPen = PenToText(*c.Pen());
    const std::string marksPen = PenToText(*marks->Pen());
    TPlotShadow defaultShadow;
    f.insert(f.end(), {Int(marks->GetAngle()), PenToText(*marks->GetArrow()), Int(marks->GetArrowLength()),
                       Int(c.GetLength()), Bool(c.GetVisible()), PenToText(*c.Arrow()),
                       Int(static_cast<int>(c.GetArrowHead())), Int(c.GetArrowHeadSize()), Int(c.GetDistance()),
                       Int(static_cast<int>(c.GetStyle())), Int(c.Brush()->GetColor()), BrushToText(*c.Brush()),
                       Int(c.GetHorizSize()), calloutPen, Int(c.GetVertSize()), calloutPen,
                       GradientToText(*c.Gradient()), Int(marks->GetBackColor()),
                       Int(static_cast<int>(marks->GetBevel())), Int(marks->GetBevelWidth()),
                       BrushToText(*marks->Brush()), Bool(marks->GetClip()), Int(marks->GetColor()),
                       FontToText(*marks->Font()), marksPen, GradientToText(*marks->GetGradient()),
                       Bool(marks->GetMultiLine()), Int(static_cast<int>(marks->GetShapeStyle())),
                       Int(static_cast<int>(marks->GetStyle())), Bool(marks->GetVisible()), marksPen,
                       Int(marks->GetTransparency()),
                       ShadowToText(marks->Shadow() ? *marks->Shadow() : defaultShadow)});
  } else {
    throw ChartException("Series " + Series->ClassName() + " has no marks to write.");
  }
  f.push_back(Bool(Series->FunctionAsOnePoint));
  f.push_back(Bool(marks->GetTransparent()));
  f.push_back(SeriesTypeName(Series));
  if (IsLineOrPoint(Series)) {
    auto* s = static_cast<TCustomSeries*>(Series);
    f.push_back(PenToText(*s->LinePen()));
    f.push_back("1");
    f.push_back(PointerText(*s->Pointer()));
  } else {
    if (auto* e = dynamic_cast<TCustomErrorSeries*>(Series)) {
      f.insert(f.end(), {PenToText(*e->ErrorPen()), Int(static_cast<int>(e->GetErrorStyle())), Int(e->GetErrorWidth()),
                         Int(static_cast<int>(e->GetErrorWidthUnits()))});
    } else if (auto* h = dynamic_cast<THighLowSeries*>(Series)) {
      f.insert(f.end(), {BrushToText(*h->HighBrush()), PenToText(*h->HighPen()), BrushToText(*h->LowBrush()),
                         PenToText(*h->LowPen()), Int(h->GetTransparency())});
    }
    f.push_back("0");
  }
  f.push_back(Int(marks->GetDrawEvery()));
  std::string text;
  for (size_t i = 0; i < f.size(); ++i) text += (i ? "~" : "") + f[i];
  return text;
}

bool SeriesFromText(TChartSeries* Series, const std::string& Text) {
  if (!Series || Text.empty()) return false;
  const std::vector<std::string> fields = SplitFields(Text);
  if (static_cast<int32_t>(fields.size()) <= kTypeField) return false;
  // The text's type must be the series' own, or a part of its class name
  // ("Line" fits line, horizontal line and fast-line series).
  const std::string& type = fields[kTypeField];
  const bool fits =
      type == SeriesTypeName(Series) || Lower(Series->ClassName()).find(Lower(type)) != std::string::npos;
  if (!fits) return false;
  // An error part is read only from an error text ("Bar" also fits an
  // error-bar series by its class name, but carries no error part).
  TClassPart part = ClassPartOf(Series);
  if (part == TClassPart::cpError && Lower(type).find("error") == std::string::npos) part = TClassPart::cpNone;
  const TParsedText parsed(fields);
  TStyleValues values = ParseStyle(parsed, part);
  ApplyStyle(*Series, values);
  return true;
}

void RegisterStandardSeries() {
  static const std::string line = "Line", bar = "Bar", horizBar = "Horizontal\rBar", area = "Area",
                           point = "Point", pie = "Pie", fastLine = "Fast Line", horizLine = "Horizontal\rLine",
                           horizArea = "Horizontal\rArea", standard = "Standard";
  const struct {
    TClass Class;
    const std::string* Name;
    int32_t Samples;
  } types[] = {{TLineSeries::StaticClass(), &line, 2},         {TBarSeries::StaticClass(), &bar, 2},
               {THorizBarSeries::StaticClass(), &horizBar, 2}, {TAreaSeries::StaticClass(), &area, 2},
               {TPointSeries::StaticClass(), &point, 2},       {TPieSeries::StaticClass(), &pie, 1},
               {TFastLineSeries::StaticClass(), &fastLine, 2}, {THorizLineSeries::StaticClass(), &horizLine, 1},
               {THorizAreaSeries::StaticClass(), &horizArea, 1}};
  // Registered once: a type already in the registry is left where it is.
  for (const auto& t : types) {
    if (Chart::SeriesTypes().TypeOfSeriesClass(t.Class)) continue;
    if (t.Samples == 2)
      Chart::AddStandardSeriesType(t.Class, t.Name);
    else
      Chart::AddSeriesType(t.Class, t.Name, &standard, t.Samples);
  }
}

void Initialization() {
  PlotEngine::SeriesToText = &SeriesToText;
  PlotEngine::SeriesFromText = &SeriesFromText;
  RegisterStandardSeries();
}

}  // namespace Series
