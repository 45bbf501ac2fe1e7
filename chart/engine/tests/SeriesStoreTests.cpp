// The stored "Data" bytes, copying with Assign, and sample values.
#include <cstring>
#include <tuple>

#include "chart/engine/tests/SeriesFixture.h"

namespace SeriesStoreTests {

using V = std::vector<double>;

namespace {

std::string Bytes(const TChartSeries& S) {
  TMemoryStream m;
  S.WriteData(m);
  return m.DataString();
}

void Read(TChartSeries& S, const std::string& Data) {
  TMemoryStream m;
  m.WriteString(Data);
  m.SetPosition(0);
  S.ReadData(m);
}

template <class T>
std::string Le(T V) {
  std::string s(sizeof(T), '\0');
  std::memcpy(s.data(), &V, sizeof(T));
  return s;
}

}  // namespace

TEST_F(SeriesTest, PlainSeriesStoresFlagsCountAndMandatoryValuesOnly) {
  auto* s = NewSeries();
  s->Add(1.5);
  s->Add(-2);
  EXPECT_EQ(PlotEngine::SeriesStoreFlags(*s), 0);
  EXPECT_EQ(Bytes(*s), std::string(1, '\0') + Le<int32_t>(2) + Le<double>(1.5) + Le<double>(-2));
}

TEST_F(SeriesTest, StoredDataRoundTripsPointsColoursLabelsAndExtraValues) {
  auto* s = NewSeries<TTestSeries3>();
  s->SetSeriesColor(0x0A0B0C);
  s->Z->TempValue = 5;
  s->AppendPoint(10, 1, "first", 0x010203);
  s->Z->TempValue = 6;
  s->AppendPoint(20, 2);
  s->Z->TempValue = 7;
  s->AppendPoint(30, 3, "third");
  TSeriesMarkPosition p;
  p.IsCustom = true;
  p.TopLeft = {4, 5};
  p.Width = 9;
  s->Marks()->SetPosition(1, p);
  EXPECT_EQ(PlotEngine::SeriesStoreFlags(*s), 1 | 2 | 4 | 8);
  const std::string data = Bytes(*s);
  EXPECT_EQ(data.size(), 1u + 4 + 3 * (8 + 8 + 4 + 1 + 8 + 34) + 5 + 5);

  auto* t = NewSeries<TTestSeries3>();
  t->SetSeriesColor(0x0A0B0C);
  Read(*t, data);
  EXPECT_EQ(Xs(*t), (V{10, 20, 30}));
  EXPECT_EQ(Ys(*t), (V{1, 2, 3}));
  EXPECT_EQ(t->Z->GetValue(2), 7);
  EXPECT_EQ(t->GetStoredColor(0), 0x010203);
  EXPECT_EQ(t->GetStoredColor(1), clDefault);
  EXPECT_EQ(t->GetLabel(2), "third");
  ASSERT_NE(t->Marks()->Position(1), nullptr);
  EXPECT_EQ(t->Marks()->Position(1)->Width, 9);
  EXPECT_TRUE(t->ManualData);
  EXPECT_EQ(Bytes(*t), data);
}

TEST_F(SeriesTest, HorizontalSeriesReadsBackWithXAndYInPlace) {
  auto* h = NewSeries();
  h->SetHorizontal();
  h->AppendPoint(5, 1);
  h->AppendPoint(7, 3);
  auto* t = NewSeries();
  t->SetHorizontal();
  Read(*t, Bytes(*h));
  EXPECT_EQ(Xs(*t), (V{5, 7}));
  EXPECT_EQ(Ys(*t), (V{1, 3}));
}

TEST_F(SeriesTest, SeriesWithAnExtraListAsMandatoryStoresEveryListOnce) {
  auto* z = NewSeries<TTestSeries3>();
  z->MakeMandatory(z->Z);
  EXPECT_FALSE(z->GetYMandatory());
  EXPECT_EQ(z->MandatoryList(), z->Z);
  EXPECT_EQ(z->NotMandatoryList(), z->XValues());
  for (auto [x, y, v] : {std::tuple{1.0, 10.0, 100.0}, {2.0, 20.0, 200.0}}) {
    z->Z->TempValue = v;
    z->AppendPoint(x, y);
  }
  EXPECT_EQ(z->MandatoryValue(1), 200.0);
  // Flags 1 (own X), count, then X, Z (mandatory) and Y per point.
  EXPECT_EQ(Bytes(*z), Le<uint8_t>(1) + Le<int32_t>(2) + Le(1.0) + Le(100.0) + Le(10.0) + Le(2.0) + Le(200.0) + Le(20.0));
  auto* t = NewSeries<TTestSeries3>();
  t->MakeMandatory(t->Z);
  Read(*t, Bytes(*z));
  EXPECT_EQ(Xs(*t), (V{1, 2}));
  EXPECT_EQ(Ys(*t), (V{10, 20}));
  EXPECT_EQ(t->Z->GetValue(0), 100.0);
  EXPECT_EQ(t->Z->GetValue(1), 200.0);
}

TEST_F(SeriesTest, MandatoryListMustBeOneOfTheSeriesOwnLists) {
  auto* a = NewSeries<TTestSeries3>();
  auto* b = NewSeries<TTestSeries3>();
  EXPECT_THROW(a->MakeMandatory(b->Z), ChartException);
  EXPECT_EQ(a->MandatoryList(), a->YValues());
  EXPECT_TRUE(a->GetYMandatory());
  a->MakeMandatory(a->XValues());
  EXPECT_EQ(a->NotMandatoryList(), a->YValues());
  a->MakeMandatory(a->YValues());
  EXPECT_TRUE(a->GetYMandatory());
  EXPECT_EQ(a->NotMandatoryList(), a->XValues());
}

TEST_F(SeriesTest, TruncatedOrForeignDataRaisesAndLeavesTheSeries) {
  auto* s = NewSeries<TTestSeries3>();
  s->AppendPoint(1, 1, "x");
  const std::string good = Bytes(*s);
  auto* t = NewSeries();
  t->Add(99);
  const std::vector<std::string> bad = {
      "",                                            // no flags
      good.substr(0, good.size() - 3),               // cut short
      good,                                          // written with an extra list this series lacks
      std::string(1, '\0') + Le<int32_t>(-1),        // negative count
      std::string(1, '\0') + Le<int32_t>(1 << 30),   // count far beyond the bytes
      std::string(1, '\x40') + Le<int32_t>(0),       // unknown flag
  };
  for (const std::string& d : bad) {
    EXPECT_THROW(Read(*t, d), ChartException) << d.size();
    EXPECT_EQ(Ys(*t), (V{99}));
  }
}

TEST_F(SeriesTest, LongLabelsAreCutOnACharacterBoundary) {
  auto* s = NewSeries();
  std::string label(254, 'a');
  label += "\xC3\xA9\xC3\xA9";  // two 2-byte characters crossing byte 255
  s->AppendPoint(0, 1, label);
  auto* t = NewSeries();
  Read(*t, Bytes(*s));
  EXPECT_EQ(t->GetLabel(0), std::string(254, 'a'));
}

TEST_F(SeriesTest, AssignCopiesLooksAndPointsAndMovesTheFunction) {
  auto* s = NewSeries();
  s->SetTitle("src");
  s->SetSeriesColor(0x123456);
  s->SetVertAxis(aRightAxis);
  s->AppendPoint(1, 2, "a", clRed);
  s->ManualData = true;
  auto* t = NewSeries();
  t->Assign(s);
  EXPECT_EQ(t->GetTitle(), "src");
  EXPECT_EQ(t->GetSeriesColor(), 0x123456);
  EXPECT_EQ(t->GetVertAxisRef(), Chart->GetRightAxis());
  EXPECT_EQ(Xs(*t), (V{1}));
  EXPECT_EQ(t->GetLabel(0), "a");
  EXPECT_EQ(t->GetStoredColor(0), clRed);

  auto* f = Create<TSumFunction>(Owner);
  s->SetFunction(f);
  auto* u = NewSeries();
  u->Assign(s);
  EXPECT_EQ(u->GetFunction(), f);
  EXPECT_EQ(s->GetFunction(), nullptr);
  EXPECT_EQ(f->ParentSeries(), u);
}

TEST_F(SeriesTest, AssignFromAFedSeriesCopiesItsSources) {
  auto* a = NewSeries();
  a->Add(3);
  auto* b = NewSeries();
  b->SetDataSource(a);
  auto* c = NewSeries();
  c->Assign(b);
  EXPECT_EQ(c->GetDataSource(), a);
  a->Add(4);
  EXPECT_EQ(c->Count(), 2);
}

TEST_F(SeriesTest, SampleValues) {
  auto* s = NewSeries(false);
  EXPECT_THROW(s->FillSampleValues(-1), ChartException);
  s->FillSampleValues(0);
  EXPECT_EQ(s->Count(), 25);
  EXPECT_FALSE(s->ManualData);
  s->SampleCount = 7;
  s->FillSampleValues();
  EXPECT_EQ(s->Count(), 7);
  EXPECT_EQ(Xs(*s), (V{0, 1, 2, 3, 4, 5, 6}));
  for (double y : Ys(*s)) EXPECT_GE(y, 0);
}

TEST_F(SeriesTest, StoredSourceNamesResolveAfterLoading) {
  auto* a = NewSeries();
  a->SetName("A");
  a->Add(1);
  auto* b = NewSeries();
  b->SetName("B");
  b->Add(2);
  auto* c = NewSeries();
  c->SetFunction(Create<TSumFunction>(Owner));
  c->AddDataSource(a);
  c->AddDataSource(b);
  EXPECT_EQ(c->StoredSourceNames(), (std::vector<std::string>{"A", "B"}));
  auto* d = NewSeries();
  d->SetStoredSourceNames({"A", "B", "Missing"});
  d->Loaded();
  ASSERT_EQ(d->DataSources().Count(), 2);
  EXPECT_EQ(d->DataSources().Get(1), b);
}

}  // namespace SeriesStoreTests
