// Value lists: one dimension of a series' values with optional order and
// cached statistics.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine.h"
#include "chart/engine/PlotProcs.h"
#include "platform/ui/Dialogs.h"

namespace PlotEngine {
int32_t PlotValuesGrowStep = 1000;
std::function<void(const std::string& Text)> ShowObsoleteMessage;
}  // namespace PlotEngine

KV_CLASS_IMPL(TChartValueList, TPersistent) {
  c.Property("DateTime", &TChartValueList::GetDateTime, &TChartValueList::SetDateTime)
      .Stored(&TChartValueList::IsDateTimeStored);
  c.Property("Name", &TChartValueList::GetName, &TChartValueList::SetName);
  c.Property("Order", &TChartValueList::GetOrder, &TChartValueList::SetOrder)
      .Names({"loNone", "loAscending", "loDescending"});
  c.Property("ValueSource", &TChartValueList::GetValueSource, &TChartValueList::SetValueSource);
  c.Property("Multiplier", &TChartValueList::LegacyMultiplier, &TChartValueList::ReadMultiplier).Stored(false);
}

TChartValueList::TChartValueList(TValueListOwner* Owner, const std::string& Name) : FName(Name), FOwner(Owner) {
  if (FOwner) FOwner->AddValueList(this);
  ClearValues();
}

TChartValueList::~TChartValueList() = default;

void TChartValueList::Assign(const TPersistent* Source) {
  if (auto* Other = dynamic_cast<const TChartValueList*>(Source)) {
    FOrder = Other->FOrder;
    FDateTime = Other->FDateTime;
    FValueSource = Other->FValueSource;
  }
}

int32_t TChartValueList::Count() const {
  if (FCount > static_cast<int32_t>(FValues.size()))
    throw ChartException("ValueList Count (" + std::to_string(FCount) + ") greater than array length (" +
                         std::to_string(FValues.size()) + ").");
  return FCount;
}

void TChartValueList::SetCount(int32_t N) {
  if (N < 0) throw ChartException("ValueList Count must be greater than zero.");
  // A count beyond the array would let the statistics read outside it.
  GrowFor(N);
  FCount = N;
  FModified = true;
}

void TChartValueList::CheckIndex(int32_t Index) const {
  if (Index < 0 || Index >= FCount)
    throw ChartException("List index out of bounds (" + std::to_string(Index) + ")");
}

double TChartValueList::GetValue(int32_t Index) const {
  CheckIndex(Index);
  return FValues[static_cast<size_t>(Index)];
}

void TChartValueList::SetValue(int32_t Index, double Value) {
  CheckIndex(Index);
  FValues[static_cast<size_t>(Index)] = Value;
  FModified = true;
  if (FOwner) FOwner->NotifyValue(4, Index);
}

void TChartValueList::StoreValue(int32_t Index, double Value) {
  CheckIndex(Index);
  FValues[static_cast<size_t>(Index)] = Value;
  FModified = true;
}

void TChartValueList::GrowFor(int32_t Needed) {
  if (static_cast<int32_t>(FValues.size()) < Needed) {
    const int32_t Step = std::max(1, PlotEngine::PlotValuesGrowStep);
    FValues.resize(static_cast<size_t>(std::max(Needed, static_cast<int32_t>(FValues.size()) + Step)));
  }
}

int32_t TChartValueList::AddChartValue(double Value) {
  TempValue = Value;
  return AddTempValue();
}

int32_t TChartValueList::AddTempValue() {
  int32_t Index = FCount;
  if (FOrder != loNone && FCount > 0) {
    int32_t P = FCount - 1;
    const bool Appends = (FOrder == loAscending && TempValue >= FValues[P]) ||
                         (FOrder == loDescending && TempValue <= FValues[P]);
    if (!Appends) {
      if (FOrder == loAscending)
        while (P >= 0 && FValues[P] > TempValue) --P;
      else
        while (P >= 0 && FValues[P] < TempValue) --P;
      Index = P + 1;
    }
  }
  GrowFor(FCount + 1);
  std::copy_backward(FValues.begin() + Index, FValues.begin() + FCount, FValues.begin() + FCount + 1);
  FValues[static_cast<size_t>(Index)] = TempValue;
  ++FCount;
  FModified = true;
  return Index;
}

void TChartValueList::InsertChartValue(int32_t Index, double Value) {
  if (Index < 0 || Index > FCount) throw ChartException("List index out of bounds (" + std::to_string(Index) + ")");
  GrowFor(FCount + 1);
  std::copy_backward(FValues.begin() + Index, FValues.begin() + FCount, FValues.begin() + FCount + 1);
  FValues[static_cast<size_t>(Index)] = Value;
  ++FCount;
  FModified = true;
}

