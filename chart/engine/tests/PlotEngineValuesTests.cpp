#include <gtest/gtest.h>

#include <cmath>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine.h"

namespace PlotEngineValuesTests {

namespace {

std::vector<double> ValuesOf(const TChartValueList& L) {
  std::vector<double> V;
  for (int32_t i = 0; i < L.Count(); ++i) V.push_back(L[i]);
  return V;
}

// A series stand-in that records value events and swaps its one list.
struct OneListSeries : TValueListOwner {
  void AddValueList(TChartValueList* L) override { Lists.push_back(L); }
  void NotifyValue(int32_t Code, int32_t Index) override { Events.push_back({Code, Index}); }
  void SwapValueIndex(int32_t A, int32_t B) override {
    for (auto* L : Lists) {
      const double VA = (*L)[A];
      const double VB = (*L)[B];
      L->SetValue(A, VB);
      L->SetValue(B, VA);
    }
    ++Swaps;
  }
  void CheckDataSource() override { ++Checks; }
  void SetBooleanProperty(bool& Field, bool Value) override {
    if (Field != Value) ++Repaints;
    Field = Value;
  }
  std::vector<TChartValueList*> Lists;
  std::vector<std::pair<int32_t, int32_t>> Events;
  int Swaps = 0, Checks = 0, Repaints = 0;
};

TEST(ValueList, EmptyListHasZeroStatistics) {
  TChartValueList L(nullptr, "Y");
  EXPECT_EQ(L.MinValue(), 0);
  EXPECT_EQ(L.MaxValue(), 0);
  EXPECT_EQ(L.Total(), 0);
  EXPECT_EQ(L.TotalABS(), 0);
  EXPECT_EQ(L.Range(), 0);
}

TEST(ValueList, StatisticsFollowEveryChange) {
  TChartValueList L(nullptr, "Y");
  L.AddChartValue(-5);
  L.AddChartValue(3);
  EXPECT_EQ(L.MinValue(), -5);
  EXPECT_EQ(L.MaxValue(), 3);
  EXPECT_EQ(L.Total(), -2);
  EXPECT_EQ(L.TotalABS(), 8);
  EXPECT_EQ(L.Range(), 8);
  L.SetValue(0, 10);
  EXPECT_EQ(L.MinValue(), 3);
  EXPECT_EQ(L.MaxValue(), 10);
  L.Delete(0);
  EXPECT_EQ(L.Total(), 3);
}

TEST(ValueList, OrderedInsertionReturnsIndexBehindEqualValues) {
  struct Case {
    TChartListOrder Order;
    std::vector<double> Added;
    std::vector<int32_t> Indexes;
    std::vector<double> Result;
  };
  const Case Cases[] = {
      {loAscending, {1, 3, 2, 2}, {0, 1, 1, 2}, {1, 2, 2, 3}},
      {loDescending, {3, 1, 2}, {0, 1, 1}, {3, 2, 1}},
      {loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
  };
  for (const Case& C : Cases) {
    TChartValueList L(nullptr, "X");
    L.SetOrder(C.Order);
    std::vector<int32_t> Indexes;
    for (double V : C.Added) Indexes.push_back(L.AddChartValue(V));
    EXPECT_EQ(Indexes, C.Indexes);
    EXPECT_EQ(ValuesOf(L), C.Result);
  }
}

TEST(ValueList, GrowsPastTheGrowStep) {
  const int32_t Saved = PlotEngine::PlotValuesGrowStep;
  PlotEngine::PlotValuesGrowStep = 3;
  TChartValueList L(nullptr, "X");
  L.SetOrder(loAscending);
  for (int i = 10; i > 0; --i) L.AddChartValue(i);
  PlotEngine::PlotValuesGrowStep = Saved;
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(L.Total(), 55);
}

TEST(ValueList, LocateFindsTheFirstExactMatch) {
  TChartValueList L(nullptr, "X");
  for (double V : {4.0, 7.0, 4.0}) L.AddChartValue(V);
  EXPECT_EQ(L.Locate(4), 0);
  EXPECT_EQ(L.Locate(5), -1);
  EXPECT_EQ(L.LocateRange(1, 2, 4), 2);
  EXPECT_EQ(L.LocateRange(2, 1, 4), -1);
}

TEST(ValueList, DeleteRangeChecksTheQuantity) {
  PlotConst::Initialize();
  TChartValueList L(nullptr, "X");
  for (double V : {1.0, 2.0, 3.0, 4.0}) L.AddChartValue(V);
  try {
    L.DeleteRange(2, 3);  // Start + Quantity = Count + 1
    FAIL() << "no exception";
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Quantity of data to delete must be less than Count.");
  }
  EXPECT_EQ(L.Count(), 4);
  L.DeleteRange(2, 2);  // the tail
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{1, 2}));
}

TEST(ValueList, BadIndexesRaiseInsteadOfReadingOutside) {
  TChartValueList L(nullptr, "X");
  L.AddChartValue(1);
  EXPECT_THROW(L.GetValue(1), ChartException);
  EXPECT_THROW(L.GetValue(-1), ChartException);
  EXPECT_THROW(L.SetValue(5, 0), ChartException);
  EXPECT_THROW(L.Delete(1), ChartException);
  EXPECT_THROW(L.Exchange(0, 3), ChartException);
  EXPECT_THROW(L.InsertChartValue(3, 0), ChartException);
  EXPECT_THROW(L.SetCount(-1), ChartException);
  EXPECT_EQ(L.Count(), 1);
  EXPECT_THROW(TChartValueList(nullptr, "E").Last(), ChartException);
}

TEST(ValueList, SortMovesWholePointsThroughTheSeries) {
  OneListSeries S;
  TChartValueList X(&S, "X");
  TChartValueList Y(&S, "Y");
  ASSERT_EQ(S.Lists.size(), 2u);
  for (double V : {3.0, 1.0, 2.0}) X.AddChartValue(V);
  for (double V : {30.0, 10.0, 20.0}) Y.AddChartValue(V);
  X.Sort();  // loNone: nothing
  EXPECT_EQ(S.Swaps, 0);
  X.SetOrder(loDescending);
  X.Sort();
  EXPECT_EQ(ValuesOf(X), (std::vector<double>{3, 2, 1}));
  EXPECT_EQ(ValuesOf(Y), (std::vector<double>{30, 20, 10}));
  X.SetOrder(loAscending);
  X.Sort();
  EXPECT_EQ(ValuesOf(Y), (std::vector<double>{10, 20, 30}));
}

TEST(ValueList, EditsNotifyTheOwner) {
  OneListSeries S;
  TChartValueList L(&S, "Y");
  for (double V : {5.0, 6.0, 7.0}) L.AddChartValue(V);
  L.SetValue(2, 1);
  L.Exchange(1, 0);
  L.FillSequence();
  EXPECT_EQ(S.Events, (std::vector<std::pair<int32_t, int32_t>>{{4, 2}, {4, 1}, {4, 0}}));
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{0, 1, 2}));
  L.SetValueSource("Col");
  L.SetValueSource("Col");
  EXPECT_EQ(S.Checks, 1);
  L.SetDateTime(true);
  L.SetDateTime(true);
  EXPECT_EQ(S.Repaints, 1);
  L.SetDefaultDateTime(true);
  EXPECT_FALSE(L.IsDateTimeStored());
}

