// The colour bar's value axis: evenly stepped "nice" tick values whose labels fit the
// axis length, and the axis drawn with its ticks and labels.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"
#include "views/Section2D.h"

namespace Section2D {

namespace {

// Tick count for a step between the ends; bounded so that a degenerate step never
// makes a huge list.
double TickCount(double lo, double hi, double step) {
  const double n = std::floor((hi + step / 1e10) / step) - std::ceil((lo - step / 1e10) / step) + 1;
  return std::isfinite(n) ? std::clamp(n, 0.0, 100000.0) : 0.0;
}

arofdoubleM TicksFrom(double lo, double hi, double step) {
  arofdoubleM ticks;
  const double n = TickCount(lo, hi, step);
  const double first = std::ceil((lo - step / 1e10) / step) * step;
  for (int32_t k = 0; k < static_cast<int32_t>(n); ++k) ticks.push_back(first + k * step);
  return ticks;
}

// The search shared by both orientations: Size gives the label size for a step,
// Target the wanted occupancy ratio, Stop the score that ends the search.
arofdoubleM SearchTicks(const std::function<double(double)>& Size, double Length, double lo, double hi,
                        double Target, double Stop) {
  arofdoubleM ticks;
  const double range = hi - lo;
  if (!(range > 0) || !std::isfinite(range) || !std::isfinite(Length)) return ticks;
  double step = std::pow(10.0, std::floor(std::log10(range)));
  double base = step, best = 1e30, bestStep = step, ratio = 0, n = 0;
  bool fits = true;
  for (int32_t i = 0;; ++i) {
    if (i > 0) {
      if (i % 2 == 1) {
        base = step;
        step = ratio > Target ? step * 2 : step / 2;
      } else {
        step = ratio > Target ? base * 10 : base / 10;
      }
    }
    const double size = Size(step);
    n = TickCount(lo, hi, step);
    const double occ = (n + 1) * size;
    ratio = Length != 0 ? occ / Length : 1e30;
    const double score = std::fabs(ratio - Target);
    if (score < best || i == 0) {
      best = score;
      bestStep = step;
    }
    fits = 3 * size < Length;
    if ((best < Stop && n > 1) || i == 6 || !fits) break;
  }
  if (!fits) return {(hi + lo) / 2};
  return TicksFrom(lo, hi, bestStep);
}

int32_t NegLog(double v) {
  if (v == 0) return 0;
  const double d = std::ceil(-std::log10(std::fabs(v)));
  return std::isfinite(d) ? static_cast<int32_t>(std::clamp(d, -400.0, 400.0)) : 0;
}

int32_t Round(double v) { return PlotCanvas::RoundToPixel(v); }

}  // namespace

arofdoubleM NiceTicksForHeight(double TextHeight, double Length, double Lower, double Upper) {
  return SearchTicks([&](double) { return std::fabs(TextHeight); }, Length, Lower, Upper, 0.7, 0.1);
}

std::string SampleLabel(double Step, double Lower, double Upper) {
  int32_t d = 1;
  bool any = false;
  for (double end : {Lower, Upper}) {
    const int32_t digits = end == 0 ? 1 : static_cast<int32_t>(std::floor(std::log10(std::fabs(end)))) + 1;
    d = any ? std::max(d, digits) : digits;
    any = true;
  }
  std::string sample(static_cast<size_t>(std::clamp(d, 1, 400)), '0');
  const double lg = std::log10(Step);
  if (lg < 0) {
    const double a = std::fabs(lg);
    sample.push_back('.');
    sample.append(static_cast<size_t>(std::clamp(std::floor(a + a / 1e5) + 1, 1.0, 400.0)), '0');
  }
  return sample;
}

arofdoubleM NiceTicksForWidth(const std::function<double(const std::string&)>& SampleWidth, double Length,
                              double Lower, double Upper) {
  return SearchTicks([&](double step) { return SampleWidth(SampleLabel(step, Lower, Upper)); }, Length, Lower,
                     Upper, 0.5, 0.15);
}

arofintM LabelDecimals(const arofdoubleM& Ticks) {
  arofintM d(Ticks.size(), 0);
  if (Ticks.size() == 1) d[0] = NegLog(Ticks[0]);
  for (size_t k = 0; k + 1 < Ticks.size(); ++k)
    d[k] = std::max({NegLog(Ticks[k]), NegLog(Ticks[k + 1]), NegLog(Ticks[k + 1] - Ticks[k])});
  if (Ticks.size() > 1) d.back() = d[d.size() - 2];
  for (int32_t& v : d) v = std::max(v, 0);
  return d;
}

void NiceTicksVertical(TPlotCanvas& Canvas, double Length, arofdoubleM& Ticks, double Lower, double Upper) {
  Ticks = NiceTicksForHeight(std::abs(Canvas.TextHeight("0123456789")), Length, Lower, Upper);
}

void NiceTicksHorizontal(TPlotCanvas& Canvas, double Length, arofdoubleM& Ticks, double Lower, double Upper) {
  Ticks = NiceTicksForWidth([&](const std::string& s) { return std::abs(Canvas.TextWidth(s)); }, Length, Lower,
                            Upper);
}

namespace {

void DrawVertical(TPlotCanvas& c, int32_t Side, int32_t Kind, double Lower, double Upper, int32_t X, int32_t Y,
                  int32_t Length, double A, const std::string& FontName, const std::string& Title,
                  bool TopIsUpper) {
  const int32_t labelWidth = 2 * c.TextWidth("123456789") + 6;
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clWhite);
  if (Side == 0)
    c.FillRect(TRect(X, Y, X + labelWidth, Y + Length));
  else
    c.FillRect(TRect(X - labelWidth, Y, X, Y + Length));
  c.Pen->SetColor(clBlack);
  c.MoveTo(X, Y);
  c.LineTo(X, Y + Length);

