// The "Model constructor" and "Default array" dialogs: every field checked,
// nothing stored until all are good, the dialog staying open with a message
// that names the bad value; "Create survey" driving the survey generator.

#include "app/ModelConstruct.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/TestModelChart.h"

namespace DialogsTest {

namespace {

using AppTest::AppFixture;

struct TFieldCase {
  const char* Name;
  std::function<void(TModConstr&)> Spoil;
  const char* Message;
};

class ModelConstructorTest : public AppFixture {
 protected:
  TModelConstructorValues Values{100.0, 5.0, 0.0, 60.0, 20.0};
};

TEST_F(ModelConstructorTest, PresetValuesComeBackUnchangedOnOk) {
  TMainForm& f = OpenForm();
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TModConstr&>(form);
    EXPECT_EQ(d.GetCaption(), "Model constructor");
    EXPECT_EQ(d.Edit1->GetText(), "0");
    EXPECT_EQ(d.Edit2->GetText(), "60");
    EXPECT_TRUE(d.Edit7->GetVisible());
    d.Edit6->SetText("12,5");  // decimal comma
    d.abcPicBtn1->Click();
    return d.GetModalResult();
  });
  ASSERT_TRUE(f.ShowModelConstructor(Values, true));
  EXPECT_DOUBLE_EQ(Values.StartResistivity, 12.5);
  EXPECT_DOUBLE_EQ(Values.StartPolarizability, 5.0);
  EXPECT_DOUBLE_EQ(Values.EndX, 60.0);
  EXPECT_DOUBLE_EQ(Values.MaximalDepth, 20.0);
}

TEST_F(ModelConstructorTest, BadFieldKeepsTheDialogOpenAndStoresNothing) {
  const TFieldCase cases[] = {
      {"empty start X", [](TModConstr& d) { d.Edit1->SetText(""); }, "Start X: \"\" is not a number."},
      {"text end X", [](TModConstr& d) { d.Edit2->SetText("abc"); }, "End X: \"abc\" is not a number."},
      {"right not beyond left", [](TModConstr& d) { d.Edit2->SetText("-5"); },
       "End X: \"-5\" must be greater than Start X (0)."},
      {"zero depth", [](TModConstr& d) { d.Edit4->SetText("0"); },
       "Maximal depth: \"0\" must be greater than 0."},
      {"negative resistivity", [](TModConstr& d) { d.Edit6->SetText("-1"); },
       "Start resistivity: \"-1\" must be greater than 0."},
      {"polarizability 100", [](TModConstr& d) { d.Edit7->SetText("100"); },
       "Start polarizability: \"100\" must be at least 0 and below 100."},
      {"negative polarizability", [](TModConstr& d) { d.Edit7->SetText("-0.1"); },
       "Start polarizability: \"-0.1\" must be at least 0 and below 100."},
  };
  TMainForm& f = OpenForm();
  for (const TFieldCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const size_t before = Seam.Prompts().size();
    Seam.AnswerModal([&](TForm& form) {
      auto& d = dynamic_cast<TModConstr&>(form);
      d.Edit6->SetText("77");  // a good change that must not be stored with the bad one
      c.Spoil(d);
      d.abcPicBtn1->Click();
      EXPECT_EQ(d.GetModalResult(), mrNone);  // still open
      EXPECT_DOUBLE_EQ(d.StartResistivity, 100.0);
      return mrCancel;  // the person gives up
    });
    Seam.AnswerMessage(mrOk);
    TModelConstructorValues v = Values;
    EXPECT_FALSE(f.ShowModelConstructor(v, true));
    EXPECT_DOUBLE_EQ(v.StartResistivity, 100.0);
    ASSERT_EQ(Seam.Prompts().size(), before + 2);
    EXPECT_EQ(Seam.Prompts()[before + 1].Text, c.Message);
  }
}

TEST_F(ModelConstructorTest, HiddenPolarizabilityIsNotCheckedAndPassesThrough) {
  TMainForm& f = OpenForm();
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TModConstr&>(form);
    EXPECT_FALSE(d.Edit7->GetVisible());
    d.Edit7->SetText("garbage");
    d.abcPicBtn1->Click();
    return d.GetModalResult();
  });
  ASSERT_TRUE(f.ShowModelConstructor(Values, false));
  EXPECT_DOUBLE_EQ(Values.StartPolarizability, 5.0);
}

class DefaultArrayTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dearsetup::Defarray = Create<TDefarray>(nullptr);
  }
};

TEST_F(DefaultArrayTest, StartsWithWennerAndTheDesignedLayout) {
  TDefarray& d = *Dearsetup::Defarray;
  EXPECT_EQ(d.GetCaption(), "Default array");
  EXPECT_EQ(d.ComboBox6->Items()->Count(), 9);
  EXPECT_EQ(d.ComboBox6->GetItemIndex(), 0);
  EXPECT_EQ(d.ComboBox6->Items()->Get(8), "VES");
  EXPECT_EQ(d.SpinEdit3->GetText(), "10");
  EXPECT_EQ(d.Edit1->GetText(), "1");
  EXPECT_EQ(d.SpinEdit1->GetText(), "3");
  // The three counts step with their arrows within their ranges.
  struct TRange {
    TSpinEdit* Spin;
    int Min, Max;
  };
  for (const TRange& r : {TRange{d.SpinEdit3, 1, 100}, TRange{d.SpinEdit2, 1, 50}, TRange{d.SpinEdit1, 1, 50}}) {
    EXPECT_EQ(r.Spin->MinValue, r.Min);
    EXPECT_EQ(r.Spin->MaxValue, r.Max);
    const int before = r.Spin->GetValue();
    r.Spin->StepUp();
    EXPECT_EQ(r.Spin->GetValue(), before + 1);
    r.Spin->SetValue(r.Max + 7);
    EXPECT_EQ(r.Spin->GetValue(), r.Max);
  }
}