void TChartValueList::Delete(int32_t Index) {
  CheckIndex(Index);
  std::copy(FValues.begin() + Index + 1, FValues.begin() + FCount, FValues.begin() + Index);
  --FCount;
  FModified = true;
}

void TChartValueList::DeleteRange(int32_t Start, int32_t Quantity) {
  if (Quantity <= 0) return;
  if (Start < 0) throw ChartException("List index out of bounds (" + std::to_string(Start) + ")");
  if (Start + Quantity - 1 >= FCount) throw ChartException("Quantity of data to delete must be less than Count.");
  std::copy(FValues.begin() + Start + Quantity, FValues.begin() + FCount, FValues.begin() + Start);
  FCount -= Quantity;
  FModified = true;
}

void TChartValueList::ClearValues() {
  FCount = 0;
  FValues.clear();
  FValues.shrink_to_fit();
  FModified = true;
}

int32_t TChartValueList::LocateRange(int32_t First, int32_t Last, double Value) const {
  First = std::max(First, 0);
  Last = std::min(Last, FCount - 1);
  for (int32_t i = First; i <= Last; ++i)
    if (FValues[static_cast<size_t>(i)] == Value) return i;
  return -1;
}

void TChartValueList::RecalcStats() {
  FCount = std::min(FCount, static_cast<int32_t>(FValues.size()));
  if (FCount == 0) {
    FMinValue = FMaxValue = FTotal = FTotalABS = 0;
  } else {
    FMinValue = FMaxValue = FTotal = FValues[0];
    FTotalABS = std::fabs(FValues[0]);
    for (int32_t i = 1; i < FCount; ++i) {
      const double X = FValues[static_cast<size_t>(i)];
      if (X < FMinValue)
        FMinValue = X;
      else if (X > FMaxValue)
        FMaxValue = X;
      FTotal += X;
      FTotalABS += std::fabs(X);
    }
  }
  FModified = false;
}

double TChartValueList::MaxValue() {
  if (FModified) RecalcStats();
  return FMaxValue;
}
double TChartValueList::MinValue() {
  if (FModified) RecalcStats();
  return FMinValue;
}
double TChartValueList::Total() {
  if (FModified) RecalcStats();
  return FTotal;
}
double TChartValueList::TotalABS() {
  if (FModified) RecalcStats();
  return FTotalABS;
}
double TChartValueList::Range() {
  if (FModified) RecalcStats();
  return FMaxValue - FMinValue;
}

void TChartValueList::Exchange(int32_t A, int32_t B) {
  CheckIndex(A);
  CheckIndex(B);
  std::swap(FValues[static_cast<size_t>(A)], FValues[static_cast<size_t>(B)]);
  FModified = true;
  if (FOwner) FOwner->NotifyValue(4, A);
}

void TChartValueList::FillSequence() {
  for (int32_t i = 0; i < FCount; ++i) FValues[static_cast<size_t>(i)] = i;
  FModified = true;
  if (FOwner) FOwner->NotifyValue(4, 0);
}

int32_t TChartValueList::RotateFirstToEnd() {
  if (FCount > 0) std::rotate(FValues.begin(), FValues.begin() + 1, FValues.begin() + FCount);
  return FCount;
}

int32_t TChartValueList::CompareValueIndex(int32_t A, int32_t B) const {
  const double VA = GetValue(A), VB = GetValue(B);
  int32_t Result = VA == VB ? 0 : (VA > VB ? 1 : -1);
  if (FOrder == loDescending) Result = -Result;
  return Result;
}

void TChartValueList::Sort() {
  if (FOrder == loNone || FCount < 2) return;
  PlotProcs::SortIndexRange(
      0, FCount - 1, [this](int32_t A, int32_t B) { return CompareValueIndex(A, B); },
      [this](int32_t A, int32_t B) {
        if (FOwner)
          FOwner->SwapValueIndex(A, B);
        else
          std::swap(FValues[static_cast<size_t>(A)], FValues[static_cast<size_t>(B)]);
      });
  FModified = true;
}

void TChartValueList::SetDateTime(bool Value) {
  if (FOwner)
    FOwner->SetBooleanProperty(FDateTime, Value);
  else
    FDateTime = Value;
}

void TChartValueList::SetDefaultDateTime(bool Value) {
  FDateTime = Value;
  FDefaultDateTime = Value;
}

void TChartValueList::SetValueSource(const std::string& Value) {
  if (FValueSource == Value) return;
  FValueSource = Value;
  if (FOwner) FOwner->CheckDataSource();
}

void TChartValueList::ReadMultiplier(double Value) {
  if (Value == 1) return;
  const std::string Text =
      "Error: Multiplier property is obsolete.\rModify PlotDefs.inc (enable Multiplier) and recompile.";
  if (PlotEngine::ShowObsoleteMessage)
    PlotEngine::ShowObsoleteMessage(Text);
  else
    Dialogs::ShowMessage(Text);
}