TEST(ValueList, CompareAndRotate) {
  TChartValueList L(nullptr, "X");
  for (double V : {1.0, 2.0, double(NAN), 3.0}) L.AddChartValue(V);
  EXPECT_EQ(L.CompareValueIndex(0, 1), -1);
  EXPECT_EQ(L.CompareValueIndex(1, 0), 1);
  EXPECT_EQ(L.CompareValueIndex(0, 0), 0);
  EXPECT_EQ(L.CompareValueIndex(2, 0), -1);  // unordered
  L.SetOrder(loDescending);
  EXPECT_EQ(L.CompareValueIndex(0, 1), 1);
  L.Delete(2);
  EXPECT_EQ(L.RotateFirstToEnd(), 3);
  EXPECT_EQ(ValuesOf(L), (std::vector<double>{2, 3, 1}));
}

TEST(ValueList, AssignCopiesSettingsNotValues) {
  TChartValueList A(nullptr, "A"), B(nullptr, "B");
  A.SetOrder(loAscending);
  A.SetValueSource("Src");
  A.SetDateTime(true);
  A.AddChartValue(1);
  B.Assign(&A);
  EXPECT_EQ(B.GetOrder(), loAscending);
  EXPECT_EQ(B.GetValueSource(), "Src");
  EXPECT_TRUE(B.GetDateTime());
  EXPECT_EQ(B.Count(), 0);
  EXPECT_EQ(B.GetName(), "B");
}

TEST(ValueList, ObsoleteMultiplierIsReportedButLoadingGoesOn) {
  std::vector<std::string> Shown;
  PlotEngine::ShowObsoleteMessage = [&](const std::string& T) { Shown.push_back(T); };
  TChartValueList L(nullptr, "X");
  L.ReadMultiplier(1);
  EXPECT_TRUE(Shown.empty());
  L.ReadMultiplier(2.5);
  PlotEngine::ShowObsoleteMessage = nullptr;
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], "Error: Multiplier property is obsolete.\rModify PlotDefs.inc (enable Multiplier) and recompile.");
}

}  // namespace

}  // namespace PlotEngineValuesTests
