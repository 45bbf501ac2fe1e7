// Axis drawing: title, labels of every kind, ticks, grid, minor marks and the
// axis line.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotHtml.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Restore.h"
#include "platform/gdi/Pixels.h"

namespace PlotEngine {
bool SkipBackWallGrid = false;
bool SkipDepthGrid = false;
}  // namespace PlotEngine

namespace {

constexpr uint32_t taLeft = 0, taRight = 2, taCentre = 6, taBottom = 8;

enum class Side { Bottom, Top, Left, Right };

Side AxisSide(const TChartAxis& Axis) {
  if (Axis.GetHorizontal()) return Axis.GetOtherSide() ? Side::Top : Side::Bottom;
  return Axis.GetOtherSide() ? Side::Right : Side::Left;
}

// Nearest integer, halves to even, as every pixel rounding of the axes.
int32_t RoundHalfEven(double Value) { return Pixels::Round(Value); }

// A text that reads as the number zero ("0.000", "-0").
bool ReadsAsZero(const std::string& Text) {
  double v = 0;
  return SysUtils::TryStrToFloat(Text, v) && v == 0;
}

// Splits "1E3" into mantissa and exponent when the whole text is a number
// written with an exponent.
bool SplitExponent(const std::string& Text, std::string& Base, std::string& Exponent) {
  const size_t e = Text.find_first_of("Ee");
  if (e == std::string::npos || e == 0 || e + 1 >= Text.size()) return false;
  double v = 0, m = 0;
  if (!SysUtils::TryStrToFloat(Text, v) || !SysUtils::TryStrToFloat(Text.substr(0, e), m)) return false;
  Base = Text.substr(0, e);
  Exponent = Text.substr(e + 1);
  return true;
}

}  // namespace

TCanvas3D* TChartAxis::DrawCanvas() const { return FChart ? FChart->GetCanvas() : nullptr; }

int32_t TChartAxis::AxisWallSize(const TChartAxis* Axis) const {
  return FChart && Axis ? FChart->WallSize(*Axis) : 0;
}

void TChartAxis::Draw(bool CalcPosAxis) {
  TCanvas3D* c = DrawCanvas();
  if (!c) return;
  if (CalcPosAxis) AxisLinePos = AxisLineSide(FChart->GetChartRect());
  DrawTitle(*c);
  TickPixels.clear();
  FAlternateRow = false;
  if (FItems->Count() > 0) {
    DrawCustomLabels();
  } else {
    const TAxisLabelStyle style = CalcLabelStyle();
    if (style != talNone) {
      c->UseFont(*LabelsFont());
      const double inc = CalcLabelsIncrement();
      const int32_t step = LabelDateTimeStep(inc);
      if ((inc > 0 || (step > 19 && step <= 26)) && ScaleMaximum >= ScaleMinimum) {
        if (style == talValue) {
          if (!DrawLabelsByEvent(inc, step)) DrawValueLabels(inc, step);
        } else if (style == talText && DepthAxisFlag) {
          DrawPageLabels();
        } else if (style == talText || style == talMark) {
          DrawSeriesLabels();
        }
      }
    }
  }
  DrawLines(*c);
}

// ---- value labels -----------------------------------------------------------

void TChartAxis::DrawValueLabels(double Inc, int32_t DateStep) {
  if (!FLogarithmic || FIncrement != 0) {
    for (double v : SteppedLabelValues(Inc, DateStep)) DrawValueLabel(v);
  } else {
    DrawDecadeLabels();
  }
}

void TChartAxis::DrawValueLabel(double Value) {
  const double scale = std::fabs(LabelScale);
  const int32_t p = FLogarithmic ? ValueToPixel(Value) : ValueToPixel(Value / (scale == 0 ? 1 : scale) - LabelOffset);
  if (!FLabelsOnAxis && !(p > StartPixel && p < EndPixel)) return;
  if (!FTickOnLabelsOnly) TickPixels.push_back(p);
  double shown = FLogarithmic ? Value * scale : Value;
  if (LabelScale < 0) shown = -shown;
  const std::string text = LabelValue(shown);
  if (GetLabels()) DrawLabel(p, text, nullptr);
}

