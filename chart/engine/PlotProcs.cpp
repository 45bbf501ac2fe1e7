#include "chart/engine/PlotProcs.h"

#include <cmath>
#include <cstdlib>

#include "platform/rtl/SysUtils.h"

namespace PlotProcs {

const double DateTimeStep[DateTimeStepCount] = {
    1.0 / 86400000000.0,  // one microsecond
    1.0 / 86400000.0,     // one millisecond
    1.0 / 86400.0,        // one second
    5.0 / 86400.0,     10.0 / 86400.0,  15.0 / 86400.0, 30.0 / 86400.0,
    1.0 / 1440.0,      5.0 / 1440.0,    10.0 / 1440.0,  15.0 / 1440.0, 30.0 / 1440.0,
    1.0 / 24.0,        2.0 / 24.0,      6.0 / 24.0,     12.0 / 24.0,
    1.0,               2.0,             3.0,            7.0,
    15.0,              30.0,            60.0,           90.0,           120.0,
    182.0,             365.0,
    1.0,  // no step
};

double BaseDate = 2.0;
std::string ItemSeparator = ";";
std::vector<TColor> ColorPalette;

namespace {

struct CivilDate {
  int Year, Month, Day;
};

CivilDate DecodeDay(double Value) {
  CivilDate D{};
  SysUtils::DecodeDate(Value, D.Year, D.Month, D.Day);
  return D;
}

double EncodeDay(const CivilDate& D) { return SysUtils::EncodeDate(D.Year, D.Month, D.Day); }

void MoveMonths(CivilDate& D, int N, bool Increase) {
  D.Day = 1;
  if (Increase) {
    D.Month += N;
    if (D.Month > 12) {
      ++D.Year;
      D.Month -= 12;
    }
  } else if (D.Month > N) {
    D.Month -= N;
  } else {
    --D.Year;
    D.Month = 12 - (N - D.Month);
  }
}

}  // namespace

int32_t DaysOfMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) throw ERangeError("Month " + std::to_string(Month) + " is outside 1 to 12");
  return SysUtils::DaysInAMonth(Year, Month);
}

double NextDateTimeStep(double Step) {
  for (int i = dtSixMonths; i >= 0; --i)
    if (DateTimeStep[i] <= Step) return DateTimeStep[i + 1];
  return DateTimeStep[dtOneYear];
}

int NearestDateTimeStep(double Step) {
  for (int i = dtOneYear; i >= 0; --i)
    if (std::fabs(DateTimeStep[i] - Step) < DateTimeStep[dtOneMicroSecond]) return i;
  return dtNone;
}

double TruncDateToStep(int StepIndex, double Value) {
  if (!(Value > BaseDate)) return Value;
  CivilDate D = DecodeDay(Value);
  if (StepIndex == dtHalfMonth)
    D.Day = D.Day >= 15 ? 15 : 1;
  else if (StepIndex >= dtOneMonth && StepIndex <= dtSixMonths)
    D.Day = 1;
  else if (StepIndex == dtOneYear)
    D.Day = D.Month = 1;
  return EncodeDay(D);
}

void IncDecDateTime(bool Calendar, bool Increase, double& Value, int StepIndex, double StepValue) {
  if (!Calendar || StepIndex < dtHalfMonth || StepIndex > dtOneYear) {
    Value = Increase ? Value + StepValue : Value - StepValue;
    return;
  }
  CivilDate D = DecodeDay(Value);
  switch (StepIndex) {
    case dtHalfMonth:
      if (Increase) {
        // Forwards to the next 1st or 15th.
        if (D.Day < 15)
          D.Day = 15;
        else
          MoveMonths(D, 1, true);
      } else if (D.Day > 15) {
        D.Day = 15;
      } else if (D.Day >= 2) {
        D.Day = 1;
      } else {
        MoveMonths(D, 1, false);
        D.Day = 15;
      }
      break;
    case dtOneYear:
      D.Year += Increase ? 1 : -1;
      // 29 February of a leap year becomes the 28th in a common year.
      if (D.Day > DaysOfMonth(D.Year, D.Month)) D.Day = DaysOfMonth(D.Year, D.Month);
      break;
    default: {
      static const int Months[] = {1, 2, 3, 4, 6};
      MoveMonths(D, Months[StepIndex - dtOneMonth], Increase);
      break;
    }
  }
  Value = EncodeDay(D);
}

std::string DefaultDateTimeFormat(double Step) {
  return Step > 1.0 ? FormatSettings.ShortDateFormat : FormatSettings.ShortTimeFormat;
}

std::string IntToText(int64_t N) { return std::to_string(N); }

namespace {
// Maps the characters From1 and From2 to To1 and To2 in one left-to-right pass.
std::string SwapSeparators(const std::string& S, char From1, char To1, char From2, char To2) {
  std::string Result = S;
  for (char& c : Result) {
    if (c == From1)
      c = To1;
    else if (c == From2)
      c = To2;
  }
  return Result;
}
}  // namespace

