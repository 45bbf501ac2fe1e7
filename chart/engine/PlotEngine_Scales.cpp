// Axis arithmetic: range settling, LinLog threshold, rounded limits, value to
// pixel mapping and back, and the label step.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/engine/PlotEngine.h"
#include "chart/engine/PlotProcs.h"

namespace PlotEngine {

int32_t PixelClampLimit = 67108863;

double SignOf(double X) { return X >= 0 ? 1.0 : -1.0; }

double LinLog(double A, double X) { return SignOf(X) * std::log10(std::fabs(X) / A + 1); }

double InvLinLog(double A, double Y) { return SignOf(Y) * A * (std::pow(10.0, std::fabs(Y)) - 1); }

double LinLogStep(double A, double K, double X) {
  const double V = InvLinLog(A, LinLog(A, X) + K);
  if (V == 0 || !std::isfinite(V)) return 0;
  const double R = SignOf(V) * std::pow(10.0, std::nearbyint(std::log10(std::fabs(V))));
  return 6 * A > std::fabs(R) ? 0 : R;
}

double NiceStep(double X) {
  // Zero, negatives and NaN have no 1-2-5 successor; 1 keeps the step search moving.
  if (!(X > 0) || std::isinf(X)) return 1;
  double Scale = 1;
  while (X >= 10) {
    X /= 10;
    Scale *= 10;
  }
  while (X < 1) {
    X *= 10;
    Scale /= 10;
  }
  const double Mantissa = X < 2 ? 2 : (X < 5 ? 5 : 10);
  return Mantissa * Scale;
}

double CeilT(double X) {
  const double R = std::nearbyint(X);
  return std::fabs(X - R) < 1e-10 ? R : std::ceil(X);
}

double FloorT(double X) {
  const double R = std::nearbyint(X);
  return std::fabs(X - R) < 1e-10 ? R : std::floor(X);
}

}  // namespace PlotEngine

using namespace PlotEngine;

using PlotCanvas::RoundToPixel;

namespace {
constexpr double MinAxisIncrement = 1e-12;
constexpr double MaxRoundedCount = 2147483647.0;

double LogB(double Base, double X) { return std::log(X) / std::log(Base); }

}  // namespace

bool TChartAxis::DateTimeAxis() const { return IsDateTime(); }

void TChartAxis::CalcAutoLimits() {
  if (!FChart) return;
  if (FAutomatic || FAutomaticMaximum) FMaximum = FChart->AxisMaxValue(*this);
  if (FAutomatic || FAutomaticMinimum) FMinimum = FChart->AxisMinValue(*this);
}

void TChartAxis::CalcAxisRange() {
  if (RangeFrozen) return;
  const double NotedMin = PreviousMinimum, NotedMax = PreviousMaximum;
  if (FChart && FChart->IsZoomedView()) {
    ScaleMaximum = FMaximum;
    ScaleMinimum = FMinimum;
  } else {
    CalcAutoLimits();
    if (UseFixedLimits) {
      if (FAutomatic || FAutomaticMinimum) FMinimum = FixedMinimum;
      if (FAutomatic || FAutomaticMaximum) FMaximum = FixedMaximum;
    }
    if (FLogarithmic) LinLogActive = std::min(FMinimum, FMaximum) <= 0;
    if (!RoundedLimits) {
      ScaleMaximum = FMaximum;
      ScaleMinimum = FMinimum;
    } else if (!FLogarithmic) {
      if (FIncrement > 0) {
        ScaleMaximum = CeilT(FMaximum / FIncrement) * FIncrement;
        ScaleMinimum = FloorT(FMinimum / FIncrement) * FIncrement;
      } else {
        ScaleMaximum = FMaximum;
        ScaleMinimum = FMinimum;
      }
    } else if (LinLogActive) {
      auto Decade = [](double V, bool Up) {
        if (V == 0) return 0.0;
        const double L = std::log10(std::fabs(V));
        // Outward: up for the maximum, down for the minimum, on either sign.
        const double E = (V > 0) == Up ? CeilT(L) : FloorT(L);
        return SignOf(V) * std::pow(10.0, E);
      };
      ScaleMaximum = Decade(FMaximum, true);
      ScaleMinimum = Decade(FMinimum, false);
    } else {
      const double B = FLogarithmicBase;
      ScaleMaximum = std::pow(B, CeilT(LogB(B, std::fabs(FMaximum))));
      ScaleMinimum = std::pow(B, FloorT(LogB(B, std::fabs(FMinimum))));
      if (ScaleMaximum == ScaleMinimum) {
        ScaleMaximum *= B;
        ScaleMinimum /= B;
      }
    }
    FMinimum = ScaleMinimum;
    FMaximum = ScaleMaximum;
    if (LinLogActive && FLogarithmic) {
      const double M = std::max(std::fabs(ScaleMinimum), std::fabs(ScaleMaximum));
      if (M == 0) {
        LinLogThreshold = 1.0;
      } else if (MinDecEnabled) {
        if (MinDecValue <= 0) MinDecValue = M / 100;
        LinLogThreshold = MinDecValue > M ? std::pow(10.0, FloorT(std::log10(M))) / 9
                                          : std::pow(10.0, std::nearbyint(std::log10(MinDecValue))) / 9;
      } else if (ScaleMaximum < 0) {
        LinLogThreshold = std::pow(10.0, std::nearbyint(std::log10(std::fabs(ScaleMaximum) * 1e-5))) / 9;
      } else {
        LinLogThreshold = std::pow(10.0, std::nearbyint(std::log10(M)) - LinLogDecShift) / 9;
      }
    }
  }
  LimitsChanged = ScaleMinimum != NotedMin || ScaleMaximum != NotedMax;
  PreviousMaximum = ScaleMaximum;
  PreviousMinimum = ScaleMinimum;
  RecalcScales();
}