void TChartAxis::DrawDecadeLabels() {
  if (ScaleMinimum == ScaleMaximum) return;
  if (ScaleMinimum <= 0 && !LinLogActive) {
    ScaleMinimum = ScaleMinimum < 0 ? CalcLogIncrement(1e-10) : 0.1;
    PreviousMaximum = ScaleMaximum;
    PreviousMinimum = ScaleMinimum;
  }
  const double f = CalcLogIncrement(ScaleMinimum);
  const bool minorGrid = FMinorGrid->GetVisible();
  if (minorGrid) {
    double w = f;
    if (w >= ScaleMinimum)
      w = LinLogActive ? PlotEngine::InvLinLog(LinLogThreshold, PlotEngine::LinLog(LinLogThreshold, ScaleMinimum) - 1)
                       : std::pow(FLogarithmicBase, std::log(ScaleMinimum) / std::log(FLogarithmicBase) - 1);
    if (w < ScaleMinimum) TickPixels.push_back(ValueToPixel(w));
  }
  if (ScaleMaximum > 1e300 || FLogarithmicBase <= 1) return;
  double v = f;
  // A step that cannot grow v (v = 0) would never reach the maximum.
  for (int32_t guard = 0; v <= ScaleMaximum && guard < 10000; ++guard) {
    if (v >= ScaleMinimum) DrawValueLabel(v);
    const double next = LinLogActive ? PlotEngine::LinLogStep(LinLogThreshold, 1, v) : v * FLogarithmicBase;
    if (!(next > v)) break;
    v = next;
  }
  if (minorGrid && f > ScaleMaximum) TickPixels.push_back(ValueToPixel(f));
}

bool TChartAxis::DrawLabelsByEvent(double Inc, int32_t DateStep) {
  if (!FChart) return false;
  double v = ScaleMinimum;
  for (int32_t index = 0; index <= 2000; ++index) {
    bool stop = true;
    if (!FChart->GetNextAxisLabel(this, index, v, stop)) return false;
    if (stop) {
      if (index == 0) DrawValueLabels(Inc, DateStep);
      return true;
    }
    if (v < ScaleMinimum - 1e-7 || v > ScaleMaximum + 1e-7) return true;
    DrawValueLabel(v);
  }
  return true;
}

// ---- series, page and custom labels -----------------------------------------

void TChartAxis::DrawSeriesLabels() {
  // Label style talMark takes the points' mark texts, talText their labels.
  const bool MarkTexts = CalcLabelStyle() == talMark;
  auto* chart = dynamic_cast<TSeriesChart*>(FChart);
  if (!chart) return;
  TCanvas3D* c = DrawCanvas();
  TChartSeriesList& list = chart->GetSeriesList();
  LabelSeries.clear();
  int32_t first = -1, last = -1;
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (!s->GetActive() || !s->AssociatedToAxis(this)) continue;
    s->FindVisibleRange();
    LabelSeries.push_back(s);
    if (s->FirstValueIndex != -1 && (first == -1 || s->FirstValueIndex < first)) first = s->FirstValueIndex;
    last = std::max(last, s->LastValueIndex);
  }
  const bool across =
      FHorizontal ? (FLabelsAngle == 90 || FLabelsAngle == 270) : (FLabelsAngle == 0 || FLabelsAngle == 180);
  bool havePrevious = false;
  int32_t previous = 0, previousHalf = 0;
  for (int32_t index = std::max(first, 0); first != -1 && index <= last; ++index) {
    TChartSeries* source = nullptr;
    for (TChartSeries* s : LabelSeries)
      if (index >= s->FirstValueIndex && index <= s->LastValueIndex && index < s->Count()) {
        source = s;
        break;
      }
    if (!source) continue;
    std::string text = MarkTexts ? source->GetMarkText(index) : source->GetLabel(index);
    FChart->GetAxisLabel(this, source, index, text);
    if (text.empty()) continue;
    const double value = FHorizontal ? source->GetXValue(index) : source->GetYValue(index);
    if (value < ScaleMinimum || value > ScaleMaximum) continue;
    const int32_t p = ValueToPixel(value);
    if (!FTickOnLabelsOnly) TickPixels.push_back(p);
    if (!GetLabels()) continue;
    c->UseFont(*LabelsFont());
    const int32_t size = across ? c->FontHeight() * PlotEngine::LabelLineCount(text) : c->TextWidth(text);
    int32_t half = size / 2;
    if (FLabelsSeparation != 0 && havePrevious) {
      half = (size + Pixels::Round(std::trunc(size * 0.02 * FLabelsSeparation))) / 2;
      if (!(p + half <= previous - previousHalf || p - half >= previous + previousHalf)) continue;
    }
    DrawLabel(p, text, nullptr);
    havePrevious = true;
    previous = p;
    previousHalf = half;
  }
  LabelSeries.clear();
}

