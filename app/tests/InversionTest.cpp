// The inversion of a start model that has no bodies yet: the host alone has
// parameters, the boundary system is empty, and the run must still end with
// the window enabled and the misfit shown. (The window's own command refuses
// such a run with a message; the solver path itself must still hold.)
#include "app/tests/AppTestSupport.h"

namespace InversionTest {

namespace {

using AppTest::AppFixture;

class InversionTest : public AppFixture {};

TEST_F(InversionTest, StartModelWithoutBodiesInvertsAndEnablesTheWindowAgain) {
  TMainForm& f = OpenForm();
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("dipole-dipole.dat")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  f.SetStatusText(3, "");
  ASSERT_TRUE(f.Survey.RunModelling(true));
  EXPECT_TRUE(f.GetEnabled());
  EXPECT_NE(f.GetStatusText(3).find('/'), std::string::npos) << f.GetStatusText(3);
}

}  // namespace

}  // namespace InversionTest
