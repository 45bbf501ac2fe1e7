// Error, error-bar and high-low series: strokes and whiskers, colours, axis
// ranges, the band and its lines, hit tests, registration, style texts and
// chart files.
#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/PlotStore.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace ErrorBarTests {

namespace {

class ErrorTest : public SeriesChartTest {
protected:
  // Pixels of Colour in row Y of the chart.
  int RowCount(int32_t Y, TColor Colour) const {
    int n = 0;
    for (int32_t x = 0; x < W; ++x) n += Px(x, Y) == Colour;
    return n;
  }
  TErrorSeries* Errors(TColor Colour = clBlue) {
    auto* s = Add<TErrorSeries>();
    s->SetSeriesColor(Colour);
    return s;
  }
};

TEST_F(ErrorTest, WhiskerWidthFromBarWidthPercentOrPixels) {
  auto* s = Errors();
  s->AddXYError(5, 5, 2);
  Draw();
  s->CalcBarBounds(0);
  const int32_t bar = s->BarBounds.Right - s->BarBounds.Left;
  struct Case {
    int32_t Width;
    TErrorWidthUnits Units;
    int32_t Whisker;
  };
  for (const Case& c : {Case{0, ewuPercent, bar}, Case{50, ewuPercent, (s->BarWidth * 50 + 50) / 100},
                        Case{7, ewuPixels, 7}, Case{100, ewuPercent, s->BarWidth}}) {
    s->SetErrorWidth(c.Width);
    s->SetErrorWidthUnits(c.Units);
    Draw();
    // A whisker of width w covers 2 * (w div 2) pixels at Y + e/2 and Y - e/2.
    EXPECT_EQ(RowCount(YPix(6), clBlue), 2 * (c.Whisker / 2)) << c.Width << " " << int(c.Units);
    EXPECT_EQ(RowCount(YPix(4), clBlue), 2 * (c.Whisker / 2)) << c.Width << " " << int(c.Units);
  }
}

TEST_F(ErrorTest, ZeroErrorDrawsNothingAndANegativeOneDrawsItsMagnitude) {
  auto* s = Errors();
  s->AddXYError(5, 5, 0);
  Draw();
  EXPECT_EQ(RowCount(YPix(5), clBlue), 0);
  s->Clear();
  s->AddXYError(5, 5, -3);
  Draw();
  EXPECT_GT(RowCount(YPix(6.5), clBlue), 0);
  EXPECT_GT(RowCount(YPix(3.5), clBlue), 0);
  EXPECT_EQ(Px(XPix(5), YPix(5)), clBlue) << "the stroke through the point";
}

TEST_F(ErrorTest, ErrorMarksInPointColoursErrorBarsInThePensColour) {
  auto* s = Errors();
  s->SetColorEachPoint(true);
  s->AddXYError(3, 5, 2, "", clRed);
  s->AddXYError(7, 5, 2, "", clLime);
  Draw();
  EXPECT_EQ(Px(XPix(3), YPix(5.5)), clRed);
  EXPECT_EQ(Px(XPix(7), YPix(5.5)), clLime);

  Chart->FreeAllSeries();
  auto* bars = Add<TErrorBarSeries>();
  bars->SetSeriesColor(clYellow);
  bars->ErrorPen()->SetColor(clFuchsia);
  bars->AddXYError(5, 5, 2);
  Draw();
  bars->CalcBarBounds(0);
  const int32_t x = (bars->BarBounds.Left + bars->BarBounds.Right) / 2;
  // The top mark goes up from the bar's top, in the error pen's colour.
  EXPECT_EQ(Px(x, YPix(5.5)), clFuchsia);
  EXPECT_EQ(Px(x + 3, YPix(4)), clYellow) << "the bar below in its own colour";
  EXPECT_NE(Px(x, YPix(4.6)), clFuchsia) << "no stroke into the bar";
}

TEST_F(ErrorTest, AStackedErrorBarCarriesItsMarkOnItsOwnEnd) {
  auto* below = Add<TBarSeries>();
  dynamic_cast<TSeriesMarks*>(below->Marks())->SetVisible(false);
  below->Add(4);
  auto* bars = Add<TErrorBarSeries>();
  bars->ErrorPen()->SetColor(clFuchsia);
  bars->AddXYError(0, 3, 2);
  below->SetMultiBar(mbStacked);
  Fix(-1, 1, 0, 10);
  Draw();
  bars->CalcBarBounds(0);
  const int32_t x = (bars->BarBounds.Left + bars->BarBounds.Right) / 2;
  EXPECT_EQ(Px(x, YPix(7.5)), clFuchsia) << "above the stack's top at 7";
  EXPECT_NE(Px(x, YPix(3.5)), clFuchsia) << "not at the unstacked value";
}

TEST_F(ErrorTest, AxisRangeTakesTheWholeErrorMagnitude) {
  auto* e = Errors();
  e->AddXYError(1, 5, -4);
  e->AddXYError(2, -1, 2);
  EXPECT_EQ(e->LargestY(), 9);
  EXPECT_EQ(e->SmallestY(), -3);
  auto* b = Add<TErrorBarSeries>();
  b->AddXYError(1, 5, 4);
  b->AddXYError(2, -1, -2);
  EXPECT_EQ(b->LargestY(), 9);
  EXPECT_EQ(b->SmallestY(), -3);
  EXPECT_EQ(Errors()->LargestY(), 0) << "an empty series";
}

TEST_F(ErrorTest, SampleValuesAndGalleryColours) {
  auto* e = Add<TErrorBarSeries>();
  e->AddSampleValues(7);
  EXPECT_EQ(e->Count(), 7);
  for (int32_t i = 0; i < 7; ++i) EXPECT_GT(e->ErrorValues()->GetValue(i), 0);
  e->PrepareForGallery(true);
  EXPECT_EQ(e->ErrorPen()->GetColor(), clRed);
  EXPECT_EQ(e->ErrorPen()->GetWidth(), 2);
  EXPECT_EQ(e->GetSeriesColor(), clBlue);
  EXPECT_FALSE(e->CanStack());
}

// ---- high-low ----

class HighLowTest : public ErrorTest {
protected:
  THighLowSeries* Band() {
    auto* s = Add<THighLowSeries>();
    s->HighBrush()->SetStyle(bsSolid);
    s->HighBrush()->SetColor(clYellow);
    s->HighPen()->SetColor(clRed);
    s->LowPen()->SetColor(clBlue);
    s->Pen()->SetColor(clLime);
    return s;
  }
};

TEST_F(HighLowTest, OnePointDrawsNothingTwoDrawBandLinesAndVerticals) {
  auto* s = Band();
  Draw();
  TBitmap empty(W, H);
  empty.GetCanvas()->CopyRect(TRect(0, 0, W, H), *Bitmap.GetCanvas(), TRect(0, 0, W, H));
  s->AddHighLow(2, 8, 2);
  Draw();
  int differ = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) differ += (empty.GetPixelColor(x, y) & 0xFFFFFF) != Px(x, y);
  EXPECT_EQ(differ, 0);
  s->AddHighLow(6, 8, 2);
  Draw();
  EXPECT_EQ(At(4, 5), clYellow);
  EXPECT_EQ(At(4, 8), clRed);
  EXPECT_EQ(At(4, 2), clBlue);
  EXPECT_EQ(At(2, 5), clLime);
  EXPECT_EQ(At(6, 5), clLime);
}

