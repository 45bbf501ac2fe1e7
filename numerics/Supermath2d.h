// Dynamic-array types, the no-value convention and number text shared by every own
// unit, and the numerical routines (extremes, singular-value solve, spline, table
// interpolation, modified Bessel functions, signed logarithm).
// No routine raises or crashes on empty arrays, no-value entries or non-finite input.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using arofdoubleM = std::vector<double>;
using ararofdoubleM = std::vector<arofdoubleM>;
using arararofdoubleM = std::vector<ararofdoubleM>;
using arofintM = std::vector<int32_t>;
using ararofintM = std::vector<arofintM>;
using arofboolM = std::vector<uint8_t>;  // one byte per flag, 0 false, 1 true
using ararofboolM = std::vector<arofboolM>;
using arofstrM = std::vector<std::string>;

// A point pair: x (horizontal position), then z.
struct complexM {
  double x = 0.0;
  double z = 0.0;
  bool operator==(const complexM&) const = default;
};
using arofcomplexM = std::vector<complexM>;
using ararofcomplexM = std::vector<arofcomplexM>;

namespace Supermath2d {

// Stands for unset, no value and an electrode that is absent or at infinity.
// Compared exactly, never with a tolerance.
inline constexpr double NoValue = 123456789.0;

// ---- Hooks installed by the platform layer at start-up ----
// Turns a system colour (negative TColor) into its current RGB value; ordinary RGB
// colours are never passed. Unset: the classic default system colours are used.
void SetSystemColorResolver(std::function<int32_t(int32_t)> resolver);
// Decimal separator of the user's locale, used only by FloatToStrGeneral. Default ".".
void SetLocaleDecimalSeparator(char separator);
char GetLocaleDecimalSeparator();

// ---- Number text ----
// Reads a decimal real ("," accepted once as the decimal point); NoValue when the text
// does not convert or fails a bound. lower == upper: no bounds; a bound of 0 is no bound.
double StrToFloatChecked(const std::string& text, bool inclusive, double lower, double upper);
// Fixed-point text with N decimals (mode 1: more decimals for small values); whole
// numbers without a point; NoValue, NaN and infinities as "*". Sets text and returns it.
std::string FloatToStrDec(int32_t N, uint8_t mode, std::string& text, double x);
std::string FloatToStrDec(int32_t N, uint8_t mode, double x);
// General format with N significant digits and the locale decimal separator;
// NoValue, NaN and infinities as "*". Sets text and returns it.
std::string FloatToStrGeneral(int32_t N, std::string& text, double x);
std::string FloatToStrGeneral(int32_t N, double x);
// Prefix followed by the entries (FloatToStrDec) separated by one blank.
std::string ArrayToStr(const arofdoubleM& values, const std::string& prefix, int32_t N,
                       uint8_t mode, std::string& text);
// Split a line at blanks and tabs; tokens with counter below skip are left out.
void ParseDoubles(const std::string& line, int32_t skip, arofdoubleM& values);
void ParseInts(const std::string& line, int32_t skip, arofintM& values);
void ParseStrings(const std::string& line, int32_t skip, arofstrM& tokens);

// Text files: the whole file as bytes (false when it cannot be read), and text
// cut into lines at CR, LF or CR LF; a last line without an ending is kept.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);
arofstrM SplitLines(const std::string& text);
// The same lines as views into text.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// ---- Arrays and small helpers ----
void FillDoubleArray(arofdoubleM& values, double value);
void FillDoubleArray2D(ararofdoubleM& values, double value);
void FillDoubleArray3D(arararofdoubleM& values, double value);
void FillIntArray(arofintM& values, int32_t value);
void FillIntArray2D(ararofintM& values, int32_t value);
void FillBoolArray(arofboolM& values, bool flag);
void CopyDoubleArray(const arofdoubleM& source, arofdoubleM& copy);
void CopyDoubleArray2D(const ararofdoubleM& source, ararofdoubleM& copy);
void CopyIntArray(const arofintM& source, arofintM& copy);
void CopyBoolArray(const arofboolM& source, arofboolM& copy);
void CopyComplexArray(const arofcomplexM& source, arofcomplexM& copy);
// Copy without entry k (k beyond the end removes the last entry; k < 0 removes none;
// an empty source gives an empty copy).
void DeleteDoubleAt(const arofdoubleM& source, int32_t k, arofdoubleM& copy);
void DeleteBoolAt(const arofboolM& source, int32_t k, arofboolM& copy);
void SwapDouble(double& a, double& b);
void SwapInt(int32_t& a, int32_t& b);
void SwapComplex(complexM& a, complexM& b);
complexM MakeComplex(double x, double z);
void ExpArray(const arofdoubleM& values, arofdoubleM& results);
double LinearInterpolate(double x, double x0, double x1, double y0, double y1);
int32_t CountValues(const arofdoubleM& values);
double RobustMean(const arofdoubleM& values);
// The same rule by the plain quadratic method: every pass forms the mean anew and
// scans all values.
double RobustMeanPlain(const arofdoubleM& values);
// n + 1 colours spread over the stops (RGB values, red in the lowest byte).
void ColorRamp(int32_t n, const arofintM& stops, arofintM& colors);

// ---- Numerical routines ----
// Mode 0 all entries, 1 positive entries, 2 negative entries; NoValue never counts.
double MaxOfArray(const arofdoubleM& values, int32_t mode);
double MinOfArray(const arofdoubleM& values, int32_t mode);
// A (m x n, m >= n) becomes U with A = U diag(w) V^T.
void SVDecomp(ararofdoubleM& a, arofdoubleM& w, ararofdoubleM& v);
void SVBackSub(const ararofdoubleM& u, const arofdoubleM& w, const ararofdoubleM& v,
               arofdoubleM& x, const arofdoubleM& b);
void SVDSolve(const ararofdoubleM& a, const arofdoubleM& b, arofdoubleM& x);
double TransferSign(double a, double b);  // |a| when b >= 0, else -|a|
double MaxReal(double a, double b);
void SplineCoeffs(const arofdoubleM& x, const arofdoubleM& y, arofdoubleM& b, arofdoubleM& c,
                  arofdoubleM& d);
double SplineValue(const arofdoubleM& x, const arofdoubleM& y, const arofdoubleM& b,
                   const arofdoubleM& c, const arofdoubleM& d, double u);
double SplineAt(const arofdoubleM& x, const arofdoubleM& y, double u);
// Forgets the interval SplineValue remembers between calls (for tests).
void ResetSplineState();
double InterpolateTable(const arofdoubleM& xs, const arofdoubleM& ys, double x);
void ResampleLinear(const arofdoubleM& xn, const arofdoubleM& xs, const arofdoubleM& ys,
                    arofdoubleM& values);
double InterpolateComplex(const arofcomplexM& polyline, double x);
double BesselI0(double x);
double BesselI1(double x);
double BesselK0(double x);
double BesselK1(double x);
double SignedLog(double x, double a);
double SignedLogInverse(double t, double a);

namespace detail {
// Shortest decimal digits of |x| that read back as x, and the exponent of the first.
void ShortestDigits(double x, std::string& digits, int& exponent);
// Keeps the first count digits, rounding half up.
void RoundDigits(std::string& digits, int& exponent, size_t count);
// Fixed-point text of a finite x with the given decimals (clamped to 0..400), "." as
// the point, halves rounded up from the shortest digits, no minus sign when every
// written digit is 0.
std::string FixedText(double x, int32_t decimals);
// Reads a decimal real as StrToFloatChecked does, without the comma rule and bounds.
bool ReadDecimal(const std::string& text, double& value);
}  // namespace detail

}  // namespace Supermath2d