void TChartAxis::RecalcScales() {
  ScaleRange = ScaleMaximum - ScaleMinimum;
  ZeroRange = !(std::fabs(ScaleRange) >= 1e-100);
  PixelsPerUnit = ZeroRange ? 0 : AxisLength / ScaleRange;
  if (FLogarithmic) {
    if (LinLogActive) {
      LogScaleMinimum = LinLog(LinLogThreshold, ScaleMinimum);
      LogScaleMaximum = LinLog(LinLogThreshold, ScaleMaximum);
    } else {
      LogScaleMinimum = ScaleMinimum > 0 ? std::log(ScaleMinimum) : 0;
      LogScaleMaximum = ScaleMaximum > 0 ? std::log(ScaleMaximum) : 0;
    }
    LogScaleRange = LogScaleMaximum - LogScaleMinimum;
    PixelsPerLogUnit = LogScaleRange == 0 ? 0 : AxisLength / LogScaleRange;
  }
  const int32_t D = FChart ? (DepthAxisFlag ? FChart->GetChartHeight() : FChart->GetChartDepth()) : 0;
  DepthPixel = RoundToPixel(FZPosition * D / 100);
}

void TChartAxis::SetAxisPositions() {
  if (DepthAxisFlag) {
    const int32_t D = FChart ? FChart->GetChartDepth() : 0;
    StartPixel = RoundToPixel(D * FStartPosition / 100);
    EndPixel = RoundToPixel(D * FEndPosition / 100);
  } else {
    const TRect R = FChart ? FChart->GetChartRect() : TRect{};
    const int32_t Origin = FHorizontal ? R.Left : R.Top;
    const int32_t Size = FHorizontal ? R.Right - R.Left : R.Bottom - R.Top;
    StartPixel = Origin + RoundToPixel(Size * FStartPosition / 100);
    EndPixel = Origin + RoundToPixel(Size * FEndPosition / 100);
  }
  AxisLength = EndPixel - StartPixel;
  CentrePixel = (StartPixel + EndPixel) / 2;
  RecalcScales();
}

void TChartAxis::AdjustToRect() {
  // The margins moved StartPixel and EndPixel inwards: the limits are placed
  // there, and the values at the axis' own ends follow from that placement.
  const int32_t inner0 = StartPixel, inner1 = EndPixel;
  SetAxisPositions();
  const int32_t outer0 = StartPixel, outer1 = EndPixel;
  StartPixel = inner0;
  EndPixel = inner1;
  AxisLength = EndPixel - StartPixel;
  double NewMax = CalcPosPoint(outer1);
  double NewMin = CalcPosPoint(outer0);
  SetAxisPositions();
  if (NewMin > NewMax) std::swap(NewMin, NewMax);
  ScaleMaximum = PreviousMaximum = NewMax;
  ScaleMinimum = PreviousMinimum = NewMin;
  RecalcScales();
}