TEST_F(DefaultArrayTest, FieldsAreStoredOnlyWhenAllAreGood) {
  struct TCase {
    const char* Points;
    const char* Separation;
    const char* PointSeparation;
    const char* Levels;
    bool Good;
    const char* Message;
  };
  const TCase cases[] = {
      {"12", "0.5", "2", "4", true, ""},
      {"12", "300", "2", "4", true, ""},
      {"12", "0,75", "2", "4", true, ""},
      {"12", "0.4", "2", "4", false, "Minimal separation: \"0.4\" is not allowed; enter a number from 0.5 to 300."},
      {"12", "301", "2", "4", false, "Minimal separation: \"301\" is not allowed; enter a number from 0.5 to 300."},
      {"12", "1", "2", "0", false, "Levels number: \"0\" is not allowed; enter a whole number from 1 to 50."},
      {"12", "1", "51", "4", false, "Point separation: \"51\" is not allowed; enter a whole number from 1 to 50."},
      {"2.5", "1", "2", "4", false, "Point number: \"2.5\" is not allowed; enter a whole number from 1 to 100."},
      {"101", "1", "2", "4", false, "Point number: \"101\" is not allowed; enter a whole number from 1 to 100."},
  };
  TDefarray& d = *Dearsetup::Defarray;
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Points) + " " + c.Separation + " " + c.PointSeparation + " " + c.Levels);
    TSurvey survey;
    d.Survey = &survey;
    d.ComboBox6->SetItemIndex(3);
    d.SpinEdit3->SetText(c.Points);
    d.Edit1->SetText(c.Separation);
    d.SpinEdit2->SetText(c.PointSeparation);
    d.SpinEdit1->SetText(c.Levels);
    std::string problem;
    EXPECT_EQ(d.StoreFields(problem), c.Good);
    EXPECT_EQ(problem, c.Message);
    if (c.Good) {
      EXPECT_EQ(survey.DefaultArrayType, 3);
      EXPECT_EQ(survey.DefaultPointCount, 12);
      EXPECT_EQ(survey.DefaultPointSeparation, 2);
      EXPECT_EQ(survey.DefaultLevelCount, 4);
    } else {
      // Nothing of the good fields is stored beside the bad one.
      EXPECT_EQ(survey.DefaultArrayType, 0);
      EXPECT_EQ(survey.DefaultPointCount, 10);
      EXPECT_EQ(survey.DefaultLevelCount, 3);
      EXPECT_DOUBLE_EQ(survey.DefaultMinSeparation, 1.0);
    }
  }
  d.Survey = nullptr;
}

TEST_F(DefaultArrayTest, CreateSurveyGeneratesTheChosenArrayAndRunsTheForwardProblem) {
  TMainForm& f = OpenForm();
  f.Survey.ModelChart = std::make_shared<AppTest::TTestModelChart>();
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TDefarray&>(form);
    d.ComboBox6->SetItemIndex(3);  // Dipole-Dipole forward
    d.SpinEdit3->SetText("12");
    d.Edit1->SetText("0");          // refused first ...
    d.abcPicBtn1->Click();
    EXPECT_EQ(d.GetModalResult(), mrNone);
    d.Edit1->SetText("2");          // ... then corrected
    d.abcPicBtn1->Click();
    return d.GetModalResult();
  });
  Seam.AnswerMessage(mrOk);
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TModConstr&>(form);
    d.abcPicBtn1->Click();
    return d.GetModalResult();
  });
  f.Newmodel1->Click();
  EXPECT_EQ(f.Survey.DefaultArrayType, 3);
  EXPECT_DOUBLE_EQ(f.Survey.DefaultMinSeparation, 2.0);
  EXPECT_FALSE(f.Survey.Asource.empty());
  EXPECT_EQ(f.Survey.DefaultPointCount, 12);
  EXPECT_FALSE(f.Survey.elecarray.empty());
  EXPECT_TRUE(f.SurveyShown);
  EXPECT_TRUE(f.CalculatedReady);
  EXPECT_FALSE(f.ObservedLoaded);
  EXPECT_TRUE(f.ToolBar2->GetVisible());
  EXPECT_FALSE(f.GetStatusText(3).empty());
}

TEST_F(DefaultArrayTest, CancelledCreateSurveyStillShowsTheEditToolBar) {
  TMainForm& f = OpenForm();
  Seam.AnswerModal([](TForm&) { return mrCancel; });
  f.Newmodel1->Click();
  EXPECT_TRUE(f.Survey.Asource.empty());
  EXPECT_FALSE(f.SurveyShown);
  EXPECT_TRUE(f.ToolBar2->GetVisible());
}

}  // namespace

}  // namespace DialogsTest
