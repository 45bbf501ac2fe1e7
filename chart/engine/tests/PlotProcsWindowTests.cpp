// The chart's window adaptor driven by Qt input: wheel notches scroll the
// vertical axes, the chart's cursor and axis hint reach the window, and the
// chart's screen-position questions are answered by the window.
#include "chart/engine/tests/ChartFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include "chart/engine/PlotProcs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace PlotProcsWindowTests {

namespace {

class PlotWindowTest : public ChartTest {
protected:
  void SetUp() override {
    ChartTest::SetUp();
    Seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
    AddSeries("a", {10, 20, 30});
    Form = Create<TForm>(nullptr);
    Form->SetBounds(30, 40, 420, 320);
    Window = new TPlotPanelControl(Form, Chart);
    Window->SetParent(Form);
    Window->SetBounds(0, 0, 400, 300);
    Form->Show();
    Draw();
  }
  void TearDown() override {
    delete Form;  // frees the window before the chart it shows
    Application->ResetForTests();
    ChartTest::TearDown();
  }
  void Wheel(int Delta) {
    const QPoint at(200, 150);
    QWheelEvent e(QPointF(at), QPointF(Window->Handle()->mapToGlobal(at)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window->Handle(), &e);
  }
  void MoveTo(int X, int Y) {
    const QPoint at(X, Y);
    QMouseEvent e(QEvent::MouseMove, QPointF(at), QPointF(Window->Handle()->mapToGlobal(at)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Window->Handle(), &e);
  }

  TScriptedUserSeam Seam;
  TForm* Form = nullptr;
  TPlotPanelControl* Window = nullptr;
};

TEST_F(PlotWindowTest, WheelNotchesScrollTheVerticalAxesAfterTheControlsOwnEvent) {
  Chart->LeftAxis()->SetMinMax(0, 100);
  Chart->BottomAxis()->SetMinMax(0, 50);
  double leftMinSeen = -1;
  Window->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) {
    leftMinSeen = Chart->LeftAxis()->GetMinimum();
  };
  Wheel(-120);
  EXPECT_DOUBLE_EQ(leftMinSeen, 0);  // the control's own event ran first
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMinimum(), 3);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMaximum(), 103);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMinimum(), 0);

  // A fine-grained wheel scrolls once per whole notch, not per report.
  Wheel(60);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMinimum(), 3);
  Wheel(60);
  EXPECT_NEAR(Chart->LeftAxis()->GetMinimum(), 0, 1e-9);
  // Two notches in one report are two steps.
  Wheel(-240);
  EXPECT_NEAR(Chart->LeftAxis()->GetMinimum(), 3 + 0.03 * 100, 1e-9);
}

TEST_F(PlotWindowTest, TheWindowShowsTheChartCursorAndTheAxisHint) {
  const int y = (Chart->ChartRect.Top + Chart->ChartRect.Bottom) / 2;
  MoveTo(Chart->ChartRect.Left - 8, y);
  EXPECT_EQ(Window->GetCursor(), crHandPoint);
  EXPECT_EQ(Window->Handle()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(Window->GetShowHint());
  EXPECT_EQ(QToolTip::text().toStdString(), "[Shift+RightClick] axis settings");
  std::string hint;
  TRect area;
  ASSERT_TRUE(Window->HintAt(TPoint(Chart->ChartRect.Left - 8, y), hint, area));
  EXPECT_EQ(hint, "[Shift+RightClick] axis settings");

  MoveTo((Chart->ChartRect.Left + Chart->ChartRect.Right) / 2, y);
  EXPECT_EQ(Window->GetCursor(), crDefault);
  EXPECT_FALSE(Window->HintAt(TPoint(200, y), hint, area));
}

TEST_F(PlotWindowTest, ScreenPositionsComeFromTheWindowAndStopWithIt) {
  ASSERT_TRUE(Chart->OnClientToScreen);
  ASSERT_TRUE(Chart->OnCursorPos);
  EXPECT_EQ(Chart->OnClientToScreen(TPoint(5, 7)), Window->ClientToScreen(TPoint(5, 7)));
  EXPECT_EQ(Chart->OnCursorPos(), Controls::MouseCursorPos());
  delete Window;
  // The chart outlives its window and must not call into it any more.
  EXPECT_FALSE(Chart->OnClientToScreen);
  EXPECT_FALSE(Chart->OnCursorPos);
  EXPECT_FALSE(Chart->OnShowHint);
  EXPECT_FALSE(Chart->OnInvalidateWindow);
  Chart->MouseMove({}, Chart->ChartRect.Left - 8, Chart->ChartRect.Top + 5);  // no window, no crash
}

}  // namespace

}  // namespace PlotProcsWindowTests