TEST_F(HighLowTest, LowAboveHighFillsWithTheLowBrush) {
  auto* s = Band();
  s->LowBrush()->SetStyle(bsSolid);
  s->LowBrush()->SetColor(clAqua);
  s->AddHighLow(2, 2, 8);
  s->AddHighLow(6, 2, 8);
  Draw();
  EXPECT_EQ(At(4, 5), clAqua);
}

TEST_F(HighLowTest, ANullPointBreaksTheBandOnBothSides) {
  auto* s = Band();
  s->AddHighLow(1, 8, 2);
  s->AddHighLow(3, 8, 2);
  s->AddHighLow(5, 8, 2);
  s->SetPointColor(1, clNone);
  Draw();
  EXPECT_EQ(At(2, 5), clWhite);
  EXPECT_EQ(At(4, 5), clWhite);
  EXPECT_EQ(At(1, 5), clLime) << "the predecessor's vertical line";
}

TEST_F(HighLowTest, HitTestsBandAndHighLine) {
  auto* s = Band();
  s->AddHighLow(2, 8, 2);
  s->AddHighLow(6, 8, 2);
  s->AddHighLow(8, 9, 7);
  Draw();
  EXPECT_EQ(s->PointAtPixel(XPix(4), YPix(5)), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(7), YPix(5)), 2);
  EXPECT_EQ(s->PointAtPixel(XPix(9.5), YPix(1)), -1);
  EXPECT_EQ(s->LargestY(), 9);
  EXPECT_EQ(s->SmallestY(), 2);
  s->AddSampleValues(10);
  EXPECT_EQ(s->Count(), 13);
}

// ---- registration, style texts and chart files ----

std::vector<std::string> Fields(const std::string& Text) {
  std::vector<std::string> f;
  size_t start = 0;
  for (size_t end; (end = Text.find('~', start)) != std::string::npos; start = end + 1)
    f.push_back(Text.substr(start, end - start));
  f.push_back(Text.substr(start));
  return f;
}