void TChartAxis::DrawPageLabels() {
  auto* chart = dynamic_cast<TSeriesChart*>(FChart);
  if (!chart) return;
  std::vector<TChartSeries*> active;
  TChartSeriesList& list = chart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (list.GetSeries(i)->GetActive()) active.push_back(list.GetSeries(i));
  if (active.empty()) return;
  const int32_t from = Pixels::Round(std::trunc(ScaleMinimum)), to = Pixels::Round(std::trunc(ScaleMaximum));
  for (int32_t i = from; i <= to; ++i) {
    const int32_t p = ValueToPixel(ScaleMaximum - i - 0.5);
    if (!FTickOnLabelsOnly) TickPixels.push_back(p);
    if (!GetLabels()) continue;
    std::string text =
        i >= 0 && i < static_cast<int32_t>(active.size()) ? PlotEngine::SeriesTitleOrName(active[static_cast<size_t>(i)]) : "";
    FChart->GetAxisLabel(this, nullptr, i, text);
    DrawLabel(p, text, nullptr);
  }
}

void TChartAxis::DrawCustomLabels() {
  for (int32_t i = 0; i < FItems->Count(); ++i) {
    TAxisItem* item = FItems->Items(i);
    if (item->GetValue() < FMinimum || item->GetValue() > FMaximum) continue;
    const int32_t p = ValueToPixel(item->GetValue());
    if (!FTickOnLabelsOnly) TickPixels.push_back(p);
    if (!item->GetVisible()) continue;
    const std::string text = item->GetText().empty() ? LabelValue(item->GetValue()) : item->GetText();
    DrawLabel(p, text, item);
  }
}

// ---- one label --------------------------------------------------------------

void TChartAxis::DrawLabel(int32_t P, const std::string& Text, TPlotCustomShape* Shape) {
  TCanvas3D* c = DrawCanvas();
  if (!c) return;
  if (FTickOnLabelsOnly) TickPixels.push_back(P);
  c->UseFont(Shape ? *Shape->Font() : *LabelsFont());
  if (DepthAxisFlag) {
    const TRect r = FChart->GetChartRect();
    c->SetTextAlign(FOtherSide ? taLeft : taRight);
    const TView3DOptions* options = FChart->GetView3DOptions();
    if (options && (options->GetRotation() == 360 || options->GetOrthogonal())) P += c->FontHeight() / 2;
    const int32_t x = FOtherSide ? LabelsPos : LabelsPos - c->TextWidth("W") / 2 - 2;
    const int32_t y = FOtherSide ? r.Bottom - DepthPixel : r.Top + DepthPixel;
    c->TextOut3D(x, y, P, Text);
    c->SetTextAlign(taLeft);
    return;
  }
  int32_t row = LabelsPos;
  if (FLabelsAlternate) {
    if (FAlternateRow) {
      const int32_t size = FHorizontal ? c->FontHeight() : WidestLabelWidth();
      const bool positive = FHorizontal ? !FOtherSide : FOtherSide;
      row = positive ? LabelsPos + size : LabelsPos - size;
      c->UseFont(Shape ? *Shape->Font() : *LabelsFont());
    }
    FAlternateRow = !FAlternateRow;
  }
  if (FHorizontal)
    DrawAxisLabel(P, row, Shape, Text, FLabelsAngle);
  else
    DrawAxisLabel(row, P, Shape, Text, FLabelsAngle);
}

