// Axis labels: label texts, the effective label style, label sizes and the
// label step.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"

namespace PlotEngine {

char LabelLineSeparator = '\r';

int32_t LabelLineCount(const std::string& Text) {
  const size_t last = Text.rfind(LabelLineSeparator);
  const int32_t separators = static_cast<int32_t>(std::count(Text.begin(), Text.end(), LabelLineSeparator));
  const bool textFollows = last == std::string::npos ? !Text.empty() : last + 1 < Text.size();
  return separators + (textFollows ? 1 : 0);
}

std::vector<std::string> LabelLines(const std::string& Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < Text.size()) {
    const size_t end = Text.find(LabelLineSeparator, start);
    if (end == std::string::npos) {
      lines.push_back(Text.substr(start));
      break;
    }
    lines.push_back(Text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace PlotEngine

std::string TChartAxis::LabelValue(double Value) {
  std::string text;
  if (!IsDateTime()) {
    text = SysUtils::FormatFloat(FAxisValuesFormat, Value);
  } else if (Value >= 0) {
    const std::string format =
        FDateTimeFormat.empty() ? PlotProcs::DefaultDateTimeFormat(ScaleRange) : FDateTimeFormat;
    text = SysUtils::FormatDateTime(format, Value);
  }
  if (FChart && !MeasuringLabels) FChart->GetAxisLabel(this, nullptr, -1, text);
  if (FLabelsMultiLine) std::replace(text.begin(), text.end(), ' ', PlotEngine::LabelLineSeparator);
  return text;
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const {
  if (FLabelStyle != talAuto) return FLabelStyle;
  auto* chart = dynamic_cast<TSeriesChart*>(FChart);
  if (!chart) return talNone;
  TChartSeriesList& list = chart->GetSeriesList();
  bool any = false;
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (!s->GetActive() || !s->AssociatedToAxis(this)) continue;
    any = true;
    const bool inDirection = FHorizontal ? s->GetYMandatory() : !s->GetYMandatory();
    if (!s->HasZValues && inDirection && PlotEngine::SeriesHasLabels(*s)) return talText;
  }
  return any ? talValue : talNone;
}

int32_t TChartAxis::SizeTickAxis() const {
  int32_t size = 0;
  if (FAxisPen->GetVisible()) size += FAxisPen->GetWidth() + 1;
  if (FTicks->GetVisible()) size += FTickLength;
  if (FMinorTicks->GetVisible()) size = std::max(size, FMinorTickLength);
  return size;
}

namespace {

// Widest line of a label text on Canvas.
int32_t WidestLine(TCanvas3D& Canvas, const std::string& Text) {
  int32_t w = 0;
  for (const std::string& line : PlotEngine::LabelLines(Text)) w = std::max(w, Canvas.TextWidth(line));
  return w;
}

}  // namespace

int32_t TChartAxis::LabelSizeAcross(const std::string& Text, int32_t Angle, int32_t FixedSize) {
  if (FixedSize != 0) return FixedSize;
  TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr;
  if (!canvas) return 0;
  const bool alongAxis = FHorizontal ? (Angle == 0 || Angle == 180) : (Angle == 90 || Angle == 270);
  if (alongAxis) return canvas->FontHeight();
  return WidestLine(*canvas, Text);
}

int32_t TChartAxis::LabelSizeAlong(const std::string& Text) {
  TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr;
  if (!canvas) return 0;
  const bool acrossAxis =
      FHorizontal ? (FLabelsAngle == 90 || FLabelsAngle == 270) : (FLabelsAngle == 0 || FLabelsAngle == 180);
  if (acrossAxis) return canvas->FontHeight() * PlotEngine::LabelLineCount(Text);
  return WidestLine(*canvas, Text);
}

double TChartAxis::CalcLabelsIncrement() {
  double lo = ScaleMinimum, hi = ScaleMaximum;
  if (!FLogarithmic) {
    lo = std::fabs(LabelScale) * (ScaleMinimum + LabelOffset);
    hi = std::fabs(LabelScale) * (ScaleMaximum + LabelOffset);
  }
  if (TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr) canvas->UseFont(*LabelsFont());
  int32_t size = std::max(LabelSizeAlong(LabelValue(lo)), LabelSizeAlong(LabelValue(hi)));
  if (FIncrement != 0) {
    size = std::max(size, LabelSizeAlong(LabelValue(lo + FIncrement)));
    size = std::max(size, LabelSizeAlong(LabelValue(hi - FIncrement)));
  } else {
    size = std::max(size, LabelSizeAlong(LabelValue((lo + hi) / 2)));
  }
  double step = IncrementForLabelSize(size);
  if (FLabelsAlternate) {
    if (!FLogarithmic)
      step /= 2;
    else if (LinLogActive)
      step = PlotEngine::LinLogStep(LinLogThreshold, -1, step);
    else
      step /= FLogarithmicBase;
  }
  return step;
}

// ---- layout -----------------------------------------------------------------

namespace {

// Moves a position across the axis away from the chart rectangle.
int32_t Outward(const TChartAxis& Axis, int32_t Pos, int32_t By) {
  const bool positive = Axis.GetHorizontal() ? !Axis.GetOtherSide() : Axis.GetOtherSide();
  return positive ? Pos + By : Pos - By;
}

// Shrinks Rect on the axis side by By and answers the new edge.
int32_t ShrinkSide(const TChartAxis& Axis, TRect& Rect, int32_t By) {
  if (Axis.GetHorizontal()) {
    if (Axis.GetOtherSide()) return Rect.Top += By;
    return Rect.Bottom -= By;
  }
  if (Axis.GetOtherSide()) return Rect.Right -= By;
  return Rect.Left += By;
}

}  // namespace

int32_t TChartAxis::WidestLabelWidth() {
  TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr;
  if (!canvas) return 0;
  if (FItems->Count() > 0) {
    int32_t w = 0;
    for (int32_t i = 0; i < FItems->Count(); ++i) {
      TAxisItem* item = FItems->Items(i);
      canvas->UseFont(*item->Font());
      w = std::max(w, WidestLine(*canvas, item->GetText()));
    }
    return w;
  }
  switch (CalcLabelStyle()) {
    case talValue: {
      double lo = ScaleMinimum, hi = ScaleMaximum;
      if (FRoundFirstLabel || (IsDateTime() && FExactDateTime)) {
        const double inc = CalcLabelsIncrement();
        if (inc > 0) {
          lo = std::trunc(lo / inc) * inc;
          hi = std::trunc(hi / inc) * inc;
        }
      }
      const bool saved = MeasuringLabels;
      MeasuringLabels = true;
      const std::string loText = LabelValue(lo), hiText = LabelValue(hi);
      MeasuringLabels = saved;
      canvas->UseFont(*LabelsFont());
      return std::max(WidestLine(*canvas, loText), WidestLine(*canvas, hiText)) + canvas->TextWidth(" ");
    }
    case talMark:
      return FChart->MaxMarkWidth();
    case talText:
      return FChart->MaxLabelsWidth();
    default:
      return 0;
  }
}

int32_t TChartAxis::SizeLabels() {
  int32_t size = FLabelsSize;
  if (size == 0) {
    TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr;
    if (!canvas) return 0;
    const bool alongAxis = FHorizontal ? (FLabelsAngle == 0 || FLabelsAngle == 180)
                                       : (FLabelsAngle == 90 || FLabelsAngle == 270);
    if (alongAxis) {
      // Multi-line labels take one font height per line.
      int32_t lines = 1;
      if (FLabelsMultiLine && CalcLabelStyle() == talValue) {
        const bool saved = MeasuringLabels;
        MeasuringLabels = true;
        lines = std::max({1, PlotEngine::LabelLineCount(LabelValue(ScaleMinimum)),
                          PlotEngine::LabelLineCount(LabelValue(ScaleMaximum))});
        MeasuringLabels = saved;
      }
      canvas->UseFont(*LabelsFont());
      size = canvas->FontHeight() * lines;
    } else {
      size = WidestLabelWidth();
    }
  }
  return FLabelsAlternate ? 2 * size : size;
}

int32_t TChartAxis::SizeTitle() {
  if (FTitleSize != 0) return FTitleSize;
  TCanvas3D* canvas = FChart ? FChart->GetCanvas() : nullptr;
  if (!canvas) return 0;
  canvas->UseFont(*FTitle->Font());
  return LabelSizeAcross(FTitle->GetCaption(), FTitle->GetAngle(), 0);
}

void TChartAxis::LayoutAxis(TRect& Rect, bool Reserve) {
  if (!Reserve) {
    AxisLinePos = AxisLineSide(Rect);
    LabelsPos = Outward(*this, AxisLinePos, SizeTickAxis());
    TitlePos = Outward(*this, LabelsPos, SizeLabels());
    return;
  }
  if (DepthAxisFlag) {
    TitlePos = FOtherSide ? Rect.Right : Rect.Left;
  } else {
    if (FTitle->GetVisible() && !FTitle->GetCaption().empty() && !TitlePlacementOn)
      TitlePos = ShrinkSide(*this, Rect, SizeTitle());
    if (GetLabels()) {
      int32_t size = SizeLabels();
      if (FChart && FChart->GetAxes().OnSizeLabels) FChart->GetAxes().OnSizeLabels(this, size);
      LabelsPos = ShrinkSide(*this, Rect, size);
    }
    ShrinkSide(*this, Rect, (FChart ? FChart->WallSize(*this) : 0) + SizeTickAxis());
  }
  // The axis line offset (PositionPercent) moves labels and title with it.
  TRect plain = Rect;
  const int32_t shift = AxisLineSide(plain) - (FHorizontal ? (FOtherSide ? plain.Top : plain.Bottom)
                                                           : (FOtherSide ? plain.Right : plain.Left));
  TitlePos += shift;
  LabelsPos += shift;
}

// ---- label positions --------------------------------------------------------

int32_t TChartAxis::LabelDateTimeStep(double Inc) {
  if (!(IsDateTime() && FExactDateTime && FIncrement != 0)) return 27;
  int32_t i = PlotProcs::NearestDateTimeStep(FIncrement);
  while (i < 26 && Inc > PlotProcs::DateTimeStep[i]) ++i;
  return i;
}

std::vector<double> TChartAxis::SteppedLabelValues(double Inc, int32_t DateStep) {
  std::vector<double> values;
  if (!(Inc > 0) || std::fabs(ScaleRange / Inc) >= 10000) return values;
  double lo = ScaleMinimum, hi = ScaleMaximum;
  if (!FLogarithmic) {
    lo = std::fabs(LabelScale) * (ScaleMinimum + LabelOffset);
    hi = std::fabs(LabelScale) * (ScaleMaximum + LabelOffset);
  }
  const double step = std::fabs(LabelScale) * Inc;
  const bool calendar = FExactDateTime && IsDateTime() && DateStep >= 20;
  auto stepDown = [&](double& v) { PlotProcs::IncDecDateTime(calendar, false, v, DateStep, step); };

  double v;
  if (FExactDateTime && IsDateTime() && DateStep > 15 && DateStep < 27)
    v = PlotProcs::TruncDateToStep(DateStep, hi);
  else if (SysUtils::FloatToStr(lo) == SysUtils::FloatToStr(hi))
    v = hi;
  else
    v = FRoundFirstLabel ? std::trunc(hi / step) * step : hi;
  // Stepping down must make progress, or the loops below would not end.
  double probe = v;
  stepDown(probe);
  if (!(probe < v)) return {v};
  while (v > hi) stepDown(v);

  double next = v;
  stepDown(next);
  if (ZeroRange || std::fabs(hi - lo) < 1e-10 || SysUtils::FloatToStr(v) == SysUtils::FloatToStr(next)) return {v};

  const double limit = ScaleMinimum >= 0 ? (lo - 1e-12) / (1 + 1e-12) : lo;
  while (v >= limit) {
    values.push_back(v);
    stepDown(v);
    if (v <= limit + 1e-8) break;
  }
  return values;
}
