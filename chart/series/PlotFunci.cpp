// The basic series functions.
#include "chart/series/PlotFunci.h"

#include <algorithm>
#include <limits>

#include "chart/engine/Chart.h"

namespace {

// The source's value at Index in the list the function reads, when the point exists.
bool ValueAt(const TPlotFunction& F, TComponent* Component, int32_t Index, double& Value, TChartSeries** Series = nullptr) {
  auto* S = dynamic_cast<TChartSeries*>(Component);
  if (!S) return false;
  TChartValueList* L = F.ValueList(S);
  if (!L || Index < 0 || Index >= L->Count()) return false;
  Value = L->GetValue(Index);
  if (Series) *Series = S;
  return true;
}

// Calls Visit for every point First..Last of the list (First = -1: all points).
template <class V>
bool ForRange(TChartValueList& L, int32_t First, int32_t Last, V Visit) {
  if (First == -1) {
    First = 0;
    Last = L.Count() - 1;
  }
  if (Last < First) return false;
  for (int32_t i = First; i <= Last; ++i) Visit(i, L.GetValue(i));
  return true;
}

}  // namespace

// ---- add ----

KV_CLASS_IMPL(TAddPlotFunction, TPlotFunction) {}

double TAddPlotFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  TChartValueList* L = ValueList(Source);
  if (First == -1) return L->Total();
  double Sum = 0;
  ForRange(*L, First, Last, [&](int32_t, double V) { Sum += V; });
  return Sum;
}

double TAddPlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  double Sum = 0, V = 0;
  for (TComponent* C : Sources.Items())
    if (ValueAt(*this, C, Index, V)) Sum += V;
  return Sum;
}

// ---- subtract, multiply, divide ----

KV_CLASS_IMPL(TManySeriesPlotFunction, TPlotFunction) {}
KV_CLASS_IMPL(TSubtractPlotFunction, TManySeriesPlotFunction) {}
KV_CLASS_IMPL(TMultiplyPlotFunction, TManySeriesPlotFunction) {}
KV_CLASS_IMPL(TDividePlotFunction, TManySeriesPlotFunction) {}

double TManySeriesPlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  bool First = true;
  double R = 0, V = 0;
  for (TComponent* C : Sources.Items()) {
    if (!ValueAt(*this, C, Index, V)) continue;
    R = First ? V : CombineValues(R, V);
    First = false;
  }
  return R;
}

// ---- high and low ----

namespace {
template <class Better>
double Extreme(TPlotFunction& F, TChartSeries* Source, int32_t First, int32_t Last, Better IsBetter, bool Max) {
  TChartValueList* L = F.ValueList(Source);
  if (First == -1) return Max ? L->MaxValue() : L->MinValue();
  bool Any = false;
  double R = 0;
  ForRange(*L, First, Last, [&](int32_t, double V) {
    if (!Any || IsBetter(V, R)) R = V;
    Any = true;
  });
  return R;
}

template <class Better>
double ExtremeMany(TPlotFunction& F, const TDataSourcesList& Sources, int32_t Index, Better IsBetter) {
  bool Any = false;
  double R = 0, V = 0;
  for (TComponent* C : Sources.Items()) {
    if (!ValueAt(F, C, Index, V)) continue;
    if (!Any || IsBetter(V, R)) R = V;
    Any = true;
  }
  return R;
}
}  // namespace

KV_CLASS_IMPL(THighPlotFunction, TPlotFunction) {}
KV_CLASS_IMPL(TLowPlotFunction, TPlotFunction) {}

double THighPlotFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  return Extreme(*this, Source, First, Last, [](double A, double B) { return A > B; }, true);
}
double THighPlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  return ExtremeMany(*this, Sources, Index, [](double A, double B) { return A > B; });
}
double TLowPlotFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  return Extreme(*this, Source, First, Last, [](double A, double B) { return A < B; }, false);
}
double TLowPlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  return ExtremeMany(*this, Sources, Index, [](double A, double B) { return A < B; });
}

// ---- average ----

KV_CLASS_IMPL(TAveragePlotFunction, TPlotFunction) {
  c.Property("IncludeNulls", &TAveragePlotFunction::GetIncludeNulls, &TAveragePlotFunction::SetIncludeNulls)
      .Default(true);
}

void TAveragePlotFunction::SetIncludeNulls(bool Value) {
  if (FIncludeNulls == Value) return;
  FIncludeNulls = Value;
  Recalculate();
}

double TAveragePlotFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  TChartValueList* L = ValueList(Source);
  if (First == -1 && FIncludeNulls) return Source->Count() == 0 ? 0 : L->Total() / Source->Count();
  double Sum = 0;
  int32_t N = 0;
  ForRange(*L, First, Last, [&](int32_t i, double V) {
    if (FIncludeNulls || !Source->IsNull(i)) {
      Sum += V;
      ++N;
    }
  });
  return N == 0 ? 0 : Sum / N;
}

double TAveragePlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  double Sum = 0, V = 0;
  int32_t N = 0;
  for (TComponent* C : Sources.Items()) {
    TChartSeries* S = nullptr;
    if (!ValueAt(*this, C, Index, V, &S)) continue;
    if (!FIncludeNulls && S->IsNull(Index)) continue;
    Sum += V;
    ++N;
  }
  return N == 0 ? 0 : Sum / N;
}

