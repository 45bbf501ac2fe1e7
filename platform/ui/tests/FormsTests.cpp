#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/tests/EventLoop.h"
#include "platform/ui/tests/UiFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <thread>

namespace FormsTests {

namespace {

// A dialog with one value a person would enter.
class TValueDialog : public TForm {
 public:
  explicit TValueDialog(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Value");
    OnShow = [this](TObject*) { ++Shows; };
    OnCloseQuery = [this](TObject*, bool& canClose) {
      ++Queries;
      canClose = Value >= 0;
    };
  }
  int Value = -1;
  int Shows = 0;
  int Queries = 0;
};

void Click(TControl* c) {
  QWidget* w = c->Handle();
  QMouseEvent down(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))), Qt::LeftButton,
                   Qt::LeftButton, Qt::NoModifier);
  QMouseEvent up(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))), Qt::LeftButton,
                 Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &down);
  QApplication::sendEvent(w, &up);
}

using UiTestSupport::RunUntil;

}  // namespace

using FormsTest = UiTest;

TEST_F(FormsTest, ModalFormIsAnsweredByTheScriptThroughItsFields) {
  auto* dialog = Create<TValueDialog>(nullptr);
  seam.AnswerModal([](TForm& f) {
    static_cast<TValueDialog&>(f).Value = 42;
    return mrOk;
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(dialog->Value, 42);
  EXPECT_EQ(dialog->Shows, 1);
  EXPECT_FALSE(dialog->GetVisible());
  ASSERT_EQ(seam.Prompts().size(), 1u);
  EXPECT_EQ(seam.Prompts()[0].Caption, "Value");
  dialog->Free();
}

TEST_F(FormsTest, ModalLoopEndsWhenModalResultIsSetAndCloseQueryAgrees) {
  auto* dialog = Create<TValueDialog>(nullptr);
  // What a person does: OK while the value is invalid (refused), then a value and OK.
  QTimer::singleShot(0, [dialog] {
    dialog->SetModalResult(mrOk);
    QTimer::singleShot(0, [dialog] {
      dialog->Value = 7;
      dialog->SetModalResult(mrOk);
    });
  });
  EXPECT_EQ(dialog->RunModalLoop(), mrOk);
  EXPECT_EQ(dialog->Queries, 2);
  EXPECT_EQ(dialog->Value, 7);
  EXPECT_FALSE(dialog->GetVisible());

  // Closing the window is Cancel.
  QTimer::singleShot(0, [dialog] { dialog->Close(); });
  EXPECT_EQ(dialog->RunModalLoop(), mrCancel);
  dialog->Free();
}

TEST_F(FormsTest, ModalLoopLeftByAnExceptionLeavesTheFormHiddenAndNotModal) {
  auto* dialog = Create<TValueDialog>(nullptr);
  dialog->OnCloseQuery = [](TObject*, bool&) { throw Exception("Invalid value"); };
  QTimer::singleShot(0, [dialog] { dialog->SetModalResult(mrOk); });
  EXPECT_THROW(dialog->RunModalLoop(), Exception);
  EXPECT_FALSE(dialog->IsModal());
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_EQ(dialog->Handle()->window()->windowModality(), Qt::NonModal);
  // The finished loop is forgotten: setting a result later touches nothing.
  dialog->SetModalResult(mrCancel);

  // The form can be shown modally again afterwards.
  dialog->OnCloseQuery = nullptr;
  QTimer::singleShot(0, [dialog] { dialog->SetModalResult(mrOk); });
  EXPECT_EQ(dialog->RunModalLoop(), mrOk);
  dialog->Free();
}

TEST_F(FormsTest, MessageBoxesAreAnsweredByTheScriptAndShowTheirTexts) {
  seam.AnswerMessage(mrNo);
  seam.AnswerMessage(mrOk);
  seam.AnswerMessage(IDYES);
  EXPECT_EQ(Dialogs::MessageDlg("Correct polygon?", TMsgDlgType::mtConfirmation,
                                {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
            mrNo);
  Dialogs::ShowMessage("Error in data file!");
  EXPECT_EQ(Application->MessageBox("Really?", "", MB_YESNO | MB_ICONQUESTION), IDYES);
  ASSERT_EQ(seam.Prompts().size(), 3u);
  EXPECT_EQ(seam.Prompts()[0].Caption, "Confirm");
  EXPECT_EQ(seam.Prompts()[0].Text, "Correct polygon?");
  EXPECT_EQ(seam.Prompts()[1].Caption, "KelmVev2Er");
  EXPECT_EQ(seam.Prompts()[1].Text, "Error in data file!");
  EXPECT_EQ(seam.Prompts()[2].Caption, "");
}

TEST_F(FormsTest, InputBoxGivesTheEntryOrTheDefaultWhenCancelled) {
  seam.AnswerInput(std::string("12"));
  seam.AnswerInput(std::nullopt);
  EXPECT_EQ(Dialogs::InputBox("Display every", "", "1"), "12");
  EXPECT_EQ(Dialogs::InputBox("Display every", "", "1"), "1");
  std::string value = "3";
  seam.AnswerInput(std::nullopt);
  EXPECT_FALSE(Dialogs::InputQuery("Add new group", "Group name:", value));
  EXPECT_EQ(value, "3");
}

TEST_F(FormsTest, ExceptionInAHandlerIsShownCaptionedWithTheTitleAndTheProgramGoesOn) {
  auto* form = Application->CreateForm<TForm>();
  auto* control = Create<TCustomControl>(form);
  control->SetParent(form);
  control->SetBounds(0, 0, 20, 20);
  int clicks = 0;
  control->OnClick = [&](TObject*) {
    if (++clicks == 1) throw Exception("Invalid row accessed");
    if (clicks == 2) throw std::out_of_range("vector index out of range");
  };
  form->Show();
  seam.AnswerMessage(mrOk);
  seam.AnswerMessage(mrOk);
  Click(control);
  Click(control);
  Click(control);  // runs through: the earlier failures ended only their own commands
  EXPECT_EQ(clicks, 3);
  ASSERT_EQ(seam.Prompts().size(), 2u);
  EXPECT_EQ(seam.Prompts()[0].Kind, TPromptKind::Message);
  EXPECT_EQ(seam.Prompts()[0].Caption, "KelmVev2Er");
  EXPECT_EQ(seam.Prompts()[0].Text, "Invalid row accessed.");
  EXPECT_EQ(seam.Prompts()[1].Text, "vector index out of range.");
}

TEST_F(FormsTest, OnExceptionReplacesTheBoxAndAbortIsSilent) {
  std::vector<std::string> seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen.push_back(e.what()); };
  Application->Dispatch(nullptr, [] { throw EConvertError("'x' is not a valid floating point value"); });
  Application->OnException = nullptr;
  Application->Dispatch(nullptr, [] { throw EAbort("Operation aborted"); });
  EXPECT_EQ(seen, std::vector<std::string>{"'x' is not a valid floating point value"});
  EXPECT_TRUE(seam.Prompts().empty());
}

TEST_F(FormsTest, TimerFiresUnderTheEventLoopAndIsNotReenteredByProcessMessages) {
  auto* timer = Create<TTimer>(nullptr);
  int ticks = 0, depth = 0, maxDepth = 0;
  timer->SetInterval(1);
  timer->SetOnTimer([&](TObject*) {
    ++ticks;
    maxDepth = std::max(maxDepth, ++depth);
    // A long command lets messages run: the next tick must wait for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    Application->ProcessMessages();
    --depth;
  });
  RunUntil([&] { return ticks >= 3; });
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(maxDepth, 1);
  timer->SetEnabled(false);
  const int stopped = ticks;
  RunUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped);
  timer->Free();
}

TEST_F(FormsTest, CommandStartedInsideProcessMessagesSeesItsCancelButNotItself) {
  auto* start = Create<TCustomControl>(nullptr);
  auto* cancel = Create<TCustomControl>(nullptr);
  int runs = 0, cancels = 0, spins = 0;
  bool cancelled = false;
  // A long command: polls ProcessMessages until Cancel is pressed; a second
  // press of its own button meanwhile is dropped, not run inside it.
  auto command = [&] {
    ++runs;
    QTimer::singleShot(0, [&] { Application->Dispatch(start, [&] { ++runs; }); });
    QTimer::singleShot(0, [&] { Application->Dispatch(cancel, [&] {
      ++cancels;
      cancelled = true;
    }); });
    while (!cancelled && ++spins < 1000) Application->ProcessMessages();
  };
  // The command itself starts from an event run by an outer ProcessMessages.
  QTimer::singleShot(0, [&] { Application->Dispatch(start, command); });
  RunUntil([&] { return runs > 0; });
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(runs, 1);
  start->Free();
  cancel->Free();
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheProgramAndCloseQueryCanRefuse) {
  auto* main = Application->CreateForm<TValueDialog>();
  auto* other = Application->CreateForm<TForm>();
  EXPECT_EQ(Application->GetMainForm(), main);
  main->Show();
  other->Show();
  main->Close();  // Value -1: refused
  EXPECT_TRUE(main->GetVisible());
  EXPECT_FALSE(Application->GetTerminated());
  other->Close();
  EXPECT_FALSE(other->GetVisible());
  EXPECT_FALSE(Application->GetTerminated());
  main->Value = 1;
  main->Close();
  EXPECT_FALSE(main->GetVisible());
  EXPECT_TRUE(Application->GetTerminated());
}

TEST_F(FormsTest, FormCentresOnTheScreenAndKeepsItsClientSize) {
  auto* form = Application->CreateForm<TForm>();
  form->SetClientWidth(300);
  form->SetClientHeight(200);
  form->Position = TPosition::poScreenCenter;
  form->Show();
  const TRect area = Screen->GetWorkAreaRect();
  EXPECT_EQ(form->GetLeft(), area.Left + (area.Width() - 300) / 2);
  EXPECT_EQ(form->GetTop(), area.Top + (area.Height() - 200) / 2);
  EXPECT_EQ(form->Handle()->width(), 300);
  EXPECT_EQ(form->Handle()->height(), 200);
}

TEST_F(FormsTest, CursorGuardPutsTheScreenCursorBack) {
  {
    Forms::TCursorGuard busy(crHourGlass);
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  }
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

}  // namespace FormsTests