std::string LocalizeNumberText(const std::string& S) {
  const char th = FormatSettings.ThousandSeparator, dec = FormatSettings.DecimalSeparator;
  if (th == dec) return S;
  return SwapSeparators(S, ',', th, '.', dec);
}

std::string DelocalizeNumberText(const std::string& S) {
  const char th = FormatSettings.ThousandSeparator, dec = FormatSettings.DecimalSeparator;
  if (th == dec) return S;
  return SwapSeparators(S, th, ',', dec, '.');
}

std::string ReplaceChar(const std::string& S, char Old, char New) {
  std::string Result;
  Result.reserve(S.size());
  for (char c : S) {
    if (c != Old)
      Result += c;
    else if (New != '\0')
      Result += New;
  }
  return Result;
}

int32_t CountItemsSep(const std::string& S, const std::string& Sep) {
  if (S.empty()) return 0;
  if (Sep.empty()) return 1;
  int32_t n = 1;
  for (size_t p = S.find(Sep); p != std::string::npos; p = S.find(Sep, p + Sep.size())) ++n;
  return n;
}

int32_t CountItems(const std::string& S) { return CountItemsSep(S, ItemSeparator); }

std::string ItemAt(const std::string& S, int32_t N) {
  if (S.empty() || N <= 0) return {};
  const std::string& Sep = ItemSeparator;
  if (Sep.empty()) return S;
  size_t start = 0;
  for (int32_t i = 1;; ++i) {
    const size_t p = S.find(Sep, start);
    if (p == std::string::npos) return S.substr(start);  // fewer items: the last one
    if (i == N) return S.substr(start, p - start);
    start = p + Sep.size();
  }
}

std::string ItemAtSep(const std::string& S, int32_t N, const std::string& Sep) {
  // The separator variant works through the global separator, restored on every exit.
  struct Restore {
    std::string Old = ItemSeparator;
    ~Restore() { ItemSeparator = Old; }
  } restore;
  ItemSeparator = Sep;
  return ItemAt(S, N);
}

bool PointNearSegment(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance) {
  if ((P.X == X0 && P.Y == Y0) || (P.X == X1 && P.Y == Y1)) return true;
  const double ax = X0, ay = Y0, bx = X1, by = Y1, px = P.X, py = P.Y;
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double D;
  if (len2 == 0) {
    D = std::hypot(px - ax, py - ay);
  } else {
    const double T = ((px - ax) * dx + (py - ay) * dy) / len2;
    if (T < 0)
      D = std::hypot(px - ax, py - ay);
    else if (T > 1)
      D = std::hypot(px - bx, py - by);
    else
      D = std::hypot(px - (ax + T * dx), py - (ay + T * dy));
  }
  return D <= static_cast<double>(Tolerance) + 1.0;
}

bool PointNearLineTol(TPoint P, TPoint P0, TPoint P1, int32_t Tolerance) {
  return PointNearSegment(P, P0.X, P0.Y, P1.X, P1.Y, Tolerance);
}

bool PointNearLineXY(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance) {
  return PointNearSegment(TPoint{X, Y}, X0, Y0, X1, Y1, Tolerance);
}

bool PointOnLine(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
  return PointNearSegment(P, X0, Y0, X1, Y1, 0);
}

bool PointOnLinePoints(TPoint P, TPoint P0, TPoint P1) { return PointNearSegment(P, P0.X, P0.Y, P1.X, P1.Y, 0); }

bool PointInPolygon(TPoint P, const TPoint* Points, int32_t High) {
  if (High < 0 || Points == nullptr) return false;
  bool inside = false;
  int32_t J = High;
  for (int32_t I = 0; I <= High; ++I) {
    const TPoint& a = Points[I];
    const TPoint& b = Points[J];
    if ((a.Y <= P.Y && P.Y < b.Y) || (b.Y <= P.Y && P.Y < a.Y)) {
      // The product in 64 bits: pixel coordinates of up to 2^26 overflow 32 bits.
      const int64_t num = (static_cast<int64_t>(b.X) - a.X) * (static_cast<int64_t>(P.Y) - a.Y);
      const double x = static_cast<double>(num) / (static_cast<double>(b.Y) - a.Y) + a.X;
      if (P.X < x) inside = !inside;
    }
    J = I;
  }
  return inside;
}

bool PointInPolygon(TPoint P, const std::vector<TPoint>& Points) {
  return PointInPolygon(P, Points.data(), static_cast<int32_t>(Points.size()) - 1);
}

bool PointInTriangle(TPoint P, TPoint P0, TPoint P1, TPoint P2) {
  const TPoint pts[3] = {P0, P1, P2};
  return PointInPolygon(P, pts, 2);
}

bool PointInTriangleUp(TPoint P, int32_t X0, int32_t X1, int32_t YBase, int32_t YApex) {
  return PointInTriangle(P, TPoint{X0, YBase}, TPoint{X1, YBase}, TPoint{(X0 + X1) / 2, YApex});
}

bool PointInTriangleSide(TPoint P, int32_t Y0, int32_t Y1, int32_t XBase, int32_t XApex) {
  return PointInTriangle(P, TPoint{XBase, Y0}, TPoint{XBase, Y1}, TPoint{XApex, (Y0 + Y1) / 2});
}

