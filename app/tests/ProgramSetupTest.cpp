// The "Program setup" dialog on the main window: live edits that act only
// while their edit has the focus, "Apply" that checks every field, "Cancel",
// "Default", and the mesh preview drawn while the dialog shows.

#include "app/PrSetupUn.h"
#include "app/tests/AppTestSupport.h"
#include "views/PolygonChart.h"

namespace ProgramSetupTest {

namespace {

using AppTest::AppFixture;

class ProgramSetupTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    TMainForm& f = OpenForm();
    TPolygonChart& c = *f.PolygonChart1;
    c.NewModel({}, false, 0, 100, 0, 40);
    // One body, so that the mesh is refined around it.
    const int32_t first = static_cast<int32_t>(c.ModelNodes.size());
    for (auto [x, z] : {std::pair{30.0, 5.0}, {60.0, 5.0}, {60.0, 20.0}, {30.0, 20.0}}) {
      Tnode n;
      n.X = x;
      n.Depth = z;
      c.ModelNodes.push_back(n);
    }
    Polygon p;
    p.Nodes = {first, first + 1, first + 2, first + 3};
    p.Props = Polygons::DefaultProps;
    c.ModelPolygons.push_back({p});
    f.Survey.ModelComputed = true;  // the preview shows the mesh of a computed model
    f.Survey.ElectrodeSpacing = 5.0;
    Dialog = Create<TSetupForm>(nullptr);
    Dialog->MainForm = &f;
    Dialog->LoadFields();
  }
  void TearDown() override {
    Dialog->Free();
    if (PrSetupUn::SetupForm) PrSetupUn::SetupForm->Free();
    AppFixture::TearDown();
  }
  // Types Text into Edit as a person does: the edit has the focus.
  void Type(TEdit* Edit, const std::string& Text) {
    Dialog->SetActiveControl(Edit);
    Edit->SetText(Text);
  }
  std::vector<double> PreviewXs() const {
    std::vector<double> xs;
    TPointSeries* s = Form->PolygonChart1->MeshSeries;
    for (int i = 0; i < s->Count(); ++i) xs.push_back(s->GetXValue(i));
    return xs;
  }
  TSetupForm* Dialog = nullptr;
};

TEST_F(ProgramSetupTest, LoadsTheSettingsInTheirCanonicalTexts) {
  TSurvey& s = Form->Survey;
  s.FactorZ = 0.2;
  s.StartZ = 0.001;
  s.FactorX = 2.5;
  s.StartX = 0;
  s.numqp = 5;
  s.recetha = false;
  s.Exponent = true;
  Dialog->LoadFields();
  EXPECT_EQ(Dialog->Edit1->GetText(), "0.20");
  EXPECT_EQ(Dialog->Edit2->GetText(), "0.0010");
  EXPECT_EQ(Dialog->Edit3->GetText(), "2.50");
  EXPECT_EQ(Dialog->Edit4->GetText(), "0.00");
  EXPECT_EQ(Dialog->SpinEdit9->GetValue(), 5);
  EXPECT_FALSE(Dialog->CheckBox1->GetChecked());
  EXPECT_TRUE(Dialog->CheckBox2->GetChecked());
  EXPECT_EQ(Dialog->GetCaption(), "Program setup");
  EXPECT_EQ(Dialog->ForwardPage->GetCaption(), "Forward modelling");
  EXPECT_EQ(Dialog->CheckBox1->GetHint(),
            "When the data carry the apparent polarizability,\nthe forward run and the inversion compute it\n"
            "for the model as well.");
}

TEST_F(ProgramSetupTest, LiveEditsStoreValidValuesOnlyWhileTheEditHasTheFocus) {
  TSurvey& s = Form->Survey;
  s.FactorX = 0.1;
  Dialog->LoadFields();
  Form->Survey.PreviewMesh();
  const std::vector<double> before = PreviewXs();
  ASSERT_FALSE(before.empty());
  Type(Dialog->Edit3, "50");
  EXPECT_EQ(s.FactorX, 50.0);
  EXPECT_NE(PreviewXs(), before);
  Type(Dialog->Edit3, "150");
  EXPECT_EQ(s.FactorX, 50.0);
  struct TCase {
    TEdit* TSetupForm::*Edit;
    double TSurvey::*Setting;
    const char* Text;
    double Expected;
  };
  const TCase cases[] = {
      {&TSetupForm::Edit2, &TSurvey::StartZ, "0", 1.0},     {&TSetupForm::Edit2, &TSurvey::StartZ, "", 1.0},
      {&TSetupForm::Edit2, &TSurvey::StartZ, "10", 10.0},   {&TSetupForm::Edit2, &TSurvey::StartZ, "10.5", 10.0},
      {&TSetupForm::Edit1, &TSurvey::FactorZ, "0,001", 0.001}, {&TSetupForm::Edit4, &TSurvey::StartX, "abc", 2.0},
  };
  s.StartZ = 1.0;
  s.StartX = 2.0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    Type(Dialog->*c.Edit, c.Text);
    EXPECT_EQ(s.*c.Setting, c.Expected);
  }
  // Filling the edits by code, also the one with the focus, triggers nothing.
  Dialog->SetActiveControl(Dialog->Edit3);
  s.FactorX = 7.0;
  Dialog->LoadFields();
  EXPECT_EQ(Dialog->Edit3->GetText(), "7.00");
  EXPECT_EQ(s.FactorX, 7.0);
  Dialog->SetActiveControl(nullptr);
  Dialog->Edit3->SetText("8");
  EXPECT_EQ(s.FactorX, 7.0);
}