int32_t TChartAxis::AxisLineSide(const TRect& R) const {
  int32_t Side = FHorizontal ? (FOtherSide ? R.Top : R.Bottom) : (FOtherSide ? R.Right : R.Left);
  if (FPositionPercent != 0) {
    const int32_t Across = FHorizontal ? R.Bottom - R.Top : R.Right - R.Left;
    int32_t Offset = FPositionUnits == muPixels ? RoundToPixel(FPositionPercent)
                                                : RoundToPixel(FPositionPercent / 100 * Across);
    if (FOtherSide) Offset = -Offset;
    Side += FHorizontal ? -Offset : Offset;
  }
  return Side;
}

// ---- value to pixel ---------------------------------------------------------

int32_t TChartAxis::PositionDepth(double Value) const {
  if (ZeroRange) return CentrePixel;
  return RoundToPixel(FInverted ? PixelsPerUnit * (ScaleMaximum - Value) : (Value - ScaleMinimum) * PixelsPerUnit);
}

int32_t TChartAxis::PositionLinear(double Value, bool Horizontal) const {
  if (ZeroRange) return CentrePixel;
  const double D = (Value - ScaleMinimum) * PixelsPerUnit;
  const bool FromStart = Horizontal != FInverted;
  if (FChart && FChart->GetAxes().UnclampedPositions) {
    const int32_t RD = RoundToPixel(D);
    return FromStart ? StartPixel + RD : EndPixel - RD;
  }
  const double P = FromStart ? StartPixel + D : EndPixel - D;
  const double Limit = PixelClampLimit;
  if (P > Limit) return PixelClampLimit;
  if (P < -Limit) return -PixelClampLimit;
  return RoundToPixel(P);
}

int32_t TChartAxis::PositionLog(double Value, bool Horizontal) const {
  if (LogScaleRange == 0) return CentrePixel;
  double T;
  if (LinLogActive) {
    // A value or scale that gives no pixel lands on the axis centre instead
    // of a log-scale number being taken for a pixel.
    if (PixelsPerLogUnit > 1e9) return CentrePixel;
    T = LinLog(LinLogThreshold, Value);
  } else {
    // Zero and negative values have no logarithm: they go to the axis start.
    if (Value <= 0) return Horizontal ? (FInverted ? EndPixel : StartPixel) : (FInverted ? StartPixel : EndPixel);
    T = std::log(Value);
  }
  const double Offset = FInverted ? (LogScaleMaximum - T) * PixelsPerLogUnit : (T - LogScaleMinimum) * PixelsPerLogUnit;
  return Horizontal ? StartPixel + RoundToPixel(Offset) : EndPixel - RoundToPixel(Offset);
}

int32_t TChartAxis::Position(double Value, bool Horizontal) const {
  if (std::isnan(Value)) return CentrePixel;
  if (DepthAxisFlag) return PositionDepth(Value);
  return FLogarithmic ? PositionLog(Value, Horizontal) : PositionLinear(Value, Horizontal);
}

int32_t TChartAxis::ValueToPixel(double Value) const { return Position(Value, FHorizontal); }
int32_t TChartAxis::ValueToPixelX(double Value) const { return Position(Value, true); }
int32_t TChartAxis::ValueToPixelY(double Value) const { return Position(Value, false); }

double TChartAxis::CalcPosPointDouble(double Pixel) const {
  if (!FLogarithmic) {
    if (AxisLength < 1) return 0;
    const double D = (FInverted ? EndPixel - Pixel : Pixel - StartPixel) * ScaleRange / AxisLength;
    return FHorizontal ? ScaleMinimum + D : ScaleMaximum - D;
  }
  const bool MinAtStart = FHorizontal != FInverted;
  if (Pixel == StartPixel) return MinAtStart ? ScaleMinimum : ScaleMaximum;
  if (Pixel == EndPixel) return MinAtStart ? ScaleMaximum : ScaleMinimum;
  if (LogScaleRange == 0 || AxisLength == 0) return ScaleMinimum;
  const double T = (FInverted ? EndPixel - Pixel : Pixel - StartPixel) * LogScaleRange / AxisLength;
  const double S = FHorizontal ? LogScaleMinimum + T : LogScaleMaximum - T;
  return LinLogActive ? InvLinLog(LinLogThreshold, S) : std::exp(S);
}

