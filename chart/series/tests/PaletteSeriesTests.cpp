// Colours of values through the colour range and the stepped palette, and
// the legend a palette series shows.
#include "chart/series/PlotSurfa.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PaletteSeriesTests {

namespace {

class TTestPaletteSeries : public TCustom3DPaletteSeries {
public:
  using TCustom3DPaletteSeries::TCustom3DPaletteSeries;
};

class PaletteTest : public SeriesChartTest {
protected:
  TTestPaletteSeries* WithValues(std::initializer_list<double> Values) {
    auto* s = Add<TTestPaletteSeries>();
    double x = 0;
    for (double v : Values) s->AppendPoint(x++, v);
    return s;
  }
};

TEST_F(PaletteTest, RangeColoursRunFromEndToStart) {
  auto* s = WithValues({0, 2, 5, 10});
  EXPECT_EQ(s->GetStartColor(), 0x800000);
  EXPECT_EQ(s->GetEndColor(), clWhite);
  struct Case {
    double Value;
    TColor Colour;
  };
  for (const Case& c : {Case{5, 12550015}, Case{10, 0x800000}, Case{0, clWhite}, Case{11, 0x800000},
                        Case{-1, clWhite}})
    EXPECT_EQ(s->ColorOfValue(c.Value), c.Colour) << c.Value;
  EXPECT_EQ(s->ValueColor(2), 12550015);
}

TEST_F(PaletteTest, MiddleColourAtHalfAndEqualValuesTakeTheEndColour) {
  auto* s = WithValues({0, 10});
  s->SetMidColor(0x00FF00);
  EXPECT_EQ(s->ColorOfValue(5), 0x00FF00);
  auto* flat = WithValues({3, 3, 3});
  EXPECT_EQ(flat->ValueColor(1), clWhite);
}

TEST_F(PaletteTest, OwnColourWinsAndTheEventSeesEveryResult) {
  auto* s = WithValues({0, 10});
  s->SetPointColor(0, 0x123456);
  EXPECT_EQ(s->ValueColor(0), 0x123456);
  s->OnGetColor = [](TChartSeries*, int32_t Index, TColor& C) {
    if (Index == 1) C = 0x0000FF;
  };
  EXPECT_EQ(s->ValueColor(1), 0x0000FF);
  EXPECT_EQ(s->ValueColor(0), 0x123456);
}

TEST_F(PaletteTest, PaletteStepsAndStyles) {
  auto* s = WithValues({0, 10});
  s->SetUseColorRange(false);
  s->SetUsePalette(true);
  ASSERT_EQ(s->Palette().size(), 32u);
  EXPECT_DOUBLE_EQ(s->Palette()[1].UpToValue, 10.0 / 31);
  s->SetPaletteSteps(1);
  ASSERT_EQ(s->Palette().size(), 1u);
  EXPECT_EQ(s->Palette()[0].UpToValue, 0);
  s->SetPaletteStyle(TPlotPaletteStyle::psGrayScale);
  s->BuildPalette(4);
  // Grey levels 0, 64, 128, 191: each entry's colour is taken by values below its upper value.
  EXPECT_EQ(s->Palette()[2].Color, 0x808080);
  EXPECT_EQ(s->ColorOfValue(1), s->Palette()[1].Color);
  EXPECT_EQ(s->ColorOfValue(100), s->Palette()[3].Color);
  EXPECT_THROW(s->SetPaletteSteps(0), ChartException);
  EXPECT_EQ(s->GetPaletteSteps(), 1);
}

TEST_F(PaletteTest, LegendListsPaletteEntriesFromTheLargestDown) {
  auto* s = WithValues({0, 31});
  s->BuildPalette(32);
  struct Case {
    int32_t Every, Items, SecondIndex;
  };
  for (const Case& c : {Case{1, 32, 30}, Case{8, 4, 23}, Case{5, 7, 26}}) {
    s->SetLegendEvery(c.Every);
    EXPECT_EQ(s->LegendEntryCount(), c.Items) << c.Every;
    EXPECT_EQ(s->GetLegendString(1, ltsPlain), SysUtils::FormatFloat(s->GetValueFormat(), c.SecondIndex)) << c.Every;
    EXPECT_EQ(s->LegendEntryColor(1), s->ColorOfValue(c.SecondIndex)) << c.Every;
  }
  s->SetUseColorRange(false);
  s->SetUsePalette(false);
  EXPECT_EQ(s->LegendEntryCount(), 2) << "without range or palette the points are listed";
}

}  // namespace

}  // namespace PaletteSeriesTests