void TChartAxis::DrawAxisLabel(int32_t X, int32_t Y, TPlotCustomShape* Shape, const std::string& Text, int32_t Angle) {
  TCanvas3D* c = DrawCanvas();
  if (!c) return;
  const Side side = AxisSide(*this);
  const int32_t half = c->FontHeight() / 2;
  uint32_t align = taLeft;
  switch (Angle) {
    case 0:
      switch (side) {
        case Side::Bottom: align = taCentre; break;
        case Side::Top: align = taCentre | taBottom; break;
        case Side::Left: align = taRight; Y -= half; break;
        case Side::Right: align = taLeft; Y -= half; break;
      }
      if (FLabelsAlign == alOpposite && !FHorizontal) {
        if (side == Side::Right) { align = taRight; X += SizeLabels(); }
        else { align = taLeft; X -= SizeLabels(); }
        c->UseFont(Shape ? *Shape->Font() : *LabelsFont());
      }
      break;
    case 90:
      switch (side) {
        case Side::Bottom: align = taRight; X -= half; break;
        case Side::Top: align = taLeft; X -= half; break;
        case Side::Left: align = taCentre | taBottom; break;
        case Side::Right: align = taCentre; break;
      }
      break;
    case 180:
      switch (side) {
        case Side::Bottom: align = taCentre | taBottom; break;
        case Side::Top: align = taCentre; break;
        case Side::Left: align = taLeft; Y += half; break;
        case Side::Right: align = taRight; Y += half; break;
      }
      break;
    case 270:
      switch (side) {
        case Side::Bottom: align = taLeft; X += half; break;
        case Side::Top: align = taRight; X += half; break;
        case Side::Left: align = taCentre; break;
        case Side::Right: align = taCentre | taBottom; break;
      }
      break;
    case 45:
      align = taLeft;
      if (side == Side::Bottom) {
        const int32_t d = RoundHalfEven(c->TextWidth(Text) * std::cos(M_PI / 4));
        X -= d;
        Y += d;
      } else if (side == Side::Top) {
        const int32_t d = c->TextWidth("Wj");
        X -= d;
        Y -= d;
      }
      break;
    default:
      break;
  }

  std::string text = Text;
  std::vector<std::string> lines = PlotEngine::LabelLines(text);
  int32_t n = PlotEngine::LabelLineCount(text);
  int32_t s = c->FontHeight();
  if (Angle == 180 || Angle == 270) s = -s;
  const int32_t t = s * n;
  const auto halfBlock = [&] { return RoundHalfEven(s / 2.0 * (n + 1)); };
  if (FHorizontal) {
    if (Angle == 0) Y -= side == Side::Bottom ? s : t;
    else if (Angle == 90 || Angle == 270) X -= halfBlock();
    else if (Angle == 180) Y -= side == Side::Bottom ? t : s;
  } else {
    if (Angle == 0 || Angle == 180) Y -= halfBlock();
    else if (Angle == 90) X -= side == Side::Left ? t : s;
    else if (Angle == 270) X -= side == Side::Left ? s : t;
  }

  TPlotCustomShape& frame = Shape ? *Shape : FItems->Format();
  if (!frame.GetTransparent()) {
    int32_t w = 0;
    for (const std::string& line : lines) w = std::max(w, c->TextWidth(line));
    const int32_t h = c->FontHeight() * n;
    TRect r(X, Y + s, X + w, Y + s + h);
    if (align & taBottom) r = TRect(r.Left, r.Top - h, r.Right, r.Bottom - h);
    if ((align & taCentre) == taCentre) r = TRect(X - w / 2, r.Top, X - w / 2 + w, r.Bottom);
    else if (align & taRight) r = TRect(X - w, r.Top, X, r.Bottom);
    const int32_t grow = c->TextWidth("W") / 2;
    r = TRect(r.Left - grow, r.Top, r.Right + grow, r.Bottom);
    frame.DrawRectRotated(r, FLabelsAngle, DepthPixel);
    c->UseFont(*frame.Font());
  }

  // The text itself never fills its cell: the canvas brush holds whatever the last
  // series drew with, and an opaque background would paint each label in its colour.
  c->SetBackMode(TRANSPARENT);
  c->SetTextAlign(align);
  if (OnDrawLabel) {
    int32_t z = DepthPixel;
    bool draw = true;
    const std::string before = text;
    OnDrawLabel(this, X, Y, z, text, draw);
    if (!draw) {
      c->SetTextAlign(taLeft);
      return;
    }
    if (text != before) {
      lines = PlotEngine::LabelLines(text);
      n = PlotEngine::LabelLineCount(text);
    }
  }
  for (const std::string& line : lines) {
    if (Angle == 0) {
      Y += s;
      if (ReadsAsZero(line))
        c->TextOut3D(X, Y, DepthPixel, "0");
      else if (FLabelsExponent)
        DrawExponentLabel(*c, X, Y, line, align);
      else
        c->TextOut3D(X, Y, DepthPixel, line);
    } else if (Angle == 90 || Angle == 270) {
      X += s;
      c->RotatedText3D(X, Y, DepthPixel, line, Angle);
    } else if (Angle == 180) {
      Y += s;
      c->RotatedText3D(X, Y, DepthPixel, line, Angle);
    } else {
      c->RotatedText3D(X, Y, DepthPixel, line, Angle);
    }
  }
  c->SetTextAlign(taLeft);
}