bool PointInEllipse(TPoint P, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  const int64_t CX = (static_cast<int64_t>(Left) + Right) / 2;
  const int64_t CY = (static_cast<int64_t>(Top) + Bottom) / 2;
  const double A2 = static_cast<double>((CX - Left) * (CX - Left));
  const double B2 = static_cast<double>((CY - Top) * (CY - Top));
  if (A2 == 0 || B2 == 0) return false;
  const double dx = static_cast<double>(P.X - CX), dy = static_cast<double>(P.Y - CY);
  return dx * dx / A2 + dy * dy / B2 <= 1.0;
}

bool PointInEllipseRect(TPoint P, const TRect& Rect) {
  return PointInEllipse(P, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
}

bool LinesCross(double& X, double& Y, double X1, double Y1, double X2, double Y2, double X3, double Y3,
                double X4, double Y4) {
  // Parametric form: vertical segments have no slope, so slopes are avoided.
  const double ax = X2 - X1, ay = Y2 - Y1, bx = X4 - X3, by = Y4 - Y3;
  const double d = ax * by - ay * bx;
  if (std::fabs(d) <= 1e-15 * std::max(1.0, std::hypot(ax, ay) * std::hypot(bx, by))) {
    X = X2;
    Y = Y2;
  } else {
    const double t = ((X3 - X1) * by - (Y3 - Y1) * bx) / d;
    X = X1 + t * ax;
    Y = Y1 + t * ay;
  }
  // A point on a line counts with the non-positive side.
  auto side = [](double ox, double oy, double dx, double dy, double px, double py) {
    return dx * (py - oy) - dy * (px - ox) > 0;
  };
  return side(X1, Y1, ax, ay, X3, Y3) != side(X1, Y1, ax, ay, X4, Y4) &&
         side(X3, Y3, bx, by, X1, Y1) != side(X3, Y3, bx, by, X2, Y2);
}

void SortIndexRange(int32_t First, int32_t Last, const TCompareIndex& Compare, const TSwapIndex& Swap) {
  int32_t L = First;
  while (L < Last) {
    int32_t I = L, J = Last;
    int32_t pivot = static_cast<int32_t>((static_cast<int64_t>(L) + Last) / 2);
    while (I < J) {
      while (Compare(I, pivot) < 0) ++I;
      while (Compare(pivot, J) < 0) --J;
      if (I < J) {
        Swap(I, J);
        // The pivot index follows the swapped entry.
        if (pivot == I)
          pivot = J;
        else if (pivot == J)
          pivot = I;
      }
      if (I <= J) {
        ++I;
        --J;
      }
    }
    // Recurse into the smaller half and loop over the larger one: bounded stack.
    if (J - L < Last - I) {
      if (L < J) SortIndexRange(L, J, Compare, Swap);
      L = I;
    } else {
      if (I < Last) SortIndexRange(I, Last, Compare, Swap);
      Last = J;
    }
  }
}

void SetDefaultPalette() {
  ColorPalette = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF,
                  0x808000, 0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0,
                  0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
}

void SetColorPalette(const TColor* Colors, int32_t High) {
  ColorPalette.assign(Colors, Colors + (High < 0 ? 0 : High + 1));
}

TColor GetDefaultColor(int32_t Index) {
  if (ColorPalette.empty()) return clBlack;
  const int32_t n = static_cast<int32_t>(ColorPalette.size());
  const int32_t i = Index % n;
  return ColorPalette[i < 0 ? i + n : i];
}

TCursorImage HandCursorImage() {
  return Controls::CursorFromRows({"......XX..........",
                                   ".....XooX.........",
                                   ".....XooX.........",
                                   ".....XooX.........",
                                   ".....XooX.........",
                                   ".....XooXXX.......",
                                   ".....XooXooXXX....",
                                   ".....XooXooXooXX..",
                                   "..XX.XooXooXooXoX.",
                                   ".XooXXooooooooXooX",
                                   ".XoooXoooooooooooX",
                                   "..XooXooooooooooX.",
                                   "...XoXooooooooooX.",
                                   "...XooooooooooooX.",
                                   "....XoooooooooooX.",
                                   "....XooooooooooX..",
                                   ".....XoooooooooX..",
                                   ".....XoooooooooX..",
                                   ".....XXXXXXXXXXX.."},
                                  TPoint{6, 0});
}

void Initialize() {
  SetDefaultPalette();
  Controls::SetCursorImage(crPlotHand, HandCursorImage());
  BaseDate = SysUtils::EncodeDate(1900, 1, 1);
  ItemSeparator = ";";
}

void Finalize() {
  ColorPalette.clear();
  Controls::ClearCursorImage(crPlotHand);
  ItemSeparator.clear();
}

namespace {
// Start-up of the unit: palette, base date and separator.
struct UnitStart {
  UnitStart() { Initialize(); }
} unitStart;
}  // namespace

}  // namespace PlotProcs
