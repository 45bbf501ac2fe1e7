// Function windows, data sources with the cycle check, and series groups.
#include "chart/engine/tests/SeriesFixture.h"

#include "platform/rtl/Classes.h"

namespace SeriesFunctionTests {

using V = std::vector<double>;

class SeriesFunctionTest : public SeriesTest {
protected:
  TTestSeries* Source(const V& X, const V& Y) {
    auto* s = NewSeries();
    for (size_t i = 0; i < X.size(); ++i) s->AppendPoint(X[i], Y[i]);
    return s;
  }
  template <class F = TSumFunction>
  TTestSeries* Result(TTestSeries* Src, double Period, TFunctionPeriodStyle Style, TFunctionPeriodAlign Align,
                      bool OnePoint = true) {
    auto* r = NewSeries();
    r->FunctionAsOnePoint = OnePoint;
    auto* f = Create<F>(Owner);
    f->BeginUpdate();
    f->InternalSetPeriod(Period);
    f->SetPeriodStyle(Style);
    f->SetPeriodAlign(Align);
    r->SetFunction(f);
    r->SetDataSource(Src);
    f->EndUpdate();
    r->AddValues(Src);
    return r;
  }
};

struct WindowCase {
  double Period;
  TFunctionPeriodStyle Style;
  TFunctionPeriodAlign Align;
  V X, Y;
};

class SeriesWindowTest : public SeriesFunctionTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(SeriesWindowTest, FunctionWindowsPlaceOnePointPerWindow) {
  const WindowCase c = GetParam();
  TTestSeries* src = (c.Style == psRange) ? Source({0, 1, 25}, {1, 2, 3})
                                          : Source({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  auto* r = Result(src, c.Period, c.Style, c.Align);
  EXPECT_EQ(Xs(*r), c.X);
  EXPECT_EQ(Ys(*r), c.Y);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SeriesWindowTest,
    ::testing::Values(WindowCase{3, psNumPoints, paCenter, {1, 4, 7}, {3, 3, 3}},
                      WindowCase{3, psNumPoints, paFirst, {0, 3, 6}, {3, 3, 3}},
                      WindowCase{3, psNumPoints, paLast, {2, 5, 8}, {3, 3, 3}},
                      WindowCase{10, psRange, paFirst, {0, 10, 20}, {3, 0, 3}}));

TEST_F(SeriesFunctionTest, PeriodZeroGivesOneCentredPointOrATwoPointLine) {
  auto* src = Source({2, 4, 10}, {1, 2, 3});
  auto* one = Result(src, 0, psNumPoints, paCenter, true);
  EXPECT_EQ(Xs(*one), (V{6}));
  EXPECT_EQ(Ys(*one), (V{6}));
  auto* line = Result(src, 0, psNumPoints, paCenter, false);
  EXPECT_EQ(Xs(*line), (V{2, 10}));
  EXPECT_EQ(Ys(*line), (V{6, 6}));
}

TEST_F(SeriesFunctionTest, MovingFunctionPutsEachWindowAtItsLastPoint) {
  auto* src = Source({0, 1, 2, 3, 4}, {1, 2, 3, 4, 5});
  auto* r = Result<TSumMoving>(src, 3, psNumPoints, paCenter);
  EXPECT_EQ(Xs(*r), (V{2, 3, 4}));
  EXPECT_EQ(Ys(*r), (V{6, 9, 12}));
}

TEST_F(SeriesFunctionTest, PeriodsThatCannotAdvanceAreRefused) {
  auto* src = Source({0, 1, 2}, {1, 1, 1});
  auto* f = Create<TSumFunction>(Owner);
  EXPECT_THROW(f->SetPeriod(-1), ChartException);
  EXPECT_EQ(f->GetPeriod(), 0);
  auto* r = NewSeries();
  r->SetFunction(f);
  r->SetDataSource(src);
  EXPECT_THROW(f->SetPeriod(0.4), ChartException);  // rounds to 0 points per window
  EXPECT_EQ(f->GetPeriod(), 0);
  auto* moving = Create<TSumMoving>(Owner);
  EXPECT_THROW(moving->SetPeriod(0.2), ChartException);
  EXPECT_EQ(moving->GetPeriod(), 1);
  // A range period too small to count points keeps the range style.
  f->SetPeriodStyle(psRange);
  f->SetPeriod(0.4);
  EXPECT_THROW(f->SetPeriodStyle(psNumPoints), ChartException);
  EXPECT_EQ(f->GetPeriodStyle(), psRange);
  // A range period too small to move the range end stops instead of hanging.
  auto* big = Source({1e17, 1e17 + 64}, {1, 1});
  f->SetPeriod(1);
  r->SetDataSource(big);
  r->AddValues(big);
  EXPECT_EQ(r->Count(), 0);
}

TEST_F(SeriesFunctionTest, SeveralSourcesAreCombinedPointByPoint) {
  auto* a = Source({0, 1, 2}, {1, 2, 3});
  auto* b = Source({0, 1}, {10, 20});
  auto* r = NewSeries();
  r->SetFunction(Create<TSumFunction>(Owner));
  r->AddDataSource(a);
  r->AddDataSource(b);
  r->AddValues(b);  // the source with the most points drives
  EXPECT_EQ(Xs(*r), (V{0, 1, 2}));
  EXPECT_EQ(Ys(*r), (V{11, 22, 3}));
  // Removing one source keeps the other.
  r->RemoveDataSource(b);
  ASSERT_EQ(r->DataSources().Count(), 1);
  EXPECT_EQ(r->GetDataSource(), a);
}

TEST_F(SeriesFunctionTest, CyclesAndInvalidSourcesAreRefusedAndChangeNothing) {
  auto* a = Source({0}, {1});
  auto* b = NewSeries();
  auto* c = NewSeries();
  b->SetDataSource(a);
  c->SetDataSource(b);
  try {
    a->AddDataSource(c);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
  }
  EXPECT_EQ(a->DataSources().Count(), 0);
  EXPECT_THROW(a->AddDataSource(a), ChartException);
  auto* plain = new TComponent(Owner);
  plain->SetName("Plain");
  try {
    a->AddDataSource(plain);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "No valid DataSource: Plain");
  }
  auto* detached = NewSeries(false);
  try {
    detached->AddDataSource(plain);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "No ParentChart to validate DataSource");
  }
  EXPECT_EQ(b->AddDataSource(a), -1);  // already a source
}

TEST_F(SeriesFunctionTest, SetDataSourceNilEmptiesSourcesAndClearsPoints) {
  auto* a = Source({0, 1}, {1, 2});
  auto* b = NewSeries();
  b->SetDataSource(a);
  EXPECT_EQ(b->Count(), 2);
  EXPECT_EQ(a->LinkedSeries().Count(), 1);
  b->SetDataSource(nullptr);
  EXPECT_EQ(b->Count(), 0);
  EXPECT_EQ(b->DataSources().Count(), 0);
  EXPECT_EQ(a->LinkedSeries().Count(), 0);
}

TEST_F(SeriesFunctionTest, FunctionLifetimeFollowsItsSeries) {
  auto* r = NewSeries();
  auto* f = Create<TSumFunction>(Owner);
  r->SetFunction(f);
  EXPECT_EQ(f->ParentSeries(), r);
  f->Free();
  EXPECT_EQ(r->GetFunction(), nullptr);
  auto* g = Create<TSumFunction>(Owner);
  g->SetParentSeries(r);
  EXPECT_EQ(r->GetFunction(), g);
  r->Free();  // frees g with it; Owner must not free it again
  EXPECT_EQ(Owner->ComponentCount(), 0);
}

class TTestSource : public TPlotSeriesSource {
public:
  using TPlotSeriesSource::TPlotSeriesSource;
  void Load() override {
    GetSeries()->Clear();
    GetSeries()->Add(42);
  }
};

TEST_F(SeriesFunctionTest, SeriesSourceLoadsWhenActiveAndClearsWhenClosed) {
  auto* s = NewSeries();
  auto* src = Create<TTestSource>(Owner);
  src->SetSeries(s);
  EXPECT_EQ(s->GetDataSource(), src);
  src->Open();
  EXPECT_EQ(Ys(*s), (V{42}));
  src->Close();
  EXPECT_EQ(s->Count(), 0);
  src->Free();
  EXPECT_EQ(s->GetDataSource(), nullptr);
}

TEST_F(SeriesFunctionTest, GroupsReportAndSetActive) {
  auto* a = NewSeries();
  auto* b = NewSeries();
  TSeriesGroup* g = Chart->List.AddGroup("pair");
  EXPECT_EQ(g->GetActive(), gaYes);
  g->Series().Add(a);
  g->Series().Add(b);
  EXPECT_EQ(g->GetActive(), gaYes);
  b->SetActive(false);
  EXPECT_EQ(g->GetActive(), gaSome);
  g->SetActive(gaSome);
  EXPECT_TRUE(a->GetActive());
  g->SetActive(gaNo);
  EXPECT_EQ(g->GetActive(), gaNo);
  EXPECT_EQ(Chart->List.Groups().GroupOfSeries(b), 0);
}

TEST_F(SeriesFunctionTest, FillSeriesItemsListsEditorSeries) {
  auto* a = NewSeries();
  a->SetTitle("First");
  auto* hidden = NewSeries();
  hidden->ShowInEditor = false;
  TStringList items;
  PlotEngine::FillSeriesItems(items, Chart->List, true);
  ASSERT_EQ(items.Count(), 1);
  EXPECT_EQ(items[0], "First");
  EXPECT_EQ(items.Objects(0), a);
}

}  // namespace SeriesFunctionTests
