// The financial series and functions are registered when the main window
// makes its charts, each on its gallery page with its text and sample count,
// and charts can make them by class name.

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/FinancialUnits.h"
#include "chart/extras/PlotCCIFunction.h"
#include "chart/extras/PlotCLVFunction.h"
#include "chart/extras/PlotCompressOHLC.h"
#include "chart/extras/PlotOBVFunction.h"
#include "chart/extras/PlotPVOFunction.h"
#include "chart/extras/PlotPointFigure.h"
#include "chart/extras/StatChar.h"

namespace FinancialRegistrationTest {

namespace {

using AppTest::AppFixture;

TEST_F(AppFixture, FinancialTypesAreRegisteredWithTheMainWindowsCharts) {
  // Removed first, so that only the window's start-up can bring them back.
  FinancialUnits::Finalize();
  StatChar::Finalize();
  OpenForm();
  struct TCase {
    TClass Function, Series;
    const char* Description;
    const char* Page;
  } cases[] = {
      {nullptr, TCandleSeries::StaticClass(), "Candle", "Financial"},
      {nullptr, TVolumeSeries::StaticClass(), "Volume", "Financial"},
      {nullptr, TPointFigureSeries::StaticClass(), "Point & Figure", "Financial"},
      {nullptr, TBigCandleSeries::StaticClass(), "Big Candle", "Other"},
      {TADXFunction::StaticClass(), nullptr, "ADX", "Financial"},
      {TRSIFunction::StaticClass(), nullptr, "R.S.I.", "Financial"},
      {TCompressFunction::StaticClass(), nullptr, "Compression", "Financial"},
      {TCLVFunction::StaticClass(), nullptr, "Close Location\rValue", "Financial"},
      {TOBVFunction::StaticClass(), nullptr, "On Balance\rVolume", "Financial"},
      {TCCIFunction::StaticClass(), nullptr, "Commodity\rChannel Index", "Financial"},
      {TPVOFunction::StaticClass(), nullptr, "Volume\rOscillator", "Financial"},
      {TMACDFunction::StaticClass(), nullptr, "MACD", "Financial"},
      {TBollingerFunction::StaticClass(), nullptr, "Bollinger\rbands", "Financial"},
  };
  for (const TCase& c : cases) {
    int found = 0;
    for (auto& t : Chart::SeriesTypes().Items()) {
      if (t->FunctionClassRef != c.Function || t->SeriesClassRef != c.Series) continue;
      ++found;
      EXPECT_EQ(t->Description(), c.Description);
      ASSERT_TRUE(static_cast<bool>(t->PageName)) << c.Description;
      EXPECT_EQ(*t->PageName, c.Page) << c.Description;
      EXPECT_EQ(t->SampleSeriesCount, 1) << c.Description;
    }
    EXPECT_EQ(found, 1) << c.Description;
    TClass made = c.Function ? c.Function : c.Series;
    EXPECT_EQ(ClassInfo::GetClass(made->ClassName()), made) << c.Description;
  }
  EXPECT_TRUE(ClassInfo::GetClass("TPointFigureEditor")) << "its format page opens by name";
}

}  // namespace

}  // namespace FinancialRegistrationTest