void TChartAxis::DrawExponentLabel(TCanvas3D& C, int32_t X, int32_t Y, const std::string& Text, uint32_t Align) {
  std::string base, exponent;
  if (!SplitExponent(Text, base, exponent)) {
    C.TextOut3D(X, Y, DepthPixel, Text);
    return;
  }
  const int32_t h = C.FontHeight() - 1;
  const int32_t size = C.Font->GetSize();
  const int32_t smaller = size - size / 4;
  if ((Align & taCentre) == taLeft) {
    const int32_t baseWidth = C.TextWidth(base);
    C.TextOut3D(X, Y, DepthPixel, base);
    C.Font->SetSize(smaller);
    C.TextOut3D(X + baseWidth + 1, Y - h / 2 + 2, DepthPixel, exponent);
  } else {
    C.Font->SetSize(smaller);
    const int32_t exponentWidth = C.TextWidth(exponent);
    C.TextOut3D(X, Y - h / 2 + (FOtherSide ? 0 : 2), DepthPixel, exponent);
    C.Font->SetSize(size);
    C.TextOut3D(X - exponentWidth - 1, Y + (FOtherSide ? 2 : 0), DepthPixel, base);
  }
  C.Font->SetSize(size);
}

// ---- title ------------------------------------------------------------------

void TChartAxis::DrawTitle(TCanvas3D& C) {
  if (!FTitle->GetVisible() || FTitle->GetCaption().empty()) return;
  const std::string& caption = FTitle->GetCaption();
  C.UseFont(*FTitle->Font());
  C.SetBackMode(TRANSPARENT);
  const TRect r = FChart->GetChartRect();
  if (DepthAxisFlag) {
    C.SetTextAlign(FOtherSide ? taLeft : taRight);
    const int32_t y = FOtherSide ? r.Bottom - DepthPixel : r.Top + DepthPixel;
    C.TextOut3D(TitlePos, y, FChart->GetChartDepth() / 2, caption);
    C.SetTextAlign(taLeft);
    return;
  }
  if (TitlePlacementOn && TitlePlacement >= 0 && TitlePlacement <= 4) {
    TPoint size{};
    PlotHtml::HtmlTextExtent(C, caption, size);
    int32_t x = 0, y = 0;
    switch (TitlePlacement) {
      case 0:
        if (FHorizontal) {
          x = CentrePixel;
          y = FChart->GetPanelHeight() - LabelSizeAcross(LabelValue(11), FLabelsAngle, FLabelsSize);
          C.UseFont(*FTitle->Font());
        } else {
          x = TitlePos / 2;
          y = CentrePixel;
        }
        break;
      case 1: x = r.Left - size.X - 3; y = r.Top - size.Y - 3; break;
      case 2: x = r.Right + 3; y = r.Top - 3 - size.Y; break;
      case 3: x = r.Right + 3; y = r.Bottom + 3; break;
      default: x = r.Left - size.X - 3; y = r.Bottom + 3; break;
    }
    C.SetTextAlign(taLeft);
    PlotHtml::HtmlTextOut(C, x, y, caption);
    return;
  }
  const TRestore<bool> noExponent(FLabelsExponent, false);
  if (FHorizontal)
    DrawAxisLabel(CentrePixel, TitlePos, FTitle.get(), caption, FTitle->GetAngle());
  else
    DrawAxisLabel(TitlePos, CentrePixel, FTitle.get(), caption, FTitle->GetAngle());
}

// ---- ticks, grid and axis line ----------------------------------------------