TEST(StandardRegistration, StandardAndStatsTypesInGalleryOrderOnce) {
  Series::RegisterStandardSeries();
  Series::RegisterStandardSeries();
  ErrorBar::Initialization();
  ErrorBar::Initialization();
  std::vector<std::string> standard, stats;
  std::vector<int32_t> samples;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i) {
    const TPlotSeriesType* t = Chart::SeriesTypes().TypeAt(i);
    if (!t->SeriesClassRef || !t->PageName) continue;
    if (*t->PageName == "Standard") standard.push_back(t->Description()), samples.push_back(t->SampleSeriesCount);
    if (*t->PageName == "Stats") stats.push_back(t->Description());
  }
  EXPECT_EQ(standard, (std::vector<std::string>{"Line", "Bar", "Horizontal\rBar", "Area", "Point", "Pie", "Fast Line",
                                                "Horizontal\rLine", "Horizontal\rArea"}));
  EXPECT_EQ(samples, (std::vector<int32_t>{2, 2, 2, 2, 2, 1, 2, 1, 1}));
  EXPECT_EQ(stats, (std::vector<std::string>{"Error Bar", "Error", "High-Low"}));
  ErrorBar::Finalization();
  ErrorBar::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(THighLowSeries::StaticClass()), nullptr);
  ErrorBar::Initialization();
}

class StatsTextTest : public ErrorTest {
protected:
  void SetUp() override {
    ErrorTest::SetUp();
    Series::Initialization();
    ErrorBar::Initialization();
  }
};

TEST_F(StatsTextTest, ErrorAndHighLowTextsCarryTheirClassPart) {
  auto* bar = Add<TErrorBarSeries>();
  bar->ErrorPen()->SetWidth(3);
  bar->ErrorPen()->SetColor(clRed);
  bar->SetErrorWidth(40);
  bar->SetErrorWidthUnits(ewuPixels);
  bar->SetErrorStyle(essTopBottom);
  dynamic_cast<TSeriesMarks*>(bar->Marks())->SetDrawEvery(3);
  const std::string barText = Series::SeriesToText(bar);
  const auto f = Fields(barText);
  ASSERT_EQ(f.size(), 48u);
  EXPECT_EQ(f[41], "Error Bar");
  EXPECT_EQ(f[46], "0");
  auto* freshBar = Add<TErrorBarSeries>();
  ASSERT_NE(Series::SeriesToText(freshBar), barText);
  EXPECT_TRUE(Series::SeriesFromText(freshBar, barText));
  EXPECT_EQ(Series::SeriesToText(freshBar), barText);

  auto* err = Add<TErrorSeries>();
  err->SetErrorStyle(essLeftRight);
  err->ErrorPen()->SetStyle(psDash);
  const std::string errText = Series::SeriesToText(err);
  EXPECT_EQ(Fields(errText)[41], "Error");
  auto* freshErr = Add<TErrorSeries>();
  EXPECT_TRUE(Series::SeriesFromText(freshErr, errText));
  EXPECT_EQ(Series::SeriesToText(freshErr), errText);

  auto* hl = Add<THighLowSeries>();
  hl->HighBrush()->SetStyle(bsSolid);
  hl->LowPen()->SetWidth(4);
  hl->SetTransparency(30);
  const std::string hlText = Series::SeriesToText(hl);
  ASSERT_EQ(Fields(hlText).size(), 49u);
  auto* freshHl = Add<THighLowSeries>();
  EXPECT_TRUE(Series::SeriesFromText(freshHl, hlText));
  EXPECT_EQ(Series::SeriesToText(freshHl), hlText);
  // A transparency beyond 100 is refused before anything is applied.
  auto g = Fields(hlText);
  g[46] = "101";
  std::string bad;
  for (size_t i = 0; i < g.size(); ++i) bad += (i ? "~" : "") + g[i];
  EXPECT_ANY_THROW(Series::SeriesFromText(freshHl, bad));
  EXPECT_EQ(freshHl->GetTransparency(), 30);

  // A plain bar text fits an error-bar series by class name but has no error part.
  auto* plain = Add<TBarSeries>();
  EXPECT_EQ(Fields(Series::SeriesToText(plain)).size(), 44u);
  EXPECT_TRUE(Series::SeriesFromText(freshBar, Series::SeriesToText(plain)));
  EXPECT_EQ(freshBar->GetErrorWidth(), 40);
}

