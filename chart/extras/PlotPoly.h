#pragma once
// Least-squares polynomial fitting by the normal equations, solved by
// Gaussian elimination with partial pivoting in extended precision.
#include <array>
#include <cstdint>
#include <vector>

namespace PlotPoly {

// At most 20 terms: a polynomial of degree 19.
constexpr int32_t MaxPolyTerms = 20;

// A vector addressed from index 1 (index 0 is unused).
using TVector = std::vector<long double>;
// Rows and columns 1..MaxPolyTerms.
using TMatrix = std::array<std::array<long double, MaxPolyTerms + 1>, MaxPolyTerms + 1>;
using TCoefficients = std::array<long double, MaxPolyTerms + 1>;

// V(1) = 1, V(k) = V(k - 1) * x for k = 2..NumTerms.
void PowerVector(int32_t NumTerms, TVector& V, long double X);
// Sum of c(k) x^(k-1) for k = 1..NumTerms.
long double EvalPolynomial(int32_t NumTerms, const TCoefficients& Coefficients, long double X);
// Solves Matrix * Solution = RHS for N equations (1..N); answers the
// determinant, 0 when a pivot is smaller than Epsilon (nothing solved then).
long double SolveGauss(int32_t N, TMatrix& Matrix, TVector& RHS, TVector& Solution, long double Epsilon);
// Fits NumTerms coefficients to the points X(1..NumPoints), Y(1..NumPoints);
// ChartException "Cannot process fitting" when the system is singular or the
// sizes are out of range.
void FitPolynomial(int32_t NumPoints, int32_t NumTerms, const TVector& X, const TVector& Y,
                   TCoefficients& Coefficients);

}  // namespace PlotPoly