void TChartAxis::DrawTickAt(TCanvas3D& C, int32_t P, int32_t Length, bool Inward) {
  const TRect r = FChart->GetChartRect();
  (void)r;
  const int32_t w = AxisWallSize(this);
  const bool is3D = FChart->GetView3D();
  int32_t from = AxisLinePos, dir = 1;
  switch (AxisSide(*this)) {
    case Side::Bottom: from += w; dir = 1; break;
    case Side::Top: dir = -1; break;
    case Side::Left: from -= w; dir = -1; break;
    case Side::Right: from += w; dir = 1; break;
  }
  if (Inward) dir = -dir;
  const int32_t to = from + dir * Length;
  if (FHorizontal) {
    if (is3D) C.VertLine3D(P, from, to, DepthPixel);
    else C.Line(P, from, P, to);
  } else {
    if (is3D) C.HorizLine3D(from, to, P, DepthPixel);
    else C.Line(from, P, to, P);
  }
}

void TChartAxis::DrawGridAt(TCanvas3D& C, int32_t P) {
  if (!(P > StartPixel - 2 && P < EndPixel + 2)) return;
  const TRect r = FChart->GetChartRect();
  const int32_t depth = FChart->GetChartDepth();
  if (DepthAxisFlag) {
    C.VertLine3D(r.Left, r.Top, r.Bottom, P);
    C.HorizLine3D(r.Left, r.Right, r.Bottom, P);
    return;
  }
  if (FChart->GetView3D()) {
    if (FChart->GetAxisBehind()) {
      if (!PlotEngine::SkipBackWallGrid) {
        if (FHorizontal) C.VertLine3D(P, r.Top, r.Bottom, depth);
        else C.HorizLine3D(r.Left, r.Right, P, depth);
      }
      const int32_t z = RoundHalfEven(depth * FGrid->GetZPosition() / 100);
      if (!PlotEngine::SkipDepthGrid && z != depth) {
        if (FHorizontal) C.DepthLine(P, AxisLinePos, z, depth);
        else C.DepthLine(AxisLinePos, P, z, depth);
      }
    } else if (FHorizontal) {
      C.VertLine3D(P, r.Top, r.Bottom, 0);
    } else {
      C.HorizLine3D(r.Left, r.Right, P, 0);
    }
    return;
  }
  if (FHorizontal) C.Line(P, r.Top + 1, P, r.Bottom);
  else C.Line(r.Left + 1, P, r.Right, P);
}

void TChartAxis::DrawAxisLine(TCanvas3D& C) {
  const TRect r = FChart->GetChartRect();
  const TChartAxis* bottom = nullptr;
  const TChartAxis* left = nullptr;
  const TChartAxis* right = nullptr;
  if (auto* chart = dynamic_cast<TSeriesChart*>(FChart)) {
    bottom = chart->GetBottomAxis();
    left = chart->GetLeftAxis();
    right = chart->GetRightAxis();
  }
  const int32_t w = AxisWallSize(this);
  const TPenLineMode mode = FAxisPen->GetLineMode();
  if (mode == lmLine) {
    C.UsePen(*FAxisPen);
  } else {
    C.Pen->SetStyle(psClear);
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(FAxisPen->GetColor());
  }
  const int32_t half = FAxisPen->GetWidth() / 2, width = FAxisPen->GetWidth();
  if (DepthAxisFlag) {
    const int32_t y = FOtherSide ? r.Bottom + AxisWallSize(bottom) - DepthPixel : r.Top - DepthPixel;
    if (mode == lmLine) C.DepthLine(AxisLinePos, y, StartPixel, EndPixel);
    else C.Box(AxisLinePos - half, AxisLinePos - half + width, y - half, y - half + width, StartPixel, EndPixel, false);
    return;
  }
  int32_t x0, x1, y0, y1;
  if (FHorizontal) {
    const bool top = FOtherSide;
    x0 = top ? StartPixel : StartPixel - AxisWallSize(left);
    x1 = top ? EndPixel : EndPixel + AxisWallSize(right);
    y0 = y1 = top ? AxisLinePos : AxisLinePos + w;
  } else {
    x0 = x1 = FOtherSide ? AxisLinePos + w : AxisLinePos - w;
    y0 = StartPixel;
    y1 = EndPixel + AxisWallSize(bottom);
  }
  switch (mode) {
    case lmLine:
      if (FHorizontal) C.HorizLine3D(x0, x1, y0, DepthPixel);
      else C.VertLine3D(x0, y0, y1, DepthPixel);
      break;
    case lmCylinder:
      if (FHorizontal) C.RoundSolid(false, x0, y0 - half, x1, y0 - half + width, DepthPixel - half, DepthPixel - half + width, false);
      else C.RoundSolid(true, x0 - half, y0, x0 - half + width, y1, DepthPixel - half, DepthPixel - half + width, false);
      break;
    case lmRectangle:
      if (FHorizontal) C.Box(x0, x1, y0 - half, y0 - half + width, DepthPixel - half, DepthPixel - half + width, false);
      else C.Box(x0 - half, x0 - half + width, y0, y1, DepthPixel - half, DepthPixel - half + width, false);
      break;
  }
}

