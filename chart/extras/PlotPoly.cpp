// Polynomial least squares in extended precision.
#include "chart/extras/PlotPoly.h"

#include <cmath>
#include <utility>

#include "chart/engine/PlotConst.h"

namespace PlotPoly {

void PowerVector(int32_t NumTerms, TVector& V, long double X) {
  if (V.size() < static_cast<size_t>(NumTerms) + 1) V.resize(static_cast<size_t>(NumTerms) + 1);
  if (NumTerms < 1) return;
  V[1] = 1;
  for (int32_t k = 2; k <= NumTerms; ++k) V[static_cast<size_t>(k)] = V[static_cast<size_t>(k) - 1] * X;
}

long double EvalPolynomial(int32_t NumTerms, const TCoefficients& Coefficients, long double X) {
  // Horner's rule: the same sum with one multiplication per term.
  long double r = 0;
  for (int32_t k = NumTerms; k >= 1; --k) r = r * X + Coefficients[static_cast<size_t>(k)];
  return r;
}

long double SolveGauss(int32_t N, TMatrix& A, TVector& B, TVector& X, long double Epsilon) {
  if (N < 1 || N > MaxPolyTerms) return 0;
  if (X.size() < static_cast<size_t>(N) + 1) X.resize(static_cast<size_t>(N) + 1);
  int32_t exchanges = 0;
  for (int32_t j = 1; j < N; ++j) {
    int32_t pivot = j;
    for (int32_t r = j + 1; r <= N; ++r)
      if (std::fabs(A[r][j]) > std::fabs(A[pivot][j])) pivot = r;
    if (pivot != j) {
      for (int32_t l = j; l <= N; ++l) std::swap(A[j][l], A[pivot][l]);
      std::swap(B[static_cast<size_t>(j)], B[static_cast<size_t>(pivot)]);
      ++exchanges;
    }
    if (std::fabs(A[j][j]) < Epsilon) return 0;
    for (int32_t k = j + 1; k <= N; ++k) {
      const long double f = A[k][j] / A[j][j];
      for (int32_t l = j + 1; l <= N; ++l) A[k][l] -= f * A[j][l];
      B[static_cast<size_t>(k)] -= f * B[static_cast<size_t>(j)];
    }
  }
  if (std::fabs(A[N][N]) < Epsilon) return 0;
  long double det = 1;
  for (int32_t n = N; n >= 1; --n) {
    long double s = B[static_cast<size_t>(n)];
    for (int32_t l = n + 1; l <= N; ++l) s -= A[n][l] * X[static_cast<size_t>(l)];
    X[static_cast<size_t>(n)] = s / A[n][n];
    det *= A[n][n];
  }
  return exchanges % 2 == 1 ? -det : det;
}

void FitPolynomial(int32_t NumPoints, int32_t NumTerms, const TVector& X, const TVector& Y,
                   TCoefficients& Coefficients) {
  if (NumTerms < 1 || NumTerms > MaxPolyTerms || NumPoints < 1 || X.size() <= static_cast<size_t>(NumPoints) ||
      Y.size() <= static_cast<size_t>(NumPoints))
    throw ChartException("Cannot process fitting");
  TMatrix a{};
  TVector b(static_cast<size_t>(NumTerms) + 1, 0), solution(static_cast<size_t>(NumTerms) + 1, 0), v;
  for (int32_t i = 1; i <= NumPoints; ++i) {
    PowerVector(NumTerms, v, X[static_cast<size_t>(i)]);
    for (int32_t j = 1; j <= NumTerms; ++j) {
      for (int32_t k = 1; k <= NumTerms; ++k) a[j][k] += v[static_cast<size_t>(j)] * v[static_cast<size_t>(k)];
      b[static_cast<size_t>(j)] += v[static_cast<size_t>(j)] * Y[static_cast<size_t>(i)];
    }
  }
  if (SolveGauss(NumTerms, a, b, solution, 1e-15L) == 0) throw ChartException("Cannot process fitting");
  Coefficients.fill(0);
  for (int32_t j = 1; j <= NumTerms; ++j) Coefficients[static_cast<size_t>(j)] = solution[static_cast<size_t>(j)];
}

}  // namespace PlotPoly