TEST_F(StatsTextTest, DamagedErrorAndHighLowTextsRaiseAndChangeNothing) {
  auto* err = Add<TErrorBarSeries>();
  auto* hl = Add<THighLowSeries>();
  const std::string errText = Series::SeriesToText(err), hlText = Series::SeriesToText(hl);
  const auto damaged = [](const std::string& Text, size_t Field, const std::string& Value, size_t Keep) {
    auto f = Fields(Text);
    if (Field < f.size()) f[Field] = Value;
    f.resize(std::min(f.size(), Keep));
    std::string t;
    for (size_t i = 0; i < f.size(); ++i) t += (i ? "~" : "") + f[i];
    return t;
  };
  const struct {
    TChartSeries* Series;
    std::string Text;
  } cases[] = {
      {err, damaged(errText, 43, "9", 48)},   {err, damaged(errText, 44, "wide", 48)},
      {err, damaged(errText, 45, "2", 48)},   {err, damaged(errText, 0, "0", 44)},
      {hl, damaged(hlText, 46, "-1", 49)},    {hl, damaged(hlText, 0, "0", 45)},
  };
  for (const auto& c : cases) {
    const std::string before = Series::SeriesToText(c.Series);
    EXPECT_ANY_THROW(Series::SeriesFromText(c.Series, c.Text)) << c.Text;
    EXPECT_EQ(Series::SeriesToText(c.Series), before) << c.Text;
  }
}

TEST_F(StatsTextTest, ChartFileKeepsBarErrorHighLowAndPieSeries) {
  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Stats");
  auto add = [&](TChartSeries* S, const char* Name) {
    S->SetName(Name);
    chart->AddSeries(S);
  };
  auto* bar = Create<TBarSeries>(chart);
  add(bar, "Bars");
  bar->SetMultiBar(mbStacked);
  bar->SetBarStyle(bsPyramid);
  bar->Add(3, "a");
  bar->Add(4, "b");
  auto* err = Create<TErrorBarSeries>(chart);
  add(err, "Errors");
  err->AddXYError(0, 2, 0.5);
  err->AddXYError(1, 3, -1.5);
  err->SetErrorWidth(30);
  auto* hl = Create<THighLowSeries>(chart);
  add(hl, "Band");
  hl->AddHighLow(0, 5, 1);
  hl->AddHighLow(1, 6, 2);
  hl->SetTransparency(40);
  auto* pie = Create<TPieSeries>(chart);
  add(pie, "Slices");
  pie->Add(50, "x");
  pie->Add(30, "y");
  pie->SetAngleSize(270);
  pie->OtherSlice()->SetStyle(poBelowPercent);
  pie->OtherSlice()->SetValue(10);
  for (TChartSeries* s : {static_cast<TChartSeries*>(bar), static_cast<TChartSeries*>(err),
                          static_cast<TChartSeries*>(hl), static_cast<TChartSeries*>(pie)})
    s->ManualData = true;
  for (bool asText : {false, true}) {
    TMemoryStream out;
    PlotStore::WritePlotStream(chart, out, true, asText);
    TCustomChart* target = Create<TChart>(nullptr);
    out.SetPosition(0);
    PlotStore::ReadPlotStream(target, out, true, nullptr);
    ASSERT_EQ(target->SeriesCount(), 4) << asText;
    for (int32_t k = 0; k < 4; ++k) {
      TChartSeries* a = chart->GetSeries(k);
      TChartSeries* b = target->GetSeries(k);
      EXPECT_EQ(a->ClassName(), b->ClassName());
      EXPECT_EQ(Series::SeriesToText(a), Series::SeriesToText(b)) << a->GetName();
      ASSERT_EQ(a->Count(), b->Count()) << a->GetName();
      for (int32_t i = 0; i < a->Count(); ++i) {
        EXPECT_EQ(a->GetXValue(i), b->GetXValue(i));
        EXPECT_EQ(a->GetYValue(i), b->GetYValue(i));
        EXPECT_EQ(a->GetLabel(i), b->GetLabel(i));
      }
    }
    auto* err2 = dynamic_cast<TErrorBarSeries*>(target->GetSeries(1));
    auto* hl2 = dynamic_cast<THighLowSeries*>(target->GetSeries(2));
    auto* pie2 = dynamic_cast<TPieSeries*>(target->GetSeries(3));
    ASSERT_TRUE(err2 && hl2 && pie2);
    EXPECT_EQ(err2->ErrorValues()->GetValue(1), -1.5);
    EXPECT_EQ(err2->GetErrorWidth(), 30);
    EXPECT_EQ(hl2->LowValues()->GetValue(1), 2);
    EXPECT_EQ(hl2->GetTransparency(), 40);
    EXPECT_EQ(pie2->GetAngleSize(), 270);
    EXPECT_EQ(pie2->OtherSlice()->GetStyle(), poBelowPercent);
    EXPECT_EQ(dynamic_cast<TBarSeries*>(target->GetSeries(0))->GetBarStyle(), bsPyramid);
    target->Free();
  }
  chart->Free();
}

}  // namespace

}  // namespace ErrorBarTests