std::vector<int32_t> TChartAxis::MinorPixels() {
  std::vector<int32_t> pixels;
  const int32_t count = FMinorTickCount;
  const size_t n = TickPixels.size();
  if (n == 0 || count <= 0) return pixels;
  if (!FLogarithmic) {
    if (n < 2) return pixels;
    const double d = static_cast<double>(TickPixels[1] - TickPixels[0]) / (count + 1);
    for (int32_t k = 1; k <= count; ++k) {
      pixels.push_back(TickPixels[0] - RoundHalfEven(k * d));
      pixels.push_back(TickPixels[n - 1] + RoundHalfEven(k * d));
    }
    for (size_t j = 1; j < n; ++j) {
      const double dj = static_cast<double>(TickPixels[j] - TickPixels[j - 1]) / (count + 1);
      for (int32_t k = 1; k <= count; ++k) pixels.push_back(TickPixels[j] - RoundHalfEven(k * dj));
    }
  } else {
    const auto up = [&](double v) {
      return LinLogActive ? PlotEngine::LinLogStep(LinLogThreshold, 1, v) : v * FLogarithmicBase;
    };
    const auto down = [&](double v) {
      return LinLogActive ? PlotEngine::LinLogStep(LinLogThreshold, -1, v) : v / FLogarithmicBase;
    };
    std::vector<double> decades;
    const double lastValue = CalcLogIncrement(CalcPosPoint(TickPixels[n - 1]));
    decades.push_back(down(lastValue));
    for (int32_t p : TickPixels) decades.push_back(CalcLogIncrement(CalcPosPoint(p)));
    decades.push_back(up(lastValue));
    std::sort(decades.begin(), decades.end());
    decades.erase(std::unique(decades.begin(), decades.end()), decades.end());
    for (double v : decades) {
      const double next = up(v);
      for (int32_t k = 1; k <= count; ++k) {
        const double m = v + k * (next - v) / (count + 1);
        if (m >= ScaleMinimum && m <= ScaleMaximum) pixels.push_back(ValueToPixel(m));
      }
    }
  }
  pixels.erase(std::remove_if(pixels.begin(), pixels.end(), [&](int32_t p) { return !(p > StartPixel && p < EndPixel); }),
               pixels.end());
  return pixels;
}

void TChartAxis::DrawLines(TCanvas3D& C) {
  C.SetBackMode(TRANSPARENT);
  C.Brush->SetStyle(bsClear);
  if (FAxisPen->GetVisible()) DrawAxisLine(C);
  C.Brush->SetStyle(bsClear);
  const auto inRange = [&](int32_t p) { return p > StartPixel - 2 && p < EndPixel + 2; };
  if (FTicks->GetVisible()) {
    C.UsePen(*FTicks);
    for (int32_t p : TickPixels)
      if (inRange(p)) DrawTickAt(C, p, FTickLength, false);
  }
  if (GridHook) GridHook(this);
  if (FGrid->GetVisible()) {
    const TColor color = FGrid->GetColor();
    C.UsePenColor(*FGrid, color == clDefault ? TColor(0x808080) : color);
    if (FGrid->GetCentered()) {
      for (size_t j = 1; j < TickPixels.size(); ++j)
        DrawGridAt(C, RoundHalfEven((TickPixels[j - 1] + TickPixels[j]) / 2.0));
    } else {
      for (int32_t p : TickPixels) DrawGridAt(C, p);
    }
  }
  if (FTicksInner->GetVisible() && FTickInnerLength != 0) {
    C.UsePen(*FTicksInner);
    for (int32_t p : TickPixels)
      if (inRange(p)) DrawTickAt(C, p, FTickInnerLength, true);
  }
  const bool minorTicks = FMinorTicks->GetVisible(), minorGrid = FMinorGrid->GetVisible();
  if ((minorTicks || minorGrid) && !TickPixels.empty()) {
    const std::vector<int32_t> minor = MinorPixels();
    if (minorTicks) {
      C.UsePen(*FMinorTicks);
      for (int32_t p : minor) DrawTickAt(C, p, FMinorTickLength, false);
    }
    if (minorGrid) {
      C.UsePen(*FMinorGrid);
      for (int32_t p : minor) DrawGridAt(C, p);
    }
  }
  C.SetBackMode(OPAQUE);
}