TEST_F(ProgramSetupTest, ApplyRefusesWhatTheLiveEditsIgnore) {
  struct TCase {
    TEdit* TSetupForm::*Edit;
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {&TSetupForm::Edit3, "150", "FactorX: \"150\" is not allowed; enter a number from 0.001 to 100."},
      {&TSetupForm::Edit2, "0", "StartZ: \"0\" is not allowed; enter a number from 0.001 to 10."},
      {&TSetupForm::Edit2, "", "StartZ: \"\" is not allowed; enter a number from 0.001 to 10."},
      {&TSetupForm::Edit1, "1e400", "FactorZ: \"1e400\" is not allowed; enter a number from 0.001 to 100."},
  };
  TSurvey& s = Form->Survey;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    s.FactorX = 0.1;
    s.StartZ = 1.0;
    s.FactorZ = 0.1;
    s.numqp = 7;
    Dialog->LoadFields();
    Dialog->SpinEdit9->SetValue(4);  // a good change that waits for the bad one
    (Dialog->*c.Edit)->SetText(c.Text);
    Seam.AnswerMessage(mrOk);
    Dialog->SetModalResult(mrNone);
    Dialog->abcPicBtn1->Click();
    EXPECT_EQ(Dialog->GetModalResult(), mrNone);
    EXPECT_EQ(Seam.Prompts().back().Text, c.Message);
    EXPECT_EQ(s.numqp, 7);
    EXPECT_EQ(s.FactorX, 0.1);
    EXPECT_EQ(s.StartZ, 1.0);
  }
  // Good texts are stored and shown again in their canonical form.
  Dialog->LoadFields();
  Dialog->Edit3->SetText("0,5");
  Dialog->SpinEdit9->SetValue(3);
  Dialog->CheckBox1->SetChecked(false);
  Dialog->abcPicBtn1->Click();
  EXPECT_EQ(Dialog->GetModalResult(), mrOk);
  EXPECT_EQ(s.FactorX, 0.5);
  EXPECT_EQ(s.numqp, 3);
  EXPECT_FALSE(s.recetha);
  EXPECT_EQ(Dialog->Edit3->GetText(), "0.50");
}

TEST_F(ProgramSetupTest, DefaultResetsTheWindowAtOnceAndCancelKeepsLiveEdits) {
  TSurvey& s = Form->Survey;
  s.nkuser = true;
  s.Solver = 0;
  s.FactorX = 3.0;
  s.numqp = 4;
  Dialog->abcPicBtn3->Click();
  EXPECT_FALSE(s.nkuser);
  EXPECT_EQ(s.Solver, 3);
  EXPECT_EQ(s.FactorX, 0.1);
  EXPECT_EQ(s.numqp, 7);
  EXPECT_TRUE(s.recetha);
  EXPECT_EQ(Dialog->Edit3->GetText(), "0.10");
  Type(Dialog->Edit4, "5");
  Dialog->abcPicBtn2->Click();
  EXPECT_EQ(Dialog->GetModalResult(), mrCancel);
  EXPECT_EQ(s.StartX, 5.0);
}

TEST_F(ProgramSetupTest, TheCommandShowsThePreviewAndClosingClearsIt) {
  TPointSeries* preview = Form->PolygonChart1->MeshSeries;
  preview->Clear();
  int shownPoints = 0;
  bool exponentLive = false;
  Seam.AnswerModal([&](TForm& form) {
    auto& d = dynamic_cast<TSetupForm&>(form);
    shownPoints = preview->Count();
    d.CheckBox2->SetChecked(!d.CheckBox2->GetChecked());  // acts while the dialog shows
    exponentLive = Form->Survey.Exponent;
    return mrCancel;
  });
  Form->SpeedButton4->Click();
  EXPECT_GT(shownPoints, 0);
  EXPECT_TRUE(exponentLive);
  EXPECT_EQ(preview->Count(), 0);
  ASSERT_TRUE(PrSetupUn::SetupForm);
  // The menu item opens the same dialog.
  Seam.AnswerModal([&](TForm& form) {
    EXPECT_EQ(&form, PrSetupUn::SetupForm.Get());
    return mrCancel;
  });
  Form->Programsetup1->Click();
}

}  // namespace

}  // namespace ProgramSetupTest
