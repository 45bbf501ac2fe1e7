// The edit-mode tool bar appears with the first survey, above the status bar.
#include "app/tests/AppTestSupport.h"
#include "controls/dfsStatusBar.h"

namespace {

using AppTest::AppFixture;

class EditToolBarTest : public AppFixture {};

TEST_F(EditToolBarTest, ShownWithTheFirstSurveyAboveTheStatusBar) {
  TMainForm& f = OpenForm();
  EXPECT_FALSE(f.ToolBar2->GetVisible());
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  ASSERT_TRUE(f.ToolBar2->GetVisible());
  EXPECT_EQ(f.ToolBar2->GetTop() + f.ToolBar2->GetHeight(), f.StatusBar1->GetTop());
  EXPECT_EQ(f.StatusBar1->GetTop() + f.StatusBar1->GetHeight(), f.GetClientHeight());
}

}  // namespace
