// The engine texts are resource strings: a form's translation component that
// handles resource strings translates them for every reader while it exists,
// by text or by "IDS_RES_" number, and English comes back when it is freed.
#include <algorithm>
#include <functional>
#include <set>

#include "chart/engine/PlotProCo.h"
#include "chart/engine/tests/ChartFixture.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UserSeam.h"
#include "translation/LocLang.h"

namespace EngineTextsTranslationTests {

namespace {

std::string Entry(std::string Text) {
  std::replace(Text.begin(), Text.end(), '|', '\x01');
  return Text;
}

TEST(EngineTexts, EveryTextHasItsOwnRegisteredNumber) {
  const std::vector<int> ids = ResStrings::Ids();
  const std::set<int> registered(ids.begin(), ids.end());
  std::set<int> seen;
  for (const ResStrings::TResString* text :
       {&PlotConst::MsgChartFileExtension, &PlotConst::MsgLeftAxis, &PlotConst::MsgAxisMinMax,
        &PlotConst::MsgDiagCross, &PlotProCo::MsgMap, &PlotProCo::MsgDataTable}) {
    EXPECT_TRUE(registered.count(text->Id())) << text->DefaultText();
    EXPECT_TRUE(seen.insert(text->Id()).second) << text->DefaultText();
  }
  EXPECT_EQ(ResStrings::English(PlotConst::MsgAxisMinMax.Id()), "Axis Minimum Value must be <= Maximum");
}

class EngineTextsTranslation : public ChartTest {
protected:
  // Raises Set and answers the message it carries.
  static std::string Raised(const std::function<void()>& Set) {
    try {
      Set();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "(nothing raised)";
  }
};

TEST_F(EngineTextsTranslation, ReadersSeeTheHandlersTranslationUntilItIsFreed) {
  Chart::AddStandardSeriesType(TChartTestSeries::StaticClass(), &PlotConst::MsgLine);
  TChartAxis* left = Chart->LeftAxis();
  left->SetMinMax(0, 10);
  const struct {
    const char* What;
    std::function<std::string()> Read;
    const char* English;
    const char* Translated;
  } Cases[] = {
      {"axis name", [&] { return Chart->AxisTitleOrName(left); }, "Left Axis", "Linke Achse"},
      {"axis setter message", [&] { return Raised([&] { left->SetMinimum(11); }); },
       "Axis Minimum Value must be <= Maximum", "Minimum zu gross"},
      {"gallery page", [] { return *Chart::SeriesTypes().TypeOfSeriesClass(TChartTestSeries::StaticClass())->PageName; },
       "Standard", "Normal"},
      {"series type", [] { return Chart::SeriesTypes().TypeOfSeriesClass(TChartTestSeries::StaticClass())->Description(); },
       "Line", "Linie"},
      {"tool text", [] { return std::string(PlotProCo::MsgDataTable); }, "Data Table", "Datentabelle"},
      {"dialog button", [] { return UserSeam::ButtonCaption(TMsgDlgBtn::mbOK); }, "OK", "Gut"},
  };
  auto expectAll = [&](bool Translated) {
    for (const auto& c : Cases) EXPECT_EQ(c.Read(), Translated ? c.Translated : c.English) << c.What;
  };

  expectAll(false);
  {
    TForm* form = Create<TForm>(nullptr);
    TLocLang* lang = Create<TLocLang>(form);
    TStringList names;
    names.Add("English");
    names.Add("Deutsch");
    lang->SetLangNames(&names);
    for (const char* e : {"t1|Left Axis|Linke Achse|", "t2|Standard|Normal|", "t3|Line|Linie|",
                          "t4|Data Table|Datentabelle|", "t5|OK|Gut|"})
      lang->GetStrings()->Add(Entry(e));
    // The axis message is only reachable by its number.
    lang->GetStrings()->Add(Entry("IDS_RES_" + std::to_string(PlotConst::MsgAxisMinMax.Id()) + "|x|Minimum zu gross|"));
    lang->HandleResourceStrings = true;
    lang->Loaded();
    ASSERT_EQ(LocLang::ResourceStringsHandler(), lang);
    lang->SetActiveLanguage(2);
    LocLang::ResourceIdLimit = PlotConst::MsgAxisMinMax.Id();
    expectAll(true);
    LocLang::ResourceIdLimit = 0;
    EXPECT_EQ(Raised([&] { left->SetMinimum(11); }), "Axis Minimum Value must be <= Maximum");
    form->Free();
  }
  EXPECT_EQ(LocLang::ResourceStringsHandler(), nullptr);
  expectAll(false);
  Chart::RemoveSeriesTypes({TChartTestSeries::StaticClass()});
}

}  // namespace

}  // namespace EngineTextsTranslationTests