// ---- drawing at given positions, clicks -------------------------------------

void TChartAxis::DrawAtPositions(int32_t ALabelsPos, int32_t ATitlePos, int32_t AAxisLinePos, int32_t AStartPixel,
                                 int32_t AEndPixel, bool GridVisible) {
  LabelsPos = ALabelsPos;
  TitlePos = ATitlePos;
  AxisLinePos = AAxisLinePos;
  StartPixel = AStartPixel;
  EndPixel = AEndPixel;
  AxisLength = EndPixel - StartPixel;
  CentrePixel = (StartPixel + EndPixel) / 2;
  RecalcScales();
  const bool saved = FGrid->GetVisible();
  FGrid->SetVisibleField(GridVisible);
  struct Restore {
    TAxisGridPen& Grid;
    bool Visible;
    ~Restore() { Grid.SetVisibleField(Visible); }
  } restore{*FGrid, saved};
  Draw(false);
}

void TChartAxis::CustomDrawMinMax(int32_t ALabelsPos, int32_t ATitlePos, int32_t AAxisLinePos, int32_t AStartPixel,
                                  int32_t AEndPixel, double AMinimum, double AMaximum, double AIncrement,
                                  bool GridVisible) {
  struct Saved {
    TChartAxis& A;
    double Min, Max, Inc, ScaleMin, ScaleMax;
    bool Auto;
    ~Saved() {
      A.FMinimum = Min;
      A.FMaximum = Max;
      A.FIncrement = Inc;
      A.FAutomatic = Auto;
      A.ScaleMinimum = ScaleMin;
      A.ScaleMaximum = ScaleMax;
      A.RecalcScales();
    }
  } saved{*this, FMinimum, FMaximum, FIncrement, ScaleMinimum, ScaleMaximum, FAutomatic};
  FMinimum = AMinimum;
  FMaximum = AMaximum;
  FIncrement = AIncrement;
  FAutomatic = false;
  ScaleMinimum = AMinimum;
  ScaleMaximum = AMaximum;
  DrawAtPositions(ALabelsPos, ATitlePos, AAxisLinePos, AStartPixel, AEndPixel, GridVisible);
}

TRect TChartAxis::ClickRect() const {
  int32_t a0 = AxisLinePos, a1 = LabelsPos;
  if (LabelsPos < AxisLinePos) {
    a0 = LabelsPos;
    a1 = AxisLinePos + 3;
  } else {
    a0 = AxisLinePos - 3;
  }
  if (FHorizontal) return TRect(StartPixel, a0, EndPixel, a1);
  return TRect(a0, StartPixel, a1, EndPixel);
}

bool TChartAxis::HitTest(int32_t X, int32_t Y) const {
  if (!FChart || !FChart->IsAxisDrawn(*this)) return false;
  TRect r = ClickRect();
  if (FChart->GetView3D()) {
    if (TCanvas3D* c = FChart->GetCanvas()) {
      const int32_t z = FOtherSide ? FChart->GetChartDepth() : 0;
      const TPoint p0 = c->Project(r.Left, r.Top, z), p1 = c->Project(r.Right, r.Bottom, z);
      r = TRect(std::min(p0.X, p1.X), std::min(p0.Y, p1.Y), std::max(p0.X, p1.X), std::max(p0.Y, p1.Y));
    }
  }
  switch (AxisSide(*this)) {
    case Side::Top: --r.Top; break;
    case Side::Bottom: ++r.Bottom; break;
    case Side::Right: ++r.Right; break;
    case Side::Left: --r.Left; break;
  }
  return X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom;
}