int32_t TChartAxis::CalcSizeValue(double Value) const {
  if (!(Value > 0)) return 0;
  if (FLogarithmic) {
    if (LogScaleRange == 0) return 0;
    return RoundToPixel((LinLogActive ? LinLog(LinLogThreshold, Value) : std::log(Value)) * PixelsPerLogUnit);
  }
  if (ScaleRange == 0) return 0;
  return RoundToPixel(Value * PixelsPerUnit);
}

// ---- label step -------------------------------------------------------------

double TChartAxis::CalcLogIncrement(double X) const {
  if (LinLogActive) return LinLogStep(LinLogThreshold, 0, X);
  return SignOf(X) * std::pow(FLogarithmicBase, std::nearbyint(LogB(FLogarithmicBase, std::fabs(X))));
}

double TChartAxis::CalcDateTimeIncrement(int32_t Count) const {
  const double Micro = PlotProcs::DateTimeStep[PlotProcs::dtOneMicroSecond];
  const double Second = PlotProcs::DateTimeStep[PlotProcs::dtOneSecond];
  double S = std::max(Micro, FIncrement);
  if (ScaleRange / S > 1e6) S = ScaleRange / 1e6;
  // Each pass at least doubles the step, so the loop ends within a few
  // thousand passes even for the widest range.
  for (int Guard = 0; Guard < 4000 && std::isfinite(S) && Count < std::nearbyint(ScaleRange / S); ++Guard) {
    const double Next = S >= 365 ? 2 * S : (S >= Second ? PlotProcs::NextDateTimeStep(S) : NiceStep(S));
    S = Next > S ? Next : 2 * S;
  }
  return std::max(Micro, S);
}

double TChartAxis::CalcIncrement(int32_t Count) const {
  const bool DateTime = DateTimeAxis();
  if (Count < 1) return DateTime ? PlotProcs::DateTimeStep[PlotProcs::dtOneMicroSecond] : MinAxisIncrement;
  if (DateTime) return CalcDateTimeIncrement(Count);
  // An axis without a numeric range labels in steps of one.
  if (std::isnan(ScaleRange)) return 1;
  const int32_t N = Count;
  double S;
  if (FIncrement > 0) {
    S = FIncrement;
  } else if (ScaleRange == 0) {
    S = 1.0;
  } else {
    S = std::fabs(ScaleRange) / (N + 1);
    if (FLogarithmic) S = CalcLogIncrement(S);
    if (ScaleRange >= 1 && FChart && FChart->AxisHasSeriesWithAtMost(*this, N)) S = std::max(S, 1.0);
  }
  if (FLabelsSeparation > 0) {
    for (int Guard = 0; Guard < 4000; ++Guard) {
      if (S == 0) S = 100000;
      const double Q = ScaleRange / S;
      if (!(std::fabs(Q) >= MaxRoundedCount || N < std::nearbyint(Q))) break;
      double Next;
      if (!FLogarithmic)
        Next = NiceStep(S);
      else if (LinLogActive)
        Next = LinLogStep(LinLogThreshold, 1, S);
      else
        Next = S * FLogarithmicBase;
      // A step that fails to grow (a LinLog step under its threshold, a base
      // below 1) would loop for ever: grow it tenfold instead.
      S = Next > S ? Next : S * 10;
      if (S > ScaleRange || std::isinf(S)) break;
    }
  }
  if (std::isinf(S)) return ScaleRange;
  return std::max(MinAxisIncrement, S);
}

double TChartAxis::IncrementForLabelSize(int32_t Size) const {
  int32_t Count = 1;
  if (Size > 0) {
    const int32_t Gap = FLabelsSeparation > 0 ? RoundToPixel(FLabelsSeparation / 100.0 * Size) : 0;
    Count = RoundToPixel(static_cast<double>(AxisLength) / (Size + Gap));
  }
  return CalcIncrement(Count);
}