// ---- y = f(x) ----

KV_CLASS_IMPL(TCustomPlotFunction, TPlotFunction) {
  c.Property("NumPoints", &TCustomPlotFunction::GetNumPoints, &TCustomPlotFunction::SetNumPoints).Default(100);
  c.Property("StartX", &TCustomPlotFunction::GetStartX, &TCustomPlotFunction::SetStartX).Default(0.0);
}

TCustomPlotFunction::TCustomPlotFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(1);
  NoSourceRequired = true;
}

void TCustomPlotFunction::SetNumPoints(int32_t Value) {
  if (FNumPoints == Value) return;
  FNumPoints = Value;
  Recalculate();
}

void TCustomPlotFunction::SetStartX(double Value) {
  if (FStartX == Value) return;
  FStartX = Value;
  Recalculate();
}

void TCustomPlotFunction::SetOnCalculate(TCalculateEvent Value) {
  FOnCalculate = std::move(Value);
  Recalculate();
}

void TCustomPlotFunction::CalculateWithoutSource() {
  TChartSeries* Parent = ParentSeries();
  if (!FOnCalculate || !Parent) return;
  Parent->Clear();
  double X = FStartX;
  for (int32_t k = 1; k <= FNumPoints; ++k) {
    FX = X;
    // Every call starts from 0: the handler gives the whole value.
    double Y = 0;
    FOnCalculate(this, X, Y);
    if (Parent->GetYMandatory())
      Parent->AppendPoint(X, Y, {}, clDefault);
    else
      Parent->AppendPoint(Y, X, {}, clDefault);
    X += GetPeriod();
  }
}

// ---- median and mode ----

KV_CLASS_IMPL(TCustomSortedFunction, TPlotFunction) {}
KV_CLASS_IMPL(TMedianPlotFunction, TCustomSortedFunction) {
  c.Property("IncludeNulls", &TMedianPlotFunction::GetIncludeNulls, &TMedianPlotFunction::SetIncludeNulls).Default(true);
}
KV_CLASS_IMPL(TModePlotFunction, TCustomSortedFunction) {
  c.Property("IncludeNulls", &TModePlotFunction::GetIncludeNulls, &TModePlotFunction::SetIncludeNulls).Default(true);
}

void TCustomSortedFunction::SetIncludeNulls(bool Value) {
  if (FIncludeNulls == Value) return;
  FIncludeNulls = Value;
  Recalculate();
}

double TCustomSortedFunction::SortedResult(const std::vector<double>&) const { return 0; }

double TCustomSortedFunction::Result(std::vector<double>& Values) const {
  if (Values.empty()) return 0;
  // One stable sort keeps equal values in arrival order, as inserting each
  // value before the first larger one would, in n log n instead of n squared.
  std::stable_sort(Values.begin(), Values.end());
  return SortedResult(Values);
}

double TCustomSortedFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  TChartValueList* L = Source->MandatoryList();
  const int32_t N = L->Count();
  if (First == -1) First = 0;
  if (Last == -1) Last = N - 1;
  if (Last < First) return 0;
  std::vector<double> Values;
  Values.reserve(static_cast<size_t>(Last - First + 1));
  for (int32_t i = First; i <= Last && i < N; ++i)
    if (FIncludeNulls || !Source->IsNull(i)) Values.push_back(L->GetValue(i));
  return Result(Values);
}

double TCustomSortedFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  std::vector<double> Values;
  for (TComponent* C : Sources.Items()) {
    auto* S = dynamic_cast<TChartSeries*>(C);
    if (!S || Index < 0 || Index >= S->MandatoryList()->Count()) continue;
    if (!FIncludeNulls && S->IsNull(Index)) continue;
    Values.push_back(S->MandatoryList()->GetValue(Index));
  }
  return Result(Values);
}

double TMedianPlotFunction::SortedResult(const std::vector<double>& S) const {
  const size_t N = S.size();
  if (N % 2 == 1) return S[(N + 1) / 2 - 1];
  return (S[N / 2 - 1] + S[N / 2]) / 2;
}

double TModePlotFunction::SortedResult(const std::vector<double>& S) const {
  double Best = S[0];
  size_t BestRun = 0;
  for (size_t i = 0; i < S.size();) {
    size_t j = i;
    while (j < S.size() && S[j] == S[i]) ++j;
    if (j - i > BestRun) {
      BestRun = j - i;
      Best = S[i];
    }
    i = j;
  }
  return Best;
}

namespace PlotFunci {

void Initialization() {
  static const std::string Names[] = {"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average",
                                      "y = f(x)", "Median", "Mode"};
  const TClass Classes[] = {TAddPlotFunction::StaticClass(),    TSubtractPlotFunction::StaticClass(),
                            TMultiplyPlotFunction::StaticClass(), TDividePlotFunction::StaticClass(),
                            THighPlotFunction::StaticClass(),   TLowPlotFunction::StaticClass(),
                            TAveragePlotFunction::StaticClass(), TCustomPlotFunction::StaticClass(),
                            TMedianPlotFunction::StaticClass(), TModePlotFunction::StaticClass()};
  for (int i = 0; i < 10; ++i) Chart::AddStandardFunctionType(Classes[i], &Names[i]);
}

}  // namespace PlotFunci