  const auto scale = [&](double v) {
    switch (Kind) {
      case 1: return std::log10(v);
      case 2: return Supermath2d::SignedLog(v, A);
      default: return v;
    }
  };
  const auto unscale = [&](double t) {
    switch (Kind) {
      case 1: return std::pow(10.0, t);
      case 2: return Supermath2d::SignedLogInverse(t, A);
      default: return t;
    }
  };
  const double s0 = scale(Lower), s1 = scale(Upper);
  arofdoubleM positions;
  NiceTicksVertical(c, Length, positions, s0, s1);
  if (TopIsUpper) std::reverse(positions.begin(), positions.end());
  arofdoubleM values(positions.size());
  std::transform(positions.begin(), positions.end(), values.begin(), unscale);
  const arofintM decimals = LabelDecimals(values);

  const double pLower = TopIsUpper ? Y + Length : Y, pUpper = TopIsUpper ? Y : Y + Length;
  const int32_t hh = Round(c.TextHeight("123456789") / 2.0);
  const int32_t out = Side == 0 ? 1 : -1;
  double last = Y, previous = 0;
  int32_t widest = 0;
  c.Brush->SetStyle(bsClear);
  for (size_t k = 0; k < positions.size(); ++k) {
    const double p = s1 != s0 ? Supermath2d::LinearInterpolate(positions[k], s0, s1, pLower, pUpper) : pLower;
    const bool edge = k == 0 || k + 1 == positions.size();
    if ((Round(p - hh) > last && p + hh < Y + Length) || edge) {
      const std::string label = Supermath2d::detail::FixedText(values[k], decimals[k]);
      const int32_t w = c.TextWidth(label);
      widest = std::max(widest, w);
      c.TextOut(Side == 0 ? X + 6 : X - 6 - w, Round(p - hh), label);
      last = p + hh;
    }
    c.MoveTo(X, Round(p));
    c.LineTo(X + out * 4, Round(p));
    if (k > 0) {
      const int32_t m = Round((p + previous) / 2);
      c.MoveTo(X, m);
      c.LineTo(X + out * 2, m);
    }
    previous = p;
  }
  if (!Title.empty()) {
    if (!FontName.empty()) c.Font->SetName(FontName);
    const int32_t ty = Round(Y + Length / 2.0 - c.TextHeight(Title) / 2.0);
    c.TextOut(Side == 0 ? X + 8 + widest : X - 8 - widest - c.TextWidth(Title), ty, Title);
  }
  c.Brush->SetStyle(bsSolid);
}

void DrawHorizontal(TPlotCanvas& c, int32_t Side, double Lower, double Upper, int32_t X, int32_t Y,
                    int32_t Length, const std::string& FontName, const std::string& Title) {
  const int32_t th = c.TextHeight("123456789");
  const int32_t strip = 3 * th + 6;
  c.Brush->SetBitmap(nullptr);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clWhite);
  if (Side == 0)
    c.FillRect(TRect(X, Y - 6 - strip, X + Length, Y - 6));
  else
    c.FillRect(TRect(X, Y, X + Length, Y + strip));
  c.Pen->SetColor(clBlack);
  c.MoveTo(X, Y);
  c.LineTo(X + Length, Y);
  arofdoubleM ticks;
  NiceTicksHorizontal(c, Length, ticks, Lower, Upper);
  const arofintM decimals = LabelDecimals(ticks);
  const int32_t out = Side == 0 ? -1 : 1;
  double right = -1e30, previous = 0;
  c.Brush->SetStyle(bsClear);
  for (size_t k = 0; k < ticks.size(); ++k) {
    const double p = Upper != Lower ? Supermath2d::LinearInterpolate(ticks[k], Lower, Upper, X, X + Length) : X;
    const std::string label = Supermath2d::detail::FixedText(ticks[k], decimals[k]);
    const int32_t w = c.TextWidth(label);
    if (Round(p - w / 2.0) > right && p + w / 2.0 < X + Length) {
      c.TextOut(Round(p - w / 2.0), Side == 0 ? Y - 6 - th : Y + 6, label);
      right = p + w / 2.0;
    }
    c.MoveTo(Round(p), Y);
    c.LineTo(Round(p), Y + out * 4);
    if (k > 0) {
      const int32_t m = Round((p + previous) / 2);
      c.MoveTo(m, Y);
      c.LineTo(m, Y + out * 2);
    }
    previous = p;
  }
  if (!Title.empty()) {
    if (!FontName.empty()) c.Font->SetName(FontName);
    const int32_t w = c.TextWidth(Title), h = c.TextHeight(Title);
    const int32_t tx = Round(X + Length / 2.0 - w / 2.0);
    c.TextOut(tx, Side == 0 ? Y - 6 - th - 2 - h : Y + 6 + th + 2, Title);
  }
  c.Brush->SetStyle(bsSolid);
}

}  // namespace

void DrawValueAxis(TPlotCanvas& Canvas, int32_t Orientation, int32_t Side, int32_t Kind, double Lower,
                   double Upper, int32_t X, int32_t Y, int32_t Length, double A, const std::string& FontName,
                   const std::string& Title, bool TopIsUpper) {
  if (!Canvas.Pen || !Canvas.Brush || !Canvas.Font) return;
  if (Orientation == 1)
    DrawVertical(Canvas, Side, Kind, Lower, Upper, X, Y, Length, A > 0 ? A : 1.0, FontName, Title, TopIsUpper);
  else if (Orientation == 0)
    DrawHorizontal(Canvas, Side, Lower, Upper, X, Y, Length, FontName, Title);
}

}  // namespace Section2D
